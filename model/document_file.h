#pragma once

#include <optional>
#include <string>

#include "model/peak_table.h"

// Reads the document at path into table. On failure table is left untouched
// and the result is a message for the user that names the file and says what
// is wrong. Only the bytes the layout needs are read, however large the file.
std::optional<std::string> LoadPeakTableFile(const std::string& path, PeakTable& table);

// The current layout of table as bytes.
std::string PeakTableBytes(const PeakTable& table);

// Writes the table in the current layout, whole or not at all.
std::optional<std::string> SavePeakTableFile(const std::string& path, const PeakTable& table);
