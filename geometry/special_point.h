#pragma once
// The records of snap targets that primitives append for the document
//: one special point, and the list they are appended to.
#include "geometry/point.h"

#include <QString>

#include <vector>

struct QvSpecialPoint {
    QvPoint point;
    double priority = 0.0;
    QString label;
    LONG figureIndex = 0; // filled in by the document, never by the geometry
};

class QvSpecialPointList {
public:
    QvSpecialPointList();

    // Appends a copy.  A far point or one with a NaN (or infinite) coordinate is no snap
    // target (no pointer position can match it), so it is not stored: a
    // missed intersection or a tangent that does not exist appends nothing.
    void Add(QvSpecialPoint point);

    int GetCount() const { return int(m_points.size()); }
    const QvSpecialPoint& operator[](int i) const { return m_points[size_t(i)]; }
    QvSpecialPoint& operator[](int i) { return m_points[size_t(i)]; }
    void RemoveAll() { m_points.clear(); }
    // The number of records room is kept for (20, growing by 20).
    int GetAllocSize() const { return int(m_points.capacity()); }

    // True for a point that Add refuses.
    static bool IsNoTarget(const QvPoint& p);

private:
    std::vector<QvSpecialPoint> m_points;
};

// Appends point with kind's priority and name as priority and label.  The
// caller has made the snap-kind test (QvSnapKindPasses) for the kind.
void QvAppendSnapPoint(QvSpecialPointList* list, int kind, const QvPoint& point);
