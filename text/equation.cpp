#include "text/equation.h"

#include "platform/dc.h"
#include "text/font_select.h"

void QvEquation::SetText(const QString& text, const QvEquationOptions*) {
    m_text = text;
}

void QvEquation::Draw(CDC* dc, int x, int y, const QvEquationOptions*, const QvLogFont* font) {
    QvFontSelect select;
    if (font)
        select.SetFont(*font);
    select.Select(dc);
    dc->TextOut(x, y, m_text);
    select.Restore(dc);
}
