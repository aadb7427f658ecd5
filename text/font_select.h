#pragma once
// Selects a label's font into a device context for one drawing and puts the
// context's font and text colour back afterwards.
#include "platform/object.h"
#include "text/log_font.h"

#include <memory>

class CDC;
class CFont;

class QvFontSelect : public CObject {
public:
    QvFontSelect() = default;
    ~QvFontSelect() override;
    QvFontSelect(const QvFontSelect&) = delete;
    QvFontSelect& operator=(const QvFontSelect&) = delete;

    BOOL SetFont(const QvLogFont& font);
    // Outside MM_TEXT the font is made at its drawing height.
    void Select(CDC* dc, int unused = 0);
    void Restore(CDC* dc);

    const QvLogFont& Font() const { return m_font; }

private:
    QvLogFont m_font;
    COLORREF m_savedColor = 0;
    CFont* m_savedFont = nullptr;
    std::unique_ptr<CFont> m_createdFont;
    CDC* m_dc = nullptr;
};
