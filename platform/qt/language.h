#pragma once

#include "platform/translation.h"

namespace trazel::platform {

// Makes the running application speak language: Qt's own texts (file
// dialogs, buttons, the fields' context menus) from Qt's translations when
// they are installed, ours from the translation in the resources, and the
// texts of the layers without Qt through the same translators.
void InstallLanguage(Language language);

// --lang's value taken out of argv ("--lang en" or "--lang=en"), so that Qt
// and the rest of the program never see it; argc is updated. Nothing when the
// option is not there; an empty string when its value is missing.
std::optional<std::string> TakeLanguageOption(int& argc, char** argv);

}  // namespace trazel::platform
