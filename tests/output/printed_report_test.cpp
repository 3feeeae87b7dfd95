#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>

#include "output/printed_report.h"
#include "platform/recording_dc.h"
#include "tests/output/settings_for.h"
#include "tests/support/peak_tables.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace {

using Call = RecordingDC::Call;
using Kind = RecordingDC::Kind;

// A table of count - 1 peaks whose positions are 1000 + index, so that every
// printed row names its index.
PeakTable NumberedTable(int count) {
    return TableOf(count - 1, [](int k) { return TestBand{1000.0 + k, 2.0, 10.0, 0.5}; });
}

ReportSettings ReportOf(double xMin, double xMax, double yMin, double yMax, int resolution = 250) {
    auto settings = SettingsFor<ReportSettings>(xMin, xMax, yMin, yMax, true);
    settings.graphShown = true;
    settings.resolution = resolution;
    return settings;
}

std::vector<Call> Page(int page, const PeakTable& table, const ReportSettings& settings,
                       const std::string& title = "muestra") {
    RecordingDC dc;
    PrintPage(dc, page, table, settings, title);
    return dc.Calls();
}

// Page 1 begins with map mode, brush, frame, title, six labels and 11 pairs
// of ticks; then the pen goes to the frame's corner and the sum follows.
constexpr std::size_t kCurveStart = 10 + 11 * 4;

// The positions (first column) of the table rows on a page.
std::vector<Call> RowStarts(const std::vector<Call>& calls, int headerY) {
    std::vector<Call> rows;
    for (const Call& call : calls) {
        if (call.kind == Kind::TextOut && call.x == 350 && call.y < headerY) {
            rows.push_back(call);
        }
    }
    return rows;
}

TEST(ReportPages, CountFollowsTheTableSize) {
    const std::vector<std::pair<int, int>> cases = {{1, 1},  {2, 1},  {30, 1}, {31, 2},
                                                    {80, 2}, {81, 3}, {100, 3}};
    for (const auto& [count, pages] : cases) {
        EXPECT_EQ(ReportPageCount(count), pages) << count;
    }
    EXPECT_EQ(ReportPageCount(100, false), 1);
}

TEST(ReportPages, EveryPeakListedOnceInIndexOrder) {
    for (int count = 1; count <= kMaxPeakSlots; ++count) {
        const PeakTable table = NumberedTable(count);
        std::vector<std::string> listed;
        for (int page = 1; page <= ReportPageCount(count); ++page) {
            const int headerY = page == 1 ? -1350 : -380;
            for (const Call& row : RowStarts(Page(page, table, ReportOf(0, 1, 0, 1, 1)), headerY)) {
                listed.push_back(row.text);
            }
        }
        std::vector<std::string> expected;
        for (int k = 1; k < count; ++k) {
            expected.push_back(std::to_string(1000 + k));
        }
        ASSERT_EQ(listed, expected) << "count " << count;
    }
}

TEST(ReportPage1, ElementsInOrderAtTheirPositions) {
    PeakTable table = NumberedTable(3);
    table.Band(1).position = 800;
    table.Band(1).scaledPosition = 400;
    table.Band(2).position = 1200;
    table.Band(2).scaledPosition = 600;
    table.Band(2).separate = 1;
    const auto calls = Page(1, table, ReportOf(0, 2000, -1, 3), "muestra-2");

    std::vector<Call> expected = {
        {Kind::SetMapMode, 0, 0, 0, 0, MM_LOMETRIC, {}},
        {Kind::SelectStockObject, 0, 0, 0, 0, WHITE_BRUSH, {}},
        {Kind::Rectangle, 350, -350, 1600, -1200, 0, {}},
        RecordingDC::TextCall(350, -280, "muestra-2"),
        RecordingDC::TextCall(1670, -340, "3"),
        RecordingDC::TextCall(1670, -740, "y"),
        RecordingDC::TextCall(1670, -1160, "-1"),
        RecordingDC::TextCall(340, -1230, "0"),
        RecordingDC::TextCall(980, -1230, "x"),
        RecordingDC::TextCall(1580, -1230, "2000"),
    };
    for (int k = 0; k <= 10; ++k) {
        expected.push_back(RecordingDC::MoveCall(350 + 125 * k, -1200));
        expected.push_back(RecordingDC::LineCall(350 + 125 * k, -1210));
        expected.push_back(RecordingDC::MoveCall(1600, -350 - 85 * k));
        expected.push_back(RecordingDC::LineCall(1610, -350 - 85 * k));
    }
    expected.push_back(RecordingDC::MoveCall(350, -1200));
    ASSERT_GT(calls.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), calls.begin()));

    // The sum, then peak 2 alone, then the legend and the table.
    std::size_t at = expected.size();
    for (int j = 0; j < 250; ++j, ++at) {
        ASSERT_EQ(calls[at].kind, Kind::LineTo);
        ASSERT_EQ(calls[at].x, 350 + 5 * j);
    }
    EXPECT_EQ(calls[at++], (Call{Kind::SetMapMode, 0, 0, 0, 0, MM_LOMETRIC, {}}));
    EXPECT_EQ(calls[at++], (Call{Kind::SelectStockObject, 0, 0, 0, 0, WHITE_BRUSH, {}}));
    EXPECT_EQ(calls[at++], RecordingDC::MoveCall(350, -1200));
    // Peak 2 stands at x = 1200, sample 150: 2 is 3/4 of the way from -1 to
    // 3, ceil(637.5) units up.
    EXPECT_EQ(calls[at + 150], RecordingDC::LineCall(1100, -1200 + 638));
    at += 250;

    const std::vector<Call> rest(calls.begin() + static_cast<long>(at), calls.end());
    const std::vector<Call> expectedRest = {
        RecordingDC::TextCall(350, -1300, "Usando valores de los máximos sin escalar"),
        RecordingDC::TextCall(350, -1350, "Máximo"),
        RecordingDC::TextCall(550, -1350, "Escala"),
        RecordingDC::TextCall(750, -1350, "Máx. Escalado"),
        RecordingDC::TextCall(1150, -1350, "Intensidad"),
        RecordingDC::TextCall(1450, -1350, "Anchura"),
        RecordingDC::TextCall(350, -1407, "800"),
        RecordingDC::TextCall(550, -1407, "0.5"),
        RecordingDC::TextCall(850, -1407, "400"),
        RecordingDC::TextCall(1150, -1407, "2"),
        RecordingDC::TextCall(1450, -1407, "10"),
        RecordingDC::TextCall(350, -1454, "1200"),
        RecordingDC::TextCall(550, -1454, "0.5"),
        RecordingDC::TextCall(850, -1454, "600"),
        RecordingDC::TextCall(1150, -1454, "2"),
        RecordingDC::TextCall(1450, -1454, "10"),
    };
    EXPECT_EQ(rest, expectedRest);
}

TEST(ReportPage1, LegendFollowsUseScaled) {
    ReportSettings settings = ReportOf(0, 1, 0, 1);
    settings.curve.useScaled = true;
    const auto calls = Page(1, PeakTable{}, settings);
    EXPECT_NE(
        std::find(calls.begin(), calls.end(),
                  RecordingDC::TextCall(350, -1300, "Usando valores escalados de los máximos")),
        calls.end());
}

struct CurveCase {
    const char* name;
    double v;  // the value of the only peak at every sample
    double yMin;
    double yMax;
    bool join;
    Call expectedFirst;  // the call for sample 0
};

class ReportCurveTest : public testing::TestWithParam<CurveCase> {};

TEST_P(ReportCurveTest, PlacesTheValue) {
    const CurveCase& c = GetParam();
    // A band so wide that it is flat at its height over [0, 1].
    PeakTable table = NumberedTable(2);
    table.Band(1).position = 0.5;
    table.Band(1).intensity = c.v;
    table.Band(1).width = 1e12;
    ReportSettings settings = ReportOf(0, 1, c.yMin, c.yMax, 3);
    settings.curve.joinPoints = c.join;
    const auto calls = Page(1, table, settings);
    ASSERT_GT(calls.size(), kCurveStart + 4);
    ASSERT_EQ(calls[kCurveStart], RecordingDC::MoveCall(350, -1200));
    // Three samples across 1250 units: columns 350, 350 + ceil(416.67), 350 + ceil(833.33).
    const auto first = calls.begin() + kCurveStart + 1;
    Call second = c.expectedFirst;
    second.x = 767;
    Call third = c.expectedFirst;
    third.x = 1184;
    EXPECT_EQ(*first, c.expectedFirst);
    EXPECT_EQ(*(first + 1), second);
    EXPECT_EQ(*(first + 2), third);
    EXPECT_EQ((first + 3)->kind, Kind::SetMapMode);
}

INSTANTIATE_TEST_SUITE_P(
    Mapping, ReportCurveTest,
    testing::Values(
        CurveCase{"AtYMinOnTheFrameBottom", 1.0, 1.0, 3.0, true, RecordingDC::LineCall(350, -1200)},
        CurveCase{"AtYMaxOnTheFrameTop", 3.0, 1.0, 3.0, true, RecordingDC::LineCall(350, -350)},
        CurveCase{"Middle", 2.0, 1.0, 3.0, true, RecordingDC::LineCall(350, -775)},
        CurveCase{"DotInRange", 2.0, 1.0, 3.0, false, {Kind::SetPixel, 350, -775, 0, 0, 0, {}}},
        CurveCase{"AboveMovesToTheTop", 4.0, 1.0, 3.0, true, RecordingDC::MoveCall(350, -350)},
        CurveCase{"BelowMovesJustInsideTheBottom", 0.5, 1.0, 3.0, false,
                  RecordingDC::MoveCall(350, -1199)},
        CurveCase{"NotANumberMovesJustInsideTheBottom", kNaN, 1.0, 3.0, true,
                  RecordingDC::MoveCall(350, -1199)},
        CurveCase{"EqualLimitsOnTheBottom", 2.0, 2.0, 2.0, true, RecordingDC::LineCall(350, -1200)},
        CurveCase{"ReversedLimitsOnlyMove", 2.0, 3.0, 1.0, true, RecordingDC::MoveCall(350, -350)}),
    [](const testing::TestParamInfo<CurveCase>& info) { return info.param.name; });

TEST(ReportPage1, NoSamplesWithoutAPositiveResolution) {
    for (const int resolution : {0, -5}) {
        const auto calls = Page(1, NumberedTable(3), ReportOf(0, 1, 0, 1, resolution));
        ASSERT_GT(calls.size(), kCurveStart + 3);
        EXPECT_EQ(calls[kCurveStart], RecordingDC::MoveCall(350, -1200));
        EXPECT_EQ(calls[kCurveStart + 1].kind, Kind::SetMapMode) << resolution;
        EXPECT_EQ(calls[kCurveStart + 3].kind, Kind::TextOut) << resolution;
        EXPECT_EQ(RowStarts(calls, -1350).size(), 2u);
    }
}

TEST(ReportPages, FollowingPagesCarryTitleAndRowsOnly) {
    const PeakTable table = NumberedTable(100);
    const auto page2 = Page(2, table, ReportOf(0, 1, 0, 1), "muestra-2");
    ASSERT_GE(page2.size(), 3u);
    EXPECT_EQ(page2[0], (Call{Kind::SetMapMode, 0, 0, 0, 0, MM_LOMETRIC, {}}));
    EXPECT_EQ(page2[1], RecordingDC::TextCall(350, -280, "muestra-2"));
    EXPECT_EQ(page2[2], RecordingDC::TextCall(350, -380, "Máximo"));
    EXPECT_EQ(page2[7], RecordingDC::TextCall(350, -437, "1030"));
    for (const Call& call : page2) {
        EXPECT_EQ(call.kind == Kind::SetMapMode || call.kind == Kind::TextOut, true)
            << Describe(call);
    }
    const auto page3 = RowStarts(Page(3, table, ReportOf(0, 1, 0, 1)), -380);
    ASSERT_EQ(page3.size(), 20u);
    EXPECT_EQ(page3.front(), RecordingDC::TextCall(350, -437, "1080"));
    EXPECT_EQ(page3.back(), RecordingDC::TextCall(350, -390 - 47 * 20, "1099"));
}

TEST(ReportPages, NothingBeforeAGraphWasShown) {
    ReportSettings settings = ReportOf(0, 1, 0, 1);
    settings.graphShown = false;
    EXPECT_TRUE(Page(1, NumberedTable(5), settings).empty());
}

// The fit's pages come last and only with a fit; without one the report is
// as it was.
TEST(ReportPages, AFitAddsItsPagesLast) {
    struct Row {
        int count;
        bool graphShown;
        int fitPages;
        int pages;
        int fitPage;
    };
    for (const Row& r : {Row{5, true, 0, 1, 0}, Row{81, true, 0, 3, 0}, Row{5, false, 0, 1, 0},
                         Row{5, true, 1, 2, 2}, Row{81, true, 1, 4, 4}, Row{5, false, 1, 1, 1},
                         Row{5, true, 3, 4, 2}, Row{5, false, 2, 2, 1}}) {
        const ReportPlan plan = PlanReport(r.count, r.graphShown, r.fitPages);
        EXPECT_EQ(plan.pages, r.pages) << r.count << r.graphShown << r.fitPages;
        EXPECT_EQ(plan.fitPage, r.fitPage) << r.count << r.graphShown << r.fitPages;
    }
}

// Every row of the fit's table is printed, once, in order, under its heading
// on every page, each page inside the paper and below the figure on the
// first; a long fact wraps instead of running off the right edge, and a
// table too wide for the page puts each error under its value.
TEST(ReportPages, TheFitPagesHoldEveryRowOnThePaper) {
    struct Case {
        int rows;
        const char* value;
        int pages;  // 0: as many as it takes
        bool split;
    };
    const std::string verdict(60, 'v');
    for (const Case& c :
         {Case{5, "1040.020 ± 0.050", 1, false}, Case{13, "1040.020 ± 0.050", 1, false},
          Case{60, "1040.020 ± 0.050", 2, false}, Case{99, "2921.99869 ± 0.00012", 0, true}}) {
        ReportSheet sheet{.heading = "Informe",
                          .facts = {{"Veredicto", verdict + " " + verdict}, {"R²", "0.99"}}};
        sheet.columns = {"Banda", "Posición", "Intensidad", "Anchura", "Área", "Área (%)"};
        for (int r = 1; r <= c.rows; ++r) {
            sheet.rows.push_back({std::to_string(r), c.value, c.value, c.value, c.value, "1.0"});
        }
        sheet.closing = {{"Fecha", "2025-03-14"}, {"Programa", "Trazel"}};
        const auto pages = FitPagesOf(sheet);
        if (c.pages > 0) {
            EXPECT_EQ(static_cast<int>(pages.size()), c.pages) << c.rows;
        }
        std::vector<std::string> bands;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            RecordingDC dc;
            PrintFitPage(dc, pages, static_cast<int>(p), "muestra");
            int headings = 0;
            const std::size_t before = bands.size();
            for (const Call& call : dc.Calls()) {
                if (call.kind != Kind::TextOut || call.text == "muestra") {
                    continue;
                }
                EXPECT_LT(call.y, p == 0 ? kFitFigureBox.bottom : -280) << call.text;
                EXPECT_GT(call.y, -2850 + 40) << call.text;
                const auto chars = std::count_if(call.text.begin(), call.text.end(), [](char b) {
                    return (static_cast<unsigned char>(b) & 0xC0) != 0x80;
                });
                EXPECT_LE(call.x + 20 * chars, kFitFigureBox.right) << call.text;
                headings += call.text == "Intensidad" ? 1 : 0;
                if (call.x == kFitFigureBox.left && !call.text.empty() &&
                    std::isdigit(static_cast<unsigned char>(call.text[0]))) {
                    bands.push_back(call.text);
                }
                if (call.text.starts_with("±")) {
                    EXPECT_TRUE(c.split) << call.text;
                }
            }
            EXPECT_EQ(headings, bands.size() > before ? 1 : 0) << "page " << p;
        }
        ASSERT_EQ(static_cast<int>(bands.size()), c.rows);
        for (int r = 0; r < c.rows; ++r) {
            EXPECT_EQ(bands[static_cast<std::size_t>(r)], std::to_string(r + 1));
        }
    }
}

TEST(ReportTitle, CaptionWithoutTheProgramName) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"muestra-2 - Trazel", "muestra-2"}, {"Sin título - Trazel", "Sin título"},
        {"a - b - Trazel", "a - b"},         {"espectro.trz - Trazel", "espectro.trz"},
        {"sin programa", "sin programa"},    {"", ""},
    };
    for (const auto& [caption, title] : cases) {
        EXPECT_EQ(PrintTitleFromCaption(caption), title) << caption;
    }
}

}  // namespace
