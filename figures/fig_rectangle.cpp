#include "figures/fig_rectangle.h"

#include "figures/figure_factory.h"
#include "platform/archive.h"
#include "platform/command_ids.h"
#include "platform/dc.h"
#include "settings/settings.h"

#include <cmath>

IMPLEMENT_SERIAL(QvFigRectangle, QvFigRectBase, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigRectangle::ToolId, "QvFigRectangle", &QvMakeFigure<QvFigRectangle>},
    {QvFigSelectRect::ToolId, "QvFigRectBase", &QvMakeFigure<QvFigSelectRect>},
    {QvFigSelectRect::SectionToolId, "QvFigRectBase", &QvMakeFigure<QvFigSelectRect>},
});

namespace {
constexpr LONG kNoFill = ID_FILL_NONE;
} // namespace

QvFigRectangle::QvFigRectangle() {
    InitPoints(4);
    m_nToolId = ToolId;
    m_pShape = &m_frame;
    auto* record = new QvEditData;
    record->SetFromCurrentStyle();
    SetEditData(record);
}

void QvFigRectangle::DrawFill(CDC* dc, int) {
    CPoint c[4];
    IntegerCorners(c);
    CDCSelect<CPen> noPen(dc, NULL_PEN);
    dc->Polygon(c, 4);
}

void QvFigRectangle::Draw(CDC* dc, int) {
    CPoint c[5];
    IntegerCorners(c);
    c[4] = c[0];
    dc->Polyline(c, 5);
}

QString QvFigRectangle::GetDescription() const {
    const double width = std::fabs(std::trunc(m_display[1].x - m_display[0].x)) / 100.0;
    const double height = std::fabs(std::trunc(m_display[3].y - m_display[0].y)) / 100.0;
    return QString::asprintf("Rectangle - %.2f by %.2f", width, height);
}

// ------------------------------------------------------------------ select

QvFigSelectRect::QvFigSelectRect() {
    InitPoints(4);
    m_nToolId = ToolId;
    m_pShape = &m_frame;
    auto* record = new QvEditData;
    const QvSettings& s = TheSettings();
    record->m_lineStyle = s.m_CurLineType.GetValue();
    record->m_lineColor = s.m_CurLineColor.GetValue();
    record->m_fillStyle = kNoFill;
    record->m_fillColor = RGB(255, 255, 255);
    SetEditData(record);
}

void QvFigSelectRect::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        throw CArchiveException(CArchiveException::genericException,
                                QStringLiteral("A selection rectangle is not part of a drawing."));
    QvFigRectBase::Serialize(ar);
}

void QvFigSelectRect::Draw(CDC* dc, int mode) {
    if (mode == QvDrawMode::Highlight || mode == QvDrawMode::White2)
        return;
    CPoint c[4];
    IntegerCorners(c);
    // A band the user drags stays crisp, as grips and grid dots do.
    BOOL smooth = dc->SetSmoothing(FALSE);
    dc->Polygon(c, 4);
    dc->SetSmoothing(smooth);
}
