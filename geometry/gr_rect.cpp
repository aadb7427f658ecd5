#include "geometry/gr_rect.h"

#include "geometry/snap_kind.h"

#include <algorithm>
#include <climits>
#include <cmath>

IMPLEMENT_SERIAL(QvGRRect, QvGRBase, 1)

namespace {
constexpr double kNoDistance = 100000000.0;
constexpr double kSideGate = 200.0;
constexpr double kContainSlack = 0.0001;
constexpr double kMinimumDrag = 0.00001;
constexpr double kFrameUnits = 1000.0;

bool SameVector(QvVector a, QvVector b) {
    return QvIsNear(a.x, b.x, 1e-8) && QvIsNear(a.y, b.y, 1e-8);
}

// A drag projection of exactly 0 would collapse the rectangle.
double NotZero(double v) {
    return v == 0.0 ? kMinimumDrag : v;
}

// v truncated toward zero, held inside the integer range.
LONG TruncToLong(double v) {
    double f = std::trunc(v);
    if (std::isnan(f))
        return 0;
    return LONG(std::clamp(f, double(INT_MIN), double(INT_MAX)));
}
} // namespace

QvGRRect::QvGRRect() {
    type = QvGRType::Rect;
}

QvGRRect::QvGRRect(const QvGRRect& other) : QvGRBase(other) {
    type = QvGRType::Rect;
    std::copy(std::begin(other.corner), std::end(other.corner), corner);
    Refresh();
}

QvGRRect::QvGRRect(QvPoint c0, QvPoint c1, QvPoint c2, QvPoint c3) {
    type = QvGRType::Rect;
    SetCorners(c0, c1, c2, c3);
}

QvGRRect::QvGRRect(const QvPointArray& points) {
    type = QvGRType::Rect;
    if (points.GetSize() >= 4) {
        for (int i = 0; i < 4; ++i)
            corner[i] = points[i];
        UpdateSides();
    }
    UpdateUnitVectors();
    Square();
}

QvGRRect& QvGRRect::operator=(const QvGRRect& other) {
    std::copy(std::begin(other.corner), std::end(other.corner), corner);
    Refresh();
    return *this;
}

void QvGRRect::SetCorners(QvPoint c0, QvPoint c1, QvPoint c2, QvPoint c3) {
    corner[0] = c0;
    corner[1] = c1;
    corner[2] = c2;
    corner[3] = c3;
    Refresh();
}

void QvGRRect::SetFromRect(const CRect& r) {
    corner[0] = QvPoint(r.left, r.top);
    corner[1] = QvPoint(r.right, r.top);
    corner[2] = QvPoint(r.right, r.bottom);
    corner[3] = QvPoint(r.left, r.bottom);
    Refresh();
}

void QvGRRect::Inflate(double dx, double dy) {
    corner[0] += QvVector(-dx, -dy);
    corner[1] += QvVector(dx, -dy);
    corner[2] += QvVector(dx, dy);
    corner[3] += QvVector(-dx, dy);
    Refresh();
}

void QvGRRect::Refresh() {
    UpdateSides();
    UpdateUnitVectors();
    Square();
}

void QvGRRect::UpdateSides() {
    side[0] = corner[1] - corner[0];
    side[1] = corner[3] - corner[0];
}

void QvGRRect::UpdateUnitVectors() {
    unit[0] = side[0].GetUnit();
    unit[1] = side[1].GetUnit();
    if (unit[0].IsZero() && !unit[1].IsZero())
        unit[0] = unit[1].Perpendicular();
    if (unit[1].IsZero() && !unit[0].IsZero())
        unit[1] = unit[0].Perpendicular();
}

void QvGRRect::Square() {
    if (side[0].IsPerpendicular(side[1]) && SameVector(side[0], corner[2] - corner[3]) &&
        SameVector(side[1], corner[2] - corner[1]))
        return;
    // Keep corner 0, corner 1 and side 0; side 1 turns to the counter-clockwise
    // side at its old length.
    double length = side[1].Length();
    QvVector rebuilt = side[0].Perpendicular().GetUnit() * length;
    side[1] = rebuilt;
    corner[2] = corner[1] + rebuilt;
    corner[3] = corner[0] + rebuilt;
}

QvGRRect::DragFrame QvGRRect::GetDragFrame(int index) const {
    switch (index) {
    case 0:
        return {2, 3, 1, unit[0].Negate(), unit[1].Negate()};
    case 1:
        return {3, 2, 0, unit[0].Negate(), unit[1]};
    case 2:
        return {0, 1, 3, unit[0], unit[1]};
    default:
        return {1, 0, 2, unit[0], unit[1].Negate()};
    }
}

void QvGRRect::MoveCorner(int index, QvPoint p) {
    if (index < 0 || index > 3)
        return;
    DragFrame f = GetDragFrame(index);
    corner[index] = p;
    QvVector d = corner[index] - corner[f.fixed];
    double s = NotZero(f.u.Dot(d));
    double t = NotZero(f.w.Dot(d));
    corner[f.alongFirst] = corner[f.fixed] + f.u * s;
    corner[f.alongSecond] = corner[f.fixed] + f.w * t;
    UpdateSides();
    Square();
}

void QvGRRect::MoveCornerKeepAspect(int index, QvPoint p) {
    if (index < 0 || index > 3)
        return;
    DragFrame f = GetDragFrame(index);
    double first = (corner[f.alongFirst] - corner[f.fixed]).Length();
    double second = (corner[f.alongSecond] - corner[f.fixed]).Length();
    // A collapsed side has no ratio to keep: drag freely instead of dividing
    // by zero.
    if (first == 0.0 || second == 0.0) {
        MoveCorner(index, p);
        return;
    }
    double ratio = first / second;
    corner[index] = p;
    QvVector d = corner[index] - corner[f.fixed];
    double s = NotZero(f.u.Dot(d));
    double t = NotZero(f.w.Dot(d));
    double m = std::min(std::fabs(s), std::fabs(t));
    double s2, t2;
    if (ratio < 1.0) {
        s2 = m;
        t2 = m / ratio;
    } else {
        t2 = m;
        s2 = m * ratio;
    }
    if (s < 0.0)
        s2 = -s2;
    if (t < 0.0)
        t2 = -t2;
    corner[f.alongFirst] = corner[f.fixed] + f.u * s2;
    corner[f.alongSecond] = corner[f.fixed] + f.w * t2;
    corner[index] = corner[f.fixed] + f.u * s2 + f.w * t2;
    UpdateSides();
    Square();
}

double QvGRRect::GetWidth() const {
    return side[0].Length();
}

QvPoint QvGRRect::GetCentre() const {
    return corner[0] + side[0] * 0.5 + side[1] * 0.5;
}

bool QvGRRect::ContainsPoint(QvPoint p) {
    UpdateSides();
    return IsInside(p);
}

bool QvGRRect::IsInside(QvPoint p) const {
    QvVector s0 = corner[1] - corner[0];
    QvVector s1 = corner[3] - corner[0];
    QvVector d = p - corner[0];
    double det = s0.y * s1.x - s0.x * s1.y;
    if (det == 0.0)
        return false;
    double s = (s1.x * d.y - s1.y * d.x) / det;
    double t = (d.x * s0.y - s0.x * d.y) / det;
    return s >= -kContainSlack && s <= 1.0 + kContainSlack && t >= -kContainSlack &&
           t <= 1.0 + kContainSlack;
}

bool QvGRRect::IsDifferent(const QvGRRect& other) const {
    for (int i = 0; i < 4; ++i) {
        if (corner[i] != other.corner[i])
            return true;
    }
    return false;
}

CRect QvGRRect::GetBounds() const {
    double minX = corner[0].x, maxX = corner[0].x, minY = corner[0].y, maxY = corner[0].y;
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, corner[i].x);
        maxX = std::max(maxX, corner[i].x);
        minY = std::min(minY, corner[i].y);
        maxY = std::max(maxY, corner[i].y);
    }
    // Truncated toward zero, as callers' redraw boxes have always been.
    return CRect(TruncToLong(minX), TruncToLong(minY), TruncToLong(maxX + 1.0),
                 TruncToLong(maxY + 1.0));
}

QvPoint QvGRRect::FrameToDocument(QvPoint framePoint) const {
    return FrameToDocument(framePoint.x, framePoint.y);
}

QvPoint QvGRRect::FrameToDocument(double x, double y) const {
    return corner[0] + side[0] * (x / kFrameUnits) + side[1] * (y / kFrameUnits);
}

QvPoint QvGRRect::DocumentToFrame(QvPoint p) const {
    QvVector d = p - corner[0];
    double distance = d.Length();
    // A side of length 0 has no thousandths: its coordinate is 0.
    auto along = [&](QvVector s) {
        double length = s.Length();
        return length == 0.0 ? 0.0 : kFrameUnits * distance * d.CosAngle(s) / length;
    };
    return QvPoint(along(side[0]), along(side[1]));
}

bool QvGRRect::HasZeroSides() const {
    return side[0].IsZero() && side[1].IsZero();
}

bool QvGRRect::IsEmpty() const {
    return HasZeroSides() && QvIsNear(corner[0].x, 0.0, 1e-8) && QvIsNear(corner[0].y, 0.0, 1e-8);
}

// ------------------------------------------------------ QvGRBase interface

double QvGRRect::DistanceTo(QvPoint p) const {
    double best = kNoDistance;
    for (int i = 0; i < 4; ++i) {
        QvGRLine line(corner[i], corner[(i + 1) % 4]);
        double d = line.DistanceTo(p);
        if (line.HitTest(p, kSideGate) && d < best)
            best = d;
    }
    return best;
}

QvPoint QvGRRect::NearestPoint(QvPoint p) const {
    double best = 1000000000.0;
    const QvGRLine* chosen = nullptr;
    for (const QvGRLine& e : edge) {
        double d = e.DistanceTo(p);
        if (d < best) {
            best = d;
            chosen = &e;
        }
    }
    return chosen ? chosen->NearestPoint(p) : QvPoint::Far();
}

std::unique_ptr<QvGRBase> QvGRRect::Clone() const {
    auto clone = std::make_unique<QvGRRect>();
    *clone = *this;
    return clone;
}

void QvGRRect::AddSnapPoints(QvSpecialPointList* list, int level) const {
    QvVector first = corner[1] - corner[0];
    QvVector second = corner[3] - corner[0];
    if (QvSnapKindPasses(QvSnap::RectVertex, level)) {
        for (const QvPoint& c : corner)
            QvAppendSnapPoint(list, QvSnap::RectVertex, c);
    }
    if (QvSnapKindPasses(QvSnap::RectMidPoint, level)) {
        QvAppendSnapPoint(list, QvSnap::RectMidPoint, corner[0] + first * 0.5);
        QvAppendSnapPoint(list, QvSnap::RectMidPoint, corner[1] + second * 0.5);
        QvAppendSnapPoint(list, QvSnap::RectMidPoint, corner[3] + first * 0.5);
        QvAppendSnapPoint(list, QvSnap::RectMidPoint, corner[0] + second * 0.5);
    }
}

void QvGRRect::AddPointSnapPoints(const QvPoint* from, QvSpecialPointList* list, int flag,
                                  int level) const {
    for (const QvGRLine& e : edge)
        e.AddPointSnapPoints(from, list, flag, level);
}

void QvGRRect::AddGuideShapes(const QvPoint* from, QvGuideShapeList* list, int level) const {
    for (const QvGRLine& e : edge)
        e.AddGuideShapes(from, list, level);
}

// ----------------------------------------------------------- QvGRFrameRect

QvGRFrameRect& QvGRFrameRect::operator=(const QvGRRect& other) {
    QvGRRect::operator=(other);
    return *this;
}

QvGRFrameRect& QvGRFrameRect::operator=(const QvGRFrameRect& other) {
    QvGRRect::operator=(other);
    return *this;
}

double QvGRFrameRect::DistanceTo(QvPoint p) const {
    double d = QvGRRect::DistanceTo(p);
    return IsInside(p) ? 0.0 : d;
}

std::unique_ptr<QvGRBase> QvGRFrameRect::Clone() const {
    auto clone = std::make_unique<QvGRFrameRect>();
    *clone = *this;
    return clone;
}

const QvGRRect NullFrame;
