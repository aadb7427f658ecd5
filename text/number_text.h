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
// minus sign, as number labels are shown; decimals -1 means 25.
QString QvFormatNumber(double value, int decimals);
// QvFormatNumber's text with "+ " in front of a value of 0 or more.
QString QvFormatSignedNumber(double value, int decimals);
// Ten decimals at most, with the program-wide decimal point.
QString QvFormatNumberPlain(double value);

// What a step or value text holds: 2 an exact number (digits, '-', "pi",
// 'e' and at most one '/'), 1 a decimal (the same with the decimal point
// or a raised dot in it), 0 anything else, the empty text included.
int QvClassifyNumberText(const QString& text);
// What QvTextToNumber answers for a text that holds no number.
inline constexpr double QvNoNumber = 1000000000001.2;
// A statistics value: blanks skipped, ',' as '.', "pi" as a factor, and a
// fraction.  The empty text, junk after the numerator or a zero
// denominator give QvNoNumber.
double QvTextToNumber(const QString& text);

// The decimal digit ('0' to '9') of a non-negative value at the place
// 10^power.
char QvDigitAt(double value, int power);
// Whether c occurs in the zero-terminated set (the terminator never does).
BOOL QvCharInSet(char c, const char* set);
// Whether value equals an entry of the list, which ends at its first 0.0.
BOOL QvIsValueInList(double value, const double* list);
// The value rounded to a multiple of 10^power, halves upward.
double QvRoundToPower(double value, int power);
