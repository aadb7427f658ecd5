#include "statgraphs/fig_stat.h"

#include "figures/figure_factory.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "settings/settings.h"

#include <utility>

IMPLEMENT_SERIAL(QvEditDataStat, QvEditData, 1)
IMPLEMENT_SERIAL(QvFigStat, QvFigNoRotateRectBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigStat::ToolId, "QvFigStat", &QvMakeFigure<QvFigStat>},
});

namespace {

template <class Field, class Setting> void Take(Field& field, const Setting& setting) {
    field = setting.GetValue();
}
template <class Field, size_t N, class Setting>
void Take(std::array<Field, N>& fields, const Setting (&settings)[N]) {
    for (size_t i = 0; i < N; ++i)
        fields[i] = settings[i].GetValue();
}

// Every option named after a "Stat" key takes that setting's value.
void TakeStatDefaults(QvStatProperties& p) {
    const QvSettings& settings = TheSettings();
    const QvStatDefaults& s = settings.m_StatDefaults;
    Take(p.Title, s.Title);
    Take(p.GraphStyle, s.GraphStyle);
    Take(p.Label1, s.Label1);
    Take(p.Label2, s.Label2);
    Take(p.LabelCol1, s.LabelCol1);
    Take(p.LabelCol2, s.LabelCol2);
    Take(p.LabelColActive1, s.LabelColActive1);
    Take(p.LabelColActive2, s.LabelColActive2);
    Take(p.xAxis, s.xAxis);
    Take(p.yAxis, s.yAxis);
    Take(p.AutoScale, s.AutoScale);
    Take(p.dc, s.dc);
    Take(p.GraphType, s.GraphType);
    Take(p.TitleFont, s.TitleFont);
    Take(p.LabelFont, s.LabelFont);
    Take(p.AncillaryFont, s.AncillaryFont);
    Take(p.AxisFont, s.AxisFont);
    Take(p.xLogScale, s.xLogScale);
    Take(p.yLogScale, s.yLogScale);
    Take(p.PieGraph, s.PieGraph);
    Take(p.xMajor, s.xMajor);
    Take(p.xMinor, s.xMinor);
    Take(p.yMajor, s.yMajor);
    Take(p.yMinor, s.yMinor);
    Take(p.xMajorCol, s.xMajorCol);
    Take(p.xMinorCol, s.xMinorCol);
    Take(p.yMajorCol, s.yMajorCol);
    Take(p.yMinorCol, s.yMinorCol);
    Take(p.Orientate, s.Orientate);
    Take(p.StatType, s.StatType);
    Take(p.Bar_Legend, s.Bar_Legend);
    Take(p.Back2Back, s.Back2Back);
    Take(p.Column_Legend, s.Column_Legend);
    Take(p.BreakScales, s.BreakScales);
    Take(p.BreakType, s.BreakType);
    Take(p.ScaleFont, s.ScaleFont);
    Take(p.Line_Legend, s.Line_Legend);
    Take(p.DataPoints, s.DataPoints);
    Take(p.CycleLen, s.CycleLen);
    Take(p.Line_UseLabels, s.Line_UseLabels);
    Take(p.Line_FillGaps, s.Line_FillGaps);
    Take(p.Line_PointType, s.Line_PointType);
    Take(p.Smoothing, s.Smoothing);
    Take(p.Residuals_UseLabels, s.Residuals_UseLabels);
    Take(p.Residuals_FillGaps, s.Residuals_FillGaps);
    Take(p.JoinPoints, s.JoinPoints);
    Take(p.Residuals_PointType, s.Residuals_PointType);
    Take(p.LineOfReg, s.LineOfReg);
    Take(p.Residuals, s.Residuals);
    Take(p.Scatter_PointType, s.Scatter_PointType);
    Take(p.Dot_Legend, s.Dot_Legend);
    Take(p.Dot_PointType, s.Dot_PointType);
    Take(p.NumberGroups, s.NumberGroups);
    Take(p.col1, s.col1);
    Take(p.col2, s.col2);
    Take(p.RegType, s.RegType);
    Take(p.OVType, s.OVType);
    Take(p.OVCol, s.OVCol);
    Take(p.OneVar, s.OneVar);
    Take(p.CFPlot_Legend, s.CFPlot_Legend);
    Take(p.CFPlot_Percentage, s.CFPlot_Percentage);
    Take(p.FreqPoly_Legend, s.FreqPoly_Legend);
    Take(p.FreqPoly_Percentage, s.FreqPoly_Percentage);
    Take(p.FreqPoly_ShowFreq, s.FreqPoly_ShowFreq);
    Take(p.CFGraph_ShowFreq, s.CFGraph_ShowFreq);
    Take(p.Histo_ShowFreq, s.Histo_ShowFreq);
    Take(p.GraphWidth, s.GraphWidth);
    Take(p.GraphHeight, s.GraphHeight);
    Take(p.xAxisMid, s.xAxisMid);
    Take(p.yAxisMid, s.yAxisMid);
    Take(p.MidAxisFont, s.MidAxisFont);
    Take(p.AutoMaxx, s.AutoMaxx);
    Take(p.maxx, s.maxx);
    Take(p.AutoMaxy, s.AutoMaxy);
    Take(p.maxy, s.maxy);
    Take(p.AutoMinx, s.AutoMinx);
    Take(p.minx, s.minx);
    Take(p.AutoMiny, s.AutoMiny);
    Take(p.miny, s.miny);
    Take(p.AutoxMajor, s.AutoxMajor);
    Take(p.xmajor, s.xmajor);
    Take(p.AutoxMinor, s.AutoxMinor);
    Take(p.xminor, s.xminor);
    Take(p.AutoyMajor, s.AutoyMajor);
    Take(p.ymajor, s.ymajor);
    Take(p.AutoyMinor, s.AutoyMinor);
    Take(p.yminor, s.yminor);
    Take(p.BoxPlot_ShowOutliers, s.BoxPlot_ShowOutliers);
    Take(p.Picto_Orientate, s.Picto_Orientate);
    Take(p.Picto_ShowLegend, s.Picto_ShowLegend);
    Take(p.Colors, s.Colors);
    Take(p.StemLeaf_SortData, s.StemLeaf_SortData);
    Take(p.StemLeaf_RoundLeaf, s.StemLeaf_RoundLeaf);
    Take(p.StemLeaf_AllowSplit, s.StemLeaf_AllowSplit);
    Take(p.StemLeaf_High, s.StemLeaf_High);
    Take(p.StemLeaf_Low, s.StemLeaf_Low);
    Take(p.StemLeaf_NumStems, s.StemLeaf_NumStems);
    for (int i = 0; i < QvStatProperties::CustomColorCount; ++i)
        p.CustomColors[size_t(i)] = settings.m_CustomColors[i].GetValue();
    for (auto& symbol : p.Picto_Symbol)
        symbol.reset();
    Take(p.DefaultFont, s.DefaultFont);
    Take(p.FreqPoly_ShowEnds, s.FreqPoly_ShowEnds);
}

// The frame's outline, closed, through the display corners.
void DrawOutline(CDC* dc, const CPoint corners[4]) {
    const CPoint closed[5] = {corners[0], corners[1], corners[2], corners[3], corners[0]};
    dc->Polyline(closed, 5);
}
} // namespace

// ------------------------------------------------------------------ record

void QvEditDataStat::Serialize(CArchive& ar) {
    QvEditData::Serialize(ar);
    m_version = 1;
    if (ar.IsStoring()) {
        ar << WORD(m_version);
        m_data.Serialize(ar);
        return;
    }
    WORD version = 0;
    ar >> version;
    if (short(version) < 1)
        return;
    m_data.Serialize(ar);
}

QvEditData& QvEditDataStat::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    // Undo and paste bring back every field, label columns included: the
    // drawers read the label columns, not the labels.
    if (const auto* stat = dynamic_cast<const QvEditDataStat*>(&src))
        m_data.CopyWhole(stat->m_data);
    return *this;
}

// ------------------------------------------------------------------ figure

QvFigStat::QvFigStat() {
    InitPoints(4);
    m_nToolId = ToolId;
    auto* record = new QvEditDataStat;
    record->SetFromCurrentStyle();
    TakeStatDefaults(record->m_data.properties);
    record->m_data.properties.InitBrushes();
    SetEditData(record);
    m_pStatData = record;
}

void QvFigStat::Draw(CDC* dc, int mode) {
    CPoint corners[4];
    IntegerCorners(corners);
    if (mode != QvDrawMode::Normal) {
        if (mode == QvDrawMode::Dotted || mode == QvDrawMode::Highlight)
            DrawOutline(dc, corners);
        return;
    }
    if (dc->GetMapMode() == MM_TEXT) {
        DrawOutline(dc, corners);
        return;
    }
    // GraphWidth and GraphHeight play no part: the graph fills the frame.
    const CRect rect(corners[0].x, corners[0].y, corners[2].x, corners[2].y);
    m_dispatcher.DrawGraph(dc, rect, &m_pStatData->m_data);
}

void QvFigStat::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

QvEditData* QvFigStat::NewEditData() const {
    auto* record = new QvEditDataStat;
    record->CopyFrom(*m_pStatData);
    return record;
}

void QvFigStat::EditProperties(CPoint, CPoint) {
    // The dialog edits in place; the view's undo record holds the before.
    PropertiesDialog::Run(m_pStatData->m_data);
}

QString QvFigStat::GetDescription() const {
    return QStringLiteral("Graph");
}
