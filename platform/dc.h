#pragma once
// The device context the drawing code draws through: GDI's rules (mapping
// modes, exclusive right and bottom edges, pens in logical widths, hatches
// in device pixels, counter-clockwise arcs, upright text) on a QPainter.
//
// Coordinates are mapped from logical to device units here, and the painter
// always draws in device pixels with an identity transform.  A flipped
// painter would mirror glyphs and turn arcs the other way; drawing in device
// space keeps text upright and Arc/Pie/Chord counter-clockwise on the page
// in every mapping mode, as GDI draws them.
//
// Surfaces: a widget being painted, a QImage, a QPrinter (or QPdfWriter) and
// a QSvgGenerator.  Surfaces finer than the screen (paper, PDF, SVG and
// pictures above 96 dpi) keep the screen's look: the thinnest line is one
// 96-dpi pixel wide (0.26 mm) and hatch and dash periods keep their size in
// screen pixels.
//
// Lines, curves and text are antialiased with the geometry GDI's whole
// pixels give them: a one-pixel line covers the pixels it would cover
// without smoothing.  SetSmoothing(FALSE) draws by whole pixels.
//
// Raster operations (SetROP2): on raster surfaces (widgets, images) R2_COPYPEN,
// R2_MASKPEN, R2_NOTXORPEN, R2_XORPEN and R2_NOT combine bits exactly.  PDF,
// printers and SVG have no bitwise mixing; there a mix mode draws what it
// would give on white paper in one pass: R2_MASKPEN and R2_NOTXORPEN the
// pen's own colour, R2_XORPEN its inverse, R2_NOT black.  A second pass does
// not undo the first there, so callers that erase by drawing twice must
// repaint instead.  Text, FillRect, FillSolidRect, FillRgn and SetPixel
// ignore the mix mode, as in GDI.
#include "platform/gdi_objects.h"

#include <QBrush>
#include <QFont>
#include <QLineF>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QString>

#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

class QFontMetricsF;
class QGlyphRun;
class QPaintDevice;
class QPainter;

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_HIMETRIC = 3;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// GetDeviceCaps indices and answers.
constexpr int TECHNOLOGY = 2;
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int DT_RASDISPLAY = 1;
constexpr int DT_RASPRINTER = 2;
constexpr int DT_METAFILE = 5;
constexpr int RC_BITBLT = 0x0001;
constexpr int RC_SCALING = 0x0004;
constexpr int RC_BITMAP64 = 0x0008;
constexpr int RC_DI_BITMAP = 0x0080;
constexpr int RC_DIBTODEV = 0x0200;
constexpr int RC_STRETCHBLT = 0x0800;
constexpr int RC_FLOODFILL = 0x1000;
constexpr int RC_STRETCHDIB = 0x2000;

// Mix modes.
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_COPYPEN = 13;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Text alignment.
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// Font measurements, in logical units.
struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

// The device vertices of a polyline or polygon that its owner draws again
// and again (a curve's flattened outline): kept between paints while the
// points, the mapping and the pen's offset stay the same, so a repaint skips
// mapping and smoothing them.  Copies start empty.
struct CDCTextRuns;

class CDCVertexCache {
public:
    CDCVertexCache() = default;
    CDCVertexCache(const CDCVertexCache&) {}
    CDCVertexCache& operator=(const CDCVertexCache&) {
        Reset();
        return *this;
    }
    void Reset() {
        m_points.clear();
        m_device.clear();
    }

private:
    friend class CDC;
    int m_kind = 0;
    double m_sx = 0, m_sy = 0, m_offset = 0;
    CPoint m_winOrg, m_vpOrg;
    std::vector<CPoint> m_points;
    QPolygonF m_device;
};

class CDC {
public:
    enum class Surface { Screen, Image, Printer, Pdf, Svg };

    // Draws through a painter that is already active on its device; the
    // painter's transform is reset to identity and stays so.
    explicit CDC(QPainter* painter);
    // Begins a painter of its own on `device` and ends it when destroyed.
    explicit CDC(QPaintDevice* device);
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    QPainter* Painter() const { return m_painter; }
    Surface GetSurface() const { return m_surface; }
    BOOL IsPrinting() const { return m_surface == Surface::Printer; }
    int GetDeviceCaps(int index) const;
    // A screen is taken at 96 pixels per inch unless told its true
    // resolution here; the mapping mode set next uses it.  The surface then
    // counts as a screen (its pixels are screen pixels).
    void SetDeviceResolution(int dpiX, int dpiY);
    // Device pixels in one 96-dpi screen pixel: 1 on the screen and on
    // pictures at screen resolution, more on finer surfaces.
    double GetScreenPixel() const { return m_screenPixel; }
    // Antialiasing (on by default); returns the previous setting.  Off, for
    // marks that must stay crisp.  Mix modes other than R2_COPYPEN draw by
    // whole pixels on raster surfaces whatever this says, so that drawing
    // twice erases.
    BOOL SetSmoothing(BOOL on);
    BOOL GetSmoothing() const { return m_s.smoothing; }

    // Mapping.  Window and viewport extents only change in MM_ISOTROPIC and
    // MM_ANISOTROPIC; MM_ISOTROPIC shrinks the viewport extent so that a
    // logical unit is as long across as down.
    int SetMapMode(int mode);
    int GetMapMode() const { return m_s.mapMode; }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(const CPoint& p) { return SetWindowOrg(p.x, p.y); }
    CPoint GetWindowOrg() const { return m_s.winOrg; }
    CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(const CSize& s) { return SetWindowExt(s.cx, s.cy); }
    CSize GetWindowExt() const { return m_s.winExt; }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(const CPoint& p) { return SetViewportOrg(p.x, p.y); }
    CPoint GetViewportOrg() const { return m_s.vpOrg; }
    CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(const CSize& s) { return SetViewportExt(s.cx, s.cy); }
    CSize GetViewportExt() const { return m_s.vpExt; }

    void LPtoDP(CPoint* points, int count = 1) const;
    void LPtoDP(CRect* rect) const;
    // Sizes scale without the origins; signs follow the extents.
    void LPtoDP(CSize* size) const;
    void DPtoLP(CPoint* points, int count = 1) const;
    void DPtoLP(CRect* rect) const;
    void DPtoLP(CSize* size) const;
    // 0.01 mm to and from device pixels at the device's resolution, rounded.
    void HIMETRICtoDP(CSize* size) const;
    void DPtoHIMETRIC(CSize* size) const;

    // Objects.  Selecting copies the object's description, so the context
    // never reads an object after it was selected; the previous object is
    // returned for selecting back (CDCSelect below does that at a scope's
    // end).  An object not created, or null, selects nothing and gives null.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    // Selects a region as the clip; returns the region kind.
    int SelectObject(CRgn* region) { return SelectClipRgn(region); }
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int id);
    // The selected descriptions (GetLogPen and the like work on them).
    const CPen* GetCurrentPen() const { return &m_s.pen; }
    const CBrush* GetCurrentBrush() const { return &m_s.brush; }
    const CFont* GetCurrentFont() const { return &m_s.font; }

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_s.textColor; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_s.bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_s.bkMode; }
    // Returns the previous mode, or 0 (mode unchanged) for one not offered.
    int SetROP2(int mode);
    int GetROP2() const { return m_s.rop2; }
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const { return m_s.polyFillMode; }
    UINT SetTextAlign(UINT align);
    UINT GetTextAlign() const { return m_s.textAlign; }

    // One-pixel lines draw from the start point up to, but not including,
    // the end point, whichever way they run.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(const CPoint& p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(const CPoint& p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return m_s.current; }
    BOOL Polyline(const CPoint* points, int count);
    // The same, keeping the device vertices in `cache` for the next paint.
    BOOL Polyline(const CPoint* points, int count, CDCVertexCache* cache);
    BOOL PolyBezier(const CPoint* points, int count);

    // Closed shapes: outlined with the pen, filled with the brush, right and
    // bottom edges outside.  A PS_INSIDEFRAME pen keeps a shape given by a
    // bounding box inside that box.
    BOOL Polygon(const CPoint* points, int count);
    BOOL Polygon(const CPoint* points, int count, CDCVertexCache* cache);
    BOOL PolyPolygon(const CPoint* points, const int* counts, int polygons);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const CRect& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }
    BOOL RoundRect(int left, int top, int right, int bottom, int width, int height);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(const CRect& r) { return Ellipse(r.left, r.top, r.right, r.bottom); }
    // The arc of the box's ellipse from the start radial counter-clockwise
    // to the end radial; radials through the same direction give it whole.
    BOOL Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    BOOL Arc(const CRect& r, const CPoint& start, const CPoint& end) {
        return Arc(r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y);
    }
    BOOL Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    BOOL Pie(const CRect& r, const CPoint& start, const CPoint& end) {
        return Pie(r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y);
    }
    BOOL Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
               int yEnd);
    BOOL Chord(const CRect& r, const CPoint& start, const CPoint& end) {
        return Chord(r.left, r.top, r.right, r.bottom, start.x, start.y, end.x, end.y);
    }
    void FillRect(const CRect& rect, CBrush* brush);
    // Also leaves `color` as the background colour, as the class library does.
    void FillSolidRect(const CRect& rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
        FillSolidRect(CRect(x, y, x + cx, y + cy), color);
    }
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(const CPoint& p, COLORREF color) { return SetPixel(p.x, p.y, color); }
    // SetPixel at every (xs[i], ys[j]), in one call: the same pixels, at a
    // fraction of the cost on raster surfaces (a dot grid).
    void SetPixelLattice(const int* xs, int nx, const int* ys, int ny, COLORREF color);

    // Regions.
    BOOL FillRgn(CRgn* region, CBrush* brush);
    // Null removes the clip.
    int SelectClipRgn(CRgn* region);
    // The clip's bounds (the whole surface without a clip), in logical units.
    int GetClipBox(CRect* rect) const;

    // Text at a reference point placed by the text alignment, along the
    // font's escapement.  The escapement turns counter-clockwise as seen
    // in a y-down mapping and follows the logical axes, so under MM_HIMETRIC
    // 2700 reads bottom-to-top.  In OPAQUE mode the text cell is first
    // filled with the background colour.
    BOOL TextOut(int x, int y, const QString& text);
    // Whether shaped texts are kept with their font (on unless a test
    // compares both ways of drawing); returns the previous setting.
    static bool KeepShapedTexts(bool keep);
    CSize GetTextExtent(const QString& text) const;
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

    // Saves pen, brush, font, colours, modes, mapping, clip and current
    // position; returns the save level (from 1), or 0 on failure.
    int SaveDC();
    // A level from SaveDC, or a negative count back from the latest.
    BOOL RestoreDC(int saved);

protected:
    // For contexts that make their surface after themselves: no painter
    // until AttachDevice.
    CDC();
    // Draws on `device` from here on with a painter of its own, ending the
    // one before; the drawing state starts afresh.  Null only ends it.
    void AttachDevice(QPaintDevice* device);

private:
    struct State {
        int mapMode = MM_TEXT;
        CPoint winOrg, vpOrg;
        CSize winExt{1, 1}, vpExt{1, 1};
        CPen* penObject = nullptr;
        CBrush* brushObject = nullptr;
        CFont* fontObject = nullptr;
        CPen pen;
        CBrush brush;
        CFont font;
        COLORREF textColor = 0;
        COLORREF bkColor = 0xFFFFFF;
        int bkMode = OPAQUE;
        int rop2 = R2_COPYPEN;
        int polyFillMode = ALTERNATE;
        UINT textAlign = TA_LEFT | TA_TOP;
        bool clipped = false;
        QPainterPath clip; // device pixels
        CPoint current;
        BOOL smoothing = TRUE;
    };
    enum class PainterPen { Unknown, Selected, Text, None };
    enum class PainterBrush { Unknown, Selected, None };

    void Init();
    void UpdateScale();
    void Dirty();
    double Dx(double x) const { return (x - m_s.winOrg.x) * m_sx + m_s.vpOrg.x; }
    double Dy(double y) const { return (y - m_s.winOrg.y) * m_sy + m_s.vpOrg.y; }
    int Ix(int x) const;
    int Iy(int y) const;
    QPoint ToDevice(int x, int y) const { return QPoint(Ix(x), Iy(y)); }
    static QLineF PixelLine(const QPoint& from, const QPoint& to);
    static QLineF SmoothPixelLine(const QPoint& from, const QPoint& to);
    QPolygonF SmoothVertices(const CPoint* points, int count, double offset) const;
    QPolygonF DevicePolygon(const CPoint* points, int count) const;
    // The smooth one-pixel polyline's path (see Polyline).
    QPolygonF SmoothPixelPath(const CPoint* points, int count) const;
    // `make`'s polygon from the cache when it was made for the same points
    // under the same mapping, kind and offset; else made and kept.
    template <class Make>
    const QPolygonF& Cached(CDCVertexCache* cache, int kind, double offset, const CPoint* points,
                            int count, Make make) const;
    bool IsRaster() const { return m_surface == Surface::Image || m_surface == Surface::Screen; }
    // How far strokes move so that a smooth line of odd pixel width covers
    // whole pixels: half a pixel, or nothing.
    double StrokeOffset() const;
    void ApplySmoothing();
    // Hatches on surfaces finer than the screen, and on vector surfaces,
    // are drawn as lines rather than as Qt's pixel patterns.
    bool HatchByHand() const;
    void FillHatched(const QPainterPath& area, const QColor& colour, ULONG hatch);
    // The same over polygons, straight into the image's rows; false when
    // the painter must fill it.
    bool FillHatchDirect(const QPolygonF* rings, int count, Qt::FillRule rule,
                         const QColor& colour, ULONG hatch);
    // A hatch over `area` (device pixels), with OPAQUE's background.
    void FillHatch(const QPainterPath& area, const QColor& colour, ULONG hatch);
    // Fills `shape` with the selected brush's hatch, if it has one, before
    // the shape's own drawing adds its outline.
    void HatchShape(const QPainterPath& shape);
    QRect DeviceBox(int left, int top, int right, int bottom) const;
    QRectF ShapeBox(const QRect& box) const;
    QColor MixColor(COLORREF color) const;
    void Realize();
    void RealizePen();
    void RealizeBrush();
    void RealizeFont() const;
    // RealizeFont's work when the font is not among those kept.
    void MakeFont() const;
    // The width of a text in device pixels of the unscaled font, and the
    // glyphs drawText would draw for it (null where it must draw itself).
    double TextAdvance(const QString& shown) const;
    const QGlyphRun* ShapedRun(const QString& shown);
    void SetPainterPen();
    void UsePen();
    void UsePenAndBrush();
    void UseRop(bool on);
    void ApplyBackground(bool gaps);
    BOOL ArcShape(int kind, int left, int top, int right, int bottom, int xs, int ys, int xe,
                  int ye);
    void Replay(const QPainterPath& path, bool fill);
    // A solid fill under a mix mode, combined straight into the image's
    // rows when nothing else is in the way; false when Qt must draw it.
    bool FillBitwise(const QPolygonF* rings, int count, Qt::FillRule rule);
    bool DirectTarget(QImage** target, QRect* area) const;

    QPainter* m_painter = nullptr;
    std::unique_ptr<QPainter> m_ownPainter;
    Surface m_surface = Surface::Image;
    int m_dpiX = 96, m_dpiY = 96;
    bool m_rasterOps = false;
    double m_screenPixel = 1;
    State m_s;
    std::vector<State> m_saved;

    // Derived drawing state, rebuilt when what it depends on changes.
    double m_sx = 1, m_sy = 1;
    bool m_penDirty = true, m_brushDirty = true, m_bgDirty = true;
    mutable bool m_fontDirty = true;
    QPen m_qpen;
    // What m_qpen was made from: figures select pens alike one after another.
    struct PenSource {
        LOGPEN log;
        double sx, screenPixel;
        int rop2;
        bool rasterOps, raster;
    };
    std::optional<PenSource> m_penSource;
    bool m_penVisible = true;
    double m_penWidth = 1; // device pixels, at least 1
    bool m_insideFrame = false;
    bool m_pixelPen = false;  // a cosmetic one-pixel pen on a raster surface
    bool m_penStyled = false; // dashes or dots, whose gaps OPAQUE fills
    QBrush m_qbrush;
    bool m_hatched = false; // the selected brush is hatched
    bool m_smooth = false;  // antialiasing, as last applied
    mutable QFont m_qfont;
    mutable std::shared_ptr<const QFontMetricsF> m_metrics;
    mutable std::shared_ptr<CDCTextRuns> m_runs; // texts shaped with this font
    mutable double m_ascent = 0, m_descent = 0, m_leading = 0, m_avgWidth = 0, m_maxWidth = 0;
    mutable double m_angle = 0;     // device degrees, counter-clockwise on the page
    mutable double m_fontScale = 1; // the font's size over its whole pixels
    mutable bool m_symbol = false;
    PainterPen m_onPainterPen = PainterPen::Unknown;
    PainterBrush m_onPainterBrush = PainterBrush::Unknown;
    bool m_painterFontSet = false;
    int m_appliedRop = 0;     // the mix mode set on the painter, 0 unknown
    int m_painterBgMode = -1; // 1 opaque, 0 transparent, -1 unknown
    int m_painterSmooth = -1; // antialiasing on the painter, -1 unknown
    COLORREF m_painterTextColor = 0;
};

// A pen, brush or font selected into a context for one scope: the guard
// selects the object and, when it goes, selects back the one that object
// replaced, however the scope is left.
//
//     CPen pen(PS_DOT, 1, colour);
//     CDCSelect<CPen> usePen(dc, &pen);
//     CDCSelect<CBrush> noFill(dc, NULL_BRUSH);
//
// Declare the guard after the object it selects, so that it goes first.
// Guards end in reverse order, each putting back what it found, so nested
// guards leave the context as the outermost found it.  Select changes the
// object within a guard's scope; the guard still puts back what its first
// selection replaced.  Nothing is put back when nothing was selected (an
// object not created, or a stock id of another kind).
template <class Object> class CDCSelect {
    static_assert(std::is_same_v<Object, CPen> || std::is_same_v<Object, CBrush> ||
                      std::is_same_v<Object, CFont>,
                  "CDCSelect selects pens, brushes and fonts");

public:
    // Selects nothing until Select is called.
    explicit CDCSelect(CDC* dc) : m_dc(dc) {}
    CDCSelect(CDC* dc, Object* object) : m_dc(dc) { Select(object); }
    // A stock object of the guard's kind: NULL_PEN, WHITE_BRUSH, SYSTEM_FONT...
    CDCSelect(CDC* dc, int stockId) : m_dc(dc) { Select(stockId); }
    ~CDCSelect() {
        if (m_previous)
            m_dc->SelectObject(m_previous);
    }
    CDCSelect(const CDCSelect&) = delete;
    CDCSelect& operator=(const CDCSelect&) = delete;

    void Select(Object* object) {
        Object* previous = m_dc->SelectObject(object);
        if (!m_previous)
            m_previous = previous;
    }
    void Select(int stockId) { Select(dynamic_cast<Object*>(CGdiObject::GetStockObject(stockId))); }

    // What the guard will put back; null while it has selected nothing.
    Object* Previous() const { return m_previous; }

private:
    CDC* m_dc;
    Object* m_previous = nullptr;
};
