// Filling a hash with string keys must not leave the processor's upper
// vector state dirty, or every later call into libm stalls (see
// platform/string_hashing.h).  The test program starts as the program does.
#include "platform/string_hashing.h"

#include <QHash>
#include <QString>

#include <cpuid.h>
#include <gtest/gtest.h>

namespace {

// XGETBV with ECX = 1 reports which register state is in use; bit 2 is the
// upper halves of the YMM registers.
bool UpperVectorStateInUse(bool* known) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    *known = false;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_OSXSAVE) || !(c & bit_AVX))
        return false;
    if (!__get_cpuid_count(0xD, 1, &a, &b, &c, &d) || !(a & (1u << 2)))
        return false;
    unsigned lo = 0, hi = 0;
    __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(1));
    *known = true;
    return lo & (1u << 2);
}

TEST(StringHashing, AStringKeyedHashLeavesTheVectorStateClean) {
    EXPECT_EQ(size_t(QHashSeed::globalSeed()), 0u);
    QHash<QString, int> hash;
    for (int i = 0; i < 100; ++i)
        hash.insert(QStringLiteral("key number %1 of a longer text").arg(i), i);
    __asm__ volatile("" ::: "memory");
    bool known = false;
    const bool inUse = UpperVectorStateInUse(&known);
    if (!known)
        GTEST_SKIP() << "the processor does not report its vector state";
    EXPECT_FALSE(inUse);
    EXPECT_EQ(hash.value(QStringLiteral("key number 7 of a longer text")), 7);
}

} // namespace
