// Icons read from an SVG file the first time they are drawn.  Qt's own SVG
// icon engine parses the file once when the icon is made (only to see that
// it is valid) and again when it is first drawn; the program makes an icon
// for each of its commands at start-up, most of them shown only when a
// menu opens.
#pragma once

#include <QIcon>
#include <QString>

// The icon of the SVG file `path`, whose drawing is square (as every icon of
// the program's resources is): its size in a box is known without reading it.
QIcon LazySvgIcon(const QString& path);
