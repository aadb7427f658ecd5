// Typed maths as the function language of the graphs reads it.  The
// rewriting works on a copy of the processed cells, so the object draws the
// same afterwards.
#include "text/equation.h"

#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

constexpr char16_t kPi = 205; // the function language's pi
constexpr char16_t kBar = 231;
constexpr char16_t kCross = 180;
constexpr char16_t kDot = 215;
constexpr char16_t kRaisedDot = 183;

struct Cell {
    char16_t c;
    bool function; // part of a function name
    bool symbol;   // a Symbol-font character
    int kind;
};

using Cells = std::vector<Cell>;

bool IsLetter(char16_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char16_t c) {
    return (c >= '0' && c <= '9') || c == '.';
}
bool IsOpen(char16_t c) {
    return c == '(' || c == '[' || c == '{';
}
bool IsClose(char16_t c) {
    return c == ')' || c == ']' || c == '}';
}
// Greek letters and the like, which stand for numbers as letters do.
bool IsGreek(const Cell& cell) {
    return cell.symbol && cell.c < 256 &&
           std::strchr("\xB1\xB0"
                       "abcdfglmpq",
                       char(cell.c)) != nullptr;
}

Cell MakeCell(char16_t c, bool function = false) {
    return Cell{c, function, false, 0};
}

void Insert(Cells& cells, size_t at, const char* text, bool function = false) {
    Cells added;
    for (const char* p = text; *p; ++p)
        added.push_back(MakeCell(char16_t(*p), function));
    cells.insert(cells.begin() + std::ptrdiff_t(std::min(at, cells.size())), added.begin(),
                 added.end());
}

bool ReadsAt(const Cells& cells, size_t i, const char* word) {
    size_t len = std::strlen(word);
    if (i + len > cells.size())
        return false;
    for (size_t k = 0; k < len; ++k)
        if (cells[i + k].c != char16_t(word[k]))
            return false;
    return true;
}

// The bracket closing the one at `open`, or the end of the text.
size_t MatchClose(const Cells& cells, size_t open) {
    int depth = 0;
    for (size_t j = open; j < cells.size(); ++j) {
        if (IsOpen(cells[j].c) ||
            (cells[j].symbol && (cells[j].c == 232 || cells[j].c == 235 || cells[j].c == 238)))
            ++depth;
        else if ((IsClose(cells[j].c) ||
                  (cells[j].symbol &&
                   (cells[j].c == 248 || cells[j].c == 251 || cells[j].c == 254))) &&
                 --depth == 0)
            return j;
    }
    return cells.size();
}

size_t SkipBlanks(const Cells& cells, size_t i) {
    while (i < cells.size() && cells[i].c == ' ')
        ++i;
    return i;
}

// The end of the item that starts at i: a bracket group, or a run of
// digits, letters and powers, a leading '-' included.
size_t ItemEnd(const Cells& cells, size_t i) {
    if (i < cells.size() && IsOpen(cells[i].c))
        return std::min(MatchClose(cells, i) + 1, cells.size());
    size_t k = i;
    if (k < cells.size() && cells[k].c == '-')
        ++k;
    while (k < cells.size() && (IsDigit(cells[k].c) || IsLetter(cells[k].c) || IsGreek(cells[k]) ||
                                cells[k].c == '^' || cells[k].symbol))
        ++k;
    return k;
}

// "sin-1 x": the argument was typed after a blank and stands outside the
// name's empty group "()", "(asin ()) x".  Bring it in, so the inverse
// applies to it.
void TakeArgumentIn(Cells& cells, size_t blank) {
    size_t open = blank + 1;
    if (open + 2 >= cells.size() || cells[open].c != '(' || cells[open + 1].c != ')' ||
        cells[open].kind != QvEquation::HiddenOpen || cells[open + 2].c != ')')
        return;
    size_t start = SkipBlanks(cells, open + 3);
    size_t end = ItemEnd(cells, start);
    if (end <= start)
        return;
    Cells item(cells.begin() + std::ptrdiff_t(start), cells.begin() + std::ptrdiff_t(end));
    cells.erase(cells.begin() + std::ptrdiff_t(start), cells.begin() + std::ptrdiff_t(end));
    cells.insert(cells.begin() + std::ptrdiff_t(open + 1), item.begin(), item.end());
}

// "3root(x)" as "(x)^(1/3)": the index runs back to the nearest '('.
// Returns where the scan goes on.
size_t RootToPower(Cells& cells, size_t word) {
    size_t indexStart = 0;
    for (size_t j = word; j-- > 0;) {
        if (cells[j].c == '(') {
            indexStart = j + 1;
            break;
        }
    }
    Cells index(cells.begin() + std::ptrdiff_t(indexStart), cells.begin() + std::ptrdiff_t(word));
    cells.erase(cells.begin() + std::ptrdiff_t(indexStart),
                cells.begin() + std::ptrdiff_t(word + 4));
    size_t start = SkipBlanks(cells, indexStart);
    size_t end = ItemEnd(cells, start);
    Cells power;
    for (const char* p = "^(1/"; *p; ++p)
        power.push_back(MakeCell(char16_t(*p)));
    if (index.empty())
        power.push_back(MakeCell('2'));
    for (Cell cell : index) {
        cell.function = false;
        power.push_back(cell);
    }
    power.push_back(MakeCell(')'));
    cells.insert(cells.begin() + std::ptrdiff_t(end), power.begin(), power.end());
    return indexStart;
}

// "sin^2 (x)" as "sin (x)^2": the power applies to the value.
void MovePowerBehind(Cells& cells, size_t caret) {
    size_t digits = caret + 1;
    while (digits < cells.size() && IsDigit(cells[digits].c))
        ++digits;
    size_t open = SkipBlanks(cells, digits);
    if (digits == caret + 1 || open >= cells.size() || !IsOpen(cells[open].c))
        return;
    size_t close = MatchClose(cells, open);
    if (close >= cells.size())
        return;
    Cells power(cells.begin() + std::ptrdiff_t(caret), cells.begin() + std::ptrdiff_t(digits));
    cells.insert(cells.begin() + std::ptrdiff_t(close + 1), power.begin(), power.end());
    cells.erase(cells.begin() + std::ptrdiff_t(caret), cells.begin() + std::ptrdiff_t(digits));
}

// |x| as (abs(x)); a bar left open closes at the end.
void BarsToAbs(Cells& cells, size_t bar) {
    size_t close = bar + 1;
    while (close < cells.size() && !(cells[close].symbol && cells[close].c == kBar))
        ++close;
    cells[bar] = MakeCell('(');
    if (close < cells.size()) {
        cells[close] = MakeCell(')');
        Insert(cells, close + 1, ")");
    } else {
        Insert(cells, cells.size(), "))");
    }
    Insert(cells, bar, "(");
    Insert(cells, bar + 1, "abs", true);
}

void Rewrite(Cells& cells) {
    static const char* const kInverse[] = {"sin-1", "cos-1", "tan-1"};
    static const char* const kPowered[] = {"sin^", "cos^", "tan^", "cot^", "sec^", "cosec^"};
    for (size_t i = 0; i < cells.size(); ++i) {
        Cell& cell = cells[i];
        if (cell.symbol && cell.c == 'p') {
            cell = MakeCell(kPi);
            continue;
        }
        if ((cell.c == 214 || cell.c == 216) &&
            cell.kind % QvEquation::kUnderRadical == QvEquation::RadicalSign) {
            bool root = i + 1 < cells.size() && cells[i + 1].c == 'o';
            cell = MakeCell(root ? 'r' : 's', true);
            // The word is whole again: "root" is read at this position below.
        }
        bool done = false;
        for (const char* name : kInverse) {
            if (!ReadsAt(cells, i, name))
                continue;
            const char spelled[] = {'a', name[0], name[1], name[2]};
            for (size_t k = 0; k < 4; ++k)
                cells[i + k] = MakeCell(char16_t(spelled[k]), true);
            cells[i + 4] = MakeCell(' ');
            TakeArgumentIn(cells, i + 4);
            i += 4;
            done = true;
            break;
        }
        if (done)
            continue;
        if (ReadsAt(cells, i, "root")) {
            i = RootToPower(cells, i);
            --i; // the radicand is looked at next
            continue;
        }
        for (const char* name : kPowered) {
            if (ReadsAt(cells, i, name)) {
                MovePowerBehind(cells, i + std::strlen(name) - 1);
                break;
            }
        }
        Cell& c = cells[i];
        if (c.c == kRaisedDot) {
            c.c = '.';
        } else if (c.symbol && c.c == kBar) {
            BarsToAbs(cells, i);
            i += 4; // on to the bracket that was the bar
        } else if (c.c == '[' || c.c == '{' ||
                   (c.symbol && (c.c == 232 || c.c == 235 || c.c == 238))) {
            c = MakeCell('(');
        } else if (c.c == ']' || c.c == '}' ||
                   (c.symbol && (c.c == 248 || c.c == 251 || c.c == 254))) {
            c = MakeCell(')');
        } else if (c.symbol && (c.c == kCross || c.c == kDot)) {
            c = MakeCell('*');
        } else if (c.c == '^' && i + 1 < cells.size() && cells[i + 1].c == '-') {
            Insert(cells, i + 1, "(");
            size_t end = i + 3;
            while (end < cells.size() &&
                   (IsDigit(cells[end].c) || IsLetter(cells[end].c) || IsGreek(cells[end])))
                ++end;
            Insert(cells, end, ")");
        }
    }
}

// Where a product is only implied, '*' is written.
void WriteProducts(Cells& cells) {
    auto at = [&](size_t i) { return i < cells.size() ? cells[i].c : char16_t(0); };
    auto operand = [&](size_t i) {
        return i < cells.size() &&
               (IsDigit(cells[i].c) || IsLetter(cells[i].c) || IsGreek(cells[i]));
    };
    auto named = [&](size_t i) {
        return i < cells.size() && (IsLetter(cells[i].c) || IsGreek(cells[i]) || cells[i].c == kPi);
    };
    // The character two places back is not a letter, or there is none.
    auto freeBefore = [&](size_t i) { return i == 1 || (i >= 2 && !IsLetter(at(i - 2))); };
    for (size_t i = 0; i < cells.size(); ++i) {
        // Before the character.
        if (i > 0 && at(i) == '(' && operand(i - 1) && freeBefore(i) && !cells[i - 1].function) {
            Insert(cells, i, "*");
            ++i;
        } else if (i > 0 && named(i) && operand(i - 1) && freeBefore(i) &&
                   !(cells[i].function && cells[i - 1].function)) {
            Insert(cells, i, "*");
            ++i;
        }
        // After it.
        bool next = operand(i + 1) || at(i + 1) == '(' || at(i + 1) == kPi;
        if (at(i) == ')' && next) {
            Insert(cells, i + 1, "*");
            ++i;
        } else if (named(i) && !cells[i].function && (operand(i + 1) || at(i + 1) == '(')) {
            Insert(cells, i + 1, "*");
            ++i;
        }
    }
}

} // namespace

QString QvEquation::ToFunctionText() const {
    Cells cells;
    cells.reserve(m_work.size());
    for (size_t i = 0; i < m_work.size(); ++i) {
        const QvCellStyle& style = m_style[std::min(i, size_t(kCells - 1))];
        cells.push_back(Cell{m_work[i], style.function != 0, style.font == QvCellStyle::Symbol,
                             i < size_t(kCells) ? int(m_kind[i]) : int(Plain)});
    }
    Rewrite(cells);
    std::erase_if(cells, [](const Cell& cell) { return cell.c == ' '; });
    WriteProducts(cells);
    QString out;
    out.reserve(qsizetype(cells.size()));
    for (const Cell& cell : cells)
        out += QChar(cell.c);
    return out;
}
