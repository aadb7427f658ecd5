#pragma once
// The whole table of one statistics figure: the lettered columns A to Z,
// the row-number column and the figure's graph and report options.
#include "statistics/stat_column.h"
#include "statistics/stat_properties.h"

#include <array>

class QvStatData : public CObject {
    DECLARE_SERIAL(QvStatData)
public:
    static constexpr int Lettered = 26;
    // Index of the row-number column, after A to Z.
    static constexpr int RowNumberColumn = 26;
    static constexpr int ColumnCount = 27;

    // Empty columns A to Z; the row-number column holds 1 to 500.
    QvStatData();

    // The options, then the columns in index order; loading sets the
    // options' loaded flag.  Nothing else is stored.
    void Serialize(CArchive& ar) override;
    // The columns in index order, then the options.
    virtual void Copy(const QvStatData& other);
    // Copy, and the fields of the options it leaves out: label columns,
    // custom colours, default font and the loaded flag.  Undo, paste and
    // the dialogs' working copies need every field back.
    void CopyWhole(const QvStatData& other);

    // An index 0 to 26, or null.
    QvStatColumn* Column(int index);
    // How many of the graph's data column entries are in use (not -1).
    int CountDataColumns() const;

    std::array<QvStatColumn, ColumnCount> columns;
    QvStatProperties properties;
};
