#include "dialogs/edit_functions_dlg.h"

#include "dialogs/colour_choice.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/formula_preview.h"
#include "dialogs/style_combo_box.h"
#include "graphs/function.h"
#include "platform/dc.h"
#include "settings/settings.h"
#include "text/equation.h"
#include "text/equation_options.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// The previews, in their own pixels: the function's baseline and the
// domain's, each a little in from the area's corner.
constexpr int kFunctionWidth = 395, kFunctionHeight = 47;
constexpr int kFunctionX = 0, kFunctionY = 25;
constexpr int kDomainWidth = 360, kDomainHeight = 35;
constexpr int kDomainX = 10, kDomainY = 20;
constexpr int kPreviewFontHeight = 16;

void DrawTyped(CDC* dc, const QString& text, int x, int y) {
    QvFunctionStr typed;
    typed.SetText(text, &TheEquationOptions());
    QvLogFont font;
    font.m_logFont.lfHeight = -kPreviewFontHeight;
    font.m_drawHeight = kPreviewFontHeight;
    dc->SetTextAlign(TA_BASELINE | TA_LEFT);
    typed.Draw(dc, x, y, &TheEquationOptions(), &font);
}

// The evaluable form of a typed function.
QString FunctionText(const QString& typed) {
    QvFunctionStr f;
    f.SetText(typed, &TheEquationOptions());
    return f.ToFunctionText();
}

} // namespace

CEditFunctionsDlg::CEditFunctionsDlg(QWidget* parent)
    : CDialog(parent), m_editFunction(new QLineEdit(this)), m_editDomain(new QLineEdit(this)),
      m_checkVAsym(new QCheckBox(QStringLiteral("Vertical Asymptotes"), this)),
      m_checkHAsym(new QCheckBox(QStringLiteral("Horizontal Asymptotes"), this)),
      m_checkRangeArrows(new QCheckBox(QStringLiteral("Out of Range Arrows"), this)),
      m_checkShowLow(new QCheckBox(QStringLiteral("Show Low End"), this)),
      m_checkShowHigh(new QCheckBox(QStringLiteral("Show High End"), this)),
      m_checkMarkFlag(new QCheckBox(QStringLiteral("Show Derivative"), this)),
      m_editNumber(new QLineEdit(this)), m_spin(new QScrollBar(Qt::Vertical, this)),
      m_comboLineStyle(new CLineStyleComboBox(this)),
      m_buttonLineColor(new QPushButton(QStringLiteral("Line Color"), this)),
      m_buttonShadeColor(new QPushButton(QStringLiteral("Shading Color"), this)),
      m_previewFunction(new CFormulaPreview(
          kFunctionWidth, kFunctionHeight, [this](CDC* dc) { DrawFunction(dc); }, this)),
      m_previewDomain(new CFormulaPreview(
          kDomainWidth, kDomainHeight, [this](CDC* dc) { DrawDomain(dc); }, this)) {
    setWindowTitle(QStringLiteral("Edit Functions"));
    m_spin->setRange(1, kFunctions);
    m_spin->setSingleStep(1);
    m_spin->setPageStep(1);
    m_spin->setFixedHeight(m_editNumber->sizeHint().height());
    m_editNumber->setMaximumWidth(40);
    m_buttonLineColor->setAutoDefault(false);
    m_buttonShadeColor->setAutoDefault(false);

    auto* texts = new QGridLayout;
    texts->addWidget(new QLabel(QStringLiteral("Function"), this), 0, 0);
    texts->addWidget(m_editFunction, 0, 1);
    texts->addWidget(m_previewFunction, 1, 0, 1, 2, Qt::AlignLeft);
    texts->addWidget(new QLabel(QStringLiteral("Domain"), this), 2, 0);
    texts->addWidget(m_editDomain, 2, 1);
    texts->addWidget(m_previewDomain, 3, 0, 1, 2, Qt::AlignRight);

    auto* switches = new QGridLayout;
    switches->addWidget(m_checkVAsym, 0, 0);
    switches->addWidget(m_checkHAsym, 1, 0);
    switches->addWidget(m_checkRangeArrows, 2, 0);
    switches->addWidget(m_checkShowLow, 0, 1);
    switches->addWidget(m_checkShowHigh, 1, 1);
    switches->addWidget(m_checkMarkFlag, 2, 1);

    auto* number = new QHBoxLayout;
    number->addWidget(new QLabel(QStringLiteral("Function Number"), this));
    number->addWidget(m_editNumber);
    number->addWidget(m_spin);
    number->addSpacing(16);
    number->addWidget(new QLabel(QStringLiteral("Line Style"), this));
    number->addWidget(m_comboLineStyle, 1);
    auto* colours = new QHBoxLayout;
    colours->addStretch();
    colours->addWidget(m_buttonLineColor);
    colours->addWidget(m_buttonShadeColor);

    auto* left = new QVBoxLayout;
    left->addLayout(texts);
    left->addLayout(switches);
    left->addLayout(number);
    left->addLayout(colours);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(PropertyButtons(this, m_buttonSetAsDefault));

    connect(m_editFunction, &QLineEdit::textChanged, this, [this] {
        if (!m_loading)
            StoreFunction();
    });
    connect(m_editDomain, &QLineEdit::textChanged, this, [this] {
        if (!m_loading)
            StoreDomain();
    });
    auto link = [this](QCheckBox* box, int& member, int QvGraphDataFunction::*field) {
        connect(box, &QCheckBox::toggled, this, [this, box, &member, field] {
            if (!m_loading)
                StoreSwitch(box, member, Shown().*field);
        });
    };
    link(m_checkVAsym, m_bVAsym, &QvGraphDataFunction::VAsym);
    link(m_checkHAsym, m_bHAsym, &QvGraphDataFunction::HAsym);
    link(m_checkShowLow, m_bShowLow, &QvGraphDataFunction::ShowLow);
    link(m_checkShowHigh, m_bShowHigh, &QvGraphDataFunction::ShowHigh);
    link(m_checkRangeArrows, m_bRangeArrows, &QvGraphDataFunction::RangeArrows);
    link(m_checkMarkFlag, m_bMarkFlag, &QvGraphDataFunction::markFlag);
    connect(m_comboLineStyle, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_loading)
            StoreLineStyle();
    });
    connect(m_spin, &QScrollBar::valueChanged, this, [this](int position) {
        if (!m_loading)
            ShowFunction(NumberAt(position));
    });
    connect(m_editNumber, &QLineEdit::textEdited, this, [this] { OnChangeNumber(); });
    connect(m_buttonLineColor, &QPushButton::clicked, this, [this] { OnLineColor(); });
    connect(m_buttonShadeColor, &QPushButton::clicked, this, [this] { OnShadeColor(); });
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
}

void CEditFunctionsDlg::Load(const QvGraphData& data) {
    m_graphData = data;
    m_nFunction = 1;
    LoadMembers();
}

void CEditFunctionsDlg::LoadMembers() {
    const QvGraphDataFunction& r = Shown();
    m_strFunction = r.caption;
    m_strDomain = r.rangeText;
    m_bVAsym = r.VAsym;
    m_bHAsym = r.HAsym;
    m_bRangeArrows = r.RangeArrows;
    m_bShowLow = r.ShowLow;
    m_bShowHigh = r.ShowHigh;
    m_bMarkFlag = r.markFlag;
    m_nLineStyle = r.lineCommand;
    m_lineColor = r.m_Color;
    // Each function's own shading too, so that the next change of it goes
    // into the function it belongs to.
    m_shadeColor = r.m_ShadeColor;
}

void CEditFunctionsDlg::ShowMembers() {
    m_loading = true;
    UpdateData(FALSE);
    m_comboLineStyle->SelectByData(DWORD(m_nLineStyle));
    m_spin->setValue(SpinPosition(m_nFunction));
    ShowColourSwatch(m_buttonLineColor, m_lineColor);
    ShowColourSwatch(m_buttonShadeColor, m_shadeColor);
    m_loading = false;
    m_previewFunction->update();
    m_previewDomain->update();
}

BOOL CEditFunctionsDlg::OnInitDialog() {
    if (m_nFunction < 1 || m_nFunction > kFunctions)
        m_nFunction = 1;
    // Filling selects the first style on its way, which is nobody's choice.
    m_loading = true;
    m_comboLineStyle->clear();
    m_comboLineStyle->FillFromTable(kLineStyleComboTable, 0);
    m_loading = false;
    ShowMembers();
    // What the caller filled in goes into the shown function.
    StoreAll();
    return TRUE;
}

void CEditFunctionsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editFunction, m_strFunction);
    DDX_Text(pDX, m_editDomain, m_strDomain);
    DDX_Check(pDX, m_checkVAsym, m_bVAsym);
    DDX_Check(pDX, m_checkHAsym, m_bHAsym);
    DDX_Check(pDX, m_checkRangeArrows, m_bRangeArrows);
    DDX_Check(pDX, m_checkShowLow, m_bShowLow);
    DDX_Check(pDX, m_checkShowHigh, m_bShowHigh);
    DDX_Check(pDX, m_checkMarkFlag, m_bMarkFlag);
    // A refused number leaves the shown function as it is.
    int number = m_nFunction;
    DDX_Text(pDX, m_editNumber, number);
    DDV_MinMaxInt(pDX, number, 1, kFunctions);
    m_nFunction = number;
}

void CEditFunctionsDlg::ShowFunction(int number) {
    if (number < 1 || number > kFunctions)
        return;
    m_nFunction = number;
    LoadMembers();
    ShowMembers();
    StoreFunction();
    StoreDomain();
}

void CEditFunctionsDlg::OnChangeNumber() {
    // An empty box is the user about to type a number.
    if (m_editNumber->text().trimmed().isEmpty())
        return;
    const int shown = m_nFunction;
    if (!UpdateData(TRUE))
        return;
    if (m_nFunction != shown)
        ShowFunction(m_nFunction);
}

void CEditFunctionsDlg::StoreFunction() {
    QvGraphDataFunction& r = Shown();
    m_strFunction = m_editFunction->text();
    r.caption = m_strFunction;
    r.expression = FunctionText(m_strFunction);
    r.dirty = 1;
    m_stored[m_nFunction - 1] = true;
    m_previewFunction->update();
}

void CEditFunctionsDlg::StoreDomain() {
    QvGraphDataFunction& r = Shown();
    m_strDomain = m_editDomain->text();
    r.rangeText = m_strDomain;
    r.dirty = 1;
    m_stored[m_nFunction - 1] = true;
    m_previewDomain->update();
}

void CEditFunctionsDlg::StoreSwitch(QCheckBox* box, int& member, int& field) {
    member = box->isChecked() ? 1 : 0;
    field = member;
    Shown().dirty = 1;
}

void CEditFunctionsDlg::StoreLineStyle() {
    // A style the list does not offer stays as it was.
    if (m_comboLineStyle->currentIndex() >= 0)
        m_nLineStyle = int(m_comboLineStyle->GetSelectedData());
    Shown().lineCommand = m_nLineStyle;
    Shown().dirty = 1;
}

void CEditFunctionsDlg::StoreAll() {
    StoreFunction();
    StoreDomain();
    QvGraphDataFunction& r = Shown();
    r.VAsym = m_bVAsym;
    r.HAsym = m_bHAsym;
    r.ShowLow = m_bShowLow;
    r.ShowHigh = m_bShowHigh;
    r.RangeArrows = m_bRangeArrows;
    r.markFlag = m_bMarkFlag;
    r.m_Color = m_lineColor;
    r.m_ShadeColor = m_shadeColor;
    StoreLineStyle();
}

void CEditFunctionsDlg::OnLineColor() {
    if (!ChooseColourWithCustomColours(this, m_lineColor))
        return;
    ShowColourSwatch(m_buttonLineColor, m_lineColor);
    Shown().m_Color = m_lineColor;
    Shown().dirty = 1;
}

void CEditFunctionsDlg::OnShadeColor() {
    if (!ChooseColourWithCustomColours(this, m_shadeColor))
        return;
    ShowColourSwatch(m_buttonShadeColor, m_shadeColor);
    Shown().m_ShadeColor = m_shadeColor;
    Shown().dirty = 1;
}

void CEditFunctionsDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    // A text the graph cannot hold would silently draw nothing.
    for (int i = 0; i < kFunctions; ++i) {
        if (!m_stored[i])
            continue;
        QvFunction f;
        f.data = m_graphData.functions[i];
        const bool functionFits = f.Compile() == QvFunction::kFits;
        const bool domainFits = functionFits && f.ParseDomain() == QvFunction::kFits;
        if (functionFits && domainFits)
            continue;
        ShowFunction(i + 1);
        AfxMessageBox(functionFits ? QStringLiteral("The domain of function %1 is too long for "
                                                    "the graph. Please shorten it.")
                                         .arg(i + 1)
                                   : QStringLiteral("Function %1 is too long for the graph. "
                                                    "Please shorten it.")
                                         .arg(i + 1),
                      MB_ICONEXCLAMATION);
        QLineEdit* edit = functionFits ? m_editDomain : m_editFunction;
        edit->setFocus();
        edit->selectAll();
        return;
    }
    EndDialog(IDOK);
}

void CEditFunctionsDlg::OnSetAsDefault() {
    if (!UpdateData(TRUE))
        return;
    QvFunctionStyle& style = TheSettings().m_GraphDefaults.FunctionStyle[m_nFunction - 1];
    style.VAsym.SetValue(m_bVAsym ? 1 : 0);
    style.HAsym.SetValue(m_bHAsym ? 1 : 0);
    style.RangeArrows.SetValue(m_bRangeArrows ? 1 : 0);
    style.ShowLow.SetValue(m_bShowLow ? 1 : 0);
    style.ShowHigh.SetValue(m_bShowHigh ? 1 : 0);
    style.Pen.SetValue(m_nLineStyle);
    style.m_Color.SetValue(m_lineColor);
    TheSettings().Save(FALSE);
}

void CEditFunctionsDlg::DrawFunction(CDC* dc) {
    DrawTyped(dc, m_editFunction->text(), kFunctionX, kFunctionY);
}

void CEditFunctionsDlg::DrawDomain(CDC* dc) {
    DrawTyped(dc, m_editDomain->text(), kDomainX, kDomainY);
}

bool RunEditFunctionsDialog(QvGraphData& data) {
    CEditFunctionsDlg dlg(QApplication::activeWindow());
    dlg.Load(data);
    if (dlg.DoModal() != IDOK)
        return false;
    data = dlg.m_graphData;
    return true;
}
