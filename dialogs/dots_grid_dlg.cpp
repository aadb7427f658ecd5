#include "dialogs/dots_grid_dlg.h"

#include "diagrams/fig_grid_dot.h"
#include "dialogs/style_combo_box.h"
#include "platform/message_box.h"
#include "platform/qt_convert.h"
#include "settings/settings.h"
#include "text/number_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The dot marks in the order the list shows them.
constexpr ComboItem kDotTypeTable[] = {{34019, 3}, {34017, 1}, {34021, 2}, {34016, 6},
                                       {34022, 8}, {34020, 4}, {34018, 5}, {0, 0}};

// Refuses the exchange with `text` when value is not a number above 0.
void DDV_Positive(CDataExchange* pDX, double value, const QString& text) {
    if (!pDX->m_bSaveAndValidate || (value > 0.0 && std::isfinite(value)))
        return;
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    pDX->Fail();
}

QGroupBox* RadioBox(const QString& title, const QStringList& labels,
                    QList<QAbstractButton*>& buttons, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    for (const QString& label : labels) {
        auto* radio = new QRadioButton(label, box);
        layout->addWidget(radio);
        buttons.append(radio);
    }
    return box;
}

QComboBox* AngleCombo(const QStringList& items, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    return combo;
}

} // namespace

CDotsGridPropertiesDlg::CDotsGridPropertiesDlg(QWidget* parent)
    : CDialog(parent), m_editMajorSize(new QLineEdit(this)), m_editMinorSize(new QLineEdit(this)),
      m_comboMajorAngle(AngleCombo(
          {QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("22.5"), QStringLiteral("30"),
           QStringLiteral("45"), QStringLiteral("60"), QStringLiteral("90"), QStringLiteral("180")},
          this)),
      m_comboMinorAngle(
          AngleCombo({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"),
                      QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("22.5"),
                      QStringLiteral("30"), QStringLiteral("45"), QStringLiteral("60")},
                     this)),
      m_groupLines(new QGroupBox(QStringLiteral("Line Colors and Styles"), this)),
      m_groupDotType(new QGroupBox(QStringLiteral("Dot Type"), this)),
      m_comboPointType(new CMarkerComboBox(m_groupDotType)),
      m_groupLog(new QGroupBox(QStringLiteral("Logarithmic Scales"), this)),
      m_checkXLog(new QCheckBox(QStringLiteral("x Axis"), m_groupLog)),
      m_checkYLog(new QCheckBox(QStringLiteral("y Axis"), m_groupLog)),
      m_buttonSetAsDefault(new QPushButton(QStringLiteral("Set as Default"), this)) {
    setWindowTitle(QStringLiteral("Dots / Grid Properties"));
    auto* columns = new QHBoxLayout(this);

    // Paper, dots or lines, sizes.
    auto* left = new QVBoxLayout;
    left->addWidget(
        RadioBox(QStringLiteral("Style"),
                 {QStringLiteral("Cartesian (Square)"), QStringLiteral("Isometric (Triangular)"),
                  QStringLiteral("Polar (Circular)"), QStringLiteral("Hexagonal")},
                 m_radioPaperType, this));
    m_groupType = RadioBox(QStringLiteral("Type"), {QStringLiteral("Dots"), QStringLiteral("Grid")},
                           m_radioStyle, this);
    static_cast<QVBoxLayout*>(m_groupType->layout())->setDirection(QBoxLayout::LeftToRight);
    left->addWidget(m_groupType);
    auto* sizes = new QGroupBox(QStringLiteral("Sizes"), this);
    auto* sizeGrid = new QGridLayout(sizes);
    const QString sizeLabels[] = {QStringLiteral("Major Size (mm)"),
                                  QStringLiteral("Minor Size (mm)"), QStringLiteral("Major Angle"),
                                  QStringLiteral("Minor Angle")};
    QWidget* sizeFields[] = {m_editMajorSize, m_editMinorSize, m_comboMajorAngle,
                             m_comboMinorAngle};
    for (int i = 0; i < 4; ++i) {
        sizeGrid->addWidget(new QLabel(sizeLabels[i], sizes), i, 0);
        sizeFields[i]->setParent(sizes);
        sizeGrid->addWidget(sizeFields[i], i, 1);
    }
    left->addWidget(sizes);
    columns->addLayout(left);

    // The four line classes.  A class's title is a box of its own, not the
    // parent of its list and button: the y-major pen stays in use for
    // isometric paper while its title is greyed.
    auto* middle = new QVBoxLayout;
    auto* classes = new QGridLayout(m_groupLines);
    const QString classTitles[] = {QStringLiteral("x Major"), QStringLiteral("x Minor"),
                                   QStringLiteral("y Major"), QStringLiteral("y Minor")};
    for (int i = 0; i < 4; ++i) {
        m_groupClass[i] = new QGroupBox(classTitles[i], m_groupLines);
        auto* content = new QWidget(m_groupLines);
        auto* contentLayout = new QVBoxLayout(content);
        contentLayout->setContentsMargins(12, 24, 12, 8);
        m_comboPen[i] = new CLineStyleComboBox(content);
        m_comboPen[i]->FillFromTable(kLineStyleComboTable, 0);
        m_buttonColour[i] = new QPushButton(QStringLiteral("Color"), content);
        m_buttonColour[i]->setAutoDefault(false);
        contentLayout->addWidget(m_comboPen[i]);
        contentLayout->addWidget(m_buttonColour[i]);
        classes->addWidget(m_groupClass[i], i / 2, i % 2);
        classes->addWidget(content, i / 2, i % 2);
        connect(m_buttonColour[i], &QPushButton::clicked, this, [this, i] { OnColour(i); });
    }
    middle->addWidget(m_groupLines);
    auto* dotLayout = new QHBoxLayout(m_groupDotType);
    m_comboPointType->FillFromTable(kDotTypeTable, 0);
    dotLayout->addWidget(m_comboPointType);
    middle->addWidget(m_groupDotType);
    auto* logLayout = new QHBoxLayout(m_groupLog);
    logLayout->addWidget(m_checkXLog);
    logLayout->addWidget(m_checkYLog);
    middle->addWidget(m_groupLog);
    columns->addLayout(middle);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_buttonSetAsDefault->setAutoDefault(false);
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
    auto* right = new QVBoxLayout;
    right->addWidget(m_buttonSetAsDefault);
    right->addStretch();
    right->addWidget(buttons);
    columns->addLayout(right);

    for (QAbstractButton* radio : m_radioPaperType + m_radioStyle)
        connect(radio, &QAbstractButton::toggled, this, [this] { UpdateEnabling(); });
}

BOOL CDotsGridPropertiesDlg::OnInitDialog() {
    BOOL ok = CDialog::OnInitDialog();
    UpdateEnabling();
    for (int i = 0; i < 4; ++i)
        ShowColour(i);
    return ok;
}

void CDotsGridPropertiesDlg::UpdateEnabling() {
    auto checked = [](const QList<QAbstractButton*>& buttons) {
        for (int i = 0; i < buttons.size(); ++i)
            if (buttons[i]->isChecked())
                return i;
        return -1;
    };
    const int paper = checked(m_radioPaperType);
    const bool hexagonal = paper == 3;
    const bool lines = checked(m_radioStyle) == 1;
    // Hexagonal paper is always lines, whatever the style says.
    const bool anyLines = hexagonal || lines;
    const bool fourClasses = lines && (paper == 0 || paper == 2);
    m_groupLog->setEnabled(lines && paper == 0);
    m_groupLines->setEnabled(anyLines);
    m_groupClass[0]->setEnabled(anyLines);
    m_comboPen[0]->setEnabled(anyLines);
    m_buttonColour[0]->setEnabled(anyLines);
    m_comboPen[2]->setEnabled(lines && !hexagonal);
    m_buttonColour[2]->setEnabled(lines && !hexagonal);
    for (int i : {1, 2, 3})
        m_groupClass[i]->setEnabled(fourClasses);
    for (int i : {1, 3}) {
        m_comboPen[i]->setEnabled(fourClasses);
        m_buttonColour[i]->setEnabled(fourClasses);
    }
    m_groupDotType->setEnabled(!anyLines);
    m_comboMajorAngle->setEnabled(paper == 2);
    m_comboMinorAngle->setEnabled(paper == 2);
    m_editMinorSize->setEnabled(fourClasses);
    m_groupType->setEnabled(!hexagonal);
}

void CDotsGridPropertiesDlg::ShowColour(int which) {
    QPixmap swatch(24, 12);
    swatch.fill(ToQColor(m_colours[which]));
    m_buttonColour[which]->setIcon(QIcon(swatch));
}

QColor CDotsGridPropertiesDlg::ChooseColour(const QColor& initial) {
    return QColorDialog::getColor(initial, this);
}

void CDotsGridPropertiesDlg::OnColour(int which) {
    if (which < 0 || which > 3)
        return;
    QvCustomColorSettings& custom = TheSettings().m_CustomColors;
    for (int i = 0; i < QvCustomColorSettings::kCount; ++i)
        QColorDialog::setCustomColor(i, ToQColor(custom[i].GetValue()));
    const QColor chosen = ChooseColour(ToQColor(m_colours[which]));
    if (!chosen.isValid())
        return;
    m_colours[which] = FromQColor(chosen);
    ShowColour(which);
    for (int i = 0; i < QvCustomColorSettings::kCount; ++i)
        custom[i].SetValue(FromQColor(QColorDialog::customColor(i)));
    TheSettings().Save(FALSE);
}

void CDotsGridPropertiesDlg::OnSetAsDefault() {
    if (!UpdateData(TRUE))
        return;
    QvGridDotDefaults& d = TheSettings().m_GridDotDefaults;
    d.Style.SetValue(m_nStyle);
    d.Coord.SetValue(m_nPaperType);
    d.xLog.SetValue(m_bXLog ? 1 : 0);
    d.yLog.SetValue(m_bYLog ? 1 : 0);
    d.MajorSize.SetValue(m_dMajorSize);
    d.MinorSize.SetValue(m_dMinorSize);
    d.MajorAngle.SetValue(QvParseNumber(m_strMajorAngle));
    d.MinorAngle.SetValue(QvParseNumber(m_strMinorAngle));
    d.PointType.SetValue(m_nPointType);
    d.xGridMajorColor.SetValue(m_colours[0]);
    d.xGridMinorColor.SetValue(m_colours[1]);
    d.yGridMajorColor.SetValue(m_colours[2]);
    d.yGridMinorColor.SetValue(m_colours[3]);
    d.xGridMajorPen.SetValue(int(m_pens[0]));
    d.xGridMinorPen.SetValue(int(m_pens[1]));
    d.yGridMajorPen.SetValue(int(m_pens[2]));
    d.yGridMinorPen.SetValue(int(m_pens[3]));
    TheSettings().Save(FALSE);
}

void CDotsGridPropertiesDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Radio(pDX, m_radioPaperType, m_nPaperType);
    DDX_Radio(pDX, m_radioStyle, m_nStyle);
    DDX_Check(pDX, m_checkXLog, m_bXLog);
    DDX_Check(pDX, m_checkYLog, m_bYLog);
    DDX_Text(pDX, m_comboMajorAngle->lineEdit(), m_strMajorAngle);
    DDX_Text(pDX, m_editMajorSize, m_dMajorSize);
    DDV_MinMaxDouble(pDX, m_dMajorSize, 0.0, 300.0);
    // A spacing of 0 would never finish drawing.
    DDV_Positive(pDX, m_dMajorSize, QStringLiteral("The major size must be more than 0 mm."));
    DDX_Text(pDX, m_comboMinorAngle->lineEdit(), m_strMinorAngle);
    DDX_Text(pDX, m_editMinorSize, m_dMinorSize);
    DDV_MinMaxDouble(pDX, m_dMinorSize, 0.0, 100.0);
    // Values the paper does not use are not held against it.
    if (m_editMinorSize->isEnabled())
        DDV_Positive(pDX, m_dMinorSize, QStringLiteral("The minor size must be more than 0 mm."));
    if (pDX->m_bSaveAndValidate && m_comboMajorAngle->isEnabled()) {
        pDX->PrepareCtrl(m_comboMajorAngle);
        DDV_Positive(pDX, QvParseNumber(m_strMajorAngle),
                     QStringLiteral("The major angle must be a number of degrees above 0."));
        pDX->PrepareCtrl(m_comboMinorAngle);
        DDV_Positive(pDX, QvParseNumber(m_strMinorAngle),
                     QStringLiteral("The minor angle must be a number of degrees above 0."));
    }
    for (int i = 0; i < 4; ++i) {
        if (pDX->m_bSaveAndValidate)
            m_pens[i] = m_comboPen[i]->GetSelectedData();
        else
            m_comboPen[i]->SelectByData(m_pens[i]);
    }
    if (pDX->m_bSaveAndValidate)
        m_nPointType = int(m_comboPointType->GetSelectedData());
    else
        m_comboPointType->SelectByData(DWORD(m_nPointType));
}

bool RunDotsGridDialog(QvGridDotDialogValues& values) {
    CDotsGridPropertiesDlg dlg(QApplication::activeWindow());
    dlg.m_nPaperType = values.paperType;
    dlg.m_nStyle = values.style;
    dlg.m_bXLog = values.xLog;
    dlg.m_bYLog = values.yLog;
    dlg.m_strMajorAngle = values.majorAngle;
    dlg.m_dMajorSize = values.majorSize;
    dlg.m_strMinorAngle = values.minorAngle;
    dlg.m_dMinorSize = values.minorSize;
    for (int i = 0; i < 4; ++i) {
        dlg.m_colours[i] = values.colours[i];
        dlg.m_pens[i] = values.pens[i];
    }
    dlg.m_nPointType = values.pointType;
    if (dlg.DoModal() != IDOK)
        return false;
    values.paperType = dlg.m_nPaperType;
    values.style = dlg.m_nStyle;
    values.xLog = dlg.m_bXLog;
    values.yLog = dlg.m_bYLog;
    values.majorAngle = dlg.m_strMajorAngle;
    values.majorSize = dlg.m_dMajorSize;
    values.minorAngle = dlg.m_strMinorAngle;
    values.minorSize = dlg.m_dMinorSize;
    for (int i = 0; i < 4; ++i) {
        values.colours[i] = dlg.m_colours[i];
        values.pens[i] = dlg.m_pens[i];
    }
    values.pointType = dlg.m_nPointType;
    return true;
}
