#pragma once
// A figure made of other figures.  The members' defining points are in
// thousandths of the group's four-corner frame, so moving, turning,
// mirroring or stretching the frame carries every member along.
#include "figures/fig_rect_base.h"
#include "figures/figure_list.h"
#include "platform/command_ids.h"

#include <vector>

class QvFigGroup : public QvFigRectBase {
    DECLARE_SERIAL(QvFigGroup)
public:
    static constexpr int ToolId = ID_TOOL_GROUP;
    // Frame coordinates run from 0 to this along each side.
    static constexpr double FrameUnits = 1000.0;
    // Above this many members the drag outline is the frame alone.
    static constexpr int MaxOutlinedMembers = 20;
    // From this many parts on, below the unlimited drawing level, the group
    // offers no special points and no shapes: it keeps the snap caches small.
    static constexpr int MaxSnappedParts = 40;

    QvFigGroup();
    ~QvFigGroup() override;

    // The figure record, then the member list.
    void Serialize(CArchive& ar) override;
    void DrawFill(CDC*, int) override {}
    void Draw(CDC* dc, int mode) override;
    // The group itself or one of its direct members.
    bool IsOrContains(const QvFigure* f) const override;
    bool HasSaneCoordinates() const override;
    // A deep copy: every member copied through the figure factory.  Null,
    // with no member copied, when a member cannot be made.
    QvFigure* CopyFrom(const QvFigure* src) override;
    void AddToCopyMap(QvCopyMap& map) override;
    void RemapReferences(QvCopyMap& map) override;
    // Maps the group's corners, then its members through the mapped
    // corners, so members' display points are always page points.
    void MapToFrame(const QvGRRect& frame) override;

    // Snapping goes to the members; their records carry the group's frame.
    void AddPointOnFigure(QvPoint pt, QvSnapPointList& list, int level) override;
    void AddSpecialPoints(QvSnapPointList& list, int level) override;
    void AddGuideShapesWith(QvFigure* other, QvShapeList& list, int level) override;
    void AddSpecialPointsFrom(QvPoint pt, QvSnapPointList& list, QvFigure* other,
                              int level) override;
    void AddSpecialPointsWith(QvFigure* other, QvSnapPointList& list, int level) override;
    void AddGuideShapesFrom(QvPoint pt, QvShapeList& list, int level) override;
    void AddShapes(QvShapeList& list, int part) override;

    bool HitTest(QvPoint pt, double tolerance) override;
    // A corner drag to `to`.  Shift keeps the proportions and every member's
    // shape; a free drag first turns round members into shapes that stretch.
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void BuildFromPoints() override;
    void SetLineColour(COLORREF colour) override;
    void SetLineStyle(int style) override;
    void SetFillColour(COLORREF colour) override;
    void SetFillStyle(int style) override;
    // The members' parts together.
    int GetPartCount() const override;
    QString GetDescription() const override;

    // Circles become four-corner ellipses on their bounding squares and
    // circular arcs box arcs with the same ends and sense, both squared
    // with the group's first side; triangles measure again from their
    // points at the next rebuild.  Nested groups are left as they are.
    void ConvertForStretch();

    // The frame of the group's display corners.
    QvGRRect DisplayFrame() const;
    // The same, kept in the group: snap records refer to it rather than
    // carry a copy each.  Refreshed by every snap call.
    const QvGRRect& SnapFrame();
    // In drawing order.
    const std::vector<QvFigure*>& Members() const { return m_members.View(); }
    // The owning list, to add or take members.
    QvFigureList& MemberList() { return m_members; }

private:
    // Below the unlimited drawing level a large group offers nothing.
    bool OffersSnapping() const;

    QvFigureList m_members;
    QvGRRect m_snapFrame;
};

// Whether f is `outer` or, where `outer` is a group, inside it at any depth:
// a search that leaves out a dragged group leaves out all of it.
bool QvHolds(const QvFigure* outer, const QvFigure* f);
