// The normal distribution curve: where its bounds start, what it draws in
// each option, its grips, its record, and curves wider than any buffer.
#include "common/recording_device.h"
#include "common/test_support.h"
#include "diagrams/fig_norm.h"
#include "document/lumbrel2_doc.h"
#include "figures/figure_test_support.h"
#include "geometry/gr_line.h"
#include "platform/command_ids.h"
#include "shell/lumbrel2_app.h"

#include <cmath>

namespace {

constexpr LONG kNoFill = ID_FILL_NONE;
constexpr LONG kSolid = ID_FILL_SOLID;

class NormalCurveTest : public FigureTest {
protected:
    void SetUp() override {
        FigureTest::SetUp();
        QvNormDistDefaults& d = TheSettings().m_NormDistDefaults;
        d.Arrow.SetValue(12);
        d.Arrow_Size.SetValue(12);
        d.Inverse.SetValue(false);
        d.Shade.SetValue(true);
        d.yAxis.SetValue(false);
        d.Baseline.SetValue(true);
    }
    void TearDown() override { QvFigNorm::PropertiesDialog::Set({}); }

    // A curve dragged from (1000, 1000) to (1000 + w, 1000 + h).
    static std::unique_ptr<QvFigNorm> Curve(double w = 10000, double h = 5000) {
        auto f = Make<QvFigNorm>(QvFigNorm::ToolId);
        Click(*f, QvPoint(1000, 1000 + h));
        EXPECT_TRUE(Click(*f, QvPoint(1000 + w, 1000)));
        return f;
    }

    // What the curve draws as the picture export draws it: y down, one
    // unit a device unit (each shifted by half a unit to the pixel centre).
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
    // The shading polygons; arrowheads are the three-point ones.
    static std::vector<QPolygonF> Shading(const std::vector<DrawnItem>& items) {
        std::vector<QPolygonF> shading;
        for (const DrawnItem& item : items)
            if (item.kind == DrawnItem::Polygon && item.polygon.size() > 3)
                shading.push_back(item.polygon.translated(-0.5, -0.5));
        return shading;
    }
    static int Heads(const std::vector<DrawnItem>& items) {
        return int(std::count_if(items.begin(), items.end(), [](const DrawnItem& item) {
            return item.kind == DrawnItem::Polygon && item.polygon.size() == 3;
        }));
    }

    TempProfile profile;
    Lumbrel2App app;
};

TEST_F(NormalCurveTest, NewCurveShadesFromMinusOneToOne) {
    TheSettings().m_CurFillColor.SetValue(RGB(0, 0, 0));
    auto f = Curve();
    EXPECT_EQ(f->GetPointCount(), 6);
    EXPECT_EQ(f->GetDescription(), QStringLiteral("Normal Distribution Curve"));
    // 100 mm wide: the bounds at 37.5 and 62.5 mm, on the first corner's side.
    ExpectPoint(f->DefiningPoints()[4], 4750, 6000);
    ExpectPoint(f->DefiningPoints()[5], 7250, 6000);
    EXPECT_EQ(f->ToDeviations(4750), -1.0);
    EXPECT_EQ(f->ToDeviations(7250), 1.0);
    // The grips are real points, never the far point.
    ExpectPoint(f->GetPoint(4), 4750, 6000);
    ExpectPoint(f->GetPoint(5), 7250, 6000);
    // A black fill would hide the curve: it becomes light grey.
    EXPECT_EQ(f->NormData()->m_fillColor, RGB(192, 192, 192));

    // The dialog sees half the arrowhead size and the bounds in deviations.
    QvNormProperties seen;
    QvFigNorm::PropertiesDialog::Set([&](QvNormProperties& v) {
        seen = v;
        return false;
    });
    f->EditProperties(CPoint(), CPoint());
    EXPECT_EQ(seen.arrowSize, 6);
    EXPECT_EQ(seen.arrowCode, 12);
    EXPECT_EQ(seen.low, -1.0);
    EXPECT_EQ(seen.high, 1.0);
    EXPECT_EQ(seen.shading, 1);
    EXPECT_EQ(seen.baseline, 1);
    EXPECT_EQ(seen.yAxis, 0);
}

// The box runs from y 1000 (top, as drawn) to 6000; the baseline rises by
// one arrowhead size when it has heads, the peak drops for the axis's head.
TEST_F(NormalCurveTest, BaselineAndPeakForEachOption) {
    struct Case {
        const char* what;
        int baseline, axis, arrow;
        double yb, peak;
        int heads;
    } cases[] = {
        {"heads lift the baseline 2.4 mm", 1, 0, 12, 5760, 1000, 2},
        {"the axis head takes 7.2 mm", 1, 1, 12, 5760, 1720, 3},
        {"no heads: no lift, the axis takes 2 mm", 1, 1, 10, 6000, 1200, 0},
        {"no baseline: no lift, but its heads", 0, 0, 12, 6000, 1000, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto f = Curve();
        QvEditDataNorm& d = *f->NormData();
        d.m_bBaseline = BYTE(c.baseline);
        d.m_byAxis = BYTE(c.axis);
        d.m_nArrow = c.arrow;
        const auto items = Record(*f);
        EXPECT_EQ(Heads(items), c.heads);
        const auto shading = Shading(items);
        ASSERT_EQ(shading.size(), 1u);
        const QRectF box = shading[0].boundingRect();
        EXPECT_EQ(box.bottom(), c.yb);
        EXPECT_EQ(box.top(), c.peak);
        EXPECT_EQ(box.left(), 4750);
        EXPECT_EQ(box.right(), 7250);
    }
    // Drawn y up, the baseline rises too.
    auto f = Curve();
    EXPECT_EQ(f->Reference(QvFigNorm::BaselineLeft).y, 1240);
    EXPECT_EQ(f->Reference(QvFigNorm::Apex).x, 6000);
}

TEST_F(NormalCurveTest, InverseShadesTheTwoTails) {
    auto f = Curve();
    f->NormData()->m_bInverse = 1;
    const auto shading = Shading(Record(*f));
    ASSERT_EQ(shading.size(), 2u);
    const QPolygonF& left = shading[0];
    const QPolygonF& right = shading[1];
    EXPECT_EQ(left.boundingRect().left(), 1000);
    EXPECT_EQ(left.boundingRect().right(), 4750);
    EXPECT_EQ(right.boundingRect().left(), 7250);
    EXPECT_GE(right.boundingRect().right(), 10900);
    // At the left edge the curve lies exp(-8) of its height above the
    // baseline: 4760 * 0.000335 = 1.6 units, truncated.
    EXPECT_EQ(left[0], QPointF(4750, 5760));
    EXPECT_EQ(left[1], QPointF(1000, int(5760 - 4760 * std::exp(-8.0))));
    EXPECT_EQ(left[1].y(), 5758);
    // The tails hold the samples outside the bounds only.
    for (const QPointF& p : left)
        EXPECT_LE(p.x(), 4750);
    for (const QPointF& p : right)
        EXPECT_GE(p.x(), 7250);

    f->NormData()->m_bShade = 0;
    EXPECT_TRUE(Shading(Record(*f)).empty());
    // Modes 2 and 4 draw nothing of the curve.
    f->NormData()->m_bShade = 1;
    EXPECT_TRUE(Record(*f, QvDrawMode::Highlight).empty());
    EXPECT_TRUE(Record(*f, QvDrawMode::White2).empty());
}

TEST_F(NormalCurveTest, NoFillDrawsSolidAndStaysNoFill) {
    auto f = Curve();
    ASSERT_EQ(f->NormData()->m_fillStyle, kNoFill);
    const QByteArray before = Store(f.get());
    const auto items = Record(*f);
    bool shaded = false;
    for (const DrawnItem& item : items)
        if (item.kind == DrawnItem::Polygon && item.polygon.size() > 3) {
            EXPECT_EQ(item.brush.style(), Qt::SolidPattern);
            shaded = true;
        }
    EXPECT_TRUE(shaded);
    EXPECT_EQ(f->NormData()->m_fillStyle, kNoFill);
    EXPECT_EQ(Store(f.get()), before);
    // A solid style is what it says.
    f->SetFillStyle(kSolid);
    EXPECT_EQ(f->NormData()->m_fillStyle, kSolid);
}

TEST_F(NormalCurveTest, GripsKeepTheBoundsInDeviations) {
    auto f = Curve();
    const auto deviations = [&] {
        return std::pair(f->ToDeviations(f->DefiningPoints()[4].x),
                         f->ToDeviations(f->DefiningPoints()[5].x));
    };
    // A corner drag doubles the width; the bounds stay at -1 and 1.
    f->MoveHandle(1, QvPoint(21000, 6000), QvPoint(), {});
    EXPECT_EQ(f->DefiningPoints()[1].x, 21000);
    EXPECT_EQ(deviations(), std::pair(-1.0, 1.0));
    EXPECT_EQ(f->DefiningPoints()[4].y, f->DefiningPoints()[0].y);

    // A bound stops at the other bound and at its edge.
    f->MoveHandle(4, QvPoint(19000, 6000), QvPoint(), {});
    EXPECT_EQ(f->DefiningPoints()[4].x, f->DefiningPoints()[5].x);
    f->MoveHandle(4, QvPoint(-5000, 3000), QvPoint(), {});
    EXPECT_EQ(f->DefiningPoints()[4].x, 1000);
    f->MoveHandle(5, QvPoint(99000, 3000), QvPoint(), {});
    EXPECT_EQ(f->DefiningPoints()[5].x, 21000);
    f->MoveHandle(5, QvPoint(-5000, 3000), QvPoint(), {});
    EXPECT_EQ(f->DefiningPoints()[5].x, 1000);

    // Turning moves the box; mirroring it left to right mirrors the bounds.
    auto g = Curve();
    g->DefiningPoints()[4].x = g->FromDeviations(-2);
    g->DefiningPoints()[5].x = g->FromDeviations(0.5);
    g->Rotate(90, QvPoint(0, 0));
    EXPECT_NE(g->DefiningPoints()[0].x, 1000);
    EXPECT_EQ(g->DefiningPoints()[4].y, g->DefiningPoints()[0].y);
    EXPECT_EQ(g->ToDeviations(g->DefiningPoints()[4].x), -2.0);
    EXPECT_EQ(g->ToDeviations(g->DefiningPoints()[5].x), 0.5);
    g->Reflect(QvGRLine(QvPoint(0, 0), QvPoint(0, 1000)));
    EXPECT_EQ(g->ToDeviations(g->DefiningPoints()[4].x), -0.5);
    EXPECT_EQ(g->ToDeviations(g->DefiningPoints()[5].x), 2.0);
}

TEST_F(NormalCurveTest, DialogValuesComeBackToTheRecordAndGrips) {
    auto f = Curve();
    QvFigNorm::PropertiesDialog::Set([](QvNormProperties& v) {
        v.low = -1.96;
        v.high = 1.96;
        v.arrowSize = 3;
        v.arrowCode = 14;
        v.yAxis = 1;
        v.baseline = 0;
        v.shading = 2;
        return true;
    });
    f->EditProperties(CPoint(), CPoint());
    EXPECT_NEAR(f->DefiningPoints()[4].x, 1000 + 2.04 / 8 * 10000, 1e-6);
    EXPECT_NEAR(f->DefiningPoints()[5].x, 1000 + 5.96 / 8 * 10000, 1e-6);
    EXPECT_EQ(f->ToDeviations(f->DefiningPoints()[4].x), -1.96);
    const QvEditDataNorm& d = *f->NormData();
    EXPECT_EQ(d.m_nArrowSize, 6);
    EXPECT_EQ(d.m_nArrow, 14);
    EXPECT_EQ(d.m_byAxis, 1);
    EXPECT_EQ(d.m_bBaseline, 0);
    EXPECT_EQ(d.m_bShade, 1);
    EXPECT_EQ(d.m_bInverse, 1);

    // No shading leaves the tails choice as it was.
    QvFigNorm::PropertiesDialog::Set([](QvNormProperties& v) {
        v.shading = 0;
        return true;
    });
    f->EditProperties(CPoint(), CPoint());
    EXPECT_EQ(d.m_bShade, 0);
    EXPECT_EQ(d.m_bInverse, 1);
}

TEST_F(NormalCurveTest, RecordFileForm) {
    auto f = Curve();
    QvEditDataNorm& d = *f->NormData();
    d.m_bInverse = 1;
    d.m_bBaseline = 0;
    d.m_byAxis = 1;
    d.m_bShade = 0;
    d.m_nArrow = 0x01020314;
    d.m_nArrowSize = 40;
    const QByteArray bytes = Store(&d);
    EXPECT_EQ(bytes.right(11).toHex(), QByteArray("01000100010014030201"
                                                  "28"));
    auto back = Load<QvEditDataNorm>(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(Store(back.get()), bytes);

    // A record stored below version 1 keeps the values a new record has.
    QByteArray old = bytes;
    old[old.size() - 11] = 0;
    auto kept = Load<QvEditDataNorm>(old);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->m_bInverse, 1);
    EXPECT_EQ(kept->m_bBaseline, 1);
    EXPECT_EQ(kept->m_byAxis, 1);
    EXPECT_EQ(kept->m_bShade, 1);
    EXPECT_EQ(kept->m_nArrow, 12);
    EXPECT_EQ(kept->m_nArrowSize, 4);
}

// One sample a millimetre (a device unit in MM_TEXT): wide curves take
// thousands of samples.
TEST_F(NormalCurveTest, WideCurvesDrawEverySample) {
    auto f = Curve(300000, 5000); // 3 m
    f->MoveHandle(4, QvPoint(0, 0), QvPoint(), {});
    f->MoveHandle(5, QvPoint(400000, 0), QvPoint(), {});
    auto shading = Shading(Record(*f));
    ASSERT_EQ(shading.size(), 1u);
    EXPECT_EQ(shading[0].size(), 3000 + 4);

    RecordingDevice device(6000, 2000);
    {
        CDC dc(&device);
        dc.SetMapMode(MM_TEXT);
        f = Curve(5000, 1000);
        f->MoveHandle(4, QvPoint(0, 0), QvPoint(), {});
        f->MoveHandle(5, QvPoint(9000, 0), QvPoint(), {});
        DrawNormal(*f, dc);
    }
    shading = Shading(device.Items());
    ASSERT_EQ(shading.size(), 1u);
    EXPECT_EQ(shading[0].size(), 5000 + 4);
}

// Bounds typed beyond the curve's ends shade only as far as the curve
// goes: nothing is drawn outside the box, plain or inverse.
TEST_F(NormalCurveTest, BoundsBeyondTheEndsShadeWithinTheBox) {
    const double huge = 1e308;
    struct Case {
        double low, high;
        int shading;
    } cases[] = {{-10, 0, 1}, {0, 10, 1},       {-10, 10, 1}, {-huge, huge, 1},
                 {-10, 0, 2}, {-huge, huge, 2}, {5, 9, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << " to " << c.high << " style " << c.shading);
        auto f = Curve();
        QvFigNorm::PropertiesDialog::Set([&](QvNormProperties& v) {
            v.low = c.low;
            v.high = c.high;
            v.shading = c.shading;
            return true;
        });
        f->EditProperties(CPoint(), CPoint());
        // The box, as drawn y down: 1000 to 11000 across, 1000 to 6000 down.
        const auto items = Record(*f);
        ASSERT_FALSE(items.empty());
        for (const DrawnItem& item : items)
            EXPECT_TRUE(item.rect.left() >= 999 && item.rect.right() <= 11001 &&
                        item.rect.top() >= 999 && item.rect.bottom() <= 6001)
                << item.kind << " " << item.rect.left() << "," << item.rect.top() << " "
                << item.rect.width() << "x" << item.rect.height();
    }
}

TEST_F(NormalCurveTest, UngroupLeavesTheCurveWhole) {
    Lumbrel2Doc doc;
    QvFigNorm* f = Curve().release();
    doc.AddFigure(f);
    doc.AddToSelection(f);
    doc.UngroupSelection();
    ASSERT_EQ(doc.GetFigureCount(), 1);
    EXPECT_EQ(doc.GetFigure(0), f);
}

} // namespace
