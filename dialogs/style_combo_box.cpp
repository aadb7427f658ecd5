#include "dialogs/style_combo_box.h"

#include "geometry/arrow_head.h"
#include "geometry/marker.h"
#include "platform/command_ids.h"
#include "platform/dc.h"
#include "platform/gdi_objects.h"
#include "settings/fill_style.h"
#include "settings/line_style.h"
#include "settings/settings.h"

namespace {

COLORREF ShownLineColor() {
    return COLORREF(TheSettings().m_nShownLineColor);
}

COLORREF ShownFillColor() {
    return COLORREF(TheSettings().m_nShownFillColor);
}

int Middle(const CRect& r) {
    return (r.top + r.bottom) / 2;
}

// A circle crossed by a line, the sample of "nothing", in the square of
// `side` pixels centred on `centre`: round on a row of any width.
void DrawNothing(CDC* dc, CPoint centre, int side) {
    const CRect r(centre.x - side / 2, centre.y - side / 2, centre.x - side / 2 + side,
                  centre.y - side / 2 + side);
    dc->Ellipse(r);
    dc->MoveTo(r.left, Middle(r));
    dc->LineTo(r.right, Middle(r));
}

CPoint Centre(const CRect& r) {
    return CPoint((r.left + r.right) / 2, Middle(r));
}

} // namespace

CLineStyleComboBox::CLineStyleComboBox(QWidget* parent) : CDataComboBox(parent) {
    SetOwnerDraw();
}

int CLineStyleComboBox::MeasureItem(int itemID) const {
    return itemID == -1 ? CDataComboBox::MeasureItem(itemID) : 11;
}

void CLineStyleComboBox::DrawSample(CDC* dc, const DRAWITEMSTRUCT& dis, const CRect&) {
    LOGPEN log = QvLineStyle().PenFromLineCommand(dis.itemData);
    log.lopnColor = ShownLineColor();
    // Model widths would vanish at screen scale: the samples go by pixels.
    if (dis.itemData == ID_LINE_HAIRLINE)
        log.lopnWidth.x = 1;
    else if (dis.itemData >= ID_LINE_SOLID1 && dis.itemData <= ID_LINE_SOLID6)
        log.lopnWidth.x = int(dis.itemData) - ID_LINE_SOLID1 + 2;
    CPen pen(log);
    dc->SelectObject(&pen);
    int y = Middle(dis.rcItem);
    dc->MoveTo(dis.rcItem.left + 2, y);
    dc->LineTo(dis.rcItem.right - 2, y);
}

CFillStyleComboBox::CFillStyleComboBox(QWidget* parent) : CDataComboBox(parent) {
    SetOwnerDraw();
}

int CFillStyleComboBox::MeasureItem(int itemID) const {
    return itemID == -1 ? CDataComboBox::MeasureItem(itemID) : 20;
}

void CFillStyleComboBox::DrawSample(CDC* dc, const DRAWITEMSTRUCT& dis, const CRect& rect) {
    CPen pen(PS_SOLID, 1, ShownLineColor());
    LOGBRUSH log = QvFillStyle().FillStyleToLogBrush(dis.itemData);
    log.lbColor = ShownFillColor();
    CBrush brush(log);
    dc->SelectObject(&pen);
    dc->SelectObject(&brush);
    dc->Rectangle(rect);
    // Inside the empty swatch, clear of its outline.
    if (dis.itemData == ID_FILL_NONE)
        DrawNothing(dc, Centre(rect), rect.Height() - 4);
}

CArrowHeadComboBox::CArrowHeadComboBox(QWidget* parent) : CDataComboBox(parent) {
    SetOwnerDraw();
}

int CArrowHeadComboBox::MeasureItem(int itemID) const {
    return itemID == -1 ? CDataComboBox::MeasureItem(itemID) : 20;
}

void CArrowHeadComboBox::DrawSample(CDC* dc, const DRAWITEMSTRUCT& dis, const CRect& rect) {
    CPen pen(PS_SOLID, 1, ShownLineColor());
    CBrush brush(ShownFillColor());
    dc->SelectObject(&pen);
    dc->SelectObject(&brush);
    int y = Middle(rect);
    QvPoint left(rect.left + 6, y);
    QvPoint right(rect.right - 6, y);
    QvPoint centre((left.x + right.x) / 2, y);
    dc->MoveTo(int(left.x), y);
    dc->LineTo(int(right.x), y);
    int code = int(dis.itemData);
    QvArrowHead head;
    switch (m_nEndKind) {
    case 0:
        head.Draw(dc, left, right, code, 250, FALSE);
        break;
    case 1:
        head.Draw(dc, centre, left, code, 250, TRUE);
        break;
    case 2:
        head.Draw(dc, right, left, code, 250, FALSE);
        break;
    default:
        break;
    }
}

CMarkerComboBox::CMarkerComboBox(QWidget* parent) : CDataComboBox(parent) {
    SetOwnerDraw();
}

int CMarkerComboBox::MeasureItem(int itemID) const {
    return itemID == -1 ? CDataComboBox::MeasureItem(itemID) : 20;
}

void CMarkerComboBox::DrawSample(CDC* dc, const DRAWITEMSTRUCT& dis, const CRect& rect) {
    CPen pen(PS_SOLID, 1, ShownLineColor());
    dc->SelectObject(&pen);
    QvPoint centre((rect.left + 6 + rect.right - 6) / 2.0, Middle(rect));
    if (dis.itemData == 0) {
        // Where the marks stand, as tall as the row allows.
        dc->SelectStockObject(NULL_BRUSH);
        DrawNothing(dc, CPoint(int(centre.x), int(centre.y)), rect.Height());
        return;
    }
    // The mark fills itself in the pen's colour, so it shows wholly in the
    // line colour.
    CBrush brush(ShownFillColor());
    dc->SelectObject(&brush);
    QvMarker().Draw(dc, centre, int(dis.itemData));
}
