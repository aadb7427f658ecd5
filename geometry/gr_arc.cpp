#include "geometry/gr_arc.h"

#include "geometry/gr_line.h"
#include "geometry/snap_kind.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_SERIAL(QvGRArc, QvGREllipse, 1)

namespace {
constexpr double kHalfPi = 1.570796327;
constexpr double kOutsideOpenArc = 100000.0;
constexpr double kRadiusReach = 200.0;

// The point of the segment nearest to p (the line's NearestPoint is the foot
// on the infinite line).
QvPoint NearestOnSegment(const QvGRLine& line, QvPoint p) {
    QvVector d = line.p2 - line.p1;
    double lengthSquared = d.Dot(d);
    if (lengthSquared == 0.0)
        return line.p1;
    double f = std::clamp((p - line.p1).Dot(d) / lengthSquared, 0.0, 1.0);
    return line.p1 + d * f;
}
} // namespace

QvGRArc::QvGRArc() {
    type = QvGRType::Ellipse;
}

QvGRArc& QvGRArc::operator=(const QvGRArc& other) {
    QvGREllipse::operator=(other);
    startPoint = other.startPoint;
    endPoint = other.endPoint;
    thirdPoint = other.thirdPoint;
    between = other.between;
    reversed = other.reversed;
    major = other.major;
    closingType = other.closingType;
    startAngle = other.startAngle;
    thirdAngle = other.thirdAngle;
    endAngle = other.endAngle;
    return *this;
}

QvPoint QvGRArc::ProjectToEllipse(QvPoint p) const {
    QvVector d = p - centre;
    double r = a * a == 0.0 ? 0.0 : RadiusToward(d);
    d.SetLength(r);
    return centre + d;
}

QvPoint QvGRArc::NearestPointOnEllipse(QvPoint p) const {
    return QvGREllipse::NearestPoint(p);
}

double QvGRArc::GetParameterAngle(QvPoint p) const {
    QvPoint q = ProjectToEllipse(p);
    QvVector u = GetU();
    QvVector v = GetV();
    QvVector w = q - centre;
    double d = u.y * v.x - u.x * v.y;
    if (d == 0.0)
        d = 1e-07;
    // w = s U + t V: s is the cosine and t the sine of the angle.  Rounding
    // (or a flat ellipse) may carry them just past +-1, where acos has no value.
    double s = std::clamp((v.x * w.y - v.y * w.x) / d, -1.0, 1.0);
    double t = std::clamp((u.y * w.x - u.x * w.y) / d, -1.0, 1.0);
    double alpha = QvIsNear(s, -1.0, 1e-8) ? QV_PI : QvIsNear(s, 1.0, 1e-8) ? 0.0 : std::acos(s);
    double beta = QvIsNear(t, -1.0, 1e-8)  ? -kHalfPi
                  : QvIsNear(t, 1.0, 1e-8) ? kHalfPi
                                           : std::asin(t);
    if (t >= 0.0)
        return alpha;
    if (s >= 0.0)
        return beta;
    return -alpha;
}

bool QvGRArc::IsWithinAngles(double theta) const {
    double lo = std::min(startAngle, endAngle);
    double hi = std::max(startAngle, endAngle);
    return lo < theta && theta < hi;
}

void QvGRArc::UpdateAngles() {
    startAngle = GetParameterAngle(startPoint);
    thirdAngle = GetParameterAngle(thirdPoint);
    endAngle = GetParameterAngle(endPoint);
    between = IsWithinAngles(thirdAngle) ? 1 : 0;
}

QvPoint QvGRArc::GetStartAndCentralAngle() {
    double sweep = std::fabs(startAngle - endAngle) * QV_DEGREES_PER_RADIAN;
    double first;
    if (between == 0) {
        sweep = 360.0 - sweep;
        first = std::max(startAngle, endAngle);
    } else {
        first = std::min(startAngle, endAngle);
    }
    first *= QV_DEGREES_PER_RADIAN;
    first = Round(first * 100.0) / 100.0;
    sweep = Round(sweep * 100.0) / 100.0;
    major = sweep > 180.0 ? 1 : 0;
    return QvPoint(first, sweep);
}

double QvGRArc::DistanceTo(QvPoint p) const {
    if (IsDegenerate())
        return QV_FAR;
    QvVector d = p - centre;
    double ring = std::fabs(d.Length() - RadiusToward(d));
    if (InSweep(GetParameterAngle(p)))
        return ring;
    QvPoint s = PointAt(startAngle);
    QvPoint e = PointAt(endAngle);
    switch (closingType) {
    case QvArcClosing::Sector:
        return std::min(QvGRLine(s, centre).DistanceTo(p), QvGRLine(e, centre).DistanceTo(p));
    case QvArcClosing::Segment:
        return QvGRLine(s, e).DistanceTo(p);
    default: // open, and any unknown closing
        return kOutsideOpenArc;
    }
}

bool QvGRArc::HitTest(QvPoint p, double tolerance) const {
    return DistanceTo(p) <= tolerance;
}

bool QvGRArc::HitTestExtended(QvPoint p, double tolerance) const {
    return HitTest(p, tolerance);
}

QvPoint QvGRArc::NearestPoint(QvPoint p) const {
    QvPoint q0 = InSweep(GetParameterAngle(p)) ? ProjectToEllipse(p) : QvPoint::Far();
    QvPoint q1 = q0;
    QvPoint s = PointAt(startAngle);
    QvPoint e = PointAt(endAngle);
    if (closingType == QvArcClosing::Sector) {
        QvGRLine l1(s, centre);
        QvGRLine l2(e, centre);
        if (l1.HitTest(p, kRadiusReach)) {
            q1 = l1.NearestPoint(p);
        } else if (l2.HitTest(p, kRadiusReach)) {
            q1 = l2.NearestPoint(p);
        } else {
            // Far from both radii: the nearer point of the two, so that the
            // answer stays on the sector's outline.
            QvPoint n1 = NearestOnSegment(l1, p);
            QvPoint n2 = NearestOnSegment(l2, p);
            q1 = (p - n1).Length() <= (p - n2).Length() ? n1 : n2;
        }
    } else if (closingType == QvArcClosing::Segment) {
        q1 = QvGRLine(s, e).NearestPoint(p);
    }
    return (p - q0).Length() <= (p - q1).Length() ? q0 : q1;
}

std::unique_ptr<QvGRBase> QvGRArc::Clone() const {
    auto clone = std::make_unique<QvGRArc>();
    *clone = *this;
    return clone;
}

bool QvGRArc::IsOn(QvPoint p) const {
    return QvIsNear(DistanceTo(p), 0.0, 1e-8);
}

bool QvGRArc::IsOnExtended(QvPoint p) const {
    return IsOn(p);
}

void QvGRArc::AddSnapPoints(QvSpecialPointList* list, int level) const {
    QvPoint s = PointAt(startAngle);
    QvPoint e = PointAt(endAngle);
    if (QvSnapKindPasses(QvSnap::CentreOfCurvature, level))
        QvAppendSnapPoint(list, QvSnap::CentreOfCurvature, centre);
    if (QvSnapKindPasses(QvSnap::EndOfArc, level)) {
        QvAppendSnapPoint(list, QvSnap::EndOfArc, s);
        QvAppendSnapPoint(list, QvSnap::EndOfArc, e);
    }
    if (QvSnapKindPasses(QvSnap::MidPointOfArc, level)) {
        double m = (startAngle + endAngle) / 2.0;
        if (between == 0)
            m += QV_PI;
        QvAppendSnapPoint(list, QvSnap::MidPointOfArc, PointAt(m));
    }
    if (QvSnapKindPasses(QvSnap::MidPointOfChord, level) && closingType == QvArcClosing::Segment)
        QvAppendSnapPoint(list, QvSnap::MidPointOfChord, s + (e - s) * 0.5);
}
