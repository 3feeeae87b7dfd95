#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/peak_table.h"

namespace trazel::cli {

// The commands that work on documents alone.
int RunNew(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunShow(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Reads a document or throws FileError.
model::PeakTable LoadDocumentOrThrow(const std::string& path);

}  // namespace trazel::cli
