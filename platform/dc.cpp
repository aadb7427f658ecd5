#include "platform/dc.h"

#include "platform/bitwise_fill.h"

#include "platform/font_map.h"
#include "platform/qt_convert.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrinter>
#include <QScreen>
#include <QSvgGenerator>
#include <QTextLayout>
#include <QWidget>

#include <cmath>
#include <numbers>
#include <utility>

namespace {
constexpr int kHimetricInch = 2540;

// Rounded half up.  Far points (a circle through three almost collinear
// points has its centre far away) are held well inside the integer range,
// so that the arithmetic drawing does on them cannot overflow either.
int RoundInt(double v) {
    constexpr double kFar = double(1 << 30);
    if (!(std::fabs(v) < kFar)) // NaN too
        return std::isnan(v) ? 0 : v > 0 ? int(kFar) : -int(kFar);
    return int(std::floor(v + 0.5));
}

// a * b / c rounded half away from zero, in 64 bits.
int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    long long n = (long long)a * b;
    long long h = std::llabs((long long)c) / 2;
    long long q = ((n < 0) != (c < 0)) ? -((std::llabs(n) + h) / std::llabs((long long)c))
                                       : (std::llabs(n) + h) / std::llabs((long long)c);
    return int(q);
}

Qt::BrushStyle HatchStyle(ULONG hatch) {
    switch (hatch) {
    case HS_HORIZONTAL:
        return Qt::HorPattern;
    case HS_VERTICAL:
        return Qt::VerPattern;
    case HS_FDIAGONAL:
        return Qt::FDiagPattern;
    case HS_BDIAGONAL:
        return Qt::BDiagPattern;
    case HS_CROSS:
        return Qt::CrossPattern;
    case HS_DIAGCROSS:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}
// An 8 x 8 tile of a hatch as the painter's pattern brush lays it at the
// device's origin: the hatch colour on its lines, the background (or
// nothing, when transparent) between them.  A fill with this tile is the
// background fill and the pattern fill in one pass, and the tile is made
// once rather than coloured again for every shape.
struct HatchTile {
    Qt::BrushStyle style;
    QRgb colour, background;
    QBrush brush;
    // The tile's pixels, row by row, for filling by hand; `direct` when
    // each is opaque or empty, so that laying it is copying it.
    QRgb pixels[64];
    bool direct;
};
constexpr size_t kHatchTiles = 8;
thread_local std::vector<HatchTile> t_hatchTiles;
thread_local size_t t_nextHatchTile = 0;

const HatchTile& FindHatchTile(Qt::BrushStyle style, const QColor& colour,
                               const QColor& background) {
    const QRgb fg = colour.rgba(), bg = background.rgba();
    for (const HatchTile& t : t_hatchTiles)
        if (t.style == style && t.colour == fg && t.background == bg)
            return t;
    QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
    tile.fill(background);
    QPainter painter(&tile);
    painter.fillRect(tile.rect(), QBrush(colour, style));
    painter.end();
    HatchTile made{style, fg, bg, QBrush(tile), {}, true};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const QRgb p = reinterpret_cast<const QRgb*>(tile.constScanLine(y))[x];
            made.pixels[y * 8 + x] = p;
            if (p != 0 && qAlpha(p) != 255)
                made.direct = false;
        }
    if (t_hatchTiles.size() < kHatchTiles) {
        t_hatchTiles.push_back(std::move(made));
        return t_hatchTiles.back();
    }
    HatchTile& slot = t_hatchTiles[t_nextHatchTile];
    t_nextHatchTile = (t_nextHatchTile + 1) % kHatchTiles;
    slot = std::move(made);
    return slot;
}
} // namespace

template <class Make>
const QPolygonF& CDC::Cached(CDCVertexCache* cache, int kind, double offset, const CPoint* points,
                             int count, Make make) const {
    CDCVertexCache& c = *cache;
    if (c.m_kind == kind && c.m_offset == offset && c.m_sx == m_sx && c.m_sy == m_sy &&
        c.m_winOrg == m_s.winOrg && c.m_vpOrg == m_s.vpOrg && int(c.m_points.size()) == count &&
        std::equal(points, points + count, c.m_points.begin()))
        return c.m_device;
    c.m_kind = kind;
    c.m_offset = offset;
    c.m_sx = m_sx;
    c.m_sy = m_sy;
    c.m_winOrg = m_s.winOrg;
    c.m_vpOrg = m_s.vpOrg;
    c.m_points.assign(points, points + count);
    c.m_device = make();
    return c.m_device;
}

CDC::CDC(QPainter* painter) : m_painter(painter) {
    Init();
}

CDC::CDC(QPaintDevice* device) : m_ownPainter(std::make_unique<QPainter>(device)) {
    m_painter = m_ownPainter.get();
    Init();
}

CDC::~CDC() {
    if (m_ownPainter && m_ownPainter->isActive())
        m_ownPainter->end();
}

CDC::CDC() = default;

void CDC::AttachDevice(QPaintDevice* device) {
    if (m_ownPainter && m_ownPainter->isActive())
        m_ownPainter->end();
    m_ownPainter.reset();
    m_painter = nullptr;
    m_saved.clear();
    if (!device)
        return;
    m_ownPainter = std::make_unique<QPainter>(device);
    m_painter = m_ownPainter.get();
    Init();
}

void CDC::Init() {
    QPaintDevice* device = m_painter->device();
    if (dynamic_cast<QImage*>(device)) {
        m_surface = Surface::Image;
    } else if (dynamic_cast<QPrinter*>(device)) {
        m_surface = Surface::Printer;
    } else if (dynamic_cast<QPdfWriter*>(device)) {
        m_surface = Surface::Pdf;
    } else if (dynamic_cast<QSvgGenerator*>(device)) {
        m_surface = Surface::Svg;
    } else {
        m_surface = Surface::Screen;
    }
    // Screens are taken at 96 pixels per inch, as Qt's device-independent
    // pixels are; other devices have their own resolution.
    if (m_surface != Surface::Screen && device) {
        m_dpiX = std::max(1, device->logicalDpiX());
        m_dpiY = std::max(1, device->logicalDpiY());
    }
    m_screenPixel = m_surface == Surface::Screen ? 1.0 : std::max(1.0, m_dpiX / 96.0);
    QPaintEngine* engine = m_painter->paintEngine();
    m_rasterOps = engine && engine->hasFeature(QPaintEngine::RasterOpModes) &&
                  (m_surface == Surface::Image || m_surface == Surface::Screen);
    m_painter->resetTransform();
    m_painter->setRenderHint(QPainter::TextAntialiasing);
    m_s = State();
    m_s.pen = *static_cast<CPen*>(CGdiObject::GetStockObject(BLACK_PEN));
    m_s.brush = *static_cast<CBrush*>(CGdiObject::GetStockObject(WHITE_BRUSH));
    m_s.font = *static_cast<CFont*>(CGdiObject::GetStockObject(SYSTEM_FONT));
    m_s.penObject = static_cast<CPen*>(CGdiObject::GetStockObject(BLACK_PEN));
    m_s.brushObject = static_cast<CBrush*>(CGdiObject::GetStockObject(WHITE_BRUSH));
    m_s.fontObject = static_cast<CFont*>(CGdiObject::GetStockObject(SYSTEM_FONT));
    UpdateScale();
    Dirty();
}

void CDC::Dirty() {
    m_penDirty = m_brushDirty = m_bgDirty = m_fontDirty = true;
    m_onPainterPen = PainterPen::Unknown;
    m_onPainterBrush = PainterBrush::Unknown;
    m_painterFontSet = false;
    m_appliedRop = 0;
    m_painterBgMode = -1;
    m_painterSmooth = -1;
}

void CDC::SetDeviceResolution(int dpiX, int dpiY) {
    m_dpiX = std::max(1, dpiX);
    m_dpiY = std::max(1, dpiY);
    // What is told its resolution is a screen, or a picture of one: its
    // pixels are screen pixels whatever the desktop's font scaling made of
    // the image's own resolution.
    m_screenPixel = 1;
    m_penDirty = m_brushDirty = true;
}

BOOL CDC::SetSmoothing(BOOL on) {
    BOOL old = m_s.smoothing;
    m_s.smoothing = on ? TRUE : FALSE;
    return old;
}

int CDC::GetDeviceCaps(int index) const {
    QPaintDevice* device = m_painter->device();
    int width = device ? device->width() : 0;
    int height = device ? device->height() : 0;
    if (m_surface == Surface::Screen) {
        if (auto* widget = dynamic_cast<QWidget*>(device); widget && widget->screen()) {
            width = widget->screen()->size().width();
            height = widget->screen()->size().height();
        }
    }
    switch (index) {
    case LOGPIXELSX:
        return m_dpiX;
    case LOGPIXELSY:
        return m_dpiY;
    case HORZRES:
        return width;
    case VERTRES:
        return height;
    case HORZSIZE:
        return MulDiv(width, 254, m_dpiX * 10);
    case VERTSIZE:
        return MulDiv(height, 254, m_dpiY * 10);
    case TECHNOLOGY:
        switch (m_surface) {
        case Surface::Printer:
        case Surface::Pdf:
            return DT_RASPRINTER;
        case Surface::Svg:
            return DT_METAFILE;
        default:
            return DT_RASDISPLAY;
        }
    case RASTERCAPS:
        switch (m_surface) {
        case Surface::Printer:
        case Surface::Pdf:
            return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT |
                   RC_STRETCHDIB;
        case Surface::Svg:
            return 0;
        default:
            return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT |
                   RC_FLOODFILL | RC_STRETCHDIB;
        }
    default:
        return 0;
    }
}

// ---- Mapping ----

void CDC::UpdateScale() {
    m_sx = double(m_s.vpExt.cx) / m_s.winExt.cx;
    m_sy = double(m_s.vpExt.cy) / m_s.winExt.cy;
    m_penDirty = true;
    m_fontDirty = true;
    m_painterFontSet = false;
}

int CDC::SetMapMode(int mode) {
    int old = m_s.mapMode;
    switch (mode) {
    case MM_TEXT:
        m_s.winExt = CSize(1, 1);
        m_s.vpExt = CSize(1, 1);
        break;
    case MM_HIMETRIC:
        m_s.winExt = CSize(kHimetricInch, kHimetricInch);
        m_s.vpExt = CSize(m_dpiX, -m_dpiY);
        break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
        // The extents of the previous mode stay until the caller sets others.
        break;
    default:
        return 0;
    }
    m_s.mapMode = mode;
    if (mode == MM_ISOTROPIC)
        SetViewportExt(m_s.vpExt);
    UpdateScale();
    return old;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    CPoint old = m_s.winOrg;
    m_s.winOrg = CPoint(x, y);
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    CPoint old = m_s.vpOrg;
    m_s.vpOrg = CPoint(x, y);
    return old;
}

CSize CDC::SetWindowExt(int cx, int cy) {
    CSize old = m_s.winExt;
    if ((m_s.mapMode != MM_ISOTROPIC && m_s.mapMode != MM_ANISOTROPIC) || cx == 0 || cy == 0)
        return old;
    m_s.winExt = CSize(cx, cy);
    if (m_s.mapMode == MM_ISOTROPIC)
        SetViewportExt(m_s.vpExt);
    UpdateScale();
    return old;
}

CSize CDC::SetViewportExt(int cx, int cy) {
    CSize old = m_s.vpExt;
    if ((m_s.mapMode != MM_ISOTROPIC && m_s.mapMode != MM_ANISOTROPIC) || cx == 0 || cy == 0)
        return old;
    if (m_s.mapMode == MM_ISOTROPIC) {
        // The axis with the larger scale gives way, keeping its sign.
        double sx = std::abs(double(cx) / m_s.winExt.cx);
        double sy = std::abs(double(cy) / m_s.winExt.cy);
        if (sx < sy)
            cy = (cy < 0 ? -1 : 1) * std::max(1, RoundInt(sx * std::abs(m_s.winExt.cy)));
        else if (sy < sx)
            cx = (cx < 0 ? -1 : 1) * std::max(1, RoundInt(sy * std::abs(m_s.winExt.cx)));
    }
    m_s.vpExt = CSize(cx, cy);
    UpdateScale();
    return old;
}

int CDC::Ix(int x) const {
    return RoundInt(Dx(x));
}
int CDC::Iy(int y) const {
    return RoundInt(Dy(y));
}

void CDC::LPtoDP(CPoint* points, int count) const {
    for (int i = 0; i < count; ++i)
        points[i] = CPoint(Ix(points[i].x), Iy(points[i].y));
}

void CDC::LPtoDP(CRect* rect) const {
    *rect = CRect(Ix(rect->left), Iy(rect->top), Ix(rect->right), Iy(rect->bottom));
}

void CDC::LPtoDP(CSize* size) const {
    *size = CSize(RoundInt(size->cx * m_sx), RoundInt(size->cy * m_sy));
}

void CDC::DPtoLP(CPoint* points, int count) const {
    for (int i = 0; i < count; ++i) {
        points[i] = CPoint(RoundInt((points[i].x - m_s.vpOrg.x) / m_sx + m_s.winOrg.x),
                           RoundInt((points[i].y - m_s.vpOrg.y) / m_sy + m_s.winOrg.y));
    }
}

void CDC::DPtoLP(CRect* rect) const {
    CPoint p[2] = {rect->TopLeft(), rect->BottomRight()};
    DPtoLP(p, 2);
    *rect = CRect(p[0], p[1]);
}

void CDC::DPtoLP(CSize* size) const {
    *size = CSize(RoundInt(size->cx / m_sx), RoundInt(size->cy / m_sy));
}

void CDC::HIMETRICtoDP(CSize* size) const {
    *size = CSize(MulDiv(size->cx, m_dpiX, kHimetricInch), MulDiv(size->cy, m_dpiY, kHimetricInch));
}

void CDC::DPtoHIMETRIC(CSize* size) const {
    *size = CSize(MulDiv(size->cx, kHimetricInch, m_dpiX), MulDiv(size->cy, kHimetricInch, m_dpiY));
}

// ---- Objects and modes ----

CPen* CDC::SelectObject(CPen* pen) {
    if (!pen || !pen->IsCreated())
        return nullptr;
    CPen* old = m_s.penObject;
    m_s.penObject = pen;
    m_s.pen = *pen;
    m_penDirty = true;
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (!brush || !brush->IsCreated())
        return nullptr;
    CBrush* old = m_s.brushObject;
    m_s.brushObject = brush;
    m_s.brush = *brush;
    m_brushDirty = true;
    return old;
}

CFont* CDC::SelectObject(CFont* font) {
    if (!font || !font->IsCreated())
        return nullptr;
    CFont* old = m_s.fontObject;
    m_s.fontObject = font;
    m_s.font = *font;
    m_fontDirty = true;
    m_painterFontSet = false;
    return old;
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    if (!object)
        return nullptr;
    switch (object->GetKind()) {
    case CGdiObject::Kind::Pen:
        return SelectObject(static_cast<CPen*>(object));
    case CGdiObject::Kind::Brush:
        return SelectObject(static_cast<CBrush*>(object));
    case CGdiObject::Kind::Font:
        return SelectObject(static_cast<CFont*>(object));
    default:
        return nullptr;
    }
}

CGdiObject* CDC::SelectStockObject(int id) {
    return SelectObject(CGdiObject::GetStockObject(id));
}

COLORREF CDC::SetTextColor(COLORREF color) {
    COLORREF old = m_s.textColor;
    m_s.textColor = color;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF color) {
    COLORREF old = m_s.bkColor;
    m_s.bkColor = color;
    m_bgDirty = true;
    return old;
}

int CDC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    int old = m_s.bkMode;
    m_s.bkMode = mode;
    m_bgDirty = true;
    return old;
}

int CDC::SetROP2(int mode) {
    if (mode != R2_COPYPEN && mode != R2_MASKPEN && mode != R2_NOTXORPEN && mode != R2_XORPEN &&
        mode != R2_NOT)
        return 0;
    int old = m_s.rop2;
    m_s.rop2 = mode;
    // Vector surfaces change the colours instead of mixing bits.
    m_penDirty = m_brushDirty = true;
    return old;
}

int CDC::SetPolyFillMode(int mode) {
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    int old = m_s.polyFillMode;
    m_s.polyFillMode = mode;
    return old;
}

UINT CDC::SetTextAlign(UINT align) {
    UINT old = m_s.textAlign;
    m_s.textAlign = align;
    return old;
}

// ---- Drawing state ----

QColor CDC::MixColor(COLORREF color) const {
    if (m_rasterOps)
        return ToQColor(color);
    switch (m_s.rop2) {
    case R2_XORPEN:
        return ToQColor(~color & 0xFFFFFF);
    case R2_NOT:
        return Qt::black;
    default:
        return ToQColor(color);
    }
}

void CDC::RealizePen() {
    const LOGPEN& log = m_s.pen.Log();
    const PenSource source{log, m_sx, m_screenPixel, m_s.rop2, m_rasterOps, IsRaster()};
    if (m_penSource && m_penSource->log.lopnStyle == log.lopnStyle &&
        m_penSource->log.lopnWidth == log.lopnWidth &&
        m_penSource->log.lopnColor == log.lopnColor && m_penSource->sx == source.sx &&
        m_penSource->screenPixel == source.screenPixel && m_penSource->rop2 == source.rop2 &&
        m_penSource->rasterOps == source.rasterOps && m_penSource->raster == source.raster) {
        m_penDirty = false;
        return;
    }
    m_penSource = source;
    UINT style = log.lopnStyle & 0x0F;
    m_penVisible = style != PS_NULL;
    m_insideFrame = style == PS_INSIDEFRAME;
    // The thinnest line is one screen pixel on every surface: one printer
    // dot would vanish on paper.
    double width = m_screenPixel;
    if (log.lopnWidth.x > 0)
        width = std::max(m_screenPixel, std::round(log.lopnWidth.x * std::abs(m_sx)));
    m_penWidth = width;
    m_pixelPen = IsRaster() && width <= 1;
    QPen pen(MixColor(log.lopnColor));
    if (width <= m_screenPixel) {
        // One pixel: cosmetic on raster surfaces.  Flat caps leave out one
        // end pixel (see PixelLine for which).  Wider than a device pixel,
        // corners sharper than 60 degrees are cut off rather than grow
        // spikes; square ones stay square.
        pen.setWidthF(m_pixelPen ? 0.0 : width);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        pen.setMiterLimit(1);
    } else {
        pen.setWidthF(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    // Styled lines exist only one logical unit wide or less; wider ones are
    // solid.  The patterns count in line widths, which are screen pixels.
    m_penStyled = log.lopnWidth.x <= 1 && style >= PS_DASH && style <= PS_DASHDOTDOT;
    if (m_penStyled) {
        switch (style) {
        case PS_DASH:
            pen.setDashPattern({18, 6});
            break;
        case PS_DOT:
            pen.setDashPattern({3, 3});
            break;
        case PS_DASHDOT:
            pen.setDashPattern({9, 6, 3, 6});
            break;
        case PS_DASHDOTDOT:
            pen.setDashPattern({9, 3, 3, 3, 3, 3});
            break;
        default:
            break;
        }
    }
    m_qpen = pen;
    m_penDirty = false;
    if (m_onPainterPen == PainterPen::Selected)
        m_onPainterPen = PainterPen::Unknown;
}

void CDC::RealizeBrush() {
    const LOGBRUSH& log = m_s.brush.Log();
    switch (log.lbStyle) {
    case BS_NULL:
        m_qbrush = QBrush(Qt::NoBrush);
        break;
    case BS_HATCHED:
        // Shapes fill their hatch first (see HatchShape); the painter then
        // draws only the outline.
        m_qbrush = QBrush(Qt::NoBrush);
        break;
    default:
        m_qbrush = QBrush(MixColor(log.lbColor));
        break;
    }
    m_hatched = log.lbStyle == BS_HATCHED;
    m_brushDirty = false;
    if (m_onPainterBrush == PainterBrush::Selected)
        m_onPainterBrush = PainterBrush::Unknown;
}

// The background fills the gaps of hatches and styled lines in OPAQUE mode.
// Qt's opaque mode sends every drawing call through a slower path that also
// rasterises ellipses a pixel smaller, so it is on only while something
// drawn has gaps.
void CDC::ApplyBackground(bool gaps) {
    int want = gaps && m_s.bkMode == OPAQUE ? 1 : 0;
    if (want && m_bgDirty) {
        m_painter->setBackground(ToQColor(m_s.bkColor));
        m_bgDirty = false;
    }
    if (want != m_painterBgMode) {
        m_painter->setBackgroundMode(want ? Qt::OpaqueMode : Qt::TransparentMode);
        m_painterBgMode = want;
    }
}

void CDC::UseRop(bool on) {
    int want = on && m_rasterOps ? m_s.rop2 : R2_COPYPEN;
    if (want == m_appliedRop)
        return;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (want) {
    case R2_MASKPEN:
        mode = QPainter::RasterOp_SourceAndDestination;
        break;
    case R2_NOTXORPEN:
        mode = QPainter::RasterOp_NotSourceXorDestination;
        break;
    case R2_XORPEN:
        mode = QPainter::RasterOp_SourceXorDestination;
        break;
    case R2_NOT:
        mode = QPainter::RasterOp_NotDestination;
        break;
    default:
        break;
    }
    m_painter->setCompositionMode(mode);
    m_appliedRop = want;
}

void CDC::SetPainterPen() {
    if (m_penDirty)
        RealizePen();
    if (m_onPainterPen != PainterPen::Selected) {
        m_painter->setPen(m_penVisible ? m_qpen : QPen(Qt::NoPen));
        m_onPainterPen = PainterPen::Selected;
    }
}

void CDC::ApplySmoothing() {
    // Partly covered pixels cannot be mixed back out again.
    bool want = m_s.smoothing && !(m_rasterOps && m_s.rop2 != R2_COPYPEN);
    m_smooth = want;
    if (int(want) != m_painterSmooth) {
        m_painter->setRenderHint(QPainter::Antialiasing, want);
        m_painterSmooth = int(want);
    }
}

double CDC::StrokeOffset() const {
    if (!m_smooth || !IsRaster())
        return 0;
    return std::lround(m_penWidth) % 2 ? 0.5 : 0;
}

void CDC::UsePen() {
    ApplySmoothing();
    SetPainterPen();
    ApplyBackground(m_penVisible && m_penStyled);
    UseRop(true);
}

void CDC::UsePenAndBrush() {
    ApplySmoothing();
    SetPainterPen();
    if (m_brushDirty)
        RealizeBrush();
    if (m_onPainterBrush != PainterBrush::Selected) {
        m_painter->setBrush(m_qbrush);
        m_onPainterBrush = PainterBrush::Selected;
    }
    ApplyBackground(m_penVisible && m_penStyled);
    UseRop(true);
}

// On the screen Qt's own patterns are GDI's hatches, pixel for pixel;
// elsewhere they would keep their size in device dots.
bool CDC::HatchByHand() const {
    return !IsRaster() || m_screenPixel > 1;
}

// The tile laid straight into the image's rows, where the painter would lay
// it as it is: the same pixels without building a path for Qt to fill.
bool CDC::FillHatchDirect(const QPolygonF* rings, int count, Qt::FillRule rule,
                          const QColor& colour, ULONG hatch) {
    if (HatchByHand())
        return false;
    const Qt::BrushStyle style = HatchStyle(hatch);
    const bool opaque = m_s.bkMode == OPAQUE;
    const QColor background = opaque ? ToQColor(m_s.bkColor) : QColor(Qt::transparent);
    if (style == Qt::SolidPattern || colour.alpha() != 255 ||
        (opaque && background.alpha() != 255) || !m_painter->brushOrigin().isNull())
        return false;
    QImage* image = nullptr;
    QRect area;
    if (!DirectTarget(&image, &area) ||
        m_painter->compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    const HatchTile& tile = FindHatchTile(style, colour, background);
    if (!tile.direct)
        return false;
    uchar* bits = const_cast<uchar*>(std::as_const(*image).constBits());
    return TileFillPolygons(bits, image->bytesPerLine(), area, rings, count,
                            rule == Qt::WindingFill, tile.pixels);
}

void CDC::FillHatch(const QPainterPath& area, const QColor& colour, ULONG hatch) {
    if (HatchByHand()) {
        FillHatched(area, colour, hatch);
        return;
    }
    // Smoothing a pixel pattern only blurs it, and costs much.  What is
    // changed is put back by hand: saving and restoring the painter would
    // set its clip again for every hatched shape.
    const bool smooth = m_painter->testRenderHint(QPainter::Antialiasing);
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    const Qt::BrushStyle style = HatchStyle(hatch);
    const bool opaque = m_s.bkMode == OPAQUE;
    const QColor background = opaque ? ToQColor(m_s.bkColor) : QColor(Qt::transparent);
    // Opaque colours copied over what is there: the tile gives the same
    // pixels as the background fill followed by the pattern.
    if (style != Qt::SolidPattern && colour.alpha() == 255 &&
        (!opaque || background.alpha() == 255) && m_painter->opacity() == 1 &&
        m_painter->compositionMode() == QPainter::CompositionMode_SourceOver) {
        if (m_painterBgMode != 0) {
            m_painter->setBackgroundMode(Qt::TransparentMode);
            m_painterBgMode = 0;
        }
        m_painter->fillPath(area, FindHatchTile(style, colour, background).brush);
        m_painter->setRenderHint(QPainter::Antialiasing, smooth);
        return;
    }
    m_painter->setBackground(ToQColor(m_s.bkColor));
    m_painter->setBackgroundMode(m_s.bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    m_painter->fillPath(area, QBrush(colour, style));
    m_painter->setRenderHint(QPainter::Antialiasing, smooth);
    m_bgDirty = true;
    m_painterBgMode = -1;
}

// Lines of one screen pixel, eight screen pixels apart, on the device's own
// grid so that neighbouring shapes' hatches meet.
void CDC::FillHatched(const QPainterPath& area, const QColor& colour, ULONG hatch) {
    QRectF bounds = area.boundingRect();
    if (bounds.isEmpty())
        return;
    m_painter->save();
    if (m_s.bkMode == OPAQUE)
        m_painter->fillPath(area, ToQColor(m_s.bkColor));
    m_painter->setClipPath(area, Qt::IntersectClip);
    QPen pen(colour, m_screenPixel);
    pen.setCapStyle(Qt::FlatCap);
    m_painter->setPen(pen);
    m_painter->setBrush(Qt::NoBrush);
    m_painter->setBackgroundMode(Qt::TransparentMode);
    const double period = 8 * m_screenPixel, half = m_screenPixel / 2;
    const double left = bounds.left(), right = bounds.right();
    const double top = bounds.top(), bottom = bounds.bottom();
    std::vector<QLineF> lines;
    auto each = [&](double from, double to, auto add) {
        for (double k = std::floor(from / period); k * period <= to + period; ++k)
            add(k * period + half);
    };
    bool across = hatch == HS_HORIZONTAL || hatch == HS_CROSS;
    bool down = hatch == HS_VERTICAL || hatch == HS_CROSS;
    bool falling = hatch == HS_FDIAGONAL || hatch == HS_DIAGCROSS; // "\\"
    bool rising = hatch == HS_BDIAGONAL || hatch == HS_DIAGCROSS;  // "////"
    if (across)
        each(top, bottom, [&](double y) { lines.emplace_back(left, y, right, y); });
    if (down)
        each(left, right, [&](double x) { lines.emplace_back(x, top, x, bottom); });
    if (falling) // x - y = c
        each(left - bottom, right - top,
             [&](double c) { lines.emplace_back(c + top, top, c + bottom, bottom); });
    if (rising) // x + y = c
        each(left + top, right + bottom,
             [&](double c) { lines.emplace_back(c - top, top, c - bottom, bottom); });
    m_painter->drawLines(lines.data(), int(lines.size()));
    m_painter->restore();
}

void CDC::HatchShape(const QPainterPath& shape) {
    if (m_hatched)
        FillHatch(shape, MixColor(m_s.brush.Log().lbColor), m_s.brush.Log().lbHatch);
}

// ---- Lines ----

CPoint CDC::MoveTo(int x, int y) {
    CPoint old = m_s.current;
    m_s.current = CPoint(x, y);
    return old;
}

// Qt's one-pixel lines cover the pixels from the lower end to the higher
// end along the line's longer axis and leave out the higher one, whichever
// way the line runs; GDI leaves out the end point.  A line running back
// along its longer axis is therefore moved one pixel step along itself: the
// same pixels in between, with the start pixel in and the end pixel out.
QLineF CDC::PixelLine(const QPoint& from, const QPoint& to) {
    int dx = to.x() - from.x(), dy = to.y() - from.y();
    int steps = std::max(std::abs(dx), std::abs(dy));
    bool back = std::abs(dx) < std::abs(dy) ? dy < 0 : dx < 0;
    if (!back)
        return QLineF(from, to);
    QPointF step(-double(dx) / steps, -double(dy) / steps);
    return QLineF(QPointF(from) + step, QPointF(to) + step);
}

// The same pixels drawn smoothly: the line through the pixel centres, moved
// back half a pixel step so that its flat ends cut at the start pixel's
// near edge and the end pixel's near edge.
QLineF CDC::SmoothPixelLine(const QPoint& from, const QPoint& to) {
    const QPointF centre(0.5, 0.5);
    int dx = to.x() - from.x(), dy = to.y() - from.y();
    int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0)
        return QLineF(QPointF(from) + centre, QPointF(from) + centre);
    QPointF back(-0.5 * dx / steps, -0.5 * dy / steps);
    return QLineF(QPointF(from) + centre + back, QPointF(to) + centre + back);
}

BOOL CDC::LineTo(int x, int y) {
    UsePen();
    if (m_penVisible) {
        QPoint from = ToDevice(m_s.current.x, m_s.current.y), to = ToDevice(x, y);
        if (m_pixelPen) {
            m_painter->drawLine(m_smooth ? SmoothPixelLine(from, to) : PixelLine(from, to));
        } else {
            QPointF offset(StrokeOffset(), StrokeOffset());
            m_painter->drawLine(QPointF(from) + offset, QPointF(to) + offset);
        }
    }
    m_s.current = CPoint(x, y);
    return TRUE;
}

// Corners drawn smoothly keep their fraction of a pixel, so that curves made
// of short segments come out round; a coordinate shared with a neighbour
// (a level or upright edge) stays on whole pixels, so that such edges stay
// sharp.  `offset` moves the result, half a pixel for thin outlines.
QPolygonF CDC::SmoothVertices(const CPoint* points, int count, double offset) const {
    QPolygonF polygon(count);
    for (int i = 0; i < count; ++i) {
        const CPoint& p = points[i];
        bool level = (i > 0 && points[i - 1].y == p.y) || (i + 1 < count && points[i + 1].y == p.y);
        bool upright =
            (i > 0 && points[i - 1].x == p.x) || (i + 1 < count && points[i + 1].x == p.x);
        polygon[i] =
            QPointF((upright ? Ix(p.x) : Dx(p.x)) + offset, (level ? Iy(p.y) : Dy(p.y)) + offset);
    }
    return polygon;
}

// One line, so that a pattern runs on, cut short at both ends by half a
// pixel step as a single line is: the first pixel in, the last one out.
// Repeated points draw nothing, and corners on a straight run are left out:
// Qt's hairlines lighten where two segments meet.  Fewer than two points
// when nothing is drawn.
QPolygonF CDC::SmoothPixelPath(const CPoint* points, int count) const {
    QPolygonF corners = SmoothVertices(points, count, 0.5);
    QPolygonF path;
    path.reserve(corners.size());
    for (const QPointF& p : corners) {
        if (!path.isEmpty() && p == path.back())
            continue;
        if (path.size() >= 2) {
            QPointF a = path[path.size() - 2], b = path.back();
            double turn = (b.x() - a.x()) * (p.y() - b.y()) - (b.y() - a.y()) * (p.x() - b.x());
            double ahead = (b.x() - a.x()) * (p.x() - b.x()) + (b.y() - a.y()) * (p.y() - b.y());
            if (std::abs(turn) < 1e-9 && ahead > 0)
                path.back() = p;
            else
                path << p;
            continue;
        }
        path << p;
    }
    if (path.size() < 2)
        return path;
    auto halfStep = [](const QPointF& from, const QPointF& to) {
        QPointF d = to - from;
        double steps = std::max(std::abs(d.x()), std::abs(d.y()));
        return d * (0.5 / steps);
    };
    path.front() -= halfStep(path[0], path[1]);
    path.back() -= halfStep(path[path.size() - 2], path.back());
    return path;
}

BOOL CDC::Polyline(const CPoint* points, int count) {
    return Polyline(points, count, nullptr);
}

BOOL CDC::Polyline(const CPoint* points, int count, CDCVertexCache* cache) {
    if (!points || count < 2)
        return FALSE;
    UsePen();
    if (!m_penVisible)
        return TRUE;
    if (m_smooth) {
        const int kind = m_pixelPen ? 4 : 5;
        const double offset = m_pixelPen ? 0.5 : StrokeOffset();
        auto make = [&] {
            return m_pixelPen ? SmoothPixelPath(points, count) : DevicePolygon(points, count);
        };
        QPolygonF made;
        const QPolygonF& path =
            cache ? Cached(cache, kind, offset, points, count, make) : (made = make());
        if (path.size() >= 2)
            m_painter->drawPolyline(path);
        return TRUE;
    }
    if (!m_pixelPen) {
        m_painter->drawPolyline(DevicePolygon(points, count));
        return TRUE;
    }
    // By whole pixels: segment by segment, each from its start pixel up to
    // its end, so every vertex is drawn once and only the last point is left
    // out.  Repeated points draw nothing.
    std::vector<QLineF> lines;
    lines.reserve(size_t(count - 1));
    QPoint from = ToDevice(points[0].x, points[0].y);
    for (int i = 1; i < count; ++i) {
        QPoint to = ToDevice(points[i].x, points[i].y);
        if (to != from)
            lines.push_back(PixelLine(from, to));
        from = to;
    }
    if (!m_penStyled) {
        m_painter->drawLines(lines.data(), int(lines.size()));
        return TRUE;
    }
    // Qt restarts the dash pattern on every line; carry it on from one
    // segment to the next, a pixel step at a time.
    QPen pen = m_qpen;
    double offset = 0;
    for (const QLineF& line : lines) {
        pen.setDashOffset(offset);
        m_painter->setPen(pen);
        m_painter->drawLine(line);
        offset += std::max(std::abs(line.dx()), std::abs(line.dy()));
    }
    m_onPainterPen = PainterPen::Unknown;
    return TRUE;
}

BOOL CDC::PolyBezier(const CPoint* points, int count) {
    if (!points || count < 4 || (count - 1) % 3 != 0)
        return FALSE;
    UsePen();
    if (!m_penVisible)
        return TRUE;
    QPolygonF corners = DevicePolygon(points, count);
    QPainterPath path(corners[0]);
    for (int i = 1; i + 2 < count; i += 3)
        path.cubicTo(corners[i], corners[i + 1], corners[i + 2]);
    m_painter->strokePath(path, m_painter->pen());
    return TRUE;
}

// ---- Closed shapes ----

QRect CDC::DeviceBox(int left, int top, int right, int bottom) const {
    int l = Ix(left), r = Ix(right), t = Iy(top), b = Iy(bottom);
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1)); // QRect's right is inside
}

// The geometry to hand the painter for a shape whose pixels must stay in
// `box`: the thinnest outline runs along the box's last row and column
// (Qt's whole-pixel drawing puts a one-pixel line on the pixels right of and
// below its coordinates), a wide inside-frame pen lies wholly inside, other
// wide pens straddle the edge.
QRectF CDC::ShapeBox(const QRect& box) const {
    double w = box.width(), h = box.height();
    if (!m_penVisible || (m_pixelPen && !m_smooth))
        return QRectF(box.left(), box.top(), w - 1, h - 1);
    if (m_penWidth <= m_screenPixel || m_insideFrame) {
        double inset = std::min({m_penWidth, w, h}) / 2;
        return QRectF(box.left() + inset, box.top() + inset, w - 2 * inset, h - 2 * inset);
    }
    return QRectF(box.left() + 0.5, box.top() + 0.5, w - 1, h - 1);
}

// The corners of a shape or a line: by whole pixels, or smoothly with a
// thin outline's half-pixel move.
QPolygonF CDC::DevicePolygon(const CPoint* points, int count) const {
    if (m_smooth)
        return SmoothVertices(points, count, m_penVisible ? StrokeOffset() : 0);
    QPolygonF polygon(count);
    for (int i = 0; i < count; ++i)
        polygon[i] = QPointF(ToDevice(points[i].x, points[i].y));
    return polygon;
}

BOOL CDC::Polygon(const CPoint* points, int count) {
    return Polygon(points, count, nullptr);
}

BOOL CDC::Polygon(const CPoint* points, int count, CDCVertexCache* cache) {
    if (!points || count < 2)
        return FALSE;
    UsePenAndBrush();
    // Neither outline nor fill: nothing to map or to draw.
    if (!m_penVisible && !m_hatched && m_qbrush.style() == Qt::NoBrush)
        return TRUE;
    QPolygonF made;
    const QPolygonF& polygon =
        cache ? Cached(cache, m_smooth ? 2 : 3, m_smooth && m_penVisible ? StrokeOffset() : 0,
                       points, count, [&] { return DevicePolygon(points, count); })
              : (made = DevicePolygon(points, count));
    Qt::FillRule rule = m_s.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    if (!m_penVisible && !m_hatched && FillBitwise(&polygon, 1, rule))
        return TRUE;
    if (m_hatched && !FillHatchDirect(&polygon, 1, rule, MixColor(m_s.brush.Log().lbColor),
                                      m_s.brush.Log().lbHatch)) {
        QPainterPath shape;
        shape.setFillRule(rule);
        shape.addPolygon(polygon);
        shape.closeSubpath();
        HatchShape(shape);
    }
    // A hatch alone is all there is to draw.
    if (m_penVisible || m_qbrush.style() != Qt::NoBrush)
        m_painter->drawPolygon(polygon, rule);
    return TRUE;
}

BOOL CDC::PolyPolygon(const CPoint* points, const int* counts, int polygons) {
    if (!points || !counts || polygons < 1)
        return FALSE;
    QPainterPath path;
    path.setFillRule(m_s.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    for (int p = 0; p < polygons; ++p)
        if (counts[p] < 2)
            return FALSE;
    UsePenAndBrush();
    if (!m_penVisible && !m_hatched && m_appliedRop != R2_COPYPEN) {
        std::vector<QPolygonF> rings;
        rings.reserve(polygons);
        const CPoint* at = points;
        for (int p = 0; p < polygons; ++p) {
            rings.push_back(DevicePolygon(at, counts[p]));
            at += counts[p];
        }
        if (FillBitwise(rings.data(), polygons, path.fillRule()))
            return TRUE;
    }
    for (int p = 0; p < polygons; ++p) {
        path.addPolygon(DevicePolygon(points, counts[p]));
        path.closeSubpath();
        points += counts[p];
    }
    HatchShape(path);
    // A hatch alone is all there is to draw.
    if (m_penVisible || m_qbrush.style() != Qt::NoBrush)
        m_painter->drawPath(path);
    return TRUE;
}

// Qt sends mixed fills through its generic span path and, for large
// ones, its thread pool: an inequality's shading took four times as long
// as a plain fill of the same area.
// An image the painter draws on as it is: 32-bit pixels, no transform, no
// opacity, and a clip of whole pixels at most; `area` is what may be drawn.
bool CDC::DirectTarget(QImage** target, QRect* area) const {
    if (m_surface != Surface::Image || m_painter->opacity() != 1 ||
        !m_painter->deviceTransform().isIdentity())
        return false;
    auto* image = static_cast<QImage*>(m_painter->device());
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return false;
    *area = image->rect();
    if (m_painter->hasClipping()) {
        // Only a rectangle of whole pixels, as the clip regions of views are.
        if (!m_s.clipped || m_s.clip.elementCount() != 5)
            return false;
        const QRectF box = m_s.clip.boundingRect();
        for (int i = 0; i < 5; ++i) {
            const QPainterPath::Element e = m_s.clip.elementAt(i);
            if ((e.x != box.left() && e.x != box.right()) ||
                (e.y != box.top() && e.y != box.bottom()))
                return false;
        }
        const QRect whole = box.toRect();
        if (QRectF(whole) != box)
            return false;
        *area &= whole;
    }
    *target = image;
    return true;
}

bool CDC::FillBitwise(const QPolygonF* rings, int count, Qt::FillRule rule) {
    QImage* image = nullptr;
    QRect area;
    if (m_appliedRop == R2_COPYPEN || m_smooth || m_qbrush.style() != Qt::SolidPattern ||
        !DirectTarget(&image, &area))
        return false;
    BitwiseOp op = BitwiseOp::And;
    switch (m_appliedRop) {
    case R2_MASKPEN:
        op = BitwiseOp::And;
        break;
    case R2_NOTXORPEN:
        op = BitwiseOp::NotXor;
        break;
    case R2_XORPEN:
        op = BitwiseOp::Xor;
        break;
    case R2_NOT:
        op = BitwiseOp::Not;
        break;
    default:
        return false;
    }
    // The painter's own buffer: writing through bits() could detach it from
    // the painter when the image is shared.
    uchar* bits = const_cast<uchar*>(std::as_const(*image).constBits());
    return BitwiseFillPolygons(bits, image->bytesPerLine(), area, rings, count,
                               rule == Qt::WindingFill, op, m_qbrush.color().rgb());
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    UsePenAndBrush();
    QRect box = DeviceBox(left, top, right, bottom);
    if (box.isEmpty())
        return TRUE;
    QRectF shape = ShapeBox(box);
    if (m_hatched) {
        QPainterPath area;
        area.addRect(shape);
        HatchShape(area);
    }
    // A hatch alone is all there is to draw.
    if (m_penVisible || m_qbrush.style() != Qt::NoBrush)
        m_painter->drawRect(shape);
    return TRUE;
}

BOOL CDC::RoundRect(int left, int top, int right, int bottom, int width, int height) {
    UsePenAndBrush();
    QRect box = DeviceBox(left, top, right, bottom);
    if (box.isEmpty())
        return TRUE;
    double rx = std::abs(width * m_sx) / 2, ry = std::abs(height * m_sy) / 2;
    QRectF shape = ShapeBox(box);
    if (m_hatched) {
        QPainterPath area;
        area.addRoundedRect(shape, rx, ry);
        HatchShape(area);
    }
    m_painter->drawRoundedRect(shape, rx, ry);
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
    UsePenAndBrush();
    QRect box = DeviceBox(left, top, right, bottom);
    if (box.isEmpty())
        return TRUE;
    QRectF shape = ShapeBox(box);
    if (m_hatched) {
        QPainterPath area;
        area.addEllipse(shape);
        HatchShape(area);
    }
    // A hatch alone is all there is to draw.
    if (m_penVisible || m_qbrush.style() != Qt::NoBrush)
        m_painter->drawEllipse(shape);
    return TRUE;
}

BOOL CDC::Arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
    return ArcShape(0, left, top, right, bottom, xs, ys, xe, ye);
}

BOOL CDC::Pie(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
    return ArcShape(1, left, top, right, bottom, xs, ys, xe, ye);
}

BOOL CDC::Chord(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
    return ArcShape(2, left, top, right, bottom, xs, ys, xe, ye);
}

// kind 0 arc, 1 pie, 2 chord.
BOOL CDC::ArcShape(int kind, int left, int top, int right, int bottom, int xs, int ys, int xe,
                   int ye) {
    if (kind == 0)
        UsePen();
    else
        UsePenAndBrush();
    QRect box = DeviceBox(left, top, right, bottom);
    if (box.isEmpty())
        return TRUE;
    QRectF shape = ShapeBox(box);
    QPointF centre = shape.center();
    double a = std::max(shape.width() / 2, 1e-9), b = std::max(shape.height() / 2, 1e-9);
    // Radial directions as seen on the page (y up), turned into the
    // ellipse's own parameter angles, which is what Qt's arcs take.
    auto angle = [&](int x, int y) {
        double dx = Dx(x) - centre.x(), dy = centre.y() - Dy(y);
        double radial = std::atan2(dy, dx);
        return std::atan2(a * std::sin(radial), b * std::cos(radial)) * 180 / std::numbers::pi;
    };
    double start = angle(xs, ys);
    double span = angle(xe, ye) - start;
    while (span <= 1e-9)
        span += 360;
    QPainterPath path;
    if (kind == 1) {
        path.moveTo(centre);
        path.arcTo(shape, start, span);
        path.closeSubpath();
    } else {
        path.arcMoveTo(shape, start);
        path.arcTo(shape, start, span);
        if (kind == 2)
            path.closeSubpath();
    }
    if (kind == 0) {
        if (m_penVisible)
            m_painter->strokePath(path, m_painter->pen());
    } else {
        HatchShape(path);
        if (m_penVisible || m_qbrush.style() != Qt::NoBrush)
            m_painter->drawPath(path);
    }
    return TRUE;
}

void CDC::FillRect(const CRect& rect, CBrush* brush) {
    if (!brush || !brush->IsCreated())
        return;
    QRect box = DeviceBox(rect.left, rect.top, rect.right, rect.bottom);
    if (box.isEmpty())
        return;
    const LOGBRUSH& log = brush->Log();
    if (log.lbStyle == BS_NULL)
        return;
    ApplyBackground(false);
    UseRop(false);
    if (log.lbStyle == BS_HATCHED) {
        QPainterPath area;
        area.addRect(QRectF(box));
        FillHatch(area, ToQColor(log.lbColor), log.lbHatch);
        return;
    }
    m_painter->fillRect(box, ToQColor(log.lbColor));
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color) {
    SetBkColor(color);
    QRect box = DeviceBox(rect.left, rect.top, rect.right, rect.bottom);
    if (box.isEmpty())
        return;
    UseRop(false);
    m_painter->fillRect(box, ToQColor(color));
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    UseRop(false);
    m_painter->fillRect(QRect(Ix(x), Iy(y), 1, 1), ToQColor(color));
    return color;
}

namespace {
// The pixel rectangle a path of one whole-pixel rectangle covers.
bool WholePixelRect(const QPainterPath& path, QRect* rect) {
    if (path.elementCount() != 5)
        return false;
    QRectF box = path.boundingRect();
    for (int i = 0; i < 5; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if ((i == 0) != e.isMoveTo() || (i > 0 && !e.isLineTo()))
            return false;
        if ((e.x != box.left() && e.x != box.right()) || (e.y != box.top() && e.y != box.bottom()))
            return false;
    }
    if (box.left() != std::floor(box.left()) || box.top() != std::floor(box.top()) ||
        box.right() != std::floor(box.right()) || box.bottom() != std::floor(box.bottom()))
        return false;
    *rect = box.toRect();
    return true;
}

// Thousands of single pixels (a fine dot grid) cost far more through the
// painter, one span at a time, than written into the image it paints.  Only
// where that gives exactly the painter's pixels: an opaque colour copied onto
// a 32-bit image, no transform, and no clip or one whole-pixel rectangle
// (`clip`, when the painter clips).  The painter draws straight into the
// image's own memory, so writing there keeps the order of drawing.
bool WriteImagePixels(QPainter* painter, const QPainterPath* clip, const std::vector<int>& xs,
                      const std::vector<int>& ys, QRgb value) {
    auto* image = dynamic_cast<QImage*>(painter->device());
    if (!image || image->isNull() || painter->opacity() != 1.0 ||
        painter->compositionMode() != QPainter::CompositionMode_SourceOver ||
        !painter->deviceTransform().isIdentity())
        return false;
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return false;
    QRect area = image->rect();
    if (painter->hasClipping()) {
        QRect box;
        if (!clip || !WholePixelRect(*clip, &box))
            return false;
        area &= box;
    }
    std::vector<int> columns;
    columns.reserve(xs.size());
    for (int x : xs)
        if (x >= area.left() && x <= area.right())
            columns.push_back(x);
    uchar* bits = const_cast<uchar*>(image->constBits());
    const qsizetype stride = image->bytesPerLine();
    value |= 0xFF000000u;
    for (int y : ys) {
        if (y < area.top() || y > area.bottom())
            continue;
        auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
        for (int x : columns)
            line[x] = value;
    }
    return true;
}
} // namespace

void CDC::SetPixelLattice(const int* xs, int nx, const int* ys, int ny, COLORREF color) {
    if (!xs || !ys || nx <= 0 || ny <= 0)
        return;
    UseRop(false);
    // Without rotation a point's device x depends on its x alone.
    std::vector<int> dx(static_cast<size_t>(nx)), dy(static_cast<size_t>(ny));
    for (int i = 0; i < nx; ++i)
        dx[size_t(i)] = Ix(xs[i]);
    for (int j = 0; j < ny; ++j)
        dy[size_t(j)] = Iy(ys[j]);
    if (!IsRaster()) {
        for (int y : dy)
            for (int x : dx)
                m_painter->fillRect(QRect(x, y, 1, 1), ToQColor(color));
        return;
    }
    if (WriteImagePixels(m_painter, m_s.clipped ? &m_s.clip : nullptr, dx, dy,
                         ToQColor(color).rgb()))
        return;
    // An unsmoothed cosmetic point covers exactly its pixel, as the one-pixel
    // rectangle does.
    ApplyBackground(false);
    if (m_painterSmooth != 0) {
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painterSmooth = 0;
    }
    m_painter->setPen(QPen(ToQColor(color), 0));
    m_onPainterPen = PainterPen::Unknown;
    std::vector<QPoint> row(dx.size());
    for (int y : dy) {
        for (size_t i = 0; i < dx.size(); ++i)
            row[i] = QPoint(dx[i], y);
        m_painter->drawPoints(row.data(), int(row.size()));
    }
}

// ---- Regions ----

BOOL CDC::FillRgn(CRgn* region, CBrush* brush) {
    if (!region || !region->IsCreated() || !brush || !brush->IsCreated())
        return FALSE;
    QTransform map(m_sx, 0, 0, m_sy, m_s.vpOrg.x - m_s.winOrg.x * m_sx,
                   m_s.vpOrg.y - m_s.winOrg.y * m_sy);
    const LOGBRUSH& log = brush->Log();
    if (log.lbStyle == BS_NULL)
        return TRUE;
    ApplyBackground(false);
    UseRop(false);
    ApplySmoothing();
    QPainterPath area = map.map(region->Path());
    if (log.lbStyle == BS_HATCHED)
        FillHatch(area, ToQColor(log.lbColor), log.lbHatch);
    else
        m_painter->fillPath(area, ToQColor(log.lbColor));
    return TRUE;
}

int CDC::SelectClipRgn(CRgn* region) {
    if (!region) {
        m_s.clipped = false;
        m_s.clip = QPainterPath();
        m_painter->setClipping(false);
        return SIMPLEREGION;
    }
    if (!region->IsCreated())
        return RGN_ERROR;
    m_s.clipped = true;
    m_s.clip = region->Path();
    m_painter->setClipPath(m_s.clip, Qt::ReplaceClip);
    return region->RegionKind();
}

int CDC::GetClipBox(CRect* rect) const {
    QRect box;
    int kind = SIMPLEREGION;
    if (m_s.clipped) {
        kind = m_s.clip.isEmpty() ? NULLREGION : COMPLEXREGION;
        box = m_s.clip.boundingRect().toAlignedRect();
    } else if (QPaintDevice* device = m_painter->device()) {
        box = QRect(0, 0, device->width(), device->height());
    }
    if (rect) {
        CPoint p[2] = {CPoint(box.left(), box.top()),
                       CPoint(box.left() + box.width(), box.top() + box.height())};
        DPtoLP(p, 2);
        *rect = CRect(p[0], p[1]);
    }
    return kind;
}

// ---- Text ----

// Texts already shaped with one realized font: the glyphs and their places
// as QPainter::drawText finds them, and the widths the metrics give.  A
// page of labels draws the same short runs again and again, and shaping a
// run costs several times drawing its glyphs.
struct CDCTextRuns {
    struct Entry {
        double advance = -1; // not measured yet
        int shaped = -1;     // 1 shaped, 0 drawText must draw it, -1 not tried
        QGlyphRun run;       // glyph places from the start of the baseline
    };
    static constexpr int kTexts = 512;
    QFont paintFont; // the painter's font the runs were shaped with
    QHash<QString, Entry> texts;

    Entry& Find(const QString& text) {
        auto it = texts.find(text);
        if (it != texts.end())
            return *it;
        if (texts.size() >= kTexts)
            texts.clear();
        return texts[text];
    }
};

namespace {
thread_local bool t_keepShapedTexts = true;
constexpr double kMaxCachedGlyphPixels = 48;

// Texts that drawText lays out as one item, left to right, with no
// control characters or marks: the glyphs of one shaping pass, placed from
// the start.  Others are left to drawText.
bool OneRunText(const QString& text) {
    QChar::Script script = QChar::Script_Common;
    for (QChar c : text) {
        switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return false;
        default:
            break;
        }
        switch (c.direction()) {
        case QChar::DirL:
        case QChar::DirEN:
        case QChar::DirES:
        case QChar::DirET:
        case QChar::DirCS:
        case QChar::DirWS:
        case QChar::DirON:
            break;
        default:
            return false;
        }
        const QChar::Script own = c.script();
        if (own == QChar::Script_Common || own == QChar::Script_Inherited)
            continue;
        if (script != QChar::Script_Common && own != script)
            return false;
        script = own;
    }
    return !text.isEmpty();
}

// The one glyph run drawText would draw for `text` in the painter's font
// `font`, its places measured from the start of the baseline; false where
// the text takes more than one run or its first glyph is moved.
bool ShapeOneRun(const QString& text, const QFont& font, QGlyphRun* out) {
    if (!OneRunText(text))
        return false;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(100000);
        line.setPosition(QPointF(0, 0));
    }
    layout.endLayout();
    if (layout.lineCount() != 1 || line.textLength() != text.size())
        return false;
    const QList<QGlyphRun> runs = line.glyphRuns();
    if (runs.size() != 1)
        return false;
    QGlyphRun run = runs.first();
    if (run.isRightToLeft() || run.overline() || run.underline() || run.strikeOut())
        return false;
    QList<QPointF> places = run.positions();
    const double baseline = line.ascent();
    if (places.isEmpty() || places.first().x() != 0.0 || places.first().y() != baseline)
        return false;
    for (QPointF& p : places)
        p.ry() -= baseline;
    run.setPositions(places);
    *out = run;
    return true;
}
} // namespace

bool CDC::KeepShapedTexts(bool keep) {
    return std::exchange(t_keepShapedTexts, keep);
}

double CDC::TextAdvance(const QString& shown) const {
    if (!m_runs || !t_keepShapedTexts)
        return m_metrics->horizontalAdvance(shown);
    CDCTextRuns::Entry& e = m_runs->Find(shown);
    if (e.advance < 0)
        e.advance = m_metrics->horizontalAdvance(shown);
    return e.advance;
}

const QGlyphRun* CDC::ShapedRun(const QString& shown) {
    if (!m_runs || !t_keepShapedTexts)
        return nullptr;
    const QFont& font = m_painter->font();
    if (!(m_runs->paintFont == font)) {
        m_runs->paintFont = font;
        for (CDCTextRuns::Entry& e : m_runs->texts) {
            e.shaped = -1;
            e.run = QGlyphRun();
        }
    }
    CDCTextRuns::Entry& e = m_runs->Find(shown);
    if (e.shaped < 0)
        e.shaped = ShapeOneRun(shown, font, &e.run) ? 1 : 0;
    return e.shaped ? &e.run : nullptr;
}

namespace {
// A font as RealizeFont made it, for the description, mapping and device
// it was made for.
struct RealizedFont {
    LOGFONT log;
    double sx = 0, sy = 0;
    int dpiY = 0, deviceDpi = 0;
    QFont font;
    std::shared_ptr<const QFontMetricsF> metrics;
    std::shared_ptr<CDCTextRuns> runs;
    double ascent = 0, descent = 0, leading = 0, avgWidth = 0, maxWidth = 0;
    double angle = 0, scale = 1;
    bool symbol = false;
};

// Finding a font in the font database costs far more than drawing a short
// run of text with it, and a page of labels uses a handful of fonts again
// and again: the last few made are kept.  Fonts belong to the thread that
// made them.
constexpr size_t kRealizedFonts = 32;
thread_local std::vector<RealizedFont> t_realized;
thread_local size_t t_nextRealized = 0;
} // namespace

void CDC::RealizeFont() const {
    if (!m_fontDirty)
        return;
    const LOGFONT& log = m_s.font.Log();
    const int deviceDpi = m_painter->device() ? m_painter->device()->logicalDpiY() : 0;
    for (const RealizedFont& r : t_realized) {
        if (r.sx == m_sx && r.sy == m_sy && r.dpiY == m_dpiY && r.deviceDpi == deviceDpi &&
            r.log == log) {
            m_qfont = r.font;
            m_metrics = r.metrics;
            m_runs = r.runs;
            m_ascent = r.ascent;
            m_descent = r.descent;
            m_leading = r.leading;
            m_avgWidth = r.avgWidth;
            m_maxWidth = r.maxWidth;
            m_angle = r.angle;
            m_fontScale = r.scale;
            m_symbol = r.symbol;
            m_fontDirty = false;
            return;
        }
    }
    MakeFont();
    m_runs = std::make_shared<CDCTextRuns>();
    RealizedFont r{log,      m_sx,      m_sy,        m_dpiY,   deviceDpi,
                   m_qfont,  m_metrics, m_runs,      m_ascent, m_descent,
                   m_leading, m_avgWidth, m_maxWidth, m_angle, m_fontScale,
                   m_symbol};
    if (t_realized.size() < kRealizedFonts) {
        t_realized.push_back(std::move(r));
    } else {
        t_realized[t_nextRealized] = std::move(r);
        t_nextRealized = (t_nextRealized + 1) % kRealizedFonts;
    }
    m_fontDirty = false;
}

void CDC::MakeFont() const {
    const LOGFONT& log = m_s.font.Log();
    QString face = QString::fromLatin1(log.lfFaceName);
    QString family = SubstituteFace(face);
    if (family.isEmpty()) {
        BYTE fam = log.lfPitchAndFamily & 0xF0;
        family = fam == FF_ROMAN ? "Liberation Serif"
                 : fam == FF_MODERN || (log.lfPitchAndFamily & 3) == FIXED_PITCH
                     ? "Liberation Mono"
                     : "Liberation Sans";
    }
    m_symbol = IsSymbolFace(face);
    QFont font(family);
    if (m_symbol)
        font.setFamilies(SymbolFamilies());
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    int weight = log.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp(int(log.lfWeight), 1, 1000);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(log.lfItalic != 0);
    font.setUnderline(log.lfUnderline != 0);
    font.setStrikeOut(log.lfStrikeOut != 0);
    double sy = std::abs(m_sy), sx = std::abs(m_sx);
    // Negative heights give the em, positive ones the whole cell.
    double em = log.lfHeight == 0 ? 12.0 * m_dpiY / 72.0 : std::abs(double(log.lfHeight)) * sy;
    if (log.lfHeight > 0) {
        QFont probe(font);
        probe.setPixelSize(1000);
        QFontMetricsF pm(probe);
        double cell = pm.ascent() + pm.descent();
        if (cell > 0)
            em = em * 1000 / cell;
    }
    // Fonts come in whole pixels: the rest of the size is a scale applied
    // when drawing and measuring, so text keeps its size in logical units
    // at every resolution (a whole pixel is several per cent on a screen).
    em = std::max(1.0, em);
    const int pixels = std::max(1, RoundInt(em));
    m_fontScale = em / pixels;
    font.setPixelSize(pixels);
    if (log.lfWidth != 0) {
        QFontMetricsF natural(font, m_painter->device());
        double average = natural.averageCharWidth() * m_fontScale;
        if (average > 0)
            font.setStretch(std::clamp(
                RoundInt(100.0 * std::abs(double(log.lfWidth)) * sx / average), 1, 4000));
    }
    m_qfont = font;
    m_metrics = std::make_shared<const QFontMetricsF>(font, m_painter->device());
    const QFontMetricsF& fm = *m_metrics;
    m_ascent = fm.ascent() * m_fontScale;
    m_descent = fm.descent() * m_fontScale;
    m_leading = fm.leading() * m_fontScale;
    m_avgWidth = fm.averageCharWidth() * m_fontScale;
    m_maxWidth = fm.maxWidth() * m_fontScale;
    // The escapement is a direction in logical space, counted
    // counter-clockwise as a y-down mapping shows it; the mapping's signs
    // then turn it into the direction on the page.
    double e = log.lfEscapement * std::numbers::pi / 1800;
    double dx = std::cos(e) * (m_sx < 0 ? -1 : 1);
    double dy = -std::sin(e) * (m_sy < 0 ? -1 : 1);
    m_angle = std::atan2(-dy, dx) * 180 / std::numbers::pi;
    if (std::abs(m_angle) < 1e-9)
        m_angle = 0;
}

BOOL CDC::TextOut(int x, int y, const QString& text) {
    if (text.isEmpty())
        return TRUE;
    RealizeFont();
    const QString& shown = m_symbol ? SymbolTextToUnicode(text) : text;
    UINT align = m_s.textAlign;
    // Measuring costs a layout pass; left-aligned transparent text needs none.
    bool opaque = m_s.bkMode == OPAQUE;
    double width =
        (align & TA_CENTER) || opaque ? TextAdvance(shown) * m_fontScale : 0;
    double ox = 0, oy = m_ascent;
    if ((align & TA_CENTER) == TA_CENTER)
        ox = -width / 2;
    else if (align & TA_RIGHT)
        ox = -width;
    if ((align & TA_BASELINE) == TA_BASELINE)
        oy = 0;
    else if (align & TA_BOTTOM)
        oy = -m_descent;
    // The cell is filled here; the painter must not fill it again.
    ApplyBackground(false);
    UseRop(false);
    if (!m_painterFontSet) {
        m_painter->setFont(m_qfont);
        m_painterFontSet = true;
    }
    if (m_onPainterPen != PainterPen::Text || m_painterTextColor != m_s.textColor) {
        m_painter->setPen(ToQColor(m_s.textColor));
        m_onPainterPen = PainterPen::Text;
        m_painterTextColor = m_s.textColor;
    }
    QPointF ref(Ix(x), Iy(y));
    const bool turned = m_angle != 0;
    const bool scaled = m_fontScale != 1.0;
    // Offsets are in device pixels; a scaled font draws in its own units.
    const double k = 1.0 / m_fontScale;
    // Kept glyphs are drawn only into pixels (vector surfaces write the
    // text itself), placed as drawText places them where nothing but this
    // context's own scale maps them, and where Qt draws glyphs from its
    // glyph cache (larger ones it draws as outlines, placed otherwise).
    const QGlyphRun* run = nullptr;
    if (!turned && IsRaster() && m_painter->paintEngine() &&
        m_painter->paintEngine()->type() == QPaintEngine::Raster &&
        m_qfont.pixelSize() * m_fontScale < kMaxCachedGlyphPixels &&
        m_painter->deviceTransform() == QTransform())
        run = ShapedRun(shown);
    QTransform t;
    if (turned || scaled) {
        t.translate(ref.x(), ref.y());
        if (turned)
            t.rotate(-m_angle);
        if (scaled)
            t.scale(m_fontScale, m_fontScale);
        m_painter->setTransform(t);
        ref = QPointF();
    }
    if (opaque) {
        m_painter->fillRect(QRectF(ref.x() + ox * k, ref.y() + (oy - m_ascent) * k, width * k,
                                   (m_ascent + m_descent) * k),
                            ToQColor(m_s.bkColor));
    }
    const QPointF at(ref.x() + ox * k, ref.y() + oy * k);
    if (run) {
        // drawText starts at its point cut to 1/64 pixel and maps the
        // shaped places, moved there, by the painter's transform.
        const double startX = double(int(at.x() * 64)) / 64;
        if (scaled) {
            t.translate(startX, at.y());
            m_painter->setTransform(t);
            m_painter->drawGlyphRun(QPointF(), *run);
        } else {
            m_painter->drawGlyphRun(QPointF(startX, double(int(at.y() * 64)) / 64), *run);
        }
    } else {
        m_painter->drawText(at, shown);
    }
    if (turned || scaled)
        m_painter->resetTransform();
    return TRUE;
}

CSize CDC::GetTextExtent(const QString& text) const {
    if (text.isEmpty())
        return CSize(0, 0);
    RealizeFont();
    double width =
        TextAdvance(m_symbol ? SymbolTextToUnicode(text) : text) * m_fontScale;
    return CSize(RoundInt(width / std::abs(m_sx)),
                 RoundInt((m_ascent + m_descent) / std::abs(m_sy)));
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const {
    if (!metrics)
        return FALSE;
    RealizeFont();
    const LOGFONT& log = m_s.font.Log();
    double sx = std::abs(m_sx), sy = std::abs(m_sy);
    TEXTMETRIC tm;
    tm.tmAscent = RoundInt(m_ascent / sy);
    tm.tmHeight = RoundInt((m_ascent + m_descent) / sy);
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
    tm.tmInternalLeading =
        std::max(0, tm.tmHeight - RoundInt(m_qfont.pixelSize() * m_fontScale / sy));
    tm.tmExternalLeading = std::max(0, RoundInt(m_leading / sy));
    tm.tmAveCharWidth = RoundInt(m_avgWidth / sx);
    tm.tmMaxCharWidth = RoundInt(m_maxWidth / sx);
    tm.tmWeight = log.lfWeight == FW_DONTCARE ? FW_NORMAL : log.lfWeight;
    tm.tmItalic = log.lfItalic;
    tm.tmUnderlined = log.lfUnderline;
    tm.tmStruckOut = log.lfStrikeOut;
    tm.tmPitchAndFamily = log.lfPitchAndFamily;
    tm.tmCharSet = log.lfCharSet;
    *metrics = tm;
    return TRUE;
}

// ---- Saved states ----

int CDC::SaveDC() {
    m_saved.push_back(m_s);
    return int(m_saved.size());
}

BOOL CDC::RestoreDC(int saved) {
    int level = saved < 0 ? int(m_saved.size()) + 1 + saved : saved;
    if (level < 1 || level > int(m_saved.size()))
        return FALSE;
    m_s = m_saved[size_t(level - 1)];
    m_saved.resize(size_t(level - 1));
    if (m_s.clipped)
        m_painter->setClipPath(m_s.clip, Qt::ReplaceClip);
    else
        m_painter->setClipping(false);
    UpdateScale();
    Dirty();
    return TRUE;
}
