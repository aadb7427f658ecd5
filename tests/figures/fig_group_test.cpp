#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_arc.h"
#include "figures/fig_circle.h"
#include "figures/fig_ellipse.h"
#include "figures/fig_group.h"
#include "figures/fig_line.h"
#include "figures/fig_rectangle.h"
#include "figures/shape_record.h"
#include "figures/snap_point.h"
#include "geometry/gr_bezier.h"
#include "geometry/snap_kind.h"

#include <cmath>
#include <vector>

namespace {

int g_level = 2;

class GroupTest : public FigureTest {
protected:
    void SetUp() override {
        FigureTest::SetUp();
        g_level = 2;
        m_previousReader = QvSetMADLevelReader([] { return g_level; });
    }
    void TearDown() override { QvSetMADLevelReader(m_previousReader); }

    static QvFigure* Clicked(int toolId, std::initializer_list<QvPoint> clicks) {
        std::unique_ptr<QvFigure> f = QvFigure::CreateForTool(toolId);
        bool done = false;
        for (const QvPoint& p : clicks)
            done = Click(*f, p);
        EXPECT_TRUE(done) << toolId;
        return f.release();
    }
    static QvFigure* Line(QvPoint a, QvPoint b) { return Clicked(QvFigLine::ToolId, {a, b}); }
    static QvFigure* Rect(QvPoint a, QvPoint b) { return Clicked(QvFigRectangle::ToolId, {a, b}); }
    static QvFigure* Circle(QvPoint centre, double r) {
        return Clicked(QvFigCircleCR::ToolId, {centre, centre + QvVector(r, 0)});
    }

    // The members (in page points) put into a group with corners c0 and c2,
    // as the Group command does it.
    static std::unique_ptr<QvFigGroup> Grouped(std::vector<QvFigure*> members, QvPoint c0,
                                               QvPoint c2) {
        auto g = Make<QvFigGroup>(QvFigGroup::ToolId);
        QvPointArray& p = g->DefiningPoints();
        p[0] = c0;
        p[1] = QvPoint(c2.x, c0.y);
        p[2] = c2;
        p[3] = QvPoint(c0.x, c2.y);
        const QvGRRect frame(p[0], p[1], p[2], p[3]);
        for (QvFigure* m : members) {
            QvPointArray& q = m->DefiningPoints();
            for (int i = 0; i < q.GetSize(); ++i)
                q[i] = frame.DocumentToFrame(q[i]);
            m->SetGroupNesting(m->GetGroupNesting() + 1);
            g->MemberList().Add(std::unique_ptr<QvFigure>(m));
        }
        g->MapToFrame(QvGRRect());
        g->BuildFromPoints();
        return g;
    }

    QvMADLevelReader m_previousReader = nullptr;
};

void ExpectSameFrame(const QvGRRect& a, const QvGRRect& b) {
    for (int i = 0; i < 4; ++i)
        ExpectPoint(a.corner[i], b.corner[i].x, b.corner[i].y);
}

// Records refer to the frame the group keeps.
void ExpectSameFrame(const QvGRRect* a, const QvGRRect& b) {
    ASSERT_NE(a, nullptr);
    ExpectSameFrame(*a, b);
}

TEST_F(GroupTest, DragOutlineIsTheFrameAboveTwentyMembers) {
    struct Case {
        int members;
        int mode;
        bool frame, inside;
    };
    const Case cases[] = {
        {20, QvDrawMode::Dotted, false, true}, {21, QvDrawMode::Dotted, true, false},
        {21, QvDrawMode::Normal, false, true}, {3, QvDrawMode::Highlight, false, false},
        {3, QvDrawMode::White2, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.members << " members, mode " << c.mode);
        std::vector<QvFigure*> lines;
        for (int i = 0; i < c.members; ++i)
            lines.push_back(Line(QvPoint(2000, 1000 + 150 * i), QvPoint(8000, 1000 + 150 * i)));
        auto g = Grouped(lines, QvPoint(500, 500), QvPoint(9500, 4500));
        HimetricPage page;
        page.Draw([&](CDC& dc) { g->DrawMapped(&dc, c.mode, QvGRRect(), CRect()); });
        // The frame's left side and the first member's middle.
        EXPECT_EQ(page.InkIn(Square(page.Pixel(500, 2500), 3, 3)) > 0, c.frame);
        EXPECT_EQ(page.InkIn(Square(page.Pixel(5000, 1000), 3, 3)) > 0, c.inside);
    }
}

TEST_F(GroupTest, DescriptionCountsParts) {
    auto g = Grouped({Rect(QvPoint(1000, 1000), QvPoint(2000, 2000)),
                      Rect(QvPoint(3000, 1000), QvPoint(4000, 2000)),
                      Line(QvPoint(1000, 3000), QvPoint(4000, 3000))},
                     QvPoint(1000, 1000), QvPoint(4000, 3000));
    EXPECT_EQ(g->GetPartCount(), 9);
    EXPECT_EQ(g->GetDescription(), QStringLiteral("Group - 9 figures"));
    auto empty = Make<QvFigGroup>(QvFigGroup::ToolId);
    EXPECT_EQ(empty->GetDescription(), QStringLiteral("Group - 0 figures"));
}

TEST_F(GroupTest, LargeGroupsSnapOnlyAtTheUnlimitedLevel) {
    struct Case {
        int parts;
        int level;
        bool offers;
    };
    const Case cases[] = {{39, 2, true}, {40, 2, false}, {40, 3, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.parts << " parts at level " << c.level);
        g_level = c.level;
        std::vector<QvFigure*> members;
        const int rects = c.parts / 4;
        for (int i = 0; i < rects; ++i)
            members.push_back(Rect(QvPoint(1000 + 300 * i, 1000), QvPoint(1200 + 300 * i, 1500)));
        for (int i = 0; i < c.parts % 4; ++i)
            members.push_back(Line(QvPoint(1000, 2000 + 100 * i), QvPoint(4000, 2000 + 100 * i)));
        auto g = Grouped(members, QvPoint(1000, 1000), QvPoint(4200, 2500));
        ASSERT_EQ(g->GetPartCount(), c.parts);

        QvSnapPointList points;
        g->AddSpecialPoints(points, 1);
        QvShapeList shapes;
        g->AddShapes(shapes, -1);
        EXPECT_EQ(points.GetCount() > 0, c.offers);
        EXPECT_EQ(shapes.GetCount(), c.offers ? c.parts : 0);
        for (int i = 0; i < shapes.GetCount(); ++i)
            ExpectSameFrame(shapes[i].frame1, g->DisplayFrame());
        // A point on the figure is offered whatever the size.
        QvSnapPointList on;
        g->AddPointOnFigure(QvPoint(2500, 2010), on, 1);
        EXPECT_GT(on.GetCount(), 0);
    }
}

TEST_F(GroupTest, NestedRecordsKeepTheInnerFrameOnlyForTheirOwnPoints) {
    QvFigure* innerLine = Line(QvPoint(1000, 1000), QvPoint(3000, 1000));
    QvFigure* outerLine = Line(QvPoint(1000, 3000), QvPoint(5000, 3000));
    auto innerOwned = Grouped({innerLine}, QvPoint(1000, 900), QvPoint(3000, 1100));
    QvFigGroup* inner = innerOwned.release();
    const QvGRRect innerFrame = inner->DisplayFrame();
    auto outer = Grouped({inner, outerLine}, QvPoint(1000, 900), QvPoint(5000, 3000));
    const QvGRRect innerNow = inner->DisplayFrame();
    ExpectSameFrame(innerNow, innerFrame);

    QvSnapPointList points;
    outer->AddSpecialPoints(points, 1);
    ASSERT_GT(points.GetCount(), 0);
    for (int i = 0; i < points.GetCount(); ++i) {
        SCOPED_TRACE(i);
        ExpectSameFrame(points[i].frame1,
                        points[i].figure1 == innerLine ? innerFrame : outer->DisplayFrame());
    }
    // Guides from a point carry the outermost frame.
    QvShapeList guides;
    outer->AddGuideShapesFrom(QvPoint(2000, 2000), guides, 1);
    ASSERT_GT(guides.GetCount(), 0);
    bool fromInner = false;
    for (int i = 0; i < guides.GetCount(); ++i) {
        fromInner = fromInner || guides[i].figure == innerLine;
        ExpectSameFrame(guides[i].frame1, outer->DisplayFrame());
    }
    EXPECT_TRUE(fromInner);
}

TEST_F(GroupTest, IsOrContainsItselfAndDirectMembers) {
    QvFigure* nested = Line(QvPoint(1000, 1000), QvPoint(2000, 1000));
    QvFigure* direct = Line(QvPoint(1000, 2000), QvPoint(2000, 2000));
    QvFigGroup* inner = Grouped({nested}, QvPoint(1000, 900), QvPoint(2000, 1100)).release();
    auto g = Grouped({inner, direct}, QvPoint(1000, 900), QvPoint(2000, 2000));
    auto empty = Make<QvFigGroup>(QvFigGroup::ToolId);
    auto stranger = std::unique_ptr<QvFigure>(Line(QvPoint(0, 0), QvPoint(1, 1)));
    struct Case {
        const QvFigGroup* group;
        const QvFigure* f;
        bool expected;
    };
    const Case cases[] = {
        {g.get(), g.get(), true},      {g.get(), direct, true},
        {g.get(), inner, true},        {g.get(), nested, false},
        {g.get(), nullptr, false},     {g.get(), stranger.get(), false},
        {empty.get(), nullptr, false}, {empty.get(), empty.get(), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.group->IsOrContains(c.f), c.expected) << &c - cases;
}

TEST_F(GroupTest, FreeStretchTurnsCirclesIntoEllipsesAndShiftKeepsThem) {
    const QvPoint corner2(9000, 5000);
    for (bool shift : {false, true}) {
        SCOPED_TRACE(shift ? "Shift" : "free");
        auto g = Grouped(
            {Circle(QvPoint(2000, 2000), 500), Line(QvPoint(1000, 1000), QvPoint(5000, 3000))},
            QvPoint(1000, 1000), QvPoint(5000, 3000));
        // The corner goes to the snapped point, not the pointer's.
        g->MoveHandle(2, corner2, QvPoint(7777, 7777), QvKeys{.shift = shift});
        g->MapToFrame(QvGRRect());
        g->BuildFromPoints();
        if (shift) {
            // Twice the size both ways: a circle twice as big.
            ExpectPoint(g->DefiningPoints()[2], 9000, 5000);
            auto* circle = dynamic_cast<QvFigCircleCR*>(g->Members()[0]);
            ASSERT_TRUE(circle);
            ExpectPoint(circle->Circle().centre, 3000, 3000);
            EXPECT_NEAR(circle->Circle().radius, 1000, 1e-6);
            continue;
        }
        ExpectPoint(g->DefiningPoints()[2], corner2.x, corner2.y);
        // Twice as wide, twice as high: the bounding square of the circle,
        // first side along the group's, stretched with the group.
        auto* ellipse = dynamic_cast<QvFigEllipse4C*>(g->Members()[0]);
        ASSERT_TRUE(ellipse);
        EXPECT_EQ(ellipse->GetGroupNesting(), 1);
        const QvPointArray& d = ellipse->DisplayPoints();
        ExpectPoint(d[0], 2000, 2000);
        ExpectPoint(d[1], 2000, 4000);
        ExpectPoint(d[2], 4000, 4000);
        ExpectPoint(d[3], 4000, 2000);
        ExpectPoint(ellipse->Ellipse().centre, 3000, 3000);
        EXPECT_NEAR(ellipse->Ellipse().a, 1000, 1e-6);
        EXPECT_NEAR(ellipse->Ellipse().b, 1000, 1e-6);
        // A second, uneven stretch makes it a real ellipse.
        g->MoveHandle(2, QvPoint(9000, 3000), QvPoint(), {});
        g->MapToFrame(QvGRRect());
        g->BuildFromPoints();
        EXPECT_EQ(g->Members()[0], ellipse);
        EXPECT_TRUE(ellipse->HitTest(QvPoint(4000, 2000), 1e-3));
        EXPECT_TRUE(ellipse->HitTest(QvPoint(3000, 2500), 1e-3));
    }
}

TEST_F(GroupTest, StretchedCircularArcsKeepTheirEndsAndSense) {
    struct Case {
        const char* name;
        int tool;
        QvPoint a, b, c;
        // The record says the other way round (a file may): the points decide.
        bool flipMajor = false;
    };
    const Case cases[] = {
        {"three points, minor", QvFigArc3P::ToolId, QvPoint(2000, 2000), QvPoint(4000, 2000),
         QvPoint(3000, 1500)},
        {"three points, major", QvFigArc3P::ToolId, QvPoint(2000, 2000), QvPoint(4000, 2000),
         QvPoint(3000, 4000)},
        {"three points, clockwise", QvFigArc3P::ToolId, QvPoint(4000, 2000), QvPoint(2000, 2000),
         QvPoint(3000, 1500)},
        {"three points, record says major", QvFigArc3P::ToolId, QvPoint(2000, 2000),
         QvPoint(4000, 2000), QvPoint(3000, 1500), true},
        {"centre, counter-clockwise", QvFigArcC2P::ToolId, QvPoint(3000, 2000), QvPoint(4000, 2000),
         QvPoint(3000, 3000)},
        {"centre, clockwise", QvFigArcC2P::ToolId, QvPoint(3000, 2000), QvPoint(4000, 2000),
         QvPoint(3000, 1000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* arc = static_cast<QvFigArcBase*>(Clicked(c.tool, {c.a, c.b, c.c}));
        if (c.flipMajor)
            arc->ArcData()->m_major = !arc->ArcData()->m_major;
        const QvPoint start = arc->Arc().startPoint, end = arc->Arc().endPoint;
        QvGRBezierCurve curve;
        arc->MakeCurve(curve);
        const QvPoint middle = curve.PointAtFraction(0.5);
        const QvPoint opposite = arc->Arc().centre + (arc->Arc().centre - middle);
        auto g = Grouped({arc, Line(QvPoint(1000, 500), QvPoint(5000, 4500))}, QvPoint(1000, 500),
                         QvPoint(5000, 4500));
        const QvGRRect before = g->DisplayFrame();

        g->MoveHandle(2, QvPoint(9000, 4500), QvPoint(), {});
        g->MapToFrame(QvGRRect());
        g->BuildFromPoints();
        const QvGRRect after = g->DisplayFrame();
        auto stretched = [&](QvPoint p) {
            return after.FrameToDocument(before.DocumentToFrame(p));
        };

        auto* box = dynamic_cast<QvFigArc4P*>(g->Members()[0]);
        ASSERT_TRUE(box);
        const QvPoint s = stretched(start), e = stretched(end);
        const QvPoint& bs = box->Arc().startPoint;
        const QvPoint& be = box->Arc().endPoint;
        ExpectPoint(bs, s.x, s.y);
        ExpectPoint(be, e.x, e.y);
        EXPECT_TRUE(box->HitTest(stretched(middle), 3.0));
        EXPECT_FALSE(box->HitTest(stretched(opposite), 3.0));
    }
}

TEST_F(GroupTest, CopiesAreDeepAndWholeOrNothing) {
    auto inner = Grouped({Line(QvPoint(1000, 1000), QvPoint(2000, 1000))}, QvPoint(1000, 900),
                         QvPoint(2000, 1100));
    auto g = Grouped({inner.release(), Circle(QvPoint(3000, 2000), 500)}, QvPoint(1000, 900),
                     QvPoint(3500, 2500));
    const QByteArray before = Store(g.get());
    {
        auto copy = Make<QvFigGroup>(QvFigGroup::ToolId);
        ASSERT_EQ(copy->CopyFrom(g.get()), copy.get());
        ASSERT_EQ(copy->Members().size(), 2u);
        auto* innerCopy = dynamic_cast<QvFigGroup*>(copy->Members()[0]);
        ASSERT_TRUE(innerCopy);
        EXPECT_NE(innerCopy, g->Members()[0]);
        EXPECT_NE(innerCopy->Members()[0], static_cast<QvFigGroup*>(g->Members()[0])->Members()[0]);
        EXPECT_EQ(Store(copy.get()), before);
    }
    // The copy is gone, the source whole.
    EXPECT_EQ(Store(g.get()), before);

    // A member of a kind that cannot be made: no copy at all.
    g->Members()[1]->SetToolId(32788);
    auto failed = Make<QvFigGroup>(QvFigGroup::ToolId);
    EXPECT_EQ(failed->CopyFrom(g.get()), nullptr);
    EXPECT_TRUE(failed->Members().empty());
}

TEST_F(GroupTest, NestedGroupsSaveAndOpenBackEqual) {
    auto inner =
        Grouped({Line(QvPoint(1000, 1000), QvPoint(2000, 1000)), Circle(QvPoint(1500, 1500), 300)},
                QvPoint(1000, 1000), QvPoint(2000, 1800));
    auto g = Grouped({inner.release(), Rect(QvPoint(2500, 2500), QvPoint(4000, 3000))},
                     QvPoint(1000, 1000), QvPoint(4000, 3000));
    const QByteArray bytes = Store(g.get());
    auto back = Load<QvFigGroup>(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(Store(back.get()), bytes);
    ASSERT_EQ(back->Members().size(), 2u);
    auto* innerBack = dynamic_cast<QvFigGroup*>(back->Members()[0]);
    ASSERT_TRUE(innerBack);
    ASSERT_EQ(innerBack->Members().size(), 2u);
    EXPECT_TRUE(dynamic_cast<QvFigCircleCR*>(innerBack->Members()[1]));
    EXPECT_EQ(back->GetBoundRect(), g->GetBoundRect());
    // The members are where they were drawn.
    ExpectPoint(innerBack->Members()[1]->DisplayPoints()[0], 1500, 1500, 1e-6);
}

TEST_F(GroupTest, LineColourGoesToMembersFillColourToBoth) {
    auto g =
        Grouped({Line(QvPoint(1000, 1000), QvPoint(2000, 1000)), Circle(QvPoint(1500, 1500), 300)},
                QvPoint(1000, 1000), QvPoint(2000, 1800));
    const COLORREF own = g->GetEditData()->m_lineColor;
    g->SetLineColour(RGB(1, 2, 3));
    g->SetFillColour(RGB(4, 5, 6));
    EXPECT_EQ(g->GetEditData()->m_lineColor, own);
    EXPECT_EQ(g->GetEditData()->m_fillColor, RGB(4, 5, 6));
    for (const QvFigure* m : g->Members()) {
        EXPECT_EQ(m->GetEditData()->m_lineColor, RGB(1, 2, 3));
        EXPECT_EQ(m->GetEditData()->m_fillColor, RGB(4, 5, 6));
    }
}

} // namespace
