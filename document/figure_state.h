#pragma once
// A figure's state as the drawing file keeps it: its defining points, its
// attribute record and, for a group, its members' states.  Undo records
// keep one from before and one from after an edit and put them back
// exactly, so a long undo leaves no rounding behind.
#include "figures/edit_data.h"
#include "geometry/point.h"

#include <memory>
#include <vector>

class QvFigure;

class QvFigureState {
public:
    QvFigureState() = default;
    explicit QvFigureState(const QvFigure& figure);
    // The points alone (also of the members), for putting back a step that
    // changed nothing else.
    static QvFigureState PointsOf(const QvFigure& figure);
    QvFigureState(QvFigureState&&) noexcept = default;
    QvFigureState& operator=(QvFigureState&&) noexcept = default;
    ~QvFigureState();

    // Puts the figure (of the kind the state was taken from) back into this
    // state and rebuilds its display points and geometry.
    void ApplyTo(QvFigure& figure) const;
    // The same points, bit for bit, the same attributes and the same
    // members.
    bool IsSameAs(const QvFigureState& other) const;

private:
    QvFigureState(const QvFigure& figure, bool attributes);
    void RestoreInto(QvFigure& figure) const;

    QvPointArray m_points;
    int m_nPoints = 0;
    int m_nRoundGrips = 0;
    std::unique_ptr<QvEditData> m_pEditData;
    std::vector<QvFigureState> m_members;
};

// Every figure of a group, at any depth, reports itself valid.
bool QvFigureStands(const QvFigure& figure);
