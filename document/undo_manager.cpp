#include "document/undo_manager.h"

QvUndoManager::QvUndoManager(int maxLevels, int trimCount)
    : m_nMaxLevels(maxLevels), m_nTrimCount(trimCount) {}

QvUndoManager::~QvUndoManager() = default;

int QvUndoManager::BeginRecord() {
    if (IsBusy())
        return Busy;
    m_bRecording = true;
    m_nActions = 0;
    ++m_nLevel;
    Trim();
    m_redo.clear();
    return Ok;
}

void QvUndoManager::Trim() {
    if (m_nLevel <= m_nMaxLevels)
        return;
    m_nLevel -= m_nTrimCount;
    for (std::unique_ptr<QvUndoItem>& item : m_undo)
        item->m_nLevel -= m_nTrimCount;
    while (!m_undo.empty() && m_undo.front()->m_nLevel < 1)
        m_undo.pop_front();
}

bool QvUndoManager::AddAction(std::unique_ptr<QvUndoItem> item) {
    if (!m_bRecording || !item)
        return false;
    item->m_nLevel = m_nLevel;
    m_undo.push_back(std::move(item));
    ++m_nActions;
    return true;
}

int QvUndoManager::EndRecord() {
    if (!m_bRecording)
        return NotUnderWay;
    m_bRecording = false;
    if (m_nActions == 0)
        --m_nLevel;
    return Ok;
}

int QvUndoManager::BeginUndo() {
    if (IsBusy())
        return Busy;
    // With nothing to undo no undo starts, so the level cannot go below 0.
    if (m_nLevel == 0)
        return NothingToUndo;
    m_bUndoing = true;
    return Ok;
}

QvUndoItem* QvUndoManager::PopUndo() {
    if (!m_bUndoing || m_undo.empty() || m_undo.back()->m_nLevel != m_nLevel)
        return nullptr;
    std::unique_ptr<QvUndoItem> item = std::move(m_undo.back());
    m_undo.pop_back();
    if (m_bRedoDisabled) {
        m_undone.push_back(std::move(item));
        return m_undone.back().get();
    }
    m_nRedoLevel = item->m_nLevel;
    m_redo.push_back(std::move(item));
    return m_redo.back().get();
}

int QvUndoManager::EndUndo() {
    if (!m_bUndoing)
        return NotUnderWay;
    m_bUndoing = false;
    m_undone.clear();
    if (m_nLevel > 0)
        --m_nLevel;
    return Ok;
}

int QvUndoManager::CanRedo() const {
    return m_redo.empty() ? 0 : m_nRedoLevel - m_nLevel;
}

int QvUndoManager::BeginRedo() {
    if (!IsBusy() && !m_bRedoDisabled)
        m_bRedoing = true;
    return Ok;
}

QvUndoItem* QvUndoManager::PopRedo() {
    if (!m_bRedoing || m_bRedoDisabled || m_redo.empty() || m_redo.back()->m_nLevel != m_nRedoLevel)
        return nullptr;
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    m_nLevel = m_undo.back()->m_nLevel;
    return m_undo.back().get();
}

int QvUndoManager::EndRedo() {
    if (m_bRedoing) {
        m_bRedoing = false;
        ++m_nRedoLevel;
    }
    return Ok;
}

void QvUndoManager::Clear() {
    m_undo.clear();
    m_bRecording = m_bUndoing = m_bRedoing = false;
    m_nLevel = 0;
    m_nRedoLevel = 0;
    m_redo.clear();
    m_undone.clear();
}
