// Edit>Undo and Edit>Redo.
#include "document/lumbrel2_doc.h"

#include "document/undo_actions.h"
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
    undo.BeginUndo();
    while (QvUndoItem* item = undo.PopUndo())
        if (auto* action = dynamic_cast<QvUndoAction*>(item))
            action->Undo();
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
    undo.BeginRedo();
    while (QvUndoItem* item = undo.PopRedo())
        if (auto* action = dynamic_cast<QvUndoAction*>(item))
            action->Redo();
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
