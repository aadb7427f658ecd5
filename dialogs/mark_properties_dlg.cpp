#include "dialogs/mark_properties_dlg.h"

#include "dialogs/dialog_controls.h"
#include "settings/settings.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr UINT kNoPointText = 34015;

// The point's marks and the centre's list them in different orders.
constexpr ComboItem kPointMarkTable[] = {{34015, 0}, {34019, 3}, {34017, 1}, {34021, 2},
                                         {34016, 6}, {34022, 8}, {34020, 4}, {34018, 5}};
constexpr ComboItem kCentreMarkTable[] = {{34015, 0}, {34019, 3}, {34017, 1}, {34021, 2},
                                          {34016, 6}, {34020, 4}, {34022, 8}, {34018, 5}};

bool RunMarkDialog(CMarkPropertiesDlg& dlg, LONG& markType) {
    dlg.m_nMarkType = int(markType);
    if (dlg.DoModal() != IDOK)
        return false;
    markType = dlg.m_nMarkType;
    return true;
}

} // namespace

CMarkPropertiesDlg::CMarkPropertiesDlg(const QString& caption, const QString& group,
                                       std::span<const ComboItem> table, QWidget* parent)
    : CDialog(parent), m_comboMark(new CMarkerComboBox(this)) {
    setWindowTitle(caption);
    m_comboMark->FillFromTable(table, kNoPointText);
    m_comboMark->setMinimumWidth(60);
    auto* box = new QGroupBox(group, this);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addStretch();
    boxLayout->addWidget(m_comboMark, 0, Qt::AlignHCenter);
    boxLayout->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(PropertyButtons(this, m_buttonSetAsDefault));
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
}

BOOL CMarkPropertiesDlg::OnInitDialog() {
    m_comboMark->SelectByData(DWORD(m_nMarkType));
    return CDialog::OnInitDialog();
}

void CMarkPropertiesDlg::OnOK() {
    m_nMarkType = int(m_comboMark->GetSelectedData());
    CDialog::OnOK();
}

void CMarkPropertiesDlg::OnSetAsDefault() {
    m_nMarkType = int(m_comboMark->GetSelectedData());
    StoreDefault(m_nMarkType);
    TheSettings().Save(FALSE);
}

CPointPropertiesDlg::CPointPropertiesDlg(QWidget* parent)
    : CMarkPropertiesDlg(QStringLiteral("Point Properties"), QStringLiteral("Mark"),
                         kPointMarkTable, parent) {}

void CPointPropertiesDlg::StoreDefault(int mark) {
    TheSettings().m_PointDefaults.Mark.SetValue(mark);
}

CCirclePropertiesDlg::CCirclePropertiesDlg(QWidget* parent)
    : CMarkPropertiesDlg(QStringLiteral("Circle Properties"), QStringLiteral("Centre Mark"),
                         kCentreMarkTable, parent) {}

BOOL CCirclePropertiesDlg::OnInitDialog() {
    if (m_bEllipse)
        setWindowTitle(QStringLiteral("Ellipse Properties"));
    return CMarkPropertiesDlg::OnInitDialog();
}

void CCirclePropertiesDlg::StoreDefault(int mark) {
    QvSettings& settings = TheSettings();
    (m_bEllipse ? settings.m_EllipseDefaults : settings.m_CircleDefaults).Centre.SetValue(mark);
}

bool RunPointDialog(LONG& markType) {
    CPointPropertiesDlg dlg(QApplication::activeWindow());
    return RunMarkDialog(dlg, markType);
}

bool RunCircleDialog(LONG& markType, bool ellipse) {
    CCirclePropertiesDlg dlg(QApplication::activeWindow());
    dlg.m_bEllipse = ellipse;
    return RunMarkDialog(dlg, markType);
}
