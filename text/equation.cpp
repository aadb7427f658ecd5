#include "text/equation.h"

#include "platform/codepage.h"
#include "platform/dc.h"
#include "text/equation_canvas.h"
#include "text/equation_options.h"
#include "text/equation_tables.h"
#include "text/number_text.h"

#include <cstring>

IMPLEMENT_DYNCREATE(QvEquation, CObject)
IMPLEMENT_DYNCREATE(QvFunctionStr, QvEquation)
IMPLEMENT_DYNCREATE(QvStatStr, QvEquation)

namespace {
// The Greek letters of the Symbol font, which take the Greek style.
const char kGreek[] = "pqabcdfglmrswWSezhiknxtuyGDQLXPUFYJj\xA1V";

bool InSet(char16_t c, const char* set) {
    return c < 256 && QvCharInSet(static_cast<char>(c), set);
}

int CombinedStyle(BYTE italic, BYTE bold) {
    return (italic ? QvCellStyle::Italic : 0) | (bold ? QvCellStyle::Bold : 0);
}

// Typed text as cells: Windows-1252 codes, or the character itself when
// the code page has no place for it.
std::u16string ToCells(const QString& text) {
    std::u16string cells;
    cells.reserve(size_t(text.size()) + 2);
    QByteArray byte;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        char16_t u = c.unicode();
        if (u < 0x80) {
            cells.push_back(u);
        } else if (c.isSurrogate()) {
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            cells.push_back(0xFFFD);
        } else if (ToWindows1252(QString(c), byte)) {
            cells.push_back(static_cast<unsigned char>(byte[0]));
        } else {
            cells.push_back(u >= 0x100 ? u : char16_t('?'));
        }
    }
    return cells;
}
} // namespace

QvEquation::QvEquation() {
    m_kind.fill(Plain);
    m_level.fill(2);
}

void QvEquation::SetText(const QString& text, const QvEquationOptions* options) {
    if (text == m_text)
        return;
    m_text = text;
    if (options)
        m_options = options;
    Process();
}

const char* QvEquation::DigitSet() const {
    return "1234567890\xB7.";
}

const char* QvStatStr::DigitSet() const {
    return "1234567890\xB7\xFE";
}

const QvEquationOptions& QvEquation::Options() const {
    return m_options ? *m_options : TheEquationOptions();
}

void QvEquation::ClearCells() {
    m_flags = QvLayoutFlags();
    m_kind.fill(Plain);
    m_level.fill(2);
    m_work = ToCells(m_text);
    // Room for the two closing blanks; whatever does not fit is dropped.
    if (m_work.size() > size_t(kCells - 2))
        m_work.resize(kCells - 2);
    m_work += u"  ";
}

bool QvEquation::InsertAt(int i) {
    if (i < 0 || i >= kCells || i > int(m_work.size()))
        return false;
    if (m_work.size() >= size_t(kCells))
        m_work.pop_back();
    m_work.insert(size_t(i), 1, u' ');
    for (int k = kCells - 1; k > i; --k) {
        m_kind[size_t(k)] = m_kind[size_t(k - 1)];
        m_level[size_t(k)] = m_level[size_t(k - 1)];
    }
    return true;
}

void QvEquation::DeleteAt(int i) {
    if (i < 0 || i >= int(m_work.size()))
        return;
    m_work.erase(size_t(i), 1);
    for (int k = i; k < kCells - 1; ++k) {
        m_kind[size_t(k)] = m_kind[size_t(k + 1)];
        m_level[size_t(k)] = m_level[size_t(k + 1)];
    }
    m_kind[kCells - 1] = Plain;
    m_level[kCells - 1] = 2;
}

char QvEquation::Separator() const {
    return Options().m_separator;
}

void QvEquation::Process() {
    ClearCells();
    MarkQuoted();
    MarkSymbolWords();
    MarkBigOperators();
    MarkScripts();
    MarkBackslashGroups();
    MarkFunctions(true);
    MarkLetters();
    MarkDoubleCapitals();
    MarkVectors();
    RaiseDecimalPoints();
    MarkRoots();
    MarkFractions();
    MarkTallRadicals();
    MarkBarsAndHats();
    MarkInverseTrig();
    MapCells();
}

// Formula texts: no quotes, big operators, lowered groups, vectors or bars.
void QvEquation::ProcessFormula(bool removeBrackets) {
    ClearCells();
    MarkSymbolWords();
    MarkScripts();
    MarkFunctions(removeBrackets);
    MarkLetters();
    RaiseDecimalPoints();
    MarkRoots();
    MarkFractions();
    MarkTallRadicals();
    MarkInverseTrig();
    MapCells();
}

void QvFunctionStr::Process() {
    ProcessFormula(true);
}

// Statistics formulas keep their typed brackets; nothing is stacked.
void QvStatStr::Process() {
    ProcessFormula(false);
}

void QvEquation::MarkSymbolWords() {
    // The multiplication sign follows the program-wide choice.
    const unsigned char multiply =
        TheEquationOptions().m_dotMultiply ? kMultiplyDot : kMultiplyCross;
    const int words = SymbolWordCount();
    std::u16string out;
    out.reserve(m_work.size());
    size_t in = 0;
    while (in < m_work.size()) {
        size_t o = out.size();
        int matched = -1;
        // No word is taken inside "sin", so "sinh" keeps its "si".
        if (o < size_t(kCells) && m_kind[o] == Plain && m_work.compare(in, 3, u"sin") != 0) {
            for (int w = 0; w < words && matched < 0; ++w) {
                const char* word = kSymbolWords[w].word;
                size_t len = std::strlen(word);
                if (in + len > m_work.size())
                    continue;
                bool same = true;
                for (size_t k = 0; k < len && same; ++k)
                    same = m_work[in + k] == char16_t(static_cast<unsigned char>(word[k]));
                if (same)
                    matched = w;
            }
        }
        if (matched < 0) {
            out.push_back(m_work[in++]);
            continue;
        }
        size_t len = std::strlen(kSymbolWords[matched].word);
        out.push_back(matched == kMultiplyWord ? multiply : kSymbolWords[matched].code);
        m_kind[o] = SymbolChar;
        // The cells of the word's other letters go; later cells close up.
        for (size_t k = o + 1; k < size_t(kCells); ++k) {
            size_t from = k + len - 1;
            m_kind[k] = from < size_t(kCells) ? m_kind[from] : static_cast<unsigned char>(Plain);
            m_level[k] = from < size_t(kCells) ? m_level[from] : 2;
        }
        in += len;
    }
    m_work = out;
}

void QvEquation::MapCells() {
    m_style.fill(QvCellStyle());
    const int n = std::min(int(m_work.size()), kCells);
    for (int i = 0; i < n; ++i) {
        QvCellStyle& style = m_style[size_t(i)];
        int kind = m_kind[size_t(i)];
        if (kind >= kUnderRadical) {
            kind -= kUnderRadical;
            m_kind[size_t(i)] = static_cast<unsigned char>(kind);
            style.underRadical = 1;
        }
        MapKind(i, kind, style);
    }
    for (int i = 0; i < kCells; ++i)
        m_style[size_t(i)].level = m_level[size_t(i)];
}

void QvEquation::MapKind(int i, int kind, QvCellStyle& style) {
    const QvEquationOptions& o = Options();
    const int variable = CombinedStyle(o.m_variablesItalic, o.m_variablesBold);
    const int function = CombinedStyle(o.m_functionsItalic, o.m_functionsBold);
    const int greek = InSet(m_work[size_t(i)], kGreek)
                          ? CombinedStyle(o.m_greekItalic, o.m_greekBold)
                          : QvCellStyle::Regular;
    auto script = [&](int position, int size) {
        style.position = position;
        style.size = size;
    };
    switch (kind) {
    case Plain: {
        // A bracket pair around a fraction is drawn tall.
        char16_t c = m_work[size_t(i)];
        if (!InSet(c, "([{") || (i > 0 && m_kind[size_t(i - 1)] == HiddenOpen))
            break;
        int depth = 0;
        bool fraction = false;
        for (int j = i; j < int(m_work.size()); ++j) {
            char16_t d = m_work[size_t(j)];
            if (j > i && m_kind[size_t(j)] % kUnderRadical == FractionMark)
                fraction = true;
            if (InSet(d, "([{")) {
                ++depth;
            } else if (InSet(d, ")]}") && --depth == 0) {
                if (!fraction)
                    break;
                static const char16_t open[] = {232, 235, 238};
                static const char16_t close[] = {248, 251, 254};
                m_work[size_t(i)] = open[c == '(' ? 0 : c == '[' ? 1 : 2];
                m_work[size_t(j)] = close[d == ')' ? 0 : d == ']' ? 1 : 2];
                style.font = QvCellStyle::Symbol;
                m_style[size_t(j)].font = QvCellStyle::Symbol;
                m_level[size_t(i)] = 5;
                m_level[size_t(j)] = 5;
                m_flags.tallBrackets = true;
                break;
            }
        }
        break;
    }
    case Superscript:
    case RaisedScript:
        script(QvCellStyle::Raised, 9);
        break;
    case Lowered:
        script(QvCellStyle::Lowered, 9);
        break;
    case Variable:
        style.style = variable;
        break;
    case FunctionLetter:
        style.style = function;
        style.function = 1;
        break;
    case SymbolChar:
        style.font = QvCellStyle::Symbol;
        style.style = greek;
        break;
    case HiddenOpen:
    case HiddenClose:
    case HiddenCaret:
    case HiddenMark:
    case FractionMark:
    case HiddenBackslash:
        style.style = QvCellStyle::Hidden;
        break;
    case RaisedVariable:
        style.style = variable;
        script(QvCellStyle::Raised, 9);
        break;
    case RaisedFunction:
        style.style = function;
        style.function = 1;
        script(QvCellStyle::Raised, 9);
        break;
    case RaisedSymbol:
        style.font = QvCellStyle::Symbol;
        style.style = greek;
        script(QvCellStyle::Raised, 9);
        break;
    case LowerVector:
        if (o.m_displayVect == 0)
            style.style = QvCellStyle::Bold;
        else
            style.decoration =
                o.m_displayVect == 1 ? QvCellStyle::LineBelow : QvCellStyle::TildeBelow;
        break;
    case FirstCapital:
        style.style = variable;
        if (o.m_doubleCaps == 1 || o.m_doubleCaps == 2)
            style.decoration = QvCellStyle::BarOver;
        break;
    case SecondCapital:
        style.style = variable;
        if (o.m_doubleCaps == 1)
            style.decoration = QvCellStyle::ArrowOver;
        else if (o.m_doubleCaps == 2)
            style.decoration = QvCellStyle::BarOver;
        break;
    case LoweredSymbol:
        style.font = QvCellStyle::Symbol;
        style.style = greek;
        script(QvCellStyle::Lowered, 9);
        break;
    case LoweredVariable:
        style.style = variable;
        script(QvCellStyle::Lowered, 9);
        break;
    case LoweredFunction:
        style.style = function;
        style.function = 1;
        script(QvCellStyle::Lowered, 9);
        break;
    case IntegralLetter:
        style.bigOperator = QvCellStyle::Integral;
        break;
    case SumLetter:
        style.bigOperator = QvCellStyle::Sum;
        break;
    case LimitLetter:
        style.bigOperator = QvCellStyle::Limit;
        break;
    case ProductLetter:
        style.bigOperator = QvCellStyle::Product;
        break;
    case BarOver:
        style.style = variable;
        style.decoration = QvCellStyle::BarOver;
        break;
    case HatOver:
        style.style = variable;
        style.decoration = QvCellStyle::HatOver;
        break;
    case Raised2:
        script(QvCellStyle::Raised, 7);
        break;
    case Raised2Variable:
        style.style = variable;
        script(QvCellStyle::Raised, 7);
        break;
    case Raised2Function:
        style.style = function;
        style.function = 1;
        script(QvCellStyle::Raised, 7);
        break;
    case Raised2Symbol:
        style.font = QvCellStyle::Symbol;
        style.style = greek;
        script(QvCellStyle::Raised, 7);
        break;
    case HiddenFunction:
        style.style = QvCellStyle::Hidden;
        style.function = 1;
        break;
    default:
        break;
    }
}

void QvFunctionStr::MapKind(int i, int kind, QvCellStyle& style) {
    if (kind != RadicalSign) {
        QvEquation::MapKind(i, kind, style);
        return;
    }
    style.font = QvCellStyle::Symbol;
    style.function = 1;
    const QvEquationOptions& o = Options();
    if (InSet(m_work[size_t(i)], kGreek))
        style.style = CombinedStyle(o.m_greekItalic, o.m_greekBold);
}

void QvStatStr::MapKind(int i, int kind, QvCellStyle& style) {
    QvEquation::MapKind(i, kind, style);
    // Column names are written in capitals.
    if (kind == Variable || kind == RaisedVariable || kind == LoweredVariable ||
        kind == Raised2Variable)
        style.upperCase = 1;
}

// ---- Drawing entry points ----

QvEquationExtent QvEquation::Draw(CDC* dc, int x, int y, const QvEquationOptions* options,
                                  const QvLogFont* font) {
    const UINT align = dc->GetTextAlign();
    QvDCCanvas canvas(dc, true);
    return Draw(canvas, align, x, y, options, font);
}

QvEquationExtent QvEquation::Draw(QvEquationCanvas& canvas, UINT align, int x, int y,
                                  const QvEquationOptions* options, const QvLogFont* font) {
    if (options)
        m_options = options;
    const QvLogFont used = font ? *font : GetDefaultFont();
    const UINT vertical = align & (TA_BOTTOM | TA_BASELINE);
    if ((align & TA_CENTER) == TA_CENTER)
        x -= Render(canvas, x, y, vertical, false, used).width / 2;
    else if (align & TA_RIGHT)
        x -= Render(canvas, x, y, vertical, false, used).width;
    return Render(canvas, x, y, vertical, true, used);
}

QvEquationExtent QvEquation::Measure(CDC* dc, const QvEquationOptions* options,
                                     const QvLogFont* font) {
    QvDCCanvas canvas(dc, false);
    return Measure(canvas, options, font);
}

QvEquationExtent QvEquation::Measure(QvEquationCanvas& canvas, const QvEquationOptions* options,
                                     const QvLogFont* font) {
    if (options)
        m_options = options;
    return Render(canvas, -3000, -3000, TA_TOP, false, font ? *font : GetDefaultFont());
}
