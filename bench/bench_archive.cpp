// Archive throughput: the cost every drawing load and save pays per value.
#include "platform/archive.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

static void BM_ArchiveDoubles(benchmark::State& state) {
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        {
            CArchive ar(&buffer, CArchive::store);
            for (int i = 0; i < state.range(0); ++i)
                ar << double(i) * 0.5;
        }
        buffer.seek(0);
        CArchive ar(&buffer, CArchive::load);
        double sum = 0;
        for (int i = 0; i < state.range(0); ++i) {
            double v;
            ar >> v;
            sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ArchiveDoubles)->Arg(100000);

BENCHMARK_MAIN();
