#pragma once
// A fill style is stored as the command id of its Format>Fill entry; this
// turns the id into the brush description to fill with.
#include "platform/gdi_types.h"
#include "platform/object.h"

class QvFillStyle : public CObject {
public:
    // Brush style and hatch of the fill command `id`, colour 0 for the
    // caller to fill in.  Unknown ids give the forward-diagonal hatch.
    LOGBRUSH FillStyleToLogBrush(UINT id) const;
};
