#include "geometry/gr_point.h"

#include "geometry/snap_kind.h"

IMPLEMENT_SERIAL(QvGRPoint, QvGRBase, 1)

QvGRPoint::QvGRPoint() {
    type = QvGRType::Point;
}

QvGRPoint& QvGRPoint::operator=(const QvGRPoint& other) {
    point.x = other.point.x;
    point.y = other.point.y;
    return *this;
}

double QvGRPoint::DistanceTo(QvPoint p) const {
    return (p - point).Length();
}

bool QvGRPoint::HitTest(QvPoint p, double tolerance) const {
    return DistanceTo(p) <= tolerance;
}

bool QvGRPoint::HitTestExtended(QvPoint p, double tolerance) const {
    return HitTest(p, tolerance);
}

QvPoint QvGRPoint::NearestPoint(QvPoint) const {
    return point;
}

std::unique_ptr<QvGRBase> QvGRPoint::Clone() const {
    auto clone = std::make_unique<QvGRPoint>();
    *clone = *this;
    return clone;
}

bool QvGRPoint::IsEmpty() const {
    // A point figure always has its point; the origin is a place like any
    // other, and calling it empty would drop a real point from the snaps.
    return false;
}

bool QvGRPoint::IsOn(QvPoint p) const {
    return QvIsNear(DistanceTo(p), 0.0, 1e-8);
}

bool QvGRPoint::IsOnExtended(QvPoint p) const {
    return IsOn(p);
}

void QvGRPoint::AddSnapPoints(QvSpecialPointList* list, int level) const {
    if (QvSnapKindPasses(QvSnap::Point, level))
        QvAppendSnapPoint(list, QvSnap::Point, point);
}
