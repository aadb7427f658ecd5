#include "dialogs/round_rect_properties_dlg.h"

#include "dialogs/dialog_controls.h"
#include "settings/settings.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {
constexpr int kMostRadius = 500;
constexpr int kPerMillimetre = 100;
} // namespace

CRoundRectPropertiesDlg::CRoundRectPropertiesDlg(QWidget* parent)
    : CDialog(parent), m_editRadius(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Rounded Rectangle Properties"));
    m_editRadius->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), m_editRadius));
    m_editRadius->setMaximumWidth(60);
    auto* box = new QGroupBox(QStringLiteral("Radius (mm)"), this);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addStretch();
    boxLayout->addWidget(m_editRadius, 0, Qt::AlignHCenter);
    boxLayout->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(PropertyButtons(this, m_buttonSetAsDefault));
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
}

void CRoundRectPropertiesDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, m_editRadius, m_nRadius);
    DDV_MinMaxInt(pDX, m_nRadius, 0, kMostRadius);
}

void CRoundRectPropertiesDlg::OnSetAsDefault() {
    if (!UpdateData(TRUE))
        return;
    QvSettings& settings = TheSettings();
    settings.m_RoundRectRadius.SetValue(m_nRadius * kPerMillimetre);
    settings.Save(FALSE);
}

bool RunRoundRectDialog(LONG& radius) {
    CRoundRectPropertiesDlg dlg(QApplication::activeWindow());
    dlg.m_nRadius = int(radius / kPerMillimetre);
    if (dlg.DoModal() != IDOK)
        return false;
    radius = LONG(dlg.m_nRadius) * kPerMillimetre;
    return true;
}
