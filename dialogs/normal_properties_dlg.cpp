#include "dialogs/normal_properties_dlg.h"

#include "diagrams/fig_norm.h"
#include "dialogs/style_combo_box.h"
#include "settings/settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace {
// The heads a curve's baseline and axis can end in.
constexpr ComboItem kNormArrowTable[] = {{34000, 10}, {34001, 11}, {34002, 12}, {34003, 13},
                                         {34004, 14}, {34013, 23}, {34014, 24}, {0, 0}};

// A small bell curve shaded as the style says: not at all, between the
// bounds, or the two tails.
QPixmap ShadingPicture(int style) {
    constexpr int w = 32, h = 24;
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    auto y = [](double x) {
        return h - 3 - (h - 6) * std::exp(-0.5 * std::pow(8.0 * x / w - 4, 2));
    };
    auto area = [&](double from, double to) {
        QPainterPath path(QPointF(from, h - 3));
        for (double x = from; x <= to; x += 0.5)
            path.lineTo(x, y(x));
        path.lineTo(to, h - 3);
        path.closeSubpath();
        painter.fillPath(path, QColor(160, 160, 160));
    };
    if (style == 1)
        area(w * 0.375, w * 0.625);
    else if (style == 2) {
        area(0, w * 0.375);
        area(w * 0.625, w);
    }
    QPainterPath curve(QPointF(0, y(0)));
    for (double x = 0.5; x <= w; x += 0.5)
        curve.lineTo(x, y(x));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawPath(curve);
    painter.drawLine(QPointF(0, h - 3), QPointF(w, h - 3));
    return pixmap;
}
} // namespace

CNormalPropertiesDlg::CNormalPropertiesDlg(QWidget* parent)
    : CDialog(parent), m_comboArrow(new CArrowHeadComboBox(this)), m_spinSize(new QSpinBox(this)),
      m_checkAxis(new QCheckBox(QStringLiteral("y Axis"), this)),
      m_checkBaseline(new QCheckBox(QStringLiteral("Baseline"), this)),
      m_editLow(new QLineEdit(this)), m_editHigh(new QLineEdit(this)),
      m_buttonSetAsDefault(new QPushButton(QStringLiteral("Set as Default"), this)) {
    setWindowTitle(QStringLiteral("Normal Distribution Properties"));
    m_spinSize->setRange(1, 20);

    auto* arrows = new QGroupBox(QStringLiteral("Arrowheads"), this);
    auto* arrowsLayout = new QVBoxLayout(arrows);
    arrowsLayout->addWidget(m_comboArrow);
    arrowsLayout->addWidget(m_spinSize, 0, Qt::AlignLeft);
    arrowsLayout->addStretch();

    auto* styles = new QGroupBox(QStringLiteral("Shading Style"), this);
    auto* stylesLayout = new QGridLayout(styles);
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(styles);
        m_radioShading.append(radio);
        auto* picture = new QLabel(styles);
        picture->setPixmap(ShadingPicture(i));
        stylesLayout->addWidget(radio, i, 0);
        stylesLayout->addWidget(picture, i, 1);
    }

    auto* show = new QGroupBox(QStringLiteral("Show"), this);
    auto* showLayout = new QVBoxLayout(show);
    showLayout->addWidget(m_checkAxis);
    showLayout->addWidget(m_checkBaseline);

    auto* bounds = new QGroupBox(QStringLiteral("Shading"), this);
    auto* boundsLayout = new QGridLayout(bounds);
    boundsLayout->addWidget(new QLabel(QStringLiteral("Low"), bounds), 0, 0);
    boundsLayout->addWidget(m_editLow, 0, 1);
    boundsLayout->addWidget(new QLabel(QStringLiteral("High"), bounds), 1, 0);
    boundsLayout->addWidget(m_editHigh, 1, 1);
    for (QLineEdit* edit : {m_editLow, m_editHigh})
        edit->setMaximumWidth(60);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_buttonSetAsDefault);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(arrows, 0, 0);
    grid->addWidget(styles, 0, 1);
    grid->addWidget(show, 1, 0);
    grid->addWidget(bounds, 1, 1);
    grid->addLayout(buttons, 0, 2, 2, 1);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_buttonSetAsDefault, &QPushButton::clicked, this, [this] { OnSetAsDefault(); });
}

BOOL CNormalPropertiesDlg::OnInitDialog() {
    m_comboArrow->FillFromTable(kNormArrowTable, 0);
    return CDialog::OnInitDialog();
}

void CNormalPropertiesDlg::DoDataExchange(CDataExchange* pDX) {
    pDX->PrepareCtrl(m_spinSize);
    if (pDX->m_bSaveAndValidate) {
        m_nArrowSize = m_spinSize->value();
        m_nArrowCode = int(m_comboArrow->GetSelectedData());
    } else {
        m_spinSize->setValue(m_nArrowSize);
        m_comboArrow->SelectByData(DWORD(m_nArrowCode));
    }
    DDX_Check(pDX, m_checkBaseline, m_bBaseline);
    DDX_Text(pDX, m_editLow, m_dLow);
    DDX_Text(pDX, m_editHigh, m_dHigh);
    if (pDX->m_bSaveAndValidate && m_dLow > m_dHigh) {
        AfxMessageBox(QStringLiteral("The low bound must not be above the high bound."),
                      MB_ICONEXCLAMATION);
        pDX->PrepareCtrl(m_editLow);
        pDX->Fail();
    }
    DDX_Radio(pDX, m_radioShading, m_nShading);
    DDX_Check(pDX, m_checkAxis, m_byAxis);
}

void CNormalPropertiesDlg::OnSetAsDefault() {
    if (!UpdateData(TRUE))
        return;
    QvSettings& settings = TheSettings();
    QvNormDistDefaults& d = settings.m_NormDistDefaults;
    d.Arrow.SetValue(m_nArrowCode);
    d.Arrow_Size.SetValue(m_nArrowSize * 2);
    d.Inverse.SetValue(m_nShading == 2);
    d.Shade.SetValue(m_nShading == 1 || m_nShading == 2);
    d.yAxis.SetValue(m_byAxis != 0);
    d.Baseline.SetValue(m_bBaseline != 0);
    settings.Save(FALSE);
}

bool RunNormalDialog(QvNormProperties& values) {
    CNormalPropertiesDlg dlg(QApplication::activeWindow());
    dlg.m_nArrowSize = values.arrowSize;
    dlg.m_nArrowCode = values.arrowCode;
    dlg.m_byAxis = values.yAxis;
    dlg.m_bBaseline = values.baseline;
    dlg.m_dLow = values.low;
    dlg.m_dHigh = values.high;
    dlg.m_nShading = values.shading;
    if (dlg.DoModal() != IDOK)
        return false;
    values.arrowSize = dlg.m_nArrowSize;
    values.arrowCode = dlg.m_nArrowCode;
    values.yAxis = dlg.m_byAxis;
    values.baseline = dlg.m_bBaseline;
    values.low = dlg.m_dLow;
    values.high = dlg.m_dHigh;
    values.shading = dlg.m_nShading;
    return true;
}
