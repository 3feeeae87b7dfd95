#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "input/als_baseline.h"

using namespace trazel::input;

namespace {

// The baseline by asymmetric least squares of a million points: a broad
// curved background with narrow bands on it and noise, ten banded solutions.
void AlsMillionPoints(benchmark::State& state) {
    constexpr int kPoints = 1000000;
    std::vector<double> x(kPoints);
    std::vector<double> y(kPoints);
    std::mt19937_64 generator(23);
    std::normal_distribution<double> noise(0.0, 0.01);
    for (int i = 0; i < kPoints; ++i) {
        const double t = static_cast<double>(i) / kPoints;
        x[static_cast<std::size_t>(i)] = 100.0 + 3000.0 * t;
        y[static_cast<std::size_t>(i)] = 2.0 * std::exp(-(t - 0.4) * (t - 0.4) / 0.1) +
                                         std::exp(-std::pow((t - 0.3) / 0.001, 2)) +
                                         noise(generator);
    }
    for (auto _ : state) {
        const std::vector<double> baseline = AlsBaseline(x, y, {1e9, 0.01});
        benchmark::DoNotOptimize(baseline.data());
    }
}
BENCHMARK(AlsMillionPoints)->Unit(benchmark::kMillisecond)->Repetitions(3)->Iterations(1);

}  // namespace
