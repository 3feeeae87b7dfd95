#include <benchmark/benchmark.h>

#include <vector>

#include "bench/bench_table.h"
#include "model/line_shapes.h"
#include "output/band_sums.h"

using namespace trazel::model;
using namespace trazel::output;

namespace {

constexpr int kScreenSamples = 250;

std::vector<double> ScreenGrid() {
    std::vector<double> xs;
    for (int j = 0; j < kScreenSamples; ++j) {
        xs.push_back(SampleX(j, kScreenSamples, 0.0, 1000.0));
    }
    return xs;
}

void ProfileSumScreenGrid(benchmark::State& state) {
    const PeakTable table = FullTable();
    const auto shape = static_cast<std::int32_t>(state.range(0));
    const std::vector<double> xs = ScreenGrid();
    for (auto _ : state) {
        double total = 0.0;
        for (const double x : xs) {
            total += ProfileSum(table, shape, false, x);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(ProfileSumScreenGrid)->Arg(Gaussian)->Arg(Lorentzian)->Unit(benchmark::kMicrosecond);

void BandSumsScreenGrid(benchmark::State& state) {
    const PeakTable table = FullTable();
    const auto shape = static_cast<std::int32_t>(state.range(0));
    const std::vector<double> xs = ScreenGrid();
    std::vector<double> ys(xs.size());
    for (auto _ : state) {
        const BandSums sums(table, shape, false);
        sums.Sums(xs, ys);
        benchmark::DoNotOptimize(ys.data());
    }
}
BENCHMARK(BandSumsScreenGrid)->Arg(Gaussian)->Arg(Lorentzian)->Unit(benchmark::kMicrosecond);

}  // namespace
