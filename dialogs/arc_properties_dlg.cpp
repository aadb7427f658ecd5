#include "dialogs/arc_properties_dlg.h"

#include "dialogs/dialog_controls.h"
#include "figures/fig_arc.h"
#include "settings/settings.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The slashes and the double line do not suit an arc.
constexpr ComboItem kArcEndTable[] = {{34000, 10}, {34001, 11}, {34002, 12}, {34003, 13},
                                      {34004, 14}, {34005, 15}, {34006, 16}, {34007, 17},
                                      {34008, 18}, {34013, 23}, {34014, 24}};
constexpr ComboItem kCentreMarkTable[] = {{34015, 0}, {34019, 3}, {34017, 1}, {34021, 2},
                                          {34016, 6}, {34020, 4}, {34022, 8}, {34018, 5}};

constexpr double kPositionSteps = 50.0;
constexpr double kHalfTurn = 180.0;
constexpr double kFullTurn = 360.0;

// An angle box with "degrees" after it, in a titled group.
QGroupBox* DegreesBox(const QString& title, QLineEdit* edit, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(box);
    edit->setMaximumWidth(80);
    layout->addWidget(edit);
    layout->addWidget(new QLabel(QStringLiteral("degrees"), box));
    layout->addStretch();
    return box;
}

} // namespace

CArcPropertiesDlg::CArcPropertiesDlg(QWidget* parent)
    : CDialog(parent), m_groupArrowHeads(new CArrowHeadGroup(kArcEndTable, this)),
      m_comboCentreMark(new CMarkerComboBox(this)), m_editRotation(new QLineEdit(this)),
      m_editCentralAngle(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Arc Properties"));
    m_comboCentreMark->FillFromTable(kCentreMarkTable, 0);
    m_comboCentreMark->setMinimumWidth(60);

    auto* centre = new QGroupBox(QStringLiteral("Centre Mark"), this);
    (new QVBoxLayout(centre))->addWidget(m_comboCentreMark);
    auto* closeType =
        RadioGroup(QStringLiteral("Type"),
                   {QStringLiteral("Arc"), QStringLiteral("Sector"), QStringLiteral("Segment")},
                   m_radioCloseType, this);
    auto* major = RadioGroup(QString(), {QStringLiteral("Major"), QStringLiteral("Minor")},
                             m_radioMajor, this);

    auto* angles = new QGridLayout;
    angles->addWidget(centre, 0, 0);
    angles->addWidget(DegreesBox(QStringLiteral("Rotation"), m_editRotation, this), 0, 1);
    angles->addWidget(DegreesBox(QStringLiteral("Central Angle"), m_editCentralAngle, this), 0, 2);
    angles->addWidget(closeType, 1, 0);
    angles->addWidget(major, 1, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(m_groupArrowHeads);
    left->addLayout(angles);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(PropertyButtons(this, m_buttonSetAsDefault));
    connect(m_radioMajor[0], &QAbstractButton::clicked, this, [this] { OnMajor(); });
    connect(m_radioMajor[1], &QAbstractButton::clicked, this, [this] { OnMinor(); });
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
}

void CArcPropertiesDlg::Load(const QvEditDataArc& r, const QvArcAngles& angles) {
    m_ends.code[EndStart] = int(r.m_startArrow);
    m_ends.code[EndMiddle] = int(r.m_midArrow);
    m_ends.code[EndStop] = int(r.m_stopArrow);
    m_ends.size[EndStart] = SizeToSteps(r.m_startSize);
    m_ends.size[EndMiddle] = SizeToSteps(r.m_midSize);
    m_ends.size[EndStop] = SizeToSteps(r.m_stopSize);
    m_ends.position = ToSteps(r.m_midPos, kPositionSteps);
    m_nCloseType = int(r.m_closeType);
    m_nCentreMark = int(r.m_markType);
    m_dRotation = angles.rotation;
    m_dCentralAngle = angles.centralAngle;
    m_nMajor = angles.majorChoice;
    m_bFixedPoints = angles.fixedPoints;
}

void CArcPropertiesDlg::Store(QvEditDataArc& r, QvArcAngles& angles) const {
    r.m_startArrow = m_ends.code[EndStart];
    r.m_midArrow = m_ends.code[EndMiddle];
    r.m_stopArrow = m_ends.code[EndStop];
    r.m_startSize = BYTE(StepsToSize(m_ends.size[EndStart]));
    r.m_midSize = BYTE(StepsToSize(m_ends.size[EndMiddle]));
    r.m_stopSize = BYTE(StepsToSize(m_ends.size[EndStop]));
    r.m_midPos = m_ends.position / kPositionSteps;
    r.m_closeType = m_nCloseType;
    r.m_markType = m_nCentreMark;
    angles.rotation = m_dRotation;
    angles.centralAngle = m_dCentralAngle;
    angles.majorChoice = m_nMajor;
}

BOOL CArcPropertiesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_groupArrowHeads->Show(m_ends);
    m_comboCentreMark->SelectByData(DWORD(m_nCentreMark));
    if (m_bFixedPoints) {
        for (QAbstractButton* b : m_radioMajor)
            b->setEnabled(false);
        m_editRotation->setEnabled(false);
    }
    return TRUE;
}

void CArcPropertiesDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editCentralAngle, m_dCentralAngle);
    DDV_MinMaxDouble(pDX, m_dCentralAngle, 0.0, kFullTurn);
    DDX_Radio(pDX, m_radioMajor, m_nMajor);
    DDX_Text(pDX, m_editRotation, m_dRotation);
    DDV_MinMaxDouble(pDX, m_dRotation, -kHalfTurn, kHalfTurn);
    // A type no button stands for is kept.
    int type = m_nCloseType;
    DDX_Radio(pDX, m_radioCloseType, type);
    if (type >= 0)
        m_nCloseType = type;
}

bool CArcPropertiesDlg::TakeValues() {
    m_groupArrowHeads->Read(m_ends);
    m_nCentreMark = int(m_comboCentreMark->GetSelectedData());
    return UpdateData(TRUE);
}

void CArcPropertiesDlg::OnOK() {
    if (TakeValues())
        EndDialog(IDOK);
}

void CArcPropertiesDlg::ChooseSide(bool major) {
    if (!UpdateData(TRUE))
        return;
    if (major ? m_dCentralAngle < kHalfTurn : m_dCentralAngle >= kHalfTurn)
        m_dCentralAngle = kFullTurn - m_dCentralAngle;
    UpdateData(FALSE);
}

void CArcPropertiesDlg::OnMajor() {
    ChooseSide(true);
}

void CArcPropertiesDlg::OnMinor() {
    ChooseSide(false);
}

void CArcPropertiesDlg::OnSetAsDefault() {
    if (!TakeValues())
        return;
    QvSettings& settings = TheSettings();
    QvArcDefaults& d = settings.m_ArcDefaults;
    d.StartSize.SetValue(StepsToSize(m_ends.size[EndStart]));
    d.Start.SetValue(m_ends.code[EndStart]);
    d.StopSize.SetValue(StepsToSize(m_ends.size[EndStop]));
    d.Stop.SetValue(m_ends.code[EndStop]);
    d.MidSize.SetValue(StepsToSize(m_ends.size[EndMiddle]));
    d.Mid.SetValue(m_ends.code[EndMiddle]);
    d.MidPos.SetValue(m_ends.position / kPositionSteps);
    d.CloseType.SetValue(m_nCloseType);
    d.Centre.SetValue(m_nCentreMark);
    d.Major.SetValue(m_nMajor == 0);
    settings.Save(FALSE);
}

bool RunArcDialog(QvEditDataArc& record, QvArcAngles& angles) {
    CArcPropertiesDlg dlg(QApplication::activeWindow());
    dlg.Load(record, angles);
    if (dlg.DoModal() != IDOK)
        return false;
    dlg.Store(record, angles);
    return true;
}
