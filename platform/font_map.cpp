#include "platform/font_map.h"

#include "platform/codepage.h"

namespace {
// Symbol codes 0x20-0x7E where they differ from ASCII.
char16_t Low(unsigned char c) {
    switch (c) {
    case 0x22:
        return 0x2200; // for all
    case 0x24:
        return 0x2203; // there exists
    case 0x27:
        return 0x220B; // contains as member
    case 0x2A:
        return 0x2217; // asterisk operator
    case 0x2D:
        return 0x2212; // minus
    case 0x40:
        return 0x2245; // approximately equal
    case 0x5C:
        return 0x2234; // therefore
    case 0x5E:
        return 0x22A5; // perpendicular
    case 0x60:
        return 0x203E; // radical extender
    case 0x7E:
        return 0x223C; // tilde operator
    default:
        break;
    }
    // Greek letters in the order of the Latin ones they sit on.
    static constexpr char16_t upper[26] = {
        0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399,
        0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, 0x03A0, 0x0398, 0x03A1,
        0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396,
    };
    static constexpr char16_t lower[26] = {
        0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9,
        0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1,
        0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6,
    };
    if (c >= 'A' && c <= 'Z')
        return upper[c - 'A'];
    if (c >= 'a' && c <= 'z')
        return lower[c - 'a'];
    return c;
}

// Symbol codes 0xA0-0xFF.
constexpr char16_t kHigh[96] = {
    0x20AC,
    0x03D2,
    0x2032,
    0x2264,
    0x2044,
    0x221E,
    0x0192,
    0x2663, // A0
    0x2666,
    0x2665,
    0x2660,
    0x2194,
    0x2190,
    0x2191,
    0x2192,
    0x2193, // A8
    0x00B0,
    0x00B1,
    0x2033,
    0x2265,
    0x00D7,
    0x221D,
    0x2202,
    0x2022, // B0
    0x00F7,
    0x2260,
    0x2261,
    0x2248,
    0x2026,
    0x23D0,
    0x23AF,
    0x21B5, // B8
    0x2135,
    0x2111,
    0x211C,
    0x2118,
    0x2297,
    0x2295,
    0x2205,
    0x2229, // C0
    0x222A,
    0x2283,
    0x2287,
    0x2284,
    0x2282,
    0x2286,
    0x2208,
    0x2209, // C8
    0x2220,
    0x2207,
    0x00AE,
    0x00A9,
    0x2122,
    0x220F,
    0x221A,
    0x22C5, // D0
    0x00AC,
    0x2227,
    0x2228,
    0x21D4,
    0x21D0,
    0x21D1,
    0x21D2,
    0x21D3, // D8
    0x25CA,
    0x2329,
    0x00AE,
    0x00A9,
    0x2122,
    0x2211,
    0x239B,
    0x239C, // E0
    0x239D,
    0x23A1,
    0x23A2,
    0x23A3,
    0x23A7,
    0x23A8,
    0x23A9,
    0x23AA, // E8
    0x00F0 /* no glyph */,
    0x232A,
    0x222B,
    0x2320,
    0x23AE,
    0x2321,
    0x239E,
    0x239F, // F0
    0x23A0,
    0x23A4,
    0x23A5,
    0x23A6,
    0x23AB,
    0x23AC,
    0x23AD,
    0x00FF /* no glyph */, // F8
};
} // namespace

QString SubstituteFace(const QString& face) {
    if (face.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (face.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Serif");
    if (face.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Mono");
    if (IsSymbolFace(face))
        return QStringLiteral("Liberation Serif");
    return face;
}

QString DrawingFace(const QString& family) {
    if (family.compare(QLatin1String("Liberation Sans"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Arial");
    if (family.compare(QLatin1String("Liberation Serif"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Times New Roman");
    if (family.compare(QLatin1String("Liberation Mono"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Courier New");
    return family;
}

QStringList SymbolFamilies() {
    return {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Sans")};
}

bool IsSymbolFace(const QString& face) {
    return face.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
}

char16_t SymbolToUnicode(unsigned char code) {
    if (code >= 0xA0)
        return kHigh[code - 0xA0];
    if (code >= 0x20 && code < 0x7F)
        return Low(code);
    if (code == 2)
        return 0x2225; // parallel to
    return code;
}

QString SymbolTextToUnicode(const QString& text) {
    // The codes arrive as Windows-1252 characters; take their byte values.
    // A character outside the code page was typed as itself and stays.
    QString out = text;
    QByteArray byte;
    for (qsizetype i = 0; i < out.size(); ++i) {
        // 0x80-0x9F have no Symbol glyphs; the character stays as decoded.
        if (ToWindows1252(QString(out[i]), byte) && (static_cast<unsigned char>(byte[0]) < 0x80 ||
                                                     static_cast<unsigned char>(byte[0]) >= 0xA0))
            out[i] = QChar(SymbolToUnicode(static_cast<unsigned char>(byte[0])));
    }
    return out;
}
