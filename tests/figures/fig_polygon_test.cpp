#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_polygon.h"
#include "figures/shape_record.h"
#include "figures/snap_point.h"
#include "platform/command_ids.h"

#include <vector>

namespace {

class PolygonTest : public FigureTest {
protected:
    // Clicked at each point, then ended as the view ends it: the point
    // under the pointer is dropped.
    static std::unique_ptr<QvFigPolygon> Drawn(const std::vector<QvPoint>& vertices,
                                               int toolId = QvFigPolygon::ToolId) {
        auto p = Make<QvFigPolygon>(toolId);
        EXPECT_TRUE(p);
        for (const QvPoint& v : vertices)
            EXPECT_FALSE(Click(*p, v));
        p->SetClickCount(p->GetClickCount() - 1);
        p->SetPointCount(p->GetPointCount() - 1);
        p->MapToFrame(QvGRRect());
        p->BuildFromPoints();
        return p;
    }
    static std::vector<QvPoint> Vertices(const QvFigure& f) {
        std::vector<QvPoint> v;
        for (int i = 0; i < f.GetPointCount(); ++i)
            v.push_back(f.DefiningPoints()[i]);
        return v;
    }
    // Five vertices around a pentagon-like outline.
    const std::vector<QvPoint> five = {QvPoint(1000, 1000), QvPoint(5000, 1000),
                                       QvPoint(6000, 3000), QvPoint(3000, 4500),
                                       QvPoint(500, 3000)};
};

TEST_F(PolygonTest, EachClickFixesAVertexAndStartsTheNext) {
    auto p = Make<QvFigPolygon>(QvFigPolygon::ToolId);
    ASSERT_TRUE(p);
    p->TrackCreatePoint(QvPoint(100, 100), {});
    EXPECT_EQ(p->GetPointCount(), 1);
    EXPECT_FALSE(p->CreateClick());
    EXPECT_EQ(p->GetPointCount(), 2);
    EXPECT_EQ(p->DefiningPoints()[1], QvPoint(100, 100));
    p->TrackCreatePoint(QvPoint(900, 100), {});
    EXPECT_FALSE(p->CreateClick());
    p->TrackCreatePoint(QvPoint(900, 700), {});
    EXPECT_EQ(p->GetClickCount(), 2);
    EXPECT_EQ(p->GetPointCount(), 3);
    EXPECT_EQ(Vertices(*p),
              (std::vector<QvPoint>{QvPoint(100, 100), QvPoint(900, 100), QvPoint(900, 700)}));
    EXPECT_TRUE(p->GetPoint(0).IsFar());
    EXPECT_EQ(p->GetDescription(), QStringLiteral("Polygon"));
}

TEST_F(PolygonTest, DrawsALineAnOpenLineOrTheFilledShape) {
    struct Case {
        std::vector<QvPoint> clicked; // the last is still under the pointer
        bool filled;
        const char* what;
    };
    const Case cases[] = {
        {{QvPoint(1000, 1000), QvPoint(5000, 4000)}, false, "two points: a line"},
        {{QvPoint(1000, 1000), QvPoint(5000, 1000), QvPoint(5000, 1000)},
         false,
         "just after the second click: the first edge only"},
        {{QvPoint(1000, 1000), QvPoint(5000, 1000), QvPoint(3000, 4000)}, true, "a triangle"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto p = Make<QvFigPolygon>(QvFigPolygon::ToolId);
        for (size_t i = 0; i + 1 < c.clicked.size(); ++i)
            Click(*p, c.clicked[i]);
        p->TrackCreatePoint(c.clicked.back(), {});
        p->SetFillStyle(ID_FILL_SOLID);
        p->SetFillColour(RGB(0, 0, 255));
        HimetricPage page;
        page.Draw([&](CDC& dc) { DrawNormal(*p, dc); });
        EXPECT_GT(page.InkIn(Square(page.Pixel(3000, 1000), 1, 1)) +
                      page.InkIn(Square(page.Pixel(3000, 2500), 1, 1)),
                  0);
        const QRgb inside = page.image.pixel(page.Pixel(3000, 2000));
        EXPECT_EQ(inside == 0xFF0000FFu, c.filled);
    }
    // A polygon of two points hits as its edge.
    auto two = Drawn({QvPoint(1000, 1000), QvPoint(5000, 1000)});
    EXPECT_TRUE(two->HitTest(QvPoint(3000, 1050), 60));
    EXPECT_FALSE(two->HitTest(QvPoint(3000, 1100), 60));
}

TEST_F(PolygonTest, EdgesAsShapesUpToNineteenPoints) {
    auto shapes = [](QvFigure& f, int part) {
        QvShapeList list;
        f.AddShapes(list, part);
        return list.GetCount();
    };
    std::vector<QvPoint> many;
    for (int i = 0; i < 20; ++i)
        many.push_back(QvPoint(1000 + 100 * i, i % 2 ? 2000 : 1000));
    auto twenty = Drawn(many);
    EXPECT_EQ(shapes(*twenty, -1), 0);
    many.pop_back();
    auto nineteen = Drawn(many);
    EXPECT_EQ(shapes(*nineteen, -1), 19);

    auto p = Drawn(five);
    QvShapeList one;
    p->AddShapes(one, 3);
    ASSERT_EQ(one.GetCount(), 1);
    EXPECT_EQ(one[0].index1, 3);
    EXPECT_EQ(static_cast<const QvGRLine*>(one[0].shape.get())->p1, five[3]);
    EXPECT_EQ(static_cast<const QvGRLine*>(one[0].shape.get())->p2, five[4]);
    QvShapeList closing;
    p->AddShapes(closing, 4);
    ASSERT_EQ(closing.GetCount(), 1);
    EXPECT_EQ(static_cast<const QvGRLine*>(closing[0].shape.get())->p2, five[0]);
}

TEST_F(PolygonTest, SnapsToVerticesAndMidPointsAndBoundsHoldThem) {
    auto p = Drawn(five);
    QvSnapPointList list;
    p->AddSpecialPoints(list, 2);
    ASSERT_EQ(list.GetCount(), 10);
    EXPECT_EQ(list[0].label, QStringLiteral("Vertex"));
    ExpectPoint(list[9].point, 750, 2000); // the closing edge's middle
    EXPECT_EQ(p->GetBoundRect(), CRect(497, 997, 6004, 4504));
}

TEST_F(PolygonTest, RightClickDeletesOrInsertsVertices) {
    struct Case {
        QvPoint click;
        std::vector<QvPoint> after;
        const char* what;
    };
    const Case cases[] = {
        {QvPoint(6100, 3150),
         {five[0], five[1], five[3], five[4]},
         "within 200 of vertex 2: deleted, the others in order"},
        {QvPoint(3000, 1050),
         {five[0], QvPoint(3000, 1000), five[1], five[2], five[3], five[4]},
         "near edge 0: a vertex on it after vertex 0"},
        {QvPoint(710, 1990),
         {five[0], five[1], five[2], five[3], five[4], QvPoint(750, 2000)},
         "near the closing edge: after the last vertex"},
        {QvPoint(3000, 2500),
         {five[0], five[1], five[2], five[3], five[4]},
         "far from every edge: nothing, never the far point"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto p = Drawn(five);
        p->EditProperties(CPoint(int(c.click.x), int(c.click.y)), CPoint());
        EXPECT_EQ(Vertices(*p), c.after);
        EXPECT_EQ(p->GetClickCount(), p->GetPointCount() - 1);
        EXPECT_EQ(p->Primitive().GetVertexCount(), p->GetPointCount());
    }
    // Three vertices stay: a click on one of them inserts instead.
    auto triangle = Drawn({five[0], five[1], five[2]});
    triangle->EditProperties(CPoint(1050, 1000), CPoint());
    EXPECT_EQ(triangle->GetPointCount(), 4);
}

TEST_F(PolygonTest, AReadPolygonCanLoseVertices) {
    auto p = Drawn(five);
    auto loaded = Load<QvFigPolygon>(Store(p.get()));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Vertices(*loaded), five);
    EXPECT_EQ(loaded->GetClickCount(), 4);
    loaded->EditProperties(CPoint(5000, 1000), CPoint());
    EXPECT_EQ(Vertices(*loaded), (std::vector<QvPoint>{five[0], five[2], five[3], five[4]}));
}

TEST_F(PolygonTest, TheCountStopsAt255WithNothingLost) {
    MessageRecorder recorder;
    auto p = Make<QvFigPolygon>(QvFigPolygon::ToolId);
    auto at = [](int i) { return QvPoint(1000 * (i % 25), 1000 * (i / 25)); };
    for (int i = 0; i < 254; ++i)
        Click(*p, at(i));
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(p->GetPointCount(), 255);
    // The click that needs a 256th point is refused and said so.
    p->TrackCreatePoint(at(254), {});
    EXPECT_FALSE(p->CreateClick());
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, QString::fromLatin1(QvFigPolygon::FullMessage));
    EXPECT_EQ(p->GetPointCount(), 255);
    EXPECT_EQ(p->GetClickCount(), 254);
    for (int i = 0; i < 254; ++i)
        ASSERT_EQ(p->DefiningPoints()[i], at(i)) << i;
    // All 255 go to a file and come back.
    auto loaded = Load<QvFigPolygon>(Store(p.get()));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Vertices(*loaded), Vertices(*p));
    // A full polygon takes no vertex by right-click either.
    loaded->EditProperties(CPoint(500, 30), CPoint());
    EXPECT_EQ(loaded->GetPointCount(), 255);
    EXPECT_EQ(recorder.messages.size(), 2u);
}

TEST_F(PolygonTest, RegionFillsButIsNoTarget) {
    auto r = Drawn(five, QvFigRegion::ToolId);
    ASSERT_TRUE(dynamic_cast<QvFigRegion*>(r.get()));
    EXPECT_EQ(r->GetToolId(), QvFigRegion::ToolId);
    EXPECT_EQ(r->GetDescription(), QStringLiteral("Polygon"));
    EXPECT_FALSE(r->HitTest(QvPoint(3000, 1000), 200));
    QvSnapPointList points;
    r->AddSpecialPoints(points, 2);
    r->AddPointOnFigure(QvPoint(3000, 1000), points, 2);
    EXPECT_EQ(points.GetCount(), 0);
    QvShapeList shapes;
    r->AddShapes(shapes, 2);
    ASSERT_EQ(shapes.GetCount(), 1);
    EXPECT_EQ(shapes[0].shape->GetType(), 0);
    r->EditProperties(CPoint(6000, 3000), CPoint());
    EXPECT_EQ(Vertices(*r), five);
    r->SetFillStyle(ID_FILL_SOLID);
    r->SetFillColour(RGB(0, 0, 255));
    HimetricPage page;
    page.Draw([&](CDC& dc) { DrawNormal(*r, dc); });
    EXPECT_EQ(page.image.pixel(page.Pixel(3000, 2500)), 0xFF0000FFu);
    // It stores and opens back as a region.
    auto loaded = Load<QvFigure>(Store(r.get()));
    EXPECT_TRUE(dynamic_cast<QvFigRegion*>(loaded.get()));
}

} // namespace
