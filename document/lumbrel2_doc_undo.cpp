// Edit>Undo and Edit>Redo.
#include "document/lumbrel2_doc.h"

#include "document/undo_manager.h"
#include "figures/figure.h"
#include "platform/command_target.h"
#include "platform/message_box.h"

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
    while (QvUndoItem* item = undo.PopUndo())
        item->Undo();
    undo.EndUndo();
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
    while (QvUndoItem* item = undo.PopRedo())
        item->Redo();
    undo.EndRedo();
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
