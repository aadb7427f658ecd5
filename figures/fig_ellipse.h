#pragma once
// The ellipse figures: the base that draws, fills, measures and describes
// every ellipse from its centre, semi-axes and axis direction, and the four
// ways of making one (a box of four corners, an axis and a point, two foci
// and a point, two pairs of points).
//
// The geometry follows the defining points at once: creation, grip drags,
// moves, reflections and loading rebuild it, so bounds, hit tests and
// snapping never wait for a repaint.
#include "figures/fig_circle.h"
#include "figures/figure.h"
#include "geometry/gr_ellipse.h"
#include "platform/command_ids.h"

class QvFigEllipseBase : public QvFigure {
    DECLARE_SERIAL(QvFigEllipseBase)
public:
    // The tension that makes four cubic segments an ellipse.
    static constexpr double QuarterFactor = 0.5522847498;

    QvFigEllipseBase();

    void Serialize(CArchive& ar) override;
    void Draw(CDC* dc, int mode) override;
    void DrawFill(CDC* dc, int mode) override;
    void CopyEditData(QvEditData* dst, const QvEditData* src) const override;
    QvEditData* NewEditData() const override;
    // The circles' dialog on the centre mark, captioned for an ellipse.
    void EditProperties(CPoint, CPoint) override;
    std::unique_ptr<QvGRBase> CreateGeometry() const override;
    // Four quarter pieces, each one cubic segment.
    void AddShapes(QvShapeList& list, int part) override;
    void Move(QvVector offset) override;
    void Reflect(const QvGRLine& mirror) override;
    // The box along the ellipse's own axes, grown by the pen.
    CRect GetBoundRect() override;
    // The outline only: the inside of a filled ellipse is no hit.
    bool HitTest(QvPoint pt, double tolerance) override;
    QString GetDescription() const override;

    const QvGREllipse& Ellipse() const { return m_ellipse; }
    QvEditDataCircle* CircleData() const { return m_pCircleData; }

protected:
    // Sizes the points, sets the tool id, the primitive and a record from
    // the current style and the ellipse defaults.
    void InitEllipse(int points, int toolId);
    // Display points from the defining points, then the geometry.
    void Refresh();
    // Counts a click; true (after a rebuild) once `points` clicks are in.
    bool CountClick(int points);
    // Grip n to `to`, then rebuild.
    void MovePoint(int n, QvPoint to);
    // The axis vectors: u along the axis at length a, v across it at b.
    QvVector AxisU() const { return m_ellipse.GetU(); }
    QvVector AxisV() const { return m_ellipse.GetV(); }

    QvEditDataCircle* m_pCircleData = nullptr;
    QvGREllipse m_ellipse;
};

// Inscribed in a box dragged from one corner to the opposite one.  The
// click count is the creation state: 0 before the press, 2 while dragging,
// 3 done.  Corners: 0 the press, 1 along the first side, 2 the release, 3
// along the second side.
class QvFigEllipse4C : public QvFigEllipseBase {
    DECLARE_SERIAL(QvFigEllipse4C)
public:
    static constexpr int ToolId = ID_DRAW_ELLIPSE_4C;
    QvFigEllipse4C();
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    void BuildFromPoints() override;
    CRect GetBoundRect() override;
    // Display point 3 - n.
    QvPoint GetPoint(int n) const override;

    // The axis and semi-axes from the two half sides of a box: a along
    // `first`, b across it.  When `first` has no length the axis turns to
    // `second`, so that a box of no width is still the flat ellipse it
    // bounds, not its centre point.
    static void SetAxes(QvGREllipse& ellipse, QvVector first, QvVector second);
};

// The two ends of the first axis, then a point the ellipse passes through.
class QvFigEllipseAP : public QvFigEllipseBase {
    DECLARE_SERIAL(QvFigEllipseAP)
public:
    static constexpr int ToolId = ID_DRAW_ELLIPSE_AP;
    QvFigEllipseAP();
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    void BuildFromPoints() override;
    // The far point for every index.
    QvPoint GetPoint(int n) const override;

    // The second semi-axis of the ellipse with centre `centre` and first
    // semi-axis vector u that passes through p.  A point on or beyond the
    // lines across the axis ends lies on no such ellipse: it gets its
    // distance along the axis.
    static double SemiAxisThrough(QvPoint centre, QvVector u, QvPoint p);
};

// Two foci, then a point the ellipse passes through.  It is created and
// dragged as the axis-and-point ellipse is.
class QvFigEllipseFP : public QvFigEllipseAP {
    DECLARE_SERIAL(QvFigEllipseFP)
public:
    static constexpr int ToolId = ID_DRAW_ELLIPSE_FP;
    QvFigEllipseFP();
    void BuildFromPoints() override;
};

// Two pairs of points: the first pair gives the first axis, the second pair
// the length of the other.  When the pairs are the two axes, the ellipse
// passes through all four.
class QvFigEllipse4P : public QvFigEllipseBase {
    DECLARE_SERIAL(QvFigEllipse4P)
public:
    static constexpr int ToolId = ID_DRAW_ELLIPSE_4P;
    QvFigEllipse4P();
    void MoveHandle(int n, QvPoint to, QvPoint second, QvKeys keys) override;
    void TrackCreatePoint(QvPoint pt, QvKeys keys) override;
    bool CreateClick() override;
    void BuildFromPoints() override;
    // The far point for every index.
    QvPoint GetPoint(int n) const override;
};
