// Inequality shading: the side of a curve that its relation names, drawn
// from the stored samples under the curves.  Fills mix by AND with what
// lies below, so overlapping shadings show both colours and one shading
// drawn twice over itself looks the same.
#include "graphs/function.h"

#include "platform/dc.h"

#include <cmath>

namespace {

constexpr double S = QvUndefinedValue;
// Samples 0 to 499 make the outline, as the curve is drawn.
constexpr int kOutline = 500;

// Where an outside sample's value lies.
enum class Off { Far, Near, Undefined };

} // namespace

void QvFunction::DrawShading(CDC* dc) {
    const bool less = relation == TokLess || relation == TokLessEqual;
    const bool greater = relation == TokGreater || relation == TokGreaterEqual;
    const int kind = data.kind;
    if (!(less || greater) || kind < 1 || kind > 3)
        return;
    CBrush brush;
    if (data.m_ShadeType == 0)
        brush.CreateSolidBrush(data.m_ShadeColor);
    else if (data.m_ShadeType == 1)
        brush.CreateHatchBrush(data.m_HatchType, data.m_ShadeColor);
    else
        return;
    CPen pen(PS_NULL, 1, data.m_Color);
    CDCSelect<CPen> usePen(dc, &pen);
    CDCSelect<CBrush> useBrush(dc, &brush);
    const int rop = dc->SetROP2(R2_MASKPEN);
    const int fill = dc->SetPolyFillMode(ALTERNATE);
    dc->SetBkMode(TRANSPARENT);
    // Towards larger values: above, right of or outside the curve.
    const bool high = greater == (data.shadeAbove != 0);
    if (kind == 2)
        ShadePolar(dc, high);
    else
        ShadeSide(dc, high);
    dc->SetPolyFillMode(fill);
    dc->SetROP2(rop);
}

void QvFunction::ShadePolar(CDC* dc, bool outside) {
    const CPoint& a = data.plotTopLeft;
    const CPoint& b = data.plotBottomRight;
    int n = 0;
    if (outside) {
        devicePoints[n++] = CPoint(a.x, a.y);
        devicePoints[n++] = CPoint(b.x, a.y);
        devicePoints[n++] = CPoint(b.x, b.y);
        devicePoints[n++] = CPoint(a.x, b.y);
    }
    int m = 0;
    for (int i = 0; i < kOutline; ++i) {
        const QvCurveSample& s = samples[i];
        // A radius the function has no value for was turned into a point
        // about S from the pole: it bounds nothing.
        if (std::hypot(s.x, s.y) >= S * (1 - 1e-9))
            continue;
        devicePoints[n + m++] = DevicePoint(s.x, s.y);
    }
    if (!outside) {
        if (m >= 3)
            dc->Polygon(devicePoints, m);
        return;
    }
    // Rectangle and curve in one odd-even fill: the disc stays as it was,
    // on paper as on the screen.
    if (m >= 3) {
        const int counts[2] = {4, m};
        dc->PolyPolygon(devicePoints, counts, 2);
    } else {
        dc->Polygon(devicePoints, 4);
    }
}

// Above or below a y-of-x curve, left or right of an x-of-y one.  "Along"
// is the free variable's device axis, "across" the value's.  Runs of the
// curve inside the window are shaded to the shaded edge; where the curve
// is off the window beyond the far edge, the whole width is shaded; beyond
// the shaded edge, and where the function has no value, nothing.
void QvFunction::ShadeSide(CDC* dc, bool high) {
    const int kind = data.kind;
    const bool level = kind == 1;
    const int left = data.plotTopLeft.x, right = data.plotBottomRight.x;
    const int top = yUp ? data.plotBottomRight.y : data.plotTopLeft.y;
    const int bottom = yUp ? data.plotTopLeft.y : data.plotBottomRight.y;
    const int startEdge = level ? left : bottom, endEdge = level ? right : top;
    // The two across edges, in the order the blocks are drawn.
    const int firstSide = level ? top : left, secondSide = level ? bottom : right;
    const int shaded = level ? (high ? top : bottom) : (high ? right : left);
    const int far = level ? (high ? bottom : top) : (high ? left : right);

    auto at = [level](int along, int across) {
        return level ? CPoint(along, across) : CPoint(across, along);
    };
    auto along = [&](int i) {
        const QvCurveSample& s = samples[i];
        return level ? int(std::floor(XToDevice(s.x) + 0.5)) : int(std::floor(YToDevice(s.y) + 0.5));
    };
    auto off = [&](int i) {
        const double v = level ? samples[i].y : samples[i].x;
        if (std::fabs(v) == S)
            return Off::Undefined;
        const bool beyondLow = level ? v <= data.yMin : v <= data.xMin;
        const bool beyondHigh = level ? v >= data.yMax : v >= data.xMax;
        return (high ? beyondLow : beyondHigh) ? Off::Far : Off::Near;
    };
    // A full-width block from one along position to another.
    bool blockOpen = false;
    int blockStart = 0;
    auto openBlock = [&](int from) {
        blockOpen = true;
        blockStart = from;
    };
    auto closeBlock = [&](int to) {
        if (!blockOpen)
            return;
        blockOpen = false;
        if (to == blockStart)
            return;
        const CPoint block[4] = {at(blockStart, firstSide), at(blockStart, secondSide),
                                 at(to, secondSide), at(to, firstSide)};
        dc->Polygon(block, 4);
    };
    // While off the window, the block follows the far stretches.
    auto follow = [&](int i) {
        const bool beyondFar = off(i) == Off::Far;
        if (beyondFar && !blockOpen)
            openBlock((along(i - 1) + along(i)) / 2);
        else if (!beyondFar && blockOpen)
            closeBlock((along(i - 1) + along(i)) / 2);
    };

    int n = 0;
    int e = 0; // where the current run began
    bool inside = !samples[0].outside;
    if (!inside && off(0) == Off::Far)
        openBlock(startEdge);
    for (int i = 0; i < kOutline; ++i) {
        const QvCurveSample& s = samples[i];
        if (inside && !s.outside) {
            if (s.visible && n < kDevicePoints - 3)
                devicePoints[n++] = DevicePoint(s.x, s.y);
        } else if (inside) {
            // The run ends: back along the shaded edge to where it began.
            const int ai = along(i), ae = along(e);
            if (level) {
                devicePoints[n++] = at(ai, far);
                devicePoints[n++] = at(ai, shaded);
                devicePoints[n++] = at(ae, shaded);
            } else {
                devicePoints[n++] = at(ai, shaded);
                devicePoints[n++] = at(ae, shaded);
                devicePoints[n++] = at(ae, far);
            }
            dc->Polygon(devicePoints, n);
            n = 0;
            e = i;
            inside = false;
            // Leaving past the far edge: full width from the exit on.
            if (off(i) == Off::Far)
                openBlock(along(i - 1));
        } else if (!s.outside) {
            closeBlock(along(i));
            e = i;
            devicePoints[0] = DevicePoint(s.x, s.y);
            n = 1;
            inside = true;
        } else if (i > 0) {
            follow(i);
        }
    }
    if (inside) {
        devicePoints[n++] = at(endEdge, shaded);
        devicePoints[n++] = at(along(e), shaded);
        dc->Polygon(devicePoints, n);
        return;
    }
    if (samples[kOutline].outside)
        follow(kOutline);
    else
        closeBlock(along(kOutline));
    closeBlock(endEdge);
}
