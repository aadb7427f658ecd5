#include "graphs/number_line_data.h"

#include "graphs/archive_point.h"
#include "platform/archive.h"
#include "settings/settings.h"

IMPLEMENT_SERIAL(QvGraphDataNumberLineFunction, CObject, 0)
IMPLEMENT_SERIAL(QvNumberLineData, CObject, 0)

namespace {

void StoreRect(CArchive& ar, const CRect& r) {
    StorePoint(ar, r.TopLeft());
    StorePoint(ar, r.BottomRight());
}

void LoadRect(CArchive& ar, CRect& r) {
    CPoint a, b;
    LoadPoint(ar, a);
    LoadPoint(ar, b);
    r = CRect(a, b);
}

} // namespace

// --- one interval ------------------------------------------------------------------

QvGraphDataNumberLineFunction::QvGraphDataNumberLineFunction(
    const QvGraphDataNumberLineFunction& other)
    : CObject() {
    Copy(other);
}

QvGraphDataNumberLineFunction&
QvGraphDataNumberLineFunction::Copy(const QvGraphDataNumberLineFunction& other) {
    if (this == &other)
        return *this;
    m_xMax = other.m_xMax;
    reservedE = other.reservedE;
    m_xMin = other.m_xMin;
    reservedF = other.reservedF;
    m_PlotRect = other.m_PlotRect;
    m_Expression = other.m_Expression;
    secondText = other.secondText;
    m_Color = other.m_Color;
    m_LineCommand = other.m_LineCommand;
    m_Changed = other.m_Changed;
    return *this;
}

void QvGraphDataNumberLineFunction::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        version = kVersion;
        ar << version << m_xMax << reservedE << m_xMin << reservedF;
        StoreRect(ar, m_PlotRect);
        StoreRect(ar, m_FrameRect);
        ar << m_Expression << secondText << DWORD(m_Color) << LONG(m_LineCommand);
        return;
    }
    ar >> version;
    if (short(version) >= 1) {
        ar >> m_xMax >> reservedE >> m_xMin >> reservedF;
        LoadRect(ar, m_PlotRect);
        LoadRect(ar, m_FrameRect);
        ar >> m_Expression >> secondText >> m_Color >> m_LineCommand;
    }
    m_Changed = 1;
}

// --- the whole line ----------------------------------------------------------------

QvNumberLineData::QvNumberLineData() {
    const QvSettings& settings = TheSettings();
    const QvNumberLineDefaults& d = settings.m_NumberLineDefaults;
    m_xMaxShow = d.xMaxShowS.GetValue();
    m_xMinShow = d.xMinShowS.GetValue();
    m_xMajor = d.xMajorS.GetValue();
    m_xMinor = d.xMinorS.GetValue();
    m_AxisColor = d.xColor.GetValue();
    m_AxisLine = d.xLine.GetValue();
    m_AxisFont.Assign(d.AxisFont.GetValue());
    m_ShowOriginCopy = BYTE(settings.m_GraphDefaults.ShowOrigin.GetValue() ? 1 : 0);
    m_ShowNegArrowsCopy = BYTE(settings.m_GraphDefaults.ShowNegativeArrows.GetValue() ? 1 : 0);
    for (int i = 0; i < kIntervalCount; ++i) {
        m_Graphs[i].m_Changed = 1;
        m_Graphs[i].m_Color = d.GraphColor[i].GetValue();
    }
}

QvNumberLineData::QvNumberLineData(const QvNumberLineData& other) : QvNumberLineData() {
    Copy(other);
}

QvNumberLineData& QvNumberLineData::Copy(const QvNumberLineData& other) {
    if (this == &other)
        return *this;
    m_xMaxPad = other.m_xMaxPad;
    m_xMinPad = other.m_xMinPad;
    m_PlotRect = other.m_PlotRect;
    m_FrameRect = other.m_FrameRect;
    m_xMaxShow = other.m_xMaxShow;
    m_xMinShow = other.m_xMinShow;
    m_xMajor = other.m_xMajor;
    m_xMinor = other.m_xMinor;
    reservedA = other.reservedA;
    m_ShowAxis = other.m_ShowAxis;
    m_ShowTicks = other.m_ShowTicks;
    m_ShowScale = other.m_ShowScale;
    reservedB = other.reservedB;
    reservedC = other.reservedC;
    m_AxisColor = other.m_AxisColor;
    m_AxisLine = other.m_AxisLine;
    m_ShowOriginCopy = other.m_ShowOriginCopy;
    m_ShowNegArrowsCopy = other.m_ShowNegArrowsCopy;
    reservedD = other.reservedD;
    m_AxisFont.Assign(other.m_AxisFont);
    for (int i = 0; i < kIntervalCount; ++i)
        m_Graphs[i].Copy(other.m_Graphs[i]);
    return *this;
}

void QvNumberLineData::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        version = kVersion;
        ar << version << m_xMaxPad << m_xMinPad;
        StoreRect(ar, m_PlotRect);
        StoreRect(ar, m_FrameRect);
        ar << m_xMaxShow << m_xMinShow << m_xMajor << m_xMinor;
        ar << LONG(reservedA) << LONG(m_ShowAxis) << LONG(m_ShowTicks) << LONG(m_ShowScale)
           << LONG(reservedB) << LONG(reservedD);
        m_AxisFont.WriteBlock(ar);
        ar << LONG(reservedC);
        for (QvGraphDataNumberLineFunction& g : m_Graphs)
            g.Serialize(ar);
        ar << DWORD(m_AxisColor) << LONG(m_AxisLine) << m_ShowOriginCopy << m_ShowNegArrowsCopy;
        return;
    }
    ar >> version;
    if (short(version) < 1)
        return;
    ar >> m_xMaxPad >> m_xMinPad;
    LoadRect(ar, m_PlotRect);
    LoadRect(ar, m_FrameRect);
    ar >> m_xMaxShow >> m_xMinShow >> m_xMajor >> m_xMinor;
    ar >> reservedA >> m_ShowAxis >> m_ShowTicks >> m_ShowScale >> reservedB >> reservedD;
    m_AxisFont.ReadBlock(ar);
    ar >> reservedC;
    for (QvGraphDataNumberLineFunction& g : m_Graphs)
        g.Serialize(ar);
    ar >> m_AxisColor >> m_AxisLine >> m_ShowOriginCopy >> m_ShowNegArrowsCopy;
}
