// A user draws on the real main window: picks a tool from the palette,
// drags with the mouse, and takes the steps back and forward again.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "document/lumbrel2_doc.h"
#include "document/lumbrel2_view.h"
#include "figures/fig_circle.h"
#include "figures/fig_line.h"
#include "framework/doc_template.h"
#include "platform/command_ids.h"
#include "settings/settings.h"
#include "shell/command_actions.h"
#include "shell/lumbrel2_app.h"
#include "shell/main_frame.h"

#include <QAction>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

TEST(DrawEndToEnd, LineAndCircleWithTheMouseThenUndoAndRedo) {
    TempProfile profile;
    Lumbrel2App app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(1); // grid points
    CMainFrame* frame = app.GetMainFrame();
    ASSERT_EQ(app.GetDocTemplate()->Documents().size(), 1u);
    auto* doc = dynamic_cast<Lumbrel2Doc*>(app.GetDocTemplate()->Documents().front().get());
    ASSERT_TRUE(doc);
    auto* view = dynamic_cast<Lumbrel2View*>(doc->Views().front());
    ASSERT_TRUE(view);
    QCoreApplication::processEvents();

    PickTool(frame, ID_DRAW_LINE);
    EXPECT_EQ(app.m_nCurrentTool, ID_DRAW_LINE);
    DragOnPage(view, QvPoint(2000, 28000), QvPoint(6000, 26000));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    auto* line = dynamic_cast<QvFigLine*>(doc->GetFigure(0));
    ASSERT_TRUE(line);
    // Both ends on grid points near where the pointer was.
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(2000, 28000));
    EXPECT_EQ(line->DefiningPoints()[1], QvPoint(6000, 26000));

    PickTool(frame, ID_DRAW_CIRCLE_CR);
    EXPECT_EQ(app.m_nCurrentTool, ID_DRAW_CIRCLE_CR);
    DragOnPage(view, QvPoint(15000, 15000), QvPoint(17000, 15000));
    ASSERT_EQ(doc->GetFigureCount(), 2);
    auto* circle = dynamic_cast<QvFigCircleCR*>(doc->GetFigure(1));
    ASSERT_TRUE(circle);
    EXPECT_EQ(circle->Circle().centre, QvPoint(15000, 15000));
    EXPECT_DOUBLE_EQ(circle->Circle().radius, 2000.0);

    QAction* undo = CommandAction(ID_EDIT_UNDO);
    QAction* redo = CommandAction(ID_EDIT_REDO);
    ASSERT_TRUE(undo && redo);
    undo->trigger();
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{line}));
    undo->trigger();
    EXPECT_EQ(doc->GetFigureCount(), 0);
    redo->trigger();
    redo->trigger();
    EXPECT_EQ(doc->Figures(), (std::vector<QvFigure*>{line, circle}));
    // The page shows them again: ink where the circle passes.
    const QImage& page = view->PageImage();
    QRect r = view->LogicalToCanvas(CRect(17000, 15000, 17000, 15000));
    bool ink = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            ink = ink || page.pixel(r.left() + dx, r.top() + dy) != 0xFFFFFFFF;
    EXPECT_TRUE(ink);

    // Shift+Right nudges the selected line a twentieth of a millimetre;
    // Undo puts it back.
    doc->ClearSelection();
    doc->AddToSelection(line);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(2005, 28000));
    undo->trigger();
    EXPECT_EQ(line->DefiningPoints()[0], QvPoint(2000, 28000));

    // The drawing has changed: closing asks, and "No" discards it.
    MessageRecorder recorder(IDNO);
    frame->close();
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, "Save changes to Lumbrel1?");
}

} // namespace
