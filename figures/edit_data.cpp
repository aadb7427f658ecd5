#include "figures/edit_data.h"

#include "platform/archive.h"
#include "settings/settings.h"

IMPLEMENT_SERIAL(QvEditData, CObject, 1)

void QvEditData::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << DWORD(m_lineColor) << DWORD(m_fillColor) << m_lineStyle << m_fillStyle;
    } else {
        DWORD line = 0, fill = 0;
        ar >> line >> fill >> m_lineStyle >> m_fillStyle;
        m_lineColor = line;
        m_fillColor = fill;
    }
}

QvEditData& QvEditData::CopyCommon(const QvEditData& src) {
    m_lineColor = src.m_lineColor;
    m_fillColor = src.m_fillColor;
    m_lineStyle = src.m_lineStyle;
    m_fillStyle = src.m_fillStyle;
    return *this;
}

void QvEditData::SetFromCurrentStyle() {
    QvSettings& s = TheSettings();
    m_lineColor = s.m_CurLineColor.GetValue();
    m_fillColor = s.m_CurFillColor.GetValue();
    m_lineStyle = s.m_CurLineType.GetValue();
    m_fillStyle = s.m_CurFillType.GetValue();
}
