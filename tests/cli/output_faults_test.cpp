#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <thread>

#include "tests/cli/cli_fixture.h"

using namespace trazel::cli;

// Faults a script meets when trazel-cli writes its output: targets that are
// not a plain file, standard output that fails, signals, too little memory,
// and the options that decide where the output goes.

namespace {

const std::string kExport = "export examples/calcita-raman.trz --xmin 0 --xmax 1 ";
const std::string kPrint =
    "print examples/calcita-raman.trz --xmin 0 --xmax 2000 --ymin 0 "
    "--ymax 3 ";

// a.txt holds "old\n" before each run; links and standard output are set up
// from the row.
struct TargetCase {
    const char* name;
    // Symbolic links made first: name, then what it points to.
    std::vector<std::pair<std::string, std::string>> links;
    // Made a second name of a.txt first.
    const char* hardLink;
    const char* output;
    // Standard output appends to a.txt.
    bool stdoutToA;
    int exitCode;
    // The file that must then hold the export (after "old\n" for a.txt), or
    // the text the message must hold when the run fails.
    const char* result;
};

void PrintTo(const TargetCase& c, std::ostream* os) {
    *os << c.name;
}

class OutputTarget : public CliTest, public testing::WithParamInterface<TargetCase> {};

TEST_P(OutputTarget, GetsTheBytesWithoutReplacingWhatItIs) {
    const TargetCase& c = GetParam();
    WriteBytes(Path("a.txt"), "old\n");
    for (const auto& [link, target] : c.links) {
        std::filesystem::create_symlink(target, Path(link));
    }
    if (c.hardLink != nullptr) {
        std::filesystem::create_hard_link(Path("a.txt"), Path(c.hardLink));
    }
    ProgramSetup setup;
    setup.stdoutFile = c.stdoutToA ? "a.txt" : "";
    const ProcessResult run =
        Finish(StartProgram(Words(kExport + "--resolution 2 -o " + c.output), setup));
    ASSERT_EQ(run.exitCode, c.exitCode) << run.err;
    const std::string exported = "x y\r\n0 0\r\n0,5 0\r\n1 0\r\n";
    if (c.exitCode == kExitOk) {
        const std::string before = std::string(c.result) == "a.txt" ? "old\n" : "";
        EXPECT_EQ(Contents(Path(c.result)), before + exported);
    } else {
        EXPECT_NE(run.err.find(c.result), std::string::npos) << run.err;
        EXPECT_EQ(Contents(Path("a.txt")), "old\n");
    }
    for (const auto& [link, target] : c.links) {
        EXPECT_TRUE(std::filesystem::is_symlink(Path(link))) << link;
    }
    for (const std::string& name : Files()) {
        EXPECT_EQ(name.find(".trazel-"), std::string::npos) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    NotAPlainFile, OutputTarget,
    testing::Values(
        TargetCase{"LinkToAMissingFile",
                   {{"link", "new.txt"}},
                   nullptr,
                   "link",
                   false,
                   kExitOk,
                   "new.txt"},
        TargetCase{"LinkToALinkToAMissingFile",
                   {{"link", "middle"}, {"middle", "new.txt"}},
                   nullptr,
                   "link",
                   false,
                   kExitOk,
                   "new.txt"},
        TargetCase{"LinkLoop",
                   {{"loop1", "loop2"}, {"loop2", "loop1"}},
                   nullptr,
                   "loop1",
                   false,
                   kExitFileError,
                   "«loop1»: la ruta da vueltas entre enlaces simbólicos"},
        TargetCase{"HardLinked", {}, "b.txt", "a.txt", false, kExitFileError, "enlace"},
        TargetCase{"StdoutAppending", {}, nullptr, "/dev/stdout", true, kExitOk, "a.txt"},
        TargetCase{"DevFd1", {}, nullptr, "/dev/fd/1", true, kExitOk, "a.txt"},
        TargetCase{"ProcSelfFd1", {}, nullptr, "/proc/self/fd/1", true, kExitOk, "a.txt"},
        TargetCase{
            "LinkToStdout", {{"link", "/dev/stdout"}}, nullptr, "link", true, kExitOk, "a.txt"},
        TargetCase{"Dash", {}, nullptr, "-", true, kExitOk, "a.txt"}),
    [](const testing::TestParamInfo<TargetCase>& info) { return info.param.name; });

// Standard output that cannot take the bytes: a full disk is reported, a
// reader that has gone ends the program quietly by SIGPIPE, as "| head -1".
struct StdoutCase {
    const char* line;
    bool closedPipe;
    int exitCode;
    int signal;
    const char* message;
};

void PrintTo(const StdoutCase& c, std::ostream* os) {
    *os << c.line << (c.closedPipe ? " | (closed)" : " > /dev/full");
}

class FailingStdout : public CliTest, public testing::WithParamInterface<StdoutCase> {};

TEST_P(FailingStdout, IsNeverASuccess) {
    const StdoutCase& c = GetParam();
    if (!c.closedPipe && !std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    ProgramSetup setup;
    setup.stdoutFile = c.closedPipe ? "" : "/dev/full";
    setup.closedPipe = c.closedPipe;
    const ProcessResult run = Finish(StartProgram(Words(c.line), setup));
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_EQ(run.signal, c.signal);
    EXPECT_EQ(run.err, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, FailingStdout,
    testing::Values(
        StdoutCase{"show examples/calcita-raman.trz", false, kExitFileError, 0,
                   "trazel-cli: no se pudo escribir en la salida estándar: no queda espacio en "
                   "el disco.\n"},
        StdoutCase{"--help", false, kExitFileError, 0,
                   "trazel-cli: no se pudo escribir en la salida estándar: no queda espacio en "
                   "el disco.\n"},
        StdoutCase{"show --help", false, kExitFileError, 0,
                   "trazel-cli: no se pudo escribir en la salida estándar: no queda espacio en "
                   "el disco.\n"},
        StdoutCase{"export examples/calcita-raman.trz --xmin 0 --xmax 1 -o -", false,
                   kExitFileError, 0,
                   "trazel-cli export: No se pudo escribir el archivo «/dev/stdout»: no queda "
                   "espacio en el disco.\n"},
        StdoutCase{"export examples/calcita-raman.trz --xmin 0 --xmax 1 -o -", true, -1, SIGPIPE,
                   ""},
        StdoutCase{"show examples/calcita-raman.trz", true, -1, SIGPIPE, ""}));

// An export stopped by a signal while it writes: the old file stays, the
// temporary goes, and the program dies of the signal.
class Interrupted : public CliTest, public testing::WithParamInterface<int> {};

TEST_P(Interrupted, RemovesItsTemporaryAndDiesOfTheSignal) {
    WriteBytes(Path("datos.txt"), "old\n");
    const pid_t pid = StartProgram(
        Words("export examples/calcita-raman.trz --xmin 0 --xmax 1 --resolution 2000000000"), {});
    // Until the temporary has grown past a mebibyte: mid-export.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    bool writing = false;
    while (!writing && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        for (const auto& entry : std::filesystem::directory_iterator(scratch_.Path())) {
            std::error_code ec;
            writing = writing ||
                      (entry.path().filename().string().find(".trazel-") != std::string::npos &&
                       entry.file_size(ec) > (1u << 20));
        }
    }
    ::kill(pid, GetParam());
    const ProcessResult run = Finish(pid);
    EXPECT_TRUE(writing);
    EXPECT_EQ(run.signal, GetParam()) << run.err;
    EXPECT_EQ(Contents(Path("datos.txt")), "old\n");
    EXPECT_EQ(Files(), (std::vector<std::string>{"datos.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Cli, Interrupted, testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string("SIG") + sigabbrev_np(info.param);
                         });

// Work that needs more memory than it may have, or a report that cannot be
// written whole in the temporary folder: exit status 1, a Spanish message,
// the old file and no temporary left, neither beside the output nor in the
// temporary folder.
struct StarvedCase {
    const char* name;
    std::string line;
    // Above what the program needs to start; negative for no limit.
    long memoryAboveStart;
    long fileSizeLimit;
    const char* message;
    // The output's name, which a picture's kind is read from.
    std::string out = "out";
};

void PrintTo(const StarvedCase& c, std::ostream* os) {
    *os << c.name;
}

class Starved : public CliTest, public testing::WithParamInterface<StarvedCase> {};

TEST_P(Starved, FailsWithAMessageAndLeavesNothing) {
    const StarvedCase& c = GetParam();
    if (!TRAZEL_CLI_DRAWS && c.line.rfind("export", 0) != 0) {
        GTEST_SKIP() << "this trazel-cli does not draw";
    }
    std::filesystem::create_directory(Path("tmp"));
    std::filesystem::permissions(Path("tmp"), std::filesystem::perms::owner_all);
    WriteBytes(Path(c.out), "old\n");
    ProgramSetup setup;
    setup.env = {"TMPDIR=" + Path("tmp"), "XDG_RUNTIME_DIR=" + Path("tmp")};
    setup.fileSizeLimit = c.fileSizeLimit;
    if (c.memoryAboveStart >= 0) {
        const long start = StartUpAddressSpace();
        if (start <= 0) {
            GTEST_SKIP() << "trazel-cli starts under no address-space limit here (a sanitizer "
                            "build reserves its shadow memory)";
        }
        setup.addressSpaceLimit = start + c.memoryAboveStart;
    }
    const ProcessResult run = Finish(StartProgram(Words(c.line + " -o @" + c.out), setup));
    EXPECT_EQ(run.exitCode, kExitFileError) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(Contents(Path(c.out)), "old\n");
    EXPECT_EQ(Files(), (std::vector<std::string>{c.out, "tmp"}));
    for (const auto& entry : std::filesystem::directory_iterator(Path("tmp"))) {
        EXPECT_EQ(entry.path().filename().string().find("trazel-cli"), std::string::npos)
            << entry.path();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Starved,
    testing::Values(StarvedCase{"ExportOutOfMemory", kExport + "--resolution 1000000", 1L << 20, -1,
                                "no queda memoria suficiente"},
                    StarvedCase{"PrintOutOfMemory", kPrint + "--resolution 10000", 16L << 20, -1,
                                "no queda memoria suficiente"},
                    // The size limit stands in for a full temporary folder: Qt's PDF
                    // writer says nothing when its file is cut off.
                    StarvedCase{"PrintWithTheDiskFull", kPrint, -1, 5120,
                                "el PDF salió incompleto"},
                    // The image alone needs twice the memory it may have.
                    StarvedCase{"PictureTooLargeForTheMemory",
                                "figure examples/calcita-raman.trz --xmin 0 --xmax 2000 --size "
                                "8000x8000",
                                128L << 20, -1, "no queda memoria suficiente", "f.png"}),
    [](const testing::TestParamInfo<StarvedCase>& info) { return info.param.name; });

// Options: "--" ends them, one given twice is a mistake, an unknown one is
// named as such.
struct OptionCase {
    const char* line;
    int exitCode;
    const char* message;
};

void PrintTo(const OptionCase& c, std::ostream* os) {
    *os << c.line;
}

class Options : public CliTest, public testing::WithParamInterface<OptionCase> {};

TEST_P(Options, FollowTheCommandLineConventions) {
    WriteBytes(Path("-x.trz"), Contents(Words("examples/calcita-raman.trz")[0]));
    const ProcessResult run = RunProgram(Words(GetParam().line));
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Options,
    testing::Values(OptionCase{"show -- -x.trz", kExitOk, ""},
                    OptionCase{"show -x.trz", kExitUsage, "opción desconocida: -x.trz"},
                    OptionCase{"convert -- -x.trz -y.trz", kExitOk, ""},
                    OptionCase{"export -- -x.trz --xmin 0 --xmax 1", kExitUsage,
                               "sobra el argumento «--xmin»"},
                    OptionCase{"export --xmin 0 --xmax 1 -o o.txt -- -x.trz", kExitOk, ""},
                    OptionCase{"export examples/calcita-raman.trz --xmin 0 --xmax 1 --xmin 2",
                               kExitUsage, "--xmin aparece más de una vez"},
                    OptionCase{"export -- -x.trz --xmin 0 --xmax 1 --point --point", kExitUsage,
                               "sobra el argumento"},
                    OptionCase{"export --point --xmin 0 --xmax 1 --point -- -x.trz", kExitUsage,
                               "--point aparece más de una vez"},
                    OptionCase{"new n.trz --peak 1,2,3 --peak 4,5,6", kExitOk, ""},
                    OptionCase{"new -- -n.trz --peak 1,2,3", kExitUsage, "sobra el argumento"}));

}  // namespace

// A parameterised test is called "Name/0": its scratch folder must not leave
// a "Name" folder behind in the temporary folder.
class ScratchOfAParameterisedTest : public testing::TestWithParam<int> {};

TEST_P(ScratchOfAParameterisedTest, LeavesNoFolderBehind) {
    { const ScratchDir scratch("trazel-scratch"); }
    EXPECT_FALSE(std::filesystem::exists(
        std::filesystem::temp_directory_path() /
        ("trazel-scratch-" + std::to_string(::getpid()) + "-LeavesNoFolderBehind")));
}

INSTANTIATE_TEST_SUITE_P(Cli, ScratchOfAParameterisedTest, testing::Values(0));
