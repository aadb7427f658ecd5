#include "common/test_support.h"
#include "figure_test_support.h"
#include "figures/fig_round_rect.h"
#include "figures/shape_record.h"
#include "figures/snap_point.h"
#include "platform/command_ids.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int kSolidFill = ID_FILL_SOLID;

class RoundRectTest : public FigureTest {
protected:
    void SetUp() override {
        FigureTest::SetUp();
        TheSettings().m_RoundRectRadius.SetValue(3000);
    }
    void TearDown() override { QvFigRoundRect::PropertiesDialog::Set(nullptr); }

    // Pressed at `from`, released at `to`, as the view drives it.
    static std::unique_ptr<QvFigRoundRect> Dragged(QvPoint from, QvPoint to) {
        auto r = Make<QvFigRoundRect>(QvFigRoundRect::ToolId);
        EXPECT_FALSE(Click(*r, from));
        r->TrackCreatePoint(QvPoint((from.x + to.x) / 2, (from.y + to.y) / 2), {});
        EXPECT_TRUE(Click(*r, to));
        return r;
    }
    static std::unique_ptr<QvFigRoundRect> Rebuilt(std::unique_ptr<QvFigRoundRect> r) {
        r->MapToFrame(QvGRRect());
        r->BuildFromPoints();
        return r;
    }
};

TEST_F(RoundRectTest, MadeByDraggingWithTheHandleOnTheFirstSide) {
    struct Case {
        QvPoint from, to;
        QvPoint handle;
    };
    // The handle lies the radius (30 mm) from corner 0 toward corner 1, at
    // most half that side away, whichever way the drag went.
    const Case cases[] = {
        {QvPoint(1000, 1000), QvPoint(9000, 3000), QvPoint(4000, 1000)},
        {QvPoint(9000, 1000), QvPoint(1000, 3000), QvPoint(6000, 1000)},
        {QvPoint(1000, 1000), QvPoint(5000, 3000), QvPoint(3000, 1000)},
        {QvPoint(5000, 3000), QvPoint(1000, 1000), QvPoint(3000, 3000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.from.x << "," << c.from.y << " to " << c.to.x << "," << c.to.y);
        auto r = Dragged(c.from, c.to);
        EXPECT_EQ(r->GetPointCount(), 5);
        EXPECT_EQ(r->GetRoundGripCount(), 1);
        const QvPointArray& p = r->DefiningPoints();
        ExpectPoint(p[1], c.to.x, c.from.y);
        ExpectPoint(p[2], c.to.x, c.to.y);
        ExpectPoint(p[3], c.from.x, c.to.y);
        ExpectPoint(p[4], c.handle.x, c.handle.y);
        ExpectPoint(r->DisplayPoints()[4], c.handle.x, c.handle.y);
        // The radius stays as set, whatever the size.
        EXPECT_EQ(r->RoundRectData()->m_radius, 3000);
    }
    auto r = Dragged(QvPoint(1000, 1000), QvPoint(5000, 3000));
    EXPECT_EQ(r->GetDescription(),
              QStringLiteral("Rounded Rectangle - 40.00 by 20.00, radius 30.00"));
    // Its parts are the pieces it offers the snap search.
    QvShapeList shapes;
    r->AddShapes(shapes, -1);
    EXPECT_EQ(shapes.GetCount(), r->GetPartCount());
    EXPECT_EQ(r->GetPartCount(), 8);
    for (int k = 0; k < shapes.GetCount(); ++k) {
        EXPECT_EQ(shapes[k].index1, k);
        QvShapeList one;
        r->AddShapes(one, k);
        ASSERT_EQ(one.GetCount(), 1);
        EXPECT_EQ(one[0].shape->GetType(), shapes[k].shape->GetType());
    }
}

TEST_F(RoundRectTest, CornersAreHeldToHalfTheShorterSide) {
    struct Case {
        LONG radius;
        double drawn;
    };
    // 40 mm by 10 mm.
    const Case cases[] = {{3000, 500}, {300, 300}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radius);
        auto r = Dragged(QvPoint(2000, 1000), QvPoint(6000, 2000));
        r->RoundRectData()->m_radius = c.radius;
        r = Rebuilt(std::move(r));
        EXPECT_EQ(
            r->GetDescription(),
            QString::asprintf("Rounded Rectangle - 40.00 by 10.00, radius %.2f", c.radius / 100.0));
        QvShapeList shapes;
        r->AddShapes(shapes, -1);
        auto* bottom = dynamic_cast<QvGRLine*>(shapes[0].shape.get());
        auto* left = dynamic_cast<QvGRLine*>(shapes[3].shape.get());
        ASSERT_TRUE(bottom && left);
        ExpectPoint(bottom->p1, 2000 + c.drawn, 1000);
        ExpectPoint(bottom->p2, 6000 - c.drawn, 1000);
        ExpectPoint(left->p1, 2000, 2000 - c.drawn);
        ExpectPoint(left->p2, 2000, 1000 + c.drawn);

        HimetricPage page;
        r->SetFillStyle(kSolidFill);
        page.Draw([&](CDC& dc) { DrawNormal(*r, dc); });
        // The sharp corner is inked only when nothing rounds it off; the
        // fill reaches the middle, and stops at the rounding.
        EXPECT_EQ(page.InkIn(Square(page.Pixel(2000, 1000), 1, 1)) > 0, c.drawn < 100);
        EXPECT_GT(page.InkIn(Square(page.Pixel(4000, 1500), 0, 0)), 0);
        EXPECT_GT(page.InkIn(Square(page.Pixel(4000, 1000), 1, 1)), 0);
    }
}

TEST_F(RoundRectTest, TheHandleSetsTheRadiusUpToHalfTheFirstSide) {
    struct Case {
        int grip;
        QvPoint to;
        LONG radius;
        QvPoint handle;
    };
    // 40.01 mm by 20 mm from (1000, 1000).
    const Case cases[] = {
        {4, QvPoint(2000, 1700), 1000, QvPoint(2000, 1000)},
        // To the middle or past it: half the side, truncated.
        {4, QvPoint(3000.5, 800), 2000, QvPoint(3000, 1000)},
        {4, QvPoint(8000, 1000), 2000, QvPoint(3000.5, 1000)},
        // Behind corner 0: the distance, on the side toward corner 1.
        {4, QvPoint(200, 1300), 800, QvPoint(1800, 1000)},
        // A corner drag that shortens the first side holds the radius to it.
        {2, QvPoint(3000, 3000), 1000, QvPoint(2000, 1000)},
        {2, QvPoint(9000, 3000), 3000, QvPoint(4000, 1000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        auto r = Dragged(QvPoint(1000, 1000), QvPoint(5001, 3000));
        r->MoveHandle(c.grip, c.to, QvPoint(), {});
        EXPECT_EQ(r->RoundRectData()->m_radius, c.radius);
        ExpectPoint(r->DefiningPoints()[4], c.handle.x, c.handle.y);
    }
    // Half a side of 40 mm is 20 mm at any angle: a length worked out
    // from turned points must not lose a unit to rounding.
    for (int degrees = 1; degrees < 60; ++degrees) {
        auto turned = Dragged(QvPoint(1000, 1000), QvPoint(5000, 3000));
        turned->Rotate(degrees, QvPoint(1000, 1000));
        const QvPointArray& p = turned->DefiningPoints();
        turned->MoveHandle(4, p[0] + (p[1] - p[0]) * 0.9, QvPoint(), {});
        EXPECT_EQ(turned->RoundRectData()->m_radius, 2000) << degrees;
    }
}

// The outline is one stroke: where a corner meets a side the line is as
// dark as along the side, with no gap, thin spot or stub at the joins, on
// the screen and at 300 dpi.
TEST_F(RoundRectTest, TheOutlineRunsEvenlyThroughTheJoins) {
    auto r = Rebuilt(Dragged(QvPoint(500, 500), QvPoint(3500, 2500)));
    r->RoundRectData()->m_radius = 500;
    for (int style : {ID_LINE_HAIRLINE, ID_LINE_SOLID2}) {
        r->SetLineStyle(style);
        for (int dpi : {96, 300}) {
            SCOPED_TRACE(testing::Message() << "style " << style << " at " << dpi);
            const double k = dpi / 2540.0;
            QImage image = Page(dpi, int(4000 * k), int(3000 * k));
            {
                CDC dc(&image);
                Prepare(dc, MM_HIMETRIC);
                dc.SetViewportOrg(0, image.height());
                DrawNormal(*r, dc);
            }
            // The ink across each row near the left side, where the
            // outline runs within 20 degrees of upright: the side, the
            // ends of both corners and the joins between them.
            const int x0 = int(500 * k);
            const double reach = 500 * std::sin(20 * std::numbers::pi / 180);
            std::vector<double> rows;
            for (int y = int(image.height() - (2000 + reach) * k);
                 y <= int(image.height() - (1000 - reach) * k); ++y) {
                double ink = 0.0;
                for (int x = std::max(0, x0 - 12); x <= x0 + 12; ++x)
                    ink += (255 - qGray(image.pixel(x, y))) / 255.0;
                rows.push_back(ink);
            }
            std::vector<double> sorted = rows;
            std::sort(sorted.begin(), sorted.end());
            const double usual = sorted[sorted.size() / 2];
            // A smoothed hairline just off upright is a fifth lighter or so
            // on the screen; a gap or a cut end is far more.
            for (size_t i = 0; i < rows.size(); ++i)
                EXPECT_NEAR(rows[i], usual, 0.25 * usual) << "row " << i;
        }
    }
}

TEST_F(RoundRectTest, PropertiesDialogOkSetsTheRadiusCancelNothing) {
    auto r = Dragged(QvPoint(1000, 1000), QvPoint(9000, 3000));
    r->RoundRectData()->m_radius = 1250;
    const QByteArray before = Store(r.get());
    {
        // No dialog to show: a beep, nothing else.
        MessageRecorder recorder;
        r->EditProperties(CPoint(), CPoint());
        EXPECT_EQ(recorder.beeps, 1);
    }
    int shown = -1;
    QvFigRoundRect::PropertiesDialog::Set([&](int& mm) {
        shown = mm;
        mm = 40;
        return false;
    });
    r->EditProperties(CPoint(), CPoint());
    EXPECT_EQ(shown, 12);
    EXPECT_EQ(Store(r.get()), before);

    QvFigRoundRect::PropertiesDialog::Set([](int& mm) {
        mm = 12;
        return true;
    });
    r->EditProperties(CPoint(), CPoint());
    EXPECT_EQ(r->RoundRectData()->m_radius, 1200);
    ExpectPoint(r->DefiningPoints()[4], 2200, 1000);
    ExpectPoint(r->DisplayPoints()[4], 2200, 1000);
}

TEST_F(RoundRectTest, SavesCopiesAndSnapsAsDrawn) {
    auto r = Dragged(QvPoint(1130, 1170), QvPoint(5130, 4170));
    r->RoundRectData()->m_radius = 700;
    r->SetLineColour(RGB(1, 2, 3));
    r = Rebuilt(std::move(r));
    const QByteArray bytes = Store(r.get());
    auto back = Load<QvFigRoundRect>(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(Store(back.get()), bytes);
    EXPECT_EQ(back->RoundRectData()->m_radius, 700);
    auto copy = Make<QvFigRoundRect>(QvFigRoundRect::ToolId);
    copy->CopyFrom(r.get());
    EXPECT_EQ(Store(copy.get()), bytes);

    // Its geometry is its rectangle, where it is.
    auto geometry = r->CreateGeometry();
    auto* rect = dynamic_cast<QvGRRect*>(geometry.get());
    ASSERT_TRUE(rect);
    ExpectPoint(rect->corner[0], 1130, 1170);
    ExpectPoint(rect->corner[2], 5130, 4170);
    // Its special points: the ends of the sides, where the corners start,
    // and their middles.
    QvSnapPointList points;
    r->AddSpecialPoints(points, 1);
    auto offers = [&](QvPoint p) {
        for (int i = 0; i < points.GetCount(); ++i)
            if ((points[i].point - p).Length() < 1e-6)
                return true;
        return false;
    };
    EXPECT_TRUE(offers(QvPoint(1830, 1170)));
    EXPECT_TRUE(offers(QvPoint(3130, 1170)));
    EXPECT_TRUE(offers(QvPoint(5130, 3470)));
    EXPECT_FALSE(offers(QvPoint(1130, 1170)));
    EXPECT_TRUE(r->HitTest(QvPoint(3130, 4175), 10));
    EXPECT_FALSE(r->HitTest(QvPoint(1140, 1180), 10));
}

} // namespace
