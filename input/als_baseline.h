#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace trazel::input {

// A baseline estimated from the data by asymmetric least squares: the curve z
// that minimises Σ wᵢ (yᵢ − zᵢ)² + λ Σ (Δ²zᵢ)², with wᵢ = p where yᵢ > zᵢ
// and 1 − p elsewhere, solved ten times from all weights 1. A small p lets
// the bands rise above the curve while it follows the points between them; a
// large λ makes it stiff. The second differences are taken along the points
// in order of x, as if evenly spaced.
struct AlsOptions {
    double lambda = 1e5;
    double p = 0.01;

    bool operator==(const AlsOptions&) const = default;
};

// Why the options cannot be used, in Spanish (λ not a positive finite
// number, p not strictly between 0 and 1); nothing when they can.
std::optional<std::string> AlsProblem(const AlsOptions& options);

// The values of λ for n points: those the baseline depends on (below the
// lowest it is the data, above the highest a straight line, to the last
// digit), and those advised, where it bends over about 2π λ^¼ points, from
// some 0.6 % of the points to twice their number: n⁴ · 10⁻¹² to n⁴ / 100.
struct AlsRange {
    double lowest = 0.0;
    double highest = 0.0;
};
AlsRange AlsUsableRange(std::size_t points);
AlsRange AlsAdvisedRange(std::size_t points);

// Why λ is of no use for that many points, naming both ranges, in Spanish;
// nothing when it is.
std::optional<std::string> AlsRangeProblem(const AlsOptions& options, std::size_t points);

// The baseline under y, one value per point, for x in any order (an empty
// result for options with an AlsProblem or an AlsRangeProblem). Each of the
// ten solutions is of a banded least squares problem, by Givens rotations in
// O(n), with two corrections. Not-a-number where rounding still defeats it:
// the caller checks.
std::vector<double> AlsBaseline(std::span<const double> x, std::span<const double> y,
                                const AlsOptions& options);

// The z that minimises Σ wᵢ (yᵢ − zᵢ)² + λ Σ (Δ²zᵢ)² for the weights w, which
// solves (W + λ DᵀD) z = W y, D the second differences: the step AlsBaseline
// repeats, for checking it.
std::vector<double> SmoothWeighted(std::span<const double> y, std::span<const double> w,
                                   double lambda);

}  // namespace trazel::input
