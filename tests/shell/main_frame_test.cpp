// The main frame: window placement, palette columns, and the layout kept
// in the profile from one run to the next.
#include "common/start_program.h"
#include "common/test_support.h"
#include "framework/doc_template.h"
#include "platform/profile.h"
#include "shell/lumbrel2_app.h"
#include "shell/main_frame.h"
#include "shell/palette_tool_bar.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QGridLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

class MainFrameTest : public ::testing::Test {
protected:
    CMainFrame* Start() {
        app = std::make_unique<Lumbrel2App>();
        EXPECT_TRUE(StartProgram(*app, QString()));
        return app->GetMainFrame();
    }
    QToolBar* Bar(const char* name) {
        return app->GetMainFrame()->findChild<QToolBar*>(QString::fromLatin1(name));
    }

    TempProfile profile;
    std::unique_ptr<Lumbrel2App> app;
};

TEST_F(MainFrameTest, WindowPosNeedsExactlyTenNumbers) {
    CMainFrame* frame = Start();
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"", false},
        {"0,1,-1,-1,-1,-1,10,20,810,620", true},
        {"0,1,-1,-1,-1,-1,10,20,810", false}, // nine numbers
        {"0,1,-1,-1,-1,-1,10,20,810,x", false},
        {"garbage", false},
    };
    for (const Case& c : cases) {
        WriteProfileString("Settings", "WindowPos", QString::fromLatin1(c.text));
        WINDOWPLACEMENT wp;
        EXPECT_EQ(frame->LoadWindowPlacement(wp), c.ok ? TRUE : FALSE) << c.text;
        if (c.ok) {
            EXPECT_EQ(wp.length, 44u);
            EXPECT_EQ(wp.showCmd, 1u);
            EXPECT_EQ(wp.rcNormalPosition.Width(), 800);
            EXPECT_EQ(wp.rcNormalPosition.bottom, 620);
        }
    }
    // A frame started with nine numbers keeps its default size.
    WriteProfileString("Settings", "WindowPos", "0,1,-1,-1,-1,-1,10,20,410");
    frame = Start();
    EXPECT_EQ(frame->size(), QSize(1024, 768));
}

TEST_F(MainFrameTest, PaletteColumnsEndRowsAfterEveryNthButton) {
    CPaletteToolBar* palette = Start()->PaletteBar();
    ASSERT_GE(palette->ButtonCount(), 10);
    auto* grid = palette->findChild<QGridLayout*>();
    ASSERT_NE(grid, nullptr);
    auto cellOf = [&](int index) {
        int row = -1, column = -1, rs, cs;
        grid->getItemPosition(grid->indexOf(palette->Button(index)), &row, &column, &rs, &cs);
        return std::make_pair(row, column);
    };

    palette->SetColumns(3);
    for (int i = 0; i < palette->ButtonCount(); ++i)
        EXPECT_EQ(palette->IsWrapped(i), (i + 1) % 3 == 0) << i; // buttons 3, 6, 9, ...
    EXPECT_EQ(cellOf(2), std::make_pair(0, 2));
    EXPECT_EQ(cellOf(3), std::make_pair(1, 0));
    EXPECT_EQ(cellOf(9), std::make_pair(3, 0));

    palette->SetColumns(1);
    for (int i = 0; i < palette->ButtonCount(); ++i)
        EXPECT_TRUE(palette->IsWrapped(i)) << i;
    EXPECT_EQ(cellOf(4), std::make_pair(4, 0));

    // A count below one, as a hand-edited profile may hold, is one column.
    palette->SetColumns(0);
    EXPECT_EQ(palette->GetColumns(), 1);
    WriteProfileInt("Toolbars", "Columns", -3);
    EXPECT_EQ(Start()->PaletteBar()->GetColumns(), 1);
}

TEST_F(MainFrameTest, ClosingStoresTheLayoutAndTheNextStartRestoresIt) {
    CMainFrame* frame = Start();
    frame->PaletteBar()->SetColumns(3);
    Bar("ToolBar181")->hide();
    frame->addToolBar(Qt::BottomToolBarArea, Bar("ToolBar141"));
    frame->showMaximized();
    ASSERT_TRUE(frame->isMaximized());
    frame->close();

    EXPECT_EQ(GetProfileInt("Toolbars", "Columns", 0), 3);
    QStringList pos = GetProfileString("Settings", "WindowPos").split(',');
    ASSERT_EQ(pos.size(), 10);
    EXPECT_EQ(pos[0], "2"); // restore to maximised
    EXPECT_EQ(pos[1], "3"); // shown maximised
    QByteArray state;
    EXPECT_TRUE(GetProfileBinary("Toolbars", "State", state));

    frame = Start();
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_EQ(frame->PaletteBar()->GetColumns(), 3);
    EXPECT_FALSE(Bar("ToolBar181")->isVisible());
    EXPECT_EQ(frame->toolBarArea(Bar("ToolBar141")), Qt::BottomToolBarArea);

    // A normal window stores flags 0 and its own rectangle.
    frame->showNormal();
    frame->setGeometry(40, 50, 800, 600);
    frame->close();
    EXPECT_EQ(GetProfileString("Settings", "WindowPos"),
              QStringLiteral("0,1,-1,-1,-1,-1,40,50,840,650"));
    frame = Start();
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_EQ(frame->size(), QSize(800, 600));
}

TEST_F(MainFrameTest, ALayoutNamingAnUnknownBarIsIgnoredWhole) {
    CMainFrame* frame = Start();
    Bar("ToolBar141")->hide();
    frame->close();
    QByteArray state;
    ASSERT_TRUE(GetProfileBinary("Toolbars", "State", state));
    EXPECT_TRUE(frame->IsBarStateValid("Toolbars"));

    // The same layout as written by a program with another Group bar.
    QByteArray from("\0"
                    "1\0"
                    "4\0"
                    "1",
                    7),
        to("\0"
           "9\0"
           "9\0"
           "9",
           7);
    ASSERT_TRUE(state.contains(from));
    WriteProfileBinary("Toolbars", "State", state.replace(from, to));
    frame = Start();
    EXPECT_FALSE(frame->IsBarStateValid("Toolbars"));
    EXPECT_TRUE(Bar("ToolBar141")->isVisible()); // the default layout stands
}

TEST_F(MainFrameTest, SecondDrawingWindowAlsoOpensMaximisedAndClosingOneClosesItsDrawing) {
    CMainFrame* frame = Start();
    app->OnFileNew();
    QList<QMdiSubWindow*> windows = frame->MdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(frame->MdiArea()->activeSubWindow(), windows[1]);
    EXPECT_TRUE(windows[1]->isMaximized());
    EXPECT_EQ(windows[1]->windowTitle(), QStringLiteral("Lumbrel2"));
    // The maximised drawing's title shows in the frame's.
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Lumbrel V2 - [Lumbrel2]"));

    windows[1]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app->GetDocTemplate()->Documents().size(), 1u);
    EXPECT_EQ(frame->MdiArea()->subWindowList().size(), 1);
}

// A saved layout in which `name` floats at `rect` (on the screen).
QByteArray WithFloatingBar(QByteArray state, const QString& name, const QRect& rect) {
    QByteArray key;
    QDataStream out(&key, QIODevice::WriteOnly);
    out << name;
    qsizetype at = state.indexOf(key);
    if (at < 0)
        return {};
    at += key.size() + 1 + 4 + 4; // shown, position and size in the row
    quint32 geom0 = (quint32(rect.width()) << 16 | quint32(rect.x() + 0x7FFF)) << 1 | 1;
    quint32 geom1 = quint32(rect.height()) << 16 | quint32(rect.y() + 0x7FFF);
    QByteArray packed;
    QDataStream pack(&packed, QIODevice::WriteOnly);
    pack << geom0 << geom1;
    return state.replace(at, packed.size(), packed);
}

// Window managers stack a tool window that appears before its main window
// below it; a bar restored floating shows after the frame, above it.
TEST_F(MainFrameTest, ARestoredFloatingBarShowsAfterItsFrameAndStaysAboveIt) {
    Start()->close();
    QByteArray state;
    ASSERT_TRUE(GetProfileBinary("Toolbars", "State", state));
    state = WithFloatingBar(state, "ToolBar181", QRect(300, 300, 200, 40));
    ASSERT_FALSE(state.isEmpty());
    WriteProfileBinary("Toolbars", "State", state);

    // The order in which windows appear.
    struct ShowRecorder : QObject {
        std::vector<QObject*> shown;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Show && watched->isWidgetType() &&
                static_cast<QWidget*>(watched)->isWindow())
                shown.push_back(watched);
            return false;
        }
    } recorder;
    QCoreApplication::instance()->installEventFilter(&recorder);
    CMainFrame* frame = Start();
    QCoreApplication::instance()->removeEventFilter(&recorder);
    QToolBar* bar = Bar("ToolBar181");
    ASSERT_TRUE(bar->isFloating());
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry().topLeft(), QPoint(300, 300));
    auto last = [&](QObject* window) {
        auto at = std::find(recorder.shown.rbegin(), recorder.shown.rend(), window);
        return at == recorder.shown.rend() ? -1 : int(recorder.shown.rend() - at);
    };
    ASSERT_GE(last(frame), 0);
    EXPECT_GT(last(bar), last(frame));
    ASSERT_NE(bar->windowHandle(), nullptr);
    EXPECT_EQ(bar->windowHandle()->transientParent(), frame->windowHandle());
}

} // namespace
