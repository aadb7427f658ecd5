// Sampling a function over its window and drawing its curve from the
// samples.  Everything works in the function's fixed arrays: a draw
// allocates nothing.
#include "graphs/function.h"

#include "graphs/function_rules.h"
#include "platform/dc.h"
#include "settings/line_style.h"

#include <cmath>

namespace {

int Round(double v) {
    return int(std::floor(v + 0.5));
}

// Refining a window crossing looks at this many sub-steps of a sample step.
constexpr int kRefineSteps = 100;
// Outside runs this long or longer are no asymptote.
constexpr int kAsymptoteRun = 25;
constexpr int kDotRadius = 30; // device units in every mapping mode
constexpr double kFar = 100000.0;
constexpr double kSameLimit = 0.005;

} // namespace

bool QvFunction::OffWindow(double v) const {
    if (data.kind == 3)
        return v > data.xMax || v < data.xMin;
    return v > data.yMax || v < data.yMin;
}

CPoint QvFunction::DevicePoint(double x, double y) const {
    return CPoint(Round(XToDevice(x)), Round(YToDevice(y)));
}

bool QvFunction::SampledFromThis() const {
    return MadeFromThis(m_sampledFrom);
}

bool QvFunction::MadeFromThis(const SampledFrom& s) const {
    return s.valid && s.expression == data.expression && s.rangeText == data.rangeText &&
           s.decimalChar == data.decimalChar && s.angleMode == angleMode && s.xMin == data.xMin &&
           s.xMax == data.xMax && s.yMin == data.yMin && s.yMax == data.yMax &&
           s.options == TheEquationOptions();
}

void QvFunction::RememberSampling() {
    RememberInputs(m_sampledFrom);
}

void QvFunction::RememberInputs(SampledFrom& s) const {
    s.valid = true;
    s.expression = data.expression;
    s.rangeText = data.rangeText;
    s.decimalChar = data.decimalChar;
    s.angleMode = angleMode;
    s.xMin = data.xMin;
    s.xMax = data.xMax;
    s.yMin = data.yMin;
    s.yMax = data.yMax;
    s.options = TheEquationOptions();
    s.kind = data.kind;
}

void QvFunction::Plot(CDC* dc) {
    const bool same = SampledFromThis();
    if (data.dirty && same) {
        // Compiling and sampling again would make these very samples.
        yUp = dc->GetMapMode() == MM_HIMETRIC;
        ySign = yUp ? -1 : 1;
        data.dirty = 0;
        data.kind = m_sampledFrom.kind;
        data.selectedPoint = -1;
    } else if (data.dirty || (m_sampledFrom.valid && !same)) {
        // A clean record whose text or window changed under it would
        // otherwise show the old curve.
        yUp = dc->GetMapMode() == MM_HIMETRIC;
        ySign = yUp ? -1 : 1;
        data.dirty = 0;
        Compile();
        ParseDomain();
        if (HasProgram())
            Sample();
        data.selectedPoint = -1;
        RememberSampling();
    } else if (same) {
        // The kind belongs to the text, whatever the record says.
        data.kind = m_sampledFrom.kind;
    }
    if (HasProgram())
        DrawShading(dc);
    dc->SetTextColor(0);
}

void QvFunction::Sample() {
    const int kind = data.kind;
    const bool clips = kind == 1 || kind == 3;
    // The window along the free variable.
    const double low = kind == 3 ? data.yMin : data.xMin;
    const double high = kind == 3 ? data.yMax : data.xMax;

    if (clips && rangeLow < low) {
        plotStart = low;
        if (lowEnd != 0)
            lowEnd = 1;
    } else {
        plotStart = rangeLow;
        if (lowEnd != 0 && OffWindow(PlotAt(plotStart)))
            lowEnd = 1;
    }
    if (rangeHigh <= rangeLow)
        rangeHigh = rangeLow + 0.01;
    if (clips && rangeHigh > high) {
        plotEnd = high;
        if (highEnd != 0)
            highEnd = 1;
    } else {
        plotEnd = rangeHigh;
        if (highEnd != 0 && OffWindow(PlotAt(plotEnd)))
            highEnd = 1;
    }

    const double w = data.xMax - data.xMin;
    labelDigits = w < 10.0 ? 8.0 : w < 23.0 ? 6.0 : w < 100.0 ? 4.0 : 2.0;

    const double h = (plotEnd - plotStart) / kSampleSteps;
    for (int i = 0; i < kSamples; ++i) {
        const double t = plotStart + i * h;
        const auto [first, second] = PlotValue(t);
        samples[i] = {kind == 4 ? first : t, second, 0.0f, 0, 0};
    }

    StartAnalysis();
    for (int i = 0; i <= kSampleSteps; ++i) {
        QvCurveSample& s = samples[i];
        if (kind == 4) {
            s.visible = 1;
            if (s.x > data.xMax || s.x < data.xMin || s.y > data.yMax || s.y < data.yMin) {
                s.outside = 1;
                s.visible = 0;
            }
            continue;
        }
        const double t = plotStart + i * h;
        if (t < plotStart || t > plotEnd) {
            s.visible = 0;
            s.outside = i > 0 ? samples[i - 1].outside : 0;
            continue;
        }
        s.visible = 1;
        if (OffWindow(s.y)) {
            s.outside = 1;
            s.visible = 0;
        }
        AnalyseSample(i);
    }

    if (kind != 4) {
        // Where the curve crosses the window's edge between two samples,
        // the outer one moves onto the edge within a hundredth of a step.
        int state = samples[0].visible;
        for (int i = 1; i <= kSampleSteps; ++i) {
            if (samples[i].visible == state)
                continue;
            const double t0 = plotStart + (i - 1) * h, t1 = plotStart + i * h;
            const double sub = (t1 - t0) / kRefineSteps;
            const bool leaves = !samples[i].visible;
            // Counted, so that a step too small to move t still ends.
            for (int k = 0; k <= kRefineSteps; ++k) {
                const double t = t0 + k * sub;
                if (!(t < t1))
                    break;
                const double v = PlotAt(t);
                if (leaves && OffWindow(v)) {
                    const auto [x, y] = PlotValue(t - sub);
                    samples[i - 1].x = x;
                    samples[i - 1].y = y;
                    break;
                }
                if (!leaves && !OffWindow(v)) {
                    samples[i].x = t;
                    samples[i].y = v;
                    break;
                }
            }
            state = samples[i].visible;
        }
    }
    step = h;
    RefineAnalysedPoints();

    if (kind == 2) {
        const double k = QvAngleFactor(angleMode);
        for (int i = 0; i <= kSampleSteps; ++i) {
            const double r = samples[i].y, theta = samples[i].x * k;
            samples[i].x = r * std::cos(theta);
            samples[i].y = r * std::sin(theta);
        }
    } else if (kind == 3) {
        for (int i = 0; i <= kSampleSteps; ++i)
            std::swap(samples[i].x, samples[i].y);
        // The points turn with the curve, and their kinds with them.
        for (int r = 0; r < analysedCount; ++r) {
            QvAnalysedPoint& p = analysedPoints[r];
            std::swap(p.x, p.y);
            if (p.kind == 7 || p.kind == 8)
                p.kind = 10;
            else if (p.kind == 3)
                p.kind = 12;
            else if (p.kind == 4)
                p.kind = 3;
            else if (p.kind == 5)
                p.kind = 11;
        }
    }
}

// --- drawing -------------------------------------------------------------------

void QvFunction::DrawDot(CDC* dc, const CPoint& at, int radius, COLORREF fill) {
    CPen pen(PS_INSIDEFRAME, 1, data.m_Color);
    CBrush brush(fill);
    CDCSelect<CPen> usePen(dc, &pen);
    CDCSelect<CBrush> useBrush(dc, &brush);
    dc->Ellipse(at.x - radius, at.y - radius, at.x + radius, at.y + radius);
}

void QvFunction::DrawEndMark(CDC* dc, double t, int endKind, int ahead, int u) {
    const double v = PlotAt(t);
    const CPoint at = data.kind == 3 ? DevicePoint(v, t) : DevicePoint(t, v);
    switch (endKind) {
    case 1:
        DrawRangeArrow(dc, t, v, ahead);
        break;
    case 6:
        DrawDot(dc, at, u, data.m_Color);
        break;
    case 7:
        DrawDot(dc, at, u, RGB(255, 255, 255));
        break;
    default:
        break;
    }
}

void QvFunction::DrawCurve(CDC* dc, QvLogFont font) {
    // The palette is the device's own: nothing to select.
    yUp = dc->GetMapMode() == MM_HIMETRIC;
    ySign = yUp ? -1 : 1;
    if (!HasProgram())
        return;
    const bool text = dc->GetMapMode() == MM_TEXT;
    const int u = text ? 1 : 100;
    const int kind = data.kind;

    if (data.markFlag) {
        CPen pen(PS_INSIDEFRAME, 2, data.m_Color);
        CBrush brush(data.m_Color);
        CDCSelect<CPen> usePen(dc, &pen);
        CDCSelect<CBrush> useBrush(dc, &brush);
        const float low = float(data.yMin), high = float(data.yMax);
        for (int i = 0; kind == 1 && i <= 498; i += 3) {
            const float slope = samples[i].slope;
            if (!(low < slope && slope < high))
                continue;
            const CPoint at = DevicePoint(samples[i].x, slope);
            dc->Ellipse(at.x - kDotRadius, at.y - kDotRadius, at.x + kDotRadius,
                        at.y + kDotRadius);
        }
    }

    for (int i = kSampleSteps + 1; i < kSamples; ++i)
        samples[i].outside = samples[kSampleSteps].outside;

    if (data.RangeArrows) {
        int state = samples[0].outside;
        auto arrow = [&](const QvCurveSample& s, int ahead) {
            if (kind == 3)
                DrawRangeArrow(dc, s.y, s.x, ahead);
            else
                DrawRangeArrow(dc, s.x, s.y, ahead);
        };
        for (int i = 1; i <= kSampleSteps; ++i) {
            if (!state && samples[i].outside) {
                arrow(samples[i - 1], 0);
                state = 1;
            } else if (state && !samples[i].outside) {
                arrow(samples[i], 1);
                state = 0;
            }
        }
    }

    if (data.VAsym && kind == 1) {
        CPen pen(PS_DOT, 1, data.m_Color);
        CDCSelect<CPen> usePen(dc, &pen);
        int start = -1;
        for (int i = 1; i <= kSampleSteps; ++i) {
            if (!samples[i - 1].outside && samples[i].outside) {
                start = i - 1;
            } else if (samples[i - 1].outside && !samples[i].outside && start >= 0) {
                const int s = start, e = i;
                start = -1;
                if (s == 0 || e - s >= kAsymptoteRun)
                    continue;
                const double x = samples[s + (e - s) / 2].x;
                if (std::fabs(x) < 0.1)
                    continue;
                dc->MoveTo(DevicePoint(x, data.yMax));
                dc->LineTo(DevicePoint(x, data.yMin));
            }
        }
    }

    LOGPEN log = QvLineStyle().PenFromLineCommand(UINT(data.lineCommand));
    int width = text ? 1 : log.lopnWidth.x;
    UINT style = log.lopnStyle;
    if (relation == TokLess || relation == TokGreater) {
        style = PS_DOT;
        width = 1;
    }
    {
        CPen pen(int(style), width, data.m_Color);
        CDCSelect<CPen> usePen(dc, &pen);
        int n = 0;
        bool inside = !samples[0].outside;
        for (int i = 0; i < kSampleSteps; ++i) {
            const QvCurveSample& s = samples[i];
            if (inside && !s.outside) {
                if (s.visible && n < kDevicePoints)
                    devicePoints[n++] = DevicePoint(s.x, s.y);
            } else if (inside) {
                dc->Polyline(devicePoints, n);
                n = 0;
                inside = false;
            } else if (!s.outside) {
                devicePoints[0] = DevicePoint(s.x, s.y);
                n = 1;
                inside = true;
            }
        }
        if (n > 0)
            dc->Polyline(devicePoints, n);
    }

    if (kind == 1 || kind == 3) {
        // A window starting at exactly 0 shows no start mark.
        if (data.ShowLow && data.xMin != 0.0)
            DrawEndMark(dc, plotStart, lowEnd, 1, u);
        if (data.ShowHigh)
            DrawEndMark(dc, plotEnd, highEnd, 0, u);
    }

    if (data.HAsym && lowEnd == 1 && highEnd == 1) {
        const double a = PlotAt(-kFar), b = PlotAt(kFar);
        if (std::fabs(a - b) < kSameLimit) {
            CPen pen(PS_DOT, width, data.m_Color);
            CDCSelect<CPen> usePen(dc, &pen);
            const double y = (a + b) / 2;
            dc->MoveTo(DevicePoint(plotStart, y));
            dc->LineTo(DevicePoint(plotEnd, y));
        }
    }

    DrawPointLabel(dc, font);
}

void QvFunction::DrawRangeArrow(CDC* dc, double t, double v, int ahead) {
    const int kind = data.kind;
    if (kind != 1 && kind != 3)
        return;
    const double x = kind == 3 ? v : t, y = kind == 3 ? t : v;
    if (!(x >= data.xMin && x <= data.xMax && y >= data.yMin && y <= data.yMax))
        return;
    const double d = (kind == 3 ? data.yMax - data.yMin : data.xMax - data.xMin) / 70;
    const double t2 = ahead ? t + d : t - d;
    const double v2 = PlotAt(t2);
    const CPoint p = DevicePoint(x, y);
    const CPoint q = kind == 3 ? DevicePoint(v2, t2) : DevicePoint(t2, v2);
    const int u = dc->GetMapMode() == MM_TEXT ? 1 : 100;
    double wx = q.x - p.x, wy = q.y - p.y;
    if (const double length = std::sqrt(wx * wx + wy * wy); length != 0.0) {
        wx *= u / length;
        wy *= u / length;
    }
    const double bx = p.x + 3 * wx, by = p.y + 3 * wy;
    const CPoint corners[4] = {p, CPoint(Round(bx - wy), Round(by + wx)),
                               CPoint(Round(bx + wy), Round(by - wx)), p};
    CPen pen(PS_INSIDEFRAME, 0, data.m_Color);
    CBrush brush(data.m_Color);
    CDCSelect<CPen> usePen(dc, &pen);
    CDCSelect<CBrush> useBrush(dc, &brush);
    dc->Polygon(corners, 4);
}
