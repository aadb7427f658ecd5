#include "statistics/stat_column.h"

#include "platform/archive.h"

IMPLEMENT_SERIAL(QvStatColumn, CObject, 0)

QvStatColumn::QvStatColumn() {
    MarkDirty();
    Clear();
    EmptyClasses();
}

void QvStatColumn::Clear() {
    for (QvStatCell& c : cells)
        c = QvStatCell();
    for (QvStatSortCell& s : sorted) {
        s.value = 9e99;
        s.count = 0;
    }
    productRoot = product = mean = median = sampleSD = sd = variance = range = 0.0;
    meanAbsDev = iqr = sum = sumSquares = lowerQuartile = upperQuartile = 0.0;
    lowerThirdMedian = upperThirdMedian = max = min = 0.0;
    n = rowsWithCount = filledCount = 0;
    type = Data;
}

void QvStatColumn::MarkDirty() {
    dirty = 1;
    frequencyTableValid = false;
    sortedValid = false;
}

void QvStatColumn::Recalc() {
    if (type == Group) {
        RecalcGrouped();
        return;
    }
    CalcMoments();
    CalcMedianQuartiles();
    CalcMode();
}

namespace {
template <class T> T Fresh(QvStatColumn& c, const T& field) {
    if (c.dirty) {
        c.Recalc();
        c.dirty = 0;
    }
    return field;
}
} // namespace

double QvStatColumn::GetMean() {
    return Fresh(*this, mean);
}
QvStatMode QvStatColumn::GetMode() {
    return Fresh(*this, mode);
}
double QvStatColumn::GetMedian() {
    return Fresh(*this, median);
}
double QvStatColumn::GetSampleSD() {
    return Fresh(*this, sampleSD);
}
double QvStatColumn::GetSD() {
    return Fresh(*this, sd);
}
double QvStatColumn::GetVariance() {
    return Fresh(*this, variance);
}
double QvStatColumn::GetRange() {
    return Fresh(*this, range);
}
double QvStatColumn::GetMeanAbsDev() {
    return Fresh(*this, meanAbsDev);
}
double QvStatColumn::GetIQR() {
    return Fresh(*this, iqr);
}

QvStatColumn& QvStatColumn::Copy(const QvStatColumn& other) {
    if (&other == this)
        return *this;
    name = other.name;
    formula = other.formula;
    type = other.type;
    columnNumber = other.columnNumber;
    symbol = other.symbol;
    cells = other.cells;
    // The cached statistics are this column's old ones.
    MarkDirty();
    return *this;
}

void QvStatColumn::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << name << formula << LONG(type) << LONG(columnNumber) << symbol;
        for (int r = 0; r < Rows; ++r) {
            const QvStatCell& c = cells[size_t(r)];
            if (c.count != 0 || !c.text.isEmpty())
                ar << LONG(r) << c.value << LONG(c.count) << c.text;
        }
        ar << LONG(-1);
        return;
    }
    // Read whole before anything changes, so a refused record leaves the
    // column as it was.
    QString newName, newFormula, newSymbol;
    LONG newType = 0, newNumber = 0;
    ar >> newName >> newFormula >> newType >> newNumber >> newSymbol;
    std::array<QvStatCell, Rows> newCells;
    for (;;) {
        LONG row = 0;
        ar >> row;
        if (row == -1)
            break;
        if (row < 0 || row >= Rows)
            throw CArchiveException(
                CArchiveException::badIndex,
                QStringLiteral("a statistics cell in row %1, outside 0 to 499").arg(row));
        QvStatCell& c = newCells[size_t(row)];
        LONG count = 0;
        ar >> c.value >> count >> c.text;
        c.count = count;
    }
    Clear();
    name = newName;
    formula = newFormula;
    type = newType >= Data && newType <= Frequency ? int(newType) : int(Data);
    columnNumber = newNumber;
    symbol = newSymbol;
    cells = std::move(newCells);
    MarkDirty();
}

void QvStatColumn::EmptyClasses() {
    for (QvStatCell& c : classes)
        c = QvStatCell();
}
