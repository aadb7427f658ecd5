#pragma once
// Pens, brushes, fonts and regions as the drawing code creates them.  Each
// object only keeps its description; the device context turns it into Qt
// drawing state when it is selected, so an object may be destroyed or made
// again while a context still draws with what was selected.
#include "platform/gdi_types.h"
#include "platform/object.h"

#include <QPainterPath>

// Stock object ids.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

// Region combination modes and results.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

class CGdiObject : public CObject {
public:
    enum class Kind { None, Pen, Brush, Font, Region };
    virtual Kind GetKind() const = 0;
    bool IsCreated() const { return m_created; }
    // Forgets the description; the object can be created again.
    virtual BOOL DeleteObject() {
        BOOL was = m_created;
        m_created = false;
        return was;
    }

    // A process-wide stock object, or null for an id we do not keep.
    static CGdiObject* GetStockObject(int id);

protected:
    bool m_created = false;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    explicit CPen(const LOGPEN& log) { CreatePenIndirect(&log); }

    Kind GetKind() const override { return Kind::Pen; }
    BOOL CreatePen(int style, int width, COLORREF color);
    BOOL CreatePenIndirect(const LOGPEN* log);
    int GetLogPen(LOGPEN* log) const;
    const LOGPEN& Log() const { return m_log; }

private:
    LOGPEN m_log;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
    explicit CBrush(const LOGBRUSH& log) { CreateBrushIndirect(&log); }

    Kind GetKind() const override { return Kind::Brush; }
    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int hatch, COLORREF color);
    BOOL CreateBrushIndirect(const LOGBRUSH* log);
    int GetLogBrush(LOGBRUSH* log) const;
    const LOGBRUSH& Log() const { return m_log; }

private:
    LOGBRUSH m_log;
};

class CFont : public CGdiObject {
public:
    CFont() = default;
    explicit CFont(const LOGFONT& log) { CreateFontIndirect(&log); }

    Kind GetKind() const override { return Kind::Font; }
    BOOL CreateFontIndirect(const LOGFONT* log);
    // Height in logical units (negative: the em height), face as Windows-1252.
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* face);
    int GetLogFont(LOGFONT* log) const;
    const LOGFONT& Log() const { return m_log; }

private:
    LOGFONT m_log;
};

// A region: an area in the coordinates it was made in.  FillRgn and
// FrameRgn map it as logical units; SelectClipRgn takes it as device
// pixels, as GDI does.
class CRgn : public CGdiObject {
public:
    Kind GetKind() const override { return Kind::Region; }
    // The rectangle's right and bottom edges are outside, as for Rectangle.
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(const CRect* rect);
    BOOL CreateEllipticRgn(int left, int top, int right, int bottom);
    BOOL CreateEllipticRgnIndirect(const CRect* rect);
    BOOL CreatePolygonRgn(const CPoint* points, int count, int fillMode);
    // Sets this region to a combination of two others (src2 unused for
    // RGN_COPY); returns the kind of the result or RGN_ERROR.  This region
    // must have been created first, as GDI requires.
    int CombineRgn(const CRgn* src1, const CRgn* src2, int mode);
    int CopyRgn(const CRgn* src) { return CombineRgn(src, nullptr, RGN_COPY); }
    void OffsetRgn(int dx, int dy) { m_path.translate(dx, dy); }
    BOOL PtInRegion(int x, int y) const;
    // Bounding box with exclusive right and bottom; returns the region kind.
    int GetRgnBox(CRect* rect) const;
    int RegionKind() const;
    const QPainterPath& Path() const { return m_path; }

private:
    QPainterPath m_path;
};
