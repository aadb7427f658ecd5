#pragma once
// "Graph Properties": the whole function graph in one window.  All ten
// functions are typed in one box, one per line, with the line under the
// caret shown typeset; the shown range of each axis moves with a scroll bar
// that slides the origin across a small picture of the axes; the axis
// names, grid, automatic scaling and angle unit are set here; buttons lead
// to the functions, axes, grid, fonts and the calculations.  The dialog
// works on its own copy of the graph settings; how it ended says what the
// graph takes from that copy.
#include "graphs/graph_data.h"
#include "platform/dialog.h"

#include <QString>

#include <array>

class CDC;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

// The ten function texts of the box, whose lines end in CR LF: one line
// each, and the tenth keeps every line after the ninth break, breaks and all.
std::array<QString, QvGraphData::kFunctionCount> SplitFunctionBox(const QString& text);
// The box text of the ten function texts: nine of them each followed by
// CR LF, then the tenth.
QString JoinFunctionBox(const QvGraphData& data);

// One axis's origin bar: one position per step between the ends of the
// shown range, the thumb at the origin.
struct QvOriginBar {
    int steps = 0;         // 0: the range and steps give no usable bar
    int thumb = 0;         // steps from the left (x) or top (y) end to the origin
    double position = 0.5; // the origin along the bar, 0 at that end
};
// The bar for the typed range and steps.  The step is the minor one, else
// the major one, else 10; a bar needs 1 to 10,000 steps and numbers for
// both ends, and without one the origin sits in the middle.
QvOriginBar OriginBarFor(const QString& max, const QString& min, const QString& major,
                         const QString& minor, bool xAxis);

// What choosing new ticks for a newly typed maximum gives.
struct QvAxisTicks {
    QString major, minor, min;
};
// New steps and minimum for the maximum text `max`, keeping the origin at
// `fraction` of the range (the part on its positive side; 0 keeps the
// typed minimum).  False for a maximum of 0, which changes nothing.
bool ChooseAxisTicks(const QString& max, const QString& min, double fraction, QvAxisTicks& out);

class CGraphPropertiesDlg : public CDialog {
public:
    // How the dialog ends besides OK (1) and Cancel (2).
    static constexpr int kEndClean = 5;
    static constexpr int kEndDerivative = 6;
    static constexpr int kEndIntegral = 7;

    // The commands of the two pop-up menus.
    enum Command {
        CmdShowAllDerivatives = 32876,
        CmdCalcDerivative = 32877,
        CmdIntegral = 32878,
        CmdCleanGraph = 32879,
        CmdAxisFont = 32880,
        CmdScaleFont = 32881,
        CmdReportFont = 32882,
    };

    // The axes picture, in the dialog's own pixels.
    static constexpr int kAxesLeft = 62, kAxesTop = 207, kAxesWidth = 113, kAxesHeight = 103;

    explicit CGraphPropertiesDlg(QWidget* parent = nullptr);

    // The graph's settings in; after the dialog, back into `data` whatever
    // an ending other than Cancel takes.
    void Load(const QvGraphData& data);
    void Store(QvGraphData& data) const;

    BOOL OnInitDialog() override;
    // Takes the values; a function too long for the graph keeps the dialog
    // open on its line.
    void OnOK() override;

    void OnAutoScale();
    void OnEditAxes();
    void OnEditFunctions();
    void OnGrid();
    void OnSetAsDefault();
    void OnCommand(int command);
    // The x or y Max box lost the focus: new steps and minimum.
    void OnKillFocusMax(bool xAxis);
    // A scroll bar moved from `from` to where it is now.
    void OnScroll(bool xAxis, int from);

    // The pop-up menus as they open, checked entries and all; the caller
    // deletes them.
    QMenu* BuildToolsMenu();
    QMenu* BuildFontsMenu();

    // The function whose line holds the caret, 0 to 9.
    int CurrentFunction() const { return m_nCurrent; }

    int m_bAutoScale = 0;
    int m_nAngleType = -1; // 0 degrees, 1 radians, 2 grads
    int m_bShowGrid = 0;
    QString m_strFunctions;  // the box, lines ending in CR LF
    QvGraphData m_graphData; // the working copy: every other value lives here
    double m_xOriginFraction = 0.5, m_yOriginFraction = 0.5;
    int m_nMarkerX = kAxesLeft + kAxesWidth / 2, m_nMarkerY = kAxesTop + kAxesHeight / 2;

    QPlainTextEdit* m_editFunctions;
    QComboBox* m_comboAngle;
    QLineEdit* m_editXNotate;
    QLineEdit* m_editXMax;
    QLineEdit* m_editYNotate;
    QLineEdit* m_editYMax;
    QCheckBox* m_checkShowGrid;
    QCheckBox* m_checkAutoScale;
    QScrollBar* m_barX;
    QScrollBar* m_barY;
    QPushButton* m_buttonFunctions;
    QPushButton* m_buttonAxes;
    QPushButton* m_buttonGrid;
    QPushButton* m_buttonSetAsDefault;
    QPushButton* m_buttonFonts;
    QPushButton* m_buttonTools;
    QWidget* m_previewFunction;
    QWidget* m_previewAxes;

    void DrawFunction(CDC* dc);
    void DrawAxes(CDC* dc);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The box's text into the ten function texts and their evaluable forms.
    void SplitBox();
    // The caret moved or the text changed.
    void BoxChanged();
    // Both bars and the marker from the range and step texts.
    void SetUpBars();
    void UpdateFractions();
    void MarkAllDirty();
    // The box split and every function checked; false, with the dialog on
    // the first function that does not fit, when one does not.
    bool TakeValues();
    void PopUp(QPushButton* button, QMenu* menu);
    void EditFont(QvLogFont& font);

    int m_nCurrent = 0;
    bool m_loading = false;
};

// Runs the dialog on a copy of the settings and returns how it ended: 1 OK
// or "Show All Derivatives", 2 Cancel, 5 "Clean Graph", 6 a derivative,
// 7 an integral.  Unless cancelled, `data` holds the dialog's copy.
int RunGraphPropertiesDialog(QvGraphData& data);
