#include "output/band_plot.h"

#include <cmath>

using namespace trazel::platform;

namespace trazel::output {

namespace {

// The offset from the base row of a value already known to lie in the band.
// With equal limits the value sits on the base row instead of dividing zero
// by zero. A range too wide for a double, or rounding in the quotient, could
// push the offset out of the frame or make it not a number; it is held to
// the frame's height so that the drawing never leaves the frame.
int BandOffset(const BandMapping& band, double v) {
    if (band.high == band.low) {
        return 0;
    }
    const double q = ((v - band.low) * band.height) / (band.high - band.low);
    const double r = std::ceil(q);
    if (!(r > 0.0)) {
        return 0;
    }
    if (r > band.height) {
        return static_cast<int>(band.height);
    }
    return static_cast<int>(r);
}

}  // namespace

void PlotInBand(CDC& dc, const BandMapping& band, bool joinPoints, int x, double v) {
    if (v >= band.low && v <= band.high) {
        const int row = band.baseRow + band.direction * BandOffset(band, v);
        if (joinPoints) {
            dc.LineTo(x, row);
        } else {
            dc.SetPixel(x, row, 0);
        }
    } else if (v > band.high) {
        dc.MoveTo(x, band.aboveRow);
    } else {
        dc.MoveTo(x, band.belowRow);
    }
}

}  // namespace trazel::output
