// A user draws a function graph on the main window, types two functions
// into its properties, has the area under one calculated from the Tools
// menu, and takes the calculation back and forward; then the same for a
// number line and an interval.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "dialogs/calc_dialogs.h"
#include "dialogs/graph_properties_dlg.h"
#include "dialogs/number_line_properties_dlg.h"
#include "document/undo_manager.h"
#include "graphs/fig_graph.h"
#include "platform/command_ids.h"
#include "platform/dc.h"
#include "platform/dialog.h"
#include "settings/settings.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

int DifferentPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

// The page around a logical point, a few pixels each way.
QImage Around(Lumbrel2View* view, double x, double y) {
    return view->PageImage().copy(
        view->LogicalToCanvas(CRect(int(x) - 150, int(y) + 150, int(x) + 150, int(y) - 150)));
}

// A right-click at a logical point, with `drive` playing the user in every
// dialog that opens.
void RightClick(Lumbrel2View* view, QvPoint at, const std::function<void(CDialog&)>& drive) {
    SetModalDialogHandler(drive);
    const QPoint p =
        view->LogicalToCanvas(CRect(int(at.x), int(at.y), int(at.x), int(at.y))).topLeft();
    view->ScrollArea()->ensureVisible(p.x(), p.y());
    QTest::mouseClick(view->Canvas(), Qt::RightButton, Qt::NoModifier, p);
    SetModalDialogHandler({});
    QCoreApplication::processEvents();
}

// The figure on white paper at 300 dots per inch, for a look.
void SaveAt300Dpi(QvFigure& figure, const CRect& frame, const QString& name) {
    const int width = (frame.right - frame.left) * 300 / 2540;
    const int height = (frame.top - frame.bottom) * 300 / 2540;
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    {
        CDC dc(&image);
        dc.SetMapMode(MM_HIMETRIC);
        dc.SetWindowOrg(frame.left, frame.top);
        dc.SetBkMode(TRANSPARENT);
        figure.Draw(&dc, QvDrawMode::Normal);
    }
    image.save(QStringLiteral(LUMBREL_BINARY_DIR "/") + name);
}

TEST(GraphDialogsEndToEnd, TypeFunctionsIntegrateUndoRedo) {
    TempProfile profile;
    AnsweringApp app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(0);
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2Doc* doc = ActiveDoc(app);
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(doc && view);
    QCoreApplication::processEvents();

    PickTool(frame, ID_DRAW_GRAPH);
    DragOnPage(view, QvPoint(2000, 28000), QvPoint(16000, 14000));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    auto* graph = dynamic_cast<QvFigGraph*>(doc->GetFigure(0));
    ASSERT_TRUE(graph);
    PickTool(frame, ID_DRAW_SELECT);
    ClickOnPage(view, QvPoint(25000, 5000)); // nothing selected, no grips
    const QvGraph& g = graph->Engine();
    const QvGraphData& record = graph->GraphData()->m_data;
    EXPECT_EQ(record.xMaxShowS, u"10"); // the default window, -10 to 10
    // Probes: on the parabola at x = 3, above the line y = x at (-5, 5),
    // and between the parabola and the x axis at (1, -1).
    const QImage curveBefore = Around(view, g.XToDevice(3), g.YToDevice(5));
    const QImage aboveBefore = Around(view, g.XToDevice(-5), g.YToDevice(5));
    const QImage areaBefore = Around(view, g.XToDevice(1), g.YToDevice(-1.2));

    // Right-click, type the two functions, OK.
    bool opened = false;
    RightClick(view, QvPoint(9000, 21000), [&](CDialog& dialog) {
        auto* d = dynamic_cast<CGraphPropertiesDlg*>(&dialog);
        ASSERT_TRUE(d);
        opened = true;
        d->m_editFunctions->selectAll();
        QTest::keyClicks(d->m_editFunctions, QStringLiteral("Y=X^2-4"));
        QTest::keyClick(d->m_editFunctions, Qt::Key_Return);
        QTest::keyClicks(d->m_editFunctions, QStringLiteral("Y>X"));
        d->accept();
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(record.functions[0].caption, u"Y=X^2-4");
    EXPECT_EQ(record.functions[1].caption, u"Y>X");
    const int levels = doc->UndoManager().GetLevel();
    EXPECT_GT(DifferentPixels(curveBefore, Around(view, g.XToDevice(3), g.YToDevice(5))), 10);
    EXPECT_GT(DifferentPixels(aboveBefore, Around(view, g.XToDevice(-5), g.YToDevice(5))), 100);
    EXPECT_EQ(Around(view, g.XToDevice(1), g.YToDevice(-1.2)), areaBefore); // not yet
    ClickOnPage(view, QvPoint(25000, 5000)); // the right-click selected it
    const QImage functions = view->PageImage().copy();

    // Tools, Integral: the area under the parabola from 0 to 2.
    RightClick(view, QvPoint(9000, 21000), [&](CDialog& dialog) {
        if (auto* d = dynamic_cast<CGraphPropertiesDlg*>(&dialog)) {
            d->OnCommand(CGraphPropertiesDlg::CmdIntegral);
        } else if (auto* integral = dynamic_cast<CCalcIntegralDlg*>(&dialog)) {
            EXPECT_EQ(integral->m_comboFirst->currentText(), u"Y=X^2-4");
            integral->m_editFrom->setText(QStringLiteral("0"));
            integral->m_editTo->setText(QStringLiteral("2"));
            integral->accept();
        }
    });
    EXPECT_EQ(record.integral.functionA, 0);
    EXPECT_EQ(record.integral.functionB, -1);
    EXPECT_EQ(record.integral.upperText, u"2");
    EXPECT_EQ(doc->UndoManager().GetLevel(), levels + 1);
    EXPECT_GT(DifferentPixels(areaBefore, Around(view, g.XToDevice(1), g.YToDevice(-1.2))), 100);
    ClickOnPage(view, QvPoint(25000, 5000));
    const QImage integrated = view->PageImage().copy();
    // The report below the plot, clear of the frame's edges.
    const int plotBottom = std::min(g.data.plotTopLeft.y, g.data.plotBottomRight.y);
    const QRect report = view->LogicalToCanvas(CRect(2300, plotBottom, 15700, 14300));
    EXPECT_GT(DifferentPixels(functions.copy(report), integrated.copy(report)), 50);
    SaveAt300Dpi(*graph, CRect(2000, 28000, 16000, 14000),
                 QStringLiteral("graph_dialogs_end_to_end.png"));

    // Undo: the graph with its functions and no integral; Redo: the integral.
    ASSERT_TRUE(Choose(ID_EDIT_UNDO));
    graph = dynamic_cast<QvFigGraph*>(doc->GetFigure(0));
    ASSERT_TRUE(graph);
    EXPECT_EQ(graph->GraphData()->m_data.integral.functionA, -1);
    EXPECT_EQ(graph->GraphData()->m_data.functions[0].caption, u"Y=X^2-4");
    ClickOnPage(view, QvPoint(25000, 5000)); // the grips away
    EXPECT_EQ(DifferentPixels(view->PageImage(), functions), 0);
    ASSERT_TRUE(Choose(ID_EDIT_REDO));
    graph = dynamic_cast<QvFigGraph*>(doc->GetFigure(0));
    ASSERT_TRUE(graph);
    EXPECT_EQ(graph->GraphData()->m_data.integral.functionA, 0);
    ClickOnPage(view, QvPoint(25000, 5000)); // the grips away
    EXPECT_EQ(DifferentPixels(view->PageImage(), integrated), 0);

    // A number line with the interval X > 2.
    PickTool(frame, ID_DRAW_NUMBER_LINE);
    DragOnPage(view, QvPoint(2000, 11000), QvPoint(18000, 8000));
    ASSERT_EQ(doc->GetFigureCount(), 2);
    auto* line = dynamic_cast<QvFigNumberLine*>(doc->GetFigure(1));
    ASSERT_TRUE(line);
    PickTool(frame, ID_DRAW_SELECT);
    ClickOnPage(view, QvPoint(25000, 5000));
    const QvNumberLine& n = line->Engine();
    const double axisY = n.YToDevice(0);
    const QImage rightBefore = Around(view, n.XToDevice(3.5), axisY);
    const QImage leftBefore = Around(view, n.XToDevice(-2.5), axisY);
    const QImage plainLine = view->PageImage().copy();
    opened = false;
    RightClick(view, QvPoint(10000, 9500), [&](CDialog& dialog) {
        auto* d = dynamic_cast<CNumberLinePropertiesDlg*>(&dialog);
        ASSERT_TRUE(d);
        opened = true;
        EXPECT_EQ(d->m_editNumber->text(), u"1");
        d->m_editGraph->setText(QStringLiteral("X>2"));
        d->accept();
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(line->LineData()->m_data.m_Graphs[0].m_Expression, u"X>2");
    EXPECT_GT(DifferentPixels(rightBefore, Around(view, n.XToDevice(3.5), axisY)), 20);
    EXPECT_EQ(Around(view, n.XToDevice(-2.5), axisY), leftBefore);
    ClickOnPage(view, QvPoint(25000, 5000));
    const QImage withInterval = view->PageImage().copy();
    SaveAt300Dpi(*line, CRect(2000, 11000, 18000, 8000),
                 QStringLiteral("number_line_dialog_end_to_end.png"));

    ASSERT_TRUE(Choose(ID_EDIT_UNDO));
    line = dynamic_cast<QvFigNumberLine*>(doc->GetFigure(1));
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->LineData()->m_data.m_Graphs[0].m_Expression.isEmpty());
    ClickOnPage(view, QvPoint(25000, 5000)); // the grips away
    EXPECT_EQ(DifferentPixels(view->PageImage(), plainLine), 0);
    ASSERT_TRUE(Choose(ID_EDIT_REDO));
    line = dynamic_cast<QvFigNumberLine*>(doc->GetFigure(1));
    ASSERT_TRUE(line);
    EXPECT_EQ(line->LineData()->m_data.m_Graphs[0].m_Expression, u"X>2");
    ClickOnPage(view, QvPoint(25000, 5000)); // the grips away
    EXPECT_EQ(DifferentPixels(view->PageImage(), withInterval), 0);

    MessageRecorder recorder(IDNO);
    frame->close();
}

} // namespace
