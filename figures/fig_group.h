#pragma once
// A figure made of other figures.  The members' defining points are in
// thousandths of the group's four-corner frame, so moving, turning,
// mirroring or stretching the frame carries every member along.
#include "figures/figure.h"

#include <vector>

class QvFigGroup : public QvFigure {
    DECLARE_SERIAL(QvFigGroup)
public:
    static constexpr int ToolId = 32700;
    // Frame coordinates run from 0 to this along each side.
    static constexpr double FrameUnits = 1000.0;
    // Above this many members the drag outline is the frame alone.
    static constexpr int MaxOutlinedMembers = 20;

    QvFigGroup();
    ~QvFigGroup() override;

    // The figure record, then the member list.
    void Serialize(CArchive& ar) override;
    void DrawFill(CDC*, int) override {}
    void Draw(CDC* dc, int mode) override;
    bool IsOrContains(const QvFigure* f) const override;
    bool HasSaneCoordinates() const override;
    QvFigure* CopyFrom(const QvFigure* src) override;
    void AddToCopyMap(QvCopyMap& map) override;
    void RemapReferences(QvCopyMap& map) override;
    // Maps the group's corners, then its members through the mapped
    // corners, so members' display points are always page points.
    void MapToFrame(const QvGRRect& frame) override;
    CRect GetBoundRect() override;
    bool HitTest(QvPoint pt, double tolerance) override;
    void MoveHandle(int n, QvPoint to, QvPoint second) override;
    void BuildFromPoints() override;
    void SetLineColour(COLORREF colour) override;
    void SetLineStyle(int style) override;
    void SetFillColour(COLORREF colour) override;
    void SetFillStyle(int style) override;
    int GetPartCount() const override;
    QString GetDescription() const override;

    // The frame of the group's display corners.
    QvGRRect DisplayFrame() const;
    // Owned; in drawing order.
    std::vector<QvFigure*>& Members() { return m_members; }
    const std::vector<QvFigure*>& Members() const { return m_members; }

private:
    std::vector<QvFigure*> m_members;
};
