#include "settings/stat_defaults.h"

#include "settings/group_io.h"

namespace {
const QString kStat = QStringLiteral("Stat");
}

QvStatDefaults::QvStatDefaults() {
    Title.Init(kStat, QStringLiteral("Title"), QString());
    GraphStyle.Init(kStat, QStringLiteral("GraphStyle"), 3);
    Label1.Init(kStat, QStringLiteral("Label1"), QStringLiteral("None"));
    Label2.Init(kStat, QStringLiteral("Label2"), QStringLiteral("None"));
    LabelCol1.Init(kStat, QStringLiteral("LabelCol1"), -1);
    LabelCol2.Init(kStat, QStringLiteral("LabelCol2"), -1);
    LabelColActive1.Init(kStat, QStringLiteral("LabelColActive1"), 0);
    LabelColActive2.Init(kStat, QStringLiteral("LabelColActive2"), 0);
    xAxis.Init(kStat, QStringLiteral("xAxis"), QString());
    yAxis.Init(kStat, QStringLiteral("yAxis"), QString());
    AutoScale.Init(kStat, QStringLiteral("AutoScale"), 1);
    static const int kdc[10] = {0, 1, -1, -1, -1, -1, -1, -1, -1, -1};
    for (int i = 0; i < 10; ++i)
        dc[i].Init(kStat, QStringLiteral("dc[%1]").arg(i), kdc[i]);
    GraphType.Init(kStat, QStringLiteral("GraphType"), 4);
    TitleFont.Init(kStat, QStringLiteral("TitleFont"), QvLogFont());
    LabelFont.Init(kStat, QStringLiteral("LabelFont"), QvLogFont());
    AncillaryFont.Init(kStat, QStringLiteral("AncillaryFont"), QvLogFont());
    AxisFont.Init(kStat, QStringLiteral("AxisFont"), QvLogFont());
    xLogScale.Init(kStat, QStringLiteral("xLogScale"), 0);
    yLogScale.Init(kStat, QStringLiteral("yLogScale"), 0);
    PieGraph.Init(kStat, QStringLiteral("PieGraph"), 0);
    xMajor.Init(kStat, QStringLiteral("xMajor"), 2);
    xMinor.Init(kStat, QStringLiteral("xMinor"), 1);
    yMajor.Init(kStat, QStringLiteral("yMajor"), 2);
    yMinor.Init(kStat, QStringLiteral("yMinor"), 1);
    xMajorCol.Init(kStat, QStringLiteral("xMajorCol"), 0x808080);
    xMinorCol.Init(kStat, QStringLiteral("xMinorCol"), 0xC0C0C0);
    yMajorCol.Init(kStat, QStringLiteral("yMajorCol"), 0x808080);
    yMinorCol.Init(kStat, QStringLiteral("yMinorCol"), 0xC0C0C0);
    Orientate.Init(kStat, QStringLiteral("Orientate"), 0);
    StatType.Init(kStat, QStringLiteral("StatType"), 0);
    Bar_Legend.Init(kStat, QStringLiteral("Bar_Legend"), 1);
    Back2Back.Init(kStat, QStringLiteral("Back2Back"), 0);
    Column_Legend.Init(kStat, QStringLiteral("Column_Legend"), 1);
    BreakScales.Init(kStat, QStringLiteral("BreakScales"), 1);
    BreakType.Init(kStat, QStringLiteral("BreakType"), 0);
    ScaleFont.Init(kStat, QStringLiteral("ScaleFont"), QvLogFont());
    Line_Legend.Init(kStat, QStringLiteral("Line_Legend"), 0);
    DataPoints.Init(kStat, QStringLiteral("DataPoints"), 1);
    CycleLen.Init(kStat, QStringLiteral("CycleLen"), 4);
    Line_UseLabels.Init(kStat, QStringLiteral("Line_UseLabels"), 0);
    Line_FillGaps.Init(kStat, QStringLiteral("Line_FillGaps"), 0);
    static const int kLine_PointType[10] = {3, 4, 5, 6, 1, 3, 4, 5, 6, 1};
    for (int i = 0; i < 10; ++i)
        Line_PointType[i].Init(kStat, QStringLiteral("Line_PointType[%1]").arg(i),
                               kLine_PointType[i]);
    static const int kSmoothing[10] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 10; ++i)
        Smoothing[i].Init(kStat, QStringLiteral("Smoothing[%1]").arg(i), kSmoothing[i]);
    Residuals_UseLabels.Init(kStat, QStringLiteral("Residuals_UseLabels"), 0);
    Residuals_FillGaps.Init(kStat, QStringLiteral("Residuals_FillGaps"), 0);
    JoinPoints.Init(kStat, QStringLiteral("JoinPoints"), 1);
    static const int kResiduals_PointType[5] = {3, 4, 5, 6, 1};
    for (int i = 0; i < 5; ++i)
        Residuals_PointType[i].Init(kStat, QStringLiteral("Residuals_PointType[%1]").arg(i),
                                    kResiduals_PointType[i]);
    LineOfReg.Init(kStat, QStringLiteral("LineOfReg"), 1);
    Residuals.Init(kStat, QStringLiteral("Residuals"), 1);
    static const int kScatter_PointType[5] = {3, 4, 5, 6, 1};
    for (int i = 0; i < 5; ++i)
        Scatter_PointType[i].Init(kStat, QStringLiteral("Scatter_PointType[%1]").arg(i),
                                  kScatter_PointType[i]);
    Dot_Legend.Init(kStat, QStringLiteral("Dot_Legend"), 0);
    static const int kDot_PointType[10] = {3, 4, 5, 6, 1, 3, 4, 5, 6, 1};
    for (int i = 0; i < 10; ++i)
        Dot_PointType[i].Init(kStat, QStringLiteral("Dot_PointType[%1]").arg(i), kDot_PointType[i]);
    NumberGroups.Init(kStat, QStringLiteral("NumberGroups"), 10);
    col1.Init(kStat, QStringLiteral("col1"), 0);
    col2.Init(kStat, QStringLiteral("col2"), 1);
    RegType.Init(kStat, QStringLiteral("RegType"), 1);
    OVType.Init(kStat, QStringLiteral("OVType"), 0);
    OVCol.Init(kStat, QStringLiteral("OVCol"), 0);
    OneVar.Init(kStat, QStringLiteral("OneVar"), 1);
    CFPlot_Legend.Init(kStat, QStringLiteral("CFPlot_Legend"), 0);
    CFPlot_Percentage.Init(kStat, QStringLiteral("CFPlot_Percentage"), 1);
    FreqPoly_Legend.Init(kStat, QStringLiteral("FreqPoly_Legend"), 0);
    FreqPoly_Percentage.Init(kStat, QStringLiteral("FreqPoly_Percentage"), 0);
    FreqPoly_ShowFreq.Init(kStat, QStringLiteral("FreqPoly_ShowFreq"), 0);
    CFGraph_ShowFreq.Init(kStat, QStringLiteral("CFGraph_ShowFreq"), 0);
    Histo_ShowFreq.Init(kStat, QStringLiteral("Histo_ShowFreq"), 0);
    GraphWidth.Init(kStat, QStringLiteral("GraphWidth"), 350);
    GraphHeight.Init(kStat, QStringLiteral("GraphHeight"), 200);
    xAxisMid.Init(kStat, QStringLiteral("xAxisMid"), QString());
    yAxisMid.Init(kStat, QStringLiteral("yAxisMid"), QString());
    MidAxisFont.Init(kStat, QStringLiteral("MidAxisFont"), QvLogFont());
    AutoMaxx.Init(kStat, QStringLiteral("AutoMaxx"), 1);
    maxx.Init(kStat, QStringLiteral("maxx"), 10.0);
    AutoMaxy.Init(kStat, QStringLiteral("AutoMaxy"), 1);
    maxy.Init(kStat, QStringLiteral("maxy"), 10.0);
    AutoMinx.Init(kStat, QStringLiteral("AutoMinx"), 1);
    minx.Init(kStat, QStringLiteral("minx"), -10.0);
    AutoMiny.Init(kStat, QStringLiteral("AutoMiny"), 1);
    miny.Init(kStat, QStringLiteral("miny"), -10.0);
    AutoxMajor.Init(kStat, QStringLiteral("AutoxMajor"), 1);
    xmajor.Init(kStat, QStringLiteral("xmajor"), 2.0);
    AutoxMinor.Init(kStat, QStringLiteral("AutoxMinor"), 1);
    xminor.Init(kStat, QStringLiteral("xminor"), 0.5);
    AutoyMajor.Init(kStat, QStringLiteral("AutoyMajor"), 1);
    ymajor.Init(kStat, QStringLiteral("ymajor"), 2.0);
    AutoyMinor.Init(kStat, QStringLiteral("AutoyMinor"), 1);
    yminor.Init(kStat, QStringLiteral("yminor"), 0.5);
    BoxPlot_ShowOutliers.Init(kStat, QStringLiteral("BoxPlot_ShowOutliers"), 1);
    Picto_Orientate.Init(kStat, QStringLiteral("Picto_Orientate"), 0);
    Picto_ShowLegend.Init(kStat, QStringLiteral("Picto_ShowLegend"), 0);
    static const COLORREF kColors[10] = {0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                         0x808000, 0xC0C0C0, 0xFFFF00, 0x0000FF, 0x00FF00};
    for (int i = 0; i < 10; ++i)
        Colors[i].Init(kStat, QStringLiteral("Colors[%1]").arg(i), kColors[i]);
    DefaultFont.Init(kStat, QStringLiteral("DefaultFont"), QvLogFont());
    CalcQuartile.Init(kStat, QStringLiteral("CalcQuartile"), 0);
    ShowSampleSD.Init(kStat, QStringLiteral("ShowSampleSD"), 1);
    CalcPercentile.Init(kStat, QStringLiteral("CalcPercentile"), 0);
    CalcSeasonalised.Init(kStat, QStringLiteral("CalcSeasonalised"), 0);
    StemLeaf_SortData.Init(kStat, QStringLiteral("StemLeaf_SortData"), 1);
    StemLeaf_RoundLeaf.Init(kStat, QStringLiteral("StemLeaf_RoundLeaf"), 0);
    StemLeaf_AllowSplit.Init(kStat, QStringLiteral("StemLeaf_AllowSplit"), 0);
    StemLeaf_High.Init(kStat, QStringLiteral("StemLeaf_High"), QStringLiteral("H"));
    StemLeaf_Low.Init(kStat, QStringLiteral("StemLeaf_Low"), QStringLiteral("L"));
    StemLeaf_NumStems.Init(kStat, QStringLiteral("StemLeaf_NumStems"), 15);
    FreqPoly_ShowEnds.Init(kStat, QStringLiteral("FreqPoly_ShowEnds"), 1);
}

// Families are read and written by index, each member under its own key.
template <class F> static void Visit(QvStatDefaults& g, F f) {
    f(g.Title);
    f(g.GraphStyle);
    f(g.Label1);
    f(g.Label2);
    f(g.LabelCol1);
    f(g.LabelCol2);
    f(g.LabelColActive1);
    f(g.LabelColActive2);
    f(g.xAxis);
    f(g.yAxis);
    f(g.AutoScale);
    for (auto& s : g.dc)
        f(s);
    f(g.GraphType);
    f(g.TitleFont);
    f(g.LabelFont);
    f(g.AncillaryFont);
    f(g.AxisFont);
    f(g.xLogScale);
    f(g.yLogScale);
    f(g.PieGraph);
    f(g.xMajor);
    f(g.xMinor);
    f(g.yMajor);
    f(g.yMinor);
    f(g.xMajorCol);
    f(g.xMinorCol);
    f(g.yMajorCol);
    f(g.yMinorCol);
    f(g.Orientate);
    f(g.StatType);
    f(g.Bar_Legend);
    f(g.Back2Back);
    f(g.Column_Legend);
    f(g.BreakScales);
    f(g.BreakType);
    f(g.ScaleFont);
    f(g.Line_Legend);
    f(g.DataPoints);
    f(g.CycleLen);
    f(g.Line_UseLabels);
    f(g.Line_FillGaps);
    for (auto& s : g.Line_PointType)
        f(s);
    for (auto& s : g.Smoothing)
        f(s);
    f(g.Residuals_UseLabels);
    f(g.Residuals_FillGaps);
    f(g.JoinPoints);
    for (auto& s : g.Residuals_PointType)
        f(s);
    f(g.LineOfReg);
    f(g.Residuals);
    for (auto& s : g.Scatter_PointType)
        f(s);
    f(g.Dot_Legend);
    for (auto& s : g.Dot_PointType)
        f(s);
    f(g.NumberGroups);
    f(g.col1);
    f(g.col2);
    f(g.RegType);
    f(g.OVType);
    f(g.OVCol);
    f(g.OneVar);
    f(g.CFPlot_Legend);
    f(g.CFPlot_Percentage);
    f(g.FreqPoly_Legend);
    f(g.FreqPoly_Percentage);
    f(g.FreqPoly_ShowFreq);
    f(g.CFGraph_ShowFreq);
    f(g.Histo_ShowFreq);
    f(g.GraphWidth);
    f(g.GraphHeight);
    f(g.xAxisMid);
    f(g.yAxisMid);
    f(g.MidAxisFont);
    f(g.AutoMaxx);
    f(g.maxx);
    f(g.AutoMaxy);
    f(g.maxy);
    f(g.AutoMinx);
    f(g.minx);
    f(g.AutoMiny);
    f(g.miny);
    f(g.AutoxMajor);
    f(g.xmajor);
    f(g.AutoxMinor);
    f(g.xminor);
    f(g.AutoyMajor);
    f(g.ymajor);
    f(g.AutoyMinor);
    f(g.yminor);
    f(g.BoxPlot_ShowOutliers);
    f(g.Picto_Orientate);
    f(g.Picto_ShowLegend);
    for (auto& s : g.Colors)
        f(s);
    f(g.DefaultFont);
    f(g.CalcQuartile);
    f(g.ShowSampleSD);
    f(g.CalcPercentile);
    f(g.CalcSeasonalised);
    f(g.StemLeaf_SortData);
    f(g.StemLeaf_RoundLeaf);
    f(g.StemLeaf_AllowSplit);
    f(g.StemLeaf_High);
    f(g.StemLeaf_Low);
    f(g.StemLeaf_NumStems);
    f(g.FreqPoly_ShowEnds);
}
LUMBREL_GROUP_IO(QvStatDefaults)
