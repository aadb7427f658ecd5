// The program's start-up as main() runs it: a window with a new drawing,
// and a clean end when the window closes.
#include "common/start_program.h"
#include "common/test_support.h"
#include "framework/doc_template.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "settings/settings.h"
#include "shell/lumbrel2_app.h"
#include "shell/main_frame.h"
#include "shell/startup.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

TEST(Startup, ShowsMainWindowWithANewDrawingAndQuitsCleanly) {
    TempProfile profile;
    EXPECT_EQ(RawCommandLine({"lumbrel2"}), QString());
    EXPECT_EQ(RawCommandLine({"lumbrel2", "/home/ann/my", "circle.kw2"}),
              QStringLiteral("/home/ann/my circle.kw2"));

    Lumbrel2App app;
    ASSERT_TRUE(StartProgram(app, QString()));
    CMainFrame* frame = app.GetMainFrame();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Lumbrel V2 - [Lumbrel1]"));
    EXPECT_EQ(app.GetDocTemplate()->Documents().size(), 1u);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = frame->isVisible();
        frame->close();
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(app.GetDocTemplate()->Documents().empty());
}

// "Lumbrel will now close down": the event loop, and with it the program,
// ends once the user has read that.
TEST(Startup, ResetAllOptionsEndsTheProgram) {
    TempProfile profile;
    Lumbrel2App app;
    ASSERT_TRUE(StartProgram(app, QString()));
    MessageRecorder recorder(IDOK);
    QTimer::singleShot(0, [&] { app.Router().Execute(ID_RESET_ALL_OPTIONS); });
    QTimer hang;
    hang.setSingleShot(true);
    QObject::connect(&hang, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    hang.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_TRUE(app.GetDocTemplate()->Documents().empty());
    TheSettings().m_bCloseDown = FALSE;
}
