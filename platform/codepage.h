#pragma once
// Windows-1252 <-> Unicode.  Files store text as Windows-1252 bytes; the
// five bytes the code page leaves undefined map to the C1 controls of the
// same value, so every byte string survives a round trip.
#include <QByteArray>
#include <QString>

QString FromWindows1252(const QByteArray& bytes);
QString FromWindows1252(const char* bytes, qsizetype length);
// Returns false (and converts what it can, '?' for the rest) when the text
// holds a character Windows-1252 cannot represent.
bool ToWindows1252(const QString& text, QByteArray& bytes);
QByteArray ToWindows1252(const QString& text);
bool IsWindows1252(const QString& text);
