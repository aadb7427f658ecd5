#pragma once
// Number texts: the program's own writing of a double with a chosen number
// of decimals, and readers: decimals, fractions and multiples of pi and e,
// as axis steps and typed angles are written ("pi/6", "2pi", "1/2").  Also
// the small digit and list tests the typesetter and the number labels share.
#include "platform/win_types.h"

#include <QString>

// "p" (of "pi") multiplies by pi, "e" by Euler's number, "," reads as the
// decimal point; an empty numerator is 1 and a lone "-" is -1.
double QvParseNumber(const QString& text);
// The text in lower case, read by QvParseNumber.
double QvTextToDouble(QString text);

// The value rounded to `digits` decimals, with trailing zeros and a trailing
// decimal point removed; values below 1e-9 in size are written as 0.
void QvFormatDouble(QString& out, double value, int digits, char decimalPoint);
// The same with '.' as the decimal point and the en dash (U+2013) as the
// minus sign, as number labels are shown.
QString QvFormatNumber(double value, int decimals);

// The decimal digit ('0' to '9') of a non-negative value at the place
// 10^power.
char QvDigitAt(double value, int power);
// Whether c occurs in the zero-terminated set (the terminator never does).
BOOL QvCharInSet(char c, const char* set);
// Whether value equals an entry of the list, which ends at its first 0.0.
BOOL QvIsValueInList(double value, const double* list);
// The value rounded to a multiple of 10^power, halves upward.
double QvRoundToPower(double value, int power);
