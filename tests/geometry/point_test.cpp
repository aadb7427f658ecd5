// Points and vectors.
#include "geometry/point.h"
#include "geometry_test_support.h"

#include "common/test_support.h"
#include "platform/archive.h"

#include <QBuffer>

#include <climits>
#include <cmath>

TEST(QvIsNear, Table) {
    struct Row {
        double a, b, tolerance;
        bool near;
    } rows[] = {
        {1.0, 1.0 + 1e-9, 1e-8, true},  {1.0, 1.0 + 2e-8, 1e-8, false},
        {1.0 + 2e-8, 1.0, 1e-8, false}, // symmetric
        {1.0, 1.5, 0.5, true},          // a difference equal to the tolerance is near
        {1.5, 1.0, 0.5, true},          {-3.0, 3.0, 5.999, false},
        {0.0, 0.0, 0.0, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.a << " " << r.b << " " << r.tolerance);
        EXPECT_EQ(QvIsNear(r.a, r.b, r.tolerance), r.near);
    }
}

TEST(Round, HalvesGoUp) {
    struct Row {
        double x;
        int rounded;
    } rows[] = {
        {2.5, 3}, {-2.5, -2}, {2.4999, 2}, {-2.5000001, -3}, {-0.5, 0}, {0.49, 0}, {-3.7, -4},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.x);
        EXPECT_EQ(Round(r.x), r.rounded);
    }
}

TEST(QvPoint, ToCPointTruncatesTowardZero) {
    struct Row {
        double x, y;
        int cx, cy;
    } rows[] = {
        {2.9, -2.9, 2, -2},
        {-0.5, 0.5, 0, 0},
        {1000.99, -1000.99, 1000, -1000},
        // The far point has no integer value; it is held at the range's ends.
        {QV_FAR, -QV_FAR, INT_MAX, INT_MIN},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << ", " << r.y);
        CPoint p(99, 99);
        QvPoint(r.x, r.y).ToCPoint(p);
        EXPECT_EQ(p, CPoint(r.cx, r.cy));
    }
}

TEST(QvPoint, FromCPoint) {
    QvPoint p(1.5, 2.5);
    p = CPoint(-3, 7);
    EXPECT_EQ(p.x, -3.0);
    EXPECT_EQ(p.y, 7.0);
}

TEST(QvPoint, EqualityIsPerCoordinateWithin1e8) {
    EXPECT_TRUE(QvPoint(0, 0) == QvPoint(1e-8, 1e-8)); // distance 1.4e-8, still equal
    EXPECT_FALSE(QvPoint(0, 0) == QvPoint(0, 1.1e-8));
    EXPECT_TRUE(QvPoint(0, 0) != QvPoint(1.1e-8, 0));
    EXPECT_FALSE(QvPoint(5, 5) != QvPoint(5, 5));
}

TEST(QvPoint, Arithmetic) {
    QvPoint p(10, 20);
    QvVector v(1, -2);
    EXPECT_TRUE(PointNear(p + v, QvPoint(11, 18)));
    EXPECT_TRUE(PointNear(p - v, QvPoint(9, 22)));
    QvVector d = QvPoint(4, 6) - QvPoint(1, 2);
    EXPECT_EQ(d.x, 3.0);
    EXPECT_EQ(d.y, 4.0);
    p += v;
    EXPECT_TRUE(PointNear(p, QvPoint(11, 18)));
    p -= v;
    EXPECT_TRUE(PointNear(p, QvPoint(10, 20)));
    EXPECT_TRUE(PointNear(p.Offset(3, -4), QvPoint(13, 16)));
    EXPECT_TRUE(PointNear(p.OffsetBack(3, -4), QvPoint(7, 24)));
    p.SetZero();
    EXPECT_TRUE(PointNear(p, QvPoint(0, 0)));
}

TEST(QvPoint, IsFarOnlyForBothCoordinatesExactly) {
    EXPECT_TRUE(QvPoint::Far().IsFar());
    EXPECT_TRUE(QvPoint(1000000000001.2, 1000000000001.2).IsFar());
    EXPECT_FALSE(QvPoint(QV_FAR, 0).IsFar());
    EXPECT_FALSE(QvPoint(QV_FAR - 0.5, QV_FAR).IsFar());
}

TEST(QvPoint, ArchivedPointIsSixteenBytes) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        CArchive ar(&buffer, CArchive::store);
        QvPoint(1.25, -7.5).Serialize(ar);
    }
    ASSERT_EQ(bytes.size(), 16);
    // x first, then y, each a little-endian IEEE double.
    EXPECT_EQ(bytes, Hex("00 00 00 00 00 00 F4 3F 00 00 00 00 00 00 1E C0"));

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    QvPoint back;
    back.Serialize(ar);
    EXPECT_EQ(back.x, 1.25);
    EXPECT_EQ(back.y, -7.5);
}

TEST(QvVector, ArchivesNothing) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    QvVector v(3, 4);
    v.Serialize(ar);
    EXPECT_EQ(bytes.size(), 0);
}

TEST(QvPoint, RunTimeClassRecords) {
    for (const char* name : {"QvPoint", "QvVector"}) {
        SCOPED_TRACE(name);
        CRuntimeClass* cls = CRuntimeClass::FromName(name);
        ASSERT_NE(cls, nullptr);
        EXPECT_EQ(cls->StoredSchema(), 1);
        EXPECT_EQ(cls->m_pfnGetBaseClass(), RUNTIME_CLASS(CObject));
        std::unique_ptr<CObject> object(cls->CreateObject());
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->GetRuntimeClass(), cls);
    }
}

TEST(QvVector, LengthDotAndSums) {
    QvVector v(3, 4);
    EXPECT_EQ(v.Length(), 5.0);
    EXPECT_EQ(v.Dot(QvVector(2, -1)), 2.0);
    QvVector s = v * 2.0 + QvVector(1, 1);
    EXPECT_EQ(s.x, 7.0);
    EXPECT_EQ(s.y, 9.0);
    QvVector n = v.Negate();
    EXPECT_EQ(n.x, -3.0);
    EXPECT_EQ(n.y, -4.0);
    QvVector p = v.Perpendicular();
    EXPECT_EQ(p.x, -4.0);
    EXPECT_EQ(p.y, 3.0);
}

TEST(QvVector, ZeroVectorAnswers) {
    QvVector zero;
    QvVector n = zero;
    n.Normalize();
    EXPECT_EQ(n.x, 0.0);
    EXPECT_EQ(n.y, 0.0);
    QvVector u = zero.GetUnit();
    EXPECT_EQ(u.x, 0.0);
    EXPECT_EQ(u.y, 0.0);
    QvVector l = zero;
    l.SetLength(5.0);
    EXPECT_EQ(l.x, 0.0);
    EXPECT_EQ(l.y, 0.0);
    EXPECT_EQ(zero.CosAngle(QvVector(1, 0)), 0.0);
    EXPECT_EQ(QvVector(1, 0).CosAngle(zero), 0.0);
    EXPECT_TRUE(zero.IsZero());
    EXPECT_TRUE(QvVector(1e-8, -1e-8).IsZero());
    EXPECT_FALSE(QvVector(2e-8, 0).IsZero());
}

TEST(QvVector, SetLength) {
    struct Row {
        double x, y, length, ex, ey;
    } rows[] = {
        {3, 4, 5, 3, 4},
        {3, 4, 10, 6, 8},
        {3, 4, -5, -3, -4}, // a negative length reverses
        {0, 0, 5, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << ", " << r.y << " to " << r.length);
        QvVector v(r.x, r.y);
        v.SetLength(r.length);
        EXPECT_NEAR(v.x, r.ex, 1e-12);
        EXPECT_NEAR(v.y, r.ey, 1e-12);
    }
}

TEST(QvVector, GetAngleSentinels) {
    struct Row {
        double x, y, angle;
    } rows[] = {
        {0, 0, 1000.0}, // the zero vector's sentinel
        {-1, 0, M_PI},  // the half turn is +pi, inside (-pi, pi]
        {1, 0, 0.0},    {0, 1, M_PI / 2}, {0, -1, -M_PI / 2}, {1, 1, M_PI / 4},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << ", " << r.y);
        EXPECT_DOUBLE_EQ(QvVector(r.x, r.y).GetAngle(), r.angle);
    }
}

TEST(QvVector, CosAngleAndPerpendicular) {
    EXPECT_NEAR(QvVector(1, 0).CosAngle(QvVector(1, 1)), std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(QvVector(2, 0).CosAngle(QvVector(-5, 0)), -1.0, 1e-12);
    EXPECT_TRUE(QvVector(1, 0).IsPerpendicular(QvVector(0.0001, 1)));   // dot 1e-4: within
    EXPECT_FALSE(QvVector(1, 0).IsPerpendicular(QvVector(0.00011, 1))); // dot 1.1e-4
}

TEST(QvVector, Rotate) {
    QvVector v(1, 0);
    v.Rotate(0.5, 100.0); // sine from the cosine
    EXPECT_NEAR(v.x, 0.5, 1e-12);
    EXPECT_NEAR(v.y, 0.8660254037844386, 1e-12);
    QvVector w(1, 0);
    w.Rotate(0.0, -1.0); // a quarter turn clockwise
    EXPECT_NEAR(w.x, 0.0, 1e-12);
    EXPECT_NEAR(w.y, -1.0, 1e-12);
}

TEST(RotatePoints, UsesTheKernelsPi) {
    QvPointArray points;
    points.Add(QvPoint(1, 0));
    points.Add(QvPoint(0, 2));
    RotatePoints(points, 90.0, QvPoint(0, 0));
    EXPECT_TRUE(PointNear(points[0], QvPoint(0, 1), 1e-9));
    EXPECT_TRUE(PointNear(points[1], QvPoint(-2, 0), 1e-9));
    // Not exactly 0: pi is 3.141592654, not the full-precision value.
    EXPECT_NE(points[0].x, 0.0);
    EXPECT_DOUBLE_EQ(points[0].x, std::cos(90.0 * 3.141592654 / 180.0));
}

TEST(RotatePoints, FourPointsAboutACentre) {
    QvPoint four[4] = {{20, 10}, {10, 20}, {0, 10}, {10, 0}};
    RotateFourPoints(four, 180.0, QvPoint(10, 10));
    EXPECT_TRUE(PointNear(four[0], QvPoint(0, 10), 1e-6));
    EXPECT_TRUE(PointNear(four[1], QvPoint(10, 0), 1e-6));
    EXPECT_TRUE(PointNear(four[2], QvPoint(20, 10), 1e-6));
    EXPECT_TRUE(PointNear(four[3], QvPoint(10, 20), 1e-6));
}

TEST(QvPointArray, GrowsByAnEighthBetweenFourAnd1024) {
    QvPointArray a;
    a.SetSize(100);
    EXPECT_EQ(a.GetAllocSize(), 100);
    a.Add(QvPoint(1, 1));
    EXPECT_EQ(a.GetSize(), 101);
    EXPECT_EQ(a.GetAllocSize(), 112); // 100 + 100/8

    QvPointArray small;
    small.SetSize(3);
    small.Add(QvPoint());
    EXPECT_EQ(small.GetAllocSize(), 7); // at least 4

    QvPointArray big;
    big.SetSize(20000);
    big.Add(QvPoint());
    EXPECT_EQ(big.GetAllocSize(), 21024); // at most 1024

    QvPointArray fixed;
    fixed.SetSize(5, 10);
    EXPECT_EQ(fixed.GetAllocSize(), 10);
    fixed.SetSize(11);
    EXPECT_EQ(fixed.GetAllocSize(), 20);
}

TEST(QvPointArray, CopyKeepsTheDestinationsGrowBy) {
    QvPointArray source;
    for (int i = 0; i < 6; ++i)
        source.Add(QvPoint(i, -i));
    QvPointArray destination;
    destination.SetSize(2, 50);
    CopyPointArray(source, destination);
    EXPECT_EQ(destination.GetSize(), 6);
    EXPECT_EQ(destination.GetGrowBy(), 50);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(PointNear(destination[i], source[i], 0));

    QvPoint four[4] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}};
    CopyFourPoints(four, destination);
    EXPECT_TRUE(PointNear(destination[3], QvPoint(7, 8), 0));
    EXPECT_TRUE(PointNear(destination[4], QvPoint(4, -4), 0)); // untouched
}
