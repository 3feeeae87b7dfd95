#pragma once

#include <string>

class QWidget;
class Services;

// Asks where the export is to be written, starting from the current path,
// and stores the chosen path; no file is created or opened here. Replacing an
// existing file is confirmed in the dialog. Returns whether a file was chosen.
bool RunOutputFile(std::string& outputPath, QWidget* owner, const Services& services);
