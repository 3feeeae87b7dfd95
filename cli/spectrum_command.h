#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace trazel::cli {

// A measured spectrum read in any form the window reads, transformed, and
// written as x-y text, CSV or JCAMP-DX, whole or not at all.
int RunSpectrum(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace trazel::cli
