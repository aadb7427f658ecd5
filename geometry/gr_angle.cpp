#include "geometry/gr_angle.h"

#include "geometry/snap_kind.h"

#include <algorithm>

IMPLEMENT_SERIAL(QvGRAngle, QvGRBase, 1)

QvGRAngle::QvGRAngle() {
    type = QvGRType::Angle;
}

QvGRAngle& QvGRAngle::operator=(const QvGRAngle& other) {
    std::copy(std::begin(other.points), std::end(other.points), std::begin(points));
    return *this;
}

double QvGRAngle::DistanceTo(QvPoint p) const {
    double best = (p - points[0]).Length();
    for (int i = 1; i < 4; ++i)
        best = std::min(best, (p - points[i]).Length());
    return best;
}

bool QvGRAngle::HitTest(QvPoint p, double tolerance) const {
    return DistanceTo(p) <= tolerance;
}

bool QvGRAngle::HitTestExtended(QvPoint p, double tolerance) const {
    return HitTest(p, tolerance);
}

QvPoint QvGRAngle::NearestPoint(QvPoint) const {
    return points[2];
}

std::unique_ptr<QvGRBase> QvGRAngle::Clone() const {
    auto clone = std::make_unique<QvGRAngle>();
    *clone = *this;
    return clone;
}

bool QvGRAngle::IsEmpty() const {
    return std::all_of(std::begin(points), std::end(points),
                       [](const QvPoint& p) { return p.IsFar(); });
}

bool QvGRAngle::IsOn(QvPoint p) const {
    return QvIsNear(DistanceTo(p), 0.0, 1e-8);
}

bool QvGRAngle::IsOnExtended(QvPoint p) const {
    return IsOn(p);
}

void QvGRAngle::AddSnapPoints(QvSpecialPointList* list, int level) const {
    if (!QvSnapKindPasses(QvSnap::AngleMark, level))
        return;
    for (int i = 0; i < 3; ++i)
        QvAppendSnapPoint(list, QvSnap::AngleMark, points[i]);
}
