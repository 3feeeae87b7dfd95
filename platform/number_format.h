#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace trazel::platform {

// Numbers shown to and read from the user, always in the C locale: Qt sets the
// C library's locale from the environment at start-up, and under a Spanish
// locale printf and strtod would switch to a decimal comma.

// The text that printf's "%.<precision>g" gives in the C locale.
std::string FormatG(double value, int precision = 6);

// The shortest text that reads back as the same double ("0.1", "1030",
// "1.5e-07"), for files meant for programs, which must lose nothing.
std::string ShortestText(double value);

// The framework's text form for doubles shown in edit fields ("%.15g").
inline std::string FormatEditDouble(double value) {
    return FormatG(value, 15);
}

// A decimal number in plain or exponent notation, optionally signed and
// surrounded by spaces. Empty text, other characters (a decimal comma among
// them), "nan", "inf" and values beyond the range of a double give nothing.
std::optional<double> ParseDouble(std::string_view text);

// A decimal 32-bit integer, optionally signed and surrounded by spaces.
std::optional<int> ParseInt(std::string_view text);

}  // namespace trazel::platform
