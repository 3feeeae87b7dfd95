#include "cli/cli_support.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "platform/number_format.h"
#include "platform/translation.h"

using namespace trazel::platform;

namespace trazel::cli {

double ParseNumberArg(const std::string& text, const std::string& what) {
    const auto value = ParseDouble(text);
    if (!value) {
        throw UsageError(Fill(TRAZEL_TR("Cli", "%1: «%2» no es un número"), {what, text}));
    }
    return *value;
}

int ParseIntArg(const std::string& text, const std::string& what) {
    const auto value = ParseInt(text);
    if (!value) {
        throw UsageError(Fill(TRAZEL_TR("Cli", "%1: «%2» no es un número entero"), {what, text}));
    }
    return *value;
}

const std::string& ArgCursor::TakeValue(const std::string& option) {
    if (AtEnd()) {
        throw UsageError(Fill(TRAZEL_TR("Cli", "falta el valor de %1"), {option}));
    }
    return Take();
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[16] = "";
    if (localtime_r(&now, &local) != nullptr) {
        std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    }
    return text;
}

std::string OutputTarget(const std::string& arg) {
    return arg == "-" ? std::string("/dev/stdout") : arg;
}

bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

ParsedOptions::ParsedOptions(const std::vector<std::string>& args, const OptionSpec& accepted) {
    const auto listed = [](const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    ArgCursor cursor(args);
    bool optionsEnded = false;
    while (!cursor.AtEnd()) {
        const std::string& arg = cursor.Take();
        if (optionsEnded || !IsOption(arg)) {
            positional_.push_back(arg);
            continue;
        }
        if (arg == kEndOfOptions) {
            optionsEnded = true;
            continue;
        }
        const auto equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        order_.push_back(name);
        if (listed(accepted.repeated, name)) {
            repeatedValues_.emplace(name, equals == std::string::npos ? cursor.TakeValue(name)
                                                                      : arg.substr(equals + 1));
            continue;
        }
        // The last of two values silently winning hides a mistake in a
        // script; the user hears of it instead.
        if (Has(name)) {
            throw UsageError(Fill(TRAZEL_TR("Cli", "%1 aparece más de una vez"), {name}));
        }
        if (listed(accepted.valued, name)) {
            values_[name] =
                equals == std::string::npos ? cursor.TakeValue(name) : arg.substr(equals + 1);
        } else if (listed(accepted.switches, name) && equals == std::string::npos) {
            switches_.insert(name);
        } else if (listed(accepted.switches, name)) {
            throw UsageError(Fill(TRAZEL_TR("Cli", "%1 no lleva valor"), {name}));
        } else {
            throw UsageError(Fill(TRAZEL_TR("Cli", "opción desconocida: %1"), {arg}));
        }
    }
}

bool ParsedOptions::Has(const std::string& option) const {
    return switches_.count(option) != 0 || values_.count(option) != 0;
}

std::optional<std::string> ParsedOptions::Value(const std::string& option) const {
    const auto it = values_.find(option);
    if (it == values_.end()) {
        return std::nullopt;
    }
    return it->second;
}

double ParsedOptions::RequiredNumber(const std::string& option) const {
    const auto value = Value(option);
    if (!value) {
        throw UsageError(Fill(TRAZEL_TR("Cli", "falta %1"), {option}));
    }
    return ParseNumberArg(*value, option);
}

std::vector<std::string> ParsedOptions::Values(const std::string& option) const {
    std::vector<std::string> values;
    const auto [first, last] = repeatedValues_.equal_range(option);
    for (auto it = first; it != last; ++it) {
        values.push_back(it->second);
    }
    return values;
}

std::size_t ParsedOptions::ValuesBefore(const std::string& repeated,
                                        const std::string& option) const {
    const auto end = std::find(order_.begin(), order_.end(), option);
    return static_cast<std::size_t>(std::count(order_.begin(), end, repeated));
}

const std::string& ParsedOptions::OnlyPositional(const std::string& what) const {
    return Positional(1, what).front();
}

const std::vector<std::string>& ParsedOptions::Positional(std::size_t count,
                                                          const std::string& what) const {
    if (positional_.size() < count) {
        throw UsageError(Fill(TRAZEL_TR("Cli", "falta %1"), {what}));
    }
    if (positional_.size() > count) {
        throw UsageError(Fill(TRAZEL_TR("Cli", "sobra el argumento «%1»"), {positional_[count]}));
    }
    return positional_;
}

bool SameOutput(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) {
        return true;
    }
    const auto full = [](const std::string& path) {
        std::error_code error;
        const auto canonical = std::filesystem::weakly_canonical(path, error);
        return error ? std::filesystem::path(path).lexically_normal() : canonical;
    };
    return full(a) == full(b);
}

fit::Baseline BaselineFrom(const std::string& text) {
    const std::pair<const char*, fit::Baseline> kinds[] = {{"none", fit::Baseline::None},
                                                           {"constant", fit::Baseline::Constant},
                                                           {"linear", fit::Baseline::Linear},
                                                           {"quadratic", fit::Baseline::Quadratic},
                                                           {"cubic", fit::Baseline::Cubic}};
    for (const auto& [name, kind] : kinds) {
        if (text == name) {
            return kind;
        }
    }
    throw UsageError(Fill(
        TRAZEL_TR("Cli", "--baseline espera none, constant, linear, quadratic o cubic, no «%1»"),
        {text}));
}

}  // namespace trazel::cli
