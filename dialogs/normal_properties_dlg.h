#pragma once
// "Normal Distribution Properties": a normal curve's arrowheads, whether
// its axis and baseline show, how it is shaded and its two bounds in
// standard deviations.  "Set as Default" makes the options (not the
// bounds) those of new curves.
#include "platform/dialog.h"

#include <QList>

class CArrowHeadComboBox;
class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
struct QvNormProperties;

class CNormalPropertiesDlg : public CDialog {
public:
    explicit CNormalPropertiesDlg(QWidget* parent = nullptr);

    BOOL OnInitDialog() override;

    int m_nArrowSize = 1; // 1 to 20, half the record's size
    int m_nArrowCode = 10;
    int m_bBaseline = 0;
    double m_dLow = 0.0; // standard deviations
    double m_dHigh = 0.0;
    int m_nShading = -1; // 0 none, 1 between the bounds, 2 the tails
    int m_byAxis = 0;

    CArrowHeadComboBox* m_comboArrow;
    QSpinBox* m_spinSize;
    QList<QAbstractButton*> m_radioShading;
    QCheckBox* m_checkAxis;
    QCheckBox* m_checkBaseline;
    QLineEdit* m_editLow;
    QLineEdit* m_editHigh;
    QPushButton* m_buttonSetAsDefault;

    // The options go to the "NormDist" defaults and are saved; the dialog
    // stays open.
    void OnSetAsDefault();

protected:
    // A low bound above the high one is refused.
    void DoDataExchange(CDataExchange* pDX) override;
};

// Runs the dialog on a curve's values; true (and the values changed) on
// OK.  The shell hands it to the normal curve.
bool RunNormalDialog(QvNormProperties& values);
