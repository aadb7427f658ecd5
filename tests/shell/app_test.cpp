// The application object: start-up and its command line, File>Open's
// proposal, Reset All Options, the embedded-run and help commands, and the
// recent-file list.
#include "common/start_program.h"
#include "common/test_support.h"
#include "figures/figure.h"
#include "framework/child_frame.h"
#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/print_info.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "platform/command_table.h"
#include "platform/profile.h"
#include "settings/settings.h"
#include "shell/command_actions.h"
#include "shell/file_type_registration.h"
#include "shell/lumbrel2_app.h"
#include "shell/main_frame.h"
#include "shell/palette_tool_bar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An empty drawing, as the program saves it.
void WriteEmptyDrawing(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Hex("04 5A 4B 57 32 01 00 F4 01 00 00 00 00 00"));
}

bool AnyWindowVisible() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            return true;
    return false;
}

// An application whose File>Open dialog only records what it proposes.
class RecordingApp : public Lumbrel2App {
public:
    QStringList proposals;

protected:
    QString PromptOpenFileName(const QString& proposal) override {
        proposals << proposal;
        return QString();
    }
};

class AppTest : public ::testing::Test {
protected:
    void TearDown() override { TheSettings().m_bCloseDown = FALSE; }
    CCommandRouter& Router() { return app->Router(); }
    size_t DocumentCount() const { return app->GetDocTemplate()->Documents().size(); }

    TempProfile profile;
    std::unique_ptr<RecordingApp> app = std::make_unique<RecordingApp>();
};

TEST_F(AppTest, StartUpBuildsTheFrameWithItsBarsInOrderAndTheStatusPanes) {
    ASSERT_TRUE(StartProgram(*app, QString()));
    CMainFrame* frame = app->GetMainFrame();
    EXPECT_TRUE(frame->isVisible());

    const std::pair<const char*, const char*> bars[] = {
        {"ToolBar128", "Standard"},      {"ToolBar132", "Draw Tools"},
        {"ToolBar134", "Line Style"},    {"ToolBar135", "Fill Style"},
        {"ToolBar136", "Drawing Level"}, {"ToolBar139", "Layout"},
        {"ToolBar177", "Rotate"},        {"ToolBar180", "Reflect"},
        {"ToolBar181", "Web Graphics"},  {"ToolBar141", "Group"},
    };
    ASSERT_EQ(frame->ControlBars().size(), std::size(bars));
    for (size_t i = 0; i < std::size(bars); ++i) {
        QToolBar* bar = frame->ControlBars()[i];
        EXPECT_EQ(bar->objectName(), QString::fromLatin1(bars[i].first)) << i;
        EXPECT_EQ(bar->windowTitle(), QString::fromLatin1(bars[i].second)) << i;
        EXPECT_TRUE(bar->isVisible()) << i;
    }
    // Default layout: the palette on the left, two rows at the top.
    EXPECT_EQ(frame->toolBarArea(frame->PaletteBar()), Qt::LeftToolBarArea);
    EXPECT_EQ(frame->PaletteBar()->allowedAreas(), Qt::LeftToolBarArea | Qt::RightToolBarArea);
    EXPECT_EQ(frame->PaletteBar()->GetColumns(), 2);
    for (QToolBar* bar : frame->ControlBars())
        if (bar != frame->PaletteBar()) {
            EXPECT_EQ(frame->toolBarArea(bar), Qt::TopToolBarArea)
                << bar->windowTitle().toStdString();
        }
    QToolBar* standard = frame->ControlBars()[0];
    QToolBar* layout = frame->ControlBars()[5];
    EXPECT_LT(standard->y(), layout->y());
    EXPECT_TRUE(frame->toolBarBreak(layout));

    // The message pane starts with the bar's own text; pane 101 shows the
    // application's status text at the next idle pass.
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("Forks"));
    QLabel* pane = frame->StatusTextPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->parentWidget(), frame->statusBar());
    EXPECT_EQ(pane->sizeHint().width(), pane->fontMetrics().horizontalAdvance(QString(110, '*')));
    app->m_strStatusText = QStringLiteral("(12.00,3.50)");
    Router().IdleUpdate();
    EXPECT_EQ(pane->text(), QStringLiteral("(12.00,3.50)"));
    // In a 1024-pixel window the pane takes the width the message leaves,
    // and the message keeps room for its text.
    frame->showNormal();
    frame->resize(1024, 768);
    QCoreApplication::processEvents();
    EXPECT_TRUE(pane->isVisible());
    EXPECT_GT(pane->width(), 100);
    EXPECT_GT(pane->width(), frame->width() / 2);
    EXPECT_GE(pane->contentsRect().width(), pane->fontMetrics().horizontalAdvance(pane->text()));
    EXPECT_GE(frame->StatusMessagePane()->width(),
              frame->StatusMessagePane()->fontMetrics().horizontalAdvance("Forks"));

    // An empty command line starts with a new drawing.
    ASSERT_EQ(DocumentCount(), 1u);
    EXPECT_EQ(app->GetDocTemplate()->Documents()[0]->GetTitle(), QStringLiteral("Lumbrel1"));
    EXPECT_EQ(app->m_nCurrentTool, 32774u);
    EXPECT_EQ(app->m_bStartedAsServer, 0);
}

TEST_F(AppTest, RegisterSwitchWritesTheFileTypeAndEndsWithoutAWindow) {
    QTemporaryDir data;
    QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    // Anything after "-r" is ignored.
    EXPECT_FALSE(StartProgram(*app, QStringLiteral("-rX")));
    qputenv("XDG_DATA_HOME", oldData);
    if (oldData.isEmpty())
        qunsetenv("XDG_DATA_HOME");

    EXPECT_FALSE(AnyWindowVisible());
    EXPECT_EQ(DocumentCount(), 0u);
    QByteArray mime = ReadAll(data.path() + "/mime/packages/lumbrel-kw2.xml");
    EXPECT_TRUE(mime.contains("type=\"application/x-lumbrel-kw2\"")) << mime.constData();
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.kw2\"/>"));
    QByteArray desktop = ReadAll(data.path() + "/applications/lumbrel2.desktop");
    EXPECT_TRUE(desktop.contains("MimeType=application/x-lumbrel-kw2;"));
    EXPECT_TRUE(
        desktop.contains("Exec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\" %f"))
        << desktop.constData();
    EXPECT_TRUE(
        ReadAll(data.path() + "/icons/hicolor/scalable/apps/lumbrel2.svg").contains("<svg"));
}

TEST_F(AppTest, OtherCommandLinesAreOneFileName) {
    // "-x" is not a switch: the program tries to open a file of that name,
    // says it cannot, and still shows its window.
    {
        MessageRecorder recorder;
        ASSERT_TRUE(StartProgram(*app, QStringLiteral("-x")));
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_TRUE(recorder.messages[0].text.startsWith(QDir::current().absoluteFilePath("-x")))
            << recorder.messages[0].text.toStdString();
        EXPECT_EQ(DocumentCount(), 0u);
        EXPECT_TRUE(app->GetMainFrame()->isVisible());
    }
    // The embedding switches start the program as an empty command line does.
    for (const char* server : {"-Embedding", "/automation"}) {
        app = std::make_unique<RecordingApp>();
        ASSERT_TRUE(StartProgram(*app, QString::fromLatin1(server)));
        EXPECT_EQ(DocumentCount(), 1u) << server;
        EXPECT_EQ(app->m_bStartedAsServer, 0);
    }
    // A quoted name with a space opens that file and heads the recent list.
    app.reset();
    QTemporaryDir dir;
    QString path = dir.filePath("my circle.kw2");
    WriteEmptyDrawing(path);
    app = std::make_unique<RecordingApp>();
    ASSERT_TRUE(StartProgram(*app, '"' + path + '"'));
    ASSERT_EQ(DocumentCount(), 1u);
    EXPECT_EQ(app->GetDocTemplate()->Documents()[0]->GetTitle(), QStringLiteral("my circle.kw2"));
    EXPECT_EQ(GetProfileString("Recent File List", "File1"), path);
    EXPECT_EQ(app->GetMainFrame()->windowTitle(), QStringLiteral("Lumbrel V2 - [my circle.kw2]"));
}

TEST_F(AppTest, FileOpenStartsInTheGalleryOrTheNextBestFolder) {
    ASSERT_TRUE(StartProgram(*app, QString()));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // Without a gallery folder: the default folder, else the folder of the
    // last drawing opened or saved, else the user's documents.
    struct Case {
        const char* gallery;
        const char* defaultPath;
        const char* recent;
        QString proposal;
    };
    const Case cases[] = {
        {"/data", "/home/u/drawings", "/old/a.kw2", "/data/*.kw2"},
        {"/data/", "", "", "/data/*.kw2"},
        {"", "/home/u/drawings", "/old/a.kw2", "/home/u/drawings/*.kw2"},
        {"", "", "/old/a.kw2", "/old/*.kw2"},
        {"", "", "", documents + "/*.kw2"},
    };
    for (const Case& c : cases) {
        TheSettings().m_GalleryPath.SetValue(QString::fromLatin1(c.gallery));
        TheSettings().m_DefaultPath.SetValue(QString::fromLatin1(c.defaultPath));
        while (app->RecentFiles().Count() > 0)
            app->RecentFiles().Remove(0);
        if (*c.recent)
            app->RecentFiles().Add(QString::fromLatin1(c.recent));
        app->proposals.clear();
        EXPECT_TRUE(Router().Execute(ID_FILE_OPEN));
        ASSERT_EQ(app->proposals.size(), 1);
        EXPECT_EQ(app->proposals[0].toStdString(), c.proposal.toStdString());
    }
    // Cancelling opens nothing.
    EXPECT_EQ(DocumentCount(), 1u);
    TheSettings().m_GalleryPath.SetValue(QString());
}

TEST_F(AppTest, ResetAllOptionsAsksFirstAndCancelChangesNothing) {
    ASSERT_TRUE(StartProgram(*app, QString()));
    WriteProfileInt("System", "MADLevel", 0);
    TheSettings().ReadFromRegistry();
    {
        MessageRecorder recorder(IDCANCEL);
        EXPECT_TRUE(Router().Execute(ID_RESET_ALL_OPTIONS));
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].text, QStringLiteral("Are you sure?"));
        EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("Please Confirm"));
        EXPECT_EQ(recorder.messages[0].type, MB_OKCANCEL);
    }
    EXPECT_EQ(GetProfileInt("System", "MADLevel", -1), 0);
    EXPECT_EQ(TheSettings().MADLevel(), 0);
    EXPECT_FALSE(TheSettings().m_bCloseDown);
    EXPECT_TRUE(app->GetMainFrame()->isVisible());
    EXPECT_EQ(DocumentCount(), 1u);

    // OK writes the defaults, says the program must restart, and closes.
    {
        MessageRecorder recorder(IDOK);
        Router().Execute(ID_RESET_ALL_OPTIONS);
        ASSERT_EQ(recorder.messages.size(), 2u);
        EXPECT_EQ(recorder.messages[1].text,
                  QStringLiteral("Lumbrel will now close down and must be restarted"));
        EXPECT_EQ(recorder.messages[1].caption, QStringLiteral("Varnholt"));
    }
    EXPECT_EQ(GetProfileInt("System", "MADLevel", -1), 2);
    EXPECT_EQ(TheSettings().MADLevel(), 2);
    EXPECT_FALSE(app->GetMainFrame()->isVisible());
    EXPECT_EQ(DocumentCount(), 0u);
}

TEST_F(AppTest, EmbeddedRunCommandsAreOffAndReflectionsGoToTheDrawing) {
    ASSERT_TRUE(StartProgram(*app, QString()));
    app->CloseAllDocuments(TRUE); // nothing below depends on a drawing
    struct Case {
        UINT id;
        bool enabled;
    };
    const Case cases[] = {
        {ID_FILE_CLOSE_AND_UPDATE, false},
        {ID_FILE_CLOSE_WITHOUT_UPDATE, false},
        // Without a drawing there is nothing to reflect.
        {ID_EDIT_REFLECT_HORIZONTAL, false},
        {ID_EDIT_REFLECT_VERTICAL, false},
        {ID_EDIT_REFLECT_Y_EQUALS_X, false},
        {ID_EDIT_REFLECT_Y_EQUALS_MINUS_X, false},
        {ID_FILE_NEW, true},
        {ID_FILE_OPEN, true},
        {ID_APP_EXIT, true},
        {ID_APP_ABOUT, true},
        {ID_FILE_SAVE, false}, // needs a drawing
    };
    for (const Case& c : cases)
        EXPECT_EQ(Router().IsEnabled(c.id), c.enabled) << c.id;
    // The menu item follows when its menu opens, its '&' shown as itself.
    QAction* close = app->GetMainFrame()->Actions().Action(ID_FILE_CLOSE_AND_UPDATE);
    Router().UpdateAction(close);
    EXPECT_FALSE(close->isEnabled());
    EXPECT_EQ(close->text(), QStringLiteral("&Close && update document"));

    // A drawing takes the reflections: off while nothing is selected (they
    // reflect a selection; the drawing tests show them at work).
    app->OnFileNew();
    for (UINT id : {ID_EDIT_REFLECT_HORIZONTAL, ID_EDIT_REFLECT_VERTICAL,
                    ID_EDIT_REFLECT_Y_EQUALS_X, ID_EDIT_REFLECT_Y_EQUALS_MINUS_X})
        EXPECT_FALSE(Router().IsEnabled(id)) << id;
}

// With no drawing open, every command that works on one is greyed, menu
// items, buttons and style lists alike, and the status bar is idle: its
// own text, and no pointer read-out left from the closed drawing.
TEST_F(AppTest, WithoutADrawingItsCommandsAreGreyedAndTheStatusBarIdles) {
    ASSERT_TRUE(StartProgram(*app, QString()));
    CMainFrame* frame = app->GetMainFrame();
    app->m_strStatusText = QStringLiteral("Grid Point - (12.00,3.50)");
    frame->statusBar()->showMessage(QStringLiteral("Draw a line")); // a prompt
    Router().IdleUpdate();
    app->CloseAllDocuments(TRUE);
    ASSERT_EQ(DocumentCount(), 0u);
    frame->statusBar()->clearMessage(); // the prompt ends
    Router().IdleUpdate();

    // What stays: the commands of the program itself.
    const std::set<UINT> needNoDrawing = {
        ID_FILE_NEW,          ID_FILE_OPEN,          ID_FILE_PRINT_SETUP,   ID_APP_EXIT,
        ID_TOOLS_DIRECTORIES, ID_CUSTOMIZE_TOOLBARS, ID_RESET_ALL_OPTIONS,  ID_APP_ABOUT,
        ID_ABOUT_MAKER,       ID_HELP_FILE,          ID_READ_MANUAL,        ID_READ_QUICK_REF,
        ID_FILE_MRU_FILE1,    ID_FILE_MRU_FILE1 + 1, ID_FILE_MRU_FILE1 + 2, ID_FILE_MRU_FILE4};
    for (const CommandResource& command : CommandResources()) {
        QAction* action = frame->Actions().Action(command.id);
        if (!action || needNoDrawing.count(command.id))
            continue;
        EXPECT_FALSE(action->isEnabled()) << command.id << " " << command.prompt;
    }
    for (QComboBox* list : frame->findChildren<QComboBox*>())
        EXPECT_FALSE(list->isEnabled()) << list->objectName().toStdString();
    EXPECT_EQ(frame->StatusTextPane()->text(), QString());
    EXPECT_EQ(frame->StatusMessagePane()->text(), QStringLiteral("Forks"));

    // A new drawing brings them back.
    app->OnFileNew();
    Router().IdleUpdate();
    for (UINT id : {ID_EDIT_SELECT_ALL, ID_DRAW_LINE, ID_FILE_SAVE, ID_WINDOW_CASCADE})
        EXPECT_TRUE(frame->Actions().Action(id)->isEnabled()) << id;
    for (QComboBox* list : frame->findChildren<QComboBox*>())
        EXPECT_TRUE(list->isEnabled()) << list->objectName().toStdString();
}

// Every menu title and item has its own underlined letter, and Alt with
// the letter of a title opens that menu.
TEST_F(AppTest, AltAndAMenusLetterOpensIt) {
    ASSERT_TRUE(StartProgram(*app, QString()));
    CMainFrame* frame = app->GetMainFrame();
    QMenuBar* bar = frame->menuBar();
    std::function<void(const QList<QAction*>&, const QString&)> check =
        [&](const QList<QAction*>& items, const QString& where) {
            std::set<int> letters;
            for (QAction* item : items) {
                // The recent files are numbered instead.
                const UINT id = CommandIdOf(item);
                if (item->isSeparator() || !item->isVisible() ||
                    (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4))
                    continue;
                QKeySequence letter = QKeySequence::mnemonic(item->text());
                EXPECT_FALSE(letter.isEmpty())
                    << where.toStdString() << " > " << item->text().toStdString();
                EXPECT_TRUE(letters.insert(letter[0].toCombined()).second)
                    << "letter used twice in " << where.toStdString() << ": "
                    << item->text().toStdString();
                if (item->menu())
                    check(item->menu()->actions(), item->text());
            }
        };
    check(bar->actions(), QStringLiteral("menu bar"));
    QStringList titles;
    for (QAction* top : bar->actions())
        titles << top->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "F&ormat", "&Tools", "&Window", "&Help"}));

    frame->show();
    QApplication::setActiveWindow(frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(frame, Qt::Key_F, Qt::AltModifier);
    QMenu* file = bar->actions()[0]->menu();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == file; }, 2000));
    EXPECT_TRUE(file->isVisible());
    file->close();
}

// The Window menu lists the open drawings, the active one ticked, and
// choosing one brings it to the front.
TEST_F(AppTest, TheWindowMenuListsTheDrawingsAndSwitchesBetweenThem) {
    ASSERT_TRUE(StartProgram(*app, QString()));
    CMainFrame* frame = app->GetMainFrame();
    app->OnFileNew();
    ASSERT_EQ(DocumentCount(), 2u);
    QMdiArea* area = frame->MdiArea();
    ASSERT_EQ(area->subWindowList().size(), 2);
    QMdiSubWindow* first = area->subWindowList()[0];
    QMdiSubWindow* second = area->subWindowList()[1];
    EXPECT_EQ(frame->GetActiveChild(), second);

    QMenu* window = nullptr;
    for (QAction* top : frame->menuBar()->actions())
        if (top->menu() &&
            top->menu()->actions().contains(frame->Actions().Action(ID_WINDOW_CASCADE)))
            window = top->menu();
    ASSERT_NE(window, nullptr);
    auto listed = [&] {
        emit window->aboutToShow();
        std::vector<QAction*> drawings;
        for (QAction* item : window->actions())
            if (!item->isSeparator() && CommandIdOf(item) == 0 && !item->menu())
                drawings.push_back(item);
        return drawings;
    };
    std::vector<QAction*> drawings = listed();
    ASSERT_EQ(drawings.size(), 2u);
    EXPECT_EQ(drawings[0]->text(), "&1 " + first->windowTitle());
    EXPECT_EQ(drawings[1]->text(), "&2 " + second->windowTitle());
    EXPECT_FALSE(drawings[0]->isChecked());
    EXPECT_TRUE(drawings[1]->isChecked());

    drawings[0]->trigger();
    EXPECT_EQ(frame->GetActiveChild(), first);
    drawings = listed(); // made afresh each time, never twice
    ASSERT_EQ(drawings.size(), 2u);
    EXPECT_TRUE(drawings[0]->isChecked());

    // A closed drawing leaves the list.
    app->CloseAllDocuments(TRUE);
    EXPECT_TRUE(listed().empty());
}

// File>Print Setup edits the printer that printing and the preview use
// next, so what the user chose there stays for the next print.
TEST_F(AppTest, PrintSetupEditsThePrinterTheNextPrintUses) {
    ASSERT_TRUE(StartProgram(*app, QString()));
    EXPECT_TRUE(Router().IsEnabled(ID_FILE_PRINT_SETUP));
    QPrinter* edited = nullptr;
    QTimer user;
    user.setSingleShot(true);
    user.callOnTimeout([&] {
        auto* dialog = qobject_cast<QPageSetupDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        edited = dialog->printer();
        auto* landscape = dialog->findChild<QRadioButton*>(QStringLiteral("landscape"));
        ASSERT_NE(landscape, nullptr);
        landscape->click();
        dialog->accept();
    });
    user.start(0);
    EXPECT_TRUE(Router().Execute(ID_FILE_PRINT_SETUP));
    EXPECT_EQ(edited, &SessionPrinter());
    EXPECT_EQ(SessionPrinter().pageLayout().orientation(), QPageLayout::Landscape);
    SessionPrinter().setPageOrientation(QPageLayout::Portrait);
}

// A drawing tool's button is greyed while its figure cannot be made yet,
// and comes on by itself once the figure factory makes it.
TEST_F(AppTest, ToolButtonsOfFiguresStillToComeAreGreyed) {
    ASSERT_TRUE(StartProgram(*app, QString()));
    ASSERT_GE(TheSettings().MADLevel(), 2); // the angle mark's own condition holds
    Router().IdleUpdate();
    CPaletteToolBar* palette = app->GetMainFrame()->PaletteBar();
    CDocument* doc = app->GetDocTemplate()->Documents().front().get();
    for (int i = 0; i < palette->ButtonCount(); ++i) {
        QToolButton* button = palette->Button(i);
        UINT id = button ? CommandIdOf(button->defaultAction()) : 0;
        if (!id || id == ID_SELECT_GALLERY_FIGURE)
            continue;
        std::unique_ptr<QvFigure> figure = QvFigure::CreateForTool(int(id));
        bool makes = id == ID_DRAW_SELECT || (figure && id != ID_DRAW_GALLERY_FIGURE);
        if (!makes) {
            EXPECT_FALSE(button->isEnabled()) << id;
        } else if (doc->HasCommandHandler(id)) {
            EXPECT_TRUE(button->isEnabled()) << id;
        }
    }
    EXPECT_TRUE(palette->Button(0)->isEnabled()); // Select
}

TEST_F(AppTest, HelpCommandsNeedTheirFileBesideTheProgram) {
    ASSERT_TRUE(StartProgram(*app, QString()));
    const UINT ids[] = {ID_HELP_FILE, ID_READ_MANUAL, ID_READ_QUICK_REF};
    const char* names[] = {"lumbrel2.chm", "kw2_manl.pdf", "kw2_card.pdf"};
    for (int i = 0; i < 3; ++i) {
        QString path = Lumbrel2App::HelpFilePath(QString::fromLatin1(names[i]));
        EXPECT_EQ(path, QCoreApplication::applicationDirPath() + '/' + names[i]);
        ASSERT_FALSE(QFile::exists(path)) << names[i];
        EXPECT_FALSE(Router().IsEnabled(ids[i])) << names[i];
        QFile(path).open(QIODevice::WriteOnly);
        EXPECT_TRUE(Router().IsEnabled(ids[i])) << names[i];
        QFile::remove(path);
    }
}

TEST_F(AppTest, RecentFilesFillTheFileMenuAndDropWhatCannotOpen) {
    QTemporaryDir dir;
    QString first = dir.filePath("first.kw2");
    QString second = dir.filePath("a&b.kw2");
    WriteEmptyDrawing(first);
    WriteEmptyDrawing(second);
    ASSERT_TRUE(StartProgram(*app, QString()));
    CCommandActions& actions = app->GetMainFrame()->Actions();
    QAction* mru1 = actions.Action(ID_FILE_MRU_FILE1);
    QAction* mru2 = actions.Action(ID_FILE_MRU_FILE1 + 1);

    // With no recent files the menu shows a greyed "Recent File".
    Router().IdleUpdate();
    EXPECT_TRUE(mru1->isVisible());
    EXPECT_FALSE(mru1->isEnabled());
    EXPECT_EQ(mru1->text(), QStringLiteral("Recent File"));
    EXPECT_FALSE(mru2->isVisible());
    // All four sit together in the File menu.
    QMenu* fileMenu = app->GetMainFrame()->menuBar()->actions()[0]->menu();
    int at = fileMenu->actions().indexOf(mru1);
    ASSERT_GE(at, 0);
    EXPECT_EQ(fileMenu->actions().value(at + 1), mru2);

    app->OpenDocumentFile(first);
    app->OpenDocumentFile(second);
    Router().IdleUpdate();
    EXPECT_EQ(mru1->text(), "&1 " + QString(second).replace("&", "&&"));
    EXPECT_EQ(mru2->text(), "&2 " + first);
    EXPECT_TRUE(mru2->isVisible() && mru2->isEnabled());
    EXPECT_EQ(GetProfileString("Recent File List", "File1"), second);
    EXPECT_EQ(GetProfileString("Recent File List", "File2"), first);

    // Opening an open drawing again brings its window forward.
    size_t open = DocumentCount();
    Router().Execute(ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(DocumentCount(), open);
    EXPECT_EQ(app->GetMainFrame()->GetActiveChild()->windowTitle(), QStringLiteral("first.kw2"));

    // A recent file that has gone is reported and leaves the list.
    app->CloseAllDocuments(TRUE);
    QFile::remove(first);
    {
        MessageRecorder recorder;
        Router().Execute(ID_FILE_MRU_FILE1 + 1);
        EXPECT_EQ(recorder.messages.size(), 1u);
    }
    EXPECT_EQ(app->RecentFiles().Count(), 1);
    EXPECT_EQ(GetProfileString("Recent File List", "File2"), QString());

    // The list comes back at the next start.
    app = std::make_unique<RecordingApp>();
    ASSERT_TRUE(StartProgram(*app, QString()));
    EXPECT_EQ(app->RecentFiles()[0], second);
}

} // namespace
