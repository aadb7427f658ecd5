// The curve drawn through the device context: the polyline follows the
// flattened points, the double line runs on both sides, the polygon fills.
#include "drawing_test_support.h"
#include "geometry/gr_bezier.h"

#include <gtest/gtest.h>

namespace {
QvGRBezierCurve Arch() {
    QvGRBezierCurve curve;
    curve.SetSegment(QvPoint(10, 90), QvPoint(90, 90), QvPoint(10, 10), QvPoint(90, 10));
    return curve;
}
} // namespace

TEST(QvGRBezierCurveDraw, PolylineDoubleAndPolygon) {
    struct Row {
        const char* name;
        void (*draw)(QvGRBezierCurve&, CDC&);
        QRect expected; // ink bounds, within a pixel or two
        bool filledCentre;
    };
    const Row rows[] = {
        {"polyline", [](QvGRBezierCurve& c, CDC& dc) { c.DrawPolyline(dc); }, QRect(10, 30, 81, 61),
         false},
        {"double", [](QvGRBezierCurve& c, CDC& dc) { c.DrawDouble(dc, 5); }, QRect(5, 25, 91, 66),
         false},
        {"polygon", [](QvGRBezierCurve& c, CDC& dc) { c.DrawPolygon(dc); }, QRect(10, 30, 81, 61),
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QImage image = Page(96, 100, 100);
        {
            CDC dc(&image);
            Prepare(dc, MM_TEXT);
            CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
            CBrush brush(RGB(255, 0, 0));
            dc.SelectObject(&pen);
            dc.SelectObject(&brush);
            QvGRBezierCurve curve = Arch();
            row.draw(curve, dc);
        }
        QRect ink = InkBounds(image);
        EXPECT_NEAR(ink.left(), row.expected.left(), 2);
        EXPECT_NEAR(ink.right(), row.expected.right(), 2);
        EXPECT_NEAR(ink.top(), row.expected.top(), 2);
        EXPECT_NEAR(ink.bottom(), row.expected.bottom(), 2);
        EXPECT_EQ(image.pixel(50, 60) == qRgb(255, 0, 0), row.filledCentre);
    }
}

TEST(QvGRBezierCurveDraw, UnbuiltCurveDrawsNothing) {
    QImage image = Page(96, 50, 50);
    {
        CDC dc(&image);
        QvGRBezierCurve empty;
        empty.DrawPolyline(dc);
        empty.DrawDouble(dc, 5);
        empty.DrawPolygon(dc);
    }
    EXPECT_TRUE(InkBounds(image).isNull());
}
