#include <gtest/gtest.h>

#include <algorithm>
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

// --- The advised λ on many points ---------------------------------------------

// The reference for many points: the normal equations (W + λ DᵀD) z = W y,
// banded LDLᵀ in quadruple precision where the compiler has it (long double
// elsewhere), far beyond the digits the stiffest λ advised takes from them.
#if defined(__SIZEOF_FLOAT128__)
__extension__ typedef __float128 Exact;
#else
typedef long double Exact;
#endif

std::vector<double> ExactSolve(const std::vector<double>& y, const std::vector<double>& w,
                               double lambda) {
    const std::size_t n = y.size();
    std::vector<Exact> a0(w.begin(), w.end()), a1(n, 0), a2(n, 0);
    for (std::size_t i = 0; i + 2 < n; ++i) {
        const Exact l = lambda;
        a0[i] += l, a0[i + 1] += 4 * l, a0[i + 2] += l;
        a1[i] += -2 * l, a1[i + 1] += -2 * l, a2[i] += l;
    }
    std::vector<Exact> d(n), l1(n + 1, 0), l2(n + 2, 0), z(n);
    for (std::size_t j = 0; j < n; ++j) {
        d[j] = a0[j] - (j >= 1 ? l1[j] * l1[j] * d[j - 1] : 0) -
               (j >= 2 ? l2[j] * l2[j] * d[j - 2] : 0);
        l2[j + 2] = a2[j] / d[j];
        l1[j + 1] = (a1[j] - (j >= 1 ? l2[j + 1] * l1[j] * d[j - 1] : 0)) / d[j];
        z[j] =
            Exact(w[j]) * y[j] - (j >= 1 ? l1[j] * z[j - 1] : 0) - (j >= 2 ? l2[j] * z[j - 2] : 0);
    }
    for (std::size_t j = n; j-- > 0;) {
        z[j] = z[j] / d[j] - (j + 1 < n ? l1[j + 1] * z[j + 1] : 0) -
               (j + 2 < n ? l2[j + 2] * z[j + 2] : 0);
    }
    return std::vector<double>(z.begin(), z.end());
}

struct LambdaCase {
    const char* name;
    std::size_t points;
    double lambda;
    bool iterated;  // the ten solutions of AlsBaseline too, not only one
};

class AdvisedLambdaTest : public testing::TestWithParam<LambdaCase> {};

// A hump 5 high on a curved background 6 high: every λ advised for the
// points, from the least to the most, gives a finite baseline within 1e-6
// of the data's range of the reference, for one solution with the weights
// of the hump and, on fewer points, for the ten of the baseline.
TEST_P(AdvisedLambdaTest, GivesTheReferenceBaseline) {
    const LambdaCase& c = GetParam();
    const AlsRange advised = AlsAdvisedRange(c.points);
    ASSERT_TRUE(c.lambda >= advised.lowest && c.lambda <= advised.highest) << c.lambda;
    ASSERT_FALSE(AlsRangeProblem({c.lambda, 0.01}, c.points));
    std::vector<double> x(c.points), y(c.points), w(c.points);
    for (std::size_t i = 0; i < c.points; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(c.points - 1);
        x[i] = t;
        const double hump = 5.0 * std::exp(-(t - 0.5) * (t - 0.5) / 0.002);
        y[i] = 1.0 + 2.0 * t + 3.0 * t * t + hump + 0.01 * std::sin(1e3 * t);
        w[i] = hump > 0.01 ? 0.01 : 0.99;
    }
    const double tolerance = 1e-6 * 11.0;
    const auto expectNear = [&](const std::vector<double>& got, const std::vector<double>& want) {
        ASSERT_EQ(got.size(), want.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_TRUE(std::isfinite(got[i])) << i;
            ASSERT_NEAR(got[i], want[i], tolerance) << i;
        }
    };
    expectNear(SmoothWeighted(y, w, c.lambda), ExactSolve(y, w, c.lambda));
    if (c.iterated) {
        std::fill(w.begin(), w.end(), 1.0);
        std::vector<double> z;
        for (int iteration = 0; iteration < 10; ++iteration) {
            z = ExactSolve(y, w, c.lambda);
            for (std::size_t i = 0; i < c.points; ++i) {
                w[i] = y[i] > z[i] ? 0.01 : 0.99;
            }
        }
        expectNear(AlsBaseline(x, y, {c.lambda, 0.01}), z);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, AdvisedLambdaTest,
                         testing::Values(LambdaCase{"thousandLeast", 1000, 1.0, true},
                                         LambdaCase{"thousand", 1000, 1e7, true},
                                         LambdaCase{"thousandMost", 1000, 1e10, true},
                                         LambdaCase{"hundredThousandLeast", 100000, 1e8, false},
                                         LambdaCase{"hundredThousand", 100000, 1e14, true},
                                         LambdaCase{"hundredThousandMost", 100000, 1e18, false},
                                         // Once 32 too low, then not-a-number everywhere.
                                         LambdaCase{"million", 1000000, 1e14, false},
                                         LambdaCase{"millionStiff", 1000000, 1e16, false},
                                         LambdaCase{"millionMost", 1000000, 1e22, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// λ is of use where the baseline still depends on it: from 1e-16 to
// n⁴ · 10¹³, any λ for fewer than three points.
TEST(AlsBaselineTest, RefusesLambdaOfNoUseForThePoints) {
    const struct {
        std::size_t points;
        double lambda;
        bool refused;
    } rows[] = {{501, 1e18, false}, {501, 1e30, true}, {1000000, 1e30, false},
                {501, 1e-20, true}, {2, 1e300, false}, {1000000, 1e38, true}};
    for (const auto& row : rows) {
        const auto problem = AlsRangeProblem({row.lambda, 0.01}, row.points);
        EXPECT_EQ(problem.has_value(), row.refused) << row.points << " " << row.lambda;
        if (problem) {
            EXPECT_NE(problem->find("entre 1e-16 y"), std::string::npos) << *problem;
            const std::vector<double> some(row.points, 1.0);
            EXPECT_TRUE(AlsBaseline(some, some, {row.lambda, 0.01}).empty());
        }
    }
}

TEST(AlsBaselineTest, RefusesOptionsItCannotUse) {
    for (const AlsOptions bad : {AlsOptions{0, 0.01}, {-1, 0.01}, {NAN, 0.01}, {1, 0}, {1, 1}}) {
        EXPECT_TRUE(AlsProblem(bad) &&
                    AlsBaseline(std::vector{1.0, 2.0}, std::vector{1.0, 2.0}, bad).empty());
    }
}

}  // namespace
