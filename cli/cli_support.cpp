#include "cli/cli_support.h"

#include "platform/number_format.h"

double ParseNumberArg(const std::string& text, const std::string& what) {
    const auto value = ParseDouble(text);
    if (!value) {
        throw UsageError(what + ": «" + text + "» no es un número");
    }
    return *value;
}

int ParseIntArg(const std::string& text, const std::string& what) {
    const auto value = ParseInt(text);
    if (!value) {
        throw UsageError(what + ": «" + text + "» no es un número entero");
    }
    return *value;
}

const std::string& ArgCursor::TakeValue(const std::string& option) {
    if (AtEnd()) {
        throw UsageError("falta el valor de " + option);
    }
    return Take();
}

bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }
