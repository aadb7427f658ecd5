#include "figures/snap_point.h"

#include "figures/fig_group.h"

#include <algorithm>

namespace {
constexpr size_t kPrealloc = 500;
constexpr size_t kGrowBy = 250;
} // namespace

QvSnapPointList::QvSnapPointList() {
    m_points.reserve(kPrealloc);
}

void QvSnapPointList::Add(const QvSnapPoint& point) {
    // At least the growth step, and more as the list grows, so that a long
    // list is not copied over and over.
    if (m_points.size() == m_points.capacity())
        m_points.reserve(std::max(m_points.capacity() + kGrowBy, m_points.capacity() * 2));
    m_points.push_back(point);
}

void QvSnapPointList::Clear() {
    m_points.clear();
    m_points.shrink_to_fit();
}

int QvSnapPointList::FindBest(QvPoint p, QvSnapPoint& best, double& bestScore,
                              const QvFigure* exclude, bool eitherFigure) const {
    int winner = -1;
    for (size_t i = 0; i < m_points.size(); ++i) {
        const QvSnapPoint& record = m_points[i];
        double score = record.GetAttraction(p);
        if (!(score > bestScore))
            continue;
        if (QvHolds(exclude, record.figure1) || (eitherFigure && QvHolds(exclude, record.figure2)))
            continue;
        bestScore = score;
        winner = int(i);
    }
    if (winner >= 0)
        best = m_points[size_t(winner)];
    return winner;
}
