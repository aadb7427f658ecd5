#include "dialogs/data_combo_box.h"

#include "platform/command_table.h"
#include "platform/dc.h"
#include "platform/gdi_objects.h"
#include "platform/qt_convert.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// Draws the list's items through the combo box's DrawItem.
class CComboItemDelegate : public QStyledItemDelegate {
public:
    explicit CComboItemDelegate(CDataComboBox* combo)
        : QStyledItemDelegate(combo), m_combo(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        // The device context works in device coordinates from here on.
        QRect rect = painter->transform().mapRect(option.rect);
        CDC dc(painter);
        DRAWITEMSTRUCT dis;
        dis.itemID = UINT(index.row());
        if (option.state & QStyle::State_Selected)
            dis.itemState |= ODS_SELECTED;
        if (option.state & QStyle::State_HasFocus)
            dis.itemState |= ODS_FOCUS;
        dis.pDC = &dc;
        dis.rcItem = ToCRect(rect);
        dis.itemData = index.data(Qt::UserRole).toUInt();
        m_combo->DrawItem(&dis);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(),
                     m_combo->MeasureItem(index.row()));
    }

private:
    CDataComboBox* m_combo;
};

} // namespace

CDataComboBox::CDataComboBox(QWidget* parent) : QComboBox(parent) {}

int CDataComboBox::AddItem(const ComboItem& pair) {
    // Lists show a command's prompt, not its tooltip.
    QString text = LoadResourceString(pair.stringId).section(QLatin1Char('\n'), 0, 0);
    if (text.isEmpty())
        return -1;
    // Adding never selects, not even the first item.
    bool none = currentIndex() < 0;
    addItem(text, QVariant::fromValue<uint>(pair.data));
    if (none)
        setCurrentIndex(-1);
    return count() - 1;
}

int CDataComboBox::FillFromTable(std::span<const ComboItem> table, UINT selectId) {
    int chosen = -1;
    for (const ComboItem& pair : table) {
        if (pair.stringId == 0)
            break;
        int index = AddItem(pair);
        if (index < 0)
            return -1;
        if (selectId != 0 && pair.stringId == selectId && chosen < 0)
            chosen = index;
    }
    if (chosen < 0)
        return -1;
    // The first item with that text, matched whole: a shorter text that
    // merely begins another one must not pick the longer.
    int index = findText(itemText(chosen), Qt::MatchFixedString | Qt::MatchCaseSensitive);
    setCurrentIndex(index);
    return index;
}

int CDataComboBox::SelectByData(DWORD data) {
    for (int i = 0; i < count(); ++i)
        if (itemData(i, Qt::UserRole).toUInt() == data) {
            setCurrentIndex(i);
            return i;
        }
    setCurrentIndex(-1);
    return -1;
}

DWORD CDataComboBox::GetSelectedData() const {
    int index = currentIndex();
    return index < 0 ? 0 : itemData(index, Qt::UserRole).toUInt();
}

int CDataComboBox::DropDownHeight(int count, int visible, int itemHeight, int top, int bottom,
                                  int screenHeight) {
    int n = std::max(count, 2);
    if (visible > 0)
        n = std::max(visible, 2);
    int h = itemHeight;
    int wanted = h * (n + 3);
    if (visible >= 0 || h <= 0)
        return wanted;
    if (top - wanted >= 0 && bottom + wanted <= screenHeight)
        return wanted;
    int below = screenHeight - bottom;
    int room = top / h <= below / h ? below : top;
    return std::min(h * (room / h), wanted);
}

int CDataComboBox::ListRows(int height, int itemHeight, int count) {
    if (itemHeight <= 0)
        return std::max(count, 1);
    return std::max(height / itemHeight - 3, 1);
}

int CDataComboBox::ItemHeight() const {
    if (IsOwnerDrawn())
        return MeasureItem(0);
    if (count() > 0)
        return view()->sizeHintForRow(0);
    return fontMetrics().height();
}

int CDataComboBox::MeasureItem(int) const {
    return fontMetrics().height();
}

void CDataComboBox::OnDropDown() {
    int h = ItemHeight();
    QRect screenRect = screen() ? screen()->geometry() : QRect();
    int top = mapToGlobal(QPoint(0, 0)).y() - screenRect.top();
    int height =
        DropDownHeight(count(), m_nVisibleItems, h, top, top + this->height(), screenRect.height());
    setMaxVisibleItems(ListRows(height, h, count()));
}

void CDataComboBox::showPopup() {
    if (m_ownerDrawPending) {
        m_ownerDrawPending = false;
        setItemDelegate(new CComboItemDelegate(this));
    }
    m_listMade = true;
    OnDropDown();
    QComboBox::showPopup();
}

void CDataComboBox::SetOwnerDraw() {
    m_ownerDrawPending = true;
}

bool CDataComboBox::IsListOpen() const {
    return m_listMade && view()->isVisible();
}

void CDataComboBox::DrawItem(DRAWITEMSTRUCT* dis) {
    CDC* dc = dis->pDC;
    if (!dc)
        return;
    bool selected = dis->itemState & ODS_SELECTED;
    COLORREF back = FromQColor(palette().color(selected ? QPalette::Highlight : QPalette::Base));
    dc->FillSolidRect(dis->rcItem, back);
    dc->SetBkColor(back);
    if (dis->itemState & ODS_FOCUS) {
        COLORREF ink =
            FromQColor(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        CPen dots(PS_DOT, 0, ink);
        dc->SelectObject(&dots);
        dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(dis->rcItem);
        dc->SelectStockObject(BLACK_PEN);
    }
    CRect work = dis->rcItem;
    work.DeflateRect(2, 2);
    if (dis->itemID != UINT(-1)) {
        dc->SetBkMode(TRANSPARENT);
        DrawSample(dc, *dis, work);
    }
    dc->SelectStockObject(BLACK_PEN);
    dc->SelectStockObject(NULL_BRUSH);
}

void CDataComboBox::DrawSample(CDC*, const DRAWITEMSTRUCT&, const CRect&) {}

void CDataComboBox::paintEvent(QPaintEvent* event) {
    if (!IsOwnerDrawn()) {
        QComboBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.save();
    CDC dc(&painter);
    DRAWITEMSTRUCT dis;
    dis.itemID = currentIndex() < 0 ? UINT(-1) : UINT(currentIndex());
    // A focused closed list rings its choice with the focus rectangle; the
    // highlight would drown a sample drawn in the line colour.
    if (hasFocus())
        dis.itemState = ODS_FOCUS;
    dis.pDC = &dc;
    dis.rcItem = ToCRect(field);
    dis.itemData = GetSelectedData();
    DrawItem(&dis);
    painter.restore();
}
