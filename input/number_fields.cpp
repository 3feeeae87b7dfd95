#include "input/number_fields.h"

#include <locale.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

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

// The line splits into at least two fields, every one a number (a decimal
// comma allowed).
bool AllNumbers(std::string_view line, Separator separator) {
    std::vector<std::string_view> fields;
    SplitFields(line, separator, fields);
    double value = 0.0;
    return fields.size() >= 2 && std::all_of(fields.begin(), fields.end(), [&](auto field) {
               return ParseNumber(field, true, value) != NumberText::NotANumber;
           });
}

}  // namespace

Separator DetectSeparator(std::string_view line) {
    if (line.find(';') != std::string_view::npos) {
        return Separator::Semicolon;
    }
    std::vector<std::string_view> fields;
    if (line.find('\t') != std::string_view::npos) {
        // Columns aligned with a mix of tabs and spaces split at any blank;
        // a header such as "Frequency (cm-1)<tab>Intensity" only at its tabs.
        SplitFields(line, Separator::Tab, fields);
        const bool spacesInside = std::any_of(fields.begin(), fields.end(), [](auto field) {
            return field.find(' ') != std::string_view::npos;
        });
        return spacesInside && AllNumbers(line, Separator::Whitespace) ? Separator::Whitespace
                                                                       : Separator::Tab;
    }
    if (line.find(',') != std::string_view::npos) {
        return AllNumbers(line, Separator::Whitespace) ? Separator::Whitespace : Separator::Comma;
    }
    return Separator::Whitespace;
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
    for (;;) {
        const std::size_t at = line.find(mark, start);
        fields.push_back(
            Unquoted(line.substr(start, at == std::string_view::npos ? at : at - start)));
        if (at == std::string_view::npos) {
            return;
        }
        start = at + 1;
    }
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
