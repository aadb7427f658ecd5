// A user draws a triangle on the real main window, gives it two sides and
// the angle between them in its properties dialog, and takes it back.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "dialogs/triangle_dlg.h"
#include "figures/fig_triangle.h"
#include "platform/command_ids.h"
#include "platform/dialog.h"
#include "settings/settings.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>

using namespace QvTri;

namespace {

double Distance(const QvPoint& p, const QvPoint& q) {
    return (p - q).Length();
}

TEST(TriangleDialogEndToEnd, TwoSidesAndTheirAngleLayTheTriangleOutThenUndo) {
    TempProfile profile;
    AnsweringApp app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(0); // the pointer as it is
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(view);
    Lumbrel2Doc* doc = ActiveDoc(app);
    QCoreApplication::processEvents();

    // A right angle at A: c = AB = 40 mm, b = AC = 30 mm, a = BC = 50 mm.
    PickTool(frame, ID_DRAW_TRIANGLE);
    DragOnPage(view, QvPoint(10000, 20000), QvPoint(14000, 20000)); // A to B
    ClickOnPage(view, QvPoint(10000, 23000));                       // C
    ASSERT_EQ(doc->GetFigureCount(), 1);
    auto* triangle = dynamic_cast<QvFigTriangle*>(doc->GetFigure(0));
    ASSERT_TRUE(triangle);
    const QvPointArray drawn = triangle->DefiningPoints();
    ASSERT_NEAR(Distance(drawn[0], drawn[1]), 4000, 30);

    PickTool(frame, ID_DRAW_SELECT);
    bool opened = false;
    SetModalDialogHandler([&](CDialog& dialog) {
        auto* dlg = dynamic_cast<CTriangleDlg*>(&dialog);
        ASSERT_TRUE(dlg);
        opened = true;
        auto type = [&](int measure, const char* text) {
            dlg->m_edit[measure]->setText(QString::fromLatin1(text));
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(dlg->m_edit[measure], &out);
        };
        // c is cleared, so a and b stay; the angle between them is C.
        type(SideC, "0");
        type(SideA, "30");
        type(SideB, "40");
        type(AngleC, "60");
        EXPECT_EQ(dlg->m_message->toPlainText(),
                  QStringLiteral("Unique triangle found (Two sides and included angle)"));
        EXPECT_EQ(dlg->m_edit[SideC]->text(), QStringLiteral("36.06"));
        dlg->m_buttonOK->click();
    });
    const QPoint onSide = view->LogicalToCanvas(CRect(12000, 20000, 12000, 20000)).topLeft();
    QTest::mouseClick(view->Canvas(), Qt::RightButton, Qt::NoModifier, onSide);
    SetModalDialogHandler({});
    ASSERT_TRUE(opened);

    // c^2 = 30^2 + 40^2 - 2 30 40 cos 60 = 1300.
    const QvPointArray& p = triangle->DefiningPoints();
    EXPECT_NEAR(Distance(p[1], p[2]), 3000, 1e-6); // a
    EXPECT_NEAR(Distance(p[0], p[2]), 4000, 1e-6); // b
    EXPECT_NEAR(Distance(p[0], p[1]), std::sqrt(1300.0) * 100, 1e-6);
    EXPECT_EQ(p[0], drawn[0]); // laid out again from A
    EXPECT_NEAR(triangle->Solver().solved[AngleC], 60, 1e-9);

    ASSERT_TRUE(Choose(ID_EDIT_UNDO));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(triangle->DefiningPoints()[i], drawn[i]);
    EXPECT_NEAR(triangle->Solver().solved[SideC], Distance(drawn[0], drawn[1]) / 100, 1e-9);
    ASSERT_TRUE(Choose(ID_EDIT_REDO));
    EXPECT_NEAR(Distance(triangle->DefiningPoints()[0], triangle->DefiningPoints()[1]),
                std::sqrt(1300.0) * 100, 1e-6);

    MessageRecorder recorder(IDNO);
    frame->close();
}

} // namespace
