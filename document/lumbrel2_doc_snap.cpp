// The point caches and the snap search.
#include "document/lumbrel2_doc.h"

// Snapping is still to come: the caches stay empty, but figures that can
// no longer stand leave the drawing here as they will then.
void Lumbrel2Doc::RebuildPointCaches() {
    DropInvalidFigures();
}
