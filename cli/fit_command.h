#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace trazel::cli {

// The bands of a document fitted to a measured spectrum: writes the fitted
// document, whole or not at all, and prints the result table.
int RunFit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace trazel::cli
