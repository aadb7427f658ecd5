#pragma once
// "Dots / Grid Properties": the paper type, dots or lines, spacings and
// angles, the dot mark, the pen and colour of the four line classes and
// logarithmic axes of a graph paper figure.  Controls that the chosen
// paper does not use are greyed.
#include "platform/dialog.h"
#include "platform/gdi_types.h"

#include <QColor>
#include <QList>

class CLineStyleComboBox;
class CMarkerComboBox;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
struct QvGridDotDialogValues;

class CDotsGridPropertiesDlg : public CDialog {
public:
    explicit CDotsGridPropertiesDlg(QWidget* parent = nullptr);

    BOOL OnInitDialog() override;
    // Greys what the paper type and style chosen now leave unused.
    void UpdateEnabling();
    // The colour of line class `which` (x-major, x-minor, y-major,
    // y-minor) from the colour dialog, which starts from the sixteen
    // custom colours of the settings and gives them back on OK.
    void OnColour(int which);
    // Stores what the controls show as the paper of new figures, without
    // closing; nothing is stored when a value is refused.
    void OnSetAsDefault();

    // 0 Cartesian, 1 isometric, 2 polar, 3 hexagonal.
    int m_nPaperType = -1;
    // 0 dots, 1 lines.
    int m_nStyle = -1;
    int m_bXLog = 0;
    int m_bYLog = 0;
    QString m_strMajorAngle;
    double m_dMajorSize = 0.0;
    QString m_strMinorAngle;
    double m_dMinorSize = 0.0;
    // x-major, x-minor, y-major, y-minor.
    COLORREF m_colours[4] = {};
    DWORD m_pens[4] = {};
    int m_nPointType = 0;

    QList<QAbstractButton*> m_radioPaperType;
    QList<QAbstractButton*> m_radioStyle;
    QGroupBox* m_groupType;
    QLineEdit* m_editMajorSize;
    QLineEdit* m_editMinorSize;
    QComboBox* m_comboMajorAngle;
    QComboBox* m_comboMinorAngle;
    QGroupBox* m_groupLines;
    QGroupBox* m_groupClass[4];
    CLineStyleComboBox* m_comboPen[4];
    QPushButton* m_buttonColour[4];
    QGroupBox* m_groupDotType;
    CMarkerComboBox* m_comboPointType;
    QGroupBox* m_groupLog;
    QCheckBox* m_checkXLog;
    QCheckBox* m_checkYLog;
    QPushButton* m_buttonSetAsDefault;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The colour dialog itself; an invalid colour means cancelled.
    virtual QColor ChooseColour(const QColor& initial);

private:
    void ShowColour(int which);
};

// Runs the dialog on a graph paper's values; true on OK.
bool RunDotsGridDialog(QvGridDotDialogValues& values);
