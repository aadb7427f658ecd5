#include "geometry/gr_bezier.h"

#include "platform/dc.h"

#include "geometry/cubic.h"
#include "geometry/snap_kind.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_SERIAL(QvGRBezierCurve, QvGRBase, 1)

namespace {
constexpr double kNoDistance = 1000000.0;
constexpr double kOnTolerance = 1e-8;
constexpr int kRefinements = 10;
constexpr double kFlattenChord = 200.0;
constexpr double kMaxStep = 0.10001;
constexpr double kFlatMin = -100.0;
constexpr double kFlatMax = 32000.0;
constexpr int kLengthSteps = 300;
constexpr int kWalkSteps = 30;
constexpr int kMaxIntersectIndex = 13;
constexpr double kMeetTolerance = 1.0;
constexpr int kMaxDepth = 50;

// A flattened coordinate: held on the drawable range, truncated toward zero.
LONG FlatCoordinate(double v) {
    return LONG(std::clamp(v, kFlatMin, kFlatMax));
}

CPoint FlatPoint(QvPoint p) {
    return CPoint(FlatCoordinate(p.x), FlatCoordinate(p.y));
}

// The one-unit box of a point, x and y rounded down, so that the box is a
// real unit square on either side of zero.
CRect UnitBox(QvPoint p) {
    LONG x = LONG(std::floor(p.x));
    LONG y = LONG(std::floor(p.y));
    return CRect(x, y, x + 1, y + 1);
}

// The quadrant patterns of the B ends around the A ends for which the two
// pieces may still cross.
bool MayCross(int code) {
    static constexpr int kCodes[] = {22,  70, 82, 130, 25,  73, 37,  85, 133, 97,
                                     145, 40, 88, 100, 148, 67, 193, 28, 52};
    return std::find(std::begin(kCodes), std::end(kCodes), code) != std::end(kCodes);
}
} // namespace

QvPoint QvEvalCubic(const double cx[4], const double cy[4], double t) {
    return QvPoint(((cx[3] * t + cx[2]) * t + cx[1]) * t + cx[0],
                   ((cy[3] * t + cy[2]) * t + cy[1]) * t + cy[0]);
}

QvGRBezierCurve::QvGRBezierCurve() {
    type = QvGRType::BezierCurve;
    Reset();
}

QvGRBezierCurve& QvGRBezierCurve::operator=(const QvGRBezierCurve& other) {
    if (this == &other)
        return *this;
    m_lastIndex = other.m_lastIndex;
    m_count = other.m_count;
    m_built = other.m_built;
    m_flattened = other.m_flattened;
    m_closed = other.m_closed;
    startDirection = other.startDirection;
    endDirection = other.endDirection;
    middleDirection = other.middleDirection;
    std::copy(std::begin(other.m_points), std::end(other.m_points), m_points);
    m_flat = other.m_flat;
    return *this;
}

void QvGRBezierCurve::Reset() {
    m_lastIndex = -3;
    m_count = 0;
    m_built = false;
    m_flattened = false;
    m_closed = false;
    m_flat.clear();
}

void QvGRBezierCurve::AddPoint(QvPoint p) {
    if (m_built || m_count >= MaxThroughPoints)
        return;
    m_lastIndex += 3;
    m_points[m_lastIndex] = p;
    ++m_count;
}

void QvGRBezierCurve::ComputeControlPoints(bool closed, double factor) {
    // Nothing to build from no point; one point is a curve without a segment,
    // and closing it would make a segment from the point to itself.
    if (m_count == 0)
        return;
    m_closed = false;
    if (closed && m_count >= 2) {
        m_points[m_lastIndex + 3] = m_points[0];
        ++m_count;
        m_lastIndex += 3;
        m_closed = true;
    }
    int c = m_count;
    for (int i = 0; c >= 2 && i < c; ++i) {
        QvPoint q = GetThroughPoint(i);
        QvVector din, dout;
        if (m_closed) {
            int prev = i == 0 ? c - 2 : i - 1;
            int next = i + 1 == c ? 1 : i + 1;
            din = q - GetThroughPoint(prev);
            dout = GetThroughPoint(next) - q;
        } else if (i == 0) {
            dout = GetThroughPoint(1) - q;
            din = dout;
        } else if (i == c - 1) {
            din = q - GetThroughPoint(i - 1);
            dout = din;
        } else {
            din = q - GetThroughPoint(i - 1);
            dout = GetThroughPoint(i + 1) - q;
        }
        QvVector tangent = din + dout;
        tangent.Normalize();
        if (i == 0) {
            m_points[1] = m_points[0] + tangent * tangent.Dot(dout) * factor;
        } else {
            m_points[3 * i - 1] = q - tangent * tangent.Dot(din) * factor;
            if (i < c - 1)
                m_points[3 * i + 1] = q + tangent * tangent.Dot(dout) * factor;
        }
    }
    m_built = true;
    m_flattened = false;
    m_flat.clear();
    startDirection = GetStartDirection();
    endDirection = GetEndDirection();
}

void QvGRBezierCurve::SetSegment(QvPoint start, QvPoint end, QvPoint control1, QvPoint control2) {
    m_flat.clear();
    m_points[0] = start;
    m_points[1] = control1;
    m_points[2] = control2;
    m_points[3] = end;
    m_count = 2;
    m_lastIndex = 3;
    m_flattened = false;
    m_closed = false; // one segment from start to end is open, whatever came before
    m_built = true;
    startDirection = GetStartDirection();
    endDirection = GetEndDirection();
}

void QvGRBezierCurve::SetPoint(int index, QvPoint p) {
    if (index < 0 || index >= PointSlots)
        return;
    m_points[index] = p;
    m_flattened = false;
    m_flat.clear();
}

int QvGRBezierCurve::GetLastIndex() const {
    return m_built ? m_lastIndex : 0;
}

QvPoint QvGRBezierCurve::GetThroughPoint(int i) const {
    if (i < 0 || i >= m_count)
        return QvPoint(0, 0);
    return m_points[3 * i];
}

QvVector QvGRBezierCurve::GetStartDirection() const {
    if (m_count < 2)
        return QvVector();
    return m_points[0] - m_points[1];
}

QvVector QvGRBezierCurve::GetEndDirection() const {
    if (m_count < 2)
        return QvVector();
    int n = 3 * (m_count - 1);
    return m_points[n] - m_points[n - 1];
}

int QvGRBezierCurve::SegmentCount() const {
    // Segments k = 0, 1, ... while 3k is below the last index.
    return m_lastIndex > 0 ? (m_lastIndex + 2) / 3 : 0;
}

QvGRBezierCurve::Segment QvGRBezierCurve::GetSegmentCoefficients(int k) const {
    const QvPoint& p0 = m_points[3 * k];
    const QvPoint& p1 = m_points[3 * k + 1];
    const QvPoint& p2 = m_points[3 * k + 2];
    const QvPoint& p3 = m_points[3 * k + 3];
    Segment s;
    double cx = 3.0 * (p1.x - p0.x);
    double bx = 3.0 * (p2.x - p1.x) - cx;
    double ax = (p3.x - p0.x) - cx - bx;
    double cy = 3.0 * (p1.y - p0.y);
    double by = 3.0 * (p2.y - p1.y) - cy;
    double ay = (p3.y - p0.y) - cy - by;
    s.cx[0] = p0.x, s.cx[1] = cx, s.cx[2] = bx, s.cx[3] = ax;
    s.cy[0] = p0.y, s.cy[1] = cy, s.cy[2] = by, s.cy[3] = ay;
    return s;
}

// ---------------------------------------------------------------- drawing

void QvGRBezierCurve::Flatten() {
    if (!m_built || m_flattened)
        return;
    m_flat.clear();
    int segments = SegmentCount();
    for (int k = 0; k < segments; ++k) {
        Segment s = GetSegmentCoefficients(k);
        double chord = (m_points[3 * k + 3] - m_points[3 * k]).Length();
        double dt = chord == 0.0 ? kMaxStep : std::min(kFlattenChord / chord, kMaxStep);
        for (double t = 0.0; t < 1.0 && int(m_flat.size()) < MaxSamples; t += dt)
            m_flat.push_back(FlatPoint(QvEvalCubic(s.cx, s.cy, t)));
    }
    // The closing point has its own room beyond the samples.
    if (m_closed && !m_flat.empty())
        m_flat.push_back(m_flat.front());
    else if (segments > 0) {
        Segment s = GetSegmentCoefficients(segments - 1);
        m_flat.push_back(FlatPoint(QvEvalCubic(s.cx, s.cy, 1.0)));
    } else if (m_count == 1) {
        m_flat.push_back(FlatPoint(m_points[0])); // a curve of one point is that point
    }
    m_flattened = true;
}

void QvGRBezierCurve::GetDoubleLines(int distance, std::vector<CPoint>& left,
                                     std::vector<CPoint>& right) {
    Flatten();
    left.clear();
    right.clear();
    int m = GetFlattenedCount();
    QvVector normal;
    for (int i = 0; i < m; ++i) {
        const CPoint& f = m_flat[size_t(i)];
        if (i + 1 < m) {
            const CPoint& g = m_flat[size_t(i + 1)];
            normal = QvVector(double(g.x - f.x), double(g.y - f.y)).Perpendicular();
            normal.SetLength(distance);
        }
        QvPoint here(f.x, f.y);
        CPoint l, r;
        (here + normal).ToCPoint(l);
        (here - normal).ToCPoint(r);
        left.push_back(l);
        right.push_back(r);
    }
}

void QvGRBezierCurve::DrawPolyline(CDC& dc) {
    Flatten();
    if (!m_flat.empty())
        dc.Polyline(m_flat.data(), int(m_flat.size()));
}

void QvGRBezierCurve::DrawDouble(CDC& dc, int distance) {
    std::vector<CPoint> left, right;
    GetDoubleLines(distance, left, right);
    if (left.empty())
        return;
    dc.Polyline(left.data(), int(left.size()));
    dc.Polyline(right.data(), int(right.size()));
}

void QvGRBezierCurve::DrawPolygon(CDC& dc) {
    Flatten();
    if (!m_flat.empty())
        dc.Polygon(m_flat.data(), int(m_flat.size()));
}

// ------------------------------------------------------------- measuring

double QvGRBezierCurve::GetLength() const {
    if (!m_built)
        return 0.0;
    double length = 0.0;
    int segments = SegmentCount();
    for (int k = 0; k < segments; ++k) {
        Segment s = GetSegmentCoefficients(k);
        QvPoint prev = QvEvalCubic(s.cx, s.cy, 0.0);
        // 299 chords: the stretch after t = 299/300 is not counted.
        for (int i = 1; i < kLengthSteps; ++i) {
            QvPoint p = QvEvalCubic(s.cx, s.cy, double(i) / kLengthSteps);
            length += (p - prev).Length();
            prev = p;
        }
    }
    return length;
}

QvPoint QvGRBezierCurve::PointAtFraction(double f) {
    double target = GetLength() * f;
    if (!m_built)
        return QvPoint(0, 0);
    int segments = SegmentCount();
    if (segments == 0)
        return m_points[0];
    double sum = 0.0;
    QvPoint cur;
    QvVector last;
    for (int k = 0; k < segments; ++k) {
        Segment s = GetSegmentCoefficients(k);
        QvPoint prev = QvEvalCubic(s.cx, s.cy, 0.0);
        // Each segment walked to its end, so that the walk covers the
        // whole curve.
        for (int i = 1; i <= kWalkSteps; ++i) {
            cur = QvEvalCubic(s.cx, s.cy, double(i) / kWalkSteps);
            last = cur - prev;
            sum += last.Length();
            if (sum >= target) {
                middleDirection = last;
                return cur;
            }
            prev = cur;
        }
    }
    // The coarse walk can come out a little shorter than the length: the
    // remaining fractions belong to the end.
    middleDirection = last;
    return cur;
}

CRect QvGRBezierCurve::GetBounds() const {
    CPoint first;
    GetThroughPoint(0).ToCPoint(first);
    CRect r(first.x, first.y, first.x + 1, first.y + 1);
    for (int i = 1; i <= m_lastIndex && i < PointSlots; ++i) {
        CPoint p;
        m_points[i].ToCPoint(p);
        r.NormalizeRect();
        r.UnionRect(r, CRect(p.x, p.y, p.x + 1, p.y + 1));
    }
    return r;
}

// ---------------------------------------------------------- intersections

void QvIntersectPieces(const double ax[4], const double ay[4], const double bx[4],
                       const double by[4], double a0, double a1, double b0, double b1, QvPoint* out,
                       int* count, int limit, int depth) {
    QvPoint a[2] = {QvEvalCubic(ax, ay, a0), QvEvalCubic(ax, ay, a1)};
    QvPoint b[2] = {QvEvalCubic(bx, by, b0), QvEvalCubic(bx, by, b1)};
    int sw = 0, nw = 0, se = 0, ne = 0;
    for (const QvPoint& ai : a) {
        for (const QvPoint& bj : b) {
            if (QvIsNear(ai.x, bj.x, kMeetTolerance) && QvIsNear(ai.y, bj.y, kMeetTolerance) &&
                *count < limit) {
                out[(*count)++] = ai;
                ne = 20;
            } else if (bj.x < ai.x) {
                ++(bj.y < ai.y ? sw : nw);
            } else {
                ++(bj.y < ai.y ? se : ne);
            }
        }
    }
    int code = sw + 4 * nw + 16 * se + 64 * ne;
    if (!MayCross(code) || depth >= kMaxDepth || *count >= limit)
        return;
    double chordA = (a[1] - a[0]).Length();
    double chordB = (b[1] - b[0]).Length();
    if (chordA >= chordB) {
        double mid = (a0 + a1) / 2.0;
        QvIntersectPieces(ax, ay, bx, by, a0, mid, b0, b1, out, count, limit, depth + 1);
        QvIntersectPieces(ax, ay, bx, by, mid, a1, b0, b1, out, count, limit, depth + 1);
    } else {
        double mid = (b0 + b1) / 2.0;
        QvIntersectPieces(ax, ay, bx, by, a0, a1, b0, mid, out, count, limit, depth + 1);
        QvIntersectPieces(ax, ay, bx, by, a0, a1, mid, b1, out, count, limit, depth + 1);
    }
}

int QvGRBezierCurve::IntersectCurve(const QvGRBezierCurve* other, QvPoint* out, int limit) const {
    int count = 0;
    if (!m_built || !other->m_built)
        return 0;
    if (m_lastIndex >= kMaxIntersectIndex || other->m_lastIndex >= kMaxIntersectIndex)
        return 0;
    auto segmentBox = [](const QvGRBezierCurve* curve, int k) {
        const QvPoint* p = &curve->m_points[3 * k];
        CRect box = UnitBox(p[0]);
        for (int i : {3, 1, 2})
            box.UnionRect(box, UnitBox(p[i]));
        return box;
    };
    // Quarter intervals of the other's segment, each with this segment's
    // quarters in the order they are tried.
    static constexpr int kOrder[4][4] = {{0, 1, 2, 3}, {3, 2, 1, 0}, {0, 1, 2, 3}, {3, 2, 1, 0}};
    int mine = SegmentCount();
    int theirs = other->SegmentCount();
    for (int i = 0; i < mine && count < limit; ++i) {
        CRect boxA = segmentBox(this, i);
        Segment a = GetSegmentCoefficients(i);
        for (int j = 0; j < theirs && count < limit; ++j) {
            CRect overlap;
            if (!overlap.IntersectRect(boxA, segmentBox(other, j)))
                continue;
            if (overlap.left == 0 && overlap.top == 0 && overlap.right == 1 && overlap.bottom == 1)
                continue;
            Segment b = other->GetSegmentCoefficients(j);
            for (int qb = 0; qb < 4; ++qb) {
                for (int n = 0; n < 4; ++n) {
                    int qa = kOrder[qb][n];
                    QvIntersectPieces(a.cx, a.cy, b.cx, b.cy, qa * 0.25, (qa + 1) * 0.25, qb * 0.25,
                                      (qb + 1) * 0.25, out, &count, limit, 1);
                }
            }
        }
    }
    return count;
}

// ------------------------------------------------------ QvGRBase interface

// What one segment offers for a point: its start, the curve points straight
// above or below it and straight beside it, and the foot on the chord
// between the nearest of those.
struct QvGRBezierCurve::Candidates {
    double start = 0.0;
    QvPoint startPoint;
    QvPoint vertical[3];
    int verticalCount = 0;
    QvPoint horizontal[3];
    int horizontalCount = 0;
    double dV = kNoDistance;
    double dH = kNoDistance;
    QvPoint a, b; // the last vertical and horizontal hits
    bool hasChord = false;
    double h = kNoDistance;
};

void QvGRBezierCurve::SegmentCandidates(int k, QvPoint p, Candidates& c) const {
    Segment s = GetSegmentCoefficients(k);
    c.startPoint = m_points[3 * k];
    c.start = (p - c.startPoint).Length();
    double roots[3];
    double eq[4] = {s.cx[0] - p.x, s.cx[1], s.cx[2], s.cx[3]};
    c.verticalCount = SolveCubicInUnitInterval(eq, roots);
    for (int i = 0; i < c.verticalCount; ++i) {
        c.vertical[i] = QvEvalCubic(s.cx, s.cy, roots[i]);
        c.dV = std::min(c.dV, (p - c.vertical[i]).Length());
        c.a = c.vertical[i];
    }
    double eqy[4] = {s.cy[0] - p.y, s.cy[1], s.cy[2], s.cy[3]};
    c.horizontalCount = SolveCubicInUnitInterval(eqy, roots);
    for (int i = 0; i < c.horizontalCount; ++i) {
        c.horizontal[i] = QvEvalCubic(s.cx, s.cy, roots[i]);
        c.dH = std::min(c.dH, (p - c.horizontal[i]).Length());
        c.b = c.horizontal[i];
    }
    // The chord estimate needs both hits of this very segment: hits kept from
    // another segment would measure to a chord that is not there.
    c.hasChord = c.verticalCount > 0 && c.horizontalCount > 0;
    if (c.hasChord) {
        double hyp = std::sqrt(c.dV * c.dV + c.dH * c.dH);
        c.h = hyp == 0.0 ? 0.0 : c.dV * c.dH / hyp;
    }
}

double QvGRBezierCurve::DistanceTo(QvPoint p) const {
    double best = kNoDistance;
    if (!m_built)
        return best;
    int segments = SegmentCount();
    for (int k = 0; k < segments; ++k) {
        Candidates c;
        SegmentCandidates(k, p, c);
        best = std::min({best, c.start, c.dV, c.dH, c.h});
    }
    if (m_lastIndex >= 0)
        best = std::min(best, (p - m_points[m_lastIndex]).Length());
    return best;
}

bool QvGRBezierCurve::HitTest(QvPoint p, double tolerance) const {
    return DistanceTo(p) < tolerance;
}

QvPoint QvGRBezierCurve::NearestPoint(QvPoint p) const {
    if (!m_built)
        return QvPoint(0, 0);
    double best = kNoDistance;
    QvPoint answer = p;
    // Takes the candidates of segment k for the query point q that beat the
    // running best; true when any did.
    auto consider = [&](int k, QvPoint q) {
        Candidates c;
        SegmentCandidates(k, q, c);
        bool taken = false;
        auto take = [&](double d, QvPoint at) {
            if (d < best) {
                best = d;
                answer = at;
                taken = true;
            }
        };
        take(c.start, c.startPoint);
        for (int i = 0; i < c.verticalCount; ++i)
            take((q - c.vertical[i]).Length(), c.vertical[i]);
        for (int i = 0; i < c.horizontalCount; ++i)
            take((q - c.horizontal[i]).Length(), c.horizontal[i]);
        if (c.hasChord && c.h < best) {
            QvVector toward = c.b - c.a;
            toward.SetLength(std::sqrt(std::max(0.0, c.dV * c.dV - c.h * c.h)));
            take(c.h, c.a + toward);
        }
        return taken;
    };

    int chosen = -1;
    int segments = SegmentCount();
    for (int k = 0; k < segments; ++k) {
        if (consider(k, p))
            chosen = k;
    }
    if (m_lastIndex >= 0) {
        double d = (p - m_points[m_lastIndex]).Length();
        if (d < best) {
            best = d;
            answer = m_points[m_lastIndex];
        }
    }
    if (chosen < 0)
        return answer; // nothing nearer than the far start value

    // Refine on the chosen segment, each time from the answer found so far.
    QvPoint query = answer;
    for (int i = 0; i < kRefinements && !QvIsNear(best, 0.0, kOnTolerance); ++i) {
        consider(chosen, query);
        QvPoint end = m_points[3 * chosen + 3];
        double d = (query - end).Length();
        if (d < best) {
            best = d;
            answer = end;
        }
        query = answer;
    }
    return answer;
}

std::unique_ptr<QvGRBase> QvGRBezierCurve::Clone() const {
    auto clone = std::make_unique<QvGRBezierCurve>();
    *clone = *this;
    return clone;
}

bool QvGRBezierCurve::IsEmpty() const {
    return false;
}

bool QvGRBezierCurve::IsOn(QvPoint p) const {
    return QvIsNear(DistanceTo(p), 0.0, kOnTolerance);
}

void QvGRBezierCurve::AddSnapPoints(QvSpecialPointList* list, int level) const {
    if (m_count == 0 || !QvSnapKindPasses(QvSnap::EndOfLine, level))
        return;
    QvAppendSnapPoint(list, QvSnap::EndOfLine, m_points[0]);
    QvAppendSnapPoint(list, QvSnap::EndOfLine, m_points[m_lastIndex]);
}
