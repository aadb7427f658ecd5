#pragma once
// Plain text in a box: wrapped to the box's width, turned to the direction
// of its top side, the lines following each other along its left side.
// The box's corner 0 to corner 1 is the top side, corner 0 to corner 3 the
// side the lines step along.
#include "geometry/gr_rect.h"
#include "text/log_font.h"

#include <QString>

class CDC;

// Draws the text; the alignment is TA_LEFT, TA_CENTER or TA_RIGHT, the
// anchor corner 0, the middle of the top side or corner 1.  Returns 0.
int QvDrawTextLines(CDC* dc, const QString& text, QvGRRect frame, int alignment, QvLogFont font);

// On entry `text` is the whole text; on return it holds the line that
// starts at `start`, and the result is where the next line starts (past
// the text after the last line).  A line breaks after its last blank, at a
// carriage return (the return and the line feed after it are skipped), or
// inside a word too long for the width.  Widths are measured in the font
// selected into dc.
int QvNextTextLine(CDC* dc, QString& text, int start, double width);

// The direction of the frame's top side in tenths of a degree.
int QvTextEscapement(QvGRRect frame);
