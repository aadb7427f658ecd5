// Where a function's curve lies on the device, picking, solving and
// intersecting, the value query and the box that auto-scaling needs.
#include "graphs/function.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr double S = QvUndefinedValue;
// A mapped value may lie this far past the far end of the window.
constexpr double kMargin = 15.0;
constexpr double kHitTolerance = 200.0;
constexpr double kPickRadius = 100.0;
constexpr double kTolerance = 1e-8;
// Brackets are halved 30 times.  A wide one (a few units, on a steep
// curve) is still too coarse then; it is halved further, up to 60 times in
// all, until its midpoint meets the tolerance, so a root that lies in the
// bracket is always found, and one that 30 halvings find stays the same.
constexpr int kHalvings = 30;
constexpr int kMostHalvings = 60;
// Every box holds at least this much of both axes around the origin.
constexpr double kStartBox = 6.25;
constexpr int kScanSteps = 1000;
constexpr int kPolarSteps = 5001;
constexpr double kFarValue = 10000000.0; // turning points further out are left out of a box

bool Defined(double v) {
    return std::fabs(v) != S;
}

int SignOf(double v) {
    return (v > 0.0) - (v < 0.0);
}

bool Between(double a, double b, double c) {
    return std::min(a, b) <= c && c <= std::max(a, b);
}

// Halves [a, b] towards g = c; the end with the larger value stays first.
// Nothing when the last midpoint is not within the tolerance.
template <class G> std::optional<double> Bisect(const G& g, double a, double b, double c) {
    double m = a, v = g(a);
    if (const double vb = g(b); v < vb) {
        std::swap(a, b);
        m = a;
        v = vb;
    }
    for (int k = 0; k < kMostHalvings; ++k) {
        if (k >= kHalvings && std::fabs(c - v) < kTolerance)
            break;
        m = 0.5 * (a + b);
        v = g(m);
        if (v <= c)
            b = m;
        else
            a = m;
    }
    if (std::fabs(c - v) < kTolerance)
        return m;
    return std::nullopt;
}

} // namespace

// --- mappings ------------------------------------------------------------------

double QvFunction::XToDevice(double x) const {
    const double left = data.plotTopLeft.x, width = data.plotBottomRight.x - left;
    const double span = data.xMax - data.xMin;
    double d = span != 0.0 ? width * (x - data.xMin) / span : 0.0;
    if (!(d >= 0.0 && d <= width + kMargin))
        d = 0.0;
    return left + d;
}

double QvFunction::YToDevice(double y) const {
    // a is the device end of yMin, b that of yMax.
    const double a = yUp ? data.plotTopLeft.y : data.plotBottomRight.y;
    const double b = yUp ? data.plotBottomRight.y : data.plotTopLeft.y;
    const double span = data.yMax - data.yMin;
    double d = span != 0.0 ? (a - b) * (y - data.yMin) / span : 0.0;
    if (std::isnan(d))
        d = 0.0;
    if (!yUp) {
        d = std::min(d, (a - b) + kMargin);
        d = std::max(d, 0.0);
    } else {
        d = std::max(d, (a - b) + kMargin);
        d = std::min(d, 0.0);
    }
    return a - d;
}

double QvFunction::DeviceToX(double px) const {
    const double left = data.plotTopLeft.x, width = data.plotBottomRight.x - left;
    const double span = data.xMax - data.xMin;
    double d = width != 0.0 ? span * (px - left) / width : 0.0;
    if (!(d >= 0.0))
        d = 0.0;
    if (d > span + kMargin)
        d = span + kMargin;
    return data.xMin + d;
}

double QvFunction::DeviceToY(double py) const {
    const double a = yUp ? data.plotTopLeft.y : data.plotBottomRight.y;
    const double b = yUp ? data.plotBottomRight.y : data.plotTopLeft.y;
    const double span = data.yMax - data.yMin;
    double d = a != b ? span * (py - b) / (a - b) : span;
    if (!(d >= 0.0))
        d = 0.0;
    if (d > span + kMargin)
        d = span + kMargin;
    return data.yMax - d;
}

// --- picking -------------------------------------------------------------------

double QvFunction::Derivative(double t) const {
    return (Value(t) - Value(t - 1e-10)) / 1e-10;
}

BOOL QvFunction::HitTest(int px, int py) const {
    if (!HasProgram())
        return FALSE;
    double distance;
    switch (data.kind) {
    case 1:
        distance = std::fabs(YToDevice(Value(DeviceToX(px))) - py);
        break;
    case 3:
        distance = std::fabs(XToDevice(Value(DeviceToY(py))) - px);
        break;
    case 2: {
        const double X = DeviceToX(px), Y = DeviceToY(py);
        double angle;
        if (X == 0.0)
            angle = Y > 0.0 ? kPi / 2 : Y < 0.0 ? -kPi / 2 : 0.0;
        else if (X < 0.0)
            angle = std::atan(Y / X) + (Y < 0.0 ? -kPi : kPi); // the negative x axis is pi
        else
            angle = std::atan(Y / X);
        angle *= angleMode == 1 ? 1.0 : angleMode == 2 ? 63.66197724 : 57.29577951;
        distance = std::fabs(XToDevice(Value(angle)) - XToDevice(std::sqrt(X * X + Y * Y)));
        break;
    }
    default: // a two-part curve is never hit
        return FALSE;
    }
    return distance < kHitTolerance;
}

void QvFunction::AddPointsNear(int x, int y, QvPickedPointList* list) {
    const int count = std::clamp(int(analysedCount), 0, kAnalysedPoints);
    for (int i = 0; list && i < count; ++i) {
        const QvAnalysedPoint& point = analysedPoints[i];
        if (point.kind == 6)
            continue;
        const double dx = XToDevice(point.x) - x, dy = YToDevice(point.y) - y;
        if (std::sqrt(dx * dx + dy * dy) < kPickRadius &&
            list->count < QvPickedPointList::kCapacity) {
            list->points[list->count] = point;
            list->owners[list->count].point = i;
            ++list->count;
        }
    }
    data.selectedPoint = -1;
}

void QvFunction::SetCurrentPoint(int index) {
    data.selectedPoint = index;
}

// --- solving -------------------------------------------------------------------

double QvFunction::SolveForValue(double t0, double c) const {
    const double f0 = Value(t0);
    double s = Derivative(t0);
    if (s == 0.0)
        s = 0.001;
    if ((f0 > c && s < 0.0) || (f0 < c && s > 0.0))
        s = -s;
    // The slope points backwards from t0, whichever way the curve runs.
    const double t1 = t0 + 3.0 * (c - f0) / s;
    auto f = [this](double t) { return Value(t); };
    // When the value does not lie behind, it may lie ahead: the same
    // distance forwards.
    const std::optional<double> m =
        Bisect(f, t0, Between(f0, Value(t1), c) ? t1 : t0 + (t0 - t1), c);
    return m ? *m : S;
}

std::pair<double, double> QvFunction::Intersect(const QvFunction* other, double x, double y) const {
    const std::pair<double, double> none{S, S};
    if (!other || !HasProgram() || !other->HasProgram())
        return none;
    const int kind = data.kind, otherKind = other->data.kind;

    // Bisects d from t0 after a step of 1.1 times Newton's towards its root.
    auto search = [](const auto& d, double t0, double slope) -> std::optional<double> {
        // Equal slopes: parallel or identical curves, and no step to take.
        if (slope == 0.0 || !std::isfinite(slope))
            return std::nullopt;
        const double d0 = d(t0), s = std::fabs(slope) / 1.1;
        double t1 = t0;
        if (d0 != 0.0)
            t1 = (d0 > 0.0) != (slope > 0.0) ? t0 + std::fabs(d0) / s : t0 - std::fabs(d0) / s;
        return Bisect(d, t0, t1, 0.0);
    };

    if ((kind == 1 || kind == 3) && kind == otherKind) {
        const double t0 = kind == 1 ? x : y;
        auto d = [&](double t) { return Value(t) - other->Value(t); };
        const std::optional<double> m = search(d, t0, Derivative(t0) - other->Derivative(t0));
        if (!m)
            return none;
        return kind == 1 ? std::pair{*m, Value(*m)} : std::pair{Value(*m), *m};
    }
    if (kind == 1 && otherKind == 3) {
        if (other->Derivative(y) == 0.0) {
            const double at = other->Value(y);
            return {at, Value(at)};
        }
        // The other curve as a y of x: the y where its x is t.
        auto inverse = [&](double t) { return other->SolveForValue(Value(t), t); };
        auto d = [&](double t) { return Value(t) - inverse(t); };
        const double y0 = inverse(x);
        if (y0 == S)
            return none;
        const std::optional<double> m = search(d, x, Derivative(x) - 1.0 / other->Derivative(y0));
        if (!m)
            return none;
        return {*m, Value(*m)};
    }
    return none;
}

double QvFunction::ValueAt(double x) const {
    if (!HasProgram() || data.kind == 2 || data.kind == 4)
        return kNoValue;
    if (data.kind != 3)
        return Value(x);
    // Newton from 0 on x = f(y).
    double y = 0.0;
    for (int k = 0; k < 10; ++k) {
        const float slope = float(Derivative(y));
        y += (x - Value(y)) / (slope == 0.0f ? 0.0001 : double(slope));
    }
    return std::fabs(x - Value(y)) < 0.1 ? y : kNoValue;
}

// --- bounds --------------------------------------------------------------------

void QvFunction::ExtendBounds(double* box) {
    // A clean record takes the last box only when that box was made from
    // this very text and window and merged into this very box: a record
    // comes back clean after a pick, an undo can bring back another
    // function under it, and the box handed in carries the functions
    // before this one, which may have changed.
    if (!data.dirty && MadeFromThis(m_boundsFrom) && std::equal(box, box + 4, m_boundsIn)) {
        std::copy(boundsCache, boundsCache + 4, box);
        return;
    }
    RememberInputs(m_boundsFrom);
    std::copy(box, box + 4, m_boundsIn);
    // The domain is read again below, undoing what sampling made of it.
    m_sampledFrom.valid = false;
    for (QvFunctionToken& entry : program)
        entry = {};
    Compile();
    ParseDomain();

    double local[4] = {-kStartBox, -kStartBox, kStartBox, kStartBox};
    auto join = [&](double x, double y) {
        local[0] = std::min(local[0], x);
        local[1] = std::min(local[1], y);
        local[2] = std::max(local[2], x);
        local[3] = std::max(local[3], y);
    };
    if (HasProgram()) {
        const double lower = angleMode == 1 ? -6.3 : angleMode == 2 ? -400.0 : -360.0;
        const double h = -2.0 * lower / kScanSteps;
        if (data.kind == 1 || data.kind == 3) {
            const double v0 = Value(0.0);
            if (Defined(v0))
                join(0.0, v0);
            // Roots where the sign changes; turning points where |f'| has
            // just passed a minimum.
            float p = float(Derivative(lower - h));
            bool rising = p >= 0.0f;
            int sign = SignOf(Value(lower));
            for (int i = 0; i <= kScanSteps; ++i) {
                const double t = lower + (i + 1) * h;
                const double v = Value(t);
                const float s = float(std::fabs(Derivative(t)));
                // An undefined value is no root: it would stretch the box to 1e12.
                if (Defined(v) && SignOf(v) != sign) {
                    sign = SignOf(v);
                    join(t, v);
                }
                if ((rising && s >= p) || (!rising && s < p)) {
                    p = s;
                } else if (rising) {
                    if (p - s > 0.0001) {
                        rising = false;
                        p = s;
                    }
                } else if (s - p > 1e-6) {
                    if (i > 2 && std::fabs(v) <= kFarValue)
                        join(t, v);
                    rising = true;
                    p = s;
                }
            }
            if (data.kind == 3) {
                std::swap(local[0], local[1]);
                std::swap(local[2], local[3]);
            }
        } else if (data.kind == 2) {
            double radius = 0.0;
            for (int k = 0; k < kPolarSteps; ++k) {
                const double v = std::fabs(Value(lower + k * step));
                if (v != S)
                    radius = std::max(radius, v);
            }
            join(-radius, -radius);
            join(radius, radius);
        }
    }
    box[0] = std::min(box[0], local[0]);
    box[1] = std::min(box[1], local[1]);
    box[2] = std::max(box[2], local[2]);
    box[3] = std::max(box[3], local[3]);
    std::copy(box, box + 4, boundsCache);
}

void QvFunction::SetDisplayData(QvGraphDataFunction record) {
    data.Copy(record);
}
