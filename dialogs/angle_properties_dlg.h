#pragma once
// "Angle Properties": how an angle mark shows: a point marker, one to three
// arcs, the angle's value (in degrees, radians or grads, to a number of
// decimal places) or a text label, with its size, perpendicular square,
// major or minor side, turned label and font.  Only the controls of the
// chosen kind of mark are shown.  "Set as Default" makes the values those
// of new marks.
#include "platform/dialog.h"
#include "platform/gdi_types.h"

#include <QList>
#include <QString>

class CMarkerComboBox;
class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QvEditDataAngle;

class CAnglePropertiesDlg : public CDialog {
public:
    explicit CAnglePropertiesDlg(QWidget* parent = nullptr);

    // Shows the controls of the mark type.
    BOOL OnInitDialog() override;
    void OnOK() override;
    // The chooser on the label's font, colour and size.
    void OnFont();
    // The values become the angle defaults and are saved; the dialog stays
    // open.
    void OnSetAsDefault();
    // Shows the controls of a mark type and hides the others.
    void ShowControlsFor(int markType);

    // The figure's record into the dialog's values, and back after OK.
    void Load(const QvEditDataAngle& record);
    void Store(QvEditDataAngle& record) const;

    int m_nPointType = 0;
    int m_nSize = 1;
    // Radio indexes; a kind without a button (a chemical equation label)
    // keeps its value.
    int m_nAngleType = -1; // 0 degrees, 1 radians, 2 grads
    int m_nMarkType = -1;  // 0 point to 5 text
    int m_nTextType = -1;  // 0 normal, 1 equation
    QString m_strText;
    int m_bPerpendicular = 0;
    int m_nMajor = -1; // 0 "Major", 1 "Minor", -1 neither
    int m_bAngled = 0;
    int m_nDrawHeight = 0; // 0.01 mm
    LOGFONT m_logFont;
    COLORREF m_color = 0;
    int m_nDecimalPlaces = 1;

    QList<QAbstractButton*> m_radioMarkType;
    CMarkerComboBox* m_comboMarker;
    QList<QAbstractButton*> m_radioAngleType;
    QList<QAbstractButton*> m_radioTextType;
    QLineEdit* m_editText;
    QCheckBox* m_checkAngled;
    QSpinBox* m_spinDecimals;
    QLabel* m_labelDecimals; // "dp"
    QSpinBox* m_spinSize;
    QCheckBox* m_checkPerpendicular;
    QList<QAbstractButton*> m_radioMajor;
    QPushButton* m_buttonFont;
    QPushButton* m_buttonSetAsDefault;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The spinners and the list into the values, then the rest.
    bool TakeValues();
};

// Runs the dialog on a mark's record; true (and the record changed) on OK.
bool RunAngleDialog(QvEditDataAngle& record);
