#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "platform/large_blocks.h"
#include "platform/temporary_files.h"
#include "platform/translation.h"
#include "translations/english_table.h"

using namespace trazel::platform;
using namespace trazel::cli;

namespace {

// Set once the language is chosen; read where nothing may be allocated.
bool inEnglish = false;

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
    const char* source = outOfMemory ? kOutOfMemoryMessage : kUnexpectedErrorMessage;
    // The table lookup allocates nothing, which matters when memory ran out.
    const char* english = inEnglish ? trazel::translations::EnglishText("Cli", source) : nullptr;
    const char* message = english != nullptr ? english : source;
    [[maybe_unused]] const auto written =
        ::write(2, message, std::char_traits<char>::length(message));
    std::_Exit(kExitFileError);
}

std::string TranslateFromTable(const char* context, const char* source) {
    const char* english = trazel::translations::EnglishText(context, source);
    return english != nullptr ? english : source;
}

// The language of the messages: --lang before the command, else the
// environment's. The programs this one runs (trazel-cli-draw) take it from
// LANGUAGE, so --lang is passed on there. Nothing when --lang names a
// language we do not have; twice tells of a --lang given more than once,
// which is refused as every option given twice is.
std::optional<Language> ChooseLanguage(std::vector<std::string>& args, bool& twice) {
    std::optional<std::string> asked;
    while (!args.empty() && (args.front() == "--lang" || args.front().starts_with("--lang="))) {
        twice = twice || asked.has_value();
        if (args.front() == "--lang") {
            asked = args.size() > 1 ? args[1] : "";
            args.erase(args.begin(), args.begin() + (args.size() > 1 ? 2 : 1));
        } else {
            asked = args.front().substr(7);
            args.erase(args.begin());
        }
    }
    if (!asked) {
        return LanguageFromEnvironment();
    }
    const auto language = LanguageNamed(*asked);
    if (language) {
        ::setenv("LANGUAGE", LanguageCode(*language), 1);
    }
    return language;
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
    KeepLargeBlocksAtHand();
    std::vector<std::string> args(argv + 1, argv + argc);
    bool twice = false;
    const auto language = ChooseLanguage(args, twice);
    if (language.value_or(LanguageFromEnvironment()) == Language::English) {
        InstallTranslator(&TranslateFromTable);
        inEnglish = true;
    }
    if (twice) {
        std::cerr << "trazel-cli: "
                  << Fill(TRAZEL_TR("Cli", "%1 aparece más de una vez"), {"--lang"}) << '\n';
        return kExitUsage;
    }
    if (!language) {
        std::cerr << TRAZEL_TR("Cli",
                               "trazel-cli: --lang admite «es» o «en»\n"
                               "Pruebe «trazel-cli --help».\n");
        return kExitUsage;
    }
    return RunCli(args, std::cout, std::cerr);
}
