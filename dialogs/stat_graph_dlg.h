#pragma once
// "Statistics Graph Properties": a statistics graph's data typed into the
// grid, its graph type and data columns, and the one- or two-variable
// report.  It works on a copy of the graph's data set: OK hands the copy
// back, Esc and the close button leave the graph as it was.  Only "Set
// Default" writes the program-wide "Stat" defaults.
#include "platform/dialog.h"
#include "statistics/stat_data.h"

class CStatDataGrid;
class QComboBox;
class QFont;
class QFontMetricsF;
class QTextDocument;
struct QvStatFitResult;
class QLabel;
class QPushButton;
class QTabBar;
class QTextEdit;

class CStatGraphDlg : public CDialog {
public:
    // `data` is not owned; the dialog edits a copy of it until OK.
    explicit CStatGraphDlg(QvStatData* data, QWidget* parent = nullptr);
    ~CStatGraphDlg() override;

    BOOL OnInitDialog() override;
    // Ends a cell edit in progress, keeps the custom colours and hands the
    // edited data set back.
    void OnOK() override;
    // Closes with the graph untouched.
    void OnCancel() override;

    // The graph type an entry of the type list names; `current` when it
    // names none.
    static int GraphTypeFromText(const QString& text, int current);
    // The entry of the type list a stored type selects; -1 for none.
    static int GraphTypeEntry(const QComboBox* combo, int graphType);

    // The copy being edited.
    QvStatData& Data() { return m_data; }

    void OnSetDefault();
    void OnSwapColumns();
    // The data generators: each fills a column of the grid from the
    // formula its dialog makes.
    void OnRandomGenerators();
    void OnTimeSeriesGenerator();
    void OnBivariateGenerator();
    void OnCopyStatistics();
    // The edit commands (Cut 32913 and 57635, Copy 32914 and 57634, Copy
    // As Rows 32915, Paste 32916 and 57637) go to the grid; false for
    // any other id.
    bool OnEditCommand(UINT id);
    // Rebuilds the statistics report from the data set and the choices.
    void RefreshReport();

    // ---- The report text (no widget needed) ----
    // Column `column` (0 to 25; anything else gives an empty report) and
    // report kind `kind` (0 to 8; anything else writes only what comes
    // before the statistics).  The column is recalculated.
    static QString BuildOneVariableReport(QvStatData& data, int column, int kind);
    // Columns xCol and yCol (0 to 26; anything else gives an empty report)
    // fitted with fit model `model`; both columns are recalculated.
    static QString BuildTwoVariableReport(QvStatData& data, int xCol, int yCol, int model);
    // The same report from a fit already made.
    static QString TwoVariableReportText(QvStatData& data, int xCol, int yCol,
                                         const QvStatFitResult& fit);
    // Puts a marked-up report into `document` in the report's font and
    // tab stops and applies its markup.
    static void PourReport(QTextDocument& document, const QString& report);
    // The report's tab spacing in the units of `metrics`: each "=" of a
    // report lines up under the others in the report's font.
    static qreal ReportTabDistance(const QFontMetricsF& metrics);
    // Arial 10 pt.
    static QFont ReportFont();
    // The one-variable page (tab 0) or the two-variable page (tab 1).
    void ShowPage(int tab);
    // The "Graph Options" sheet on the data set being edited.
    void OnOptions();

    CStatDataGrid* m_grid;
    QTabBar* m_tab;
    QComboBox* m_comboGraphType; // sorted
    QComboBox* m_comboData1;     // "A" .. "Z", "Row"
    QComboBox* m_comboData2;     // "None", "A" .. "Z", "Row"
    QComboBox* m_comboOVCol;     // "A" .. "Z"
    QComboBox* m_comboOVType;
    QComboBox* m_comboCol1;
    QComboBox* m_comboCol2;
    QComboBox* m_comboRegression;
    QPushButton* m_buttonSwap;
    QPushButton* m_buttonCopy;
    QPushButton* m_buttonOptions;
    QPushButton* m_buttonRandom;
    QPushButton* m_buttonBivariate;
    QPushButton* m_buttonTimeSeries;
    QPushButton* m_buttonOK;
    QPushButton* m_buttonSetDefault;
    QTextEdit* m_report;
    QList<QWidget*> m_oneVarPage;
    QList<QWidget*> m_twoVarPage;
    // How often the report was rebuilt, for the tests.
    int m_nReportRefreshes = 0;

protected:
    void DoDataExchange(CDataExchange*) override {}

private:
    QvStatData* m_pTarget;
    QvStatData m_data;
    // The report last poured and the document's revision after it: the
    // same text again leaves the report (and where it is scrolled) alone.
    QString m_reportText;
    int m_reportRevision = -1;
};

// The whole data set, the working fields of its options included.
void QvCopyStatDataWhole(QvStatData& dst, const QvStatData& src);

// Runs the dialog on a graph's data set; true (and the data set changed)
// on OK.  The shell hands it to the statistics graph.
bool RunStatGraphDialog(QvStatData& data);
