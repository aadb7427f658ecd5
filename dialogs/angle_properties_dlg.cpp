#include "dialogs/angle_properties_dlg.h"

#include "dialogs/dialog_controls.h"
#include "dialogs/font_color_dlg.h"
#include "dialogs/style_combo_box.h"
#include "figures/fig_angle_mark.h"
#include "settings/settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A mark with no point is no point mark: "No point" is not offered.
constexpr ComboItem kAngleMarkerTable[] = {{34019, 3}, {34017, 1}, {34021, 2}, {34016, 6},
                                           {34022, 8}, {34020, 4}, {34018, 5}};

constexpr int kMostSize = 50;
constexpr int kMostDecimals = 4;

// A radio index the dialog read, or the value it had when no button was
// checked.
void KeepUnlessChosen(int chosen, int& value) {
    if (chosen >= 0)
        value = chosen;
}

} // namespace

CAnglePropertiesDlg::CAnglePropertiesDlg(QWidget* parent)
    : CDialog(parent), m_comboMarker(new CMarkerComboBox(this)), m_editText(new QLineEdit(this)),
      m_checkAngled(new QCheckBox(QStringLiteral("Angled"), this)),
      m_spinDecimals(new QSpinBox(this)), m_labelDecimals(new QLabel(QStringLiteral("dp"), this)),
      m_spinSize(new QSpinBox(this)),
      m_checkPerpendicular(new QCheckBox(QStringLiteral("Show Perpendiculars"), this)),
      m_buttonFont(new QPushButton(QStringLiteral("Font"), this)) {
    setWindowTitle(QStringLiteral("Angle Properties"));
    m_comboMarker->FillFromTable(kAngleMarkerTable, 0);
    m_comboMarker->setMinimumWidth(60);
    m_spinSize->setRange(1, kMostSize);
    m_spinDecimals->setRange(0, kMostDecimals);
    m_buttonFont->setAutoDefault(false);

    auto* type = new QGroupBox(QStringLiteral("Type"), this);
    auto* typeGrid = new QGridLayout(type);
    typeGrid->addWidget(RadioColumn({QStringLiteral("Point"), QStringLiteral("Single Arc"),
                                     QStringLiteral("Double Arc"), QStringLiteral("Triple Arc"),
                                     QStringLiteral("Angle"), QStringLiteral("Text")},
                                    m_radioMarkType, type),
                        0, 0, 6, 1);
    auto* decimals = new QHBoxLayout;
    decimals->addWidget(m_spinDecimals);
    decimals->addWidget(m_labelDecimals);
    decimals->addStretch();
    typeGrid->addWidget(m_comboMarker, 0, 1);
    typeGrid->addLayout(decimals, 1, 1);
    typeGrid->addWidget(m_editText, 2, 1);
    typeGrid->addWidget(
        RadioColumn({QStringLiteral("Degrees"), QStringLiteral("Radians"), QStringLiteral("Grads")},
                    m_radioAngleType, type),
        3, 1);
    typeGrid->addWidget(
        RadioColumn({QStringLiteral("Normal"), QStringLiteral("Equation")}, m_radioTextType, type),
        4, 1);
    typeGrid->addWidget(m_checkAngled, 5, 1);

    auto* size = new QGroupBox(QStringLiteral("Size/Position"), this);
    (new QVBoxLayout(size))->addWidget(m_spinSize, 0, Qt::AlignTop);
    auto* perpendicular = new QGroupBox(this);
    (new QVBoxLayout(perpendicular))->addWidget(m_checkPerpendicular);
    auto* major = new QGroupBox(this);
    (new QVBoxLayout(major))
        ->addWidget(
            RadioColumn({QStringLiteral("Major"), QStringLiteral("Minor")}, m_radioMajor, major));

    auto* grid = new QGridLayout;
    grid->addWidget(type, 0, 0);
    grid->addWidget(size, 0, 1);
    grid->addWidget(perpendicular, 1, 0);
    grid->addWidget(major, 1, 1);
    QVBoxLayout* buttons = PropertyButtons(this, m_buttonSetAsDefault);
    buttons->insertWidget(0, m_buttonFont);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    for (int i = 0; i < m_radioMarkType.size(); ++i)
        connect(m_radioMarkType[i], &QAbstractButton::clicked, this,
                [this, i] { ShowControlsFor(i); });
    connect(m_buttonFont, &QPushButton::clicked, this, [this] { OnFont(); });
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
}

void CAnglePropertiesDlg::Load(const QvEditDataAngle& r) {
    m_nSize = int(r.m_size);
    m_nMarkType = int(r.m_markType);
    m_nAngleType = int(r.m_angleType);
    m_nTextType = int(r.m_textType);
    m_nPointType = int(r.m_pointType);
    m_strText = r.m_text;
    m_bPerpendicular = r.m_autoPerpendicular ? 1 : 0;
    m_bAngled = r.m_angled ? 1 : 0;
    m_logFont = r.m_font.m_logFont;
    m_nDrawHeight = r.m_font.m_drawHeight;
    m_color = r.m_font.m_color;
    m_nDecimalPlaces = r.m_decimalPlaces;
    m_nMajor = r.m_major ? 0 : 1;
}

void CAnglePropertiesDlg::Store(QvEditDataAngle& r) const {
    r.m_size = m_nSize;
    r.m_markType = m_nMarkType;
    r.m_angleType = m_nAngleType;
    r.m_textType = m_nTextType;
    r.m_pointType = m_nPointType;
    r.m_text = m_strText;
    r.m_autoPerpendicular = m_bPerpendicular != 0 ? 1 : 0;
    r.m_angled = m_bAngled != 0 ? 1 : 0;
    r.m_font.Set(m_logFont, m_color, m_nDrawHeight);
    r.m_decimalPlaces = short(m_nDecimalPlaces);
    if (m_nMajor >= 0)
        r.m_major = m_nMajor == 0 ? 1 : 0;
}

void CAnglePropertiesDlg::ShowControlsFor(int markType) {
    using A = QvEditDataAngle;
    const bool point = markType == A::PointMarker;
    const bool value = markType == A::AngleValue;
    const bool text = markType == A::TextLabel;
    m_comboMarker->setVisible(point);
    for (QAbstractButton* b : m_radioAngleType)
        b->setVisible(value);
    m_spinDecimals->setVisible(value);
    m_labelDecimals->setVisible(value);
    for (QAbstractButton* b : m_radioTextType)
        b->setVisible(text);
    m_editText->setVisible(text);
    m_checkAngled->setVisible(value || text);
}

BOOL CAnglePropertiesDlg::OnInitDialog() {
    m_spinSize->setValue(m_nSize);
    m_comboMarker->SelectByData(DWORD(m_nPointType));
    ShowControlsFor(m_nMarkType);
    CDialog::OnInitDialog();
    m_spinDecimals->setValue(m_nDecimalPlaces);
    return TRUE;
}

void CAnglePropertiesDlg::DoDataExchange(CDataExchange* pDX) {
    int chosen = m_nAngleType;
    DDX_Radio(pDX, m_radioAngleType, chosen);
    KeepUnlessChosen(chosen, m_nAngleType);
    chosen = m_nMarkType;
    DDX_Radio(pDX, m_radioMarkType, chosen);
    KeepUnlessChosen(chosen, m_nMarkType);
    chosen = m_nTextType;
    DDX_Radio(pDX, m_radioTextType, chosen);
    KeepUnlessChosen(chosen, m_nTextType);
    DDX_Radio(pDX, m_radioMajor, m_nMajor);
    DDX_Text(pDX, m_editText, m_strText);
    DDX_Check(pDX, m_checkPerpendicular, m_bPerpendicular);
    DDX_Check(pDX, m_checkAngled, m_bAngled);
}

bool CAnglePropertiesDlg::TakeValues() {
    m_nSize = m_spinSize->value();
    m_nPointType = int(m_comboMarker->GetSelectedData());
    m_nDecimalPlaces = m_spinDecimals->value();
    return UpdateData(TRUE);
}

void CAnglePropertiesDlg::OnOK() {
    if (TakeValues())
        EndDialog(IDOK);
}

void CAnglePropertiesDlg::OnFont() {
    ChooseFontAndColour(this, m_logFont, m_color, m_nDrawHeight);
}

void CAnglePropertiesDlg::OnSetAsDefault() {
    if (!TakeValues())
        return;
    QvSettings& settings = TheSettings();
    QvAngleDefaults& d = settings.m_AngleDefaults;
    d.Angled.SetValue(m_bAngled != 0);
    d.AngleType.SetValue(m_nAngleType);
    d.AutoPerp.SetValue(m_bPerpendicular != 0);
    d.DecimalPlaces.SetValue(m_nDecimalPlaces);
    // Neither side chosen is the minor side, as for arcs.
    d.Major.SetValue(m_nMajor == 0);
    d.MarkType.SetValue(m_nMarkType);
    d.PointType.SetValue(m_nPointType);
    d.Size.SetValue(m_nSize);
    d.Text.SetValue(m_strText);
    d.TextType.SetValue(m_nTextType);
    QvLogFont font;
    font.Set(m_logFont, m_color, m_nDrawHeight);
    d.Font.SetValue(font);
    settings.Save(FALSE);
}

bool RunAngleDialog(QvEditDataAngle& record) {
    CAnglePropertiesDlg dlg(QApplication::activeWindow());
    dlg.Load(record);
    if (dlg.DoModal() != IDOK)
        return false;
    dlg.Store(record);
    return true;
}
