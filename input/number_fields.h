#pragma once

#include <string_view>
#include <vector>

namespace trazel::input {

// How the columns of a text table are set apart. A decimal comma is read
// wherever the separator is not a comma.
enum class Separator { Whitespace, Tab, Comma, Semicolon };

// The separator of one line: a semicolon or a tab where there is one (a tab
// only when no field holds spaces inside, since aligned columns mix the two);
// a comma unless the line splits at spaces into numbers written with a
// decimal comma ("100 3,76"); spaces otherwise.
Separator DetectSeparator(std::string_view line);

// The fields of line, each without the spaces and double quotes around it.
// Runs of spaces count as one separator; with any other separator an empty
// field between two separators is kept.
void SplitFields(std::string_view line, Separator separator, std::vector<std::string_view>& fields);

enum class NumberText { Number, NotANumber, NotFinite };

// A decimal number in plain or exponent notation, in any locale, with a
// decimal comma accepted when decimalComma is set. "nan", "inf" and values
// beyond the range of a double are NotFinite; a value too small for a double
// reads as 0 or the nearest subnormal, as printed results of sums can be.
NumberText ParseNumber(std::string_view text, bool decimalComma, double& value);

inline bool DecimalCommaWith(Separator separator) {
    return separator != Separator::Comma;
}

}  // namespace trazel::input
