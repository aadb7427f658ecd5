#pragma once
// Helpers for the geometry tests: a scoped mathematical-drawing mode and
// point comparisons.
#include "geometry/point.h"
#include "geometry/snap_kind.h"
#include "geometry/special_point.h"

#include <gtest/gtest.h>

#include <ostream>

// Sets the mode the geometry reads ("MADLevel") for one test, whatever
// reader is installed, and puts everything back afterwards.
class ScopedMADLevel {
public:
    explicit ScopedMADLevel(int mode) : m_reader(QvSetMADLevelReader(nullptr)) {
        m_builtIn = QvGetMADLevel();
        QvSetMADLevel(mode);
    }
    ~ScopedMADLevel() {
        QvSetMADLevel(m_builtIn);
        QvSetMADLevelReader(m_reader);
    }
    ScopedMADLevel(const ScopedMADLevel&) = delete;
    ScopedMADLevel& operator=(const ScopedMADLevel&) = delete;

private:
    QvMADLevelReader m_reader;
    int m_builtIn = 2;
};

inline std::ostream& operator<<(std::ostream& os, const QvPoint& p) {
    return os << "(" << p.x << ", " << p.y << ")";
}

// Both coordinates within tolerance.
inline ::testing::AssertionResult PointNear(const QvPoint& actual, const QvPoint& expected,
                                            double tolerance = 1e-6) {
    if (actual.IsFar() && expected.IsFar())
        return ::testing::AssertionSuccess();
    if (QvIsNear(actual.x, expected.x, tolerance) && QvIsNear(actual.y, expected.y, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << actual << " is not within " << tolerance << " of " << expected;
}

// One expected snap record, worked out by hand.
struct ExpectedRecord {
    const char* label;
    double priority;
    double x;
    double y;
};

template <size_t N>
void ExpectRecords(const QvSpecialPointList& list, const ExpectedRecord (&expected)[N],
                   double tolerance = 1e-4) {
    ASSERT_EQ(list.GetCount(), int(N));
    for (size_t i = 0; i < N; ++i) {
        SCOPED_TRACE(::testing::Message() << "record " << i);
        EXPECT_EQ(list[int(i)].label.toStdString(), expected[i].label);
        EXPECT_EQ(list[int(i)].priority, expected[i].priority);
        EXPECT_TRUE(
            PointNear(list[int(i)].point, QvPoint(expected[i].x, expected[i].y), tolerance));
        EXPECT_EQ(list[int(i)].figureIndex, 0);
    }
}

inline void ExpectNoRecords(const QvSpecialPointList& list) {
    EXPECT_EQ(list.GetCount(), 0);
}
