#pragma once
// Every option of one statistics graph: type, data columns, titles, fonts,
// scales, grid, fills and colours, the settings of each graph type, the
// report choices and up to five pictogram symbols.  Held by value at the end
// of the data set and stored in front of its columns.
//
// Fields keep the names of the "Stat" settings they start from, so that a
// new graph, the options sheet and "Set Default" can move them by name.
#include "platform/gdi_types.h"
#include "platform/object.h"
#include "text/log_font.h"

#include <QString>

#include <array>
#include <memory>

class QvFigure;

class QvStatProperties : public CObject {
    DECLARE_SERIAL(QvStatProperties)
public:
    // The version written; a stored one above it reads as this.
    static constexpr int Version = 2;
    static constexpr int Series = 10;
    // Rows of Brushes: hollow, hatched, grey shades, colours.
    static constexpr int FillSchemes = 4;
    static constexpr int Symbols = 5;
    static constexpr int CustomColorCount = 16;

    // The built-in defaults, no symbols; InitBrushes has filled Brushes.
    QvStatProperties();
    ~QvStatProperties() override;
    QvStatProperties(const QvStatProperties&) = delete;
    QvStatProperties& operator=(const QvStatProperties&) = delete;

    // Fills every scheme's ten brushes; the colour row takes Colors.
    void InitBrushes();
    // Every stored field, the fonts, Brushes and Colors, and a copy of each
    // pictogram symbol, so that undo and paste keep the user's pictures.
    // The label column indexes and flags, the custom colours, the default
    // font and the loaded flag stay this record's own.
    virtual void Copy(const QvStatProperties& other);
    void CopyScaleBreak(const QvStatProperties& other);
    // The versioned record.  Fields an older record lacks keep their values;
    // after loading, the label column indexes and flags follow Label1/2.
    void Serialize(CArchive& ar) override;

    // ---- general
    QString Title;
    // The row of Brushes the drawers fill with.
    int GraphStyle = 3;
    // Label column letters, "None" when there is none.
    QString Label1 = QStringLiteral("None");
    QString Label2 = QStringLiteral("None");
    // Working fields, not stored: 0 to 25 for A to Z, -1 none.
    int LabelCol1 = -1;
    int LabelCol2 = -1;
    BYTE LabelColActive1 = 0;
    BYTE LabelColActive2 = 0;
    QString xAxis;
    QString yAxis;
    BYTE AutoScale = 1;
    // Data columns: 0 to 25 for A to Z, 26 the row numbers, -1 unused.
    std::array<int, Series> dc = {0, 1, -1, -1, -1, -1, -1, -1, -1, -1};
    // 1 to 14.
    int GraphType = 4;
    QvLogFont TitleFont;
    QvLogFont LabelFont;
    QvLogFont AncillaryFont;
    QvLogFont AxisFont;

    BYTE xLogScale = 0;
    BYTE yLogScale = 0;
    int PieGraph = 0;
    int Orientate = 0;
    int StatType = 0;

    // ---- scale break
    BYTE BreakScales = 1;
    int BreakType = 0;
    QvLogFont ScaleFont;

    BYTE Bar_Legend = 1;
    BYTE Back2Back = 0;
    BYTE Column_Legend = 1;
    BYTE LineOfReg = 1;
    BYTE Residuals = 1;
    std::array<int, 5> Scatter_PointType = {3, 4, 5, 6, 1};
    BYTE Dot_Legend = 0;
    std::array<int, Series> Dot_PointType = {3, 4, 5, 6, 1, 3, 4, 5, 6, 1};
    int NumberGroups = 10;
    BYTE CFPlot_Legend = 0;
    BYTE CFPlot_Percentage = 1;
    BYTE FreqPoly_Legend = 0;
    BYTE FreqPoly_Percentage = 0;
    BYTE Line_Legend = 0;
    BYTE DataPoints = 1;
    int CycleLen = 4;
    BYTE Line_UseLabels = 0;
    BYTE Line_FillGaps = 0;
    std::array<int, Series> Line_PointType = {3, 4, 5, 6, 1, 3, 4, 5, 6, 1};
    std::array<int, Series> Smoothing = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    BYTE Residuals_UseLabels = 0;
    BYTE Residuals_FillGaps = 0;
    BYTE JoinPoints = 1;
    std::array<int, 5> Residuals_PointType = {3, 4, 5, 6, 1};
    // Two-variable report: x and y column (0 to 26), fit model 1 to 7.
    int col1 = 0;
    int col2 = 1;
    int RegType = 1;
    // One-variable report: kind 0 to 8 and column.
    int OVType = 0;
    int OVCol = 0;
    // The report shows one-variable (1) or two-variable (0) statistics.
    BYTE OneVar = 1;
    // Grid lines: kind (None, Dotted, Solid) and colour.
    int xMajor = 2;
    int xMinor = 1;
    int yMajor = 2;
    int yMinor = 1;
    COLORREF xMajorCol = 0x808080;
    COLORREF xMinorCol = 0xC0C0C0;
    COLORREF yMajorCol = 0x808080;
    COLORREF yMinorCol = 0xC0C0C0;

    // ---- scales
    int FreqPoly_ShowFreq = 0;
    int CFGraph_ShowFreq = 0;
    int Histo_ShowFreq = 0;
    // Kept and written back as defaults; the graph always fills its frame.
    int GraphWidth = 350;
    int GraphHeight = 200;
    QString xAxisMid;
    QString yAxisMid;
    QvLogFont MidAxisFont;
    BYTE AutoMaxx = 1;
    double maxx = 10.0;
    BYTE AutoMaxy = 1;
    double maxy = 10.0;
    BYTE AutoMinx = 1;
    double minx = -10.0;
    BYTE AutoMiny = 1;
    double miny = -10.0;
    BYTE AutoxMajor = 1;
    double xmajor = 2.0;
    BYTE AutoxMinor = 1;
    double xminor = 0.5;
    BYTE AutoyMajor = 1;
    double ymajor = 2.0;
    BYTE AutoyMinor = 1;
    double yminor = 0.5;
    BYTE BoxPlot_ShowOutliers = 1;
    int Picto_Orientate = 0;
    int Picto_ShowLegend = 0;
    // Owned; null draws the default symbol.
    std::array<std::unique_ptr<QvFigure>, Symbols> Picto_Symbol;

    // ---- stem and leaf
    BYTE StemLeaf_SortData = 1;
    BYTE StemLeaf_RoundLeaf = 0;
    BYTE StemLeaf_AllowSplit = 0;
    QString StemLeaf_High = QStringLiteral("H");
    QString StemLeaf_Low = QStringLiteral("L");
    int StemLeaf_NumStems = 15;

    // Series i under fill scheme s is filled with Brushes[s][i].
    std::array<std::array<LOGBRUSH, Series>, FillSchemes> Brushes;
    std::array<COLORREF, Series> Colors = {0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                           0x808000, 0xC0C0C0, 0xFFFF00, 0x0000FF, 0x00FF00};
    // The colour chooser's custom colours; neither copied nor stored.
    std::array<COLORREF, CustomColorCount> CustomColors;
    // The "DefaultFont" setting's; neither copied nor stored.
    QvLogFont DefaultFont;
    // Close the frequency polygon down to the axis at both ends.
    BYTE FreqPoly_ShowEnds = 1;

    // Set once the data set has been read from a file; not copied.
    bool Loaded = false;

private:
    // Per slot a presence byte, then the figure as an object.
    void SerializeSymbols(CArchive& ar);
    // The indexes and flags of the label columns named by Label1 and Label2.
    void SetLabelColumnsFromLabels();
};
