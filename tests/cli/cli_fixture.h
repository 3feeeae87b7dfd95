#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
    std::string out;
    std::string err;
};

// Runs trazel-cli in-process (RunCli) or as the built program, in a scratch
// folder of its own.
class CliTest : public testing::Test {
  protected:
    int Run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        return RunCli(args, out_, err_);
    }

    std::string Path(const std::string& name) const { return scratch_.File(name); }
    // A command line written as one text: words apart by spaces, "@name" for
    // a file of the scratch folder, "examples/name" for an example document.
    std::vector<std::string> Words(const std::string& line) const {
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string word; in >> word;) {
            if (word[0] == '@') {
                word = Path(word.substr(1));
            } else if (word.rfind("examples/", 0) == 0) {
                word = std::string(TRAZEL_SOURCE_DIR) + "/" + word;
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
        const std::string program = std::string(TRAZEL_BINARY_DIR) + "/trazel-cli";
        const std::string outFile = Path(".stdout");
        const std::string errFile = Path(".stderr");
        std::vector<char*> argv = {const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            bool keep = true;
            for (const std::string& change : env) {
                const std::string prefix = change.substr(0, change.find('=')) + "=";
                keep = keep && std::strncmp(*entry, prefix.c_str(), prefix.size()) != 0;
            }
            if (keep) {
                envp.push_back(*entry);
            }
        }
        for (const std::string& change : env) {
            if (change.find('=') != std::string::npos) {
                envp.push_back(const_cast<char*>(change.c_str()));
            }
        }
        envp.push_back(nullptr);

        // Everything the child needs is made before the fork: only plain
        // system calls run between fork and exec.
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(out, 1);
            ::dup2(err, 2);
            if (::chdir(scratch_.Path().c_str()) != 0) {
                ::_exit(126);
            }
            if (fileSizeLimit >= 0) {
                const rlimit limit{static_cast<rlim_t>(fileSizeLimit),
                                   static_cast<rlim_t>(fileSizeLimit)};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            ::execve(program.c_str(), argv.data(), envp.data());
            ::_exit(127);
        }
        ProcessResult result;
        int status = 0;
        if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
            result.exitCode = WEXITSTATUS(status);
        }
        result.out = Contents(outFile);
        result.err = Contents(errFile);
        std::filesystem::remove(outFile);
        std::filesystem::remove(errFile);
        return result;
    }

    ScratchDir scratch_{"trazel-cli"};
    std::ostringstream out_;
    std::ostringstream err_;
};
