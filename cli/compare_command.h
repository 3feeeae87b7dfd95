#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace trazel::cli {

// The band list of a document, taken as computed, compared with a measured
// spectrum: prints the values and the assignment and, when asked, writes
// the report, the assignment and the document with the comparison applied.
int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace trazel::cli
