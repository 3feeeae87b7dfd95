#pragma once

#include "platform/cdc.h"

namespace trazel::output {

// How a value is placed in a graph frame that the screen graph and the
// printed report share: values between low and high go to
// baseRow + direction * ceil((v - low) * height / (high - low)); values above
// the band move the pen to aboveRow, everything else (below, not a number)
// to belowRow.
struct BandMapping {
    double low = 0.0;
    double high = 0.0;
    double height = 0.0;
    int baseRow = 0;
    int direction = 0;
    int aboveRow = 0;
    int belowRow = 0;
};

// Plots one value at column x: a line from the pen (joined) or a black pixel
// (dots) when it lies in the band, a pen move otherwise.
void PlotInBand(platform::CDC& dc, const BandMapping& band, bool joinPoints, int x, double v);

}  // namespace trazel::output
