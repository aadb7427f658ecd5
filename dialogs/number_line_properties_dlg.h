#pragma once
// "Number Line Properties": the shown range and tick steps of a number
// line, which of its scale, axis and ticks show, the axis line style,
// colour and scale font, and its ten intervals, one at a time behind a
// "Graph #" scroll bar, each an inequality with its colour.  Works on its
// own copy of the line's settings; the caller takes the copy back on OK.
#include "graphs/number_line_data.h"
#include "platform/dialog.h"
#include "platform/gdi_types.h"

class CLineStyleComboBox;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

class CNumberLinePropertiesDlg : public CDialog {
public:
    static constexpr int kIntervals = QvNumberLineData::kIntervalCount;

    explicit CNumberLinePropertiesDlg(QWidget* parent = nullptr);

    // The line's settings in, and back after OK.
    void Load(const QvNumberLineData& data);
    void Store(QvNumberLineData& data) const;

    // Interval 1 shows, the bar at its lower end.
    BOOL OnInitDialog() override;
    // The axis line becomes the list's choice (0 for none) and the shown
    // interval keeps its text and colour.
    void OnOK() override;
    // The texts, the axis colour, the axis line the dialog opened with, the
    // intervals' colours and the font become the number line defaults.
    // The dialog stays open.
    void OnSetAsDefault();
    void OnAxisColor();
    void OnGraphColor();
    void OnFont();
    // The bar moved to `position`.
    void OnScroll(int position);
    // The user typed in the number box.
    void OnChangeNumber();

    // The bar's position for an interval number, and back: position 10 is
    // interval 1, so the up arrow counts up.
    static int BarPosition(int number) { return kIntervals + 1 - number; }
    static int NumberAt(int position) { return kIntervals + 1 - position; }

    QString m_strMajor, m_strMax, m_strMinor, m_strMin;
    int m_bShowScale = 0, m_bShowAxis = 0, m_bShowTicks = 0;
    QString m_strGraph; // the shown interval's inequality
    int m_nGraph = 1;   // the shown interval, 1 to 10
    COLORREF m_axisColor = 0;
    int m_nAxisLine = 0;
    QvNumberLineData m_lineData; // the working copy
    COLORREF m_graphColor = 0;   // the shown interval's colour
    LOGFONT m_logFont;
    COLORREF m_fontColor = 0;
    int m_nDrawHeight = 0;

    CLineStyleComboBox* m_comboLine;
    QLineEdit* m_editMajor;
    QLineEdit* m_editMax;
    QLineEdit* m_editMinor;
    QLineEdit* m_editMin;
    QCheckBox* m_checkScale;
    QCheckBox* m_checkAxis;
    QCheckBox* m_checkTicks;
    QLineEdit* m_editGraph;
    QLineEdit* m_editNumber;
    QScrollBar* m_bar;
    QPushButton* m_buttonAxisColor;
    QPushButton* m_buttonGraphColor;
    QPushButton* m_buttonFont;
    QPushButton* m_buttonSetAsDefault;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    QvGraphDataNumberLineFunction& Interval(int number) { return m_lineData.m_Graphs[number - 1]; }
    // The shown text and colour into interval `number`, which is then changed.
    void StoreShown(int number);
    // Interval `number`'s text and colour into the controls.
    void ShowInterval(int number);

    bool m_loading = false;
};

// Runs the dialog on the settings; on OK they take the dialog's values
// and the answer is true.
bool RunNumberLinePropertiesDialog(QvNumberLineData& data);
