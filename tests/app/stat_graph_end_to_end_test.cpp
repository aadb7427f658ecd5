// A user draws a statistics graph with its tool: the dragged frame shows
// while dragging, and the graph is drawn inside that frame and nowhere else.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "platform/command_ids.h"
#include "settings/settings.h"
#include "statgraphs/fig_stat.h"

#include <gtest/gtest.h>

namespace {

// Bounds of the pixels that differ between two pictures of one size.
QRect Changed(const QImage& a, const QImage& b) {
    QRect bounds;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST(StatGraphEndToEnd, DrawAGraphWithItsToolAndItIsDrawnInItsFrame) {
    TempProfile profile;
    Lumbrel2App app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(0);
    // No drawer for this type: its text shows where the graph is drawn.
    TheSettings().m_StatDefaults.GraphType.SetValue(13);
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2Doc* doc = ActiveDoc(app);
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(doc && view);
    QCoreApplication::processEvents();
    const QImage empty = view->PageImage().copy();

    EXPECT_TRUE(Enabled(ID_DRAW_STAT_GRAPH));
    PickTool(frame, ID_DRAW_STAT_GRAPH);
    EXPECT_EQ(app.m_nCurrentTool, ID_DRAW_STAT_GRAPH);
    const QvPoint from(4000, 26000), to(16000, 18000);
    const QRect box = view->LogicalToCanvas(CRect(4000, 26000, 16000, 18000)).normalized();

    // While the mouse is down the frame's outline follows it.
    QWidget* canvas = view->Canvas();
    QPoint a = box.topLeft(), b = box.bottomRight();
    view->ScrollArea()->ensureVisible(a.x(), a.y());
    const QImage before = canvas->grab().toImage();
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, a);
    for (int i = 1; i <= 4; ++i) {
        QPoint p = a + (b - a) * i / 4;
        QMouseEvent move(QEvent::MouseMove, p, canvas->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
    }
    const QImage dragging = canvas->grab().toImage();
    const QRect outline = Changed(before, dragging);
    EXPECT_NEAR(outline.left(), box.left(), 2);
    EXPECT_NEAR(outline.top(), box.top(), 2);
    EXPECT_NEAR(outline.right(), box.right(), 2);
    EXPECT_NEAR(outline.bottom(), box.bottom(), 2);
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, b);

    ASSERT_EQ(doc->GetFigureCount(), 1);
    auto* graph = dynamic_cast<QvFigStat*>(doc->GetFigure(0));
    ASSERT_TRUE(graph);
    EXPECT_EQ(graph->StatData()->m_data.properties.GraphType, 13);
    // On the page: the text in the frame's top-left corner, nothing else.
    const QRect drawn = Changed(empty, view->PageImage());
    EXPECT_FALSE(drawn.isEmpty());
    EXPECT_TRUE(QRect(box.topLeft(), box.size() / 2).contains(drawn));

    MessageRecorder recorder(IDNO);
    frame->close();
}

} // namespace
