#pragma once

#include <string>

class QWidget;

namespace trazel::platform {
class Services;
}  // namespace trazel::platform

namespace trazel::ui {

// Asks where the export is to be written, starting from the current path,
// and stores the chosen path; no file is created or opened here. Replacing an
// existing file is confirmed in the dialog. Returns whether a file was chosen.
bool RunOutputFile(std::string& outputPath, QWidget* owner, const platform::Services& services);

}  // namespace trazel::ui
