#include "text/log_font.h"

#include "platform/archive.h"
#include "platform/codepage.h"
#include "platform/numbers.h"

#include <QRegularExpression>

#include <cstring>

IMPLEMENT_SERIAL(QvLogFont, CObject, 1)

QvLogFont::QvLogFont() {
    m_logFont.lfHeight = -14;
    m_logFont.lfWidth = 0;
    m_logFont.lfEscapement = 0;
    m_logFont.lfOrientation = 0;
    m_logFont.lfWeight = 400;
    m_logFont.lfItalic = 0;
    m_logFont.lfUnderline = 0;
    m_logFont.lfStrikeOut = 0;
    m_logFont.lfCharSet = 0;
    m_logFont.lfOutPrecision = 7;
    m_logFont.lfClipPrecision = 0x30;
    m_logFont.lfQuality = 2;
    m_logFont.lfPitchAndFamily = 2;
    SetFaceName(QStringLiteral("Arial"));
}

QvLogFont::QvLogFont(const QvLogFont& other) : CObject(other) {
    Assign(other);
}

QvLogFont& QvLogFont::Assign(const QvLogFont& other) {
    m_logFont = other.m_logFont;
    m_color = other.m_color;
    m_drawHeight = other.m_drawHeight;
    return *this;
}

void QvLogFont::Set(const LOGFONT& logFont, COLORREF color, int drawHeight) {
    m_logFont = logFont;
    m_color = color;
    m_drawHeight = drawHeight;
}

void QvLogFont::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << LONG(m_logFont.lfHeight) << LONG(m_logFont.lfWeight) << m_logFont.lfItalic
           << m_logFont.lfUnderline << m_logFont.lfStrikeOut << m_logFont.lfCharSet;
        ar.Write(m_logFont.lfFaceName, LF_FACESIZE);
        ar << DWORD(m_color) << DWORD(m_drawHeight);
    } else {
        LONG height, weight;
        BYTE italic, underline, strikeOut, charSet;
        char face[LF_FACESIZE];
        DWORD color, drawHeight;
        ar >> height >> weight >> italic >> underline >> strikeOut >> charSet;
        ar.ReadExact(face, LF_FACESIZE);
        ar >> color >> drawHeight;
        m_logFont.lfHeight = height;
        m_logFont.lfWeight = weight;
        m_logFont.lfItalic = italic;
        m_logFont.lfUnderline = underline;
        m_logFont.lfStrikeOut = strikeOut;
        m_logFont.lfCharSet = charSet;
        // A face without its terminator must not run into the next field.
        face[LF_FACESIZE - 1] = 0;
        std::memset(m_logFont.lfFaceName, 0, LF_FACESIZE);
        std::memcpy(m_logFont.lfFaceName, face, std::strlen(face));
        m_color = color;
        m_drawHeight = int(drawHeight);
    }
}

void QvLogFont::WriteBlock(CArchive& ar) const {
    const LOGFONT& lf = m_logFont;
    ar << DWORD(0) << lf.lfHeight << lf.lfWidth << lf.lfEscapement << lf.lfOrientation
       << lf.lfWeight << lf.lfItalic << lf.lfUnderline << lf.lfStrikeOut << lf.lfCharSet
       << lf.lfOutPrecision << lf.lfClipPrecision << lf.lfQuality << lf.lfPitchAndFamily;
    ar.Write(lf.lfFaceName, LF_FACESIZE);
    ar << DWORD(m_color) << LONG(m_drawHeight);
}

void QvLogFont::ReadBlock(CArchive& ar) {
    DWORD unused = 0, color = 0;
    LONG drawHeight = 0;
    LOGFONT lf;
    ar >> unused >> lf.lfHeight >> lf.lfWidth >> lf.lfEscapement >> lf.lfOrientation >>
        lf.lfWeight >> lf.lfItalic >> lf.lfUnderline >> lf.lfStrikeOut >> lf.lfCharSet >>
        lf.lfOutPrecision >> lf.lfClipPrecision >> lf.lfQuality >> lf.lfPitchAndFamily;
    ar.ReadExact(lf.lfFaceName, LF_FACESIZE);
    // A face without its terminator must not run into the next field.
    lf.lfFaceName[LF_FACESIZE - 1] = 0;
    ar >> color >> drawHeight;
    Set(lf, color, int(drawHeight));
}

QString QvLogFont::ToText() const {
    const LOGFONT& lf = m_logFont;
    return FormatC("%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,%i,", int(lf.lfHeight),
                   int(lf.lfWidth), int(lf.lfEscapement), int(lf.lfOrientation), int(lf.lfWeight),
                   int(lf.lfItalic), int(lf.lfUnderline), int(lf.lfStrikeOut), int(lf.lfCharSet),
                   int(lf.lfOutPrecision), int(lf.lfClipPrecision), int(lf.lfQuality),
                   int(lf.lfPitchAndFamily), int(LONG(m_color)), m_drawHeight) +
           FaceName();
}

void QvLogFont::FromText(const QString& text) {
    QString rest = text;
    int n[15];
    for (int& v : n) {
        qsizetype comma = rest.indexOf(',');
        if (comma < 0) {
            v = 0; // no comma left: an empty token, and the text stays as it is
            continue;
        }
        v = AtoiC(rest.left(comma));
        rest = rest.mid(comma + 1);
    }
    LOGFONT& lf = m_logFont;
    lf.lfHeight = n[0];
    lf.lfWidth = n[1];
    lf.lfEscapement = n[2];
    lf.lfOrientation = n[3];
    lf.lfWeight = n[4];
    lf.lfItalic = BYTE(n[5]);
    lf.lfUnderline = BYTE(n[6]);
    lf.lfStrikeOut = BYTE(n[7]);
    lf.lfCharSet = BYTE(n[8]);
    lf.lfOutPrecision = BYTE(n[9]);
    lf.lfClipPrecision = BYTE(n[10]);
    lf.lfQuality = BYTE(n[11]);
    lf.lfPitchAndFamily = BYTE(n[12]);
    m_color = COLORREF(n[13]);
    m_drawHeight = n[14];
    SetFaceName(rest);
}

bool QvLogFont::IsValidText(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^(?:\\s*[+-]?\\d{1,10},){15}(.*)$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    QByteArray face;
    return ToWindows1252(m.captured(1), face) && face.size() < LF_FACESIZE && !face.contains('\0');
}

QString QvLogFont::FaceName() const {
    return FromWindows1252(m_logFont.lfFaceName,
                           qsizetype(strnlen(m_logFont.lfFaceName, LF_FACESIZE)));
}

void QvLogFont::SetFaceName(const QString& face) {
    QByteArray bytes = ToWindows1252(face);
    qsizetype end = bytes.indexOf('\0');
    if (end >= 0)
        bytes.truncate(end);
    // The face field holds 31 characters and its terminator.
    bytes.truncate(LF_FACESIZE - 1);
    std::memset(m_logFont.lfFaceName, 0, LF_FACESIZE);
    std::memcpy(m_logFont.lfFaceName, bytes.constData(), size_t(bytes.size()));
}
