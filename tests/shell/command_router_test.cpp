// Command routing along the target chain, update handlers and their effect
// on menu items and toolbar buttons.
#include "platform/command_router.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QToolBar>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kViewAndDoc = 40001;    // view and document both handle it
constexpr UINT kDocOnly = 40002;       // document only
constexpr UINT kAppOnly = 40003;       // application only
constexpr UINT kUnhandled = 40004;     // nobody
constexpr UINT kCheckOnly = 40005;     // update handler that only checks
constexpr UINT kDisabledByDoc = 40006; // view handles, document's update disables
constexpr UINT kRangeFirst = 40010;
constexpr UINT kRangeLast = 40019;
constexpr UINT kOverridden = 40020; // base and derived frame both handle it

std::vector<std::string> g_log;

class TestView : public CCmdTarget {
    DECLARE_COMMAND_MAP()
public:
    void OnViewAndDoc() { g_log.push_back("view"); }
    void OnDisabledByDoc() { g_log.push_back("view"); }
};
BEGIN_COMMAND_MAP(TestView, CCmdTarget)
ON_COMMAND(kViewAndDoc, OnViewAndDoc)
ON_COMMAND(kDisabledByDoc, OnDisabledByDoc)
END_COMMAND_MAP()

class TestDoc : public CCmdTarget {
    DECLARE_COMMAND_MAP()
public:
    void OnViewAndDoc() { g_log.push_back("doc"); }
    void OnDocOnly() { g_log.push_back("doc"); }
    void OnCheckOnly() { g_log.push_back("doc"); }
    void OnUpdateCheckOnly(CCmdUI* ui) { ui->SetCheck(checked ? 1 : 0); }
    void OnUpdateDisabledByDoc(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnTool(UINT id) { g_log.push_back("tool " + std::to_string(id)); }
    void OnUpdateTool(CCmdUI* ui) { ui->SetRadio(ui->m_nID == currentTool); }
    bool checked = true;
    UINT currentTool = kRangeFirst;
};
BEGIN_COMMAND_MAP(TestDoc, CCmdTarget)
ON_COMMAND(kViewAndDoc, OnViewAndDoc)
ON_COMMAND(kDocOnly, OnDocOnly)
ON_COMMAND(kCheckOnly, OnCheckOnly)
ON_UPDATE_COMMAND_UI(kCheckOnly, OnUpdateCheckOnly)
ON_UPDATE_COMMAND_UI(kDisabledByDoc, OnUpdateDisabledByDoc)
ON_COMMAND_RANGE(kRangeFirst, kRangeLast, OnTool)
ON_UPDATE_COMMAND_UI_RANGE(kRangeFirst, kRangeLast, OnUpdateTool)
END_COMMAND_MAP()

class TestFrameBase : public CCmdTarget {
    DECLARE_COMMAND_MAP()
public:
    void OnOverridden() { g_log.push_back("frame base"); }
    void OnDocOnly() { g_log.push_back("frame"); }
};
BEGIN_COMMAND_MAP(TestFrameBase, CCmdTarget)
ON_COMMAND(kOverridden, OnOverridden)
ON_COMMAND(kDocOnly, OnDocOnly)
END_COMMAND_MAP()

class TestFrame : public TestFrameBase {
    DECLARE_COMMAND_MAP()
public:
    void OnOverriddenHere() { g_log.push_back("frame derived"); }
};
BEGIN_COMMAND_MAP(TestFrame, TestFrameBase)
ON_COMMAND(kOverridden, OnOverriddenHere)
END_COMMAND_MAP()

class TestApp : public CCmdTarget {
    DECLARE_COMMAND_MAP()
public:
    void OnAppOnly() { g_log.push_back("app"); }
    void OnViewAndDoc() { g_log.push_back("app"); }
};
BEGIN_COMMAND_MAP(TestApp, CCmdTarget)
ON_COMMAND(kAppOnly, OnAppOnly)
ON_COMMAND(kViewAndDoc, OnViewAndDoc)
END_COMMAND_MAP()

class CommandRouterTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        router.SetChain([this] {
            return CCommandRouter::Chain{activeView, &doc, &child, &frame, &app};
        });
    }
    QAction* MakeAction(UINT id) {
        auto* action = new QAction(QStringLiteral("item"), &owner);
        router.ConnectAction(action, id);
        return action;
    }

    TestView view;
    TestDoc doc;
    CCmdTarget child; // a child frame without handlers of its own
    TestFrame frame;
    TestApp app;
    CCmdTarget* activeView = &view;
    CCommandRouter router;
    QObject owner;
};

TEST_F(CommandRouterTest, FirstHandlerAlongTheChainRuns) {
    struct Case {
        UINT id;
        bool handled;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {kViewAndDoc, true, {"view"}},
        {kDocOnly, true, {"doc"}}, // the frame handles it too, but later
        {kAppOnly, true, {"app"}},
        {kOverridden, true, {"frame derived"}},
        {kRangeFirst + 3, true, {"tool 40013"}},
        {kUnhandled, false, {}},
    };
    for (const Case& c : cases) {
        g_log.clear();
        EXPECT_EQ(router.Execute(c.id), c.handled) << c.id;
        EXPECT_EQ(g_log, c.log) << c.id;
    }
}

TEST_F(CommandRouterTest, ChainFollowsTheActiveViewAndSkipsMissingTargets) {
    activeView = nullptr; // no drawing open
    EXPECT_TRUE(router.Execute(kViewAndDoc));
    EXPECT_EQ(g_log, std::vector<std::string>{"doc"});
    activeView = &view;
    g_log.clear();
    router.Execute(kViewAndDoc);
    EXPECT_EQ(g_log, std::vector<std::string>{"view"});
}

TEST_F(CommandRouterTest, UpdateStateFromHandlersAndTheirAbsence) {
    struct Case {
        UINT id;
        bool enabled;
        int check;
    };
    const Case cases[] = {
        {kViewAndDoc, true, -1},     // handled, no update handler
        {kUnhandled, false, -1},     // nobody handles it
        {kCheckOnly, true, 1},       // update handler only checks
        {kDisabledByDoc, false, -1}, // the update handler outranks a later command handler
        {kRangeFirst, true, 1},      {kRangeFirst + 1, true, 0},
    };
    for (const Case& c : cases) {
        CCmdUI ui(c.id);
        router.UpdateCommand(ui);
        EXPECT_EQ(ui.m_bEnabled, c.enabled) << c.id;
        EXPECT_EQ(ui.m_nCheck, c.check) << c.id;
    }
}

TEST_F(CommandRouterTest, CheckOnlyUpdateHandlerFollowsTheCommandHandler) {
    // With no document the item turns off; once a document is back its
    // update handler, which never calls Enable, must turn it on again.
    QAction* action = MakeAction(kCheckOnly);
    router.SetChain([] { return CCommandRouter::Chain{}; });
    router.UpdateAction(action);
    EXPECT_FALSE(action->isEnabled());
    router.SetChain([this] { return CCommandRouter::Chain{&doc}; });
    router.UpdateAction(action);
    EXPECT_TRUE(action->isEnabled());
    EXPECT_TRUE(action->isChecked());
}

TEST_F(CommandRouterTest, MenuIsUpdatedBeforeItOpens) {
    QMenu menu;
    QAction* handled = MakeAction(kDocOnly);
    QAction* unhandled = MakeAction(kUnhandled);
    QAction* checked = MakeAction(kCheckOnly);
    menu.addAction(handled);
    menu.addAction(unhandled);
    menu.addAction(checked);
    router.WatchMenu(&menu);
    doc.checked = true;
    emit menu.aboutToShow();
    EXPECT_TRUE(handled->isEnabled());
    EXPECT_FALSE(unhandled->isEnabled());
    EXPECT_TRUE(checked->isChecked());
    doc.checked = false;
    emit menu.aboutToShow();
    EXPECT_FALSE(checked->isChecked());
}

TEST_F(CommandRouterTest, IdlePassUpdatesToolbarButtons) {
    QToolBar bar;
    std::vector<QAction*> tools;
    for (UINT id = kRangeFirst; id < kRangeFirst + 3; ++id) {
        tools.push_back(MakeAction(id));
        bar.addAction(tools.back());
    }
    QAction* unhandled = MakeAction(kUnhandled);
    bar.addAction(unhandled);
    doc.currentTool = kRangeFirst + 2;
    router.IdleUpdate();
    EXPECT_FALSE(tools[0]->isChecked());
    EXPECT_FALSE(tools[1]->isChecked());
    EXPECT_TRUE(tools[2]->isChecked());
    EXPECT_FALSE(unhandled->isEnabled());

    // Choosing a tool runs its handler and the next idle pass moves the check.
    tools[0]->trigger();
    EXPECT_EQ(g_log, std::vector<std::string>{"tool 40010"});
    doc.currentTool = kRangeFirst;
    QApplication::processEvents();
    EXPECT_TRUE(tools[0]->isChecked());
    EXPECT_FALSE(tools[2]->isChecked());
}

TEST_F(CommandRouterTest, TriggeringACommandThatIsOffNowDoesNothing) {
    // An accelerator can fire before the idle pass has disabled its action.
    QAction* action = MakeAction(kDisabledByDoc);
    action->setEnabled(true);
    action->trigger();
    EXPECT_TRUE(g_log.empty());
    EXPECT_FALSE(action->isEnabled());
}

TEST_F(CommandRouterTest, PostedCommandRunsFromTheEventLoop) {
    router.PostCommand(kDocOnly);
    router.PostCommand(kAppOnly);
    EXPECT_TRUE(g_log.empty());
    QApplication::processEvents();
    EXPECT_EQ(g_log, (std::vector<std::string>{"doc", "app"}));
}

TEST_F(CommandRouterTest, ActionCarriesItsId) {
    QAction* action = MakeAction(kAppOnly);
    EXPECT_EQ(CommandIdOf(action), kAppOnly);
    QAction plain;
    EXPECT_EQ(CommandIdOf(&plain), 0u);
    EXPECT_EQ(CommandIdOf(nullptr), 0u);
}

} // namespace
