#pragma once
// Section "Stat": the options a new statistics graph starts with; the
// statistics dialog writes back the options last used.
#include "platform/object.h"
#include "settings/setting_values.h"

class QvStatDefaults : public CObject {
public:
    QvStatDefaults();
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);

    QvSettingString Title;
    QvSettingInt GraphStyle;
    QvSettingString Label1, Label2;
    QvSettingInt LabelCol1, LabelCol2;
    QvSettingBool LabelColActive1, LabelColActive2;
    QvSettingString xAxis, yAxis;
    QvSettingBool AutoScale;
    QvSettingInt dc[10];
    QvSettingInt GraphType;
    QvSettingFont TitleFont, LabelFont, AncillaryFont, AxisFont;
    QvSettingBool xLogScale, yLogScale;
    QvSettingInt PieGraph;
    QvSettingInt xMajor, xMinor, yMajor, yMinor;
    QvSettingColor xMajorCol, xMinorCol, yMajorCol, yMinorCol;
    QvSettingInt Orientate, StatType;
    QvSettingBool Bar_Legend, Back2Back, Column_Legend, BreakScales;
    QvSettingInt BreakType;
    QvSettingFont ScaleFont;
    QvSettingBool Line_Legend, DataPoints;
    QvSettingInt CycleLen;
    QvSettingBool Line_UseLabels, Line_FillGaps;
    QvSettingInt Line_PointType[10];
    QvSettingInt Smoothing[10];
    QvSettingBool Residuals_UseLabels, Residuals_FillGaps, JoinPoints;
    QvSettingInt Residuals_PointType[5];
    QvSettingBool LineOfReg, Residuals;
    QvSettingInt Scatter_PointType[5];
    QvSettingBool Dot_Legend;
    QvSettingInt Dot_PointType[10];
    QvSettingInt NumberGroups, col1, col2, RegType, OVType, OVCol;
    QvSettingBool OneVar, CFPlot_Legend, CFPlot_Percentage, FreqPoly_Legend, FreqPoly_Percentage;
    QvSettingInt FreqPoly_ShowFreq, CFGraph_ShowFreq, Histo_ShowFreq, GraphWidth, GraphHeight;
    QvSettingString xAxisMid, yAxisMid;
    QvSettingFont MidAxisFont;
    QvSettingBool AutoMaxx;
    QvSettingDouble maxx;
    QvSettingBool AutoMaxy;
    QvSettingDouble maxy;
    QvSettingBool AutoMinx;
    QvSettingDouble minx;
    QvSettingBool AutoMiny;
    QvSettingDouble miny;
    QvSettingBool AutoxMajor;
    QvSettingDouble xmajor;
    QvSettingBool AutoxMinor;
    QvSettingDouble xminor;
    QvSettingBool AutoyMajor;
    QvSettingDouble ymajor;
    QvSettingBool AutoyMinor;
    QvSettingDouble yminor;
    QvSettingBool BoxPlot_ShowOutliers;
    QvSettingInt Picto_Orientate, Picto_ShowLegend;
    QvSettingColor Colors[10];
    QvSettingFont DefaultFont;
    QvSettingInt CalcQuartile;
    QvSettingBool ShowSampleSD;
    QvSettingInt CalcPercentile, CalcSeasonalised;
    QvSettingBool StemLeaf_SortData, StemLeaf_RoundLeaf, StemLeaf_AllowSplit;
    QvSettingString StemLeaf_High, StemLeaf_Low;
    QvSettingInt StemLeaf_NumStems;
    QvSettingBool FreqPoly_ShowEnds;
};
