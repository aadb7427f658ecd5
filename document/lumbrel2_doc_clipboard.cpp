// Copy, cut, paste and duplicate.  Figures travel only through the
// editor state's own list, so they keep everything they are, also between
// drawings; other programs get a picture on the system clipboard.
#include "document/clipboard_picture.h"
#include "document/editor_state.h"
#include "document/lumbrel2_doc.h"
#include "document/undo_actions.h"
#include "document/undo_manager.h"
#include "figures/fig_angle_mark.h"
#include "figures/fig_group.h"
#include "figures/figure.h"
#include "geometry/gr_rect.h"
#include "platform/command_target.h"
#include "platform/message_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QClipboard* Lumbrel2Doc::OpenClipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::clipboard()
               : nullptr;
}

void Lumbrel2Doc::CopySelectionToClipboard() {
    if (QvEditorState* editor = QvGetEditorState()) {
        // Copies that refer to figures copied with them refer to those
        // copies.  The list outlives this drawing, so a mark copied without
        // its figures is left out.
        std::vector<QvFigure*> copies;
        for (QvFigure* f : m_selection) {
            if (f->GetToolId() == GalleryFigureToolId)
                f->SetToolId(QvFigGroup::ToolId);
            std::unique_ptr<QvFigure> copy = CreateFigureForTool(f->GetToolId());
            // A group with a member that cannot be copied is not copied.
            if (!copy || !copy->CopyFrom(f))
                continue;
            copies.push_back(copy.release());
        }
        m_copyMap.Clear();
        for (QvFigure* f : copies)
            f->AddToCopyMap(m_copyMap);
        for (QvFigure* f : copies)
            f->RemapReferences(m_copyMap);
        QvDropStrayAngleMarks(copies);
        // The list holds the selection in reverse.
        auto& stored = editor->m_clipboardFigures;
        stored.clear();
        for (auto it = copies.rbegin(); it != copies.rend(); ++it)
            stored.emplace_back(*it);
    }

    QClipboard* clipboard = OpenClipboard();
    if (!clipboard) {
        AfxMessageBox(QStringLiteral("Cannot open the Clipboard"));
        return;
    }
    CRect rect = GetSelectionBounds();
    rect.InflateRect(QvClipboardPicture::Margin, QvClipboardPicture::Margin);
    QvClipboardPicture picture(m_selection, rect);
    clipboard->setMimeData(picture.CreateMimeData());
    const QMimeData* offered = clipboard->mimeData();
    if (!offered || !offered->hasFormat(QString::fromLatin1(QvClipboardPicture::PdfMime)))
        AfxMessageBox(QStringLiteral("Unable to set Clipboard data"));
}

void Lumbrel2Doc::PasteFromClipboard() {
    m_selection.clear();
    QvUndoManager& undo = UndoManager();
    // Even an empty paste opens its record, which drops Redo.
    undo.BeginRecord();
    m_copyMap.Clear();
    std::vector<QvFigure*> pasted;
    if (QvEditorState* editor = QvGetEditorState()) {
        const double spacing = m_grid.GetSpacing();
        const auto& stored = editor->m_clipboardFigures;
        // From the tail: the figures come in the order they were selected.
        for (auto it = stored.rbegin(); it != stored.rend(); ++it) {
            QvFigure* source = it->get();
            // The stored copy itself moves, so each further paste lands one
            // more step away.
            source->Move(QvVector(spacing, -spacing));
            std::unique_ptr<QvFigure> f = CreateFigureForTool(source->GetToolId());
            if (!f || !f->CopyFrom(source))
                continue;
            f->AddToCopyMap(m_copyMap);
            pasted.push_back(f.release());
        }
    }
    // The pasted figures refer to each other, never to the stored copies:
    // a mark whose figures did not come along is left out.
    for (QvFigure* f : pasted)
        f->RemapReferences(m_copyMap);
    QvDropStrayAngleMarks(pasted);
    for (QvFigure* f : pasted) {
        m_selection.push_back(f);
        m_figures.Add(std::unique_ptr<QvFigure>(f));
        undo.AddAction(std::make_unique<QvCreateAction>(f, this));
    }
    for (QvFigure* f : pasted) {
        f->MapToFrame(NullFrame);
        f->BuildFromPoints();
    }
    m_nSnapWork1 = 0;
    m_nSnapWork2 = 0;
    undo.EndRecord();
    RebuildPointCaches();
    SetModifiedFlag();
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::OnEditCopy() {
    CopySelectionToClipboard();
}

void Lumbrel2Doc::OnEditCut() {
    CopySelectionToClipboard();
    DeleteSelection();
}

void Lumbrel2Doc::OnEditPaste() {
    PasteFromClipboard();
}

void Lumbrel2Doc::OnEditDuplicate() {
    CopySelectionToClipboard();
    PasteFromClipboard();
}

void Lumbrel2Doc::OnUpdateEditCopy(CCmdUI* ui) {
    ui->Enable(!m_selection.empty());
}

void Lumbrel2Doc::OnUpdateEditCut(CCmdUI* ui) {
    ui->Enable(!m_selection.empty());
}

void Lumbrel2Doc::OnUpdateEditPaste(CCmdUI* ui) {
    QvEditorState* editor = QvGetEditorState();
    ui->Enable(editor && !editor->m_clipboardFigures.empty());
}
