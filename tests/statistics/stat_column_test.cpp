// The column's record, its stored form and its recalculation protocol.
#include "stat_test_support.h"

#include "common/test_support.h"
#include "platform/archive.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Written by hand from the record's layout: name "Marks", empty formula,
// type 1, column 2, symbol "M"; row 0 = 4.5 count 1; row 3 = the label
// "5–9" (Windows-1252 en dash 0x96) with the empty value and count 0; the
// end marker.  Row 1 (7 with count 0, no text) is not stored.
const char* const kColumnBytes = "05 4D 61 72 6B 73  00  01 00 00 00  02 00 00 00  01 4D"
                                 " 00 00 00 00  00 00 00 00 00 00 12 40  01 00 00 00  00"
                                 " 03 00 00 00  66 26 00 A2 94 1A 6D 42  00 00 00 00"
                                 "  03 35 96 39"
                                 " FF FF FF FF";

TEST(StatColumn, StoredFormByteForByte) {
    auto c = std::make_unique<QvStatColumn>();
    c->name = QStringLiteral("Marks");
    c->symbol = QStringLiteral("M");
    c->columnNumber = 2;
    c->cells[0] = {4.5, 1, {}};
    c->cells[1] = {7, 0, {}};
    c->cells[3] = {QvStatEmpty, 0, QStringLiteral("5\u20139")};
    EXPECT_EQ(Store(*c).toHex(' '), Hex(kColumnBytes).toHex(' '));

    auto loaded = std::make_unique<QvStatColumn>();
    loaded->cells[1] = {8, 1, {}}; // loading starts from an empty column
    Load(*loaded, Hex(kColumnBytes));
    EXPECT_EQ(loaded->name, QStringLiteral("Marks"));
    EXPECT_EQ(loaded->symbol, QStringLiteral("M"));
    EXPECT_EQ(loaded->columnNumber, 2);
    EXPECT_EQ(loaded->type, QvStatColumn::Data);
    EXPECT_EQ(loaded->cells[0].value, 4.5);
    EXPECT_EQ(loaded->cells[1].value, QvStatEmpty);
    EXPECT_EQ(loaded->cells[1].count, 0);
    EXPECT_EQ(loaded->cells[3].text, QStringLiteral("5\u20139"));
    EXPECT_EQ(Store(*loaded), Hex(kColumnBytes));
}

TEST(StatColumn, EmptyColumnIsHeaderAndEndMarker) {
    auto c = std::make_unique<QvStatColumn>();
    EXPECT_EQ(Store(*c), Hex("00 00 01 00 00 00 00 00 00 00 00 FF FF FF FF"));
}

TEST(StatColumn, LoadKeepsTheStoredTypeAndReadsUnknownTypesAsData) {
    auto c = std::make_unique<QvStatColumn>();
    Load(*c, Hex("00 00 05 00 00 00 00 00 00 00 00 FF FF FF FF"));
    EXPECT_EQ(c->type, QvStatColumn::Frequency);
    Load(*c, Hex("00 00 09 00 00 00 00 00 00 00 00 FF FF FF FF"));
    EXPECT_EQ(c->type, QvStatColumn::Data);
}

// A row index outside 0 to 499 would write outside the cells: the record
// is refused, and the column keeps what it held.
TEST(StatColumn, RowOutsideTheColumnRefusesTheRecord) {
    for (const char* row : {"F4 01 00 00", "FE FF FF FF"}) {
        auto c = std::make_unique<QvStatColumn>();
        c->name = QStringLiteral("Kept");
        c->cells[0] = {1, 1, {}};
        const QByteArray bytes = Hex("01 41 00 01 00 00 00 00 00 00 00 00"
                                     " 00 00 00 00  00 00 00 00 00 00 00 40  01 00 00 00  00") +
                                 Hex(row) +
                                 Hex("00 00 00 00 00 00 00 40  01 00 00 00  00 FF FF FF FF");
        EXPECT_THROW(Load(*c, bytes), CArchiveException) << row;
        EXPECT_EQ(c->name, QStringLiteral("Kept"));
        EXPECT_EQ(c->cells[0].value, 1.0);
    }
    // A record cut short is refused too.
    auto c = std::make_unique<QvStatColumn>();
    EXPECT_THROW(Load(*c, Hex("01 41 00 01 00 00 00 00 00 00 00 00 00 00 00 00")),
                 CArchiveException);
    EXPECT_TRUE(c->name.isEmpty());
}

TEST(StatColumn, ConstructionAndClear) {
    auto c = std::make_unique<QvStatColumn>();
    EXPECT_TRUE(c->dirty);
    EXPECT_EQ(c->type, QvStatColumn::Data);
    EXPECT_EQ(c->cells[499].value, QvStatEmpty);
    EXPECT_EQ(c->classes[0].value, QvStatEmpty);
    EXPECT_EQ(c->sorted[0].value, 9e99);

    c->type = QvStatColumn::Label;
    c->name = QStringLiteral("Kept");
    FillValues(*c, {1, 2});
    c->Recalc();
    c->Clear();
    EXPECT_EQ(c->type, QvStatColumn::Data);
    EXPECT_EQ(c->n, 0);
    EXPECT_EQ(c->mean, 0.0);
    EXPECT_EQ(c->cells[0].value, QvStatEmpty);
    EXPECT_EQ(c->name, QStringLiteral("Kept"));
    EXPECT_EQ(c->lastFilledRow, 2);
}

// Getters answer from the cache until the column is marked dirty.
TEST(StatColumn, GettersRecalculateWhenDirty) {
    auto c = std::make_unique<QvStatColumn>();
    FillValues(*c, {1, 2, 3, 4, 5});
    EXPECT_EQ(c->GetMean(), 3.0);
    EXPECT_FALSE(c->dirty);
    c->cells[0].value = 11;
    EXPECT_EQ(c->GetMean(), 3.0);
    c->MarkDirty();
    EXPECT_FALSE(c->sortedValid);
    EXPECT_FALSE(c->frequencyTableValid);
    EXPECT_EQ(c->GetMean(), 5.0);
    EXPECT_EQ(c->GetMedian(), 4.0);
    EXPECT_EQ(c->GetRange(), 9.0);
}

// A copy takes the other column's cells and texts, and its getters then
// answer for those cells, not with the statistics the column had.
TEST(StatColumn, CopyLeavesNoStaleStatistics) {
    auto a = std::make_unique<QvStatColumn>();
    auto b = std::make_unique<QvStatColumn>();
    FillValues(*a, {1, 2, 3});
    EXPECT_EQ(a->GetMean(), 2.0);
    FillValues(*b, {10, 20});
    b->name = QStringLiteral("B");
    b->symbol = QStringLiteral("b");
    b->formula = QStringLiteral("=A*10");
    b->type = QvStatColumn::Formula;
    b->columnNumber = 2;
    b->mean = 99; // not copied
    a->Copy(*b);
    EXPECT_EQ(a->name, QStringLiteral("B"));
    EXPECT_EQ(a->symbol, QStringLiteral("b"));
    EXPECT_EQ(a->formula, QStringLiteral("=A*10"));
    EXPECT_EQ(a->type, QvStatColumn::Formula);
    EXPECT_EQ(a->columnNumber, 2);
    EXPECT_EQ(a->cells[2].value, QvStatEmpty);
    EXPECT_EQ(a->GetMean(), 15.0);
}

} // namespace
