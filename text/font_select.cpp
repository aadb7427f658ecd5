#include "text/font_select.h"

#include "platform/dc.h"

QvFontSelect::~QvFontSelect() {
    // Select without Restore: leave the context a font that outlives us.
    if (m_dc && m_savedFont)
        m_dc->SelectStockObject(SYSTEM_FONT);
}

BOOL QvFontSelect::SetFont(const QvLogFont& font) {
    m_font.Assign(font);
    return TRUE;
}

void QvFontSelect::Select(CDC* dc, int) {
    m_createdFont = std::make_unique<CFont>();
    LOGFONT log = m_font.m_logFont;
    if (dc->GetMapMode() != MM_TEXT)
        log.lfHeight = m_font.m_drawHeight;
    m_createdFont->CreateFontIndirect(&log);
    m_savedFont = dc->SelectObject(m_createdFont.get());
    m_savedColor = dc->SetTextColor(m_font.m_color);
    m_dc = dc;
}

void QvFontSelect::Restore(CDC* dc) {
    if (m_savedFont)
        dc->SelectObject(m_savedFont);
    dc->SetTextColor(m_savedColor);
    m_createdFont.reset();
    m_savedFont = nullptr;
    m_dc = nullptr;
}
