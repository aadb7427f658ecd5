// Where two primitive kinds meet (gr_cross.h): the crossings of every pair
// of kinds, then the members of the circle, the line and the curve that read
// or make a primitive of another kind.
#include "geometry/gr_cross.h"

#include "geometry/cubic.h"
#include "geometry/gr_bezier.h"
#include "geometry/gr_circle.h"
#include "geometry/gr_line.h"
#include "geometry/gr_point.h"
#include "geometry/gr_polygon.h"
#include "geometry/gr_rect.h"
#include "geometry/gr_triangle.h"
#include "geometry/snap_kind.h"

#include <cmath>
#include <memory>

namespace {
// The most points a curve case gives: with the line or circle first, and
// with the curve first and a line, or a circle or curve, second.
constexpr int kCurveHitsSecond = 100;
constexpr int kCurveFirstLineLimit = 10;
constexpr int kCurveFirstCurveLimit = 5;

// A primitive's kind in a crossing: its type code, with the class the code
// stands for.
enum class Kind { None, Line, Triangle, Circle, Curve, Polygon, Rect, Point };

template <typename T> Kind KindIf(const QvGRBase& shape, Kind kind) {
    return dynamic_cast<const T*>(&shape) ? kind : Kind::None;
}

Kind KindOf(const QvGRBase& shape) {
    switch (shape.GetType()) {
    case QvGRType::Line: // the triangle's code too
        if (dynamic_cast<const QvGRLine*>(&shape))
            return Kind::Line;
        return KindIf<QvGRTriangle>(shape, Kind::Triangle);
    case QvGRType::Circle:
        return KindIf<QvGRCircle>(shape, Kind::Circle);
    case QvGRType::Point:
        return KindIf<QvGRPoint>(shape, Kind::Point);
    case QvGRType::Polygon:
        return KindIf<QvGRPolygon>(shape, Kind::Polygon);
    case QvGRType::BezierCurve:
        return KindIf<QvGRBezierCurve>(shape, Kind::Curve);
    case QvGRType::Rect: // the frame's code too; a frame offers the snap search nothing
        if (dynamic_cast<const QvGRFrameRect*>(&shape))
            return Kind::None;
        return KindIf<QvGRRect>(shape, Kind::Rect);
    default: // the ellipse and the arc, the rounded rectangle, the angle mark
        return Kind::None;
    }
}

constexpr int Pair(Kind first, Kind second) {
    return int(first) * 8 + int(second);
}

void Append(QvSpecialPointList* list, const QvPoint& p) {
    QvAppendSnapPoint(list, QvSnap::Intersection, p);
}

// The circle's two points on the line's carrier; as drawn, only those on the
// segment.  The same in either order of the pair, so that the crossing
// caches' order does not matter.
void LineWithCircle(const QvGRLine& line, const QvGRCircle& circle, bool extended,
                    QvSpecialPointList* list) {
    QvPoint first = circle.IntersectLine1(&line);
    QvPoint second = circle.IntersectLine2(&line);
    if (extended || line.IsOn(first))
        Append(list, first);
    if (extended || line.IsOn(second))
        Append(list, second);
}

void CurveWithLine(const QvGRBezierCurve& curve, const QvGRLine& line, int limit,
                   QvSpecialPointList* list) {
    QvPoint hits[kCurveHitsSecond];
    int count = curve.IntersectLine(&line, hits, limit);
    for (int i = 0; i < count; ++i)
        Append(list, hits[i]);
}

void CurveWithCurve(const QvGRBezierCurve& curve, const QvGRBezierCurve& other, int limit,
                    QvSpecialPointList* list) {
    QvPoint hits[kCurveHitsSecond];
    int count = curve.IntersectCurve(&other, hits, limit);
    for (int i = 0; i < count; ++i)
        Append(list, hits[i]);
}

void CurveWithCircle(const QvGRBezierCurve& curve, const QvGRCircle& circle, int limit,
                     QvSpecialPointList* list) {
    QvGRBezierCurve round;
    QvGRBezierCurve::MakeCircleCurve(circle, round);
    CurveWithCurve(curve, round, limit, list);
}

void AddPair(const QvGRBase& first, Kind a, const QvGRBase& second, Kind b, bool extended,
             QvSpecialPointList* list) {
    // A primitive made of lines meets the other as each of its lines, in
    // order; a point meets whatever passes through it.
    switch (a) {
    case Kind::Triangle:
        for (int i = 0; i < 3; ++i)
            AddPair(static_cast<const QvGRTriangle&>(first).GetEdge(i), Kind::Line, second, b,
                    extended, list);
        return;
    case Kind::Polygon:
        static_cast<const QvGRPolygon&>(first).ForEachSide(
            [&](const QvGRLine& side) { AddPair(side, Kind::Line, second, b, extended, list); });
        return;
    case Kind::Rect:
        for (const QvGRLine& edge : static_cast<const QvGRRect&>(first).edge)
            AddPair(edge, Kind::Line, second, b, extended, list);
        return;
    case Kind::Point: {
        const QvPoint& point = static_cast<const QvGRPoint&>(first).point;
        if (!extended && second.IsOn(point))
            Append(list, point);
        return;
    }
    default:
        break;
    }
    // Second, only the triangle is taken edge by edge.
    if (b == Kind::Triangle) {
        for (int i = 0; i < 3; ++i)
            AddPair(first, a, static_cast<const QvGRTriangle&>(second).GetEdge(i), Kind::Line,
                    extended, list);
        return;
    }

    switch (Pair(a, b)) {
    case Pair(Kind::Line, Kind::Line): {
        const auto& line = static_cast<const QvGRLine&>(first);
        const auto& other = static_cast<const QvGRLine&>(second);
        Append(list, extended ? line.IntersectLines(other) : line.IntersectSegments(other));
        return;
    }
    case Pair(Kind::Line, Kind::Circle):
        LineWithCircle(static_cast<const QvGRLine&>(first), static_cast<const QvGRCircle&>(second),
                       extended, list);
        return;
    case Pair(Kind::Circle, Kind::Line):
        LineWithCircle(static_cast<const QvGRLine&>(second), static_cast<const QvGRCircle&>(first),
                       extended, list);
        return;
    case Pair(Kind::Circle, Kind::Circle): {
        const auto& circle = static_cast<const QvGRCircle&>(first);
        const auto& other = static_cast<const QvGRCircle&>(second);
        QvPoint p1 = other.IntersectCircle1(&circle);
        QvPoint p2 = other.IntersectCircle2(&circle);
        if (circle.IsOn(p1))
            Append(list, p1);
        if (circle.IsOn(p2))
            Append(list, p2);
        return;
    }
    case Pair(Kind::Line, Kind::Curve):
        if (!extended)
            CurveWithLine(static_cast<const QvGRBezierCurve&>(second),
                          static_cast<const QvGRLine&>(first), kCurveHitsSecond, list);
        return;
    case Pair(Kind::Curve, Kind::Line):
        if (!extended)
            CurveWithLine(static_cast<const QvGRBezierCurve&>(first),
                          static_cast<const QvGRLine&>(second), kCurveFirstLineLimit, list);
        return;
    case Pair(Kind::Circle, Kind::Curve): // extended as well
        CurveWithCircle(static_cast<const QvGRBezierCurve&>(second),
                        static_cast<const QvGRCircle&>(first), kCurveHitsSecond, list);
        return;
    case Pair(Kind::Curve, Kind::Circle):
        if (!extended)
            CurveWithCircle(static_cast<const QvGRBezierCurve&>(first),
                            static_cast<const QvGRCircle&>(second), kCurveFirstCurveLimit, list);
        return;
    case Pair(Kind::Curve, Kind::Curve):
        if (!extended)
            CurveWithCurve(static_cast<const QvGRBezierCurve&>(first),
                           static_cast<const QvGRBezierCurve&>(second), kCurveFirstCurveLimit,
                           list);
        return;
    default:
        return;
    }
}
} // namespace

void QvAddCrossings(const QvGRBase& first, const QvGRBase& second, bool extended,
                    QvSpecialPointList* list, int level) {
    if (!QvSnapKindPasses(QvSnap::Intersection, level))
        return;
    AddPair(first, KindOf(first), second, KindOf(second), extended, list);
}

// ------------------------------------------------------- QvGRBase entries

void QvGRBase::AddIntersections(const QvGRBase* other, QvSpecialPointList* list, int level) const {
    QvAddCrossings(*this, *other, false, list, level);
}

void QvGRBase::AddExtendedIntersections(const QvGRBase* other, QvSpecialPointList* list,
                                        int level) const {
    QvAddCrossings(*this, *other, true, list, level);
}

// ------------------------------------------------- the circle with lines

QvPoint QvGRCircle::IntersectLine(const QvGRLine* line, double sign) const {
    QvVector u = centre - line->p2;
    double length = u.Length();
    QvVector v = line->p1 - line->p2;
    const double a = 1.0;
    double b = -2.0 * length * u.CosAngle(v);
    double k = length * length - radius * radius;
    double discriminant = b * b - 4.0 * a * k;
    double t;
    if (QvIsNear(discriminant, 0.0, TouchTolerance))
        t = -b / (a * 2.0);
    else if (discriminant >= 0.0)
        t = (-b + sign * std::sqrt(discriminant)) / (2.0 * a);
    else
        return QvPoint::Far();
    v.SetLength(t);
    return line->p2 + v;
}

QvPoint QvGRCircle::IntersectLine1(const QvGRLine* line) const {
    return IntersectLine(line, 1.0);
}

QvPoint QvGRCircle::IntersectLine2(const QvGRLine* line) const {
    return IntersectLine(line, -1.0);
}

QvGRLine QvGRCircle::LineThroughCentre(QvPoint p) const {
    return QvGRLine(centre, p);
}

QvGRLine QvGRCircle::TangentLineAt(QvPoint p) const {
    if (!IsOn(p))
        return QvGRLine(0, 0, 0, 0);
    return QvGRLine(centre, p).PerpendicularThrough(p);
}

void QvGRCircle::AddGuideShapes(const QvPoint* from, QvGuideShapeList* list, int level) const {
    if (QvSnapKindPasses(QvSnap::Tangent, level) && IsOn(*from))
        QvAppendGuideShape(list, std::make_unique<QvGRLine>(TangentLineAt(*from)), QvSnap::Tangent);
    if (QvSnapKindPasses(QvSnap::LineThroughCentre, level) && !HitTest(*from, NearDistance))
        QvAppendGuideShape(list, std::make_unique<QvGRLine>(LineThroughCentre(*from)),
                           QvSnap::LineThroughCentre);
}

// ------------------------------------------------ the line's circle guide

void QvGRLine::AddGuideShapes(const QvPoint* from, QvGuideShapeList* list, int level) const {
    if (QvSnapKindPasses(QvSnap::PerpendicularToLine, level))
        QvAppendGuideShape(list, std::make_unique<QvGRLine>(PerpendicularThrough(*from)),
                           QvSnap::PerpendicularToLine);
    if (QvSnapKindPasses(QvSnap::ParallelToLine, level))
        QvAppendGuideShape(list, std::make_unique<QvGRLine>(ParallelThrough(*from)),
                           QvSnap::ParallelToLine);
    // Not gated by any snap kind.
    if (*from == p1 || *from == p2) {
        auto circle = std::make_unique<QvGRCircle>();
        circle->centre = *from;
        circle->radius = GetLength();
        QvAppendGuideShape(list, std::move(circle), 1.7, QStringLiteral("Equal length"));
    }
}

// ------------------------------------- the curve with lines and circles

int QvGRBezierCurve::IntersectLine(const QvGRLine* line, QvPoint* out, int limit) const {
    int count = 0;
    if (!m_built)
        return 0;
    double m = line->GetSlope();
    double k = line->GetIntercept();
    bool vertical = m == QV_VERTICAL_SLOPE;
    int segments = SegmentCount();
    for (int i = 0; i < segments && count < limit; ++i) {
        Segment s = GetSegmentCoefficients(i);
        double c[4];
        if (vertical) {
            // x(t) = x of the line: the slope form has no vertical line.
            c[0] = s.cx[0] - line->p1.x;
            c[1] = s.cx[1], c[2] = s.cx[2], c[3] = s.cx[3];
        } else {
            c[0] = m * s.cx[0] - s.cy[0] + k;
            for (int j = 1; j < 4; ++j)
                c[j] = m * s.cx[j] - s.cy[j];
        }
        double roots[3];
        int n = SolveCubicInUnitInterval(c, roots);
        for (int j = 0; j < n && count < limit; ++j)
            out[count++] = QvEvalCubic(s.cx, s.cy, roots[j]);
    }
    return count;
}

void QvGRBezierCurve::MakeCircleCurve(const QvGRCircle& circle, QvGRBezierCurve& curve) {
    QvVector r(circle.radius, 0.0);
    QvVector up = r.Perpendicular();
    curve.Reset();
    curve.AddPoint(circle.centre + r);
    curve.AddPoint(circle.centre + up);
    curve.AddPoint(circle.centre - r);
    curve.AddPoint(circle.centre - up);
    curve.ComputeControlPoints(true, CircleFactor);
}
