#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace trazel::cli {

// The bands of a measured spectrum found and printed, and with -o written as
// a document ready for fit, whole or not at all.
int RunPeaks(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace trazel::cli
