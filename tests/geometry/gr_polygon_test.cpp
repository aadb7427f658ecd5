// The polygon primitive.
#include "geometry/gr_line.h"
#include "geometry/gr_polygon.h"
#include "geometry_test_support.h"

#include <initializer_list>

namespace {
QvGRPolygon Polygon(std::initializer_list<QvPoint> points) {
    QvGRPolygon polygon;
    for (const QvPoint& p : points)
        polygon.AddVertex(p);
    return polygon;
}

const QvGRPolygon kSquare =
    Polygon({QvPoint(0, 0), QvPoint(1000, 0), QvPoint(1000, 1000), QvPoint(0, 1000)});
} // namespace

TEST(QvGRPolygon, VerticesGrowWithoutLimit) {
    QvGRPolygon polygon;
    EXPECT_EQ(polygon.type, 4);
    EXPECT_TRUE(polygon.IsEmpty());
    for (int i = 0; i < 2500; ++i)
        polygon.AddVertex(QvPoint(i, i % 7));
    EXPECT_EQ(polygon.GetVertexCount(), 2500);
    EXPECT_TRUE(PointNear(polygon.vertices[2499], QvPoint(2499, 2499 % 7), 0));

    polygon.RemoveAllVertices();
    EXPECT_TRUE(polygon.IsEmpty());
    polygon.AddVertex(QvPoint(1, 1));
    polygon.AddVertex(QvPoint(2, 1));
    polygon.AddVertex(QvPoint(2, 2));
    EXPECT_EQ(polygon.GetVertexCount(), 3);

    QvGRPolygon copy;
    copy = kSquare;
    EXPECT_EQ(copy.GetVertexCount(), 4);
    std::unique_ptr<QvGRBase> clone = polygon.Clone();
    auto* cloned = dynamic_cast<QvGRPolygon*>(clone.get());
    ASSERT_NE(cloned, nullptr);
    EXPECT_EQ(cloned->GetVertexCount(), 3);
    EXPECT_FALSE(cloned->IsSame(polygon));
}

TEST(QvGRPolygon, DistanceAndNearestPointThroughTheNearestSegment) {
    struct Row {
        double x, y;
        double distance;
        int segment;
        double nx, ny;
    } rows[] = {
        {500, -100, 100, 0, 500, 0},       {-100, 500, 100, 3, 0, 500},
        {1150, 400, 150, 1, 1000, 400},    {500, 1050, 50, 2, 500, 1000},
        {500, 500, 100000000.0, -1, 0, 0}, // every side beyond the 200 gate
        {-150, -100, 100, 0, -150, 0},     // segment 0 within reach, its foot past its end
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << ", " << r.y);
        QvPoint p(r.x, r.y);
        double d = 0;
        EXPECT_EQ(kSquare.FindNearestSegment(p, &d), r.segment);
        EXPECT_DOUBLE_EQ(d, r.distance);
        EXPECT_DOUBLE_EQ(kSquare.DistanceTo(p), r.distance);
        if (r.segment < 0)
            EXPECT_TRUE(kSquare.NearestPoint(p).IsFar());
        else
            EXPECT_TRUE(PointNear(kSquare.NearestPoint(p), QvPoint(r.nx, r.ny)));
    }
    EXPECT_TRUE(kSquare.HitTest(QvPoint(500, -100), 100));
    EXPECT_FALSE(kSquare.HitTest(QvPoint(500, -100), 99.9));
    EXPECT_TRUE(kSquare.IsOn(QvPoint(1000, 300)));
}

TEST(QvGRPolygon, EmptyAndOnePointPolygonsOfferNothingOdd) {
    ScopedMADLevel mode(3);
    QvGRLine cross(-500, 5, 500, 5);
    QvPoint from(10, 300);
    QvGRPolygon empty;
    EXPECT_DOUBLE_EQ(empty.DistanceTo(QvPoint(0, 0)), 100000000.0);
    EXPECT_TRUE(empty.NearestPoint(QvPoint(0, 0)).IsFar());
    QvSpecialPointList list;
    empty.AddSnapPoints(&list, 0);
    empty.AddIntersections(&cross, &list, 0);
    empty.AddExtendedIntersections(&cross, &list, 0);
    empty.AddPointSnapPoints(&from, &list, 1, 0);
    ExpectNoRecords(list);
    QvGuideShapeList guides;
    empty.AddGuideShapes(&from, &guides, 0);
    EXPECT_EQ(guides.GetCount(), 0);

    QvGRPolygon one = Polygon({QvPoint(10, 5)});
    EXPECT_DOUBLE_EQ(one.DistanceTo(QvPoint(10, 6)), 100000000.0);
    one.AddIntersections(&cross, &list, 0);
    one.AddExtendedIntersections(&cross, &list, 0);
    one.AddPointSnapPoints(&from, &list, 1, 0);
    ExpectNoRecords(list);
    one.AddGuideShapes(&from, &guides, 0);
    EXPECT_EQ(guides.GetCount(), 0);
    one.AddSnapPoints(&list, 0);
    const ExpectedRecord vertex[] = {{"Vertex", 3.02, 10, 5}, {"Mid point", 3.0, 10, 5}};
    ExpectRecords(list, vertex);
}

TEST(QvGRPolygon, SnapPointsEachVertexThenItsMidPoint) {
    ScopedMADLevel mode(2);
    QvGRPolygon triangle = Polygon({QvPoint(0, 0), QvPoint(100, 0), QvPoint(0, 100)});
    QvSpecialPointList list;
    triangle.AddSnapPoints(&list, 0);
    const ExpectedRecord expected[] = {
        {"Vertex", 3.02, 0, 0},     {"Mid point", 3.0, 50, 0}, {"Vertex", 3.02, 100, 0},
        {"Mid point", 3.0, 50, 50}, {"Vertex", 3.02, 0, 100},  {"Mid point", 3.0, 0, 50},
    };
    ExpectRecords(list, expected);
}

TEST(QvGRPolygon, FeetAndGuidesRunAlongEverySideOnce) {
    ScopedMADLevel mode(2);
    // The same triangle stored open and with its first vertex repeated: the
    // sides are the same, and so are their feet.
    QvGRPolygon open = Polygon({QvPoint(0, 0), QvPoint(1000, 0), QvPoint(0, 1000)});
    QvGRPolygon repeated =
        Polygon({QvPoint(0, 0), QvPoint(1000, 0), QvPoint(0, 1000), QvPoint(0, 0)});
    QvPoint from(600, 900);
    const ExpectedRecord feet[] = {
        {"Perpendicular to line", 1.7, 600, 0},   // side 0-1
        {"Perpendicular to line", 1.7, 350, 650}, // side 1-2, the hypotenuse
        {"Perpendicular to line", 1.7, 0, 900},   // the closing side 2-0
    };
    for (const QvGRPolygon* polygon : {&open, &repeated}) {
        SCOPED_TRACE(::testing::Message() << polygon->GetVertexCount() << " vertices");
        QvSpecialPointList list;
        polygon->AddPointSnapPoints(&from, &list, 1, 0);
        ExpectRecords(list, feet);
        QvGuideShapeList guides;
        polygon->AddGuideShapes(&from, &guides, 0);
        ASSERT_EQ(guides.GetCount(), 6); // perpendicular, parallel per side
        auto* parallel = dynamic_cast<QvGRLine*>(guides[5].shape.get());
        ASSERT_NE(parallel, nullptr);
        EXPECT_EQ(parallel->GetSlope(), QV_VERTICAL_SLOPE); // along the closing side
    }
}

TEST(QvGRPolygon, IntersectionsWalkEverySide) {
    ScopedMADLevel mode(2);
    QvGRLine cross(500, -100, 500, 1100);
    QvSpecialPointList list;
    kSquare.AddIntersections(&cross, &list, 0);
    const ExpectedRecord hits[] = {{"Intersection", 3.01, 500, 0},
                                   {"Intersection", 3.01, 500, 1000}};
    ExpectRecords(list, hits);

    // Extended: the line's carrier meets the vertical sides' carriers nowhere,
    // the horizontal ones at the same points; a repeated first vertex adds no
    // bogus point from a side of length 0.
    QvGRPolygon closed = Polygon(
        {QvPoint(0, 0), QvPoint(1000, 0), QvPoint(1000, 1000), QvPoint(0, 1000), QvPoint(0, 0)});
    QvGRLine shortCross(500, 10, 500, 20);
    QvSpecialPointList extended;
    closed.AddExtendedIntersections(&shortCross, &extended, 0);
    ExpectRecords(extended, hits);
    QvSpecialPointList drawn;
    closed.AddIntersections(&shortCross, &drawn, 0);
    ExpectNoRecords(drawn);
}
