#include "geometry/arrow_head.h"

#include "platform/dc.h"

#include <utility>

namespace {
// The mark's length in logical units.
int MarkLength(CDC* dc, int size) {
    int mode = dc->GetMapMode();
    if (mode == MM_HIMETRIC || mode == MM_ANISOTROPIC)
        return size;
    // Hundredths of a millimetre per pixel, measured on one pixel.  On fine
    // surfaces that measure rounds to 1 or even 0 (above 5080 dpi) and would
    // make heads up to half again too large, half too small or divide by
    // zero; there the size is converted by the resolution itself.
    CSize pixel(1, 1);
    dc->DPtoHIMETRIC(&pixel);
    if (pixel.cx >= 2)
        return size / pixel.cx;
    CSize length(size, size);
    dc->HIMETRICtoDP(&length);
    return length.cx;
}

CPoint Truncated(const QvPoint& p) {
    CPoint c;
    p.ToCPoint(c);
    return c;
}

void Stroke(CDC* dc, const QvPoint& from, const QvPoint& to) {
    dc->MoveTo(Truncated(from));
    dc->LineTo(Truncated(to));
}

// The unit of a head: d from b towards a, `length` long, and n across it,
// a quarter turn counter-clockwise, `across` long.
struct Frame {
    QvVector d, n;
    Frame(QvPoint a, QvPoint b, int length, double across) : d(a - b) {
        d.SetLength(length);
        n = d.Perpendicular();
        n.SetLength(across);
    }
};

void Circle(CDC* dc, QvPoint a, int length) {
    dc->Ellipse(int(a.x - length + 1), int(a.y - length + 1), int(a.x + length), int(a.y + length));
}
} // namespace

void QvArrowHead::Draw(CDC* dc, QvPoint end, QvPoint toward, int code, int size, BOOL centred) {
    int length = MarkLength(dc, size);
    QvVector h = end - toward;
    h.SetLength(length / 2);
    QvPoint base = centred ? end + h : end;

    LOGPEN logPen;
    dc->GetCurrentPen()->GetLogPen(&logPen);
    logPen.lopnStyle = PS_INSIDEFRAME;
    CPen pen(logPen);
    CDCSelect<CPen> usePen(dc, &pen);
    // A hollow brush still gives solid heads, in its own colour.
    LOGBRUSH logBrush;
    dc->GetCurrentBrush()->GetLogBrush(&logBrush);
    if (logBrush.lbStyle == BS_NULL)
        logBrush.lbStyle = BS_SOLID;
    CBrush brush(logBrush);
    CDCSelect<CBrush> useBrush(dc, &brush);

    switch (code) {
    case 11:
        DrawLines(dc, base, toward, length);
        break;
    case 12:
        DrawTriangle(dc, base, toward, length);
        break;
    case 13:
        DrawChevron(dc, base, toward, length);
        break;
    case 14:
        DrawSector(dc, base, toward, length);
        break;
    case 15:
        DrawBar(dc, base, toward, length);
        break;
    case 16:
        DrawFilledCircle(dc, end, toward, length);
        break;
    case 17:
        DrawWhiteCircle(dc, end, toward, length);
        break;
    case 18:
        DrawOpenCircle(dc, end, toward, length);
        break;
    case 19:
        DrawSlash(dc, end, toward, length);
        break;
    case 20:
        DrawSlash(dc, end - h, toward, length);
        DrawSlash(dc, end + h, toward, length);
        break;
    case 21:
        DrawSlash(dc, end - h, toward, length);
        DrawSlash(dc, end, toward, length);
        DrawSlash(dc, end - h * 2, toward, length);
        break;
    case 22:
        DrawLines(dc, base - h, toward, length);
        DrawLines(dc, base, toward, length);
        break;
    case 23:
        DrawTriangle(dc, base - h, toward, length);
        DrawTriangle(dc, base, toward, length);
        break;
    case 24:
        DrawChevron(dc, base - h, toward, length);
        DrawChevron(dc, base, toward, length);
        break;
    default:
        break;
    }
}

void QvArrowHead::DrawLines(CDC* dc, QvPoint a, QvPoint b, int length) {
    Frame f(a, b, length, length / 2);
    Stroke(dc, a - f.d + f.n, a);
    Stroke(dc, a - f.d - f.n, a);
}

void QvArrowHead::DrawTriangle(CDC* dc, QvPoint a, QvPoint b, int length) {
    Frame f(a, b, length, length / 2);
    CPoint p[3] = {Truncated(a - f.d + f.n), Truncated(a), Truncated(a - f.d - f.n)};
    dc->Polygon(p, 3);
}

void QvArrowHead::DrawChevron(CDC* dc, QvPoint a, QvPoint b, int length) {
    Frame f(a, b, length, length / 2);
    CPoint p[4] = {Truncated(a - f.d + f.n), Truncated(a), Truncated(a - f.d - f.n),
                   Truncated(a - f.d * 0.5)};
    dc->Polygon(p, 4);
}

void QvArrowHead::DrawSector(CDC* dc, QvPoint a, QvPoint b, int length) {
    // No direction, no slice.
    if (a == b)
        return;
    Frame f(a, b, length, length / 2);
    CPoint start = Truncated(a - f.d - f.n), stop = Truncated(a - f.d + f.n);
    // The pie runs counter-clockwise on the page; with y upward the two
    // radials change places to keep the narrow slice.
    if (dc->GetMapMode() == MM_HIMETRIC)
        std::swap(start, stop);
    dc->Pie(int(a.x - length), int(a.y - length), int(a.x + length), int(a.y + length), start.x,
            start.y, stop.x, stop.y);
}

void QvArrowHead::DrawBar(CDC* dc, QvPoint a, QvPoint b, int length) {
    Frame f(a, b, length, length);
    Stroke(dc, a + f.n, a - f.n);
}

void QvArrowHead::DrawFilledCircle(CDC* dc, QvPoint a, QvPoint, int length) {
    Circle(dc, a, length);
}

void QvArrowHead::DrawWhiteCircle(CDC* dc, QvPoint a, QvPoint, int length) {
    CDCSelect<CBrush> white(dc, WHITE_BRUSH);
    Circle(dc, a, length);
}

void QvArrowHead::DrawOpenCircle(CDC* dc, QvPoint a, QvPoint, int length) {
    CDCSelect<CBrush> noFill(dc, NULL_BRUSH);
    Circle(dc, a, length);
}

void QvArrowHead::DrawSlash(CDC* dc, QvPoint a, QvPoint b, int length) {
    Frame f(a, b, length, length);
    // The same lean on a y-up page as on a y-down one.
    if (dc->GetMapMode() == MM_HIMETRIC)
        Stroke(dc, a - f.d - f.n, a + f.n);
    else
        Stroke(dc, a - f.d + f.n, a - f.n);
}
