// A column fill evaluates a formula 500 times: after row 0, which does the
// whole-column work, no row may allocate.  malloc is replaced here (it
// serves operator new and Qt's containers alike) to count the allocations
// while the later rows run; under AddressSanitizer, which owns malloc, the
// test is skipped.
#include "stat_test_support.h"

#include "statistics/stat_data.h"
#include "statistics/stat_fit.h"
#include "statistics/stat_formula.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define LUMBREL_OWN_MALLOC 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMBREL_OWN_MALLOC 0
#endif
#endif
#ifndef LUMBREL_OWN_MALLOC
#define LUMBREL_OWN_MALLOC 1
#endif

namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
void Count() {
    if (g_counting.load(std::memory_order_relaxed))
        g_allocations.fetch_add(1, std::memory_order_relaxed);
}
} // namespace

#if LUMBREL_OWN_MALLOC
// glibc's own allocator, under the names it keeps for replacements.
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);

void* malloc(size_t size) {
    Count();
    return __libc_malloc(size);
}
void* calloc(size_t n, size_t size) {
    Count();
    return __libc_calloc(n, size);
}
void* realloc(void* p, size_t size) {
    Count();
    return __libc_realloc(p, size);
}
void free(void* p) {
    __libc_free(p);
}
}
#endif

namespace {

TEST(StatFormulaEval, LaterRowsAllocateNothing) {
    if (!LUMBREL_OWN_MALLOC)
        GTEST_SKIP() << "AddressSanitizer owns malloc";
    auto data = std::make_unique<QvStatData>();
    std::vector<double> a, b;
    for (int i = 0; i < 60; ++i) {
        a.push_back((i * 37) % 23 + 0.5);
        b.push_back(i % 7 == 3 ? QvStatEmpty : 2.0 * i + 1);
    }
    FillValues(data->columns[0], a);
    FillValues(data->columns[1], b);
    data->columns[1].cells[4].text = QStringLiteral("label");
    data->properties.col2 = 1;
    data->properties.RegType = QvStatFit::Linear;

    for (const char* text :
         {"ROUND(SQRT(ABS(A))*2+B/3,2)", "MPA(A,4)", "RANKA(A)-RANKD(B)", "PREDICTY(@)",
          "RESIDUALX(A,B,2)", "SEASONALISE(A,4)", "ZSCORE(A)+STANINE(B)", "SORTCOL(B)", "SORTD(A)",
          "FREQTABLE(A)", "GROUPW(B,10)", "CUMFREQTABLE(B)",
          "FIBONACCI(1,1,50)+TRIBONACCI(0,0,1,40)+TRIANGULAR(30)+INC(1,2,100)",
          "RANDNORMAL(50,10,30)+RAND(20)+RANDBETWEEN(1,6,500)",
          "RANDBINOMIAL(10,0.3,500)+RANDGEOMETRIC(0.25,500)+RANDNEGBINOMIAL(4,0.5,500)+"
          "RANDHYPERGEOMETRIC(10,50,20,500)+RANDBERNOULLI(0.5,500)",
          "TSDGEN(4,10,1,0,1,0.5,0.3,0,100)", "BIDATAGEN(C,0,10,1,2,0,1,0.9,50)"}) {
        SCOPED_TRACE(text);
        auto f = std::make_unique<QvStatFormula>();
        f->SetText(QString::fromLatin1(text));
        ASSERT_EQ(f->Compile(), QvStatFormula::kRead);
        QvStatColumn& target = data->columns[4];
        target.cells[0] = f->Evaluate(data.get(), 0, 4);
        g_allocations = 0;
        g_counting = true;
        for (int row = 1; row < QvStatColumn::Rows; ++row)
            target.cells[size_t(row)] = f->Evaluate(data.get(), row, 4);
        g_counting = false;
        EXPECT_EQ(g_allocations, 0);
    }
}

} // namespace
