#pragma once
// "Edit Functions": one of a graph's ten function slots at a time, chosen
// by its number, with its typed function, domain, display switches, line
// style, line colour and shading colour, and typeset previews of the
// function and the domain.  Works on its own copy of the graph settings;
// every change goes into the shown slot at once, and the caller takes the
// whole copy back on OK.
#include "graphs/graph_data.h"
#include "platform/dialog.h"
#include "platform/gdi_types.h"

class CDC;
class CLineStyleComboBox;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

class CEditFunctionsDlg : public CDialog {
public:
    static constexpr int kFunctions = QvGraphData::kFunctionCount;

    explicit CEditFunctionsDlg(QWidget* parent = nullptr);

    // The working copy, with function 1 shown.
    void Load(const QvGraphData& data);

    BOOL OnInitDialog() override;
    // Refuses a function or domain the graph could not read; the dialog
    // then shows that function.
    void OnOK() override;
    // The switches, line style and line colour become the defaults of the
    // shown function's style; the dialog stays open.
    void OnSetAsDefault();
    void OnLineColor();
    void OnShadeColor();
    // The user typed in the number box.
    void OnChangeNumber();
    // Shows function `number` (1 to 10) of the working copy.
    void ShowFunction(int number);

    // The spin's position for a function number, and back: the up arrow
    // lowers the position and so raises the number.
    static int SpinPosition(int number) { return kFunctions + 1 - number; }
    static int NumberAt(int position) { return kFunctions + 1 - position; }

    QString m_strFunction;
    QString m_strDomain;
    int m_bVAsym = 0;
    int m_bHAsym = 0;
    int m_bRangeArrows = 0;
    int m_bShowLow = 0;
    int m_bShowHigh = 0;
    int m_bMarkFlag = 0;
    int m_nFunction = 1; // 1 to 10
    int m_nLineStyle = 0;
    COLORREF m_lineColor = 0;
    COLORREF m_shadeColor = 0;
    QvGraphData m_graphData;

    QLineEdit* m_editFunction;
    QLineEdit* m_editDomain;
    QCheckBox* m_checkVAsym;
    QCheckBox* m_checkHAsym;
    QCheckBox* m_checkRangeArrows;
    QCheckBox* m_checkShowLow;
    QCheckBox* m_checkShowHigh;
    QCheckBox* m_checkMarkFlag;
    QLineEdit* m_editNumber;
    QScrollBar* m_spin;
    CLineStyleComboBox* m_comboLineStyle;
    QPushButton* m_buttonLineColor;
    QPushButton* m_buttonShadeColor;
    QPushButton* m_buttonSetAsDefault;
    QWidget* m_previewFunction;
    QWidget* m_previewDomain;

    void DrawFunction(CDC* dc);
    void DrawDomain(CDC* dc);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    QvGraphDataFunction& Shown() { return m_graphData.functions[m_nFunction - 1]; }
    // The members from the shown function's record.
    void LoadMembers();
    // The members into the controls, storing nothing.
    void ShowMembers();
    // One field from its control into the member and the shown record,
    // which is then dirty.
    void StoreFunction();
    void StoreDomain();
    void StoreSwitch(QCheckBox* box, int& member, int& field);
    void StoreLineStyle();
    void StoreAll();

    bool m_loading = false;
    bool m_stored[kFunctions] = {};
};

// Runs the dialog on a copy of the graph settings; on OK the copy replaces
// `data` and the answer is true.
bool RunEditFunctionsDialog(QvGraphData& data);
