#pragma once
// A point in the graph records' archive form: two 32-bit ints, x then y.
#include "platform/archive.h"
#include "platform/gdi_types.h"

inline void StorePoint(CArchive& ar, const CPoint& p) {
    ar << LONG(p.x) << LONG(p.y);
}

inline void LoadPoint(CArchive& ar, CPoint& p) {
    LONG x = 0, y = 0;
    ar >> x >> y;
    p = CPoint(x, y);
}
