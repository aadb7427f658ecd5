#include "dialogs/stat_options_dlg.h"

#include "dialogs/dialog_controls.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QVBoxLayout>

CStatOptionsDlg::CStatOptionsDlg(QWidget* parent)
    : CDialog(parent),
      m_checkSampleSD(new QCheckBox(QStringLiteral("Show Sample Standard Deviation"), this)) {
    setWindowTitle(QStringLiteral("Statistics Options"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_checkSampleSD);
    layout->addWidget(RadioGroup(QStringLiteral("Calculating Quartiles"),
                                 {QStringLiteral("Exclude Median"), QStringLiteral("Include Median"),
                                  QStringLiteral("Use P75 and P25")},
                                 m_radioQuartile, this));
    layout->addWidget(RadioGroup(QStringLiteral("Calculating Percentiles"),
                                 {QStringLiteral("Interpolated (Excel style)"),
                                  QStringLiteral("Discrete")},
                                 m_radioPercentile, this));
    layout->addWidget(RadioGroup(QStringLiteral("Seasonalised Data"),
                                 {QStringLiteral("Method One"), QStringLiteral("Method Two")},
                                 m_radioSeasonalised, this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CStatOptionsDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Radio(pDX, m_radioPercentile, m_nPercentile);
    DDX_Radio(pDX, m_radioQuartile, m_nQuartile);
    DDX_Check(pDX, m_checkSampleSD, m_bSampleSD);
    DDX_Radio(pDX, m_radioSeasonalised, m_nSeasonalised);
}
