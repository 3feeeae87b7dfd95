#include "fit/residual_structure.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace trazel::fit {

namespace {

// Lags at which the noise's correlation is measured: noise smoothed over up
// to about five points is correlated there and not beyond.
constexpr int kLags = 6;
constexpr int kMinWindow = 2 * kLags + 1;

}  // namespace

StructureTest ResidualStructure(std::span<const double> residual, double bandWidthPoints) {
    StructureTest test;
    const double wanted = std::isfinite(bandWidthPoints) ? std::round(bandWidthPoints) : 0.0;
    const auto n = static_cast<std::ptrdiff_t>(residual.size());
    // Odd, so that the window is centred on its point.
    std::ptrdiff_t m = std::max<std::ptrdiff_t>(
        kMinWindow, static_cast<std::ptrdiff_t>(std::min(wanted, static_cast<double>(n))));
    m |= 1;
    test.window = static_cast<int>(m);
    const std::ptrdiff_t half = m / 2;
    const std::ptrdiff_t count = n - 2 * half;
    if (count < 4 * m) {
        return test;
    }
    // The running mean (smooth) and what it leaves (rough) at each point
    // whose window lies inside the residual.
    std::vector<double> smooth(static_cast<std::size_t>(count));
    std::vector<double> rough(static_cast<std::size_t>(count));
    double sum = 0.0;
    for (std::ptrdiff_t i = 0; i < m; ++i) {
        sum += residual[static_cast<std::size_t>(i)];
    }
    for (std::ptrdiff_t j = 0; j < count; ++j) {
        if (j > 0) {
            sum += residual[static_cast<std::size_t>(j + m - 1)] -
                   residual[static_cast<std::size_t>(j - 1)];
        }
        const double mean = sum / static_cast<double>(m);
        smooth[static_cast<std::size_t>(j)] = mean;
        rough[static_cast<std::size_t>(j)] = residual[static_cast<std::size_t>(j + half)] - mean;
    }
    double roughMean = 0.0;
    for (const double r : rough) {
        roughMean += r;
    }
    roughMean /= static_cast<double>(count);
    const auto covariance = [&](std::ptrdiff_t lag) {
        double s = 0.0;
        for (std::ptrdiff_t j = 0; j + lag < count; ++j) {
            s += (rough[static_cast<std::size_t>(j)] - roughMean) *
                 (rough[static_cast<std::size_t>(j + lag)] - roughMean);
        }
        return s / static_cast<double>(count);
    };
    const double md = static_cast<double>(m);
    const double variance = covariance(0);
    double expected = variance;
    for (std::ptrdiff_t k = 1; k <= kLags; ++k) {
        expected += 2.0 * (1.0 - static_cast<double>(k) / md) * covariance(k);
    }
    // Taking the running mean away takes 1/m of white noise's variance with it.
    expected /= md * (1.0 - 1.0 / md);
    // Noise that alternates in sign leaves less than white noise would; never
    // less than white noise over m² points.
    expected = std::max(expected, variance / (md * md));
    double observed = 0.0;
    for (const double s : smooth) {
        observed += s * s;
    }
    observed /= static_cast<double>(count);
    if (!(expected > 0.0) || !std::isfinite(observed)) {
        return test;
    }
    test.figure = observed / expected;
    // The spread of the smoothed variance over about count/m windows, and
    // that of the expected variance measured from 2·kLags + 1 covariances.
    const double windows = static_cast<double>(count) / md;
    const double measured = std::sqrt((1.0 + 4.0 * kLags) / static_cast<double>(count));
    test.limit = (1.0 + 5.0 * std::sqrt(2.0 / windows)) / std::max(1.0 - 2.0 * measured, 0.25);
    return test;
}

}  // namespace trazel::fit
