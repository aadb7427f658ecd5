#pragma once
// Number text that ignores the user's locale: settings, definition files,
// step texts and formulas always use '.' as the decimal point.
#include <QString>

// printf-style formatting in the C locale ("%f", "%.2f", "%d", ...).
QString FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));
// atof: leading blanks, sign, digits, point, exponent; whatever follows is
// ignored and text without a number gives 0.
double AtofC(const char* text);
double AtofC(const QString& text);
// atoi in the same manner.
int AtoiC(const QString& text);
