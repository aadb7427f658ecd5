#pragma once
// Readers of number texts: decimals, fractions and multiples of pi and e,
// as axis steps and typed angles are written ("pi/6", "2pi", "1/2").
#include <QString>

// "p" (of "pi") multiplies by pi, "e" by Euler's number, "," reads as the
// decimal point; an empty numerator is 1 and a lone "-" is -1.
double QvParseNumber(const QString& text);
// The text in lower case, read by QvParseNumber.
double QvTextToDouble(QString text);
