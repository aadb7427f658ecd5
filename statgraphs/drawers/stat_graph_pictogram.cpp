#include "statgraphs/drawers/stat_graph_pictogram.h"

#include "figures/fig_gallery.h"
#include "figures/fig_rectangle.h"
#include "platform/command_ids.h"
#include "platform/dc.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_graph_parts.h"
#include "statistics/picto_symbol.h"
#include "statistics/stat_data.h"
#include "text/font_select.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Symbol i of the default set: a square and a diamond in the colour of
// series i's fill, in the group's 1000 by 1000 frame.
std::unique_ptr<QvFigure> DefaultSymbol(COLORREF colour) {
    auto symbol = std::make_unique<QvFigGallery>();
    const QvPoint shapes[2][4] = {{{146, 146}, {854, 146}, {854, 854}, {146, 854}},
                                  {{500, 0}, {1000, 500}, {500, 1000}, {0, 500}}};
    for (const auto& corners : shapes) {
        auto member = std::make_unique<QvFigRectangle>();
        for (int i = 0; i < 4; ++i)
            member->DefiningPoints()[i] = member->DisplayPoints()[i] = corners[i];
        QvEditData* style = member->GetEditData();
        style->m_lineStyle = ID_LINE_HAIRLINE;
        style->m_fillStyle = ID_FILL_SOLID;
        style->m_lineColor = style->m_fillColor = colour;
        symbol->MemberList().Add(std::move(member));
    }
    return symbol;
}

struct Picture {
    std::unique_ptr<QvFigure> figure;
    double aspect = 1.0;
};

// The pictures to draw with: working copies of the user's symbols, so the
// options record is never repositioned, else the five default symbols.
int MakePictures(const QvStatProperties& p, std::array<Picture, QvStatProperties::Symbols>& out) {
    int n = 0;
    for (const std::unique_ptr<QvFigure>& symbol : p.Picto_Symbol) {
        if (!symbol)
            continue;
        std::unique_ptr<QvFigure> copy = QvCopyPictogramSymbol(*symbol);
        // Only a figure with a four-corner frame can be placed in a box.
        if (!copy || copy->DefiningPoints().GetSize() < 4)
            continue;
        out[size_t(n)].figure = std::move(copy);
        out[size_t(n)].aspect = QvStatGraphPictogram::SymbolAspect(symbol.get());
        ++n;
    }
    if (n > 0)
        return n;
    const int scheme = QvStatFillScheme(p);
    for (int i = 0; i < QvStatProperties::Symbols; ++i) {
        out[size_t(i)].figure = DefaultSymbol(p.Brushes[size_t(scheme)][size_t(i)].lbColor);
        out[size_t(i)].aspect = 1.0;
    }
    return QvStatProperties::Symbols;
}

// Places the picture's frame corners and draws it as the page would.
void DrawPicture(CDC* dc, QvFigure* figure, const CPoint (&c)[4]) {
    for (int i = 0; i < 4; ++i)
        figure->DefiningPoints()[i] = QvPoint(c[i].x, c[i].y);
    figure->DrawMapped(dc, QvDrawMode::Normal, NullFrame, CRect(0, 0, 0, 0));
}

// The same with the clip narrowed to the logical box `keep` (and to the
// clip already there); the context's clip is put back afterwards.
void DrawPictureClipped(CDC* dc, QvFigure* figure, const CPoint (&c)[4], CRect keep) {
    dc->LPtoDP(&keep);
    keep.NormalizeRect();
    CRect current;
    if (dc->GetClipBox(&current) != SIMPLEREGION) {
        dc->LPtoDP(&current);
        current.NormalizeRect();
        if (!keep.IntersectRect(keep, current))
            return;
    }
    if (keep.IsRectEmpty())
        return;
    const int saved = dc->SaveDC();
    CRgn region;
    region.CreateRectRgn(keep.left, keep.top, keep.right, keep.bottom);
    dc->SelectClipRgn(&region);
    DrawPicture(dc, figure, c);
    dc->RestoreDC(saved);
}

// Lays the frame out; `vertical` picks the column frame.
struct Frame {
    std::optional<QvStatBarAxes> bar;
    std::optional<QvStatColumnAxes> column;

    void Layout(bool vertical, int x0, int y0, int x1, int y1, QvStatData* data, CDC* dc) {
        bar.reset();
        column.reset();
        if (vertical)
            column.emplace().Layout(x0, y0, x1, y1, 0, data, dc, true);
        else
            bar.emplace().Layout(x0, y0, x1, y1, data, dc, true);
    }
    QvStatAxis& Axis() { return bar ? bar->axis : column->axis; }
    bool IsSetUp() const { return bar ? bar->IsSetUp() : column->IsSetUp(); }
    void Draw(CDC* dc) { bar ? bar->Draw(dc) : column->Draw(dc); }
    int ValueToPos(double v) { return bar ? bar->ValueToPos(v) : column->ValueToPos(v); }
    int CategoryPos(int k) const { return bar ? bar->CategoryPos(k) : column->CategoryPos(k); }
    int CategoryWidth() const { return bar ? bar->CategoryWidth() : column->CategoryWidth(); }
};

constexpr int kLegendGap = 400;
constexpr int kLegendBox = 1000;
// Pictures fill this share of their step along the value axis.
constexpr double kPictureFrom = 0.03;
constexpr double kPictureTo = 0.97;

} // namespace

double QvStatGraphPictogram::PictureValue(double axisMax) {
    // The 1-2-5 series goes on as far as needed, so a picture value always
    // exists; an axis too long for any finite one gets none (0).
    static constexpr double kMantissas[] = {1.0, 2.0, 5.0};
    double decade = 1.0;
    for (;;) {
        for (double m : kMantissas) {
            const double n = m * decade;
            if (!std::isfinite(n))
                return 0.0;
            if (!(axisMax / n > 7.0))
                return n;
        }
        decade *= 10.0;
    }
}

double QvStatGraphPictogram::AxisEnd(double m, double pictureValue, bool vertical) {
    return vertical ? m + pictureValue : std::ceil(m / pictureValue) * pictureValue;
}

int QvStatGraphPictogram::PictureCount(double v, double pictureValue) {
    if (!(v > 0.0) || !(pictureValue > 0.0))
        return 0;
    const double count = std::ceil(v / pictureValue);
    return count < 1e6 ? int(count) : 1000000;
}

CSize QvStatGraphPictogram::LegendBox(double aspect) {
    if (aspect >= 1.0)
        return CSize(int(1000.0 / aspect), 1000);
    return CSize(1000, int(1000.0 * aspect));
}

double QvStatGraphPictogram::SymbolAspect(const QvFigure* symbol) {
    const auto* gallery = dynamic_cast<const QvFigGallery*>(symbol);
    if (!gallery || !QvFigGallery::IsUsableRatio(gallery->GetAspectRatio()))
        return 1.0;
    return gallery->GetAspectRatio();
}

void QvStatGraphPictogram::Draw(CDC* dc, CRect rect) {
    QvStatData* data = m_pData;
    if (!dc || !data)
        return;
    const double d = QvStatYFactor(dc);
    const QvStatProperties& p = data->properties;
    const int top = QvStatDrawTitle(dc, rect, p);
    const bool vertical = p.Picto_Orientate != 0;

    std::array<Picture, QvStatProperties::Symbols> pictures;
    const int count = MakePictures(p, pictures);

    // The legend's width depends on its value and the value on the frame's
    // width: the frame is laid out again until the legend shows the value
    // the pictures are drawn with.
    Frame frame;
    auto layout = [&](int right) {
        frame.Layout(vertical, rect.left, top, right, rect.bottom, data, dc);
        return PictureValue(frame.Axis().GetMax());
    };
    int right = rect.right;
    double n = layout(right);
    QString legend;
    if (p.Picto_ShowLegend) {
        QvFontSelect font;
        font.SetFont(p.LabelFont);
        font.Select(dc);
        for (int tries = 0; tries < 3; ++tries) {
            legend = QStringLiteral(" = ") + QvFormatNumber(n, 1);
            right = rect.right - (dc->GetTextExtent(legend).cx + kLegendBox) - kLegendGap;
            const double drawn = layout(right);
            const bool same = drawn == n;
            n = drawn;
            if (same)
                break;
        }
        legend = QStringLiteral(" = ") + QvFormatNumber(n, 1);
        const int row = int(1.1 * std::max(1000, dc->GetTextExtent(QStringLiteral("A")).cy));
        const int x = right + kLegendGap / 2;
        const UINT align = dc->SetTextAlign(TA_LEFT | TA_TOP);
        for (int i = 0; i < count; ++i) {
            const CSize box = LegendBox(pictures[size_t(i)].aspect);
            const int y0 = top + int(row * i * d);
            const int y1 = top + int((row * i + box.cy) * d);
            const CPoint c[4] = {{x, y0}, {x + box.cx, y0}, {x + box.cx, y1}, {x, y1}};
            DrawPicture(dc, pictures[size_t(i)].figure.get(), c);
            dc->TextOut(right + 1400, y0, legend);
        }
        dc->SetTextAlign(align);
        font.Restore(dc);
    }

    const bool setUp = frame.IsSetUp();
    double axisEnd = 0.0;
    if (setUp && n > 0.0) {
        axisEnd = AxisEnd(frame.Axis().GetMax(), n, vertical);
        frame.Axis().SetMax(axisEnd);
    }
    frame.Draw(dc);
    if (!setUp || !(n > 0.0))
        return;

    const QvStatBarSlots shares = QvStatBarSlotsFor(frame.CategoryWidth(), data->CountDataColumns());
    const int t = shares.thickness, o = shares.offset;
    // Pictures of no thickness would not show.
    if (t <= 0)
        return;
    QvStatSeriesBrushes brushes(p);
    CDCSelect<CBrush> fill(dc);
    int category = 0, picture = 0;
    for (int row = 0; row < QvStatColumn::Rows; ++row) {
        const QvStatSeriesRow values(data, row);
        if (!values.any)
            continue;
        const int at = frame.CategoryPos(++category);
        QvFigure* figure = pictures[size_t(picture)].figure.get();
        for (int j = 0; j < values.series; ++j) {
            if (!values.has[size_t(j)])
                continue;
            if (vertical)
                fill.Select(brushes.Get(j));
            // A value past the axis's end stops there.
            const double v = std::min(values.value[size_t(j)], axisEnd);
            const int k = PictureCount(v, n);
            const int valuePos = frame.ValueToPos(v);
            const int across0 = vertical ? at + o + t * j : at + int((o + t * j) * d);
            const int across1 = vertical ? at + o + t * (j + 1) : at + int((o + t * (j + 1)) * d);
            for (int i = 0; i < k; ++i) {
                const int from = frame.ValueToPos((i + kPictureFrom) * n);
                const int to = frame.ValueToPos((i + kPictureTo) * n);
                if (from == -1 || to == -1 || valuePos == -1)
                    continue;
                CPoint c[4];
                if (vertical) {
                    c[0] = CPoint(across0, to);
                    c[1] = CPoint(across1, to);
                    c[2] = CPoint(across1, from);
                    c[3] = CPoint(across0, from);
                } else {
                    c[0] = CPoint(from, across0);
                    c[1] = CPoint(to, across0);
                    c[2] = CPoint(to, across1);
                    c[3] = CPoint(from, across1);
                }
                if (i + 1 < k) {
                    DrawPicture(dc, figure, c);
                    continue;
                }
                // The last picture is cut at the value: a clip, so that
                // nothing is painted over what lies beyond it.
                CRect keep(c[0], c[2]);
                keep.NormalizeRect();
                keep.InflateRect(100, 100);
                if (!vertical)
                    keep.right = valuePos;
                else if (d < 0)
                    keep.bottom = valuePos;
                else
                    keep.top = valuePos;
                DrawPictureClipped(dc, figure, c, keep);
            }
        }
        picture = (picture + 1) % count;
    }
}
