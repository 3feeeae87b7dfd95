#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "analysis/peak_search.h"
#include "document/trazel_doc.h"
#include "tests/support/peak_tables.h"
#include "tests/support/synthetic_spectrum.h"

using namespace trazel::analysis;
using namespace trazel::model;

namespace {

struct SearchCase {
    const char* name;
    PeakTable bands;
    SpectrumShape shape;
    PeakSearchSettings settings;
    // The bands expected, strongest first: each found within a tenth of its
    // width of its place, its width within 20 %.
    std::vector<TestBand> expected;
    std::vector<bool> shoulders = {};
};

class BandSearch : public testing::TestWithParam<SearchCase> {};

TEST_P(BandSearch, FindsTheBandsTheSpectrumWasMadeOf) {
    const SearchCase& c = GetParam();
    const SyntheticSpectrum made = MakeSpectrum(c.bands, c.shape, 0.01, 11);
    // Spectra come decreasing as often as increasing.
    const PeakSearchResult up = FindBands(made.x, made.y, NAN, NAN, c.settings);
    const std::vector<double> x(made.x.rbegin(), made.x.rend());
    const std::vector<double> y(made.y.rbegin(), made.y.rend());
    const PeakSearchResult down = FindBands(x, y, c.shape.xMax, c.shape.xMin, c.settings);
    for (const PeakSearchResult* r : {&up, &down}) {
        ASSERT_EQ(r->bands.size(), c.expected.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            const FoundBand& found = r->bands[i];
            const TestBand& band = c.expected[i];
            EXPECT_NEAR(found.position, band.position, band.width / 10) << i;
            EXPECT_NEAR(found.width, band.width, band.width / 5) << i;
            EXPECT_EQ(found.shoulder, !c.shoulders.empty() && c.shoulders[i]) << i;
        }
    }
    EXPECT_EQ(up.used.window, down.used.window);
    // Sorted data skip the sort; both ways must measure the same points alike.
    for (std::size_t i = 0; i < std::min(up.bands.size(), down.bands.size()); ++i) {
        EXPECT_EQ(up.bands[i].position, down.bands[i].position) << i;
        EXPECT_EQ(up.bands[i].intensity, down.bands[i].intensity) << i;
        EXPECT_EQ(up.bands[i].width, down.bands[i].width) << i;
        EXPECT_EQ(up.bands[i].prominence, down.bands[i].prominence) << i;
    }
}

const PeakTable kSeparated = TableOf({{30, 0.6, 8}, {70, 1, 10}});
const PeakTable kShoulder = TableOf({{40, 1, 10}, {51, 0.45, 8}});

INSTANTIATE_TEST_SUITE_P(
    PeakSearch, BandSearch,
    testing::Values(
        SearchCase{"separated", kSeparated, {}, {}, {{70, 1, 10}, {30, 0.6, 8}}},
        SearchCase{"overlapping",
                   TableOf({{45, 1, 10}, {60, 0.7, 12}}),
                   {.points = 400},
                   {},
                   {{45, 1, 10}, {60, 0.7, 12}}},
        SearchCase{"sloping_baseline",
                   kSeparated,
                   {.baseline = 0.3, .slope = 0.004},
                   {},
                   {{70, 1, 10}, {30, 0.6, 8}}},
        SearchCase{"shoulder_hidden_without_the_option", kShoulder, {}, {}, {{40, 1, 10}}},
        SearchCase{"shoulder",
                   kShoulder,
                   {.points = 400},
                   {.shoulders = true},
                   {{40, 1, 10}, {51, 0.45, 8}},
                   {false, true}},
        SearchCase{
            "prominence_above_the_weaker", kSeparated, {}, {.minProminence = 0.7}, {{70, 1, 10}}},
        SearchCase{"separation_beyond_both", kSeparated, {}, {.minDistance = 45.0}, {{70, 1, 10}}},
        SearchCase{"strongest_only", kSeparated, {}, {.maxBands = 1}, {{70, 1, 10}}},
        SearchCase{"window_and_order_given",
                   kSeparated,
                   {},
                   {.window = 9, .order = 4},
                   {{70, 1, 10}, {30, 0.6, 8}}}),
    [](const testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

// Intensities come from the base of the prominence, or from the baseline
// the document holds, and carry the spectrum's factor; the options and the
// bands go into the document as one change, as many as the table has room for.
TEST(PeakSearch, DocumentBandsGoInAboveTheBaselineStrongestKept) {
    const SyntheticSpectrum made = MakeSpectrum(kSeparated, {.baseline = 0.2}, 0.0, 1);
    document::CTrazelDoc document;
    document.OnNewDocument();
    MeasuredData measured = MeasuredFrom({.x = made.x, .y = made.y}, "medido.txt");
    measured.transform.yFactor = 2.0;
    document.SetMeasured(measured);
    const PeakSearchSettings settings{.minProminence = 0.1};
    PeakSearchResult found = FindBands(document.GetAnalysis(), 0, 100, settings);
    ASSERT_EQ(found.bands.size(), 2u);
    EXPECT_NEAR(found.bands[0].intensity, 2.0, 0.02);
    DocumentState withBaseline = document.State();
    // A fit region over the whole spectrum whose baseline is zero.
    FitRecord flat;
    flat.xMax = 100;
    flat.settings.baseline = fit::Baseline::Constant;
    flat.result.baseline = {fit::Estimate{0.0}};
    withBaseline.analysis.regions = {RegionOf(flat)};
    document.Restore(withBaseline);
    found = FindBands(document.GetAnalysis(), 0, 100, settings);
    EXPECT_NEAR(found.bands[0].intensity, 2.4, 0.02);

    document.SetTable(TableOf(98, [](int k) { return TestBand{double(k)}; }));
    EXPECT_EQ(document.PutFoundBands(found.bands, settings, false), 1);
    EXPECT_EQ(document.Table().Band(99).position, found.bands[0].position);
    EXPECT_EQ(document.PutFoundBands(found.bands, settings, true), 2);
    // Newest on top: the list shows them strongest first.
    EXPECT_EQ(document.Table().Band(document.IndexFromRow(0)).position, found.bands[0].position);
    EXPECT_EQ(document.GetAnalysis().peakSearch, settings);
}

}  // namespace
