#include "framework/win_app.h"

#include "framework/child_frame.h"
#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/mdi_frame.h"
#include "framework/print_info.h"
#include "framework/view.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QPageSetupDialog>

namespace {
CWinApp* g_app = nullptr;
}

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_COMMAND_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, OnUpdateRecentFileMenu)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_COMMAND_MAP()

CWinApp::CWinApp()
    : m_router(std::make_unique<CCommandRouter>()),
      m_recentFiles(QStringLiteral("Recent File List"), QStringLiteral("File"), 4) {
    g_app = this;
}

CWinApp::~CWinApp() {
    m_router->StopIdleUpdates();
    m_router->SetChain({});
    // Windows first: their views still point at the template's documents.
    m_pMainWnd.reset();
    m_pDocTemplate.reset();
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::SetDocTemplate(std::unique_ptr<CMultiDocTemplate> docTemplate) {
    m_pDocTemplate = std::move(docTemplate);
}

CWinApp* AfxGetApp() {
    return g_app;
}

void CWinApp::ConnectRouter() {
    m_router->SetChain([this] {
        CMDIFrameWnd* frame = m_pMainWnd.get();
        CChildFrame* child = frame ? frame->GetActiveChild() : nullptr;
        CView* view = child ? child->GetActiveView() : nullptr;
        CDocument* doc = view ? view->GetDocument() : nullptr;
        return CCommandRouter::Chain{view, doc, child, frame, this};
    });
}

void CWinApp::LoadStdProfileSettings() {
    m_recentFiles.ReadList();
}

CDocument* CWinApp::OpenDocumentFile(const QString& fileName) {
    if (!m_pDocTemplate)
        return nullptr;
    // A name from a command line may come in quotes.
    QString name = fileName;
    if (name.startsWith(QLatin1Char('"')))
        name.remove(0, 1);
    int lastQuote = name.lastIndexOf(QLatin1Char('"'));
    if (lastQuote >= 0)
        name.truncate(lastQuote);
    QString path = QFileInfo(name).absoluteFilePath();

    for (const auto& doc : m_pDocTemplate->Documents())
        if (!doc->GetPathName().isEmpty() && doc->GetPathName() == path) {
            if (!doc->Views().empty())
                if (CChildFrame* frame = doc->Views().front()->GetParentFrame())
                    if (QMdiArea* area = frame->mdiArea())
                        area->setActiveSubWindow(frame);
            return doc.get();
        }
    return m_pDocTemplate->OpenDocumentFile(path);
}

void CWinApp::AddToRecentFileList(const QString& path) {
    m_recentFiles.Add(path);
    m_recentFiles.WriteList();
}

QString CWinApp::PromptSaveFileName(const QString& proposal) {
    QFileDialog dialog(m_pMainWnd.get(), QStringLiteral("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    if (m_pDocTemplate) {
        filters << m_pDocTemplate->GetDocString(CMultiDocTemplate::filterName);
        QString ext = m_pDocTemplate->GetDocString(CMultiDocTemplate::filterExt);
        if (ext.startsWith(QLatin1Char('.')))
            dialog.setDefaultSuffix(ext.mid(1));
    }
    filters << QStringLiteral("All Files (*)");
    dialog.setNameFilters(filters);
    QFileInfo info(proposal);
    if (info.isAbsolute())
        dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

BOOL CWinApp::SaveAllModified() {
    return m_pDocTemplate ? m_pDocTemplate->SaveAllModified() : TRUE;
}

void CWinApp::CloseAllDocuments(BOOL endSession) {
    if (m_pDocTemplate)
        m_pDocTemplate->CloseAllDocuments(endSession);
}

void CWinApp::HideApplication() {
    if (!m_pMainWnd)
        return;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != m_pMainWnd.get() && w->isVisible() && w->parentWidget() == m_pMainWnd.get())
            w->hide();
    m_pMainWnd->hide();
}

void CWinApp::OnFileNew() {
    if (m_pDocTemplate)
        m_pDocTemplate->OpenDocumentFile(QString());
}

void CWinApp::OnOpenRecentFile(UINT id) {
    int index = int(id - ID_FILE_MRU_FILE1);
    QString path = m_recentFiles[index];
    if (path.isEmpty())
        return;
    // A drawing that can no longer be opened leaves the list.
    if (!OpenDocumentFile(path)) {
        m_recentFiles.Remove(index);
        m_recentFiles.WriteList();
    }
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* ui) {
    int index = int(ui->m_nID - ID_FILE_MRU_FILE1);
    bool empty = m_recentFiles.Count() == 0;
    // With no recent files the first item stays as a greyed "Recent File".
    bool shown = index < m_recentFiles.Count() || (empty && index == 0);
    ShowCommand(ui->m_nID, shown);
    if (empty) {
        if (index == 0)
            ui->SetText(QStringLiteral("Recent File"));
        ui->Enable(FALSE);
        return;
    }
    if (index < m_recentFiles.Count())
        ui->SetText(m_recentFiles.MenuText(index));
    ui->Enable(index < m_recentFiles.Count());
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd)
        m_pMainWnd->close();
}

void CWinApp::OnFilePrintSetup() {
    QPageSetupDialog dialog(&SessionPrinter(), m_pMainWnd.get());
    dialog.exec();
}
