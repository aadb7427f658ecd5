#include "geometry/gr_line.h"

#include "geometry/snap_kind.h"

#include <cmath>

IMPLEMENT_SERIAL(QvGRLine, QvGRBase, 1)

namespace {
constexpr double kOnTolerance = 0.001;
constexpr double kSlopeTolerance = 1e-8;
constexpr double kFootDistance = 200.0;
constexpr double kHalfWidth = 60000.0;
constexpr double kSegmentBound = 300000.0;

bool InsideBound(double v) {
    return v > -kSegmentBound && v < kSegmentBound;
}
} // namespace

QvGRLine::QvGRLine() {
    type = QvGRType::Line;
}

QvGRLine::QvGRLine(double x1, double y1, double x2, double y2) : p1(x1, y1), p2(x2, y2) {
    type = QvGRType::Line;
}

QvGRLine::QvGRLine(QvPoint first, QvPoint second) : p1(first), p2(second) {
    type = QvGRType::Line;
}

double QvGRLine::GetLength() const {
    return (p2 - p1).Length();
}

double QvGRLine::GetSlope() const {
    double dx = p2.x - p1.x;
    if (dx == 0.0)
        return QV_VERTICAL_SLOPE;
    return (p2.y - p1.y) / dx;
}

double QvGRLine::GetIntercept() const {
    double m = GetSlope();
    if (m == QV_VERTICAL_SLOPE)
        return QV_FAR;
    return p1.y - m * p1.x;
}

QvGRLine QvGRLine::ConstructionLine(QvPoint p, double m) {
    if (m == QV_VERTICAL_SLOPE)
        return QvGRLine(p.x, p.y - kHalfWidth, p.x, p.y + kHalfWidth);
    return QvGRLine(p.x - kHalfWidth, p.y - m * kHalfWidth, p.x + kHalfWidth, p.y + m * kHalfWidth);
}

QvGRLine QvGRLine::PerpendicularThrough(QvPoint p) const {
    double slope = GetSlope();
    double m = slope == 0.0 ? QV_VERTICAL_SLOPE : -1.0 / slope;
    return ConstructionLine(p, m);
}

QvGRLine QvGRLine::ParallelThrough(QvPoint p) const {
    return ConstructionLine(p, GetSlope());
}

QvPoint QvGRLine::IntersectLines(const QvGRLine& other) const {
    double m1 = GetSlope();
    double m2 = other.GetSlope();
    double b1 = GetIntercept();
    double b2 = other.GetIntercept();
    if (QvIsNear(m1, m2, kSlopeTolerance))
        return QvPoint::Far();
    if (m1 == QV_VERTICAL_SLOPE)
        return QvPoint(p1.x, m2 * p1.x + b2);
    if (m2 == QV_VERTICAL_SLOPE)
        return QvPoint(other.p1.x, m1 * other.p1.x + b1);
    double x = -(b1 - b2) / (m1 - m2);
    return QvPoint(x, m1 * x + b1);
}

QvPoint QvGRLine::IntersectSegments(const QvGRLine& other) const {
    if (!(InsideBound(p1.x) && InsideBound(p1.y) && InsideBound(p2.x) && InsideBound(p2.y)))
        return QvPoint::Far();
    QvPoint x = IntersectLines(other);
    if (IsOn(x) && other.IsOn(x))
        return x;
    return QvPoint::Far();
}

QvGRLine QvGRLine::GetBisector1(QvGRLine other) const {
    QvPoint x = IntersectSegments(other);
    if (x.IsFar())
        return QvGRLine(0, 0, 0, 0);
    QvVector a = p2 - p1;
    QvVector b = other.p2 - other.p1;
    a.SetLength(100.0);
    b.SetLength(100.0);
    QvPoint m = x + a + (b + a.Negate()) * 0.5;
    QvGRLine result = ConstructionLine(x, QvGRLine(x, m).GetSlope());
    if (!result.IsOn(x))
        return QvGRLine(0, 0, 0, 0);
    return result;
}

QvGRLine QvGRLine::GetBisector2(QvGRLine other) const {
    QvPoint x = IntersectSegments(other);
    if (x.IsFar())
        return QvGRLine(0, 0, 0, 0);
    QvVector a = p2 - p1;
    QvVector b = other.p2 - other.p1;
    a.SetLength(100.0);
    b.SetLength(100.0);
    QvPoint m = x + a + (a + b).Negate() * 0.5;
    return ConstructionLine(x, QvGRLine(x, m).GetSlope());
}

bool QvGRLine::IsSameLine(QvGRLine other) const {
    return QvIsNear(GetSlope(), other.GetSlope(), kSlopeTolerance) && IsOnExtended(other.p1);
}

// ------------------------------------------------------ QvGRBase interface

double QvGRLine::DistanceTo(QvPoint p) const {
    double length = GetLength();
    if (length <= 0.0)
        return QV_FAR;
    return std::fabs((p1.y - p.y) * (p2.x - p1.x) + (p2.y - p1.y) * (p.x - p1.x)) / length;
}

bool QvGRLine::HitTest(QvPoint p, double tolerance) const {
    if (!HitTestExtended(p, tolerance))
        return false;
    double d1 = (p - p1).Length();
    double d2 = (p - p2).Length();
    double reach = GetLength() + tolerance;
    return !(reach < d1 || reach < d2);
}

bool QvGRLine::HitTestExtended(QvPoint p, double tolerance) const {
    return DistanceTo(p) <= tolerance;
}

QvPoint QvGRLine::NearestPoint(QvPoint p) const {
    double dx = p2.x - p1.x;
    double dy = p2.y - p1.y;
    double lengthSquared = dx * dx + dy * dy;
    // The formula divides by the squared length: for coinciding ends the
    // line is that one point.
    if (lengthSquared == 0.0)
        return p1;
    double x = (dy * dy * p1.x + dx * dx * p.x + dy * dx * (p.y - p1.y)) / lengthSquared;
    double y = dx == 0.0 ? p.y : (dy / dx) * x + p1.y - dy * p1.x / dx;
    return QvPoint(x, y);
}

std::unique_ptr<QvGRBase> QvGRLine::Clone() const {
    return std::make_unique<QvGRLine>(*this);
}

bool QvGRLine::IsEmpty() const {
    return p1.x == 0.0 && p2.x == 0.0 && p1.y == 0.0 && p2.y == 0.0;
}

bool QvGRLine::IsOn(QvPoint p) const {
    return HitTest(p, kOnTolerance);
}

bool QvGRLine::IsOnExtended(QvPoint p) const {
    return HitTestExtended(p, kOnTolerance);
}

void QvGRLine::AddSnapPoints(QvSpecialPointList* list, int level) const {
    QvVector d = p2 - p1;
    if (QvSnapKindPasses(QvSnap::EndOfLine, level)) {
        QvAppendSnapPoint(list, QvSnap::EndOfLine, p1);
        QvAppendSnapPoint(list, QvSnap::EndOfLine, p2);
    }
    if (QvSnapKindPasses(QvSnap::MidPoint, level))
        QvAppendSnapPoint(list, QvSnap::MidPoint, p1 + d * 0.5);
    if (QvSnapKindPasses(QvSnap::Third, level)) {
        QvAppendSnapPoint(list, QvSnap::Third, p1 + d * 0.3333333333333333);
        QvAppendSnapPoint(list, QvSnap::Third, p1 + d * 0.6666666666666666);
    }
    if (QvSnapKindPasses(QvSnap::Quarter, level)) {
        QvAppendSnapPoint(list, QvSnap::Quarter, p1 + d * 0.25);
        QvAppendSnapPoint(list, QvSnap::Quarter, p1 + d * 0.75);
    }
}

void QvGRLine::AddPointSnapPoints(const QvPoint* from, QvSpecialPointList* list, int flag,
                                  int level) const {
    if (!QvSnapKindPasses(QvSnap::PerpendicularToLine, level))
        return;
    if (HitTest(*from, kFootDistance) || flag != 1)
        return;
    QvPoint foot = NearestPoint(*from);
    if (IsOn(foot))
        QvAppendSnapPoint(list, QvSnap::PerpendicularToLine, foot);
}

void QvGRLine::AddGuideShapesWith(const QvGRBase* other, QvGuideShapeList* list, int level) const {
    // Bisectors with lines only: a triangle reports code 1 but is no line.
    auto* line = dynamic_cast<const QvGRLine*>(other);
    if (other->GetType() != QvGRType::Line || !line)
        return;
    if (!QvSnapKindPasses(QvSnap::AngleBisector, level))
        return;
    double priority = QvGetSnapTable()[QvSnap::AngleBisector].priority;
    QvGRLine bisectors[2] = {GetBisector1(*line), GetBisector2(*line)};
    for (const QvGRLine& bisector : bisectors) {
        if (!bisector.IsEmpty())
            QvAppendGuideShape(list, std::make_unique<QvGRLine>(bisector), priority, QString());
    }
}
