// The box and whisker plot: one box per data column against one value
// axis, lying over a horizontal axis or standing beside a vertical one.
#include "statgraphs/stat_graph_box.h"

#include "geometry/marker.h"
#include "platform/dc.h"
#include "statgraphs/stat_axis.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_parts.h"
#include "statistics/stat_data.h"
#include "text/font_select.h"

#include <algorithm>

QvBoxPlotNumbers QvBoxPlotFromColumn(const QvStatColumn& column, int statType, bool showOutliers) {
    QvBoxPlotNumbers b;
    if (statType == 1) {
        b.centre = column.mean;
        b.lower = column.mean - column.sd;
        b.upper = column.mean + column.sd;
    } else {
        b.centre = column.median;
        b.lower = column.lowerQuartile;
        b.upper = column.upperQuartile;
    }
    if (!showOutliers) {
        b.lowWhisker = column.min;
        b.highWhisker = column.max;
        return b;
    }
    // The fences come from the quartiles whichever box is drawn.
    const double iqr = column.upperQuartile - column.lowerQuartile;
    b.upperFence = column.upperQuartile + 1.5 * iqr;
    b.lowerFence = column.lowerQuartile - 1.5 * iqr;
    bool insideUpper = false, insideLower = false;
    double hi = 0.0, lo = 0.0;
    for (const QvStatCell& cell : column.cells) {
        if (cell.value == QvStatEmpty || cell.count <= 0)
            continue;
        const double v = cell.value;
        if (v < b.upperFence && (!insideUpper || v > hi)) {
            hi = v;
            insideUpper = true;
        }
        if (v > b.lowerFence && (!insideLower || v < lo)) {
            lo = v;
            insideLower = true;
        }
    }
    // Nothing inside a fence (a column of one value has both fences on
    // it): that whisker stops at its quartile and no value on that side is
    // an outlier.
    b.highWhisker = insideUpper ? std::min(hi, column.max) : column.upperQuartile;
    b.lowWhisker = insideLower ? std::max(lo, column.min) : column.lowerQuartile;
    for (const QvStatCell& cell : column.cells) {
        if (cell.value == QvStatEmpty || cell.count <= 0)
            continue;
        if ((insideUpper && cell.value > b.highWhisker) ||
            (insideLower && cell.value < b.lowWhisker))
            b.outliers.push_back(cell.value);
    }
    return b;
}

namespace {

// 1 upright boxes beside a vertical axis; anything else horizontal boxes.
bool Upright(const QvStatProperties& p) {
    return p.Orientate == 1;
}

} // namespace

void QvStatGraphBox::Draw(CDC* dc, CRect rect) {
    if (!dc || !m_pData)
        return;
    QvStatData& data = *m_pData;
    QvStatProperties& p = data.properties;
    const double d = QvStatYFactor(dc);
    rect.top = QvStatDrawTitle(dc, rect, p);

    const int count = data.CountDataColumns();
    if (count == 0)
        return;
    // The range starts from the first used slot, whichever it is.
    double lo = 0.0, hi = 0.0;
    bool any = false;
    for (int slot = 0; slot < QvStatProperties::Series; ++slot) {
        if (p.dc[size_t(slot)] == -1)
            continue;
        QvStatColumn* column = data.Column(p.dc[size_t(slot)]);
        if (!column)
            continue;
        column->Recalc();
        // A column without values has no range to add.
        if (column->n <= 0)
            continue;
        lo = any ? std::min(lo, column->min) : column->min;
        hi = any ? std::max(hi, column->max) : column->max;
        any = true;
    }

    QvStatAxis axis;
    DrawValueAxis(dc, rect, lo, hi, axis);
    const bool upright = Upright(p);
    const int extent = upright ? rect.right - rect.left : rect.bottom - rect.top;
    const int band = int(extent * d / count);
    const int gap = band / 10;
    int k = 0;
    for (int slot = 0; slot < QvStatProperties::Series; ++slot) {
        if (p.dc[size_t(slot)] == -1)
            continue;
        const int from = int((k * band + gap) * d);
        const int to = int(((k + 1) * band - gap) * d);
        const CRect b = upright ? CRect(rect.left + from, rect.top, rect.left + to, rect.bottom)
                                : CRect(rect.left, rect.top + from, rect.right, rect.top + to);
        DrawColumn(dc, b, slot, lo, hi, axis);
        ++k;
    }
}

void QvStatGraphBox::DrawValueAxis(CDC* dc, CRect& rect, double lo, double hi, QvStatAxis& axis) {
    QvStatProperties& p = m_pData->properties;
    const double d = QvStatYFactor(dc);
    if (Upright(p)) {
        const int lw = QvStatAxis::MeasureLabelWidth(lo, hi, dc, m_pData);
        const int x = rect.left + 100 + lw;
        axis.Setup(x, rect.bottom - int(100 * d), x, rect.top + int(100 * d), lo, hi, true,
                   p.yLogScale != 0, dc, m_pData, false);
        axis.SetGridExtent(x, rect.right - 100);
        axis.DrawGrid(dc);
        axis.Draw(dc);
        rect.left += lw + 250;
        rect.right -= 100;
        rect.top += int(100 * d);
        return;
    }
    const int lh = QvStatAxis::MeasureLabelHeight(lo, hi, dc, m_pData);
    const int y = rect.bottom - int(lh * d);
    axis.Setup(rect.left + 200, y, rect.right - 100, y, lo, hi, true, p.xLogScale != 0, dc, m_pData,
               false);
    axis.SetGridExtent(rect.top + int(100 * d), y);
    axis.DrawGrid(dc);
    axis.Draw(dc);
    rect.bottom -= int(2 * lh * d);
    rect.top += int(100 * d);
}

void QvStatGraphBox::DrawColumn(CDC* dc, CRect band, int slot, double lo, double hi,
                                QvStatAxis& axis) {
    QvStatProperties& p = m_pData->properties;
    QvStatColumn* column = m_pData->Column(p.dc[size_t(slot)]);
    if (!column)
        return;
    const double d = QvStatYFactor(dc);
    if (!column->name.isEmpty()) {
        QvFontSelect font;
        font.SetFont(p.LabelFont);
        font.Select(dc);
        const int h = dc->GetTextExtent(column->name).cy;
        font.Restore(dc);
        const int left =
            band.left + (Upright(p) ? QvStatAxis::MeasureLabelWidth(lo, hi, dc, m_pData) : 0);
        font.Select(dc);
        const UINT align = dc->SetTextAlign(TA_CENTER | TA_TOP);
        dc->TextOut(left + (band.right - left) / 2, band.top, column->name);
        dc->SetTextAlign(align);
        font.Restore(dc);
        band.top += int((h + 100) * d);
    }
    if (column->n > 0)
        DrawBoxPlot(dc, band, slot, axis);
}

void QvStatGraphBox::DrawBoxPlot(CDC* dc, CRect box, int slot, QvStatAxis& axis) {
    QvStatProperties& p = m_pData->properties;
    const QvStatColumn& column = *m_pData->Column(p.dc[size_t(slot)]);
    const QvBoxPlotNumbers b = QvBoxPlotFromColumn(column, p.StatType, p.BoxPlot_ShowOutliers != 0);
    const int L = box.left, T = box.top, R = box.right, B = box.bottom;
    const int H = B - T, W = R - L;
    CBrush brush(p.Brushes[size_t(QvStatFillScheme(p))][size_t(slot)]);
    CDCSelect<CBrush> useBrush(dc, &brush);
    // A value the axis cannot place (-1) leaves out what would be drawn
    // to it, as every graph leaves out points it cannot place.
    const int lower = axis.ValueToPos(b.lower), upper = axis.ValueToPos(b.upper);
    const int centre = axis.ValueToPos(b.centre);
    const int low = axis.ValueToPos(b.lowWhisker), high = axis.ValueToPos(b.highWhisker);
    auto line = [dc](int x0, int y0, int x1, int y1) {
        dc->MoveTo(x0, y0);
        dc->LineTo(x1, y1);
    };
    const bool upright = Upright(p);
    if (!upright) {
        const int mid = T + H / 2;
        if (lower != -1 && upper != -1)
            dc->Rectangle(lower, T, upper + 1, B + 1);
        for (int at : {low, high})
            if (at != -1)
                line(at, T + H / 3, at, B - H / 3);
        if (centre != -1)
            line(centre, T, centre, B);
        if (low != -1 && lower != -1)
            line(low, mid, lower, mid);
        if (high != -1 && upper != -1)
            line(high, mid, upper, mid);
    } else {
        const int mid = L + W / 2;
        if (lower != -1 && upper != -1)
            dc->Rectangle(L, lower, R + 1, upper + 1);
        for (int at : {low, high})
            if (at != -1)
                line(L + W / 3, at, R - W / 3, at);
        if (centre != -1)
            line(L, centre, R, centre);
        if (low != -1 && lower != -1)
            line(mid, low, mid, lower);
        if (high != -1 && upper != -1)
            line(mid, high, mid, upper);
    }
    if (!b.outliers.empty()) {
        CPen pen(dc->GetCurrentPen()->Log());
        QvMarker marker;
        for (double v : b.outliers) {
            const int at = axis.ValueToPos(v);
            if (at == -1)
                continue;
            if (upright)
                marker.DrawAt(dc, L + W / 2, at, p.Scatter_PointType[0], &pen, &brush);
            else
                marker.DrawAt(dc, at, T + H / 2, p.Scatter_PointType[0], &pen, &brush);
        }
    }
}
