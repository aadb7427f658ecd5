#include "document/snap_point.h"

namespace {
constexpr size_t kPrealloc = 500;
constexpr size_t kGrowBy = 250;
} // namespace

QvSnapPointList::QvSnapPointList() {
    m_points.reserve(kPrealloc);
}

void QvSnapPointList::Add(const QvSnapPoint& point) {
    if (m_points.size() == m_points.capacity())
        m_points.reserve(m_points.capacity() + kGrowBy);
    m_points.push_back(point);
}

void QvSnapPointList::Clear() {
    m_points.clear();
    m_points.shrink_to_fit();
}
