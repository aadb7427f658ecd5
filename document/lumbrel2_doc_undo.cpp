// Edit>Undo and Edit>Redo.
#include "document/lumbrel2_doc.h"

#include "document/undo_actions.h"
#include "document/undo_manager.h"
#include "figures/fig_angle_mark.h"
#include "figures/figure.h"
#include "platform/command_target.h"
#include "platform/message_box.h"

#include <vector>

namespace {
// A mark's state was put back while the figures it marks may still have
// stood as before: once they all stand as the level left them, it is put
// back again, so that it is built on them (or, where they do not meet,
// keeps the corners it had).
void PutMarksBackAgain(const std::vector<QvUndoItem*>& items, bool undo) {
    for (QvUndoItem* item : items) {
        auto* change = dynamic_cast<QvChangeAction*>(item);
        if (!change || !dynamic_cast<QvFigAngleMark*>(change->m_pFigure))
            continue;
        if (undo)
            change->Undo();
        else
            change->Redo();
    }
}
} // namespace

void Lumbrel2Doc::OnEditUndo() {
    QvUndoManager& undo = UndoManager();
    if (!undo.CanUndo()) {
        MessageBeep(0);
        return;
    }
    ClearSelection();
    // Putting a group back may replace its members.
    ClearSnapReferences();
    // An edit still under way would keep states from before this step.
    m_pendingEdit.clear();
    undo.BeginUndo();
    std::vector<QvUndoItem*> items;
    while (QvUndoItem* item = undo.PopUndo()) {
        item->Undo();
        items.push_back(item);
    }
    undo.EndUndo();
    PutMarksBackAgain(items, true);
    // Moves and resizes change defining points only; the rebuild maps
    // and builds every figure.
    RebuildPointCaches();
    UpdateAllViews(nullptr);
    SetModifiedFlag();
}

void Lumbrel2Doc::OnEditRedo() {
    QvUndoManager& undo = UndoManager();
    if (!undo.CanRedo()) {
        MessageBeep(0);
        return;
    }
    ClearSelection();
    ClearSnapReferences();
    m_pendingEdit.clear();
    undo.BeginRedo();
    std::vector<QvUndoItem*> items;
    while (QvUndoItem* item = undo.PopRedo()) {
        item->Redo();
        items.push_back(item);
    }
    undo.EndRedo();
    PutMarksBackAgain(items, false);
    // Moves and resizes change defining points only; the rebuild maps
    // and builds every figure.
    RebuildPointCaches();
    UpdateAllViews(nullptr);
    SetModifiedFlag();
}

// Always on: a beep says there is nothing to do.
void Lumbrel2Doc::OnUpdateEditUndo(CCmdUI* ui) {
    ui->Enable(TRUE);
}

void Lumbrel2Doc::OnUpdateEditRedo(CCmdUI* ui) {
    ui->Enable(TRUE);
}
