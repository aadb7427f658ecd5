#include "text/number_text.h"

#include "platform/numbers.h"

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
