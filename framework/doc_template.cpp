#include "framework/doc_template.h"

#include "framework/child_frame.h"
#include "framework/document.h"
#include "framework/view.h"

#include <QMdiArea>

#include <algorithm>

CMultiDocTemplate::CMultiDocTemplate(const QString& docStrings, DocumentClasses classes)
    : m_strDocStrings(docStrings), m_classes(std::move(classes)) {}

CMultiDocTemplate::~CMultiDocTemplate() {
    CloseAllDocuments(TRUE);
}

QString CMultiDocTemplate::GetDocString(DocStringIndex index) const {
    return m_strDocStrings.section(QLatin1Char('\n'), index, index);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const QString& path) {
    std::unique_ptr<CDocument> owned = m_classes.createDocument();
    CDocument* doc = owned.get();
    doc->m_pDocTemplate = this;
    if (path.isEmpty()) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument())
            return nullptr;
    } else {
        if (!doc->OnOpenDocument(path))
            return nullptr;
        doc->SetPathName(path);
    }
    m_docList.push_back(std::move(owned));

    // Made inside the area it goes to: a window made on its own would be
    // set up as a top-level window first, then again as a child.
    auto* frame = new CChildFrame(m_mdiArea ? m_mdiArea->viewport() : nullptr);
    CView* view = m_classes.createView();
    doc->AddView(view);
    frame->SetView(view);
    if (m_mdiArea)
        m_mdiArea->addSubWindow(frame);
    view->OnInitialUpdate();
    frame->showMaximized();
    if (m_mdiArea)
        m_mdiArea->setActiveSubWindow(frame);
    view->setFocus();
    return doc;
}

void CMultiDocTemplate::RemoveDocument(CDocument* doc) {
    auto it = std::find_if(m_docList.begin(), m_docList.end(),
                           [doc](const std::unique_ptr<CDocument>& d) { return d.get() == doc; });
    if (it == m_docList.end())
        return;
    std::unique_ptr<CDocument> owned = std::move(*it);
    m_docList.erase(it);
}

BOOL CMultiDocTemplate::SaveAllModified() {
    for (const std::unique_ptr<CDocument>& doc : m_docList)
        if (!doc->SaveModified())
            return FALSE;
    return TRUE;
}

void CMultiDocTemplate::CloseAllDocuments(BOOL) {
    while (!m_docList.empty()) {
        CDocument* doc = m_docList.back().get();
        doc->m_bAutoDelete = TRUE;
        doc->OnCloseDocument();
        // A document that stays (no template link) must not loop forever.
        if (!m_docList.empty() && m_docList.back().get() == doc)
            m_docList.pop_back();
    }
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* doc) {
    doc->SetTitle(GetDocString(docName) + QString::number(++m_nUntitledCount));
}
