// The data generators of the statistics graph dialog: the formulas their
// pages and dialogs make, byte for byte, and what the dialog's buttons fill
// into the grid with them.
#include "dialogs/data_generator_dlgs.h"
#include "dialogs/stat_column_dlgs.h"
#include "dialogs/stat_data_grid.h"
#include "dialogs/stat_graph_dlg.h"
#include "graph_dialog_test_support.h"
#include "platform/crt_random.h"
#include "settings/settings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

constexpr double E = QvStatEmpty;
const QString kZeros(38, u'0');

// The equation settings' decimal mark for the lifetime of the object.
class DecimalMark {
public:
    explicit DecimalMark(char mark) : m_saved(Setting().GetValue()) { Setting().SetValue(mark); }
    ~DecimalMark() { Setting().SetValue(m_saved); }

private:
    static QvSettingChar& Setting() { return TheSettings().m_EquationDefaults.DecimalPoint; }
    char m_saved;
};

// Drives the next modal dialog of type D; fails when none of that type ran.
template <class D> class Drive {
public:
    explicit Drive(std::function<void(D&)> act) {
        SetModalDialogHandler([this, act](CDialog& dialog) {
            auto* d = dynamic_cast<D*>(&dialog);
            ASSERT_NE(d, nullptr);
            ++runs;
            act(*d);
        });
    }
    ~Drive() { SetModalDialogHandler({}); }
    int runs = 0;
};

CRandomPage* Page(CPropertySheet& sheet, int index) {
    return dynamic_cast<CRandomPage*>(sheet.GetPage(index));
}

TEST(RandomGenerators, FormulaOfEveryPageWithEitherDecimalMark) {
    struct Case {
        char mark;
        int page;
        const char* formula;
    } cases[] = {
        {'.', 0, "randbetween(1,10,50)"},
        {'.', 1, "rand(50)"},
        {'.', 2, "randnormal(50,10,50)"},
        {'.', 3, "randbernoulli(0.5,50)"},
        {'.', 4, "randbinomial(10,0.5,50)"},
        {'.', 5, "randhypergeometric(5,10,5,50)"},
        {'.', 6, "randgeometric(0.5,50)"},
        {'.', 7, "randnegbinomial(5,0.5,50)"},
        {',', 0, "randbetween(1;10;50)"},
        {',', 3, "randbernoulli(0,5;50)"},
        {',', 4, "randbinomial(10;0,5;50)"},
        {',', 5, "randhypergeometric(5;10;5;50)"},
        {',', 7, "randnegbinomial(5;0,5;50)"},
    };
    const QStringList captions = {"Integers", "Uniform",        "Normal",    "Bernoulli",
                                  "Binomial", "HyperGeometric", "Geometric", "Negative Binomial"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        const DecimalMark mark(c.mark);
        CRandomPages pages;
        CRandomPage* page = pages.All()[size_t(c.page)];
        EXPECT_EQ(page->Caption(), captions[c.page]);
        EXPECT_EQ(page->Formula(QvListSeparator(c.mark)), QString::fromLatin1(c.formula));
    }
}

// The hypergeometric sentence shows chosen, total, successes; the formula
// takes them in that order whatever the user typed where.
TEST(RandomGenerators, FieldsGoInAsTypedCountLast) {
    CRandomPages pages;
    pages.hyperGeometric.m_strChosen = QStringLiteral("3");
    pages.hyperGeometric.m_strTotal = QStringLiteral("20");
    pages.hyperGeometric.m_strSuccesses = QStringLiteral("7");
    pages.hyperGeometric.m_strCount = QStringLiteral("12");
    EXPECT_EQ(pages.hyperGeometric.Formula(u','), QStringLiteral("randhypergeometric(3,20,7,12)"));
    pages.bernoulli.m_strProbability.clear();
    EXPECT_EQ(pages.bernoulli.Formula(u';'), QStringLiteral("randbernoulli(;50)"));
    pages.normal.m_strMean = QStringLiteral("abc");
    EXPECT_EQ(pages.normal.Formula(u','), QStringLiteral("randnormal(abc,10,50)"));
}

// The sheet as the user meets it: eight tabs in order, each page showing
// column A and its default texts; the page shown at OK is the one used.
TEST(RandomGenerators, ThePageShownAtOkWins) {
    const DecimalMark mark('.');
    int column = -1;
    QString formula;
    {
        Drive<CPropertySheet> drive([](CPropertySheet& sheet) {
            EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Random Number Generators"));
            ASSERT_EQ(sheet.GetPageCount(), 8);
            EXPECT_EQ(sheet.TabWidget()->tabText(7), QStringLiteral("Negative Binomial"));
            EXPECT_EQ(sheet.GetActiveIndex(), 0);
            EXPECT_EQ(Page(sheet, 0)->m_comboColumn->currentText(), QStringLiteral("A"));
            EXPECT_EQ(Page(sheet, 0)->m_comboColumn->count(), 26);
            // Texts typed on a page left behind are not used.
            ASSERT_TRUE(sheet.SetActivePage(2));
            auto* normal = dynamic_cast<CRandNormal*>(Page(sheet, 2));
            normal->EditOf(normal->m_strMean)->setText(QStringLiteral("7"));
            ASSERT_TRUE(sheet.SetActivePage(3));
            auto* bernoulli = dynamic_cast<CRandBernoulli*>(Page(sheet, 3));
            EXPECT_EQ(bernoulli->EditOf(bernoulli->m_strProbability)->text(), u"0.5");
            bernoulli->EditOf(bernoulli->m_strProbability)->setText(QStringLiteral("0.25"));
            bernoulli->EditOf(bernoulli->m_strCount)->setText(QStringLiteral("20"));
            bernoulli->m_comboColumn->setCurrentIndex(2);
            sheet.OnOK();
        });
        ASSERT_TRUE(RunRandomGenerators(nullptr, column, formula));
        EXPECT_EQ(drive.runs, 1);
    }
    EXPECT_EQ(column, 2);
    EXPECT_EQ(formula, QStringLiteral("randbernoulli(0.25,20)"));

    // Back on the first page; a list showing no column writes into A.
    {
        Drive<CPropertySheet> drive([](CPropertySheet& sheet) {
            sheet.SetActivePage(5);
            sheet.SetActivePage(0);
            Page(sheet, 0)->m_comboColumn->setCurrentIndex(-1);
            sheet.OnOK();
        });
        ASSERT_TRUE(RunRandomGenerators(nullptr, column, formula));
    }
    EXPECT_EQ(column, 0);
    EXPECT_EQ(formula, QStringLiteral("randbetween(1,10,50)"));

    Drive<CPropertySheet> cancel([](CPropertySheet& sheet) { sheet.OnCancel(); });
    EXPECT_FALSE(RunRandomGenerators(nullptr, column, formula));
}

TEST(TimeSeriesGenerator, FormulaFromDefaultsSlidersAndMark) {
    struct Case {
        char mark;
        int volatility, noise; // 0: left where it starts
        const char* start;
        const char* fractions; // noise then volatility
    } cases[] = {
        {'.', 0, 0, "tsdgen(4,10,0.1,0,1,", "0.5,0.5,"},
        {'.', 100, 1, "tsdgen(4,10,0.1,0,1,", "0.01,1,"},
        {'.', 7, 100, "tsdgen(4,10,0.1,0,1,", "1,0.07,"},
        {',', 0, 0, "tsdgen(4;10;0,1;0;1;", "0,5;0,5;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + c.fractions);
        const DecimalMark mark(c.mark);
        Drive<CTimeSeriesDlg> drive([&](CTimeSeriesDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Time Series Data Generator"));
            EXPECT_EQ(dlg.m_sliderNoise->minimum(), 1);
            EXPECT_EQ(dlg.m_sliderNoise->maximum(), 100);
            EXPECT_EQ(dlg.m_sliderVolatility->value(), 50);
            EXPECT_EQ(dlg.m_comboColumn->currentText(), QStringLiteral("A"));
            if (c.volatility)
                dlg.m_sliderVolatility->setValue(c.volatility);
            if (c.noise)
                dlg.m_sliderNoise->setValue(c.noise);
            dlg.OnOK();
        });
        int column = -1;
        QString formula;
        ASSERT_TRUE(RunTimeSeriesGenerator(nullptr, 1, column, formula));
        EXPECT_EQ(column, 0);
        const QChar sep = QvListSeparator(c.mark);
        EXPECT_EQ(formula, QString::fromLatin1(c.start) + QString::fromLatin1(c.fractions) +
                               kZeros + sep + QStringLiteral("30)"));
    }
}

// The model shown first is the stored fit's; c is open only for the
// quadratic entry; a model the list lacks shows no entry and goes into the
// formula as its number, or empty beyond 10.
TEST(TimeSeriesGenerator, EquationListAndTheEditOfC) {
    struct Case {
        int model, entry;
        bool cOpen;
        const char* modelText;
    } cases[] = {{1, 0, false, "1"}, {2, 1, true, "2"},   {3, 4, false, "3"},
                 {6, 6, false, "6"}, {7, 5, false, "7"},  {0, -1, false, "0"},
                 {11, -1, false, ""}, {-1, -1, false, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        CTimeSeriesDlg dlg;
        dlg.m_nModel = c.model;
        dlg.OnInitDialog();
        EXPECT_EQ(dlg.m_comboEquation->currentIndex(), c.entry);
        EXPECT_EQ(dlg.m_editC->isEnabled(), c.cOpen);
        EXPECT_EQ(QvModelText(dlg.m_nModel), QString::fromLatin1(c.modelText));
    }
    CTimeSeriesDlg dlg;
    dlg.m_nModel = 1;
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.m_comboEquation->itemText(1), QStringLiteral("y = a + bx + cx^2 (Quadratic)"));
    for (const auto& [entry, model, open] : {std::tuple{1, 2, true}, std::tuple{2, 4, false},
                                             std::tuple{5, 7, false}, std::tuple{1, 2, true},
                                             std::tuple{6, 6, false}}) {
        dlg.m_comboEquation->setCurrentIndex(entry);
        emit dlg.m_comboEquation->activated(entry);
        EXPECT_EQ(dlg.m_nModel, model);
        EXPECT_EQ(dlg.m_editC->isEnabled(), open);
    }
    // Its text goes in whatever the model.
    dlg.m_strC = QStringLiteral("3");
    dlg.m_nNoise = dlg.m_nVolatility = 50;
    EXPECT_TRUE(dlg.Formula('.').startsWith(QStringLiteral("tsdgen(,,,3,6,0.5,0.5,")));
    dlg.m_comboColumn->setCurrentIndex(-1);
    dlg.OnOK();
    EXPECT_EQ(dlg.m_nColumn, 0);
}

TEST(BivariateGenerator, FormulaGoesIntoTheXColumn) {
    struct Case {
        char mark;
        int model, x, y;
        const char* formula;
    } cases[] = {
        {'.', 1, 0, 1, "bidatagen(B,0,50,1,1,0,1,0.9,30)"},
        {',', 1, 0, 1, "bidatagen(B;0;50;1;1;0;1;0,9;30)"},
        {'.', 3, 4, 2, "bidatagen(C,0,50,1,1,0,3,0.9,30)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        const DecimalMark mark(c.mark);
        Drive<CBivariateDataDlg> drive([&](CBivariateDataDlg& dlg) {
            EXPECT_EQ(dlg.m_comboX->currentText(), QStringLiteral("A"));
            EXPECT_EQ(dlg.m_comboY->currentText(), QStringLiteral("B"));
            dlg.m_comboX->setCurrentIndex(c.x);
            dlg.m_comboY->setCurrentIndex(c.y);
            dlg.OnOK();
        });
        int column = -1;
        QString formula;
        ASSERT_TRUE(RunBivariateGenerator(nullptr, c.model, column, formula));
        EXPECT_EQ(column, c.x);
        EXPECT_EQ(formula, QString::fromLatin1(c.formula));
    }
    Drive<CBivariateDataDlg> cancel([](CBivariateDataDlg& dlg) { dlg.OnCancel(); });
    int column = -1;
    QString formula;
    EXPECT_FALSE(RunBivariateGenerator(nullptr, 1, column, formula));
}

// The statistics graph dialog's three buttons fill its grid.
class GeneratorButtonsTest : public ::testing::Test {
protected:
    void SetUp() override {
        data.properties.RegType = 1;
        dlg = std::make_unique<CStatGraphDlg>(&data);
        dlg->OnInitDialog();
    }
    const QvStatColumn& Column(int col) const {
        return dlg->Data().columns[size_t(col)];
    }
    // The rows of a column up to its first empty one.
    int Filled(int col) const {
        int n = 0;
        while (n < 500 && Column(col).cells[size_t(n)].value != E)
            ++n;
        return n;
    }

    DecimalMark mark{'.'};
    QvStatData data;
    std::unique_ptr<CStatGraphDlg> dlg;
};

// After CrtSrand(1) the generator gives 41, 18467, 6334, 26500, 19169;
// randbetween(1,10,50) makes floor(10 * rand / 32767 + 1) of each draw.
TEST_F(GeneratorButtonsTest, RandomOkOnTheFirstPageFillsColumnAWithIntegers) {
    ASSERT_TRUE(dlg->m_buttonRandom->isEnabled());
    CrtSrand(1);
    EXPECT_EQ(CrtRand(), 41);
    EXPECT_EQ(CrtRand(), 18467);
    EXPECT_EQ(CrtRand(), 6334);
    EXPECT_EQ(CrtRand(), 26500);
    EXPECT_EQ(CrtRand(), 19169);

    CrtSrand(1);
    {
        Drive<CPropertySheet> cancel([](CPropertySheet& sheet) { sheet.OnCancel(); });
        dlg->m_buttonRandom->click();
        EXPECT_EQ(cancel.runs, 1);
    }
    EXPECT_EQ(Filled(0), 0);
    EXPECT_EQ(CrtRand(), 41); // Cancel drew nothing

    CrtSrand(1);
    {
        Drive<CPropertySheet> ok([](CPropertySheet& sheet) { sheet.OnOK(); });
        dlg->m_buttonRandom->click();
        EXPECT_EQ(ok.runs, 1);
    }
    const double first[] = {1, 6, 2, 9, 6};
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(Column(0).cells[size_t(r)].value, first[r]) << r;
    EXPECT_EQ(Filled(0), 50);
    for (int r = 0; r < 50; ++r) {
        const double v = Column(0).cells[size_t(r)].value;
        EXPECT_TRUE(v >= 1 && v <= 10 && v == std::floor(v)) << r << ": " << v;
    }
    EXPECT_EQ(Column(0).type, QvStatColumn::Data);
    EXPECT_EQ(Filled(1), 0);
    // The grid shows them.
    EXPECT_EQ(dlg->m_grid->GridText(2, 1), QStringLiteral("1"));
    EXPECT_EQ(dlg->m_grid->GridText(5, 1), QStringLiteral("9"));
}

// Generated data put into a formula column stays: the column becomes a
// data column rather than having its old formula written over the data.
TEST_F(GeneratorButtonsTest, GeneratedDataReplacesAFormulaColumnsFormula) {
    data.columns[2].type = QvStatColumn::Formula;
    data.columns[2].formula = QStringLiteral("A+7");
    dlg = std::make_unique<CStatGraphDlg>(&data);
    dlg->OnInitDialog();
    CrtSrand(1);
    Drive<CPropertySheet> ok([](CPropertySheet& sheet) {
        Page(sheet, 0)->m_comboColumn->setCurrentIndex(2);
        sheet.OnOK();
    });
    dlg->m_buttonRandom->click();
    EXPECT_EQ(Column(2).cells[0].value, 1.0);
    EXPECT_EQ(Column(2).cells[3].value, 9.0);
    EXPECT_EQ(Column(2).type, QvStatColumn::Data);
    EXPECT_EQ(Filled(2), 50);
}

// With a decimal comma the formulas the buttons make still fill the grid.
TEST_F(GeneratorButtonsTest, DecimalCommaFormulasFill) {
    const DecimalMark comma(',');
    {
        Drive<CPropertySheet> ok([](CPropertySheet& sheet) {
            sheet.SetActivePage(3); // Bernoulli, 0,5
            sheet.OnOK();
        });
        dlg->m_buttonRandom->click();
    }
    EXPECT_EQ(Filled(0), 50);
    for (int r = 0; r < 50; ++r) {
        const double v = Column(0).cells[size_t(r)].value;
        EXPECT_TRUE(v == 0 || v == 1) << r << ": " << v;
    }
    {
        Drive<CTimeSeriesDlg> ok([](CTimeSeriesDlg& ts) {
            ts.m_comboColumn->setCurrentIndex(2);
            ts.OnOK();
        });
        dlg->m_buttonTimeSeries->click();
    }
    EXPECT_EQ(Filled(2), 30);
    {
        Drive<CBivariateDataDlg> ok([](CBivariateDataDlg& b) {
            b.m_comboX->setCurrentIndex(4);
            b.m_comboY->setCurrentIndex(5);
            b.OnOK();
        });
        dlg->m_buttonBivariate->click();
    }
    EXPECT_EQ(Filled(4), 30);
    EXPECT_EQ(Filled(5), 30);
}

TEST_F(GeneratorButtonsTest, TimeSeriesLeavesTheReportsFitAlone) {
    ASSERT_TRUE(dlg->m_buttonTimeSeries->isEnabled());
    data.properties.RegType = 2;
    dlg = std::make_unique<CStatGraphDlg>(&data);
    dlg->OnInitDialog();
    {
        Drive<CTimeSeriesDlg> drive([](CTimeSeriesDlg& ts) {
            EXPECT_EQ(ts.m_nModel, 2);
            EXPECT_TRUE(ts.m_editC->isEnabled());
            ts.m_comboEquation->setCurrentIndex(0);
            emit ts.m_comboEquation->activated(0);
            ts.m_comboColumn->setCurrentIndex(3);
            ts.OnOK();
        });
        dlg->m_buttonTimeSeries->click();
        EXPECT_EQ(drive.runs, 1);
    }
    EXPECT_EQ(dlg->Data().properties.RegType, 2);
    EXPECT_EQ(Filled(3), 30);
    EXPECT_EQ(Filled(0), 0);
}

TEST_F(GeneratorButtonsTest, BivariateFillsXAndYColumns) {
    ASSERT_TRUE(dlg->m_buttonBivariate->isEnabled());
    {
        Drive<CBivariateDataDlg> cancel([](CBivariateDataDlg& b) { b.OnCancel(); });
        dlg->m_buttonBivariate->click();
    }
    EXPECT_EQ(Filled(0), 0);
    {
        Drive<CBivariateDataDlg> drive([](CBivariateDataDlg& b) { b.OnOK(); });
        dlg->m_buttonBivariate->click();
        EXPECT_EQ(drive.runs, 1);
    }
    EXPECT_EQ(Filled(0), 30);
    EXPECT_EQ(Filled(1), 30);
    for (int r = 0; r < 30; ++r) {
        const double x = Column(0).cells[size_t(r)].value;
        EXPECT_TRUE(x >= 0 && x <= 51) << r << ": " << x;
    }
}

// Pictures of the generator dialogs as their launchers open them, for a look.
TEST(DataGeneratorPictures, DialogsShowTheirControls) {
    const DecimalMark mark('.');
    int column = 0;
    QString formula;
    {
        Drive<CPropertySheet> drive([](CPropertySheet& sheet) {
            for (int i : {0, 5, 7}) {
                sheet.SetActivePage(i);
                const QImage picture =
                    Picture(sheet, QStringLiteral("random_generators_%1").arg(i));
                EXPECT_GT(InkIn(picture, sheet.GetPage(i), &sheet), 300) << i;
                // Every tab is in sight.
                const QRect last = sheet.TabWidget()->tabBar()->tabRect(7);
                EXPECT_LE(last.right(), sheet.TabWidget()->width()) << i;
            }
        });
        RunRandomGenerators(nullptr, column, formula);
    }
    {
        Drive<CTimeSeriesDlg> drive([](CTimeSeriesDlg& ts) {
            const QImage picture = Picture(ts, QStringLiteral("time_series_generator"));
            EXPECT_GT(InkIn(picture, ts.m_comboEquation, &ts), 100);
            EXPECT_GT(InkIn(picture, ts.m_editPoints, &ts), 20);
        });
        RunTimeSeriesGenerator(nullptr, 2, column, formula);
    }
    Drive<CBivariateDataDlg> drive([](CBivariateDataDlg& b) {
        const QImage picture = Picture(b, QStringLiteral("bivariate_generator"));
        EXPECT_GT(InkIn(picture, b.m_editTargetR, &b), 20);
    });
    RunBivariateGenerator(nullptr, 1, column, formula);
}

} // namespace
