#include "platform/numbers.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {
locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

// Switches this thread to the C locale for the lifetime of the guard.
class CLocaleGuard {
public:
    CLocaleGuard() : m_old(uselocale(CLocale())) {}
    ~CLocaleGuard() { uselocale(m_old); }

private:
    locale_t m_old;
};
} // namespace

QString FormatC(const char* format, ...) {
    CLocaleGuard guard;
    char small[128];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (n < 0)
        return QString();
    if (n < int(sizeof small))
        return QString::fromLatin1(small, n);
    QByteArray big(n + 1, Qt::Uninitialized);
    va_start(args, format);
    std::vsnprintf(big.data(), big.size(), format, args);
    va_end(args);
    big.chop(1);
    return QString::fromLatin1(big);
}

double AtofC(const char* text) {
    return strtod_l(text, nullptr, CLocale());
}

double AtofC(const QString& text) {
    return AtofC(text.toLatin1().constData());
}

int AtoiC(const QString& text) {
    return int(strtol_l(text.toLatin1().constData(), nullptr, 10, CLocale()));
}
