#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "output/screen_graph.h"
#include "platform/recording_dc.h"
#include "tests/output/settings_for.h"
#include "tests/support/peak_tables.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace {

using Call = RecordingDC::Call;
using Kind = RecordingDC::Kind;

// Brush, box and 11 pairs of ticks, each a move and a line.
constexpr std::size_t kFrameCalls = 2 + 11 * 4;

GraphSettings GraphOf(double xMin, double xMax, double yMin, double yMax, bool join = true) {
    return SettingsFor<GraphSettings>(xMin, xMax, yMin, yMax, join);
}

// Everything after the box and the ticks: the curves.
std::vector<Call> CurveCalls(const PeakTable& table, const GraphSettings& settings) {
    RecordingDC dc;
    DrawGraph(dc, table, settings);
    return {dc.Calls().begin() + kFrameCalls, dc.Calls().end()};
}

TEST(ScreenGraph, DrawsBoxThenTicksThenTheSumAndGivesTheLabels) {
    RecordingDC dc;
    const GraphLabels labels = DrawGraph(dc, TableOf({{500, 2, 10}}), GraphOf(0, 1000, -0.5, 3));

    const GraphLabels expectedLabels{"0", "1000", "-0.5", "3", "x", "y"};
    EXPECT_EQ(labels, expectedLabels);
    EXPECT_EQ(GraphLabelTexts(GraphOf(0, 1000, -0.5, 3).curve), expectedLabels);

    const auto& calls = dc.Calls();
    ASSERT_EQ(calls.size(), kFrameCalls + 1 + 250);
    EXPECT_EQ(calls[0], (Call{Kind::SelectStockObject, 0, 0, 0, 0, WHITE_BRUSH, {}}));
    EXPECT_EQ(calls[1], (Call{Kind::Rectangle, 420, 200, 671, 402, 0, {}}));
    for (int i = 0; i <= 10; ++i) {
        const std::size_t at = 2 + 4 * static_cast<std::size_t>(i);
        EXPECT_EQ(calls[at], RecordingDC::MoveCall(420 + 25 * i, 402)) << i;
        EXPECT_EQ(calls[at + 1], RecordingDC::LineCall(420 + 25 * i, 407)) << i;
        EXPECT_EQ(calls[at + 2], RecordingDC::MoveCall(671, 200 + 20 * i)) << i;
        EXPECT_EQ(calls[at + 3], RecordingDC::LineCall(676, 200 + 20 * i)) << i;
    }
    EXPECT_EQ(calls[kFrameCalls], RecordingDC::MoveCall(420, 402));
    // Sample 125 is x = 500, the top of the band: 2 of 3.5 above -0.5 is
    // ceil(142.857...) = 143 rows up.
    EXPECT_EQ(calls[kFrameCalls + 1 + 125], RecordingDC::LineCall(545, 401 - 143));
    // Far from the peak the band is 0, ceil(0.5 * 200 / 3.5) = 29 rows up.
    EXPECT_EQ(calls[kFrameCalls + 1], RecordingDC::LineCall(420, 401 - 29));
    EXPECT_EQ(calls.back(), RecordingDC::LineCall(669, 401 - 29));
}

struct SampleCase {
    const char* name;
    double v;
    double yMin;
    double yMax;
    bool join;
    Call expected;
};

class PlotSampleTest : public testing::TestWithParam<SampleCase> {};

TEST_P(PlotSampleTest, PlacesTheValue) {
    const SampleCase& c = GetParam();
    RecordingDC dc;
    PlotSample(dc, GraphOf(0, 1, c.yMin, c.yMax, c.join), 7, c.v);
    ASSERT_EQ(dc.Calls().size(), 1u);
    EXPECT_EQ(dc.Calls()[0], c.expected);
}

const Call kPixel = {Kind::SetPixel, 427, 301, 0, 0, 0, {}};

INSTANTIATE_TEST_SUITE_P(
    Rows, PlotSampleTest,
    testing::Values(
        SampleCase{"AtYMinOnBottomRow", 0.0, 0.0, 3.0, true, RecordingDC::LineCall(427, 401)},
        SampleCase{"AtYMaxOnTopRow", 3.0, 0.0, 3.0, true, RecordingDC::LineCall(427, 201)},
        SampleCase{"JustAboveYMinOneRowUp", 1e-12, 0.0, 3.0, true, RecordingDC::LineCall(427, 400)},
        SampleCase{"Middle", 1.5, 0.0, 3.0, true, RecordingDC::LineCall(427, 301)},
        SampleCase{"AboveMovesToTopEdge", 3.5, 0.0, 3.0, true, RecordingDC::MoveCall(427, 200)},
        SampleCase{"BelowMovesToBottomRow", -1.0, 0.0, 3.0, true, RecordingDC::MoveCall(427, 401)},
        SampleCase{"NotANumberMovesToBottomRow", kNaN, 0.0, 3.0, true,
                   RecordingDC::MoveCall(427, 401)},
        SampleCase{"DotInBand", 1.5, 0.0, 3.0, false, kPixel},
        SampleCase{"DotModeAboveLeavesNoMark", 3.5, 0.0, 3.0, false,
                   RecordingDC::MoveCall(427, 200)},
        SampleCase{"DotModeBelowLeavesNoMark", -1.0, 0.0, 3.0, false,
                   RecordingDC::MoveCall(427, 401)},
        SampleCase{"EqualLimitsGoToBottomRow", 2.0, 2.0, 2.0, true,
                   RecordingDC::LineCall(427, 401)},
        SampleCase{"ReversedLimitsNothingInBand", 1.0, 2.0, 0.0, true,
                   RecordingDC::MoveCall(427, 200)}),
    [](const testing::TestParamInfo<SampleCase>& info) { return info.param.name; });

TEST(ScreenGraph, LimitsBeyondTheRangeOfDoublesStayInTheBox) {
    // (v - yMin) * 200 and y max - y min overflow to infinity, and their
    // quotient is not a number.
    for (const double v : {-1e308, 0.0, 1e308}) {
        RecordingDC dc;
        PlotSample(dc, GraphOf(0, 1, -1e308, 1e308), 0, v);
        ASSERT_EQ(dc.Calls().size(), 1u);
        EXPECT_EQ(dc.Calls()[0].kind, Kind::LineTo);
        EXPECT_GE(dc.Calls()[0].y, 201) << v;
        EXPECT_LE(dc.Calls()[0].y, 401) << v;
    }
}

TEST(ScreenGraph, ReversedXRunsFromXMinAtTheLeft) {
    // Samples fall at x = 1000 - 4j: the peak at 800 is sample 50.
    const auto curve = CurveCalls(TableOf({{800, 2, 10}}), GraphOf(1000, 0, 0, 3));
    ASSERT_EQ(curve.size(), 251u);
    const auto highest = std::min_element(curve.begin() + 1, curve.end(),
                                          [](const Call& a, const Call& b) { return a.y < b.y; });
    EXPECT_EQ(*highest, RecordingDC::LineCall(470, 401 - 134));
}

TEST(ScreenGraph, YMaxBelowYMinOnlyMovesThePen) {
    for (const bool join : {true, false}) {
        const auto curve = CurveCalls(TableOf({{500, 2, 10}}), GraphOf(0, 1000, 3, 0, join));
        ASSERT_EQ(curve.size(), 251u);
        for (const Call& call : curve) {
            ASSERT_EQ(call.kind, Kind::MoveTo) << Describe(call);
        }
    }
}

TEST(ScreenGraph, FlaggedPeakIsDrawnAgainByItself) {
    PeakTable table = TableOf({{300, 1, 10}, {700, 2, 10}});
    const auto plain = CurveCalls(table, GraphOf(0, 1000, 0, 3));
    ASSERT_EQ(plain.size(), 251u);

    table.Band(2).separate = 1;
    const auto curves = CurveCalls(table, GraphOf(0, 1000, 0, 3));
    ASSERT_EQ(curves.size(), 502u);
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), curves.begin()));
    EXPECT_EQ(curves[251], RecordingDC::MoveCall(420, 402));
    // The single band has its top at x = 700 (sample 175) and is flat at the
    // bottom where the other peak stands (x = 300, sample 75).
    EXPECT_EQ(curves[252 + 175], RecordingDC::LineCall(595, 401 - 134));
    EXPECT_EQ(curves[252 + 75], RecordingDC::LineCall(495, 401));
    EXPECT_EQ(curves[1 + 75], RecordingDC::LineCall(495, 401 - 67));
}

TEST(ScreenGraph, EmptyTableDrawsAFlatLineWhereZeroLies) {
    const auto curve = CurveCalls(PeakTable{}, GraphOf(0, 1, -1, 1));
    ASSERT_EQ(curve.size(), 251u);
    for (std::size_t j = 1; j < curve.size(); ++j) {
        ASSERT_EQ(curve[j], RecordingDC::LineCall(420 + static_cast<int>(j) - 1, 301));
    }
}

TEST(ScreenGraph, ZeroRangeTest) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(IsZeroRange(0, 0));
    EXPECT_TRUE(IsZeroRange(2.5, 2.5));
    EXPECT_TRUE(IsZeroRange(kNaN, 1));
    EXPECT_TRUE(IsZeroRange(kInf, kInf));
    EXPECT_FALSE(IsZeroRange(0, 1));
    EXPECT_FALSE(IsZeroRange(1, 0));
    EXPECT_FALSE(IsZeroRange(1e-300, 2e-300));
}

}  // namespace
