#pragma once
// GDI values to Qt's and back, in one place so that no code outside the
// platform layer converts them by hand.
#include "platform/gdi_types.h"

#include <QColor>
#include <QRect>

inline QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

inline COLORREF FromQColor(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

// Qt's right and bottom are the last pixel inside, GDI's the first outside.
inline CRect ToCRect(const QRect& r) {
    return CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}
