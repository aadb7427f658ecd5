#pragma once
// A figure's state as the drawing file keeps it: its defining points, its
// attribute record and, for a group, its members' states.  Undo records
// keep one from before and one from after an edit and put them back
// exactly, so a long undo leaves no rounding behind.  A stretch may turn a
// group's members into figures of another kind, so a member's state also
// owns a copy of the member, which takes the place of a member that is
// no longer of its kind.
#include "figures/edit_data.h"
#include "geometry/point.h"
#include "platform/object.h"

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
    // Whether `figure` is of the kind this state was taken from.
    bool IsKindOf(const QvFigure& figure) const;
    // A new figure like the copy, in this state; null when it cannot be made.
    QvFigure* MakeFigure() const;

    QvPointArray m_points;
    int m_nPoints = 0;
    int m_nRoundGrips = 0;
    std::unique_ptr<QvEditData> m_pEditData;
    const CRuntimeClass* m_pClass = nullptr;
    int m_nToolId = 0;
    // Of a group member only.
    std::unique_ptr<QvFigure> m_pCopy;
    // The member the state was taken from, only ever compared: members
    // that refer to it are re-linked to the one that stands in its place.
    const QvFigure* m_pSource = nullptr;
    std::vector<QvFigureState> m_members;
};

// Every figure of a group, at any depth, reports itself valid.
bool QvFigureStands(const QvFigure& figure);
