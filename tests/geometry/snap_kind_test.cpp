// Snap kinds, the snap-kind test and the special-point records.
#include "geometry/snap_kind.h"
#include "geometry/special_point.h"
#include "geometry_test_support.h"

#include <cmath>
#include <limits>
#include <string>

namespace {
// The kinds table, written out again by hand: "levels" lists the modes
// in which the kind is enabled.
struct KindRow {
    int kind;
    const char* label;
    double priority;
    int range;
    const char* levels;
} const kTable[] = {
    {0, "Grid Point", 1.0, 1000000, "0123"},
    {1, "End of line", 3.0, 1000000, "123"},
    {2, "Mid point", 3.0, 1000000, "123"},
    {3, "Quarter", 2.3, 40, "23"},
    {4, "Third", 2.3, 40, "23"},
    {5, "Parallel to line", 1.3, 20, "23"},
    {6, "Perpendicular to line", 1.7, 20, "23"},
    {7, "Point on figure", 0.4, 1000000, "23"},
    {8, "Intersection", 3.01, 15, "23"},
    {9, "Angle Bisector", 1.3, 10, "23"},
    {10, "Intersection of ", 2.2, 15, ""},
    {11, "Grid Point on Figure", 2.6, 1000000, "123"},
    {12, "Intersection Of Figure and ", 2.99, 15, "23"},
    {13, "Grid Point on ", 2.6, 15, "23"},
    {14, "", 2.5, 15, "23"},
    {15, "Centre", 3.7, 1000000, "123"},
    {16, "Tangent", 2.9, 20, "23"},
    {17, "Line through centre", 2.1, 20, "23"},
    {18, "Tangent to both circles", 3.1, 20, "23"},
    {19, "Vertex", 3.02, 1000000, "123"},
    {20, "Mid point", 3.0, 1000000, "123"},
    {21, "Point", 3.7, 1000000, "123"},
    {22, "Vertex", 3.02, 1000000, "123"},
    {23, "Mid point", 3.0, 1000000, "123"},
    {24, "Centre", 3.7, 1000000, "123"},
    {25, "End of axis", 3.1, 1000000, "123"},
    {26, "Focus", 3.1, 1000000, "123"},
    {27, "Centre of curvature", 3.7, 1000000, "123"},
    {28, "End of arc", 3.0, 1000000, "123"},
    {29, "Mid point of arc", 3.0, 1000000, "123"},
    {30, "Mid point of chord", 3.0, 1000000, "123"},
    {31, "Angle Mark", 3.7, 1000000, "123"},
    {32, "Point on graph paper/dot paper", 3.0, 1000000, "123"},
};
} // namespace

TEST(QvSnapTable, HoldsEveryKind) {
    const QvSnapTable& table = QvGetSnapTable();
    EXPECT_EQ(&SnapTable, &table); // the shared name is the same table
    ASSERT_EQ(std::size(kTable), 33u);
    for (const KindRow& row : kTable) {
        SCOPED_TRACE(::testing::Message() << "kind " << row.kind);
        const QvSnapKind& kind = table[row.kind];
        EXPECT_EQ(kind.name.toStdString(), row.label);
        EXPECT_EQ(kind.priority, row.priority);
        EXPECT_EQ(kind.range, row.range);
        std::string levels = row.levels;
        for (int mode = 0; mode < 4; ++mode)
            EXPECT_EQ(kind.enabled[mode] != 0, levels.find(char('0' + mode)) != std::string::npos)
                << "mode " << mode;
    }
}

TEST(QvSnapTable, UnfilledKindsKeepTheRecordDefaults) {
    const QvSnapTable& table = QvGetSnapTable();
    ASSERT_EQ(table.GetSize(), 100);
    for (int k = 33; k < 100; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(table[k].name.isEmpty());
        EXPECT_EQ(table[k].priority, 0.0);
        EXPECT_EQ(table[k].range, 20);
        EXPECT_EQ(table[k].enabled[0], 0);
        EXPECT_EQ(table[k].enabled[1], 0);
        EXPECT_EQ(table[k].enabled[2], 1);
        EXPECT_EQ(table[k].enabled[3], 1);
    }
}

TEST(QvSnapKind, IsEnabledReadsTheCurrentMode) {
    const QvSnapTable& table = QvGetSnapTable();
    for (int mode = 0; mode < 4; ++mode) {
        ScopedMADLevel scoped(mode);
        SCOPED_TRACE(mode);
        EXPECT_NE(table[QvSnap::GridPoint].IsEnabled(), 0);
        EXPECT_EQ(table[QvSnap::EndOfLine].IsEnabled() != 0, mode >= 1);
        EXPECT_EQ(table[QvSnap::Intersection].IsEnabled() != 0, mode >= 2);
        EXPECT_EQ(table[QvSnap::IntersectionOfShapes].IsEnabled(), 0);
    }
}

TEST(QvSnapKind, GetRangeIsUnlimitedFromModeThree) {
    const QvSnapKind& bisector = QvGetSnapTable()[QvSnap::AngleBisector];
    struct Row {
        int mode;
        int range;
    } rows[] = {{0, 10}, {1, 10}, {2, 10}, {3, 1000000}, {4, 1000000}};
    for (const Row& r : rows) {
        ScopedMADLevel scoped(r.mode);
        SCOPED_TRACE(r.mode);
        EXPECT_EQ(bisector.GetRange(), r.range);
    }
}

TEST(QvSnapKind, AModeOutsideZeroToThreeIsHeldToTheEnds) {
    // A hand-edited profile may hold any number; it must not read past the
    // four enabled bytes.
    const QvSnapKind& quarter = QvGetSnapTable()[QvSnap::Quarter];
    const QvSnapKind& grid = QvGetSnapTable()[QvSnap::GridPoint];
    {
        ScopedMADLevel scoped(7);
        EXPECT_NE(quarter.IsEnabled(), 0); // as mode 3
        EXPECT_EQ(quarter.GetRange(), 1000000);
    }
    {
        ScopedMADLevel scoped(-1);
        EXPECT_EQ(quarter.IsEnabled(), 0); // as mode 0
        EXPECT_NE(grid.IsEnabled(), 0);
        EXPECT_EQ(quarter.GetRange(), 40);
    }
}

TEST(QvSnapKindPasses, GatesByModeAndLevelAgainstTheRange) {
    struct Row {
        int mode, kind, level;
        bool passes;
    } rows[] = {
        // Intersection, range 15: level == range still passes.
        {2, QvSnap::Intersection, 15, true},
        {2, QvSnap::Intersection, 16, false},
        {3, QvSnap::Intersection, 16, true},
        // Mode 3 raises every range to 1000000, no further.
        {3, QvSnap::Intersection, 1000000, true},
        {3, QvSnap::Intersection, 1000001, false},
        {1, QvSnap::Intersection, 0, false},
        {0, QvSnap::Intersection, 0, false},
        // Quarter and Third, range 40.
        {2, QvSnap::Quarter, 40, true},
        {2, QvSnap::Quarter, 41, false},
        {2, QvSnap::Third, 41, false},
        {3, QvSnap::Third, 41, true},
        {1, QvSnap::Quarter, 0, false},
        // Ends and mid points, range 1000000, also in mode 1.
        {2, QvSnap::EndOfLine, 41, true},
        {2, QvSnap::MidPoint, 1000000, true},
        {2, QvSnap::MidPoint, 1000001, false},
        {1, QvSnap::EndOfLine, 0, true},
        {0, QvSnap::EndOfLine, 0, false},
        // Bisector, range 10; tangent, range 20.
        {2, QvSnap::AngleBisector, 10, true},
        {2, QvSnap::AngleBisector, 11, false},
        {2, QvSnap::Tangent, 20, true},
        {2, QvSnap::Tangent, 21, false},
        {3, QvSnap::Tangent, 21, true},
        // Empty document: level -1.
        {2, QvSnap::Intersection, -1, true},
        // Kind 10 is never offered.
        {3, QvSnap::IntersectionOfShapes, 0, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message()
                     << "mode " << r.mode << " kind " << r.kind << " level " << r.level);
        ScopedMADLevel scoped(r.mode);
        EXPECT_EQ(QvSnapKindPasses(r.kind, r.level), r.passes);
    }
}

namespace {
int g_storeValue = 0;
int ReadStore() {
    return g_storeValue;
}
} // namespace

TEST(QvMADLevel, AnInstalledReaderIsAskedAtEveryUse) {
    QvMADLevelReader previous = QvSetMADLevelReader(&ReadStore);
    const QvSnapKind& mid = QvGetSnapTable()[QvSnap::MidPoint];
    g_storeValue = 0;
    EXPECT_EQ(QvGetMADLevel(), 0);
    EXPECT_EQ(mid.IsEnabled(), 0);
    g_storeValue = 1;
    EXPECT_NE(mid.IsEnabled(), 0);
    g_storeValue = 3;
    EXPECT_EQ(QvGetMADLevel(), 3);
    EXPECT_EQ(QvSetMADLevelReader(previous), &ReadStore);
}

TEST(QvMADLevel, BuiltInValueDefaultsToTheSettingsDefault) {
    QvMADLevelReader previous = QvSetMADLevelReader(nullptr);
    EXPECT_EQ(QvGetMADLevel(), 2);
    QvSetMADLevelReader(previous);
}

TEST(QvSpecialPoint, DefaultRecord) {
    QvSpecialPoint record;
    EXPECT_EQ(record.point.x, 0.0);
    EXPECT_EQ(record.point.y, 0.0);
    EXPECT_EQ(record.priority, 0.0);
    EXPECT_TRUE(record.label.isEmpty());
    EXPECT_EQ(record.figureIndex, 0);
}

TEST(QvSpecialPointList, GrowsPastTwentyByTwenty) {
    QvSpecialPointList list;
    EXPECT_EQ(list.GetAllocSize(), 20);
    for (int i = 0; i < 45; ++i) {
        QvSpecialPoint record;
        record.point = QvPoint(i, -i);
        record.priority = i;
        record.label = QString::number(i);
        record.figureIndex = i;
        list.Add(record);
    }
    EXPECT_EQ(list.GetCount(), 45);
    EXPECT_EQ(list.GetAllocSize(), 60);
    EXPECT_EQ(list[44].point.x, 44.0);
    EXPECT_EQ(list[44].label, QStringLiteral("44"));
    EXPECT_EQ(list[44].figureIndex, 44); // copies carry all four fields
}

TEST(QvSpecialPointList, FarAndNaNPointsAreNoTargets) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        double x, y;
        bool stored;
    } rows[] = {
        {QV_FAR, QV_FAR, false},
        {nan, 0, false},
        {0, nan, false},
        {inf, 0, false},
        {0, -inf, false},
        {QV_FAR, 0, true}, // only both coordinates are far
        {0, 0, true},
        {-1e6, 1e6, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << ", " << r.y);
        QvSpecialPointList list;
        QvSpecialPoint record;
        record.point = QvPoint(r.x, r.y);
        list.Add(record);
        EXPECT_EQ(list.GetCount(), r.stored ? 1 : 0);
    }
}

TEST(QvAppendSnapPoint, TakesTheKindsPriorityAndName) {
    QvSpecialPointList list;
    QvAppendSnapPoint(&list, QvSnap::Intersection, QvPoint(3, 4));
    QvAppendSnapPoint(&list, QvSnap::Centre, QvPoint(5, 6));
    QvAppendSnapPoint(&list, QvSnap::Intersection, QvPoint::Far());
    const ExpectedRecord expected[] = {{"Intersection", 3.01, 3, 4}, {"Centre", 3.7, 5, 6}};
    ExpectRecords(list, expected);
}
