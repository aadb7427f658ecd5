// The Venn diagrams: region outlines, which members each text and shading
// shows, the members' styles, the records, and saving, opening and copying
// over and over.
#include "common/recording_device.h"
#include "common/test_support.h"
#include "diagrams/fig_venn.h"
#include "figures/fig_text.h"
#include "figures/figure_test_support.h"
#include "platform/command_ids.h"
#include "shell/lumbrel2_app.h"

#include <QBuffer>

#include <algorithm>
#include <set>

namespace {

constexpr LONG kNoFill = ID_FILL_NONE;
constexpr LONG kSolid = ID_FILL_SOLID;
constexpr LONG kNoLine = ID_LINE_NONE;

TEST(VennOutlines, ArcHeights) {
    struct Case {
        int x, cx, cy, r;
        bool positive;
        int y;
    } cases[] = {
        {100, 350, 500, 250, true, 500},  {100, 350, 500, 250, false, 500},
        {500, 350, 500, 250, true, 700},  {500, 350, 500, 250, false, 300},
        {106, 350, 370, 250, false, 316}, {260, 350, 370, 250, false, 137},
        {740, 650, 370, 250, false, 137}, {894, 650, 370, 250, false, 316},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VennArcY(c.x, c.cx, c.cy, c.r, c.positive), c.y) << c.x << " " << c.positive;
}

TEST(VennOutlines, CountsAndEnds) {
    struct Case {
        const char* what;
        int sets, region, count;
        CPoint first, last;
    } cases[] = {
        {"A only", 2, 0, 204, {100, 500}, {100, 500}},
        {"B only", 2, 1, 204, {500, 700}, {500, 700}},
        {"A and B", 2, 2, 84, {500, 700}, {500, 700}},
        {"outside, smaller y", 2, 3, 167, {100, 500}, {100, 500}},
        {"outside, larger y", 2, 4, 167, {100, 500}, {100, 500}},
        {"A only", 3, 0, 165, {100, 370}, {102, 402}},
        {"B only", 3, 1, 165, {900, 370}, {898, 402}},
        {"C only", 3, 2, 203, {500, 570}, {497, 572}},
        {"A and B only", 3, 3, 83, {500, 170}, {497, 172}},
        {"B and C only", 3, 4, 101, {598, 400}, {595, 420}},
        {"A and C only", 3, 5, 101, {252, 598}, {255, 601}},
        {"all three", 3, 6, 80, {402, 400}, {405, 420}},
        {"outside, smaller y", 3, 7, 167, {100, 370}, {100, 370}},
        {"outside, larger y", 3, 8, 171, {100, 370}, {100, 370}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.sets << " sets: " << c.what);
        CPoint points[1000];
        const int n = c.sets == 2 ? Venn2RegionOutline(c.region, points)
                                  : Venn3RegionOutline(c.region, points);
        ASSERT_EQ(n, c.count);
        EXPECT_LE(n, MaxVennOutline);
        EXPECT_EQ(points[0], c.first);
        EXPECT_EQ(points[n - 1], c.last);
        // Every point inside the frame.
        for (int i = 0; i < n; ++i) {
            EXPECT_TRUE(points[i].x >= 0 && points[i].x <= 1000) << i;
            EXPECT_TRUE(points[i].y >= 0 && points[i].y <= 1000) << i;
        }
    }
    CPoint points[1000];
    // The one-point run of C only at x = 748 lies on C's smaller-y half.
    const int c = Venn3RegionOutline(2, points);
    EXPECT_EQ(std::count(points, points + c, CPoint(748, 598)), 1);
    // The larger-y outside part closes at B's end, leaving no sliver
    // between B and the universe's side.
    const int out = Venn3RegionOutline(8, points);
    const CPoint* end = std::find(points, points + out, CPoint(900, 370));
    ASSERT_NE(end, points + out);
    EXPECT_EQ(end[-1], CPoint(898, 402));
    EXPECT_EQ(end[1], CPoint(1000, 370));
}

class VennTest : public FigureTest {
protected:
    // A diagram on the frame from (1000, 11000) to (11000, 1000): frame
    // point (x, y) lies at (1000 + 10 x, 11000 - 10 y).
    template <class V> static std::unique_ptr<V> Diagram() {
        auto f = Make<V>(V::ToolId);
        Click(*f, QvPoint(1000, 11000));
        EXPECT_TRUE(Click(*f, QvPoint(11000, 1000)));
        return f;
    }
    static std::vector<DrawnItem> Record(QvFigure& f, int mode = QvDrawMode::Normal) {
        RecordingDevice device(20000, 20000);
        {
            CDC dc(&device);
            dc.SetMapMode(MM_ANISOTROPIC);
            dc.SetWindowExt(CSize(1000, 1000));
            dc.SetViewportExt(CSize(1000, 1000));
            f.DrawMapped(&dc, mode, QvGRRect(), CRect());
        }
        return device.Items();
    }
    static std::vector<QRectF> Fills(const std::vector<DrawnItem>& items) {
        std::vector<QRectF> fills;
        for (const DrawnItem& item : items)
            if (item.kind == DrawnItem::Polygon && item.brush.style() != Qt::NoBrush)
                fills.push_back(item.rect);
        return fills;
    }
    static std::set<int> Shown(const QvFigVenn& f) {
        std::set<int> shown;
        for (int i = 0; i < f.LayoutSize(); ++i)
            if (f.IsMemberShown(i))
                shown.insert(i);
        return shown;
    }

    TempProfile profile;
    Lumbrel2App app;
};

TEST_F(VennTest, NewDiagramsShowTheCirclesAndTheUniverseOnly) {
    auto two = Diagram<QvFigVenn2>();
    auto three = Diagram<QvFigVenn3>();
    EXPECT_EQ(two->Members().size(), 18u);
    EXPECT_EQ(three->Members().size(), 35u);
    EXPECT_EQ(Shown(*two), (std::set<int>{5, 6, 7}));
    EXPECT_EQ(Shown(*three), (std::set<int>{9, 10, 11, 12}));
    for (QvFigure* f : {static_cast<QvFigure*>(two.get()), static_cast<QvFigure*>(three.get())}) {
        const auto items = Record(*f);
        EXPECT_TRUE(Fills(items).empty());
        EXPECT_FALSE(items.empty());
        // Modes 2 and 4 draw nothing of a diagram.
        EXPECT_TRUE(Record(*f, QvDrawMode::Highlight).empty());
        EXPECT_TRUE(Record(*f, QvDrawMode::White2).empty());
    }
    EXPECT_EQ(two->GetDescription(), QStringLiteral("Two Circle Venn Diagram"));
    EXPECT_EQ(three->GetDescription(), QStringLiteral("Three Circle Venn Diagram"));
}

TEST_F(VennTest, TextsShowTheirArcsBoxesAndLabels) {
    struct Case {
        const char* what;
        int sets, text;
        std::set<int> added;
        int label;
    } cases[] = {
        {"name of A", 2, 5, {8, 11}, 11},
        {"name of B", 2, 6, {9, 12}, 12},
        {"universe", 2, 4, {10, 17}, 17},
        {"A and B", 2, 0, {15}, 15},
        {"tip lune of A and B", 3, 3, {16, 26}, 26},
        {"main text of A and B", 3, 0, {29}, 29},
        {"name of C", 3, 14, {15, 22}, 22},
        {"universe", 3, 11, {19, 34}, 34},
        {"all three", 3, 10, {32}, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.sets << " sets: " << c.what);
        std::unique_ptr<QvFigVenn> f;
        if (c.sets == 2) {
            auto v = Diagram<QvFigVenn2>();
            v->VennData()->m_text[c.text] = QStringLiteral("T");
            f = std::move(v);
        } else {
            auto v = Diagram<QvFigVenn3>();
            v->VennData()->m_text[c.text] = QStringLiteral("T");
            f = std::move(v);
        }
        std::set<int> expected =
            c.sets == 2 ? std::set<int>{5, 6, 7} : std::set<int>{9, 10, 11, 12};
        expected.insert(c.added.begin(), c.added.end());
        EXPECT_EQ(Shown(*f), expected);
        EXPECT_EQ(f->MemberText(c.label), QStringLiteral("T"));
    }
}

TEST_F(VennTest, ShadedRegionsFill) {
    // Frame y 150..500 is page y 9500..6000; 500..850 is 6000..2500.
    auto two = Diagram<QvFigVenn2>();
    two->VennData()->m_shade[3] = 1;
    auto fills = Fills(Record(*two));
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_NEAR(fills[0].top(), 2500, 1);
    EXPECT_NEAR(fills[0].bottom(), 6000, 1);
    EXPECT_NEAR(fills[1].top(), 6000, 1);
    EXPECT_NEAR(fills[1].bottom(), 9500, 1);

    // A only and B only leave the lens between them unfilled.
    two->VennData()->m_shade[3] = 0;
    two->VennData()->m_shade[0] = 1;
    two->VennData()->m_shade[1] = 1;
    int filled = 0;
    for (const DrawnItem& item : Record(*two))
        if (item.kind == DrawnItem::Polygon && item.brush.style() != Qt::NoBrush) {
            ++filled;
            // The lens's middle, frame (550, 500), lies in neither.
            EXPECT_FALSE(item.polygon.containsPoint(QPointF(6500, 6000), Qt::OddEvenFill));
        }
    EXPECT_EQ(filled, 2);

    auto three = Diagram<QvFigVenn3>();
    three->VennData()->m_shade[7] = 1;
    EXPECT_EQ(Fills(Record(*three)).size(), 2u);
    three->VennData()->m_shade[7] = 0;
    three->VennData()->m_shade[6] = 1;
    fills = Fills(Record(*three));
    ASSERT_EQ(fills.size(), 1u);
    // All three: frame x 402..598, page 5020..6980.
    EXPECT_NEAR(fills[0].left(), 5020, 1);
    EXPECT_NEAR(fills[0].right(), 6980, 1);
    // Shade 4 (A and C only) is member 5, shade 5 (B and C) member 4.
    three->VennData()->m_shade[6] = 0;
    three->VennData()->m_shade[4] = 1;
    EXPECT_EQ(Shown(*three), (std::set<int>{5, 9, 10, 11, 12}));
}

TEST_F(VennTest, MemberStylesAreTheDrawingsNotTheMembers) {
    TheSettings().m_CurFillColor.SetValue(RGB(0, 0, 0));
    auto f = Diagram<QvFigVenn2>();
    // Black would hide the texts: regions are light grey.
    for (int i = 0; i < 5; ++i) {
        const QvEditData* d = f->Members()[size_t(i)]->GetEditData();
        EXPECT_EQ(d->m_fillColor, RGB(192, 192, 192)) << i;
        EXPECT_EQ(d->m_fillStyle, kSolid) << i;
        EXPECT_EQ(d->m_lineStyle, kNoLine) << i;
        EXPECT_EQ(f->Members()[size_t(i)]->GetGroupNesting(), 1);
    }
    for (int i = 5; i < 18; ++i)
        EXPECT_EQ(f->Members()[size_t(i)]->GetEditData()->m_fillStyle, kNoFill) << i;

    // The Format commands reach every member: regions given no fill and a
    // line still draw solid and without an outline; a hatch stays a hatch.
    f->SetFillStyle(kNoFill);
    f->SetLineStyle(ID_LINE_SOLID1);
    f->Members()[2]->SetFillStyle(ID_FILL_DIAGONAL);
    for (int i = 0; i < 4; ++i)
        f->VennData()->m_shade[i] = 1;
    for (int i = 0; i < 7; ++i)
        f->VennData()->m_text[i] = QStringLiteral("text %1").arg(i);
    const QByteArray before = Store(f.get());
    const auto items = Record(*f);
    int solid = 0;
    for (const DrawnItem& item : items)
        if (item.kind == DrawnItem::Polygon) {
            EXPECT_EQ(item.pen.style(), Qt::NoPen);
            solid += item.brush.style() == Qt::SolidPattern;
        }
    EXPECT_EQ(solid, 4);
    // Drawing changed nothing: no style, text or font went into a member.
    EXPECT_EQ(Store(f.get()), before);
    auto* label = dynamic_cast<QvFigText*>(f->Members()[11]);
    ASSERT_TRUE(label);
    EXPECT_TRUE(label->TextData()->m_strText.isEmpty());
}

TEST_F(VennTest, RecordsRoundTripAndCopy) {
    QvEditDataVenn3 r;
    r.m_lineColor = RGB(1, 2, 3);
    for (int i = 0; i < QvEditDataVenn3::ShadeCount; ++i)
        r.m_shade[i] = BYTE(i % 2);
    for (int i = 0; i < QvEditDataVenn3::TextCount; ++i)
        r.m_text[i] = QStringLiteral("text %1").arg(i);
    r.m_font.SetFaceName(QStringLiteral("Courier New"));
    r.m_font.m_color = RGB(200, 0, 0);
    const QByteArray bytes = Store(&r);
    auto back = Load<QvEditDataVenn3>(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->m_version, 1);
    EXPECT_EQ(Store(back.get()), bytes);
    EXPECT_EQ(back->m_font, r.m_font);

    QvEditDataVenn3 copy;
    copy.CopyFrom(r);
    EXPECT_EQ(Store(&copy), bytes);

    // Below version 1 nothing more is read: a new record's values stay.
    QvEditDataVenn2 two;
    two.m_shade[1] = 1;
    two.m_text[3] = QStringLiteral("x");
    QByteArray old = Store(&two);
    const int version = old.indexOf(QByteArray::fromHex("0100"
                                                        "00010000"));
    ASSERT_GT(version, 0);
    old[version] = 0;
    auto kept = Load<QvEditDataVenn2>(old);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->m_shade[1], 0);
    EXPECT_TRUE(kept->m_text[3].isEmpty());
}

// Opening and copying replace the built members with the stored ones: the
// member count and the file size stay the same however often.
TEST_F(VennTest, SaveOpenAndCopyCyclesKeepTheMembers) {
    auto two = Diagram<QvFigVenn2>();
    auto three = Diagram<QvFigVenn3>();
    two->Members()[0]->GetEditData()->m_fillColor = RGB(1, 2, 3);
    three->VennData()->m_text[12] = QStringLiteral("A");
    const QByteArray first2 = Store(two.get()), first3 = Store(three.get());
    std::unique_ptr<QvFigVenn2> a = std::move(two);
    std::unique_ptr<QvFigVenn3> b = std::move(three);
    for (int cycle = 0; cycle < 5; ++cycle) {
        SCOPED_TRACE(cycle);
        a = Load<QvFigVenn2>(Store(a.get()));
        b = Load<QvFigVenn3>(Store(b.get()));
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->Members().size(), 18u);
        EXPECT_EQ(b->Members().size(), 35u);
        EXPECT_EQ(Store(a.get()), first2);
        EXPECT_EQ(Store(b.get()), first3);

        auto c = Make<QvFigVenn2>(QvFigVenn2::ToolId);
        ASSERT_EQ(c->CopyFrom(a.get()), c.get());
        auto d = Make<QvFigVenn3>(QvFigVenn3::ToolId);
        ASSERT_EQ(d->CopyFrom(b.get()), d.get());
        EXPECT_EQ(c->Members().size(), 18u);
        EXPECT_EQ(d->Members().size(), 35u);
        a = std::move(c);
        b = std::move(d);
    }
    // The stored members are the ones kept.
    EXPECT_EQ(a->Members()[0]->GetEditData()->m_fillColor, RGB(1, 2, 3));
    EXPECT_EQ(b->MemberText(20), QStringLiteral("A"));
}

// A file written with members appended after the layout (as an older
// writer appended them on every load): all are read, the archive stays in
// step, and only the layout's members are kept.
TEST_F(VennTest, ExtraStoredMembersAreReadAndDropped) {
    auto f = Diagram<QvFigVenn2>();
    f->Members()[3]->GetEditData()->m_fillColor = RGB(4, 5, 6);
    for (int i = 0; i < 18; ++i) {
        std::unique_ptr<QvFigure> extra =
            QvFigure::CreateForTool(f->Members()[size_t(i)]->GetToolId());
        extra->CopyFrom(f->Members()[size_t(i)]);
        f->MemberList().Add(std::move(extra));
    }
    QvEditDataVenn2 after;
    after.m_text[0] = QStringLiteral("next object");
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        CArchive ar(&buffer, CArchive::store);
        ar.WriteObject(f.get());
        ar.WriteObject(&after);
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    std::unique_ptr<CObject> loaded(ar.ReadObject(RUNTIME_CLASS(QvFigVenn2)));
    std::unique_ptr<CObject> next(ar.ReadObject(RUNTIME_CLASS(QvEditDataVenn2)));
    auto* venn = dynamic_cast<QvFigVenn2*>(loaded.get());
    ASSERT_TRUE(venn);
    EXPECT_EQ(venn->Members().size(), 18u);
    EXPECT_EQ(venn->Members()[3]->GetEditData()->m_fillColor, RGB(4, 5, 6));
    auto* record = dynamic_cast<QvEditDataVenn2*>(next.get());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->m_text[0], QStringLiteral("next object"));
}

} // namespace
