#include "shell/lumbrel2_app.h"

#include "dialogs/gallery_dialogs.h"
#include "document/lumbrel2_doc.h"
#include "framework/doc_template.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "platform/crt_random.h"
#include "platform/message_box.h"
#include "settings/settings.h"
#include "shell/about_dlg.h"
#include "shell/command_actions.h"
#include "shell/file_type_registration.h"
#include "shell/main_frame.h"
#include "shell/pref_commands.h"
#include "shell/property_dialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace {

void OpenBesideProgram(const QString& fileName) {
    // Whatever the desktop says about the file is not ours to report.
    QDesktopServices::openUrl(QUrl::fromLocalFile(Lumbrel2App::HelpFilePath(fileName)));
}

void EnableIfBesideProgram(CCmdUI* ui, const QString& fileName) {
    ui->Enable(QFileInfo::exists(Lumbrel2App::HelpFilePath(fileName)));
}

// A container would start us with one of these; there is no embedding
// here, so they start the program as usual.
bool IsServerSwitch(const QString& commandLine) {
    for (const char* name : {"-Embedding", "/Embedding", "-Automation", "/Automation"})
        if (commandLine.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

const QString kHelpFile = QStringLiteral("lumbrel2.chm");
const QString kManual = QStringLiteral("kw2_manl.pdf");
const QString kQuickRef = QStringLiteral("kw2_card.pdf");

} // namespace

IMPLEMENT_DYNAMIC(Lumbrel2App, CWinApp)

BEGIN_COMMAND_MAP(Lumbrel2App, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_ABOUT_MAKER, OnAboutMaker)
ON_COMMAND(ID_HELP_FILE, OnHelpFile)
ON_UPDATE_COMMAND_UI(ID_HELP_FILE, OnUpdateHelpFile)
ON_COMMAND(ID_READ_MANUAL, OnReadManual)
ON_UPDATE_COMMAND_UI(ID_READ_MANUAL, OnUpdateReadManual)
ON_COMMAND(ID_READ_QUICK_REF, OnReadQuickRef)
ON_UPDATE_COMMAND_UI(ID_READ_QUICK_REF, OnUpdateReadQuickRef)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_TOOLS_DIRECTORIES, OnToolsDirectories)
ON_COMMAND(ID_RESET_ALL_OPTIONS, OnResetAllOptions)
ON_COMMAND(ID_FILE_CLOSE_AND_UPDATE, OnCloseAndUpdate)
ON_UPDATE_COMMAND_UI(ID_FILE_CLOSE_AND_UPDATE, OnUpdateCloseAndUpdate)
ON_COMMAND(ID_FILE_CLOSE_WITHOUT_UPDATE, OnCloseWithoutUpdate)
ON_UPDATE_COMMAND_UI(ID_FILE_CLOSE_WITHOUT_UPDATE, OnUpdateCloseWithoutUpdate)
END_COMMAND_MAP()

Lumbrel2App::Lumbrel2App() {
    QvSetEditorState(this);
    Lumbrel2Doc::SetGalleryBrowser(RunGalleryBrowser);
    Lumbrel2Doc::SetCommandDialogs({RunPreferenceDialog, RunGridDialog, RunSelectGallery,
                                    RunColourDialog, RunWebGraphicFileDialog});
}
Lumbrel2App::~Lumbrel2App() = default;

Lumbrel2App* TheApp() {
    return dynamic_cast<Lumbrel2App*>(AfxGetApp());
}

CMainFrame* Lumbrel2App::GetMainFrame() const {
    return static_cast<CMainFrame*>(m_pMainWnd.get());
}

void Lumbrel2App::ShowCommand(UINT id, bool shown) {
    if (QAction* action = CommandAction(id))
        action->setVisible(shown);
}

BOOL Lumbrel2App::InitInstance(const QString& commandLine) {
    // The profile's organisation and name come from InitApplication.
    LoadStdProfileSettings();
    TheSettings().Load();
    RefreshEquationOptions();
    InstallPropertyDialogs();

    // main() sets the template; without one there is nothing to open.
    if (!m_pDocTemplate)
        return FALSE;

    auto frame = std::make_unique<CMainFrame>(*m_router);
    CMainFrame* mainFrame = frame.get();
    m_pMainWnd = std::move(frame);
    if (!mainFrame->LoadFrame())
        return FALSE;
    m_pDocTemplate->SetMdiArea(m_pMainWnd->MdiArea());
    ConnectRouter();
    m_router->StartIdleUpdates();

    m_bStartedAsServer = 0;
    if (commandLine.isEmpty() || IsServerSwitch(commandLine)) {
        OnFileNew();
    } else if (commandLine.startsWith(QLatin1String("-r"))) {
        if (!RegisterShellFileTypes(QCoreApplication::applicationFilePath()))
            qWarning("Lumbrel: the .kw2 file type could not be registered");
        return FALSE;
    } else {
        // The whole line is one file name, spaces and quotes included.
        OpenDocumentFile(commandLine);
    }

    mainFrame->ShowFrame();
    m_router->IdleUpdate();
    CrtSrandFromTime();
    return TRUE;
}

QString Lumbrel2App::OpenFilePattern(const QString& galleryPath) {
    QString pattern = galleryPath;
    if (!pattern.endsWith(QLatin1Char('/')))
        pattern += QLatin1Char('/');
    return pattern + QStringLiteral("*.kw2");
}

QString Lumbrel2App::HelpFilePath(const QString& fileName) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + fileName;
}

void Lumbrel2App::OnAppAbout() {
    CAboutDlg dlg(m_pMainWnd.get());
    dlg.exec();
}

void Lumbrel2App::OnAboutMaker() {
    CContactDlg dlg(m_pMainWnd.get());
    dlg.exec();
}

void Lumbrel2App::OnHelpFile() {
    OpenBesideProgram(kHelpFile);
}

void Lumbrel2App::OnUpdateHelpFile(CCmdUI* ui) {
    EnableIfBesideProgram(ui, kHelpFile);
}

void Lumbrel2App::OnReadManual() {
    OpenBesideProgram(kManual);
}

void Lumbrel2App::OnUpdateReadManual(CCmdUI* ui) {
    EnableIfBesideProgram(ui, kManual);
}

void Lumbrel2App::OnReadQuickRef() {
    OpenBesideProgram(kQuickRef);
}

void Lumbrel2App::OnUpdateReadQuickRef(CCmdUI* ui) {
    EnableIfBesideProgram(ui, kQuickRef);
}

QString Lumbrel2App::OpenFolder() {
    const QvSettings& settings = TheSettings();
    if (QString gallery = settings.m_GalleryPath.GetValue(); !gallery.isEmpty())
        return gallery;
    // The file system's root is no place to start looking for drawings.
    if (QString folder = settings.m_DefaultPath.GetValue(); !folder.isEmpty())
        return folder;
    if (RecentFiles().Count() > 0)
        return QFileInfo(RecentFiles()[0]).absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void Lumbrel2App::OnFileOpen() {
    QString path = PromptOpenFileName(OpenFilePattern(OpenFolder()));
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void Lumbrel2App::OnToolsDirectories() {
    EditSystemDirectories(m_pMainWnd.get());
}

QString Lumbrel2App::PromptOpenFileName(const QString& proposal) {
    QFileDialog dialog(m_pMainWnd.get(), QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(QFileInfo(proposal).path());
    dialog.setNameFilters({m_pDocTemplate
                               ? m_pDocTemplate->GetDocString(CMultiDocTemplate::filterName)
                               : QStringLiteral("Lumbrel V2 Files (*.kw2)"),
                           QStringLiteral("All Files (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

void Lumbrel2App::OnResetAllOptions() {
    if (ShowMessageBox(QStringLiteral("Are you sure?"), QStringLiteral("Please Confirm"),
                       MB_OKCANCEL) != IDOK)
        return;
    QvSettings& settings = TheSettings();
    settings.Save(TRUE);
    settings.ReadFromRegistry();
    RefreshEquationOptions();
    settings.m_bCloseDown = TRUE;
    ShowMessageBox(QStringLiteral("Lumbrel will now close down and must be restarted"),
                   QStringLiteral("Varnholt"), MB_OK);
    CheckCloseDown();
}

void Lumbrel2App::CheckCloseDown() {
    if (!TheSettings().m_bCloseDown)
        return;
    HideApplication();
    CloseAllDocuments(TRUE);
    if (m_pMainWnd && !m_pMainWnd->close())
        return;
    // Closing a window that is already hidden is not the last window
    // closing, so Qt would go on running without one.
    QCoreApplication::quit();
}

void Lumbrel2App::OnCloseAndUpdate() {
    // Only an embedded run has a container to update; without one this is
    // the same as closing without updating.
    OnCloseWithoutUpdate();
}

void Lumbrel2App::OnUpdateCloseAndUpdate(CCmdUI* ui) {
    ui->Enable(m_bStartedAsServer);
}

void Lumbrel2App::OnCloseWithoutUpdate() {
    HideApplication();
    CloseAllDocuments(TRUE);
}

void Lumbrel2App::OnUpdateCloseWithoutUpdate(CCmdUI* ui) {
    ui->Enable(m_bStartedAsServer);
}
