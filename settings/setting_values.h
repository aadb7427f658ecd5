#pragma once
// Typed setting values.  Each knows its section, key, current value and
// default, and reads and writes itself in the profile (file null) or in the
// definition file (file given).  Profile reads fall back to the current
// value, so a missing or unreadable entry changes nothing.
#include "platform/object.h"
#include "platform/win_types.h"
#include "text/log_font.h"

#include <QString>

class CArchive;
class CFile;
class CWinApp;

// Longest text a definition string may hold: a path or a font's text form.
constexpr int kMaxDefString = 260;

// Writes the text's Windows-1252 bytes and the closing 0xFF.  A 0xFF inside
// the text (a 'ÿ') would end the string early and put the rest of the file
// out of step, so it is written as '?'.  Throws CFileException for a text
// longer than kMaxDefString, which could not be read back.
BOOL WriteDefString(CFile* file, const QString& text);
// Reads up to the next 0xFF.  Throws CFileException at the end of the file
// or when no 0xFF comes within kMaxDefString bytes.
QString ReadDefString(CFile* file);

// Shared state of the typed settings: section, key, flag, value, default.
template <class V> class QvSettingValue {
public:
    void Init(const QString& section, const QString& key, const V& def) {
        Init(section, key, 0, def);
    }
    void Init(const QString& section, const QString& key, BYTE flag, const V& def) {
        m_section = section;
        m_key = key;
        m_flag = flag;
        m_value = def;
        m_default = def;
    }
    V GetValue() const { return m_value; }
    void SetValue(const V& value) { m_value = value; }
    V GetDefault() const { return m_default; }
    const QString& GetSection() const { return m_section; }
    const QString& GetKey() const { return m_key; }
    BYTE GetFlag() const { return m_flag; }

protected:
    QvSettingValue() = default;
    ~QvSettingValue() = default;
    V m_value{};
    V m_default{};
    QString m_key;
    QString m_section;
    BYTE m_flag = 0;
};

class QvSettingInt : public QvSettingValue<int> {
public:
    virtual ~QvSettingInt() = default;
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);
    virtual void Serialize(CArchive& ar);
};

class QvSettingColor : public QvSettingValue<COLORREF> {
public:
    virtual ~QvSettingColor() = default;
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);
    virtual void Serialize(CArchive& ar);
};

// A byte, 0 or 1; reads true only from a stored 1.
class QvSettingBool : public QvSettingValue<BYTE> {
public:
    virtual ~QvSettingBool() = default;
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);
    virtual void Serialize(CArchive& ar);
};

// Never stored: its group gives it its value.
class QvSettingChar : public QvSettingValue<char> {
public:
    virtual ~QvSettingChar() = default;
    virtual void Serialize(CArchive& ar);
};

// Stored as its "%f" text (six decimals) in the C locale.
class QvSettingDouble : public QvSettingValue<double> {
public:
    virtual ~QvSettingDouble() = default;
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);
    virtual void Serialize(CArchive& ar);
};

class QvSettingString : public QvSettingValue<QString> {
public:
    virtual ~QvSettingString() = default;
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);
    virtual void Serialize(CArchive& ar);
};

// Stored as the font's text form.
class QvSettingFont : public CObject, public QvSettingValue<QvLogFont> {
public:
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);
};

// The colour dialog's sixteen custom colours, section "CustomColor".
class QvCustomColorSettings {
public:
    virtual ~QvCustomColorSettings() = default;
    static constexpr int kCount = 16;
    void Init(); // keys "0" to "15" with their defaults
    BOOL Read(CWinApp* app, CFile* file);
    BOOL Write(CWinApp* app, CFile* file, BOOL defaults);
    virtual void Serialize(CArchive& ar);
    QvSettingColor& operator[](int index) { return m_colors[index]; }
    const QvSettingColor& operator[](int index) const { return m_colors[index]; }

private:
    QvSettingColor m_colors[kCount];
};
