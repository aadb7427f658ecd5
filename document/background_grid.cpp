#include "document/background_grid.h"

#include "platform/dc.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {
bool IsOddRow(double j) {
    return std::fabs(Round(j / 2.0) - j / 2.0) > 1e-8;
}

// Entry 11 of the default system palette, the grey the dots have always had.
constexpr COLORREF kDotColour = RGB(160, 160, 164);
} // namespace

void QvBackgroundGrid::SetSpacing(int spacing) {
    m_nSpacing = std::max(MinSpacing, spacing);
}

int QvBackgroundGrid::DotStride(CDC* dc) const {
    // The spacing in device pixels, measured over many steps so that a step
    // finer than a pixel does not round to nothing.
    constexpr int kSteps = 1000;
    CSize span(m_nSpacing * kSteps, m_nSpacing * kSteps);
    dc->LPtoDP(&span);
    const double step = std::min(std::abs(span.cx), std::abs(span.cy)) / double(kSteps);
    if (step >= MinDotPixels)
        return 1;
    if (step <= 0)
        return std::numeric_limits<int>::max();
    return int(std::ceil(MinDotPixels / step));
}

void QvBackgroundGrid::Draw(CDC* dc, int left, int top, int right, int bottom) {
    if (!m_bShown || !dc)
        return;
    // A grid finer than the screen shows every k-th dot, k the same across
    // the page so that the dots stay put while scrolling.
    const int k = DotStride(dc);
    if (k == std::numeric_limits<int>::max())
        return;
    if (m_nType == 0) {
        // One call for the lattice of columns and rows.
        const long long step = (long long)m_nSpacing * k;
        std::vector<int> xs, ys;
        for (long long i = left / step; i <= right / step; ++i)
            xs.push_back(int(i * step));
        for (long long j = bottom / step; j <= top / step; ++j)
            ys.push_back(int(j * step));
        dc->SetPixelLattice(xs.data(), int(xs.size()), ys.data(), int(ys.size()), kDotColour);
        return;
    }
    if (m_nType != 1)
        return;
    // Every k-th row and every k-th column of an isometric grid is again an
    // isometric grid, k times as wide, on points of this one.  Its even rows
    // and its odd rows are each a lattice: one call for each.
    const double h = HalfSpacing() * k;
    const double w = RowPairWidth() * k;
    const double o = RowOffset() * k;
    const int last = Round(top / h);
    for (bool odd : {false, true}) {
        std::vector<int> xs, ys;
        for (int i = int(left / w); i <= right / w; ++i)
            xs.push_back(Round(i * w + (odd ? o : 0.0)));
        for (int j = int(bottom / h); j <= last; ++j)
            if (IsOddRow(j) == odd)
                ys.push_back(Round(j * h));
        dc->SetPixelLattice(xs.data(), int(xs.size()), ys.data(), int(ys.size()), kDotColour);
    }
}

QvPoint QvBackgroundGrid::NearestGridPoint(int x, int y) const {
    if (!m_bSnapEnabled)
        return QvPoint(x, y);
    // Worked out from the current spacing, so a hidden grid and a grid whose
    // spacing just changed snap alike.
    const int s = m_nSpacing;
    if (m_nType == 0) {
        return QvPoint(double(s) * Round(x / (s * 1.0)), double(s) * Round(y / (s * 1.0)));
    }
    if (m_nType == 1) {
        const double h = HalfSpacing();
        const double w = RowPairWidth();
        const double o = RowOffset();
        int r = Round(y / h);
        int X = !IsOddRow(r) ? Round(Round(x / w) * w) : Round(Round((x - o) / w) * w + o);
        return QvPoint(X, h * r);
    }
    return QvPoint(x, y);
}
