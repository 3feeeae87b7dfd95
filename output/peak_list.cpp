#include "output/peak_list.h"

#include "platform/number_format.h"
#include "platform/translation.h"

using namespace trazel::platform;
using namespace trazel::model;

namespace trazel::output {

// Marked for the window's list, which translates them; trazel-cli prints them
// as they are, in the heading line of a table that scripts read.
const std::array<const char*, kPeakListColumns> kPeakListHeadings = {
    TRAZEL_TR_NOOP("PeakList", "Máximo"),  TRAZEL_TR_NOOP("PeakList", "Escala"),
    TRAZEL_TR_NOOP("PeakList", "Máx*Esc"), TRAZEL_TR_NOOP("PeakList", "Intensidad"),
    TRAZEL_TR_NOOP("PeakList", "Anchura"), TRAZEL_TR_NOOP("PeakList", "R")};

std::array<std::string, kPeakListColumns> PeakListCells(const PeakTable& table, int index) {
    return {FormatG(table.position[index], 9),       FormatG(table.scale[index], 9),
            FormatG(table.scaledPosition[index], 9), FormatG(table.intensity[index], 9),
            FormatG(table.width[index], 9),          table.separate[index] != 0 ? "s" : "n"};
}

}  // namespace trazel::output
