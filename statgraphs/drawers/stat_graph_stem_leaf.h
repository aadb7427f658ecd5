#pragma once
// The stem and leaf plot: the first data column as stems and one-digit (or
// two-digit) leaves, or back to back with a second column growing to the
// left of the stems.
#include "statgraphs/stat_graph.h"

#include <QString>

#include <array>

// The stem unit chosen for a range and how leaves are read off a value.
struct QvStemUnit {
    // False when the spread is too wide for any unit: only the title is drawn.
    bool valid = true;
    double unit = 1.0;
    // 1: one-digit leaves; 2: the digit at leafPower, then at secondPower.
    int leafDigits = 1;
    int leafPower = 0;
    int secondPower = 0;
    // Each stem comes in a low and a high half.
    bool split = false;
};

// The text of the stem starting at value: its digits above 10^power, with
// the decimal mark last when power is -1; "0" (or "0." and so on) when no
// digit is left.
QString QvStemText(double value, int power, char decimalMark = '.');

class QvStatGraphStemLeaf : public QvStatGraph {
public:
    // The stems the arrays hold.
    static constexpr int MaxStems = 40;
    static constexpr int DefaultStems = 15;

    // The first unit of the table not below (hi - lo) / (stems + 1); a stem
    // count outside 1 to 35 reads as 15.
    static QvStemUnit ChooseStemUnit(double lo, double hi, int stems, bool allowSplit);

    void Draw(CDC* dc, CRect rect) override;

    // The layout of the last drawing, bottom stem first.
    int StemCount() const { return m_stemCount; }
    QString StemLabel(int i) const { return m_stemText[size_t(i)] + m_stemMark[size_t(i)]; }
    const QvStemUnit& Unit() const { return m_unit; }

    // A column's drawable values, in row order or ascending.
    struct ColumnValues {
        std::array<double, 500> v;
        int n = 0;
    };

private:
    // The stem index of a value on the drawn plot: stems below zero hold the
    // values down to one unit under their start, so -5 lands on "-0".
    double StemPosition(double v) const;
    // Position of the bottom stem.
    double m_base = 0.0;

    std::array<double, MaxStems> m_stemStart{};
    int m_stemCount = 0;
    std::array<int, MaxStems> m_rightWidth{};
    std::array<int, MaxStems> m_leftWidth{};
    std::array<QString, MaxStems> m_stemText;
    std::array<QString, MaxStems> m_stemMark;
    QvStemUnit m_unit;
    // Leaf widths measured once per drawing: one digit, two digits, and
    // two digits with a comma before or after.  -1 not measured yet.
    std::array<int, 10> m_oneWidth{};
    std::array<int, 100> m_twoWidth{};
    std::array<int, 100> m_commaBefore{};
    std::array<int, 100> m_commaAfter{};
    // Of the leaf digit, and how many leaf steps make a stem.
    double m_leafScale = 1.0;
    double m_leavesPerStem = 10.0;
    std::array<ColumnValues, 2> m_columns;
};
