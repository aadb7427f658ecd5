// Commands in the running shell: each reaches the first handler along the
// active view, its document, its child frame, the main frame and the
// application, and update handlers set menu items and toolbar buttons.
#include "common/start_program.h"
#include "common/test_support.h"
#include "framework/child_frame.h"
#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/view.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "shell/command_actions.h"
#include "shell/lumbrel2_app.h"
#include "shell/main_frame.h"
#include "shell/palette_tool_bar.h"

#include <QAction>
#include <QMdiArea>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class RoutingDoc : public CDocument {
    DECLARE_COMMAND_MAP()
public:
    void OnCopy() { g_log.push_back("doc copy"); }
    void OnCascade() { g_log.push_back("doc cascade"); }
    void OnTool(UINT id) { m_tool = id; }
    void OnUpdateTool(CCmdUI* ui) { ui->SetRadio(ui->m_nID == m_tool); }
    void OnUpdateGroup(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnLevel(UINT id) { m_level = id; }
    void OnUpdateLevel(CCmdUI* ui) { ui->SetCheck(ui->m_nID == m_level); }
    UINT m_tool = ID_DRAW_SELECT;
    UINT m_level = ID_LEVEL_CUTOFF;
};
BEGIN_COMMAND_MAP(RoutingDoc, CDocument)
ON_COMMAND(ID_EDIT_COPY, OnCopy)
ON_COMMAND_RANGE(ID_DRAW_LINE, ID_DRAW_SELECT, OnTool)
ON_UPDATE_COMMAND_UI_RANGE(ID_DRAW_LINE, ID_DRAW_SELECT, OnUpdateTool)
ON_UPDATE_COMMAND_UI(ID_EDIT_GROUP, OnUpdateGroup)
ON_COMMAND_RANGE(ID_LEVEL_NONE, ID_LEVEL_GRID_POINTS, OnLevel)
ON_UPDATE_COMMAND_UI_RANGE(ID_LEVEL_NONE, ID_LEVEL_GRID_POINTS, OnUpdateLevel)
END_COMMAND_MAP()

class RoutingView : public CView {
    DECLARE_COMMAND_MAP()
public:
    void OnCopy() { g_log.push_back("view copy"); }
    void OnGroup() { g_log.push_back("view group"); }
};
BEGIN_COMMAND_MAP(RoutingView, CView)
ON_COMMAND(ID_EDIT_COPY, OnCopy)
ON_COMMAND(ID_EDIT_GROUP, OnGroup)
END_COMMAND_MAP()

class ShellRoutingTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        ASSERT_TRUE(StartProgram(app, QString()));
        app.CloseAllDocuments(TRUE);
        app.GetDocTemplate()->SetDocumentClasses(
            {[] { return std::make_unique<RoutingDoc>(); }, [] { return new RoutingView; }});
        app.OnFileNew();
        frame = app.GetMainFrame();
        view = dynamic_cast<RoutingView*>(frame->GetActiveChild()->GetActiveView());
        ASSERT_NE(view, nullptr);
        doc = static_cast<RoutingDoc*>(view->GetDocument());
    }
    QAbstractButton* ButtonOf(UINT id, const char* bar) {
        QAction* action = frame->Actions().Action(id);
        CPaletteToolBar* palette = frame->PaletteBar();
        if (palette->objectName() == QLatin1String(bar)) {
            for (int i = 0; i < palette->ButtonCount(); ++i)
                if (palette->Button(i) && palette->Button(i)->defaultAction() == action)
                    return palette->Button(i);
            return nullptr;
        }
        return qobject_cast<QAbstractButton*>(
            frame->findChild<QToolBar*>(QString::fromLatin1(bar))->widgetForAction(action));
    }

    TempProfile profile;
    Lumbrel2App app;
    CMainFrame* frame = nullptr;
    RoutingView* view = nullptr;
    RoutingDoc* doc = nullptr;
};

TEST_F(ShellRoutingTest, CommandsReachTheFirstHandlerAlongTheActiveChain) {
    CCommandRouter::Chain chain = app.Router().CurrentChain();
    ASSERT_EQ(chain.size(), 5u);
    EXPECT_EQ(chain[0], static_cast<CCmdTarget*>(view));
    EXPECT_EQ(chain[1], static_cast<CCmdTarget*>(doc));
    EXPECT_EQ(chain[2], static_cast<CCmdTarget*>(frame->GetActiveChild()));
    EXPECT_EQ(chain[3], static_cast<CCmdTarget*>(frame));
    EXPECT_EQ(chain[4], static_cast<CCmdTarget*>(&app));

    EXPECT_TRUE(app.Router().Execute(ID_EDIT_COPY)); // view and document: the view wins
    EXPECT_EQ(g_log, std::vector<std::string>{"view copy"});
    EXPECT_TRUE(app.Router().Execute(ID_DRAW_LINE)); // document
    EXPECT_EQ(doc->m_tool, ID_DRAW_LINE);
    EXPECT_TRUE(app.Router().Execute(ID_WINDOW_CASCADE)); // main frame
    EXPECT_TRUE(app.Router().Execute(ID_FILE_NEW));       // application
    EXPECT_EQ(app.GetDocTemplate()->Documents().size(), 2u);
    EXPECT_FALSE(app.Router().Execute(ID_EDIT_UNDO)); // nobody

    // The chain follows the active window; with none, only frame and
    // application remain.
    EXPECT_NE(frame->GetActiveChild()->GetActiveView(), view);
    app.CloseAllDocuments(TRUE);
    EXPECT_EQ(app.Router().CurrentChain().size(), 2u);
    g_log.clear();
    EXPECT_FALSE(app.Router().Execute(ID_EDIT_COPY));
    EXPECT_TRUE(g_log.empty());
}

TEST_F(ShellRoutingTest, UpdateHandlersSetMenuItemsAndToolbarButtons) {
    app.Router().IdleUpdate();
    QAbstractButton* select = ButtonOf(ID_DRAW_SELECT, "ToolBar132");
    QAbstractButton* line = ButtonOf(ID_DRAW_LINE, "ToolBar132");
    ASSERT_NE(line, nullptr);
    ASSERT_NE(select, nullptr);
    EXPECT_TRUE(select->isChecked());
    EXPECT_FALSE(line->isChecked());

    app.Router().Execute(ID_DRAW_LINE);
    app.Router().IdleUpdate();
    EXPECT_TRUE(line->isChecked());
    EXPECT_FALSE(select->isChecked());
    EXPECT_TRUE(frame->Actions().Action(ID_DRAW_LINE)->isChecked()); // the menu's item too

    // The view handles Group, but the document's update handler turns it off.
    EXPECT_FALSE(ButtonOf(ID_EDIT_GROUP, "ToolBar141")->isEnabled());
    EXPECT_FALSE(frame->Actions().Action(ID_EDIT_GROUP)->isEnabled());
    EXPECT_TRUE(ButtonOf(ID_EDIT_UNGROUP, "ToolBar141") != nullptr);
    EXPECT_FALSE(ButtonOf(ID_EDIT_UNGROUP, "ToolBar141")->isEnabled());

    QAbstractButton* none = ButtonOf(ID_LEVEL_NONE, "ToolBar136");
    EXPECT_TRUE(none->isEnabled());
    EXPECT_FALSE(none->isChecked());
    app.Router().Execute(ID_LEVEL_NONE);
    app.Router().IdleUpdate();
    EXPECT_TRUE(none->isChecked());
}

} // namespace
