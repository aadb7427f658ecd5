#pragma once
// Draws a statistics graph onto a white 300-dpi page as the program prints
// it (MM_HIMETRIC, 0.01 mm units) and keeps the picture in the build folder
// to be looked at.
#include "platform/dc.h"
#include "statgraphs/stat_graph.h"

#include <QImage>
#include <QString>

// The page's pixel of a 0.01 mm length.
inline int PagePx(int units) {
    return int((units < 0 ? -units : units) * 300LL / 2540);
}

// The graph fills the frame from (500, -500) to (width - 500, -(height - 500)).
inline QImage RenderGraph(QvStatGraph& graph, QvStatData* data, int width, int height,
                          const QString& name) {
    QImage image(PagePx(width), PagePx(height), QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    image.fill(Qt::white);
    {
        CDC dc(&image);
        dc.SetMapMode(MM_HIMETRIC);
        graph.SetData(data);
        graph.Draw(&dc, CRect(500, -500, width - 500, -(height - 500)));
    }
    image.save(QStringLiteral(LUMBREL_BINARY_DIR "/%1.png").arg(name));
    return image;
}

// How many pixels of a page region are not white.
inline int InkIn(const QImage& image, const QRect& region) {
    int ink = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (image.valid(x, y) && image.pixel(x, y) != qRgb(255, 255, 255))
                ++ink;
    return ink;
}
