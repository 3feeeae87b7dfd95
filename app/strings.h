#pragma once

#include <QString>

namespace trazel::app {

// The string table. A command's string is its status-bar prompt, a line feed
// and its tooltip; a string without a line feed is a prompt alone.
QString LoadString(int id);

// The two halves of a command's string.
QString CommandPrompt(int id);
QString CommandToolTip(int id);

}  // namespace trazel::app
