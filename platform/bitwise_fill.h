#pragma once
// Polygon fills that combine bits with what is below (AND, XOR, ...), or
// lay an 8 x 8 pattern tile, on 32-bit pixel rows, done here in one pass on
// the calling thread.  Qt's
// raster engine fills these through its generic span path and splits large
// fills over its thread pool, which costs more than the fill itself when
// many polygons are combined, as inequality shadings are.
//
// The pixels are those Qt's engine fills without antialiasing: corners on
// a 1/64-pixel grid, a row's crossings at its pixel centres in 16.16 fixed
// point, and a pixel inside when its centre lies after the left crossing
// and not after the right one.
#include <QPolygonF>
#include <QRect>
#include <QRgb>

enum class BitwiseOp { And, NotXor, Xor, Not };

// Fills `rings` (device pixels, one path of closed rings) into the rows at
// `bits`, limited to `clip`.  Returns false, drawing nothing, when a
// corner lies too far off the page for the fixed-point arithmetic.
bool BitwiseFillPolygons(uchar* bits, qsizetype bytesPerLine, const QRect& clip,
                         const QPolygonF* rings, int count, bool winding, BitwiseOp op,
                         QRgb colour);

// Fills `rings` with `tile` (eight rows of eight pixels, fixed to the
// device's origin), limited to `clip`: an opaque tile pixel replaces what is
// there and a zero one leaves it, as Qt lays such a pattern brush over the
// page.  Returns false, drawing nothing, as BitwiseFillPolygons does.
bool TileFillPolygons(uchar* bits, qsizetype bytesPerLine, const QRect& clip,
                      const QPolygonF* rings, int count, bool winding, const QRgb tile[64]);
