// A user right-clicks a circle on the real main window, gives it a centre
// mark in the Circle Properties dialog, and takes it back and forward.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "dialogs/mark_properties_dlg.h"
#include "figures/fig_circle.h"
#include "platform/command_ids.h"
#include "platform/dialog.h"
#include "settings/settings.h"

#include <QCoreApplication>

namespace {

TEST(PropertyDialogEndToEnd, RightClickACircleMarkItsCentreUndoRedo) {
    TempProfile profile;
    AnsweringApp app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(0); // the pointer as it is
    TheSettings().m_CircleDefaults.Centre.SetValue(0);
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(view);
    Lumbrel2Doc* doc = ActiveDoc(app);
    QCoreApplication::processEvents();

    PickTool(frame, ID_DRAW_CIRCLE_CR);
    DragOnPage(view, QvPoint(15000, 15000), QvPoint(19000, 15000));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    auto* circle = dynamic_cast<QvFigCircleBase*>(doc->GetFigure(0));
    ASSERT_TRUE(circle);
    const QRect middle = view->LogicalToCanvas(CRect(14500, 15500, 15500, 14500));
    const QImage plain = view->PageImage().copy(middle);

    PickTool(frame, ID_DRAW_SELECT);
    bool opened = false;
    SetModalDialogHandler([&](CDialog& dialog) {
        auto* dlg = dynamic_cast<CCirclePropertiesDlg*>(&dialog);
        ASSERT_TRUE(dlg);
        opened = true;
        EXPECT_EQ(dlg->m_comboMark->currentText(), QStringLiteral("No point"));
        dlg->m_comboMark->setCurrentText(QStringLiteral("'X' mark"));
        dlg->accept();
    });
    const QPoint outline = view->LogicalToCanvas(CRect(19000, 15000, 19000, 15000)).topLeft();
    QTest::mouseClick(view->Canvas(), Qt::RightButton, Qt::NoModifier, outline);
    SetModalDialogHandler({});
    ASSERT_TRUE(opened);
    EXPECT_EQ(circle->CircleData()->m_markType, 6);
    ClickOnPage(view, QvPoint(25000, 5000)); // no grips over the centre
    const QImage marked = view->PageImage().copy(middle);
    EXPECT_NE(marked, plain); // the cross at the centre

    ASSERT_TRUE(Choose(ID_EDIT_UNDO));
    EXPECT_EQ(circle->CircleData()->m_markType, 0);
    EXPECT_EQ(view->PageImage().copy(middle), plain);
    ASSERT_TRUE(Choose(ID_EDIT_REDO));
    EXPECT_EQ(circle->CircleData()->m_markType, 6);
    EXPECT_EQ(view->PageImage().copy(middle), marked);

    MessageRecorder recorder(IDNO);
    frame->close();
}

} // namespace
