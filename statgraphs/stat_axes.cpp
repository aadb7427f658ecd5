#include "statgraphs/stat_axes.h"

#include "platform/dc.h"
#include "statistics/stat_data.h"
#include "text/font_select.h"
#include "text/number_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

double YFactor(CDC* dc) {
    return dc->GetMapMode() == MM_HIMETRIC ? -1.0 : 1.0;
}

void Line(CDC* dc, const CPoint& a, const CPoint& b) {
    dc->MoveTo(a);
    dc->LineTo(b);
}

void Line(CDC* dc, int x0, int y0, int x1, int y1) {
    dc->MoveTo(x0, y0);
    dc->LineTo(x1, y1);
}

CSize Extent(CDC* dc, const QvLogFont& font, const QString& text) {
    QvFontSelect select;
    select.SetFont(font);
    select.Select(dc);
    const CSize size = dc->GetTextExtent(text);
    select.Restore(dc);
    return size;
}

// A column's value in a row, or empty; an index naming no column (a damaged
// file) has no values.
bool HasValue(QvStatData* data, int column, int row) {
    const QvStatColumn* c = data->Column(column);
    return c && c->cells[size_t(row)].value != QvStatEmpty;
}

bool RowHasValue(QvStatData* data, int row) {
    for (int column : data->properties.dc)
        if (column != -1 && HasValue(data, column, row))
            return true;
    return false;
}

QString LabelOf(QvStatData* data, int row) {
    const QvStatColumn* c = data->Column(data->properties.LabelCol1);
    if (!c)
        return QString();
    const QvStatCell& cell = c->cells[size_t(row)];
    return cell.value != QvStatEmpty ? QvFormatNumberPlain(cell.value) : cell.text;
}

// Counts the categories and stores their labels; rows below `forced` count
// even when empty.
template <class Frame> void CollectCategories(Frame& frame, QvStatData* data, int forced) {
    const bool labelled = data->properties.LabelCol1 != -1;
    for (int row = 0; row < QvStatColumn::Rows; ++row) {
        if (row >= forced && !RowHasValue(data, row))
            continue;
        if (labelled)
            frame.AddLabel(LabelOf(data, row));
        else
            ++frame.count;
    }
}

// From the smallest column minimum to the largest column maximum over the
// data columns in use, each recalculated first when its cells changed (as
// the column's getters do: a repaint of unchanged data sorts nothing).  A
// column without values has no minimum: its zeros would pull the range to
// 0 and undo a break.
void ValueRange(QvStatData* data, double& min, double& max) {
    bool first = true;
    min = max = 0.0;
    for (int column : data->properties.dc) {
        QvStatColumn* c = column == -1 ? nullptr : data->Column(column);
        if (!c)
            continue;
        if (c->dirty) {
            c->Recalc();
            c->dirty = 0;
        }
        if (c->rowsWithCount == 0)
            continue;
        min = first ? c->min : std::min(min, c->min);
        max = first ? c->max : std::max(max, c->max);
        first = false;
    }
}

// The centre of category k of `count` along a span, in integers as the
// spacing is.
int Centre(int from, int to, int k, int count) {
    if (count <= 0)
        return 0;
    return from + int(std::int64_t(2 * k - 1) * (to - from) / (2 * std::int64_t(count)));
}

void StoreLabel(std::array<QString, QvStatMaxCategories>& labels, int& count,
                const QString& label) {
    if (count >= QvStatMaxCategories)
        return;
    labels[size_t(count)] = label;
    ++count;
}

} // namespace

// ------------------------------------------------------------------ bars

void QvStatBarAxes::AddLabel(const QString& label) {
    StoreLabel(labels, count, label);
}

int QvStatBarAxes::Layout(int x0, int y0, int x1, int y1, QvStatData* data, CDC* dc, bool plain) {
    const double f = YFactor(dc);
    // 1.
    givenRect = CRect(x0, y0, x1, y1);
    this->data = data;
    setUp = false;
    CollectCategories(*this, data, 0);
    // 2.
    if (data->CountDataColumns() == 0)
        return 0;
    double min, max;
    ValueRange(data, min, max);
    const QvStatProperties& p = data->properties;

    // 3. Room above for the category axis's title.
    plotRect = givenRect;
    plotRect.top += int(Extent(dc, p.AxisFont, p.yAxis).cy * f);
    // 4.
    midTitleHeight = Extent(dc, p.MidAxisFont, p.yAxisMid).cy;
    plotRect.left += midTitleHeight;
    // 5.
    {
        QvFontSelect scale;
        scale.SetFont(p.ScaleFont);
        scale.Select(dc);
        labelWidth = std::max(100, dc->GetTextExtent(p.yAxis).cx / 2);
        for (int k = 0; k < count; ++k)
            labelWidth = std::max(labelWidth, dc->GetTextExtent(labels[size_t(k)]).cx);
        scale.Restore(dc);
    }
    // 6.
    const int axisY = y1 - int(QvStatAxis::MeasureLabelHeight(min, max, dc, data) * f);
    axis.Setup(plotRect.left + labelWidth + 200, axisY, plotRect.right - 200, axisY, min, max,
               false, p.xLogScale != 0, dc, data, plain);
    setUp = true;
    // 7. A broken scale maps 0 to the axis's start.
    const int x = axis.ValueToPos(0);
    categoryLine[0] = categorySpan[0] = CPoint(x, axisY);
    categoryLine[1] = CPoint(x, y0);
    categorySpan[1] = CPoint(x, plotRect.top);
    return 0;
}

int QvStatBarAxes::ValueToPos(double v) {
    return setUp ? axis.ValueToPos(v) : -1;
}

int QvStatBarAxes::CategoryPos(int k) const {
    return Centre(categorySpan[1].y, categorySpan[0].y, k, count);
}

int QvStatBarAxes::CategoryWidth() const {
    return count > 0 ? std::abs(categorySpan[0].y - categorySpan[1].y) / count : 0;
}

void QvStatBarAxes::Draw(CDC* dc) {
    if (!setUp)
        return;
    const double f = YFactor(dc);
    const QvStatProperties& p = data->properties;
    const UINT savedAlign = dc->GetTextAlign();
    const int x = categorySpan[0].x;
    const int top = categorySpan[1].y;

    // 1.
    Line(dc, categorySpan[0], categorySpan[1]);
    Line(dc, x + 100, top, x - 100, top);

    // 2.
    {
        QvFontSelect axisFont;
        axisFont.SetFont(p.AxisFont);
        axisFont.Select(dc);
        dc->SetTextAlign(TA_CENTER | TA_TOP);
        dc->TextOut(x, givenRect.top, p.yAxis);
        axisFont.Restore(dc);
    }

    // 3.
    {
        QvFontSelect scale;
        scale.SetFont(p.ScaleFont);
        scale.Select(dc);
        dc->SetTextAlign(TA_RIGHT | TA_TOP);
        const int h = dc->GetTextExtent(QStringLiteral("Hg")).cy + 2;
        const int labelX = givenRect.left + labelWidth + midTitleHeight + 100;
        for (int k = 1; k <= count; ++k) {
            const int y = CategoryPos(k);
            dc->TextOut(labelX, y - int(h * f / 2), labels[size_t(k - 1)]);
            Line(dc, x + 100, y, x - 100, y);
        }
        scale.Restore(dc);
    }

    // 4. The title reads upwards; the options' font keeps no rotation.
    dc->SetTextAlign(TA_CENTER | TA_TOP);
    if (Extent(dc, p.MidAxisFont, p.yAxisMid).cy > 0) {
        QvLogFont rotated(p.MidAxisFont);
        const int escapement = dc->GetMapMode() == MM_HIMETRIC ? 2700 : 900;
        rotated.m_logFont.lfEscapement = escapement;
        rotated.m_logFont.lfOrientation = escapement;
        QvFontSelect mid;
        mid.SetFont(rotated);
        mid.Select(dc);
        dc->TextOut(x - labelWidth - midTitleHeight - 100, (categorySpan[0].y + top) / 2,
                    p.yAxisMid);
        mid.Restore(dc);
    }

    // 5.
    axis.SetGridExtent(categorySpan[0].y, top);
    axis.DrawGrid(dc);
    axis.Draw(dc);
    dc->SetTextAlign(savedAlign);
}

// --------------------------------------------------------------- columns

void QvStatColumnAxes::AddLabel(const QString& label) {
    StoreLabel(labels, count, label);
}

int QvStatColumnAxes::Layout(int x0, int y0, int x1, int y1, int rows, QvStatData* data, CDC* dc,
                             bool plain) {
    const double f = YFactor(dc);
    // 1.
    givenRect = CRect(x0, y0, x1, y1);
    this->data = data;
    setUp = false;
    CollectCategories(*this, data, std::max(rows, 0));
    // 2.
    if (data->CountDataColumns() == 0)
        return 0;
    double min, max;
    ValueRange(data, min, max);
    const QvStatProperties& p = data->properties;

    // 3. and 4. Room at the right for the category axis's title.
    plotRect = givenRect;
    const CSize title = Extent(dc, p.AxisFont, p.xAxis);
    plotRect.right -= title.cx + 100;
    // 5.
    plotRect.bottom -= int(Extent(dc, p.MidAxisFont, p.xAxisMid).cy * f);
    // 6.
    maxLabelWidth = 0;
    maxLabelHeight = title.cy;
    {
        QvFontSelect scale;
        scale.SetFont(p.ScaleFont);
        scale.Select(dc);
        for (int k = 0; k < count; ++k) {
            const CSize size = dc->GetTextExtent(labels[size_t(k)]);
            maxLabelWidth = std::max(maxLabelWidth, size.cx);
            maxLabelHeight = std::max(maxLabelHeight, size.cy);
        }
        scale.Restore(dc);
    }
    // 7.
    const int xa = x0 + 100 + QvStatAxis::MeasureLabelWidth(min, max, dc, data);
    categoryLine[0] = categorySpan[0] = CPoint(xa, 0);
    categoryLine[1] = CPoint(x1, 0);
    categorySpan[1] = CPoint(plotRect.right, 0);

    // 8. Labels too wide for their slot slant, and much too wide stand up.
    const int w = maxLabelWidth;
    const int h = maxLabelHeight;
    const int c = CategoryWidth();
    int band;
    if (w < c) {
        labelMode = Level;
        band = int(h * f);
    } else if (w < 3 * c) {
        labelMode = Slanted;
        band = int(w * 0.85 * f);
    } else {
        labelMode = Upright;
        band = int(w * f);
    }
    plotRect.bottom -= band;
    labelBand = band;
    // 9. Labels taller than their slot leave some categories unlabelled.
    labelStep = 1;
    if (h > 0.9 * c)
        labelStep = h / c + 1;

    // 10.
    axis.Setup(xa, plotRect.bottom - int(100 * f), xa, plotRect.top + int(100 * f), min, max, false,
               p.yLogScale != 0, dc, data, plain);
    setUp = true;
    // 11.
    const int y = axis.ValueToPos(0);
    for (CPoint* point : {&categoryLine[0], &categoryLine[1], &categorySpan[0], &categorySpan[1]})
        point->y = y;
    return 0;
}

int QvStatColumnAxes::ValueToPos(double v) {
    return setUp ? axis.ValueToPos(v) : -1;
}

int QvStatColumnAxes::CategoryPos(int k) const {
    return Centre(categorySpan[0].x, categorySpan[1].x, k, count);
}

int QvStatColumnAxes::CategoryWidth() const {
    if (count <= 0)
        return 1;
    return std::max(1, (categorySpan[1].x - categorySpan[0].x) / count);
}

void QvStatColumnAxes::Draw(CDC* dc) {
    if (!setUp)
        return;
    const double f = YFactor(dc);
    const QvStatProperties& p = data->properties;
    const UINT savedAlign = dc->GetTextAlign();
    const int savedBk = dc->GetBkMode();
    const int xa = categorySpan[0].x;
    const int xe = categorySpan[1].x;
    const int y = categorySpan[0].y;

    // 1.
    Line(dc, categorySpan[0], categorySpan[1]);
    Line(dc, xe, y + 100, xe, y - 100);

    // 2.
    {
        QvFontSelect axisFont;
        axisFont.SetFont(p.AxisFont);
        axisFont.Select(dc);
        dc->SetTextAlign(TA_LEFT | TA_TOP);
        dc->TextOut(xe + 100, y, p.xAxis);
        axisFont.Restore(dc);
    }

    // 3. Below the labels.
    if (Extent(dc, p.MidAxisFont, p.xAxisMid).cy > 0) {
        QvFontSelect mid;
        mid.SetFont(p.MidAxisFont);
        mid.Select(dc);
        dc->SetTextAlign(TA_CENTER | TA_TOP);
        dc->TextOut((xa + xe) / 2, y + int(100 * f) + labelBand, p.xAxisMid);
        mid.Restore(dc);
    }

    // 4.
    const bool yUp = dc->GetMapMode() == MM_HIMETRIC;
    QvLogFont font(p.ScaleFont);
    int shift = 0;
    int drop = 0;
    UINT align = TA_CENTER | TA_TOP;
    if (labelMode == Slanted) {
        font.m_logFont.lfEscapement = font.m_logFont.lfOrientation = yUp ? 3150 : 450;
        align = TA_RIGHT | TA_TOP;
    } else if (labelMode == Upright) {
        font.m_logFont.lfEscapement = font.m_logFont.lfOrientation = yUp ? 2700 : 900;
        align = TA_RIGHT | TA_TOP;
        drop = 100;
    }
    dc->SetBkMode(TRANSPARENT);
    QvFontSelect scale;
    scale.SetFont(font);
    scale.Select(dc);
    if (labelMode == Upright)
        shift = -(dc->GetTextExtent(QStringLiteral("Hg")).cy + 20) / 2;
    dc->SetTextAlign(align);

    // 5. Every category keeps its tick.
    const int labelY = y + int((drop + 100) * f);
    for (int i = 0; i < count; ++i) {
        const int x = CategoryPos(i + 1);
        if (i % labelStep == 0)
            dc->TextOut(x + shift, labelY, labels[size_t(i)]);
        Line(dc, x, y + 100, x, y - 100);
    }
    scale.Restore(dc);

    // 6.
    axis.SetGridExtent(xa, xe);
    axis.DrawGrid(dc);
    axis.Draw(dc);
    dc->SetBkMode(savedBk);
    dc->SetTextAlign(savedAlign);
}

// -------------------------------------------------------------------- xy

int QvStatXYAxes::Layout(int x0, int y0, int x1, int y1, double xmin, double xmax, double ymin,
                         double ymax, QvStatData* data, CDC* dc) {
    const double f = YFactor(dc);
    givenRect = CRect(x0, y0, x1, y1);
    this->data = data;
    const QvStatProperties& p = data->properties;
    // 1. With negative y the x labels go beside the axis, not below it.
    const int yx = ymin >= 0 ? y1 - int(QvStatAxis::MeasureLabelHeight(xmin, xmax, dc, data) * f)
                             : y1 + int(10 * f);
    // 2.
    const int yt = y0 + int(100 * f);
    const int labelWidth = QvStatAxis::MeasureLabelWidth(ymin, ymax, dc, data);
    const int xl = x0 + 100 + labelWidth;
    // 3.
    axisY.Setup(xl, yx, xl, yt, ymin, ymax, false, p.yLogScale != 0, dc, data, false);
    const int y = axisY.ValueToPos(0);
    // 4.
    const int xs = xmin >= 0 ? xl : x0 + 100;
    axisX.Setup(xs, y, x1 - 100, y, xmin, xmax, false, p.xLogScale != 0, dc, data, false);
    // 5. The y axis stands where x is 0.
    const int x = axisX.ValueToPos(0);
    axisY.Setup(x, yx, x, yt, ymin, ymax, false, p.yLogScale != 0, dc, data, false);
    // 6.
    axisX.SetGridExtent(yx, axisY.GetEnd().y);
    axisY.SetGridExtent(xs, axisX.GetEnd().x);
    setUp = true;
    return 0;
}

void QvStatXYAxes::Draw(CDC* dc) {
    DrawGrid(dc);
    DrawAxes(dc);
}

void QvStatXYAxes::DrawGrid(CDC* dc) {
    if (!setUp)
        return;
    axisX.DrawGrid(dc);
    axisY.DrawGrid(dc);
}

void QvStatXYAxes::DrawAxes(CDC* dc) {
    if (!setUp)
        return;
    axisX.Draw(dc);
    axisY.Draw(dc);
}

CPoint QvStatXYAxes::ValueToPoint(double x, double y) {
    if (!setUp)
        return CPoint(-1, -1);
    return CPoint(axisX.ValueToPos(x), axisY.ValueToPos(y));
}

void QvStatXYAxes::FillSamples(QvStatCurveTable* t) {
    if (!setUp) {
        t->count = 0;
        return;
    }
    axisX.FillSamples(t);
}
