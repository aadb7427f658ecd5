// The Statistics Graph Properties dialog on a graph of the drawing: what it
// opens showing, the graph type and data columns it stores, Swap Columns,
// Esc leaving graph and defaults alone, OK keeping a cell being typed, and
// Set Default.
#include "dialogs/stat_data_grid.h"
#include "dialogs/stat_graph_dlg.h"
#include "platform/archive.h"
#include "settings/stat_options.h"
#include "property_dialog_test_support.h"
#include "statgraphs/fig_stat.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>

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

// Chooses an entry as the user does: the handlers hear only that.
void Choose(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}
void Choose(QComboBox* combo, const QString& text) {
    Choose(combo, combo->findText(text));
}

// The dialog at its own size, written out for a look when
// LUMBREL_DIALOG_PNG names a folder.
void Shot(QWidget& dlg, const QString& name) {
    const QByteArray dir = qgetenv("LUMBREL_DIALOG_PNG");
    if (dir.isEmpty())
        return;
    dlg.show();
    dlg.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(name + QStringLiteral(".png")));
}

class StatGraphDialogTest : public PropertyDialogTest {
protected:
    void SetUp() override {
        PropertyDialogTest::SetUp();
        graph = AddByClicks<QvFigStat>(QvFigStat::ToolId,
                                       {QvPoint(1000, 1000), QvPoint(25000, 20000)});
        ASSERT_TRUE(graph);
    }
    QvStatProperties& Options() { return graph->StatData()->m_data.properties; }
    QvStatCell& Cell(int row, int col) {
        return graph->StatData()->m_data.columns[size_t(col)].cells[size_t(row)];
    }
    bool Open(std::function<void(CStatGraphDlg&)> drive) {
        return RightClick<CStatGraphDlg>(inside, std::move(drive));
    }
    // Types into a data cell of the shown dialog, leaving the editor open.
    static void TypeInto(CStatGraphDlg& dlg, int row, int col, const QString& text) {
        dlg.show();
        CStatDataGrid* grid = dlg.m_grid;
        grid->setFocus();
        grid->SetCurrentCell(row, col);
        QTest::keyClicks(grid, text.left(1));
        ASSERT_TRUE(grid->IsEditing());
        QTest::keyClicks(grid->CellEditor(), text.mid(1));
    }

    const QvPoint inside{13000, 10000};
    QvFigStat* graph = nullptr;
};

TEST(StatGraphColumnText, NamesAColumnOrNone) {
    const struct {
        const char* text;
        int index;
    } cases[] = {{"row", 26}, {"None", -1}, {"b", 1}, {"", -1},  {"1x", -1},
                 {"[", -1},   {"Z", 25},    {"A", 0}, {"ROW", 26}, {"nONe", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(QvColumnIndexFromText(QString::fromLatin1(c.text)), c.index) << c.text;
}

// The lists, and the choices of a graph stored with the two-variable
// report, a power fit and a pie graph.
TEST_F(StatGraphDialogTest, OpensShowingTheGraphsChoices) {
    QvStatProperties& p = Options();
    p.OneVar = 0;
    p.RegType = 3;
    p.GraphType = 3;
    p.col1 = 26;
    p.col2 = 4;
    p.dc = {2, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    p.OVCol = 7;
    p.OVType = 8;
    ASSERT_TRUE(Open([](CStatGraphDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Statistics Graph Properties"));
        EXPECT_EQ(ItemTexts(dlg.m_comboGraphType),
                  (QStringList{"Bar Graph", "Box Plot", "Column Graph",
                               "Cumulative Frequency Plot", "Dot Plot", "Frequency Polygon",
                               "Histogram", "Line Graph", "Pictogram", "Pie (Circle) Graph",
                               "Residuals Graph", "Scatter Graph", "Stem & Leaf Plot"}));
        EXPECT_EQ(dlg.m_comboData1->count(), 27);
        EXPECT_EQ(dlg.m_comboData1->itemText(26), QStringLiteral("Row"));
        EXPECT_EQ(dlg.m_comboData2->itemText(0), QStringLiteral("None"));
        EXPECT_EQ(dlg.m_comboData2->count(), 28);
        EXPECT_EQ(dlg.m_comboOVCol->count(), 26);
        EXPECT_EQ(dlg.m_comboOVType->count(), 9);

        EXPECT_EQ(dlg.m_tab->tabText(0), QStringLiteral("One Variable"));
        EXPECT_EQ(dlg.m_tab->tabText(1), QStringLiteral("Two Variable"));
        EXPECT_EQ(dlg.m_tab->currentIndex(), 1);
        EXPECT_TRUE(dlg.m_comboOVCol->isHidden());
        EXPECT_FALSE(dlg.m_buttonSwap->isHidden());
        EXPECT_EQ(dlg.m_comboRegression->currentText(), QStringLiteral("Power Regression"));
        EXPECT_EQ(dlg.m_comboGraphType->currentText(), QStringLiteral("Pie (Circle) Graph"));
        EXPECT_EQ(dlg.m_comboCol1->currentText(), QStringLiteral("Row"));
        EXPECT_EQ(dlg.m_comboCol2->currentText(), QStringLiteral("E"));
        EXPECT_EQ(dlg.m_comboData1->currentText(), QStringLiteral("C"));
        EXPECT_EQ(dlg.m_comboData2->currentText(), QStringLiteral("None"));
        EXPECT_EQ(dlg.m_comboOVCol->currentText(), QStringLiteral("H"));
        EXPECT_EQ(dlg.m_comboOVType->currentText(),
                  QStringLiteral("Measures of Central Tendency & Dispersion"));
        EXPECT_GE(dlg.m_nReportRefreshes, 1);

        // The tab sets the report kind from the page shown.
        dlg.m_tab->setCurrentIndex(0);
        EXPECT_EQ(dlg.Data().properties.OneVar, 1);
        EXPECT_FALSE(dlg.m_comboOVCol->isHidden());
        EXPECT_TRUE(dlg.m_buttonSwap->isHidden());
        dlg.m_tab->setCurrentIndex(0);
        EXPECT_EQ(dlg.Data().properties.OneVar, 1);
        dlg.reject();
    }));
}

// Each entry names its type by the keyword rule, and each stored type
// selects its entry again; type 13 selects none.
TEST_F(StatGraphDialogTest, GraphTypesFromTheirEntriesAndBack) {
    const struct {
        const char* text;
        int type;
    } cases[] = {{"Bar Graph", 1},        {"Box Plot", 2},
                 {"Pie (Circle) Graph", 3}, {"Line Graph", 4},
                 {"Scatter Graph", 5},    {"Dot Plot", 6},
                 {"Stem & Leaf Plot", 7}, {"Histogram", 8},
                 {"Cumulative Frequency Plot", 9}, {"Column Graph", 10},
                 {"Frequency Polygon", 11}, {"Residuals Graph", 12},
                 {"Pictogram", 14}};
    for (const auto& c : cases)
        EXPECT_EQ(CStatGraphDlg::GraphTypeFromText(QString::fromLatin1(c.text), 99), c.type)
            << c.text;
    EXPECT_EQ(CStatGraphDlg::GraphTypeFromText(QStringLiteral("Nothing"), 13), 13);

    Options().GraphType = 13;
    ASSERT_TRUE(Open([&](CStatGraphDlg& dlg) {
        EXPECT_EQ(dlg.m_comboGraphType->currentIndex(), -1);
        for (const auto& c : cases) {
            const int entry = CStatGraphDlg::GraphTypeEntry(dlg.m_comboGraphType, c.type);
            ASSERT_GE(entry, 0) << c.type;
            EXPECT_EQ(dlg.m_comboGraphType->itemText(entry), QString::fromLatin1(c.text));
            Choose(dlg.m_comboGraphType, entry);
            EXPECT_EQ(dlg.Data().properties.GraphType, c.type) << c.text;
        }
        // The window's close button leaves the graph as it was.
        dlg.show();
        dlg.close();
        EXPECT_EQ(dlg.ModalResult(), IDCANCEL);
    }));
    EXPECT_EQ(Options().GraphType, 13);
}

// Regression entries store their fit models, and each model opens on its
// entry.
TEST_F(StatGraphDialogTest, RegressionEntriesAndFitModelsBothWays) {
    const struct {
        const char* text;
        int model;
    } cases[] = {{"Linear Regression", 1},      {"Quadratic Regression", 2},
                 {"Exponential Regression", 4}, {"Logarithmic Regression", 5},
                 {"Power Regression", 3},       {"Reciprocal Regression", 7},
                 {"Median Line", 6}};
    ASSERT_TRUE(Open([&](CStatGraphDlg& dlg) {
        EXPECT_EQ(dlg.m_comboRegression->count(), 7);
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(dlg.m_comboRegression->itemText(i), QString::fromLatin1(cases[i].text));
            Choose(dlg.m_comboRegression, i);
            EXPECT_EQ(dlg.Data().properties.RegType, cases[i].model) << cases[i].text;
        }
        dlg.reject();
    }));
    for (const auto& c : cases) {
        Options().RegType = c.model;
        ASSERT_TRUE(Open([&](CStatGraphDlg& dlg) {
            EXPECT_EQ(dlg.m_comboRegression->currentText(), QString::fromLatin1(c.text));
            dlg.reject();
        }));
    }
}

// "None" leaves the graph one data column; Swap exchanges the report's
// columns and the set pairs of data columns only.
TEST_F(StatGraphDialogTest, NoneSecondColumnAndSwap) {
    Options().OneVar = 0;
    ASSERT_TRUE(Open([](CStatGraphDlg& dlg) {
        Choose(dlg.m_comboData2, QStringLiteral("None"));
        EXPECT_EQ(dlg.Data().properties.dc[1], -1);
        Choose(dlg.m_comboData2, QStringLiteral("Row"));
        EXPECT_EQ(dlg.Data().properties.dc[1], 26);
        Choose(dlg.m_comboData1, QStringLiteral("D"));
        EXPECT_EQ(dlg.Data().properties.dc[0], 3);

        QvStatProperties& p = dlg.Data().properties;
        p.dc = {0, 1, -1, 5, 6, 7, -1, -1, 8, -1};
        Choose(dlg.m_comboCol1, 2);
        Choose(dlg.m_comboCol2, 9);
        const int refreshes = dlg.m_nReportRefreshes;
        dlg.m_buttonSwap->click();
        EXPECT_EQ(p.dc, (std::array<int, 10>{1, 0, -1, 5, 7, 6, -1, -1, 8, -1}));
        EXPECT_EQ(p.col1, 9);
        EXPECT_EQ(p.col2, 2);
        EXPECT_EQ(dlg.m_comboCol1->currentText(), QStringLiteral("J"));
        EXPECT_EQ(dlg.m_comboCol2->currentText(), QStringLiteral("C"));
        EXPECT_GT(dlg.m_nReportRefreshes, refreshes);
        dlg.accept();
    }));
    EXPECT_EQ(Options().dc[0], 1);
    EXPECT_EQ(Options().dc[1], 0);
    EXPECT_EQ(Options().col1, 9);
}

// Esc after typing cells and choosing a type: the graph is as it was and
// no setting is written.  A value typed and OK pressed in the cell is kept.
TEST_F(StatGraphDialogTest, EscChangesNothingAndOkKeepsTheCellBeingTyped) {
    const QByteArray before = RecordBytes(*graph->StatData());
    const auto profileBefore = ProfileEntries();
    const int levels = Levels();
    ASSERT_TRUE(Open([](CStatGraphDlg& dlg) {
        TypeInto(dlg, 0, 0, QStringLiteral("42"));
        QTest::keyClick(dlg.m_grid->CellEditor(), Qt::Key_Return);
        EXPECT_EQ(dlg.Data().columns[0].cells[0].value, 42.0);
        Choose(dlg.m_comboGraphType, QStringLiteral("Column Graph"));
        dlg.Data().properties.CustomColors[3] = 0x123456;
        QTest::keyClick(&dlg, Qt::Key_Escape);
        EXPECT_EQ(dlg.ModalResult(), IDCANCEL);
    }));
    EXPECT_EQ(RecordBytes(*graph->StatData()), before);
    EXPECT_TRUE(ChangedEntries(profileBefore, ProfileEntries()).isEmpty());
    EXPECT_EQ(Levels(), levels);

    ASSERT_TRUE(Open([](CStatGraphDlg& dlg) {
        TypeInto(dlg, 2, 1, QStringLiteral("17.5"));
        dlg.Data().properties.CustomColors[3] = 0x123456;
        dlg.m_buttonOK->click();
        EXPECT_EQ(dlg.ModalResult(), IDOK);
    }));
    EXPECT_EQ(Cell(2, 1).value, 17.5);
    EXPECT_EQ(ChangedEntries(profileBefore, ProfileEntries()), QStringList{"CustomColor/3"});
    EXPECT_EQ(TheSettings().m_CustomColors[3].GetValue(), COLORREF(0x123456));
    doc->OnEditUndo();
    EXPECT_EQ(RecordBytes(*graph->StatData()), before);
}

// The edit commands reach the grid: paste from the clipboard, copy to it;
// Copy Statistics copies the report.
TEST_F(StatGraphDialogTest, EditCommandsReachTheGrid) {
    ASSERT_TRUE(Open([](CStatGraphDlg& dlg) {
        QApplication::clipboard()->setText(QStringLiteral("5\n6\n"));
        dlg.m_grid->SetCurrentCell(0, 2);
        EXPECT_TRUE(dlg.OnEditCommand(32916));
        EXPECT_EQ(dlg.Data().columns[2].cells[0].value, 5.0);
        EXPECT_EQ(dlg.Data().columns[2].cells[1].value, 6.0);
        QApplication::clipboard()->clear();
        dlg.m_grid->SetCurrentCell(1, 2);
        EXPECT_TRUE(dlg.OnEditCommand(ID_EDIT_COPY));
        EXPECT_EQ(QApplication::clipboard()->text().trimmed(), QStringLiteral("6"));
        EXPECT_FALSE(dlg.OnEditCommand(ID_EDIT_UNDO));

        // The report goes to the clipboard whole, and is rebuilt after.
        dlg.m_report->setPlainText(QStringLiteral("Mean\t5"));
        const int refreshes = dlg.m_nReportRefreshes;
        dlg.m_buttonCopy->click();
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Mean\t5"));
        EXPECT_GT(dlg.m_nReportRefreshes, refreshes);
        dlg.accept();
    }));
    EXPECT_EQ(Cell(1, 2).value, 6.0);
}

// The report follows the choices: the one-variable report of the chosen
// column and kind, the two-variable report on the other tab with the
// regression entry of the stored model; Copy Statistics puts plain text
// (Unicode symbols, "\n" line ends) and formatted HTML on the clipboard.
TEST_F(StatGraphDialogTest, ShowsTheReportOfTheChoicesAndCopiesIt) {
    QvStatProperties& p = Options();
    p.OneVar = 1;
    p.OVCol = 1;
    p.OVType = 0;
    p.col1 = 0;
    p.col2 = 1;
    p.RegType = 1;
    const double xs[] = {1, 2, 3, 4, 5};
    const double ys[] = {2.1, 3.9, 6.2, 7.8, 10.1};
    for (int r = 0; r < 5; ++r) {
        Cell(r, 0) = {xs[r], 1, {}};
        Cell(r, 1) = {ys[r], 1, {}};
    }
    graph->StatData()->m_data.columns[1].name = QStringLiteral("Height");
    const BOOL savedSD = g_bShowSampleSD;
    g_bShowSampleSD = TRUE;
    ASSERT_TRUE(Open([](CStatGraphDlg& dlg) {
        const QString summary = dlg.m_report->toPlainText();
        EXPECT_TRUE(summary.startsWith(QStringLiteral("Statistics for Height\n\nn\t=\t5\n"
                                                      "Mean\t=\t6.02\nσB\t=\t")))
            << summary.toStdString();
        EXPECT_EQ(dlg.m_report->tabStopDistance(),
                  CStatGraphDlg::ReportTabDistance(QFontMetricsF(CStatGraphDlg::ReportFont())));
        Shot(dlg, QStringLiteral("stat_graph_report_summary"));

        dlg.m_buttonCopy->click();
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        ASSERT_TRUE(copied);
        const QString plain = copied->text();
        EXPECT_TRUE(plain.startsWith(QStringLiteral("Statistics for Height\n"))) << plain.toStdString();
        EXPECT_TRUE(plain.contains(QStringLiteral("σB\t=\t")));
        EXPECT_TRUE(plain.contains(QStringLiteral("ΣB2\t=\t220.91")));
        EXPECT_FALSE(plain.contains(u'\r'));
        EXPECT_FALSE(plain.contains(u'#'));
        EXPECT_TRUE(copied->hasHtml());
        EXPECT_TRUE(copied->html().contains(QStringLiteral("font-size:6.5pt")));

        Choose(dlg.m_comboOVType, QStringLiteral("Measures of Central Tendency & Dispersion"));
        Shot(dlg, QStringLiteral("stat_graph_report_central_dispersion"));
        Choose(dlg.m_comboOVType, QStringLiteral("Stanines"));
        Shot(dlg, QStringLiteral("stat_graph_report_stanines"));
        EXPECT_EQ(dlg.Data().properties.OVType, 5);
        EXPECT_TRUE(dlg.m_report->toPlainText().contains(QStringLiteral("S9\t=\t")));
        Choose(dlg.m_comboOVCol, 2);
        EXPECT_EQ(dlg.m_report->toPlainText(), QStringLiteral("No Data\n"));

        dlg.m_tab->setCurrentIndex(1);
        const QString fit = dlg.m_report->toPlainText();
        EXPECT_TRUE(fit.startsWith(QStringLiteral("n\t=\t5\nrAB\t=\t0.99865176 (Correlation"))) << fit.toStdString();
        EXPECT_TRUE(fit.contains(QStringLiteral("Height'\t=\t0.05 + 1.99A\n")));
        Shot(dlg, QStringLiteral("stat_graph_report_regression"));

        // The stored model chooses the regression entry on each rebuild.
        dlg.Data().properties.RegType = 5;
        dlg.RefreshReport();
        EXPECT_EQ(dlg.m_comboRegression->currentText(), QStringLiteral("Logarithmic Regression"));
        EXPECT_TRUE(dlg.m_report->toPlainText().contains(QStringLiteral("ln(A)")));
        Choose(dlg.m_comboRegression, QStringLiteral("Median Line"));
        EXPECT_TRUE(dlg.m_report->toPlainText().contains(QStringLiteral("Median\t\t=\t6.2\n")));
        dlg.m_buttonSwap->click();
        EXPECT_TRUE(dlg.m_report->toPlainText().contains(QStringLiteral("A'\t=\t")));
        dlg.m_tab->setCurrentIndex(0);
        EXPECT_EQ(dlg.m_report->toPlainText(), QStringLiteral("No Data\n"));
        dlg.reject();
    }));
    g_bShowSampleSD = savedSD;
}

// Set Default writes the graph's options as the defaults of new graphs,
// not the pictogram's layout, and leaves the dialog open.
TEST_F(StatGraphDialogTest, SetDefaultWritesTheOptionsAndStaysOpen) {
    const auto profileBefore = ProfileEntries();
    ASSERT_TRUE(Open([](CStatGraphDlg& dlg) {
        QvStatProperties& p = dlg.Data().properties;
        p.GraphType = 10;
        p.Title = QStringLiteral("Heights");
        p.Picto_Orientate = 1;
        p.Picto_ShowLegend = 1;
        p.NumberGroups = 7;
        dlg.m_buttonSetDefault->click();
        EXPECT_EQ(dlg.ModalResult(), -1);
        dlg.reject();
    }));
    const QStringList changed = ChangedEntries(profileBefore, ProfileEntries());
    EXPECT_EQ(changed, (QStringList{"Stat/GraphType", "Stat/NumberGroups", "Stat/Title"}));
    const QvStatDefaults& s = TheSettings().m_StatDefaults;
    EXPECT_EQ(s.GraphType.GetValue(), 10);
    EXPECT_EQ(s.Picto_Orientate.GetValue(), 0);
}

} // namespace
