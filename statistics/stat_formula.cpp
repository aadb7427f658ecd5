// The column formula language: words and codes, the tokeniser, the marks
// of missing arguments and the postfix program.
#include "statistics/stat_formula.h"

#include "graphs/function.h"
#include "graphs/function_rules.h"
#include "settings/settings.h"
#include "statistics/stat_column.h"
#include "statistics/stat_fit.h"
#include "text/number_text.h"

#include <QLatin1StringView>

namespace {

// The tokeniser's character classes.
enum CharClass {
    Digit = 1,    // a digit or the decimal point
    Operator = 2, // + * / ^ > = < ; and the Symbol operators
    Letter = 3,   // a letter alone, "@" or pi
    Word = 4,     // a letter after a letter, and any character of no class
    Edge = 5,     // before the first character and at the end
    Open = 6,
    Close = 7,
    Minus = 8,
    Separator = 9, // the list separator
};

constexpr char16_t kEndChar = 0x01;
constexpr char16_t kPiChar = 0xCD; // the Symbol font's pi

// The codes of columns A to Z.
constexpr int kColumnCodes[26] = {40, 41, 42, 43, 29, 44, 45, 46, 47, 48, 49, 50, 51,
                                  52, 53, 54, 60, 32, 55, 30, 56, 57, 58, 1,  31, 59};

struct WordCode {
    QLatin1StringView text;
    int code;
};

constexpr WordCode kWords[] = {
    {QLatin1StringView("*"), TokMultiply},
    {QLatin1StringView("/"), TokDivide},
    {QLatin1StringView("+"), TokAdd},
    {QLatin1StringView("-"), TokSubtract},
    {QLatin1StringView("^"), TokPower},
    {QLatin1StringView("("), TokOpen},
    {QLatin1StringView(")"), TokClose},
    {QLatin1StringView("="), TokEquals},
    {QLatin1StringView("<"), TokLess},
    {QLatin1StringView(";"), StatTokStop},
    {QLatin1StringView(">"), StatTokGreater},
    {QLatin1StringView("@"), StatTokRow},
    {QLatin1StringView("SIN"), TokSin},
    {QLatin1StringView("COS"), TokCos},
    {QLatin1StringView("TAN"), TokTan},
    {QLatin1StringView("ASIN"), TokAsin},
    {QLatin1StringView("ACOS"), TokAcos},
    {QLatin1StringView("ATAN"), TokAtan},
    {QLatin1StringView("ABS"), TokAbs},
    {QLatin1StringView("GINT"), TokGint},
    {QLatin1StringView("LN"), TokLn},
    {QLatin1StringView("LOG"), TokLog},
    {QLatin1StringView("SQRT"), TokSqrt},
    {QLatin1StringView("SR"), TokSqrt},
    {QLatin1StringView("COSH"), TokCosh},
    {QLatin1StringView("SINH"), TokSinh},
    {QLatin1StringView("TANH"), TokTanh},
    {QLatin1StringView("SEC"), TokSec},
    {QLatin1StringView("COSEC"), TokCosec},
    {QLatin1StringView("COT"), TokCot},
    {QLatin1StringView("EXP"), TokExp},
    {QLatin1StringView("ROW"), StatTokRow},
    {QLatin1StringView("FISHER"), StatFisher},
    {QLatin1StringView("NORMAL"), StatNormP},
    {QLatin1StringView("NORMP"), StatNormP},
    {QLatin1StringView("ZSCORE"), StatZScore},
    {QLatin1StringView("INC"), StatInc},
    {QLatin1StringView("RAND"), StatRand},
    {QLatin1StringView("NORMQ"), StatNormQ},
    {QLatin1StringView("NORMPDF"), StatNormPdf},
    {QLatin1StringView("RANDBETWEEN"), StatRandBetween},
    {QLatin1StringView("STANDARDIZE"), StatStandardize},
    {QLatin1StringView("STANDARDISE"), StatStandardize},
    {QLatin1StringView("MPA"), StatMpa},
    {QLatin1StringView("SORTCOL"), StatSortCol},
    {QLatin1StringView("SORTCOLA"), StatSortCol},
    {QLatin1StringView("SORTCOLD"), StatSortColD},
    {QLatin1StringView("DEVIATION"), StatDeviation},
    {QLatin1StringView("FREQTABLE"), StatFreqTable},
    {QLatin1StringView("RANDNORMAL"), StatRandNormal},
    {QLatin1StringView("ROUND"), StatRound},
    {QLatin1StringView("SORT"), StatSort},
    {QLatin1StringView("SORTA"), StatSort},
    {QLatin1StringView("SORTD"), StatSortD},
    {QLatin1StringView("RANKA"), StatRankA},
    {QLatin1StringView("RANK"), StatRankD},
    {QLatin1StringView("RANKD"), StatRankD},
    {QLatin1StringView("PERCENTILE"), StatPercentile},
    {QLatin1StringView("STANINE"), StatStanine},
    {QLatin1StringView("DECILE"), StatDecile},
    {QLatin1StringView("CUMFREQTABLE"), StatCumFreqTable},
    {QLatin1StringView("GROUP"), StatGroupN},
    {QLatin1StringView("GROUPN"), StatGroupN},
    {QLatin1StringView("GROUPW"), StatGroupW},
    {QLatin1StringView("GROUPE"), StatGroupE},
    {QLatin1StringView("RANDBINOMIAL"), StatRandBinomial},
    {QLatin1StringView("RANDHYPERGEOMETRIC"), StatRandHypergeometric},
    {QLatin1StringView("RANDGEOMETRIC"), StatRandGeometric},
    {QLatin1StringView("RANDBERNOULLI"), StatRandBernoulli},
    {QLatin1StringView("RANDNEGBINOMIAL"), StatRandNegBinomial},
    {QLatin1StringView("PREDICTX"), StatPredictX},
    {QLatin1StringView("PREDICTY"), StatPredictY},
    {QLatin1StringView("PREDICT"), StatPredictY},
    {QLatin1StringView("RESIDUALX"), StatResidualX},
    {QLatin1StringView("RESIDUALY"), StatResidualY},
    {QLatin1StringView("RESIDUAL"), StatResidualY},
    {QLatin1StringView("SEASONALISE"), StatSeasonalise},
    {QLatin1StringView("BIDATAGEN"), StatBiDataGen},
    {QLatin1StringView("FIBONACCI"), StatFibonacci},
    {QLatin1StringView("TRIBONACCI"), StatTribonacci},
    {QLatin1StringView("TRIANGULAR"), StatTriangular},
    {QLatin1StringView("TSDGEN"), StatTsdGen},
};

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c;
}

int ClassOf(char16_t c, char16_t point, char16_t separator) {
    if ((c >= u'A' && c <= u'Z') || c == u'@' || c == kPiChar)
        return Letter;
    int cls = Word; // an unknown character joins a word
    if ((c >= u'0' && c <= u'9') || c == point)
        cls = Digit;
    switch (c) {
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
        cls = Operator;
        break;
    case u'-':
        cls = Minus;
        break;
    case u'(':
        cls = Open;
        break;
    case u')':
        cls = Close;
        break;
    case kEndChar:
        cls = Edge;
        break;
    default:
        break;
    }
    if (c == separator)
        cls = Separator;
    return cls;
}

bool IsOperand(int code) {
    return code == TokNumber || code == TokPi || code == StatTokRow ||
           QvStatFormula::ColumnOf(code) >= 0;
}

bool IsRelation(int code) {
    return code == TokEquals || (code >= TokGreaterEqual && code <= TokLessEqual) ||
           code == StatTokGreater;
}

// Whether a function needs columns of its own for its whole-column work,
// and how many.
int WorkColumnsOf(int code) {
    switch (code) {
    case StatRankA:
    case StatRankD:
    case StatPredictX:
    case StatPredictY:
    case StatResidualX:
    case StatResidualY:
    case StatSeasonalise:
    case StatTsdGen:
        return 1;
    case StatBiDataGen:
        return 2; // x and y
    default:
        return 0;
    }
}

// Writes tokens from entry 1 on, each with the place in the text it came
// from.  The list ends at the first word that is not read; a token beyond
// the last entry marks the text as too long.
class TokenWriter {
public:
    TokenWriter(QvFunctionToken (&tokens)[QvStatFormula::kTokens],
                int (&from)[QvStatFormula::kTokens], int (&length)[QvStatFormula::kTokens])
        : m_tokens(tokens), m_from(from), m_length(length) {}
    void Emit(int code, double value, qsizetype from, qsizetype length) {
        if (Done())
            return;
        if (m_n >= QvStatFormula::kTokens) {
            m_full = true;
            return;
        }
        m_tokens[m_n] = {code, value};
        m_from[m_n] = int(from);
        m_length[m_n] = int(length);
        ++m_n;
    }
    void End() { m_ended = true; }
    bool Done() const { return m_ended || m_full; }
    bool Full() const { return m_full; }

private:
    QvFunctionToken (&m_tokens)[QvStatFormula::kTokens];
    int (&m_from)[QvStatFormula::kTokens];
    int (&m_length)[QvStatFormula::kTokens];
    int m_n = 1;
    bool m_ended = false;
    bool m_full = false;
};

} // namespace

QvStatFormula::QvStatFormula() {
    // The separator follows the decimal point; the typesetting options'
    // own separator can be switched off, this one cannot.
    decimalPoint = TheSettings().m_EquationDefaults.DecimalPoint.GetValue();
    listSeparator = decimalPoint == '.' ? ',' : ';';
    Reset();
}

QvStatFormula::~QvStatFormula() = default;

void QvStatFormula::Reset() {
    for (QvFunctionToken& entry : program)
        entry = {};
    angleUnit = 0;
}

void QvStatFormula::SetText(QString text) {
    m_text = std::move(text);
}

int QvStatFormula::ColumnOf(int code) {
    if (code == StatTokRow)
        return 26;
    for (int i = 0; i < 26; ++i)
        if (kColumnCodes[i] == code)
            return i;
    return -1;
}

int QvStatFormula::ColumnCode(int column) {
    return column >= 0 && column < 26 ? kColumnCodes[column] : TokEnd;
}

int QvStatFormula::ArgumentCount(int code) {
    switch (code) {
    case StatFisher:
    case StatNormP:
    case StatZScore:
    case StatRand:
    case StatNormQ:
    case StatNormPdf:
    case StatSortCol:
    case StatSortColD:
    case StatDeviation:
    case StatFreqTable:
    case StatSort:
    case StatSortD:
    case StatRankA:
    case StatRankD:
    case StatPercentile:
    case StatStanine:
    case StatDecile:
    case StatCumFreqTable:
    case StatGroupE:
    case StatTriangular:
        return 1;
    case StatMpa:
    case StatRound:
    case StatGroupN:
    case StatGroupW:
    case StatRandGeometric:
    case StatRandBernoulli:
    case StatSeasonalise:
        return 2;
    case StatInc:
    case StatRandBetween:
    case StatStandardize:
    case StatRandNormal:
    case StatRandBinomial:
    case StatRandNegBinomial:
    case StatPredictX:
    case StatPredictY:
    case StatResidualX:
    case StatResidualY:
    case StatFibonacci:
        return 3;
    case StatRandHypergeometric:
    case StatTribonacci:
        return 4;
    case StatBiDataGen:
    case StatTsdGen:
        return 9;
    default:
        return 0;
    }
}

int QvStatFormula::ClassifyToken(QString word) {
    for (QChar& c : word)
        c = QChar(Upper(c.unicode()));
    if (word.size() == 1) {
        const char16_t c = word[0].unicode();
        if (c >= u'A' && c <= u'Z')
            return kColumnCodes[c - u'A'];
        if (c == 0xB3)
            return TokGreaterEqual;
        if (c == 0xA3)
            return TokLessEqual;
        if (c == kPiChar)
            return TokPi;
    }
    for (const WordCode& w : kWords)
        if (word == w.text)
            return w.code;
    return TokEnd;
}

bool QvStatFormula::Tokenize() {
    for (QvFunctionToken& t : tokens)
        t = {};
    for (int i = 0; i < kTokens; ++i) {
        m_from[i] = -1;
        m_length[i] = 0;
    }
    unreadWord.clear();
    if (m_text.isEmpty())
        return true;

    TokenWriter out(tokens, m_from, m_length);
    const char16_t point = char16_t(static_cast<unsigned char>(decimalPoint));
    const char16_t separator = char16_t(static_cast<unsigned char>(listSeparator));
    auto notRead = [&](const QString& word) {
        unreadWord = word;
        out.End();
    };
    QString word;
    qsizetype start = 0; // where the word began
    int previous = Edge;
    int beforeMinus = Edge; // the class before the minus being gathered
    bool gap = false;       // a space since the word began
    const qsizetype textLength = m_text.size();
    for (qsizetype pos = 0; pos <= textLength && !out.Done(); ++pos) {
        char16_t ch = pos < textLength ? m_text[pos].unicode() : kEndChar;
        if (ch == 0)
            ch = kEndChar;
        // Spaces part tokens and are otherwise skipped: A - 5 is A-5.
        if (ch == u' ') {
            gap = true;
            continue;
        }
        ch = Upper(ch);
        const int cls = ClassOf(ch, point, separator);
        // A letter straight after a letter makes a word: SORT, EXP, ROW.
        if (cls == Letter && (previous == Letter || previous == Word) && !gap) {
            word += QChar(ch);
            previous = Word;
            continue;
        }
        // What a minus starting here follows.  After a word it subtracts
        // from the row number (ROW-1) and is the sign of a function's
        // argument (SIN-A); after an argument's separator or another minus
        // it is a sign.
        int follows = previous;
        if (cls == Minus && previous == Word)
            follows = ClassifyToken(word) == StatTokRow ? Letter : Operator;
        else if (cls == Minus && (previous == Separator || previous == Minus))
            follows = Operator;
        if (previous == Edge ||
            (cls == previous && !gap && cls != Separator && cls != Minus && cls != Edge)) {
            if (previous == Edge)
                start = pos;
            if (cls == Minus)
                beforeMinus = follows;
            word += QChar(ch);
            previous = cls;
            gap = false;
            continue;
        }
        gap = false;
        switch (previous) {
        case Digit:
            out.Emit(TokNumber, QvTextToDouble(word), start, pos - start);
            // 2A, 2(A+1), 2SQRT(A)
            if (cls != Operator && cls != Minus && cls != Separator && cls != Close && cls != Edge)
                out.Emit(TokMultiply, 0.0, pos, 1);
            break;
        case Operator:
        case Letter:
        case Word: {
            const int code = ClassifyToken(word);
            if (code == TokEnd)
                notRead(word);
            else
                out.Emit(code, 0.0, start, word.size());
            break;
        }
        case Open:
        case Close:
            for (qsizetype i = 0; i < word.size(); ++i)
                out.Emit(word[i] == u'(' ? TokOpen : TokClose, 0.0, start + i, 1);
            if (previous == Close && cls == Open)
                out.Emit(TokMultiply, 0.0, pos, 1); // (A+1)(A-1)
            break;
        case Minus: {
            const bool afterValue =
                beforeMinus == Digit || beforeMinus == Letter || beforeMinus == Close;
            if (cls == Digit && !afterValue) {
                // A negative number: -5, (-5, 2*-3.
                word += QChar(ch);
                previous = Digit;
                continue;
            }
            if (cls != Digit && cls != Letter && cls != Word && cls != Open && cls != Minus) {
                notRead(QStringLiteral("-")); // nothing to subtract or to sign
                break;
            }
            if (afterValue) {
                out.Emit(TokSubtract, 0.0, start, 1);
            } else {
                out.Emit(TokNumber, -1.0, start, 1);
                out.Emit(TokMultiply, QvFunction::kSignProduct, start, 1);
            }
            break;
        }
        case Separator:
            out.Emit(StatTokSeparator, 0.0, start, 1);
            break;
        default:
            break;
        }
        if (cls == Minus)
            beforeMinus = follows;
        word = QChar(ch);
        start = pos;
        previous = cls;
    }
    if (out.Full()) {
        unreadWord.clear();
        return false;
    }
    return true;
}

bool QvStatFormula::InsertToken(int position, int code) {
    if (position < 1 || position >= kTokens || tokens[kTokens - 1].code != TokEnd)
        return false;
    for (int i = kTokens - 1; i > position; --i) {
        tokens[i] = tokens[i - 1];
        m_from[i] = m_from[i - 1];
        m_length[i] = m_length[i - 1];
    }
    tokens[position].code = code;
    m_from[position] = -1;
    m_length[position] = 0;
    return true;
}

bool QvStatFormula::MarkMissingArguments(int p, int m) {
    int j = 2, k = 0;
    while (j < kTokens - p && k < m) {
        const int code = tokens[p + j].code;
        if (code == TokClose) {
            if (!InsertToken(p + j, StatTokMissing))
                return false;
            if (k >= 1 && tokens[p + j - 1].code != StatTokSeparator) {
                if (!InsertToken(p + j, StatTokSeparator))
                    return false;
                ++j;
            }
            ++k;
            if (k < m) {
                if (!InsertToken(p + j + 1, StatTokSeparator))
                    return false;
                ++j;
            }
        } else if (code == StatTokSeparator) {
            // An empty argument: GROUPN(,5).
            if (!InsertToken(p + j, StatTokMissing))
                return false;
            ++j;
            ++k;
        } else {
            ++k;
            if (p + j + 1 < kTokens && tokens[p + j + 1].code == StatTokSeparator)
                ++j;
        }
        ++j;
    }
    return true;
}

bool QvStatFormula::InsertArgumentMarks() {
    for (int i = 1; i < kTokens && tokens[i].code != TokEnd; ++i) {
        int m = 0;
        switch (tokens[i].code) {
        case StatGroupN:
        case StatSeasonalise:
            m = 2;
            break;
        case StatPredictX:
        case StatPredictY:
        case StatResidualX:
        case StatResidualY:
            m = 3;
            break;
        default:
            break;
        }
        if (m && !MarkMissingArguments(i, m))
            return false;
    }
    return true;
}

int QvStatFormula::Compile() {
    for (QvFunctionToken& entry : program)
        entry = {};
    for (int& s : m_source)
        s = 0;
    m_work.clear();
    if (!Tokenize() || !InsertArgumentMarks()) {
        unreadWord.clear();
        return kTooLong;
    }

    // The operator stack holds token indexes: the code is the token's, and
    // a word that is not read can be named.
    bool ok = true;
    int j = 1;
    auto code = [&](int token) { return tokens[token].code; };
    auto write = [&](int token) {
        if (j >= kProgram) {
            ok = false;
            return;
        }
        program[j] = {code(token), IsOperand(code(token)) ? tokens[token].value : 0.0};
        m_source[j++] = token;
    };
    QvIntStack ops;
    auto push = [&](int token) {
        if (!ops.Push(token))
            ok = false;
    };
    int i = 1;
    for (; ok && i < kTokens && code(i) != TokEnd && code(i) != StatTokStop; ++i) {
        const int c = code(i);
        if (IsOperand(c)) {
            write(i);
        } else if (c == TokAdd || c == TokSubtract) {
            while (!ops.IsEmpty() && code(ops.Top()) != TokOpen)
                write(ops.Pop());
            push(i);
        } else if (c == TokMultiply || c == TokDivide) {
            // A minus sign's product waits for the operand that follows.
            if (!(c == TokMultiply && tokens[i].value == QvFunction::kSignProduct)) {
                while (!ops.IsEmpty() &&
                       (code(ops.Top()) == TokPower || code(ops.Top()) == TokMultiply ||
                        code(ops.Top()) == TokDivide))
                    write(ops.Pop());
            }
            push(i);
        } else if (c == TokClose || c == StatTokSeparator) {
            int open = 0;
            while (!ops.IsEmpty()) {
                const int t = ops.Pop();
                if (code(t) == TokOpen) {
                    open = t;
                    break;
                }
                write(t);
            }
            if (open && c == StatTokSeparator) {
                push(open);
            } else if (open && !ops.IsEmpty()) {
                // The function whose arguments this closes.
                const int before = code(ops.Top());
                if (before != TokMultiply && before != TokDivide && before != TokAdd &&
                    before != TokSubtract && before != TokPower && before != TokOpen)
                    write(ops.Pop());
            }
        } else {
            push(i); // functions, "(", "^", relations and missing arguments
        }
    }
    // An unclosed "(" keeps what stands before it: SORT(A is SORT(A).
    while (ok && !ops.IsEmpty()) {
        const int t = ops.Pop();
        if (code(t) != TokOpen)
            write(t);
    }
    if (!ok) {
        for (QvFunctionToken& entry : program)
            entry = {};
        unreadWord.clear();
        return kTooLong;
    }
    MakeWorkColumns();

    if (!unreadWord.isEmpty())
        return kUnread;
    if (i < kTokens && code(i) == StatTokStop && i + 1 < kTokens && code(i + 1) != TokEnd) {
        unreadWord = TokenText(i + 1);
        return kUnread;
    }
    return CheckProgram();
}

int QvStatFormula::CheckProgram() {
    // Runs the program on depths alone: each entry takes its operands and
    // leaves one value.  Each value remembers the token it started at.
    int first[kProgram];
    int depth = 0;
    int j = 1;
    for (; j < kProgram && program[j].code != TokEnd; ++j) {
        const int c = program[j].code;
        const int token = m_source[j];
        int need;
        if (IsOperand(c) || c == StatTokMissing)
            need = 0;
        else if (QvIsOperator(c))
            need = 2;
        else if (QvIsFunction(c))
            need = 1;
        else
            need = ArgumentCount(c);
        if (IsRelation(c) || (need == 0 && !IsOperand(c) && c != StatTokMissing) || depth < need) {
            unreadWord = TokenText(token);
            return kUnread;
        }
        depth -= need;
        // An operator's value starts where its left operand did.
        if (!QvIsOperator(c))
            first[depth] = token;
        ++depth;
    }
    if (depth == 1)
        return kRead;
    if (depth > 1) {
        unreadWord = TokenText(first[1]);
        return kUnread;
    }
    // No program: nothing at all, or only brackets and separators.
    if (m_text.trimmed().isEmpty())
        return kRead;
    unreadWord = m_text.trimmed();
    return kUnread;
}

QString QvStatFormula::TokenText(int token) const {
    // A mark stands where the tokens after it were read.
    for (int i = token; i >= 1 && i < kTokens; ++i) {
        if (m_from[i] >= 0)
            return m_text.mid(m_from[i], m_length[i]);
        if (tokens[i].code == TokEnd)
            break;
    }
    return m_text.trimmed();
}

void QvStatFormula::MakeWorkColumns() {
    for (int j = 0; j < kProgram; ++j) {
        m_workOf[j] = -1;
        const int n = WorkColumnsOf(program[j].code);
        if (j == 0 || n == 0)
            continue;
        m_workOf[j] = int(m_work.size());
        for (int k = 0; k < n; ++k)
            m_work.push_back(std::make_unique<QvStatColumn>());
    }
}

QvStatColumn& QvStatFormula::Work(int second) {
    return *m_work[size_t(m_workOf[m_entry] + second)];
}

QvStatFit& QvStatFormula::Fit(QvStatData* data) {
    if (!m_fit)
        m_fit = std::make_unique<QvStatFit>();
    m_fit->SetData(data);
    return *m_fit;
}
