#include "output/peak_list.h"

#include "platform/number_format.h"

using namespace trazel::platform;
using namespace trazel::model;

namespace trazel::output {

const std::array<const char*, kPeakListColumns> kPeakListHeadings = {
    "Máximo", "Escala", "Máx*Esc", "Intensidad", "Anchura", "R"};

std::array<std::string, kPeakListColumns> PeakListCells(const PeakTable& table, int index) {
    return {FormatG(table.position[index], 9),       FormatG(table.scale[index], 9),
            FormatG(table.scaledPosition[index], 9), FormatG(table.intensity[index], 9),
            FormatG(table.width[index], 9),          table.separate[index] != 0 ? "s" : "n"};
}

}  // namespace trazel::output
