#include "dialogs/graph_properties_dlg.h"

#include "dialogs/calc_dialogs.h"
#include "dialogs/edit_functions_dlg.h"
#include "dialogs/font_color_dlg.h"
#include "dialogs/formula_preview.h"
#include "dialogs/graph_axes_dlg.h"
#include "graphs/function.h"
#include "platform/dc.h"
#include "settings/settings.h"
#include "settings/step_tables.h"
#include "text/equation.h"
#include "text/equation_options.h"
#include "text/number_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>
#include <initializer_list>

namespace {

constexpr int kFunctions = QvGraphData::kFunctionCount;
constexpr int kMostBarSteps = 10000;

// The typeset function: its area and its baseline in the area.
constexpr int kFunctionWidth = 325, kFunctionHeight = 46;
constexpr int kFunctionX = 0, kFunctionY = 25;
constexpr int kPreviewFontHeight = 16;
// The axes picture has room for the arrow heads around the square.
constexpr int kAxesMargin = 3;

const QString kCrLf = QStringLiteral("\r\n");

// A range or step text that holds a number: digits, fractions, pi and e,
// with either decimal point.
bool IsNumberText(QString text) {
    text = text.trimmed().toLower();
    const QChar point = QChar::fromLatin1(TheEquationOptions().m_decimalPoint);
    text.replace(u'.', point).replace(u',', point);
    return QvClassifyNumberText(text) != 0 && std::isfinite(QvTextToDouble(text));
}

QString FunctionText(const QString& typed) {
    QvFunctionStr f;
    f.SetText(typed, &TheEquationOptions());
    return f.ToFunctionText();
}

// The box as the edit holds it (one paragraph a line) and back.
QString WithCrLf(const QString& plain) {
    QString text = plain;
    return text.replace(u'\n', kCrLf);
}
QString WithoutCr(const QString& boxText) {
    QString text = boxText;
    return text.replace(kCrLf, QStringLiteral("\n"));
}

} // namespace

std::array<QString, QvGraphData::kFunctionCount> SplitFunctionBox(const QString& text) {
    std::array<QString, kFunctions> out;
    QString rest = text;
    for (int i = 0; i < kFunctions - 1; ++i) {
        const qsizetype cr = rest.indexOf(u'\r');
        if (cr < 0) {
            out[size_t(i)] = rest;
            rest.clear();
        } else {
            out[size_t(i)] = rest.left(cr);
            rest = rest.mid(cr + 2); // the CR and the LF after it
        }
    }
    out[kFunctions - 1] = rest;
    return out;
}

QString JoinFunctionBox(const QvGraphData& data) {
    QString text;
    for (int i = 0; i < kFunctions - 1; ++i)
        text += data.functions[i].caption + kCrLf;
    return text + data.functions[kFunctions - 1].caption;
}

QvOriginBar OriginBarFor(const QString& max, const QString& min, const QString& major,
                         const QString& minor, bool xAxis) {
    QvOriginBar bar;
    if (!IsNumberText(max) || !IsNumberText(min))
        return bar;
    double step = QvTextToDouble(minor);
    if (step == 0.0)
        step = QvTextToDouble(major);
    if (step == 0.0)
        step = 10.0;
    const double top = QvTextToDouble(max);
    const double count = (top - QvTextToDouble(min)) / step;
    if (!std::isfinite(count) || count < 1.0 || count >= kMostBarSteps + 1.0)
        return bar;
    bar.steps = int(count);
    const double along = xAxis ? bar.steps - top / step : top / step;
    bar.thumb = int(std::clamp(std::trunc(along), 0.0, double(bar.steps)));
    bar.position = std::clamp(along / bar.steps, 0.0, 1.0);
    return bar;
}

bool ChooseAxisTicks(const QString& maxText, const QString& minText, double fraction,
                     QvAxisTicks& out) {
    const QString typed = maxText.toLower();
    const double top = QvTextToDouble(typed);
    if (top == 0.0 || !std::isfinite(top))
        return false;
    double bottom = QvTextToDouble(minText);
    if (fraction != 0.0)
        bottom = top - top / fraction; // the origin keeps its place
    const QvStepChoice steps = QvFindSteps(top - bottom, QvStepTableFor(typed, top));
    out.major = steps.major;
    out.minor = steps.minor;
    // The minimum: whole minor steps down from 0, as far as the range goes.
    const double minor = QvTextToDouble(steps.minor);
    const double count = bottom < 0.0 ? std::floor(-bottom / minor + 1e-9) : 0.0;
    if (!(count >= 1.0)) {
        out.min = QStringLiteral("0");
    } else if (count <= double(INT_MAX)) {
        QvEquation text;
        text.SetText(steps.minor);
        text.MultiplyNumberText(-int(count));
        out.min = text.GetText();
    } else {
        out.min = QvFormatNumberPlain(-count * minor);
    }
    return true;
}

CGraphPropertiesDlg::CGraphPropertiesDlg(QWidget* parent)
    : CDialog(parent), m_editFunctions(new QPlainTextEdit(this)), m_comboAngle(new QComboBox(this)),
      m_editXNotate(new QLineEdit(this)), m_editXMax(new QLineEdit(this)),
      m_editYNotate(new QLineEdit(this)), m_editYMax(new QLineEdit(this)),
      m_checkShowGrid(new QCheckBox(QStringLiteral("Show Grid"), this)),
      m_checkAutoScale(new QCheckBox(QStringLiteral("Auto Scale"), this)),
      m_barX(new QScrollBar(Qt::Horizontal, this)), m_barY(new QScrollBar(Qt::Vertical, this)),
      m_buttonFunctions(new QPushButton(QStringLiteral("&Functions"), this)),
      m_buttonAxes(new QPushButton(QStringLiteral("&Axes"), this)),
      m_buttonGrid(new QPushButton(QStringLiteral("&Grid"), this)),
      m_buttonSetAsDefault(new QPushButton(QStringLiteral("Set as Default"), this)),
      m_buttonFonts(new QPushButton(QStringLiteral("&Fonts  >>"), this)),
      m_buttonTools(new QPushButton(QStringLiteral("&Tools   >> "), this)),
      m_previewFunction(new CFormulaPreview(
          kFunctionWidth, kFunctionHeight, [this](CDC* dc) { DrawFunction(dc); }, this)),
      m_previewAxes(new CFormulaPreview(
          kAxesWidth + 1 + 2 * kAxesMargin, kAxesHeight + 1 + 2 * kAxesMargin,
          [this](CDC* dc) { DrawAxes(dc); }, this)) {
    setWindowTitle(QStringLiteral("Graph Properties"));
    m_comboAngle->addItems(
        {QStringLiteral("Degrees"), QStringLiteral("Radians"), QStringLiteral("Grads")});
    m_editFunctions->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editFunctions->setTabChangesFocus(true);
    m_editFunctions->setFixedHeight(m_editFunctions->fontMetrics().lineSpacing() * 6);
    for (QScrollBar* bar : {m_barX, m_barY}) {
        bar->setSingleStep(1);
        bar->setPageStep(1);
    }
    m_barX->setFixedWidth(kAxesWidth + 1 + 2 * kAxesMargin);
    m_barY->setFixedHeight(kAxesHeight + 1 + 2 * kAxesMargin);

    auto* functions = new QGroupBox(QStringLiteral("Functions"), this);
    auto* functionsLayout = new QVBoxLayout(functions);
    functionsLayout->addWidget(m_editFunctions);
    functionsLayout->addWidget(m_previewFunction);

    auto* axes = new QGridLayout;
    axes->addWidget(m_barX, 0, 1);
    axes->addWidget(m_barY, 1, 0);
    axes->addWidget(m_previewAxes, 1, 1);

    auto* texts = new QGridLayout;
    texts->addWidget(new QLabel(QStringLiteral("x Axis"), this), 0, 0);
    texts->addWidget(m_editXNotate, 0, 1);
    texts->addWidget(new QLabel(QStringLiteral("x Max"), this), 1, 0);
    texts->addWidget(m_editXMax, 1, 1);
    texts->addWidget(new QLabel(QStringLiteral("y Axis"), this), 2, 0);
    texts->addWidget(m_editYNotate, 2, 1);
    texts->addWidget(new QLabel(QStringLiteral("y Max"), this), 3, 0);
    texts->addWidget(m_editYMax, 3, 1);
    texts->addWidget(m_comboAngle, 4, 1);
    texts->addWidget(m_checkShowGrid, 5, 1);
    texts->addWidget(m_checkAutoScale, 6, 1);
    texts->setRowStretch(7, 1);

    auto* lower = new QHBoxLayout;
    lower->addLayout(axes);
    lower->addSpacing(12);
    lower->addLayout(texts, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(functions);
    left->addLayout(lower);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {ok, cancel, m_buttonFunctions, m_buttonAxes, m_buttonGrid,
                           m_buttonSetAsDefault, m_buttonFonts, m_buttonTools}) {
        if (b != ok)
            b->setAutoDefault(false);
        buttons->addWidget(b);
        if (b == cancel || b == m_buttonGrid)
            buttons->addSpacing(10);
    }
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
    connect(m_editFunctions, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading)
            BoxChanged();
    });
    connect(m_editFunctions, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        const int line = std::min(m_editFunctions->textCursor().blockNumber(), kFunctions - 1);
        if (line != m_nCurrent) {
            m_nCurrent = line;
            m_previewFunction->update();
        }
    });
    connect(m_editXNotate, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_graphData.xNotate = t; });
    connect(m_editYNotate, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_graphData.yNotate = t; });
    connect(m_editXMax, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_graphData.xMaxShowS = t; });
    connect(m_editYMax, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_graphData.yMaxShowS = t; });
    m_editXMax->installEventFilter(this);
    m_editYMax->installEventFilter(this);
    connect(m_comboAngle, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_loading && index >= 0) {
            m_nAngleType = index;
            MarkAllDirty();
        }
    });
    connect(m_checkShowGrid, &QCheckBox::toggled, this,
            [this](bool on) { m_bShowGrid = on ? 1 : 0; });
    connect(m_checkAutoScale, &QCheckBox::toggled, this, [this] {
        if (!m_loading)
            OnAutoScale();
    });
    for (bool x : {true, false}) {
        QScrollBar* bar = x ? m_barX : m_barY;
        connect(bar, &QScrollBar::valueChanged, this, [this, x, last = 0](int value) mutable {
            const int from = last;
            last = value;
            if (!m_loading)
                OnScroll(x, from);
        });
    }
    connect(m_buttonFunctions, &QPushButton::clicked, this, [this] { OnEditFunctions(); });
    connect(m_buttonAxes, &QPushButton::clicked, this, [this] { OnEditAxes(); });
    connect(m_buttonGrid, &QPushButton::clicked, this, [this] { OnGrid(); });
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
    connect(m_buttonFonts, &QPushButton::clicked, this,
            [this] { PopUp(m_buttonFonts, BuildFontsMenu()); });
    connect(m_buttonTools, &QPushButton::clicked, this,
            [this] { PopUp(m_buttonTools, BuildToolsMenu()); });
}

void CGraphPropertiesDlg::Load(const QvGraphData& data) {
    m_graphData = data;
    m_bAutoScale = data.AutoScale ? 1 : 0;
    m_nAngleType = data.AngleType;
    m_bShowGrid = data.ShowGrid ? 1 : 0;
    m_strFunctions = JoinFunctionBox(data);
}

void CGraphPropertiesDlg::Store(QvGraphData& data) const {
    data.Copy(m_graphData);
    data.AutoScale = BYTE(m_bAutoScale ? 1 : 0);
    // No unit chosen keeps the one the graph had.
    if (m_nAngleType >= 0 && m_nAngleType <= 2)
        data.AngleType = m_nAngleType;
    data.ShowGrid = BYTE(m_bShowGrid ? 1 : 0);
}

BOOL CGraphPropertiesDlg::OnInitDialog() {
    UpdateData(FALSE);
    m_editFunctions->moveCursor(QTextCursor::Start);
    m_nCurrent = 0;
    SplitBox();
    OnAutoScale();
    return TRUE;
}

void CGraphPropertiesDlg::DoDataExchange(CDataExchange* pDX) {
    m_loading = true;
    if (pDX->m_bSaveAndValidate) {
        m_strFunctions = WithCrLf(m_editFunctions->toPlainText());
        if (m_comboAngle->currentIndex() >= 0)
            m_nAngleType = m_comboAngle->currentIndex();
    } else {
        if (WithCrLf(m_editFunctions->toPlainText()) != m_strFunctions)
            m_editFunctions->setPlainText(WithoutCr(m_strFunctions));
        m_comboAngle->setCurrentIndex(m_nAngleType >= 0 && m_nAngleType <= 2 ? m_nAngleType : -1);
    }
    DDX_Text(pDX, m_editXNotate, m_graphData.xNotate);
    DDX_Text(pDX, m_editXMax, m_graphData.xMaxShowS);
    DDX_Text(pDX, m_editYNotate, m_graphData.yNotate);
    DDX_Text(pDX, m_editYMax, m_graphData.yMaxShowS);
    DDX_Check(pDX, m_checkShowGrid, m_bShowGrid);
    DDX_Check(pDX, m_checkAutoScale, m_bAutoScale);
    m_loading = false;
    SetUpBars();
}

bool CGraphPropertiesDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == m_editXMax || watched == m_editYMax))
        OnKillFocusMax(watched == m_editXMax);
    return CDialog::eventFilter(watched, event);
}

void CGraphPropertiesDlg::SplitBox() {
    const auto captions = SplitFunctionBox(m_strFunctions);
    for (int i = 0; i < kFunctions; ++i) {
        QvGraphDataFunction& f = m_graphData.functions[i];
        const QString& caption = captions[size_t(i)];
        // Typesetting all ten on every key would be wasted on nine.
        if (f.caption != caption || f.expression.isEmpty() != caption.isEmpty()) {
            f.caption = caption;
            f.expression = FunctionText(caption);
        }
    }
}

void CGraphPropertiesDlg::BoxChanged() {
    m_strFunctions = WithCrLf(m_editFunctions->toPlainText());
    SplitBox();
    MarkAllDirty();
    m_nCurrent = std::min(m_editFunctions->textCursor().blockNumber(), kFunctions - 1);
    m_previewFunction->update();
}

void CGraphPropertiesDlg::MarkAllDirty() {
    for (QvGraphDataFunction& f : m_graphData.functions)
        f.dirty = 1;
}

void CGraphPropertiesDlg::SetUpBars() {
    const bool saved = m_loading;
    m_loading = true;
    for (bool x : {true, false}) {
        const QvOriginBar bar = x ? OriginBarFor(m_graphData.xMaxShowS, m_graphData.xMinShowS,
                                                 m_graphData.xMajorS, m_graphData.xMinorS, true)
                                  : OriginBarFor(m_graphData.yMaxShowS, m_graphData.yMinShowS,
                                                 m_graphData.yMajorS, m_graphData.yMinorS, false);
        QScrollBar* scroll = x ? m_barX : m_barY;
        scroll->setRange(0, bar.steps);
        scroll->setValue(bar.thumb);
        if (x)
            m_nMarkerX = kAxesLeft + int(kAxesWidth * bar.position);
        else
            m_nMarkerY = kAxesTop + int(kAxesHeight * bar.position);
    }
    m_loading = saved;
    const bool enabled = !m_bAutoScale;
    m_barX->setEnabled(enabled && m_barX->maximum() > 0);
    m_barY->setEnabled(enabled && m_barY->maximum() > 0);
    UpdateFractions();
    m_previewAxes->update();
}

void CGraphPropertiesDlg::UpdateFractions() {
    auto fraction = [](const QScrollBar* bar) {
        const int span = bar->maximum() - bar->minimum();
        return span > 0 ? double(bar->value()) / span : 0.5;
    };
    m_xOriginFraction = m_barX->maximum() > m_barX->minimum() ? 1.0 - fraction(m_barX) : 0.5;
    m_yOriginFraction = fraction(m_barY);
}

void CGraphPropertiesDlg::OnScroll(bool xAxis, int from) {
    QScrollBar* bar = xAxis ? m_barX : m_barY;
    const int to = bar->value();
    const int shift = xAxis ? from - to : to - from;
    QString& max = xAxis ? m_graphData.xMaxShowS : m_graphData.yMaxShowS;
    QString& min = xAxis ? m_graphData.xMinShowS : m_graphData.yMinShowS;
    const QString& minor = xAxis ? m_graphData.xMinorS : m_graphData.yMinorS;
    // Whole minor steps, kept exact; both ends move or neither does.
    if (shift != 0 && !minor.isEmpty()) {
        QvEquation step, newMax, newMin;
        step.SetText(minor);
        if (step.MultiplyNumberText(shift)) {
            newMax.SetText(max);
            newMin.SetText(min);
            if (newMax.AddNumberText(step.GetText()) && newMin.AddNumberText(step.GetText())) {
                max = newMax.GetText();
                min = newMin.GetText();
                const bool saved = m_loading;
                m_loading = true;
                (xAxis ? m_editXMax : m_editYMax)->setText(max);
                m_loading = saved;
            }
        }
    }
    const int span = bar->maximum() - bar->minimum();
    if (span > 0) {
        if (xAxis)
            m_nMarkerX = kAxesLeft + kAxesWidth * to / span;
        else
            m_nMarkerY = kAxesTop + kAxesHeight * to / span;
    }
    m_previewAxes->update();
    MarkAllDirty();
    UpdateFractions();
}

void CGraphPropertiesDlg::OnKillFocusMax(bool xAxis) {
    QLineEdit* edit = xAxis ? m_editXMax : m_editYMax;
    MarkAllDirty();
    // Only a maximum the user typed calls for new ticks: passing through
    // the box keeps steps set by hand.
    if (!edit->isModified())
        return;
    edit->setModified(false);
    QvGraphData& d = m_graphData;
    QvAxisTicks ticks;
    const double fraction = xAxis ? m_xOriginFraction : m_yOriginFraction;
    if (ChooseAxisTicks(edit->text(), xAxis ? d.xMinShowS : d.yMinShowS, fraction, ticks)) {
        (xAxis ? d.xMajorS : d.yMajorS) = ticks.major;
        (xAxis ? d.xMinorS : d.yMinorS) = ticks.minor;
        (xAxis ? d.xMinShowS : d.yMinShowS) = ticks.min;
    }
    (xAxis ? d.xMaxShowS : d.yMaxShowS) = edit->text();
    SetUpBars();
}

void CGraphPropertiesDlg::OnAutoScale() {
    m_bAutoScale = m_checkAutoScale->isChecked() ? 1 : 0;
    const bool enabled = !m_bAutoScale;
    m_editXMax->setEnabled(enabled);
    m_editYMax->setEnabled(enabled);
    m_buttonAxes->setEnabled(enabled);
    m_barX->setEnabled(enabled && m_barX->maximum() > 0);
    m_barY->setEnabled(enabled && m_barY->maximum() > 0);
    MarkAllDirty();
}

void CGraphPropertiesDlg::OnEditAxes() {
    if (RunEditAxesDialog(m_graphData))
        MarkAllDirty();
    m_loading = true;
    m_editXMax->setText(m_graphData.xMaxShowS);
    m_editYMax->setText(m_graphData.yMaxShowS);
    m_loading = false;
    SetUpBars();
}

void CGraphPropertiesDlg::OnEditFunctions() {
    m_strFunctions = WithCrLf(m_editFunctions->toPlainText());
    SplitBox();
    if (!RunEditFunctionsDialog(m_graphData))
        return;
    m_strFunctions = JoinFunctionBox(m_graphData);
    const int line = m_nCurrent;
    UpdateData(FALSE);
    // Back to the line the user was on.
    QTextCursor cursor(m_editFunctions->document()->findBlockByNumber(line));
    m_editFunctions->setTextCursor(cursor);
    m_nCurrent = line;
    MarkAllDirty();
    update();
    m_previewFunction->update();
}

void CGraphPropertiesDlg::OnGrid() {
    RunGraphGridDialog(m_graphData);
}

void CGraphPropertiesDlg::OnSetAsDefault() {
    UpdateData(TRUE);
    QvGraphDefaults& g = TheSettings().m_GraphDefaults;
    g.AutoScale.SetValue(BYTE(m_bAutoScale ? 1 : 0));
    if (m_nAngleType >= 0)
        g.AngleType.SetValue(m_nAngleType);
    g.ShowGrid.SetValue(BYTE(m_bShowGrid ? 1 : 0));
    g.xNotate.SetValue(m_graphData.xNotate);
    g.yNotate.SetValue(m_graphData.yNotate);
    g.AxisFont.SetValue(m_graphData.AxisFont);
    g.NotateFont.SetValue(m_graphData.NotateFont);
    g.ReportFont.SetValue(m_graphData.ReportFont);
    TheSettings().Save(FALSE);
}

QMenu* CGraphPropertiesDlg::BuildToolsMenu() {
    auto* menu = new QMenu(this);
    QAction* all = menu->addAction(QStringLiteral("Show All Derivatives"));
    all->setData(int(CmdShowAllDerivatives));
    all->setCheckable(true);
    all->setChecked(m_graphData.forceMarks != 0);
    menu->addAction(QStringLiteral("Calculate Derivative ..."))->setData(int(CmdCalcDerivative));
    menu->addAction(QStringLiteral("Integral ..."))->setData(int(CmdIntegral));
    menu->addSeparator();
    menu->addAction(QStringLiteral("Clean Graph"))->setData(int(CmdCleanGraph));
    return menu;
}

QMenu* CGraphPropertiesDlg::BuildFontsMenu() {
    auto* menu = new QMenu(this);
    menu->addAction(QStringLiteral("Axis Font"))->setData(int(CmdAxisFont));
    menu->addAction(QStringLiteral("Scale Font"))->setData(int(CmdScaleFont));
    menu->addAction(QStringLiteral("ReportFont"))->setData(int(CmdReportFont));
    return menu;
}

void CGraphPropertiesDlg::PopUp(QPushButton* button, QMenu* menu) {
    const QAction* chosen = menu->exec(button->mapToGlobal(button->rect().topRight()));
    const int command = chosen ? chosen->data().toInt() : 0;
    delete menu;
    if (command)
        OnCommand(command);
}

void CGraphPropertiesDlg::EditFont(QvLogFont& font) {
    LOGFONT logFont = font.m_logFont;
    COLORREF colour = font.m_color;
    int height = font.m_drawHeight;
    if (ChooseFontAndColour(this, logFont, colour, height))
        font.Set(logFont, colour, height);
}

bool CGraphPropertiesDlg::TakeValues() {
    // Ending with Enter in a Max box leaves it as surely as a click elsewhere.
    for (bool x : {true, false}) {
        if ((x ? m_editXMax : m_editYMax)->isModified())
            OnKillFocusMax(x);
    }
    UpdateData(TRUE);
    SplitBox();
    for (int i = 0; i < kFunctions; ++i) {
        QvFunction f;
        f.data = m_graphData.functions[i];
        if (f.Compile() == QvFunction::kFits)
            continue;
        QTextCursor cursor(m_editFunctions->document()->findBlockByNumber(i));
        m_editFunctions->setTextCursor(cursor);
        m_editFunctions->setFocus();
        AfxMessageBox(
            QStringLiteral("Function %1 is too long for the graph. Please shorten it.").arg(i + 1),
            MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void CGraphPropertiesDlg::OnOK() {
    if (TakeValues())
        EndDialog(IDOK);
}

void CGraphPropertiesDlg::OnCommand(int command) {
    switch (command) {
    case CmdShowAllDerivatives:
        if (!TakeValues())
            return;
        m_graphData.forceMarks = m_graphData.forceMarks ? 0 : 1;
        EndDialog(IDOK);
        return;
    case CmdCleanGraph:
        EndDialog(kEndClean);
        return;
    case CmdCalcDerivative:
    case CmdIntegral: {
        if (!TakeValues())
            return;
        if (SuitableFunctions(m_graphData).isEmpty()) {
            ShowMessageBox(QStringLiteral("No Suitable Functions"),
                           QStringLiteral("ERROR - Calculate Derivative"), MB_ICONEXCLAMATION);
            return;
        }
        if (command == CmdCalcDerivative) {
            QvDerivativeRecord result = m_graphData.derivative;
            if (!RunDerivativeDialog(m_graphData, result))
                return;
            result.showResult = 1;
            m_graphData.derivative = result;
            EndDialog(kEndDerivative);
        } else {
            QvIntegralRecord result = m_graphData.integral;
            if (!RunIntegralDialog(m_graphData, result))
                return;
            result.showResult = 1;
            m_graphData.integral = result;
            EndDialog(kEndIntegral);
        }
        return;
    }
    case CmdAxisFont:
        EditFont(m_graphData.NotateFont);
        return;
    case CmdScaleFont:
        EditFont(m_graphData.AxisFont);
        return;
    case CmdReportFont:
        EditFont(m_graphData.ReportFont);
        return;
    default:
        return;
    }
}

void CGraphPropertiesDlg::DrawFunction(CDC* dc) {
    QvFunctionStr typed;
    typed.SetText(m_graphData.functions[m_nCurrent].caption, &TheEquationOptions());
    QvLogFont font;
    font.m_logFont.lfHeight = -kPreviewFontHeight;
    font.m_drawHeight = kPreviewFontHeight;
    dc->SetTextAlign(TA_BASELINE | TA_LEFT);
    typed.Draw(dc, kFunctionX, kFunctionY, &TheEquationOptions(), &font);
}

void CGraphPropertiesDlg::DrawAxes(CDC* dc) {
    // In the picture's own pixels: the square starts at the margin.
    const int dx = kAxesMargin - kAxesLeft, dy = kAxesMargin - kAxesTop;
    auto line = [&](std::initializer_list<CPoint> points) {
        auto p = points.begin();
        dc->MoveTo(p->x + dx, p->y + dy);
        for (++p; p != points.end(); ++p)
            dc->LineTo(p->x + dx, p->y + dy);
    };
    const int right = kAxesLeft + kAxesWidth, bottom = kAxesTop + kAxesHeight;
    const int x = m_nMarkerX, y = m_nMarkerY;
    line({CPoint(x, kAxesTop), CPoint(x, bottom)});
    if (y != kAxesTop)
        line({CPoint(x - 2, kAxesTop + 3), CPoint(x, kAxesTop), CPoint(x + 3, kAxesTop + 4)});
    if (y != bottom)
        line({CPoint(x - 2, bottom - 3), CPoint(x, bottom), CPoint(x + 3, bottom - 4)});
    line({CPoint(kAxesLeft, y), CPoint(right, y)});
    if (x != kAxesLeft)
        line({CPoint(kAxesLeft + 3, y - 2), CPoint(kAxesLeft, y), CPoint(kAxesLeft + 4, y + 3)});
    if (x != right)
        line({CPoint(right - 3, y - 2), CPoint(right, y), CPoint(right - 4, y + 3)});
}

int RunGraphPropertiesDialog(QvGraphData& data) {
    CGraphPropertiesDlg dlg(QApplication::activeWindow());
    dlg.Load(data);
    const int end = dlg.DoModal();
    if (end != IDCANCEL)
        dlg.Store(data);
    return end;
}
