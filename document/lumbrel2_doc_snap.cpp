// The point caches and the snap search.
#include "document/lumbrel2_doc.h"

// Snapping is still to come: the caches stay empty, but figures that can
// no longer stand leave the drawing here as they will then.
void Lumbrel2Doc::RebuildPointCaches() {
    DropInvalidFigures();
}

// Until the caches exist the pointer snaps to the grid only.
QvPoint Lumbrel2Doc::FindSnapPoint(int x, int y, int level, QvFigure*, int) {
    if (level <= 0)
        return QvPoint(x, y);
    return m_grid.NearestGridPoint(x, y);
}
