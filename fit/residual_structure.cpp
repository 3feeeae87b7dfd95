#include "fit/residual_structure.h"

#include <algorithm>
#include <cmath>

namespace trazel::fit {

namespace {

// Noise smoothed over up to five points is correlated over four lags: a
// running mean over nine points already holds nearly all of its long-run
// variance.
constexpr std::ptrdiff_t kShort = 5;
// The bands' scale is taken at least four short windows long, so that a
// structure can stand out against the noise's share.
constexpr std::ptrdiff_t kMinWindow = 4 * kShort + 1;

// The mean square of the running means over w points of r.
double SmoothedVariance(std::span<const double> r, std::ptrdiff_t w) {
    const auto n = static_cast<std::ptrdiff_t>(r.size());
    const auto at = [&](std::ptrdiff_t i) { return r[static_cast<std::size_t>(i)]; };
    double sum = 0.0;
    for (std::ptrdiff_t i = 0; i < w; ++i) {
        sum += at(i);
    }
    const double wd = static_cast<double>(w);
    double squares = 0.0;
    for (std::ptrdiff_t j = 0; j + w <= n; ++j) {
        if (j > 0) {
            sum += at(j + w - 1) - at(j - 1);
        }
        squares += (sum / wd) * (sum / wd);
    }
    return squares / static_cast<double>(n - w + 1);
}

// The test over m points.
StructureTest TestOver(std::span<const double> residual, std::ptrdiff_t m, double shortScale) {
    StructureTest test;
    test.window = static_cast<int>(m);
    const double md = static_cast<double>(m);
    const double expected = shortScale * static_cast<double>(kShort) / md;
    const double bandScale = SmoothedVariance(residual, m);
    if (!(expected > 0.0) || !std::isfinite(bandScale)) {
        return test;
    }
    test.figure = bandScale / expected;
    // Noise gives about 1 (up to 1.2 for noise smoothed over five points,
    // whose correlation the short window does not hold whole), spread by
    // about √(2m/n) over the n/m windows and by √(2·kShort/n) in the noise's
    // own measure: five times both above 1.25.
    const double nd = static_cast<double>(residual.size());
    test.limit = 1.5 + 5.0 * std::sqrt(2.0 * (md + static_cast<double>(kShort)) / nd);
    return test;
}

}  // namespace

StructureTest ResidualStructure(std::span<const double> residual, double bandWidthPoints) {
    const auto n = static_cast<std::ptrdiff_t>(residual.size());
    const double wanted = std::isfinite(bandWidthPoints) ? std::round(bandWidthPoints) : 0.0;
    // From the shortest window up to the bands' width, doubling, and never
    // beyond a quarter of the points: a fit far from the data leaves
    // structure narrower than the bands it has.
    const std::ptrdiff_t widest = std::max<std::ptrdiff_t>(
        kMinWindow, static_cast<std::ptrdiff_t>(std::min(wanted, static_cast<double>(n / 4))));
    const double shortScale = n >= 4 * kMinWindow ? SmoothedVariance(residual, kShort) : 0.0;
    StructureTest worst;
    worst.window = static_cast<int>(kMinWindow);
    for (std::ptrdiff_t m = kMinWindow; m <= widest && 4 * m <= n; m = 2 * m + 1) {
        const StructureTest test = TestOver(residual, m, shortScale);
        if (test.limit > 0.0 &&
            (worst.limit == 0.0 || test.figure / test.limit > worst.figure / worst.limit)) {
            worst = test;
        }
    }
    return worst;
}

}  // namespace trazel::fit
