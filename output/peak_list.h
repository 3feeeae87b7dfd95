#pragma once

#include <array>
#include <string>

#include "model/peak_table.h"

namespace trazel::output {

// The texts of the peak list: the six column headings and, for one peak, the
// six cells ("%.9g" numbers and "s" or "n" for the separate-display flag).
inline constexpr int kPeakListColumns = 6;
extern const std::array<const char*, kPeakListColumns> kPeakListHeadings;

std::array<std::string, kPeakListColumns> PeakListCells(const model::PeakTable& table, int index);

// The column a list adds only for a table where some band has a shape of its
// own: its heading, and for one band its shape ("g", "l", "pv", "v", "doc")
// followed by the share of a mixed one ("pv 0.35").
extern const char* const kPeakShapeHeading;
std::string PeakShapeCell(const model::PeakTable& table, int index);

}  // namespace trazel::output
