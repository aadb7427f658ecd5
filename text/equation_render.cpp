// Laying processed cells out and drawing them.  Every height taken from a
// font is multiplied by the y direction (-1 where y grows up the page), so
// one set of sums serves both orientations; divisions truncate.
#include "text/equation.h"

#include "platform/codepage.h"
#include "platform/dc.h"
#include "text/equation_canvas.h"
#include "text/equation_options.h"

#include <cstdlib>

namespace {
constexpr char16_t kEnDash = 150;

// Size steps scale a cell's font: 4, 7 and 8 halve it, 9 takes two thirds,
// 10 four fifths, 12 doubles it and 13 makes it five halves.
int Scale(int value, int size) {
    switch (size) {
    case 4:
    case 7:
    case 8:
        return value / 2;
    case 9:
        return value * 2 / 3;
    case 10:
        return value * 4 / 5;
    case 12:
        return value * 2;
    case 13:
        return value * 5 / 2;
    default:
        return value;
    }
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
} // namespace

class QvEquationRenderer {
public:
    QvEquationRenderer(QvEquation& eq, QvEquationCanvas& canvas, const QvLogFont& font)
        : m_eq(eq), m_canvas(canvas), m_font(font), m_yd(canvas.IsYUp() ? -1 : 1),
          m_textMode(canvas.GetMapMode() == MM_TEXT) {}

    QvEquationExtent Render(int x, int y, UINT vertical, bool draw);

private:
    // The font of one cell: its face, bold and italic, and its size step.
    QvLogFont CellFont(const QvCellStyle& style, int size) const;
    int DrawRun(int x, int y, int first, int count, bool draw);
    void Metrics();

    QvEquation& m_eq;
    QvEquationCanvas& m_canvas;
    QvLogFont m_font;
    int m_yd;
    bool m_textMode;
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

int QvEquationRenderer::DrawRun(int x, int y, int first, int count, bool draw) {
    const QvEquationOptions& options = m_eq.Options();
    int advance = 0;
    for (int i = first; i < first + count; ++i) {
        const QvCellStyle& style = m_eq.m_style[size_t(i)];
        if (style.style == QvCellStyle::Hidden)
            continue;
        char16_t c = m_eq.m_work[size_t(i)];
        const int size = style.size;
        QvLogFont font = CellFont(style, size);
        m_canvas.SelectFont(font);
        int offset = 0;
        if (style.position != QvCellStyle::Baseline) {
            bool raised = style.position == QvCellStyle::Raised;
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
        if (IsOperator(c)) {
            switch (size) {
            case 7:
                advance += A / 4;
                break;
            case 8:
                advance += A / 3;
                break;
            case 9:
                advance += A / 2;
                break;
            case 11:
                advance += A;
                break;
            default:
                break;
            }
        }
        if (c == '-')
            c = kEnDash;
        if (c == '\t') {
            int tab = options.m_tabWidth;
            if (tab > 0)
                advance += tab - advance % tab;
            continue;
        }
        QString text = CellString(c);
        int width = m_canvas.GetTextWidth(text);
        if (draw)
            m_canvas.TextOut(x + advance, y - offset, text);
        advance += width;
    }
    return advance;
}

QvEquationExtent QvEquationRenderer::Render(int x, int y, UINT vertical, bool draw) {
    const int n = int(m_eq.m_work.size());
    if (n <= 2)
        return QvEquationExtent();
    Metrics();
    const QvLayoutFlags& f = m_eq.m_flags;
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
    int y0 = y + 1 + D;
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
    int width = DrawRun(x, y0, 0, end, draw);
    QvEquationExtent extent;
    extent.width = width;
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
