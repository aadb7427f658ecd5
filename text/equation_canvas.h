#pragma once
// What the typesetter asks of a surface: font metrics and text widths in
// logical units, and ink.  Measuring reads the metrics of the context it
// will draw into but never inks it, so nothing lands in a printout, an SVG
// or a picture.
#include "platform/dc.h"
#include "text/log_font.h"

#include <unordered_map>
#include <vector>

class QvEquationCanvas {
public:
    virtual ~QvEquationCanvas() = default;
    virtual int GetMapMode() const = 0;
    // Whether y grows up the page (MM_HIMETRIC and the like).
    virtual bool IsYUp() const = 0;
    // The font for what follows, at its own height under MM_TEXT and at its
    // drawing height elsewhere; text takes the font's colour.
    virtual void SelectFont(const QvLogFont& font) = 0;
    virtual TEXTMETRIC GetTextMetrics() = 0;
    virtual int GetTextWidth(const QString& text) = 0;
    // Text with the bottom left of its cell at (x, y).
    virtual void TextOut(int x, int y, const QString& text) = 0;
    virtual void Polyline(const CPoint* points, int count, int penWidth, COLORREF colour) = 0;
};

// A canvas over a device context.  The context's font, text colour, pen,
// alignment and background mode are put back when the canvas goes.  Fonts
// are selected into the context only when text is drawn or measured for
// the first time: the metrics and character widths of each font, at each
// scale of a context, are kept for the program's run, since a page of
// equations asks for the same few again and again.
class QvDCCanvas : public QvEquationCanvas {
public:
    // Without ink only the context's metrics are read.
    QvDCCanvas(CDC* dc, bool ink);
    ~QvDCCanvas() override;
    QvDCCanvas(const QvDCCanvas&) = delete;
    QvDCCanvas& operator=(const QvDCCanvas&) = delete;
    struct Measures;

    int GetMapMode() const override { return m_dc->GetMapMode(); }
    bool IsYUp() const override;
    void SelectFont(const QvLogFont& font) override;
    TEXTMETRIC GetTextMetrics() override;
    int GetTextWidth(const QString& text) override;
    void TextOut(int x, int y, const QString& text) override;
    void Polyline(const CPoint* points, int count, int penWidth, COLORREF colour) override;

private:
    struct Font {
        LOGFONT log;
        Measures* measures;
    };
    // Selects the current font into the context, with its colour.
    void Realize();

    CDC* m_dc;
    bool m_ink;
    std::vector<Font> m_fonts;
    int m_font = -1;         // the font asked for last
    int m_selectedFont = -1; // the font the context has, -1 none of ours
    COLORREF m_colour = 0;
    CFont m_gdiFont;
    CPen m_pen;
    bool m_penSelected = false;
    COLORREF m_savedColour;
    UINT m_savedAlign;
    int m_savedBkMode;
    // After the font and pen they select, so that they go first.
    CDCSelect<CFont> m_fontSelect;
    CDCSelect<CPen> m_penSelect;
    int m_scale[8];
};
