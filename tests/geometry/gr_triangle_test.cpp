// The triangle solver and the triangle as a primitive.
#include "platform/archive.h"

#include "geometry/gr_circle.h"
#include "geometry/gr_line.h"
#include "geometry/gr_triangle.h"
#include "geometry_test_support.h"

#include <QBuffer>

#include <cmath>
#include <cstring>
#include <map>

using namespace QvTri;

namespace {
const char kCannot[] = "I am not able to solve that selection of three measurements";
const char kAmbiguous[] = "Ambigous case.  Two triangles fit your data";

QvGRTriangle Given(const std::map<int, double>& values) {
    QvGRTriangle t;
    for (auto [i, v] : values)
        t.given[i] = v;
    return t;
}

QvGRTriangle Solved345() {
    QvGRTriangle t = Given({{SideA, 3}, {SideB, 4}, {SideC, 5}});
    t.Solve();
    return t;
}

// A drawn triangle: A (0, 0), B (1000, 0), C (0, 1000).
QvGRTriangle Drawn() {
    QvGRTriangle t;
    t.vertices[0] = QvPoint(0, 0);
    t.vertices[1] = QvPoint(1000, 0);
    t.vertices[2] = QvPoint(0, 1000);
    return t;
}

QByteArray Store(QvGRTriangle& t) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    t.Serialize(ar);
    return bytes;
}

void Load(QvGRTriangle& t, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    t.Serialize(ar);
}
} // namespace

TEST(QvGRTriangle, SolvesFromAnyThreeThatDefineATriangle) {
    struct Row {
        const char* what;
        std::map<int, double> given;
        const char* message;
        bool solved;
        std::map<int, double> expected;
    } rows[] = {
        {"3-4-5",
         {{SideA, 3}, {SideB, 4}, {SideC, 5}},
         "Unique triangle found (Three sides)",
         true,
         {{AngleA, 36.869898},
          {AngleB, 53.130102},
          {AngleC, 90},
          {Area, 6},
          {HeightA, 4},
          {HeightB, 3},
          {HeightC, 2.4},
          {Perimeter, 12}}},
        {"a negative value is not given",
         {{SideA, 3}, {SideB, 4}, {SideC, 5}, {AngleA, -1}},
         "Unique triangle found (Three sides)",
         true,
         {{Area, 6}}},
        {"1-2-3",
         {{SideA, 1}, {SideB, 2}, {SideC, 3}},
         "Not a triangle.  The three sides you have given cannot be formed into a triangle.",
         false,
         {}},
        {"60/60/60",
         {{AngleA, 60}, {AngleB, 60}, {AngleC, 60}},
         "Three angles do not define a triangle.",
         false,
         {}},
        {"60/60/70",
         {{AngleA, 60}, {AngleB, 60}, {AngleC, 70}},
         "Three angles do not define a triangle. The angles also do not add to 180 degrees.",
         false,
         {}},
        {"two values",
         {{SideA, 3}, {SideB, 4}},
         "Not enough information to define a triangle.  You require 3 pieces of information to "
         "define a triangle",
         false,
         {}},
        {"four values",
         {{SideA, 3}, {SideB, 4}, {SideC, 5}, {Area, 6}},
         "Too much information.  Only three pieces needed.",
         false,
         {}},
        {"A 60 between b 4 and c 5",
         {{AngleA, 60}, {SideB, 4}, {SideC, 5}},
         "Unique triangle found (Two sides and included angle)",
         true,
         {{SideA, 4.582576}, {AngleA, 60}, {Perimeter, 13.582576}}},
        {"C 90 between a 3 and b 4",
         {{AngleC, 90}, {SideA, 3}, {SideB, 4}},
         "Unique triangle found (Two sides and included angle)",
         true,
         {{SideC, 5}, {Area, 6}}},
        {"B 50, C 60, a 7",
         {{AngleB, 50}, {AngleC, 60}, {SideA, 7}},
         "Unique triangle found (Two angles and a side)",
         true,
         {{AngleA, 70}, {SideB, 5.706418}, {SideC, 6.451251}}},
        {"A 30, C 60, c 5",
         {{AngleA, 30}, {AngleC, 60}, {SideC, 5}},
         "Unique triangle found (Two angles and a side)",
         true,
         {{AngleB, 90}, {SideA, 2.886751}, {SideB, 5.773503}}},
        {"A 30, a 6, b 10", {{AngleA, 30}, {SideA, 6}, {SideB, 10}}, kAmbiguous, false, {}},
        {"A 30, a 10, b 6",
         {{AngleA, 30}, {SideA, 10}, {SideB, 6}},
         "Unique triangle found (Unambiguous two sides and an angle)",
         true,
         {{AngleB, 17.457603}, {AngleC, 132.542397}, {SideC, 14.735}}},
        {"B 40, b 6, c 5",
         {{AngleB, 40}, {SideB, 6}, {SideC, 5}},
         "Unique triangle found (Unambiguous two sides and an angle)",
         true,
         {{AngleC, 32.388}, {AngleA, 107.612}, {SideC, 5}, {SideB, 6}}},
        {"B 40, a 5, b 6",
         {{AngleB, 40}, {SideA, 5}, {SideB, 6}},
         "Unique triangle found (Unambiguous two sides and an angle)",
         true,
         {{AngleA, 32.388}, {AngleC, 107.612}}},
        {"A 30, a 5, b 10: a right angle at B",
         {{AngleA, 30}, {SideA, 5}, {SideB, 10}},
         "Unique triangle found (Unambiguous two sides and an angle)",
         true,
         {{AngleB, 90}, {AngleC, 60}, {SideC, 8.660254}}},
        {"A 30, a 5, b 5: isosceles, one triangle only",
         {{AngleA, 30}, {SideA, 5}, {SideB, 5}},
         "Unique triangle found (Unambiguous two sides and an angle)",
         true,
         {{AngleB, 30}, {AngleC, 120}, {SideC, 8.660254}}},
        {"A 90, B 45, area 8",
         {{AngleA, 90}, {AngleB, 45}, {Area, 8}},
         "Unique triangle found (Two angles and the area)",
         true,
         {{AngleC, 45}, {SideA, 5.656854}, {SideB, 4}, {SideC, 4}, {Area, 8}, {HeightB, 4}}},
        {"a 3, b 4, area 6", {{SideA, 3}, {SideB, 4}, {Area, 6}}, kAmbiguous, false, {}},
        {"a 3, b 4, perimeter 12",
         {{SideA, 3}, {SideB, 4}, {Perimeter, 12}},
         "Unique triangle found (Two sides and the perimeter)",
         true,
         {{SideC, 5}, {AngleC, 90}, {Area, 6}}},
        {"b 4, c 5, perimeter 12",
         {{SideB, 4}, {SideC, 5}, {Perimeter, 12}},
         "Unique triangle found (Two sides and the perimeter)",
         true,
         {{SideA, 3}}},
        // Selections with no case.
        {"two angles, perimeter 12",
         {{AngleA, 60}, {AngleB, 60}, {Perimeter, 12}},
         kCannot,
         false,
         {}},
        {"three heights", {{HeightA, 3}, {HeightB, 4}, {HeightC, 5}}, kCannot, false, {}},
        {"two sides and a height", {{SideA, 3}, {SideB, 4}, {HeightC, 2}}, kCannot, false, {}},
        {"an angle and a height", {{AngleA, 30}, {SideB, 4}, {HeightA, 2}}, kCannot, false, {}},
        {"two heights and the area", {{HeightA, 3}, {HeightB, 4}, {Area, 6}}, kCannot, false, {}},
        {"area and perimeter", {{SideA, 3}, {Area, 6}, {Perimeter, 12}}, kCannot, false, {}},
        // Data that makes no triangle is refused, never called unique.
        {"angles adding to 180", {{AngleA, 100}, {AngleB, 80}, {SideA, 5}}, kCannot, false, {}},
        {"angles above 180 with the area",
         {{AngleA, 120}, {AngleB, 70}, {Area, 5}},
         kCannot,
         false,
         {}},
        {"an included angle of 190", {{AngleA, 190}, {SideB, 3}, {SideC, 4}}, kCannot, false, {}},
        {"a perimeter too short", {{SideA, 3}, {SideB, 4}, {Perimeter, 6}}, kCannot, false, {}},
        {"a perimeter that flattens the triangle",
         {{SideA, 3}, {SideB, 4}, {Perimeter, 14}},
         kCannot,
         false,
         {}},
        {"sin above 1", {{AngleA, 30}, {SideA, 2}, {SideB, 10}}, kCannot, false, {}},
        {"isosceles about an obtuse angle",
         {{AngleA, 120}, {SideA, 5}, {SideB, 5}},
         kCannot,
         false,
         {}},
        {"the side opposite an obtuse angle too short",
         {{AngleA, 150}, {SideA, 4}, {SideB, 6}},
         kCannot,
         false,
         {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        QvGRTriangle t = Given(r.given);
        QvPoint before = t.vertices[1] = QvPoint(12, 34);
        QString message = t.Solve();
        EXPECT_EQ(message.toStdString(), r.message);
        EXPECT_EQ(t.isSolved, r.solved ? 1 : 0);
        EXPECT_EQ(t.givenCount,
                  int(r.given.size()) - (r.given.count(AngleA) && r.given.at(AngleA) < 0));
        EXPECT_TRUE(PointNear(t.vertices[1], before, 0)); // Solve never moves the vertices
        for (auto [i, v] : r.expected)
            EXPECT_NEAR(t.solved[i], v, 1e-3) << "measurement " << i;
        if (t.isSolved) {
            for (double v : t.solved)
                EXPECT_TRUE(std::isfinite(v) && v > 0);
            EXPECT_NEAR(t.solved[AngleA] + t.solved[AngleB] + t.solved[AngleC], 180, 1e-6);
        }
    }
}

TEST(QvGRTriangle, PatternAndWhatAFailedSolveLeaves) {
    QvGRTriangle t = Given({{AngleA, 30}, {SideB, 4}, {SideC, 5}});
    t.Solve();
    EXPECT_EQ(t.pattern.toStdString(), "100-011-000-00");
    t = Given({{SideA, 3}, {HeightB, 4}, {Perimeter, 6}});
    t.solved[Area] = 77; // stale, not touched by a failed Solve
    t.Solve();
    EXPECT_EQ(t.pattern.toStdString(), "000-100-010-01");
    EXPECT_EQ(t.solved[SideA], 3);
    EXPECT_EQ(t.solved[HeightB], 4);
    EXPECT_EQ(t.solved[Area], 77);
    // The 3-4-5 sides in full: C is 90 only as nearly as the degree constant allows.
    QvGRTriangle r = Solved345();
    EXPECT_NEAR(r.solved[AngleC], 90, 1e-7);
    EXPECT_TRUE(r.IsTriangle(2, 3, 4));
    EXPECT_FALSE(r.IsTriangle(1, 2, 3));
    EXPECT_FALSE(r.IsTriangle(3, 1, 2));
}

TEST(QvGRTriangle, PlaceVerticesKeepsDirectionAndSide) {
    // A new triangle: AC along +x, B below it.
    QvGRTriangle t = Solved345();
    t.PlaceVertices(QvPoint(1000, 1000));
    EXPECT_TRUE(PointNear(t.vertices[0], QvPoint(1000, 1000), 1e-9));
    EXPECT_TRUE(PointNear(t.vertices[2], QvPoint(1400, 1000), 1e-9));
    EXPECT_TRUE(PointNear(t.vertices[1], QvPoint(1400, 700), 1e-4));

    // B above AC stays above; a vertical AC stays vertical.
    QvGRTriangle above = Solved345();
    above.vertices[0] = QvPoint(0, 0);
    above.vertices[1] = QvPoint(50, 50);
    above.vertices[2] = QvPoint(100, 0);
    above.PlaceVertices(QvPoint(0, 0));
    EXPECT_TRUE(PointNear(above.vertices[1], QvPoint(400, 300), 1e-4));

    QvGRTriangle upright = Solved345();
    upright.vertices[2] = QvPoint(0, 10);
    upright.vertices[1] = QvPoint(-5, 5); // left of AC, counter-clockwise from it
    upright.PlaceVertices(QvPoint(100, 100));
    EXPECT_TRUE(PointNear(upright.vertices[2], QvPoint(100, 500), 1e-9));
    EXPECT_TRUE(PointNear(upright.vertices[1], QvPoint(-200, 500), 1e-4));
}

TEST(QvGRTriangle, RotateLabelsAndCopies) {
    EXPECT_EQ(CRuntimeClass::FromName("QvGRTriangle"), RUNTIME_CLASS(QvGRTriangle));
    EXPECT_EQ(RUNTIME_CLASS(QvGRTriangle)->StoredSchema(), 1);
    // A primitive among primitives, so that a check for one accepts it.
    EXPECT_TRUE(QvGRTriangle().IsKindOf(RUNTIME_CLASS(QvGRBase)));
    QvGRTriangle t = Given({{AngleA, 30}, {SideB, 4}, {SideC, 5}});
    t.Solve();
    t.vertices[1] = QvPoint(7, 8);
    const QvGRTriangle original = t;
    t.RotateLabels();
    EXPECT_EQ(t.given[AngleC], 30); // C takes A's value
    EXPECT_EQ(t.given[SideA], 4);   // a takes b's
    EXPECT_EQ(t.given[SideB], 5);
    EXPECT_EQ(t.solved[HeightA], original.solved[HeightB]);
    EXPECT_EQ(t.solved[Area], original.solved[Area]);
    EXPECT_EQ(t.pattern, original.pattern);
    t.RotateLabels();
    t.RotateLabels();
    for (int i = 0; i < Count; ++i) {
        EXPECT_EQ(t.given[i], original.given[i]) << i;
        EXPECT_EQ(t.solved[i], original.solved[i]) << i;
    }

    // Assignment and Clone copy the whole solver, its solved state included.
    QvGRTriangle copy;
    copy.nearestEdge = 2;
    copy = original;
    EXPECT_EQ(copy.given[SideC], 5);
    EXPECT_EQ(copy.solved[SideA], original.solved[SideA]);
    EXPECT_TRUE(PointNear(copy.vertices[1], QvPoint(7, 8), 0));
    EXPECT_EQ(copy.isSolved, original.isSolved);
    EXPECT_EQ(copy.givenCount, 3);
    EXPECT_EQ(copy.pattern, original.pattern);
    EXPECT_EQ(copy.nearestEdge, original.nearestEdge);
    std::unique_ptr<QvGRBase> clone = original.Clone();
    auto* c = dynamic_cast<QvGRTriangle*>(clone.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->type, 1);
    EXPECT_EQ(c->given[AngleA], 30);
    EXPECT_EQ(c->isSolved, original.isSolved);
    EXPECT_EQ(c->pattern, original.pattern);
}

TEST(QvGRTriangle, ArchivedRecord) {
    QvGRTriangle t = Given({{AngleA, 30},
                            {AngleB, 1.5},
                            {AngleC, 2.5},
                            {SideA, 3.25},
                            {SideB, 4.5},
                            {SideC, 5.125},
                            {HeightA, 6},
                            {HeightB, 7},
                            {HeightC, 8},
                            {Area, 9},
                            {Perimeter, 10}});
    for (int i = 0; i < Count; ++i)
        t.solved[i] = 100 + i;
    t.measureFromVertices = 1;
    t.vertices[0] = QvPoint(1, 2);
    t.vertices[1] = QvPoint(3, 4);
    t.vertices[2] = QvPoint(5, 6);
    QByteArray bytes = Store(t);
    ASSERT_EQ(bytes.size(), 223);
    EXPECT_EQ(bytes.left(2), QByteArray("\x01\x00", 2));
    float c = 0;
    std::memcpy(&c, bytes.constData() + 42, 4);
    EXPECT_EQ(c, 5.125f);
    double ha = 0;
    std::memcpy(&ha, bytes.constData() + 46, 8);
    EXPECT_EQ(ha, 6);
    EXPECT_EQ(bytes[174], 1);

    QvGRTriangle back;
    Load(back, bytes);
    for (int i = 0; i < Count; ++i) {
        EXPECT_EQ(back.given[i], t.given[i]) << i;
        EXPECT_EQ(back.solved[i], t.solved[i]) << i;
    }
    EXPECT_EQ(back.measureFromVertices, 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(PointNear(back.vertices[i], t.vertices[i], 0));

    // A record with 0 where c goes has c not given, and the rest as stored.
    QByteArray older = bytes;
    older.replace(42, 4, QByteArray(4, '\0'));
    QvGRTriangle old;
    Load(old, older);
    EXPECT_EQ(old.given[SideC], 0);
    EXPECT_EQ(old.given[SideB], 4.5);
    EXPECT_EQ(old.given[HeightA], 6);

    // An earlier version stops after the version word; a short record throws
    // and leaves the triangle as it was.
    QvGRTriangle untouched = Given({{SideA, 42}});
    Load(untouched, QByteArray("\x00\x00", 2));
    EXPECT_EQ(untouched.given[SideA], 42);
    EXPECT_THROW(Load(untouched, bytes.left(200)), CArchiveException);
    EXPECT_EQ(untouched.given[SideA], 42);
    EXPECT_EQ(untouched.given[AngleA], 0);
}

TEST(QvGRTriangle, EdgesDistancesAndNearestPoints) {
    const QvGRTriangle t = Drawn();
    EXPECT_EQ(t.type, 1);
    EXPECT_TRUE(QvGRTriangle().IsEmpty());
    EXPECT_FALSE(t.IsEmpty());
    struct Row {
        QvPoint p;
        double distance;
        int edge;
        QvPoint nearest;
    } rows[] = {
        {QvPoint(500, -50), 50, 0, QvPoint(500, 0)},
        {QvPoint(600, 600), 141.421356, 1, QvPoint(500, 500)},
        {QvPoint(-30, 400), 30, 2, QvPoint(0, 400)},
        // Both AB and CA at 10: the earlier edge wins.
        {QvPoint(10, 10), 10, 0, QvPoint(10, 0)},
        // Beyond 200 of every edge: no edge, and the outline's nearest point.
        {QvPoint(2000, -500), 100000000.0, -1, QvPoint(1000, 0)},
        {QvPoint(-600, -800), 100000000.0, -1, QvPoint(0, 0)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.p);
        EXPECT_NEAR(t.DistanceTo(r.p), r.distance, 1e-5);
        EXPECT_EQ(t.nearestEdge, r.edge);
        EXPECT_TRUE(PointNear(t.NearestPoint(r.p), r.nearest, 1e-6));
        EXPECT_TRUE(t.HitTest(r.p, r.distance + 1e-5));
        EXPECT_FALSE(t.HitTest(r.p, r.distance - 1e-3));
    }
    // The nearest point is found for the point asked, not the last one measured.
    t.DistanceTo(QvPoint(500, -50));
    EXPECT_TRUE(PointNear(t.NearestPoint(QvPoint(-30, 400)), QvPoint(0, 400), 1e-9));
    EXPECT_TRUE(t.IsOn(QvPoint(300, 0)));
    EXPECT_FALSE(t.IsOn(QvPoint(300, 1)));
}

TEST(QvGRTriangle, SnapsAndIntersectionsAsThreeEdges) {
    ScopedMADLevel mode(2);
    const QvGRTriangle t = Drawn();
    QvSpecialPointList snaps;
    t.AddSnapPoints(&snaps, 0);
    const ExpectedRecord expected[] = {
        {"Vertex", 3.02, 0, 0},       {"Mid point", 3.0, 500, 0}, {"Vertex", 3.02, 1000, 0},
        {"Mid point", 3.0, 500, 500}, {"Vertex", 3.02, 0, 1000},  {"Mid point", 3.0, 0, 500},
    };
    ExpectRecords(snaps, expected);

    // A line across two edges, from the triangle's side and from the line's.
    QvGRLine across(-100, 300, 1100, 300);
    const ExpectedRecord meets[] = {{"Intersection", 3.01, 700, 300},
                                    {"Intersection", 3.01, 0, 300}};
    QvSpecialPointList mine;
    t.AddIntersections(&across, &mine, 0);
    ExpectRecords(mine, meets);
    QvSpecialPointList theirs;
    across.AddIntersections(&t, &theirs, 0);
    ExpectRecords(theirs, meets);

    // A circle about B meets AB and BC; the line's own extended case meets
    // AB's carrier too.
    QvGRCircle circle;
    circle.centre = QvPoint(1000, 0);
    circle.radius = 200;
    QvSpecialPointList round;
    circle.AddIntersections(&t, &round, 0);
    ASSERT_EQ(round.GetCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(t.IsOn(round[i].point)) << round[i].point;
    QvSpecialPointList extended;
    QvGRLine short_(300, -100, 300, -50);
    t.AddExtendedIntersections(&short_, &extended, 0);
    EXPECT_EQ(extended.GetCount(), 2); // AB at (300, 0), CA's carrier is parallel, BC at (300, 700)

    // Two triangles meet edge by edge.
    QvGRTriangle other = Drawn();
    for (QvPoint& v : other.vertices)
        v = v + QvVector(200, 200);
    QvSpecialPointList both;
    t.AddIntersections(&other, &both, 0);
    EXPECT_EQ(both.GetCount(), 2);

    // Perpendicular feet and guides come from each edge.
    QvPoint from(500, -100);
    QvSpecialPointList feet;
    t.AddPointSnapPoints(&from, &feet, 1, 0);
    for (int i = 0; i < feet.GetCount(); ++i)
        EXPECT_TRUE(t.IsOn(feet[i].point));
    QvGuideShapeList guides;
    t.AddGuideShapes(&from, &guides, 0);
    EXPECT_EQ(guides.GetCount(), 6); // a perpendicular and a parallel per edge
    t.AddGuideShapesWith(&across, &guides, 0);
    EXPECT_EQ(guides.GetCount(), 6);
}
