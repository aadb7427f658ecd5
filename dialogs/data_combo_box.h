#pragma once
// A combo box whose items carry a 32-bit data word, usually a command id or
// a mark code, filled from a table of string ids and data words.  Derived
// lists draw a sample of each item through the device context instead of
// its text.
#include "platform/gdi_types.h"
#include "platform/win_types.h"

#include <QComboBox>

#include <span>

class CDC;

// One row of an item table: the string-table id of the item's text and
// the data word it carries.  A row with string id 0 ends a table.
struct ComboItem {
    UINT stringId;
    DWORD data;
};

constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_FOCUS = 0x0010;

// What an owner-drawn list hands to DrawItem for one item, or for the
// empty selection field (itemID -1).
struct DRAWITEMSTRUCT {
    UINT itemID = UINT(-1);
    UINT itemState = 0;
    CDC* pDC = nullptr;
    CRect rcItem;
    DWORD itemData = 0;
};

class CDataComboBox : public QComboBox {
public:
    explicit CDataComboBox(QWidget* parent = nullptr);

    // The item with the pair's text and data word; its index, or -1 when
    // the string table has no such text.
    int AddItem(const ComboItem& pair);
    // Adds the rows up to the end of `table` or a row with string id 0.
    // Selects the item whose string id is `selectId` and returns its index;
    // -1 when `selectId` is 0 or not in the table, or an item failed.
    int FillFromTable(std::span<const ComboItem> table, UINT selectId);
    // Selects the first item carrying `data` and returns its index; with
    // none, clears the selection and returns -1.
    int SelectByData(DWORD data);
    // 0 when nothing is selected.
    DWORD GetSelectedData() const;

    // Sizes the list before it opens.
    void OnDropDown();
    void showPopup() override;
    // Whether the list is dropped down; asking makes no list.
    bool IsListOpen() const;

    // Height of the dropped-down control for `count` items of `itemHeight`,
    // the control spanning `top` to `bottom` on a screen `screenHeight`
    // tall.  `visible` 0 is automatic, positive a fixed number of rows,
    // negative fits the list to the screen.
    static int DropDownHeight(int count, int visible, int itemHeight, int top, int bottom,
                              int screenHeight);
    // The rows the list shows in a control of `height`: three item heights
    // go to the selection field and the borders.
    static int ListRows(int height, int itemHeight, int count);

    // The height of one item of the list.
    int ItemHeight() const;

    // Owner-drawn lists: the item height (-1 for the selection field) and
    // the drawing of one item.
    virtual bool IsOwnerDrawn() const { return false; }
    virtual int MeasureItem(int itemID) const;
    virtual void DrawItem(DRAWITEMSTRUCT* dis);

    // 0 automatic, above 0 a fixed number of rows, below 0 fit to screen.
    int m_nVisibleItems = 0;

protected:
    // Installs the drawing of items and of the selection field through
    // DrawItem; owner-drawn subclasses call it from their constructor.
    void SetOwnerDraw();
    // The sample of one real item inside `rect` (the item less 2 pixels
    // each side), drawn with a transparent background.
    virtual void DrawSample(CDC* dc, const DRAWITEMSTRUCT& dis, const CRect& rect);

    void paintEvent(QPaintEvent* event) override;

private:
    // The list is made, with its item drawing, when it first opens: it
    // costs more than the rest of the control, and toolbars show closed
    // lists at start-up.
    bool m_ownerDrawPending = false;
    bool m_listMade = false;
};
