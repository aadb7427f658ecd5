// The primitive base, guide-shape records and the cross-kind hooks.
#include "geometry/gr_base.h"
#include "geometry/gr_circle.h"
#include "geometry/gr_dispatch.h"
#include "geometry/gr_line.h"
#include "geometry_test_support.h"

#include <vector>

TEST(QvGRBase, BarePrimitiveHasNoGeometry) {
    ScopedMADLevel mode(3);
    QvGRBase base;
    base.type = 7;
    QvPoint p(12, 34);
    EXPECT_EQ(base.DistanceTo(p), 1000000000001.2);
    EXPECT_FALSE(base.HitTest(p, 1e12));
    EXPECT_TRUE(base.HitTest(p, QV_FAR)); // <=
    EXPECT_FALSE(base.HitTestExtended(p, 1e12));
    EXPECT_TRUE(PointNear(base.NearestPoint(p), p, 0));
    EXPECT_TRUE(base.IsEmpty());
    EXPECT_FALSE(base.IsOn(p));
    EXPECT_FALSE(base.IsOnExtended(p));
    EXPECT_FALSE(base.Matches(base));

    QvSpecialPointList points;
    QvGuideShapeList shapes;
    QvGRLine line(0, 0, 10, 0);
    base.AddSnapPoints(&points, 0);
    base.AddIntersections(&line, &points, 0);
    base.AddExtendedIntersections(&line, &points, 0);
    base.AddPointSnapPoints(&p, &points, 1, 0);
    base.AddSnapPointsReserved(0, 0, 0);
    base.AddGuideShapes(&p, &shapes, 0);
    base.AddGuideShapesWith(&line, &shapes, 0);
    EXPECT_EQ(points.GetCount(), 0);
    EXPECT_EQ(shapes.GetCount(), 0);

    std::unique_ptr<QvGRBase> clone = base.Clone();
    EXPECT_EQ(clone->GetRuntimeClass(), RUNTIME_CLASS(QvGRBase));
    EXPECT_EQ(clone->type, 7);
    QvGRBase other;
    other.AssignType(line);
    EXPECT_EQ(other.type, 1);
}

TEST(QvGRBase, BaseTestsGoThroughTheVirtualDistance) {
    // A class that overrides only DistanceTo gets working hit and on-tests.
    struct Fixed : QvGRBase {
        double d;
        explicit Fixed(double distance) : d(distance) {}
        double DistanceTo(QvPoint) const override { return d; }
    };
    EXPECT_TRUE(Fixed(5).HitTest(QvPoint(), 5));
    EXPECT_FALSE(Fixed(5).HitTest(QvPoint(), 4.999));
    EXPECT_TRUE(Fixed(1e-8).IsOn(QvPoint()));
    EXPECT_FALSE(Fixed(1.1e-8).IsOn(QvPoint()));
    EXPECT_TRUE(Fixed(1e-8).IsOnExtended(QvPoint()));
}

TEST(QvGRBase, RunTimeClassRecordsAndTypeCodes) {
    struct Row {
        const char* name;
        CRuntimeClass* base;
        int type;
    } rows[] = {
        {"QvGRBase", RUNTIME_CLASS(CObject), 0},
        {"QvGRLine", RUNTIME_CLASS(QvGRBase), 1},
        {"QvGRCircle", RUNTIME_CLASS(QvGRBase), 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CRuntimeClass* cls = CRuntimeClass::FromName(r.name);
        ASSERT_NE(cls, nullptr);
        EXPECT_EQ(cls->StoredSchema(), 1);
        EXPECT_EQ(cls->m_pfnGetBaseClass(), r.base);
        std::unique_ptr<CObject> object(cls->CreateObject());
        ASSERT_NE(object, nullptr);
        EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(QvGRBase)));
        EXPECT_EQ(static_cast<QvGRBase*>(object.get())->GetType(), r.type);
    }
}

namespace {
// A shape that counts its live instances, to follow the guide records'
// ownership.
struct CountedShape : QvGRBase {
    static int live;
    CountedShape() { ++live; }
    CountedShape(const CountedShape& o) : QvGRBase(o) { ++live; }
    ~CountedShape() override { --live; }
    std::unique_ptr<QvGRBase> Clone() const override {
        return std::make_unique<CountedShape>(*this);
    }
};
int CountedShape::live = 0;
} // namespace

TEST(QvGuideShape, CopiesCloneAndAreNeverShared) {
    CountedShape::live = 0;
    {
        QvGuideShape a;
        a.shape = new CountedShape;
        a.priority = 1.3;
        a.label = QStringLiteral("Parallel to line");
        a.data = 42;
        a.shared = 1;
        QvGuideShape b(a);
        EXPECT_NE(b.shape, a.shape);
        EXPECT_EQ(CountedShape::live, 2);
        EXPECT_EQ(b.shared, 0);
        EXPECT_EQ(b.priority, 1.3);
        EXPECT_EQ(b.label, a.label);
        EXPECT_EQ(b.data, 42);
        QvGuideShape c;
        c = a;
        EXPECT_EQ(CountedShape::live, 3);
        EXPECT_EQ(c.shared, 0);

        // A shared shape survives Release, pointer included.
        QvGRBase* kept = a.shape;
        a.Release();
        EXPECT_EQ(a.shape, kept);
        EXPECT_EQ(CountedShape::live, 3);
        b.Release();
        EXPECT_EQ(b.shape, nullptr);
        EXPECT_EQ(CountedShape::live, 2);
        delete kept;
    }
    EXPECT_EQ(CountedShape::live, 0);
}

TEST(QvGuideShapeList, HoldsTheOnlyCloneAndDeletesOnlyWhatItOwns) {
    CountedShape::live = 0;
    {
        QvGuideShapeList list;
        for (int i = 0; i < 25; ++i) // past the first 20
            QvAppendGuideShape(&list, std::make_unique<CountedShape>(), 2.1,
                               QStringLiteral("Line through centre"));
        EXPECT_EQ(list.GetCount(), 25);
        EXPECT_EQ(CountedShape::live, 25); // the list's clones, nothing else
        EXPECT_EQ(list[24].label, QStringLiteral("Line through centre"));
        EXPECT_EQ(list[24].priority, 2.1);

        // The document may share a record's shape; the list leaves it alone.
        QvGRBase* shared = list[3].shape;
        list[3].shared = 1;
        list.DeleteAll();
        EXPECT_EQ(list.GetCount(), 0);
        EXPECT_EQ(CountedShape::live, 1);
        delete shared;
        EXPECT_EQ(CountedShape::live, 0);

        QvGuideShape local;
        local.shape = new CountedShape;
        list.Add(local);
        EXPECT_EQ(CountedShape::live, 2); // the local record's and the list's
        local.Release();
        EXPECT_EQ(CountedShape::live, 1);
    }
    EXPECT_EQ(CountedShape::live, 0); // the destructor deleted the clone
}

// ------------------------------------------------------- cross-kind hooks

namespace {
// Stands in for the triangle of Geometry III: the line's type code, but
// not a line.
struct CodeOneShape : QvGRBase {
    QvGRLine edges[3];
    CodeOneShape() { type = QvGRType::Triangle; }
};

// Stands in for the Bezier curve of Geometry II.
struct CodeFiveShape : QvGRBase {
    CodeFiveShape() { type = QvGRType::BezierCurve; }
};

int EdgesOf(const QvGRBase& shape, QvGRLine* out, int max) {
    auto* s = dynamic_cast<const CodeOneShape*>(&shape);
    if (!s || max < 3)
        return 0;
    for (int i = 0; i < 3; ++i)
        out[i] = s->edges[i];
    return 3;
}

int g_curveLimit = 0;
int CurveMeetsLine(const QvGRBase&, const QvGRLine& line, QvPoint* out, int limit) {
    g_curveLimit = limit;
    out[0] = line.p1;
    out[1] = QvPoint(-1, -1); // off the segment: appended all the same
    return 2;
}
int CurveMeetsCircle(const QvGRBase&, const QvGRCircle& circle, QvPoint* out, int limit) {
    g_curveLimit = limit;
    out[0] = circle.centre + QvVector(circle.radius, 0);
    return 1;
}

class HookScope {
public:
    HookScope() : m_saved(QvGRHooks()) {}
    ~HookScope() { QvGRHooks() = m_saved; }

private:
    QvGRCrossHooks m_saved;
};

CodeOneShape Triangle() {
    CodeOneShape t;
    t.edges[0] = QvGRLine(0, 0, 400, 0);
    t.edges[1] = QvGRLine(400, 0, 0, 300);
    t.edges[2] = QvGRLine(0, 300, 0, 0);
    return t;
}
} // namespace

TEST(CrossKindDispatch, CodeOneThatIsNoLineIsNeverReadAsALine) {
    ScopedMADLevel mode(2);
    HookScope scope;
    QvGRHooks() = QvGRCrossHooks();
    CodeOneShape triangle = Triangle();
    QvGRLine line(200, -100, 200, 500);
    QvGRCircle circle;
    circle.centre = QvPoint(0, 0);
    circle.radius = 100;

    // Without a hook: nothing, rather than reading the shape as a line.
    QvSpecialPointList list;
    line.AddIntersections(&triangle, &list, 0);
    line.AddExtendedIntersections(&triangle, &list, 0);
    circle.AddIntersections(&triangle, &list, 0);
    EXPECT_EQ(list.GetCount(), 0);
    QvGuideShapeList shapes;
    line.AddGuideShapesWith(&triangle, &shapes, 0);
    EXPECT_EQ(shapes.GetCount(), 0);

    // With the edge hook the line meets each edge as a line.
    QvGRHooks().edgeLines = &EdgesOf;
    line.AddIntersections(&triangle, &list, 0);
    const ExpectedRecord viaEdges[] = {
        {"Intersection", 3.01, 200, 0},
        {"Intersection", 3.01, 200, 150},
    };
    ExpectRecords(list, viaEdges);

    QvSpecialPointList circleList;
    circle.AddIntersections(&triangle, &circleList, 0);
    const ExpectedRecord circleEdges[] = {
        {"Intersection", 3.01, 100, 0}, // edge 0 from (0,0) to (400,0)
        {"Intersection", 3.01, 0, 100}, // edge 2 from (0,300) to (0,0)
    };
    ExpectRecords(circleList, circleEdges);
}

TEST(CrossKindDispatch, CurveCasesGoThroughTheirHooks) {
    ScopedMADLevel mode(2);
    HookScope scope;
    QvGRHooks() = QvGRCrossHooks();
    CodeFiveShape curve;
    QvGRLine line(10, 20, 30, 40);
    QvGRCircle circle;
    circle.centre = QvPoint(5, 5);
    circle.radius = 10;

    QvSpecialPointList list;
    line.AddIntersections(&curve, &list, 0);
    circle.AddIntersections(&curve, &list, 0);
    EXPECT_EQ(list.GetCount(), 0); // no curve class yet: nothing

    QvGRHooks().curveMeetsLine = &CurveMeetsLine;
    QvGRHooks().curveMeetsCircle = &CurveMeetsCircle;
    g_curveLimit = 0;
    line.AddIntersections(&curve, &list, 0);
    EXPECT_EQ(g_curveLimit, 100);
    line.AddExtendedIntersections(&curve, &list, 0); // the line has no extended curve case
    g_curveLimit = 0;
    circle.AddIntersections(&curve, &list, 0);
    EXPECT_EQ(g_curveLimit, 100);
    const ExpectedRecord expected[] = {
        {"Intersection", 3.01, 10, 20},
        {"Intersection", 3.01, -1, -1},
        {"Intersection", 3.01, 15, 5},
    };
    ExpectRecords(list, expected);

    // Gated by kind 8 like every intersection.
    QvSpecialPointList gated;
    line.AddIntersections(&curve, &gated, 16);
    circle.AddIntersections(&curve, &gated, 16);
    EXPECT_EQ(gated.GetCount(), 0);
}
