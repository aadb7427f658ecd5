#pragma once
// The marks at the ends and middles of lines and curves: arrowheads, bars,
// circles and slashes.  The caller draws the whole line first; the mark is
// drawn over its end, its tip on the end point.
//
// Codes: 10 none, 11 lines head, 12 triangle, 13 chevron, 14 sector, 15 bar,
// 16 filled circle, 17 white circle, 18 open circle, 19 slash, 20 double
// slash, 21 triple slash, 22-24 double lines, triangle and chevron heads.
// Any other code draws nothing.
#include "geometry/point.h"

class CDC;

class QvArrowHead {
public:
    QvArrowHead() = default;
    virtual ~QvArrowHead() = default;

    // Mark `code` at `end`, pointing away from `toward`, `size` hundredths
    // of a millimetre long.  `centred` moves a head or bar forward by half
    // its length so that it sits centred on `end`.  The DC's pen and brush
    // are left as they were.
    void Draw(CDC* dc, QvPoint end, QvPoint toward, int code, int size, BOOL centred);

    // Shape drawers: anchor a, direction point b and length in logical
    // units, with whatever pen and brush are selected.
    void DrawLines(CDC* dc, QvPoint a, QvPoint b, int length);
    void DrawTriangle(CDC* dc, QvPoint a, QvPoint b, int length);
    void DrawChevron(CDC* dc, QvPoint a, QvPoint b, int length);
    void DrawSector(CDC* dc, QvPoint a, QvPoint b, int length);
    void DrawBar(CDC* dc, QvPoint a, QvPoint b, int length);
    void DrawFilledCircle(CDC* dc, QvPoint a, QvPoint b, int length);
    void DrawWhiteCircle(CDC* dc, QvPoint a, QvPoint b, int length);
    void DrawOpenCircle(CDC* dc, QvPoint a, QvPoint b, int length);
    void DrawSlash(CDC* dc, QvPoint a, QvPoint b, int length);
};
