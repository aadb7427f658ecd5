#include "geometry/marker.h"

#include "platform/dc.h"

#include <algorithm>

namespace {
// The three size classes and the half-size factor of each in pixels.
enum SizeClass { kPlusClass = 0, kThreeClass = 1, kTwoClass = 2 };
constexpr int kFactor[3] = {4, 3, 2};

bool DeviceWay(const CDC* dc) {
    int mode = dc->GetMapMode();
    return mode == MM_HIMETRIC || mode == MM_TEXT;
}

// The half-size in device pixels of one size class.  The caches hold the
// sizes for one resolution only: a surface of another resolution (printer,
// export bitmap, clipboard picture) works them out afresh, so the screen
// never keeps a printer's size.
int HalfSize(CDC* dc, SizeClass sizeClass, int cx, int cy) {
    QvMarkerSizes& sizes = QvMarkerSizeCache();
    int dpi = dc->GetDeviceCaps(LOGPIXELSX);
    if (sizes.dpi != dpi) {
        std::fill(std::begin(sizes.size), std::end(sizes.size), -1);
        sizes.dpi = dpi;
    }
    int& cached = sizes.size[sizeClass];
    if (cached == -1) {
        CSize size(kFactor[sizeClass] * cx, kFactor[sizeClass] * cy);
        dc->LPtoDP(&size);
        cached = size.cx;
    }
    if (cached < 1)
        cached = 1;
    return cached;
}

CPoint DeviceCentre(const CDC* dc, int x, int y) {
    CPoint p(x, y);
    dc->LPtoDP(&p);
    return p;
}

// A stroke given in device pixels, drawn in logical units.
void DeviceStroke(CDC* dc, CPoint from, CPoint to) {
    CPoint p[2] = {from, to};
    dc->DPtoLP(p, 2);
    dc->MoveTo(p[0]);
    dc->LineTo(p[1]);
}

CRect LogicalBox(const CDC* dc, int left, int top, int right, int bottom) {
    CRect box(left, top, right, bottom);
    dc->DPtoLP(&box);
    return box;
}

int Trunc(double v) {
    return int(v);
}
} // namespace

QvMarkerSizes& QvMarkerSizeCache() {
    static QvMarkerSizes sizes;
    return sizes;
}

void QvMarker::Draw(CDC* dc, QvPoint at, int code) {
    LOGPEN log;
    dc->GetCurrentPen()->GetLogPen(&log);
    log.lopnStyle = PS_INSIDEFRAME;
    CPen pen(log);
    CBrush brush(log.lopnColor);
    CPoint p;
    at.ToCPoint(p);
    DrawAt(dc, p.x, p.y, code, &pen, &brush);
}

void QvMarker::DrawAt(CDC* dc, int x, int y, int code, CPen* pen, CBrush* brush) {
    CSize size(25, 25);
    int mode = dc->GetMapMode();
    if (mode != MM_HIMETRIC && mode != MM_ANISOTROPIC)
        dc->HIMETRICtoDP(&size);
    CDCSelect<CPen> usePen(dc, pen);
    CDCSelect<CBrush> useBrush(dc, brush);
    // Marks a few pixels across are drawn by whole pixels, so they stay sharp.
    BOOL oldSmoothing = dc->SetSmoothing(FALSE);
    switch (code) {
    case 1:
        DrawPlus(dc, x, y, size.cx, size.cy);
        break;
    case 2:
        DrawSmallEllipse(dc, x, y, size.cx, size.cy);
        break;
    case 3:
        DrawLargeEllipse(dc, x, y, size.cx, size.cy);
        break;
    case 4:
        DrawDiamond(dc, x, y, size.cx, size.cy);
        break;
    case 5:
        DrawSquare(dc, x, y, size.cx, size.cy);
        break;
    case 6:
        DrawCross(dc, x, y, size.cx, size.cy);
        break;
    case 8:
        DrawPlus(dc, x, y, size.cx, size.cy);
        DrawCross(dc, x, y, size.cx, size.cy);
        break;
    default:
        break;
    }
    dc->SetSmoothing(oldSmoothing);
}

void QvMarker::DrawMany(CDC* dc, const CPoint* at, int count, int code) {
    auto one = [this, code](CDC* on, int x, int y) { DrawAt(on, x, y, code, nullptr, nullptr); };
    // Sized in logical units, a mark's pixels change with where it falls.
    if (!DeviceWay(dc)) {
        for (int i = 0; i < count; ++i)
            one(dc, at[i].x, at[i].y);
        return;
    }
    // The largest half-size, a line at each end and the pen's width.
    CSize size(25, 25);
    if (dc->GetMapMode() != MM_HIMETRIC)
        dc->HIMETRICtoDP(&size);
    int reach = 0;
    for (SizeClass sizeClass : {kPlusClass, kThreeClass, kTwoClass})
        reach = std::max(reach, HalfSize(dc, sizeClass, size.cx, size.cy));
    CSize pen(dc->GetCurrentPen()->Log().lopnWidth.x, 0);
    dc->LPtoDP(&pen);
    dc->DrawRepeated(at, count, reach + 2 + std::abs(int(pen.cx)), one);
}

// The device-way strokes end one pixel further than the arithmetic, as a
// stroke leaves out its last pixel.

void QvMarker::DrawPlus(CDC* dc, int x, int y, int cx, int cy) {
    if (!DeviceWay(dc)) {
        dc->MoveTo(Trunc(x - 3.5 * cx), y);
        dc->LineTo(Trunc(x + 3.5 * cx), y);
        dc->MoveTo(x, Trunc(y - 3.5 * cy));
        dc->LineTo(x, Trunc(y + 3.5 * cy));
        return;
    }
    CPoint c = DeviceCentre(dc, x, y);
    int h = HalfSize(dc, kPlusClass, cx, cy);
    DeviceStroke(dc, CPoint(c.x - h + 1, c.y), CPoint(c.x + h, c.y));
    DeviceStroke(dc, CPoint(c.x, c.y - h + 1), CPoint(c.x, c.y + h));
}

void QvMarker::DrawDiamond(CDC* dc, int x, int y, int cx, int cy) {
    CPoint p[4];
    if (!DeviceWay(dc)) {
        p[0] = CPoint(x - 3 * cx, y);
        p[1] = CPoint(x, y - 3 * cy);
        p[2] = CPoint(x + 3 * cx, y);
        p[3] = CPoint(x, y + 3 * cy);
    } else {
        CPoint c = DeviceCentre(dc, x, y);
        int h = HalfSize(dc, kThreeClass, cx, cy);
        p[0] = CPoint(c.x - h, c.y);
        p[1] = CPoint(c.x, c.y - h);
        p[2] = CPoint(c.x + h, c.y);
        p[3] = CPoint(c.x, c.y + h);
        dc->DPtoLP(p, 4);
    }
    dc->Polygon(p, 4);
}

void QvMarker::DrawLargeEllipse(CDC* dc, int x, int y, int cx, int cy) {
    if (!DeviceWay(dc)) {
        dc->Ellipse(x - 3 * cx, y - 3 * cy, x + 3 * cx, y + 3 * cy);
        return;
    }
    CPoint c = DeviceCentre(dc, x, y);
    int h = HalfSize(dc, kThreeClass, cx, cy);
    dc->Ellipse(LogicalBox(dc, c.x - h - 1, c.y - h - 1, c.x + h, c.y + h));
}

void QvMarker::DrawSmallEllipse(CDC* dc, int x, int y, int cx, int cy) {
    if (!DeviceWay(dc)) {
        dc->Ellipse(x - 2 * cx, y - 2 * cy, x + 2 * cx, y + 2 * cy);
        return;
    }
    CPoint c = DeviceCentre(dc, x, y);
    int h = HalfSize(dc, kTwoClass, cx, cy);
    dc->Ellipse(LogicalBox(dc, c.x - h, c.y - h, c.x + h, c.y + h));
}

void QvMarker::DrawCross(CDC* dc, int x, int y, int cx, int cy) {
    if (!DeviceWay(dc)) {
        dc->MoveTo(x - 2 * cx, y - 2 * cy);
        dc->LineTo(x + 2 * cx, y + 2 * cy);
        dc->MoveTo(x + 2 * cx, y - 2 * cy);
        dc->LineTo(x - 2 * cx, y + 2 * cy);
        return;
    }
    CPoint c = DeviceCentre(dc, x, y);
    int h = HalfSize(dc, kTwoClass, cx, cy);
    DeviceStroke(dc, CPoint(c.x - h, c.y - h), CPoint(c.x + h + 1, c.y + h + 1));
    DeviceStroke(dc, CPoint(c.x - h, c.y + h), CPoint(c.x + h + 1, c.y - h - 1));
}

void QvMarker::DrawSquare(CDC* dc, int x, int y, int cx, int cy) {
    if (!DeviceWay(dc)) {
        dc->Rectangle(x - 2 * cx, y - 2 * cy, x + 2 * cx, y + 2 * cy);
        return;
    }
    CPoint c = DeviceCentre(dc, x, y);
    int h = HalfSize(dc, kTwoClass, cx, cy);
    dc->Rectangle(LogicalBox(dc, c.x - h, c.y - h, c.x + h, c.y + h));
}
