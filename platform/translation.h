#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace trazel::platform {

// The languages the program speaks. Spanish is the language its texts are
// written in, so it needs no translation.
enum class Language { Spanish, English };

// "es" or "en", as --lang takes them and translation files are named.
const char* LanguageCode(Language language);
// The language --lang names ("es", "en"); nothing for any other word.
std::optional<Language> LanguageNamed(std::string_view code);

// The language a Linux program shows by its environment: the first entry of
// LANGUAGE we have a translation for, else LC_ALL, LC_MESSAGES, LANG (the first
// that is set). English for "en…", Spanish for anything else, C and POSIX
// included. getenv is the lookup, so that tests can give an environment.
Language LanguageFromEnvironment(const char* (*getenv)(const char*));
Language LanguageFromEnvironment();

// Where translations come from: the window installs Qt's, the command line the
// table compiled into it. Without one, every text stays Spanish.
using TranslateFunction = std::string (*)(const char* context, const char* source);
void InstallTranslator(TranslateFunction translate);

// source in the language the program shows.
std::string Translate(const char* context, const char* source);

// pattern with %1 … %9 replaced by the arguments, as QString::arg does for the
// placeholders of a translated text; any other % stays as it is.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> arguments);

// count put into one (for 1) or many (any other count), each a text marked
// for translation in context: "1 banda", "2 bandas", "0 bandas".
std::string Counted(std::size_t count, const char* context, const char* one, const char* many);

// A text of UTF-8 that came from a document or a file, as it may be shown:
// every control character (C0 but the tab and, with keepLineBreaks, line
// feed and carriage return; DEL; C1) and the noncharacters U+FFFE and U+FFFF
// replaced by U+FFFD, so that a stored name can neither forge a line of the
// output nor send the terminal an escape sequence or a bell, and a picture
// holds only what XML allows. Bytes that are not UTF-8 stay as they are.
std::string ShownText(std::string_view text, bool keepLineBreaks = false);

}  // namespace trazel::platform

// A text the user reads, translated where it is built: the layers without Qt
// mark their texts with it, and lupdate reads it as QT_TRANSLATE_NOOP
// (-tr-function-alias). Numbers and names go in afterwards through Fill's %1,
// %2…, never into the marked text itself.
#define TRAZEL_TR(context, source) (::trazel::platform::Translate(context, source))
// Marks a text in a table of texts, translated later with Translate(context, text).
#define TRAZEL_TR_NOOP(context, source) (source)
