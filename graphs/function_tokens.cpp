// The tokeniser, the left side and the domain text of a function.
#include "graphs/function.h"

#include "text/equation.h"
#include "text/equation_options.h"
#include "text/number_text.h"

namespace {

// The tokeniser's character classes.
enum CharClass {
    Digit = 1,    // a digit or the decimal separator
    Operator = 2, // + * / ^ > = < ; and the Symbol operators
    Variable = 3, // X T Y R
    Letter = 4,   // a letter of a word
    Edge = 5,     // before the first character and at the end
    Open = 6,
    Close = 7,
    Minus = 8,
};

constexpr char16_t kEndChar = 0x01;
constexpr char16_t kPiChar = 0xCD; // the Symbol font's pi

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c;
}

int ClassOf(char16_t c, char16_t decimalChar) {
    if ((c >= u'0' && c <= u'9') || c == decimalChar)
        return Digit;
    switch (c) {
    case u'X':
    case u'T':
    case u'Y':
    case u'R':
        return Variable;
    case u'+':
    case u'*':
    case u'/':
    case u'^':
    case u'>':
    case u'=':
    case u'<':
    case u';':
    case 0xB4:
    case 0xB3:
    case 0xA3:
    case 0xB9:
        return Operator;
    case u'-':
        return Minus;
    case u'(':
        return Open;
    case u')':
        return Close;
    case kEndChar:
        return Edge;
    default:
        return Letter;
    }
}

// The words of a value: a minus after them subtracts.
bool IsValueWord(int code) {
    return code == TokPi || code == TokE || code == TokQ;
}

bool IsRelation(int code) {
    return code == TokEquals || (code >= TokGreater && code <= TokLessEqual);
}

struct Word {
    const char* text;
    QvTokenCode code;
};

constexpr Word kWords[] = {
    {"X", TokX},         {"*", TokMultiply}, {"/", TokDivide},      {"+", TokAdd},
    {"-", TokSubtract},  {"^", TokPower},    {"SIN", TokSin},       {"COS", TokCos},
    {"TAN", TokTan},     {"ASIN", TokAsin},  {"ACOS", TokAcos},     {"ATAN", TokAtan},
    {"ABS", TokAbs},     {"GINT", TokGint},  {"(", TokOpen},        {")", TokClose},
    {"LN", TokLn},       {"LOG", TokLog},    {"SQRT", TokSqrt},     {"SR", TokSqrt},
    {"COSH", TokCosh},   {"SINH", TokSinh},  {"TANH", TokTanh},     {"SEC", TokSec},
    {"COSEC", TokCosec}, {"COT", TokCot},    {"=", TokEquals},      {"P", TokPi},
    {"E", TokE},         {"T", TokT},        {"Y", TokY},           {"R", TokR},
    {"F", TokF},         {"Q", TokQ},        {"NORMAL", TokNormal}, {"EXP", TokExp},
    {">", TokGreater},   {"<", TokLess},     {";", TokSeparator},
};

// Writes tokens from entry 1 on.  The list ends at the first unknown word,
// so nothing after one is gathered; a token beyond the last entry marks
// the text as too long.
class TokenWriter {
public:
    explicit TokenWriter(QvFunctionToken (&tokens)[QvFunction::kTokens]) : m_tokens(tokens) {}
    void Emit(int code, double value = 0.0) {
        if (m_ended || m_full)
            return;
        if (code == TokEnd) {
            m_ended = true;
            return;
        }
        if (m_n >= QvFunction::kTokens) {
            m_full = true;
            return;
        }
        m_tokens[m_n++] = {code, value};
    }
    bool Done() const { return m_ended || m_full; }
    bool Full() const { return m_full; }

private:
    QvFunctionToken (&m_tokens)[QvFunction::kTokens];
    int m_n = 1;
    bool m_ended = false;
    bool m_full = false;
};

} // namespace

QvTokenCode QvFunction::ClassifyToken(QString word) {
    for (QChar& c : word)
        c = QChar(Upper(c.unicode()));
    if (word.size() == 1) {
        switch (word[0].unicode()) {
        case 0xB3:
            return TokGreaterEqual;
        case 0xA3:
            return TokLessEqual;
        case 0xB9:
            return TokNotEqual;
        default:
            break;
        }
    }
    for (const Word& w : kWords)
        if (word == QLatin1String(w.text))
            return w.code;
    return TokEnd;
}

BOOL QvFunction::Tokenize(QString text) {
    text.replace(QChar(kPiChar), QChar(u'P'));
    for (QvFunctionToken& t : tokens)
        t = {};
    if (text.isEmpty())
        return TRUE;

    TokenWriter out(tokens);
    const char16_t point = char16_t(static_cast<unsigned char>(data.decimalChar));
    QString word;
    int previous = Edge;
    int beforeMinus = Edge; // the class before the minus being gathered
    bool gap = false;       // a space since the word began
    const qsizetype length = text.size();
    for (qsizetype pos = 0; pos <= length && !out.Done(); ++pos) {
        char16_t ch = pos < length ? text[pos].unicode() : kEndChar;
        if (ch == 0)
            ch = kEndChar;
        if (ch == u' ') {
            gap = true;
            continue;
        }
        ch = Upper(ch);
        int cls = ClassOf(ch, point);
        if (cls == Variable) {
            if (previous == Letter && !gap) {
                cls = Letter; // EXP, TAN, SQRT, COT
            } else if (previous == Variable) {
                // XX is X*X.
                out.Emit(ClassifyToken(word));
                out.Emit(TokMultiply);
                word = QChar(ch);
                gap = false;
                continue;
            }
        }
        if (cls == Minus) {
            beforeMinus = previous;
            // After a word, a minus subtracts from a value (P-2, E-X) and is
            // the sign of a function's argument (SIN-X).
            if (previous == Letter)
                beforeMinus = IsValueWord(ClassifyToken(word)) ? Digit : Operator;
        }
        if (previous == Edge || (cls == previous && !gap)) {
            word += QChar(ch);
            previous = cls;
            gap = false;
            continue;
        }
        const bool spaced = gap;
        gap = false;
        switch (previous) {
        case Digit:
            out.Emit(TokNumber, QvTextToDouble(word));
            // 2X, 2SIN(X), 2(X+1), 2P
            if (cls != Operator && cls != Close && cls != Edge && cls != Minus)
                out.Emit(TokMultiply);
            break;
        case Operator:
        case Letter:
            out.Emit(ClassifyToken(word));
            break;
        case Variable:
            if (cls == Letter && !spaced) { // TAN, COT
                word += QChar(ch);
                previous = Letter;
                continue;
            }
            out.Emit(ClassifyToken(word));
            break;
        case Open:
        case Close:
            for (QChar c : word)
                out.Emit(c == u'(' ? TokOpen : TokClose);
            if (previous == Close && cls == Open)
                out.Emit(TokMultiply); // (X+1)(X-1)
            break;
        case Minus: {
            const bool afterValue =
                beforeMinus == Digit || beforeMinus == Variable || beforeMinus == Close;
            const bool sign = beforeMinus == Edge || beforeMinus == Open || beforeMinus == Operator;
            if (cls == Digit && sign) {
                // A negative number: (-3), 2*-3.
                word += QChar(ch);
                previous = Digit;
                continue;
            }
            const bool follows = cls == Digit || cls == Variable || cls == Letter || cls == Open;
            if (!follows || !(afterValue || sign))
                continue; // dropped; still a minus
            if (afterValue) {
                out.Emit(TokSubtract);
            } else {
                out.Emit(TokNumber, -1.0);
                out.Emit(TokMultiply, kSignProduct);
            }
            break;
        }
        default:
            break;
        }
        word = QChar(ch);
        previous = cls;
    }
    return out.Full() ? FALSE : TRUE;
}

const QvFunctionToken& QvFunction::Token(int i) const {
    static const QvFunctionToken end;
    return i >= 1 && i < kTokens ? tokens[i] : end;
}

int QvFunction::ParseLeftSide(int s) {
    auto code = [&](int i) { return Token(i).code; };
    int right = s;
    if ((code(s) == TokY || code(s) == TokX) && IsRelation(code(s + 1))) {
        data.kind = code(s) == TokY ? 1 : 3;
        relation = code(s + 1);
        right = s + 2;
    } else if (code(s) == TokF && code(s + 1) == TokOpen && code(s + 3) == TokClose &&
               IsRelation(code(s + 4)) &&
               (code(s + 2) == TokX || code(s + 2) == TokT || code(s + 2) == TokY)) {
        data.kind = code(s + 2) == TokY ? 3 : 1;
        relation = code(s + 4);
        right = s + 5;
    } else if (code(s) == TokR) {
        data.kind = 2;
        if (IsRelation(code(s + 1)))
            relation = code(s + 1);
        right = s + 2;
    }
    for (int i = 1; i < kTokens && tokens[i].code != TokEnd; ++i)
        if (tokens[i].code == TokSeparator)
            data.kind = 4;
    return right;
}

int QvFunction::ParseDomain() {
    switch (data.kind) {
    case 1:
    case 3:
        rangeLow = -100000.0;
        rangeHigh = 100000.0;
        lowEnd = highEnd = 1;
        break;
    case 2:
        rangeLow = 0.0;
        rangeHigh = angleMode == 1 ? 6.283185308 : angleMode == 2 ? 400.0 : 360.0;
        lowEnd = highEnd = 0;
        break;
    case 4:
        rangeLow = 0.0;
        rangeHigh = 20.0;
        lowEnd = highEnd = 0;
        break;
    default:
        break;
    }

    QvFunctionStr typed;
    typed.SetText(data.rangeText, &TheEquationOptions());
    if (!Tokenize(typed.ToFunctionText()))
        return kTooLong;

    // v r variable (-2<X) sets the bound the relation points away from the
    // variable; variable r v (X<=3) the one it points towards.
    auto setBound = [&](bool valueFirst, int r, double v) {
        const bool below = (r == TokLess || r == TokLessEqual) == valueFirst;
        const int end = (r == TokGreaterEqual || r == TokLessEqual) ? 6 : 7;
        if (below) {
            rangeLow = v;
            lowEnd = end;
        } else {
            rangeHigh = v;
            highEnd = end;
        }
    };
    double v = 0.0;
    bool numberFirst = false, variableSeen = false, relationPending = false;
    int r = 0;
    for (int i = 1; i < kTokens && tokens[i].code != TokEnd; ++i) {
        const int code = tokens[i].code;
        if (code == TokX || code == TokQ || code == TokT || code == TokY) {
            if (!numberFirst && !relationPending) {
                variableSeen = true;
            } else if (numberFirst && relationPending) {
                setBound(true, r, v);
                v = 0.0;
                numberFirst = relationPending = false;
                variableSeen = true;
            }
        } else if (code == TokNumber || code == TokPi) {
            const double number = code == TokPi ? kPi : tokens[i].value;
            if ((!variableSeen && !relationPending) || (variableSeen && relationPending)) {
                if (!variableSeen)
                    numberFirst = true;
                v = v == 0.0 ? number : v * number;
            }
            if (code == TokPi && variableSeen && relationPending) {
                setBound(false, r, v);
                v = 0.0;
                relationPending = false;
            }
        } else if (code >= TokGreater && code <= TokLessEqual) {
            relationPending = true;
            r = code;
        } else if (code == TokSeparator) {
            numberFirst = variableSeen = relationPending = false;
        }
    }
    if (relationPending && variableSeen)
        setBound(false, r, v);
    if (data.kind == 4)
        lowEnd = highEnd = 0;
    return kFits;
}
