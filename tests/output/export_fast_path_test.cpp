#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <stop_token>
#include <string>

#include "model/line_shapes.h"
#include "output/data_export.h"
#include "tests/output/failing_sink.h"
#include "tests/output/random_tables.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace {

// The export's lines as the plainest loop writes them: ProfileSum at each x
// and printf in the C locale.
std::string PlainLines(const PeakTable& table, const ExportSettings& settings) {
    std::string out;
    if (settings.resolution < 1) {
        return out;
    }
    const double step = (settings.curve.xMax - settings.curve.xMin) / settings.resolution;
    double x = settings.curve.xMin;
    while (x <= settings.curve.xMax) {
        char line[128];
        std::snprintf(line, sizeof line, "%.14g %.14g\r\n", x,
                      ProfileSum(table, settings.curve.lineShape, settings.curve.useScaled, x));
        if (settings.decimalComma) {
            std::replace(line, line + sizeof line, '.', ',');
        }
        out += line;
        const double next = x + step;
        if (!(next > x)) {
            break;
        }
        x = next;
    }
    return out;
}

std::string FastLines(const PeakTable& table, const ExportSettings& settings) {
    std::ostringstream out;
    StreamSink sink(out);
    EXPECT_EQ(WriteExportLines(sink, table, settings, nullptr).end, ExportEnd::Finished);
    return out.str();
}

struct FastPathCase {
    std::int32_t shape;
    bool useScaled;
    bool decimalComma;
    double oddRate;
};

class ExportFastPathTest : public testing::TestWithParam<FastPathCase> {};

TEST_P(ExportFastPathTest, SameBytesAsThePlainLoop) {
    const FastPathCase& c = GetParam();
    RandomTables random(
        static_cast<std::uint64_t>(97 * c.shape + 13 * int{c.useScaled} + 5 * int{c.decimalComma}) +
        static_cast<std::uint64_t>(c.oddRate * 100));
    for (int round = 0; round < 12; ++round) {
        ExportSettings settings;
        settings.curve.xMin = random.Uniform(-50.0, 50.0);
        settings.curve.xMax =
            round == 0 ? settings.curve.xMin : settings.curve.xMin + random.Uniform(-10.0, 1000.0);
        settings.curve.lineShape = c.shape;
        settings.curve.useScaled = c.useScaled;
        settings.decimalComma = c.decimalComma;
        // Grids of a few lines on the calling thread, and the occasional one
        // long enough to be spread over threads.
        settings.resolution = round % 6 == 5 ? 20000 + random.Below(20000) : 1 + random.Below(400);
        const PeakTable table = random.Table(settings.curve.xMin, settings.curve.xMax, c.oddRate);
        const std::string expected = PlainLines(table, settings);
        const std::string actual = FastLines(table, settings);
        ASSERT_EQ(actual.size(), expected.size()) << "round " << round;
        ASSERT_TRUE(actual == expected)
            << "round " << round << ", first difference at byte "
            << std::mismatch(actual.begin(), actual.end(), expected.begin()).first - actual.begin();
    }
}

INSTANTIATE_TEST_SUITE_P(
    RandomTables, ExportFastPathTest,
    testing::Values(FastPathCase{Gaussian, 0, 1, 0.0}, FastPathCase{Gaussian, 1, 0, 0.0},
                    FastPathCase{Lorentzian, 0, 0, 0.0}, FastPathCase{Lorentzian, 1, 1, 0.0},
                    FastPathCase{Gaussian, 0, 0, 0.05}, FastPathCase{Gaussian, 1, 1, 0.3},
                    FastPathCase{Lorentzian, 0, 1, 0.05}, FastPathCase{Lorentzian, 1, 0, 0.3}),
    [](const testing::TestParamInfo<FastPathCase>& info) {
        return std::string(info.param.shape == Lorentzian ? "Lorentzian" : "Gaussian") +
               (info.param.useScaled ? "Scaled" : "Plain") +
               (info.param.decimalComma ? "Comma" : "Point") +
               std::to_string(static_cast<int>(info.param.oddRate * 100)) + "PercentOdd";
    });

class CountingProgress : public ProgressControl {
  public:
    void SetRange32(int, int upper) override { range = upper; }
    void SetPos(int position) override {
        lastPos = position;
        ++positions;
    }
    void SetStep(int) override {}
    // Asks the loop to stop during that step, as Esc does in the window.
    void StepIt() override {
        if (++steps == stopAtStep) {
            stop.request_stop();
        }
    }
    int stopAtStep = -1;
    std::stop_source stop;
    int range = -1;
    int lastPos = -1;
    int positions = 0;
    int steps = 0;
};

// The first n lines of text.
std::string FirstLines(const std::string& text, int n) {
    std::size_t end = 0;
    for (int line = 0; line < n; ++line) {
        end = text.find('\n', end) + 1;
    }
    return text.substr(0, end);
}

ExportSettings LongExport() {
    ExportSettings settings;
    settings.curve.xMin = 0.0;
    settings.curve.xMax = 1000.0;
    settings.resolution = 100000;
    return settings;
}

TEST(ExportFastPath, LongExportStepsOncePerLineAndEndsAtZero) {
    RandomTables random(3);
    const PeakTable table = random.Table(0.0, 1000.0, 0.0);
    std::ostringstream out;
    StreamSink sink(out);
    CountingProgress progress;
    EXPECT_EQ(WriteExportLines(sink, table, LongExport(), &progress).end, ExportEnd::Finished);
    const std::string text = out.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 100001);
    EXPECT_EQ(progress.range, 100000);
    EXPECT_EQ(progress.steps, 100001);
    EXPECT_EQ(progress.lastPos, 0);
}

TEST(ExportFastPath, LongExportStopsAtTheRefusedLine) {
    RandomTables random(4);
    const PeakTable table = random.Table(0.0, 1000.0, 0.0);
    const std::string whole = PlainLines(table, LongExport());
    for (const int accepted : {0, 1, 16383, 16384, 50000}) {
        FailingSink sink(accepted);
        CountingProgress progress;
        EXPECT_EQ(WriteExportLines(sink, table, LongExport(), &progress).end,
                  ExportEnd::WriteFailed);
        // Exactly the first lines, each whole, and nothing offered after the
        // refused one.
        EXPECT_TRUE(sink.taken == FirstLines(whole, accepted)) << accepted;
        EXPECT_EQ(sink.attempts, accepted + 1);
        EXPECT_EQ(progress.steps, accepted + 1);
        EXPECT_EQ(progress.lastPos, 0);
    }
}

// On the short path and on the threaded one, at chunk edges too: the line
// whose step saw the request still goes out whole, then nothing more.
TEST(ExportFastPath, StopRequestEndsTheLinesAfterTheLineInProgress) {
    RandomTables random(5);
    const PeakTable table = random.Table(0.0, 1000.0, 0.0);
    ExportSettings shortExport = LongExport();
    shortExport.resolution = 250;
    const std::pair<ExportSettings, int> cases[] = {{shortExport, 1},      {shortExport, 100},
                                                    {LongExport(), 1},     {LongExport(), 16384},
                                                    {LongExport(), 16385}, {LongExport(), 50000}};
    for (const auto& [settings, stopAt] : cases) {
        std::ostringstream out;
        StreamSink sink(out);
        CountingProgress progress;
        progress.stopAtStep = stopAt;
        const ExportLinesResult result =
            WriteExportLines(sink, table, settings, &progress, progress.stop.get_token());
        EXPECT_EQ(result.end, ExportEnd::Stopped) << stopAt;
        EXPECT_EQ(result.lines, stopAt);
        EXPECT_TRUE(out.str() == FirstLines(PlainLines(table, settings), stopAt)) << stopAt;
        EXPECT_EQ(progress.steps, stopAt);
        EXPECT_EQ(progress.lastPos, 0);
    }
}

}  // namespace
