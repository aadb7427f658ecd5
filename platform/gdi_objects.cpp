#include "platform/gdi_objects.h"

#include <QPolygonF>

#include <cstring>

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    LOGPEN log;
    log.lopnStyle = UINT(style);
    log.lopnWidth = CPoint(width, 0);
    log.lopnColor = color;
    return CreatePenIndirect(&log);
}

BOOL CPen::CreatePenIndirect(const LOGPEN* log) {
    if (!log || m_created)
        return FALSE;
    m_log = *log;
    m_created = true;
    return TRUE;
}

int CPen::GetLogPen(LOGPEN* log) const {
    if (!log || !m_created)
        return 0;
    *log = m_log;
    return int(sizeof(LOGPEN));
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    LOGBRUSH log;
    log.lbStyle = BS_SOLID;
    log.lbColor = color;
    return CreateBrushIndirect(&log);
}

BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color) {
    LOGBRUSH log;
    log.lbStyle = BS_HATCHED;
    log.lbColor = color;
    log.lbHatch = ULONG(hatch);
    return CreateBrushIndirect(&log);
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* log) {
    if (!log || m_created)
        return FALSE;
    m_log = *log;
    m_created = true;
    return TRUE;
}

int CBrush::GetLogBrush(LOGBRUSH* log) const {
    if (!log || !m_created)
        return 0;
    *log = m_log;
    return int(sizeof(LOGBRUSH));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* log) {
    if (!log || m_created)
        return FALSE;
    m_log = *log;
    // A face name that fills the field would have no terminator.
    m_log.lfFaceName[LF_FACESIZE - 1] = 0;
    m_created = true;
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* face) {
    LOGFONT log;
    log.lfHeight = height;
    log.lfWidth = width;
    log.lfEscapement = escapement;
    log.lfOrientation = orientation;
    log.lfWeight = weight;
    log.lfItalic = italic;
    log.lfUnderline = underline;
    log.lfStrikeOut = strikeOut;
    log.lfCharSet = charSet;
    log.lfOutPrecision = outPrecision;
    log.lfClipPrecision = clipPrecision;
    log.lfQuality = quality;
    log.lfPitchAndFamily = pitchAndFamily;
    if (face)
        std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&log);
}

int CFont::GetLogFont(LOGFONT* log) const {
    if (!log || !m_created)
        return 0;
    *log = m_log;
    return int(sizeof(LOGFONT));
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
    if (m_created)
        return FALSE;
    QRectF r(QPointF(left, top), QPointF(right, bottom));
    m_path = QPainterPath();
    m_path.addRect(r.normalized());
    m_created = true;
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(const CRect* rect) {
    return rect && CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CRgn::CreateEllipticRgn(int left, int top, int right, int bottom) {
    if (m_created)
        return FALSE;
    QRectF r(QPointF(left, top), QPointF(right, bottom));
    m_path = QPainterPath();
    m_path.addEllipse(r.normalized());
    m_created = true;
    return TRUE;
}

BOOL CRgn::CreateEllipticRgnIndirect(const CRect* rect) {
    return rect && CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CRgn::CreatePolygonRgn(const CPoint* points, int count, int fillMode) {
    if (m_created || !points || count < 0)
        return FALSE;
    QPolygonF polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i)
        polygon << QPointF(points[i].x, points[i].y);
    m_path = QPainterPath();
    m_path.addPolygon(polygon);
    m_path.closeSubpath();
    m_path.setFillRule(fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    // Boolean operations expect a path without self-overlap.
    m_path = m_path.simplified();
    m_created = true;
    return TRUE;
}

int CRgn::CombineRgn(const CRgn* src1, const CRgn* src2, int mode) {
    if (!m_created || !src1 || !src1->m_created)
        return RGN_ERROR;
    if (mode == RGN_COPY) {
        m_path = src1->m_path;
        return RegionKind();
    }
    if (!src2 || !src2->m_created)
        return RGN_ERROR;
    const QPainterPath& a = src1->m_path;
    const QPainterPath& b = src2->m_path;
    switch (mode) {
    case RGN_AND:
        m_path = a.intersected(b);
        break;
    case RGN_OR:
        m_path = a.united(b);
        break;
    case RGN_XOR:
        m_path = a.subtracted(b).united(b.subtracted(a));
        break;
    case RGN_DIFF:
        m_path = a.subtracted(b);
        break;
    default:
        return RGN_ERROR;
    }
    return RegionKind();
}

BOOL CRgn::PtInRegion(int x, int y) const {
    // A pixel belongs to the region when its centre does.
    return m_created && m_path.contains(QPointF(x + 0.5, y + 0.5));
}

int CRgn::GetRgnBox(CRect* rect) const {
    if (!m_created)
        return RGN_ERROR;
    int kind = RegionKind();
    if (rect) {
        if (kind == NULLREGION) {
            rect->SetRectEmpty();
        } else {
            QRect box = m_path.boundingRect().toAlignedRect();
            rect->SetRect(box.left(), box.top(), box.left() + box.width(),
                          box.top() + box.height());
        }
    }
    return kind;
}

int CRgn::RegionKind() const {
    if (!m_created)
        return RGN_ERROR;
    QRectF box = m_path.boundingRect();
    if (m_path.isEmpty() || box.width() <= 0 || box.height() <= 0)
        return NULLREGION;
    QPainterPath rect;
    rect.addRect(box);
    return m_path.subtracted(rect).isEmpty() && rect.subtracted(m_path).isEmpty() ? SIMPLEREGION
                                                                                  : COMPLEXREGION;
}

CGdiObject* CGdiObject::GetStockObject(int id) {
    static CBrush white(RGB(255, 255, 255)), ltgray(RGB(192, 192, 192)), gray(RGB(128, 128, 128)),
        dkgray(RGB(64, 64, 64)), black(RGB(0, 0, 0));
    static CBrush hollow = [] {
        CBrush b;
        LOGBRUSH log;
        log.lbStyle = BS_NULL;
        b.CreateBrushIndirect(&log);
        return b;
    }();
    static CPen whitePen(PS_SOLID, 0, RGB(255, 255, 255)), blackPen(PS_SOLID, 0, 0),
        nullPen(PS_NULL, 0, 0);
    auto font = [](const char* face, int height, BYTE pitch) {
        LOGFONT log;
        log.lfHeight = height;
        log.lfWeight = FW_NORMAL;
        log.lfPitchAndFamily = pitch;
        std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
        return log;
    };
    static CFont fixedFont(font("Courier New", -13, FIXED_PITCH | FF_MODERN));
    static CFont varFont(font("Arial", -13, VARIABLE_PITCH | FF_SWISS));
    static CFont systemFont(font("Arial", -16, VARIABLE_PITCH | FF_SWISS));
    static CFont guiFont(font("Arial", -11, VARIABLE_PITCH | FF_SWISS));
    switch (id) {
    case WHITE_BRUSH:
        return &white;
    case LTGRAY_BRUSH:
        return &ltgray;
    case GRAY_BRUSH:
        return &gray;
    case DKGRAY_BRUSH:
        return &dkgray;
    case BLACK_BRUSH:
        return &black;
    case NULL_BRUSH:
        return &hollow;
    case WHITE_PEN:
        return &whitePen;
    case BLACK_PEN:
        return &blackPen;
    case NULL_PEN:
        return &nullPen;
    case ANSI_FIXED_FONT:
        return &fixedFont;
    case ANSI_VAR_FONT:
        return &varFont;
    case SYSTEM_FONT:
        return &systemFont;
    case DEFAULT_GUI_FONT:
        return &guiFont;
    default:
        return nullptr;
    }
}
