#include "document/background_grid.h"

#include "platform/dc.h"

#include <algorithm>
#include <cmath>

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

void QvBackgroundGrid::Draw(CDC* dc, int left, int top, int right, int bottom) {
    if (!m_bShown || !dc)
        return;
    const int s = m_nSpacing;
    if (m_nType == 0) {
        for (int i = left / s; i <= right / s; ++i)
            for (int j = bottom / s; j <= top / s; ++j)
                dc->SetPixel(i * s, j * s, kDotColour);
        return;
    }
    if (m_nType != 1)
        return;
    const double h = HalfSpacing();
    const double w = RowPairWidth();
    const double o = RowOffset();
    for (int i = int(left / w); i <= right / w; ++i) {
        int last = Round(top / h);
        for (int j = int(bottom / h); j <= last; ++j) {
            double x = i * w + (IsOddRow(j) ? o : 0.0);
            dc->SetPixel(Round(x), Round(j * h), kDotColour);
        }
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
