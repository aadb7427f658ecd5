#pragma once
// The closed, filled polygon drawn one vertex per click, and the region:
// a polygon that only fills an area inside a diagram.
#include "figures/figure.h"
#include "geometry/gr_polygon.h"
#include "platform/command_ids.h"

#include <array>

class QvFigPolygon : public QvFigure {
    DECLARE_SERIAL(QvFigPolygon)
public:
    static constexpr int ToolId = ID_DRAW_POLYGON;
    // Room in the point arrays; the counts, being bytes, stop at 255.
    static constexpr int ArraySize = 1000;
    // Polygons with this many points or more offer no edges for
    // intersections, which keeps the snap caches small.
    static constexpr int MaxShapedPoints = 20;
    // A right-click this near a vertex (0.01 mm) deletes it.
    static constexpr double VertexReach = 200.0;
    static constexpr const char* FullMessage = "No more points can be added to this polygon.";

    QvFigPolygon();

    // The figure record; a polygon read back counts its clicks as if just
    // drawn, so its vertices can be deleted.
    void Serialize(CArchive& ar) override;
    // Draw fills: the brush is the record's in normal drawing.
    void DrawFill(CDC*, int) override {}
    // Two points as a line, the state after the second click as an open
    // line, else the filled polygon.
    void Draw(CDC* dc, int mode) override;
    void MapToFrame(const QvGRRect& frame) override;
    // Vertex editing at a right-click: deletes the vertex near pt, else
    // inserts one on the nearest edge.
    void EditProperties(CPoint pt, CPoint device) override;
    void AddShapes(QvShapeList& list, int part) override;
    CRect GetBoundRect() override;
    bool HitTest(QvPoint pt, double tolerance) override;
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    // The pointer's point is the last one: point count = clicks + 1.
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    // Fixes the vertex under the pointer and starts the next on top of it.
    // Never complete: the view ends the polygon.  A click that would need
    // a 256th point is refused and the user told.
    bool CreateClick() override;
    void BuildFromPoints() override;
    QvPoint GetPoint(int n) const override;
    int GetPartCount() const override { return GetPointCount(); }
    void OffsetPoints(int dx, int dy, int right, int flipHeight) override;
    QString GetDescription() const override { return QStringLiteral("Polygon"); }

    const QvGRPolygon& Primitive() const { return m_polygon; }
    const CPoint& DrawingPoint(int i) const { return m_drawing[size_t(i)]; }

protected:
    // Shifts points from..ArraySize-2 of both arrays up by one.
    void OpenGap(int from);
    // Shifts points from+1.. of both arrays down onto from.
    void CloseGap(int from);

    // The display points in whole logical units, as drawn.
    std::array<CPoint, ArraySize> m_drawing{};
    QvGRPolygon m_polygon;
};

// A polygon that fills an area of a diagram: drawn like a polygon, but no
// snap target, never hit, and without vertex editing.
class QvFigRegion : public QvFigPolygon {
    DECLARE_SERIAL(QvFigRegion)
public:
    static constexpr int ToolId = ID_TOOL_REGION;

    QvFigRegion();

    // No vertex editing: the region's outline belongs to its diagram.
    void EditProperties(CPoint, CPoint) override {}
    void AddPointOnFigure(QvPoint, QvSnapPointList&, int) override {}
    void AddSpecialPoints(QvSnapPointList&, int) override {}
    void AddGuideShapesWith(QvFigure*, QvShapeList&, int) override {}
    void AddSpecialPointsFrom(QvPoint, QvSnapPointList&, QvFigure*, int) override {}
    void AddSpecialPointsWith(QvFigure*, QvSnapPointList&, int) override {}
    void AddGuideShapesFrom(QvPoint, QvShapeList&, int) override {}
    // One record holding the empty primitive, whatever the part.
    void AddShapes(QvShapeList& list, int part) override { QvFigure::AddShapes(list, part); }
    bool HitTest(QvPoint pt, double tolerance) override;
    void BuildFromPoints() override {}

private:
    // No geometry, type 0.
    QvGRBase m_empty;
};
