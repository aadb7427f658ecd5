#pragma once
// A line style is stored as the command id of its Format>Line entry; this
// turns the id into the pen description to draw with.
#include "platform/gdi_types.h"
#include "platform/object.h"

class QvLineStyle : public CObject {
public:
    // Style and width (logical units, 0.01 mm) of the line command `id`,
    // colour 0 for the caller to fill in.  Unknown ids give the solid
    // inside-frame pen of width 1.
    LOGPEN PenFromLineCommand(UINT id) const;
};
