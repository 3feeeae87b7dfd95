#include <gtest/gtest.h>

#include "document/trazel_doc.h"
#include "tests/support/peak_tables.h"
#include "tests/support/synthetic_spectrum.h"

using namespace trazel::analysis;
using namespace trazel;

namespace {

// Two regions sharing the end at 50, and one further up after a gap.
std::vector<FitRegion> Regions() {
    std::vector<FitRegion> regions(3);
    const double ends[][2] = {{10, 50}, {50, 90}, {120, 150}};
    for (std::size_t r = 0; r < regions.size(); ++r) {
        regions[r].settings.xMin = ends[r][0];
        regions[r].settings.xMax = ends[r][1];
    }
    return regions;
}

struct BandCase {
    const char* name;
    double position;
    double scale;
    bool useScaled;
    // The region the band takes part in, or -1 for none.
    int region;
};

class BandInRegion : public testing::TestWithParam<BandCase> {};

}  // namespace

// A band takes part in the region that holds its centre, the lower one on
// the end two regions share; in none outside them.
TEST_P(BandInRegion, IsTheOneHoldingItsCentre) {
    const BandCase& c = GetParam();
    const model::PeakTable table = TableOf({{c.position, 1.0, 5.0, c.scale}});
    const auto region = RegionOfBand(Regions(), table, 1, c.useScaled);
    EXPECT_EQ(region ? static_cast<int>(*region) : -1, c.region);
}

INSTANTIATE_TEST_SUITE_P(
    FitRegions, BandInRegion,
    testing::Values(BandCase{"inside", 30, 1, false, 0}, BandCase{"lowerEnd", 10, 1, false, 0},
                    BandCase{"sharedEnd", 50, 1, false, 0},
                    BandCase{"upperRegion", 70, 1, false, 1},
                    BandCase{"inTheGap", 100, 1, false, -1}, BandCase{"belowAll", 5, 1, false, -1},
                    BandCase{"scaledIntoTheGap", 70, 1.5, true, -1},
                    BandCase{"scaledIgnoredUnlessUsed", 70, 1.5, false, 1}),
    [](const testing::TestParamInfo<BandCase>& info) { return info.param.name; });

namespace {

struct RangeCase {
    const char* name;
    double lo;
    double hi;
    std::optional<std::size_t> refitted;
    // A part of the refusal, or empty when the range may be fitted.
    const char* refusal;
};

class RegionRange : public testing::TestWithParam<RangeCase> {};

}  // namespace

// A range over another region is refused, naming it; one that touches a
// region's end, or lies over the region refitted alone, may be fitted.
TEST_P(RegionRange, IsRefusedOverAnotherRegion) {
    const RangeCase& c = GetParam();
    const auto problem = RangeProblem(Regions(), c.lo, c.hi, c.refitted);
    if (*c.refusal == '\0') {
        EXPECT_EQ(problem.value_or(""), "");
    } else {
        ASSERT_TRUE(problem);
        EXPECT_NE(problem->find(c.refusal), std::string::npos) << *problem;
    }
}

INSTANTIATE_TEST_SUITE_P(
    FitRegions, RegionRange,
    testing::Values(RangeCase{"inTheGap", 95, 115, std::nullopt, ""},
                    RangeCase{"touchingEnds", 90, 120, std::nullopt, ""},
                    RangeCase{"overOneAloneRefitsIt", 55, 95, std::nullopt, ""},
                    RangeCase{"widenedRegion", 50, 100, 1, ""},
                    RangeCase{"overTwo", 40, 130, std::nullopt,
                              "se solapa con la región 1 (x de 10 a 50), la región 2 (x de 50 a "
                              "90), la región 3"},
                    RangeCase{"overAnotherThanRefitted", 40, 60, 1, "la región 1 (x de 10 a 50)"},
                    RangeCase{"newRegionOverOne", 130, 140, 3, "la región 3 (x de 120 a 150)"}),
    [](const testing::TestParamInfo<RangeCase>& info) { return info.param.name; });

// The fit of a region varies the bands it holds alone: the band on the end
// it shares with the region below is that one's, and a band a fit moved
// into the region takes part there from then on.
TEST(FitRegions, PosedFitVariesTheRegionsOwnBands) {
    document::CTrazelDoc document;
    document.OnNewDocument();
    const SyntheticSpectrum made = MakeSpectrum(TableOf({{30, 1, 8}, {70, 1, 8}}), {}, 0.0, 1);
    document.SetMeasured(MeasuredFrom({.x = made.x, .y = made.y}, "medido.txt"));
    document.SetTable(TableOf({{30, 1, 8}, {50, 0.5, 8}, {70, 1, 8}}));
    for (const FitRegion& region : Regions()) {
        document.AddRegion(region);
    }
    const auto freeBands = [&document](std::size_t region) {
        const fit::FitProblem problem = document.PoseFit(
            document.GetAnalysis().regions[region].settings, model::Gaussian, false);
        std::vector<int> free;
        for (int k = 1; k <= document.Table().PeakCount(); ++k) {
            if (problem.freedom[static_cast<std::size_t>(k)].Any()) {
                free.push_back(k);
            }
        }
        return free;
    };
    EXPECT_EQ(freeBands(0), (std::vector<int>{1, 2}));
    EXPECT_EQ(freeBands(1), (std::vector<int>{3}));
    document.ReplacePeak(2, 52, 0.5, 8, 0, 1);
    EXPECT_EQ(freeBands(0), (std::vector<int>{1}));
    EXPECT_EQ(freeBands(1), (std::vector<int>{2, 3}));
}
