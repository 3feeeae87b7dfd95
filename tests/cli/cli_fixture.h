#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "tests/support/scratch_dir.h"

extern char** environ;

// What the real trazel-cli did when run as a program.
struct ProcessResult {
    int exitCode = -1;
    // The signal that ended it, or 0.
    int signal = 0;
    std::string out;
    std::string err;
};

// How the program is started besides its arguments.
struct ProgramSetup {
    // "NAME" takes the variable out, "NAME=value" sets it.
    std::vector<std::string> env;
    // When not negative: no file it writes may grow past this many bytes.
    long fileSizeLimit = -1;
    // When not negative: its address space is held to this many bytes.
    long addressSpaceLimit = -1;
    // Standard output goes to this file of the scratch folder, opened for
    // appending, instead of being collected; "/dev/full" is taken as it is.
    std::string stdoutFile;
    // Standard output is a pipe whose reader has already gone.
    bool closedPipe = false;
};

// Runs trazel-cli in-process (RunCli) or as the built program, in a scratch
// folder of its own.
class CliTest : public testing::Test {
  protected:
    int Run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        return trazel::cli::RunCli(args, out_, err_);
    }

    std::string Path(const std::string& name) const { return scratch_.File(name); }
    // A command line written as one text: words apart by spaces, "@name" for
    // a file of the scratch folder, "examples/name" for an example document,
    // "data/name" for a file of tests/data.
    std::vector<std::string> Words(const std::string& line) const {
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string word; in >> word;) {
            if (word[0] == '@') {
                word = Path(word.substr(1));
            } else if (word.rfind("examples/", 0) == 0) {
                word.insert(0, TRAZEL_SOURCE_DIR "/");
            } else if (word.rfind("data/", 0) == 0) {
                word.replace(0, 4, TRAZEL_TEST_DATA);
            }
            words.push_back(word);
        }
        return words;
    }
    static std::string Contents(const std::string& path) { return ScratchDir::Contents(path); }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // The names in the scratch folder, to see that nothing was left behind.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch_.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // The program itself, with its environment changed by env ("NAME" takes
    // the variable out, "NAME=value" sets it) and, when fileSizeLimit is not
    // negative, no file it writes allowed past that many bytes.
    ProcessResult RunProgram(const std::vector<std::string>& args,
                             const std::vector<std::string>& env = {},
                             long fileSizeLimit = -1) const {
        ProgramSetup setup;
        setup.env = env;
        setup.fileSizeLimit = fileSizeLimit;
        return Finish(StartProgram(args, setup));
    }

    // Starts the program and returns at once; Finish waits for it.
    pid_t StartProgram(const std::vector<std::string>& args, const ProgramSetup& setup) const {
        const std::string program = std::string(TRAZEL_BINARY_DIR) + "/trazel-cli";
        const std::string outFile = setup.stdoutFile.empty()     ? Path(".stdout")
                                    : setup.stdoutFile[0] == '/' ? setup.stdoutFile
                                                                 : Path(setup.stdoutFile);
        const std::string errFile = Path(".stderr");
        std::vector<char*> argv = {const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            bool keep = true;
            for (const std::string& change : setup.env) {
                const std::string prefix = change.substr(0, change.find('=')) + "=";
                keep = keep && std::strncmp(*entry, prefix.c_str(), prefix.size()) != 0;
            }
            if (keep) {
                envp.push_back(*entry);
            }
        }
        for (const std::string& change : setup.env) {
            if (change.find('=') != std::string::npos) {
                envp.push_back(const_cast<char*>(change.c_str()));
            }
        }
        envp.push_back(nullptr);
        int pipeEnds[2] = {-1, -1};
        if (setup.closedPipe && ::pipe(pipeEnds) != 0) {
            return -1;
        }

        // Everything the child needs is made before the fork: only plain
        // system calls run between fork and exec.
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int outFlags = setup.stdoutFile.empty() ? O_TRUNC : O_APPEND;
            const int out = setup.closedPipe
                                ? pipeEnds[1]
                                : ::open(outFile.c_str(), O_WRONLY | O_CREAT | outFlags, 0600);
            const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(out, 1);
            ::dup2(err, 2);
            if (setup.closedPipe) {
                ::close(pipeEnds[0]);
            }
            if (::chdir(scratch_.Path().c_str()) != 0) {
                ::_exit(126);
            }
            const auto limit = [](int resource, long bytes) {
                if (bytes >= 0) {
                    const rlimit value{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
                    ::setrlimit(resource, &value);
                }
            };
            limit(RLIMIT_FSIZE, setup.fileSizeLimit);
            limit(RLIMIT_AS, setup.addressSpaceLimit);
            ::execve(program.c_str(), argv.data(), envp.data());
            ::_exit(127);
        }
        if (setup.closedPipe) {
            ::close(pipeEnds[0]);
            ::close(pipeEnds[1]);
        }
        return pid;
    }

    ProcessResult Finish(pid_t pid) const {
        ProcessResult result;
        int status = 0;
        if (pid > 0 && ::waitpid(pid, &status, 0) == pid) {
            result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        }
        result.out = Contents(Path(".stdout"));
        result.err = Contents(Path(".stderr"));
        std::filesystem::remove(Path(".stdout"));
        std::filesystem::remove(Path(".stderr"));
        return result;
    }

    // The address space the program needs to start and print its help, found
    // by halving: a limit set this far above it depends on what the work
    // needs, not on how large the libraries of this machine are. 0 when it
    // does not start even with 4 GiB.
    long StartUpAddressSpace() const {
        long low = 1L << 20;
        long high = 1L << 32;
        ProgramSetup setup;
        while (high - low > (256L << 10)) {
            setup.addressSpaceLimit = (low + high) / 2;
            (Finish(StartProgram({"--help"}, setup)).exitCode == trazel::cli::kExitOk ? high
                                                                                      : low) =
                setup.addressSpaceLimit;
        }
        return high == (1L << 32) ? 0 : high;
    }

    ScratchDir scratch_{"trazel-cli"};
    std::ostringstream out_;
    std::ostringstream err_;
};
