// Laying processed cells out and drawing them.  Every height taken from a
// font is multiplied by the y direction (-1 where y grows up the page), so
// one set of sums serves both orientations; divisions truncate.
#include "text/equation.h"

#include "platform/codepage.h"
#include "platform/dc.h"
#include "text/equation_canvas.h"
#include "text/equation_options.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {
constexpr char16_t kEnDash = 150;

// Size steps scale a cell's font: 4, 7 and 8 halve it, 9 takes two thirds,
// 10 four fifths, 12 doubles it and 13 makes it five halves.
int Scale(int value, int size) {
    // In 64 bits: a font height from a damaged file may be near the limit.
    long long v = value;
    switch (size) {
    case 4:
    case 7:
    case 8:
        v = v / 2;
        break;
    case 9:
        v = v * 2 / 3;
        break;
    case 10:
        v = v * 4 / 5;
        break;
    case 12:
        v = v * 2;
        break;
    case 13:
        v = v * 5 / 2;
        break;
    default:
        break;
    }
    return int(
        std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool IsOperator(char16_t c) {
    switch (c) {
    case '=':
    case '+':
    case '-':
    case 184:
    case '>':
    case '<':
    case 174:
    case 179:
    case 185:
    case 180:
    case 222:
    case 150:
    case '@':
    case 187:
    case 232:
    case 235:
    case 238:
    case 248:
    case 251:
    case 254:
    case 163:
    case '~':
    case 181:
    case 186:
    case 215:
        return true;
    default:
        return false;
    }
}

QString CellString(char16_t c) {
    if (c >= 256)
        return QString(QChar(c));
    char byte = static_cast<char>(c);
    return FromWindows1252(&byte, 1);
}

bool IsOpening(char16_t c) {
    return c == '(' || c == '[' || c == '{';
}

// The gap an operator takes, by size step.
int OperatorGap(int size, int averageWidth) {
    switch (size) {
    case 7:
        return averageWidth / 4;
    case 8:
        return averageWidth / 3;
    case 9:
        return averageWidth / 2;
    case 11:
        return averageWidth;
    default:
        return 0;
    }
}

bool IsTallBracket(char16_t c) {
    return c == 232 || c == 235 || c == 238 || c == 248 || c == 251 || c == 254;
}
} // namespace

class QvEquationRenderer {
public:
    QvEquationRenderer(QvEquation& eq, QvEquationCanvas& canvas, const QvLogFont& font)
        : m_eq(eq), m_canvas(canvas), m_font(font), m_yd(canvas.IsYUp() ? -1 : 1),
          m_textMode(canvas.GetMapMode() == MM_TEXT) {}

    QvEquationExtent Render(int x, int y, UINT vertical, bool draw);

private:
    // How a run's cells are sized: as styled, one step smaller (rows of a
    // three-row stack), or as the limits of a big operator.
    enum class Sizes { Own, StepDown, Limit };
    struct Run {
        int first = 0;
        int count = 0;
        bool empty() const { return count <= 0; }
    };

    QvLogFont CellFont(const QvCellStyle& style, int size) const;
    int CellSize(int i, Sizes sizes, int oneSided) const;
    int DrawRun(int x, int y, Run run, bool draw, Sizes sizes = Sizes::Own, int oneSided = -1);
    // A row of a fraction, stack or limit: it starts a line of its own.
    int Row(int x, int y, Run run, bool draw, Sizes sizes = Sizes::Own, int oneSided = -1) {
        m_previous = 0;
        m_previousPosition = QvCellStyle::Baseline;
        return run.empty() ? 0 : DrawRun(x, y, run, draw, sizes, oneSided);
    }
    int Width(Run run, Sizes sizes = Sizes::Own, int oneSided = -1) {
        return Row(0, 0, run, false, sizes, oneSided);
    }
    // What follows a fraction, stack or big operator follows an operand.
    int Operand(int width) {
        m_previous = 'x';
        m_previousPosition = QvCellStyle::Baseline;
        return width;
    }
    void Line(int x1, int y1, int x2, int y2, bool draw);
    // A radical sign's stroke, bar still to come; its width.
    struct Radical {
        CPoint points[5];
    };
    int RadicalSign(int x, int y, int height, int stroke, Radical* sign);
    // The sign and its bar to `right`, as one stroke so that they meet.
    void CloseRadical(Radical& sign, int right, bool draw);
    int Fraction(int x, Run upper, Run lower, bool draw);
    int Stack(int x, Run upper, Run middle, Run lower, bool draw);
    int BigOperator(int x, int& i, int end, bool draw);
    int FirstVisible(Run run) const;
    bool RaisedLowerRow() const;
    void Metrics();

    QvEquation& m_eq;
    QvEquationCanvas& m_canvas;
    QvLogFont m_font;
    int m_yd;
    bool m_textMode;
    int y0 = 0;
    // The last character shown on the line being laid out, blanks aside: a
    // sign after nothing or after another sign is a sign of its number.
    char16_t m_previous = 0;
    int m_previousPosition = QvCellStyle::Baseline;
    int H = 0, D = 0, A = 0, h = 0, R = 0, L = 0, e = 0, half = 0, R2 = 0, low = 0, RT = 0;
};

QvLogFont QvEquationRenderer::CellFont(const QvCellStyle& style, int size) const {
    QvLogFont f(m_font);
    if (style.font == QvCellStyle::Symbol)
        f.SetFaceName(QStringLiteral("Symbol"));
    if (style.style == QvCellStyle::Bold || style.style == QvCellStyle::BoldItalic)
        f.m_logFont.lfWeight = FW_BOLD;
    if (style.style == QvCellStyle::Italic || style.style == QvCellStyle::BoldItalic)
        f.m_logFont.lfItalic = 1;
    f.m_logFont.lfHeight = Scale(f.m_logFont.lfHeight, size);
    f.m_drawHeight = Scale(f.m_drawHeight, size);
    return f;
}

int QvEquationRenderer::CellSize(int i, Sizes sizes, int oneSided) const {
    const QvCellStyle& style = m_eq.m_style[size_t(i)];
    switch (sizes) {
    case Sizes::StepDown:
        switch (style.size) {
        case 13:
        case 12:
        case 11:
        case 10:
        case 9:
            return style.size - 1;
        default:
            return 4;
        }
    case Sizes::Limit:
        return i == oneSided || style.position == QvCellStyle::Raised ? 8 : 9;
    default:
        return style.size;
    }
}

void QvEquationRenderer::Metrics() {
    m_canvas.SelectFont(m_font);
    TEXTMETRIC tm = m_canvas.GetTextMetrics();
    H = tm.tmHeight * m_yd;
    D = tm.tmDescent * m_yd;
    A = tm.tmAveCharWidth;
    m_canvas.SelectFont(CellFont(QvCellStyle(), 9));
    h = m_canvas.GetTextMetrics().tmHeight * m_yd;
    R = 3 * H / 5;
    L = -H / 6;
    e = H / 8;
    half = H / 2;
    R2 = R + 2 + h;
    low = R2 - half - 1;
    RT = R2 * 7 / 4 - 1;
}

void QvEquationRenderer::Line(int x1, int y1, int x2, int y2, bool draw) {
    if (!draw)
        return;
    CPoint points[2] = {CPoint(x1, y1), CPoint(x2, y2)};
    m_canvas.Polyline(points, 2, m_eq.m_penWidth, m_eq.m_penColour);
}

int QvEquationRenderer::RadicalSign(int x, int y, int height, int stroke, Radical* sign) {
    const int w = std::max(stroke, 2);
    const int d = D;
    CPoint* p = sign->points;
    p[0] = CPoint(x, y - height / 3);
    p[1] = CPoint(x + w / 2, y - height / 2);
    p[2] = CPoint(x + w / 2 + w, y - d);
    p[3] = CPoint(x + w / 2 + 2 * w, y - height);
    return p[3].x - x - w;
}

void QvEquationRenderer::CloseRadical(Radical& sign, int right, bool draw) {
    sign.points[4] = CPoint(right, sign.points[3].y);
    if (draw)
        m_canvas.Polyline(sign.points, 5, m_eq.m_penWidth, m_eq.m_penColour);
}

int QvEquationRenderer::DrawRun(int x, int y, Run run, bool draw, Sizes sizes, int oneSided) {
    const QvEquationOptions& options = m_eq.Options();
    int advance = 0;
    // Radical signs whose bar waits for the end of what stands under them.
    std::vector<Radical> radicals;
    auto closeRadicals = [&] {
        for (Radical& sign : radicals)
            CloseRadical(sign, x + advance + 1, draw);
        radicals.clear();
    };
    for (int i = run.first; i < run.first + run.count; ++i) {
        const QvCellStyle& style = m_eq.m_style[size_t(i)];
        const int kind = m_eq.m_kind[size_t(i)];
        char16_t c = m_eq.m_work[size_t(i)];
        if (!radicals.empty() && !style.underRadical)
            closeRadicals();
        // In a limit a fraction is written on one line.
        bool slash = sizes == Sizes::Limit && kind == QvEquation::FractionMark && c == '/';
        if (style.style == QvCellStyle::Hidden && !slash)
            continue;
        if (kind == QvEquation::RadicalSign && (c == 214 || c == 216)) {
            Radical sign;
            const int stroke = std::max(A / 2, 2);
            // The radicand starts past the rising stroke, not under it.
            advance += RadicalSign(x + advance, y, R2 - 3, stroke, &sign) + stroke;
            radicals.push_back(sign);
            m_previous = 0;
            continue;
        }
        const int size = CellSize(i, sizes, oneSided);
        QvCellStyle cellStyle = style;
        if (slash)
            cellStyle.style = QvCellStyle::Regular;
        QvLogFont font = CellFont(cellStyle, size);
        m_canvas.SelectFont(font);
        int offset = 0;
        const bool raised = style.position == QvCellStyle::Raised || i == oneSided;
        if (raised || style.position == QvCellStyle::Lowered) {
            int height = std::abs(m_textMode ? font.m_logFont.lfHeight : font.m_drawHeight);
            switch (size) {
            case 9:
                offset = raised ? R : L;
                break;
            case 7:
                offset = raised ? 11 * R / 8 : L;
                break;
            case 4:
                offset = raised ? 3 * R / 4 : L;
                break;
            default:
                offset = (raised ? 4 * height / 5 : -height / 5) * m_yd;
                break;
            }
        }
        if (style.upperCase && c >= 'a' && c <= 'z')
            c = char16_t(c - 'a' + 'A');
        // The operator gap, split round the sign; a sign with nothing to
        // its left (a minus that starts a number or a script) takes none,
        // and a tall bracket takes it on the inside only.
        int gapAfter = 0;
        if (IsOperator(c)) {
            const bool unary =
                m_previous == 0 || IsOperator(m_previous) || IsOpening(m_previous) ||
                (style.position != QvCellStyle::Baseline && m_previousPosition != style.position);
            const int gap = OperatorGap(size, A);
            const bool tall = style.font == QvCellStyle::Symbol && IsTallBracket(c);
            if (tall && c < 248) {
                gapAfter = gap / 2;
            } else if (tall) {
                advance += gap / 2;
            } else if (!unary) {
                advance += gap / 2;
                gapAfter = gap - gap / 2;
            }
        }
        if (c == '-')
            c = kEnDash;
        if (c == '\t') {
            // To the next tab stop; a tab width of 0 has no stops.
            int tab = options.m_tabWidth;
            if (tab > 0)
                advance += tab - advance % tab;
            continue;
        }
        const int cx = x + advance;
        const int cy = y - offset;
        QString text = CellString(c);
        int width = m_canvas.GetTextWidth(text);
        if (draw) {
            if (style.font == QvCellStyle::Symbol && IsTallBracket(c)) {
                // Bottom piece, top piece and the piece that joins them.
                int bottom = cy + H / 6;
                m_canvas.TextOut(cx, bottom, text);
                m_canvas.TextOut(cx, bottom - 3 * half, CellString(char16_t(c - 2)));
                m_canvas.TextOut(cx, bottom - 3 * (H / 4), CellString(char16_t(c - 1)));
            } else {
                m_canvas.TextOut(cx, cy, text);
            }
        }
        // Arrow heads point along the line whichever way y runs.
        const int ae = std::abs(e);
        switch (style.decoration) {
        case QvCellStyle::BarOver:
            Line(cx, cy - H, cx + width, cy - H, draw);
            break;
        case QvCellStyle::LineBelow:
            Line(cx, cy + H / 6 - e, cx + width, cy + H / 6 - e, draw);
            break;
        case QvCellStyle::TildeBelow:
            if (draw) {
                QvCellStyle symbol;
                symbol.font = QvCellStyle::Symbol;
                m_canvas.SelectFont(CellFont(symbol, size));
                m_canvas.TextOut(cx, cy + H / 3, QStringLiteral("~"));
            }
            break;
        case QvCellStyle::ArrowOver:
            Line(cx, cy - H, cx + width, cy - H, draw);
            Line(cx + width, cy - H, cx + width - 2 * ae, cy - H - e, draw);
            Line(cx + width, cy - H, cx + width - 2 * ae, cy - H + e, draw);
            break;
        case QvCellStyle::HatOver:
            Line(cx, cy - H + e, cx + width / 2, cy - H, draw);
            Line(cx + width / 2, cy - H, cx + width, cy - H + e, draw);
            break;
        default:
            break;
        }
        advance += width + gapAfter;
        if (c != ' ') {
            m_previous =
                style.font == QvCellStyle::Symbol && IsTallBracket(c) && c < 248 ? u'(' : c;
            m_previousPosition = style.position;
        }
    }
    closeRadicals();
    return advance;
}

int QvEquationRenderer::FirstVisible(Run run) const {
    for (int i = run.first; i < run.first + run.count; ++i) {
        if (m_eq.m_style[size_t(i)].style != QvCellStyle::Hidden)
            return i;
    }
    return -1;
}

bool QvEquationRenderer::RaisedLowerRow() const {
    const int n = int(m_eq.m_work.size());
    for (int i = 0; i < n; ++i) {
        if (m_eq.m_style[size_t(i)].level != 3 || (i > 0 && m_eq.m_style[size_t(i - 1)].level == 3))
            continue;
        int j = i;
        while (j < n && m_eq.m_style[size_t(j)].level == 3)
            ++j;
        int first = FirstVisible({i, j - i});
        int kind = first < 0 ? -1 : m_eq.m_kind[size_t(first)];
        if (kind == QvEquation::Superscript || kind == QvEquation::RaisedVariable ||
            kind == QvEquation::RaisedFunction)
            return true;
    }
    return false;
}

int QvEquationRenderer::Fraction(int x, Run upper, Run lower, bool draw) {
    const int wu = Width(upper), wl = Width(lower);
    const int w = std::max(wu, wl);
    int lift = 0;
    if (int first = FirstVisible(lower); first >= 0) {
        int kind = m_eq.m_kind[size_t(first)];
        if (kind == QvEquation::Superscript || kind == QvEquation::RaisedVariable ||
            kind == QvEquation::RaisedFunction)
            lift = 5 * e;
    }
    if (draw) {
        if (!upper.empty())
            Row(x + (w - wu) / 2, y0 - half, upper, true);
        if (!lower.empty())
            Row(x + (w - wl) / 2, y0 + low - lift, lower, true);
    }
    // A stacked list has no bar.
    const auto& work = m_eq.m_work;
    if (!lower.empty() && ((lower.first >= 1 && work[size_t(lower.first - 1)] == '/') ||
                           (lower.first >= 2 && work[size_t(lower.first - 2)] == '/'))) {
        int bar = y0 - half - (m_eq.m_flags.raisedFraction ? lift : 0);
        Line(x, bar, x + w, bar, draw);
    }
    return Operand(w);
}

int QvEquationRenderer::Stack(int x, Run upper, Run middle, Run lower, bool draw) {
    const Run rows[3] = {upper, middle, lower};
    const int ys[3] = {y0 - low, y0 - (low - 5 * (h / 4)), y0 - (low - 10 * (h / 4))};
    int widths[3];
    int w = 0;
    for (int r = 0; r < 3; ++r) {
        widths[r] = Width(rows[r], Sizes::StepDown);
        w = std::max(w, widths[r]);
    }
    if (draw) {
        for (int r = 0; r < 3; ++r) {
            if (!rows[r].empty())
                Row(x + w - widths[r], ys[r], rows[r], true, Sizes::StepDown);
        }
    }
    return Operand(w);
}

int QvEquationRenderer::BigOperator(int x, int& i, int end, bool draw) {
    const int op = m_eq.m_style[size_t(i)].bigOperator;
    const auto& work = m_eq.m_work;
    Run word{i, 0};
    while (i < end && m_eq.m_style[size_t(i)].bigOperator == op)
        ++i;
    word.count = i - word.first;
    // The limits: the bracket group after the word, split at ';'.
    Run lower, upper;
    if (i < int(work.size()) && work[size_t(i)] == '(') {
        int close = m_eq.MatchClose(i);
        int stop = close < 0 ? end : close;
        int split = i + 1;
        while (split < stop && work[size_t(split)] != ';')
            ++split;
        lower = {i + 1, split - i - 1};
        if (split < stop)
            upper = {split + 1, stop - split - 1};
        i = close < 0 ? end : close + 1;
    }
    QvCellStyle symbol;
    symbol.font = QvCellStyle::Symbol;
    if (op == QvCellStyle::Limit) {
        // A sign that ends the limit makes it one-sided.
        int oneSided = -1;
        for (int k = lower.first + lower.count - 1; k >= lower.first; --k) {
            if (m_eq.m_style[size_t(k)].style == QvCellStyle::Hidden || work[size_t(k)] == ' ')
                continue;
            if (work[size_t(k)] == '+' || work[size_t(k)] == '-')
                oneSided = k;
            break;
        }
        const int ww = Width(word), wl = Width(lower, Sizes::Limit, oneSided);
        const int w = std::max(ww, wl);
        const int left = x + A / 2;
        if (draw) {
            Row(left + (w - ww) / 2, y0, word, true);
            if (!lower.empty())
                Row(left + (w - wl) / 2, y0 + half, lower, true, Sizes::Limit, oneSided);
        }
        return Operand(A / 2 + w + A / 2);
    }
    const int wl = Width(lower, Sizes::Limit), wu = Width(upper, Sizes::Limit);
    m_canvas.SelectFont(CellFont(symbol, 12));
    if (op == QvCellStyle::Integral) {
        const QString sign = CellString(242);
        const int ws = m_canvas.GetTextWidth(sign);
        const int left = x + A / 2;
        if (draw)
            m_canvas.TextOut(left, y0 + 5 * (half / 3), sign);
        const bool minus = !lower.empty() && work[size_t(lower.first)] == '-' &&
                           (upper.empty() || work[size_t(upper.first)] != '-');
        const int limits = left + ws + (minus ? A / 2 : A / 6);
        if (draw) {
            if (!lower.empty())
                Row(limits, y0 + 3 * (half / 2), lower, true, Sizes::Limit);
            if (!upper.empty())
                Row(limits, y0 - 4 * (half / 2), upper, true, Sizes::Limit);
        }
        return Operand(ws + A + std::max(wl, wu));
    }
    // Sum and product: the sign with its limits centred below and above.
    const QString shown = op == QvCellStyle::Sum ? QStringLiteral("S") : QStringLiteral("P");
    const int ws = m_canvas.GetTextWidth(shown);
    const int s = m_canvas.GetTextMetrics().tmHeight;
    const int w = std::max({ws, wl, wu});
    const int q = half / 4;
    if (draw) {
        m_canvas.TextOut(x + (w - ws) / 2, y0 + 5 * q, shown);
        if (!lower.empty())
            Row(x + (w - wl) / 2, y0 + 13 * q / 2, lower, true, Sizes::Limit);
        if (!upper.empty())
            Row(x + (w - wu) / 2, y0 - 3 * (s / 5) * m_yd, upper, true, Sizes::Limit);
    }
    return Operand(w + A / 2);
}

QvEquationExtent QvEquationRenderer::Render(int x, int y, UINT vertical, bool draw) {
    const int n = int(m_eq.m_work.size());
    if (n <= 2)
        return QvEquationExtent();
    Metrics();
    QvLayoutFlags& f = m_eq.m_flags;
    // Known before the height is sized, so that the first draw is the same
    // as every later one.
    if (RaisedLowerRow())
        f.raisedFraction = true;
    int above = H - D;
    int below = D;
    if (f.scripts)
        above += half / 2;
    if (f.backslash)
        below = D + H / 6;
    if (f.secondLevel || f.root)
        above = R2 - D;
    if (f.raisedFraction || f.tallBrackets)
        above = H + D + 5 * e;
    if (f.fraction) {
        below += low;
        above += half;
    }
    if (f.tallBrackets)
        below += D;
    if ((vertical & TA_BASELINE) == TA_BASELINE)
        y0 = y + 1 + D;
    else if (vertical & TA_BOTTOM)
        y0 = y + D + 1 - below;
    else
        y0 = y + D + above;

    // Blanks after the last thing shown (the two the passes work with, and
    // any typed) would only push a centred or right-aligned text aside.
    int end = n;
    while (end > 0 && (m_eq.m_work[size_t(end - 1)] == ' ' ||
                       m_eq.m_style[size_t(end - 1)].style == QvCellStyle::Hidden))
        --end;

    int advance = x;
    // Rows held until the row that completes them.
    Run upper, middle;
    auto flush = [&] {
        if (!middle.empty())
            advance += Stack(advance, upper, middle, Run(), draw);
        else if (!upper.empty())
            advance += Fraction(advance, upper, Run(), draw);
        upper = middle = Run();
    };
    bool tall = false;
    Radical tallSign;
    int i = 0;
    while (i < end) {
        const QvCellStyle& style = m_eq.m_style[size_t(i)];
        const char16_t c = m_eq.m_work[size_t(i)];
        if (tall && !style.underRadical) {
            CloseRadical(tallSign, advance + 1, draw);
            tall = false;
        }
        if (c == 216 && m_eq.m_kind[size_t(i)] == QvEquation::RadicalSign) {
            flush();
            advance += RadicalSign(advance, y0 + 5 * half / 4, RT, 2 * (A / 3), &tallSign) + A;
            tall = true;
            m_previous = 0;
            ++i;
            continue;
        }
        if (style.bigOperator != QvCellStyle::NoOperator) {
            flush();
            advance += BigOperator(advance, i, end, draw);
            continue;
        }
        // A run of one level; the fraction mark joins the run it follows.
        int level = style.level == 4 ? 2 : style.level;
        int j = i + 1;
        while (j < end) {
            const QvCellStyle& next = m_eq.m_style[size_t(j)];
            if ((next.level != level && next.level != 4) ||
                next.bigOperator != QvCellStyle::NoOperator ||
                (m_eq.m_work[size_t(j)] == 216 &&
                 m_eq.m_kind[size_t(j)] == QvEquation::RadicalSign) ||
                (tall && next.underRadical != style.underRadical))
                break;
            ++j;
        }
        const Run run{i, j - i};
        i = j;
        switch (level) {
        case 1:
            flush();
            upper = run;
            break;
        case 7:
            if (!middle.empty())
                flush();
            middle = run;
            break;
        case 3:
            // A list of three numbers stacks like one of three letters.
            if (!middle.empty())
                advance += Stack(advance, upper, middle, run, draw);
            else
                advance += Fraction(advance, upper, run, draw);
            upper = middle = Run();
            break;
        case 8:
            advance += Stack(advance, upper, middle, run, draw);
            upper = middle = Run();
            break;
        case 5:
            flush();
            advance += DrawRun(advance, y0 + low, run, draw);
            break;
        default:
            flush();
            advance += DrawRun(advance, y0, run, draw);
            break;
        }
    }
    flush();
    if (tall)
        CloseRadical(tallSign, advance + 1, draw);

    QvEquationExtent extent;
    extent.width = advance - x;
    extent.height = above + below;
    extent.below = below;
    if (f.fraction || f.scripts)
        extent.below += 1;
    return extent;
}

QvEquationExtent QvEquation::Render(QvEquationCanvas& canvas, int x, int y, UINT vertical,
                                    bool draw, const QvLogFont& font) {
    m_yDir = canvas.IsYUp() ? -1.0 : 1.0;
    m_penColour = font.m_color;
    QvEquationRenderer renderer(*this, canvas, font);
    return renderer.Render(x, y, vertical, draw);
}
