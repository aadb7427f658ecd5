// What the line, scatter and residuals graphs plot, in values: the formula
// texts of their computed curves, the curves those give, their series and
// pairs and the limits handed to the frame.
#include "settings/settings.h"
#include "statgraphs/stat_xy_graphs.h"
#include "statistics/stat_data.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr double E = QvStatEmpty;

struct XYFixture : ::testing::Test {
    XYFixture() : data(std::make_unique<QvStatData>()) {
        for (int c = 0; c < QvStatData::Lettered; ++c)
            data->columns[size_t(c)].symbol = QString(QChar(u'A' + c));
    }
    QvStatProperties& p() { return data->properties; }
    QvStatColumn& col(int i) { return data->columns[size_t(i)]; }
    // Values from row `from`; E leaves a cell empty.
    void Values(int c, const std::vector<double>& values, int from = 0) {
        col(c).Clear();
        for (size_t i = 0; i < values.size(); ++i)
            if (values[i] != E)
                col(c).cells[i + size_t(from)] = {values[i], 1, QString::number(values[i])};
        col(c).MarkDirty();
    }
    void Slots(std::initializer_list<int> used) {
        p().dc.fill(-1);
        size_t i = 0;
        for (int c : used)
            p().dc[i++] = c;
    }
    std::unique_ptr<QvStatData> data;
};

// Sets the equation settings' decimal point for one test.
struct DecimalPoint {
    explicit DecimalPoint(char mark) : setting(TheSettings().m_EquationDefaults.DecimalPoint) {
        before = setting.GetValue();
        setting.SetValue(mark);
    }
    ~DecimalPoint() { setting.SetValue(before); }
    QvSettingChar& setting;
    char before;
};

TEST(XYGraphFormulas, CurveTextsFollowTheOptionsAndTheSeparator) {
    struct Row {
        int smoothing;
        int cycle;
        int model;
        char separator;
        const char* text;
    };
    const Row rows[] = {
        {QvSmoothMovingAverage, 4, 1, ',', "(mpa(A,4))"},
        {QvSmoothSeasonalised, 4, 1, ',', "(seasonalise(A,4))"},
        {QvSmoothPredicted, 4, 1, ',', "(predicty(@,A,1))"},
        {QvSmoothPredicted, 0, 6, ',', "(predicty(@,A,6))"},
        {QvSmoothMovingAverage, 4, 1, ';', "(mpa(A;4))"},
        {QvSmoothPredicted, 4, 2, ';', "(predicty(@;A;2))"},
        // Nothing to draw: no smoothing or an unknown one, a moving average
        // over no rows, a cycle without seasons.
        {QvSmoothNone, 4, 1, ',', ""},
        {4, 4, 1, ',', ""},
        {-1, 4, 1, ',', ""},
        {QvSmoothMovingAverage, 0, 1, ',', ""},
        {QvSmoothMovingAverage, 1, 1, ',', "(mpa(A,1))"},
        {QvSmoothSeasonalised, 1, 1, ',', ""},
        {QvSmoothSeasonalised, 0, 1, ',', ""},
        {QvSmoothSeasonalised, 2, 1, ',', "(seasonalise(A,2))"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(QvLineCurveFormula(r.smoothing, QStringLiteral("A"), r.cycle, r.model,
                                     QChar(r.separator)),
                  QString::fromLatin1(r.text));
    }
    EXPECT_EQ(QvResidualFormula({}, QStringLiteral("A"), 1, QChar(',')),
              QStringLiteral("(residualy(@,A,1))"));
    EXPECT_EQ(QvResidualFormula(QStringLiteral("A"), QStringLiteral("B"), 1, QChar(',')),
              QStringLiteral("(residualy(A,B,1))"));
    EXPECT_EQ(QvResidualFormula(QStringLiteral("A"), QStringLiteral("B"), 7, QChar(';')),
              QStringLiteral("(residualy(A;B;7))"));
}

TEST_F(XYFixture, AColumnWithoutSymbolIsReadByItsLetter) {
    col(2).symbol.clear();
    EXPECT_EQ(QvStatFormulaName(*data, 2), QStringLiteral("C"));
    col(3).symbol = QStringLiteral("x");
    EXPECT_EQ(QvStatFormulaName(*data, 3), QStringLiteral("x"));
    EXPECT_EQ(QvStatFormulaName(*data, QvStatData::RowNumberColumn), QStringLiteral("Row"));
    data->columns[QvStatData::RowNumberColumn].symbol.clear();
    EXPECT_EQ(QvStatFormulaName(*data, QvStatData::RowNumberColumn), QStringLiteral("@"));
}

// 3, 5, 4, 6, 8, 7, 9, 11 averaged over 3 centred rows (worked by hand;
// pandas rolling(3, center=True).mean() agrees): 4 5 6 7 8 9 at rows 1-6.
// The same text with the comma separator evaluates the same under a
// decimal comma.
TEST_F(XYFixture, MovingAverageCurveUnderEitherDecimalMark) {
    Values(0, {3, 5, 4, 6, 8, 7, 9, 11});
    for (char mark : {'.', ','}) {
        SCOPED_TRACE(mark);
        DecimalPoint point(mark);
        const QString text = QvLineCurveFormula(QvSmoothMovingAverage, QStringLiteral("A"), 3, 1,
                                                QChar(mark == '.' ? ',' : ';'));
        QvStatColumn curve;
        QvEvaluateCurve(*data, text, curve);
        EXPECT_EQ(curve.cells[0].value, E);
        const double want[] = {4, 5, 6, 7, 8, 9};
        for (int r = 1; r <= 6; ++r)
            EXPECT_NEAR(curve.cells[size_t(r)].value, want[r - 1], 1e-12) << r;
        EXPECT_EQ(curve.cells[7].value, E);
        EXPECT_EQ(curve.cells[8].value, E);
    }
    // The separator of the other mark is not read as one: no curve, not a
    // wrong one.
    DecimalPoint point(',');
    QvStatColumn curve;
    QvEvaluateCurve(*data, QStringLiteral("(mpa(A,3))"), curve);
    for (const QvStatCell& cell : curve.cells)
        ASSERT_EQ(cell.value, E);
}

// The predicted curve is the fit of the column on the row number: x 1-5,
// y 2.1, 3.9, 6.2, 7.8, 10.1 give y = 0.05 + 1.99x (Python
// statistics.linear_regression).
TEST_F(XYFixture, PredictedCurveLiesOnTheFit) {
    Values(0, {2.1, 3.9, 6.2, 7.8, 10.1});
    QvStatColumn curve;
    QvEvaluateCurve(*data, QStringLiteral("(predicty(@,A,1))"), curve);
    for (int r = 0; r < 5; ++r)
        EXPECT_NEAR(curve.cells[size_t(r)].value, 0.05 + 1.99 * (r + 1), 1e-9) << r;
}

TEST_F(XYFixture, LineLimitsRunToTheLongestSeries) {
    Values(0, {4, 2, 7});
    Values(3, {5, E, 1, E, E, 9});
    Slots({0, 3});
    QvLinePlan plan = QvPlanLine(*data);
    EXPECT_EQ(plan.seriesCount, 2);
    EXPECT_EQ(plan.series[1], &col(3));
    EXPECT_EQ(plan.columns[1], 3);
    EXPECT_TRUE(plan.hasData);
    EXPECT_DOUBLE_EQ(plan.xmin, 0);
    EXPECT_DOUBLE_EQ(plan.xmax, 6);
    EXPECT_DOUBLE_EQ(plan.ymin, 1);
    EXPECT_DOUBLE_EQ(plan.ymax, 9);

    // A slot in between at -1 does not count: series follow the used slots.
    p().dc = {0, -1, 3, -1, -1, -1, -1, -1, -1, -1};
    plan = QvPlanLine(*data);
    EXPECT_EQ(plan.seriesCount, 2);
    EXPECT_EQ(plan.series[1], &col(3));

    // No values: 0 to 1, or the stored limits whose automatic flags are off.
    Slots({});
    plan = QvPlanLine(*data);
    EXPECT_FALSE(plan.hasData);
    EXPECT_DOUBLE_EQ(plan.xmax, 1);
    EXPECT_DOUBLE_EQ(plan.ymax, 1);
    Slots({5});
    p().AutoMaxy = 0;
    p().maxy = 40;
    plan = QvPlanLine(*data);
    EXPECT_DOUBLE_EQ(plan.xmin, 0);
    EXPECT_DOUBLE_EQ(plan.xmax, 1);
    EXPECT_DOUBLE_EQ(plan.ymin, 0);
    EXPECT_DOUBLE_EQ(plan.ymax, 40);
}

TEST_F(XYFixture, PairsAreTheUsedSlotsTwoByTwo) {
    Slots({0, 1, 2});
    QvStatPairs pairs = QvPackPairs(p(), false);
    EXPECT_EQ(pairs.count, 1);
    EXPECT_EQ(pairs.x[0], 0);
    EXPECT_EQ(pairs.y[0], 1);

    p().dc = {4, -1, 5, 6, -1, 7, -1, -1, -1, -1};
    pairs = QvPackPairs(p(), false);
    ASSERT_EQ(pairs.count, 2);
    EXPECT_EQ(pairs.x[1], 6);
    EXPECT_EQ(pairs.y[1], 7);

    Slots({3});
    EXPECT_EQ(QvPackPairs(p(), false).count, 0);
    pairs = QvPackPairs(p(), true);
    EXPECT_TRUE(pairs.singleColumn);
    ASSERT_EQ(pairs.count, 1);
    EXPECT_EQ(pairs.x[0], QvStatData::RowNumberColumn);
    EXPECT_EQ(pairs.y[0], 3);

    Slots({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(QvPackPairs(p(), true).count, 5);
}

TEST_F(XYFixture, ScatterLimits) {
    const int row = QvStatData::RowNumberColumn;
    // y in rows 1 to 12 against the row numbers: x from 1 to 13.
    Values(1, {3, 8, 1, 9, 4, 4, 7, 2, 6, 5, 3, 2});
    Slots({row, 1});
    QvXYLimits l = QvPlanScatter(*data, QvPackPairs(p(), false));
    EXPECT_DOUBLE_EQ(l.xmin, 1);
    EXPECT_DOUBLE_EQ(l.xmax, 13);
    EXPECT_DOUBLE_EQ(l.ymin, 1);
    EXPECT_DOUBLE_EQ(l.ymax, 9);

    // A second pair on the row numbers widens x to their maximum, 500.
    Values(2, {20, -4});
    Slots({row, 1, row, 2});
    l = QvPlanScatter(*data, QvPackPairs(p(), false));
    EXPECT_DOUBLE_EQ(l.xmax, 500);
    EXPECT_DOUBLE_EQ(l.ymin, -4);
    EXPECT_DOUBLE_EQ(l.ymax, 20);

    // Fewer than two columns: all 0, whatever is stored.
    Slots({1});
    p().AutoMaxx = 0;
    l = QvPlanScatter(*data, QvPackPairs(p(), false));
    EXPECT_DOUBLE_EQ(l.xmax, 0);
    // A first pair without values takes the stored limits.
    Slots({5, 6});
    p().maxx = 30;
    l = QvPlanScatter(*data, QvPackPairs(p(), false));
    EXPECT_DOUBLE_EQ(l.xmin, 0);
    EXPECT_DOUBLE_EQ(l.xmax, 30);
}

// Residuals of the linear fit y = 0.05 + 1.99x of x 1-5, y 2.1, 3.9, 6.2,
// 7.8, 10.1: 0.06, -0.13, 0.18, -0.21, 0.10 (Python: y - (a + b x) with
// statistics.linear_regression).
TEST_F(XYFixture, ResidualsOfAPairAndOfASingleColumn) {
    Values(0, {1, 2, 3, 4, 5});
    Values(1, {2.1, 3.9, 6.2, 7.8, 10.1});
    const double want[] = {0.06, -0.13, 0.18, -0.21, 0.10};
    struct Case {
        std::initializer_list<int> used;
        bool single;
        double xmax;
    };
    // The row numbers, chosen or of a single column, are 1-5 too.
    for (const Case& c : {Case{{0, 1, 2}, false, 5}, Case{{1}, true, 5},
                          Case{{QvStatData::RowNumberColumn, 1}, false, 5}}) {
        SCOPED_TRACE(c.single);
        Slots(c.used);
        QvResidualPlan plan;
        QvPlanResidual(*data, plan);
        ASSERT_EQ(plan.pairs.count, 1);
        EXPECT_EQ(plan.pairs.singleColumn, c.single);
        for (int r = 0; r < 5; ++r)
            EXPECT_NEAR(plan.residuals[0]->cells[size_t(r)].value, want[r], 1e-9) << r;
        EXPECT_EQ(plan.residuals[0]->cells[5].value, E);
        EXPECT_DOUBLE_EQ(plan.limits.xmin, 0);
        EXPECT_DOUBLE_EQ(plan.limits.xmax, c.xmax);
        EXPECT_NEAR(plan.limits.ymin, -0.21, 1e-9);
        EXPECT_NEAR(plan.limits.ymax, 0.18, 1e-9);
    }
}

// A single column with values in (0-based) rows 1 to 20: x from 0 to 21;
// the stored limits never apply, the row numbers always hold values.
TEST_F(XYFixture, SingleColumnResidualsRunToTheLastRowPlusOne) {
    std::vector<double> v;
    for (int i = 0; i < 20; ++i)
        v.push_back((i * 7) % 5 + i * 0.5);
    Values(2, v, 1);
    Slots({2});
    p().AutoMaxx = 0;
    p().maxx = 99;
    QvResidualPlan plan;
    QvPlanResidual(*data, plan);
    EXPECT_TRUE(plan.hasData);
    EXPECT_EQ(plan.last[0], 20);
    EXPECT_DOUBLE_EQ(plan.limits.xmin, 0);
    EXPECT_DOUBLE_EQ(plan.limits.xmax, 21);
    EXPECT_EQ(plan.residuals[0]->cells[0].value, E);
    EXPECT_NE(plan.residuals[0]->cells[1].value, E);
}

// A fit that fails (one pair; the reciprocal with x = 0) gives no
// residuals, not numbers of undefined coefficients.
TEST_F(XYFixture, AFailedFitHasNoResiduals) {
    Values(0, {0, 1, 2});
    Values(1, {4, 5, 7});
    Slots({0, 1});
    p().RegType = 7;
    QvResidualPlan plan;
    QvPlanResidual(*data, plan);
    for (const QvStatCell& cell : plan.residuals[0]->cells)
        ASSERT_EQ(cell.value, E);
    EXPECT_DOUBLE_EQ(plan.limits.ymin, 0);
    EXPECT_DOUBLE_EQ(plan.limits.ymax, 1);
}

} // namespace
