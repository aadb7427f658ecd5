// The pie graph: sector sizes read off the radii it draws, the texts in the
// sectors, the fills by row, the layout of one and two pies, and the
// columns that give no pie.  Expected angles and shares are worked by hand.
#include "common/recording_device.h"
#include "graph_render.h"
#include "platform/dc.h"
#include "statgraphs/stat_graph.h"
#include "statgraphs/stat_graph_pie.h"
#include "statistics/stat_data.h"
#include "statistics/stat_test_support.h"
#include "text/font_select.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace {

struct PieFixture {
    explicit PieFixture(int mode = MM_TEXT)
        : device(12000, 12000, mode == MM_TEXT ? 96 : 300), dc(&device),
          data(std::make_unique<QvStatData>()) {
        dc.SetMapMode(mode);
        p().dc = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
        p().GraphStyle = 3;
        p().PieGraph = 2;
    }
    QvStatProperties& p() { return data->properties; }
    CRect Frame() const {
        return dc.GetMapMode() == MM_TEXT ? CRect(500, 500, 10500, 8500)
                                          : CRect(500, -500, 30500, -24500);
    }
    void Draw() {
        QvStatGraphPie pie;
        pie.SetData(data.get());
        pie.Draw(&dc, Frame());
    }
    std::vector<DrawnItem> Of(DrawnItem::Kind kind) const {
        std::vector<DrawnItem> items;
        for (const DrawnItem& item : device.Items())
            if (item.kind == kind)
                items.push_back(item);
        return items;
    }
    std::vector<QString> Texts() const {
        std::vector<QString> texts;
        for (const DrawnItem& item : Of(DrawnItem::Text))
            texts.push_back(item.text);
        return texts;
    }
    // The sweeps in degrees, as seen on the page, from the radii drawn at
    // the sectors' starts; the last sector closes the circle.
    std::vector<double> Sweeps() const {
        std::vector<double> starts;
        for (const DrawnItem& line : Of(DrawnItem::Line)) {
            double a =
                std::atan2(line.line.y1() - line.line.y2(), line.line.x2() - line.line.x1()) * 180 /
                std::numbers::pi;
            starts.push_back(a < -0.5 ? a + 360 : a);
        }
        std::vector<double> sweeps;
        for (size_t i = 0; i < starts.size(); ++i)
            sweeps.push_back((i + 1 < starts.size() ? starts[i + 1] : 360.0) - starts[i]);
        return sweeps;
    }
    RecordingDevice device;
    CDC dc;
    std::unique_ptr<QvStatData> data;
};

QColor Colour(const LOGBRUSH& b) {
    return QColor(int(b.lbColor & 0xFF), int((b.lbColor >> 8) & 0xFF),
                  int((b.lbColor >> 16) & 0xFF));
}

} // namespace

TEST(PieGraph, SectorsFromThreeOClockWithTheirShares) {
    struct Case {
        std::vector<double> values;
        std::vector<double> sweeps;
        std::vector<QString> texts;
    };
    const Case cases[] = {
        {{1, 1, 2}, {90, 90, 180}, {"25%", "25%", "50%"}},
        // The zero has no sector and no text.
        {{3, 5, 0, 12}, {54, 90, 216}, {"15%", "25%", "60%"}},
        // A negative value has no share: it would turn a sector backwards.
        {{3, -2, 1}, {270, 90}, {"75%", "25%"}},
    };
    for (int mode : {MM_TEXT, MM_HIMETRIC}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " first " << c.values[0]);
            PieFixture f(mode);
            FillValues(f.data->columns[0], c.values);
            f.Draw();
            const std::vector<double> sweeps = f.Sweeps();
            ASSERT_EQ(sweeps.size(), c.sweeps.size());
            for (size_t i = 0; i < sweeps.size(); ++i)
                EXPECT_NEAR(sweeps[i], c.sweeps[i], 0.3) << i;
            EXPECT_EQ(f.Texts(), c.texts);
            EXPECT_EQ(f.Of(DrawnItem::Path).size(), c.sweeps.size());
            EXPECT_EQ(f.Of(DrawnItem::Ellipse).size(), 1u);
            // The last sector's text centres on the point 0.8 of the radius
            // out along its middle, as seen on the page.
            const QRectF circle = f.Of(DrawnItem::Ellipse).at(0).rect;
            const double r = circle.width() / 2;
            const double mid = (360 - c.sweeps.back() / 2) * std::numbers::pi / 180;
            const QRectF text = f.Of(DrawnItem::Text).back().rect;
            EXPECT_NEAR(text.center().x(), circle.center().x() + 0.8 * r * std::cos(mid),
                        text.height() / 2);
            EXPECT_NEAR(text.center().y(), circle.center().y() - 0.8 * r * std::sin(mid),
                        text.height() / 2);
        }
    }
}

// The pure arithmetic, against Python's math.floor of the same formulas:
// sweeps in the 3.1415927 unit (a hair over a quarter turn, so the first
// end point floors to 999), text points at 0.8 of the radius; y grows
// upwards under MM_HIMETRIC.
TEST(PieGraph, SectorArithmetic) {
    QvStatColumn column;
    FillValues(column, {1, 1, 2});
    struct Expected {
        CPoint to, label;
    };
    const Expected down[] = {
        {{999, 901}, {1056, 944}}, {{900, 1001}, {943, 944}}, {{1099, 1000}, {1000, 1080}}};
    const Expected up[] = {
        {{999, 1099}, {1056, 1056}}, {{900, 999}, {943, 1056}}, {{1099, 1000}, {1000, 920}}};
    for (double d : {1.0, -1.0}) {
        SCOPED_TRACE(d);
        const QvPieSectors pie = QvPieSectorsOf(column, CPoint(1000, 1000), 100, d);
        EXPECT_DOUBLE_EQ(pie.total, 4);
        ASSERT_EQ(pie.sectors.size(), 3u);
        EXPECT_EQ(pie.sectors[0].from, CPoint(1100, 1000));
        for (size_t i = 0; i < 3; ++i) {
            const Expected& e = d > 0 ? down[i] : up[i];
            EXPECT_EQ(pie.sectors[i].to, e.to) << i;
            EXPECT_EQ(pie.sectors[i].label, e.label) << i;
            EXPECT_TRUE(pie.sectors[i].visible);
        }
        EXPECT_EQ(pie.sectors[1].from, pie.sectors[0].to);
        EXPECT_DOUBLE_EQ(pie.sectors[2].sweep, 0.5 * 2 * 3.1415927);
    }
}

// A row left empty keeps its place in the fill order; a value too small to
// show draws no sector (the pie primitive would fill the whole disc with
// equal radials), while one value alone is the whole disc.
TEST(PieGraph, FillsFollowTheRowAndThinSectorsVanish) {
    PieFixture f;
    QvStatColumn& c = f.data->columns[0];
    std::vector<double> values(12, 1.0);
    FillValues(c, values);
    c.cells[10] = {};
    c.MarkDirty();
    f.Draw();
    std::vector<DrawnItem> sectors = f.Of(DrawnItem::Path);
    ASSERT_EQ(sectors.size(), 11u);
    EXPECT_EQ(sectors.back().brush.color(), Colour(f.p().Brushes[3][1]));
    EXPECT_EQ(sectors[9].brush.color(), Colour(f.p().Brushes[3][9]));

    PieFixture thin;
    FillValues(thin.data->columns[0], {1, 1e-9});
    thin.Draw();
    sectors = thin.Of(DrawnItem::Path);
    ASSERT_EQ(sectors.size(), 1u);
    EXPECT_EQ(sectors[0].brush.color(), Colour(thin.p().Brushes[3][0]));

    PieFixture single;
    FillValues(single.data->columns[0], {0, 7});
    single.Draw();
    sectors = single.Of(DrawnItem::Path);
    ASSERT_EQ(sectors.size(), 1u);
    const QRectF circle = single.Of(DrawnItem::Ellipse).at(0).rect;
    EXPECT_NEAR(sectors[0].rect.width(), circle.width(), 4);
    EXPECT_NEAR(sectors[0].rect.height(), circle.height(), 4);
    EXPECT_EQ(single.Texts(), std::vector<QString>{"100%"});
}

// What is drawn for columns that give no sector, no column, or no room.
TEST(PieGraph, NothingToShareDrawsTheOutlineOrLess) {
    PieFixture zeros;
    FillValues(zeros.data->columns[0], {0, 0, -3});
    zeros.Draw();
    EXPECT_EQ(zeros.Of(DrawnItem::Ellipse).size(), 1u);
    EXPECT_TRUE(zeros.Of(DrawnItem::Path).empty());
    EXPECT_TRUE(zeros.Of(DrawnItem::Line).empty());
    EXPECT_TRUE(zeros.Texts().empty());

    PieFixture none;
    none.p().dc[0] = -1;
    none.p().Title = QStringLiteral("Votes");
    FillValues(none.data->columns[0], {1, 2});
    none.Draw();
    EXPECT_EQ(none.Texts(), std::vector<QString>{"Votes"});
    EXPECT_TRUE(none.Of(DrawnItem::Ellipse).empty());
    EXPECT_TRUE(none.Of(DrawnItem::Path).empty());

    // A legend wider than the frame leaves no room for a pie.
    PieFixture wide;
    FillValues(wide.data->columns[0], {1, 2});
    wide.p().LabelCol1 = 1;
    wide.data->columns[1].cells[0].text = QString(2000, QLatin1Char('W'));
    wide.Draw();
    EXPECT_TRUE(wide.Of(DrawnItem::Ellipse).empty());
    EXPECT_TRUE(wide.Of(DrawnItem::Path).empty());
}

// Two pies with names, shares and legends at print resolution, and one
// pie of values, kept as stat_graph_pie_*.png.
TEST(PieGraph, RendersAtPrintResolution) {
    for (int pies : {1, 2}) {
        SCOPED_TRACE(pies);
        auto data = std::make_unique<QvStatData>();
        QvStatProperties& p = data->properties;
        p.Title = QStringLiteral("Favourite colours");
        p.dc = {0, pies == 2 ? 1 : -1, -1, -1, -1, -1, -1, -1, -1, -1};
        p.PieGraph = pies == 2 ? 2 : 1;
        p.LabelCol1 = 2;
        p.LabelCol2 = 3;
        data->columns[0].name = QStringLiteral("Year 7");
        data->columns[1].name = QStringLiteral("Year 8");
        FillValues(data->columns[0], {3, 5, 0, 12, 2.5});
        FillValues(data->columns[1], {1, 1, 2});
        const char* colours[] = {"Red", "Green", "Grey", "Blue", "Yellow"};
        for (int i = 0; i < 5; ++i) {
            data->columns[2].cells[size_t(i)].text = QString::fromLatin1(colours[i]);
            data->columns[3].cells[size_t(i)].text = QString::fromLatin1(colours[4 - i]);
        }
        QvStatGraphPie pie;
        const QImage image = RenderGraph(pie, data.get(), 16000, 9000,
                                         QStringLiteral("stat_graph_pie_%1").arg(pies));
        // The middle of each pie is filled.
        const int w = image.width(), h = image.height();
        for (int k = 0; k < pies; ++k) {
            const int cx = pies == 1 ? w / 2 - w / 10 : w / 4 + k * w / 2 - w / 12;
            EXPECT_GT(InkIn(image, QRect(cx - 10, h / 2 - 10, 20, 20)), 300) << k;
        }
    }
}

// Where a pie starts below the names: one name height and one "Hello"
// height for a named single pie, two "Hello" heights over two pies, nothing
// over two pies without names.
TEST(PieGraph, PiesStartBelowTheirNames) {
    struct Case {
        const char* name;
        bool two;
        const char* first;
        int hellos; // "Hello" heights between the frame's top and the pies
    };
    const Case cases[] = {
        {"one named pie", false, "Sales", 2},
        {"one pie without a name", false, "", 0},
        {"two pies, one named", true, "Sales", 2},
        {"two pies without names", true, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PieFixture f;
        f.p().dc[1] = c.two ? 1 : -1;
        f.data->columns[0].name = QString::fromLatin1(c.first);
        FillValues(f.data->columns[0], {1, 2});
        FillValues(f.data->columns[1], {3, 4});
        QvFontSelect font;
        font.SetFont(f.p().LabelFont);
        font.Select(&f.dc);
        const int g = f.dc.GetTextExtent(QStringLiteral("Hello")).cy;
        ASSERT_EQ(f.dc.GetTextExtent(QStringLiteral("Sales")).cy, g);
        font.Restore(&f.dc);
        f.Draw();
        const std::vector<DrawnItem> circles = f.Of(DrawnItem::Ellipse);
        ASSERT_EQ(circles.size(), c.two ? 2u : 1u);
        // Each circle is centred in what is left of its half or frame.
        const double top = f.Frame().top + c.hellos * g;
        for (const DrawnItem& circle : circles)
            EXPECT_NEAR(circle.rect.center().y(), (top + f.Frame().bottom) / 2, 2);
    }
}
