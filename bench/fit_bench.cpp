#include <benchmark/benchmark.h>

#include <random>

#include "fit/band_fit.h"
#include "fit/fit_report.h"
#include "model/line_shapes.h"

using namespace trazel::model;
using namespace trazel::fit;

namespace {

constexpr int kBands = 20;
constexpr int kPoints = 100000;

// 20 bands over 0..1000, some overlapping, and 100,000 measured points of
// their sum with noise of 1 % of the strongest band (seed 17); the fit starts
// a third of a width off in position, 10 % off in height and width.
// With a shape of the bands' own, each band has it with a Lorentzian share of
// 0.4, and the fit starts from 0.5.
FitProblem BenchProblem(std::int32_t lineShape, BandShape shape = BandShape::Document) {
    PeakTable truth;
    for (int i = 0; i < kBands; ++i) {
        truth.bands.emplace_back();
        const int k = truth.PeakCount();
        truth.Band(k).position = 30.0 + 47.0 * i + (i % 3 == 0 ? 12.0 : 0.0);
        truth.Band(k).intensity = 0.5 + 1.5 * ((i * 7) % kBands) / (kBands - 1.0);
        truth.Band(k).width = 8.0 + 12.0 * ((i * 11) % kBands) / (kBands - 1.0);
        truth.Band(k).scale = 1.0;
        truth.Band(k).scaledPosition = truth.Band(k).position;
        truth.Band(k).shape = shape;
        truth.Band(k).share = IsMixed(shape) ? 0.4 : 0.0;
    }
    FitProblem problem;
    problem.lineShape = lineShape;
    problem.xMin = 0.0;
    problem.xMax = 1000.0;
    std::mt19937_64 generator(17);
    std::normal_distribution<double> noise(0.0, 0.02);
    for (int j = 0; j < kPoints; ++j) {
        const double x = 1000.0 * j / (kPoints - 1);
        problem.x.push_back(x);
        problem.y.push_back(ProfileSum(truth, lineShape, false, x) + noise(generator));
    }
    problem.table = truth;
    for (int k = 1; k <= truth.PeakCount(); ++k) {
        problem.table.Band(k).position += truth.Band(k).width / 3.0;
        problem.table.Band(k).scaledPosition = problem.table.Band(k).position;
        problem.table.Band(k).intensity *= 0.9;
        problem.table.Band(k).width *= 1.1;
        problem.table.Band(k).share = IsMixed(shape) ? 0.5 : 0.0;
    }
    return problem;
}

// The whole fit, from the problem to the result with its errors.
// Fits problem once per round and counts the iterations it took.
void TimeFit(benchmark::State& state, const FitProblem& problem) {
    int iterations = 0;
    for (auto _ : state) {
        const FitResult result = FitBands(problem);
        if (!result.Ok()) {
            state.SkipWithError(FailureText(result).c_str());
            break;
        }
        iterations = result.iterations;
        benchmark::DoNotOptimize(result.rss);
    }
    state.counters["fit_iterations"] = iterations;
}

void FitTwentyBands(benchmark::State& state) {
    TimeFit(state, BenchProblem(static_cast<std::int32_t>(state.range(0))));
}
BENCHMARK(FitTwentyBands)
    ->Arg(Gaussian)
    ->Arg(Lorentzian)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->Iterations(1);

// The mixed shapes beside the plain ones: their Jacobian is analytic too,
// the Voigt's through the derivative of the Faddeeva function.
void FitTwentyShapedBands(benchmark::State& state) {
    TimeFit(state, BenchProblem(Gaussian, static_cast<BandShape>(state.range(0))));
}
BENCHMARK(FitTwentyShapedBands)
    ->Arg(static_cast<int>(BandShape::PseudoVoigt))
    ->Arg(static_cast<int>(BandShape::Voigt))
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->Iterations(1);

}  // namespace
