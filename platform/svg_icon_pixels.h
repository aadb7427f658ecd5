// Pixels of the program's square SVG icons.  The first window shows some
// sixty of them, and parsing and drawing each file took most of its first
// paint; so the build draws every icon of the resources once, at the sizes a
// screen of ordinary resolution asks for (tools/icon_baker.cpp), and the
// program draws from the file only the sizes left out.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

// The drawing of `renderer` filling a `side`-pixel square on transparency:
// the one way the icons are drawn, at build time and in the program, so
// both give the same pixels.
inline QImage RenderSvgIcon(QSvgRenderer& renderer, int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(0);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

// One icon drawn at build time: premultiplied ARGB words, row by row.
struct BakedSvgIconEntry {
    const char* path; // the resource path, ":/icons/line.svg"
    int side;
    const unsigned char* pixels;
};

// The sizes drawn at build time.
inline constexpr int kBakedSvgIconSides[] = {16, 24};

// The icon at resource path `path` as drawn at build time, `side` pixels
// square; a null image for a size or file that was not.  The image reads
// the program's own constant data.
QImage BakedSvgIcon(const QString& path, int side);
