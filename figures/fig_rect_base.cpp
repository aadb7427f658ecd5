#include "figures/fig_rect_base.h"

#include "figures/shape_record.h"
#include "platform/dc.h"

#include <cmath>
#include <utility>

IMPLEMENT_SERIAL(QvFigRectBase, QvFigure, 1)
IMPLEMENT_SERIAL(QvFigSquareBase, QvFigRectBase, 1)
IMPLEMENT_SERIAL(QvFigNoRotateRectBase, QvFigRectBase, 1)

namespace {
constexpr double kPi = 3.141592654;

QvGRRect CornersOf(const QvPointArray& points) {
    return QvGRRect(points[0], points[1], points[2], points[3]);
}

void SetEdges(QvGRRect& rect, const QvPointArray& points) {
    for (int i = 0; i < 4; ++i)
        rect.edge[i] = QvGRLine(points[i], points[(i + 1) % 4]);
}
} // namespace

// ------------------------------------------------------------------- base

// Every rectangle-framed figure has four corners; sizing the arrays here
// lets a bare base read from a file hold them too.
QvFigRectBase::QvFigRectBase() {
    InitPoints(4);
    m_pShape = &m_frame;
}

std::unique_ptr<QvGRBase> QvFigRectBase::CreateGeometry() const {
    auto rect = std::make_unique<QvGRRect>();
    *rect = m_frame;
    // A copy keeps its own edges; this one must describe the figure whole.
    for (int i = 0; i < 4; ++i)
        rect->edge[i] = m_frame.edge[i];
    return rect;
}

void QvFigRectBase::AddShapes(QvShapeList& list, int part) {
    if (m_bDeleted)
        return;
    for (int k = 0; k < 4; ++k) {
        if (part != -1 && part != k)
            continue;
        QvShapeRecord record;
        record.SetShape(std::make_unique<QvGRLine>(m_display[k], m_display[(k + 1) % 4]));
        record.figure = this;
        record.index1 = k;
        list.Add(std::move(record));
    }
}

CRect QvFigRectBase::GetBoundRect() {
    // The corners as drawn, squared or not.
    QvGRRect corners;
    for (int i = 0; i < 4; ++i)
        corners.corner[i] = m_display[i];
    CRect r = corners.GetBounds();
    int w = LineStyleWidth();
    r.InflateRect(w, w);
    return r;
}

bool QvFigRectBase::HitTest(QvPoint pt, double tolerance) {
    return m_frame.HitTest(pt, tolerance);
}

void QvFigRectBase::MoveHandle(int n, QvPoint to, QvPoint, QvKeys keys) {
    QvGRRect rect = CornersOf(m_points);
    if (keys.shift)
        rect.MoveCornerKeepAspect(n, to);
    else
        rect.MoveCorner(n, to);
    for (int i = 0; i < 4; ++i)
        m_points[i] = rect.corner[i];
    BuildFromPoints();
}

void QvFigRectBase::DragCorners(QvPoint pt, bool square) {
    const QvPoint c0 = m_points[0];
    QvPoint c2 = pt;
    if (square) {
        double dx = pt.x - c0.x, dy = pt.y - c0.y;
        double s = std::fabs(dy) <= std::fabs(dx) ? std::fabs(dy) : std::fabs(dx);
        c2 = QvPoint(c0.x + (dx < 0 ? -s : s), c0.y + (dy < 0 ? -s : s));
    }
    m_points[1] = QvPoint(c2.x, c0.y);
    m_points[2] = c2;
    m_points[3] = QvPoint(c0.x, c2.y);
}

void QvFigRectBase::TrackCreatePoint(QvPoint pt, QvKeys keys) {
    if (m_nClicks == 0) {
        for (int i = 0; i < 4; ++i)
            m_points[i] = pt;
    } else if (m_nClicks == Pressed) {
        DragCorners(pt, DragsSquare(keys));
    }
    // The figure being made is drawn where its corners are, so its outline,
    // bounds and description follow the drag.
    for (int i = 0; i < 4; ++i)
        m_display[i] = m_points[i];
    BuildFromPoints();
}

bool QvFigRectBase::CreateClick() {
    if (m_nClicks == 0) {
        m_nClicks = Pressed;
        return false;
    }
    if (m_nClicks == Pressed)
        m_nClicks = Released;
    return true;
}

// The frame takes the display corners as they are: inside a freely
// stretched group they may form a parallelogram, and the hit test must
// follow what is drawn.
void QvFigRectBase::BuildFromPoints() {
    for (int i = 0; i < 4; ++i)
        m_frame.corner[i] = m_display[i];
    m_frame.side[0] = m_display[1] - m_display[0];
    m_frame.side[1] = m_display[3] - m_display[0];
    m_frame.UpdateUnitVectors();
    SetEdges(m_frame, m_display);
}

void QvFigRectBase::IntegerCorners(CPoint c[4]) const {
    for (int i = 0; i < 4; ++i)
        m_display[i].ToCPoint(c[i]);
}

// ------------------------------------------------------------- square base

QvFigSquareBase::QvFigSquareBase() {
    m_axis = QvVector(1.0, 0.0);
}

bool QvFigRectBase::DragsSquare(QvKeys keys) {
    return keys.shift;
}

bool QvFigSquareBase::DragsSquare(QvKeys keys) {
    const bool square = m_bKeepSquare && !keys.shift;
    if (!square)
        m_bKeepSquare = false;
    return square;
}

void QvFigSquareBase::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    // Opposite, along-axis and across-axis corner of each grip.
    static constexpr int kRoles[4][3] = {{2, 1, 3}, {3, 0, 2}, {0, 1, 3}, {1, 0, 2}};
    if (n < 0 || n > 3)
        return;
    const QvVector u = m_axis;
    const QvVector w(-u.y, u.x);
    const double uu = u.Dot(u);
    // No axis, no square to keep: the corners stay rather than turn NaN.
    if (uu == 0.0)
        return;
    const QvPoint opposite = m_points[kRoles[n][0]];
    const QvVector d = to - opposite;
    double s = d.Dot(u) / uu;
    double t = d.Dot(w) / uu;
    const double m = std::fabs(s) < std::fabs(t) ? std::fabs(s) : std::fabs(t);
    s = s < 0 ? -m : m;
    t = t < 0 ? -m : m;
    m_points[kRoles[n][1]] = opposite + u * s;
    m_points[kRoles[n][2]] = opposite + w * t;
    m_points[n] = opposite + u * s + w * t;
    BuildFromPoints();
}

// ------------------------------------------------------------- upright box

QvFigNoRotateRectBase::QvFigNoRotateRectBase() {
    m_pShape = &m_box;
}

std::unique_ptr<QvGRBase> QvFigNoRotateRectBase::CreateGeometry() const {
    auto box = std::make_unique<QvGRFrameRect>();
    *box = m_box;
    for (int i = 0; i < 4; ++i)
        box->edge[i] = m_box.edge[i];
    return box;
}

void QvFigNoRotateRectBase::Rotate(double degrees, QvPoint centre) {
    const double radians = degrees * kPi / 180.0;
    const double c = std::cos(radians), s = std::sin(radians);
    auto moveCentre = [&](QvPointArray& corners) {
        QvPoint from = corners[0] + (corners[2] - corners[0]) * 0.5;
        QvVector v = from - centre;
        v.Rotate(c, s);
        QvVector by = (centre + v) - from;
        for (int i = 0; i < 4; ++i)
            corners[i] += by;
    };
    moveCentre(m_points);
    moveCentre(m_display);
    BuildFromPoints();
}

void QvFigNoRotateRectBase::DrawMapped(CDC* dc, int mode, const QvGRRect& frame,
                                       const CRect& offset) {
    if (mode != QvDrawMode::Highlight && mode != QvDrawMode::White) {
        QvFigure::DrawMapped(dc, mode, frame, offset);
        return;
    }
    LOGPEN logPen = ScaledLinePen(dc);
    logPen.lopnColor = mode == QvDrawMode::Highlight ? HighlightColour : RGB(255, 255, 255);
    CPen pen;
    pen.CreatePenIndirect(&logPen);
    CDCSelect<CPen> usePen(dc, &pen);
    CDCSelect<CBrush> noFill(dc, NULL_BRUSH);
    MapToFrame(frame);
    OffsetPoints(offset.left, offset.top, offset.right, offset.bottom);
    if (mode == QvDrawMode::White)
        DrawFill(dc, mode);
    Draw(dc, mode);
}

CRect QvFigNoRotateRectBase::GetBoundRect() {
    QvGRRect r = CornersOf(m_display);
    double w = LineStyleWidth();
    r.Inflate(w, w);
    return r.GetBounds();
}

bool QvFigNoRotateRectBase::HitTest(QvPoint pt, double tolerance) {
    return m_box.HitTest(pt, tolerance);
}

void QvFigNoRotateRectBase::BuildFromPoints() {
    m_box.SetCorners(m_display[0], m_display[1], m_display[2], m_display[3]);
    SetEdges(m_box, m_display);
}

QvPoint QvFigNoRotateRectBase::GetPoint(int n) const {
    if (n < 0 || n > 3)
        return QvPoint::Far();
    return m_display[3 - n];
}
