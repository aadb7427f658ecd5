#include "document/undo_manager.h"

#include <gtest/gtest.h>

namespace {

// A recorded change that does nothing.
struct Item : QvUndoItem {};

void Record(QvUndoManager& m, int actions) {
    ASSERT_EQ(m.BeginRecord(), QvUndoManager::Ok);
    for (int i = 0; i < actions; ++i)
        m.AddAction(std::make_unique<Item>());
    ASSERT_EQ(m.EndRecord(), QvUndoManager::Ok);
}

int UndoLevel(QvUndoManager& m) {
    int n = 0;
    EXPECT_EQ(m.BeginUndo(), QvUndoManager::Ok);
    while (m.PopUndo())
        ++n;
    EXPECT_EQ(m.EndUndo(), QvUndoManager::Ok);
    return n;
}

TEST(UndoManager, EmptyRecordDropsRedoButAddsNoLevel) {
    QvUndoManager m(200, 50);
    Record(m, 2);
    Record(m, 1);
    EXPECT_EQ(UndoLevel(m), 1);
    EXPECT_EQ(m.CanRedo(), 1);
    Record(m, 0);
    EXPECT_EQ(m.CanUndo(), 1);
    EXPECT_EQ(m.CanRedo(), 0);
    EXPECT_EQ(m.GetRedoCount(), 0);
}

TEST(UndoManager, TheRecordPastTheLimitTrimsTheOldestLevels) {
    QvUndoManager m(200, 50);
    for (int i = 0; i < 200; ++i)
        Record(m, 1);
    EXPECT_EQ(m.CanUndo(), 200);
    Record(m, 2); // the 201st
    EXPECT_EQ(m.CanUndo(), 151);
    EXPECT_EQ(m.GetUndoCount(), 152);
    EXPECT_EQ(UndoLevel(m), 2);
    int levels = 0;
    while (m.CanUndo()) {
        EXPECT_EQ(UndoLevel(m), 1);
        ++levels;
    }
    EXPECT_EQ(levels, 150);
}

TEST(UndoManager, UndoRedoWalkTheLevelsBothWays) {
    QvUndoManager m(200, 50);
    Record(m, 2);
    Record(m, 3);
    EXPECT_EQ(UndoLevel(m), 3);
    EXPECT_EQ(UndoLevel(m), 2);
    EXPECT_EQ(m.CanUndo(), 0);
    EXPECT_EQ(m.CanRedo(), 1);
    // Redo replays a level in recorded order.
    m.BeginRedo();
    QvUndoItem* first = m.PopRedo();
    QvUndoItem* second = m.PopRedo();
    EXPECT_EQ(m.PopRedo(), nullptr);
    m.EndRedo();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(m.CanUndo(), 1);
    EXPECT_EQ(m.CanRedo(), 1);
    m.BeginRedo();
    int n = 0;
    while (m.PopRedo())
        ++n;
    m.EndRedo();
    EXPECT_EQ(n, 3);
    EXPECT_EQ(m.CanUndo(), 2);
    EXPECT_EQ(m.CanRedo(), 0);
}

TEST(UndoManager, UndoAtLevelZeroLeavesTheManagerConsistent) {
    QvUndoManager m(200, 50);
    EXPECT_EQ(m.BeginUndo(), QvUndoManager::NothingToUndo);
    EXPECT_EQ(m.EndUndo(), QvUndoManager::NotUnderWay);
    EXPECT_EQ(m.CanUndo(), 0);
    EXPECT_EQ(m.GetLevel(), 0);
    // Not left busy: recording still works.
    Record(m, 1);
    EXPECT_EQ(m.CanUndo(), 1);
}

TEST(UndoManager, OutOfOrderCallsAreRefused) {
    QvUndoManager m(200, 50);
    EXPECT_EQ(m.EndRecord(), QvUndoManager::NotUnderWay);
    EXPECT_FALSE(m.AddAction(std::make_unique<Item>())); // dropped
    EXPECT_FALSE(m.AddAction(nullptr));
    ASSERT_EQ(m.BeginRecord(), QvUndoManager::Ok);
    EXPECT_EQ(m.BeginRecord(), QvUndoManager::Busy);
    EXPECT_EQ(m.BeginUndo(), QvUndoManager::Busy);
    m.AddAction(std::make_unique<Item>());
    m.EndRecord();
    m.Clear();
    EXPECT_EQ(m.CanUndo(), 0);
    EXPECT_EQ(m.GetUndoCount(), 0);
}

// Items that hold something (figures taken out of a drawing) free it when
// they leave the history, however they leave.
TEST(UndoManager, ItemsAreFreedWhenTheyLeaveTheHistory) {
    static int alive = 0;
    struct Counted : QvUndoItem {
        Counted() { ++alive; }
        ~Counted() override { --alive; }
    };
    auto record = [](QvUndoManager& m, int n) {
        m.BeginRecord();
        for (int i = 0; i < n; ++i)
            m.AddAction(std::make_unique<Counted>());
        m.EndRecord();
    };
    {
        QvUndoManager m(4, 2);
        for (int i = 0; i < 4; ++i)
            record(m, 1);
        record(m, 1); // trims the two oldest levels
        EXPECT_EQ(alive, 3);
        EXPECT_EQ(UndoLevel(m), 1);
        record(m, 2); // drops the level that could be redone
        EXPECT_EQ(alive, 4);
        EXPECT_FALSE(m.AddAction(std::make_unique<Counted>())); // no record open
        EXPECT_EQ(alive, 4);
        m.Clear();
        EXPECT_EQ(alive, 0);
        record(m, 3);
    }
    EXPECT_EQ(alive, 0);
}

TEST(UndoManager, WithRedoDisabledUndoneActionsGoAtTheEndOfTheUndo) {
    QvUndoManager m(60, 6);
    m.EnableRedo(FALSE);
    Record(m, 2);
    ASSERT_EQ(m.BeginUndo(), QvUndoManager::Ok);
    EXPECT_TRUE(m.PopUndo());
    EXPECT_TRUE(m.PopUndo());
    EXPECT_EQ(m.PopUndo(), nullptr);
    m.EndUndo();
    EXPECT_EQ(m.CanRedo(), 0);
    EXPECT_EQ(m.GetRedoCount(), 0);
    EXPECT_EQ(m.GetUndoCount(), 0);
}

} // namespace
