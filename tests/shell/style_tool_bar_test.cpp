// The Line Style and Fill Style bars: their lists send the chosen style's
// command and follow the style shown, unless the user is in the list.
#include "common/start_program.h"
#include "common/test_support.h"
#include "document/lumbrel2_view.h"
#include "framework/child_frame.h"
#include "platform/command_ids.h"
#include "platform/command_router.h"
#include "settings/settings.h"
#include "shell/lumbrel2_app.h"
#include "shell/main_frame.h"
#include "shell/style_tool_bar.h"

#include <QApplication>
#include <QScrollArea>
#include <QTest>
#include <QWidgetAction>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Takes every style command the bars send.
class StyleRecorder : public CCmdTarget {
    DECLARE_COMMAND_MAP()
public:
    void OnStyle(UINT id) { ids.push_back(id); }
    std::vector<UINT> ids;
};

BEGIN_COMMAND_MAP(StyleRecorder, CCmdTarget)
ON_COMMAND_RANGE(ID_LINE_DOT, ID_FILL_DIAMOND, OnStyle)
END_COMMAND_MAP()

class StyleToolBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<Lumbrel2App>();
        ASSERT_TRUE(StartProgram(*app, QString()));
        frame = app->GetMainFrame();
    }
    void TearDown() override {
        TheSettings().m_nShownLineStyle = 0;
        TheSettings().m_nShownFillStyle = 0;
    }

    TempProfile profile;
    std::unique_ptr<Lumbrel2App> app;
    CMainFrame* frame = nullptr;
};

TEST_F(StyleToolBarTest, ListsTakeTheirButtonsPlaceAndStartFromTheCurrentStyle) {
    struct Bar {
        QToolBar* bar;
        CDataComboBox* combo;
        UINT id;
        int count;
    };
    const Bar bars[] = {
        {frame->LineStyleBar(), frame->LineStyleBar()->Combo(), ID_LINE_STYLE_COMBO, 11},
        {frame->FillStyleBar(), frame->FillStyleBar()->Combo(), ID_FILL_STYLE_COMBO, 8}};
    for (const Bar& b : bars) {
        ASSERT_NE(b.combo, nullptr);
        EXPECT_EQ(b.combo->count(), b.count);
        EXPECT_EQ(b.combo->width(), 45);
        int holders = 0;
        for (QAction* action : b.bar->actions())
            if (CommandIdOf(action) == b.id) {
                ++holders;
                auto* holder = qobject_cast<QWidgetAction*>(action);
                ASSERT_NE(holder, nullptr);
                EXPECT_EQ(holder->defaultWidget(), b.combo);
            }
        EXPECT_EQ(holders, 1) << b.id;
    }

    // A new fill list starts from the "CurFillType" setting ("No fill"),
    // the line list from the line style shown.
    TheSettings().m_nShownLineStyle = ID_LINE_HAIRLINE;
    CCommandRouter router;
    CFillStyleToolBar fillBar(QStringLiteral("Fill Style"), router);
    CLineStyleToolBar lineBar(QStringLiteral("Line Style"), router);
    EXPECT_FALSE(fillBar.CreateCombo()); // no button to take the place of
    QAction fillButton, lineButton;
    SetCommandId(&fillButton, ID_FILL_STYLE_COMBO);
    SetCommandId(&lineButton, ID_LINE_STYLE_COMBO);
    fillBar.addAction(&fillButton);
    lineBar.addAction(&lineButton);
    ASSERT_TRUE(fillBar.CreateCombo());
    ASSERT_TRUE(lineBar.CreateCombo());
    EXPECT_EQ(fillBar.Combo()->GetSelectedData(), 32814u);
    EXPECT_EQ(lineBar.Combo()->GetSelectedData(), 32805u);
}

TEST_F(StyleToolBarTest, ChoosingAStyleSendsItsCommandLater) {
    StyleRecorder recorder;
    app->Router().SetChain([&] { return CCommandRouter::Chain{&recorder}; });
    CDataComboBox* lines = frame->LineStyleBar()->Combo();
    CDataComboBox* fills = frame->FillStyleBar()->Combo();
    lines->SelectByData(ID_LINE_SOLID3);
    emit lines->activated(lines->currentIndex());
    fills->SelectByData(ID_FILL_SQUARES);
    emit fills->activated(fills->currentIndex());
    EXPECT_TRUE(recorder.ids.empty()); // posted, not sent at once
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.ids, (std::vector<UINT>{ID_LINE_SOLID3, ID_FILL_SQUARES}));
}

TEST_F(StyleToolBarTest, IdleUpdatesFollowTheShownStyleExceptWhileTheListHasTheFocus) {
    CDataComboBox* lines = frame->LineStyleBar()->Combo();
    CDataComboBox* fills = frame->FillStyleBar()->Combo();
    QvSettings& settings = TheSettings();
    settings.m_nShownLineStyle = ID_LINE_DASHDOT;
    settings.m_nShownFillStyle = ID_FILL_VERTICAL;
    app->Router().IdleUpdate();
    EXPECT_EQ(lines->GetSelectedData(), 32803u);
    EXPECT_EQ(fills->GetSelectedData(), 32819u);

    // "Solid Line" is not in the list: nothing shows.
    settings.m_nShownLineStyle = ID_LINE_SOLID;
    app->Router().IdleUpdate();
    EXPECT_EQ(lines->currentIndex(), -1);

    settings.m_nShownLineStyle = ID_LINE_DASHDOT;
    app->Router().IdleUpdate();
    frame->show();
    QApplication::setActiveWindow(frame);
    lines->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), lines);
    settings.m_nShownLineStyle = ID_LINE_SOLID6;
    settings.m_nShownFillStyle = ID_FILL_SOLID;
    app->Router().IdleUpdate();
    EXPECT_EQ(lines->GetSelectedData(), 32803u);
    EXPECT_EQ(fills->GetSelectedData(), 32815u);

    lines->clearFocus();
    app->Router().IdleUpdate();
    EXPECT_EQ(lines->GetSelectedData(), 32811u);
}

// After a style is chosen the drawing has the keyboard again, so arrow keys
// no longer run through the styles; a click on the drawing takes it too.
TEST_F(StyleToolBarTest, TheDrawingTakesTheKeyboardBackAfterAStyleAndWhenClicked) {
    auto* view = dynamic_cast<Lumbrel2View*>(frame->GetActiveChild()->GetActiveView());
    ASSERT_NE(view, nullptr);
    CDataComboBox* lines = frame->LineStyleBar()->Combo();
    CDataComboBox* fills = frame->FillStyleBar()->Combo();
    frame->show();
    QApplication::setActiveWindow(frame);
    for (CDataComboBox* combo : {lines, fills}) {
        combo->setFocus();
        QCoreApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), combo);
        combo->setCurrentIndex(0);
        QTest::keyClick(combo, Qt::Key_Down); // chooses the next style
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), view);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        EXPECT_EQ(combo->currentIndex(), 1);
    }

    lines->setFocus();
    QTest::mouseClick(view->Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
    EXPECT_EQ(QApplication::focusWidget(), view);
    lines->setFocus();
    QTest::mouseClick(view->ScrollArea()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(view->ScrollArea()->viewport()->width() - 2, 2));
    EXPECT_EQ(QApplication::focusWidget(), view);
}

} // namespace
