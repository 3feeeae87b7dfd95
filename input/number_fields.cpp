#include "input/number_fields.h"

#include <locale.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "input/jcamp.h"
#include "input/line_reader.h"
#include "platform/translation.h"

namespace trazel::input {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Unquoted(std::string_view field) {
    if (field.empty() || (!IsBlank(field.front()) && !IsBlank(field.back()) &&
                          field.front() != '"' && field.back() != '\x1a')) {
        return field;
    }
    field = TrimSpace(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = TrimSpace(field.substr(1, field.size() - 2));
    }
    return field;
}

// strtod in the C locale, for the rare text that from_chars finds out of range.
double CLocaleStrtod(const std::string& text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(text.c_str(), nullptr, cLocale);
}

// A field that a number would start with: a digit, or a sign or point
// before one.
bool StartsLikeANumber(std::string_view field) {
    std::size_t i = 0;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        ++i;
    }
    if (i < field.size() && field[i] == '.') {
        ++i;
    }
    return i < field.size() && field[i] >= '0' && field[i] <= '9';
}

bool IsDataLine(std::string_view line) {
    for (const Separator separator :
         {Separator::Semicolon, Separator::Tab, Separator::Comma, Separator::Whitespace}) {
        if (SplitsIntoNumbers(line, separator)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool SplitsIntoNumbers(std::string_view line, Separator separator) {
    std::vector<std::string_view> fields;
    SplitFields(line, separator, fields);
    int numbers = 0;
    double value = 0.0;
    for (const std::string_view field : fields) {
        if (ParseNumber(field, true, value) != NumberText::NotANumber) {
            ++numbers;
        } else if (StartsLikeANumber(field)) {
            return false;
        }
    }
    return numbers >= 2;
}

Separator ChooseSeparator(std::string_view header, const std::vector<std::string>& dataLines) {
    bool semicolon = false, tab = false, commaBlank = false;
    auto look = [&](std::string_view line) {
        semicolon = semicolon || line.find(';') != std::string_view::npos;
        tab = tab || line.find('\t') != std::string_view::npos;
        for (std::size_t at = line.find(','); at != std::string_view::npos && !commaBlank;
             at = line.find(',', at + 1)) {
            commaBlank = at + 1 < line.size() && IsBlank(line[at + 1]);
        }
    };
    look(header);
    for (const std::string& line : dataLines) {
        look(line);
    }
    std::vector<Separator> order;
    if (semicolon) {
        order.push_back(Separator::Semicolon);
    }
    if (tab) {
        order.push_back(Separator::Tab);
    }
    if (commaBlank) {
        order.insert(order.end(), {Separator::Comma, Separator::Whitespace});
    } else {
        order.insert(order.end(), {Separator::Whitespace, Separator::Comma});
    }
    for (const Separator separator : order) {
        if (std::all_of(dataLines.begin(), dataLines.end(), [&](const std::string& line) {
                return SplitsIntoNumbers(line, separator);
            })) {
            return separator;
        }
    }
    // No separator reads every line: the one that reads the first, so that
    // the reader names the line that does not fit.
    for (const Separator separator : order) {
        if (!dataLines.empty() && SplitsIntoNumbers(dataLines.front(), separator)) {
            return separator;
        }
    }
    return order.front();
}

std::optional<Separator> SampleSeparator(LineReader& reader, std::string_view commentMarks,
                                         bool commentHeaders) {
    constexpr long kSearchedLines = 1000;
    constexpr std::size_t kSampledDataLines = 16;
    constexpr std::size_t kSampledLineLength = 65536;
    std::string header;
    std::vector<std::string> dataLines;
    bool sawLine = false;
    bool jcamp = false;
    std::string_view line;
    while (dataLines.size() < kSampledDataLines && reader.LineNumber() < kSearchedLines &&
           reader.Next(line)) {
        std::string_view text = TrimSpace(line);
        if (text.empty()) {
            continue;
        }
        if (!sawLine) {
            sawLine = true;
            if (LooksLikeJcamp(text)) {
                jcamp = true;
                break;
            }
        }
        if (commentMarks.find(text.front()) != std::string_view::npos) {
            if (!commentHeaders || !dataLines.empty()) {
                continue;
            }
            text = TrimSpace(text.substr(1));
        }
        // A line longer than any table's row is left to the reader, which
        // refuses it if need be, rather than copied and split four ways.
        if (text.size() > kSampledLineLength) {
            continue;
        }
        if (IsDataLine(text)) {
            dataLines.emplace_back(text);
        } else if (dataLines.empty()) {
            header.assign(text);
        }
    }
    if (reader.Error() || !reader.Rewind() || jcamp) {
        return std::nullopt;
    }
    return ChooseSeparator(header, dataLines);
}

void SplitFields(std::string_view line, Separator separator,
                 std::vector<std::string_view>& fields) {
    fields.clear();
    if (separator == Separator::Whitespace) {
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && IsBlank(line[i])) {
                ++i;
            }
            const std::size_t start = i;
            while (i < line.size() && !IsBlank(line[i])) {
                ++i;
            }
            if (i > start) {
                fields.push_back(Unquoted(line.substr(start, i - start)));
            }
        }
        return;
    }
    const char mark = separator == Separator::Tab         ? '\t'
                      : separator == Separator::Semicolon ? ';'
                                                          : ',';
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == mark && !quoted) {
            fields.push_back(Unquoted(line.substr(start, i - start)));
            start = i + 1;
        }
    }
    fields.push_back(Unquoted(line.substr(start)));
}

namespace {

// Where a field lies in a line and which decimal marks it holds.
struct PlainField {
    std::size_t start = 0;
    std::size_t stop = 0;
    int commas = 0;
    int points = 0;
};

// A field of a plain line as ParseNumber reads it, or false when the field
// needs its closer look.
bool PlainNumber(std::string_view line, const PlainField& field, double& value) {
    std::string_view text = line.substr(field.start, field.stop - field.start);
    std::array<char, 64> copy{};
    if (field.commas > 0) {
        if (field.commas + field.points > 1 || text.size() > copy.size()) {
            return false;
        }
        text.copy(copy.data(), text.size());
        *std::find(copy.begin(), copy.begin() + static_cast<std::ptrdiff_t>(text.size()), ',') =
            '.';
        text = std::string_view(copy.data(), text.size());
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end && std::isfinite(value);
}

// ReadPlainPair for a line with a decimal comma, or one that the quicker
// way below could not read: each field scanned for its marks.
bool ScanPlainPair(std::string_view line, Separator separator, char mark, int xColumn, int yColumn,
                   double& x, double& y) {
    const int last = std::max(xColumn, yColumn);
    const std::size_t size = line.size();
    PlainField xField;
    PlainField yField;
    std::size_t i = 0;
    for (int column = 0; column <= last; ++column) {
        PlainField field;
        if (separator == Separator::Whitespace) {
            while (i < size && IsBlank(line[i])) {
                ++i;
            }
            field.start = i;
            while (i < size && !IsBlank(line[i])) {
                field.commas += line[i] == ',' ? 1 : 0;
                field.points += line[i] == '.' ? 1 : 0;
                ++i;
            }
            field.stop = i;
            if (field.start == field.stop) {
                return false;  // fewer fields than the columns
            }
        } else {
            field.start = i;
            while (i < size && line[i] != mark) {
                // A quote can hide a separator: SplitFields knows.
                if (line[i] == '"') {
                    return false;
                }
                field.commas += line[i] == ',' ? 1 : 0;
                field.points += line[i] == '.' ? 1 : 0;
                ++i;
            }
            field.stop = i;
            if (column < last) {
                if (i == size) {
                    return false;
                }
                ++i;
            }
            while (field.start < field.stop && IsBlank(line[field.start])) {
                ++field.start;
            }
            while (field.stop > field.start && IsBlank(line[field.stop - 1])) {
                --field.stop;
            }
        }
        if (column == xColumn) {
            xField = field;
        }
        if (column == yColumn) {
            yField = field;
        }
    }
    // A comma beside a point is AmbiguousComma's to report.
    if ((xField.commas > 0 || yField.commas > 0) && (xField.points > 0 || yField.points > 0)) {
        return false;
    }
    return PlainNumber(line, xField, x) && PlainNumber(line, yField, y);
}

}  // namespace

bool ReadPlainPair(std::string_view line, Separator separator, int xColumn, int yColumn, double& x,
                   double& y) {
    if (xColumn < 0 || yColumn < 0) {
        return false;
    }
    const char mark = separator == Separator::Tab         ? '\t'
                      : separator == Separator::Semicolon ? ';'
                                                          : ',';
    // The quick way: from_chars finds where each number ends, and the field
    // must end there too. A comma it stops at may be a decimal comma, which
    // the scan reads.
    const int last = std::max(xColumn, yColumn);
    const char* p = line.data();
    const char* const end = p + line.size();
    for (int column = 0; column <= last; ++column) {
        const bool wanted = column == xColumn || column == yColumn;
        if (separator == Separator::Whitespace || wanted) {
            while (p < end && IsBlank(*p)) {
                ++p;
            }
        }
        if (wanted) {
            double value = 0.0;
            const auto [ptr, ec] = std::from_chars(p, end, value);
            if (ec != std::errc() || ptr == p || !std::isfinite(value)) {
                return ScanPlainPair(line, separator, mark, xColumn, yColumn, x, y);
            }
            (column == xColumn ? x : y) = value;
            if (column == yColumn && xColumn == yColumn) {
                x = value;
            }
            p = ptr;
            if (separator != Separator::Whitespace) {
                while (p < end && IsBlank(*p)) {
                    ++p;
                }
            }
        } else if (separator == Separator::Whitespace) {
            while (p < end && !IsBlank(*p)) {
                ++p;
            }
            if (p == end && column < last) {
                return false;
            }
            continue;
        } else {
            while (p < end && *p != mark) {
                if (*p == '"') {
                    return false;
                }
                ++p;
            }
        }
        // The field ends here: at a blank or the end of the line, or at the
        // separator, which must be there before another column.
        if (separator == Separator::Whitespace) {
            if (p < end && !IsBlank(*p)) {
                return ScanPlainPair(line, separator, mark, xColumn, yColumn, x, y);
            }
        } else if (p < end && *p != mark) {
            return ScanPlainPair(line, separator, mark, xColumn, yColumn, x, y);
        } else if (column < last) {
            if (p == end) {
                return false;
            }
            ++p;
        }
    }
    return true;
}

std::optional<std::string_view> AmbiguousComma(const std::vector<std::string_view>& texts) {
    std::optional<std::string_view> comma;
    bool point = false;
    for (const std::string_view text : texts) {
        if (!comma && text.find(',') != std::string_view::npos) {
            comma = Unquoted(text);
        }
        point = point || text.find('.') != std::string_view::npos;
    }
    return point ? comma : std::nullopt;
}

std::optional<std::string_view> AmbiguousComma(std::string_view first, std::string_view second) {
    const bool point =
        first.find('.') != std::string_view::npos || second.find('.') != std::string_view::npos;
    if (!point) {
        return std::nullopt;
    }
    if (first.find(',') != std::string_view::npos) {
        return Unquoted(first);
    }
    if (second.find(',') != std::string_view::npos) {
        return Unquoted(second);
    }
    return std::nullopt;
}

std::string AmbiguousCommaReason(std::string_view comma) {
    return platform::Fill(TRAZEL_TR("NumberFields",
                                    "escribe «%1» con coma y otro número con punto decimal: no se "
                                    "sabe si esa coma es decimal o separa los miles"),
                          {comma});
}

NumberText ParseNumber(std::string_view text, bool decimalComma, double& value) {
    text = Unquoted(text);
    // from_chars takes no leading "+", which spreadsheets and instruments write.
    if (!text.empty() && text.front() == '+' && text.size() > 1 && text[1] != '-' &&
        text[1] != '+') {
        text.remove_prefix(1);
    }
    std::array<char, 64> copy{};
    if (decimalComma) {
        // One pass over the few characters, rather than a library search each.
        std::size_t comma = text.size();
        int marks = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == ',' || text[i] == '.') {
                ++marks;
                comma = text[i] == ',' ? i : comma;
            }
        }
        if (comma != text.size()) {
            if (text.size() > copy.size() || marks > 1) {
                return NumberText::NotANumber;
            }
            text.copy(copy.data(), text.size());
            copy[comma] = '.';
            text = std::string_view(copy.data(), text.size());
        }
    }
    if (text.empty()) {
        return NumberText::NotANumber;
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ptr != end || ec == std::errc::invalid_argument) {
        return NumberText::NotANumber;
    }
    if (ec == std::errc::result_out_of_range) {
        value = CLocaleStrtod(std::string(text));
    }
    return std::isfinite(value) ? NumberText::Number : NumberText::NotFinite;
}

}  // namespace trazel::input
