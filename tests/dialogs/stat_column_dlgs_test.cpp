// The data grid's dialogs: Column Formula's preview and the form it hands
// back, Column Title, and the Bivariate Data Generator's regression list.
#include "common/test_support.h"
#include "dialogs/stat_column_dlgs.h"
#include "graph_dialog_test_support.h"
#include "settings/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

class StatColumnDialogs : public ::testing::Test {
protected:
    void SetUp() override { TheSettings().Load(); }
    void TearDown() override { SetModalDialogHandler({}); }
};

TEST_F(StatColumnDialogs, RegressionListPositionsAndModelsMatchBothWays) {
    const int pairs[][2] = {{1, 0}, {2, 1}, {4, 2}, {5, 3}, {3, 4}, {7, 5}, {6, 6}};
    for (const auto& [model, position] : pairs) {
        EXPECT_EQ(CBivariateDataDlg::PositionOfModel(model), position) << model;
        EXPECT_EQ(CBivariateDataDlg::ModelAtPosition(position), model) << position;
    }
}

TEST_F(StatColumnDialogs, BivariateOpensOnTheModelAndOnlyQuadraticTakesC) {
    CBivariateDataDlg dlg;
    dlg.m_nModel = 3;
    SetModalDialogHandler([](CDialog& d) {
        auto& b = dynamic_cast<CBivariateDataDlg&>(d);
        EXPECT_EQ(b.m_comboRegression->count(), 7);
        EXPECT_EQ(b.m_comboRegression->currentText(),
                  QStringLiteral("y = a.x^b              (Power)"));
        EXPECT_FALSE(b.m_editC->isEnabled());
        EXPECT_EQ(b.m_comboX->currentText(), QStringLiteral("A"));
        EXPECT_EQ(b.m_comboY->currentText(), QStringLiteral("B"));
        EXPECT_EQ(b.m_comboX->count(), 26);
        EXPECT_EQ(b.m_editHighX->text(), QStringLiteral("50"));
        for (int position = 0; position < 7; ++position) {
            b.m_comboRegression->setCurrentIndex(position);
            EXPECT_EQ(b.m_editC->isEnabled(), position == 1) << position;
            EXPECT_EQ(b.m_nModel, CBivariateDataDlg::ModelAtPosition(position));
        }
        b.m_comboRegression->setCurrentIndex(1);
        EXPECT_EQ(b.m_comboRegression->currentText(),
                  QStringLiteral("y = a + bx + cx^2 (Quadratic)"));
        b.m_editA->setText(QStringLiteral("2.5"));
        b.m_comboX->setCurrentIndex(3);
        b.m_comboY->setCurrentIndex(4);
        b.OnOK();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nModel, 2);
    EXPECT_EQ(dlg.m_nXDestination, 3);
    EXPECT_EQ(dlg.m_strYDestination, QStringLiteral("E"));
    EXPECT_EQ(dlg.m_strA, QStringLiteral("2.5"));
}

TEST_F(StatColumnDialogs, BivariateRefusesTheSameColumnForXAndY) {
    MessageRecorder messages;
    CBivariateDataDlg dlg;
    SetModalDialogHandler([](CDialog& d) {
        auto& b = dynamic_cast<CBivariateDataDlg&>(d);
        b.m_comboY->setCurrentIndex(0);
        b.OnOK();
        EXPECT_EQ(b.ModalResult(), -1);
        b.m_comboY->setCurrentIndex(2);
        b.OnOK();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              QStringLiteral("The x data and the y data must go into different columns."));
    EXPECT_EQ(dlg.m_nXDestination, 0);
    EXPECT_EQ(dlg.m_strYDestination, QStringLiteral("C"));
}

TEST_F(StatColumnDialogs, ColumnFormulaPreviewsInCapitalsAndConvertsOnOk) {
    CColumnFormulaDlg dlg;
    dlg.m_strCaption = QStringLiteral("B =");
    dlg.m_nFormulaColumn = 1;
    SetModalDialogHandler([](CDialog& d) {
        auto& f = dynamic_cast<CColumnFormulaDlg&>(d);
        EXPECT_TRUE(f.m_checkFormulaColumn->isChecked());
        EXPECT_EQ(f.m_staticCaption->text(), QStringLiteral("B ="));
        f.m_editFormula->setText(QStringLiteral("sum(a)"));
        EXPECT_EQ(f.PreviewText(), QStringLiteral("B = SUM(A)"));
        EXPECT_TRUE(f.m_bChanged);
        // Confirmed before the preview is drawn again.
        f.OnOK();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strFormula, QStringLiteral("sum(a)"));
    // SUM is no function of the column formulas: S times U times M times A.
    EXPECT_EQ(dlg.m_strEvaluable, QStringLiteral("s*u*m*(a)"));
    EXPECT_EQ(dlg.m_nFormulaColumn, 1);
    // Function names in any case, products written out.
    const char* forms[][2] = {{"2a+rankA(a)", "2*a+(ranka(a))"},
                              {"2A+RANKA(A)", "2*a+(ranka(a))"},
                              {"sqrt(a)/2", "((sqrt(a))/(2))"},
                              {"randnormal(50,10,30)", "(randnormal(50,10,30))"}};
    for (const auto& [typed, evaluable] : forms)
        EXPECT_EQ(CColumnFormulaDlg::EvaluableText(QString::fromLatin1(typed)),
                  QString::fromLatin1(evaluable));
}

TEST_F(StatColumnDialogs, ColumnFormulaRefusesWhatFormulasCannotReadAndStaysOpen) {
    MessageRecorder messages;
    CColumnFormulaDlg dlg;
    SetModalDialogHandler([](CDialog& d) {
        auto& f = dynamic_cast<CColumnFormulaDlg&>(d);
        for (const char* text : {"a>b", "a+#"}) {
            f.m_editFormula->setText(QString::fromLatin1(text));
            f.OnOK();
            EXPECT_EQ(f.ModalResult(), -1) << text;
        }
        f.m_editFormula->setText(QString());
        f.OnOK();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0].text,
              QStringLiteral("The formula cannot be worked out: \">\" is not understood here."));
    EXPECT_EQ(messages.messages[1].text,
              QStringLiteral("The formula cannot be worked out: \"#\" is not understood here."));
    // An empty formula is taken: the grid then fills nothing.
    EXPECT_EQ(dlg.m_strEvaluable, QString());
}

TEST_F(StatColumnDialogs, ColumnTitleEditsTheName) {
    CColumnTitleDlg dlg;
    dlg.m_strTitle = QStringLiteral("Height");
    SetModalDialogHandler([](CDialog& d) {
        auto& t = dynamic_cast<CColumnTitleDlg&>(d);
        EXPECT_EQ(t.m_editTitle->text(), QStringLiteral("Height"));
        t.m_editTitle->setText(QStringLiteral("Weight"));
        t.OnOK();
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strTitle, QStringLiteral("Weight"));
}

TEST_F(StatColumnDialogs, DialogsDrawTheirControlsAndThePreview) {
    CColumnFormulaDlg formula;
    formula.m_strCaption = QStringLiteral("B =");
    formula.OnInitDialog();
    formula.m_editFormula->setText(QStringLiteral("sqrt(a)/2+rankd(c)"));
    const QImage picture = Picture(formula, QStringLiteral("column_formula"));
    EXPECT_GT(InkIn(picture, formula.m_preview, &formula), 100);

    CColumnTitleDlg title;
    title.m_strTitle = QStringLiteral("Height");
    title.OnInitDialog();
    EXPECT_FALSE(Picture(title, QStringLiteral("column_title")).isNull());

    CBivariateDataDlg bivariate;
    bivariate.m_nModel = 2;
    bivariate.OnInitDialog();
    const QImage bi = Picture(bivariate, QStringLiteral("bivariate_data"));
    EXPECT_GT(InkIn(bi, bivariate.m_comboRegression, &bivariate), 50);
    EXPECT_TRUE(bivariate.m_editC->isEnabled());
}

} // namespace
