// The passes that classify typed maths into cells.  Each walks the working
// text from the start; inserting or deleting a character moves the kinds
// and levels with it.  Hidden brackets group what a script, a fraction or a
// function name takes, so that the drawing can find it again.
#include "text/equation.h"

#include "text/equation_options.h"
#include "text/equation_tables.h"
#include "text/number_text.h"

#include <cstring>
#include <vector>

namespace {
constexpr char16_t kRadical = 214;
constexpr char16_t kTallRadical = 216;
constexpr char16_t kHat = 173;
constexpr char16_t kRaisedDot = 183;

bool InSet(char16_t c, const char* set) {
    return c != 0 && c < 256 && QvCharInSet(static_cast<char>(c), set);
}
bool IsLetter(char16_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsCapital(char16_t c) {
    return c >= 'A' && c <= 'Z';
}
bool IsOpen(char16_t c) {
    return c == '(' || c == '[' || c == '{';
}
bool IsClose(char16_t c) {
    return c == ')' || c == ']' || c == '}';
}
bool IsRaisedKind(int k) {
    switch (k) {
    case QvEquation::Superscript:
    case QvEquation::RaisedScript:
    case QvEquation::RaisedVariable:
    case QvEquation::RaisedFunction:
    case QvEquation::RaisedSymbol:
    case QvEquation::Raised2:
    case QvEquation::Raised2Variable:
    case QvEquation::Raised2Function:
    case QvEquation::Raised2Symbol:
        return true;
    default:
        return false;
    }
}
bool IsFunctionKind(int k) {
    return k == QvEquation::FunctionLetter || k == QvEquation::RaisedFunction ||
           k == QvEquation::Raised2Function;
}
} // namespace

// ---- Helpers over the cells ----

char16_t QvEquation::At(int i) const {
    return i >= 0 && i < int(m_work.size()) ? m_work[size_t(i)] : char16_t(0);
}

int QvEquation::KindAt(int i) const {
    return i >= 0 && i < kCells ? m_kind[size_t(i)] : int(Plain);
}

bool QvEquation::IsLiteral(int i) const {
    return KindAt(i) == Literal;
}

bool QvEquation::IsSymbolCell(int i) const {
    int k = KindAt(i) % kUnderRadical;
    return k == SymbolChar || k == RaisedSymbol || k == LoweredSymbol || k == Raised2Symbol;
}

bool QvEquation::IsDigitChar(char16_t c) const {
    return InSet(c, DigitSet());
}

bool QvEquation::IsNumberChar(char16_t c) const {
    return IsDigitChar(c) ||
           (c != 0 && c == char16_t(static_cast<unsigned char>(Options().m_decimalPoint)));
}

bool QvEquation::IsRootIndex(int i) const {
    char16_t c = At(i);
    if (IsNumberChar(c) || IsLetter(c))
        return true;
    return IsSymbolCell(i) && InSet(c, "\xB1\xB0"
                                       "abcdfglmpq");
}

bool QvEquation::ReadsAt(int i, const char* word) const {
    size_t len = std::strlen(word);
    if (i < 0 || size_t(i) + len > m_work.size())
        return false;
    for (size_t k = 0; k < len; ++k) {
        if (m_work[size_t(i) + k] != char16_t(static_cast<unsigned char>(word[k])) ||
            IsLiteral(i + int(k)))
            return false;
    }
    return true;
}

int QvEquation::MatchClose(int open) const {
    int depth = 0;
    for (int j = open; j < int(m_work.size()); ++j) {
        if (IsOpen(m_work[size_t(j)]))
            ++depth;
        else if (IsClose(m_work[size_t(j)]) && --depth == 0)
            return j;
    }
    return -1;
}

int QvEquation::MatchOpen(int close) const {
    int depth = 0;
    for (int j = close; j >= 0; --j) {
        if (IsClose(m_work[size_t(j)]))
            ++depth;
        else if (IsOpen(m_work[size_t(j)]) && --depth == 0)
            return j;
    }
    return -1;
}

bool QvEquation::InsertHidden(int i, char16_t c, int kind) {
    if (!InsertAt(i))
        return false;
    m_work[size_t(i)] = c;
    m_kind[size_t(i)] = static_cast<unsigned char>(kind);
    return true;
}

// ---- The passes ----

void QvEquation::MarkQuoted() {
    bool quoted = false;
    for (int i = 0; i < int(m_work.size()); ++i) {
        if (m_work[size_t(i)] == '"') {
            quoted = !quoted;
            m_kind[size_t(i)] = HiddenMark;
        } else if (quoted) {
            m_kind[size_t(i)] = Literal;
        }
    }
}

void QvEquation::MarkBigOperators() {
    static const unsigned char kinds[kBigOperatorCount] = {IntegralLetter, SumLetter, LimitLetter,
                                                           ProductLetter};
    for (int i = 0; i < int(m_work.size()); ++i) {
        for (int op = 0; op < kBigOperatorCount; ++op) {
            if (!ReadsAt(i, kBigOperators[op]))
                continue;
            int len = int(std::strlen(kBigOperators[op]));
            m_flags.fraction = true;
            if (kinds[op] == SumLetter || kinds[op] == ProductLetter)
                m_flags.tallBrackets = true;
            for (int k = i; k < i + len; ++k)
                m_kind[size_t(k)] = kinds[op];
            // Limits are split at ';', so that the list separator leaves them be.
            if (At(i + len) == '(') {
                for (int k = i + len + 1; k < int(m_work.size()) && m_work[size_t(k)] != ')'; ++k) {
                    if (m_work[size_t(k)] == ',')
                        m_work[size_t(k)] = ';';
                }
            }
            i += len - 1;
            break;
        }
    }
}

void QvEquation::Raise(int i) {
    unsigned char& k = m_kind[size_t(i)];
    if (k == Superscript) {
        k = Raised2;
        m_flags.secondLevel = true;
    } else if (k == SymbolChar) {
        k = RaisedSymbol;
    } else if (k == RaisedSymbol) {
        k = Raised2Symbol;
    } else {
        k = Superscript;
    }
}

void QvEquation::RaiseNumberAfter(int i) {
    for (int k = i; k < int(m_work.size()) && IsNumberChar(m_work[size_t(k)]); ++k) {
        if (m_kind[size_t(k)] == Superscript || m_kind[size_t(k)] == Raised2) {
            m_kind[size_t(k)] = Raised2;
            m_flags.secondLevel = true;
        } else {
            m_kind[size_t(k)] = Superscript;
        }
    }
}

void QvEquation::MarkScripts() {
    for (int i = 0; i + 1 < int(m_work.size()); ++i) {
        char16_t c = m_work[size_t(i)];
        int kind = m_kind[size_t(i)];
        if (c == '^' && kind != Literal && !IsSymbolCell(i) && kind != HiddenCaret) {
            m_kind[size_t(i)] = HiddenCaret;
            m_flags.scripts = true;
            int j = i + 1;
            if (!IsOpen(At(j))) {
                Raise(j);
                for (++j; j < int(m_work.size()); ++j) {
                    char16_t d = m_work[size_t(j)];
                    if (!(IsNumberChar(d) || IsLetter(d) || IsSymbolCell(j) || d == '^'))
                        break;
                    Raise(j);
                }
            } else {
                int close = MatchClose(j);
                int end = close < 0 ? int(m_work.size()) : close;
                m_kind[size_t(j)] = HiddenOpen;
                for (int k = j + 1; k < end; ++k)
                    m_kind[size_t(k)] = IsSymbolCell(k) ? RaisedSymbol : Superscript;
                if (close >= 0)
                    m_kind[size_t(close)] = HiddenClose;
            }
            continue;
        }
        // x2 is x squared, and so is a bracket followed by 2.
        if (kind != Literal && (IsLetter(c) || IsClose(c)) && IsDigitChar(At(i + 1)) &&
            !IsLiteral(i + 1)) {
            if (InsertHidden(i + 1, '^', HiddenCaret)) {
                m_flags.scripts = true;
                RaiseNumberAfter(i + 2);
            }
        }
    }
}

void QvEquation::MarkBackslashGroups() {
    for (int i = 0; i < int(m_work.size()); ++i) {
        // A Symbol '\' is the "therefore" sign, not a backslash.
        if (m_work[size_t(i)] != '\\' || IsLiteral(i) || IsSymbolCell(i))
            continue;
        m_flags.backslash = true;
        m_kind[size_t(i)] = HiddenBackslash;
        auto lower = [&](int k) { m_kind[size_t(k)] = IsSymbolCell(k) ? LoweredSymbol : Lowered; };
        int j = i + 1;
        if (j >= int(m_work.size()))
            break;
        if (IsOpen(m_work[size_t(j)])) {
            int close = MatchClose(j);
            int end = close < 0 ? int(m_work.size()) : close;
            m_kind[size_t(j)] = HiddenOpen;
            for (int k = j + 1; k < end; ++k)
                lower(k);
            if (close >= 0)
                m_kind[size_t(close)] = HiddenClose;
        } else {
            lower(j);
            for (++j; j < int(m_work.size()); ++j) {
                char16_t d = m_work[size_t(j)];
                if (!(IsNumberChar(d) || IsLetter(d) || IsSymbolCell(j)))
                    break;
                lower(j);
            }
        }
    }
}

void QvEquation::MarkFunctions(bool removeBrackets) {
    auto mark = [&](int k) {
        unsigned char& kind = m_kind[size_t(k)];
        if (kind == Plain)
            kind = FunctionLetter;
        else if (kind == Superscript)
            kind = RaisedFunction;
        else if (kind == Raised2)
            kind = Raised2Function;
        else if (kind == Lowered)
            kind = LoweredFunction;
    };
    const int names = FunctionNameCount();
    for (int i = 0; i < int(m_work.size()); ++i) {
        if (IsLiteral(i))
            continue;
        for (int f = 0; f < names; ++f) {
            const char* name = kFunctionNames[f];
            if (!ReadsAt(i, name))
                continue;
            int len = int(std::strlen(name));
            for (int k = i; k < i + len; ++k)
                mark(k);
            bool root = std::strcmp(name, "root") == 0;
            if (root) {
                for (int k = i - 1; k >= 0 && IsRootIndex(k); --k)
                    mark(k);
            }
            // "sqrt2": the 2 read as a power of the name is the radicand.
            if ((root || std::strcmp(name, "sqrt") == 0 || std::strcmp(name, "sr") == 0) &&
                At(i + len) == '^' && KindAt(i + len) == HiddenCaret) {
                DeleteAt(i + len);
                for (int k = i + len; k < int(m_work.size()) && IsNumberChar(m_work[size_t(k)]) &&
                                      IsRaisedKind(m_kind[size_t(k)]);
                     ++k)
                    m_kind[size_t(k)] = RootIndexDigit;
            }
        }
    }
    GroupArguments(removeBrackets);
}

void QvEquation::GroupArguments(bool removeBrackets) {
    enum Phase { Name, Unbracketed, Bracketed };
    struct Group {
        Phase phase;
        int start;     // the argument's first cell, or its opening bracket
        int depth = 0; // brackets opened inside the argument
    };
    std::vector<Group> open;
    bool removal = removeBrackets;
    auto closeGroup = [&](int at) {
        Group g = open.back();
        open.pop_back();
        int added = 0;
        if (g.phase == Unbracketed && InsertHidden(at, ')', HiddenClose))
            ++added;
        if (InsertHidden(at + added, ')', HiddenClose))
            ++added;
        return added;
    };
    int i = 0;
    while (i < int(m_work.size())) {
        char16_t c = m_work[size_t(i)];
        int kind = m_kind[size_t(i)];
        if (!open.empty() && open.back().phase == Name) {
            Group& g = open.back();
            if (IsFunctionKind(kind) || IsRaisedKind(kind) || c == ' ' || kind == HiddenCaret) {
                ++i;
                continue;
            }
            if (kind == HiddenOpen) {
                // A bracketed power of the name ("sin^(2) x").
                int close = MatchClose(i);
                i = close < 0 ? int(m_work.size()) : close + 1;
                continue;
            }
            if (IsOpen(c) && kind != Literal) {
                g.phase = Bracketed;
                g.start = i;
                g.depth = 0;
            } else {
                if (InsertHidden(i, '(', HiddenOpen))
                    ++i;
                g.phase = Unbracketed;
                g.start = i;
                g.depth = 0;
            }
        }
        // A function name opens a group, inside an argument or not.
        if (IsFunctionKind(kind) && !IsFunctionKind(KindAt(i - 1))) {
            if (InsertHidden(i, '(', HiddenOpen))
                ++i;
            open.push_back({Name, i});
            ++i;
            continue;
        }
        if (open.empty()) {
            ++i;
            continue;
        }
        Group& g = open.back();
        if (g.phase == Unbracketed) {
            if (IsOpen(c)) {
                ++g.depth;
            } else if (g.depth > 0) {
                if (IsClose(c))
                    --g.depth;
            } else if (!(IsNumberChar(c) || IsLetter(c) || IsSymbolCell(i) || kind == HiddenCaret ||
                         (c == '-' && i == g.start))) {
                i += closeGroup(i);
                continue;
            }
            ++i;
            continue;
        }
        // A bracketed argument.
        if (kind != Literal && (c == '+' || c == '-' || c == '*' ||
                                (IsSymbolCell(i) && (c == kMultiplyCross || c == kMultiplyDot))))
            removal = false;
        if (IsOpen(c)) {
            ++g.depth;
        } else if (IsClose(c) && --g.depth == 0) {
            if (removal) {
                m_kind[size_t(g.start)] = HiddenOpen;
                m_kind[size_t(i)] = HiddenClose;
            }
            i += 1 + closeGroup(i + 1);
            continue;
        }
        ++i;
    }
    while (!open.empty())
        closeGroup(int(m_work.size()));
}

void QvEquation::MarkLetters() {
    for (int i = 0; i < int(m_work.size()); ++i) {
        if (!IsLetter(m_work[size_t(i)]))
            continue;
        unsigned char& k = m_kind[size_t(i)];
        if (k == Plain)
            k = Variable;
        else if (k == Superscript)
            k = RaisedVariable;
        else if (k == Raised2)
            k = Raised2Variable;
        else if (k == Lowered)
            k = LoweredVariable;
    }
}

void QvEquation::MarkDoubleCapitals() {
    auto capital = [&](int i) { return IsCapital(At(i)) && KindAt(i) == Variable; };
    for (int i = 0; i + 1 < int(m_work.size()); ++i) {
        // Exactly two: "ABC" names a triangle, not a vector BC.
        if (capital(i) && capital(i + 1) && !capital(i + 2) && !capital(i - 1)) {
            m_kind[size_t(i)] = FirstCapital;
            m_kind[size_t(i + 1)] = SecondCapital;
            m_flags.scripts = true;
            ++i;
        }
    }
}

void QvEquation::MarkVectors() {
    const QvEquationOptions& o = Options();
    const int n = int(m_work.size());
    if (o.m_lowerCase == 1) {
        bool unit = false, excluded = false, afterEquals = false;
        for (int i = 0; i < n; ++i) {
            char16_t c = m_work[size_t(i)];
            if (c == '=' && !IsLiteral(i))
                afterEquals = true;
            if (m_kind[size_t(i)] != Variable)
                continue;
            bool ijk = c == 'i' || c == 'j' || c == 'k';
            unit = unit || ijk;
            excluded = excluded || InSet(c, "xyzZ") || (afterEquals && !ijk);
        }
        if (unit && !excluded) {
            for (int i = 0; i < n; ++i) {
                if (m_kind[size_t(i)] == Variable)
                    m_kind[size_t(i)] = LowerVector;
            }
        }
    } else if (o.m_lowerCase == 2) {
        for (int i = 0; i < n; ++i) {
            char16_t c = m_work[size_t(i)];
            if (m_kind[size_t(i)] == Variable && c >= 'a' && c <= 'z' && o.m_letters[c - 'a'])
                m_kind[size_t(i)] = LowerVector;
        }
    }
}

void QvEquation::RaiseDecimalPoints() {
    const QvEquationOptions& o = Options();
    if (!o.m_raiseDecimal || o.m_decimalPoint != '.')
        return;
    auto digit = [&](int i) { return At(i) >= '0' && At(i) <= '9'; };
    for (int i = 1; i + 1 < int(m_work.size()); ++i) {
        if (m_work[size_t(i)] == '.' && !IsLiteral(i) && digit(i - 1) && digit(i + 1))
            m_work[size_t(i)] = kRaisedDot;
    }
}

void QvEquation::MarkRadicand(int j) {
    auto under = [&](int k) {
        if (m_kind[size_t(k)] < kUnderRadical)
            m_kind[size_t(k)] = static_cast<unsigned char>(m_kind[size_t(k)] + kUnderRadical);
    };
    // Blanks between the word and what it takes stand under the sign too.
    int k = j;
    while (At(k) == ' ')
        ++k;
    if (k >= int(m_work.size()))
        return;
    while (j < k)
        under(j++);
    if (j >= int(m_work.size()))
        return;
    if (IsOpen(m_work[size_t(j)])) {
        int close = MatchClose(j);
        int end = close < 0 ? int(m_work.size()) : close;
        m_kind[size_t(j)] = HiddenOpen + kUnderRadical;
        for (int k = j + 1; k < end; ++k)
            under(k);
        if (close >= 0)
            m_kind[size_t(close)] = HiddenClose + kUnderRadical;
        return;
    }
    under(j);
    for (int k = j + 1; k < int(m_work.size()); ++k) {
        char16_t d = m_work[size_t(k)];
        if (!(IsNumberChar(d) || IsLetter(d) || IsSymbolCell(k) ||
              m_kind[size_t(k)] % kUnderRadical == HiddenCaret))
            break;
        under(k);
    }
}

void QvEquation::MarkRoots() {
    for (int i = 0; i < int(m_work.size()); ++i) {
        if (IsLiteral(i))
            continue;
        int len = ReadsAt(i, "sqrt") ? 4 : ReadsAt(i, "sr") ? 2 : ReadsAt(i, "root") ? 4 : 0;
        if (len == 0)
            continue;
        if (m_work[size_t(i)] == 'r') {
            for (int k = i - 1; k >= 0 && IsRootIndex(k); --k)
                m_kind[size_t(k)] = RaisedScript;
        }
        // A sign inside another radicand stays under that one's bar.
        const int outer = m_kind[size_t(i)] >= kUnderRadical ? kUnderRadical : 0;
        m_work[size_t(i)] = kRadical;
        m_kind[size_t(i)] = static_cast<unsigned char>(RadicalSign + outer);
        for (int k = i + 1; k < i + len; ++k)
            m_kind[size_t(k)] = HiddenFunction + kUnderRadical;
        m_flags.root = true;
        MarkRadicand(i + len);
        i += len - 1;
    }
}

int QvEquation::ItemEnd(int j, bool minus) const {
    if (IsOpen(At(j))) {
        int close = MatchClose(j);
        return close < 0 ? int(m_work.size()) : close + 1;
    }
    int k = j;
    if (minus && At(k) == '-')
        ++k;
    while (k < int(m_work.size()) &&
           (IsRootIndex(k) || m_kind[size_t(k)] % kUnderRadical == HiddenCaret))
        ++k;
    return k;
}

int QvEquation::ItemStart(int j, bool minus) const {
    if (IsClose(At(j))) {
        int open = MatchOpen(j);
        return open < 0 ? 0 : open;
    }
    int k = j;
    while (k >= 0 && (IsRootIndex(k) || m_kind[size_t(k)] % kUnderRadical == HiddenCaret ||
                      (minus && At(k) == '-')))
        --k;
    return k + 1;
}

void QvEquation::HideBrackets(int start, int end) {
    if (end - start >= 2 && IsOpen(At(start)) && IsClose(At(end - 1))) {
        m_kind[size_t(start)] = HiddenOpen;
        m_kind[size_t(end - 1)] = HiddenClose;
    }
}

void QvEquation::MarkFractions() {
    const char16_t separator = static_cast<unsigned char>(Separator());
    const bool separators = separator != 254 && separator != 255;
    for (int i = 0; i < int(m_work.size()); ++i) {
        char16_t c = m_work[size_t(i)];
        if (IsLiteral(i) || IsSymbolCell(i))
            continue;
        if (c == '/') {
            bool raised = IsRaisedKind(m_kind[size_t(i)] % kUnderRadical);
            if (!InsertHidden(i + 1, '(', HiddenOpen))
                continue;
            m_level[size_t(i + 1)] = 3;
            m_kind[size_t(i)] = FractionMark;
            m_level[size_t(i)] = 4;
            (raised ? m_flags.raisedFraction : m_flags.fraction) = true;
            int below = i + 2;
            int end = ItemEnd(below, false);
            HideBrackets(below, end);
            for (int k = below; k < end; ++k) {
                if (m_level[size_t(k)] == 2)
                    m_level[size_t(k)] = 3;
            }
            if (InsertHidden(end, ')', HiddenClose))
                m_level[size_t(end)] = 3;
            InsertHidden(end + 1, ')', HiddenClose);
            int start = ItemStart(i - 1, false);
            HideBrackets(start, i);
            for (int k = start; k < i; ++k) {
                if (m_level[size_t(k)] == 2)
                    m_level[size_t(k)] = 1;
            }
            InsertHidden(start, '(', HiddenOpen);
            i = end + 2;
            continue;
        }
        if (separators && c == separator) {
            bool afterVariable = KindAt(i - 1) == Variable;
            m_kind[size_t(i)] = FractionMark;
            m_level[size_t(i)] = 4;
            m_flags.fraction = true;
            int end = ItemEnd(i + 1, true);
            for (int k = i + 1; k < end; ++k) {
                unsigned char& l = m_level[size_t(k)];
                if (l == 2)
                    l = afterVariable ? 8 : 3;
                else if (l == 3)
                    l = 8;
            }
            // The item before goes up a row; in "a,b,c" the b that the
            // first separator sent to the bottom row becomes the middle.
            for (int k = ItemStart(i - 1, true); k < i; ++k) {
                unsigned char& l = m_level[size_t(k)];
                if (l == 2)
                    l = 1;
                else if (l == 3 || l == 8)
                    l = 7;
            }
        }
    }
}

void QvEquation::MarkTallRadicals() {
    for (int i = 0; i < int(m_work.size()); ++i) {
        if (m_work[size_t(i)] != kRadical || m_kind[size_t(i)] % kUnderRadical != RadicalSign)
            continue;
        // The group right after the sign's hidden letters.
        int open = i + 1;
        while (KindAt(open) % kUnderRadical == HiddenFunction || At(open) == ' ')
            ++open;
        if (!IsOpen(At(open)))
            continue;
        int close = MatchClose(open);
        int end = close < 0 ? int(m_work.size()) - 1 : close;
        bool upper = false, lower = false;
        for (int k = open; k <= end; ++k) {
            upper = upper || m_level[size_t(k)] == 1;
            lower = lower || m_level[size_t(k)] == 3;
        }
        if (!(upper && lower))
            continue;
        m_work[size_t(i)] = kTallRadical;
        m_flags.tallRadical = true;
        for (int k = open; k <= end; ++k) {
            if (m_kind[size_t(k)] < kUnderRadical)
                m_kind[size_t(k)] = static_cast<unsigned char>(m_kind[size_t(k)] + kUnderRadical);
        }
    }
}

void QvEquation::MarkBarsAndHats() {
    for (int i = 1; i < int(m_work.size()); ++i) {
        char16_t c = m_work[size_t(i)];
        if (IsLiteral(i))
            continue;
        bool bar = c == '_' && !IsSymbolCell(i);
        bool hat = c == kHat && IsSymbolCell(i);
        if (!bar && !hat)
            continue;
        m_kind[size_t(i)] = HiddenMark;
        m_kind[size_t(i - 1)] = bar ? BarOver : HatOver;
        m_flags.scripts = true;
    }
}

void QvEquation::MarkInverseTrig() {
    for (const char* name : {"sin", "cos", "tan"}) {
        for (int i = 0; i + 3 < int(m_work.size()); ++i) {
            if (!ReadsAt(i, name))
                continue;
            int j = i + 3;
            if (At(j) == '(' && At(j + 1) == '-' && At(j + 2) == '1' && KindAt(j) == HiddenOpen) {
                m_work[size_t(j)] = '-';
                m_work[size_t(j + 1)] = '1';
                m_work[size_t(j + 2)] = '(';
                m_kind[size_t(j)] = RaisedScript;
                m_kind[size_t(j + 1)] = RaisedScript;
                m_kind[size_t(j + 2)] = HiddenOpen;
            } else if (At(j) == '-' && At(j + 1) == '1') {
                m_kind[size_t(j)] = RaisedScript;
                m_kind[size_t(j + 1)] = RaisedScript;
            }
        }
    }
}
