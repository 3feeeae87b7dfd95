#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/translation.h"

namespace trazel::cli {

// Exit statuses of trazel-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;
// fit: the fit did not converge, or the problem is singular.
inline constexpr int kExitFitFailed = 3;
// peaks: no band stands out of the data with the options given.
inline constexpr int kExitNothingFound = 3;

// What the user is told when the work ran out of memory or failed in a way
// no message of its own covers; nothing has been written then. Constants, so
// that a handler with no memory left can still write them; translated with
// Translate("Cli", …) where that can be done.
inline constexpr const char* kOutOfMemoryMessage = TRAZEL_TR_NOOP(
    "Cli", "trazel-cli: no queda memoria suficiente para terminar; no se ha escrito nada.\n");
inline constexpr const char* kUnexpectedErrorMessage =
    TRAZEL_TR_NOOP("Cli", "trazel-cli: error inesperado; no se ha escrito nada.\n");

// Runs one trazel-cli command; args excludes the program name. Everything
// meant for the user goes to out and err, so tests can run it in-process.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace trazel::cli
