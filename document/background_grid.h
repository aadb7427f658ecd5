#pragma once
// The dot grid behind a drawing: its spacing in 0.01 mm, square or
// isometric, shown or hidden.
#include "geometry/point.h"
#include "platform/win_types.h"

class CDC;

class QvBackgroundGrid {
public:
    // The finest spacing the grid dialog offers (0.1 mm); a spacing read
    // from elsewhere is held to it, so nothing divides by zero.
    static constexpr int MinSpacing = 10;
    // sqrt(3) / 2 as the grid has always used it.
    static constexpr double RowFactor = 0.866025403;

    QvBackgroundGrid() = default;
    virtual ~QvBackgroundGrid() = default;

    int GetSpacing() const { return m_nSpacing; }
    void SetSpacing(int spacing);
    bool IsIsometric() const { return m_nType == 1; }
    void SetIsometric(bool isometric) { m_nType = isometric ? 1 : 0; }
    bool IsShown() const { return m_bShown != 0; }
    void SetShown(bool shown) { m_bShown = shown ? 1 : 0; }

    // Dots closer than this many device pixels grey the page: only every
    // k-th is drawn (snapping keeps the real spacing).
    static constexpr int MinDotPixels = 4;

    // The dots inside the logical rectangle (top above bottom), one device
    // pixel each.
    void Draw(CDC* dc, int left, int top, int right, int bottom);
    // Every how many grid steps a dot is drawn on `dc`: 1 unless the dots
    // would be closer than MinDotPixels.
    int DotStride(CDC* dc) const;
    // The grid point nearest to (x, y), shown or not.
    QvPoint NearestGridPoint(int x, int y) const;

private:
    // The isometric rows: half spacing, width of a pair of columns and the
    // shift of every second row, from the current spacing.
    double HalfSpacing() const { return double(m_nSpacing / 2); }
    double RowPairWidth() const { return m_nSpacing * RowFactor * 2.0; }
    double RowOffset() const { return m_nSpacing * RowFactor; }

    int m_nType = 0;
    int m_nSpacing = 500;
    unsigned char m_bSnapEnabled = 1;
    unsigned char m_bShown = 1;
};

// A drawing's background grid as the grid dialog edits it.
struct GridValues {
    int spacing = 500; // 0.01 mm
    int type = 0;      // 0 square, 1 isometric
    BOOL shown = TRUE;
};
