#pragma once
// The style lists: line styles as pen samples, fill styles as swatches,
// line ends as short arrows and point marks, each drawn in the style the
// toolbars show now.
#include "dialogs/data_combo_box.h"
#include "platform/command_ids.h"

// The Line Style bar's list; "Solid Line" is not offered.
inline constexpr ComboItem kLineStyleComboTable[] = {
    {ID_LINE_DOT, ID_LINE_DOT},           {ID_LINE_DASH, ID_LINE_DASH},
    {ID_LINE_DASHDOT, ID_LINE_DASHDOT},   {ID_LINE_DASHDOTDOT, ID_LINE_DASHDOTDOT},
    {ID_LINE_HAIRLINE, ID_LINE_HAIRLINE}, {ID_LINE_SOLID1, ID_LINE_SOLID1},
    {ID_LINE_SOLID2, ID_LINE_SOLID2},     {ID_LINE_SOLID3, ID_LINE_SOLID3},
    {ID_LINE_SOLID4, ID_LINE_SOLID4},     {ID_LINE_SOLID5, ID_LINE_SOLID5},
    {ID_LINE_SOLID6, ID_LINE_SOLID6},     {0, 0}};
// The Fill Style bar's list.
inline constexpr ComboItem kFillStyleComboTable[] = {
    {ID_FILL_NONE, ID_FILL_NONE},
    {ID_FILL_SOLID, ID_FILL_SOLID},
    {ID_FILL_DIAGONAL, ID_FILL_DIAGONAL},
    {ID_FILL_REVERSE_DIAGONAL, ID_FILL_REVERSE_DIAGONAL},
    {ID_FILL_HORIZONTAL, ID_FILL_HORIZONTAL},
    {ID_FILL_VERTICAL, ID_FILL_VERTICAL},
    {ID_FILL_SQUARES, ID_FILL_SQUARES},
    {ID_FILL_DIAMOND, ID_FILL_DIAMOND},
    {0, 0}};
// Line ends: the texts 34000 to 34014 with the mark codes 10 to 24.
inline constexpr ComboItem kArrowHeadComboTable[] = {
    {34000, 10}, {34001, 11}, {34002, 12}, {34003, 13}, {34004, 14}, {34005, 15},
    {34006, 16}, {34007, 17}, {34008, 18}, {34009, 19}, {34010, 20}, {34011, 21},
    {34012, 22}, {34013, 23}, {34014, 24}, {0, 0}};
// Point marks: the texts 34015 to 34022 with their mark codes; "No point"
// is code 0, so a table ends on its string id, never on its code.
inline constexpr ComboItem kMarkerComboTable[] = {{34015, 0}, {34016, 6}, {34017, 1},
                                                  {34018, 5}, {34019, 3}, {34020, 4},
                                                  {34021, 2}, {34022, 8}, {0, 0}};

class CLineStyleComboBox : public CDataComboBox {
public:
    explicit CLineStyleComboBox(QWidget* parent = nullptr);
    bool IsOwnerDrawn() const override { return true; }
    int MeasureItem(int itemID) const override;

protected:
    void DrawSample(CDC* dc, const DRAWITEMSTRUCT& dis, const CRect& rect) override;
};

class CFillStyleComboBox : public CDataComboBox {
public:
    explicit CFillStyleComboBox(QWidget* parent = nullptr);
    bool IsOwnerDrawn() const override { return true; }
    int MeasureItem(int itemID) const override;

protected:
    void DrawSample(CDC* dc, const DRAWITEMSTRUCT& dis, const CRect& rect) override;
};

class CArrowHeadComboBox : public CDataComboBox {
public:
    explicit CArrowHeadComboBox(QWidget* parent = nullptr);
    bool IsOwnerDrawn() const override { return true; }
    int MeasureItem(int itemID) const override;

    // Which end of the sample line the mark goes on: 0 start, 1 middle,
    // 2 end; any other value shows the bare line.
    int m_nEndKind = 0;

protected:
    void DrawSample(CDC* dc, const DRAWITEMSTRUCT& dis, const CRect& rect) override;
};

class CMarkerComboBox : public CDataComboBox {
public:
    explicit CMarkerComboBox(QWidget* parent = nullptr);
    bool IsOwnerDrawn() const override { return true; }
    int MeasureItem(int itemID) const override;

protected:
    void DrawSample(CDC* dc, const DRAWITEMSTRUCT& dis, const CRect& rect) override;
};
