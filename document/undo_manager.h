#pragma once
// Undo and redo in levels: a command opens a record (one level), adds one
// action per figure it touched and closes the record; Undo reverses every
// action of the newest level, Redo repeats them in recorded order.
#include "platform/object.h"

#include <deque>
#include <memory>
#include <vector>

// One recorded change, stamped with the level it belongs to.  The manager
// owns every item it was given until the item leaves the history, so an
// item that holds figures taken out of the drawing frees them then.
class QvUndoItem : public CObject {
public:
    virtual void Undo() {}
    virtual void Redo() {}

    LONG m_nLevel = 0;
};

class QvUndoManager : public CObject {
public:
    // Result codes of the Begin and End calls.
    static constexpr int Ok = 0;
    static constexpr int Busy = 1;
    static constexpr int NotUnderWay = 2;
    static constexpr int NothingToUndo = 4;

    QvUndoManager(int maxLevels, int trimCount);
    ~QvUndoManager() override;
    QvUndoManager(const QvUndoManager&) = delete;
    QvUndoManager& operator=(const QvUndoManager&) = delete;

    // Opens a new level and forgets what could be redone.
    int BeginRecord();
    // Takes the item while a record is open and returns true; otherwise the
    // item is dropped and false is returned.
    bool AddAction(std::unique_ptr<QvUndoItem> item);
    // A record without actions leaves no level behind.
    int EndRecord();

    // Non-zero when there is something to undo (the current level).
    int CanUndo() const { return m_nLevel; }
    int BeginUndo();
    // The next action of the level being undone, newest first; null when the
    // level is done.  The manager keeps it: on the redo stack, or with redo
    // disabled until EndUndo.
    QvUndoItem* PopUndo();
    int EndUndo();

    // Non-zero when there is something to redo.
    int CanRedo() const;
    int BeginRedo();
    // The next action of the level being redone, oldest first.
    QvUndoItem* PopRedo();
    int EndRedo();

    void Clear();
    void EnableRedo(BOOL enable) { m_bRedoDisabled = !enable; }

    int GetLevel() const { return m_nLevel; }
    int GetRedoLevel() const { return m_nRedoLevel; }
    int GetUndoCount() const { return int(m_undo.size()); }
    int GetRedoCount() const { return int(m_redo.size()); }

private:
    bool IsBusy() const { return m_bRecording || m_bUndoing || m_bRedoing; }
    void Trim();

    bool m_bRecording = false;
    bool m_bUndoing = false;
    bool m_bRedoing = false;
    int m_nLevel = 0;
    int m_nRedoLevel = 0;
    int m_nActions = 0;
    int m_nMaxLevels;
    int m_nTrimCount;
    bool m_bRedoDisabled = false;
    // Back is the top of each stack.
    std::deque<std::unique_ptr<QvUndoItem>> m_undo;
    std::deque<std::unique_ptr<QvUndoItem>> m_redo;
    // With redo disabled, the actions undone so far in this level.
    std::vector<std::unique_ptr<QvUndoItem>> m_undone;
};
