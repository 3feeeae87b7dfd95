#include "output/peak_list.h"

#include "model/line_shapes.h"
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

const char* const kPeakShapeHeading = TRAZEL_TR_NOOP("PeakList", "Forma");

std::string PeakShapeCell(const PeakTable& table, int index) {
    const Peak& band = table.Band(index);
    std::string cell = ShapeCode(band.shape);
    if (IsMixed(band.shape)) {
        cell += ' ' + FormatG(band.share, 6);
    }
    return cell;
}

std::array<std::string, kPeakListColumns> PeakListCells(const PeakTable& table, int index) {
    return {
        FormatG(table.Band(index).position, 9),       FormatG(table.Band(index).scale, 9),
        FormatG(table.Band(index).scaledPosition, 9), FormatG(table.Band(index).intensity, 9),
        FormatG(table.Band(index).width, 9),          table.Band(index).separate != 0 ? "s" : "n"};
}

}  // namespace trazel::output
