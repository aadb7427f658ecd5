#include "geometry/special_point.h"

#include "geometry/snap_kind.h"

#include <cmath>

namespace {
constexpr size_t kGrowBy = 20;
}

QvSpecialPointList::QvSpecialPointList() {
    m_points.reserve(kGrowBy);
}

bool QvSpecialPointList::IsNoTarget(const QvPoint& p) {
    return p.IsFar() || !std::isfinite(p.x) || !std::isfinite(p.y);
}

void QvSpecialPointList::Add(QvSpecialPoint point) {
    if (IsNoTarget(point.point))
        return;
    if (m_points.size() == m_points.capacity())
        m_points.reserve(m_points.capacity() + kGrowBy);
    m_points.push_back(std::move(point));
}

void QvAppendSnapPoint(QvSpecialPointList* list, int kind, const QvPoint& point) {
    const QvSnapKind& k = QvGetSnapTable()[kind];
    QvSpecialPoint record;
    record.point = point;
    record.priority = k.priority;
    record.label = k.name;
    list->Add(record);
}
