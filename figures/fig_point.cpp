#include "figures/fig_point.h"

#include "figures/figure_factory.h"
#include "geometry/gr_rect.h"
#include "geometry/marker.h"
#include "platform/message_box.h"
#include "settings/settings.h"

#include <utility>

IMPLEMENT_SERIAL(QvFigPoint, QvFigure, 1)

[[maybe_unused]] static const bool kToolsRegistered = QvRegisterFigureTools({
    {QvFigPoint::ToolId, "QvFigPoint", &QvMakeFigure<QvFigPoint>},
});

QvFigPoint::QvFigPoint() {
    InitPoints(1);
    m_nToolId = ToolId;
    m_pShape = &m_point;
    auto* record = new QvEditDataCircle;
    record->SetFromCurrentStyle();
    record->m_markType = TheSettings().m_PointDefaults.Mark.GetValue();
    SetEditData(record);
    m_pPointData = record;
}

void QvFigPoint::Draw(CDC* dc, int) {
    BuildFromPoints();
    QvMarker().Draw(dc, m_point.point, m_pPointData->m_markType);
}

void QvFigPoint::CopyEditData(QvEditData* dst, const QvEditData* src) const {
    dst->CopyFrom(*src);
}

void QvFigPoint::EditProperties(CPoint, CPoint) {
    if (!PropertiesDialog::Available())
        return;
    LONG mark = m_pPointData->m_markType;
    if (PropertiesDialog::Run(mark))
        m_pPointData->m_markType = mark;
}

QvEditData* QvFigPoint::NewEditData() const {
    auto* record = new QvEditDataCircle;
    record->CopyFrom(*m_pPointData);
    return record;
}

std::unique_ptr<QvGRBase> QvFigPoint::CreateGeometry() const {
    auto point = std::make_unique<QvGRPoint>();
    *point = m_point;
    return point;
}

CRect QvFigPoint::GetBoundRect() {
    const QvPoint& p = m_point.point;
    QvGRRect box(
        QvPoint(p.x - MarkReach, p.y - MarkReach), QvPoint(p.x + MarkReach, p.y - MarkReach),
        QvPoint(p.x + MarkReach, p.y + MarkReach), QvPoint(p.x - MarkReach, p.y + MarkReach));
    return box.GetBounds();
}

bool QvFigPoint::HitTest(QvPoint pt, double tolerance) {
    return m_point.HitTest(pt, tolerance);
}

void QvFigPoint::MoveHandle(int n, QvPoint to, QvPoint, QvKeys) {
    if (n != 0)
        return;
    m_points[0] = to;
    m_display[0] = to;
    BuildFromPoints();
}

void QvFigPoint::TrackCreatePoint(QvPoint pt, QvKeys) {
    m_points[0] = pt;
    m_display[0] = pt;
    BuildFromPoints();
}

bool QvFigPoint::CreateClick() {
    BuildFromPoints();
    return true;
}

void QvFigPoint::BuildFromPoints() {
    m_point.point = m_display[0];
}

QvPoint QvFigPoint::GetPoint(int) const {
    return QvPoint::Far();
}
