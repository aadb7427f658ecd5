#pragma once
// Helpers of the function tests: a function compiled from a text, and a
// token list or program written as readable words.
#include "graphs/function.h"
#include "platform/archive.h"

#include <QBuffer>

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <iterator>
#include <string>

inline QString TokenWord(const QvFunctionToken& t) {
    static const char* const names[] = {
        "end",  "X",     "*",    "/", "+", "-",   "^",  "SIN", "COS",  "TAN",  "ASIN", "ACOS",
        "ATAN", "ABS",   "GINT", "(", ")", "num", "LN", "LOG", "SQRT", "COSH", "SINH", "TANH",
        "SEC",  "COSEC", "COT",  "=", "P", "E",   "T",  "Y",   "R",    "F",    "Q",    "NORMAL"};
    if (t.code == TokNumber)
        return QString::number(t.value);
    if (t.code >= 0 && t.code < int(std::size(names)))
        return QString::fromLatin1(names[t.code]);
    return QString::number(t.code);
}

// Entries from..to-1 up to the first end, as words joined by blanks.
inline std::string Words(const QvFunctionToken* entries, int from, int to) {
    QStringList words;
    for (int i = from; i < to && entries[i].code != TokEnd; ++i)
        words << TokenWord(entries[i]);
    return words.join(u' ').toStdString();
}

inline std::string TokenWords(const QvFunction& f) {
    return Words(f.tokens, 1, QvFunction::kTokens);
}

inline std::string ProgramWords(const QvFunction& f, int part = 1) {
    return part == 1 ? Words(f.program, 1,
                             f.data.kind == 4 ? QvFunction::kSecondPart : QvFunction::kProgram)
                     : Words(f.program, QvFunction::kSecondPart, QvFunction::kProgram);
}

// Latin-1 text with the Symbol bytes written as \xB3 and the like.
inline QString Text(const char* latin1) {
    return QString::fromLatin1(latin1);
}

// A function compiled from its text, which must fit.
inline QvFunction Compiled(const QString& text, int angleMode = 0) {
    QvFunction f;
    f.angleMode = angleMode;
    f.data.expression = text;
    EXPECT_EQ(f.Compile(), QvFunction::kFits) << qPrintable(text);
    return f;
}

// The bytes of a record as it serialises itself (not as an object with its
// class).
inline QByteArray Stored(CObject& r) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    r.Serialize(ar);
    return bytes;
}

// Loads a record from the bytes; returns how many were read.
inline qint64 Load(CObject& r, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(&buffer, CArchive::load);
    r.Serialize(ar);
    return buffer.pos();
}
