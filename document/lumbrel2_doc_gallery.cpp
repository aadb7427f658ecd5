// The gallery browser command and the gallery tool.
#include "document/lumbrel2_doc.h"

#include "document/editor_state.h"
#include "platform/command_ids.h"
#include "platform/command_target.h"

namespace {
Lumbrel2Doc::GalleryBrowser& Browser() {
    static Lumbrel2Doc::GalleryBrowser browser;
    return browser;
}
} // namespace

Lumbrel2Doc::GalleryBrowser Lumbrel2Doc::SetGalleryBrowser(GalleryBrowser browser) {
    return std::exchange(Browser(), std::move(browser));
}

void Lumbrel2Doc::OnSelectGalleryFigure() {
    if (Browser())
        Browser()(m_galleries);
    // The choice stands however the browser was closed.
    if (!m_galleries.HasSelectedFigure())
        return;
    if (QvEditorState* editor = QvGetEditorState())
        editor->m_nCurrentTool = ID_DRAW_GALLERY_FIGURE;
    m_selection.clear();
    UpdateAllViews(nullptr);
}

void Lumbrel2Doc::OnUpdateGalleryTool(CCmdUI* ui) {
    const QvEditorState* editor = QvGetEditorState();
    ui->SetCheck(editor && editor->m_nCurrentTool == ui->m_nID ? 1 : 0);
    ui->Enable(m_galleries.HasSelectedFigure());
}
