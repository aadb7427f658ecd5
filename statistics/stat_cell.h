#pragma once
// One cell of a statistics column, an entry of its ascending table, and its
// mode record.
#include "text/number_text.h"

#include <QString>

// The value of a cell that holds no number.  Every emptiness test compares
// with it exactly; it is what QvTextToNumber answers for a text that is no
// number, which is how a typed label is told from a typed value.
inline constexpr double QvStatEmpty = QvNoNumber;

struct QvStatCell {
    double value = QvStatEmpty;
    // How many observations the value stands for; 0 in an empty cell.
    int count = 0;
    // A label, the upper bound of a class, or empty.
    QString text;
};

// An entry of the ascending table: a cell and the row it was copied from.
struct QvStatSortCell : QvStatCell {
    int row = 0;
};

struct QvStatMode {
    int modeCount = 0; // 0 no mode, 1 one, 2 two
    double firstMode = 0.0;
    double secondMode = 0.0;
};
