#pragma once
// The spreadsheet in which the user types a statistics figure's data: 26
// lettered columns of 500 rows, headed by the column's letter (or "Name -
// A") and its type word, with the row numbers on the left.  Typed texts
// are stored into the data set at once; formula columns are worked out
// again around each edit.  Cut, paste, clearing and typing can be undone
// with Ctrl+Z; nothing is redone.
#include "statistics/stat_grid_sheet.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTableView>

#include <memory>

class QLineEdit;
class QMenu;
class QvUndoManager;
class CStatDataGrid;

// The grid's cell texts, their headings and row numbers, for the view.
class CStatGridModel : public QAbstractTableModel {
public:
    CStatGridModel(QvStatGridSheet* sheet, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Every text and heading may have changed.
    void Refresh();

private:
    QvStatGridSheet* m_sheet;
};

// The column headings: the upper line is the title row, the lower the type
// row, and a press says which it was on.
class CStatGridHeader : public QHeaderView {
public:
    explicit CStatGridHeader(CStatDataGrid* grid);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    CStatDataGrid* m_grid;
};

class CStatDataGrid : public QTableView {
public:
    // Grid rows 0 and 1 are the title and type rows, grid column 0 the row
    // numbers: data cell (r, c) is grid cell (r + 2, c + 1).
    static constexpr int FixedRows = 2;
    static constexpr int FixedCols = 1;
    // Popup command ids.
    enum {
        ID_SETFREQ = 37776,
        ID_FORMULA = 37777,
        ID_TITLE = 37778,
        ID_SETDATA = 37779,
        ID_SETLABEL = 37780,
        ID_SETFORMULA = 37782,
        ID_SETGROUP = 37783,
    };

    explicit CStatDataGrid(QWidget* parent = nullptr);
    ~CStatDataGrid() override;

    // The data set is not owned; Init shows it and stores the texts back.
    void SetData(QvStatData* data);
    void Init();

    QvStatGridSheet& Sheet() { return *m_sheet; }
    CStatGridModel* Model() const { return m_model; }
    QvUndoManager& UndoManager() { return *m_undo; }
    // The text of any grid cell, the fixed rows and column included.
    QString GridText(int gridRow, int gridCol) const;
    bool IsEditing() const { return m_bEditing; }
    // Whether the data changed since the host last cleared the flag.
    bool IsDirty() const { return m_bDirty; }
    void SetDirty(bool dirty) { m_bDirty = dirty; }
    QLineEdit* CellEditor() const { return m_editor; }
    // The data cell the current cell shows.
    int CurrentRow() const;
    int CurrentCol() const;
    void SetCurrentCell(int row, int col);
    // The selection in data cells.
    QvGridRange Selection() const;

    // Ends editing: a changed text is stored with one undo level and the
    // formula columns are worked out again.
    void CommitCellEdit();
    // Opens the Column Formula dialog for a grid cell's column (both 0: the
    // column of the last right click) and fills the column on OK.
    void EditColumnFormula(int gridRow = 0, int gridCol = 0);
    // Fills a column (0 to 25) from a formula without making it a formula
    // column, as the generators do; a formula column becomes a data column.
    void FillColumnFromFormula(int col, const QString& formula);
    void CutSelection();
    void CopySelection();
    void CopySelectionAsRows();
    void PasteFromDataObject();
    void PasteText(const QString& text);
    void ClearSelection();
    void UndoLast();
    // The popup's commands by id.
    void OnCommand(int id);
    // The popup for a column (0 to 25); "Set to freq" only where allowed.
    QMenu* BuildContextMenu(int col);
    void StepColumnType(int col);
    void EditColumnTitle(int col);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the in-cell editor over the current cell with `text`, the caret
    // at its start or the whole text replaced.
    void StartEditing(const QString& text, bool replace);
    void MoveCurrent(int dRow, int dCol);
    // Works out every formula column that reads a column and shows them.
    void RecalcAll();
    void ShowFrequencyRefusal();
    // One undo level for the texts that change until EndRecord.
    void BeginRecord();
    void EndRecord();

    std::unique_ptr<QvUndoManager> m_undo;
    std::unique_ptr<QvStatGridSheet> m_sheet;
    CStatGridModel* m_model;
    QLineEdit* m_editor;
    QvStatData* m_data = nullptr;
    bool m_bEditing = false;
    bool m_bRecalcAll = false;
    bool m_bRecording = false;
    bool m_bDirty = false;
    int m_nContextCol = 0;
    int m_nContextRow = 0;
};
