#include "platform/codepage.h"
#include "platform/font_map.h"
#include "text/equation_tables.h"

#include <QFont>
#include <QGlyphRun>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

// Glyph 0 is the font's missing-glyph box.
QString MissingGlyphs(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QString missing;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (quint32 glyph : run.glyphIndexes()) {
            if (glyph == 0)
                missing += text;
        }
    }
    return missing;
}

// Every sign the typesetter can put in a Symbol cell, and the en dash and
// raised dot it draws in the text's own face, have glyphs in the installed
// fonts (the setup script installs them).
TEST(SymbolGlyphs, EveryTableEntryAndLayoutSignHasAGlyph) {
    QFont symbol;
    symbol.setFamilies(SymbolFamilies());
    symbol.setPixelSize(40);
    std::vector<unsigned char> codes;
    for (const QvSymbolWord& w : kSymbolWords)
        codes.push_back(w.code);
    codes.push_back(kMultiplyDot);
    // Tall bracket pieces, integral, sum, product and the tilde below.
    for (unsigned char c = 230; c <= 254; ++c) {
        if (c != 240 && c != 241 && c != 243 && c != 244 && c != 245)
            codes.push_back(c);
    }
    for (unsigned char c : std::initializer_list<unsigned char>{242, 'S', 'P', '~'})
        codes.push_back(c);
    // Every Greek letter the words can name, in capitals too.
    for (unsigned char c : "pqabcdfglmrswWSezhiknxtuyGDQLXPUFYJj")
        if (c)
            codes.push_back(c);
    QString missing;
    for (unsigned char code : codes) {
        char byte = static_cast<char>(code);
        QString text = SymbolTextToUnicode(FromWindows1252(&byte, 1));
        missing += MissingGlyphs(symbol, text);
    }
    EXPECT_EQ(SymbolToUnicode(2), u'\u2225'); // "para"
    QFont sans(SubstituteFace(QStringLiteral("Arial")));
    sans.setPixelSize(40);
    missing += MissingGlyphs(sans, QStringLiteral("\u2013\u00B7\u00D7"));
    EXPECT_TRUE(missing.isEmpty()) << missing.toStdString();
}

} // namespace
