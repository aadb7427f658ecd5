// The pie graph: one pie of a data column, or two side by side, with the
// values or shares written in the sectors and an optional legend.
#include "statgraphs/stat_graph_pie.h"

#include "platform/dc.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_parts.h"
#include "statistics/stat_data.h"
#include "text/font_select.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>

namespace {
// The angle unit the sectors are measured in, kept as drawings have
// always been laid out with it.
constexpr double Pi = 3.1415927;
} // namespace

QvPieSectors QvPieSectorsOf(const QvStatColumn& column, CPoint centre, int r, double d) {
    QvPieSectors pie;
    for (const QvStatCell& cell : column.cells)
        if (cell.value != QvStatEmpty && cell.value > 0.0)
            pie.total += cell.value;
    if (!(pie.total > 0.0) || !std::isfinite(pie.total))
        return pie;
    const int cx = centre.x, cy = centre.y;
    auto onCircle = [&](double angle, double scale) {
        return CPoint(int(std::floor(r * std::cos(angle) * scale)) + cx,
                      cy - int(std::floor(r * std::sin(angle) * scale) * d));
    };
    CPoint previous(int(std::floor(r * std::cos(0.0) + cx)),
                    int(std::floor(cy - r * std::sin(0.0) * d)));
    double a = 0.0;
    for (int row = 0; row < QvStatColumn::Rows; ++row) {
        const double v = column.cells[size_t(row)].value;
        if (v == QvStatEmpty || !(v > 0.0))
            continue;
        QvPieSector s;
        s.row = row;
        s.value = v;
        s.start = a;
        s.sweep = v / pie.total * 2 * Pi;
        s.from = previous;
        s.to = onCircle(a + s.sweep, 1.0);
        s.label = onCircle(a + s.sweep / 2, 0.8);
        // Equal radials mean the whole disc only for a sector that is
        // (nearly) the whole circle.
        s.visible = s.to != s.from || s.sweep > Pi;
        pie.sectors.push_back(s);
        a += s.sweep;
        previous = s.to;
    }
    return pie;
}

void QvStatGraphPie::Draw(CDC* dc, CRect rect) {
    if (!dc || !m_pData)
        return;
    QvStatData& data = *m_pData;
    const QvStatProperties& p = data.properties;
    const double d = QvStatYFactor(dc);
    const int mid = (rect.left + rect.right) / 2;
    const int B = QvStatDrawTitle(dc, rect, p);
    // Without a first column there is no pie to draw.
    const QvStatColumn* first = data.Column(p.dc[0]);
    if (!first)
        return;
    const QvStatColumn* second = data.Column(p.dc[1]);

    QvFontSelect font;
    font.SetFont(p.LabelFont);
    font.Select(dc);
    int g = dc->GetTextExtent(QStringLiteral("Hello")).cy;
    const UINT align = dc->SetTextAlign(TA_CENTER | TA_TOP);
    if (second) {
        if (first->name.isEmpty() && second->name.isEmpty())
            g = 0;
        if (!first->name.isEmpty())
            dc->TextOut(rect.left + (mid - rect.left) / 2, B, first->name);
        if (!second->name.isEmpty())
            dc->TextOut(mid + (rect.right - mid) / 2, B, second->name);
        dc->SetTextAlign(align);
        const int top = B + int(2 * g * d);
        DrawPie(dc, CRect(rect.left, top, mid, rect.bottom), p.dc[0], p.LabelCol1);
        DrawPie(dc, CRect(mid, top, rect.right, rect.bottom), p.dc[1], p.LabelCol2);
    } else {
        int top = B;
        if (!first->name.isEmpty()) {
            dc->TextOut(rect.left + (rect.right - rect.left) / 2, B, first->name);
            top = B + int((dc->GetTextExtent(first->name).cy + g) * d);
        }
        dc->SetTextAlign(align);
        DrawPie(dc, CRect(rect.left, top, rect.right, rect.bottom), p.dc[0], p.LabelCol1);
    }
    font.Restore(dc);
}

void QvStatGraphPie::DrawPie(CDC* dc, CRect rect, int valueColumn, int labelColumn) {
    QvStatData& data = *m_pData;
    const QvStatProperties& p = data.properties;
    const QvStatColumn* values = data.Column(valueColumn);
    if (!values)
        return;
    const QvStatColumn* labels = labelColumn == -1 ? nullptr : data.Column(labelColumn);
    const double d = QvStatYFactor(dc);

    QvFontSelect ancillary;
    ancillary.SetFont(p.AncillaryFont);
    QvFontSelect labelFont;
    labelFont.SetFont(p.LabelFont);
    ancillary.Select(dc);
    const int wHg = dc->GetTextExtent(QStringLiteral("Hg")).cx;
    ancillary.Restore(dc);

    int W = 0, h = 0;
    if (labels) {
        labelFont.Select(dc);
        int w = 0;
        for (const QvStatCell& cell : labels->cells) {
            const CSize size = dc->GetTextExtent(cell.text);
            w = std::max(w, int(size.cx));
            h = std::max(h, int(size.cy));
        }
        labelFont.Restore(dc);
        W = w + 3 * h;
    }
    rect.right = rect.right - W - 3;
    const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
    const int r = int(std::min<double>(rect.right - cx, (rect.bottom - cy) * d));
    // A legend as wide as the frame leaves no room for the pie.
    if (r <= 0)
        return;
    const CRect circle(cx - r, int(cy - r * d), cx + r, int(cy + r * d));
    const CRect sectorBox(circle.left + 1, circle.top + 1, circle.right - 1, circle.bottom - 1);

    CDCSelect<CBrush> hollow(dc, NULL_BRUSH);
    const QvPieSectors pie = QvPieSectorsOf(*values, CPoint(cx, cy), r, d);
    const UINT align = dc->GetTextAlign();
    const int bkMode = dc->GetBkMode();
    int k = 0;
    for (const QvPieSector& s : pie.sectors) {
        CBrush brush(p.Brushes[size_t(QvStatFillScheme(p))][size_t(s.row % 10)]);
        hollow.Select(&brush);
        if (s.visible)
            dc->Pie(sectorBox, s.from, s.to);
        dc->SetTextAlign(TA_CENTER | TA_TOP);
        dc->SetBkMode(TRANSPARENT);
        QString text;
        if (p.PieGraph == 1)
            text = QvFormatNumber(s.value, 8);
        else if (p.PieGraph == 2)
            text = QvFormatNumber(s.value / pie.total * 100, 2) + QLatin1Char('%');
        if (!text.isEmpty()) {
            ancillary.Select(dc);
            // Half a text height above the point as seen on the page, in
            // either mapping mode, so the text centres on it.
            dc->TextOut(s.label.x, s.label.y - int(wHg / 2 * d), text);
            ancillary.Restore(dc);
        }
        if (labels) {
            const int Lx = sectorBox.right, Ty = sectorBox.top;
            dc->Rectangle(Lx + h, Ty + int((h + 5) * k * d), Lx + 2 * h + 2,
                          Ty + int(((h + 5) * k + h + 2) * d));
            dc->SetTextAlign(TA_LEFT | TA_TOP);
            labelFont.Select(dc);
            dc->TextOut(Lx + 3 * h, Ty + int((h + 5) * k * d), labels->cells[size_t(s.row)].text);
            labelFont.Restore(dc);
        }
        hollow.Select(NULL_BRUSH);
        ++k;
    }
    dc->SetTextAlign(align);
    dc->SetBkMode(bkMode);

    // The radius at the start of every sector, then the rim.
    CPen outline(PS_INSIDEFRAME, 2, 0);
    CDCSelect<CPen> usePen(dc, &outline);
    for (size_t j = 0; j < pie.sectors.size(); ++j) {
        dc->MoveTo(cx, cy);
        dc->LineTo(pie.sectors[j].from);
    }
    dc->Ellipse(circle);
}
