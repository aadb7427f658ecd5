// A user draws a function graph and a number line with their tools, clicks
// the minimum of a parabola to have it described, undoes and redoes the
// graph, saves and opens the drawing again.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "graphs/fig_graph.h"
#include "platform/command_ids.h"
#include "settings/settings.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

int DifferentPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

TEST(GraphEndToEnd, DrawPickTheMinimumUndoRedoSaveOpen) {
    TempProfile profile;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graph.kw2"));
    AnsweringApp app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(0);
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2Doc* doc = ActiveDoc(app);
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(doc && view);
    QCoreApplication::processEvents();
    const QImage empty = view->PageImage().copy();

    // The number line and the graph, each dragged out with its tool.
    EXPECT_TRUE(Enabled(ID_DRAW_NUMBER_LINE));
    PickTool(frame, ID_DRAW_NUMBER_LINE);
    DragOnPage(view, QvPoint(2000, 8000), QvPoint(18000, 5000));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    ASSERT_TRUE(dynamic_cast<QvFigNumberLine*>(doc->GetFigure(0)));
    EXPECT_GT(DifferentPixels(empty, view->PageImage()), 100);

    EXPECT_TRUE(Enabled(ID_DRAW_GRAPH));
    PickTool(frame, ID_DRAW_GRAPH);
    DragOnPage(view, QvPoint(2000, 28000), QvPoint(16000, 14000));
    ASSERT_EQ(doc->GetFigureCount(), 2);
    auto* graph = dynamic_cast<QvFigGraph*>(doc->GetFigure(1));
    ASSERT_TRUE(graph);
    EXPECT_EQ(graph->GetDescription(), QStringLiteral("Graph"));

    // Until the Graph Properties dialog is there, the function is typed in
    // the record: y = x^2 - 2x on -5..5, its minimum at (1, -1).
    QvGraphData& d = graph->GraphData()->m_data;
    d.AutoScale = 0;
    d.xMinShowS = d.yMinShowS = QStringLiteral("-5");
    d.xMaxShowS = d.yMaxShowS = QStringLiteral("5");
    d.xMajorS = d.yMajorS = QStringLiteral("1");
    d.xMinorS = d.yMinorS = QStringLiteral("0.5");
    d.functions[0].caption = d.functions[0].expression = QStringLiteral("Y=X^2-2X");
    d.functions[0].dirty = 1;
    doc->UpdateAllViews(nullptr);
    const QImage unpicked = view->PageImage().copy();

    PickTool(frame, ID_DRAW_SELECT);
    const QvGraph& g = graph->Engine();
    ClickOnPage(view, QvPoint(g.XToDevice(1.0), g.YToDevice(-1.0)));
    ASSERT_EQ(doc->GetSelectedCount(), 1);
    const int picked = d.functions[0].selectedPoint;
    ASSERT_GE(picked, 0);
    EXPECT_EQ(graph->Engine().functionObjects[0].analysedPoints[picked].kind, 8); // a minimum
    // Its label is written below the plot, at the foot of the frame.
    const QRect below = view->LogicalToCanvas(CRect(2000, 15500, 16000, 14000));
    EXPECT_GT(DifferentPixels(unpicked.copy(below), view->PageImage().copy(below)), 50);

    // Undo takes the graph away, Redo brings it back as it was.
    ASSERT_TRUE(Choose(ID_EDIT_UNDO));
    EXPECT_EQ(doc->GetFigureCount(), 1);
    ASSERT_TRUE(Choose(ID_EDIT_REDO));
    ASSERT_EQ(doc->GetFigureCount(), 2);
    graph = dynamic_cast<QvFigGraph*>(doc->GetFigure(1));
    ASSERT_TRUE(graph);

    app.saveAnswer = path;
    ASSERT_TRUE(Choose(ID_FILE_SAVE));
    {
        MessageRecorder recorder;
        ASSERT_TRUE(frame->GetActiveChild()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    app.openAnswer = path;
    ASSERT_TRUE(Choose(ID_FILE_OPEN));
    doc = ActiveDoc(app);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->GetFigureCount(), 2);
    auto* opened = dynamic_cast<QvFigGraph*>(doc->GetFigure(1));
    ASSERT_TRUE(opened);
    EXPECT_TRUE(dynamic_cast<QvFigNumberLine*>(doc->GetFigure(0)));
    EXPECT_EQ(opened->GraphData()->m_data.functions[0].expression, QStringLiteral("Y=X^2-2X"));
    EXPECT_EQ(opened->GraphData()->m_data.functions[0].selectedPoint, picked);

    MessageRecorder recorder(IDNO);
    frame->close();
}

} // namespace
