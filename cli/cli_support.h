#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "fit/band_fit.h"

namespace trazel::cli {

// Whether two output paths name the same file, existing or not.
bool SameOutput(const std::string& a, const std::string& b);

// The baseline --baseline names: none, constant, linear, quadratic or cubic;
// a UsageError for any other word.
fit::Baseline BaselineFrom(const std::string& text);

// A mistake in how the command was called: an unknown option, a missing
// argument, a text that is not a number. RunCli prints it with the command's
// usage line and exits with kExitUsage.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Data that give no result worth writing (a baseline that is not a finite
// number): RunCli prints it and exits with kExitFitFailed, writing nothing.
class NoResultError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file that could not be read or written; the message names the file.
class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A decimal number in the C locale, or a UsageError naming what it was for.
double ParseNumberArg(const std::string& text, const std::string& what);
int ParseIntArg(const std::string& text, const std::string& what);

// Walks a command's arguments: options with or without a value, and the
// positional arguments in between.
class ArgCursor {
  public:
    explicit ArgCursor(const std::vector<std::string>& args) : args_(args) {}

    bool AtEnd() const { return next_ >= args_.size(); }
    const std::string& Peek() const { return args_[next_]; }
    const std::string& Take() { return args_[next_++]; }
    // The value after an option; a UsageError when there is none.
    const std::string& TakeValue(const std::string& option);

  private:
    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
};

bool IsOption(const std::string& arg);

// "--": every argument after it is positional, even one that begins with "-".
inline constexpr char kEndOfOptions[] = "--";

// Today's date where the user is, as reports write it ("2025-03-14").
std::string TodayText();

// The file an output argument names: "-" is standard output.
std::string OutputTarget(const std::string& arg);

// The options one command accepts: those that take a value and the switches
// that stand alone.
struct OptionSpec {
    std::vector<std::string> valued;
    std::vector<std::string> switches;
    // Valued options that may be given more than once.
    std::vector<std::string> repeated = {};
};

// A command's arguments split into options and positional arguments, checked
// against its OptionSpec. A value follows its option as the next argument,
// whatever it starts with (so "--xmin -5" works), or after "=" in the same
// argument ("--xmin=-5"). An option given twice is a UsageError, and "--"
// ends the options.
class ParsedOptions {
  public:
    ParsedOptions(const std::vector<std::string>& args, const OptionSpec& accepted);

    bool Has(const std::string& option) const;
    std::optional<std::string> Value(const std::string& option) const;
    // Every value of a repeated option, in the order given.
    std::vector<std::string> Values(const std::string& option) const;
    // How many values of the repeated option came before option, for a
    // command where the order of the two matters; all of them when option
    // was not given.
    std::size_t ValuesBefore(const std::string& repeated, const std::string& option) const;
    // The option's value as a number; a UsageError when it is missing or is
    // not a number.
    double RequiredNumber(const std::string& option) const;
    // The single positional argument; what names it in the message when there
    // is none or more than one.
    const std::string& OnlyPositional(const std::string& what) const;
    // Exactly count positional arguments; what names them when some are
    // missing.
    const std::vector<std::string>& Positional(std::size_t count, const std::string& what) const;

  private:
    std::map<std::string, std::string> values_;
    std::multimap<std::string, std::string> repeatedValues_;
    std::set<std::string> switches_;
    std::vector<std::string> positional_;
    // Every option's name in the order given.
    std::vector<std::string> order_;
};

}  // namespace trazel::cli
