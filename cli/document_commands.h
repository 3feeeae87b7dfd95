#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/peak_table.h"

// The commands that work on documents alone.
int RunNew(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunShow(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Reads a document or throws FileError.
PeakTable LoadDocumentOrThrow(const std::string& path);
