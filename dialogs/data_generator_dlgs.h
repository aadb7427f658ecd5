#pragma once
// The data generators of the statistics graph dialog: "Random Number
// Generators" (a page per distribution) and "Time Series Data Generator",
// with the bivariate generator's formula.  The dialogs only collect texts,
// which go into the formulas exactly as typed; the column formulas check
// and evaluate them when the grid fills the column.
#include "platform/dialog.h"

#include <QString>

#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

class CBivariateDataDlg;
class QComboBox;
class QLineEdit;
class QSlider;

// The decimal mark of the equation settings, which the generators' default
// texts and the column formulas use.
char QvGeneratorDecimalMark();
// The separator of a formula's arguments: "," after a decimal point, else ";".
QChar QvListSeparator(char decimalMark);
// A fit model as formula text: "0" to "10"; anything else is empty.
QString QvModelText(int model);

// --- Random Number Generators --------------------------------------------------------

// One page: "In column [list] generate [count]" and the distribution's
// sentence with its fields.
class CRandomPage : public CPropertyPage {
public:
    // Selects column "A".
    BOOL OnInitDialog() override;
    // Takes the list's column; none chosen is column A.
    void OnOK() override;
    // The formula of the page's texts; the count is its last argument.
    virtual QString Formula(QChar sep) const = 0;
    // The edit of one of the page's texts.
    QLineEdit* EditOf(const QString& field) const;

    int m_nColumn = 0;
    QComboBox* m_comboColumn;
    QString m_strCount = QStringLiteral("50");

protected:
    explicit CRandomPage(const QString& caption);

    // A piece of the sentence: a text, the edit of a field, or a list.
    struct Piece {
        Piece(const char* text) : text(text) {}
        Piece(QString* field) : field(field) {}
        Piece(QComboBox* combo) : combo(combo) {}
        const char* text = nullptr;
        QString* field = nullptr;
        QComboBox* combo = nullptr;
    };
    // Lays the sentence out, row by row, after the start every page shares.
    void Sentence(std::initializer_list<std::initializer_list<Piece>> rows);
    void DoDataExchange(CDataExchange* pDX) override;
    // A probability of one half written with the decimal mark.
    static QString Half();

private:
    std::vector<std::pair<QLineEdit*, QString*>> m_fields;
};

class CRandBetween : public CRandomPage {
public:
    CRandBetween();
    QString Formula(QChar sep) const override;
    QString m_strLow = QStringLiteral("1");
    QString m_strHigh = QStringLiteral("10");
};

class CRandUniform : public CRandomPage {
public:
    CRandUniform();
    QString Formula(QChar sep) const override;
};

class CRandNormal : public CRandomPage {
public:
    CRandNormal();
    QString Formula(QChar sep) const override;
    QString m_strMean = QStringLiteral("50");
    QString m_strSD = QStringLiteral("10");
};

class CRandBernoulli : public CRandomPage {
public:
    CRandBernoulli();
    QString Formula(QChar sep) const override;
    QString m_strProbability = Half();
};

class CRandBinomial : public CRandomPage {
public:
    CRandBinomial();
    QString Formula(QChar sep) const override;
    QString m_strAttempts = QStringLiteral("10");
    QString m_strProbability = Half();
};

class CRandHyperGeometric : public CRandomPage {
public:
    CRandHyperGeometric();
    // Chosen, total, successes: not the order the sentence shows them in.
    QString Formula(QChar sep) const override;
    QString m_strChosen = QStringLiteral("5");
    QString m_strSuccesses = QStringLiteral("5");
    QString m_strTotal = QStringLiteral("10");
};

class CRandGeometric : public CRandomPage {
public:
    CRandGeometric();
    QString Formula(QChar sep) const override;
    QString m_strProbability = Half();
};

class CRandNegBinomial : public CRandomPage {
public:
    CRandNegBinomial();
    QString Formula(QChar sep) const override;
    QString m_strSuccessesRequired = QStringLiteral("5");
    QString m_strProbability = Half();
};

// The eight pages in their tab order.  Declared before the sheet that shows
// them, so the sheet lets go of them before they go.
struct CRandomPages {
    CRandBetween between;
    CRandUniform uniform;
    CRandNormal normal;
    CRandBernoulli bernoulli;
    CRandBinomial binomial;
    CRandHyperGeometric hyperGeometric;
    CRandGeometric geometric;
    CRandNegBinomial negBinomial;
    std::array<CRandomPage*, 8> All() {
        return {&between,  &uniform,        &normal,    &bernoulli,
                &binomial, &hyperGeometric, &geometric, &negBinomial};
    }
};

// Runs "Random Number Generators" from its first page; on OK true, with the
// column and formula of the page shown at that moment.
bool RunRandomGenerators(QWidget* parent, int& column, QString& formula);

// --- Time Series Data Generator ------------------------------------------------------

class CTimeSeriesDlg : public CDialog {
public:
    explicit CTimeSeriesDlg(QWidget* parent = nullptr);

    // Shows the model's equation (c only for the quadratic one), column A
    // and both sliders in the middle of 1 to 100.
    BOOL OnInitDialog() override;
    // The model of the equation at `index`; c is open for the quadratic.
    void OnSelChangeEquation(int index);
    // Takes the column (none chosen is A) and the sliders' positions.
    void OnOK() override;
    // The "tsdgen(" formula of the texts and positions taken.
    QString Formula(char decimalMark) const;

    int m_nModel = 0;
    int m_nColumn = 0;
    int m_nNoise = 0;
    int m_nVolatility = 0;
    QSlider* m_sliderVolatility;
    QSlider* m_sliderNoise;
    QComboBox* m_comboEquation;
    QComboBox* m_comboColumn;
    QLineEdit* m_editC;
    QString m_strA, m_strB, m_strC, m_strPoints, m_strCycle;
    QLineEdit *m_editA, *m_editB, *m_editPoints, *m_editCycle;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Runs "Time Series Data Generator" on its defaults and fit model `model`;
// on OK true, with its column and formula.
bool RunTimeSeriesGenerator(QWidget* parent, int model, int& column, QString& formula);

// --- Bivariate Data Generator --------------------------------------------------------

// The "bidatagen(" formula of the dialog's texts; it goes into the x column.
QString QvBivariateFormula(const CBivariateDataDlg& dlg, char decimalMark);
// Runs "Bivariate Data Generator" on its defaults and fit model `model`; on
// OK true, with the x column and the formula.
bool RunBivariateGenerator(QWidget* parent, int model, int& column, QString& formula);
