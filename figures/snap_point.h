#pragma once
// One snap candidate of the snap search and the list figures append them
// to.  A record remembers the figures and primitives it derives from and the
// frames those figures were mapped through, so a hit can be highlighted.
// The frames are kept once by the figure that maps through them (a group)
// and only referred to here: the caches hold many thousand records.
#include "geometry/gr_rect.h"
#include "geometry/point.h"
#include "geometry/special_point.h"

#include <QString>

#include <vector>

class QvFigure;

class QvSnapPoint {
public:
    QvPoint point;
    double priority = 0.0;
    QString label;
    QvFigure* figure1 = nullptr;
    QvFigure* figure2 = nullptr;
    LONG index1 = 0;
    LONG index2 = 0;
    const QvGRBase* primitive1 = nullptr; // not owned
    const QvGRBase* primitive2 = nullptr; // not owned
    const QvGRRect* frame1 = nullptr;     // not owned; null for none
    const QvGRRect* frame2 = nullptr;

    QvSnapPoint() = default;
    // The fields a special point shares with a snap point.
    explicit QvSnapPoint(const QvSpecialPoint& special)
        : point(special.point), priority(special.priority), label(special.label) {}

    // priority² / (squared distance from p + 0.05): high priority pulls from
    // further away, and nothing divides by zero at the point itself.
    double GetAttraction(QvPoint p) const { return Attraction(priority, point, p); }
    // The same score for a point not yet made into a record.
    static double Attraction(double priority, QvPoint point, QvPoint p) {
        double dx = p.x - point.x;
        double dy = p.y - point.y;
        return priority * priority / (dx * dx + dy * dy + 0.05);
    }
};

class QvSnapPointList : public CObject {
public:
    QvSnapPointList();

    void Add(const QvSnapPoint& point);
    // Empties the list and frees its storage.
    void Clear();
    // Empties the list but keeps its storage for the next filling: the
    // caches and the search refill theirs on every change and mouse move.
    void RemoveAll() { m_points.clear(); }
    void Reserve(int count) { m_points.reserve(size_t(count)); }
    int GetCount() const { return int(m_points.size()); }
    QvSnapPoint& operator[](int i) { return m_points[size_t(i)]; }
    const QvSnapPoint& operator[](int i) const { return m_points[size_t(i)]; }

    // Walks the list in order; a record whose attraction to p is strictly
    // above bestScore, and whose first figure (or with `eitherFigure` either
    // figure) is neither `exclude` nor inside it, becomes the best, so the
    // first of equal scores wins.  best and bestScore are left alone when no
    // record beats bestScore.
    // Returns the winner's index, or -1 when none beat bestScore.
    int FindBest(QvPoint p, QvSnapPoint& best, double& bestScore, const QvFigure* exclude,
                 bool eitherFigure = false) const;

    // The records in order, for the caches that splice a figure's block.
    std::vector<QvSnapPoint>& Records() { return m_points; }
    const std::vector<QvSnapPoint>& Records() const { return m_points; }

private:
    std::vector<QvSnapPoint> m_points;
};
