#pragma once
// "Edit Axes" and "Grid Properties", reached from the graph's properties:
// each axis's shown range and tick steps as typed, its scale labels, ticks
// and line switches, line style and colour; and for the major and minor
// grid lines of each axis whether they show, their style and colour.  The
// caller fills the values and takes them back on OK; the texts are not
// checked here, the graph reads them when it draws.
#include "platform/dialog.h"
#include "platform/gdi_types.h"

class CLineStyleComboBox;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QvGraphData;

class CEditAxesDlg : public CDialog {
public:
    explicit CEditAxesDlg(QWidget* parent = nullptr);

    // The graph's axis values in, and back after OK.
    void Load(const QvGraphData& data);
    void Store(QvGraphData& data) const;

    BOOL OnInitDialog() override;
    // The line styles become the lists' choices (0 for none).
    void OnOK() override;
    // The texts shown and the line styles the dialog opened with become the
    // graph defaults; the switches are no defaults.  The dialog stays open.
    void OnSetAsDefault();
    void OnXColor();
    void OnYColor();

    QString m_strXMax, m_strXMin, m_strXMajor, m_strXMinor;
    QString m_strYMax, m_strYMin, m_strYMajor, m_strYMinor;
    int m_bXScale = 0, m_bXTicks = 0, m_bXAxis = 0;
    int m_bYScale = 0, m_bYTicks = 0, m_bYAxis = 0;
    COLORREF m_xColor = 0, m_yColor = 0;
    int m_nXLine = 0, m_nYLine = 0;

    QLineEdit *m_editXMax, *m_editXMin, *m_editXMajor, *m_editXMinor;
    QLineEdit *m_editYMax, *m_editYMin, *m_editYMajor, *m_editYMinor;
    QCheckBox *m_checkXScale, *m_checkXTicks, *m_checkXAxis;
    QCheckBox *m_checkYScale, *m_checkYTicks, *m_checkYAxis;
    CLineStyleComboBox *m_comboXLine, *m_comboYLine;
    QPushButton *m_buttonXColor, *m_buttonYColor;
    QPushButton* m_buttonSetAsDefault;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CGraphGridDlg : public CDialog {
public:
    // The four groups, in their order.
    enum { XMajor, XMinor, YMajor, YMinor, kGroups };

    explicit CGraphGridDlg(QWidget* parent = nullptr);

    void Load(const QvGraphData& data);
    void Store(QvGraphData& data) const;

    // A group shows ticked unless its style is the one that draws nothing.
    BOOL OnInitDialog() override;
    // An unticked group's style becomes the one that draws nothing, a
    // ticked one's the list's choice (0 for none).
    void OnOK() override;
    // The colours and the styles the dialog opened with become the graph
    // defaults; the dialog stays open.
    void OnSetAsDefault();
    void OnColor(int group);

    int m_bShow[kGroups] = {};
    COLORREF m_colours[kGroups] = {};
    int m_pens[kGroups] = {};

    QCheckBox* m_checkShow[kGroups];
    CLineStyleComboBox* m_comboPen[kGroups];
    QPushButton* m_buttonColour[kGroups];
    QPushButton* m_buttonSetAsDefault;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Run the dialogs on the graph's values; true (and the values changed) on OK.
bool RunEditAxesDialog(QvGraphData& data);
bool RunGraphGridDialog(QvGraphData& data);
