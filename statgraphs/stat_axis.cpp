#include "statgraphs/stat_axis.h"

#include "platform/command_ids.h"
#include "platform/dc.h"
#include "settings/line_style.h"
#include "settings/settings.h"
#include "statistics/stat_data.h"
#include "text/equation.h"
#include "text/equation_options.h"
#include "text/font_select.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const QString kClosing = QStringLiteral("1") + QString(41, QLatin1Char('0'));

const QString kSteps[QvStatAxis::StepCount] = {QStringLiteral("0.001"),
                                               QStringLiteral("0.002"),
                                               QStringLiteral("0.005"),
                                               QStringLiteral("0.01"),
                                               QStringLiteral("0.02"),
                                               QStringLiteral("0.05"),
                                               QStringLiteral("0.1"),
                                               QStringLiteral("0.2"),
                                               QStringLiteral("0.5"),
                                               QStringLiteral("1"),
                                               QStringLiteral("2"),
                                               QStringLiteral("5"),
                                               QStringLiteral("10"),
                                               QStringLiteral("20"),
                                               QStringLiteral("50"),
                                               QStringLiteral("100"),
                                               QStringLiteral("200"),
                                               QStringLiteral("500"),
                                               QStringLiteral("1000"),
                                               QStringLiteral("2000"),
                                               QStringLiteral("5000"),
                                               QStringLiteral("10000"),
                                               QStringLiteral("20000"),
                                               QStringLiteral("50000"),
                                               QStringLiteral("100000"),
                                               QStringLiteral("200000"),
                                               QStringLiteral("500000"),
                                               QStringLiteral("1000000"),
                                               QStringLiteral("2000000"),
                                               QStringLiteral("5000000"),
                                               QStringLiteral("10000000"),
                                               QStringLiteral("20000000"),
                                               QStringLiteral("50000000"),
                                               QStringLiteral("100000000"),
                                               kClosing};

const QString kDecades[QvStatAxis::DecadeCount] = {
    QStringLiteral("0.001"),   QStringLiteral("0.01"),     QStringLiteral("0.1"),
    QStringLiteral("1"),       QStringLiteral("10"),       QStringLiteral("100"),
    QStringLiteral("1000"),    QStringLiteral("10000"),    QStringLiteral("100000"),
    QStringLiteral("1000000"), QStringLiteral("10000000"), kClosing};

// The last real entry of the 1-2-5 table, a power of ten.
constexpr int kLastRealStep = QvStatAxis::StepCount - 2;

double YFactor(CDC* dc) {
    return dc->GetMapMode() == MM_HIMETRIC ? -1.0 : 1.0;
}

void Line(CDC* dc, int x0, int y0, int x1, int y1) {
    dc->MoveTo(x0, y0);
    dc->LineTo(x1, y1);
}

struct AxisKeys {
    BYTE autoMin, autoMax, autoMajor, autoMinor;
    double min, max, major, minor;
    const QString* title;
    const QString* midTitle;
    int majorGrid, minorGrid;
    COLORREF majorColour, minorColour;
};

AxisKeys Keys(const QvStatProperties& p, bool horizontal) {
    if (horizontal)
        return {p.AutoMinx, p.AutoMaxx, p.AutoxMajor, p.AutoxMinor, p.minx,
                p.maxx,     p.xmajor,   p.xminor,     &p.xAxis,     &p.xAxisMid,
                p.xMajor,   p.xMinor,   p.xMajorCol,  p.xMinorCol};
    return {p.AutoMiny, p.AutoMaxy, p.AutoyMajor, p.AutoyMinor, p.miny,   p.maxy,      p.ymajor,
            p.yminor,   &p.yAxis,   &p.yAxisMid,  p.yMajor,     p.yMinor, p.yMajorCol, p.yMinorCol};
}

CSize Extent(CDC* dc, const QvLogFont& font, const QString& text) {
    QvFontSelect select;
    select.SetFont(font);
    select.Select(dc);
    const CSize size = dc->GetTextExtent(text);
    select.Restore(dc);
    return size;
}

} // namespace

const QString& QvStatAxis::StepText(int index) {
    return kSteps[index];
}
const QString& QvStatAxis::DecadeText(int index) {
    return kDecades[index];
}

QString QvStatAxis::SeriesStep(int index) {
    if (index <= kLastRealStep)
        return kSteps[index];
    const int k = index - kLastRealStep;
    static const char mantissa[] = {'1', '2', '5'};
    return QString(QLatin1Char(mantissa[k % 3])) + QString(8 + k / 3, QLatin1Char('0'));
}

int QvStatAxis::Setup(int x0, int y0, int x1, int y1, double min, double max, bool labelZero,
                      bool logScale, CDC* dc, QvStatData* data, bool plain) {
    const double f = YFactor(dc);
    // 1.
    this->labelZero = labelZero;
    this->plain = plain;
    this->logScale = logScale;
    this->data = data;
    givenStart = start = CPoint(x0, y0);
    givenEnd = end = CPoint(x1, y1);
    horizontal = x0 != x1;
    const QvStatProperties& p = data->properties;
    const AxisKeys keys = Keys(p, horizontal);

    // 2. A manual setting can widen the range, never narrow it.
    if (!keys.autoMin && keys.min < min)
        min = keys.min;
    if (!keys.autoMax && keys.max > max)
        max = keys.max;
    // 3.
    if (max == min)
        max = (max + 1.0) * 1.1;

    // 4. to 6.
    broken = false;
    breakPoint = CPoint();
    labelOffset = 0;
    const bool breakable = !plain && p.BreakScales && (max - min < max / 2 || !keys.autoMin) &&
                           !logScale && min / (max - min) < 100000;
    if (min > 0 && max > 0 && breakable) {
        broken = true;
        breakPoint = CPoint(x0, y0);
    } else if (min < 0 && max < 0 && breakable) {
        broken = true;
        breakPoint = CPoint(x1, y1);
    }

    // 7. Room for the end label.
    if (horizontal) {
        const int w = Extent(dc, p.AxisFont, *keys.title).cx;
        if (max > 0)
            end.x -= w + 100;
        else
            end.x += w + 100;
    } else {
        const int h = Extent(dc, p.AxisFont, *keys.title).cy;
        const int shift = int((h + 100) * f);
        end.y += shift;
        if (max <= 0)
            breakPoint.y += shift;
    }
    const int midHeight = Extent(dc, p.MidAxisFont, *keys.midTitle).cy;
    gridFrom = gridTo = horizontal ? y0 : x0;

    // 8.
    if (broken) {
        if (horizontal) {
            if (max > 0)
                start.x += 450;
            else
                end.x -= 450;
        } else {
            if (max > 0)
                start.y -= int(450 * f);
            else
                end.y += int(450 * f);
        }
    }

    // 9. and 10.
    lowest = min;
    if (!broken) {
        if (min > 0)
            min = 0;
        else if (max < 0)
            max = 0;
    }

    // 11. A range too wide for any finite step gets none.
    majorStep.clear();
    minorStep.clear();
    const double eighth = (max - min) / 8;
    if (std::isfinite(eighth)) {
        for (int i = 2;; ++i) {
            const QString step = SeriesStep(i);
            const double value = QvTextToDouble(step);
            if (!std::isfinite(value))
                break;
            if (value > eighth) {
                majorStep = step;
                minorStep = SeriesStep(i - 2);
                break;
            }
        }
    }
    if (!keys.autoMajor)
        majorStep = QvFormatNumberPlain(keys.major);
    if (!keys.autoMinor)
        minorStep = QvFormatNumberPlain(keys.minor);

    // 12.
    topDecade = DecadeCount - 2;
    for (int i = 1; i < DecadeCount; ++i)
        if (QvTextToDouble(kDecades[i]) > max) {
            topDecade = i - 1;
            break;
        }
    bottomDecade = DecadeCount - 2;
    for (int i = 0; i < DecadeCount; ++i)
        if (QvTextToDouble(kDecades[i]) > lowest / 10) {
            bottomDecade = std::min(i, DecadeCount - 2);
            break;
        }

    // 13. In doubles: a fine step over large data overflows an int.  A step
    // of 0 or less is no divisor.
    const double m = QvTextToDouble(minorStep);
    const bool roundable = m > 0 && std::isfinite(m);
    if (roundable)
        min = std::floor(min / m) * m;
    const double roundedMin = min;
    if (min < 0)
        min -= (max - min) / 16;
    if (roundable)
        max = std::ceil(max / m) * m;
    const double roundedMax = max;
    if (max > 0)
        max += (max - min) / 16;
    if (logScale)
        max *= 1.5;
    this->min = min;
    this->max = max;
    logMax = std::log(max);
    logMin = lowest == 0 ? -4.0 : std::min(0.0, std::log(lowest) - 0.4);

    // 14. to 17.
    QvFontSelect scale;
    scale.SetFont(p.ScaleFont);
    scale.Select(dc);
    int band = 0;
    if (horizontal) {
        band = dc->GetTextExtent(QvFormatNumberPlain(max)).cy + midHeight + 200;
    } else {
        // The rounded ends set the band, widened where a drawn label needs
        // more: inner labels may carry more digits, a logarithmic scale
        // labels decades, and labels are typeset as equations.
        const int w =
            std::max({dc->GetTextExtent(QvFormatNumberPlain(roundedMin)).cx,
                      dc->GetTextExtent(QvFormatNumberPlain(roundedMax)).cx, WidestLabel(dc)});
        labelOffset = w + 200;
        band = std::max(w + 200 + midHeight, Extent(dc, p.AxisFont, *keys.title).cx / 2);
    }
    scale.Restore(dc);
    return band;
}

int QvStatAxis::ValueToPos(double v) {
    const int from = horizontal ? start.x : start.y;
    const int to = horizontal ? end.x : end.y;
    double t = -1.0;
    bool on = false;
    if (logScale && min == 0 && v != 0) {
        logMax = std::log(max);
        logMin = lowest == 0 ? -4.0 : std::min(0.0, std::log(lowest) - 0.4);
        if (std::log(v) >= logMin && v <= max) {
            t = (std::log(v) - logMin) / (logMax - logMin) * 19 / 20 + 0.05;
            on = true;
        }
    }
    if (!on && min <= v && v <= max) {
        t = (v - min) / (max - min);
        on = true;
    }
    if (on && std::isfinite(t))
        return int(from + (to - from) * t);
    if (v == 0 && v < min)
        return horizontal ? givenStart.x : givenStart.y;
    if (v == 0 && v > max)
        return horizontal ? givenEnd.x : givenEnd.y;
    return -1;
}

double QvStatAxis::PosToValue(int pos) const {
    const int from = horizontal ? start.x : start.y;
    const int to = horizontal ? end.x : end.y;
    const bool inside = from != to && std::min(from, to) <= pos && pos <= std::max(from, to);
    const double t = inside ? double(pos - from) / (to - from) : 0.0;
    if (logScale && min == 0) {
        if (!inside)
            return -1.0;
        return std::exp((t - 0.05) * (logMax - logMin) * 1.052631579 + logMin);
    }
    return min + (max - min) * t;
}

bool QvStatAxis::SkipNearEnd(int pos, double) const {
    if (broken)
        return false;
    const int from = horizontal ? start.x : start.y;
    const int to = horizontal ? end.x : end.y;
    return (min < 0 && std::abs(pos - from) <= 200) || (max > 0 && std::abs(to - pos) <= 200);
}

double QvStatAxis::UsableStep(const QString& step) const {
    const double s = QvTextToDouble(step);
    if (!(s > 0) || !std::isfinite(s) || !((max - min) / s <= MaxLines))
        return 0.0;
    return s;
}

template <class Visit> void QvStatAxis::ForEachLinear(double step, Visit visit) const {
    if (step <= 0)
        return;
    for (double n = std::ceil(min / step); n * step <= max; ++n)
        if (!visit(n))
            return;
}

// Ticks stop at 200 on an axis, wherever its range starts.
constexpr int kMaxTicks = 200;

template <class Visit> void QvStatAxis::ForEachMajor(Visit visit) const {
    if (logScale) {
        for (int k = std::max(bottomDecade, 1); k <= topDecade; ++k)
            visit(QvTextToDouble(kDecades[k]), kDecades[k], false);
        return;
    }
    const double major = UsableStep(majorStep);
    if (!(major > 0))
        return;
    // Labels are exact sums of the step text, as a user would count.
    const QvEquationOptions* options = &TheEquationOptions();
    QvEquation sum;
    sum.SetText(QvFormatNumberPlain((std::ceil(min / major) - 1) * major), options);
    int count = 0;
    ForEachLinear(major, [&](double n) {
        sum.AddNumberText(majorStep);
        QString text = sum.GetText();
        if (absoluteLabels && horizontal && n * major < 0) {
            QvEquation positive;
            positive.SetText(text, options);
            positive.MultiplyNumberText(-1);
            text = positive.GetText();
        }
        visit(n * major, text, n == 0);
        return ++count < kMaxTicks;
    });
}

int QvStatAxis::WidestLabel(CDC* dc) const {
    const QvEquationOptions* options = &TheEquationOptions();
    const QvLogFont* font = &data->properties.ScaleFont;
    QvEquation label;
    int widest = 0;
    // Labels near the ends may be left out when drawn; taking them too
    // errs on the roomy side and does not depend on the axis's length.
    ForEachMajor([&](double, const QString& text, bool zero) {
        if (zero && !labelZero)
            return;
        label.SetText(text, options);
        widest = std::max(widest, std::abs(label.Measure(dc, options, font).width));
    });
    return widest;
}

void QvStatAxis::Tick(CDC* dc, int pos, int half, double) {
    if (horizontal)
        Line(dc, pos, start.y - half, pos, start.y + half);
    else
        Line(dc, start.x - half, pos, start.x + half, pos);
}

void QvStatAxis::Draw(CDC* dc) {
    if (!data)
        return;
    const double f = YFactor(dc);
    const QvStatProperties& p = data->properties;
    const AxisKeys keys = Keys(p, horizontal);

    // 1. and 2.
    CPen pen(QvLineStyle().PenFromLineCommand(ID_LINE_SOLID1));
    CDCSelect<CPen> usePen(dc, &pen);
    breakType = p.BreakType;
    DrawBreak(dc);
    Line(dc, start.x, start.y, end.x, end.y);
    const int savedBk = dc->SetBkMode(TRANSPARENT);
    const UINT savedAlign = dc->GetTextAlign();

    // 3. The vertical title reads upward.
    QvLogFont rotated(p.MidAxisFont);
    const int escapement = dc->GetMapMode() == MM_HIMETRIC ? 2700 : 900;
    rotated.m_logFont.lfEscapement = escapement;
    rotated.m_logFont.lfOrientation = escapement;
    QvFontSelect axisFont;
    axisFont.SetFont(p.AxisFont);
    axisFont.Select(dc);

    // 4. and 5.
    const int midHeight = dc->GetTextExtent(*keys.midTitle).cy;
    if (horizontal) {
        dc->SetTextAlign(TA_LEFT | TA_TOP);
        dc->TextOut(end.x + 100, end.y, *keys.title);
        dc->SetTextAlign(TA_CENTER | TA_TOP);
        if (midHeight > 0) {
            QvFontSelect mid;
            mid.SetFont(p.MidAxisFont);
            mid.Select(dc);
            dc->TextOut((start.x + end.x) / 2, start.y + int((midHeight + 100) * f),
                        *keys.midTitle);
            mid.Restore(dc);
        }
    } else {
        dc->SetTextAlign(TA_CENTER | TA_TOP);
        dc->TextOut(end.x, givenEnd.y, *keys.title);
        dc->SetTextAlign(TA_CENTER | TA_BOTTOM);
        if (midHeight > 0) {
            QvFontSelect mid;
            mid.SetFont(rotated);
            mid.Select(dc);
            dc->TextOut(start.x - labelOffset, (start.y + end.y) / 2, *keys.midTitle);
            mid.Restore(dc);
        }
    }

    // 6. Arrows.
    const QvGraphDefaults& defaults = TheSettings().m_GraphDefaults;
    const int back = int(200 * f);
    if (max > 0 && defaults.ShowPositiveArrows.GetValue()) {
        if (horizontal) {
            Line(dc, end.x, end.y, end.x - 200, end.y + 100);
            Line(dc, end.x, end.y, end.x - 200, end.y - 100);
        } else {
            Line(dc, end.x, end.y, end.x - 100, end.y + back);
            Line(dc, end.x, end.y, end.x + 100, end.y + back);
        }
    }
    if (min < 0 && defaults.ShowNegativeArrows.GetValue()) {
        if (horizontal) {
            Line(dc, start.x, start.y, start.x + 200, start.y + 100);
            Line(dc, start.x, start.y, start.x + 200, start.y - 100);
        } else {
            Line(dc, start.x, start.y, start.x - 100, start.y - back);
            Line(dc, start.x, start.y, start.x + 100, start.y - back);
        }
    }
    axisFont.Restore(dc);

    // 7. to 10. Ticks and labels in the scale font.
    QvFontSelect scale;
    scale.SetFont(p.ScaleFont);
    scale.Select(dc);
    const int labelHalf = (dc->GetTextExtent(QStringLiteral("Hg")).cy + 2) / 2;
    dc->SetTextAlign(horizontal ? TA_CENTER | TA_TOP : TA_RIGHT | TA_TOP);
    const QvEquationOptions* options = &TheEquationOptions();
    QvEquation label;
    auto drawLabel = [&](int pos, const QString& text) {
        label.SetText(text, options);
        if (horizontal)
            label.Draw(dc, pos, start.y + int(100 * f), options, &p.ScaleFont);
        else
            label.Draw(dc, start.x - 100, pos - int(labelHalf * f), options, &p.ScaleFont);
    };
    if (!logScale) {
        const double minor = UsableStep(minorStep);
        int count = 0;
        ForEachLinear(minor, [&](double n) {
            const int pos = ValueToPos(n * minor);
            if (pos != -1 && !SkipNearEnd(pos, f))
                Tick(dc, pos, 50, f);
            return ++count < kMaxTicks;
        });
    } else {
        for (int k = bottomDecade; k <= topDecade; ++k) {
            const double decade = QvTextToDouble(kDecades[k]);
            const double next = QvTextToDouble(kDecades[k + 1]);
            for (int n = 1;; ++n) {
                const double v = n * decade;
                if (!(v <= max && v < next))
                    break;
                const int pos = ValueToPos(v);
                if (pos != -1 && !SkipNearEnd(pos, f))
                    Tick(dc, pos, 50, f);
            }
        }
    }
    ForEachMajor([&](double value, const QString& text, bool zero) {
        const int pos = ValueToPos(value);
        if (pos == -1 || SkipNearEnd(pos, f))
            return;
        Tick(dc, pos, 100, f);
        if (!zero || labelZero)
            drawLabel(pos, text);
    });

    // 11.
    scale.Restore(dc);
    dc->SetTextAlign(savedAlign);
    dc->SetBkMode(savedBk);
}

void QvStatAxis::DrawGrid(CDC* dc) {
    if (!data || plain)
        return;
    const double f = YFactor(dc);
    const AxisKeys keys = Keys(data->properties, horizontal);
    const int width = horizontal ? 0 : 1;
    auto line = [&](int pos) {
        if (horizontal)
            Line(dc, pos, gridFrom, pos, gridTo);
        else
            Line(dc, gridFrom, pos, gridTo, pos);
    };
    const struct {
        int style;
        COLORREF colour;
        const QString* step;
        bool major;
    } passes[] = {{keys.minorGrid, keys.minorColour, &minorStep, false},
                  {keys.majorGrid, keys.majorColour, &majorStep, true}};
    // Level and upright lines cover whole pixels either way: unsmoothed
    // they draw several times faster.  Dots leave what lies under them.
    const BOOL smooth = dc->SetSmoothing(FALSE);
    const int bk = dc->SetBkMode(TRANSPARENT);
    for (const auto& pass : passes) {
        if (pass.style != 1 && pass.style != 2)
            continue;
        CPen pen(pass.style == 1 ? PS_DOT : PS_INSIDEFRAME, width, pass.colour);
        CDCSelect<CPen> usePen(dc, &pen);
        if (!logScale) {
            const double step = UsableStep(*pass.step);
            ForEachLinear(step, [&](double n) {
                const int pos = ValueToPos(n * step);
                if (n != 0 && pos != -1 && !SkipNearEnd(pos, f))
                    line(pos);
                return true;
            });
            continue;
        }
        for (int k = pass.major ? std::max(bottomDecade, 1) : bottomDecade; k <= topDecade; ++k) {
            const double decade = QvTextToDouble(kDecades[k]);
            const double next = QvTextToDouble(kDecades[k + 1]);
            for (int n = 1; pass.major ? n == 1 : true; ++n) {
                const double v = n * decade;
                if (!(v <= max && v < next))
                    break;
                const int pos = ValueToPos(v);
                if (pos != -1 && !SkipNearEnd(pos, f))
                    line(pos);
            }
        }
    }
    dc->SetBkMode(bk);
    dc->SetSmoothing(smooth);
}

void QvStatAxis::DrawBreak(CDC* dc) {
    if (!broken)
        return;
    const double f = YFactor(dc);
    const int s = max < 0 ? -50 : 50;
    const CPoint P = breakPoint;
    auto fy = [f](int d) { return int(d * f); };
    if (horizontal) {
        Line(dc, P.x, P.y - fy(100), P.x, P.y + fy(100));
        if (breakType == 0) {
            const CPoint zig[] = {P,
                                  CPoint(P.x + 2 * s, P.y),
                                  CPoint(P.x + 3 * s, P.y - fy(200)),
                                  CPoint(P.x + 5 * s, P.y + fy(200)),
                                  CPoint(P.x + 6 * s, P.y),
                                  CPoint(P.x + 9 * s, P.y)};
            dc->Polyline(zig, 6);
        } else {
            Line(dc, P.x, P.y, P.x + 3 * s, P.y);
            Line(dc, P.x + 2 * s, P.y + fy(200), P.x + 4 * s, P.y - fy(200));
            Line(dc, P.x + 4 * s, P.y + fy(200), P.x + 6 * s, P.y - fy(200));
            Line(dc, P.x + 5 * s, P.y, P.x + 9 * s, P.y);
        }
        return;
    }
    auto along = [&](int k) { return P.y - fy(k * s); };
    Line(dc, P.x - 100, P.y, P.x + 100, P.y);
    if (breakType == 0) {
        const CPoint zig[] = {P,
                              CPoint(P.x, along(2)),
                              CPoint(P.x - 200, along(3)),
                              CPoint(P.x + 200, along(5)),
                              CPoint(P.x, along(6)),
                              CPoint(P.x, along(9))};
        dc->Polyline(zig, 6);
    } else {
        Line(dc, P.x, P.y, P.x, along(3));
        Line(dc, P.x + 200, along(2), P.x - 200, along(4));
        Line(dc, P.x + 200, along(4), P.x - 200, along(6));
        Line(dc, P.x, along(5), P.x, along(9));
    }
}

int QvStatAxis::MeasureLabelHeight(double min, double max, CDC* dc, QvStatData* data) {
    QvStatAxis scratch;
    return scratch.Setup(10, 10, 100, 10, min, max, true, false, dc, data, false);
}

int QvStatAxis::MeasureLabelWidth(double min, double max, CDC* dc, QvStatData* data) {
    QvStatAxis scratch;
    // Vertical value axes follow the y scale: a logarithmic one labels
    // decades, not the linear steps.
    return scratch.Setup(10, 100, 10, 10, min, max, true, data->properties.yLogScale != 0, dc, data,
                         false);
}

void QvStatAxis::FillSamples(QvStatCurveTable* t) {
    // The table is fixed in size: a very long axis is sampled along its
    // first part only.
    const int count = std::clamp((end.x - start.x) / 70 + 1, 0, QvStatCurveTable::Capacity);
    t->count = count;
    for (int i = 0; i < count; ++i) {
        const int x = start.x + 70 * i;
        t->points[i] = CPoint(x, 0);
        t->values[i][0] = PosToValue(x);
        t->values[i][1] = EmptyCell;
    }
}
