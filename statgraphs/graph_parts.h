#pragma once
// Small pieces the box, dot and pie drawers share: the direction of y, the
// title at the top of the frame and the fill of a series.
#include "platform/gdi_types.h"

class CDC;
class QvStatProperties;

// -1 where logical y grows upwards (MM_HIMETRIC), else +1.
double QvGraphDirection(CDC* dc);
// Draws a non-empty title centred at the top of `rect` in the title font
// and answers the top of what is left below it.
int QvDrawGraphTitle(CDC* dc, const CRect& rect, const QvStatProperties& p);
// The graph's fill scheme, the row of Brushes; a value outside the four
// (a file may hold one) reads as the colour scheme.
int QvFillScheme(const QvStatProperties& p);
// The fill of series `k` (0 to 9) under the graph's fill scheme.
const LOGBRUSH& QvSeriesBrush(const QvStatProperties& p, int k);
