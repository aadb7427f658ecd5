#pragma once
// The small dialogs of the statistics data grid: Column Formula (a formula
// typed and shown typeset), Column Title (a column's name) and the
// Bivariate Data Generator (the parameters of random two-variable data).
// They only collect values; the grid and its host act on them.
#include "platform/dialog.h"

#include <QString>
#include <QStringList>

class CDC;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class CColumnFormulaDlg : public CDialog {
public:
    explicit CColumnFormulaDlg(QWidget* parent = nullptr);

    // The caption and formula joined by a blank, in capitals, as the
    // preview shows them.
    QString PreviewText() const;
    // The typed formula in the form the column formulas read.
    static QString EvaluableText(const QString& typed);
    void DrawPreview(CDC* dc);
    // Converts the formula, and refuses one the column formulas cannot
    // read, naming what they stopped at.
    void OnOK() override;

    QString m_strEvaluable; // what the caller uses
    bool m_bChanged = false;
    QString m_strFormula;
    QString m_strCaption = QStringLiteral("A = ");
    int m_nFormulaColumn = 0;

    QLineEdit* m_editFormula;
    QLabel* m_staticCaption;
    QCheckBox* m_checkFormulaColumn;
    QWidget* m_preview;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CColumnTitleDlg : public CDialog {
public:
    explicit CColumnTitleDlg(QWidget* parent = nullptr);

    QString m_strTitle;
    QLineEdit* m_editTitle;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// The generator's texts, kept from one opening to the next for the run.
struct QvBivariateTexts {
    QString a = QStringLiteral("1");
    QString b = QStringLiteral("1");
    QString c = QStringLiteral("0");
    QString lowX = QStringLiteral("0");
    QString highX = QStringLiteral("50");
    QString points = QStringLiteral("30");
    QString targetR = QStringLiteral("0.9");
    QString yDestination = QStringLiteral("B");
};
QvBivariateTexts& TheBivariateTexts();

class CBivariateDataDlg : public CDialog {
public:
    explicit CBivariateDataDlg(QWidget* parent = nullptr);

    // The regression list's order: the position of a fit model (1 to 7)
    // and the model of a position (0 to 6).
    static int PositionOfModel(int model);
    static int ModelAtPosition(int position);
    // The regression list's entries, in order.
    static QStringList EquationTexts();

    BOOL OnInitDialog() override;
    // Takes the x column; refuses y data going into the x column.
    void OnOK() override;
    void OnRegressionChanged(int position);

    int m_nModel = 1;
    int m_nXDestination = 0;
    QString m_strA, m_strB, m_strC, m_strLowX, m_strHighX, m_strPoints, m_strTargetR;
    QString m_strYDestination;

    QLineEdit *m_editA, *m_editB, *m_editC, *m_editLowX, *m_editHighX, *m_editPoints,
        *m_editTargetR;
    QComboBox* m_comboX;
    QComboBox* m_comboY;
    QComboBox* m_comboRegression;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
