// The sequence and random functions of the column formulas, and the time
// series generator behind TSDGEN.  Expected draws come from python3
// reproducing the generator (seed = seed * 214013 + 2531011, a draw is
// (seed >> 16) & 0x7FFF) and each function's order of draws, run once and
// written into the tables; the means and spreads are the distributions'
// own (by hand).
#include "stat_test_support.h"

#include "platform/crt_random.h"
#include "statistics/stat_data.h"
#include "statistics/stat_fit.h"
#include "statistics/stat_formula.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numeric>
#include <vector>

namespace {

constexpr double E = QvStatEmpty;
constexpr int A = 0, B = 1, Z = 25;
constexpr int Rows = QvStatColumn::Rows;

// Seeds whose first draw is 0 and 32767 (python3, searched from 1 up).
constexpr unsigned FirstDrawZero = 20057;
constexpr unsigned FirstDrawTop = 30091;

struct Sheet {
    std::unique_ptr<QvStatData> data = std::make_unique<QvStatData>();

    QvStatColumn& operator[](int column) { return data->columns[size_t(column)]; }

    // Fills `target` as the grid does: rows 0 to 499 in order, each result
    // stored before the next row.
    std::vector<QvStatCell> Fill(const char* text, int target = Z) {
        auto f = std::make_unique<QvStatFormula>();
        f->decimalPoint = '.';
        f->listSeparator = ',';
        f->SetText(QString::fromLatin1(text));
        EXPECT_EQ(f->Compile(), QvStatFormula::kRead) << text;
        std::vector<QvStatCell> out;
        for (int row = 0; row < Rows; ++row) {
            out.push_back(f->Evaluate(data.get(), row, target));
            (*this)[target].cells[size_t(row)] = out.back();
            (*this)[target].MarkDirty();
        }
        return out;
    }
};

double Mean(const std::vector<double>& v) {
    return std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
}

// Standard deviation with divisor n.
double PopulationSD(const std::vector<double>& v) {
    const double m = Mean(v);
    double s = 0.0;
    for (double x : v)
        s += (x - m) * (x - m);
    return std::sqrt(s / double(v.size()));
}

std::vector<double> Filled(const std::vector<QvStatCell>& cells) {
    std::vector<double> v;
    for (const QvStatCell& c : cells)
        if (c.value != E)
            v.push_back(c.value);
    return v;
}

// Rows 0 on hold `values` (E for an empty row), every later row is empty.
void ExpectRows(const std::vector<QvStatCell>& cells, const std::vector<double>& values) {
    for (size_t r = 0; r < values.size(); ++r) {
        EXPECT_NEAR(cells[r].value, values[r], 1e-12) << "row " << r;
        EXPECT_EQ(cells[r].count, values[r] == E ? 0 : 1) << "row " << r;
    }
    for (size_t r = values.size(); r < cells.size(); ++r) {
        ASSERT_EQ(cells[r].value, E) << "row " << r;
        ASSERT_EQ(cells[r].count, 0) << "row " << r;
    }
}

TEST(StatGenerators, SequencesAndFixedResults) {
    struct Case {
        const char* text;
        std::vector<double> values; // then empty
    };
    std::vector<double> fibonacci{1, 1};
    while (fibonacci.size() < 44) // 1134903170, the 45th, is above 1e9
        fibonacci.push_back(fibonacci[fibonacci.size() - 1] + fibonacci[fibonacci.size() - 2]);
    const Case cases[] = {
        {"TRIANGULAR(4)", {1, 3, 6, 10}},
        {"TRIANGULAR(4.9)", {1, 3, 6, 10}},
        {"FIBONACCI(1,1,6)", {1, 1, 2, 3, 5, 8}},
        {"TRIBONACCI(0,0,1,6)", {0, 0, 1, 1, 2, 4}},
        {"INC(5,-2,4)", {5, 3, 1, -1}},
        {"INC(0,1,2.5)", {0, 1, 2}},
        {"FIBONACCI(1,1,50)", fibonacci},
        // A value too large to show still carries on the sequence.
        {"FIBONACCI(1000000000,-999999999,6)", {E, -999999999, 1, -999999998, -999999997, -1999999995}},
        {"TRIBONACCI(1000000000,0,-1000000000,5)", {E, 0, -1000000000, 0, -1000000000}},
        {"RANDNORMAL(50,10,2)", {60, 40}},
        {"RANDNORMAL(50,10,1)", {50}},
        {"RANDGEOMETRIC(0.0005,10)", {}},
        {"RANDNEGBINOMIAL(3,0.5,10)", {}},
        {"RANDNEGBINOMIAL(101,0.5,10)", {}},
        {"RANDNEGBINOMIAL(4,0.005,10)", {}},
        {"RANDBERNOULLI(1.5,10)", {}},
        {"RANDBINOMIAL(10,-0.1,10)", {}},
        {"RANDHYPERGEOMETRIC(5,10,11,10)", {}},
        {"RANDHYPERGEOMETRIC(11,10,5,10)", {}},
        {"RANDBERNOULLI(1,3)", {1, 1, 1}},
        {"RANDBINOMIAL(10,0,3)", {0, 0, 0}},
        {"RANDBINOMIAL(10,1,3)", {10, 10, 10}},
        {"RANDHYPERGEOMETRIC(5,10,0,3)", {0, 0, 0}},
        {"RANDHYPERGEOMETRIC(5,10,10,3)", {5, 5, 5}},
        // Bounded work: refused at once rather than a billion draws.
        {"RANDBINOMIAL(1000000000,0.5,3)", {}},
        {"RANDHYPERGEOMETRIC(1000000000,2000000000,1000000000,3)", {}},
        {"TSDGEN(0,1,1,0,1,0,0,0,10)", {}},
        {"TSDGEN(501,1,1,0,1,0,0,0,10)", {}},
        {"TSDGEN(4,1,1,0,1,0,0,0,501)", {}},
        {"TSDGEN(4,0,0,0,1,0,0,0,10)", {}},
        {"TSDGEN(4,1,1,0,1,0,0,0,0)", {}},
    };
    // Also from a seed whose first draw is 0, the one draw that u <= p
    // would let succeed at p = 0.
    for (unsigned seed : {1u, FirstDrawZero}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.text);
            CrtSrand(seed);
            Sheet s;
            ExpectRows(s.Fill(c.text), c.values);
        }
    }
}

TEST(StatGenerators, RandFillsItsRowsAndDrawsInEveryRow) {
    // python3: the first five draws of seed 1 over 32767; its 501st draw.
    CrtSrand(1);
    Sheet s;
    ExpectRows(s.Fill("RAND(5)"), {0.0012512588885158849, 0.5635853144932401, 0.19330423902096622,
                                   0.8087405011139256, 0.5850093081453902});
    EXPECT_EQ(CrtRand(), 1264);
}

TEST(StatGenerators, RandBetweenStaysWithinItsBounds) {
    for (unsigned seed : {1u, 7u, FirstDrawTop, 80263u}) {
        SCOPED_TRACE(seed);
        CrtSrand(seed);
        Sheet s;
        const auto cells = s.Fill("RANDBETWEEN(1,6,500)");
        for (const QvStatCell& c : cells) {
            ASSERT_EQ(c.count, 1);
            ASSERT_GE(c.value, 1.0);
            ASSERT_LE(c.value, 6.0);
            ASSERT_EQ(c.value, std::floor(c.value));
        }
        // A first draw of 32767 gives the top value, not 7.
        if (seed == FirstDrawTop || seed == 80263u) {
            EXPECT_EQ(cells[0].value, 6.0);
        }
    }
}

// python3 reproducing each function's draws from seed 3 (and 12345), five
// rows; then the next draw shows that no draw was made after row 4.
TEST(StatGenerators, EachFunctionDrawsInItsOrder) {
    struct Case {
        unsigned seed;
        const char* text;
        std::vector<double> values;
        int next;
    };
    const Case cases[] = {
        {3, "RANDBINOMIAL(10,0.3,5)", {5, 4, 3, 1, 3}, 28616},
        {3, "RANDGEOMETRIC(0.25,5)", {1, 1, 3, 6, 2}, 17152},
        {3, "RANDNEGBINOMIAL(4,0.5,5.9)", {4, 9, 9, 7, 14}, 22459},
        {3, "RANDHYPERGEOMETRIC(10,50,20,5)", {5, 4, 4, 3, 3}, 28616},
        {12345, "RANDBERNOULLI(0.5,5)", {1, 0, 0, 0, 1}, 23405},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CrtSrand(c.seed);
        Sheet s;
        ExpectRows(s.Fill(c.text), c.values);
        EXPECT_EQ(CrtRand(), c.next);
    }
}

TEST(StatGenerators, DistributionsHaveTheirMeans) {
    struct Case {
        const char* text;
        double mean;
        double variance;
    };
    // Variances: (6² - 1) / 12; n p (1 - p); (1 - p) / p²; and
    // n K/N (1 - K/N) (N - n) / (N - 1).
    const Case cases[] = {
        {"RANDBETWEEN(1,6,500)", 3.5, 35.0 / 12},
        {"RANDBINOMIAL(10,0.3,500)", 3.0, 2.1},
        {"RANDGEOMETRIC(0.25,500)", 4.0, 12.0},
        {"RANDHYPERGEOMETRIC(10,50,20,500)", 4.0, 10 * 0.4 * 0.6 * 40.0 / 49},
    };
    for (const Case& c : cases) {
        for (unsigned seed : {2u, 99u, 4242u}) {
            SCOPED_TRACE(c.text);
            SCOPED_TRACE(seed);
            CrtSrand(seed);
            Sheet s;
            const auto v = Filled(s.Fill(c.text));
            ASSERT_EQ(v.size(), size_t(Rows));
            EXPECT_NEAR(Mean(v), c.mean, 4 * std::sqrt(c.variance / Rows));
        }
    }
}

// The standard values do not depend on mean and sd, so a sd of 1e8 shows
// them before rounding to within 5e-11.
TEST(StatGenerators, RandNormalHasTheExactMeanAndSD) {
    for (unsigned seed = 1; seed <= 10; ++seed) {
        SCOPED_TRACE(seed);
        CrtSrand(seed);
        Sheet s;
        const auto raw = Filled(s.Fill("RANDNORMAL(0,100000000,30)"));
        ASSERT_EQ(raw.size(), 30u);
        EXPECT_NEAR(Mean(raw) / 1e8, 0.0, 1e-9);
        EXPECT_NEAR(PopulationSD(raw) / 1e8, 1.0, 1e-9);

        CrtSrand(seed);
        const auto rounded = Filled(s.Fill("RANDNORMAL(50,10,30)"));
        ASSERT_EQ(rounded.size(), 30u);
        EXPECT_NEAR(Mean(rounded), 50.0, 0.01);
        EXPECT_NEAR(PopulationSD(rounded), 10.0, 0.01);
        for (double x : rounded)
            ASSERT_NEAR(x * 100, std::round(x * 100), 1e-6);
    }

    // python3: seed 1 row by row, and the draw after 500 rows of six.
    CrtSrand(1);
    Sheet s;
    ExpectRows(s.Fill("RANDNORMAL(50,10,30)"),
               {44.62, 62.39, 35.38, 33.52, 54.4,  60.27, 64.75, 53.81, 43.83, 41.7,
                37.29, 55.72, 54.52, 52.64, 43.26, 56.29, 47.91, 43.28, 65.83, 40.09,
                56.19, 43.54, 58.49, 48.63, 54.6,  58.55, 40.81, 54.24, 66.61, 26.83});
    EXPECT_EQ(CrtRand(), 22860);
}

// Seed 17 (python3) leaves no last pair for thirty values: row 28 asks for
// the fill to start again, which the caller does from row 0 with the draws
// that follow, at most ten times.
TEST(StatGenerators, RandNormalAsksForARestartWhenNoLastPairFits) {
    CrtSrand(17);
    Sheet s;
    auto f = std::make_unique<QvStatFormula>();
    f->decimalPoint = '.';
    f->listSeparator = ',';
    f->SetText(QStringLiteral("RANDNORMAL(50,10,30)"));
    ASSERT_EQ(f->Compile(), QvStatFormula::kRead);
    std::vector<double> values;
    bool restarted = false;
    for (int attempt = 0; attempt <= 10; ++attempt) {
        values.clear();
        bool again = false;
        for (int row = 0; row < Rows; ++row) {
            const QvStatCell c = f->Evaluate(s.data.get(), row, Z);
            if (c.value == QvStatRestartValue) {
                if (attempt == 0) {
                    EXPECT_EQ(row, 28);
                }
                again = restarted = true;
                break;
            }
            if (c.value != E)
                values.push_back(c.value);
        }
        if (!again)
            break;
    }
    EXPECT_TRUE(restarted);
    ASSERT_EQ(values.size(), 30u);
    EXPECT_NEAR(Mean(values), 50.0, 0.01);
    EXPECT_NEAR(PopulationSD(values), 10.0, 0.01);
}

// ---- Time series ----

struct Series {
    std::unique_ptr<QvStatColumn> column = std::make_unique<QvStatColumn>();
    QvStatCell& operator[](int row) { return column->cells[size_t(row)]; }
};

// Noise 0 and seasonal 0: the trend brought to a step set by its spread
// (python3 for the rounding of each row).
TEST(StatTimeSeries, TheStepFollowsTheTrendsSpread) {
    struct Case {
        double a, b; // a + b i over eleven rows: spread 10 b
        double row0, row1, row10;
    };
    const Case cases[] = {
        {0.123, 0.05, 0.12, 0.17, 0.62},  // spread 0.5: hundredths
        {0.25, 5, 0.3, 5.3, 50.3},        // 50: tenths
        {0.25, 10, 0.3, 10.3, 100.3},     // exactly 100: still tenths
        {0.25, 50, 0.0, 50.0, 500.0},     // 500: whole numbers
        {7.25, 500, 10.0, 510.0, 5010.0}, // 5000: tens
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.b);
        Series s;
        CrtSrand(1);
        s.column->GenerateTimeSeries(1, c.a, c.b, 0, 1, 0, 0, 11);
        EXPECT_NEAR(s[0].value, c.row0, 1e-9);
        EXPECT_NEAR(s[1].value, c.row1, 1e-9);
        EXPECT_NEAR(s[10].value, c.row10, 1e-9);
        EXPECT_EQ(s[10].count, 1);
        EXPECT_EQ(s[11].value, E);
        EXPECT_EQ(s[11].count, 0);
    }
}

// Spread 0.9 keeps hundredths while the pattern swings by up to 90, so a
// period's parts summing to anything but 0 would show far beyond the
// rounding of its rows.
TEST(StatTimeSeries, SeasonalPartsSumToZeroOverAnyPeriod) {
    for (int period : {1, 2, 5, 12}) {
        SCOPED_TRACE(period);
        Series s;
        CrtSrand(3);
        s.column->GenerateTimeSeries(period, 0, 0.01, 0, 1, 0, 50, 91);
        for (int from = 0; from + period <= 91; from += 7) {
            double sum = 0.0;
            for (int i = from; i < from + period; ++i)
                sum += s[i].value - 0.01 * i;
            EXPECT_NEAR(sum, 0.0, period * 0.005 + 1e-9) << from;
        }
    }
}

// python3: seed 5, a + b i = 10 + i over twelve rows (spread 11, tenths),
// period 4, noise 0.5, seasonal 0.3: the pattern takes three draws, each
// row one more.
TEST(StatTimeSeries, SeasonalPatternAndNoiseDrawInOrder) {
    Series s;
    CrtSrand(5);
    s.column->GenerateTimeSeries(4, 10, 1, 0, 1, 0.5, 0.3, 12);
    const double expected[] = {4.5, 17.5, 12.4, 17.3, 7.6, 21.4, 16.5, 18.8, 13.0, 23.6, 18.5, 22.1};
    for (int i = 0; i < 12; ++i)
        EXPECT_NEAR(s[i].value, expected[i], 1e-9) << i;
    EXPECT_EQ(CrtRand(), 4307);

    // Through the formula the same numbers come out, and the rows after n
    // are empty.
    CrtSrand(5);
    Sheet sheet;
    ExpectRows(sheet.Fill("TSDGEN(4,10,1,0,1,0.5,0.3,7,12)"),
               std::vector<double>(std::begin(expected), std::end(expected)));
}

TEST(StatTimeSeries, RowsWithoutATrendValueStayEmpty) {
    struct Case {
        int model;
        double b;
        double row1, row2, row4; // python3
    };
    const Case cases[] = {
        {7, 2, 3.0, 2.0, 1.5},    // 1 + 2 / i
        {5, 2, 1.0, 2.4, 3.8},    // 1 + 2 ln i, no ln 0
        {3, -1, 1.0, 0.5, 0.25},  // 1 i^-1, no 0^-1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        Series s;
        s[0] = {42, 1, QStringLiteral("kept")};
        CrtSrand(2);
        s.column->GenerateTimeSeries(3, 1, c.b, 0, c.model, 0, 0, 5);
        EXPECT_EQ(s[0].value, E);
        EXPECT_EQ(s[0].count, 0);
        EXPECT_EQ(s[0].text, QStringLiteral("kept"));
        EXPECT_NEAR(s[1].value, c.row1, 1e-9);
        EXPECT_NEAR(s[2].value, c.row2, 1e-9);
        EXPECT_NEAR(s[4].value, c.row4, 1e-9);
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(std::isfinite(s[i].value));
        // Two pattern draws and one for each of the four rows with a value.
        CrtSrand(2);
        for (int k = 0; k < 6; ++k)
            CrtRand();
        const int seventh = CrtRand();
        CrtSrand(2);
        s.column->GenerateTimeSeries(3, 1, c.b, 0, c.model, 0, 0, 5);
        EXPECT_EQ(CrtRand(), seventh);
    }
}

TEST(StatTimeSeries, LimitsKeepToTheColumn) {
    Series s;
    s[0] = {42, 1, {}};
    for (int period : {0, -3, 501}) {
        CrtSrand(1);
        s.column->GenerateTimeSeries(period, 1, 1, 0, 1, 1, 1, 10);
        EXPECT_EQ(s[0].value, 42.0);
    }
    // A row count beyond the column fills the column.
    CrtSrand(1);
    s.column->GenerateTimeSeries(500, 0, 1, 0, 1, 1, 1, 100000);
    for (int i = 0; i < Rows; ++i)
        ASSERT_EQ(s[i].count, 1) << i;
    // Another model keeps the values; an empty row stays empty.
    Series t;
    t[0] = {7.043, 1, {}};
    CrtSrand(1);
    t.column->GenerateTimeSeries(1, 1, 1, 0, 9, 0, 0, 3);
    EXPECT_NEAR(t[0].value, 7.04, 1e-12); // spread 0: hundredths
    EXPECT_EQ(t[1].value, E);
    EXPECT_EQ(t[1].count, 0);
}

// ---- Random two-variable data ----

TEST(StatGenerators, BiDataGenFillsXHereAndYInItsColumn) {
    CrtSrand(21);
    Sheet s;
    const auto cells = s.Fill("BIDATAGEN(B,0,10,1,2,0,1,0.9,50)", A);

    // The same draws straight into two columns.
    auto fit = std::make_unique<QvStatFit>();
    auto x = std::make_unique<QvStatColumn>();
    auto y = std::make_unique<QvStatColumn>();
    CrtSrand(21);
    fit->GenerateBivariate(0, 10, 1, 2, 0, QvStatFit::Linear, 0.9, 50, *x, *y);
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(cells[size_t(i)].value, x->cells[size_t(i)].value) << i;
        ASSERT_EQ(cells[size_t(i)].count, 1) << i;
        ASSERT_EQ(s[B].cells[size_t(i)].value, y->cells[size_t(i)].value) << i;
        ASSERT_EQ(s[B].cells[size_t(i)].count, 1) << i;
        ASSERT_GE(cells[size_t(i)].value, 0.0);
        ASSERT_LE(cells[size_t(i)].value, 10.0);
    }
    for (int i = 50; i < Rows; ++i) {
        ASSERT_EQ(cells[size_t(i)].value, E);
        ASSERT_EQ(s[B].cells[size_t(i)].value, E);
    }
    fit->SetData(s.data.get());
    QvStatFitResult r;
    fit->Calc(r, A, B, QvStatFit::Linear);
    EXPECT_NEAR(r.cOrR, 0.9, 0.01);

    // More than the column holds gives a full column.
    CrtSrand(21);
    Sheet big;
    EXPECT_EQ(Filled(big.Fill("BIDATAGEN(B,0,10,1,2,0,1,0.9,5000)", A)).size(), size_t(Rows));
}

TEST(StatGenerators, RefusedBiDataGenFillsNothing) {
    for (const char* text : {"BIDATAGEN(B,10,10,1,2,0,1,0.9,50)", "BIDATAGEN(B,0,10,0,0,0,1,0.9,50)",
                             "BIDATAGEN(B,0,10,1,2,0,1,0,50)", "BIDATAGEN(B,0,10,1,2,0,1,1.5,50)",
                             "BIDATAGEN(B,0,10,1,2,0,1,0.9,0)", "BIDATAGEN(B,0,10,1,2,0,8,0.9,50)",
                             "BIDATAGEN(5,0,10,1,2,0,1,0.9,50)", "BIDATAGEN(@,0,10,1,2,0,1,0.9,50)",
                             "BIDATAGEN(B+1,0,10,1,2,0,1,0.9,50)"}) {
        SCOPED_TRACE(text);
        Sheet s;
        FillValues(s[B], {3, 1, 4});
        CrtSrand(1);
        ExpectRows(s.Fill(text, A), {});
        EXPECT_EQ(s[B].cells[0].value, 3.0);
        EXPECT_EQ(s[B].cells[2].value, 4.0);
        EXPECT_EQ(s[B].cells[3].value, E);
        EXPECT_EQ(s.data->columns[QvStatData::RowNumberColumn].cells[0].value, 1.0);
        CrtSrand(1);
        const int first = CrtRand();
        CrtSrand(1);
        s.Fill(text, A);
        EXPECT_EQ(CrtRand(), first); // nothing drawn
    }
}

} // namespace
