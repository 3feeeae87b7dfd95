#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "model/document_file.h"
#include "output/data_export.h"
#include "tests/cli/cli_fixture.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;
using namespace trazel::cli;

// trazel-cli export against the window's export: the same file, byte for
// byte, and nothing half-written when a run fails. Also the mistakes that all
// three output commands share.

namespace {

struct ExportCase {
    const char* name;
    // The command line after "export DOC".
    const char* options;
    // The window's fields for the same run, from the defaults after New.
    ExportSettings window;
};

void PrintTo(const ExportCase& c, std::ostream* os) {
    *os << c.name;
}

ExportSettings WindowSettings(double xMin, double xMax, std::int32_t resolution = 250,
                              std::int32_t lineShape = Gaussian, bool useScaled = false,
                              bool decimalComma = true) {
    return ExportSettings{
        .curve = {.xMin = xMin, .xMax = xMax, .lineShape = lineShape, .useScaled = useScaled},
        .resolution = resolution,
        .decimalComma = decimalComma};
}

class ExportMatchesWindow : public CliTest, public testing::WithParamInterface<ExportCase> {};

TEST_P(ExportMatchesWindow, ByteForByte) {
    for (const char* example :
         {"calcita-raman.trz", "metanol-ir-calculado.trz", "cuarzo-raman-formato-antiguo.trz"}) {
        const std::string doc = std::string("examples/") + example;
        ASSERT_EQ(Run(Words("export " + doc + " " + GetParam().options + " -o @cli.txt")), kExitOk)
            << err_.str();
        PeakTable table;
        ASSERT_TRUE(LoadPeakTableFile(Words(doc)[0], table).ok());
        ASSERT_TRUE(ExportToFile(Path("window.txt"), table, GetParam().window).ok());
        EXPECT_EQ(Contents(Path("cli.txt")), Contents(Path("window.txt"))) << example;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ExportMatchesWindow,
    testing::Values(
        ExportCase{"Defaults", "--xmin 100 --xmax 1800", WindowSettings(100, 1800)},
        ExportCase{"LorentzianScaledPoint",
                   "--xmin 800 --xmax 4000 --lorentzian --scaled --point --resolution 1000",
                   WindowSettings(800, 4000, 1000, Lorentzian, true, false)},
        // A step that does not come out even accumulates its rounding.
        ExportCase{"UnevenStep", "--xmin=0.1 --xmax=1300.3 --resolution=7",
                   WindowSettings(0.1, 1300.3, 7)},
        ExportCase{"ExponentsUnderTheComma", "--xmin -1e-5 --xmax 1e-5 --resolution 4",
                   WindowSettings(-1e-5, 1e-5, 4)},
        ExportCase{"EqualLimits", "--xmin 5 --xmax 5", WindowSettings(5, 5)},
        ExportCase{"ReversedLimits", "--xmin 900 --xmax 100", WindowSettings(900, 100)}),
    [](const testing::TestParamInfo<ExportCase>& info) { return info.param.name; });

TEST_F(CliTest, OnlyPlotAndPrintStartQt) {
    // A platform that does not exist stops Qt at its start: the commands
    // that never start it do not notice.
    const std::vector<std::string> brokenQt = {"QT_QPA_PLATFORM=no-such-platform"};
    for (const char* line :
         {"new d.trz --peak 1000,2,10", "show d.trz", "convert examples/calcita-raman.trz e.trz",
          "export d.trz --xmin 7 --xmax 7"}) {
        const ProcessResult run = RunProgram(Words(line), brokenQt);
        EXPECT_EQ(run.exitCode, kExitOk) << line << ": " << run.err;
    }
    // Without -o the export goes to datos.txt, as in the window.
    EXPECT_EQ(Contents(Path("datos.txt")), "x y\r\n");
    if (TRAZEL_CLI_DRAWS) {
        EXPECT_NE(
            RunProgram(Words("plot d.trz --xmin 0 --xmax 1 --ymin 0 --ymax 1 -o d.png"), brokenQt)
                .exitCode,
            kExitOk);
    }
}

TEST_F(CliTest, ExportReplacesTheFileKeepingItsPermissions) {
    WriteBytes(Path("d.txt"), std::string(100000, 'z'));
    ::chmod(Path("d.txt").c_str(), 0640);
    ASSERT_EQ(Run(Words("export examples/calcita-raman.trz --xmin 0 --xmax 1 -o @d.txt")), kExitOk);
    EXPECT_EQ(Contents(Path("d.txt")).substr(0, 7), "x y\r\n0 ");
    EXPECT_LT(Contents(Path("d.txt")).size(), 100000u);
    const auto mode = [this](const char* name) {
        return std::filesystem::status(Path(name)).permissions() & std::filesystem::perms::all;
    };
    EXPECT_EQ(mode("d.txt"), std::filesystem::perms(0640));

    const mode_t mask = ::umask(022);
    ASSERT_EQ(Run(Words("export examples/calcita-raman.trz --xmin 0 --xmax 1 -o @new.txt")),
              kExitOk);
    ::umask(mask);
    EXPECT_EQ(mode("new.txt"), std::filesystem::perms(0644));
    EXPECT_EQ(Files(), (std::vector<std::string>{"d.txt", "new.txt"}));
}

TEST_F(CliTest, AWriteThatFailsHalfwayLeavesTheOldFileAndNoTemporary) {
    WriteBytes(Path("datos.txt"), "the old export\r\n");
    // Far more than the 64 KiB a file may grow to here.
    const ProcessResult run = RunProgram(
        Words("export examples/calcita-raman.trz --xmin 0 --xmax 2000 --resolution 100000"), {},
        64 * 1024);
    EXPECT_EQ(run.exitCode, kExitFileError);
    EXPECT_NE(run.err.find("No se pudo escribir el archivo «datos.txt»"), std::string::npos)
        << run.err;
    EXPECT_EQ(Contents(Path("datos.txt")), "the old export\r\n");
    EXPECT_EQ(Files(), (std::vector<std::string>{"datos.txt"}));
}

TEST_F(CliTest, FilesThatCannotBeReadOrWrittenExitOneNamingThem) {
    WriteBytes(Path("old.png"), "old");
    const bool full = std::filesystem::exists("/dev/full");
    const std::vector<std::pair<std::string, std::string>> calls = {
        {"export @missing.trz --xmin 0 --xmax 1 -o @o.txt", Path("missing.trz")},
        {"export examples/calcita-raman.trz --xmin 0 --xmax 1 -o @no/o.txt", Path("no/o.txt")},
        {"export examples/calcita-raman.trz --xmin 0 --xmax 1 -o @", Path("")},
        // A device is written directly, and its failure is no success.
        {full ? "export examples/calcita-raman.trz --xmin 0 --xmax 1 -o /dev/full" : "",
         "/dev/full»: no queda espacio"},
        {"plot @missing.trz --xmin 0 --xmax 1 --ymin 0 --ymax 1 -o @old.png", Path("missing.trz")},
        {"print @old.png --xmin 0 --xmax 1 --ymin 0 --ymax 1 -o @o.pdf", Path("old.png")},
    };
    for (const auto& [line, named] : calls) {
        if (line.empty()) {
            continue;
        }
        EXPECT_EQ(Run(Words(line)), kExitFileError) << line;
        EXPECT_NE(err_.str().find("No se pudo"), std::string::npos) << err_.str();
        EXPECT_NE(err_.str().find("«" + named), std::string::npos) << err_.str();
    }
    EXPECT_EQ(Files(), (std::vector<std::string>{"old.png"}));
    EXPECT_EQ(Contents(Path("old.png")), "old");
}

TEST_F(CliTest, MistypedOutputCommandsExitTwoAndWriteNothing) {
    const std::string limits = " --xmin 0 --xmax 1 --ymin 0 --ymax 1 ";
    for (const std::string& line : std::vector<std::string>{
             "export examples/calcita-raman.trz --xmin 1,5 --xmax 3 -o @o.txt",
             "export examples/calcita-raman.trz --xmin nan --xmax 3 -o @o.txt",
             "export examples/calcita-raman.trz --xmax 3 -o @o.txt",
             "export examples/calcita-raman.trz --xmin 0 --xmax",
             "export examples/calcita-raman.trz --xmin 0 --xmax 1 --resolution 0 -o @o.txt",
             "export examples/calcita-raman.trz --xmin 0 --xmax 1 --resolution 2.5 -o @o.txt",
             "export examples/calcita-raman.trz --xmin 0 --xmax 1 --join -o @o.txt",
             "export examples/calcita-raman.trz --xmin 0 --xmax 1 --point=yes -o @o.txt",
             "export --xmin 0 --xmax 1 -o @o.txt",
             "plot examples/calcita-raman.trz" + limits + "-o @o.jpg",
             "plot examples/calcita-raman.trz" + limits + "--xmax 0 -o @o.png",
             "plot examples/calcita-raman.trz --xmin 0 --xmax 1 --ymin 0 -o @o.png",
             "plot examples/calcita-raman.trz" + limits,
             "print examples/calcita-raman.trz" + limits + "--resolution 10001 -o @o.pdf",
             "print examples/calcita-raman.trz" + limits + "-o @o.pdf --title",
         }) {
        EXPECT_EQ(Run(Words(line)), kExitUsage) << line;
        EXPECT_NE(err_.str().find("uso: trazel-cli " + line.substr(0, line.find(' '))),
                  std::string::npos)
            << line;
    }
    EXPECT_TRUE(Files().empty());
}

TEST_F(CliTest, TheOutputIsNeverWrittenOverTheDocument) {
    const std::string bytes = Contents(Words("examples/calcita-raman.trz")[0]);
    for (const char* name : {"d.trz", "d.png"}) {
        WriteBytes(Path(name), bytes);
    }
    for (const char* line : {"export @d.trz --xmin 0 --xmax 1 -o @./d.trz",
                             "plot @d.png --xmin 0 --xmax 1 --ymin 0 --ymax 1 -o @d.png",
                             "print @d.trz --xmin 0 --xmax 1 --ymin 0 --ymax 1 -o @d.trz"}) {
        EXPECT_EQ(Run(Words(line)), kExitUsage) << line;
        EXPECT_NE(err_.str().find("es el propio documento"), std::string::npos) << err_.str();
    }
    EXPECT_EQ(Contents(Path("d.trz")), bytes);
    EXPECT_EQ(Contents(Path("d.png")), bytes);
}

TEST_F(CliTest, HelpDescribesEveryOptionOfTheOutputCommands) {
    ASSERT_EQ(Run({"--help"}), kExitOk);
    for (const char* word : {"export", "plot", "print", "--xmin", "--xmax", "--ymin", "--ymax",
                             "--resolution", "--lorentzian", "--scaled", "--point", "--join",
                             "--title", "-o", ".png", ".svg", ".pdf"}) {
        EXPECT_NE(out_.str().find(word), std::string::npos) << word;
    }
}

}  // namespace
