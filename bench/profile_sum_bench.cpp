#include <benchmark/benchmark.h>

#include "model/line_shapes.h"
#include "model/trazel_doc.h"

namespace {

// 99 peaks spread over 0..1000, as a full document would hold them.
PeakTable FullTable() {
    CTrazelDoc doc;
    doc.OnNewDocument();
    for (int i = 0; i < 99; ++i) {
        doc.AddPeak(10.0 * i + 5.0, 0.5 + 0.025 * i, 5.0 + 0.45 * i, 1.0);
    }
    return doc.Table();
}

void ProfileSumScreenGrid(benchmark::State& state) {
    const PeakTable table = FullTable();
    const auto shape = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        double total = 0.0;
        for (int j = 0; j < 250; ++j) {
            total += ProfileSum(table, shape, false, SampleX(j, 250, 0.0, 1000.0));
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(ProfileSumScreenGrid)->Arg(Gaussian)->Arg(Lorentzian)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
