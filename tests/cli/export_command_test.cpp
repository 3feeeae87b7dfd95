#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "cli/output_commands.h"
#include "model/document_file.h"
#include "output/data_export.h"
#include "tests/cli/cli_fixture.h"

// trazel-cli export against the window's export: the same file, byte for
// byte, and nothing half-written when a run fails.

namespace {

const std::string kExamples = std::string(TRAZEL_SOURCE_DIR) + "/examples";

PeakTable Load(const std::string& path) {
    PeakTable table;
    EXPECT_EQ(LoadPeakTableFile(path, table), std::nullopt);
    return table;
}

struct ExportCase {
    const char* name;
    const char* document;
    std::vector<std::string> options;
    // The window's fields for the same run, from the defaults after New.
    ExportSettings window;
};

ExportSettings WindowSettings(double xMin, double xMax, std::int32_t resolution = 250,
                              std::int32_t lineShape = Gaussian, std::int32_t useScaled = 0,
                              std::int32_t decimalComma = 1) {
    ExportSettings settings;
    settings.xMin = xMin;
    settings.xMax = xMax;
    settings.resolution = resolution;
    settings.lineShape = lineShape;
    settings.useScaled = useScaled;
    settings.decimalComma = decimalComma;
    return settings;
}

void PrintTo(const ExportCase& c, std::ostream* os) {
    *os << c.name;
}

class ExportMatchesWindow : public CliTest, public testing::WithParamInterface<ExportCase> {};

TEST_P(ExportMatchesWindow, ByteForByte) {
    const ExportCase& c = GetParam();
    const std::string document = kExamples + "/" + c.document;
    std::vector<std::string> args = {"export", document};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.insert(args.end(), {"-o", Path("cli.txt")});
    ASSERT_EQ(Run(args), kExitOk) << err_.str();

    ASSERT_EQ(ExportToFile(Path("window.txt"), Load(document), c.window), std::nullopt);
    const std::string expected = Contents(Path("window.txt"));
    EXPECT_EQ(Contents(Path("cli.txt")), expected);
    EXPECT_EQ(expected.substr(0, 5), "x y\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ExportMatchesWindow,
    testing::Values(ExportCase{"Defaults",
                               "calcita-raman.trz",
                               {"--xmin", "100", "--xmax", "1800"},
                               WindowSettings(100, 1800)},
                    ExportCase{"LorentzianScaledPoint",
                               "metanol-ir-calculado.trz",
                               {"--xmin", "800", "--xmax", "4000", "--lorentzian", "--scaled",
                                "--point", "--resolution", "1000"},
                               WindowSettings(800, 4000, 1000, Lorentzian, 1, 0)},
                    // A step that does not come out even accumulates its rounding.
                    ExportCase{"OlderLayoutUnevenStep",
                               "cuarzo-raman-formato-antiguo.trz",
                               {"--xmin=0.1", "--xmax=1300.3", "--resolution=7"},
                               WindowSettings(0.1, 1300.3, 7)},
                    ExportCase{"ExponentsUnderTheComma",
                               "calcita-raman.trz",
                               {"--xmin", "-1e-5", "--xmax", "1e-5", "--resolution", "4"},
                               WindowSettings(-1e-5, 1e-5, 4)},
                    ExportCase{"EqualLimits",
                               "calcita-raman.trz",
                               {"--xmin", "5", "--xmax", "5"},
                               WindowSettings(5, 5)},
                    ExportCase{"ReversedLimits",
                               "calcita-raman.trz",
                               {"--xmin", "900", "--xmax", "100"},
                               WindowSettings(900, 100)}),
    [](const testing::TestParamInfo<ExportCase>& info) { return info.param.name; });

TEST_F(CliTest, ExportEqualLimitsWriteTheHeaderAloneIntoDatosTxt) {
    // The default OUT is datos.txt in the current folder, as in the window.
    const ProcessResult run =
        RunProgram({"export", kExamples + "/calcita-raman.trz", "--xmin", "7", "--xmax", "7"});
    ASSERT_EQ(run.exitCode, kExitOk) << run.err;
    EXPECT_EQ(Contents(Path("datos.txt")), "x y\r\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST_F(CliTest, ExportReplacesTheFileKeepingItsPermissions) {
    WriteBytes(Path("d.txt"), std::string(100000, 'z'));
    ::chmod(Path("d.txt").c_str(), 0640);
    const std::string doc = kExamples + "/calcita-raman.trz";
    ASSERT_EQ(Run({"export", doc, "--xmin", "0", "--xmax", "1", "--resolution", "2", "-o",
                   Path("d.txt")}),
              kExitOk);
    EXPECT_EQ(Contents(Path("d.txt")).substr(0, 7), "x y\r\n0 ");
    EXPECT_LT(Contents(Path("d.txt")).size(), 100u);
    EXPECT_EQ(std::filesystem::status(Path("d.txt")).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0640));

    const mode_t mask = ::umask(022);
    ASSERT_EQ(Run({"export", doc, "--xmin", "0", "--xmax", "1", "-o", Path("nuevo.txt")}), kExitOk);
    ::umask(mask);
    EXPECT_EQ(
        std::filesystem::status(Path("nuevo.txt")).permissions() & std::filesystem::perms::all,
        std::filesystem::perms(0644));
    EXPECT_EQ(Files(), (std::vector<std::string>{"d.txt", "nuevo.txt"}));
}

TEST_F(CliTest, AWriteThatFailsHalfwayLeavesTheOldFileAndNoTemporary) {
    WriteBytes(Path("datos.txt"), "the old export\r\n");
    // Far more than the 64 KiB a file may grow to here.
    const ProcessResult run = RunProgram({"export", kExamples + "/calcita-raman.trz", "--xmin", "0",
                                          "--xmax", "2000", "--resolution", "100000"},
                                         {}, 64 * 1024);
    EXPECT_EQ(run.exitCode, kExitFileError);
    EXPECT_NE(run.err.find("No se pudo escribir el archivo «datos.txt»"), std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find(".trazel-"), std::string::npos) << run.err;
    EXPECT_EQ(Contents(Path("datos.txt")), "the old export\r\n");
    EXPECT_EQ(Files(), (std::vector<std::string>{"datos.txt"}));
}

TEST_F(CliTest, AFullDeviceIsWrittenDirectlyAndTheFailureReported) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    EXPECT_EQ(Run({"export", kExamples + "/calcita-raman.trz", "--xmin", "0", "--xmax", "1", "-o",
                   "/dev/full"}),
              kExitFileError);
    EXPECT_NE(err_.str().find("«/dev/full»: no queda espacio en el disco"), std::string::npos)
        << err_.str();
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST_F(CliTest, UnreadableOrUnwritableFilesExitOneNamingTheFile) {
    const std::string doc = kExamples + "/calcita-raman.trz";
    WriteBytes(Path("old.png"), "old");
    struct Call {
        std::vector<std::string> args;
        std::string named;
    };
    const std::vector<Call> calls = {
        {{"export", Path("falta.trz"), "--xmin", "0", "--xmax", "1", "-o", Path("o.txt")},
         Path("falta.trz")},
        {{"export", doc, "--xmin", "0", "--xmax", "1", "-o", Path("no/o.txt")}, Path("no/o.txt")},
        {{"export", doc, "--xmin", "0", "--xmax", "1", "-o", scratch_.Path().string()},
         scratch_.Path().string()},
        {{"plot", Path("falta.trz"), "--xmin", "0", "--xmax", "1", "--ymin", "0", "--ymax", "1",
          "-o", Path("old.png")},
         Path("falta.trz")},
        {{"print", Path("old.png"), "--xmin", "0", "--xmax", "1", "--ymin", "0", "--ymax", "1",
          "-o", Path("o.pdf")},
         Path("old.png")},
    };
    for (const Call& call : calls) {
        EXPECT_EQ(Run(call.args), kExitFileError) << call.named;
        EXPECT_NE(err_.str().find("«" + call.named + "»"), std::string::npos) << err_.str();
        EXPECT_NE(err_.str().find("No se pudo"), std::string::npos) << err_.str();
    }
    EXPECT_EQ(Files(), (std::vector<std::string>{"old.png"}));
    EXPECT_EQ(Contents(Path("old.png")), "old");
}

TEST_F(CliTest, MistypedOutputCommandsExitTwoAndWriteNothing) {
    const std::string doc = kExamples + "/calcita-raman.trz";
    const std::string out = Path("o.txt");
    const std::vector<std::string> limits = {"--xmin", "0", "--xmax", "1",
                                             "--ymin", "0", "--ymax", "1"};
    const auto plot = [&](std::vector<std::string> extra, const std::string& file) {
        std::vector<std::string> args = {"plot", doc};
        args.insert(args.end(), limits.begin(), limits.end());
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {"-o", file});
        return args;
    };
    const auto print = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {"print", doc};
        args.insert(args.end(), limits.begin(), limits.end());
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {"-o", Path("o.pdf")});
        return args;
    };
    const std::vector<std::vector<std::string>> calls = {
        {"export", doc, "--xmin", "1,5", "--xmax", "3", "-o", out},
        {"export", doc, "--xmin", "abc", "--xmax", "3", "-o", out},
        {"export", doc, "--xmin", "", "--xmax", "3", "-o", out},
        {"export", doc, "--xmin", "nan", "--xmax", "3", "-o", out},
        {"export", doc, "--xmin", "0", "--xmax", "1e999", "-o", out},
        {"export", doc, "--xmax", "3", "-o", out},
        {"export", doc, "--xmin", "0", "-o", out},
        {"export", doc, "--xmin", "0", "--xmax"},
        {"export", doc, "--xmin", "0", "--xmax", "1", "--resolution", "0", "-o", out},
        {"export", doc, "--xmin", "0", "--xmax", "1", "--resolution", "-5", "-o", out},
        {"export", doc, "--xmin", "0", "--xmax", "1", "--resolution", "2.5", "-o", out},
        {"export", doc, "--xmin", "0", "--xmax", "1", "--resolution", "9999999999", "-o", out},
        {"export", doc, "--xmin", "0", "--xmax", "1", "--join", "-o", out},
        {"export", doc, "--xmin", "0", "--xmax", "1", "--point=yes", "-o", out},
        {"export", "--xmin", "0", "--xmax", "1", "-o", out},
        {"export", doc, doc, "--xmin", "0", "--xmax", "1", "-o", out},
        plot({}, Path("o.jpg")),
        plot({}, Path("o")),
        plot({"--ymin", "x"}, Path("o.png")),
        plot({"--xmax", "0"}, Path("o.png")),
        plot({"--resolution", "10"}, Path("o.png")),
        {"plot", doc, "--xmin", "0", "--xmax", "1", "--ymin", "0", "-o", Path("o.png")},
        {"plot", doc, "--xmin", "0", "--xmax", "1", "--ymin", "0", "--ymax", "1"},
        print({"--resolution", "0"}),
        print({"--resolution", "10001"}),
        print({"--point"}),
        print({"--title"}),
    };
    for (const auto& call : calls) {
        std::string shown;
        for (const std::string& arg : call) {
            shown += arg + " ";
        }
        EXPECT_EQ(Run(call), kExitUsage) << shown;
        EXPECT_NE(err_.str().find("uso: trazel-cli " + call[0]), std::string::npos) << shown;
    }
    EXPECT_TRUE(Files().empty());
}

TEST_F(CliTest, TheOutputIsNeverWrittenOverTheDocument) {
    const std::string bytes = Contents(kExamples + "/calcita-raman.trz");
    for (const char* name : {"d.trz", "d.png", "d.pdf"}) {
        WriteBytes(Path(name), bytes);
    }
    const std::vector<std::string> limits = {"--xmin", "0", "--xmax", "1",
                                             "--ymin", "0", "--ymax", "1"};
    const std::vector<std::vector<std::string>> calls = {
        {"export", Path("d.trz"), "--xmin", "0", "--xmax", "1", "-o", Path("d.trz")},
        {"export", Path("d.trz"), "--xmin", "0", "--xmax", "1", "-o",
         scratch_.Path().string() + "/./d.trz"},
        {"plot", Path("d.png"), "-o", Path("d.png")},
        {"print", Path("d.pdf"), "-o", Path("d.pdf")},
    };
    for (auto call : calls) {
        if (call[0] != "export") {
            call.insert(call.begin() + 2, limits.begin(), limits.end());
        }
        EXPECT_EQ(Run(call), kExitUsage) << call[0];
        EXPECT_NE(err_.str().find("es el propio documento"), std::string::npos) << err_.str();
    }
    for (const char* name : {"d.trz", "d.png", "d.pdf"}) {
        EXPECT_EQ(Contents(Path(name)), bytes) << name;
    }
}

TEST_F(CliTest, HelpDescribesEveryOptionOfTheOutputCommands) {
    ASSERT_EQ(Run({"--help"}), kExitOk);
    const std::string help = out_.str();
    for (const char* word :
         {"export", "plot", "print", "--xmin", "--xmax", "--ymin", "--ymax", "--resolution",
          "--lorentzian", "--scaled", "--point", "--join", "--title", "-o", ".png", ".svg"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
    for (const char* command : {"export", "plot", "print"}) {
        ASSERT_EQ(Run({command, "--help"}), kExitOk);
        EXPECT_EQ(out_.str().rfind(std::string("uso: trazel-cli ") + command, 0), 0u);
    }
}

}  // namespace
