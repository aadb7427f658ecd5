#include "document/background_grid.h"

#include <cmath>

namespace {
int RoundHalfUp(double v) {
    return int(std::floor(v + 0.5));
}
} // namespace

// The dots come with the grid's editing commands; until then the page stays
// plain.
void QvBackgroundGrid::Draw(CDC*, int, int, int, int) {}

QvPoint QvBackgroundGrid::NearestGridPoint(int x, int y) const {
    // The isometric rows come from the current spacing, so a hidden grid and
    // a grid whose spacing just changed snap alike.
    const int s = m_nSpacing;
    if (m_nType == 0) {
        return QvPoint(double(s) * RoundHalfUp(x / (s * 1.0)),
                       double(s) * RoundHalfUp(y / (s * 1.0)));
    }
    if (m_nType == 1) {
        const double h = double(s / 2);
        const double w = s * 0.866025403 * 2.0;
        const double o = s * 0.866025403;
        int r = RoundHalfUp(y / h);
        bool even = std::fabs(RoundHalfUp(r / 2.0) - r / 2.0) <= 1e-8;
        int X = even ? RoundHalfUp(RoundHalfUp(x / w) * w)
                     : RoundHalfUp(RoundHalfUp((x - o) / w) * w + o);
        return QvPoint(X, h * r);
    }
    return QvPoint(x, y);
}
