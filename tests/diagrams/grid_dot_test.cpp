// Graph paper and dot paper: what each kind draws, where it snaps, its
// record, its properties, and spacings that are not positive numbers.
#include "common/recording_device.h"
#include "common/test_support.h"
#include "diagrams/fig_grid_dot.h"
#include "document/lumbrel2_doc.h"
#include "figures/figure_test_support.h"
#include "figures/shape_record.h"
#include "figures/snap_point.h"
#include "platform/command_ids.h"
#include "platform/qt_convert.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <limits>
#include <optional>
#include <set>

namespace {

constexpr COLORREF kXMajor = RGB(255, 0, 0);
constexpr COLORREF kXMinor = RGB(0, 160, 0);
constexpr COLORREF kYMajor = RGB(0, 0, 255);
constexpr COLORREF kYMinor = RGB(255, 0, 255);
constexpr double kLeft = 1000, kBottom = 1000;

class GridDotTest : public FigureTest {
protected:
    // Paper of w x h mm with its bottom-left corner at (kLeft, kBottom),
    // dragged from the top-left corner down to the bottom-right one, and
    // its four line classes in colours of their own.
    std::unique_ptr<QvFigGridDot> Paper(double w, double h) {
        auto f = Make<QvFigGridDot>(QvFigGridDot::ToolId);
        Click(*f, QvPoint(kLeft, kBottom + h * 100));
        EXPECT_TRUE(Click(*f, QvPoint(kLeft + w * 100, kBottom)));
        QvEditDataGridDot& d = *f->GridData();
        d.xGridMajorColor = kXMajor;
        d.xGridMinorColor = kXMinor;
        d.yGridMajorColor = kYMajor;
        d.yGridMinorColor = kYMinor;
        return f;
    }

    // What the paper draws, in device pixels at 96 dpi.
    static std::vector<DrawnItem> Record(QvFigure& f, int mapMode = MM_HIMETRIC) {
        RecordingDevice device;
        {
            CDC dc(&device);
            Prepare(dc, mapMode);
            DrawNormal(f, dc);
        }
        return device.Items();
    }

    // The lines drawn (in a colour); a dotted line drawn in pieces, one
    // per cell, counts as the one line it makes.
    static std::vector<QLineF> Lines(const std::vector<DrawnItem>& items,
                                     std::optional<COLORREF> colour = std::nullopt) {
        std::vector<QLineF> lines;
        for (const DrawnItem& item : items) {
            if (item.kind != DrawnItem::Line || (colour && item.pen.color() != ToQColor(*colour)))
                continue;
            const QLineF& l = item.line;
            if (!lines.empty() && lines.back().p2() == l.p1() &&
                ((l.dx() == 0 && lines.back().dx() == 0) ||
                 (l.dy() == 0 && lines.back().dy() == 0)))
                lines.back().setP2(l.p2());
            else
                lines.push_back(l);
        }
        return lines;
    }
    static int Count(const std::vector<DrawnItem>& items, DrawnItem::Kind kind) {
        return int(std::count_if(items.begin(), items.end(),
                                 [&](const DrawnItem& item) { return item.kind == kind; }));
    }

    // The lattice point offered for the pointer at p, or the far point.
    static QvPoint Snap(QvFigure& f, QvPoint p) {
        QvSnapPointList list;
        f.AddPointOnFigure(p, list, 2);
        if (list.GetCount() != 1)
            return QvPoint::Far();
        EXPECT_EQ(list[0].label, QStringLiteral("Point on graph paper/dot paper"));
        EXPECT_EQ(list[0].figure1, &f);
        return list[0].point;
    }
};

// 96 dpi pixels per 0.01 mm.
constexpr double kPixel = 96.0 / 2540.0;

TEST_F(GridDotTest, DefaultCartesianLinesOn100By60) {
    auto f = Paper(100, 60);
    const auto items = Record(*f);
    const auto xMajor = Lines(items, kXMajor), xMinor = Lines(items, kXMinor);
    const auto yMajor = Lines(items, kYMajor), yMinor = Lines(items, kYMinor);
    EXPECT_EQ(yMinor.size(), 51u);
    EXPECT_EQ(xMinor.size(), 31u);
    EXPECT_EQ(yMajor.size(), 6u);
    EXPECT_EQ(xMajor.size(), 4u);
    // The y lines stand upright across the frame, the x lines lie level.
    for (const auto* lines : {&yMinor, &yMajor})
        for (const QLineF& l : *lines) {
            EXPECT_EQ(l.dx(), 0.0);
            EXPECT_NEAR(std::abs(l.dy()), 6000 * kPixel, 1.0);
        }
    for (const auto* lines : {&xMinor, &xMajor})
        for (const QLineF& l : *lines) {
            EXPECT_EQ(l.dy(), 0.0);
            EXPECT_NEAR(std::abs(l.dx()), 10000 * kPixel, 1.0);
        }
    // Major lines every 20 mm from the left edge, the last on the right one.
    EXPECT_NEAR(yMajor.front().x1(), kLeft * kPixel, 1.0);
    EXPECT_NEAR(yMajor.back().x1(), (kLeft + 10000) * kPixel, 1.0);
    // The minor pen is dotted, the major one solid.
    for (const DrawnItem& item : items) {
        if (item.pen.color() == QColor(255, 0, 255)) {
            EXPECT_NE(item.pen.style(), Qt::SolidLine);
        } else if (item.pen.color() == QColor(0, 0, 255)) {
            EXPECT_EQ(item.pen.style(), Qt::SolidLine);
        }
    }
}

// The dotted minor lines look alike in every cell: their dots start afresh
// at each line they cross, instead of running on out of step with the
// cells.  Cells of 2.54 mm are 30 pixels at 300 dpi, so alike is equal.
TEST_F(GridDotTest, DottedMinorLinesRepeatCellByCell) {
    auto f = Make<QvFigGridDot>(QvFigGridDot::ToolId);
    Click(*f, QvPoint(2540, 2540 + 7620));
    EXPECT_TRUE(Click(*f, QvPoint(2540 + 7620, 2540)));
    QvEditDataGridDot& d = *f->GridData();
    d.MajorSize = 25.4;
    d.MinorSize = 2.54;
    for (DWORD style : {DWORD(ID_LINE_DOT), DWORD(ID_LINE_DASH), DWORD(ID_LINE_DASHDOTDOT)}) {
        SCOPED_TRACE(style);
        d.xGridMinorPen = d.yGridMinorPen = style;
        QImage image = Page(300, 1500, 1500);
        {
            CDC dc(&image);
            Prepare(dc, MM_HIMETRIC);
            dc.SetViewportOrg(0, image.height());
            DrawNormal(*f, dc);
        }
        // Frame from pixel 300 to 1200 both ways; a major line every ten
        // cells.  Each cell with its left and top minor lines.
        const QImage first = image.copy(330, 330, 30, 30);
        int cells = 0, unlike = 0;
        for (int j = 1; j < 30; ++j)
            for (int i = 1; i < 30; ++i) {
                if (i % 10 == 0 || j % 10 == 0 || i % 10 == 9 || j % 10 == 9)
                    continue;
                ++cells;
                unlike += image.copy(300 + 30 * i, 300 + 30 * j, 30, 30) != first;
            }
        EXPECT_GT(cells, 500);
        EXPECT_EQ(unlike, 0);
    }
}

TEST_F(GridDotTest, LogarithmicXAxis) {
    auto f = Paper(50, 60);
    f->GridData()->xLog = 1;
    const auto items = Record(*f);
    std::vector<double> majors, minors;
    for (const QLineF& l : Lines(items, kYMajor))
        majors.push_back(l.x1() / kPixel - kLeft);
    for (const QLineF& l : Lines(items, kYMinor))
        minors.push_back(l.x1() / kPixel - kLeft);
    ASSERT_EQ(majors.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(majors[size_t(i)], 2000.0 * i, 30);
    // Two full decades of eight, then only m = 2 and 3 before 50 mm.
    ASSERT_EQ(minors.size(), 18u);
    EXPECT_NEAR(minors[0], 2000 * std::log10(2.0), 30);
    EXPECT_NEAR(minors[16], 4000 + 2000 * std::log10(2.0), 30);
    EXPECT_NEAR(minors[17], 4000 + 2000 * std::log10(3.0), 30);
    // The y axis stays linear.
    EXPECT_EQ(Lines(items, kXMinor).size(), 31u);
}

TEST_F(GridDotTest, DotsOnEveryLatticePointEdgesIncluded) {
    auto f = Paper(40, 20);
    f->GridData()->Style = QvEditDataGridDot::Dots;
    f->GridData()->PointType = 5; // squares
    const auto items = Record(*f);
    // 3 x 2 marks; no grid pen is used.
    std::set<std::pair<int, int>> centres;
    for (const DrawnItem& item : items)
        centres.insert({int(std::lround(item.rect.center().x() / kPixel / 100)),
                        int(std::lround(-item.rect.center().y() / kPixel / 100))});
    EXPECT_EQ(centres, (std::set<std::pair<int, int>>{
                           {10, 10}, {30, 10}, {50, 10}, {10, 30}, {30, 30}, {50, 30}}));
    EXPECT_TRUE(Lines(items, kYMajor).empty());
}

TEST_F(GridDotTest, PolarDotsSet25PixelsPerRing) {
    auto f = Paper(100, 100);
    QvEditDataGridDot& d = *f->GridData();
    d.Coord = QvEditDataGridDot::Polar;
    d.Style = QvEditDataGridDot::Dots;
    d.m_lineColor = RGB(1, 2, 3);
    const auto items = Record(*f);
    // Pixels are one-pixel fills in the line colour: two rings of 25, the
    // first and the last of each on one spot.
    std::vector<QPointF> pixels;
    for (const DrawnItem& item : items)
        if (item.kind == DrawnItem::Rect && item.rect.width() == 1 && item.rect.height() == 1 &&
            item.brush.color() == QColor(1, 2, 3))
            pixels.push_back(item.rect.topLeft());
    ASSERT_EQ(pixels.size(), 50u);
    EXPECT_EQ(pixels[0], pixels[24]);
    EXPECT_EQ(pixels[25], pixels[49]);
    EXPECT_NE(pixels[0], pixels[1]);
}

TEST_F(GridDotTest, PolarLines) {
    auto f = Paper(100, 100);
    f->GridData()->Coord = QvEditDataGridDot::Polar;
    const auto items = Record(*f);
    const double r = 5000 * kPixel;
    std::vector<double> minorRings, majorRings;
    for (const DrawnItem& item : items) {
        if (item.kind != DrawnItem::Ellipse)
            continue;
        // Circles are drawn without a fill.
        EXPECT_EQ(item.brush.style(), Qt::NoBrush);
        (item.pen.color() == QColor(0, 160, 0) ? minorRings : majorRings)
            .push_back(item.rect.width() / 2);
    }
    // Minor rings from the first major ring (20 mm) out to the radius.
    ASSERT_EQ(minorRings.size(), 16u);
    EXPECT_NEAR(minorRings.front(), 2000 * kPixel, 1.0);
    EXPECT_NEAR(minorRings.back(), r, 1.0);
    ASSERT_EQ(majorRings.size(), 2u);
    // Minor radial lines run from 20 mm to the radius; 360 / 15 + 1 and
    // 360 / 45 + 1 of them.
    const auto minorSpokes = Lines(items, kYMinor), majorSpokes = Lines(items, kYMajor);
    ASSERT_EQ(minorSpokes.size(), 25u);
    ASSERT_EQ(majorSpokes.size(), 9u);
    for (const QLineF& l : minorSpokes)
        EXPECT_NEAR(l.length(), r - 2000 * kPixel, 1.5);
    for (const QLineF& l : majorSpokes)
        EXPECT_NEAR(l.length(), r, 1.5);
}

TEST_F(GridDotTest, IsometricAndHexagonal) {
    auto iso = Paper(40, 30);
    iso->GridData()->Coord = QvEditDataGridDot::Isometric;
    const auto mesh = Record(*iso);
    // Every side of the mesh is 20 mm long.
    ASSERT_FALSE(mesh.empty());
    for (const DrawnItem& item : mesh) {
        ASSERT_EQ(item.kind, DrawnItem::Line);
        EXPECT_NEAR(item.line.length(), 2000 * kPixel, 1.5);
    }

    // The honeycomb is the same for dots and lines, its sides 20 mm too.
    auto hex = Paper(100, 80);
    hex->GridData()->Coord = QvEditDataGridDot::Hexagonal;
    const auto lines = Record(*hex);
    hex->GridData()->Style = QvEditDataGridDot::Dots;
    const auto dots = Record(*hex);
    ASSERT_EQ(lines.size(), dots.size());
    ASSERT_GT(lines.size(), 10u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].line, dots[i].line);
        EXPECT_NEAR(lines[i].line.length(), 2000 * kPixel, 1.5);
    }
}

TEST_F(GridDotTest, PixelContextsTakeAMillimetrePerUnit) {
    // 100 x 60 units in MM_TEXT: the default paper as if they were mm,
    // and one-pixel grid pens.
    auto f = Make<QvFigGridDot>(QvFigGridDot::ToolId);
    Click(*f, QvPoint(10, 10));
    Click(*f, QvPoint(110, 70));
    const auto items = Record(*f, MM_TEXT);
    const auto lines = Lines(items);
    EXPECT_EQ(lines.size(), 51u + 31u + 6u + 4u);
    for (const DrawnItem& item : items)
        EXPECT_LE(item.pen.widthF(), 1.0);
    // y grows downward here: the first level line is the bottom edge.
    EXPECT_NEAR(lines[51].y1(), 70, 1.0);
}

TEST_F(GridDotTest, EveryKindDrawsInsideItsFrameAt300Dpi) {
    struct Kind {
        const char* name;
        int coord, style, xLog, yLog;
    } kinds[] = {{"Cartesian lines", 0, 1, 0, 0}, {"Cartesian dots", 0, 0, 0, 0},
                 {"log axes", 0, 1, 1, 1},        {"isometric lines", 1, 1, 0, 0},
                 {"isometric dots", 1, 0, 0, 0},  {"polar lines", 2, 1, 0, 0},
                 {"polar dots", 2, 0, 0, 0},      {"hexagonal", 3, 1, 0, 0}};
    // 100 x 80 mm from (5 mm, 5 mm): 1181 x 945 pixels from (59, 59) up.
    const QRect frame(QPoint(59, 1050 - 59 - 945), QPoint(59 + 1181, 1050 - 59));
    for (const Kind& k : kinds) {
        auto f = Make<QvFigGridDot>(QvFigGridDot::ToolId);
        Click(*f, QvPoint(500, 8500));
        Click(*f, QvPoint(10500, 500));
        QvEditDataGridDot& d = *f->GridData();
        d.Coord = k.coord;
        d.Style = k.style;
        d.xLog = BYTE(k.xLog);
        d.yLog = BYTE(k.yLog);
        QImage page = Page(300, 1300, 1050);
        {
            CDC dc(&page);
            Prepare(dc, MM_HIMETRIC);
            dc.SetViewportOrg(0, page.height());
            DrawNormal(*f, dc);
        }
        const QRect ink = InkBounds(page);
        EXPECT_FALSE(ink.isEmpty()) << k.name;
        // Marks on the edges stand out by their half-size.
        EXPECT_TRUE(frame.adjusted(-12, -12, 12, 12).contains(ink)) << k.name;
        EXPECT_GT(ink.width(), 800) << k.name;
        EXPECT_GT(ink.height(), 800) << k.name;
    }
}

TEST_F(GridDotTest, SnapsToTheLattice) {
    const double h = 1000, shift = 2000 * 0.866025403;
    struct Case {
        const char* name;
        int coord, style;
        QvPoint pointer, expected;
    } cases[] = {
        {"lines: minor lattice", 0, 1, {1234, 1390}, {1200, 1400}},
        {"dots: major lattice", 0, 0, {2234, 1390}, {3000, 1000}},
        {"outside the frame", 0, 1, {-1234, -590}, {-1200, -600}},
        {"isometric", 1, 1, {1000 + 1800, 1000 + 1100}, {1000 + std::round(shift), 1000 + h}},
        {"hexagonal from the top",
         3,
         1,
         {1000 + 1800, 7000 - 1100},
         {1000 + std::round(shift), 7000 - h}},
        {"polar: 2 mm and 15 degrees",
         2,
         0,
         {6000 + 1010 * 0.857, 4000 + 1010 * 0.515},
         {6000 + 1000 * std::cos(30 / 57.29577951), 4000 + 500}},
        {"polar: the centre", 2, 1, {6040, 3950}, {6000, 4000}},
    };
    for (const Case& c : cases) {
        auto f = Paper(100, 60);
        f->GridData()->Coord = c.coord;
        f->GridData()->Style = c.style;
        QvPoint p = Snap(*f, c.pointer);
        EXPECT_NEAR(p.x, c.expected.x, 1e-6) << c.name;
        EXPECT_NEAR(p.y, c.expected.y, 1e-6) << c.name;
    }
    // On a logarithmic axis, to the nearest whole multiple in the decade.
    auto f = Paper(100, 60);
    f->GridData()->xLog = 1;
    QvPoint p = Snap(*f, QvPoint(kLeft + 2000 * (1 + std::log10(3.0)) + 50, 1390));
    EXPECT_NEAR(p.x, kLeft + 2000 * (1 + std::log10(3.0)), 1e-6);
    EXPECT_NEAR(p.y, 1400, 1e-6);
}

TEST_F(GridDotTest, RecordAndFigureInFiles) {
    auto f = Paper(100, 60);
    QvEditDataGridDot& d = *f->GridData();
    d.Coord = QvEditDataGridDot::Polar;
    d.MajorAngle = 22.5;
    d.yLog = 1;
    // The record: the common part, then the word 1 and 80 bytes.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        CArchive ar(&buffer, CArchive::store);
        d.Serialize(ar);
    }
    ASSERT_EQ(bytes.size(), 16 + 80);
    EXPECT_EQ(bytes.mid(16, 2), Hex("01 00"));
    EXPECT_EQ(bytes.mid(16 + 6, 4), Hex("02 00 00 00"));
    EXPECT_EQ(bytes.mid(16 + 10, 2), Hex("00 01"));
    EXPECT_EQ(bytes.mid(16 + 28, 8), Hex("00 00 00 00 00 80 36 40")); // 22.5
    EXPECT_EQ(bytes.mid(16 + 48, 4), Hex("FF 00 00 00"));             // x-major colour
    EXPECT_EQ(bytes.mid(16 + 64, 4), Hex("26 80 00 00"));             // 32806

    auto back = Load<QvFigGridDot>(Store(f.get()));
    ASSERT_TRUE(back);
    EXPECT_EQ(Store(back.get()), Store(f.get()));

    // A record of version 0 keeps the values a new figure starts with.
    QByteArray old = bytes.left(16) + Hex("00 00");
    QBuffer buffer(&old);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    QvEditDataGridDot fresh;
    fresh.Serialize(ar);
    EXPECT_EQ(fresh.Coord, QvEditDataGridDot::Cartesian);
    EXPECT_EQ(fresh.MajorAngle, 45.0);
}

TEST_F(GridDotTest, CopiesOutlineAndShapes) {
    auto f = Paper(100, 60);
    f->SetLineColour(RGB(9, 8, 7));
    f->SetLineStyle(ID_LINE_SOLID3);
    f->GridData()->Coord = QvEditDataGridDot::Hexagonal;
    QvFigGridDot copy;
    copy.CopyFrom(f.get());
    EXPECT_EQ(Store(&copy), Store(f.get()));
    std::unique_ptr<QvEditData> record(f->NewEditData());
    EXPECT_EQ(dynamic_cast<QvEditDataGridDot*>(record.get())->Coord, QvEditDataGridDot::Hexagonal);

    // One shape without geometry; the paper is never "on" a point.
    QvShapeList shapes;
    f->AddShapes(shapes, -1);
    ASSERT_EQ(shapes.GetCount(), 1);
    EXPECT_EQ(shapes[0].figure, f.get());
    EXPECT_TRUE(shapes[0].shape->IsEmpty());
    EXPECT_FALSE(f->IsOn(QvPoint(kLeft, kBottom)));
    EXPECT_EQ(f->GetDescription(), QStringLiteral("Grid / Dots"));

    // The dragging outline is the frame; highlighting draws nothing.
    RecordingDevice device;
    {
        CDC dc(&device);
        Prepare(dc, MM_HIMETRIC);
        f->DrawMapped(&dc, QvDrawMode::Dotted, QvGRRect(), CRect());
        f->DrawMapped(&dc, QvDrawMode::Highlight, QvGRRect(), CRect());
    }
    EXPECT_EQ(Count(device.Items(), DrawnItem::Line), 4);
    EXPECT_EQ(int(device.Items().size()), 4);
}

TEST_F(GridDotTest, PropertiesGoThroughTheDialogAndBack) {
    auto f = Paper(100, 60);
    f->GridData()->MinorAngle = 7.26;
    QvGridDotDialogValues seen;
    auto previous = QvFigGridDot::PropertiesDialog::Set([&](QvGridDotDialogValues& v) {
        seen = v;
        v.paperType = QvEditDataGridDot::Polar;
        v.style = QvEditDataGridDot::Dots;
        v.majorAngle = QStringLiteral("45/2");
        v.minorAngle = QStringLiteral("5");
        v.yLog = 1;
        v.pens[3] = ID_LINE_SOLID6;
        return true;
    });
    f->EditProperties(CPoint(), CPoint());
    EXPECT_EQ(seen.paperType, 0);
    EXPECT_EQ(seen.style, 1);
    EXPECT_EQ(seen.majorAngle, QStringLiteral("45"));
    EXPECT_EQ(seen.minorAngle, QStringLiteral("7.3")); // one decimal
    EXPECT_EQ(seen.pens[1], 32800u);
    EXPECT_EQ(seen.colours[0], kXMajor);
    const QvEditDataGridDot& d = *f->GridData();
    EXPECT_EQ(d.Coord, QvEditDataGridDot::Polar);
    EXPECT_EQ(d.Style, QvEditDataGridDot::Dots);
    EXPECT_DOUBLE_EQ(d.MajorAngle, 22.5);
    EXPECT_DOUBLE_EQ(d.MinorAngle, 5.0);
    EXPECT_EQ(d.yLog, 1);
    EXPECT_EQ(d.yGridMinorPen, 32811u);

    // Cancel changes nothing.
    const QByteArray before = Store(f.get());
    QvFigGridDot::PropertiesDialog::Set([](QvGridDotDialogValues& v) {
        v.paperType = 3;
        return false;
    });
    f->EditProperties(CPoint(), CPoint());
    EXPECT_EQ(Store(f.get()), before);
    QvFigGridDot::PropertiesDialog::Set(previous);
}

// Runs fn, failing the whole run if it has not finished in time: a hang
// must not stall the suite.
template <class Fn> void WithinSeconds(int seconds, Fn fn) {
    auto done = std::async(std::launch::async, fn);
    if (done.wait_for(std::chrono::seconds(seconds)) != std::future_status::ready) {
        ADD_FAILURE() << "still running after " << seconds << " s";
        std::fflush(stdout);
        std::_Exit(1);
    }
    done.get();
}

TEST_F(GridDotTest, StepsThatAreNotPositiveNumbersNeitherHangNorDivideByZero) {
    // A drawing saved with a major size of 0, opened again.
    TempProfile profile;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zero.kw2"));
    {
        Lumbrel2Doc doc;
        auto f = Paper(100, 60);
        f->GridData()->MajorSize = 0.0;
        doc.AddFigure(f.release());
        ASSERT_TRUE(doc.OnSaveDocument(path));
    }
    Lumbrel2Doc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_EQ(doc.GetFigureCount(), 1);
    auto* opened = dynamic_cast<QvFigGridDot*>(doc.GetFigure(0));
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->GridData()->MajorSize, 0.0);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Bad {
        double major, minor, majorAngle, minorAngle;
    } bads[] = {{0, 2, 45, 15},
                {20, 0, 0, 0},
                {-20, -2, -45, -15},
                {nan, nan, nan, nan},
                {1e-300, 1e-300, 1e-300, 1e-300},
                {20, 2, std::numeric_limits<double>::infinity(), 15}};
    QImage page = Page(96, 500, 300);
    WithinSeconds(20, [&] {
        for (const Bad& bad : bads) {
            for (int coord = 0; coord < 4; ++coord) {
                for (int style = 0; style < 2; ++style) {
                    QvEditDataGridDot& d = *opened->GridData();
                    d.MajorSize = bad.major;
                    d.MinorSize = bad.minor;
                    d.MajorAngle = bad.majorAngle;
                    d.MinorAngle = bad.minorAngle;
                    d.Coord = coord;
                    d.Style = style;
                    CDC dc(&page);
                    Prepare(dc, MM_HIMETRIC);
                    dc.SetViewportOrg(0, page.height());
                    DrawNormal(*opened, dc);
                    // A lattice without a usable step offers no point.
                    QvSnapPointList list;
                    opened->AddPointOnFigure(QvPoint(2000, 2000), list, 2);
                    for (int i = 0; i < list.GetCount(); ++i)
                        EXPECT_TRUE(std::isfinite(list[i].point.x) &&
                                    std::isfinite(list[i].point.y));
                }
            }
        }
    });
}

} // namespace
