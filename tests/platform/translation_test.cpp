#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/translation.h"

using namespace trazel::platform;

namespace {

// The environment a row gives; a variable it leaves out is unset.
std::map<std::string, std::string> environment;

const char* Lookup(const char* name) {
    const auto found = environment.find(name);
    return found == environment.end() ? nullptr : found->second.c_str();
}

TEST(Language, ChosenFromTheEnvironmentAsLinuxProgramsChoose) {
    struct Row {
        std::map<std::string, std::string> env;
        Language expected;
    } rows[] = {
        {{}, Language::Spanish},
        {{{"LANG", "en_US.UTF-8"}}, Language::English},
        {{{"LANG", "es_ES.UTF-8"}}, Language::Spanish},
        {{{"LANG", "C.UTF-8"}}, Language::Spanish},
        {{{"LANG", "POSIX"}}, Language::Spanish},
        // A language without a translation shows the texts as written.
        {{{"LANG", "fr_FR.UTF-8"}}, Language::Spanish},
        // LC_ALL outranks LC_MESSAGES, which outranks LANG; an empty one counts as unset.
        {{{"LANG", "es_ES.UTF-8"}, {"LC_MESSAGES", "en_GB.UTF-8"}}, Language::English},
        {{{"LC_ALL", "C"}, {"LC_MESSAGES", "en_GB.UTF-8"}}, Language::Spanish},
        {{{"LC_ALL", ""}, {"LANG", "en_US.UTF-8"}}, Language::English},
        // LANGUAGE outranks them all, and its list is walked to the first we have.
        {{{"LANGUAGE", "en"}, {"LC_ALL", "es_ES.UTF-8"}}, Language::English},
        {{{"LANGUAGE", "fr:de:en_GB:es"}, {"LANG", "es_ES.UTF-8"}}, Language::English},
        {{{"LANGUAGE", "fr:de"}, {"LANG", "en_US.UTF-8"}}, Language::English},
        {{{"LANGUAGE", ""}, {"LANG", "en_US.UTF-8"}}, Language::English},
        {{{"LANGUAGE", "es"}, {"LANG", "en_US.UTF-8"}}, Language::Spanish},
    };
    for (const auto& row : rows) {
        environment = row.env;
        EXPECT_EQ(LanguageFromEnvironment(&Lookup), row.expected)
            << testing::PrintToString(row.env);
    }
    EXPECT_EQ(LanguageNamed("en"), Language::English);
    EXPECT_EQ(LanguageNamed("es"), Language::Spanish);
    EXPECT_EQ(LanguageNamed("EN"), std::nullopt);
    EXPECT_EQ(LanguageNamed(""), std::nullopt);
}

TEST(Translation, PlaceholdersAreFilledAfterTheTextIsTranslated) {
    struct Row {
        const char* pattern;
        std::initializer_list<std::string_view> arguments;
        const char* expected;
    } rows[] = {
        {"la línea %1: %2", {"12", "no es un número"}, "la línea 12: no es un número"},
        // A translation may put the arguments in another order.
        {"%2 on line %1", {"12", "not a number"}, "not a number on line 12"},
        // A filled argument is not read again for placeholders.
        {"%1 y %2", {"%2", "b"}, "%2 y b"},
        {"al 5 % de %1; %3 sin argumento; %", {"x"}, "al 5 % de x; %3 sin argumento; %"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Fill(row.pattern, row.arguments), row.expected) << row.pattern;
    }

    EXPECT_EQ(TRAZEL_TR("Prueba", "Intensidad"), "Intensidad");
    InstallTranslator([](const char* context, const char* source) {
        return std::string(context) + ":" + source;
    });
    EXPECT_EQ(TRAZEL_TR("Prueba", "Intensidad"), "Prueba:Intensidad");
    InstallTranslator(nullptr);
}

}  // namespace
