#include "figures/copy_map.h"
#include "figures/shape_record.h"
#include "figures/snap_point.h"
#include "geometry/gr_line.h"

#include <gtest/gtest.h>

namespace {

TEST(ShapeRecord, CopiesCloneAndMovesHandOver) {
    QvShapeRecord a;
    a.SetShape(std::make_unique<QvGRLine>(QvPoint(0, 0), QvPoint(1, 1)));
    a.index1 = 3;
    QvGRRect frame;
    frame.SetCorners(QvPoint(0, 0), QvPoint(10, 0), QvPoint(10, 10), QvPoint(0, 10));
    a.frame1 = &frame;
    QvShapeRecord b(a);
    ASSERT_TRUE(b.shape);
    EXPECT_NE(b.shape.get(), a.shape.get());
    auto* line = dynamic_cast<const QvGRLine*>(b.shape.get());
    ASSERT_TRUE(line);
    EXPECT_EQ(line->p2, QvPoint(1, 1));
    EXPECT_EQ(b.index1, 3);
    EXPECT_EQ(b.frame1, &frame);
    b.shape.reset();
    EXPECT_EQ(b.shape, nullptr);
    QvShapeRecord c;
    c = a;
    ASSERT_TRUE(c.shape);
    EXPECT_NE(c.shape.get(), a.shape.get());
    c = b; // a copy of an empty record stays empty
    EXPECT_EQ(c.shape, nullptr);
    EXPECT_EQ(c.index1, 3);

    // A move hands the primitive over and leaves nothing to delete twice.
    QvGRBase* owned = a.shape.get();
    QvShapeRecord moved(std::move(a));
    EXPECT_EQ(moved.shape.get(), owned);
    EXPECT_EQ(a.shape, nullptr);
    c = std::move(moved);
    EXPECT_EQ(c.shape.get(), owned);
    EXPECT_EQ(moved.shape, nullptr);

    // Growing past the preallocation keeps every record's own primitive.
    QvShapeList list;
    for (int i = 0; i < 450; ++i)
        list.Add(c);
    ASSERT_EQ(list.GetCount(), 450);
    EXPECT_NE(list[0].shape.get(), list[1].shape.get());
    EXPECT_NE(list[449].shape.get(), owned);
    EXPECT_EQ(list[449].index1, 3);
    ASSERT_TRUE(list[449].shape);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(SnapPoint, TakesTheSpecialPointFields) {
    QvSpecialPoint special{QvPoint(1, 2), 0.5, QStringLiteral("Centre"), 7};
    QvSnapPoint point(special);
    EXPECT_EQ(point.point, QvPoint(1, 2));
    EXPECT_EQ(point.priority, 0.5);
    EXPECT_EQ(point.label, QStringLiteral("Centre"));
    EXPECT_EQ(point.figure1, nullptr);
    QvSnapPointList list;
    list.Add(point);
    EXPECT_EQ(list.GetCount(), 1);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(CopyMap, PairsInOrder) {
    QvCopyMap map;
    auto* a = reinterpret_cast<QvFigure*>(0x10);
    auto* b = reinterpret_cast<QvFigure*>(0x20);
    map.AddPair(a, b);
    map.AddPair(b, a);
    ASSERT_EQ(map.GetCount(), 2);
    EXPECT_EQ(map[0].source, a);
    EXPECT_EQ(map.CopyOf(b), a);
    EXPECT_EQ(map.CopyOf(nullptr), nullptr);
}

} // namespace
