// The style lists: finding items by their data word, the drop-down size
// and the samples drawn for each item.
#include "common/test_support.h"
#include "dialogs/style_combo_box.h"
#include "platform/command_ids.h"
#include "platform/dc.h"
#include "settings/settings.h"

#include <QAbstractItemView>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <span>

namespace {

constexpr COLORREF kLine = RGB(255, 0, 0);
constexpr COLORREF kFill = RGB(0, 0, 255);

class StyleComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheSettings().m_nShownLineColor = int(kLine);
        TheSettings().m_nShownFillColor = int(kFill);
    }
    void TearDown() override {
        TheSettings().m_nShownLineColor = 0;
        TheSettings().m_nShownFillColor = 0;
    }

    // One item drawn into a white image the size of `rect`.
    QImage Draw(CDataComboBox& combo, UINT itemID, DWORD data, CRect rect, UINT state = 0) {
        QImage image(rect.Width(), rect.Height(), QImage::Format_RGB32);
        image.fill(Qt::white);
        CDC dc(&image);
        DRAWITEMSTRUCT dis;
        dis.itemID = itemID;
        dis.itemState = state;
        dis.pDC = &dc;
        dis.rcItem = rect;
        dis.itemData = data;
        combo.DrawItem(&dis);
        return image;
    }

    static bool Is(const QImage& image, int x, int y, COLORREF c) {
        QColor p = image.pixelColor(x, y);
        return p.red() == GetRValue(c) && p.green() == GetGValue(c) && p.blue() == GetBValue(c);
    }
    static int Count(const QImage& image, COLORREF c, QRect area = QRect()) {
        if (area.isNull())
            area = image.rect();
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += Is(image, x, y, c);
        return n;
    }
};

TEST_F(StyleComboBoxTest, FillingSelectsByStringIdAndSelectByDataClearsOnAMiss) {
    CMarkerComboBox combo;
    EXPECT_EQ(combo.FillFromTable(kMarkerComboTable, 0), -1);
    EXPECT_EQ(combo.count(), 8);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(combo.GetSelectedData(), 0u);

    CMarkerComboBox chosen;
    EXPECT_EQ(chosen.FillFromTable(kMarkerComboTable, 34019), 4);
    EXPECT_EQ(chosen.currentText(), u"Circle mark");
    EXPECT_EQ(chosen.GetSelectedData(), 3u);
    EXPECT_EQ(chosen.SelectByData(7), -1);
    EXPECT_EQ(chosen.currentIndex(), -1);
    EXPECT_EQ(chosen.GetSelectedData(), 0u);

    // An unknown string id adds nothing more and fails.
    const ComboItem broken[] = {{34015, 0}, {12345, 99}, {34016, 6}, {0, 0}};
    CMarkerComboBox failing;
    EXPECT_EQ(failing.FillFromTable(broken, 34015), -1);
    EXPECT_EQ(failing.count(), 1);
}

TEST_F(StyleComboBoxTest, EveryCodeOfEveryTableRoundTripsWithItsText) {
    struct Table {
        std::span<const ComboItem> items;
        int count;
        int probe;
        const char16_t* text;
    };
    const Table tables[] = {
        {kLineStyleComboTable, 11, 0, u"Dotted Line"},
        {kFillStyleComboTable, 8, 0, u"No fill"},
        {kArrowHeadComboTable, 15, 2, u"Triangle Arrowhead"},
        {kMarkerComboTable, 8, 0, u"No point"},
    };
    for (const Table& t : tables) {
        CDataComboBox combo;
        combo.FillFromTable(t.items, 0);
        ASSERT_EQ(combo.count(), t.count);
        EXPECT_EQ(combo.itemText(t.probe), t.text);
        for (int i = 0; i < t.count; ++i) {
            DWORD data = t.items[i].data;
            combo.SelectByData(~0u);
            EXPECT_EQ(combo.SelectByData(data), i) << data;
            EXPECT_EQ(combo.GetSelectedData(), data);
        }
    }
    // "No point" is code 0 and still a real, selectable item.
    CMarkerComboBox markers;
    markers.FillFromTable(kMarkerComboTable, 34022);
    EXPECT_EQ(markers.SelectByData(0), 0);
    EXPECT_EQ(markers.currentText(), u"No point");
}

TEST_F(StyleComboBoxTest, DropDownHeightInItemHeights) {
    struct Case {
        int count, visible, h, top, bottom, screen, height, rows;
    };
    const Case cases[] = {
        {1, 0, 20, 100, 120, 768, 100, 2},    // one item: 2 + 3 heights
        {10, 1, 20, 100, 120, 768, 100, 2},   // a fixed count of 1 likewise
        {10, 0, 20, 100, 120, 768, 260, 10},  // automatic: every item
        {10, 4, 20, 100, 120, 768, 140, 4},   // fixed
        {10, -1, 20, 300, 320, 768, 260, 10}, // fits both ways: as wanted
        {10, -1, 20, 100, 120, 310, 180, 6},  // more room below, in whole items
        {10, -1, 20, 700, 720, 768, 260, 10}, // room above, never beyond wanted
        {10, -1, 20, 50, 70, 100, 40, 1},     // a sliver still shows one row
        {10, -1, 0, 100, 120, 768, 0, 10},    // no item height: no division
    };
    for (const Case& c : cases) {
        int height =
            CDataComboBox::DropDownHeight(c.count, c.visible, c.h, c.top, c.bottom, c.screen);
        EXPECT_EQ(height, c.height) << c.count << " " << c.visible << " " << c.top;
        EXPECT_EQ(CDataComboBox::ListRows(height, c.h, c.count), c.rows) << c.top;
    }
}

TEST_F(StyleComboBoxTest, ItemHeightsReachTheList) {
    CLineStyleComboBox lines;
    lines.FillFromTable(kLineStyleComboTable, 0);
    CArrowHeadComboBox heads;
    heads.FillFromTable(kArrowHeadComboTable, 0);
    // The lists get their item drawing when they first open.
    lines.showPopup();
    heads.showPopup();
    EXPECT_TRUE(lines.IsListOpen());
    lines.hidePopup();
    heads.hidePopup();
    EXPECT_FALSE(lines.IsListOpen());
    EXPECT_EQ(lines.view()->sizeHintForRow(0), 11);
    EXPECT_EQ(heads.view()->sizeHintForRow(0), 20);
    EXPECT_EQ(lines.ItemHeight(), 11);
    lines.m_nVisibleItems = 3;
    lines.OnDropDown();
    EXPECT_EQ(lines.maxVisibleItems(), 3);

    // The closed list shows the chosen item's sample, and the open list
    // draws its items the same way.
    lines.SelectByData(ID_LINE_SOLID6);
    lines.resize(120, 24);
    EXPECT_GT(Count(lines.grab().toImage(), kLine), 20);
    lines.showPopup();
    EXPECT_GT(Count(lines.view()->viewport()->grab().toImage(), kLine), 20);
    lines.hidePopup();
}

// A focused closed list shows its sample on the window's colour, ringed
// by the focus rectangle, not drowned in the highlight: also with nothing
// chosen, as the toolbars' lists are when no drawing is open.
TEST_F(StyleComboBoxTest, AFocusedClosedListStillShowsItsSample) {
    CLineStyleComboBox lines;
    lines.FillFromTable(kLineStyleComboTable, 0);
    lines.resize(60, 24);
    lines.show();
    lines.activateWindow();
    lines.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&lines));
    ASSERT_TRUE(lines.hasFocus());
    const QColor highlight = lines.palette().color(QPalette::Highlight);
    const auto highlighted = [&](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == highlight;
        return n;
    };
    EXPECT_EQ(highlighted(lines.grab().toImage()), 0);
    lines.SelectByData(ID_LINE_HAIRLINE);
    const QImage chosen = lines.grab().toImage();
    EXPECT_EQ(highlighted(chosen), 0);
    EXPECT_GT(Count(chosen, kLine), 10);
}

TEST_F(StyleComboBoxTest, LineSamplesArePixelWidths) {
    CLineStyleComboBox combo;
    struct Case {
        DWORD id;
        int rows;
    };
    const Case cases[] = {{ID_LINE_DOT, 1},    {ID_LINE_DASH, 1},   {ID_LINE_HAIRLINE, 1},
                          {ID_LINE_SOLID1, 2}, {ID_LINE_SOLID3, 4}, {ID_LINE_SOLID6, 7}};
    for (const Case& c : cases) {
        QImage image = Draw(combo, 0, c.id, CRect(0, 0, 100, 11));
        int rows = 0;
        for (int y = 0; y < 11; ++y)
            rows += Is(image, 50, y, kLine) || Is(image, 51, y, kLine);
        EXPECT_EQ(rows, c.rows) << c.id;
        EXPECT_TRUE(Is(image, 50, 5, kLine) || Is(image, 51, 5, kLine)) << c.id;
        if (c.rows == 1) { // thin lines start 2 in from the left
            EXPECT_FALSE(Is(image, 1, 5, kLine)) << c.id;
        }
    }
}

TEST_F(StyleComboBoxTest, SelectionFieldShowsOnlyBackgroundAndFocus) {
    CLineStyleComboBox combo;
    QImage plain = Draw(combo, UINT(-1), ID_LINE_SOLID6, CRect(0, 0, 60, 20));
    QColor window = combo.palette().color(QPalette::Base);
    QImage background(60, 20, QImage::Format_RGB32);
    background.fill(window);
    EXPECT_EQ(plain, background);
    QImage focused = Draw(combo, UINT(-1), ID_LINE_SOLID6, CRect(0, 0, 60, 20), ODS_FOCUS);
    EXPECT_NE(focused, plain);
    EXPECT_EQ(focused.pixelColor(30, 10), window);
    QImage selected = Draw(combo, 0, ID_LINE_SOLID6, CRect(0, 0, 60, 20), ODS_SELECTED);
    EXPECT_EQ(selected.pixelColor(1, 1), combo.palette().color(QPalette::Highlight));
}

TEST_F(StyleComboBoxTest, FillSamplesAndTheNoFillSign) {
    CFillStyleComboBox combo;
    QImage solid = Draw(combo, 0, ID_FILL_SOLID, CRect(0, 0, 60, 20));
    EXPECT_TRUE(Is(solid, 30, 6, kFill));
    EXPECT_TRUE(Is(solid, 2, 10, kLine)); // the outline of the working rectangle
    QImage none = Draw(combo, 0, ID_FILL_NONE, CRect(0, 0, 60, 20));
    EXPECT_EQ(Count(none, kFill), 0);
    EXPECT_TRUE(Is(none, 2, 10, kLine)); // an empty swatch like the others
}

// "None" is a round sign in the sample's own square, never an ellipse
// stretched over the row: in the point marks and the fills alike, on a row
// of any width.
TEST_F(StyleComboBoxTest, TheNoneItemsDrawARoundSignInTheirSampleBox) {
    // The ink of the sign: anything in the line colour off the swatch's
    // outline, which is the working rectangle's edge.
    const auto sign = [&](const QImage& image, const QRect& outline) {
        QRect bounds;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!Is(image, x, y, kFill) && image.pixel(x, y) != qRgb(255, 255, 255) &&
                    !(outline.contains(x, y) && !outline.adjusted(1, 1, -1, -1).contains(x, y)))
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    };
    for (int width : {60, 120, 240}) {
        SCOPED_TRACE(width);
        const CRect row(0, 0, width, 20);
        CMarkerComboBox marks;
        // The marks' centre; the sample box is the row's height less the
        // margins, square.
        const QPoint centre(width / 2, 10);
        const QRect box(centre.x() - 8, 2, 17, 16);
        const QRect point = sign(Draw(marks, 0, 0, row), QRect());
        EXPECT_TRUE(box.contains(point))
            << point.x() << "," << point.y() << " " << point.width() << "x" << point.height();
        EXPECT_LE(std::abs(point.width() - point.height()), 2);
        CFillStyleComboBox fills;
        const QRect swatch(2, 2, width - 4, 16);
        const QImage none = Draw(fills, 0, ID_FILL_NONE, row);
        const QRect fill = sign(none, swatch);
        EXPECT_TRUE(swatch.contains(fill));
        EXPECT_LE(std::abs(fill.width() - fill.height()), 2);
    }
}

TEST_F(StyleComboBoxTest, MarkSamplesShowWhollyInTheLineColour) {
    CMarkerComboBox combo;
    for (const ComboItem& item : kMarkerComboTable) {
        if (!item.stringId)
            break;
        QImage image = Draw(combo, 0, item.data, CRect(0, 0, 60, 20));
        EXPECT_EQ(Count(image, kFill), 0) << item.data;
        EXPECT_GT(Count(image, kLine), 0) << item.data;
    }
    // A mark stays near the centre.
    QImage circle = Draw(combo, 0, 3, CRect(0, 0, 60, 20));
    EXPECT_EQ(Count(circle, kLine, QRect(0, 0, 15, 20)), 0);
    EXPECT_GT(Count(circle, kLine, QRect(22, 0, 16, 20)), 0);
}

TEST_F(StyleComboBoxTest, LineEndSamplesPutTheMarkAtTheirEnd) {
    CArrowHeadComboBox combo;
    const CRect rect(0, 0, 120, 20);
    // Anything off the line's own row belongs to the mark.
    auto markPixels = [&](const QImage& image, int left, int width) {
        return Count(image, kLine, QRect(left, 0, width, 9)) +
               Count(image, kFill, QRect(left, 0, width, 9));
    };
    struct Case {
        int kind;
        bool left, middle, right;
    };
    const Case cases[] = {{0, true, false, false},
                          {1, false, true, false},
                          {2, false, false, true},
                          {7, false, false, false}};
    for (const Case& c : cases) {
        combo.m_nEndKind = c.kind;
        QImage image = Draw(combo, 0, 12, rect);
        EXPECT_TRUE(Is(image, 30, 10, kLine)) << c.kind;
        EXPECT_EQ(markPixels(image, 0, 30) > 0, c.left) << c.kind;
        EXPECT_EQ(markPixels(image, 45, 30) > 0, c.middle) << c.kind;
        EXPECT_EQ(markPixels(image, 90, 30) > 0, c.right) << c.kind;
    }
    // "No Arrowhead" draws the bare line whatever the end.
    combo.m_nEndKind = 2;
    EXPECT_EQ(markPixels(Draw(combo, 0, 10, rect), 0, 120), 0);
}

} // namespace
