#include "text/number_text.h"

#include "platform/numbers.h"
#include "text/equation.h"
#include "text/equation_options.h"

#include <QLocale>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

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
    QvFormatDouble(text, value, decimals < 0 ? 25 : decimals, '.');
    text.replace(u'-', QChar(0x2013));
    return text;
}

QString QvFormatSignedNumber(double value, int decimals) {
    QString text = QvFormatNumber(value, decimals);
    return value >= 0.0 ? QStringLiteral("+ ") + text : text;
}

QString QvFormatNumberPlain(double value) {
    QString text;
    QvFormatDouble(text, value, 10, TheEquationOptions().m_decimalPoint);
    return text;
}

int QvClassifyNumberText(const QString& text) {
    if (text.isEmpty())
        return 0;
    const QChar point = QChar::fromLatin1(TheEquationOptions().m_decimalPoint);
    int slashes = 0;
    bool decimal = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'p' && i + 1 < text.size() && text[i + 1] == u'i') {
            ++i;
        } else if (c == point || c == QChar(0xB7)) {
            decimal = true;
        } else if (c == u'/') {
            ++slashes;
        } else if (!(c >= u'0' && c <= u'9') && c != u'-' && c != u'e') {
            return 0;
        }
    }
    if (slashes > 1)
        return 0;
    return decimal ? 1 : 2;
}

double QvTextToNumber(const QString& text) {
    QString t;
    for (QChar c : text) {
        if (!c.isSpace())
            t += c == u',' ? QChar(u'.') : c;
    }
    if (t.isEmpty())
        return QvNoNumber;
    double factor = 1.0;
    if (qsizetype at = t.indexOf(QLatin1String("pi")); at >= 0) {
        factor = 3.141592654;
        t.remove(at, 2);
    }
    const qsizetype slash = t.indexOf(u'/');
    const QString numerator = slash < 0 ? t : t.left(slash);
    double num = 1.0;
    if (numerator == QLatin1String("-")) {
        num = -1.0;
    } else if (!numerator.isEmpty()) {
        bool ok = false;
        num = QLocale::c().toDouble(numerator, &ok);
        if (!ok || !std::isfinite(num))
            return QvNoNumber;
    }
    double den = 1.0;
    if (slash >= 0 && slash + 1 < t.size())
        den = AtofC(t.mid(slash + 1));
    if (den == 0.0)
        return QvNoNumber;
    return factor * num / den;
}

// ---- Exact step arithmetic ----

namespace {

// An exact number text: numerator and denominator as the text holds them
// (each within 32 bits), and the factors pi and e.
struct ExactNumber {
    qint64 num = 1;
    qint64 den = 1;
    bool pi = false;
    bool e = false;
};

// Reads digits into `value`; false when there are none or more than 32
// bits hold.
bool ReadDigits(const QString& text, qsizetype& i, qint64& value) {
    const qsizetype start = i;
    value = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > INT_MAX)
            return false;
        ++i;
    }
    return i > start;
}

// '-', digits, "pi", 'e', '/' and digits, each but the digits of a
// denominator optional.  Anything else, or a denominator of 0, is not read
// as exact.
bool ReadExact(const QString& text, ExactNumber& x) {
    qsizetype i = 0;
    bool minus = false;
    if (i < text.size() && text[i] == u'-') {
        minus = true;
        ++i;
    }
    x = ExactNumber();
    if (i < text.size() && text[i] >= u'0' && text[i] <= u'9' && !ReadDigits(text, i, x.num))
        return false;
    if (text.mid(i, 2) == QLatin1String("pi")) {
        x.pi = true;
        i += 2;
    }
    if (i < text.size() && text[i] == u'e') {
        x.e = true;
        ++i;
    }
    if (i < text.size() && text[i] == u'/') {
        ++i;
        if (i < text.size() && text[i] == u'-') {
            minus = !minus;
            ++i;
        }
        if (!ReadDigits(text, i, x.den) || x.den == 0)
            return false;
    }
    if (minus)
        x.num = -x.num;
    return i == text.size();
}

// The reduced fraction as text ("2pi/3", "-pi/6", "1/2", "5"); a zero is
// "0" whatever its factors.  False when the reduced fraction does not fit
// in 32 bits, so that it cannot be kept exact.
bool FormatExact(qint64 num, qint64 den, bool pi, bool e, QString& out) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    if (num == 0) {
        out = QStringLiteral("0");
        return true;
    }
    const qint64 common = std::gcd(num < 0 ? -num : num, den);
    num /= common;
    den /= common;
    if (num > INT_MAX || num < -INT_MAX || den > INT_MAX)
        return false;
    const bool factor = pi || e;
    if (num == -1 && factor)
        out = QStringLiteral("-");
    else if (num == 1 && factor)
        out.clear();
    else
        out = QString::number(num);
    if (pi)
        out += QLatin1String("pi");
    if (e)
        out += u'e';
    if (den != 1)
        out += u'/' + QString::number(den);
    return true;
}

// The decimal result, or false for one that is not a finite number.
bool FormatDecimal(double value, QString& out) {
    if (!std::isfinite(value))
        return false;
    out = QvFormatNumberPlain(value);
    return true;
}

} // namespace

BOOL QvEquation::AddNumberText(const QString& other) {
    const QString own = m_text;
    const int ownClass = QvClassifyNumberText(own);
    const int otherClass = QvClassifyNumberText(other);
    QString result;
    bool number = ownClass != 0 && otherClass != 0;
    if (number) {
        ExactNumber a, b;
        bool exact = ownClass == 2 && otherClass == 2 && ReadExact(own, a) && ReadExact(other, b);
        // Multiples of pi and plain numbers do not mix, except onto a zero.
        if (exact && (a.pi != b.pi || a.e != b.e) && own != QLatin1String("0"))
            exact = false;
        // 32-bit parts: the cross products cannot leave 64 bits.
        if (exact)
            exact = FormatExact(a.num * b.den + b.num * a.den, a.den * b.den, b.pi, b.e, result);
        if (!exact)
            number = FormatDecimal(QvTextToDouble(other) + QvTextToDouble(own), result);
    }
    SetText(number ? result : QString());
    return number ? TRUE : FALSE;
}

BOOL QvEquation::SubtractNumberText(const QString& other) {
    return AddNumberText(other.startsWith(u'-') ? other.mid(1) : u'-' + other);
}

BOOL QvEquation::MultiplyNumberText(int factor) {
    const QString own = m_text;
    const int ownClass = QvClassifyNumberText(own);
    QString result;
    bool number = ownClass != 0;
    if (number) {
        ExactNumber a;
        bool exact = ownClass == 2 && ReadExact(own, a) &&
                     FormatExact(a.num * factor, a.den, a.pi, a.e, result);
        if (!exact)
            number = FormatDecimal(QvTextToDouble(own) * factor, result);
    }
    SetText(number ? result : QString());
    return number ? TRUE : FALSE;
}

double QvEquation::GetValue() const {
    return QvTextToDouble(m_text);
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
