#pragma once

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

// The baseline under y, one value per point, for x in any order (an empty
// result for options with an AlsProblem). Each of the ten solutions is of a
// pentadiagonal symmetric system, by a banded LDLᵀ factorisation in O(n).
std::vector<double> AlsBaseline(std::span<const double> x, std::span<const double> y,
                                const AlsOptions& options);

// One solution of (W + λ DᵀD) z = W y for the weights w, D the second
// differences: the step AlsBaseline repeats, for checking it.
std::vector<double> SmoothWeighted(std::span<const double> y, std::span<const double> w,
                                   double lambda);

}  // namespace trazel::input
