#include "dialogs/graph_axes_dlg.h"

#include "dialogs/colour_choice.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/style_combo_box.h"
#include "graphs/graph_data.h"
#include "platform/command_ids.h"
#include "settings/settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void FillStyles(CLineStyleComboBox* combo, int style) {
    combo->clear();
    combo->FillFromTable(kLineStyleComboTable, 0);
    // A style the list does not offer selects nothing.
    combo->SelectByData(DWORD(style));
}

QPushButton* ColourButton(QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("Color"), parent);
    button->setAutoDefault(false);
    return button;
}

// One axis's group: the four texts, the three switches, its line style and
// its colour button.
QGroupBox* AxisGroup(const QString& axis, QLineEdit* const (&edits)[4],
                     QCheckBox* const (&checks)[3], CLineStyleComboBox* line, QPushButton* colour,
                     QWidget* parent) {
    auto* group = new QGroupBox(axis + QStringLiteral(" Axis"), parent);
    auto* grid = new QGridLayout(group);
    const char* labels[4] = {"Maximum", "Minimum", "Major Ticks", "Minor Ticks"};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(QString::fromLatin1(labels[i]), group), i, 0);
        grid->addWidget(edits[i], i, 1);
    }
    auto* show = new QHBoxLayout;
    show->addWidget(new QLabel(QStringLiteral("Show ") + axis + QStringLiteral(" "), group));
    for (QCheckBox* box : checks)
        show->addWidget(box);
    show->addStretch();
    grid->addLayout(show, 4, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Line"), group), 5, 0);
    grid->addWidget(line, 5, 1);
    grid->addWidget(colour, 6, 1, Qt::AlignRight);
    return group;
}

} // namespace

// --- Edit Axes ---------------------------------------------------------------------

CEditAxesDlg::CEditAxesDlg(QWidget* parent)
    : CDialog(parent), m_editXMax(new QLineEdit(this)), m_editXMin(new QLineEdit(this)),
      m_editXMajor(new QLineEdit(this)), m_editXMinor(new QLineEdit(this)),
      m_editYMax(new QLineEdit(this)), m_editYMin(new QLineEdit(this)),
      m_editYMajor(new QLineEdit(this)), m_editYMinor(new QLineEdit(this)),
      m_checkXScale(new QCheckBox(QStringLiteral("Scale"), this)),
      m_checkXTicks(new QCheckBox(QStringLiteral("Ticks"), this)),
      m_checkXAxis(new QCheckBox(QStringLiteral("Axis"), this)),
      m_checkYScale(new QCheckBox(QStringLiteral("Scale"), this)),
      m_checkYTicks(new QCheckBox(QStringLiteral("Ticks"), this)),
      m_checkYAxis(new QCheckBox(QStringLiteral("Axis"), this)),
      m_comboXLine(new CLineStyleComboBox(this)), m_comboYLine(new CLineStyleComboBox(this)),
      m_buttonXColor(ColourButton(this)), m_buttonYColor(ColourButton(this)) {
    setWindowTitle(QStringLiteral("Edit Axes"));
    auto* groups = new QVBoxLayout;
    groups->addWidget(AxisGroup(
        QStringLiteral("x"), {m_editXMax, m_editXMin, m_editXMajor, m_editXMinor},
        {m_checkXScale, m_checkXTicks, m_checkXAxis}, m_comboXLine, m_buttonXColor, this));
    groups->addWidget(AxisGroup(
        QStringLiteral("y"), {m_editYMax, m_editYMin, m_editYMajor, m_editYMinor},
        {m_checkYScale, m_checkYTicks, m_checkYAxis}, m_comboYLine, m_buttonYColor, this));
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(PropertyButtons(this, m_buttonSetAsDefault));
    connect(m_buttonXColor, &QPushButton::clicked, this, [this] { OnXColor(); });
    connect(m_buttonYColor, &QPushButton::clicked, this, [this] { OnYColor(); });
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
}

void CEditAxesDlg::Load(const QvGraphData& d) {
    m_strXMax = d.xMaxShowS;
    m_strXMin = d.xMinShowS;
    m_strXMajor = d.xMajorS;
    m_strXMinor = d.xMinorS;
    m_strYMax = d.yMaxShowS;
    m_strYMin = d.yMinShowS;
    m_strYMajor = d.yMajorS;
    m_strYMinor = d.yMinorS;
    m_bXScale = d.showXLabels;
    m_bXTicks = d.showXTicks;
    m_bXAxis = d.showXAxis;
    m_bYScale = d.showYLabels;
    m_bYTicks = d.showYTicks;
    m_bYAxis = d.showYAxis;
    m_xColor = d.xColor;
    m_yColor = d.yColor;
    m_nXLine = d.xLine;
    m_nYLine = d.yLine;
}

void CEditAxesDlg::Store(QvGraphData& d) const {
    d.xMaxShowS = m_strXMax;
    d.xMinShowS = m_strXMin;
    d.xMajorS = m_strXMajor;
    d.xMinorS = m_strXMinor;
    d.yMaxShowS = m_strYMax;
    d.yMinShowS = m_strYMin;
    d.yMajorS = m_strYMajor;
    d.yMinorS = m_strYMinor;
    d.showXLabels = BYTE(m_bXScale);
    d.showXTicks = BYTE(m_bXTicks);
    d.showXAxis = BYTE(m_bXAxis);
    d.showYLabels = BYTE(m_bYScale);
    d.showYTicks = BYTE(m_bYTicks);
    d.showYAxis = BYTE(m_bYAxis);
    d.xColor = m_xColor;
    d.yColor = m_yColor;
    d.xLine = m_nXLine;
    d.yLine = m_nYLine;
}

BOOL CEditAxesDlg::OnInitDialog() {
    FillStyles(m_comboXLine, m_nXLine);
    FillStyles(m_comboYLine, m_nYLine);
    ShowColourSwatch(m_buttonXColor, m_xColor);
    ShowColourSwatch(m_buttonYColor, m_yColor);
    return CDialog::OnInitDialog();
}

void CEditAxesDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editXMax, m_strXMax);
    DDX_Text(pDX, m_editXMin, m_strXMin);
    DDX_Text(pDX, m_editXMajor, m_strXMajor);
    DDX_Text(pDX, m_editXMinor, m_strXMinor);
    DDX_Check(pDX, m_checkXScale, m_bXScale);
    DDX_Check(pDX, m_checkXTicks, m_bXTicks);
    DDX_Check(pDX, m_checkXAxis, m_bXAxis);
    DDX_Text(pDX, m_editYMax, m_strYMax);
    DDX_Text(pDX, m_editYMin, m_strYMin);
    DDX_Text(pDX, m_editYMajor, m_strYMajor);
    DDX_Text(pDX, m_editYMinor, m_strYMinor);
    DDX_Check(pDX, m_checkYScale, m_bYScale);
    DDX_Check(pDX, m_checkYTicks, m_bYTicks);
    DDX_Check(pDX, m_checkYAxis, m_bYAxis);
}

void CEditAxesDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    m_nXLine = int(m_comboXLine->GetSelectedData());
    m_nYLine = int(m_comboYLine->GetSelectedData());
    EndDialog(IDOK);
}

void CEditAxesDlg::OnSetAsDefault() {
    if (!UpdateData(TRUE))
        return;
    QvGraphDefaults& g = TheSettings().m_GraphDefaults;
    g.xMajorS.SetValue(m_strXMajor);
    g.xMaxShowS.SetValue(m_strXMax);
    g.xMinShowS.SetValue(m_strXMin);
    g.xMinorS.SetValue(m_strXMinor);
    g.yMajorS.SetValue(m_strYMajor);
    g.yMaxShowS.SetValue(m_strYMax);
    g.yMinShowS.SetValue(m_strYMin);
    g.yMinorS.SetValue(m_strYMinor);
    g.xColor.SetValue(m_xColor);
    g.yColor.SetValue(m_yColor);
    g.xLine.SetValue(m_nXLine);
    g.yLine.SetValue(m_nYLine);
    TheSettings().Save(FALSE);
}

void CEditAxesDlg::OnXColor() {
    if (ChooseColourWithCustomColours(this, m_xColor))
        ShowColourSwatch(m_buttonXColor, m_xColor);
}

void CEditAxesDlg::OnYColor() {
    if (ChooseColourWithCustomColours(this, m_yColor))
        ShowColourSwatch(m_buttonYColor, m_yColor);
}

bool RunEditAxesDialog(QvGraphData& data) {
    CEditAxesDlg dlg(QApplication::activeWindow());
    dlg.Load(data);
    if (dlg.DoModal() != IDOK)
        return false;
    dlg.Store(data);
    return true;
}

// --- Grid Properties ---------------------------------------------------------------

CGraphGridDlg::CGraphGridDlg(QWidget* parent) : CDialog(parent) {
    setWindowTitle(QStringLiteral("Grid Properties"));
    const char* titles[kGroups] = {"x Major", "x Minor", "y Major", "y Minor"};
    auto* groups = new QGridLayout;
    for (int i = 0; i < kGroups; ++i) {
        auto* group = new QGroupBox(QString::fromLatin1(titles[i]), this);
        m_checkShow[i] = new QCheckBox(QStringLiteral("Show"), group);
        m_comboPen[i] = new CLineStyleComboBox(group);
        m_buttonColour[i] = ColourButton(group);
        auto* row = new QHBoxLayout(group);
        row->addWidget(m_checkShow[i]);
        row->addWidget(m_comboPen[i], 1);
        row->addWidget(m_buttonColour[i]);
        groups->addWidget(group, i / 2, i % 2);
        connect(m_buttonColour[i], &QPushButton::clicked, this, [this, i] { OnColor(i); });
    }
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(PropertyButtons(this, m_buttonSetAsDefault));
    m_buttonSetAsDefault->setText(QStringLiteral("Set As Default"));
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
}

void CGraphGridDlg::Load(const QvGraphData& d) {
    m_colours[XMajor] = d.xGridMajorColor;
    m_colours[XMinor] = d.xGridMinorColor;
    m_colours[YMajor] = d.yGridMajorColor;
    m_colours[YMinor] = d.yGridMinorColor;
    m_pens[XMajor] = d.xGridMajorPen;
    m_pens[XMinor] = d.xGridMinorPen;
    m_pens[YMajor] = d.yGridMajorPen;
    m_pens[YMinor] = d.yGridMinorPen;
}

void CGraphGridDlg::Store(QvGraphData& d) const {
    d.xGridMajorColor = m_colours[XMajor];
    d.xGridMinorColor = m_colours[XMinor];
    d.yGridMajorColor = m_colours[YMajor];
    d.yGridMinorColor = m_colours[YMinor];
    d.xGridMajorPen = m_pens[XMajor];
    d.xGridMinorPen = m_pens[XMinor];
    d.yGridMajorPen = m_pens[YMajor];
    d.yGridMinorPen = m_pens[YMinor];
}

BOOL CGraphGridDlg::OnInitDialog() {
    for (int i = 0; i < kGroups; ++i) {
        FillStyles(m_comboPen[i], m_pens[i]);
        m_bShow[i] = m_pens[i] != int(ID_LINE_NONE) ? 1 : 0;
        ShowColourSwatch(m_buttonColour[i], m_colours[i]);
    }
    return CDialog::OnInitDialog();
}

void CGraphGridDlg::DoDataExchange(CDataExchange* pDX) {
    for (int i = 0; i < kGroups; ++i)
        DDX_Check(pDX, m_checkShow[i], m_bShow[i]);
}

void CGraphGridDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    for (int i = 0; i < kGroups; ++i)
        m_pens[i] = m_bShow[i] ? int(m_comboPen[i]->GetSelectedData()) : int(ID_LINE_NONE);
    EndDialog(IDOK);
}

void CGraphGridDlg::OnSetAsDefault() {
    if (!UpdateData(TRUE))
        return;
    QvGraphDefaults& g = TheSettings().m_GraphDefaults;
    g.xGridMajorColor.SetValue(m_colours[XMajor]);
    g.xGridMinorColor.SetValue(m_colours[XMinor]);
    g.yGridMajorColor.SetValue(m_colours[YMajor]);
    g.yGridMinorColor.SetValue(m_colours[YMinor]);
    g.xGridMajorPen.SetValue(m_pens[XMajor]);
    g.xGridMinorPen.SetValue(m_pens[XMinor]);
    g.yGridMajorPen.SetValue(m_pens[YMajor]);
    g.yGridMinorPen.SetValue(m_pens[YMinor]);
    TheSettings().Save(FALSE);
}

void CGraphGridDlg::OnColor(int group) {
    if (group < 0 || group >= kGroups)
        return;
    if (ChooseColourWithCustomColours(this, m_colours[group]))
        ShowColourSwatch(m_buttonColour[group], m_colours[group]);
}

bool RunGraphGridDialog(QvGraphData& data) {
    CGraphGridDlg dlg(QApplication::activeWindow());
    dlg.Load(data);
    if (dlg.DoModal() != IDOK)
        return false;
    dlg.Store(data);
    return true;
}
