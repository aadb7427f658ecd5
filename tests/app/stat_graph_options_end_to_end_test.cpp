// A user draws a histogram, gives it a title and a fixed y maximum in the
// "Graph Options" sheet; undo and redo take it back and forward, and the
// saved drawing opens with the same options and the same picture.
#include "app_test_support.h"
#include "common/start_program.h"
#include "common/test_support.h"
#include "dialogs/stat_data_grid.h"
#include "dialogs/stat_graph_dlg.h"
#include "dialogs/stat_graph_options.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "platform/dialog.h"
#include "settings/settings.h"
#include "statgraphs/fig_stat.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

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

    PickTool(frame, ID_DRAW_STAT_GRAPH);
    DragOnPage(view, QvPoint(4000, 26000), QvPoint(16000, 18000));
    ASSERT_EQ(doc->GetFigureCount(), 1);
    auto* graph = dynamic_cast<QvFigStat*>(doc->GetFigure(0));
    ASSERT_TRUE(graph);
    PickTool(frame, ID_DRAW_SELECT);

    // Data typed into column A, "Histogram" and no second column.
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
    const QRect frameBox = view->LogicalToCanvas(CRect(4000, 26000, 16000, 18000)).normalized();
    QTest::mouseClick(view->Canvas(), Qt::RightButton, Qt::NoModifier, frameBox.center());
    ASSERT_TRUE(opened);
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
                sheet->grab().save(shots + QStringLiteral("/graph_options_%1.png")
                                               .arg(QLatin1String(names[i])));
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

    const QString path = QDir(QDir::tempPath()).filePath(QStringLiteral("lumbrel-stat-options.kw2"));
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

} // namespace
