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

std::string AmbiguousCommaReason(std::string_view comma) {
    return "escribe «" + std::string(comma) +
           "» con coma y otro número con punto decimal: no se sabe si esa coma es decimal o "
           "separa los miles";
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
