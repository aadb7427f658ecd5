// The text parsers: font texts (profile and definition file), number texts
// (typed steps and angles), Windows-1252 and the number formatting.  The
// first byte chooses the parser, the rest is its text.
#include "fuzz_support.h"

#include "platform/codepage.h"
#include "platform/numbers.h"
#include "text/log_font.h"
#include "text/number_text.h"

#include <cmath>

namespace {

QString Utf16(const QByteArray& bytes) {
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

void FontText(const QString& text) {
    QvLogFont::IsValidText(text);
    QvLogFont font;
    font.FromText(text);
    // Whatever was read writes a valid text that reads back the same.
    const QString written = font.ToText();
    FUZZ_CHECK(QvLogFont::IsValidText(written));
    QvLogFont back;
    back.FromText(written);
    FUZZ_CHECK(back == font);
}

void NumberText(const QString& text) {
    QvParseNumber(text);
    QvTextToDouble(text);
    AtofC(text);
    AtoiC(text);
}

void Windows1252(const QByteArray& bytes) {
    // Every byte string survives a round trip.
    const QString text = FromWindows1252(bytes);
    QByteArray back;
    FUZZ_CHECK(ToWindows1252(text, back));
    FUZZ_CHECK(back == bytes);
    // Any text converts; when it says it could, the bytes read back alike.
    const QString any = Utf16(bytes);
    QByteArray converted;
    if (ToWindows1252(any, converted)) {
        FUZZ_CHECK(IsWindows1252(any));
        FUZZ_CHECK(FromWindows1252(converted) == any);
    } else {
        FUZZ_CHECK(!IsWindows1252(any));
        FUZZ_CHECK(converted.size() == any.size());
    }
}

void NumberFormat(FuzzInput& in) {
    const double value = in.Take<double>();
    const int digits = in.Take<signed char>();
    const char point = (in.Take<uint8_t>() & 1) ? ',' : '.';
    QString text;
    QvFormatDouble(text, value, digits, point);
    const QString shown = QvFormatNumber(value, digits);
    FUZZ_CHECK(!shown.contains(u'-'));
    if (!std::isfinite(value) || std::fabs(value) >= 1e15 || digits < 0 || digits > 15)
        return;
    // The text is the value to the digits asked for.
    FUZZ_CHECK(!text.isEmpty() && !text.endsWith(QChar::fromLatin1(point)));
    const double back = AtofC(QString(text).replace(QChar::fromLatin1(point), u'.'));
    const double tolerance =
        std::max(0.5 * std::pow(10.0, -digits), 1e-9) + std::fabs(value) * 1e-15;
    FUZZ_CHECK(std::fabs(back - value) <= tolerance);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSetUp();
    FuzzInput in(data, size);
    switch (in.Take<uint8_t>() % 5) {
    case 0:
        FontText(FromWindows1252(in.Rest()));
        break;
    case 1:
        FontText(Utf16(in.Rest()));
        break;
    case 2:
        NumberText(FromWindows1252(in.Rest()));
        break;
    case 3:
        Windows1252(in.Rest());
        break;
    default:
        NumberFormat(in);
        break;
    }
    return 0;
}
