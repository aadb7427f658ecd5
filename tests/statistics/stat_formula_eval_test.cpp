// Column formulas run over a data set, row 0 to 499 as the grid fills a
// column: empty operands, the elementary functions where they differ from
// the function language, and the statistics functions.  Expected values
// are the issue's, worked by hand, or python3's (math, statistics), as each
// test says.
#include "stat_test_support.h"

#include "statistics/stat_data.h"
#include "statistics/stat_fit.h"
#include "statistics/stat_formula.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr double E = QvStatEmpty;
constexpr double S = QvUndefinedValue;
constexpr int A = 0, B = 1, C = 2, D = 3, Z = 25;

struct Sheet {
    std::unique_ptr<QvStatData> data = std::make_unique<QvStatData>();

    QvStatColumn& operator[](int column) { return data->columns[size_t(column)]; }

    // Fills `target` from the formula as the grid does: rows 0 to 499 in
    // order, each result stored before the next row.
    std::vector<QvStatCell> Fill(const char* text, int target, int angleUnit = 0) {
        auto f = std::make_unique<QvStatFormula>();
        f->decimalPoint = '.';
        f->listSeparator = ',';
        f->angleUnit = angleUnit;
        f->SetText(QString::fromLatin1(text));
        f->Compile();
        std::vector<QvStatCell> out;
        for (int row = 0; row < QvStatColumn::Rows; ++row) {
            out.push_back(f->Evaluate(data.get(), row, target));
            (*this)[target].cells[size_t(row)] = out.back();
            (*this)[target].MarkDirty();
        }
        return out;
    }
    // The value of the formula at row 0, in column Z.
    double Value(const char* text, int angleUnit = 0) { return Fill(text, Z, angleUnit)[0].value; }
    std::vector<double> Values(int column, int rows) {
        std::vector<double> v;
        for (int r = 0; r < rows; ++r)
            v.push_back((*this)[column].cells[size_t(r)].value);
        return v;
    }
};

std::vector<double> ValuesOf(const std::vector<QvStatCell>& cells, int rows) {
    std::vector<double> v;
    for (int r = 0; r < rows; ++r)
        v.push_back(cells[size_t(r)].value);
    return v;
}

TEST(StatFormulaEval, AnEmptyOperandEmptiesTheRow) {
    Sheet s;
    FillValues(s[A], {1, E, 3});
    for (const char* text : {"2*A", "(A+1)*0", "SIN(A)", "A-A+5"}) {
        SCOPED_TRACE(text);
        const auto cells = s.Fill(text, C);
        EXPECT_NE(cells[0].value, E);
        EXPECT_EQ(cells[0].count, 1);
        EXPECT_EQ(cells[1].value, E);
        EXPECT_EQ(cells[1].count, 0);
        EXPECT_NE(cells[2].value, E);
    }
    // Evaluation follows the program Compile wrote, read whole or not.
    EXPECT_EQ(s.Value("2+FOO(A)"), 2.0);
    EXPECT_EQ(s.Value("A2"), 2.0);
    const QvStatCell none = s.Fill("", C)[7];
    EXPECT_EQ(none.value, 0.0);
    EXPECT_EQ(none.count, 1);
}

// Hand values; ACOS(-0.5) and ASIN(0.5) from python3 with the program's
// degree, 0.017453292520882225 (a hair more than pi / 180).
TEST(StatFormulaEval, ElementaryFunctions) {
    struct Row {
        const char* text;
        int unit;
        double value;
    };
    const Row rows[] = {
        {"ASIN(2)", 0, 90.0},
        {"ASIN(-1)", 0, -90.0},
        {"ASIN(0.5)", 0, 29.9999999983861},
        {"ACOS(-0.5)", 0, 119.9999999935444},
        {"ACOS(-2)", 0, 180.0},
        {"ACOS(0)", 0, 90.0},
        {"ACOS(1)", 0, 0.0},
        {"ASIN(2)", 1, 1.5707963267948966},
        {"ACOS(-2)", 2, 200.0},
        {"1/0", 0, S},
        {"LN(0)", 0, -S},
        {"SQRT(-1)", 0, -S},
        {"GINT(-2.5)", 0, -3.0},
        {"GINT(2.5)", 0, 2.0},
        {"(-8)^(1/3)", 0, -2.0},
        {"2^-2", 0, 0.25},
        {"\xCD", 0, 3.141592654},
        {"EXP(1)", 0, 2.718281828459045},
        {"@*2", 0, 2.0}, // the row number of row 0 is 1
        {"EXP(800)-EXP(800)", 0, S},
        {"EXP(800)", 0, S},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        Sheet s;
        EXPECT_NEAR(s.Value(row.text, row.unit), row.value, 1e-9);
    }
}

// python3: math.atanh(0.5); 0.5 * math.erfc(-1.96 / math.sqrt(2));
// 1 / math.sqrt(2 * math.pi).
TEST(StatFormulaEval, NormalAndFisher) {
    Sheet s;
    EXPECT_NEAR(s.Value("FISHER(0.5)"), 0.5493061443340548, 1e-13);
    EXPECT_EQ(s.Value("FISHER(1)"), S);
    EXPECT_EQ(s.Value("FISHER(-1.5)"), S);
    EXPECT_NEAR(s.Value("NORMP(1.96)"), 0.9750021048517795, 1e-12);
    EXPECT_NEAR(s.Value("NORMAL(1.96)"), 0.9750021048517795, 1e-12);
    EXPECT_NEAR(s.Value("NORMQ(1.96)"), 1 - 0.9750021048517795, 1e-12);
    // The density's constant, 0.398942280385, has twelve digits.
    EXPECT_NEAR(s.Value("NORMPDF(0)"), 0.3989422804014327, 1e-10);
    EXPECT_EQ(s.Value("NORMP(A)"), E);
}

// python3 statistics: mean 10, pstdev 5.730037812557028 of the column.
TEST(StatFormulaEval, StandardScores) {
    Sheet s;
    FillValues(s[A], {2, 4, 4, 5, 7, 9, 10, 12, 13, 15, 18, 21});
    EXPECT_NEAR(s.Fill("ZSCORE(A)", C)[0].value, -1.3961513451915601, 1e-10);
    EXPECT_DOUBLE_EQ(s.Fill("DEVIATION(A)", C)[0].value, -8.0);
    EXPECT_NEAR(s.Fill("STANDARDIZE(A,50,10)", C)[0].value, 50 - 13.961513451915601, 1e-9);
    EXPECT_EQ(s.Fill("ZSCORE(A)", C)[12].value, E); // no value in the row
    // No column, or no spread: empty.
    EXPECT_EQ(s.Fill("ZSCORE(2)", C)[0].value, E);
    EXPECT_EQ(s.Fill("STANDARDISE(A+1,0,1)", C)[0].value, E);
    FillValues(s[B], {0.1, 0.1, 0.1});
    EXPECT_EQ(s.Fill("ZSCORE(B)", C)[0].value, E);
    EXPECT_EQ(s.Fill("STANDARDIZE(B,0,1)", C)[1].value, E);
    EXPECT_NEAR(s.Fill("DEVIATION(B)", C)[1].value, 0.0, 1e-15);
}

// The positions of the interpolated percentiles, worked by hand: with 12
// values P(k) sits at position 0.11k, so P55 = 10.1 is the first at or
// above 10; the stanine bounds P4 2.88, P11 4, P23 4.53, P40 7.8, P60 11.2,
// P77 15.21, P89 17.37, P96 19.68 put 10 fifth and 21 ninth.
TEST(StatFormulaEval, PercentilesDecilesStanines) {
    StatMethods interpolated(0, 0);
    Sheet s;
    FillValues(s[A], {2, 4, 4, 5, 7, 9, 10, 12, 13, 15, 18, 21});
    const auto stanine = s.Fill("STANINE(A)", C);
    EXPECT_EQ(stanine[0].value, 1.0);
    EXPECT_EQ(stanine[6].value, 5.0);
    EXPECT_EQ(stanine[11].value, 9.0);
    EXPECT_EQ(stanine[12].value, E);
    EXPECT_EQ(s.Fill("PERCENTILE(A)", C)[6].value, 55.0);
    EXPECT_EQ(s.Fill("DECILE(A)", C)[6].value, 5.5);
    EXPECT_EQ(s.Fill("PERCENTILE(A)", C)[0].value, 0.0);
    EXPECT_EQ(s.Fill("PERCENTILE(A)", C)[11].value, 100.0);
    EXPECT_EQ(s.Fill("STANINE(2)", C)[0].value, E);
}

TEST(StatFormulaEval, Round) {
    Sheet s;
    FillValues(s[A], {2.346, 2345, 2.5, -2.5, 1.23456789});
    EXPECT_DOUBLE_EQ(s.Fill("ROUND(A,2)", C)[0].value, 2.35);
    EXPECT_DOUBLE_EQ(s.Fill("ROUND(A,-1)", C)[1].value, 2350.0);
    EXPECT_DOUBLE_EQ(s.Fill("ROUND(A,0)", C)[2].value, 3.0);
    EXPECT_DOUBLE_EQ(s.Fill("ROUND(A,0)", C)[3].value, -2.0);   // half rounds up
    EXPECT_DOUBLE_EQ(s.Fill("ROUND(A,2.9)", C)[0].value, 2.35); // digits truncated
    EXPECT_DOUBLE_EQ(s.Fill("ROUND(A*2,1)", C)[4].value, 2.5);
    // Past what a double holds: the value itself, or nothing of it.
    EXPECT_DOUBLE_EQ(s.Fill("ROUND(A,400)", C)[4].value, 1.23456789);
    EXPECT_EQ(s.Fill("ROUND(A,-400)", C)[1].value, 0.0);
}

// By hand: row 2 is (1/2 + 2 + 4 + 8 + 16/2) / 4 = 5.625, row 3 is
// (2/2 + 4 + 8 + 16 + 32/2) / 4 = 11.25; an odd period averages its cells.
TEST(StatFormulaEval, MovingAverage) {
    Sheet s;
    FillValues(s[A], {1, 2, 4, 8, 16, 32});
    const auto even = s.Fill("MPA(A,4)", C);
    EXPECT_EQ(even[1].value, E);
    EXPECT_DOUBLE_EQ(even[2].value, 5.625);
    EXPECT_DOUBLE_EQ(even[3].value, 11.25);
    EXPECT_EQ(even[4].value, E); // row 6 is empty
    EXPECT_DOUBLE_EQ(s.Fill("MPA(A,3)", C)[1].value, 7.0 / 3.0);
    EXPECT_EQ(s.Fill("MPA(A,1)", C)[1].value, E);
    EXPECT_EQ(s.Fill("MPA(2,3)", C)[1].value, E);
    // The row numbers 1 to 500 average to themselves, up to the ends.
    const auto rows = s.Fill("MPA(@,5)", C);
    EXPECT_EQ(rows[1].value, E);
    EXPECT_DOUBLE_EQ(rows[2].value, 3.0);
    EXPECT_DOUBLE_EQ(rows[497].value, 498.0);
    EXPECT_EQ(rows[498].value, E);
}

// SEASONALISE removes from each row its season's mean deviation from the
// same moving average that MPA gives.
TEST(StatFormulaEval, SeasonaliseAgreesWithMovingAverage) {
    Sheet s;
    std::vector<double> a;
    for (int i = 0; i < 40; ++i)
        a.push_back(10 + i * 0.5 + (i % 4 == 1 ? 3 : i % 4 == 3 ? -2 : 0) + (i * 7 % 5) * 0.1);
    FillValues(s[A], a);
    const auto average = s.Fill("MPA(A,4)", B);
    double sum[4] = {}, n[4] = {};
    for (int i = 0; i < 40; ++i) {
        if (average[size_t(i)].value == E)
            continue;
        sum[i % 4] += a[size_t(i)] - average[size_t(i)].value;
        ++n[i % 4];
    }
    const auto adjusted = s.Fill("SEASONALISE(A,4)", C);
    for (int i = 0; i < 40; ++i)
        EXPECT_NEAR(adjusted[size_t(i)].value, a[size_t(i)] - sum[i % 4] / n[i % 4], 1e-12) << i;
    EXPECT_EQ(adjusted[40].value, E);
    // A missing column is the stored x column, a missing period 4.
    s.data->properties.col1 = A;
    EXPECT_EQ(ValuesOf(s.Fill("SEASONALISE(,)", D), 40), ValuesOf(adjusted, 40));
    EXPECT_EQ(s.Fill("SEASONALISE(2,4)", D)[0].value, E);
}

TEST(StatFormulaEval, SortedCopies) {
    Sheet s;
    FillValues(s[Z], {3, 1, 2});
    EXPECT_EQ(ValuesOf(s.Fill("SORTCOLD(Z)", C), 4), (std::vector<double>{3, 2, 1, E}));
    FillValues(s[A], {3, E, 1, 2});
    // Filled whatever A holds in the row.
    EXPECT_EQ(ValuesOf(s.Fill("SORTCOL(A)", C), 4), (std::vector<double>{1, 2, 3, E}));
    EXPECT_EQ(s.Fill("SORTCOL(A)", C)[1].count, 1);
    EXPECT_EQ(ValuesOf(s.Fill("SORTCOLD(A)", C), 4), (std::vector<double>{3, 2, 1, E}));
    EXPECT_EQ(s.Fill("SORTCOL(A*1)", C)[0].value, E);

    // A sorted copy keeps its frequencies.
    FillCounted(s[A], {{3, 5}, {1, 6}, {2, 7}});
    FillValues(s[B], {5, 6, 7});
    s[B].type = QvStatColumn::Frequency;
    s.Fill("SORTCOL(A)", C);
    EXPECT_EQ(s.Values(C, 4), (std::vector<double>{1, 2, 3, E}));
    EXPECT_EQ(s.Values(D, 4), (std::vector<double>{6, 7, 5, E}));
    EXPECT_EQ(s[D].type, QvStatColumn::Frequency);
}

TEST(StatFormulaEval, SortReordersEveryColumn) {
    Sheet s;
    FillValues(s[A], {3, 1, 2});
    for (const char* label : {"x", "y", "z"})
        s[B].cells[size_t(label[0] - 'x')].text = QString::fromLatin1(label);
    const auto result = s.Fill("SORT(A)", C);
    EXPECT_EQ(s.Values(A, 4), (std::vector<double>{1, 2, 3, E}));
    EXPECT_EQ(s[B].cells[0].text, QStringLiteral("y"));
    EXPECT_EQ(s[B].cells[1].text, QStringLiteral("z"));
    EXPECT_EQ(s[B].cells[2].text, QStringLiteral("x"));

    // Twenty shuffled rows with a paired column and a gap: each row keeps
    // its pair, ascending or descending.
    for (const char* text : {"SORT(A)", "SORTD(A)", "SORTA(A)"}) {
        SCOPED_TRACE(text);
        Sheet t;
        std::vector<double> a;
        for (int i = 0; i < 20; ++i)
            a.push_back(i == 7 ? E : (i * 13) % 20);
        FillValues(t[A], a);
        for (int i = 0; i < 20; ++i)
            t[B].cells[size_t(i)] = {a[size_t(i)] == E ? E : 100 + a[size_t(i)], 1, {}};
        t.Fill(text, C);
        const bool down = text[4] == 'D';
        for (int r = 0; r < 19; ++r) {
            const double v = t[A].cells[size_t(r)].value;
            EXPECT_EQ(t[B].cells[size_t(r)].value, 100 + v) << r;
            if (r > 0) {
                EXPECT_TRUE(down ? v < t[A].cells[size_t(r - 1)].value
                                 : v > t[A].cells[size_t(r - 1)].value)
                    << r;
            }
        }
        EXPECT_EQ(t[A].cells[19].value, E);
    }

    // Not a column: empty, and nothing moves.
    Sheet u;
    FillValues(u[A], {3, 1, 2});
    FillValues(u[B], {6, 4, 5});
    const auto none = u.Fill("SORT(2)", C);
    EXPECT_EQ(none[0].value, E);
    EXPECT_EQ(none[2].value, E);
    EXPECT_EQ(u.Values(A, 3), (std::vector<double>{3, 1, 2}));
    EXPECT_EQ(u.Values(B, 3), (std::vector<double>{6, 4, 5}));
    EXPECT_EQ(u.Fill("SORTD(A+0)", C)[0].value, E);
    EXPECT_EQ(u.Values(A, 3), (std::vector<double>{3, 1, 2}));
}

// Ties take the first position, as R's rank(ties.method = "min") does.
TEST(StatFormulaEval, Ranks) {
    Sheet s;
    FillValues(s[A], {10, 20, 20, 30});
    EXPECT_EQ(ValuesOf(s.Fill("RANKA(A)", C), 5), (std::vector<double>{1, 2, 2, 4, E}));
    EXPECT_EQ(ValuesOf(s.Fill("RANKD(A)", C), 5), (std::vector<double>{4, 2, 2, 1, E}));
    EXPECT_EQ(ValuesOf(s.Fill("RANK(A)", C), 4), (std::vector<double>{4, 2, 2, 1}));
    EXPECT_EQ(s.Fill("RANKA(3)", C)[0].value, E);

    // Two ranked columns in one formula keep their own ranks: the rank
    // differences of Spearman's coefficient.
    FillValues(s[A], {10, 20, 30});
    FillValues(s[B], {30, 10, 20});
    EXPECT_EQ(ValuesOf(s.Fill("RANKA(A)-RANKA(B)", C), 3), (std::vector<double>{-2, 1, 1}));

    // The ranking is done at row 0; later rows look it up.
    auto f = std::make_unique<QvStatFormula>();
    f->SetText(QStringLiteral("RANKA(A)"));
    f->Compile();
    f->Evaluate(s.data.get(), 0, C);
    FillValues(s[A], {30, 20, 10});
    EXPECT_EQ(f->Evaluate(s.data.get(), 2, C).value, 3.0);
}

// Counts by hand: 3 twice, 5 three times, 7 once.
TEST(StatFormulaEval, FrequencyTables) {
    Sheet s;
    FillValues(s[A], {5, 3, 5, 7, 3, 5});
    EXPECT_EQ(ValuesOf(s.Fill("FREQTABLE(A)", C), 4), (std::vector<double>{3, 5, 7, E}));
    EXPECT_EQ(s.Values(D, 4), (std::vector<double>{2, 3, 1, E}));
    EXPECT_EQ(s[D].type, QvStatColumn::Frequency);

    s.Fill("CUMFREQTABLE(A)", C);
    EXPECT_EQ(s.Values(D, 4), (std::vector<double>{2, 3, 1, E}));
    EXPECT_EQ(s.Values(4, 4), (std::vector<double>{2, 5, 6, E}));

    // In column Z there is nothing to the right to write.
    EXPECT_EQ(ValuesOf(s.Fill("FREQTABLE(A)", Z), 4), (std::vector<double>{3, 5, 7, E}));
    EXPECT_EQ(s.Values(QvStatData::RowNumberColumn, 3), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(s.Fill("FREQTABLE(@)", C)[0].value, E);

    // The table's rows have nothing to do with the rows A is empty in.
    FillValues(s[A], {5, E, 3});
    EXPECT_EQ(ValuesOf(s.Fill("FREQTABLE(A)", C), 3), (std::vector<double>{3, 5, E}));
    EXPECT_EQ(s.Values(D, 3), (std::vector<double>{1, 1, E}));
}

// Classes of width 10 half a width off the multiples of 10, from below the
// smallest value: -5 to 5, 5 to 15, 15 to 25.
TEST(StatFormulaEval, ClassTables) {
    Sheet s;
    FillValues(s[A], {3, 12, 17, 24});
    const auto classes = s.Fill("GROUPW(A,10)", C);
    EXPECT_EQ(ValuesOf(classes, 4), (std::vector<double>{-5, 5, 15, E}));
    EXPECT_EQ(classes[0].text, QStringLiteral("5"));
    EXPECT_EQ(classes[2].text, QStringLiteral("25"));
    EXPECT_EQ(s.Values(D, 4), (std::vector<double>{1, 1, 2, E}));
    EXPECT_EQ(s[C].type, QvStatColumn::Group);
    EXPECT_EQ(s[D].type, QvStatColumn::Frequency);

    // A missing class count is 10.
    EXPECT_EQ(ValuesOf(s.Fill("GROUPN(A)", C), 20), ValuesOf(s.Fill("GROUPN(A,10)", B), 20));
    EXPECT_EQ(s.Fill("GROUPN(,4)", C)[0].value, E);

    // The classes already typed into the target column, and "Other".
    Sheet t;
    FillValues(t[A], {5, 15, 25, 6});
    t[C].cells[0] = {0, 1, QStringLiteral("10")};
    t[C].cells[1] = {10, 1, QStringLiteral("20")};
    t[C].type = QvStatColumn::Group;
    const auto typed = t.Fill("GROUPE(A)", C);
    EXPECT_EQ(ValuesOf(typed, 3), (std::vector<double>{0, 10, E}));
    EXPECT_EQ(typed[2].text, QStringLiteral("Other"));
    EXPECT_EQ(t.Values(D, 4), (std::vector<double>{2, 1, 1, E}));
}

// Fitted by hand for x 1, 2, 3 and y 2, 5, 6: b = 4 / 2 = 2, a = 13/3 - 4
// = 1/3.
TEST(StatFormulaEval, FittedValuesAndResiduals) {
    Sheet s;
    FillValues(s[A], {1, 2, 3});
    FillValues(s[B], {2, 5, 6});
    struct Row {
        const char* text;
        double v0, v1, v2;
    };
    const Row rows[] = {
        {"PREDICTY(A,B,1)", 7.0 / 3, 13.0 / 3, 19.0 / 3},
        {"RESIDUALY(A,B,1)", -1.0 / 3, 2.0 / 3, -1.0 / 3},
        {"PREDICTX(A,B,1)", 5.0 / 6, 7.0 / 3, 17.0 / 6},
        {"RESIDUALX(A,B,1)", 1.0 / 6, -1.0 / 3, 1.0 / 6},
        {"PREDICT(A,B,1.9)", 7.0 / 3, 13.0 / 3, 19.0 / 3},
        {"RESIDUAL(A,B,1)", -1.0 / 3, 2.0 / 3, -1.0 / 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const auto cells = s.Fill(row.text, C);
        EXPECT_NEAR(cells[0].value, row.v0, 1e-12);
        EXPECT_NEAR(cells[1].value, row.v1, 1e-12);
        EXPECT_NEAR(cells[2].value, row.v2, 1e-12);
        EXPECT_EQ(cells[3].value, E);
    }
    EXPECT_EQ(s.Fill("PREDICTY(2,B,1)", C)[0].value, E);

    // PREDICTY(@): the row numbers as x, the stored y column and model.
    Sheet t;
    FillValues(t[B], {2, 4, 6});
    t.data->properties.col2 = B;
    t.data->properties.RegType = QvStatFit::Linear;
    const auto line = t.Fill("PREDICTY(@)", C);
    EXPECT_NEAR(line[0].value, 2.0, 1e-12);
    EXPECT_NEAR(line[1].value, 4.0, 1e-12);
    EXPECT_NEAR(line[2].value, 6.0, 1e-12);
    EXPECT_NEAR(line[9].value, 20.0, 1e-12);
}

} // namespace
