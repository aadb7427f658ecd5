#pragma once
// Number texts: the program's own writing of a double with a chosen number
// of decimals, and readers: decimals, fractions and multiples of pi and e,
// as axis steps and typed angles are written ("pi/6", "2pi", "1/2").
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
