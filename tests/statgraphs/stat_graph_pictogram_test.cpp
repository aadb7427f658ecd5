// The pictogram: the value one picture stands for, how many pictures show
// a value, where they go on the bar and column frames, the cut at the
// value, the symbols and their legend, and the record left untouched.
// Expected values by hand; positions from a frame laid out alike.
#include "common/recording_device.h"
#include "figures/fig_ellipse.h"
#include "figures/fig_gallery.h"
#include "figures/fig_rectangle.h"
#include "figures/figure_test_support.h"
#include "platform/dc.h"
#include "statgraphs/drawers/stat_graph_pictogram.h"
#include "statgraphs/stat_axes.h"
#include "statgraphs/stat_graph_parts.h"
#include "statistics/stat_data.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// The first of 1, 2, 5, 10 ... with axisMax / N <= 7.
TEST(Pictogram, PictureValueKeepsSevenPicturesAtMost) {
    struct Case {
        double axisMax, n;
    };
    const Case cases[] = {
        {30, 5},     {7, 1},         {7.0000001, 2}, {14, 2},  {14.5, 5},
        {35, 5},     {36, 10},       {8e8, 2e8},     {1, 1},   {0, 1},
        {-4, 1},     // past the old table's end at 10^7: the series goes on
        {7e7, 1e7},  {7.1e7, 2e7},   {3e15, 5e14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.axisMax);
        EXPECT_EQ(QvStatGraphPictogram::PictureValue(c.axisMax), c.n);
    }
    // An axis no finite picture value fits has none; the drawing then
    // draws no pictures rather than loop.
    EXPECT_EQ(QvStatGraphPictogram::PictureValue(INFINITY), 0.0);
}

TEST(Pictogram, AxisEndsAtAWholePictureOrOnePictureOn) {
    EXPECT_EQ(QvStatGraphPictogram::AxisEnd(30, 5, false), 30);
    EXPECT_EQ(QvStatGraphPictogram::AxisEnd(30, 5, true), 35);
    EXPECT_EQ(QvStatGraphPictogram::AxisEnd(31.875, 5, false), 35);
    EXPECT_EQ(QvStatGraphPictogram::AxisEnd(31.875, 5, true), 36.875);
}

TEST(Pictogram, PicturesAreThoseStartingBelowTheValue) {
    struct Case {
        double v, n;
        int count;
    };
    const Case cases[] = {{12, 5, 3}, {10, 5, 2}, {10.0001, 5, 3}, {0.1, 1, 1},
                          {0, 5, 0},  {-3, 5, 0}, {35, 5, 7},      {12, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.v << " by " << c.n);
        EXPECT_EQ(QvStatGraphPictogram::PictureCount(c.v, c.n), c.count);
    }
}

TEST(Pictogram, LegendBoxIsAThousandAlongTheLongerSide) {
    EXPECT_EQ(QvStatGraphPictogram::LegendBox(2.0), CSize(500, 1000));
    EXPECT_EQ(QvStatGraphPictogram::LegendBox(0.5), CSize(1000, 500));
    EXPECT_EQ(QvStatGraphPictogram::LegendBox(1.0), CSize(1000, 1000));
    EXPECT_EQ(QvStatGraphPictogram::LegendBox(3.0), CSize(333, 1000));
}

// A gallery symbol of one rectangle filling its frame, in one colour.
std::unique_ptr<QvFigure> Symbol(COLORREF colour, double aspect = 1.0) {
    auto g = std::make_unique<QvFigGallery>();
    auto rect = std::make_unique<QvFigRectangle>();
    const QvPoint corners[4] = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}};
    for (int i = 0; i < 4; ++i)
        rect->DefiningPoints()[i] = rect->DisplayPoints()[i] = corners[i];
    rect->GetEditData()->m_fillStyle = ID_FILL_SOLID;
    rect->GetEditData()->m_lineStyle = ID_LINE_HAIRLINE;
    rect->GetEditData()->m_fillColor = rect->GetEditData()->m_lineColor = colour;
    g->MemberList().Add(std::move(rect));
    const QvPoint frame[4] = {{0, 0}, {1000, 0}, {1000, 1000 * aspect}, {0, 1000 * aspect}};
    for (int i = 0; i < 4; ++i)
        g->DefiningPoints()[i] = g->DisplayPoints()[i] = frame[i];
    g->SetAspectRatio(aspect);
    return g;
}

QColor FillOf(const DrawnItem& item) {
    return item.brush.color();
}

class PictogramTest : public FigureTest {
protected:
    PictogramTest() : data(std::make_unique<QvStatData>()) {
        p().GraphType = 14;
        p().dc = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    }
    QvStatProperties& p() { return data->properties; }
    void Fill(int column, const std::vector<double>& values) {
        QvStatColumn& c = data->columns[size_t(column)];
        for (size_t r = 0; r < values.size(); ++r)
            c.cells[r] = {values[r], 1, {}};
        c.MarkDirty();
    }
    // The filled shapes of a drawing in 0.01 mm, y upwards, 200 by 150 mm.
    std::vector<DrawnItem> Draw(RecordingDevice& device) {
        CDC dc(&device);
        dc.SetDeviceResolution(300, 300);
        dc.SetMapMode(MM_HIMETRIC);
        QvStatGraphPictogram drawer;
        drawer.SetData(data.get());
        drawer.Draw(&dc, kRect);
        std::vector<DrawnItem> shapes;
        for (const DrawnItem& item : device.Items())
            if (item.kind == DrawnItem::Polygon)
                shapes.push_back(item);
        return shapes;
    }

    static constexpr CRect kRect{0, 0, 20000, -15000};
    std::unique_ptr<QvStatData> data;
};

// Values 12 and 30 give a value axis whose maximum M is 31.875 (30 rounded
// to the minor step 1, plus a sixteenth), so N = 5: the bar frame ends at
// 35, the column frame at 36.875.  Value 12 has three pictures, each from
// 0.03 to 0.97 of its step.
TEST_F(PictogramTest, PicturesStandOnTheValueAxisInSteps) {
    Fill(0, {12, 30});
    for (int vertical : {0, 1}) {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        p().Picto_Orientate = vertical;
        RecordingDevice device(3000, 3000, 300);
        QvStatBarAxes bar;
        QvStatColumnAxes column;
        QvStatAxis& axis = vertical ? column.axis : bar.axis;
        {
            CDC dc(&device);
            dc.SetDeviceResolution(300, 300);
            dc.SetMapMode(MM_HIMETRIC);
            if (vertical)
                column.Layout(kRect.left, kRect.top, kRect.right, kRect.bottom, 0, data.get(), &dc,
                              true);
            else
                bar.Layout(kRect.left, kRect.top, kRect.right, kRect.bottom, data.get(), &dc, true);
        }
        ASSERT_EQ(axis.GetMax(), 31.875);
        axis.SetMax(vertical ? 36.875 : 35);
        auto value = [&](double v) { return vertical ? column.ValueToPos(v) : bar.ValueToPos(v); };
        const int at = vertical ? column.CategoryPos(1) : bar.CategoryPos(1);
        const QvStatBarSlots s =
            QvStatBarSlotsFor(vertical ? column.CategoryWidth() : bar.CategoryWidth(), 1);
        ASSERT_GT(s.thickness, 0);

        const std::vector<DrawnItem> shapes = Draw(device);
        // A square and a diamond per picture: 3 for 12, 6 for 30.
        ASSERT_EQ(shapes.size(), 2u * 9u);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            const QRectF diamond = shapes[size_t(2 * i + 1)].rect;
            const double from = value((i + 0.03) * 5) * 300.0 / 2540.0;
            const double to = value((i + 0.97) * 5) * 300.0 / 2540.0;
            const double a0 = (vertical ? at + s.offset : -(at - s.offset)) * 300.0 / 2540.0;
            const double a1 =
                (vertical ? at + s.offset + s.thickness : -(at - s.offset - s.thickness)) * 300.0 / 2540.0;
            if (vertical) {
                EXPECT_NEAR(diamond.top(), -to, 1.5);
                EXPECT_NEAR(diamond.bottom(), -from, 1.5);
                EXPECT_NEAR(diamond.left(), a0, 1.5);
                EXPECT_NEAR(diamond.right(), a1, 1.5);
            } else {
                EXPECT_NEAR(diamond.left(), from, 1.5);
                EXPECT_NEAR(diamond.right(), to, 1.5);
                EXPECT_NEAR(diamond.top(), a0, 1.5);
                EXPECT_NEAR(diamond.bottom(), a1, 1.5);
            }
        }
    }
}

// The last picture is cut at the value by a clip, not painted over: on a
// transparent page what lies beyond stays transparent.
TEST_F(PictogramTest, LastPictureIsCutAtTheValue) {
    Fill(0, {12, 30});
    for (int vertical : {0, 1}) {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        p().Picto_Orientate = vertical;
        QImage image(2400, 1800, QImage::Format_ARGB32);
        image.setDotsPerMeterX(11811);
        image.setDotsPerMeterY(11811);
        image.fill(Qt::transparent);
        CDC dc(&image);
        dc.SetMapMode(MM_HIMETRIC);
        QvStatBarAxes bar;
        QvStatColumnAxes column;
        if (vertical) {
            column.Layout(kRect.left, kRect.top, kRect.right, kRect.bottom, 0, data.get(), &dc, true);
            column.axis.SetMax(36.875);
        } else {
            bar.Layout(kRect.left, kRect.top, kRect.right, kRect.bottom, data.get(), &dc, true);
            bar.axis.SetMax(35);
        }
        const QvStatBarSlots s = QvStatBarSlotsFor(
            vertical ? column.CategoryWidth() : bar.CategoryWidth(), 1);
        const int middle =
            (vertical ? column.CategoryPos(1) : bar.CategoryPos(1)) + (vertical ? 1 : -1) *
                                                                       (s.offset + s.thickness / 2);
        auto pixel = [&](double v) {
            const int along = vertical ? column.ValueToPos(v) : bar.ValueToPos(v);
            const CPoint at = vertical ? CPoint(middle, along) : CPoint(along, middle);
            return image.pixel(int(std::lround(at.x * 300.0 / 2540.0)),
                               int(std::lround(-at.y * 300.0 / 2540.0)));
        };
        QvStatGraphPictogram drawer;
        drawer.SetData(data.get());
        drawer.Draw(&dc, kRect);
        // Inside the second picture and the third one's kept part, and
        // past 12 inside the third picture's box.
        EXPECT_EQ(qAlpha(pixel(7.5)), 255);
        EXPECT_EQ(qAlpha(pixel(11.5)), 255);
        EXPECT_EQ(qAlpha(pixel(13)), 0);
        EXPECT_EQ(qAlpha(pixel(14.5)), 0);
    }
}

// Symbols in slots 2 and 4 only: the categories take them in turn; the
// record, symbols included, is the same after drawing twice.
TEST_F(PictogramTest, UserSymbolsTakeTurnsAndStayAsTheyWere) {
    Fill(0, {4, 4, 4});
    p().Picto_Symbol[1] = Symbol(RGB(200, 0, 0));
    p().Picto_Symbol[3] = Symbol(RGB(0, 0, 200), 0.5);
    const QByteArray before = Store(&p());
    RecordingDevice device(3000, 3000, 300);
    std::vector<DrawnItem> shapes = Draw(device);
    device.Clear();
    shapes = Draw(device);
    EXPECT_EQ(Store(&p()), before);
    // Value 4 is four pictures of N = 1 in each of three categories.
    ASSERT_FALSE(shapes.empty());
    std::vector<QColor> fills;
    for (const DrawnItem& s : shapes)
        if (fills.empty() || fills.back() != FillOf(s))
            fills.push_back(FillOf(s));
    EXPECT_EQ(fills, (std::vector<QColor>{QColor(200, 0, 0), QColor(0, 0, 200), QColor(200, 0, 0)}));
}

// Without symbols five defaults are made in the fill scheme's colours: the
// hatched scheme's are black, the colour scheme's are the series colours.
TEST_F(PictogramTest, DefaultSymbolsTakeTheSchemeColours) {
    Fill(0, {1, 1, 1, 1, 1, 1});
    p().GraphStyle = 1;
    RecordingDevice device(3000, 3000, 300);
    std::vector<DrawnItem> shapes = Draw(device);
    ASSERT_EQ(shapes.size(), 12u);
    for (const DrawnItem& s : shapes)
        EXPECT_EQ(FillOf(s), QColor(Qt::black));
    p().GraphStyle = 3;
    device.Clear();
    shapes = Draw(device);
    ASSERT_EQ(shapes.size(), 12u);
    for (int category = 0; category < 6; ++category) {
        const COLORREF c = p().Colors[size_t(category % 5)];
        EXPECT_EQ(FillOf(shapes[size_t(2 * category)]), QColor(GetRValue(c), GetGValue(c), GetBValue(c)))
            << category;
    }
}

// Value 50: M = 53.125, N = 10.  Each legend row shows its symbol in a box
// 1000 along its longer side and " = 10".
TEST_F(PictogramTest, LegendShowsEachSymbolWithTheDrawnValue) {
    Fill(0, {50});
    p().Picto_ShowLegend = 1;
    p().Picto_Symbol[0] = Symbol(RGB(200, 0, 0), 2.0);
    p().Picto_Symbol[1] = Symbol(RGB(0, 0, 200), 0.5);
    RecordingDevice device(3000, 3000, 300);
    const std::vector<DrawnItem> shapes = Draw(device);
    // Two legend boxes, then five pictures for 50.
    ASSERT_EQ(shapes.size(), 7u);
    const double px = 300.0 / 2540.0;
    EXPECT_NEAR(shapes[0].rect.width(), 500 * px, 1.5);
    EXPECT_NEAR(shapes[0].rect.height(), 1000 * px, 1.5);
    EXPECT_NEAR(shapes[1].rect.width(), 1000 * px, 1.5);
    EXPECT_NEAR(shapes[1].rect.height(), 500 * px, 1.5);
    int legends = 0;
    for (const DrawnItem& item : device.Items())
        if (item.kind == DrawnItem::Text && item.text == " = 10")
            ++legends;
    EXPECT_EQ(legends, 2);
}

// No data column in use: the title, legend and frame only, no division by
// a count of none.
TEST_F(PictogramTest, NoColumnDrawsNoPictures) {
    Fill(0, {3, 4});
    p().dc[0] = -1;
    p().Title = QStringLiteral("Pets");
    RecordingDevice device(3000, 3000, 300);
    EXPECT_TRUE(Draw(device).empty());
}

// A figure on a stick: head and body, taller than wide.
std::unique_ptr<QvFigure> Person(COLORREF colour) {
    auto g = std::make_unique<QvFigGallery>();
    auto head = Make<QvFigEllipse4C>(QvFigEllipse4C::ToolId);
    auto body = std::make_unique<QvFigRectangle>();
    if (!head)
        return nullptr;
    const QvPoint round[4] = {{300, 0}, {700, 0}, {700, 400}, {300, 400}};
    const QvPoint corners[4] = {{150, 450}, {850, 450}, {850, 1000}, {150, 1000}};
    for (int i = 0; i < 4; ++i) {
        head->DefiningPoints()[i] = head->DisplayPoints()[i] = round[i];
        body->DefiningPoints()[i] = body->DisplayPoints()[i] = corners[i];
    }
    for (QvFigure* f : {static_cast<QvFigure*>(head.get()), static_cast<QvFigure*>(body.get())}) {
        f->GetEditData()->m_fillStyle = ID_FILL_SOLID;
        f->GetEditData()->m_lineStyle = ID_LINE_HAIRLINE;
        f->GetEditData()->m_fillColor = colour;
        f->GetEditData()->m_lineColor = RGB(0, 0, 0);
    }
    g->MemberList().Add(std::move(head));
    g->MemberList().Add(std::move(body));
    const QvPoint frame[4] = {{0, 0}, {1000, 0}, {1000, 1600}, {0, 1600}};
    for (int i = 0; i < 4; ++i)
        g->DefiningPoints()[i] = g->DisplayPoints()[i] = frame[i];
    g->SetAspectRatio(1.6);
    return g;
}

// Default and gallery symbols along both frames, as printed; the pictures
// are kept next to the build for a look.
TEST_F(PictogramTest, RendersAtPrintResolution) {
    Fill(0, {12, 30, 21, 7});
    Fill(1, {18, 9, 25, 14});
    p().dc[1] = 1;
    p().Title = QStringLiteral("Pets per class");
    struct Case {
        const char* name;
        int vertical;
        bool gallery;
    };
    const Case cases[] = {{"default_bars", 0, false},
                          {"default_columns", 1, false},
                          {"gallery_bars", 0, true},
                          {"gallery_columns", 1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        p().Picto_Orientate = c.vertical;
        p().Picto_ShowLegend = c.gallery;
        p().Picto_Symbol[0] = c.gallery ? Person(RGB(230, 140, 40)) : nullptr;
        p().Picto_Symbol[2] = c.gallery ? Person(RGB(60, 120, 220)) : nullptr;
        QImage image(2400, 1800, QImage::Format_RGB32);
        image.setDotsPerMeterX(11811);
        image.setDotsPerMeterY(11811);
        image.fill(Qt::white);
        {
            // As on a page, y from 0 upwards: curves are drawn within the
            // page's positive range.
            CDC dc(&image);
            dc.SetMapMode(MM_HIMETRIC);
            dc.SetWindowOrg(0, 15000);
            QvStatGraphPictogram drawer;
            drawer.SetData(data.get());
            drawer.Draw(&dc, CRect(0, 15000, 20000, 0));
        }
        image.save(QStringLiteral(LUMBREL_BINARY_DIR "/pictogram_%1.png").arg(c.name));
        // Colour somewhere in the plot.
        int coloured = 0;
        for (int y = 300; y < 1700; y += 4)
            for (int x = 300; x < 2300; x += 4)
                if (qRed(image.pixel(x, y)) != qBlue(image.pixel(x, y)))
                    ++coloured;
        EXPECT_GT(coloured, 100);
    }
}

} // namespace
