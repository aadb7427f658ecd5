#pragma once
// "Statistics Options": how quartiles and percentiles are computed, whether
// the reports show the sample standard deviation, and the seasonalising
// method.  It only collects the choices; its opener stores them.
#include "platform/dialog.h"

#include <QList>

class QAbstractButton;
class QCheckBox;

class CStatOptionsDlg : public CDialog {
public:
    explicit CStatOptionsDlg(QWidget* parent = nullptr);

    // -1: no button of the group checked.
    int m_nPercentile = -1;   // 0 interpolated, 1 discrete
    int m_nQuartile = -1;     // 0 median excluded, 1 included, 2 P25 and P75
    int m_bSampleSD = 0;
    int m_nSeasonalised = -1; // 0 method one, 1 method two

    QCheckBox* m_checkSampleSD;
    QList<QAbstractButton*> m_radioQuartile;
    QList<QAbstractButton*> m_radioPercentile;
    QList<QAbstractButton*> m_radioSeasonalised;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
