#pragma once

#include <string>

#include "model/peak_table.h"
#include "platform/status.h"

namespace trazel::model {

// Reads the document at path into table. On failure table is left untouched
// and the message names the file and says what is wrong. Only the bytes the
// layout needs are read, however large the file.
platform::Status LoadPeakTableFile(const std::string& path, PeakTable& table);

// The current layout of table as bytes.
std::string PeakTableBytes(const PeakTable& table);

// Writes the table in the current layout, whole or not at all.
platform::Status SavePeakTableFile(const std::string& path, const PeakTable& table);

}  // namespace trazel::model
