#pragma once
// The title every statistics graph writes centred along its top.
#include "platform/gdi_types.h"

class CDC;
class QvStatProperties;

// Writes the title, if any, in its font centred at the top of rect; d is
// -1 where y grows upwards.  Returns the top of what lies below it.
int QvDrawStatTitle(CDC* dc, const CRect& rect, const QvStatProperties& p, int d);
