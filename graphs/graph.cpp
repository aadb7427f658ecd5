#include "graphs/graph.h"

#include "platform/archive.h"
#include "platform/dc.h"
#include "settings/line_style.h"
#include "settings/settings.h"
#include "text/equation.h"
#include "text/equation_options.h"
#include "text/font_select.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <utility>

IMPLEMENT_SERIAL(QvGraph, CObject, 0)

namespace {

constexpr double kMargin = 15.0;
constexpr double kUndefined = 1000000000001.5;
constexpr double kStartBox = 6.25;
constexpr double kGrowth = 1.6;
constexpr double kProbes[] = {0.1, 0.2, 0.4, 0.6, 0.8, 1,   1.5, 2,   2.5, 3,   4,   5,
                              6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,
                              18,  19,  20,  24,  28,  32,  36,  40,  45,  50,  55,  60,
                              70,  80,  90,  100, 120, 140, 160, 180, 200, 225, 250, 275,
                              300, 350, 400, 450, 500, 600, 700, 800, 900, 1000};
const char* const kSteps[] = {
    "0.001",   "0.002",   "0.005",   "0.01",    "0.02",    "0.05",
    "0.1",     "0.2",     "0.5",     "1",       "2",       "5",
    "10",      "20",      "50",      "100",     "200",     "500",
    "1000",    "2000",    "5000",    "10000",   "20000",   "50000",
    "100000",  "200000",  "500000",  "1000000", "2000000", "5000000",
    "10000000", "100000000000000000000000000"};

// The k of the marks k * step of one pass: k = 1, 2, ... while k * step <=
// high, then k = -1, -2, ... while low <= k * step.  A step that is not a
// positive finite number, or a pass of more than kMostMarks marks, gives
// none.
template <class Mark> void ForEachMark(double step, double low, double high, Mark mark) {
    if (!(step > 0.0 && std::isfinite(step)))
        return;
    // A first estimate, so that no loop below can run away.
    const double rough = std::max(high, 0.0) / step + std::max(-low, 0.0) / step;
    if (!(rough <= QvGraph::kMostMarks + 2))
        return;
    int count = 0;
    for (int k = 1; k * step <= high; ++k)
        ++count;
    for (int k = -1; low <= k * step; --k)
        ++count;
    if (count > QvGraph::kMostMarks)
        return;
    for (int k = 1; k * step <= high; ++k)
        mark(k, k * step);
    for (int k = -1; low <= k * step; --k)
        mark(k, k * step);
}

// The 5% margin of a range; a limit of exactly 0 stays on the axis.
void Widen(double low, double high, double& wideLow, double& wideHigh) {
    wideHigh = high == 0.0 ? 0.0 : high + 0.05 * (high - low);
    wideLow = low == 0.0 ? 0.0 : low - 0.05 * (high - low);
    if (wideLow == wideHigh)
        wideHigh += 1.0;
    if (wideHigh < wideLow)
        std::swap(wideLow, wideHigh);
}

// The major step text (first from the third entry on to exceed a twelfth
// of the range) and the minor one two entries before it.
void StepTexts(double low, double high, QString& major, QString& minor) {
    const double r = (high - low) / 12;
    int i = 2;
    while (i < int(std::size(kSteps)) - 1 && !(QvTextToNumber(QString::fromLatin1(kSteps[i])) > r))
        ++i;
    major = QString::fromLatin1(kSteps[i]);
    minor = QString::fromLatin1(kSteps[i - 2]);
}

CRect Normalized(const CPoint& a, const CPoint& b) {
    return CRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
}

LOGPEN LinePen(int command, COLORREF color, bool text) {
    LOGPEN log = QvLineStyle().PenFromLineCommand(UINT(command));
    if (text)
        log.lopnWidth.x = 0;
    log.lopnColor = color;
    return log;
}

} // namespace

QvGraph::QvGraph() {
    data.frameTopLeft = CPoint(0, 0);
    data.frameBottomRight = CPoint(0, 0);
    lastPick = CPoint(0, 0);
    picked = std::make_unique<QvPickedPointList>();
    Init();
}

QvGraph::~QvGraph() = default;

void QvGraph::Serialize(CArchive& ar) {
    data.Serialize(ar);
    for (QvGraphDataFunction& record : data.functions)
        record.Serialize(ar);
}

// --- mapping -------------------------------------------------------------------

double QvGraph::XToDevice(double x) const {
    const double left = data.plotTopLeft.x, width = data.plotBottomRight.x - left;
    const double span = data.xMax - data.xMin;
    double d = span != 0.0 ? (x - data.xMin) * width / span : 0.0;
    if (!(d >= 0.0 && d <= width + kMargin))
        d = 0.0;
    return left + d;
}

double QvGraph::YToDevice(double y) const {
    const double top = data.plotTopLeft.y, bottom = data.plotBottomRight.y;
    const double span = data.yMax - data.yMin;
    if (!yUp) {
        double d = span != 0.0 ? (y - data.yMin) * (bottom - top) / span : 0.0;
        if (!(d >= 0.0))
            d = 0.0;
        d = std::min(d, (bottom - top) + kMargin);
        return bottom - d;
    }
    double d = span != 0.0 ? (y - data.yMin) * (top - bottom) / span : 0.0;
    if (!(d <= 0.0))
        d = 0.0;
    d = std::max(d, (top - bottom) + kMargin);
    return top - d;
}

double QvGraph::DeviceToX(double dx) const {
    const double left = data.plotTopLeft.x, width = data.plotBottomRight.x - left;
    const double span = data.xMax - data.xMin;
    double v = width != 0.0 ? (dx - left) * span / width : 0.0;
    if (!(v >= 0.0))
        v = 0.0;
    v = std::min(v, span + kMargin);
    return data.xMin + v;
}

double QvGraph::DeviceToY(double dy) const {
    const double top = data.plotTopLeft.y, bottom = data.plotBottomRight.y;
    const double h = yUp ? top - bottom : bottom - top;
    const double span = data.yMax - data.yMin;
    double v = h != 0.0 ? (dy - (yUp ? bottom : top)) * span / h : 0.0;
    if (!(v >= 0.0))
        v = 0.0;
    v = std::min(v, span + kMargin);
    return data.yMax - v;
}

// --- ordering ------------------------------------------------------------------

QvGraph::Order QvGraph::SortFunctionsAt(double x) {
    Order order{};
    double values[kFunctionCount];
    int defined = 0;
    for (int i = 0; i < kFunctionCount; ++i) {
        const double v = functionObjects[i].ValueAt(x);
        if (v == QvFunction::kNoValue)
            continue;
        // Before the first larger value: ties keep the lower index first.
        int at = 0;
        while (at < defined && values[at] <= v)
            ++at;
        for (int j = defined; j > at; --j) {
            values[j] = values[j - 1];
            order[size_t(j)] = order[size_t(j - 1)];
        }
        values[at] = v;
        order[size_t(at)] = i;
        ++defined;
    }
    for (int j = defined; j < kFunctionCount; ++j)
        order[size_t(j)] = kNoFunction;
    for (int j = 1; j < defined; ++j) {
        if (values[j] == values[j - 1]) {
            order[size_t(kFunctionCount + j)] = 1;
            order[size_t(kFunctionCount + j - 1)] = 1;
        }
    }
    return order;
}

bool QvGraph::SameOrder(const Order& a, const Order& b) {
    for (int j = 0; j < kFunctionCount; ++j) {
        const int p = a[size_t(j)], q = b[size_t(j)];
        if (p != q && !a[size_t(kFunctionCount + j)] && p != kNoFunction && q != kNoFunction)
            return false;
    }
    return true;
}

// --- drawing -------------------------------------------------------------------

void QvGraph::PrepareFunction(int i) {
    QvFunction& f = functionObjects[i];
    f.SetDisplayData(data.functions[i]);
    f.SetRange(data.xMin, data.xMax, data.yMin, data.yMax, data.AngleType);
    f.data.plotTopLeft = data.plotTopLeft;
    f.data.plotBottomRight = data.plotBottomRight;
    f.data.frameTopLeft = data.frameTopLeft;
    f.data.frameBottomRight = data.frameBottomRight;
    f.data.shadeAbove = data.ShadeAbove;
}

bool QvGraph::AutoScaledFromThis() const {
    const AutoScaledFrom& a = m_autoScaled;
    if (!a.valid || a.xMin != data.xMin || a.xMax != data.xMax || a.yMin != data.yMin ||
        a.yMax != data.yMax || a.angleType != data.AngleType ||
        !(a.options == TheEquationOptions()))
        return false;
    for (int i = 0; i < kFunctionCount; ++i) {
        const QvGraphDataFunction& f = data.functions[i];
        if (a.expression[i] != f.expression || a.rangeText[i] != f.rangeText ||
            a.decimalChar[i] != f.decimalChar)
            return false;
    }
    return true;
}

void QvGraph::AutoScale(QString* steps) {
    if (AutoScaledFromThis()) {
        xMinValue = m_autoScaled.values[0];
        yMinValue = m_autoScaled.values[1];
        xMaxValue = m_autoScaled.values[2];
        yMaxValue = m_autoScaled.values[3];
        std::copy(m_autoScaled.steps, m_autoScaled.steps + 4, steps);
        return;
    }
    double box[4] = {-kStartBox, -kStartBox, kStartBox, kStartBox}; // x min, y min, x max, y max
    for (int i = 0; i < kFunctionCount; ++i) {
        QvFunction& f = functionObjects[i];
        f.SetDisplayData(data.functions[i]);
        f.SetRange(data.xMin, data.xMax, data.yMin, data.yMax, data.AngleType);
        f.ExtendBounds(box);
        data.functions[i].dirty = 1;
    }
    // Where the order of the curves changes, the window reaches out to
    // show it.
    for (const double sign : {1.0, -1.0}) {
        Order previous = SortFunctionsAt(0.0);
        for (const double probe : kProbes) {
            const double x = sign * probe;
            const Order order = SortFunctionsAt(x);
            if (SameOrder(previous, order))
                continue;
            previous = order;
            if (sign > 0)
                box[2] = std::max(box[2], x);
            else
                box[0] = std::min(box[0], x);
            int last = -1;
            for (int j = 0; j < kFunctionCount && order[size_t(j)] != kNoFunction; ++j)
                last = j;
            if (last < 0)
                continue;
            const double low = functionObjects[order[0]].ValueAt(x);
            const double high = functionObjects[order[size_t(last)]].ValueAt(x);
            if (low != -kUndefined)
                box[1] = std::min(box[1], low);
            if (high != kUndefined)
                box[3] = std::max(box[3], high);
        }
    }
    xMinValue = box[0] * kGrowth;
    yMinValue = box[1] * kGrowth;
    xMaxValue = box[2] * kGrowth;
    yMaxValue = box[3] * kGrowth;
    StepTexts(xMinValue, xMaxValue, steps[0], steps[2]);
    StepTexts(yMinValue, yMaxValue, steps[1], steps[3]);

    AutoScaledFrom& a = m_autoScaled;
    a.valid = true;
    for (int i = 0; i < kFunctionCount; ++i) {
        a.expression[i] = data.functions[i].expression;
        a.rangeText[i] = data.functions[i].rangeText;
        a.decimalChar[i] = data.functions[i].decimalChar;
    }
    a.xMin = data.xMin;
    a.xMax = data.xMax;
    a.yMin = data.yMin;
    a.yMax = data.yMax;
    a.angleType = data.AngleType;
    a.options = TheEquationOptions();
    a.values[0] = xMinValue;
    a.values[1] = yMinValue;
    a.values[2] = xMaxValue;
    a.values[3] = yMaxValue;
    std::copy(steps, steps + 4, a.steps);
}

void QvGraph::Draw(CDC* dc, BOOL noFunctions) {
    QvEquation label;
    const QvEquationOptions* options = &TheEquationOptions();

    // 1. Mode.
    const bool text = dc->GetMapMode() == MM_TEXT;
    // Fraction bars of the labels a quarter millimetre thick; on a bitmap
    // that would be 25 pixels, so there they are one pixel.
    label.SetPenWidth(text ? 1 : 25);
    yUp = dc->GetMapMode() == MM_HIMETRIC;
    ySign = yUp ? -1.0 : 1.0;
    const int scale = text ? 1 : 100;
    auto units = [scale](int n) { return n * scale / 100; };
    if (data.integral.functionA != -1 || data.derivative.function != -1)
        data.calcShown = 1;

    // 2. Range and steps: x major, y major, x minor, y minor.
    QString steps[4] = {data.xMajorS, data.yMajorS, data.xMinorS, data.yMinorS};
    int savedPoints[kFunctionCount];
    for (int i = 0; i < kFunctionCount; ++i)
        savedPoints[i] = data.functions[i].selectedPoint;
    if (data.AutoScale) {
        AutoScale(steps);
    } else {
        xMaxValue = QvTextToNumber(data.xMaxShowS);
        yMaxValue = QvTextToNumber(data.yMaxShowS);
        xMinValue = QvTextToNumber(data.xMinShowS);
        yMinValue = QvTextToNumber(data.yMinShowS);
    }
    xMajorStep = QvTextToNumber(steps[0]);
    yMajorStep = QvTextToNumber(steps[1]);
    xMinorStep = QvTextToNumber(steps[2]);
    yMinorStep = QvTextToNumber(steps[3]);

    // 3. Plot rectangle, 4. widening.
    const CRect frame = Normalized(data.frameTopLeft, data.frameBottomRight);
    CPoint& topLeft = data.plotTopLeft;
    CPoint& bottomRight = data.plotBottomRight;
    topLeft = frame.TopLeft();
    bottomRight = frame.BottomRight();
    Widen(xMinValue, xMaxValue, data.xMin, data.xMax);
    Widen(yMinValue, yMaxValue, data.yMin, data.yMax);

    // 5. Fonts.
    QvLogFont axisFont(data.AxisFont), notateFont(data.NotateFont), reportFont(data.ReportFont);
    axisFont.m_drawHeight = axisFont.m_drawHeight * scale / 100;
    notateFont.m_drawHeight = notateFont.m_drawHeight * scale / 100;
    reportFont.m_drawHeight = reportFont.m_drawHeight * scale / 100;
    QvFontSelect notate;
    notate.SetFont(notateFont);

    // 6. Layout.  With y growing upwards the page's bottom is the smaller y.
    auto shrinkBottom = [&](int h) {
        if (yUp)
            topLeft.y += h;
        else
            bottomRight.y -= h;
    };
    auto shrinkTop = [&](int h) {
        if (yUp)
            bottomRight.y -= h;
        else
            topLeft.y += h;
    };
    auto measure = [&](const QString& t) {
        label.SetText(t, options);
        const QvEquationExtent e = label.Measure(dc, options, &axisFont);
        return std::pair{std::abs(e.width), std::abs(e.height)};
    };
    {
        notate.Select(dc);
        const CSize xSize = dc->GetTextExtent(data.xNotate);
        const CSize ySize = dc->GetTextExtent(data.yNotate);
        notate.Restore(dc);
        bottomRight.x -= std::abs(xSize.cx) + units(200);
        if (yMinValue == 0.0) {
            int h = std::abs(xSize.cy);
            if (data.showXLabels) {
                QvEquation text;
                text.SetText(QStringLiteral("0"), options);
                ForEachMark(xMajorStep, 0.0, xMaxValue, [&](int, double) {
                    text.AddNumberText(steps[0]);
                    const int m = measure(text.GetText()).second;
                    if (m != 0 && h < m + units(200))
                        h = m + units(200);
                });
            }
            shrinkBottom(h);
        }
        if (data.showReport && data.calcShown)
            shrinkBottom(3 * data.ReportFont.m_drawHeight * scale / 100);
        shrinkTop(std::abs(ySize.cy));
        int margin = std::abs(ySize.cx) / 2 + units(100);
        if (xMinValue == 0.0 && data.showYLabels) {
            QvEquation up, down;
            up.SetText(QStringLiteral("0"), options);
            down.SetText(QStringLiteral("0"), options);
            ForEachMark(yMajorStep, yMinValue, yMaxValue, [&](int k, double) {
                QvEquation& text = k > 0 ? up : down;
                if (k > 0)
                    text.AddNumberText(steps[1]);
                else
                    text.SubtractNumberText(steps[1]);
                const int w = measure(text.GetText()).first;
                if (w != 0 && w > margin)
                    margin = w;
            });
        }
        if (XToDevice(0.0) - topLeft.x < margin)
            topLeft.x += margin;
    }

    // 7. Functions.
    if (!noFunctions) {
        for (int i = 0; i < kFunctionCount; ++i) {
            PrepareFunction(i);
            functionObjects[i].Plot(dc);
            data.functions[i].kind = functionObjects[i].data.kind;
            data.functions[i].dirty = 0;
            if (data.AutoScale) {
                data.functions[i].selectedPoint = savedPoints[i];
                functionObjects[i].data.selectedPoint = savedPoints[i];
            }
        }
    }

    // 8. Digits of the report lines.
    const double r = data.xMax - data.xMin;
    digits = r < 10 ? 8 : r < 23 ? 6 : r < 100 ? 4 : 2;

    // 9. Integral and derivative.
    DrawCalculations(dc);

    auto point = [&](double x, double y) {
        return CPoint(int(XToDevice(x)), int(YToDevice(y)));
    };
    auto line = [&](const CPoint& a, const CPoint& b) {
        dc->MoveTo(a);
        dc->LineTo(b);
    };
    const QvGraphDefaults& defaults = TheSettings().m_GraphDefaults;
    const bool negativeArrows = defaults.ShowNegativeArrows.GetValue();
    const bool positiveArrows = defaults.ShowPositiveArrows.GetValue();
    const int a200 = units(200), a100 = units(100);

    // 10. x axis.
    const LOGPEN xLog = LinePen(data.xLine, data.xColor, text);
    const LOGPEN yLog = LinePen(data.yLine, data.yColor, text);
    if (data.showXAxis) {
        CPen pen(xLog);
        CDCSelect<CPen> usePen(dc, &pen);
        const CPoint left = point(data.xMin, 0.0), right = point(data.xMax, 0.0);
        line(left, right);
        if (data.xMin < 0.0 && negativeArrows) {
            line(left, CPoint(left.x + a200, left.y + a100));
            line(left, CPoint(left.x + a200, left.y - a100));
        }
        if (data.xMax > 0.0 && positiveArrows) {
            line(right, CPoint(right.x - a200, right.y + a100));
            line(right, CPoint(right.x - a200, right.y - a100));
        }
    }

    // 11. y axis and the origin mark.
    if (data.showYAxis) {
        CPen pen(yLog);
        CDCSelect<CPen> usePen(dc, &pen);
        const CPoint low = point(0.0, data.yMin), high = point(0.0, data.yMax);
        line(low, high);
        const int back = int(a200 * ySign);
        if (data.yMax > 0.0 && positiveArrows) {
            line(high, CPoint(high.x - a100, high.y + back));
            line(high, CPoint(high.x + a100, high.y + back));
        }
        if (data.yMin < 0.0 && negativeArrows) {
            line(low, CPoint(low.x - a100, low.y - back));
            line(low, CPoint(low.x + a100, low.y - back));
        }
        if (data.ShowOrigin) {
            CDCSelect<CBrush> hollow(dc, HOLLOW_BRUSH);
            const CPoint o = point(0.0, 0.0);
            dc->Ellipse(o.x - 180, o.y - 180, o.x + 200, o.y + 200);
        }
    }

    // 12. Grid: y minor, x minor, y major, x major.  Never a line on an axis.
    if (data.ShowGrid) {
        // Level and upright lines cover whole pixels either way; without
        // smoothing they are drawn several times faster.
        const BOOL smooth = dc->SetSmoothing(FALSE);
        struct Pass {
            bool horizontal;
            int pen;
            COLORREF color;
            double step;
        } passes[] = {
            {true, data.yGridMinorPen, data.yGridMinorColor, yMinorStep},
            {false, data.xGridMinorPen, data.xGridMinorColor, xMinorStep},
            {true, data.yGridMajorPen, data.yGridMajorColor, yMajorStep},
            {false, data.xGridMajorPen, data.xGridMajorColor, xMajorStep},
        };
        for (const Pass& pass : passes) {
            CPen pen(LinePen(pass.pen, pass.color, text));
            CDCSelect<CPen> usePen(dc, &pen);
            if (pass.horizontal)
                ForEachMark(pass.step, yMinValue, yMaxValue, [&](int, double y) {
                    line(point(xMinValue, y), point(xMaxValue, y));
                });
            else
                ForEachMark(pass.step, xMinValue, xMaxValue, [&](int, double x) {
                    line(point(x, yMinValue), point(x, yMaxValue));
                });
        }
        dc->SetSmoothing(smooth);
    }

    if (!noFunctions) {
        // 13.1 Notation.
        notate.Select(dc);
        dc->SetTextAlign(TA_BOTTOM | TA_CENTER);
        const CPoint yAt = point(0.0, data.yMax);
        dc->TextOut(yAt.x, yAt.y, data.yNotate);
        dc->SetTextAlign(TA_TOP | TA_LEFT);
        const CPoint xAt = point(data.xMax, 0.0);
        dc->TextOut(xAt.x, xAt.y, data.xNotate);
        notate.Restore(dc);

        // 13.2 and 13.3 Ticks and labels, in the axis font.
        QvFontSelect axis;
        axis.SetFont(axisFont);
        axis.Select(dc);
        const int minor = units(100) / 2, major = units(100);
        if (data.showXTicks) {
            CPen pen(xLog);
            CDCSelect<CPen> usePen(dc, &pen);
            const int y = point(0.0, 0.0).y;
            ForEachMark(xMinorStep, xMinValue, xMaxValue, [&](int, double x) {
                const int px = point(x, 0.0).x;
                line(CPoint(px, y - minor), CPoint(px, y + minor));
            });
            QvEquation up, down;
            up.SetText(QStringLiteral("0"), options);
            down.SetText(QStringLiteral("0"), options);
            dc->SetTextAlign(TA_TOP | TA_CENTER);
            ForEachMark(xMajorStep, xMinValue, xMaxValue, [&](int k, double x) {
                const int px = point(x, 0.0).x;
                line(CPoint(px, y - major), CPoint(px, y + major));
                if (!data.showXLabels)
                    return;
                QvEquation& number = k > 0 ? up : down;
                if (k > 0)
                    number.AddNumberText(steps[0]);
                else
                    number.SubtractNumberText(steps[0]);
                label.SetText(number.GetText(), options);
                label.Draw(dc, px, y + int(units(100) * ySign), options, &axisFont);
            });
        }
        if (data.showYTicks) {
            CPen pen(yLog);
            CDCSelect<CPen> usePen(dc, &pen);
            const int x = point(0.0, 0.0).x;
            ForEachMark(yMinorStep, yMinValue, yMaxValue, [&](int, double y) {
                const int py = point(0.0, y).y;
                line(CPoint(x - minor, py), CPoint(x + minor, py));
            });
            QvEquation up, down;
            up.SetText(QStringLiteral("0"), options);
            down.SetText(QStringLiteral("0"), options);
            dc->SetTextAlign(TA_BASELINE | TA_RIGHT);
            ForEachMark(yMajorStep, yMinValue, yMaxValue, [&](int k, double y) {
                const int py = point(0.0, y).y;
                line(CPoint(x - major, py), CPoint(x + major, py));
                if (!data.showYLabels)
                    return;
                QvEquation& number = k > 0 ? up : down;
                if (k > 0)
                    number.AddNumberText(steps[1]);
                else
                    number.SubtractNumberText(steps[1]);
                label.SetText(number.GetText(), options);
                label.Draw(dc, x - units(100), py + int(units(100) * ySign), options, &axisFont);
            });
        }
        axis.Restore(dc);

        // 13.4 Curves, over everything drawn so far.
        for (int i = 0; i < kFunctionCount; ++i) {
            PrepareFunction(i);
            QvFunction& f = functionObjects[i];
            const int mark = f.data.markFlag;
            if (data.forceMarks)
                f.data.markFlag = 1;
            f.DrawCurve(dc, reportFont);
            f.data.markFlag = mark;
            data.functions[i].dirty = 0;
        }

        // 13.5 The intersection report.
        DrawIntersectionReport(dc);
    }
    dc->SetTextAlign(0);
}
