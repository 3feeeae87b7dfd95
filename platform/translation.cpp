#include "platform/translation.h"

#include <cstdlib>

namespace trazel::platform {

namespace {

TranslateFunction installed = nullptr;

// Spanish for "es…", "C" and "POSIX", English for "en…"; nothing for a
// language we have no translation for.
std::optional<Language> LanguageOfLocale(std::string_view locale) {
    if (locale.starts_with("en")) {
        return Language::English;
    }
    if (locale.starts_with("es") || locale == "C" || locale.starts_with("C.") ||
        locale == "POSIX") {
        return Language::Spanish;
    }
    return std::nullopt;
}

}  // namespace

const char* LanguageCode(Language language) {
    return language == Language::English ? "en" : "es";
}

std::optional<Language> LanguageNamed(std::string_view code) {
    if (code == "es") {
        return Language::Spanish;
    }
    if (code == "en") {
        return Language::English;
    }
    return std::nullopt;
}

Language LanguageFromEnvironment(const char* (*getenv)(const char*)) {
    // LANGUAGE is a list of preferences, "fr:en:es", walked until one we have.
    if (const char* list = getenv("LANGUAGE"); list != nullptr) {
        std::string_view rest(list);
        while (!rest.empty()) {
            const auto colon = rest.find(':');
            if (const auto language = LanguageOfLocale(rest.substr(0, colon))) {
                return *language;
            }
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = getenv(name); value != nullptr && *value != '\0') {
            return LanguageOfLocale(value).value_or(Language::Spanish);
        }
    }
    return Language::Spanish;
}

Language LanguageFromEnvironment() {
    return LanguageFromEnvironment(
        [](const char* name) -> const char* { return std::getenv(name); });
}

void InstallTranslator(TranslateFunction translate) {
    installed = translate;
}

std::string Translate(const char* context, const char* source) {
    return installed != nullptr ? installed(context, source) : std::string(source);
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string filled;
    filled.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < arguments.size()) {
                filled += *(arguments.begin() + index);
                ++i;
                continue;
            }
        }
        filled += pattern[i];
    }
    return filled;
}

std::string Counted(std::size_t count, const char* context, const char* one, const char* many) {
    return Fill(Translate(context, count == 1 ? one : many), {std::to_string(count)});
}

std::string ShownText(std::string_view text, bool keepLineBreaks) {
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool lineBreak = byte == '\n' || byte == '\r';
        if ((byte < 0x20 && byte != '\t' && !(lineBreak && keepLineBreaks)) || byte == 0x7F) {
            shown += kReplacement;
        } else if (byte == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            shown += kReplacement;
            ++i;
        } else if (byte == 0xEF && i + 2 < text.size() && text[i + 1] == '\xBF' &&
                   (text[i + 2] == '\xBE' || text[i + 2] == '\xBF')) {
            shown += kReplacement;
            i += 2;
        } else {
            shown += text[i];
        }
    }
    return shown;
}

}  // namespace trazel::platform
