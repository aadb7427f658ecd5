#include "dialogs/data_generator_dlgs.h"

#include "dialogs/stat_column_dlgs.h"
#include "settings/settings.h"
#include "text/number_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kColumns = 26;
constexpr int kQuadratic = 2;
constexpr int kFieldWidth = 48;

void FillLetters(QComboBox* combo) {
    for (int i = 0; i < kColumns; ++i)
        combo->addItem(QString(QChar(u'A' + i)));
}

// The list's column; a list showing none writes into column A.
int ChosenColumn(const QComboBox* combo) {
    const int i = combo->currentIndex();
    return i < 0 || i >= kColumns ? 0 : i;
}

// The arguments joined by the separator inside "name(" and ")".
QString Call(const char* name, QChar sep, std::initializer_list<QString> args) {
    QString text = QString::fromLatin1(name) + u'(';
    bool first = true;
    for (const QString& a : args) {
        if (!first)
            text += sep;
        text += a;
        first = false;
    }
    return text + u')';
}

// A slider position as the fraction the formula takes: 1 to 100 is 0.01 to 1.
QString Fraction(int position, char decimalMark) {
    QString text;
    QvFormatDouble(text, position / 100.0, 10, decimalMark);
    return text;
}

QDialogButtonBox* OkCancel(QDialog* dlg) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dlg, &QDialog::reject);
    return buttons;
}

} // namespace

char QvGeneratorDecimalMark() {
    return TheSettings().m_EquationDefaults.DecimalPoint.GetValue();
}

QChar QvListSeparator(char decimalMark) {
    return decimalMark == '.' ? u',' : u';';
}

QString QvModelText(int model) {
    return model >= 0 && model <= 10 ? QString::number(model) : QString();
}

// --- Random Number Generators --------------------------------------------------------

CRandomPage::CRandomPage(const QString& caption)
    : CPropertyPage(caption), m_comboColumn(new QComboBox(this)) {
    FillLetters(m_comboColumn);
}

QString CRandomPage::Half() {
    return QStringLiteral("0") + QChar::fromLatin1(QvGeneratorDecimalMark()) +
           QStringLiteral("5");
}

void CRandomPage::Sentence(std::initializer_list<std::initializer_list<Piece>> rows) {
    auto* layout = new QVBoxLayout(this);
    bool first = true;
    for (const auto& pieces : rows) {
        auto* row = new QHBoxLayout;
        std::vector<Piece> all;
        if (first) // every page starts "In column [list] generate [count]"
            all = {Piece("In column"), Piece(m_comboColumn), Piece("generate"),
                   Piece(&m_strCount)};
        all.insert(all.end(), pieces.begin(), pieces.end());
        first = false;
        for (const Piece& p : all) {
            if (p.combo) {
                row->addWidget(p.combo);
            } else if (p.field) {
                auto* edit = new QLineEdit(this);
                edit->setFixedWidth(kFieldWidth);
                row->addWidget(edit);
                m_fields.emplace_back(edit, p.field);
            } else {
                row->addWidget(new QLabel(QString::fromLatin1(p.text), this));
            }
        }
        row->addStretch();
        layout->addLayout(row);
    }
    layout->addStretch();
}

QLineEdit* CRandomPage::EditOf(const QString& field) const {
    for (const auto& [edit, text] : m_fields)
        if (text == &field)
            return edit;
    return nullptr;
}

void CRandomPage::DoDataExchange(CDataExchange* pDX) {
    for (const auto& [edit, text] : m_fields)
        DDX_Text(pDX, edit, *text);
}

BOOL CRandomPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_comboColumn->setCurrentIndex(0);
    return TRUE;
}

void CRandomPage::OnOK() {
    m_nColumn = ChosenColumn(m_comboColumn);
}

CRandBetween::CRandBetween() : CRandomPage(QStringLiteral("Integers")) {
    Sentence({{"random integers than are uniformally "},
              {"distributed between (and including)", &m_strLow, "and", &m_strHigh}});
}
QString CRandBetween::Formula(QChar sep) const {
    return Call("randbetween", sep, {m_strLow, m_strHigh, m_strCount});
}

CRandUniform::CRandUniform() : CRandomPage(QStringLiteral("Uniform")) {
    Sentence({{"random numbers that are uniformly "}, {"distributed between 0 and 1."}});
}
QString CRandUniform::Formula(QChar sep) const {
    return Call("rand", sep, {m_strCount});
}

CRandNormal::CRandNormal() : CRandomPage(QStringLiteral("Normal")) {
    Sentence({{"random numbers that are normally "},
              {"distributed with a mean of ", &m_strMean, "and a standard deviation of ",
               &m_strSD}});
}
QString CRandNormal::Formula(QChar sep) const {
    return Call("randnormal", sep, {m_strMean, m_strSD, m_strCount});
}

CRandBernoulli::CRandBernoulli() : CRandomPage(QStringLiteral("Bernoulli")) {
    Sentence({{"Bernoulli trials (results of 0 and 1) where"},
              {"the probability of a success is", &m_strProbability}});
}
QString CRandBernoulli::Formula(QChar sep) const {
    return Call("randbernoulli", sep, {m_strProbability, m_strCount});
}

CRandBinomial::CRandBinomial() : CRandomPage(QStringLiteral("Binomial")) {
    Sentence({{"binomial trials by recording the number of "},
              {"successes when", &m_strAttempts, "attempts are",
               "made and the probability of success on"},
              {"each attempt is", &m_strProbability}});
}
QString CRandBinomial::Formula(QChar sep) const {
    return Call("randbinomial", sep, {m_strAttempts, m_strProbability, m_strCount});
}

CRandHyperGeometric::CRandHyperGeometric() : CRandomPage(QStringLiteral("HyperGeometric")) {
    Sentence({{"hypergeometric trials where ", &m_strChosen},
              {"items", "are chosen (without replacement) from a", "total of ", &m_strTotal,
               "items with ", &m_strSuccesses},
              {"of the original items representing successes."}});
}
QString CRandHyperGeometric::Formula(QChar sep) const {
    return Call("randhypergeometric", sep, {m_strChosen, m_strTotal, m_strSuccesses, m_strCount});
}

CRandGeometric::CRandGeometric() : CRandomPage(QStringLiteral("Geometric")) {
    Sentence({{"geometric trials where the result is the"},
              {"number of attempts necessary before the",
               "first success and the probability of success is "},
              {&m_strProbability}});
}
QString CRandGeometric::Formula(QChar sep) const {
    return Call("randgeometric", sep, {m_strProbability, m_strCount});
}

CRandNegBinomial::CRandNegBinomial() : CRandomPage(QStringLiteral("Negative Binomial")) {
    Sentence({{"negative binomial trials where ", &m_strSuccessesRequired},
              {"successes are required and the probability", "of success on each attempt is",
               &m_strProbability}});
}
QString CRandNegBinomial::Formula(QChar sep) const {
    return Call("randnegbinomial", sep, {m_strSuccessesRequired, m_strProbability, m_strCount});
}

bool RunRandomGenerators(QWidget* parent, int& column, QString& formula) {
    CRandomPages pages;
    CPropertySheet sheet(QStringLiteral("Random Number Generators"), parent);
    for (CRandomPage* page : pages.All())
        sheet.AddPage(page);
    // All eight tabs in sight: the one shown at OK is the one used.
    sheet.TabWidget()->setUsesScrollButtons(false);
    if (sheet.DoModal() != IDOK)
        return false;
    const auto* shown = dynamic_cast<const CRandomPage*>(sheet.GetActivePage());
    if (!shown)
        return false;
    column = shown->m_nColumn;
    formula = shown->Formula(QvListSeparator(QvGeneratorDecimalMark()));
    return true;
}

// --- Time Series Data Generator ------------------------------------------------------

CTimeSeriesDlg::CTimeSeriesDlg(QWidget* parent)
    : CDialog(parent), m_sliderVolatility(new QSlider(Qt::Horizontal, this)),
      m_sliderNoise(new QSlider(Qt::Horizontal, this)), m_comboEquation(new QComboBox(this)),
      m_comboColumn(new QComboBox(this)), m_editC(new QLineEdit(this)),
      m_editA(new QLineEdit(this)), m_editB(new QLineEdit(this)),
      m_editPoints(new QLineEdit(this)), m_editCycle(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Time Series Data Generator"));
    m_comboEquation->addItems(CBivariateDataDlg::EquationTexts());
    FillLetters(m_comboColumn);
    for (QLineEdit* edit : {m_editA, m_editB, m_editC, m_editPoints, m_editCycle})
        edit->setFixedWidth(kFieldWidth * 3 / 2);

    auto label = [this](const char* text) { return new QLabel(QString::fromLatin1(text), this); };
    auto* grid = new QGridLayout;
    grid->addWidget(m_comboEquation, 0, 0, 1, 4);
    grid->addWidget(label("a"), 1, 0, Qt::AlignRight);
    grid->addWidget(m_editA, 1, 1);
    grid->addWidget(label("b"), 2, 0, Qt::AlignRight);
    grid->addWidget(m_editB, 2, 1);
    grid->addWidget(label("c"), 3, 0, Qt::AlignRight);
    grid->addWidget(m_editC, 3, 1);
    grid->addWidget(label("Number of data points to generate"), 4, 0, 1, 3);
    grid->addWidget(m_editPoints, 4, 3);
    grid->addWidget(label("Cycle Length"), 5, 0, 1, 3);
    grid->addWidget(m_editCycle, 5, 3);
    grid->addWidget(label("Volatility (Cycle Component)"), 6, 0, 1, 4);
    grid->addWidget(m_sliderVolatility, 7, 0, 1, 4);
    grid->addWidget(label("Noise (Random Component)"), 8, 0, 1, 4);
    grid->addWidget(m_sliderNoise, 9, 0, 1, 4);
    grid->addWidget(label("Data goes into"), 10, 0, 1, 2);
    grid->addWidget(m_comboColumn, 10, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancel(this));
    connect(m_comboEquation, &QComboBox::activated, this, &CTimeSeriesDlg::OnSelChangeEquation);
}

void CTimeSeriesDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editA, m_strA);
    DDX_Text(pDX, m_editB, m_strB);
    DDX_Text(pDX, m_editC, m_strC);
    DDX_Text(pDX, m_editPoints, m_strPoints);
    DDX_Text(pDX, m_editCycle, m_strCycle);
}

BOOL CTimeSeriesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_editC->setEnabled(false);
    // A stored model the list does not hold shows no equation.
    m_comboEquation->setCurrentIndex(
        m_nModel >= 1 && m_nModel <= 7 ? CBivariateDataDlg::PositionOfModel(m_nModel) : -1);
    if (m_nModel == kQuadratic)
        m_editC->setEnabled(true);
    m_comboColumn->setCurrentIndex(0);
    for (QSlider* slider : {m_sliderVolatility, m_sliderNoise}) {
        slider->setRange(1, 100);
        slider->setValue(50);
    }
    return TRUE;
}

void CTimeSeriesDlg::OnSelChangeEquation(int index) {
    if (index < 0 || index >= m_comboEquation->count())
        return;
    m_editC->setEnabled(false);
    m_nModel = CBivariateDataDlg::ModelAtPosition(index);
    if (m_nModel == kQuadratic)
        m_editC->setEnabled(true);
}

void CTimeSeriesDlg::OnOK() {
    m_nColumn = ChosenColumn(m_comboColumn);
    m_nNoise = m_sliderNoise->value();
    m_nVolatility = m_sliderVolatility->value();
    CDialog::OnOK();
}

QString CTimeSeriesDlg::Formula(char decimalMark) const {
    // The eighth argument is a run of 38 zero digits.
    return Call("tsdgen", QvListSeparator(decimalMark),
                {m_strCycle, m_strA, m_strB, m_strC, QvModelText(m_nModel),
                 Fraction(m_nNoise, decimalMark), Fraction(m_nVolatility, decimalMark),
                 QString(38, u'0'), m_strPoints});
}

bool RunTimeSeriesGenerator(QWidget* parent, int model, int& column, QString& formula) {
    const char mark = QvGeneratorDecimalMark();
    CTimeSeriesDlg dlg(parent);
    dlg.m_nModel = model;
    dlg.m_strA = QStringLiteral("10");
    dlg.m_strB = QStringLiteral("0") + QChar::fromLatin1(mark) + QStringLiteral("1");
    dlg.m_strC = QStringLiteral("0");
    dlg.m_strPoints = QStringLiteral("30");
    dlg.m_strCycle = QStringLiteral("4");
    if (dlg.DoModal() != IDOK)
        return false;
    column = dlg.m_nColumn;
    formula = dlg.Formula(mark);
    return true;
}

// --- Bivariate Data Generator --------------------------------------------------------

QString QvBivariateFormula(const CBivariateDataDlg& dlg, char decimalMark) {
    return Call("bidatagen", QvListSeparator(decimalMark),
                {dlg.m_strYDestination, dlg.m_strLowX, dlg.m_strHighX, dlg.m_strA, dlg.m_strB,
                 dlg.m_strC, QvModelText(dlg.m_nModel), dlg.m_strTargetR, dlg.m_strPoints});
}

bool RunBivariateGenerator(QWidget* parent, int model, int& column, QString& formula) {
    const char mark = QvGeneratorDecimalMark();
    CBivariateDataDlg dlg(parent);
    dlg.m_nModel = model;
    dlg.m_strLowX = QStringLiteral("0");
    dlg.m_strHighX = QStringLiteral("50");
    dlg.m_strA = QStringLiteral("1");
    dlg.m_strB = QStringLiteral("1");
    dlg.m_strC = QStringLiteral("0");
    dlg.m_strPoints = QStringLiteral("30");
    dlg.m_strTargetR = QStringLiteral("0") + QChar::fromLatin1(mark) + QStringLiteral("9");
    if (dlg.DoModal() != IDOK)
        return false;
    column = dlg.m_nXDestination >= 0 && dlg.m_nXDestination < kColumns ? dlg.m_nXDestination : 0;
    formula = QvBivariateFormula(dlg, mark);
    return true;
}
