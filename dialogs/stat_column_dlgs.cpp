#include "dialogs/stat_column_dlgs.h"

#include "dialogs/formula_preview.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "statistics/stat_formula.h"
#include "text/equation.h"
#include "text/equation_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <iterator>

namespace {

// The preview area: 325 by 46 pixels, the formula 5 pixels below its top.
constexpr int kPreviewWidth = 325, kPreviewHeight = 46, kPreviewTop = 5;

void AddButtons(QDialog* dlg, QBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dlg, &QDialog::reject);
    layout->addWidget(buttons);
}

// The regression list, in order, and the fit model of each entry.
struct Regression {
    const char* text;
    int model;
};
constexpr Regression kRegressions[] = {
    {"y = a + bx             (Linear)", 1},
    {"y = a + bx + cx^2 (Quadratic)", 2},
    {"y = a e^(bx)          (Exponential)", 4},
    {"y = a + b.ln(x)       (Logarithmic)", 5},
    {"y = a.x^b              (Power)", 3},
    {"y = a + b/x           (Reciprocal)", 7},
    {"y = a + bx             (Median Line)", 6},
};
constexpr int kQuadratic = 2;

void FillLetters(QComboBox* combo) {
    for (int i = 0; i < 26; ++i)
        combo->addItem(QString(QChar(u'A' + i)));
}

} // namespace

// --- Column Formula ------------------------------------------------------------------

CColumnFormulaDlg::CColumnFormulaDlg(QWidget* parent)
    : CDialog(parent), m_editFormula(new QLineEdit(this)),
      m_staticCaption(new QLabel(QStringLiteral("A = "), this)),
      m_checkFormulaColumn(new QCheckBox(QStringLiteral("Formula Column"), this)),
      m_preview(new CFormulaPreview(
          kPreviewWidth, kPreviewHeight, [this](CDC* dc) { DrawPreview(dc); }, this)) {
    setWindowTitle(QStringLiteral("Column Formula"));
    m_editFormula->setMinimumWidth(280);
    auto* row = new QHBoxLayout;
    row->addWidget(m_staticCaption);
    row->addWidget(m_editFormula, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_preview);
    layout->addWidget(m_checkFormulaColumn);
    AddButtons(this, layout);
    connect(m_editFormula, &QLineEdit::textChanged, this, [this] {
        m_bChanged = true;
        m_preview->update();
    });
}

void CColumnFormulaDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editFormula, m_strFormula);
    if (pDX->m_bSaveAndValidate)
        m_strCaption = m_staticCaption->text();
    else
        m_staticCaption->setText(m_strCaption);
    DDX_Check(pDX, m_checkFormulaColumn, m_nFormulaColumn);
}

QString CColumnFormulaDlg::PreviewText() const {
    return (m_staticCaption->text().trimmed() + u' ' + m_editFormula->text()).toUpper();
}

QString CColumnFormulaDlg::EvaluableText(const QString& typed) {
    // The typesetter knows the function names in small letters only; the
    // column formulas read either.
    QvStatStr formula;
    formula.SetText(typed.toLower(), &TheEquationOptions());
    return formula.ToFunctionText();
}

void CColumnFormulaDlg::DrawPreview(CDC* dc) {
    // Given in small letters, the typesetter knows the function names and
    // writes the column letters as capitals itself.
    QvStatStr typed;
    typed.SetText(PreviewText().toLower(), &TheEquationOptions());
    const QvLogFont font = QvStatStr::GetDefaultFont();
    dc->SetTextAlign(TA_TOP | TA_LEFT);
    typed.Draw(dc, 0, kPreviewTop, &TheEquationOptions(), &font);
    if (m_bChanged) {
        m_strEvaluable = EvaluableText(m_editFormula->text());
        m_bChanged = false;
    }
}

void CColumnFormulaDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    // Converted here as well: the preview may not have been drawn since
    // the last key.
    m_strEvaluable = EvaluableText(m_strFormula);
    m_bChanged = false;
    if (!m_strEvaluable.isEmpty()) {
        QvStatFormula formula;
        formula.SetText(m_strEvaluable);
        const int read = formula.Compile();
        QString refusal;
        if (read == QvStatFormula::kTooLong)
            refusal = QStringLiteral("The formula is too long.");
        else if (read == QvStatFormula::kUnread)
            refusal = formula.unreadWord.isEmpty()
                          ? QStringLiteral("The formula is not complete.")
                          : QStringLiteral("The formula cannot be worked out: \"%1\" is not "
                                           "understood here.")
                                .arg(formula.unreadWord);
        if (!refusal.isEmpty()) {
            AfxMessageBox(refusal, MB_ICONEXCLAMATION);
            m_editFormula->setFocus();
            return;
        }
    }
    EndDialog(IDOK);
}

// --- Column Title --------------------------------------------------------------------

CColumnTitleDlg::CColumnTitleDlg(QWidget* parent)
    : CDialog(parent), m_editTitle(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Column Title"));
    m_editTitle->setMinimumWidth(220);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_editTitle);
    AddButtons(this, layout);
}

void CColumnTitleDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editTitle, m_strTitle);
}

// --- Bivariate Data Generator --------------------------------------------------------

QvBivariateTexts& TheBivariateTexts() {
    static QvBivariateTexts texts;
    return texts;
}

int CBivariateDataDlg::PositionOfModel(int model) {
    for (int i = 0; i < int(std::size(kRegressions)); ++i)
        if (kRegressions[i].model == model)
            return i;
    return 0;
}

QStringList CBivariateDataDlg::EquationTexts() {
    QStringList texts;
    for (const Regression& r : kRegressions)
        texts << QString::fromLatin1(r.text);
    return texts;
}

int CBivariateDataDlg::ModelAtPosition(int position) {
    if (position < 0 || position >= int(std::size(kRegressions)))
        return 1;
    return kRegressions[position].model;
}

CBivariateDataDlg::CBivariateDataDlg(QWidget* parent)
    : CDialog(parent), m_editA(new QLineEdit(this)), m_editB(new QLineEdit(this)),
      m_editC(new QLineEdit(this)), m_editLowX(new QLineEdit(this)),
      m_editHighX(new QLineEdit(this)), m_editPoints(new QLineEdit(this)),
      m_editTargetR(new QLineEdit(this)), m_comboX(new QComboBox(this)),
      m_comboY(new QComboBox(this)), m_comboRegression(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Bivariate Data Generator"));
    const QvBivariateTexts& kept = TheBivariateTexts();
    m_strA = kept.a;
    m_strB = kept.b;
    m_strC = kept.c;
    m_strLowX = kept.lowX;
    m_strHighX = kept.highX;
    m_strPoints = kept.points;
    m_strTargetR = kept.targetR;
    m_strYDestination = kept.yDestination;

    m_comboRegression->addItems(EquationTexts());
    FillLetters(m_comboX);
    FillLetters(m_comboY);
    for (QLineEdit* edit : {m_editA, m_editB, m_editC, m_editLowX, m_editHighX, m_editPoints,
                            m_editTargetR})
        edit->setMaximumWidth(80);

    auto label = [this](const char* text) { return new QLabel(QString::fromLatin1(text), this); };
    auto* grid = new QGridLayout;
    grid->addWidget(label("Number of data points to generate"), 0, 0, 1, 3);
    grid->addWidget(m_editPoints, 0, 3);
    grid->addWidget(label("Low x"), 1, 0);
    grid->addWidget(m_editLowX, 1, 1);
    grid->addWidget(label("High x"), 1, 2);
    grid->addWidget(m_editHighX, 1, 3);
    grid->addWidget(label("Regression Equation"), 2, 0, 1, 4);
    grid->addWidget(m_comboRegression, 3, 0, 1, 4);
    grid->addWidget(label("a"), 4, 0, Qt::AlignRight);
    grid->addWidget(m_editA, 4, 1);
    grid->addWidget(label("b"), 5, 0, Qt::AlignRight);
    grid->addWidget(m_editB, 5, 1);
    grid->addWidget(label("c"), 6, 0, Qt::AlignRight);
    grid->addWidget(m_editC, 6, 1);
    grid->addWidget(label("Target  r (absolute value)"), 7, 0, 1, 3);
    grid->addWidget(m_editTargetR, 7, 3);
    grid->addWidget(label("x Data goes into"), 8, 0, 1, 2);
    grid->addWidget(m_comboX, 8, 2);
    grid->addWidget(label("y Data goes into"), 9, 0, 1, 2);
    grid->addWidget(m_comboY, 9, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    AddButtons(this, layout);
    connect(m_comboRegression, &QComboBox::currentIndexChanged, this,
            &CBivariateDataDlg::OnRegressionChanged);
}

BOOL CBivariateDataDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_editC->setEnabled(false);
    m_comboRegression->setCurrentIndex(PositionOfModel(m_nModel));
    if (m_nModel == kQuadratic)
        m_editC->setEnabled(true);
    m_comboX->setCurrentIndex(0);
    m_comboY->setCurrentIndex(1);
    return TRUE;
}

void CBivariateDataDlg::OnRegressionChanged(int position) {
    m_editC->setEnabled(false);
    m_nModel = ModelAtPosition(position);
    if (m_nModel == kQuadratic)
        m_editC->setEnabled(true);
}

void CBivariateDataDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editA, m_strA);
    DDX_Text(pDX, m_editB, m_strB);
    DDX_Text(pDX, m_editC, m_strC);
    DDX_Text(pDX, m_editLowX, m_strLowX);
    DDX_Text(pDX, m_editHighX, m_strHighX);
    DDX_Text(pDX, m_editPoints, m_strPoints);
    DDX_Text(pDX, m_editTargetR, m_strTargetR);
    if (pDX->m_bSaveAndValidate)
        m_strYDestination = m_comboY->currentText();
    else if (const int i = m_comboY->findText(m_strYDestination); i >= 0)
        m_comboY->setCurrentIndex(i);
}

void CBivariateDataDlg::OnOK() {
    // The y data would overwrite the x data.
    if (m_comboX->currentIndex() == m_comboY->currentIndex()) {
        AfxMessageBox(QStringLiteral("The x data and the y data must go into different columns."),
                      MB_ICONEXCLAMATION);
        m_comboY->setFocus();
        return;
    }
    m_nXDestination = m_comboX->currentIndex();
    CDialog::OnOK();
}
