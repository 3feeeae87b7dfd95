#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "input/als_baseline.h"

using namespace trazel::input;

namespace {

// (W + λ DᵀD) z = W y by Gaussian elimination on the full matrix, in long
// double so that its own rounding stays out of the comparison.
std::vector<double> DenseSolve(const std::vector<double>& y, const std::vector<double>& w,
                               double lambda) {
    const std::size_t n = y.size();
    std::vector<std::vector<long double>> a(n, std::vector<long double>(n + 1, 0.0L));
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < 3 && i + 2 < n; ++j) {
            for (std::size_t k = 0; k < 3; ++k) {
                a[i + j][i + k] += lambda * (j == 1 ? -2 : 1) * (k == 1 ? -2 : 1);
            }
        }
        a[i][i] += w[i];
        a[i][n] = w[i] * y[i];
    }
    for (std::size_t col = 0; col < n; ++col) {
        for (std::size_t row = col + 1; row < n; ++row) {
            const long double f = a[row][col] / a[col][col];
            for (std::size_t k = col; k <= n; ++k) {
                a[row][k] -= f * a[col][k];
            }
        }
    }
    std::vector<long double> z(n);
    for (std::size_t i = n; i-- > 0;) {
        z[i] = a[i][n];
        for (std::size_t k = i + 1; k < n; ++k) {
            z[i] -= a[i][k] * z[k];
        }
        z[i] /= a[i][i];
    }
    return {z.begin(), z.end()};
}

struct AlsCase {
    const char* name;
    std::size_t points;
    AlsOptions options;
    bool reversed;  // x decreasing, as infrared files often are
};

class AlsBaselineTest : public testing::TestWithParam<AlsCase> {};

// The banded solution, repeated with the weights of asymmetric least squares,
// is compared on data where no point lies within rounding of the curve (a
// tie there may take either weight, and both are right); it
// is the dense one to 1e-10 of the data's size, in either order of x.
TEST_P(AlsBaselineTest, MatchesTheDenseSolution) {
    const AlsCase& c = GetParam();
    std::vector<double> x(c.points);
    std::vector<double> y(c.points);
    for (std::size_t i = 0; i < c.points; ++i) {
        const double t = static_cast<double>(i);
        x[i] = c.reversed ? -t : t;
        y[i] =
            1.0 + 0.02 * t + 0.3 * std::sin(0.2 * t) + 2.0 * std::exp(-(t - 20) * (t - 20) / 4.0);
    }
    std::vector<double> w(c.points, 1.0);
    std::vector<double> z;
    for (int iteration = 0; iteration < 10; ++iteration) {
        z = DenseSolve(y, w, c.options.lambda);
        for (std::size_t i = 0; i < c.points; ++i) {
            w[i] = y[i] > z[i] ? c.options.p : 1.0 - c.options.p;
        }
    }
    const std::vector<double> banded = AlsBaseline(x, y, c.options);
    ASSERT_EQ(banded.size(), c.points);
    for (std::size_t i = 0; i < c.points; ++i) {
        EXPECT_NEAR(banded[i], z[i], 1e-10) << i;
    }
    // Below the band, and above nothing but rounding where no band is.
    EXPECT_LT(banded[20], y[20] - 1.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, AlsBaselineTest,
                         testing::Values(AlsCase{"stiff", 40, {1e4, 0.01}, false},
                                         AlsCase{"supple", 40, {10.0, 0.05}, false},
                                         AlsCase{"reversedX", 33, {1e3, 0.001}, true},
                                         AlsCase{"fewPoints", 25, {100.0, 0.2}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AlsBaselineTest, RefusesOptionsItCannotUse) {
    for (const AlsOptions bad : {AlsOptions{0, 0.01}, {-1, 0.01}, {NAN, 0.01}, {1, 0}, {1, 1}}) {
        EXPECT_TRUE(AlsProblem(bad) &&
                    AlsBaseline(std::vector{1.0, 2.0}, std::vector{1.0, 2.0}, bad).empty());
    }
}

}  // namespace
