// A user draws graph paper with its tool, turns it into polar paper in its
// dialog, and takes that back.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "diagrams/fig_grid_dot.h"
#include "dialogs/dots_grid_dlg.h"
#include "platform/command_ids.h"
#include "settings/settings.h"

#include <QAbstractButton>
#include <QComboBox>

#include <gtest/gtest.h>

namespace {

TEST(GridDotEndToEnd, DrawOpenItsDialogChoosePolarThenUndo) {
    TempProfile profile;
    Lumbrel2App app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(1); // grid points
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2Doc* doc = ActiveDoc(app);
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(doc && view);
    QCoreApplication::processEvents();

    PickTool(frame, ID_DRAW_GRID_DOT);
    EXPECT_EQ(app.m_nCurrentTool, ID_DRAW_GRID_DOT);
    DragOnPage(view, QvPoint(2000, 28000), QvPoint(12000, 22000));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    auto* paper = dynamic_cast<QvFigGridDot*>(doc->GetFigure(0));
    ASSERT_TRUE(paper);
    EXPECT_EQ(paper->GridData()->Coord, QvEditDataGridDot::Cartesian);
    // Square paper on the page: a major line's ink 20 mm in from the left.
    const QRect area = view->LogicalToCanvas(CRect(2500, 27500, 11500, 22500));
    const QImage square = view->PageImage().copy(area);

    bool asked = false;
    SetModalDialogHandler([&](CDialog& dialog) {
        auto* dlg = dynamic_cast<CDotsGridPropertiesDlg*>(&dialog);
        ASSERT_TRUE(dlg);
        asked = true;
        EXPECT_TRUE(dlg->m_radioPaperType[0]->isChecked());
        EXPECT_FALSE(dlg->m_comboMajorAngle->isEnabled());
        dlg->m_radioPaperType[2]->click();
        EXPECT_TRUE(dlg->m_comboMajorAngle->isEnabled());
        dlg->accept();
    });
    PickTool(frame, ID_DRAW_SELECT);
    const QPoint inside = view->LogicalToCanvas(CRect(7000, 25000, 7000, 25000)).topLeft();
    QTest::mouseClick(view->Canvas(), Qt::RightButton, Qt::NoModifier, inside);
    SetModalDialogHandler({});
    ASSERT_TRUE(asked);
    EXPECT_EQ(paper->GridData()->Coord, QvEditDataGridDot::Polar);
    const QImage polar = view->PageImage().copy(area);
    EXPECT_NE(polar, square);

    // One step back: square paper again, drawn as before.
    Choose(ID_EDIT_UNDO);
    EXPECT_EQ(paper->GridData()->Coord, QvEditDataGridDot::Cartesian);
    EXPECT_EQ(view->PageImage().copy(area), square);
    Choose(ID_EDIT_REDO);
    EXPECT_EQ(paper->GridData()->Coord, QvEditDataGridDot::Polar);

    MessageRecorder recorder(IDNO);
    frame->close();
}

} // namespace
