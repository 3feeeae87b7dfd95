#pragma once

#include <cstdint>

#include "model/peak_table.h"

namespace trazel::platform {
class CArchive;
}  // namespace trazel::platform

namespace trazel::model {

// Files written since scale factors exist begin with this number; older files
// begin with the count itself, which is never more than 100.
inline constexpr std::int32_t FILE_MAGIC = 14000;

// Writes the table in the current layout: the magic number, the count, then
// position, scale, intensity, width and separate flag of each peak.
void WritePeakTable(platform::CArchive& ar, const PeakTable& table);

// Reads either layout into a new table. A count outside 1..100 or a file that
// ends before its last record raises CArchiveException with a message for the
// user; nothing past the last record is read.
PeakTable ReadPeakTable(platform::CArchive& ar);

}  // namespace trazel::model
