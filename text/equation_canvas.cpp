#include "text/equation_canvas.h"

QvDCCanvas::QvDCCanvas(CDC* dc, bool ink)
    : m_dc(dc), m_ink(ink), m_savedColour(dc->GetTextColor()), m_savedAlign(dc->GetTextAlign()),
      m_savedBkMode(dc->GetBkMode()) {
    if (m_ink) {
        m_dc->SetTextAlign(TA_LEFT | TA_BOTTOM);
        m_dc->SetBkMode(TRANSPARENT);
    }
}

QvDCCanvas::~QvDCCanvas() {
    if (m_fontSelected) {
        m_dc->SelectObject(m_savedFont);
        m_dc->SetTextColor(m_savedColour);
    }
    if (m_penSelected)
        m_dc->SelectObject(m_savedPen);
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
    // Runs of cells share a font; selecting it again would only cost.
    if (m_fontSelected && log == m_selected) {
        m_dc->SetTextColor(font.m_color);
        return;
    }
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&log);
    CFont* previous = m_dc->SelectObject(&m_font);
    if (!m_fontSelected)
        m_savedFont = previous;
    m_dc->SetTextColor(font.m_color);
    m_selected = log;
    m_fontSelected = true;
}

TEXTMETRIC QvDCCanvas::GetTextMetrics() {
    TEXTMETRIC tm;
    m_dc->GetTextMetrics(&tm);
    return tm;
}

int QvDCCanvas::GetTextWidth(const QString& text) {
    return m_dc->GetTextExtent(text).cx;
}

void QvDCCanvas::TextOut(int x, int y, const QString& text) {
    if (m_ink)
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
        CPen* previous = m_dc->SelectObject(&m_pen);
        if (!m_penSelected)
            m_savedPen = previous;
        m_penSelected = true;
    }
    m_dc->Polyline(points, count);
}
