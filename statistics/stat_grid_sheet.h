#pragma once
// What the statistics data grid shows and does, without a window: the text
// of each of the 500 x 26 cells, how a typed text is stored into the data
// set and how a cell's data is shown back, the column headings and type
// words, stepping a column's type, the clipboard texts, and filling and
// recomputing formula columns.  The grid widget draws these texts and turns
// their changes into undo records.
#include "statistics/stat_data.h"

#include <QString>

#include <functional>
#include <vector>

class QvStatFormula;

// A rectangle of data cells, corners included, in either order.
struct QvGridRange {
    int row1 = 0, col1 = 0, row2 = 0, col2 = 0;
    int Top() const { return row1 < row2 ? row1 : row2; }
    int Bottom() const { return row1 < row2 ? row2 : row1; }
    int Left() const { return col1 < col2 ? col1 : col2; }
    int Right() const { return col1 < col2 ? col2 : col1; }
};

class QvStatGridSheet {
public:
    static constexpr int Rows = QvStatColumn::Rows;
    static constexpr int Columns = QvStatData::Lettered;
    // A formula that keeps asking for a fresh start gives up after this many.
    static constexpr int MostRestarts = 10;

    // What a formula reads, which decides what an edit recomputes.
    enum Reach {
        ReadsNoColumn, // random numbers, sequences, generators: left alone
        RowLocal,      // each row from the same row of other columns
        WholeColumn,   // a statistic, order, table or fit of whole columns
    };

    // The data set is not owned; every cell text starts empty.
    explicit QvStatGridSheet(QvStatData* data);

    QvStatData* Data() const { return m_data; }
    // Row 0 to 499, column 0 to 25; the empty text outside.
    const QString& Text(int row, int col) const;
    // Changes the text only; a change is reported to onTextChanged.
    void SetText(int row, int col, const QString& text);

    // Called with the row, column and old text of every text that changes.
    std::function<void(int row, int col, const QString& oldText)> onTextChanged;

    // The cell's text read into the data set by the rules of its column's
    // type; the frequency column to the right, or the data column to the
    // left of a frequency column, takes its share of the counts.
    void StoreCell(int row, int col);
    void StoreColumn(int col);
    void StoreAll();
    // The text the cell's data shows as.
    QString CellText(int row, int col) const;
    // Sets the cell's text from its data.
    void ShowCell(int row, int col);
    void ShowAll();

    // "A", or "Height - A" for a column named Height.
    QString Heading(int col) const;
    // "data", "label", "group", "formula" or "freq"; empty for another type.
    static QString TypeWord(int type);

    // ---- Column types
    // Only a column with a data or group column to its left counts its
    // rows' frequencies.
    bool CanBeFrequency(int col) const;
    // The type a click on the type word steps to: data, label, group,
    // formula, freq and round again, freq skipped where it is not allowed.
    int NextType(int col) const;
    // Sets the type as a click on the type word does.
    void StepType(int col);
    // The type, the label column of the data set, and the frequency column
    // to the right turned back to data when this column can no longer
    // weight it; with `restore` the column and its left neighbour are
    // stored again.
    void SetColumnType(int col, int type, bool restore);
    // The popup's "Set to ..." commands; false, leaving the column a data
    // column, when a frequency column is not allowed here.
    bool SetToType(int col, int type);

    // ---- Clipboard
    // The cells row by row, tab between cells and a line feed between rows;
    // with `asRows` one line per column.
    QString CopyText(const QvGridRange& range, bool asRows = false) const;
    // CopyText's text; every cell of the range is emptied and stored.
    QString Cut(const QvGridRange& range);
    // Empties and stores every cell of the range; nothing in a formula
    // column.  True when a cell changed.
    bool Clear(const QvGridRange& range);
    // Lines into rows and cells into columns from (row, col) on, as far as
    // the grid reaches.  Cells part at tabs and commas, or at tabs and ";"
    // when the decimal point is ",".
    void Paste(int row, int col, const QString& text, char decimalPoint);
    static QStringList SplitPasteLine(const QString& line, char decimalPoint);

    // ---- Formulas
    static Reach FormulaReach(const QvStatFormula& formula);
    // Fills the column's cells from the formula, rows 0 to 499 in order,
    // starting again at row 0 whenever it asks; after MostRestarts the
    // column is emptied.  Returns false, changing nothing, for an empty or
    // unreadable formula.  The texts are not touched.
    static bool FillColumn(QvStatData& data, int col, const QString& formula);
    // After the cell (row, col) was edited: the formula columns that read
    // other columns are worked out again, around the row for row-local
    // formulas, whole for the others, and shown.
    void RecomputeAfterEdit(int row, int col);
    // Every formula column that reads a column, whole; true when one was.
    bool RecomputeAll();

private:
    QvStatColumn& Column(int col) const { return m_data->columns[size_t(col)]; }
    int TypeOf(int col) const;
    // The frequency a frequency cell's text gives its neighbour: the whole
    // number part, 0 for no number or a negative one.
    int FrequencyOf(int row, int col) const;
    bool IsFormulaColumn(int col) const;
    // Rows from to to (all for from < 0) of a formula column worked out
    // and shown; what the formula reads.
    Reach FillAndShow(int col, int from, int to);

    QvStatData* m_data;
    std::vector<QString> m_texts;
};
