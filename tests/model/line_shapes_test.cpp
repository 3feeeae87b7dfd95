#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "model/line_shapes.h"
#include "model/table_edits.h"
#include "tests/support/peak_tables.h"

using namespace trazel::model;

namespace {

TEST(LineShapes, ConstantsAreTheNearestDoubles) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(NEG_LN2), std::bit_cast<std::uint64_t>(-std::log(2.0)));
    EXPECT_EQ(GAUSS_AREA_FACTOR, std::sqrt(M_PI / (4.0 * std::log(2.0))));
}

TEST(LineShapes, BothShapesPeakAtIntensityAndHalveAtHalfWidth) {
    const PeakTable t = TableOf({{500.0, 2.0, 10.0}});
    EXPECT_EQ(PeakTerm(t, 1, Gaussian, false, 500.0), 2.0);
    EXPECT_DOUBLE_EQ(PeakTerm(t, 1, Lorentzian, false, 500.0), 2.0);
    for (const double x : {495.0, 505.0}) {
        EXPECT_DOUBLE_EQ(PeakTerm(t, 1, Gaussian, false, x), 1.0);
        EXPECT_DOUBLE_EQ(PeakTerm(t, 1, Lorentzian, false, x), 1.0);
    }
}

TEST(LineShapes, GaussianFollowsTheWrittenOrderBitForBit) {
    const PeakTable t = TableOf({{123.456, 1.7, 3.3}});
    const double x = 120.1;
    const double d = 123.456 - x;
    const double e = (d * -0.6931471805599453) * d;
    const double h = 0.5 * 3.3;
    const double expected = std::exp(e / (h * h)) * 1.7;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(PeakTerm(t, 1, Gaussian, false, x)),
              std::bit_cast<std::uint64_t>(expected));
    const double lorentz = ((h * 1.7) * h) / ((d * d) + (h * h));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(PeakTerm(t, 1, Lorentzian, false, x)),
              std::bit_cast<std::uint64_t>(lorentz));
}

TEST(LineShapes, SumAddsEachTermToTheRunningSumInIndexOrder) {
    PeakTable t;
    AddPeak(t, 1.0, 1e16, 1e9, 1.0);
    AddPeak(t, 1.0, 1.0, 1e9, 1.0);
    AddPeak(t, 1.0, -1e16, 1e9, 1.0);
    double sum = 0.0;
    for (int k = 1; k <= t.PeakCount(); ++k) {
        sum = PeakTerm(t, k, Gaussian, false, 1.0) + sum;
    }
    EXPECT_EQ(ProfileSum(t, Gaussian, false, 1.0), sum);
    EXPECT_EQ(sum, 0.0);  // 1e16 + 1 rounds back to 1e16
}

TEST(LineShapes, EmptyTableSumsToPositiveZero) {
    PeakTable empty;
    const double sum = ProfileSum(empty, Lorentzian, false, 3.0);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(sum), 0u);
}

TEST(LineShapes, SeparateFlagDoesNotChangeTheSum) {
    PeakTable t;
    AddPeak(t, 10.0, 1.0, 4.0, 1.0);
    const double before = ProfileSum(t, Gaussian, false, 11.0);
    ToggleSeparate(t, {0});
    EXPECT_EQ(ProfileSum(t, Gaussian, false, 11.0), before);
}

TEST(LineShapes, SpecialWidthsAndIntensities) {
    EXPECT_EQ(PeakTerm(TableOf({{5.0, 2.0, -4.0}}), 1, Gaussian, false, 6.0),
              PeakTerm(TableOf({{5.0, 2.0, 4.0}}), 1, Gaussian, false, 6.0));
    const PeakTable zeroWidth = TableOf({{5.0, 2.0, 0.0}});
    EXPECT_EQ(PeakTerm(zeroWidth, 1, Gaussian, false, 6.0), 0.0);
    EXPECT_EQ(PeakTerm(zeroWidth, 1, Lorentzian, false, 6.0), 0.0);
    EXPECT_TRUE(std::isnan(PeakTerm(zeroWidth, 1, Gaussian, false, 5.0)));
    EXPECT_TRUE(std::isnan(ProfileSum(zeroWidth, Lorentzian, false, 5.0)));
    EXPECT_LT(ProfileSum(TableOf({{5.0, -2.0, 3.0}}), Gaussian, false, 5.5), 0.0);
}

TEST(LineShapes, UseScaledPicksTheCentre) {
    const PeakTable t = TableOf({{500.0, 2.0, 10.0, 2.0}});
    EXPECT_EQ(PeakTerm(t, 1, Gaussian, false, 500.0), 2.0);
    EXPECT_EQ(PeakTerm(t, 1, Gaussian, true, 1000.0), 2.0);
    EXPECT_LT(PeakTerm(t, 1, Gaussian, true, 500.0), 1e-300);
}

TEST(LineShapes, SampleGrid) {
    for (const int n : {1, 7, 250}) {
        EXPECT_EQ(SampleX(0, n, -3.5, 9.0), -3.5);
    }
    EXPECT_EQ(SampleX(249, 250, 0.0, 1000.0), 996.0);
    EXPECT_EQ(SampleX(3, 4, 2.0, 2.0), 2.0);
    EXPECT_EQ(SampleX(1, 4, 10.0, 0.0), 7.5);
    // Each sample comes from its own product, never from a running sum.
    const double xMin = 0.1;
    const double xMax = 0.7;
    EXPECT_EQ(SampleX(7, 10, xMin, xMax), (7.0 * (xMax - xMin)) / 10.0 + xMin);
}

TEST(LineShapes, AreaAndItsInversions) {
    EXPECT_EQ(PeakArea(1.0, 1.0), 1.0644670194312262);
    const double area = PeakArea(2.0, 10.0);
    EXPECT_DOUBLE_EQ(IntensityForArea(area, 20.0), 1.0);
    EXPECT_DOUBLE_EQ(WidthForArea(area, 4.0), 5.0);
    EXPECT_DOUBLE_EQ(IntensityForArea(PeakArea(3.7, 0.9), 0.9), 3.7);
}

}  // namespace
