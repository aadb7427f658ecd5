#include "settings/setting_values.h"

#include "platform/archive.h"
#include "platform/codepage.h"
#include "platform/file.h"
#include "platform/numbers.h"
#include "platform/profile.h"

#include <QRegularExpression>

namespace {
// A definition file that ends inside a value, or holds one that cannot be
// what the setting expects, is refused; the caller keeps nothing of it.
[[noreturn]] void Refuse(CFile* file, CFileException::Cause cause, const char* what) {
    throw CFileException(cause, file->GetFilePath(), QString::fromLatin1(what));
}

LONG ReadDefLong(CFile* file) {
    LONG v = 0;
    if (file->Read(&v, sizeof v) != sizeof v)
        Refuse(file, CFileException::endOfFile, "the file ends inside a number");
    return v; // little-endian on every target we build for
}

void WriteDefLong(CFile* file, LONG v) {
    file->Write(&v, sizeof v);
}

// "%f" text, as this store writes it; anything else is not a stored double.
bool IsNumberText(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    return form.match(text).hasMatch();
}

QString DoubleText(double v) {
    return FormatC("%f", v);
}
} // namespace

BOOL WriteDefString(CFile* file, const QString& text) {
    QByteArray bytes = ToWindows1252(text);
    if (bytes.size() > kMaxDefString)
        throw CFileException(CFileException::invalidFile, file->GetFilePath(),
                             QStringLiteral("a text is too long for the definition file"));
    bytes.replace('\xFF', '?');
    bytes.append('\xFF');
    file->Write(bytes.constData(), UINT(bytes.size()));
    return TRUE;
}

QString ReadDefString(CFile* file) {
    QByteArray bytes;
    for (;;) {
        char c;
        if (file->Read(&c, 1) != 1)
            Refuse(file, CFileException::endOfFile, "the file ends inside a text");
        if (BYTE(c) == 0xFF)
            break;
        if (bytes.size() >= kMaxDefString)
            Refuse(file, CFileException::invalidFile, "a text is longer than any setting holds");
        bytes.append(c);
    }
    return FromWindows1252(bytes);
}

// --- int and colour ----------------------------------------------------------

BOOL QvSettingInt::Read(CWinApp*, CFile* file) {
    if (file)
        m_value = ReadDefLong(file);
    else
        m_value = GetProfileInt(m_section, m_key, m_value);
    return TRUE;
}

BOOL QvSettingInt::Write(CWinApp*, CFile* file, BOOL defaults) {
    int w = defaults ? m_default : m_value;
    if (file)
        WriteDefLong(file, w);
    else
        WriteProfileInt(m_section, m_key, w);
    return TRUE;
}

void QvSettingInt::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << LONG(m_value);
    } else {
        LONG v;
        ar >> v;
        m_value = v;
    }
}

BOOL QvSettingColor::Read(CWinApp*, CFile* file) {
    if (file)
        m_value = COLORREF(ReadDefLong(file));
    else
        m_value = COLORREF(GetProfileInt(m_section, m_key, int(m_value)));
    return TRUE;
}

BOOL QvSettingColor::Write(CWinApp*, CFile* file, BOOL defaults) {
    COLORREF w = defaults ? m_default : m_value;
    if (file)
        WriteDefLong(file, LONG(w));
    else
        WriteProfileInt(m_section, m_key, int(w));
    return TRUE;
}

void QvSettingColor::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << DWORD(m_value);
    } else {
        DWORD v;
        ar >> v;
        m_value = v;
    }
}

// --- bool and char -----------------------------------------------------------

BOOL QvSettingBool::Read(CWinApp*, CFile* file) {
    int n = file ? ReadDefLong(file) : GetProfileInt(m_section, m_key, m_value == 1 ? 1 : 0);
    m_value = n == 1 ? 1 : 0;
    return TRUE;
}

BOOL QvSettingBool::Write(CWinApp*, CFile* file, BOOL defaults) {
    int w = (defaults ? m_default : m_value) == 1 ? 1 : 0;
    if (file)
        WriteDefLong(file, w);
    else
        WriteProfileInt(m_section, m_key, w);
    return TRUE;
}

void QvSettingBool::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << BYTE(m_value);
    else
        ar >> m_value;
}

void QvSettingChar::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_value;
    else
        ar >> m_value;
}

// --- double ------------------------------------------------------------------

BOOL QvSettingDouble::Read(CWinApp*, CFile* file) {
    if (file) {
        QString text = ReadDefString(file);
        if (!IsNumberText(text))
            Refuse(file, CFileException::invalidFile, "a number setting holds no number");
        m_value = AtofC(text);
    } else {
        m_value = AtofC(GetProfileString(m_section, m_key, DoubleText(m_value)));
    }
    return TRUE;
}

BOOL QvSettingDouble::Write(CWinApp*, CFile* file, BOOL defaults) {
    QString text = DoubleText(defaults ? m_default : m_value);
    if (file)
        WriteDefString(file, text);
    else
        WriteProfileString(m_section, m_key, text);
    return TRUE;
}

void QvSettingDouble::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_value;
    else
        ar >> m_value;
}

// --- string ------------------------------------------------------------------

BOOL QvSettingString::Read(CWinApp*, CFile* file) {
    if (file)
        m_value = ReadDefString(file);
    else
        m_value = GetProfileString(m_section, m_key, m_value);
    return TRUE;
}

BOOL QvSettingString::Write(CWinApp*, CFile* file, BOOL defaults) {
    const QString& w = defaults ? m_default : m_value;
    if (file)
        WriteDefString(file, w);
    else
        WriteProfileString(m_section, m_key, w);
    return TRUE;
}

void QvSettingString::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_value;
    else
        ar >> m_value;
}

// --- font --------------------------------------------------------------------

BOOL QvSettingFont::Read(CWinApp*, CFile* file) {
    QString text;
    if (file) {
        text = ReadDefString(file);
        if (!QvLogFont::IsValidText(text))
            Refuse(file, CFileException::invalidFile, "a font setting holds no font");
    } else {
        text = GetProfileString(m_section, m_key, m_value.ToText());
    }
    m_value.FromText(text);
    return TRUE;
}

BOOL QvSettingFont::Write(CWinApp*, CFile* file, BOOL defaults) {
    QString text = (defaults ? m_default : m_value).ToText();
    if (file)
        WriteDefString(file, text);
    else
        WriteProfileString(m_section, m_key, text);
    return TRUE;
}

// --- custom colours ----------------------------------------------------------

void QvCustomColorSettings::Init() {
    static const COLORREF defaults[kCount] = {
        0x3C3C3C, 0x646464, 0xF0F0F0, 0x828282, 0xC8C8C8, 0xA0A0A0, 0xFFFFFF, 0xFFFFFF,
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    for (int i = 0; i < kCount; ++i)
        m_colors[i].Init(QStringLiteral("CustomColor"), QString::number(i), defaults[i]);
}

BOOL QvCustomColorSettings::Read(CWinApp* app, CFile* file) {
    for (QvSettingColor& c : m_colors)
        c.Read(app, file);
    return TRUE;
}

BOOL QvCustomColorSettings::Write(CWinApp* app, CFile* file, BOOL defaults) {
    for (QvSettingColor& c : m_colors)
        c.Write(app, file, defaults);
    return TRUE;
}

void QvCustomColorSettings::Serialize(CArchive& ar) {
    for (QvSettingColor& c : m_colors)
        c.Serialize(ar);
}
