#include "framework/document.h"

#include "framework/child_frame.h"
#include "framework/doc_template.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "platform/file.h"
#include "platform/message_box.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_COMMAND_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_COMMAND_MAP()

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
        AfxMessageBox(InvalidPathMessage(path), MB_ICONEXCLAMATION);
        return FALSE;
    }
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        AfxMessageBox(UnreadableFileMessage(path), MB_ICONEXCLAMATION);
        return FALSE;
    }
    DeleteContents();
    // Modified while being read, so that a half-read drawing is never taken
    // for the file's contents.
    SetModifiedFlag();
    try {
        CArchive ar(&file, CArchive::load);
        Serialize(ar);
    } catch (const std::exception& e) {
        DeleteContents();
        ReportSaveLoadException(path, &e, FALSE);
        return FALSE;
    } catch (...) {
        DeleteContents();
        ReportSaveLoadException(path, nullptr, FALSE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        AfxMessageBox(AccessWriteMessage(path), MB_ICONEXCLAMATION);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::store);
        Serialize(ar);
    } catch (const std::exception& e) {
        // A write the system refused (a full disk) is told with its reason.
        const int code = errno;
        const bool writeFailed = file.error() != QFileDevice::NoError;
        // After a short write Qt may know no reason; the system's is kept.
        const QString reason = code != 0 ? QString::fromLocal8Bit(std::strerror(code))
                                         : file.errorString();
        file.cancelWriting();
        if (writeFailed) {
            AfxMessageBox(WriteErrorMessage(path) + QLatin1Char('\n') + reason,
                          MB_ICONEXCLAMATION);
            return FALSE;
        }
        ReportSaveLoadException(path, &e, TRUE);
        return FALSE;
    } catch (...) {
        file.cancelWriting();
        ReportSaveLoadException(path, nullptr, TRUE);
        return FALSE;
    }
    QString error;
    if (!CommitSaveFile(file, &error)) {
        AfxMessageBox(WriteErrorMessage(path) + QLatin1Char('\n') + error, MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(const QString& path, const std::exception* e, BOOL saving) {
    QString text = saving ? FailedToSaveMessage(path) : FailedToOpenMessage(path);
    if (const auto* archive = dynamic_cast<const CArchiveException*>(e)) {
        switch (archive->m_cause) {
        case CArchiveException::endOfFile:
        case CArchiveException::badIndex:
        case CArchiveException::badClass:
        case CArchiveException::badSchema:
            text = InvalidFormatMessage(path);
            break;
        default:
            break;
        }
    }
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

BOOL CDocument::SaveModified() {
    if (!IsModified())
        return TRUE;
    QString name = m_strPathName.isEmpty() ? m_strTitle : m_strPathName;
    switch (AfxMessageBox(AskToSaveMessage(name), MB_YESNOCANCEL)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default: // IDNO: the changes go
        return TRUE;
    }
}

BOOL CDocument::DoFileSave() {
    QFileInfo info(m_strPathName);
    // A file that is gone or may not be written is saved as a new one.
    if (m_strPathName.isEmpty() || !info.exists() || !info.isWritable())
        return DoSave(QString());
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(const QString& path, BOOL replace) {
    QString newName = path;
    if (newName.isEmpty()) {
        CWinApp* app = AfxGetApp();
        // Without an application there is nobody to ask.
        if (!app)
            return FALSE;
        newName = app->PromptSaveFileName(GetSaveProposal());
        if (newName.isEmpty())
            return FALSE;
    }
    if (!OnSaveDocument(newName))
        return FALSE;
    if (replace)
        SetPathName(newName);
    return TRUE;
}

QString CDocument::GetSaveProposal() const {
    if (!m_strPathName.isEmpty())
        return m_strPathName;
    QString proposal = m_strTitle;
    QString ext =
        m_pDocTemplate ? m_pDocTemplate->GetDocString(CMultiDocTemplate::filterExt) : QString();
    if (!ext.isEmpty() && QFileInfo(proposal).suffix().isEmpty())
        proposal += ext;
    return proposal;
}

void CDocument::OnFileSave() {
    DoFileSave();
}

void CDocument::OnFileSaveAs() {
    DoSave(QString());
}

QString CDocument::InvalidPathMessage(const QString& path) {
    return QStringLiteral("%1\nCannot find this file.\nPlease verify that the correct path and "
                          "file name are given.")
        .arg(path);
}

QString CDocument::UnreadableFileMessage(const QString& path) {
    return QStringLiteral("%1\nThis file cannot be read.").arg(path);
}

QString CDocument::FailedToOpenMessage(const QString& path) {
    return QStringLiteral("%1\nFailed to open document.").arg(path);
}

QString CDocument::FailedToSaveMessage(const QString& path) {
    return QStringLiteral("%1\nFailed to save document.").arg(path);
}

QString CDocument::InvalidFormatMessage(const QString& path) {
    return QStringLiteral("%1\nUnexpected file format.").arg(path);
}

QString CDocument::AccessWriteMessage(const QString& path) {
    return QStringLiteral("Unable to write to %1, it is read-only or opened by someone else.")
        .arg(path);
}

QString CDocument::WriteErrorMessage(const QString& path) {
    return QStringLiteral("An unexpected error occurred while writing %1.").arg(path);
}

QString CDocument::AskToSaveMessage(const QString& name) {
    return QStringLiteral("Save changes to %1?").arg(name);
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
