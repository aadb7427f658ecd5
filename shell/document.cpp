#include "shell/document.h"

#include "platform/message_box.h"
#include "shell/child_frame.h"
#include "shell/doc_template.h"
#include "shell/view.h"
#include "shell/win_app.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument() {
    // Views outliving their document must not reach back into it.
    for (CView* view : m_viewList)
        view->m_pDocument = nullptr;
}

void CDocument::SetTitle(const QString& title) {
    m_strTitle = title;
    UpdateFrameTitles();
}

void CDocument::SetPathName(const QString& path, BOOL addToMRU) {
    m_strPathName = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(path).fileName());
    if (addToMRU)
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* view) {
    if (std::find(m_viewList.begin(), m_viewList.end(), view) != m_viewList.end())
        return;
    m_viewList.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
    auto it = std::find(m_viewList.begin(), m_viewList.end(), view);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    view->m_pDocument = nullptr;
    if (m_viewList.empty() && m_bAutoDelete && !m_bClosing)
        OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
    for (CView* view : m_viewList)
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const QString& path) {
    QFileInfo info(path);
    if (!info.exists()) {
        AfxMessageBox(QStringLiteral("%1\nCannot find this file.\nPlease verify that the correct "
                                     "path and file name are given.")
                          .arg(path),
                      MB_ICONEXCLAMATION);
        return FALSE;
    }
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        AfxMessageBox(QStringLiteral("%1\nThis file cannot be read.").arg(path),
                      MB_ICONEXCLAMATION);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::SaveModified() {
    return TRUE;
}

void CDocument::OnCloseDocument() {
    m_bClosing = true;
    // Deleting a frame deletes its view, which leaves the list.
    while (!m_viewList.empty()) {
        CView* view = m_viewList.front();
        CChildFrame* frame = view->GetParentFrame();
        RemoveView(view);
        if (frame)
            delete frame;
        else
            delete view;
    }
    DeleteContents();
    m_bClosing = false;
    if (m_bAutoDelete && m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this); // deletes this
}

void CDocument::UpdateFrameTitles() {
    for (CView* view : m_viewList)
        if (CChildFrame* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle();
}
