// A user draws a histogram, gives it a title and a fixed y maximum in the
// "Graph Options" sheet; undo and redo take it back and forward, and the
// saved drawing opens with the same options and the same picture.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "dialogs/stat_data_grid.h"
#include "dialogs/stat_graph_dlg.h"
#include "dialogs/stat_graph_options.h"
#include "dialogs/stat_graph_type_pages.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "platform/dialog.h"
#include "settings/settings.h"
#include "statgraphs/fig_stat.h"
#include "statgraphs/stat_freq_graphs.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

QByteArray RecordBytes(CObject& record) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    record.Serialize(ar);
    ar.Close();
    return bytes;
}

// The page as drawn, without the selection's handles.
QImage Page(Lumbrel2Doc* doc, Lumbrel2View* view) {
    doc->ClearSelection();
    view->Canvas()->update();
    QCoreApplication::processEvents();
    return view->PageImage().copy();
}

void Pick(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// Draws a graph and, in its properties dialog, types the ten values into
// column A and chooses "Histogram" with no second column.
QvFigStat* DrawHistogramOfTen(CMainFrame* frame, Lumbrel2Doc* doc, Lumbrel2View* view,
                              QRect& frameBox) {
    PickTool(frame, ID_DRAW_STAT_GRAPH);
    DragOnPage(view, QvPoint(4000, 26000), QvPoint(16000, 18000));
    EXPECT_EQ(doc->GetFigureCount(), 1);
    auto* graph = dynamic_cast<QvFigStat*>(doc->GetFigure(0));
    if (!graph)
        return nullptr;
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
        for (const char* value : {"2", "3", "3", "5", "7", "8", "8", "8", "12", "15"}) {
            // The first key opens the cell's editor, the rest go into it.
            const QString text = QString::fromLatin1(value);
            QTest::keyClicks(grid, text.left(1));
            ASSERT_TRUE(grid->IsEditing());
            QTest::keyClicks(grid->CellEditor(), text.mid(1));
            QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
        }
        Pick(dlg->m_comboGraphType, QStringLiteral("Histogram"));
        Pick(dlg->m_comboData2, QStringLiteral("None"));
        dlg->m_buttonOK->click();
    });
    frameBox = view->LogicalToCanvas(CRect(4000, 26000, 16000, 18000)).normalized();
    QTest::mouseClick(view->Canvas(), Qt::RightButton, Qt::NoModifier, frameBox.center());
    SetModalDialogHandler({});
    EXPECT_TRUE(opened);
    return graph;
}

TEST(StatGraphOptionsEndToEnd, TitleAndFixedYMaximumUndoRedoSaveAndReopen) {
    TempProfile profile;
    AnsweringApp app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(0);
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2Doc* doc = ActiveDoc(app);
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(doc && view);
    QCoreApplication::processEvents();

    QRect frameBox;
    QvFigStat* graph = DrawHistogramOfTen(frame, doc, view, frameBox);
    ASSERT_TRUE(graph);
    QvStatProperties& options = graph->StatData()->m_data.properties;
    EXPECT_EQ(options.GraphType, 8);
    EXPECT_EQ(options.dc[1], -1);
    const double typed[] = {2, 3, 3, 5, 7, 8, 8, 8, 12, 15};
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(graph->StatData()->m_data.columns[0].cells[size_t(r)].value, typed[r]) << r;
    const QByteArray before = RecordBytes(*graph->StatData());
    const QImage pageBefore = Page(doc, view);

    // Options: a title and a y maximum of 6; each page looked at.
    const QString shots = QStringLiteral("/tmp/lumbrel-shots");
    QDir().mkpath(shots);
    int sheets = 0;
    SetModalDialogHandler([&](CDialog& dialog) {
        if (auto* sheet = dynamic_cast<CPropertySheet*>(&dialog)) {
            ++sheets;
            sheet->show();
            const char* const names[] = {"histogram", "general", "data_columns",
                                         "grid",      "fonts",   "scales"};
            ASSERT_EQ(sheet->GetPageCount(), 6);
            for (int i = 0; i < 6; ++i) {
                sheet->TabWidget()->setCurrentIndex(i);
                sheet->grab().save(
                    shots + QStringLiteral("/graph_options_%1.png").arg(QLatin1String(names[i])));
            }
            auto* scales = dynamic_cast<CGOptScales*>(sheet->GetActivePage());
            ASSERT_TRUE(scales);
            scales->m_checkAuto[CGOptScales::MaxY]->click();
            scales->m_edit[CGOptScales::MaxY]->setText(QStringLiteral("6"));
            sheet->TabWidget()->setCurrentIndex(1);
            auto* general = dynamic_cast<CGOptGeneral*>(sheet->GetActivePage());
            ASSERT_TRUE(general);
            general->m_editTitle->setText(QStringLiteral("Waiting times"));
            sheet->accept();
            return;
        }
        auto* dlg = dynamic_cast<CStatGraphDlg*>(&dialog);
        ASSERT_TRUE(dlg);
        dlg->show();
        QApplication::setActiveWindow(dlg);
        dlg->m_buttonOptions->click();
        dlg->grab().save(shots + QStringLiteral("/stat_graph_dialog_after_options.png"));
        dlg->m_buttonOK->click();
    });
    // The user is back in the main window when right-clicking again.
    QApplication::setActiveWindow(frame);
    QTest::mouseClick(view->Canvas(), Qt::RightButton, Qt::NoModifier, frameBox.center());
    SetModalDialogHandler({});
    EXPECT_EQ(sheets, 1);
    EXPECT_EQ(options.Title, QStringLiteral("Waiting times"));
    EXPECT_EQ(options.AutoMaxy, 0);
    EXPECT_EQ(options.maxy, 6.0);
    EXPECT_EQ(options.GraphType, 8);
    const QByteArray after = RecordBytes(*graph->StatData());
    const QImage pageAfter = Page(doc, view);
    pageAfter.save(shots + QStringLiteral("/stat_graph_options_page.png"));

    ASSERT_TRUE(Choose(ID_EDIT_UNDO));
    EXPECT_EQ(RecordBytes(*graph->StatData()), before);
    EXPECT_EQ(options.Title, QString());
    EXPECT_EQ(Page(doc, view), pageBefore);
    ASSERT_TRUE(Choose(ID_EDIT_REDO));
    EXPECT_EQ(RecordBytes(*graph->StatData()), after);
    EXPECT_EQ(Page(doc, view), pageAfter);

    const QString path =
        QDir(QDir::tempPath()).filePath(QStringLiteral("lumbrel-stat-options.kw2"));
    QFile::remove(path);
    app.saveAnswer = path;
    ASSERT_TRUE(Choose(ID_FILE_SAVE));
    {
        MessageRecorder recorder;
        ASSERT_TRUE(frame->GetActiveChild()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    app.openAnswer = path;
    ASSERT_TRUE(Choose(ID_FILE_OPEN));
    Lumbrel2Doc* reopened = ActiveDoc(app);
    ASSERT_TRUE(reopened);
    QFile::remove(path);
    ASSERT_EQ(reopened->GetFigureCount(), 1);
    auto* read = dynamic_cast<QvFigStat*>(reopened->GetFigure(0));
    ASSERT_TRUE(read);
    EXPECT_EQ(RecordBytes(*read->StatData()), after);
    EXPECT_EQ(Page(reopened, ActiveView(app)), pageAfter);

    MessageRecorder recorder(IDNO);
    frame->close();
}

// The histogram's own page: five groups of percentages.  The bars follow,
// undo takes them back, and the saved drawing opens with them.
TEST(StatGraphOptionsEndToEnd, HistogramPageGroupsAndPercentages) {
    TempProfile profile;
    AnsweringApp app;
    ASSERT_TRUE(StartProgram(app, QString()));
    TheSettings().m_MADLevel.SetValue(0);
    CMainFrame* frame = app.GetMainFrame();
    Lumbrel2Doc* doc = ActiveDoc(app);
    Lumbrel2View* view = ActiveView(app);
    ASSERT_TRUE(doc && view);
    QCoreApplication::processEvents();

    QRect frameBox;
    QvFigStat* graph = DrawHistogramOfTen(frame, doc, view, frameBox);
    ASSERT_TRUE(graph);
    const QByteArray before = RecordBytes(*graph->StatData());
    const QImage pageBefore = Page(doc, view);

    int sheets = 0;
    SetModalDialogHandler([&](CDialog& dialog) {
        if (auto* sheet = dynamic_cast<CPropertySheet*>(&dialog)) {
            ++sheets;
            sheet->show();
            auto* page = dynamic_cast<CGOptHistogram*>(sheet->GetActivePage());
            ASSERT_TRUE(page);
            EXPECT_EQ(sheet->TabWidget()->tabText(0), QStringLiteral("Histogram"));
            page->m_sliderGroups->setValue(5);
            page->m_radioFreq[1]->click();
            EXPECT_EQ(page->m_radioFreq[1]->text(),
                      QStringLiteral("Percentage Frequencies (0 to 100)"));
            sheet->accept();
            return;
        }
        auto* dlg = dynamic_cast<CStatGraphDlg*>(&dialog);
        ASSERT_TRUE(dlg);
        dlg->show();
        QApplication::setActiveWindow(dlg);
        dlg->m_buttonOptions->click();
        dlg->m_buttonOK->click();
    });
    QApplication::setActiveWindow(frame);
    QTest::mouseClick(view->Canvas(), Qt::RightButton, Qt::NoModifier, frameBox.center());
    SetModalDialogHandler({});
    EXPECT_EQ(sheets, 1);
    const QvStatProperties& options = graph->StatData()->m_data.properties;
    EXPECT_EQ(options.NumberGroups, 5);
    EXPECT_EQ(options.Histo_ShowFreq, 1);

    // The bars as the drawer plans them, on a copy of the data set.
    auto bars = [](const QvStatData& source) {
        QvStatData copy;
        copy.Copy(source);
        const QvHistoPlan plan = QvPlanHistogram(copy);
        std::vector<QvHistoBar> out(QvStatColumn::Rows);
        out.resize(size_t(QvHistoBars(plan.series[0], copy.properties.Histo_ShowFreq,
                                      plan.backToBack, out.data())));
        std::vector<double> heights;
        for (const QvHistoBar& bar : out)
            heights.push_back(bar.length);
        return heights;
    };
    // 1, 4, 4 and 1 of the ten values, as percentages.
    EXPECT_EQ(bars(graph->StatData()->m_data), (std::vector<double>{10, 40, 40, 10}));
    const QByteArray after = RecordBytes(*graph->StatData());
    const QImage pageAfter = Page(doc, view);
    EXPECT_NE(pageAfter, pageBefore);
    pageAfter.save(QStringLiteral("/tmp/lumbrel-shots/histogram_page_percentages.png"));

    ASSERT_TRUE(Choose(ID_EDIT_UNDO));
    EXPECT_EQ(RecordBytes(*graph->StatData()), before);
    EXPECT_EQ(Page(doc, view), pageBefore);
    ASSERT_TRUE(Choose(ID_EDIT_REDO));
    EXPECT_EQ(RecordBytes(*graph->StatData()), after);

    const QString path =
        QDir(QDir::tempPath()).filePath(QStringLiteral("lumbrel-histogram-page.kw2"));
    QFile::remove(path);
    app.saveAnswer = path;
    ASSERT_TRUE(Choose(ID_FILE_SAVE));
    {
        MessageRecorder recorder;
        ASSERT_TRUE(frame->GetActiveChild()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    app.openAnswer = path;
    ASSERT_TRUE(Choose(ID_FILE_OPEN));
    Lumbrel2Doc* reopened = ActiveDoc(app);
    ASSERT_TRUE(reopened);
    QFile::remove(path);
    ASSERT_EQ(reopened->GetFigureCount(), 1);
    auto* read = dynamic_cast<QvFigStat*>(reopened->GetFigure(0));
    ASSERT_TRUE(read);
    EXPECT_EQ(RecordBytes(*read->StatData()), after);
    EXPECT_EQ(bars(read->StatData()->m_data), (std::vector<double>{10, 40, 40, 10}));
    EXPECT_EQ(Page(reopened, ActiveView(app)), pageAfter);

    MessageRecorder recorder(IDNO);
    frame->close();
}

} // namespace
