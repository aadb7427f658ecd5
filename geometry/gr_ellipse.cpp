#include "geometry/gr_ellipse.h"

#include "geometry/snap_kind.h"

#include <cmath>

IMPLEMENT_SERIAL(QvGREllipse, QvGRBase, 1)

QvGREllipse::QvGREllipse() {
    type = QvGRType::Ellipse;
}

QvGREllipse& QvGREllipse::operator=(const QvGREllipse& other) {
    centre = other.centre;
    a = other.a;
    b = other.b;
    axis = other.axis;
    return *this;
}

QvVector QvGREllipse::GetU() const {
    QvVector u = axis;
    u.SetLength(a);
    return u;
}

QvVector QvGREllipse::GetV() const {
    QvVector v = GetU().Perpendicular();
    v.SetLength(b);
    return v;
}

QvPoint QvGREllipse::PointAt(double t) const {
    QvVector u = GetU();
    QvVector v = GetV();
    double c = std::cos(t);
    double s = std::sin(t);
    return QvPoint(centre.x + c * u.x + s * v.x, centre.y + c * u.y + s * v.y);
}

bool QvGREllipse::IsDegenerate() const {
    // Any non-zero axis scales to a; only an exactly zero one has no direction.
    return a == 0.0 || b == 0.0 || (axis.x == 0.0 && axis.y == 0.0);
}

double QvGREllipse::RadiusToward(QvVector d) const {
    QvVector u = GetU();
    double lengths = u.Length() * d.Length();
    double c = lengths == 0.0 ? 0.0 : u.Dot(d) / lengths;
    double a2 = a * a;
    double b2 = b * b;
    double denominator = b2 * c * c + a2 - a2 * c * c;
    if (!(denominator > 0.0))
        return 0.0;
    return std::sqrt(a2 * b2 / denominator);
}

double QvGREllipse::DistanceTo(QvPoint p) const {
    // With a zero semi-axis the radius formula divides zero by zero.
    if (IsDegenerate())
        return QV_FAR;
    QvVector d = p - centre;
    return std::fabs(d.Length() - RadiusToward(d));
}

bool QvGREllipse::HitTest(QvPoint p, double tolerance) const {
    return DistanceTo(p) <= tolerance;
}

bool QvGREllipse::HitTestExtended(QvPoint p, double tolerance) const {
    return HitTest(p, tolerance);
}

QvPoint QvGREllipse::NearestPoint(QvPoint p) const {
    if (IsDegenerate())
        return QvPoint::Far();
    QvVector d = p - centre;
    d.SetLength(RadiusToward(d));
    return centre + d;
}

std::unique_ptr<QvGRBase> QvGREllipse::Clone() const {
    auto clone = std::make_unique<QvGREllipse>();
    *clone = *this;
    return clone;
}

bool QvGREllipse::IsEmpty() const {
    return centre.x == 0.0 && centre.y == 0.0 && a == 0.0 && b == 0.0 && axis.IsZero();
}

bool QvGREllipse::IsOn(QvPoint p) const {
    return QvIsNear(DistanceTo(p), 0.0, 1e-8);
}

bool QvGREllipse::IsOnExtended(QvPoint p) const {
    return IsOn(p);
}

void QvGREllipse::AddSnapPoints(QvSpecialPointList* list, int level) const {
    QvVector u = GetU();
    QvVector v = GetV();
    if (QvSnapKindPasses(QvSnap::EllipseCentre, level))
        QvAppendSnapPoint(list, QvSnap::EllipseCentre, centre);
    if (QvSnapKindPasses(QvSnap::EndOfAxis, level)) {
        QvAppendSnapPoint(list, QvSnap::EndOfAxis, centre + v);
        QvAppendSnapPoint(list, QvSnap::EndOfAxis, centre - v);
        QvAppendSnapPoint(list, QvSnap::EndOfAxis, centre - u);
        QvAppendSnapPoint(list, QvSnap::EndOfAxis, centre + u);
    }
    if (QvSnapKindPasses(QvSnap::Focus, level)) {
        // The foci lie on the longer semi-axis.
        QvVector w = a > b ? u : v;
        w.SetLength(std::sqrt(std::fabs(a * a - b * b)));
        QvAppendSnapPoint(list, QvSnap::Focus, centre + w);
        QvAppendSnapPoint(list, QvSnap::Focus, centre - w);
    }
}
