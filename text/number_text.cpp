#include "text/number_text.h"

#include "platform/numbers.h"

#include <algorithm>
#include <cmath>

double QvParseNumber(const QString& text) {
    QString numerator;
    bool pi = false;
    bool e = false;
    qsizetype i = 0;
    for (; i < text.size() && text[i] != '/'; ++i) {
        QChar c = text[i];
        if (c == ',') {
            numerator += '.';
        } else if (c == 'e') {
            e = true;
        } else if (c == 'p') {
            pi = true;
            ++i; // the "i" of "pi"
            if (i < text.size() && text[i] == '/')
                break;
        } else {
            numerator += c;
        }
    }
    double num;
    if (numerator.isEmpty())
        num = 1.0;
    else if (numerator == QLatin1String("-"))
        num = -1.0;
    else
        num = AtofC(numerator);
    double den = 1.0;
    if (i < text.size() && text[i] == '/') {
        QString rest = text.mid(i + 1);
        if (!rest.isEmpty())
            den = AtofC(rest);
    }
    double factor = 1.0;
    if (pi)
        factor *= 3.141592654;
    if (e)
        factor *= 2.718281828;
    return factor * num / den;
}

double QvTextToDouble(QString text) {
    return QvParseNumber(text.toLower());
}

void QvFormatDouble(QString& out, double value, int digits, char decimalPoint) {
    if (std::fabs(value) < 1e-9)
        value = 0.0;
    digits = std::max(0, digits);
    QString text = FormatC("%.*f", digits, std::fabs(value));
    bool zero = true;
    for (QChar c : text) {
        if (c.isDigit() && c != u'0')
            zero = false;
    }
    if (decimalPoint != '.')
        text.replace(u'.', QChar::fromLatin1(decimalPoint));
    if (text.contains(QChar::fromLatin1(decimalPoint))) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(QChar::fromLatin1(decimalPoint)))
            text.chop(1);
    }
    // A negative value that rounds to nothing is written as 0, not "-0".
    if (value < 0.0 && !zero)
        text.prepend(u'-');
    out = text;
}

QString QvFormatNumber(double value, int decimals) {
    QString text;
    QvFormatDouble(text, value, decimals, '.');
    text.replace(u'-', QChar(0x2013));
    return text;
}

char QvDigitAt(double value, int power) {
    double t = std::fmod(std::fabs(value) / std::pow(10.0, power), 10.0) + 1e-9;
    if (t >= 10.0)
        t = 0.0;
    return char('0' + int(t));
}

BOOL QvCharInSet(char c, const char* set) {
    if (c == 0 || !set)
        return FALSE;
    for (const char* p = set; *p; ++p) {
        if (*p == c)
            return TRUE;
    }
    return FALSE;
}

BOOL QvIsValueInList(double value, const double* list) {
    for (const double* p = list; p && *p != 0.0; ++p) {
        if (*p == value)
            return TRUE;
    }
    return FALSE;
}

double QvRoundToPower(double value, int power) {
    double m = std::pow(10.0, -power);
    return std::floor(value * m + 0.5) / m;
}
