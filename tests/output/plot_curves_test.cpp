#include "output/plot_curves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <tuple>

#include "model/line_shapes.h"
#include "tests/support/peak_tables.h"

using namespace trazel::model;
using namespace trazel::output;

namespace {

// A band narrower than a pixel between two other bands, over a range and a
// width of plot.
struct SamplingCase {
    const char* name;
    PeakTable table;
    bool useScaled;
    double lo, hi;
    int columns;
};

class PlotSampling : public testing::TestWithParam<SamplingCase> {};

// Every band whose centre is in view reaches its true height in the sampled
// sum, and the sum is ProfileSum's value at every sample, in x order.
TEST_P(PlotSampling, ReachesEveryBandCentreInViewBitForBit) {
    const SamplingCase& c = GetParam();
    for (const std::int32_t shape : {Gaussian, Lorentzian}) {
        const PlotCurves curves =
            SamplePlotCurves(c.table, shape, c.useScaled, c.lo, c.hi, c.columns);
        ASSERT_TRUE(std::is_sorted(curves.xs.begin(), curves.xs.end()));
        EXPECT_EQ(std::adjacent_find(curves.xs.begin(), curves.xs.end()), curves.xs.end());
        EXPECT_EQ(curves.xs.front(), std::min(c.lo, c.hi));
        EXPECT_EQ(curves.xs.back(), std::max(c.lo, c.hi));
        EXPECT_GE(curves.xs.size(), static_cast<std::size_t>(c.columns) + 1);
        for (std::size_t i = 0; i < curves.xs.size(); ++i) {
            ASSERT_EQ(curves.sum[i], ProfileSum(c.table, shape, c.useScaled, curves.xs[i]));
        }
        for (int k = 1; k <= c.table.PeakCount(); ++k) {
            const double centre =
                c.useScaled ? c.table.Band(k).scaledPosition : c.table.Band(k).position;
            const auto at = std::find(curves.xs.begin(), curves.xs.end(), centre);
            const bool inView = centre >= std::min(c.lo, c.hi) && centre <= std::max(c.lo, c.hi);
            EXPECT_EQ(at != curves.xs.end(), inView) << "band " << k;
            if (inView) {
                EXPECT_GE(*std::max_element(curves.sum.begin(), curves.sum.end()),
                          c.table.Band(k).intensity * 0.999);
            }
        }
        ASSERT_EQ(curves.bands.size(), 1u);
        const auto peak = std::max_element(curves.bands[0].y.begin(), curves.bands[0].y.end());
        // The Lorentzian divides at the centre, which may round by an ulp.
        EXPECT_DOUBLE_EQ(*peak, c.table.Band(curves.bands[0].index).intensity);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, PlotSampling,
    testing::Values(
        SamplingCase{
            "narrowBandOffTheGrid",
            TableOf({{.position = 333.3337, .intensity = 5, .width = 0.01, .separate = true},
                     {100, 1, 20}}),
            false, 0, 1000, 1000},
        SamplingCase{
            "scaledCentreOneColumn",
            TableOf(
                {{.position = 200, .intensity = 2, .width = 0.01, .scale = 1.5, .separate = true},
                 {800, 1, 5}}),
            true, 0, 1000, 1},
        SamplingCase{"limitsGivenHighToLow",
                     TableOf({{.position = 0.5, .intensity = 3, .width = 1e-4, .separate = true},
                              {-20, 1, 1}}),
                     false, 1, -1, 640}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlotSampleXs, NothingForRangesThatCannotBeSampled) {
    const PeakTable table = TableOf({{5}});
    EXPECT_TRUE(PlotSampleXs(table, false, 3, 3, 100).empty());
    EXPECT_TRUE(PlotSampleXs(table, false, 0, kNaN, 100).empty());
    EXPECT_TRUE(PlotSampleXs(table, false, 0, 10, 0).empty());
    // Across nearly the whole range of doubles the width overflows, and every
    // sample must still be a number.
    const auto wide = PlotSampleXs(table, false, -1e308, 1e308, 10);
    EXPECT_TRUE(std::all_of(wide.begin(), wide.end(), [](double x) { return std::isfinite(x); }));
}

struct ReductionCase {
    const char* name;
    std::vector<double> x, y;
    double lo, hi;
    int columns;
    std::vector<double> keptX, keptY;
};

class Reduction : public testing::TestWithParam<ReductionCase> {};

TEST_P(Reduction, KeepsTheExtremesOfEachColumnInOrder) {
    const ReductionCase& c = GetParam();
    const ReducedPoints kept = ReducePerColumn(c.x, c.y, c.lo, c.hi, c.columns);
    EXPECT_EQ(kept.x, c.keptX);
    EXPECT_EQ(kept.y, c.keptY);
    const PointIndex index(c.x, c.y);
    const ReducedPoints indexed = ReducePerColumn(c.x, c.y, c.lo, c.hi, c.columns, &index);
    EXPECT_EQ(indexed.x, c.keptX);
    EXPECT_EQ(indexed.y, c.keptY);
}

// The index's blocks give the very points a reading of every point gives:
// spectra rising and falling, with runs of equal values, repeated x on the
// columns' edges and non-finite y, seen whole and in part.
TEST(Reduction, TheIndexKeepsTheSamePointsAsAReadingOfEveryPoint) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> level(0, 6);
    for (const bool rising : {true, false}) {
        const int n = 20'000;
        std::vector<double> x(n), y(n);
        for (int i = 0; i < n; ++i) {
            // Steps of 0.25 after rounding, so many points share an x.
            const double t = std::round((rising ? i : n - 1 - i) * 0.01 * 4) / 4;
            x[i] = t;
            y[i] = i % 997 == 5 ? kNaN : i % 1500 < 70 ? 2.0 : level(random);
        }
        const PointIndex index(x, y);
        for (const auto& [lo, hi, columns] : {std::tuple{0.0, 200.0, 1920},
                                              {0.0, 200.0, 7},
                                              {33.3, 41.0, 300},
                                              {150.0, 10.0, 64},
                                              {-5.0, 250.0, 1}}) {
            const ReducedPoints plain = ReducePerColumn(x, y, lo, hi, columns);
            const ReducedPoints indexed = ReducePerColumn(x, y, lo, hi, columns, &index);
            EXPECT_EQ(indexed.x, plain.x) << rising << " " << lo << " " << columns;
            EXPECT_EQ(indexed.y, plain.y) << rising << " " << lo << " " << columns;
        }
        // An index of other points is not used.
        std::vector<double> other = y;
        EXPECT_EQ(ReducePerColumn(x, other, 0, 200, 50, &index).y,
                  ReducePerColumn(x, other, 0, 200, 50).y);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, Reduction,
    testing::Values(
        // The maximum comes first in the file, so it is drawn first.
        ReductionCase{"oneColumn", {0.1, 0.2, 0.3, 0.4}, {5, 9, 1, 4}, 0, 1, 1, {0.2, 0.3}, {9, 1}},
        ReductionCase{"twoColumns",
                      {0.1, 0.15, 0.2, 0.6, 0.7, 0.8},
                      {1, 1.5, 2, 4, 3, 3.5},
                      0,
                      1,
                      2,
                      {0.1, 0.2, 0.6, 0.7},
                      {1, 2, 4, 3}},
        ReductionCase{"descendingX",
                      {0.9, 0.85, 0.8, 0.3, 0.2},
                      {1, 0, 2, 7, 6},
                      0,
                      1,
                      2,
                      {0.85, 0.8, 0.3, 0.2},
                      {0, 2, 7, 6}},
        ReductionCase{"flatColumnKeepsOnePoint", {0.1, 0.2}, {3, 3}, 0, 1, 1, {0.1}, {3}},
        // Of the points outside, those where the line enters and leaves.
        ReductionCase{"outsideNeighbours",
                      {-2, -1, 0.5, 2, 3},
                      {1, 2, 3, 4, 5},
                      0,
                      1,
                      4,
                      {-1, 0.5, 2},
                      {2, 3, 4}},
        ReductionCase{
            "lineCrossingTheView", {-3, -1, 5, 6}, {1, 2, 3, 4}, 0, 1, 4, {-1, 5}, {2, 3}},
        ReductionCase{"nonFiniteLeftOut",
                      {0.1, kNaN, 0.6, 0.7},
                      {1, 2, kNaN, 4},
                      0,
                      1,
                      2,
                      {0.1, 0.7},
                      {1, 4}},
        ReductionCase{"upperEndInLastColumn", {0.9, 1.0}, {1, 2}, 0, 1, 2, {0.9, 1.0}, {1, 2}},
        ReductionCase{"emptyRange", {0.1}, {1}, 1, 1, 10, {}, {}},
        // A zoom into x that runs one way looks at the part in view and a
        // neighbour on each side; x that comes back, or a NaN, is read whole.
        ReductionCase{"descendingPartInView",
                      {5, 4, 3, 0.8, 0.5, 0.2, -1, -2},
                      {1, 2, 3, 4, 5, 6, 7, 8},
                      0,
                      1,
                      1,
                      {3, 0.8, 0.2, -1},
                      {3, 4, 6, 7}},
        ReductionCase{"xComesBack", {0.5, 2, 0.6}, {1, 2, 3}, 0, 1, 1, {0.5, 2, 0.6}, {1, 2, 3}},
        ReductionCase{
            "nanBetweenSortedX", {-1, kNaN, 0.5, 2}, {1, 2, 3, 4}, 0, 1, 1, {0.5, 2}, {3, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Reduction, AMillionPointsComeDownToTwoAColumnWithTheirExtremes) {
    const int n = 1'000'000;
    std::vector<double> x(n), y(n);
    for (int i = 0; i < n; ++i) {
        x[i] = i * 1e-3;
        y[i] = std::sin(i * 0.37) + (i == 765'432 ? 10.0 : 0.0);
    }
    const int columns = 1920;
    const ReducedPoints kept = ReducePerColumn(x, y, 0, x.back(), columns);
    EXPECT_LE(kept.x.size(), 2u * columns);
    EXPECT_EQ(*std::max_element(kept.y.begin(), kept.y.end()),
              *std::max_element(y.begin(), y.end()));
    EXPECT_EQ(MaximumInView(kept.x, kept.y, 0, x.back()), MaximumInView(x, y, 0, x.back()));
}

TEST(BandStyle, SevenColoursApartFromTheSumAndTheMeasuredThenDashes) {
    std::set<std::pair<std::uint32_t, int>> seen;
    for (int ordinal = 0; ordinal < 28; ++ordinal) {
        const CurveStyle style = BandStyle(ordinal);
        EXPECT_NE(style.rgb, kSumStyle.rgb);
        EXPECT_NE(style.rgb, kMeasuredStyle.rgb);
        EXPECT_EQ(style.dash == Dash::Solid, ordinal < 7) << ordinal;
        seen.insert({style.rgb, static_cast<int>(style.dash)});
    }
    EXPECT_EQ(seen.size(), 28u);
    EXPECT_EQ(BandStyle(28), BandStyle(0));
}

TEST(BandLegendLabel, NamesThePositionTheBandIsDrawnAt) {
    const PeakTable table = TableOf({{1086}, {.position = 712.5, .scale = 2}, {0.000123456789}});
    EXPECT_EQ(BandLegendLabel(table, 1, false), "1086");
    EXPECT_EQ(BandLegendLabel(table, 2, false), "712.5");
    EXPECT_EQ(BandLegendLabel(table, 2, true), "1425");
    EXPECT_EQ(BandLegendLabel(table, 3, false), "0.000123457");
}

struct FactorCase {
    double yFactor;
    bool scale;
    double model, measured, expected;
};

class DrawFactor : public testing::TestWithParam<FactorCase> {};

TEST_P(DrawFactor, ScalesOnlyWhenAskedAndWhenBothMaximaArePositive) {
    const FactorCase& c = GetParam();
    EXPECT_EQ(MeasuredDrawFactor(c.yFactor, c.scale, c.model, c.measured), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Tables, DrawFactor,
                         testing::Values(FactorCase{2.5, false, 4, 8, 2.5},
                                         FactorCase{2.5, true, 4, 8, 0.5},
                                         FactorCase{2.5, true, 0, 8, 1.0},
                                         FactorCase{2.5, true, 4, -1, 1.0},
                                         FactorCase{2.5, true, 4, kNaN, 1.0}));

}  // namespace
