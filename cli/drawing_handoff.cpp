#include <fcntl.h>
#include <limits.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_support.h"
#include "cli/output_commands.h"
#include "platform/file_errors.h"
#include "platform/translation.h"

using namespace trazel::platform;

namespace trazel::cli {

// plot, print and figure draw through Qt, whose libraries (widgets, printing,
// SVG, QCustomPlot, fonts, D-Bus) take far longer to load than anything the
// other commands do. They live in a program of their own that trazel-cli
// runs for these commands alone, so that no other command waits for them.
// It is a program rather than a module loaded into this one: it brings its
// own copy of the reading and writing code and of the list of temporary
// files its signals clean up, with nothing shared that two copies in one
// process would split. Its standard input and output are this program's;
// its messages pass through here, so that a program that cannot even be
// loaded (too little memory for Qt, a broken installation) is reported in
// Spanish like any other failure.

namespace {

pid_t drawingChild = 0;

// An interrupt or a termination meant for trazel-cli reaches the drawing
// program, which removes its temporary files before it ends; this one then
// ends as the child did.
void PassSignalOn(int signal) {
    if (drawingChild > 0) {
        ::kill(drawingChild, signal);
    }
}

std::filesystem::path OwnFolder() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) {
        return {};
    }
    return std::filesystem::path(std::string(buffer, static_cast<std::size_t>(length)))
        .parent_path();
}

// Beside trazel-cli in the build tree; in a folder of its own under libexec
// when installed.
std::filesystem::path DrawingProgram() {
    const std::filesystem::path folder = OwnFolder();
    const std::filesystem::path beside = folder / TRAZEL_DRAWING_PROGRAM;
    if (::access(beside.c_str(), X_OK) == 0) {
        return beside;
    }
    return (folder / TRAZEL_DRAWING_PROGRAM_FROM_BINDIR / TRAZEL_DRAWING_PROGRAM)
        .lexically_normal();
}

std::string CannotStart(const std::filesystem::path& program, const std::string& reason) {
    return Fill(TRAZEL_TR("Cli",
                          "no se pudo poner en marcha «%1», el programa que dibuja: %2. Puede "
                          "que trazel esté mal instalado."),
                {program.string(), reason});
}

int RunDrawingProgram(const char* command, const std::vector<std::string>& args,
                      std::ostream& err) {
    const std::filesystem::path program = DrawingProgram();
    std::vector<std::string> words = {"trazel-cli", command};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    int messages[2];
    if (::pipe2(messages, O_CLOEXEC) != 0) {
        throw FileError(CannotStart(program, DescribeErrno(errno)));
    }
    std::cout.flush();
    err.flush();
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(messages[0]);
        ::close(messages[1]);
        throw FileError(CannotStart(program, DescribeErrno(error)));
    }
    if (child == 0) {
        ::dup2(messages[1], STDERR_FILENO);
        ::execv(program.c_str(), argv.data());
        const std::string text = "trazel-cli " + std::string(command) + ": " +
                                 CannotStart(program, DescribeErrno(errno)) + "\n";
        [[maybe_unused]] const auto written = ::write(STDERR_FILENO, text.data(), text.size());
        ::_exit(kExitFileError);
    }
    ::close(messages[1]);
    drawingChild = child;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        std::signal(signal, PassSignalOn);
    }
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(messages[0], buffer, sizeof buffer);
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(messages[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    drawingChild = 0;

    // The dynamic loader's own words, in English, when the program could
    // not even be loaded.
    const bool notLoaded = WIFEXITED(status) && WEXITSTATUS(status) == 127 &&
                           text.find("error while loading shared libraries") != std::string::npos;
    if (notLoaded && (text.find("failed to map segment") != std::string::npos ||
                      text.find("annot allocate memory") != std::string::npos)) {
        err << Translate("Cli", kOutOfMemoryMessage);
        return kExitFileError;
    }
    if (notLoaded) {
        const std::size_t colon = text.find(": ");
        std::string reason = colon == std::string::npos ? text : text.substr(colon + 2);
        while (!reason.empty() && reason.back() == '\n') {
            reason.pop_back();
        }
        throw FileError(CannotStart(program, reason));
    }
    err << text;
    err.flush();
    if (WIFSIGNALED(status)) {
        std::signal(WTERMSIG(status), SIG_DFL);
        std::raise(WTERMSIG(status));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : kExitFileError;
}

}  // namespace

int RunPlot(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    return RunDrawingProgram("plot", args, err);
}

int RunPrint(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    return RunDrawingProgram("print", args, err);
}

int RunFigure(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    return RunDrawingProgram("figure", args, err);
}

}  // namespace trazel::cli
