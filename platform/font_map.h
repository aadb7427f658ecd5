#pragma once
// Font faces the drawings name, resolved to fonts every Linux desktop has,
// and the "Symbol" font's character codes turned into Unicode.
#include <QString>
#include <QStringList>

// The family to ask Qt for when a drawing names `face`: Arial, Times New
// Roman and Courier New become the metric-compatible Liberation fonts, and
// "Symbol" a serif face that has Greek letters and maths signs.  Any other
// face is passed on unchanged.
QString SubstituteFace(const QString& face);

// The face a drawing names for a family chosen on this desktop: the
// Liberation fonts go back to the faces they stand in for, so that a
// drawing names the same faces wherever it is opened.
QString DrawingFace(const QString& family);

// The families the "Symbol" face is drawn with, first to last: Greek
// letters from a serif face, the maths signs and bracket pieces it lacks
// from one that has them all.
QStringList SymbolFamilies();

// Whether text in this face is written in Symbol-font character codes.
bool IsSymbolFace(const QString& face);

// The Unicode character for one Symbol-font code (0..255); codes without a
// glyph of their own stay as they are, except code 2, which the equations
// use for "parallel".
char16_t SymbolToUnicode(unsigned char code);

// Text as stored (Windows-1252 decoded) in Symbol-font codes, as Unicode.
QString SymbolTextToUnicode(const QString& text);
