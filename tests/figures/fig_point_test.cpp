#include "figure_test_support.h"
#include "figures/fig_point.h"
#include "figures/snap_point.h"

namespace {

class PointTest : public FigureTest {
protected:
    void TearDown() override { TheSettings().m_PointDefaults.Mark.SetValue(3); }

    static std::unique_ptr<QvFigPoint> Placed(QvPoint at) {
        auto p = Make<QvFigPoint>(QvFigPoint::ToolId);
        EXPECT_TRUE(p);
        EXPECT_TRUE(Click(*p, at)); // complete at the first click
        return p;
    }
    static QvSnapPointList SnapPoints(QvFigure& f) {
        QvSnapPointList list;
        f.AddSpecialPoints(list, 2);
        return list;
    }
};

TEST_F(PointTest, OneClickMakesIt) {
    auto p = Placed(QvPoint(1000.7, 2000.2));
    EXPECT_EQ(p->GetClickCount(), 0);
    EXPECT_EQ(p->GetPointCount(), 1);
    EXPECT_EQ(p->GetPartCount(), 1);
    EXPECT_EQ(p->GetDescription(), QStringLiteral("Point"));
    ExpectPoint(p->Primitive().point, 1000.7, 2000.2);
    EXPECT_EQ(p->GetBoundRect(), CRect(495, 1495, 1506, 2506));
    for (int n : {0, 1, 7})
        EXPECT_TRUE(p->GetPoint(n).IsFar()) << n;
    EXPECT_TRUE(p->HitTest(QvPoint(1100, 2000), 150));
    EXPECT_FALSE(p->HitTest(QvPoint(1200, 2000), 150));
}

TEST_F(PointTest, MarkComesFromTheDefaultWhenMade) {
    TheSettings().m_PointDefaults.Mark.SetValue(5);
    auto p = Placed(QvPoint(2000, 2000));
    TheSettings().m_PointDefaults.Mark.SetValue(1);
    EXPECT_EQ(p->PointData()->m_markType, 5);
    // A stored point keeps its mark and takes its tool id from the class.
    p->SetToolId(1234);
    auto loaded = Load<QvFigPoint>(Store(p.get()));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->PointData()->m_markType, 5);
    EXPECT_EQ(loaded->GetToolId(), QvFigPoint::ToolId);
    std::unique_ptr<QvEditData> copy(p->NewEditData());
    EXPECT_EQ(dynamic_cast<QvEditDataCircle&>(*copy).m_markType, 5);
}

TEST_F(PointTest, MarksDrawInTheLineColour) {
    auto p = Placed(QvPoint(5000, 2500));
    p->SetLineColour(RGB(0, 160, 0));
    for (int mark : {0, 1, 2, 3, 4, 5, 6, 8}) {
        p->PointData()->m_markType = mark;
        HimetricPage page;
        page.Draw([&](CDC& dc) { DrawNormal(*p, dc); });
        const QRect ink = InkBounds(page.image);
        if (mark == 0) {
            EXPECT_TRUE(ink.isNull());
            continue;
        }
        const QPoint centre = page.Pixel(5000, 2500);
        EXPECT_TRUE(ink.contains(centre)) << mark;
        EXPECT_LE(ink.width(), 12) << mark;
        EXPECT_LE(std::abs(ink.center().x() - centre.x()), 1) << mark;
    }
    p->PointData()->m_markType = 3;
    HimetricPage page;
    page.Draw([&](CDC& dc) { DrawNormal(*p, dc); });
    EXPECT_EQ(page.image.pixel(page.Pixel(5000, 2500)), qRgb(0, 160, 0));
}

TEST_F(PointTest, WithoutAMarkStillAGripAndASnapTarget) {
    auto p = Placed(QvPoint(5000, 2500));
    p->PointData()->m_markType = 0;
    HimetricPage page;
    page.Draw([&](CDC& dc) { p->DrawHandles(&dc); });
    EXPECT_EQ(page.image.pixel(page.Pixel(5000, 2500)), 0xFFFF0000u);
    QvSnapPointList snaps = SnapPoints(*p);
    ASSERT_EQ(snaps.GetCount(), 1);
    EXPECT_EQ(snaps[0].label, QStringLiteral("Point"));
    ExpectPoint(snaps[0].point, 5000, 2500);
    // Dragging the grip carries the snap target along.
    QvPoint grip(5100, 2450);
    ASSERT_EQ(p->FindDefiningPoint(grip), 0);
    p->MoveHandle(0, QvPoint(6000, 1000), QvPoint(), {});
    ExpectPoint(SnapPoints(*p)[0].point, 6000, 1000);
    EXPECT_EQ(p->CreateGeometry()->NearestPoint(QvPoint()), QvPoint(6000, 1000));
}

} // namespace
