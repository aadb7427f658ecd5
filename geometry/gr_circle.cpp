#include "geometry/gr_circle.h"

#include "geometry/snap_kind.h"

#include <cmath>

IMPLEMENT_SERIAL(QvGRCircle, QvGRBase, 1)

namespace {} // namespace

QvGRCircle::QvGRCircle() {
    type = QvGRType::Circle;
}

QvGRCircle& QvGRCircle::operator=(const QvGRCircle& other) {
    centre.x = other.centre.x;
    centre.y = other.centre.y;
    radius = other.radius;
    return *this;
}

// ----------------------------------------------------------- constructions

QvPoint QvGRCircle::TangentPoint(QvPoint from, double sign) const {
    QvVector u = from - centre;
    double d = u.Length();
    if (QvIsNear(d, radius, TouchTolerance))
        return from; // on the circle: its own tangent point
    if (d < radius)
        return QvPoint::Far();
    double c = radius / d;
    double s = std::sqrt(1.0 - c * c);
    u.Rotate(c, sign * s);
    u.SetLength(radius);
    return centre + u;
}

QvPoint QvGRCircle::GetTangentPoint1(QvPoint from) const {
    return TangentPoint(from, 1.0);
}

QvPoint QvGRCircle::GetTangentPoint2(QvPoint from) const {
    return TangentPoint(from, -1.0);
}

QvPoint QvGRCircle::IntersectCircle(const QvGRCircle* other, double sign) const {
    QvVector u = other->centre - centre;
    double d = u.Length();
    // Concentric circles, and a circle of radius 0, whose cosine below would
    // divide by zero: no intersection rather than NaN.
    if (d == 0.0 || radius == 0.0)
        return QvPoint::Far();
    double cosA = (radius * radius + d * d - other->radius * other->radius) / (2.0 * radius * d);
    double q = 1.0 - cosA * cosA;
    double sinA;
    if (QvIsNear(q, 0.0, TouchTolerance))
        sinA = 0.0;
    else if (q < 0.0)
        return QvPoint::Far();
    else
        sinA = sign * std::sqrt(q);
    u.Rotate(cosA, sinA);
    u.SetLength(radius);
    return centre + u;
}

QvPoint QvGRCircle::IntersectCircle1(const QvGRCircle* other) const {
    return IntersectCircle(other, 1.0);
}

QvPoint QvGRCircle::IntersectCircle2(const QvGRCircle* other) const {
    return IntersectCircle(other, -1.0);
}

QvPoint QvGRCircle::CommonTangentPoint(const QvGRCircle* other, double otherRadiusSign,
                                       double sign) const {
    QvVector v = other->centre - centre;
    double d = v.Length();
    if (d == 0.0)
        return QvPoint::Far();
    v.SetLength(radius);
    double c = (radius + otherRadiusSign * other->radius) / d;
    double q = 1.0 - c * c;
    // |c| > 1: this tangent does not exist.  The far point is what no
    // pointer can match, where sqrt of a negative would give NaN.
    if (q < 0.0)
        return QvPoint::Far();
    v.Rotate(c, sign * std::sqrt(q));
    return centre + v;
}

QvPoint QvGRCircle::GetOuterTangentPoint1(const QvGRCircle* other) const {
    return CommonTangentPoint(other, -1.0, 1.0);
}

QvPoint QvGRCircle::GetOuterTangentPoint2(const QvGRCircle* other) const {
    return CommonTangentPoint(other, -1.0, -1.0);
}

QvPoint QvGRCircle::GetInnerTangentPoint1(const QvGRCircle* other) const {
    return CommonTangentPoint(other, 1.0, 1.0);
}

QvPoint QvGRCircle::GetInnerTangentPoint2(const QvGRCircle* other) const {
    return CommonTangentPoint(other, 1.0, -1.0);
}

// ------------------------------------------------------ QvGRBase interface

double QvGRCircle::DistanceTo(QvPoint p) const {
    return std::fabs((p - centre).Length() - radius);
}

bool QvGRCircle::HitTest(QvPoint p, double tolerance) const {
    return DistanceTo(p) <= tolerance;
}

bool QvGRCircle::HitTestExtended(QvPoint p, double tolerance) const {
    return HitTest(p, tolerance);
}

QvPoint QvGRCircle::NearestPoint(QvPoint p) const {
    QvVector v = p - centre;
    v.Normalize();
    return centre + v * radius;
}

std::unique_ptr<QvGRBase> QvGRCircle::Clone() const {
    auto clone = std::make_unique<QvGRCircle>();
    *clone = *this;
    return clone;
}

bool QvGRCircle::IsEmpty() const {
    return centre.x == 0.0 && centre.y == 0.0 && radius == 0.0;
}

bool QvGRCircle::IsOn(QvPoint p) const {
    return QvIsNear(DistanceTo(p), 0.0, 1e-8);
}

bool QvGRCircle::IsOnExtended(QvPoint p) const {
    return IsOn(p);
}

void QvGRCircle::AddSnapPoints(QvSpecialPointList* list, int level) const {
    if (QvSnapKindPasses(QvSnap::Centre, level))
        QvAppendSnapPoint(list, QvSnap::Centre, centre);
}

void QvGRCircle::AddPointSnapPoints(const QvPoint* from, QvSpecialPointList* list, int flag,
                                    int level) const {
    if (!QvSnapKindPasses(QvSnap::Tangent, level))
        return;
    if (HitTest(*from, NearDistance) || flag != 1)
        return;
    QvPoint first = GetTangentPoint1(*from);
    QvPoint second = GetTangentPoint2(*from);
    if (IsOn(first))
        QvAppendSnapPoint(list, QvSnap::Tangent, first);
    if (IsOn(second))
        QvAppendSnapPoint(list, QvSnap::Tangent, second);
}

void QvAddCommonTangentPoints(const QvGRCircle& first, const QvGRCircle& second,
                              QvSpecialPointList* list, int level) {
    if (!QvSnapKindPasses(QvSnap::TangentToBothCircles, level))
        return;
    QvAppendSnapPoint(list, QvSnap::TangentToBothCircles, first.GetOuterTangentPoint1(&second));
    QvAppendSnapPoint(list, QvSnap::TangentToBothCircles, first.GetOuterTangentPoint2(&second));
    QvAppendSnapPoint(list, QvSnap::TangentToBothCircles, first.GetInnerTangentPoint1(&second));
    QvAppendSnapPoint(list, QvSnap::TangentToBothCircles, first.GetInnerTangentPoint2(&second));
}
