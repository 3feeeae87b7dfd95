#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/cli/cli_fixture.h"

using namespace trazel::cli;

// The README and the command line's reference (docs/cli.md) walk a newcomer
// through trazel-cli on the example documents; every command they show has to
// work as written.

namespace {

const std::string kSource = TRAZEL_SOURCE_DIR;

// The lines of the README and then of docs/cli.md that run trazel-cli, in
// that order, split into arguments. Lines that need a shell (variables,
// quoting) are left to the reader.
std::vector<std::vector<std::string>> ReadmeCommands() {
    std::vector<std::vector<std::string>> commands;
    const std::string program = "build/trazel-cli ";
    std::string line;
    for (const char* document : {"/README.md", "/docs/cli.md"}) {
        std::ifstream text(kSource + document);
        EXPECT_TRUE(text.is_open()) << document;
        while (std::getline(text, line)) {
            if (line.rfind(program, 0) != 0 || line.find_first_of("$\"'`|") != std::string::npos) {
                continue;
            }
            line = line.substr(program.size(), line.find('#') - program.size());
            std::istringstream words(line);
            std::vector<std::string> args;
            for (std::string word; words >> word;) {
                const bool inSource =
                    word.rfind("examples/", 0) == 0 || word.rfind("tests/data/", 0) == 0;
                args.push_back(inSource ? kSource + "/" + word : word);
            }
            commands.push_back(args);
        }
    }
    return commands;
}

TEST_F(CliTest, EveryCommandOfTheReadmeWorksOnTheExamples) {
    const auto commands = ReadmeCommands();
    ASSERT_GE(commands.size(), 10u);
    std::set<std::string> verbs;
    for (const auto& args : commands) {
        const ProcessResult run = RunProgram(args, {"DISPLAY", "QT_QPA_PLATFORM"});
        std::string shown;
        for (const std::string& arg : args) {
            shown += arg + " ";
        }
        verbs.insert(args[0]);
        if (!TRAZEL_CLI_DRAWS && (args[0] == "plot" || args[0] == "print" || args[0] == "figure")) {
            // Built without Qt: the command is understood but cannot draw.
            EXPECT_EQ(run.exitCode, kExitFileError) << shown;
            EXPECT_NE(run.err.find("no incluye Qt"), std::string::npos) << run.err;
            continue;
        }
        EXPECT_EQ(run.exitCode, kExitOk) << shown << "\n" << run.err;
        // fit gives its verdict on standard error, the example fitted as it was
        // made, to noise; nothing else says anything.
        if (args[0] == "fit") {
            EXPECT_EQ(run.err.rfind("trazel-cli fit: Converge; el residuo es ruido.\n", 0), 0u)
                << shown << run.err;
        } else if (args[0] == "compare") {
            EXPECT_EQ(run.err.rfind("trazel-cli compare: El cálculo reproduce el espectro medido "
                                    "(r = ",
                                    0),
                      0u)
                << shown << run.err;
        } else {
            EXPECT_EQ(run.err, "") << shown;
        }
        const auto out = std::find(args.begin(), args.end(), "-o");
        if (out != args.end() && out + 1 != args.end()) {
            EXPECT_GT(std::filesystem::file_size(Path(*(out + 1))), 0u) << shown;
        }
    }
    EXPECT_EQ(verbs, (std::set<std::string>{"--help", "--version", "export", "plot", "print",
                                            "figure", "new", "show", "convert", "fit", "spectrum",
                                            "peaks", "bands", "compare"}));
}

}  // namespace
