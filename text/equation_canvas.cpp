#include "text/equation_canvas.h"

#include <cstring>
#include <memory>

// What a font measures on contexts of one kind and scale.
struct QvDCCanvas::Measures {
    LOGFONT log;
    int scale[8];
    std::unordered_map<char16_t, int> widths;
    TEXTMETRIC metrics;
    bool haveMetrics = false;
};

namespace {
std::vector<std::unique_ptr<QvDCCanvas::Measures>>& MeasuresCache() {
    static std::vector<std::unique_ptr<QvDCCanvas::Measures>> cache;
    return cache;
}
constexpr size_t kCachedFonts = 256;
} // namespace

QvDCCanvas::QvDCCanvas(CDC* dc, bool ink)
    : m_dc(dc), m_ink(ink), m_savedColour(dc->GetTextColor()), m_savedAlign(dc->GetTextAlign()),
      m_savedBkMode(dc->GetBkMode()), m_fontSelect(dc), m_penSelect(dc) {
    if (m_ink) {
        m_dc->SetTextAlign(TA_LEFT | TA_BOTTOM);
        m_dc->SetBkMode(TRANSPARENT);
    }
    // Logical widths depend on how the context maps and on what it draws on.
    const CSize window = dc->GetWindowExt(), viewport = dc->GetViewportExt();
    const int scale[8] = {dc->GetMapMode(),
                          int(window.cx),
                          int(window.cy),
                          int(viewport.cx),
                          int(viewport.cy),
                          dc->GetDeviceCaps(LOGPIXELSX),
                          dc->GetDeviceCaps(LOGPIXELSY),
                          int(dc->GetSurface())};
    std::memcpy(m_scale, scale, sizeof m_scale);
    if (MeasuresCache().size() > kCachedFonts)
        MeasuresCache().clear();
}

QvDCCanvas::~QvDCCanvas() {
    // The font and pen guards put the context's own back after this.
    if (m_selectedFont >= 0)
        m_dc->SetTextColor(m_savedColour);
    if (m_ink) {
        m_dc->SetTextAlign(m_savedAlign);
        m_dc->SetBkMode(m_savedBkMode);
    }
}

bool QvDCCanvas::IsYUp() const {
    switch (m_dc->GetMapMode()) {
    case MM_HIMETRIC:
        return true;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
        return (m_dc->GetWindowExt().cy < 0) != (m_dc->GetViewportExt().cy < 0);
    default:
        return false;
    }
}

void QvDCCanvas::SelectFont(const QvLogFont& font) {
    LOGFONT log = font.m_logFont;
    if (m_dc->GetMapMode() != MM_TEXT)
        log.lfHeight = font.m_drawHeight;
    m_colour = font.m_color;
    // An equation uses a handful of fonts; each is made once.
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i].log == log) {
            m_font = int(i);
            return;
        }
    }
    Measures* measures = nullptr;
    for (const auto& m : MeasuresCache()) {
        if (m->log == log && std::memcmp(m->scale, m_scale, sizeof m_scale) == 0) {
            measures = m.get();
            break;
        }
    }
    if (!measures) {
        MeasuresCache().push_back(std::make_unique<Measures>());
        measures = MeasuresCache().back().get();
        measures->log = log;
        std::memcpy(measures->scale, m_scale, sizeof m_scale);
    }
    m_fonts.push_back({log, measures});
    m_font = int(m_fonts.size()) - 1;
}

void QvDCCanvas::Realize() {
    if (m_selectedFont != m_font) {
        m_gdiFont.DeleteObject();
        m_gdiFont.CreateFontIndirect(&m_fonts[size_t(m_font)].log);
        m_fontSelect.Select(&m_gdiFont);
        m_selectedFont = m_font;
    }
    m_dc->SetTextColor(m_colour);
}

TEXTMETRIC QvDCCanvas::GetTextMetrics() {
    Measures& f = *m_fonts[size_t(m_font)].measures;
    if (!f.haveMetrics) {
        Realize();
        m_dc->GetTextMetrics(&f.metrics);
        f.haveMetrics = true;
    }
    return f.metrics;
}

int QvDCCanvas::GetTextWidth(const QString& text) {
    if (text.size() != 1) {
        Realize();
        return m_dc->GetTextExtent(text).cx;
    }
    Measures& f = *m_fonts[size_t(m_font)].measures;
    auto found = f.widths.find(text[0].unicode());
    if (found != f.widths.end())
        return found->second;
    Realize();
    int width = m_dc->GetTextExtent(text).cx;
    f.widths.emplace(text[0].unicode(), width);
    return width;
}

void QvDCCanvas::TextOut(int x, int y, const QString& text) {
    if (!m_ink)
        return;
    Realize();
    m_dc->TextOut(x, y, text);
}

void QvDCCanvas::Polyline(const CPoint* points, int count, int penWidth, COLORREF colour) {
    if (!m_ink)
        return;
    const LOGPEN& current = m_dc->GetCurrentPen()->Log();
    if (!m_penSelected || current.lopnStyle != PS_INSIDEFRAME || current.lopnWidth.x != penWidth ||
        current.lopnColor != colour) {
        m_pen.DeleteObject();
        m_pen.CreatePen(PS_INSIDEFRAME, penWidth, colour);
        m_penSelect.Select(&m_pen);
        m_penSelected = true;
    }
    m_dc->Polyline(points, count);
}
