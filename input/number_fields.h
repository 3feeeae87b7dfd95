#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trazel::input {

class LineReader;

// How the columns of a text table are set apart. A decimal comma is read
// with every separator: with a comma, a field can hold one only inside
// double quotes ("1,5","2,5").
enum class Separator { Whitespace, Tab, Comma, Semicolon };

// The separator of a table, from its header (the last line before the first
// line of numbers, or empty) and its first lines of numbers: the first of
// the separators below that splits every one of those lines into numbers
// (SplitsIntoNumbers), or else the first that splits the first of them. The
// order of preference: a semicolon or a tab where the lines hold one; then a
// comma before spaces where a comma is followed by a space or tab anywhere
// ("0, 0.5": CSV, never "0," with a decimal comma), spaces before a comma
// otherwise ("100 3,76" has decimal commas, "1.5,2" splits at its comma).
Separator ChooseSeparator(std::string_view header, const std::vector<std::string>& dataLines);

// The line splits at separator into at least two numbers, and into no field
// that starts like a number ("5 2", "0.5,") without being one.
bool SplitsIntoNumbers(std::string_view line, Separator separator);

// The separator of the table in reader's file, chosen from its first lines
// (up to 16 lines of numbers within the first 1000 lines), after which the
// reader is back at the start of the file. Blank lines are skipped, and so
// are lines starting with one of commentMarks, unless commentHeaders: then
// the text after the mark may be the header. Nothing when the file is
// JCAMP-DX or the reading failed (reader.Error() says why).
std::optional<Separator> SampleSeparator(LineReader& reader, std::string_view commentMarks,
                                         bool commentHeaders);

// The fields of line, each without the spaces and double quotes around it.
// Runs of spaces count as one separator; with any other separator an empty
// field between two separators is kept, and a separator inside double
// quotes does not split.
void SplitFields(std::string_view line, Separator separator, std::vector<std::string_view>& fields);

enum class NumberText { Number, NotANumber, NotFinite };

// A decimal number in plain or exponent notation, in any locale, with a
// decimal comma accepted when decimalComma is set. "nan", "inf" and values
// beyond the range of a double are NotFinite; a value too small for a double
// reads as 0 or the nearest subnormal, as printed results of sums can be.
NumberText ParseNumber(std::string_view text, bool decimalComma, double& value);

// The numbers in columns xColumn and yColumn (from 0) of a line written the
// plainest way, which is how nearly every line of a long file is written: no
// double quotes before those columns, no "+" and no spaces inside a field,
// and at most one decimal comma in a number and no decimal point beside a
// comma. True, with both values, only when SplitFields and ParseNumber would
// read the same two finite numbers and AmbiguousComma would find nothing;
// false leaves the line to them, and they name the fault if there is one.
bool ReadPlainPair(std::string_view line, Separator separator, int xColumn, int yColumn, double& x,
                   double& y);

// The first of texts that holds a comma, when another holds a decimal point:
// the comma may then separate thousands ("1,000" beside "2.5"), and reading
// it as a decimal comma could be wrong by a factor of a thousand.
std::optional<std::string_view> AmbiguousComma(const std::vector<std::string_view>& texts);
// The same for a pair of texts, without building a list: a reader asks it of
// every line.
std::optional<std::string_view> AmbiguousComma(std::string_view first, std::string_view second);
// Why a line with that comma is refused.
std::string AmbiguousCommaReason(std::string_view comma);

}  // namespace trazel::input
