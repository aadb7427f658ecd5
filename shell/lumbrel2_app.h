#pragma once
// The application object: start-up, the editor state the drawing windows
// share (current tool, status text, internal clipboard) and the
// application-level commands.
#include "document/editor_state.h"
#include "framework/win_app.h"
#include "platform/command_ids.h"

#include <QString>

class CMainFrame;

class Lumbrel2App : public CWinApp, public QvEditorState {
    DECLARE_DYNAMIC(Lumbrel2App)
    DECLARE_COMMAND_MAP()
public:
    Lumbrel2App();
    ~Lumbrel2App() override;

    // Everything before the event loop.  `commandLine` is the program's
    // arguments joined by spaces.  FALSE means end without a window.
    BOOL InitInstance(const QString& commandLine);

    CMainFrame* GetMainFrame() const;

    // The pattern File>Open proposes for a gallery folder: the folder, one
    // separator and "*.kw2".
    static QString OpenFilePattern(const QString& galleryPath);
    // Where File>Open looks: the gallery folder, else the default folder,
    // else the folder of the last drawing opened or saved, else the user's
    // documents.
    QString OpenFolder();
    // The help file or a manual beside the program.
    static QString HelpFilePath(const QString& fileName);

    void OnAppAbout();
    void OnAboutMaker();
    void OnHelpFile();
    void OnUpdateHelpFile(CCmdUI* ui);
    void OnReadManual();
    void OnUpdateReadManual(CCmdUI* ui);
    void OnReadQuickRef();
    void OnUpdateReadQuickRef(CCmdUI* ui);
    void OnFileOpen();
    void OnToolsDirectories();
    void OnResetAllOptions();
    void OnCloseAndUpdate();
    void OnUpdateCloseAndUpdate(CCmdUI* ui);
    void OnCloseWithoutUpdate();
    void OnUpdateCloseWithoutUpdate(CCmdUI* ui);

    // Embedding needs OLE, which this platform lacks: always 0.
    BYTE m_bStartedAsServer = 0;

protected:
    void ShowCommand(UINT id, bool shown) override;
    // Asks for the drawing to open; empty when the user cancels.
    virtual QString PromptOpenFileName(const QString& proposal);
    // Once settings were reset, closes everything and ends the program.
    void CheckCloseDown();
};

// The running application object; null outside its lifetime.
Lumbrel2App* TheApp();
