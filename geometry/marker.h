#pragma once
// The small marks that stand for points: point figures, centre marks, the
// point marks of angle marks, dot paper, data points of statistics graphs
// and the samples of the point-style list.
//
// Under MM_HIMETRIC and MM_TEXT a mark's half-size is worked out in device
// pixels once per resolution and kept in one cache here, so marks keep
// one size in pixels whatever the scale.  Under any other mapping they are
// sized in logical units and scale with it.
#include "geometry/point.h"

class CBrush;
class CDC;
class CPen;

// The device half-sizes of the three size classes (plus; circle, diamond
// and large ellipse; dot, square and 'X'), -1 until worked out, and the
// resolution (dots per inch across) they were worked out at, 0 until then.
// A surface of another resolution works them out afresh, so marks on a
// printer or an export bitmap do not leave their size behind for the screen.
struct QvMarkerSizes {
    int size[3] = {-1, -1, -1};
    int dpi = 0;
};

// The one cache every mark uses.
QvMarkerSizes& QvMarkerSizeCache();

// Mark codes: 1 plus, 2 dot, 3 circle, 4 diamond, 5 square, 6 'X',
// 8 asterisk; 0, 7 and any other code draw nothing.
class QvMarker {
public:
    QvMarker() = default;
    virtual ~QvMarker() = default;

    // Mark `code` centred on `at` (each coordinate truncated toward zero),
    // outlined inside its frame in the current pen's width and colour and
    // filled in that colour.  The DC's pen and brush are left as they were.
    void Draw(CDC* dc, QvPoint at, int code);
    // The same marks at integer logical coordinates, with the caller's pen
    // and brush.
    void DrawAt(CDC* dc, int x, int y, int code, CPen* pen, CBrush* brush);
    // The same mark at each of `count` logical points, with the pen and
    // brush selected: the pixels DrawAt would give one by one, copied from
    // one drawing where the device allows (CDC::DrawRepeated).
    void DrawMany(CDC* dc, const CPoint* at, int count, int code);

    // Shape drawers: centre (x, y) and the converted base size (cx, cy),
    // with whatever pen and brush are selected.
    void DrawPlus(CDC* dc, int x, int y, int cx, int cy);
    void DrawDiamond(CDC* dc, int x, int y, int cx, int cy);
    void DrawLargeEllipse(CDC* dc, int x, int y, int cx, int cy);
    void DrawSmallEllipse(CDC* dc, int x, int y, int cx, int cy);
    void DrawCross(CDC* dc, int x, int y, int cx, int cy);
    void DrawSquare(CDC* dc, int x, int y, int cx, int cy);
};
