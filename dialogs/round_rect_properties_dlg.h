#pragma once
// "Rounded Rectangle Properties": the corner radius of a rounded rectangle
// in whole millimetres, 0 to 500.  "Set as Default" makes it the radius of
// new rounded rectangles.
#include "platform/dialog.h"

class QLineEdit;
class QPushButton;

class CRoundRectPropertiesDlg : public CDialog {
public:
    explicit CRoundRectPropertiesDlg(QWidget* parent = nullptr);

    // Stores the radius (in 0.01 mm) as the default and saves; the dialog
    // stays open.  A refused radius writes nothing.
    void OnSetAsDefault();

    int m_nRadius = 0; // mm

    QLineEdit* m_editRadius;
    QPushButton* m_buttonSetAsDefault;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Runs the dialog on a radius in 0.01 mm, shown in whole millimetres; true
// (and the radius changed) on OK.
bool RunRoundRectDialog(LONG& radius);
