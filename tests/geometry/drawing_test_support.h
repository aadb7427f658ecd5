#pragma once
// Helpers for the drawing tests: a white page at a given resolution, the
// bounds of what was drawn on it, and device points in logical units.
#include "platform/dc.h"

#include <QImage>
#include <QRect>

#include <cmath>
#include <utility>
#include <vector>

constexpr QRgb kPaper = 0xFFFFFFFF;

inline QImage Page(int dpi, int width, int height, QRgb fill = kPaper) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(fill);
    return image;
}

// Bounds of every pixel that is not `paper`.
inline QRect InkBounds(const QImage& image, QRgb paper = kPaper) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != paper)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// A context on the page in `mode`.  The background is transparent: in
// OPAQUE mode the device context draws one-pixel ellipses of an even size
// one pixel short on the right and bottom, which is its own matter.
inline void Prepare(CDC& dc, int mode) {
    dc.SetMapMode(mode);
    dc.SetBkMode(TRANSPARENT);
}

inline CPoint Logical(const CDC& dc, int x, int y) {
    CPoint p(x, y);
    dc.DPtoLP(&p);
    return p;
}

// The square of pixels from c - low to c + high in both directions.
inline QRect Square(QPoint c, int low, int high) {
    return QRect(QPoint(c.x() - low, c.y() - low), QPoint(c.x() + high, c.y() + high));
}

// The runs of rows (vertical) or columns (across) that hold ink, in order:
// the lines of a text, each as the span it covers.
inline std::vector<std::pair<int, int>> InkBands(const QImage& image, bool rows,
                                                 QRgb paper = kPaper) {
    std::vector<std::pair<int, int>> bands;
    const int n = rows ? image.height() : image.width();
    const int m = rows ? image.width() : image.height();
    for (int i = 0; i < n; ++i) {
        bool ink = false;
        for (int j = 0; j < m && !ink; ++j)
            ink = (rows ? image.pixel(j, i) : image.pixel(i, j)) != paper;
        if (!ink)
            continue;
        if (!bands.empty() && bands.back().second == i - 1)
            bands.back().second = i;
        else
            bands.emplace_back(i, i);
    }
    return bands;
}
