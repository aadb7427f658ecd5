#include "platform/codepage.h"

namespace {
// 0x80-0x9F; undefined positions keep their own value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int ToByte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c)
            return 0x80 + i;
    }
    return -1;
}
} // namespace

QString FromWindows1252(const char* bytes, qsizetype length) {
    QString out(length, Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < length; ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
    }
    return out;
}

QString FromWindows1252(const QByteArray& bytes) {
    return FromWindows1252(bytes.constData(), bytes.size());
}

bool ToWindows1252(const QString& text, QByteArray& bytes) {
    bytes.resize(text.size());
    bool all = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        int b = ToByte(text[i].unicode());
        if (b < 0) {
            all = false;
            b = '?';
        }
        bytes[i] = char(b);
    }
    return all;
}

QByteArray ToWindows1252(const QString& text) {
    QByteArray bytes;
    ToWindows1252(text, bytes);
    return bytes;
}

bool IsWindows1252(const QString& text) {
    for (QChar c : text) {
        if (ToByte(c.unicode()) < 0)
            return false;
    }
    return true;
}
