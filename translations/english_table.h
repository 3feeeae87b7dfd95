#pragma once

namespace trazel::translations {

// The English for a text of the program, from the table compiled out of the
// translation files; null when the text has none.
const char* EnglishText(const char* context, const char* source);

}  // namespace trazel::translations
