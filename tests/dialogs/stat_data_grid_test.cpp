// The statistics data grid in a test window: its layout, typing and the
// editor's keys, the column popup and type row, the clipboard and Ctrl+Z,
// and the formula dialog opened with "=".
#include "common/test_support.h"
#include "dialogs/stat_column_dlgs.h"
#include "dialogs/stat_data_grid.h"
#include "document/undo_manager.h"
#include "graph_dialog_test_support.h"
#include "settings/settings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr double E = QvStatEmpty;
constexpr int A = 0, B = 1, C = 2;

class StatDataGrid : public ::testing::Test {
protected:
    void SetUp() override {
        TheSettings().Load();
        grid = std::make_unique<CStatDataGrid>();
        grid->SetData(data.get());
        grid->resize(640, 400);
        grid->show();
        grid->Init();
        QApplication::setActiveWindow(grid.get());
        grid->setFocus();
    }
    void TearDown() override {
        SetModalDialogHandler({});
        grid.reset();
    }

    QvStatCell& Cell(int row, int col) { return data->columns[size_t(col)].cells[size_t(row)]; }
    // Types into the current cell and presses Enter in the editor.
    void Type(const char* text) {
        QTest::keyClicks(grid.get(), QString::fromLatin1(text).left(1));
        ASSERT_TRUE(grid->IsEditing());
        QTest::keyClicks(grid->CellEditor(), QString::fromLatin1(text).mid(1));
        QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
    }
    void CtrlKey(Qt::Key key) { QTest::keyClick(grid.get(), key, Qt::ControlModifier); }
    QStringList MenuTexts(int col) {
        std::unique_ptr<QMenu> menu(grid->BuildContextMenu(col));
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }

    std::unique_ptr<QvStatData> data = std::make_unique<QvStatData>();
    std::unique_ptr<CStatDataGrid> grid;
};

TEST_F(StatDataGrid, LaysOutLettersTypeWordsAndRowNumbers) {
    EXPECT_EQ(grid->GridText(0, 1), QStringLiteral("A"));
    EXPECT_EQ(grid->GridText(0, 26), QStringLiteral("Z"));
    EXPECT_EQ(grid->GridText(1, 1), QStringLiteral("data"));
    EXPECT_EQ(grid->GridText(2, 0), QStringLiteral("1"));
    EXPECT_EQ(grid->GridText(501, 0), QStringLiteral("500"));
    EXPECT_EQ(grid->Model()->rowCount(), 500);
    EXPECT_EQ(grid->Model()->columnCount(), 26);
    EXPECT_EQ(data->columns[C].symbol, QStringLiteral("C"));
    EXPECT_EQ(data->columns[C].columnNumber, 3);
    EXPECT_EQ(grid->CurrentRow(), 0);
    EXPECT_EQ(grid->CurrentCol(), 0);
    EXPECT_EQ(grid->font().pointSize(), 8);
}

TEST_F(StatDataGrid, LoadedDataShowsAndCannotBeUndoneAway) {
    auto loaded = std::make_unique<QvStatData>();
    loaded->columns[B].name = QStringLiteral("Height");
    loaded->columns[B].cells[0] = {1.75, 1, QStringLiteral("1.75")};
    loaded->columns[C].type = QvStatColumn::Group;
    loaded->columns[C].cells[1] = {10.0, 0, QStringLiteral("20")};
    CStatDataGrid other;
    other.SetData(loaded.get());
    other.Init();
    EXPECT_EQ(other.GridText(0, 2), QStringLiteral("Height - B"));
    EXPECT_EQ(other.GridText(2, 2), QStringLiteral("1.75"));
    EXPECT_EQ(other.GridText(3, 3), QStringLiteral("10-20"));
    EXPECT_EQ(other.GridText(1, 3), QStringLiteral("group"));
    EXPECT_EQ(other.UndoManager().CanUndo(), 0);
    other.UndoLast();
    EXPECT_EQ(loaded->columns[B].cells[0].value, 1.75);
}

TEST_F(StatDataGrid, TypingFiveThenEnterStoresItAndCtrlZEmptiesTheCell) {
    Type("5");
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->GridText(2, 1), QStringLiteral("5"));
    EXPECT_EQ(Cell(0, A).value, 5.0);
    EXPECT_EQ(Cell(0, A).count, 1);
    EXPECT_EQ(grid->UndoManager().CanUndo(), 1);
    // Enter moved the current cell down.
    EXPECT_EQ(grid->CurrentRow(), 1);
    CtrlKey(Qt::Key_Z);
    EXPECT_EQ(grid->GridText(2, 1), QString());
    EXPECT_EQ(Cell(0, A).value, E);
    EXPECT_EQ(Cell(0, A).count, 0);
    EXPECT_EQ(grid->UndoManager().CanUndo(), 0);
}

TEST_F(StatDataGrid, EditorKeys) {
    // Tab commits and moves right; Escape does nothing; Enter on a cell
    // edits its text with the caret at the start.
    QTest::keyClicks(grid.get(), QStringLiteral("7"));
    QTest::keyClick(grid->CellEditor(), Qt::Key_Escape);
    EXPECT_TRUE(grid->IsEditing());
    QTest::keyClick(grid->CellEditor(), Qt::Key_Tab);
    EXPECT_EQ(Cell(0, A).value, 7.0);
    EXPECT_EQ(grid->CurrentCol(), 1);
    grid->SetCurrentCell(0, A);
    QTest::keyClick(grid.get(), Qt::Key_Return);
    ASSERT_TRUE(grid->IsEditing());
    EXPECT_EQ(grid->CellEditor()->text(), QStringLiteral("7"));
    EXPECT_EQ(grid->CellEditor()->cursorPosition(), 0);
    QTest::keyClicks(grid->CellEditor(), QStringLiteral("1"));
    QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
    EXPECT_EQ(Cell(0, A).value, 17.0);
    // Tab in the grid itself moves right, not out of it.
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    EXPECT_EQ(grid->CurrentCol(), 1);
    EXPECT_TRUE(grid->hasFocus());
}

// The grid wants every key: Escape and Enter in it never reach the dialog
// that hosts it.
TEST(StatDataGridHosted, EscapeAndEnterStayInTheGrid) {
    TheSettings().Load();
    auto data = std::make_unique<QvStatData>();
    QDialog host;
    auto* grid = new CStatDataGrid(&host);
    grid->SetData(data.get());
    host.resize(400, 300);
    host.show();
    grid->Init();
    QApplication::setActiveWindow(&host);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_TRUE(host.isVisible());
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_TRUE(grid->IsEditing());
    QTest::keyClicks(grid->CellEditor(), QStringLiteral("2"));
    QTest::keyClick(grid->CellEditor(), Qt::Key_Escape);
    QTest::keyClick(grid->CellEditor(), Qt::Key_Return);
    EXPECT_TRUE(host.isVisible());
    EXPECT_EQ(data->columns[0].cells[0].value, 2.0);
    EXPECT_TRUE(grid->IsDirty());
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_TRUE(grid->hasFocus());
}

TEST_F(StatDataGrid, PopupOffersFrequencyOnlyRightOfDataOrGroup) {
    const QStringList withFreq = {"Title",       "-", "Set to data", "Set to label",
                                  "Set to group", "Set to freq", "Set to formula", "-",
                                  "Formula"};
    QStringList withoutFreq = withFreq;
    withoutFreq.removeAll(QStringLiteral("Set to freq"));
    EXPECT_EQ(MenuTexts(A), withoutFreq);
    EXPECT_EQ(MenuTexts(B), withFreq);
    data->columns[A].type = QvStatColumn::Label;
    EXPECT_EQ(MenuTexts(B), withoutFreq);
    data->columns[A].type = QvStatColumn::Group;
    EXPECT_EQ(MenuTexts(B), withFreq);
}

TEST_F(StatDataGrid, SetToFreqOnColumnAIsRefusedWithTheMessage) {
    MessageRecorder messages;
    grid->BuildContextMenu(A)->deleteLater();
    grid->OnCommand(CStatDataGrid::ID_SETFREQ);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              QStringLiteral("Column can only be set to a freqency column if it is to the right "
                             "of a data column"));
    EXPECT_EQ(messages.messages[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(data->columns[A].type, QvStatColumn::Data);
    EXPECT_EQ(grid->GridText(1, 1), QStringLiteral("data"));
}

TEST_F(StatDataGrid, ClickOnTheTypeRowStepsTheType) {
    QHeaderView* header = grid->horizontalHeader();
    const int x = header->sectionViewportPosition(B) + 10;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() - 3));
    EXPECT_EQ(data->columns[B].type, QvStatColumn::Label);
    EXPECT_EQ(grid->GridText(1, 2), QStringLiteral("label"));
    // The title row does not step it.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 2));
    EXPECT_EQ(data->columns[B].type, QvStatColumn::Label);
}

TEST_F(StatDataGrid, CutAndPasteEachUndoWithOneCtrlZ) {
    grid->PasteText(QStringLiteral("1\t2\n3\t4"));
    EXPECT_EQ(Cell(1, B).value, 4.0);
    grid->SetCurrentCell(0, A);
    grid->selectionModel()->select(
        QItemSelection(grid->Model()->index(0, A), grid->Model()->index(1, B)),
        QItemSelectionModel::ClearAndSelect);
    CtrlKey(Qt::Key_C);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1\t2\n3\t4"));
    grid->CopySelectionAsRows();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1\t3\n2\t4"));
    CtrlKey(Qt::Key_X);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1\t2\n3\t4"));
    EXPECT_EQ(Cell(1, B).value, E);
    CtrlKey(Qt::Key_Z);
    EXPECT_EQ(Cell(1, B).value, 4.0);
    EXPECT_EQ(grid->GridText(3, 2), QStringLiteral("4"));
    // Pasting over cells, then Ctrl+Z, brings the overwritten cells back.
    grid->SetCurrentCell(1, A);
    QGuiApplication::clipboard()->setText(QStringLiteral("8,,9"));
    CtrlKey(Qt::Key_V);
    EXPECT_EQ(Cell(1, A).value, 8.0);
    EXPECT_EQ(Cell(1, B).value, E);
    EXPECT_EQ(Cell(1, C).value, 9.0);
    CtrlKey(Qt::Key_Z);
    EXPECT_EQ(Cell(1, A).value, 3.0);
    EXPECT_EQ(Cell(1, B).value, 4.0);
    EXPECT_EQ(Cell(1, C).value, E);
    // Delete clears the selection, and Ctrl+Z brings it back too.
    grid->SetCurrentCell(0, A);
    QTest::keyClick(grid.get(), Qt::Key_Delete);
    EXPECT_EQ(Cell(0, A).value, E);
    CtrlKey(Qt::Key_Z);
    EXPECT_EQ(Cell(0, A).value, 1.0);
}

TEST_F(StatDataGrid, EqualsOpensTheFormulaDialogAndFillsTheColumn) {
    Type("3");
    Type("4.5");
    grid->SetCurrentCell(0, B);
    QString caption;
    SetModalDialogHandler([&caption](CDialog& d) {
        auto& f = dynamic_cast<CColumnFormulaDlg&>(d);
        caption = f.m_staticCaption->text();
        f.m_editFormula->setText(QStringLiteral("a*2"));
        f.m_checkFormulaColumn->setChecked(true);
        f.OnOK();
    });
    QTest::keyClicks(grid.get(), QStringLiteral("="));
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(caption, QStringLiteral("B ="));
    EXPECT_EQ(data->columns[B].type, QvStatColumn::Formula);
    EXPECT_EQ(data->columns[B].formula, QStringLiteral("a*2"));
    EXPECT_EQ(grid->GridText(1, 2), QStringLiteral("formula"));
    EXPECT_EQ(grid->GridText(2, 2), QStringLiteral("6"));
    EXPECT_EQ(grid->GridText(3, 2), QStringLiteral("9"));
    // A formula column is not typed into; an edit of A is followed.
    QTest::keyClicks(grid.get(), QStringLiteral("7"));
    EXPECT_FALSE(grid->IsEditing());
    grid->SetCurrentCell(2, A);
    Type("10");
    EXPECT_EQ(grid->GridText(4, 2), QStringLiteral("20"));
    // Pasting into A recomputes B; Ctrl+Z takes the paste back.
    grid->SetCurrentCell(0, A);
    const int levels = grid->UndoManager().GetUndoCount();
    grid->PasteText(QStringLiteral("100\n200"));
    EXPECT_EQ(grid->GridText(2, 2), QStringLiteral("200"));
    EXPECT_EQ(grid->GridText(3, 2), QStringLiteral("400"));
    CtrlKey(Qt::Key_Z);
    // Working B out again after the undo is no new level to undo: a
    // further Ctrl+Z goes on to the edit before.
    EXPECT_EQ(grid->UndoManager().GetUndoCount(), levels);
    EXPECT_EQ(grid->GridText(2, 1), QStringLiteral("3"));
    EXPECT_EQ(grid->GridText(2, 2), QStringLiteral("6"));
    EXPECT_EQ(grid->GridText(4, 2), QStringLiteral("20"));
}

TEST_F(StatDataGrid, UncheckingFormulaColumnKeepsTheFilledValues) {
    grid->PasteText(QStringLiteral("1\n2"));
    data->columns[B].type = QvStatColumn::Formula;
    data->columns[B].formula = QStringLiteral("A+1");
    SetModalDialogHandler([](CDialog& d) {
        auto& f = dynamic_cast<CColumnFormulaDlg&>(d);
        EXPECT_TRUE(f.m_checkFormulaColumn->isChecked());
        EXPECT_EQ(f.m_editFormula->text(), QStringLiteral("A+1"));
        f.m_editFormula->setText(QStringLiteral("A*10"));
        f.m_checkFormulaColumn->setChecked(false);
        f.OnOK();
    });
    grid->EditColumnFormula(2, 2);
    EXPECT_EQ(Cell(1, B).value, 20.0);
    EXPECT_EQ(data->columns[B].type, QvStatColumn::Data);
    EXPECT_EQ(grid->GridText(3, 2), QStringLiteral("20"));
}

// The bivariate generator's formula as its host hands it over: x into A,
// y into B, 30 rows, and one Ctrl+Z takes the x column back.
TEST_F(StatDataGrid, GeneratorFormulaFillsColumnsWithoutMakingAFormulaColumn) {
    grid->FillColumnFromFormula(A, QStringLiteral("BIDATAGEN(B,0,50,1,1,0,1,0.9,30)"));
    EXPECT_EQ(data->columns[A].type, QvStatColumn::Data);
    for (int r = 0; r < 30; ++r) {
        ASSERT_NE(Cell(r, A).value, E) << r;
        ASSERT_NE(Cell(r, B).value, E) << r;
        ASSERT_EQ(grid->GridText(r + 2, 1).toDouble(), Cell(r, A).value);
    }
    EXPECT_EQ(Cell(30, A).value, E);
    CtrlKey(Qt::Key_Z);
    EXPECT_EQ(Cell(0, A).value, E);
    EXPECT_EQ(grid->GridText(2, 1), QString());
}

TEST_F(StatDataGrid, TitleFromTheHeaderShowsNameAndLetter) {
    SetModalDialogHandler([](CDialog& d) {
        auto& t = dynamic_cast<CColumnTitleDlg&>(d);
        t.m_editTitle->setText(QStringLiteral("Height"));
        t.OnOK();
    });
    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::RightButton, {},
                      QPoint(header->sectionViewportPosition(C) + 10, 2));
    EXPECT_EQ(data->columns[C].name, QStringLiteral("Height"));
    EXPECT_EQ(grid->GridText(0, 3), QStringLiteral("Height - C"));
}

TEST_F(StatDataGrid, DrawsHeadingsAndCells) {
    data->columns[A].name = QStringLiteral("Height");
    grid->PasteText(QStringLiteral("1.5\tx\n-2\t3/4"));
    grid->Sheet().SetToType(C, QvStatColumn::Group);
    grid->SetCurrentCell(0, C);
    grid->PasteText(QStringLiteral("10-20\n-5-0"));
    grid->Sheet().SetToType(3, QvStatColumn::Frequency);
    grid->SetCurrentCell(0, 3);
    grid->PasteText(QStringLiteral("3\n2"));
    grid->Sheet().SetToType(4, QvStatColumn::Formula);
    data->columns[4].formula = QStringLiteral("a*2");
    grid->Sheet().RecomputeAll();
    EXPECT_EQ(grid->GridText(3, 5), QStringLiteral("-4"));
    EXPECT_EQ(Cell(0, C).count, 3);
    grid->Model()->Refresh();
    const QImage picture = grid->grab().toImage();
    const QByteArray dir = qgetenv("LUMBREL_DIALOG_PNG");
    if (!dir.isEmpty())
        picture.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("stat_grid.png")));
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            dark += qGray(picture.pixel(x, y)) < 100;
    EXPECT_GT(dark, 500);
    EXPECT_EQ(grid->GridText(3, 3), QStringLiteral("-5-0"));
}

} // namespace
