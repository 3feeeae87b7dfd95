#include "output/band_sums.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "model/line_shapes.h"
#include "tests/output/random_tables.h"
#include "tests/support/peak_tables.h"

using namespace trazel::model;
using namespace trazel::output;

namespace {

std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

// Every x of the grid: the fast sums and terms against ProfileSum and
// PeakTerm, bit for bit, not-a-numbers included.
void ExpectSameBits(const PeakTable& table, std::int32_t shape, bool scaled,
                    const std::vector<double>& xs, const std::string& what) {
    const BandSums sums(table, shape, scaled);
    std::vector<double> ys(xs.size());
    sums.Sums(xs, ys);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        ASSERT_EQ(Bits(ys[i]), Bits(ProfileSum(table, shape, scaled, xs[i])))
            << what << " sum at x = " << xs[i] << " (#" << i << ")";
    }
    for (int k = 1; k <= table.PeakCount(); k += 7) {
        sums.Terms(k, xs, ys);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            ASSERT_EQ(Bits(ys[i]), Bits(PeakTerm(table, k, shape, scaled, xs[i])))
                << what << " term " << k << " at x = " << xs[i];
        }
    }
}

struct Grid {
    const char* name;
    std::vector<double> (*make)(RandomTables&);
};

// The export's running x: fine steps, every band met on both sides.
std::vector<double> Running(RandomTables& random) {
    const int lines = 1 + random.Below(3000);
    const double step = 1000.0 / lines;
    std::vector<double> xs;
    for (double x = 0.0; x <= 1000.0; x += step) {
        xs.push_back(x);
    }
    return xs;
}

std::vector<double> Screen(RandomTables&) {
    std::vector<double> xs;
    for (int j = 0; j < 250; ++j) {
        xs.push_back(SampleX(j, 250, 1000.0, 0.0));
    }
    return xs;
}

// Any order, with infinite and not-a-number x among them, and short lengths
// that leave a partial block.
std::vector<double> Scattered(RandomTables& random) {
    std::vector<double> xs(static_cast<std::size_t>(1 + random.Below(40)));
    for (double& x : xs) {
        x = random.Value(-100.0, 1100.0, 0.05);
    }
    return xs;
}

const Grid kGrids[] = {{"running", Running}, {"screen", Screen}, {"scattered", Scattered}};

struct Case {
    std::int32_t shape;
    bool scaled;
    double oddRate;
};

class BandSumsTest : public testing::TestWithParam<Case> {};

TEST_P(BandSumsTest, SameBitsAsTheOneXFunctions) {
    const Case& c = GetParam();
    RandomTables random(static_cast<std::uint64_t>(c.shape * 1000 + c.scaled * 100) +
                        static_cast<std::uint64_t>(c.oddRate * 10));
    for (int round = 0; round < 24; ++round) {
        const PeakTable table = random.Table(0.0, 1000.0, c.oddRate);
        for (const Grid& grid : kGrids) {
            ExpectSameBits(table, c.shape, c.scaled, grid.make(random),
                           std::string(grid.name) + " round " + std::to_string(round));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RandomTables, BandSumsTest,
                         testing::Values(Case{Gaussian, false, 0.0}, Case{Gaussian, true, 0.0},
                                         Case{Lorentzian, false, 0.0}, Case{Lorentzian, true, 0.0},
                                         Case{Gaussian, false, 0.03}, Case{Gaussian, true, 0.2},
                                         Case{Lorentzian, false, 0.03}, Case{Lorentzian, true, 0.2},
                                         // Any shape other than Lorentzian is Gaussian.
                                         Case{7, false, 0.03}),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.shape == Lorentzian ? "Lorentzian"
                                                                               : "Gaussian") +
                                    (info.param.scaled ? "Scaled" : "Plain") +
                                    std::to_string(static_cast<int>(info.param.oddRate * 100)) +
                                    "PercentOdd" + std::to_string(info.index);
                         });

// x values whose exponent for a band of width 2 at 0 lies at and around a
// given value.
std::vector<double> AroundExponent(double exponent) {
    const double x = std::sqrt(exponent / NEG_LN2);
    std::vector<double> xs;
    double below = x;
    double above = x;
    for (int i = 0; i < 40; ++i) {
        xs.push_back(below);
        xs.push_back(above);
        below = std::nextafter(below, 0.0);
        above = std::nextafter(above, 1e9);
    }
    return xs;
}

TEST(BandSums, TermsThatCannotChangeTheSumAreTheOnlyOnesLeftOut) {
    // An endless band sets the sum to its intensity everywhere; the band at 0
    // comes after it with exponents right at the limits where exp gives +0
    // and where the term stops mattering. Sums on a power of two, just below
    // one and negative have their closest neighbours on one side; tiny sums
    // feel even subnormal terms.
    for (const double exponent : {BandSums::kExpGivesZeroBelow, BandSums::kFarExponent,
                                  BandSums::kVeryFarExponent, -745.1332191019411, -708.0}) {
        for (const double sum : {0.0, 1.0, std::nextafter(1.0, 0.0), -2.0, 0.05, 0.15, 0.31, 1e-30,
                                 1e-28, 2.7e-27, 1e-310}) {
            for (const double intensity : {1.0, -1.0, 0.49, 1e-300, 1e300}) {
                const PeakTable table = TableOf(
                    {{0.0, sum, std::numeric_limits<double>::infinity()}, {0.0, intensity, 2.0}});
                ExpectSameBits(
                    table, Gaussian, false, AroundExponent(exponent),
                    "exponent " + std::to_string(exponent) + " sum " + std::to_string(sum));
            }
        }
    }
}

TEST(BandSums, InfiniteOrNotANumberIntensityIsNeverLeftOut) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    for (const double odd : {kInf, -kInf, std::numeric_limits<double>::quiet_NaN()}) {
        // Far from its centre the band's exp is +0, and 0 times it is not a
        // number: the sum must become one.
        const PeakTable table = TableOf({{0.0, 1.0, 10.0}, {500.0, odd, 1.0}});
        const BandSums sums(table, Gaussian, false);
        std::vector<double> ys(3);
        sums.Sums(std::vector<double>{0.0, 100.0, 900.0}, ys);
        for (const double y : ys) {
            EXPECT_TRUE(std::isnan(y));
        }
        ExpectSameBits(table, Gaussian, false, {0.0, 100.0, 499.5, 500.0, 900.0}, "odd band");
    }
}

}  // namespace
