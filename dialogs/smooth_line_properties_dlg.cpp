#include "dialogs/smooth_line_properties_dlg.h"

#include "dialogs/dialog_controls.h"
#include "figures/fig_bezier.h"
#include "settings/settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

// The slashes and the double line do not suit a curve.
constexpr ComboItem kCurveEndTable[] = {{34000, 10}, {34001, 11}, {34002, 12}, {34003, 13},
                                        {34004, 14}, {34005, 15}, {34006, 16}, {34007, 17},
                                        {34008, 18}, {34013, 23}, {34014, 24}};

constexpr double kPositionSteps = 50.0;
// The record keeps half the width, in 0.01 mm.
constexpr double kOffsetPerMillimetre = 50.0;
constexpr double kMostWidth = 20.0;

bool IsLineType(int type) {
    return type >= QvEditDataSmoothLine::Single && type <= QvEditDataSmoothLine::Triple;
}

} // namespace

CSmoothLinePropertiesDlg::CSmoothLinePropertiesDlg(QWidget* parent)
    : CDialog(parent), m_groupArrowHeads(new CArrowHeadGroup(kCurveEndTable, this)),
      m_checkClosed(new QCheckBox(QStringLiteral("Close curve"), this)),
      m_editWidth(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Smooth Line Properties"));
    // Digits and one decimal point: the width shown may be 2.5.
    m_editWidth->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*\\.?[0-9]*")), m_editWidth));
    m_editWidth->setMaximumWidth(60);

    auto* lineType =
        RadioGroup(QStringLiteral("Line Type"),
                   {QStringLiteral("Single"), QStringLiteral("Double"), QStringLiteral("Triple")},
                   m_radioLineType, this);
    auto* width = new QVBoxLayout;
    width->addWidget(new QLabel(QStringLiteral("Width (mm)"), this));
    width->addWidget(m_editWidth);
    width->addStretch();
    auto* lower = new QHBoxLayout;
    lower->addWidget(m_checkClosed, 0, Qt::AlignTop);
    lower->addWidget(lineType);
    lower->addLayout(width);

    auto* left = new QVBoxLayout;
    left->addWidget(m_groupArrowHeads);
    left->addLayout(lower);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(PropertyButtons(this, m_buttonSetAsDefault));
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
}

void CSmoothLinePropertiesDlg::Load(const QvEditDataSmoothLine& r) {
    m_ends.code[EndStart] = int(r.m_startMark);
    m_ends.code[EndMiddle] = int(r.m_midMark);
    m_ends.code[EndStop] = int(r.m_endMark);
    m_ends.size[EndStart] = SizeToSteps(r.m_startSize);
    m_ends.size[EndMiddle] = SizeToSteps(r.m_midSize);
    m_ends.size[EndStop] = SizeToSteps(r.m_endSize);
    m_ends.position = ToSteps(r.m_midPos, kPositionSteps);
    m_bClosed = r.m_closed ? 1 : 0;
    m_nLineType = int(r.m_lineType);
    m_dWidth = r.m_offset / kOffsetPerMillimetre;
}

void CSmoothLinePropertiesDlg::Store(QvEditDataSmoothLine& r) const {
    r.m_startMark = m_ends.code[EndStart];
    r.m_midMark = m_ends.code[EndMiddle];
    r.m_endMark = m_ends.code[EndStop];
    r.m_startSize = BYTE(StepsToSize(m_ends.size[EndStart]));
    r.m_midSize = BYTE(StepsToSize(m_ends.size[EndMiddle]));
    r.m_endSize = BYTE(StepsToSize(m_ends.size[EndStop]));
    r.m_midPos = m_ends.position / kPositionSteps;
    r.m_closed = m_bClosed != 0 ? 1 : 0;
    r.m_lineType = m_nLineType;
    r.m_offset = ToSteps(m_dWidth, kOffsetPerMillimetre);
}

BOOL CSmoothLinePropertiesDlg::OnInitDialog() {
    m_groupArrowHeads->Show(m_ends);
    if (m_bBezier) {
        setWindowTitle(QStringLiteral("Bezier Curve Properties"));
        m_checkClosed->setEnabled(false);
    }
    return CDialog::OnInitDialog();
}

void CSmoothLinePropertiesDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Check(pDX, m_checkClosed, m_bClosed);
    // A type no button stands for is kept.
    int type = m_nLineType;
    DDX_Radio(pDX, m_radioLineType, type);
    if (type >= 0)
        m_nLineType = type;
    DDX_Text(pDX, m_editWidth, m_dWidth);
    DDV_MinMaxDouble(pDX, m_dWidth, 0.0, kMostWidth);
}

bool CSmoothLinePropertiesDlg::TakeValues() {
    m_groupArrowHeads->Read(m_ends);
    return UpdateData(TRUE);
}

void CSmoothLinePropertiesDlg::OnOK() {
    if (TakeValues())
        EndDialog(IDOK);
}

void CSmoothLinePropertiesDlg::OnSetAsDefault() {
    if (!TakeValues())
        return;
    QvSettings& settings = TheSettings();
    QvLineEndDefaults& d = m_bBezier ? settings.m_BezierDefaults : settings.m_SmoothlineDefaults;
    d.StartSize.SetValue(StepsToSize(m_ends.size[EndStart]));
    d.Start.SetValue(m_ends.code[EndStart]);
    d.StopSize.SetValue(StepsToSize(m_ends.size[EndStop]));
    d.Stop.SetValue(m_ends.code[EndStop]);
    d.MidSize.SetValue(StepsToSize(m_ends.size[EndMiddle]));
    d.Mid.SetValue(m_ends.code[EndMiddle]);
    d.Closed.SetValue(m_bClosed != 0);
    d.MidPos.SetValue(m_ends.position / kPositionSteps);
    // A type read from a damaged file draws nothing: new curves never get it.
    if (IsLineType(m_nLineType))
        d.LineType.SetValue(m_nLineType);
    d.Width.SetValue(ToSteps(m_dWidth, kOffsetPerMillimetre));
    settings.Save(FALSE);
}

bool RunSmoothLineDialog(QvEditDataSmoothLine& record, bool bezier) {
    CSmoothLinePropertiesDlg dlg(QApplication::activeWindow());
    dlg.Load(record);
    dlg.m_bBezier = bezier;
    if (dlg.DoModal() != IDOK)
        return false;
    dlg.Store(record);
    return true;
}
