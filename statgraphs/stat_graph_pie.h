#pragma once
// The sectors of a pie graph, worked out apart from any drawing.
#include "platform/gdi_types.h"

#include <vector>

class QvStatColumn;

struct QvPieSector {
    int row = 0;
    double value = 0.0;
    // Radians from 3 o'clock, anticlockwise as seen on the page.
    double start = 0.0;
    double sweep = 0.0;
    CPoint from;  // on the circle where the sector starts
    CPoint to;    // and where it ends
    CPoint label; // for the text inside, at 0.8 of the radius
    // False for a sector too thin to show: its two radials land on one
    // point, where the pie primitive would fill the whole disc.
    bool visible = true;
};

struct QvPieSectors {
    // The sum of the positive values; 0 when there is none.
    double total = 0.0;
    // One per positive value, in row order.
    std::vector<QvPieSector> sectors;
};

// The sectors of the circle of radius r about `centre`; d is -1 where
// logical y grows upwards.  Only positive values have a share: an empty,
// zero or negative cell has no sector.
QvPieSectors QvPieSectorsOf(const QvStatColumn& column, CPoint centre, int r, double d);
