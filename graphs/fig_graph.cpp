#include "graphs/fig_graph.h"

#include "figures/figure_factory.h"
#include "platform/archive.h"
#include "platform/dc.h"

IMPLEMENT_SERIAL(QvEditDataFunction, QvEditData, 1)
IMPLEMENT_SERIAL(QvEditDataNumberLine, QvEditData, 1)
IMPLEMENT_SERIAL(QvFigGraph, QvFigNoRotateRectBase, 1)
IMPLEMENT_SERIAL(QvFigNumberLine, QvFigNoRotateRectBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigGraph::ToolId, "QvFigGraph", &QvMakeFigure<QvFigGraph>},
    {QvFigNumberLine::ToolId, "QvFigNumberLine", &QvMakeFigure<QvFigNumberLine>},
});

namespace {

// The version word, then the settings; a record stored below version 1
// holds nothing more and keeps what it has.
template <class Settings> void SerializeSettings(CArchive& ar, short& version, Settings& settings) {
    version = 1;
    if (ar.IsStoring()) {
        ar << WORD(version);
        settings.Serialize(ar);
        return;
    }
    WORD stored = 0;
    ar >> stored;
    if (short(stored) < 1)
        return;
    settings.Serialize(ar);
}

void DrawOutline(CDC* dc, const CPoint corners[4]) {
    const CPoint closed[5] = {corners[0], corners[1], corners[2], corners[3], corners[0]};
    dc->Polyline(closed, 5);
}

BYTE AsFlag(BYTE v) {
    return v != 0 ? 1 : 0;
}

} // namespace

// ------------------------------------------------------------------ records

void QvEditDataFunction::Serialize(CArchive& ar) {
    QvEditData::Serialize(ar);
    SerializeSettings(ar, m_version, m_data);
}

QvEditData& QvEditDataFunction::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    if (const auto* graph = dynamic_cast<const QvEditDataFunction*>(&src))
        m_data.Copy(graph->m_data);
    return *this;
}

void QvEditDataFunction::LendFill(QvGraph& engine) const {
    engine.integralFillColor = m_fillColor;
    engine.integralFillStyle = m_fillStyle;
}

void QvEditDataNumberLine::Serialize(CArchive& ar) {
    QvEditData::Serialize(ar);
    SerializeSettings(ar, m_version, m_data);
}

QvEditData& QvEditDataNumberLine::CopyFrom(const QvEditData& src) {
    CopyCommon(src);
    if (const auto* line = dynamic_cast<const QvEditDataNumberLine*>(&src))
        m_data.Copy(line->m_data);
    return *this;
}

// ------------------------------------------------------------------ dialogs

void QvApplyGraphDialog(QvGraphData& r, const QvGraphData& d, int endCode) {
    switch (endCode) {
    case GraphDialogClean:
        r.integral.functionA = -1;
        r.derivative.function = -1;
        return;
    case GraphDialogOk:
    case GraphDialogDerivative:
    case GraphDialogIntegral:
        break;
    default:
        return;
    }
    r.ShowGrid = AsFlag(d.ShowGrid);
    r.xMaxShowS = d.xMaxShowS;
    r.yMaxShowS = d.yMaxShowS;
    r.xMinShowS = d.xMinShowS;
    r.yMinShowS = d.yMinShowS;
    r.xMajorS = d.xMajorS;
    r.yMajorS = d.yMajorS;
    r.xMinorS = d.xMinorS;
    r.yMinorS = d.yMinorS;
    r.AutoScale = AsFlag(d.AutoScale);
    r.showXAxis = d.showXAxis;
    r.showYAxis = d.showYAxis;
    r.showXTicks = d.showXTicks;
    r.showYTicks = d.showYTicks;
    r.showXLabels = d.showXLabels;
    r.showYLabels = d.showYLabels;
    r.xNotate = d.xNotate;
    r.yNotate = d.yNotate;
    r.AxisFont.Assign(d.AxisFont);
    r.NotateFont.Assign(d.NotateFont);
    r.ReportFont.Assign(d.ReportFont);
    for (int i = 0; i < QvGraphData::kFunctionCount; ++i)
        r.functions[i].Copy(d.functions[i]);
    r.AngleType = d.AngleType;
    r.xGridMajorColor = d.xGridMajorColor;
    r.xGridMinorColor = d.xGridMinorColor;
    r.yGridMajorColor = d.yGridMajorColor;
    r.yGridMinorColor = d.yGridMinorColor;
    r.xGridMajorPen = d.xGridMajorPen;
    r.xGridMinorPen = d.xGridMinorPen;
    r.yGridMajorPen = d.yGridMajorPen;
    r.yGridMinorPen = d.yGridMinorPen;
    r.xColor = d.xColor;
    r.yColor = d.yColor;
    r.xLine = d.xLine;
    r.yLine = d.yLine;
    r.forceMarks = d.forceMarks;

    r.integral.functionA = -1;
    r.derivative.function = -1;
    r.intersection.state = 0;
    if (endCode == GraphDialogDerivative) {
        r.derivative.xText = d.derivative.xText;
        r.derivative.function = d.derivative.function;
        r.derivative.showResult = 1;
        r.derivative.labelText = d.derivative.labelText;
    } else if (endCode == GraphDialogIntegral) {
        r.integral.lowerText = d.integral.lowerText;
        r.integral.upperText = d.integral.upperText;
        r.integral.functionA = d.integral.functionA;
        r.integral.functionB = d.integral.functionB;
        r.integral.showResult = 1;
        r.integral.labelText = d.integral.labelText;
    }
}

void QvApplyNumberLineDialog(QvNumberLineData& r, const QvNumberLineData& d) {
    r.m_xMaxShow = d.m_xMaxShow;
    r.m_xMinShow = d.m_xMinShow;
    r.m_xMajor = d.m_xMajor;
    r.m_xMinor = d.m_xMinor;
    r.m_ShowAxis = d.m_ShowAxis;
    r.m_ShowTicks = d.m_ShowTicks;
    r.m_ShowScale = d.m_ShowScale;
    r.m_AxisFont.Assign(d.m_AxisFont);
    r.m_AxisColor = d.m_AxisColor;
    r.m_AxisLine = d.m_AxisLine;
    for (int i = 0; i < QvNumberLineData::kIntervalCount; ++i)
        r.m_Graphs[i].Copy(d.m_Graphs[i]);
}

// ------------------------------------------------------------------ graph

QvFigGraph::QvFigGraph() {
    InitPoints(4);
    m_nToolId = ToolId;
    auto* record = new QvEditDataFunction;
    record->SetFromCurrentStyle();
    if (record->m_fillStyle == LONG(ID_FILL_NONE))
        record->m_fillStyle = LONG(ID_FILL_SOLID);
    if (record->m_fillColor == 0)
        record->m_fillColor = 0xC0C0C0;
    SetEditData(record);
    m_pGraphData = record;
}

void QvFigGraph::Draw(CDC* dc, int mode) {
    CPoint corners[4];
    IntegerCorners(corners);
    if (mode != QvDrawMode::Normal) {
        if (mode == QvDrawMode::Dotted || mode == QvDrawMode::Highlight)
            DrawOutline(dc, corners);
        return;
    }
    m_engine.data.Copy(m_pGraphData->m_data);
    m_pGraphData->LendFill(m_engine);
    m_engine.data.frameTopLeft = corners[0];
    m_engine.data.frameBottomRight = corners[2];
    m_engine.Draw(dc, FALSE);
}

void QvFigGraph::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

QvEditData* QvFigGraph::NewEditData() const {
    auto* record = new QvEditDataFunction;
    record->CopyFrom(*m_pGraphData);
    return record;
}

void QvFigGraph::EditProperties(CPoint, CPoint) {
    QvGraphDialogValues values;
    values.settings.Copy(m_pGraphData->m_data);
    values.integralFillColor = m_pGraphData->m_fillColor;
    values.integralFillStyle = m_pGraphData->m_fillStyle;
    if (!PropertiesDialog::Run(values))
        values.endCode = GraphDialogCancel;
    QvApplyGraphDialog(m_pGraphData->m_data, values.settings, values.endCode);
}

QString QvFigGraph::GetDescription() const {
    return QStringLiteral("Graph");
}

void QvFigGraph::FindPointsAt(int x, int y) {
    m_engine.data.Copy(m_pGraphData->m_data);
    m_pGraphData->LendFill(m_engine);
    m_engine.FindPointsAt(x, y);
    m_pGraphData->m_data.Copy(m_engine.data);
}

// ------------------------------------------------------------------ number line

QvFigNumberLine::QvFigNumberLine() {
    InitPoints(4);
    m_nToolId = ToolId;
    auto* record = new QvEditDataNumberLine;
    record->SetFromCurrentStyle();
    SetEditData(record);
    m_pLineData = record;
}

void QvFigNumberLine::Draw(CDC* dc, int mode) {
    CPoint corners[4];
    IntegerCorners(corners);
    if (mode != QvDrawMode::Normal) {
        if (mode == QvDrawMode::Dotted || mode == QvDrawMode::Highlight)
            DrawOutline(dc, corners);
        return;
    }
    m_engine.lineData.Copy(m_pLineData->m_data);
    m_engine.lineData.m_FrameRect = CRect(corners[0].x, corners[0].y, corners[2].x, corners[2].y);
    m_engine.Draw(dc, FALSE);
}

void QvFigNumberLine::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

QvEditData* QvFigNumberLine::NewEditData() const {
    auto* record = new QvEditDataNumberLine;
    record->CopyFrom(*m_pLineData);
    return record;
}

void QvFigNumberLine::EditProperties(CPoint, CPoint) {
    QvNumberLineData settings(m_pLineData->m_data);
    if (PropertiesDialog::Run(settings))
        QvApplyNumberLineDialog(m_pLineData->m_data, settings);
}

QString QvFigNumberLine::GetDescription() const {
    return QStringLiteral("Number Line");
}
