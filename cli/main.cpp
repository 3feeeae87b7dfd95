#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "platform/temporary_files.h"

using namespace trazel::platform;
using namespace trazel::cli;

namespace {

// An exception that no handler takes (one thrown where Qt's own code lies in
// between, which cannot pass it on) would otherwise abort with the runtime's
// English text and leave the temporary files behind.
[[noreturn]] void OnTerminate() {
    RemoveRegisteredTemporaries();
    bool outOfMemory = false;
    try {
        if (const auto current = std::current_exception()) {
            std::rethrow_exception(current);
        }
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    } catch (...) {
    }
    const char* message = outOfMemory ? kOutOfMemoryMessage : kUnexpectedErrorMessage;
    [[maybe_unused]] const auto written =
        ::write(2, message, std::char_traits<char>::length(message));
    std::_Exit(kExitFileError);
}

}  // namespace

int main(int argc, char** argv) {
    // A file over the size limit should be a failed write with a message and
    // exit status 1, not a silent death that leaves a temporary file behind.
    std::signal(SIGXFSZ, SIG_IGN);
    // Interrupted, or its reader gone (SIGPIPE, as in "| head -1"), the
    // program removes its temporary files and dies of the signal as other
    // command-line tools do, quietly and with the status the shell expects.
    std::signal(SIGPIPE, SIG_DFL);
    InstallTemporaryCleanup();
    std::set_terminate(OnTerminate);
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunCli(args, std::cout, std::cerr);
}
