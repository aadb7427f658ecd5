// The primitive base, guide-shape records, and the crossings of a type
// code without its class.
#include "geometry/gr_base.h"
#include "geometry/gr_bezier.h"
#include "geometry/gr_circle.h"
#include "geometry/gr_line.h"
#include "geometry/gr_triangle.h"
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

TEST(QvGuideShape, CopiesCloneMovesHandOver) {
    CountedShape::live = 0;
    {
        QvGuideShape a;
        a.shape = std::make_unique<CountedShape>();
        a.priority = 1.3;
        a.label = QStringLiteral("Parallel to line");
        a.data = 42;
        QvGuideShape b(a);
        EXPECT_NE(b.shape, a.shape);
        EXPECT_EQ(CountedShape::live, 2);
        EXPECT_EQ(b.priority, 1.3);
        EXPECT_EQ(b.label, a.label);
        EXPECT_EQ(b.data, 42);
        QvGuideShape c;
        c = a;
        EXPECT_EQ(CountedShape::live, 3);
        c = c; // assigning a record to itself keeps its shape
        ASSERT_NE(c.shape, nullptr);
        EXPECT_EQ(CountedShape::live, 3);

        const QvGRBase* kept = a.shape.get();
        QvGuideShape d(std::move(a));
        EXPECT_EQ(d.shape.get(), kept);
        EXPECT_EQ(a.shape, nullptr);
        EXPECT_EQ(CountedShape::live, 3);
    }
    EXPECT_EQ(CountedShape::live, 0);
}

TEST(QvGuideShapeList, HoldsTheOnlyShapeAndDeletesIt) {
    CountedShape::live = 0;
    {
        QvGuideShapeList list;
        for (int i = 0; i < 25; ++i) // past the first 20
            QvAppendGuideShape(&list, std::make_unique<CountedShape>(), 2.1,
                               QStringLiteral("Line through centre"));
        EXPECT_EQ(list.GetCount(), 25);
        EXPECT_EQ(CountedShape::live, 25); // the list's shapes, nothing else
        EXPECT_EQ(list[24].label, QStringLiteral("Line through centre"));
        EXPECT_EQ(list[24].priority, 2.1);
        list.DeleteAll();
        EXPECT_EQ(list.GetCount(), 0);
        EXPECT_EQ(CountedShape::live, 0);

        QvGuideShape local;
        local.shape = std::make_unique<CountedShape>();
        list.Add(local);
        EXPECT_EQ(CountedShape::live, 2); // the local record's and the list's
    }
    EXPECT_EQ(CountedShape::live, 0); // the list deleted its own
}

// ------------------------------------------------ codes without their class

namespace {
// The line's (and the triangle's) type code on a class that is neither.
struct CodeOneShape : QvGRBase {
    CodeOneShape() { type = QvGRType::Triangle; }
};

// The curve's type code on a class that is no curve.
struct CodeFiveShape : QvGRBase {
    CodeFiveShape() { type = QvGRType::BezierCurve; }
};
} // namespace

TEST(CrossKindDispatch, ACodeWithoutItsClassMeetsNothing) {
    // A type code is never read as a class the object is not: the
    // crossings ask for the class behind the code.
    ScopedMADLevel mode(2);
    CodeOneShape codeOne;
    CodeFiveShape codeFive;
    QvGRLine line(200, -100, 200, 500);
    QvGRCircle circle;
    circle.centre = QvPoint(0, 0);
    circle.radius = 300;
    QvGRBezierCurve curve;
    curve.AddPoint(QvPoint(-500, 0));
    curve.AddPoint(QvPoint(500, 0));
    curve.ComputeControlPoints(false, QvGRBezierCurve::SmoothFactor);
    QvGRTriangle triangle;
    triangle.vertices[0] = QvPoint(0, 0);
    triangle.vertices[1] = QvPoint(400, 0);
    triangle.vertices[2] = QvPoint(0, 300);
    const QvGRBase* kinds[] = {&line, &circle, &curve, &triangle};

    QvSpecialPointList list;
    for (const QvGRBase* stranger :
         {static_cast<const QvGRBase*>(&codeOne), static_cast<const QvGRBase*>(&codeFive)}) {
        for (const QvGRBase* shape : kinds) {
            shape->AddIntersections(stranger, &list, 0);
            shape->AddExtendedIntersections(stranger, &list, 0);
            stranger->AddIntersections(shape, &list, 0);
            stranger->AddExtendedIntersections(shape, &list, 0);
        }
    }
    EXPECT_EQ(list.GetCount(), 0);
    QvGuideShapeList shapes;
    line.AddGuideShapesWith(&codeOne, &shapes, 0);
    EXPECT_EQ(shapes.GetCount(), 0);
}
