#include "input/als_baseline.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "platform/number_format.h"
#include "platform/translation.h"

namespace trazel::input {

namespace {

constexpr int kIterations = 10;

// The rows of DᵀD, D the second differences of n values: on the diagonal
// and one and two places off it.
double SecondDifferenceProduct(std::size_t n, std::size_t j, std::size_t offset) {
    constexpr double c[3] = {1.0, -2.0, 1.0};
    if (n < 3 || j + offset >= n) {
        return 0.0;
    }
    // Row i of D covers j .. j+2 when i <= j <= i + 2.
    double sum = 0.0;
    const std::size_t first = j >= 2 ? j - 2 : 0;
    const std::size_t last = std::min(j, n - 3);
    for (std::size_t i = first; i <= last; ++i) {
        if (j + offset - i <= 2) {
            sum += c[j - i] * c[j + offset - i];
        }
    }
    return sum;
}

}  // namespace

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

std::vector<double> SmoothWeighted(std::span<const double> y, std::span<const double> w,
                                   double lambda) {
    const std::size_t n = y.size();
    // The bands of A = W + λ DᵀD: the diagonal and one and two places off it.
    std::vector<double> a0(n), a1(n), a2(n);
    for (std::size_t j = 0; j < n; ++j) {
        // 6, -4, 1 away from the ends.
        const bool inside = j >= 2 && j + 3 <= n - 1;
        a0[j] = w[j] + lambda * (inside ? 6.0 : SecondDifferenceProduct(n, j, 0));
        a1[j] = lambda * (inside ? -4.0 : SecondDifferenceProduct(n, j, 1));
        a2[j] = lambda * (inside ? 1.0 : SecondDifferenceProduct(n, j, 2));
    }
    // A = L D Lᵀ with L unit lower triangular of bandwidth 2:
    // l1[j] = L[j][j-1], l2[j] = L[j][j-2].
    std::vector<double> d(n), l1(n + 1, 0.0), l2(n + 2, 0.0);
    for (std::size_t j = 0; j < n; ++j) {
        double dj = a0[j];
        if (j >= 1) {
            dj -= l1[j] * l1[j] * d[j - 1];
        }
        if (j >= 2) {
            dj -= l2[j] * l2[j] * d[j - 2];
        }
        d[j] = dj;
        l2[j + 2] = a2[j] / dj;
        const double above = j >= 1 ? l2[j + 1] * l1[j] * d[j - 1] : 0.0;
        l1[j + 1] = (a1[j] - above) / dj;
    }
    const auto solve = [&](std::vector<double>& z) {
        for (std::size_t j = 0; j < n; ++j) {
            if (j >= 1) {
                z[j] -= l1[j] * z[j - 1];
            }
            if (j >= 2) {
                z[j] -= l2[j] * z[j - 2];
            }
        }
        for (std::size_t j = 0; j < n; ++j) {
            z[j] /= d[j];
        }
        for (std::size_t j = n; j-- > 0;) {
            if (j + 1 < n) {
                z[j] -= l1[j + 1] * z[j + 1];
            }
            if (j + 2 < n) {
                z[j] -= l2[j + 2] * z[j + 2];
            }
        }
    };
    std::vector<double> z(n);
    for (std::size_t j = 0; j < n; ++j) {
        z[j] = w[j] * y[j];
    }
    solve(z);
    // One step of refinement: a stiff λ makes the system ill-conditioned,
    // and solving again for what the first solution leaves over wins back
    // the digits that rounding lost.
    std::vector<double> rest(n);
    for (std::size_t j = 0; j < n; ++j) {
        double az = a0[j] * z[j];
        if (j >= 1) {
            az += a1[j - 1] * z[j - 1];
        }
        if (j >= 2) {
            az += a2[j - 2] * z[j - 2];
        }
        if (j + 1 < n) {
            az += a1[j] * z[j + 1];
        }
        if (j + 2 < n) {
            az += a2[j] * z[j + 2];
        }
        rest[j] = w[j] * y[j] - az;
    }
    solve(rest);
    for (std::size_t j = 0; j < n; ++j) {
        z[j] += rest[j];
    }
    return z;
}

std::vector<double> AlsBaseline(std::span<const double> x, std::span<const double> y,
                                const AlsOptions& options) {
    const std::size_t n = std::min(x.size(), y.size());
    if (AlsProblem(options) || n == 0) {
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
