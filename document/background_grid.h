#pragma once
// The dot grid behind a drawing: its spacing in 0.01 mm, square or
// isometric, shown or hidden.
#include "geometry/point.h"

class CDC;

class QvBackgroundGrid {
public:
    QvBackgroundGrid() = default;
    virtual ~QvBackgroundGrid() = default;

    int GetSpacing() const { return m_nSpacing; }
    void SetSpacing(int spacing) { m_nSpacing = spacing; }
    bool IsIsometric() const { return m_nType == 1; }
    void SetIsometric(bool isometric) { m_nType = isometric ? 1 : 0; }
    bool IsShown() const { return m_bShown != 0; }
    void SetShown(bool shown) { m_bShown = shown ? 1 : 0; }

    // The dots inside the logical rectangle (top above bottom).
    void Draw(CDC* dc, int left, int top, int right, int bottom);
    // The grid point nearest to (x, y), shown or not.
    QvPoint NearestGridPoint(int x, int y) const;

private:
    int m_nType = 0;
    int m_nSpacing = 500;
    unsigned char m_bShown = 1;
};
