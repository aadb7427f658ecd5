// A user draws a statistics graph with its tool: the dragged frame shows
// while dragging, and the graph is drawn inside that frame and nowhere else.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "dialogs/stat_data_grid.h"
#include "dialogs/stat_graph_dlg.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "platform/dialog.h"
#include "settings/settings.h"
#include "statgraphs/fig_stat.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>

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

// The most runs of one colour along any pixel row of an area: the columns
// of that fill standing side by side.
int ColumnsAcross(const QImage& image, const QRect& area, QRgb colour) {
    int most = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        int runs = 0;
        bool inside = false;
        for (int x = area.left(); x <= area.right(); ++x) {
            const bool on = image.valid(x, y) && image.pixel(x, y) == colour;
            runs += on && !inside;
            inside = on;
        }
        most = std::max(most, runs);
    }
    return most;
}

QByteArray RecordBytes(CObject& record) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    record.Serialize(ar);
    ar.Close();
    return bytes;
}

// A user draws a graph, right-clicks it, types four values into column A
// and picks the column graph, which shows four columns; undo and redo take
// the whole run back and forward, and the graph is saved and read back as
// it was.
TEST(StatGraphEndToEnd, TypeDataInThePropertiesUndoRedoSaveAndReopen) {
    TempProfile profile;
    AnsweringApp app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(0);
    TheSettings().m_StatDefaults.GraphType.SetValue(4);
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2Doc* doc = ActiveDoc(app);
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(doc && view);
    QCoreApplication::processEvents();

    PickTool(frame, ID_DRAW_STAT_GRAPH);
    DragOnPage(view, QvPoint(4000, 26000), QvPoint(16000, 18000));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    auto* graph = dynamic_cast<QvFigStat*>(doc->GetFigure(0));
    ASSERT_TRUE(graph);
    const QByteArray before = RecordBytes(*graph->StatData());

    PickTool(frame, ID_DRAW_SELECT);
    bool opened = false;
    SetModalDialogHandler([&](CDialog& dialog) {
        auto* dlg = dynamic_cast<CStatGraphDlg*>(&dialog);
        ASSERT_TRUE(dlg);
        opened = true;
        dlg->show();
        QApplication::setActiveWindow(dlg);
        CStatDataGrid* grid = dlg->m_grid;
        grid->setFocus();
        grid->SetCurrentCell(0, 0);
        for (const char* value : {"3", "5", "8", "2"}) {
            QTest::keyClicks(grid, QString::fromLatin1(value));
            ASSERT_TRUE(grid->IsEditing());
            QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
        }
        QComboBox* types = dlg->m_comboGraphType;
        const int column = types->findText(QStringLiteral("Column Graph"));
        types->setCurrentIndex(column);
        emit types->activated(column);
        QDir().mkpath(QStringLiteral("/tmp/lumbrel-shots"));
        dlg->grab().save(QStringLiteral("/tmp/lumbrel-shots/stat_graph_dialog.png"));
        dlg->m_buttonOK->click();
    });
    const QRect frameBox = view->LogicalToCanvas(CRect(4000, 26000, 16000, 18000)).normalized();
    QTest::mouseClick(view->Canvas(), Qt::RightButton, Qt::NoModifier, frameBox.center());
    SetModalDialogHandler({});
    ASSERT_TRUE(opened);
    QvStatData& data = graph->StatData()->m_data;
    EXPECT_EQ(data.properties.GraphType, 10);
    const double typed[] = {3, 5, 8, 2};
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(data.columns[0].cells[size_t(r)].value, typed[r]) << r;
    EXPECT_EQ(data.columns[0].cells[4].value, QvStatEmpty);
    view->PageImage().save(QStringLiteral("/tmp/lumbrel-shots/stat_graph_page.png"));
    // The page shows the four values as four columns in the first series'
    // fill, side by side in the graph's frame.
    const LOGBRUSH& fill = data.properties.Brushes[size_t(data.properties.GraphStyle)][0];
    ASSERT_EQ(fill.lbStyle, UINT(BS_SOLID));
    EXPECT_EQ(ColumnsAcross(
                  view->PageImage(), frameBox,
                  qRgb(GetRValue(fill.lbColor), GetGValue(fill.lbColor), GetBValue(fill.lbColor))),
              4);
    const QByteArray after = RecordBytes(*graph->StatData());

    ASSERT_TRUE(Choose(ID_EDIT_UNDO));
    EXPECT_EQ(RecordBytes(*graph->StatData()), before);
    ASSERT_TRUE(Choose(ID_EDIT_REDO));
    EXPECT_EQ(RecordBytes(*graph->StatData()), after);

    const QString path = QDir(QDir::tempPath()).filePath(QStringLiteral("lumbrel-stat-e2e.kw2"));
    ASSERT_TRUE(doc->OnSaveDocument(path));
    Lumbrel2Doc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    QFile::remove(path);
    ASSERT_EQ(reopened.GetFigureCount(), 1);
    auto* read = dynamic_cast<QvFigStat*>(reopened.GetFigure(0));
    ASSERT_TRUE(read);
    EXPECT_EQ(RecordBytes(*read->StatData()), after);

    MessageRecorder recorder(IDNO);
    frame->close();
}

} // namespace
