#include "graphs/number_line.h"

#include "platform/archive.h"
#include "platform/dc.h"
#include "settings/line_style.h"
#include "settings/settings.h"
#include "text/equation.h"
#include "text/equation_options.h"
#include "text/font_select.h"
#include "text/number_text.h"

#include <cmath>
#include <cstdlib>
#include <utility>

IMPLEMENT_SERIAL(QvNumberLine, CObject, 0)

namespace {

constexpr double kMargin = 15.0;

// The ticks k * step of one kind.  Counting goes up from `first` while
// k * step <= high and down from -1 while low <= k * step; of those, the
// ones in [padLow, padHigh] are drawn: k from upFrom to upTo, and from
// downFrom down to downTo.
struct TickSpan {
    long long upFrom = 1, upTo = 0;
    long long downFrom = -1, downTo = 0;
};

// False, and no ticks of the kind, for a step that is not a positive
// number, for k beyond 32 bits, or for more than kMostMarks ticks.
bool FindTicks(double step, int first, double low, double high, double padLow, double padHigh,
               TickSpan& t) {
    if (!(step > 0.0 && std::isfinite(step)))
        return false;
    for (double v : {low, high, padLow, padHigh})
        if (!(std::fabs(v / step) < 2147483647.0))
            return false;
    auto at = [step](long long k) { return double(k) * step; };

    long long top = (long long)std::floor(high / step);
    while (at(top) > high)
        --top;
    while (at(top + 1) <= high)
        ++top;
    long long from = std::max<long long>(first, (long long)std::ceil(padLow / step));
    while (from - 1 >= first && at(from - 1) >= padLow)
        --from;
    while (at(from) < padLow)
        ++from;
    t.upFrom = from;
    t.upTo = top;

    long long bottom = (long long)std::ceil(low / step);
    while (at(bottom) < low)
        ++bottom;
    while (at(bottom - 1) >= low)
        --bottom;
    long long down = std::min<long long>(-1, (long long)std::floor(padHigh / step));
    while (at(down) > padHigh)
        --down;
    while (down + 1 <= -1 && at(down + 1) <= padHigh)
        ++down;
    t.downFrom = down;
    t.downTo = bottom;

    const long long count = std::max(0LL, t.upTo - t.upFrom + 1) +
                            std::max(0LL, t.downFrom - t.downTo + 1);
    return count <= QvGraph::kMostMarks;
}

// Every tick of a kind, with its label text when `text` is given: the step
// text added up k times, kept exact ("pi/2" three times is "3pi/2").
template <class Mark>
void ForEachTick(const TickSpan& t, const QString& step, QvEquation* text, Mark mark) {
    auto start = [&](long long k) {
        if (!text)
            return;
        if (k == 0) {
            text->SetText(QStringLiteral("0"));
        } else {
            text->SetText(step);
            text->MultiplyNumberText(int(k));
        }
    };
    start(t.upFrom);
    for (long long k = t.upFrom; k <= t.upTo; ++k) {
        mark(k);
        if (text)
            text->AddNumberText(step);
    }
    start(t.downFrom);
    for (long long k = t.downFrom; k >= t.downTo; --k) {
        mark(k);
        if (text)
            text->SubtractNumberText(step);
    }
}

LOGPEN AxisPen(int command, COLORREF color, bool text) {
    LOGPEN log = QvLineStyle().PenFromLineCommand(UINT(command));
    if (text)
        log.lopnWidth.x = 0;
    log.lopnColor = color;
    return log;
}

} // namespace

QvNumberLine::QvNumberLine() {
    lineData.m_FrameRect = CRect(0, 0, 0, 0);
    Init();
}

void QvNumberLine::Serialize(CArchive& ar) {
    lineData.Serialize(ar);
    for (QvGraphDataNumberLineFunction& record : lineData.m_Graphs)
        record.Serialize(ar);
}

// --- mapping -------------------------------------------------------------------

double QvNumberLine::XToDevice(double x) const {
    const CRect& r = lineData.m_PlotRect;
    const double left = r.left, width = double(r.right) - r.left;
    const double span = lineData.m_xMaxPad - lineData.m_xMinPad;
    double d = span != 0.0 ? (x - lineData.m_xMinPad) * width / span : 0.0;
    if (!(d >= 0.0 && d <= width + kMargin))
        d = 0.0;
    return left + d;
}

double QvNumberLine::YToDevice(double) const {
    const CRect& r = lineData.m_PlotRect;
    return (double(r.bottom) - r.top) / 2 + r.top;
}

double QvNumberLine::DeviceToX(double dx) const {
    const CRect& r = lineData.m_PlotRect;
    const double left = r.left, width = double(r.right) - r.left;
    const double span = lineData.m_xMaxPad - lineData.m_xMinPad;
    double v = width != 0.0 ? span * (dx - left) / width : 0.0;
    if (!(v >= 0.0))
        v = 0.0;
    v = std::min(v, span + kMargin);
    return lineData.m_xMinPad + v;
}

double QvNumberLine::DeviceToY(double) const {
    return 0.0;
}

// --- drawing -------------------------------------------------------------------

void QvNumberLine::Draw(CDC* dc, BOOL noTicks) {
    QvNumberLineData& d = lineData;
    const QvEquationOptions* options = &TheEquationOptions();

    // 1. Mode.
    const bool text = dc->GetMapMode() == MM_TEXT;
    yUp = dc->GetMapMode() == MM_HIMETRIC;
    ySign = yUp ? -1.0 : 1.0;
    const int s = text ? 1 : 100;

    // 2. Values, parsed afresh.
    xMaxValue = QvTextToDouble(d.m_xMaxShow);
    xMinValue = QvTextToDouble(d.m_xMinShow);
    yMaxValue = yMinValue = 0.0;
    xMajorStep = QvTextToDouble(d.m_xMajor);
    xMinorStep = QvTextToDouble(d.m_xMinor);

    // 3. The axis area starts as the whole frame.
    d.m_PlotRect = d.m_FrameRect;
    d.m_PlotRect.NormalizeRect();

    // 4. The padded range; an end at exactly 0 stays there.
    const double span = xMaxValue - xMinValue;
    d.m_xMaxPad = xMaxValue == 0.0 ? 0.0 : xMaxValue + 0.05 * span;
    d.m_xMinPad = xMinValue == 0.0 ? 0.0 : xMinValue - 0.05 * span;
    if (d.m_xMaxPad == d.m_xMinPad)
        d.m_xMaxPad += 1.0;
    if (d.m_xMaxPad < d.m_xMinPad)
        std::swap(d.m_xMaxPad, d.m_xMinPad);

    TickSpan minor, major;
    const bool minorTicks =
        FindTicks(xMinorStep, 1, xMinValue, xMaxValue, d.m_xMinPad, d.m_xMaxPad, minor);
    const bool majorTicks =
        FindTicks(xMajorStep, 0, xMinValue, xMaxValue, d.m_xMinPad, d.m_xMaxPad, major);

    // 5. The scale font.
    QvLogFont font(d.m_AxisFont);
    font.m_drawHeight = font.m_drawHeight * s / 100;
    QvFontSelect scaleFont;
    scaleFont.SetFont(font);

    // 6. The label band along the page's lower edge, as tall as the
    // tallest label drawn, on either side of 0.
    QvEquation label;
    if (d.m_ShowScale && majorTicks) {
        scaleFont.Select(dc);
        int band = 0;
        QvEquation number;
        ForEachTick(major, d.m_xMajor, &number, [&](long long) {
            label.SetText(number.GetText(), options);
            const int h = std::abs(label.Measure(dc, options, &font).height);
            if (h != 0 && band < h + 2 * s)
                band = h + 2 * s;
        });
        if (yUp)
            d.m_PlotRect.top += band;
        else
            d.m_PlotRect.bottom -= band;
        // 7.
        scaleFont.Restore(dc);
    }

    // 8. The intervals, later ones over earlier ones.
    for (int i = 0; i < kIntervalCount; ++i) {
        QvNumberLineFunction& f = intervals[i];
        f.SetData(d.m_Graphs[i]);
        f.SetRange(d.m_xMinPad, d.m_xMaxPad, 0.0, 0.0, 0);
        f.m_Record.m_FrameRect = d.m_FrameRect;
        f.m_Record.m_PlotRect = d.m_PlotRect;
        f.Draw(dc);
        d.m_Graphs[i].m_Changed = 0;
    }

    const LOGPEN axisLog = AxisPen(d.m_AxisLine, d.m_AxisColor, text);
    const int y = int(YToDevice(0.0));
    auto line = [dc](int x1, int y1, int x2, int y2) {
        dc->MoveTo(x1, y1);
        dc->LineTo(x2, y2);
    };

    // 9. The axis, with the arrows the current defaults ask for.
    if (d.m_ShowAxis) {
        CPen pen(axisLog);
        CDCSelect<CPen> usePen(dc, &pen);
        const int xL = int(XToDevice(d.m_xMinPad)), xR = int(XToDevice(d.m_xMaxPad));
        line(xL, y, xR, y);
        const QvGraphDefaults& defaults = TheSettings().m_GraphDefaults;
        if (defaults.ShowNegativeArrows.GetValue()) {
            line(xL, y, xL + 2 * s, y + s);
            line(xL, y, xL + 2 * s, y - s);
        }
        if (defaults.ShowPositiveArrows.GetValue()) {
            line(xR, y, xR - 2 * s, y + s);
            line(xR, y, xR - 2 * s, y - s);
        }
    }

    // 10. Ticks and scale labels.
    if (!noTicks) {
        const UINT align = dc->SetTextAlign(TA_CENTER | TA_TOP);
        scaleFont.Select(dc);
        if (d.m_ShowTicks) {
            CPen pen(axisLog);
            CDCSelect<CPen> usePen(dc, &pen);
            auto tick = [&](double x, int half) {
                const int px = int(XToDevice(x));
                line(px, y + half, px, y - half);
            };
            if (minorTicks)
                ForEachTick(minor, d.m_xMinor, nullptr,
                            [&](long long k) { tick(double(k) * xMinorStep, s / 2); });
            if (majorTicks) {
                QvEquation number;
                ForEachTick(major, d.m_xMajor, d.m_ShowScale ? &number : nullptr,
                            [&](long long k) {
                                const double x = double(k) * xMajorStep;
                                tick(x, s);
                                if (!d.m_ShowScale)
                                    return;
                                label.SetText(number.GetText(), options);
                                label.Draw(dc, int(XToDevice(x)), int(y + s * ySign), options,
                                           &font);
                            });
            }
        }
        scaleFont.Restore(dc);
        dc->SetTextAlign(align);
    }
}
