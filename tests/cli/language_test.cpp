#include <cstdlib>

#include "tests/cli/cli_fixture.h"

using namespace trazel::cli;

namespace {

// The variables a machine may have set, taken out so that a row's own decide.
const std::vector<std::string> kNoLocale = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};

std::vector<std::string> Environment(std::initializer_list<std::string> set) {
    std::vector<std::string> env = kNoLocale;
    env.insert(env.end(), set);
    return env;
}

TEST_F(CliTest, MessagesFollowTheEnvironmentOrLang) {
    struct Row {
        std::vector<std::string> env;
        const char* command;
        int exitCode;
        const char* outStart;  // of standard output, or of standard error when it failed
    } rows[] = {
        {Environment({"LANG=en_US.UTF-8"}), "export --help", kExitOk, "usage: trazel-cli export"},
        {Environment({"LANG=C.UTF-8"}), "export --help", kExitOk, "uso: trazel-cli export"},
        {Environment({"LANG=es_ES.UTF-8"}), "export --help", kExitOk, "uso: trazel-cli export"},
        {Environment({"LANGUAGE=es"}), "--lang en export --help", kExitOk, "usage: trazel-cli"},
        {Environment({"LANG=en_GB.UTF-8"}), "--lang=es export --help", kExitOk, "uso: trazel-cli"},
        {Environment({"LANG=en_US.UTF-8"}), "--lang fr export --help", kExitUsage,
         "trazel-cli: --lang"},
        {Environment({"LANG=C.UTF-8"}), "--lang en --lang=es export --help", kExitUsage,
         "trazel-cli: --lang aparece más de una vez"},
        {Environment({"LANG=en_US.UTF-8"}), "show @falta.trz", kExitFileError,
         "trazel-cli show: Could not"},
    };
    for (const auto& row : rows) {
        const ProcessResult run = RunProgram(Words(row.command), row.env);
        EXPECT_EQ(run.exitCode, row.exitCode) << row.command;
        EXPECT_EQ((row.exitCode == kExitOk ? run.out : run.err).rfind(row.outStart, 0), 0u)
            << row.command << "\n"
            << run.out << run.err;
    }
}

// What programs read is the same in every language: the exported spectrum,
// the band table on standard output, the printed report's text in the
// languages that read as Spanish.
TEST_F(CliTest, FilesAndTablesForProgramsDoNotChangeWithTheLanguage) {
    struct Row {
        const char* command;  // "@out" is the file compared, or standard output without it
        std::vector<std::string> other;
    } rows[] = {
        {"export examples/calcita-raman.trz --xmin 100 --xmax 1200 --lorentzian -o @out",
         Environment({"LANG=en_US.UTF-8"})},
        {"peaks examples/dos-bandas-medido.txt --shoulders", Environment({"LANG=en_US.UTF-8"})},
        {"bands data/qc/gaussian09-freq.log", Environment({"LANG=en_US.UTF-8"})},
        {"spectrum data/jcamp/compound.jdx --list", Environment({"LANG=en_US.UTF-8"})},
#if TRAZEL_CLI_DRAWS
        {"print examples/calcita-raman.trz --xmin 100 --xmax 1200 --ymin 0 --ymax 1 -o @out",
         Environment({"LANG=C.UTF-8"})},
#endif
    };
    for (const auto& row : rows) {
        std::string results[2];
        for (int i = 0; i < 2; ++i) {
            const ProcessResult run = RunProgram(
                Words(row.command), i == 0 ? std::vector<std::string>{"LANGUAGE=es"} : row.other);
            ASSERT_EQ(run.exitCode, kExitOk) << row.command << "\n" << run.err;
            const bool toFile = std::string(row.command).find("@out") != std::string::npos;
            if (toFile && std::string(row.command).starts_with("print")) {
                // Its text: the file also holds the moment it was written.
                ASSERT_EQ(std::system(
                              ("pdftotext -layout " + Path("out") + " " + Path("out.txt")).c_str()),
                          0);
                results[i] = Contents(Path("out.txt"));
            } else {
                results[i] = toFile ? Contents(Path("out")) : run.out;
            }
        }
        EXPECT_FALSE(results[0].empty()) << row.command;
        EXPECT_EQ(results[0], results[1]) << row.command;
    }
}

}  // namespace
