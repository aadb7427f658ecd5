#include "geometry/gr_round_rect.h"

#include <algorithm>

IMPLEMENT_SERIAL(QvGRRoundRect, QvGRBase, 1)

namespace {
constexpr double kNoDistance = 100000000.0;
constexpr double kEdgeGate = 200.0;
} // namespace

QvGRRoundRect::QvGRRoundRect() {
    type = QvGRType::RoundRect;
}

QvGRRoundRect& QvGRRoundRect::operator=(const QvGRRoundRect& other) {
    type = other.type;
    for (int i = 0; i < 4; ++i)
        edges[i] = other.edges[i];
    for (int i = 0; i < 4; ++i)
        corners[i] = other.corners[i];
    return *this;
}

QvPoint QvGRRoundRect::Build(QvPoint a, QvPoint b, QvPoint c, QvPoint d, double radius) {
    QvVector u = b - a;
    QvVector v = c - a;
    double r = std::min({radius, u.Length() / 2.0, v.Length() / 2.0});
    u.SetLength(r);
    v.SetLength(r);
    struct Corner {
        QvPoint at;
        QvVector first, second;
    } const pieces[4] = {
        {a, u, v},
        {b, u.Negate(), v},
        {d, u.Negate(), v.Negate()},
        {c, u, v.Negate()},
    };
    // Edge k runs from corner k's rounding to the next corner's.
    const QvGRLine sides[4] = {
        QvGRLine(a + u, b - u),
        QvGRLine(b + v, d - v),
        QvGRLine(d - u, c + u),
        QvGRLine(c - v, a + v),
    };
    for (int k = 0; k < 4; ++k) {
        const Corner& k0 = pieces[k];
        corners[k].SetSegment(k0.at + k0.first, k0.at + k0.second, k0.at + k0.first * OneMinusKappa,
                              k0.at + k0.second * OneMinusKappa);
        edges[k].p1 = sides[k].p1;
        edges[k].p2 = sides[k].p2;
    }
    return a + u;
}

double QvGRRoundRect::DistanceTo(QvPoint p) const {
    double best = kNoDistance;
    for (const QvGRLine& edge : edges) {
        double d = edge.DistanceTo(p);
        if (edge.HitTest(p, kEdgeGate) && d < best)
            best = d;
    }
    for (const QvGRBezierCurve& corner : corners)
        best = std::min(best, corner.DistanceTo(p));
    return best;
}

bool QvGRRoundRect::HitTest(QvPoint p, double tolerance) const {
    return DistanceTo(p) < tolerance;
}

QvPoint QvGRRoundRect::NearestPoint(QvPoint p) const {
    QvPoint best(1000000.0, 1000000.0);
    auto consider = [&](QvPoint candidate) {
        if ((candidate - p).Length() < (best - p).Length())
            best = candidate;
    };
    for (const QvGRLine& edge : edges) {
        // An edge of length 0 (a side exactly twice the radius) is no line.
        if (edge.GetLength() <= 0.0)
            continue;
        // The foot when it falls on the drawn edge; past its ends the
        // rounding takes over, so the nearer end stands for the edge rather
        // than a point on its extension, off the outline.
        QvPoint foot = edge.NearestPoint(p);
        if (edge.IsOn(foot))
            consider(foot);
        else
            consider((p - edge.p1).Length() <= (p - edge.p2).Length() ? edge.p1 : edge.p2);
    }
    for (const QvGRBezierCurve& corner : corners)
        consider(corner.NearestPoint(p));
    return best;
}

std::unique_ptr<QvGRBase> QvGRRoundRect::Clone() const {
    auto clone = std::make_unique<QvGRRoundRect>();
    *clone = *this;
    return clone;
}

bool QvGRRoundRect::IsEmpty() const {
    return false;
}

bool QvGRRoundRect::IsOn(QvPoint p) const {
    return QvIsNear(DistanceTo(p), 0.0, 1e-8);
}

void QvGRRoundRect::AddSnapPoints(QvSpecialPointList* list, int level) const {
    for (const QvGRLine& edge : edges)
        edge.AddSnapPoints(list, level);
    for (const QvGRBezierCurve& corner : corners)
        corner.AddSnapPoints(list, level);
}
