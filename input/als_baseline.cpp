#include "input/als_baseline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>

#include "platform/number_format.h"
#include "platform/translation.h"

namespace trazel::input {

namespace {

constexpr int kIterations = 10;

// Beyond these the baseline no longer depends on λ in practice: below the
// lowest, λ times the second differences (at most 16) is some parts in 10¹³
// of weights down to 0.001, and the baseline is the data; above the highest,
// the bending the penalty still allows over n points, about n⁴ / (500 λ) of
// the data's, is below rounding, and the baseline is a straight line.
constexpr double kLowestLambda = 1e-16;
constexpr double kHighestPerFourthPower = 1e13;
// The advice: the baseline bends over about 2π λ^¼ points, from some 0.6 %
// of the points to twice their number.
constexpr double kAdvisedLowestPerFourthPower = 1e-12;
constexpr double kAdvisedHighestPerFourthPower = 1e-2;

double FourthPower(std::size_t n) {
    const auto m = static_cast<double>(n);
    return m * m * m * m;
}

}  // namespace

AlsRange AlsUsableRange(std::size_t points) {
    // Fewer than three points have no second difference for λ to weigh.
    if (points < 3) {
        return {kLowestLambda, std::numeric_limits<double>::max()};
    }
    return {kLowestLambda, kHighestPerFourthPower * FourthPower(points)};
}

AlsRange AlsAdvisedRange(std::size_t points) {
    return {kAdvisedLowestPerFourthPower * FourthPower(points),
            kAdvisedHighestPerFourthPower * FourthPower(points)};
}

std::optional<std::string> AlsRangeProblem(const AlsOptions& options, std::size_t points) {
    const AlsRange usable = AlsUsableRange(points);
    if (options.lambda >= usable.lowest && options.lambda <= usable.highest) {
        return std::nullopt;
    }
    const AlsRange advised = AlsAdvisedRange(points);
    return platform::Fill(
        TRAZEL_TR("AlsBaseline",
                  "λ = %1 no sirve para %2 puntos: la línea base por mínimos cuadrados "
                  "asimétricos solo depende de λ entre %3 y %4 (fuera de ese intervalo es, "
                  "en la práctica, los propios datos o una recta); para %2 puntos se "
                  "aconseja λ entre %5 y %6"),
        {platform::FormatG(options.lambda, 6), std::to_string(points),
         platform::FormatG(usable.lowest, 3), platform::FormatG(usable.highest, 3),
         platform::FormatG(advised.lowest, 3), platform::FormatG(advised.highest, 3)});
}

std::optional<std::string> AlsProblem(const AlsOptions& options) {
    if (!(std::isfinite(options.lambda) && options.lambda > 0.0)) {
        return platform::Fill(TRAZEL_TR("AlsBaseline",
                                        "λ de la línea base por mínimos cuadrados "
                                        "asimétricos debe ser un número mayor que 0, no %1"),
                              {platform::FormatG(options.lambda, 6)});
    }
    if (!(options.p > 0.0 && options.p < 1.0)) {
        return platform::Fill(
            TRAZEL_TR("AlsBaseline",
                      "p de la línea base por mínimos cuadrados asimétricos debe estar "
                      "entre 0 y 1 (sin llegar a ninguno), no %1"),
            {platform::FormatG(options.p, 6)});
    }
    return std::nullopt;
}

namespace {

// The z that minimises Σ wᵢ (rᵢ − zᵢ)² + λ Σ (Δ²zᵢ − cᵢ)²: the rows of that
// least squares problem, each with its weight (wᵢ for a point, λ for a
// second difference), rotated one by one into a triangular R with unit
// diagonal kept beside its weights, by Gentleman's square-root-free Givens
// rotations. A row with values at columns k, k+1, k+2 goes down R until it
// is used up or lands on a row not yet reached; rows come in order of their
// first column, so that it goes at most four rows down. Not-a-number where
// no row fixes a value.
std::vector<double> SolveRows(std::span<const double> r, std::span<const double> c,
                              std::span<const double> w, double lambda) {
    const std::size_t n = r.size();
    // Row k of R: weight d[k] (0 while no row has reached it), values 1,
    // u[2k], u[2k+1] from its diagonal, right-hand side b[k].
    std::vector<double> d(n, 0.0), u(2 * n, 0.0), b(n, 0.0);
    const auto absorb = [&](std::size_t k, std::array<double, 3> x, double rhs, double weight) {
        for (; k < n; ++k) {
            if (x[0] != 0.0) {
                if (d[k] == 0.0) {
                    d[k] = weight * x[0] * x[0];
                    u[2 * k] = x[1] / x[0];
                    u[2 * k + 1] = x[2] / x[0];
                    b[k] = rhs / x[0];
                    return;
                }
                const double sum = d[k] + weight * x[0] * x[0];
                const double share = weight * x[0] / sum;
                weight = weight * d[k] / sum;
                d[k] = sum;
                const std::array<double, 3> rest{x[1] - x[0] * u[2 * k], x[2] - x[0] * u[2 * k + 1],
                                                 0.0};
                const double rhsRest = rhs - x[0] * b[k];
                u[2 * k] += share * rest[0];
                u[2 * k + 1] += share * rest[1];
                b[k] += share * rhsRest;
                x = rest;
                rhs = rhsRest;
            } else {
                x = {x[1], x[2], 0.0};
            }
            if (x[0] == 0.0 && x[1] == 0.0) {
                return;
            }
        }
    };
    for (std::size_t i = 0; i < n; ++i) {
        if (i + 2 < n) {
            absorb(i, {1.0, -2.0, 1.0}, c[i], lambda);
        }
        absorb(i, {1.0, 0.0, 0.0}, r[i], w[i]);
    }
    std::vector<double> z(n);
    for (std::size_t j = n; j-- > 0;) {
        const double next = j + 1 < n ? z[j + 1] : 0.0;
        const double after = j + 2 < n ? z[j + 2] : 0.0;
        z[j] = d[j] > 0.0 ? b[j] - u[2 * j] * next - u[2 * j + 1] * after : std::nan("");
    }
    return z;
}

}  // namespace

std::vector<double> SmoothWeighted(std::span<const double> y, std::span<const double> w,
                                   double lambda) {
    // The least squares problem itself, min ‖√W (z − y)‖² + λ ‖D z‖², rather
    // than the normal equations (W + λ DᵀD) z = W y: a stiff λ puts λ · 6
    // beside weights near 1 on their diagonal, where the weights' digits are
    // lost (λ = 10¹⁸ on 500 points left no pivot and gave not-a-number, and
    // 10¹⁴ on a million points a baseline 32 too low), while rotations keep
    // the rows of the points and of λ apart. What is left is the rounding
    // that solving R z = b sums twice over the points, growing with their
    // number squared: two corrections, each the same problem for what the
    // solution so far leaves over (y − z, and −Δ²z from z in long double,
    // which doubles cannot hold to the digits that matter once λ multiplies
    // them), keep a million points within 1e-8 of the data's range for every
    // λ advised, at a fifth of the time the same rotations take in long
    // double.
    const std::size_t n = std::min(y.size(), w.size());
    const std::span<const double> points = y.first(n);
    std::vector<double> rest(points.begin(), points.end());
    std::vector<double> curvature(n >= 2 ? n - 2 : 0, 0.0);
    const std::vector<double> first = SolveRows(rest, curvature, w, lambda);
    std::vector<long double> z(first.begin(), first.end());
    constexpr int kCorrections = 2;
    for (int correction = 0; correction < kCorrections; ++correction) {
        for (std::size_t i = 0; i < n; ++i) {
            rest[i] = static_cast<double>(static_cast<long double>(points[i]) - z[i]);
        }
        for (std::size_t i = 0; i + 2 < n; ++i) {
            curvature[i] = static_cast<double>(-(z[i] - 2.0L * z[i + 1] + z[i + 2]));
        }
        const std::vector<double> step = SolveRows(rest, curvature, w, lambda);
        for (std::size_t i = 0; i < n; ++i) {
            z[i] += step[i];
        }
    }
    return {z.begin(), z.end()};
}

std::vector<double> AlsBaseline(std::span<const double> x, std::span<const double> y,
                                const AlsOptions& options) {
    const std::size_t n = std::min(x.size(), y.size());
    if (AlsProblem(options) || AlsRangeProblem(options, n) || n == 0) {
        return {};
    }
    // Neighbours in x, which a file in either order already has.
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    const bool sorted =
        std::is_sorted(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(n)) ||
        std::is_sorted(x.rbegin() + static_cast<std::ptrdiff_t>(x.size() - n), x.rend());
    if (!sorted) {
        std::stable_sort(order.begin(), order.end(),
                         [&x](std::size_t a, std::size_t b) { return x[a] < x[b]; });
    }
    std::vector<double> ordered(n);
    for (std::size_t i = 0; i < n; ++i) {
        ordered[i] = y[order[i]];
    }
    std::vector<double> w(n, 1.0);
    std::vector<double> z;
    for (int iteration = 0; iteration < kIterations; ++iteration) {
        z = SmoothWeighted(ordered, w, options.lambda);
        for (std::size_t i = 0; i < n; ++i) {
            w[i] = ordered[i] > z[i] ? options.p : 1.0 - options.p;
        }
    }
    std::vector<double> baseline(n);
    for (std::size_t i = 0; i < n; ++i) {
        baseline[order[i]] = z[i];
    }
    return baseline;
}

}  // namespace trazel::input
