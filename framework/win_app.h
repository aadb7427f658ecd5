#pragma once
// What every application of the program's kind has: the main frame, the
// document template, the recent-file list and the commands that act on
// them (File>New, the recent files, Print Setup, File>Exit).
#include "framework/recent_file_list.h"
#include "platform/command_target.h"

#include <QString>

#include <memory>

class CCommandRouter;
class CDocument;
class CMDIFrameWnd;
class CMultiDocTemplate;

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
    DECLARE_COMMAND_MAP()
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    CCommandRouter& Router() { return *m_router; }
    CMDIFrameWnd* GetMainWnd() const { return m_pMainWnd.get(); }
    CMultiDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    // The template the program's documents are made from; set by whoever
    // starts the program, before the main frame exists.
    void SetDocTemplate(std::unique_ptr<CMultiDocTemplate> docTemplate);
    CRecentFileList& RecentFiles() { return m_recentFiles; }

    // Reads the recent-file list.
    void LoadStdProfileSettings();
    // Opens a drawing, or brings its window forward when it is open already.
    // Surrounding quotes are dropped and a relative name is taken from the
    // current folder.  Null when it could not be opened.
    virtual CDocument* OpenDocumentFile(const QString& fileName);
    void AddToRecentFileList(const QString& path);
    // Asks where to save a drawing, starting from `proposal`; empty when
    // the user cancels.
    virtual QString PromptSaveFileName(const QString& proposal);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL endSession);
    // Hides the main window and every window it owns.
    void HideApplication();

    void OnFileNew();
    void OnOpenRecentFile(UINT id);
    void OnUpdateRecentFileMenu(CCmdUI* ui);
    void OnAppExit();
    // The desktop's page setup on the session's printer.
    void OnFilePrintSetup();

protected:
    // The chain the router sends commands along: active view, its document,
    // its child frame, the main frame, this application.
    void ConnectRouter();

    // Shows or hides a command's menu item; the program's actions are its own.
    virtual void ShowCommand(UINT, bool) {}

    std::unique_ptr<CCommandRouter> m_router;
    std::unique_ptr<CMultiDocTemplate> m_pDocTemplate;
    std::unique_ptr<CMDIFrameWnd> m_pMainWnd;
    CRecentFileList m_recentFiles;
};

// The running application; null before it is made and after it is gone.
CWinApp* AfxGetApp();
