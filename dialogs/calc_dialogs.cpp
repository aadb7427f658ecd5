#include "dialogs/calc_dialogs.h"

#include "dialogs/formula_preview.h"
#include "graphs/function.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "text/equation.h"
#include "text/equation_options.h"
#include "text/number_text.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kPreviewWidth = 275, kPreviewHeight = 50;
const QString kXAxis = QStringLiteral("x Axis");

// The label's font: the default one at four fifths of its height.
QvLogFont LabelFont() {
    QvLogFont font;
    font.m_logFont.lfHeight = LONG(0.8 * font.m_logFont.lfHeight);
    font.m_drawHeight = int(font.m_logFont.lfHeight);
    return font;
}

// Whether the graph reads the text as the number it shows: a decimal, pi
// or e, or a multiple or fraction of them ("-2.5", "pi/2", "3e").  The
// graph's reader makes 1 of an empty text, 15e of "1e5" and 0 of "pi/ 2",
// so only these forms, without blanks, are let through.
bool ReadsAsNumber(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral(R"(^[-+]?(\d+([.,]\d*)?|[.,]\d+)?(pi|e)?(/(\d+([.,]\d*)?|[.,]\d+))?$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(3).isEmpty()))
        return false;
    return std::isfinite(QvTextToDouble(text));
}

// The edit's text without blanks at either end, when it reads as a number.
bool TakeNumber(QLineEdit* edit) {
    const QString text = edit->text().trimmed();
    if (!ReadsAsNumber(text))
        return false;
    if (text != edit->text())
        edit->setText(text);
    return true;
}

QPushButton* AddButtons(QDialog* dlg, QVBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dlg, &QDialog::reject);
    layout->addWidget(buttons);
    return buttons->button(QDialogButtonBox::Ok);
}

// Fills a list with the suitable functions' texts after `first` entries,
// and the map with their indexes.
void ListFunctions(const QvGraphData& data, QComboBox* combo, QList<int>& map) {
    for (int index : SuitableFunctions(data)) {
        combo->addItem(data.functions[index].caption);
        map.append(index);
    }
}

void Refuse(QLineEdit* edit, const QString& text) {
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    edit->setFocus();
    edit->selectAll();
}

} // namespace

QList<int> SuitableFunctions(const QvGraphData& data) {
    QList<int> found;
    QvFunction scratch;
    for (int i = 0; i < QvGraphData::kFunctionCount; ++i) {
        const QvGraphDataFunction& record = data.functions[i];
        scratch.data.expression = record.expression;
        scratch.Compile();
        if (scratch.data.kind == 1 && !record.caption.isEmpty())
            found.append(i);
    }
    return found;
}

QString LabelFunctionPart(const QString& entry) {
    const QString bare = entry.toLower().remove(u' ');
    if (!bare.startsWith(u"y=") && !bare.startsWith(u"f(x)="))
        return entry;
    qsizetype i = entry.indexOf(u'=') + 1;
    while (i < entry.size() && entry[i] == u' ')
        ++i;
    return entry.mid(i);
}

// --- Calculate Derivative ------------------------------------------------------------

CCalcDerivativeDlg::CCalcDerivativeDlg(QWidget* parent)
    : CDialog(parent), m_comboFunction(new QComboBox(this)), m_editPoint(new QLineEdit(this)),
      m_preview(new CFormulaPreview(
          kPreviewWidth, kPreviewHeight, [this](CDC* dc) { DrawPreview(dc); }, this)) {
    setWindowTitle(QStringLiteral("Calculate Derivative"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Calculate the derivative of"), this), 0, 0);
    grid->addWidget(m_comboFunction, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("at"), this), 1, 0, Qt::AlignRight);
    grid->addWidget(m_editPoint, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_preview);
    AddButtons(this, layout);
    connect(m_comboFunction, &QComboBox::currentIndexChanged, this, [this](int position) {
        m_nFunction = position >= 0 && position < m_map.size() ? m_map[position] : -1;
        m_strLabel = Label();
        m_preview->update();
    });
    connect(m_editPoint, &QLineEdit::textChanged, this, [this] {
        m_strLabel = Label();
        m_preview->update();
    });
}

BOOL CCalcDerivativeDlg::OnInitDialog() {
    m_comboFunction->clear();
    m_map.clear();
    ListFunctions(m_graphData, m_comboFunction, m_map);
    m_nFunction = m_map.isEmpty() ? -1 : m_map.first();
    if (!m_map.isEmpty())
        m_strFunction = m_comboFunction->itemText(0);
    return CDialog::OnInitDialog();
}

void CCalcDerivativeDlg::DoDataExchange(CDataExchange* pDX) {
    if (pDX->m_bSaveAndValidate)
        m_strFunction = m_comboFunction->currentText();
    else
        m_comboFunction->setCurrentIndex(m_comboFunction->findText(m_strFunction));
    DDX_Text(pDX, m_editPoint, m_strPoint);
}

QString CCalcDerivativeDlg::Label() const {
    return QStringLiteral("d/dx  ") + LabelFunctionPart(m_comboFunction->currentText()) +
           QStringLiteral(" ( at x = ") + m_editPoint->text() + QStringLiteral(" )");
}

void CCalcDerivativeDlg::DrawPreview(CDC* dc) {
    QvFunctionStr label;
    label.SetText(Label(), &TheEquationOptions());
    const QvLogFont font = LabelFont();
    label.Draw(dc, 10, 0, &TheEquationOptions(), &font);
}

void CCalcDerivativeDlg::OnOK() {
    // The graph would take the derivative at whatever it made of the text.
    if (!TakeNumber(m_editPoint)) {
        Refuse(m_editPoint, QStringLiteral("The point must be a number, such as 2, -0.5 or pi/2."));
        return;
    }
    if (!UpdateData(TRUE))
        return;
    m_strLabel = Label();
    EndDialog(IDOK);
}

bool RunDerivativeDialog(const QvGraphData& data, QvDerivativeRecord& result) {
    CCalcDerivativeDlg dlg(QApplication::activeWindow());
    dlg.m_graphData = data;
    dlg.m_strPoint = QStringLiteral("0");
    if (dlg.DoModal() != IDOK)
        return false;
    result.function = dlg.m_nFunction;
    result.xText = dlg.m_strPoint;
    result.labelText = dlg.m_strLabel;
    return true;
}

// --- Calculate Integral --------------------------------------------------------------

CCalcIntegralDlg::CCalcIntegralDlg(QWidget* parent)
    : CDialog(parent), m_comboFirst(new QComboBox(this)), m_comboSecond(new QComboBox(this)),
      m_editFrom(new QLineEdit(this)), m_editTo(new QLineEdit(this)),
      m_preview(new CFormulaPreview(
          kPreviewWidth, kPreviewHeight, [this](CDC* dc) { DrawPreview(dc); }, this)) {
    setWindowTitle(QStringLiteral("Calculate Integral"));
    m_mapFirst = QList<int>(QvGraphData::kFunctionCount, -1);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Calculate the integral between"), this), 0, 0);
    grid->addWidget(m_comboFirst, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("and"), this), 1, 0, Qt::AlignRight);
    grid->addWidget(m_comboSecond, 1, 1);
    auto* limits = new QHBoxLayout;
    limits->addWidget(new QLabel(QStringLiteral("from"), this));
    limits->addWidget(m_editFrom);
    limits->addWidget(new QLabel(QStringLiteral("to"), this));
    limits->addWidget(m_editTo);
    grid->addLayout(limits, 2, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_preview);
    AddButtons(this, layout);
    auto changed = [this] {
        m_strLabel = Label();
        m_preview->update();
    };
    connect(m_comboFirst, &QComboBox::currentIndexChanged, this, [this, changed](int position) {
        if (position >= 0 && position < m_mapFirst.size())
            m_nFirst = m_mapFirst[position];
        changed();
    });
    connect(m_comboSecond, &QComboBox::currentIndexChanged, this, [this, changed](int position) {
        if (position >= 0 && position < m_mapSecond.size())
            m_nSecond = m_mapSecond[position];
        changed();
    });
    connect(m_editFrom, &QLineEdit::textChanged, this, changed);
    connect(m_editTo, &QLineEdit::textChanged, this, changed);
}

BOOL CCalcIntegralDlg::OnInitDialog() {
    m_comboFirst->clear();
    m_comboSecond->clear();
    m_mapFirst.clear();
    m_mapSecond = {-1};
    m_comboSecond->addItem(kXAxis);
    ListFunctions(m_graphData, m_comboFirst, m_mapFirst);
    for (int index : m_mapFirst) {
        m_comboSecond->addItem(m_graphData.functions[index].caption);
        m_mapSecond.append(index);
    }
    if (!m_mapFirst.isEmpty()) {
        m_nFirst = m_mapFirst.first();
        m_strFirst = m_comboFirst->itemText(0);
    }
    m_nSecond = -1;
    m_strSecond = kXAxis;
    return CDialog::OnInitDialog();
}

void CCalcIntegralDlg::DoDataExchange(CDataExchange* pDX) {
    if (pDX->m_bSaveAndValidate) {
        m_strFirst = m_comboFirst->currentText();
        m_strSecond = m_comboSecond->currentText();
    } else {
        m_comboFirst->setCurrentIndex(m_comboFirst->findText(m_strFirst));
        m_comboSecond->setCurrentIndex(m_comboSecond->findText(m_strSecond));
    }
    DDX_Text(pDX, m_editFrom, m_strFrom);
    DDX_Text(pDX, m_editTo, m_strTo);
}

QString CCalcIntegralDlg::Label() const {
    QString label = QStringLiteral("int(") + m_editFrom->text() + u',' + m_editTo->text() +
                    QStringLiteral(") ") + LabelFunctionPart(m_comboFirst->currentText());
    if (m_comboSecond->currentIndex() > 0)
        label += QStringLiteral("- [") + LabelFunctionPart(m_comboSecond->currentText()) + u']';
    return label + QStringLiteral(" dx");
}

void CCalcIntegralDlg::DrawPreview(CDC* dc) {
    QvEquation label;
    label.SetText(Label(), &TheEquationOptions());
    const QvLogFont font = LabelFont();
    label.Draw(dc, 5, 0, &TheEquationOptions(), &font);
}

void CCalcIntegralDlg::OnOK() {
    // An empty limit would be read as 1, and the area worked out from there.
    for (QLineEdit* edit : {m_editFrom, m_editTo}) {
        if (!TakeNumber(edit)) {
            Refuse(edit, QStringLiteral("Both limits must be numbers, such as 0, 2.5 or pi/2."));
            return;
        }
    }
    if (!UpdateData(TRUE))
        return;
    m_strLabel = Label();
    EndDialog(IDOK);
}

bool RunIntegralDialog(const QvGraphData& data, QvIntegralRecord& result) {
    CCalcIntegralDlg dlg(QApplication::activeWindow());
    dlg.m_graphData = data;
    dlg.m_strFrom = QStringLiteral("0");
    dlg.m_strTo = QStringLiteral("1");
    if (dlg.DoModal() != IDOK)
        return false;
    result.functionA = dlg.m_nFirst;
    result.functionB = dlg.m_nSecond;
    result.lowerText = dlg.m_strFrom;
    result.upperText = dlg.m_strTo;
    result.labelText = dlg.m_strLabel;
    return true;
}
