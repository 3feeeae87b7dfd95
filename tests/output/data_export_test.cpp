#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "output/data_export.h"
#include "platform/atomic_file.h"
#include "tests/output/failing_sink.h"
#include "tests/support/peak_tables.h"
#include "tests/support/scratch_dir.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace {

ExportSettings Settings(double xMin, double xMax, int resolution, bool decimalComma = true) {
    ExportSettings settings;
    settings.curve.xMin = xMin;
    settings.curve.xMax = xMax;
    settings.resolution = resolution;
    settings.decimalComma = decimalComma;
    return settings;
}

std::string Lines(const PeakTable& table, const ExportSettings& settings) {
    std::ostringstream out;
    StreamSink sink(out);
    EXPECT_EQ(WriteExportLines(sink, table, settings, nullptr).end, ExportEnd::Finished);
    return out.str();
}

struct LinesCase {
    const char* name;
    ExportSettings settings;
    std::string expected;
};

class ExportLinesTest : public testing::TestWithParam<LinesCase> {};

TEST_P(ExportLinesTest, WritesExactly) {
    EXPECT_EQ(Lines(PeakTable{}, GetParam().settings), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ExportLinesTest,
    testing::Values(LinesCase{"FiveLinesDecimalPoint", Settings(0, 1, 4, 0),
                              "0 0\r\n0.25 0\r\n0.5 0\r\n0.75 0\r\n1 0\r\n"},
                    LinesCase{"FiveLinesDecimalComma", Settings(0, 1, 4, 1),
                              "0 0\r\n0,25 0\r\n0,5 0\r\n0,75 0\r\n1 0\r\n"},
                    LinesCase{"ReversedLimitsNoLine", Settings(1, 0, 4), ""},
                    // 1/9 added nine times comes out above 1, so x = 1 is never written.
                    LinesCase{
                        "RoundingDropsTheLastLine", Settings(0, 1, 9, 0),
                        "0 0\r\n0.11111111111111 0\r\n0.22222222222222 0\r\n0.33333333333333 0\r\n"
                        "0.44444444444444 0\r\n0.55555555555556 0\r\n0.66666666666667 0\r\n"
                        "0.77777777777778 0\r\n0.88888888888889 0\r\n"},
                    LinesCase{"ZeroResolutionWritesNothing", Settings(0, 1, 0), ""},
                    LinesCase{"NegativeResolutionWritesNothing", Settings(0, 1, -3), ""}),
    [](const testing::TestParamInfo<LinesCase>& info) { return info.param.name; });

TEST(ExportFormat, CommaInMantissaOnlyExponentKept) {
    EXPECT_EQ(FormatExportLine(1.5e-5, -2.25e+20, true), "1,5e-05 -2,25e+20\r\n");
    EXPECT_EQ(FormatExportLine(1.5e-5, -2.25e+20, false), "1.5e-05 -2.25e+20\r\n");
}

TEST(ExportFormat, SameBytesAsPrintfInTheCLocale) {
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 300);
    std::vector<double> values = {0.0, -0.0, 1.0, 0.1, 1e15, 123456789012345.0, 1e-5, 5e-324};
    for (int i = 0; i < 2000; ++i) {
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    }
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
        char expected[128];
        std::snprintf(expected, sizeof expected, "%.14g %.14g\r\n", values[i], values[i + 1]);
        ASSERT_EQ(FormatExportLine(values[i], values[i + 1], false), expected);
    }
}

TEST(ExportLines, SumOfOneBandOverTheDefaultGrid) {
    const std::string lines = Lines(TableOf({{500, 2, 10}}), Settings(0, 1000, 250));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 251);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\r'), 251);
    EXPECT_NE(lines.find("\r\n500 2\r\n"), std::string::npos);
    // 4 away from the centre of a band 10 wide: 2 * 2^(-0.64).
    EXPECT_NE(lines.find("\r\n496 1,2834258975629\r\n"), std::string::npos);
    EXPECT_TRUE(lines.ends_with("\r\n1000 0\r\n"));
}

TEST(ExportLines, StopsWhereTheStepNoLongerMovesX) {
    // 1e16 + 0.002 is 1e16 again: without a stop the same line would follow
    // forever.
    const std::string lines = Lines(PeakTable{}, Settings(1e16, 1e16 + 2, 1000, false));
    EXPECT_EQ(lines, "1e+16 0\r\n");
}

class RecordingProgress : public ProgressControl {
  public:
    void SetRange32(int lower, int upper) override {
        log += "range " + std::to_string(lower) + ".." + std::to_string(upper) + ";";
    }
    void SetPos(int position) override { log += "pos " + std::to_string(position) + ";"; }
    void SetStep(int step) override { log += "step " + std::to_string(step) + ";"; }
    void StepIt() override { log += "+;"; }
    std::string log;
};

TEST(ExportLines, ProgressOneStepPerLineThenBackToZero) {
    std::ostringstream out;
    StreamSink sink(out);
    RecordingProgress progress;
    WriteExportLines(sink, PeakTable{}, Settings(0, 1, 4), &progress);
    EXPECT_EQ(progress.log, "range 0..4;pos 0;step 1;+;+;+;+;+;pos 0;");
}

TEST(ExportLines, StopsAtTheFirstRefusedWrite) {
    FailingSink sink(2);
    RecordingProgress progress;
    const ExportLinesResult result =
        WriteExportLines(sink, PeakTable{}, Settings(0, 1, 4), &progress);
    EXPECT_EQ(result.end, ExportEnd::WriteFailed);
    EXPECT_EQ(result.lines, 2);
    EXPECT_EQ(sink.taken, "0 0\r\n0,25 0\r\n");
    EXPECT_EQ(sink.attempts, 3);
    EXPECT_TRUE(progress.log.ends_with("step 1;+;+;+;pos 0;"));
}

TEST(ExportResolution, BelowOneIsRefusedWithAMessage) {
    EXPECT_TRUE(CheckExportResolution(1).ok());
    EXPECT_TRUE(CheckExportResolution(250).ok());
    for (const int resolution : {0, -1, -250}) {
        const auto message = CheckExportResolution(resolution);
        ASSERT_FALSE(message.ok());
        EXPECT_NE(message.message().find("resolución"), std::string::npos);
    }
}

class ExportFileTest : public testing::Test {
  protected:
    std::string Contents() const { return ScratchDir::Contents(path_); }
    void Prefill(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }

    ScratchDir scratch_{"trazel-export"};
    const std::filesystem::path& dir_ = scratch_.Path();
    std::string path_ = scratch_.File("datos.txt");
};

TEST_F(ExportFileTest, ReplacesAnExistingFile) {
    Prefill(std::string(5000, 'z'));
    EXPECT_TRUE(ExportToFile(path_, PeakTable{}, Settings(0, 1, 4)).ok());
    EXPECT_EQ(Contents(), "x y\r\n0 0\r\n0,25 0\r\n0,5 0\r\n0,75 0\r\n1 0\r\n");
}

TEST_F(ExportFileTest, EqualOrReversedLimitsLeaveTheHeaderAlone) {
    for (const auto& [xMin, xMax] :
         {std::pair{0.0, 0.0}, std::pair{3.0, 3.0}, std::pair{1.0, 0.0}}) {
        Prefill("old contents");
        EXPECT_TRUE(ExportToFile(path_, TableOf({{1, 1, 1}}), Settings(xMin, xMax, 250)).ok());
        EXPECT_EQ(Contents(), "x y\r\n");
    }
}

TEST_F(ExportFileTest, FailedFormReadLeavesTheHeaderAlone) {
    // The window's order: open, header, then the form's values, which fail.
    ExportFile file;
    ASSERT_TRUE(file.Open(path_).ok());
    file.WriteHeader();
    EXPECT_TRUE(file.Close().ok());
    EXPECT_EQ(Contents(), "x y\r\n");
}

TEST_F(ExportFileTest, RefusedResolutionLeavesTheFileUntouched) {
    Prefill("kept");
    const auto message = ExportToFile(path_, PeakTable{}, Settings(0, 1, 0));
    ASSERT_FALSE(message.ok());
    EXPECT_EQ(Contents(), "kept");
    EXPECT_FALSE(ExportToFile((dir_ / "nuevo.txt").string(), PeakTable{}, Settings(0, 1, -1)).ok());
    EXPECT_FALSE(std::filesystem::exists(dir_ / "nuevo.txt"));
}

TEST_F(ExportFileTest, UnopenablePathGivesTheOpenMessage) {
    for (const std::string& path :
         {(dir_ / "falta" / "datos.txt").string(), dir_.string(), std::string()}) {
        EXPECT_EQ(ExportToFile(path, PeakTable{}, Settings(0, 1, 4)).message(),
                  std::string("No se pudo abrir el archivo."))
            << path;
    }
}

// Written through a temporary file or in place, the messages name the file
// the user named, as it was named, in the words the window uses.
TEST_F(ExportFileTest, ReplacingExportNamesTheUsersFile) {
    const std::string pipe = scratch_.File("tuberia");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string missing = scratch_.File("falta/datos.txt");
    std::vector<std::pair<std::string, std::string>> cases = {
        {pipe, "No se pudo abrir el archivo «" + pipe + "»."},
        {missing,
         "No se pudo escribir el archivo «" + missing + "»: no existe el archivo o la carpeta."},
    };
    if (std::filesystem::exists("/dev/full")) {
        cases.emplace_back(
            "/dev/full",
            "No se pudo escribir el archivo «/dev/full»: no queda espacio en el disco.");
    }
    for (const auto& [path, message] : cases) {
        std::vector<WriteTarget> targets;
        const Status status = ReplaceFileWith(path, [&](const WriteTarget& target) {
            targets.push_back(target);
            return ExportToFile(target, PeakTable{}, Settings(0, 1, 4));
        });
        EXPECT_EQ(status.message(), message);
        for (const WriteTarget& target : targets) {
            EXPECT_EQ(target.Shown(), path);
        }
    }
}

TEST_F(ExportFileTest, ManyLinesGoThroughTheBuffer) {
    // A step of 1000 / 2^17 adds up without rounding.
    EXPECT_TRUE(ExportToFile(path_, TableOf({{500, 2, 10}}), Settings(0, 1000, 131072)).ok());
    const std::string text = Contents();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 131074);
    EXPECT_TRUE(text.ends_with("\r\n1000 0\r\n"));
}

TEST(ExportFullDisk, IsReportedNeverSuccess) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    // Header only (it sits in the buffer until the close) and with lines.
    for (const double xMax : {0.0, 1000.0}) {
        const auto message = ExportToFile("/dev/full", PeakTable{}, Settings(0, xMax, 250));
        ASSERT_FALSE(message.ok()) << xMax;
        EXPECT_NE(message.message().find("no queda espacio en el disco"), std::string::npos)
            << message.message();
        EXPECT_NE(message.message().find("/dev/full"), std::string::npos) << message.message();
    }
    ExportFile file;
    ASSERT_TRUE(file.Open("/dev/full").ok());
    file.WriteHeader();
    EXPECT_EQ(file.WriteLines(PeakTable{}, Settings(0, 1e6, 1000000), nullptr).end,
              ExportEnd::WriteFailed);
    EXPECT_FALSE(file.Close().ok());
}

}  // namespace
