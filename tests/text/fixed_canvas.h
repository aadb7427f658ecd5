#pragma once
// A canvas with round-number metrics that records what is drawn, so that
// layout tests can assert exact positions.  A font of height t (its own
// height under MM_TEXT, its drawing height elsewhere) is t high with a
// descent of t/5 and every character t/2 wide.
#include "platform/dc.h"
#include "text/equation_canvas.h"

#include <QString>

#include <cstdlib>
#include <vector>

struct InkText {
    int x, y;
    QString text;
    int height; // the font's height in logical units
    bool symbol, bold, italic;
};

struct InkLine {
    std::vector<CPoint> points;
};

class FixedCanvas : public QvEquationCanvas {
public:
    explicit FixedCanvas(int mapMode = MM_TEXT) : m_mapMode(mapMode) {}

    int GetMapMode() const override { return m_mapMode; }
    bool IsYUp() const override { return m_mapMode == MM_HIMETRIC; }
    void SelectFont(const QvLogFont& font) override {
        m_font = font;
        m_height = std::abs(m_mapMode == MM_TEXT ? font.m_logFont.lfHeight : font.m_drawHeight);
    }
    TEXTMETRIC GetTextMetrics() override {
        TEXTMETRIC tm;
        tm.tmHeight = m_height;
        tm.tmDescent = m_height / 5;
        tm.tmAscent = m_height - tm.tmDescent;
        tm.tmAveCharWidth = m_height / 2;
        return tm;
    }
    int GetTextWidth(const QString& text) override { return int(text.size()) * (m_height / 2); }
    void TextOut(int x, int y, const QString& text) override {
        texts.push_back({x, y, text, m_height, m_font.FaceName() == QLatin1String("Symbol"),
                         m_font.m_logFont.lfWeight >= 700, m_font.m_logFont.lfItalic != 0});
    }
    void Polyline(const CPoint* points, int count, int, COLORREF) override {
        lines.push_back({std::vector<CPoint>(points, points + count)});
    }

    // The first text drawn that reads `text`, or null.
    const InkText* Find(const QString& text) const {
        for (const InkText& t : texts) {
            if (t.text == text)
                return &t;
        }
        return nullptr;
    }

    std::vector<InkText> texts;
    std::vector<InkLine> lines;

private:
    int m_mapMode;
    QvLogFont m_font;
    int m_height = 0;
};
