#pragma once
// GDI value types with GDI semantics: integer coordinates, rectangles whose
// right and bottom edges are exclusive, colours as 0x00BBGGRR.
#include "platform/win_types.h"

#include <algorithm>
#include <cstring>

constexpr COLORREF RGB(int r, int g, int b) {
    return COLORREF(BYTE(r)) | (COLORREF(BYTE(g)) << 8) | (COLORREF(BYTE(b)) << 16);
}
constexpr BYTE GetRValue(COLORREF c) {
    return BYTE(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return BYTE((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return BYTE((c >> 16) & 0xFF);
}

class CSize;

class CPoint {
public:
    LONG x = 0;
    LONG y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}

    void Offset(int dx, int dy) { x += dx, y += dy; }
    void SetPoint(int px, int py) { x = px, y = py; }
    constexpr bool operator==(const CPoint&) const = default;
    inline CPoint& operator+=(const CSize& s);
    inline CPoint& operator-=(const CSize& s);
    CPoint& operator+=(const CPoint& p) {
        x += p.x, y += p.y;
        return *this;
    }
    CPoint& operator-=(const CPoint& p) {
        x -= p.x, y -= p.y;
        return *this;
    }
    inline CPoint operator+(const CSize& s) const;
    inline CPoint operator-(const CSize& s) const;
    inline CSize operator-(const CPoint& p) const;
    CPoint operator+(const CPoint& p) const { return CPoint(x + p.x, y + p.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};

class CSize {
public:
    LONG cx = 0;
    LONG cy = 0;

    constexpr CSize() = default;
    constexpr CSize(int w, int h) : cx(w), cy(h) {}

    constexpr bool operator==(const CSize&) const = default;
    CSize operator+(const CSize& s) const { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(const CSize& s) const { return CSize(cx - s.cx, cy - s.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CSize& operator+=(const CSize& s) {
        cx += s.cx, cy += s.cy;
        return *this;
    }
    CSize& operator-=(const CSize& s) {
        cx -= s.cx, cy -= s.cy;
        return *this;
    }
};

inline CPoint& CPoint::operator+=(const CSize& s) {
    x += s.cx, y += s.cy;
    return *this;
}
inline CPoint& CPoint::operator-=(const CSize& s) {
    x -= s.cx, y -= s.cy;
    return *this;
}
inline CPoint CPoint::operator+(const CSize& s) const {
    return CPoint(x + s.cx, y + s.cy);
}
inline CPoint CPoint::operator-(const CSize& s) const {
    return CPoint(x - s.cx, y - s.cy);
}
inline CSize CPoint::operator-(const CPoint& p) const {
    return CSize(x - p.x, y - p.y);
}

// A rectangle as GDI keeps it: right and bottom are outside.  Under a y-up
// mapping top may be greater than bottom; NormalizeRect puts it right.
class CRect {
public:
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(const CPoint& tl, const CPoint& br)
        : left(tl.x), top(tl.y), right(br.x), bottom(br.y) {}
    constexpr CRect(const CPoint& tl, const CSize& sz)
        : left(tl.x), top(tl.y), right(tl.x + sz.cx), bottom(tl.y + sz.cy) {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    // Empty when it has no area: width or height zero or negative.
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(const CPoint& p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
    void SetRectEmpty() { left = top = right = bottom = 0; }
    void NormalizeRect() {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    void InflateRect(int dx, int dy) { left -= dx, top -= dy, right += dx, bottom += dy; }
    void InflateRect(const CSize& s) { InflateRect(s.cx, s.cy); }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(const CSize& s) { InflateRect(-s.cx, -s.cy); }
    void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
    void OffsetRect(const CPoint& p) { OffsetRect(p.x, p.y); }
    void OffsetRect(const CSize& s) { OffsetRect(s.cx, s.cy); }

    // Intersection; an empty result is set to all zeros, as GDI does.
    bool IntersectRect(const CRect& a, const CRect& b) {
        CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = r;
        return true;
    }
    // Union of the non-empty ones; empty rectangles are ignored.
    bool UnionRect(const CRect& a, const CRect& b) {
        if (a.IsRectEmpty()) {
            *this = b.IsRectEmpty() ? CRect() : b;
        } else if (b.IsRectEmpty()) {
            *this = a;
        } else {
            *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top),
                          std::max(a.right, b.right), std::max(a.bottom, b.bottom));
        }
        return !IsRectEmpty();
    }

    constexpr bool operator==(const CRect&) const = default;
};

// Pen, brush and font records as GDI describes them.
constexpr UINT PS_SOLID = 0;
constexpr UINT PS_DASH = 1;
constexpr UINT PS_DOT = 2;
constexpr UINT PS_DASHDOT = 3;
constexpr UINT PS_DASHDOTDOT = 4;
constexpr UINT PS_NULL = 5;
constexpr UINT PS_INSIDEFRAME = 6;

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;
constexpr UINT BS_HATCHED = 2;

constexpr int HS_HORIZONTAL = 0;
constexpr int HS_VERTICAL = 1;
constexpr int HS_FDIAGONAL = 2;
constexpr int HS_BDIAGONAL = 3;
constexpr int HS_CROSS = 4;
constexpr int HS_DIAGCROSS = 5;

struct LOGPEN {
    UINT lopnStyle = PS_SOLID;
    CPoint lopnWidth; // only x is used
    COLORREF lopnColor = 0;
};

struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    ULONG lbHatch = 0;
};

constexpr int LF_FACESIZE = 32;

constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_THIN = 100;
constexpr LONG FW_LIGHT = 300;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_MEDIUM = 500;
constexpr LONG FW_SEMIBOLD = 600;
constexpr LONG FW_BOLD = 700;
constexpr LONG FW_HEAVY = 900;

constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;

constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;

// Laid out as the 60-byte record that files store: five LONGs, eight BYTEs
// and the face name as Windows-1252 bytes.
struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = FW_NORMAL;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = ANSI_CHARSET;
    BYTE lfOutPrecision = OUT_DEFAULT_PRECIS;
    BYTE lfClipPrecision = CLIP_DEFAULT_PRECIS;
    BYTE lfQuality = DEFAULT_QUALITY;
    BYTE lfPitchAndFamily = DEFAULT_PITCH;
    char lfFaceName[LF_FACESIZE] = {};

    bool operator==(const LOGFONT& o) const { return std::memcmp(this, &o, sizeof o) == 0; }
};
static_assert(sizeof(LOGFONT) == 60, "LOGFONT must keep its stored size");
