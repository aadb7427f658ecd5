// The data set: its row-number column, stored form and copy.
#include "stat_test_support.h"

#include "platform/archive.h"
#include "statistics/stat_data.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(StatData, FreshSetHasRowNumbersAndEmptyColumns) {
    auto d = std::make_unique<QvStatData>();
    const QvStatColumn& rows = d->columns[QvStatData::RowNumberColumn];
    EXPECT_EQ(rows.name, QStringLiteral("Row Number"));
    EXPECT_EQ(rows.symbol, QStringLiteral("Row"));
    EXPECT_EQ(rows.type, QvStatColumn::Data);
    for (int r = 0; r < QvStatColumn::Rows; ++r) {
        ASSERT_EQ(rows.cells[size_t(r)].value, r + 1.0);
        ASSERT_EQ(rows.cells[size_t(r)].count, 1);
    }
    for (int c = 0; c < QvStatData::Lettered; ++c) {
        QvStatColumn& col = d->columns[size_t(c)];
        for (const QvStatCell& cell : col.cells)
            ASSERT_EQ(cell.value, QvStatEmpty);
        EXPECT_EQ(col.GetMean(), 0.0);
        EXPECT_EQ(col.n, 0);
    }
    EXPECT_FALSE(d->properties.Loaded);
    EXPECT_EQ(d->Column(-1), nullptr);
    EXPECT_EQ(d->Column(27), nullptr);
}

// The stored form is the options record followed by the 27 column records
// in index order, with nothing of its own around them.
TEST(StatData, StoreAndLoadKeepTheColumnsAndSetLoaded) {
    auto d = std::make_unique<QvStatData>();
    d->columns[0].name = QStringLiteral("Height");
    FillValues(d->columns[0], {1.5, 2.5, 4});
    FillCounted(d->columns[25], {{7, 3}});
    d->columns[25].cells[4].text = QStringLiteral("late");

    QByteArray expected = Store(d->properties);
    for (QvStatColumn& c : d->columns)
        expected += Store(c);
    const QByteArray bytes = Store(*d);
    EXPECT_EQ(bytes, expected);

    auto loaded = std::make_unique<QvStatData>();
    loaded->columns[1].cells[0] = {9, 1, {}}; // replaced by the stored empty column
    Load(*loaded, bytes);
    EXPECT_TRUE(loaded->properties.Loaded);
    EXPECT_EQ(loaded->columns[0].name, QStringLiteral("Height"));
    EXPECT_EQ(loaded->columns[0].cells[2].value, 4.0);
    EXPECT_EQ(loaded->columns[0].GetMean(), 8.0 / 3);
    EXPECT_EQ(loaded->columns[1].cells[0].value, QvStatEmpty);
    EXPECT_EQ(loaded->columns[25].cells[0].count, 3);
    EXPECT_EQ(loaded->columns[25].cells[4].text, QStringLiteral("late"));
    EXPECT_EQ(loaded->columns[26].cells[499].value, 500.0);
    EXPECT_EQ(Store(*loaded), bytes);
}

TEST(StatData, ShortStreamIsRefused) {
    auto d = std::make_unique<QvStatData>();
    FillValues(d->columns[3], {1, 2});
    const QByteArray bytes = Store(*d);
    auto loaded = std::make_unique<QvStatData>();
    EXPECT_THROW(Load(*loaded, bytes.left(bytes.size() - 3)), CArchiveException);
}

TEST(StatData, CopyTakesColumnsAndStoredChoices) {
    auto from = std::make_unique<QvStatData>();
    FillValues(from->columns[2], {3, 1, 2});
    from->columns[2].name = QStringLiteral("C");
    from->properties.col1 = 2;
    from->properties.RegType = 6;
    from->properties.Loaded = true;
    auto to = std::make_unique<QvStatData>();
    FillValues(to->columns[4], {8});
    to->Copy(*from);
    EXPECT_EQ(to->columns[2].name, QStringLiteral("C"));
    EXPECT_EQ(to->columns[2].GetMedian(), 2.0);
    EXPECT_EQ(to->columns[4].cells[0].value, QvStatEmpty);
    EXPECT_EQ(to->properties.col1, 2);
    EXPECT_EQ(to->properties.RegType, 6);
    EXPECT_FALSE(to->properties.Loaded);
}

} // namespace
