#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/peak_table.h"
#include "output/point_index.h"

namespace trazel::output {

// What the large plot draws, worked out without any drawing library, so that
// the window, the command line and the tests get the very same numbers.

// The x at which the curves are evaluated between lo and hi (in either
// order): columns + 1 evenly spaced values from the lower to the upper end,
// so that every device pixel gets one, and the centre of every band that lies
// in the interval, so that a band narrower than a pixel still shows its true
// height. Ascending, without repeats. Nothing for an empty or non-finite
// interval or fewer than one column.
std::vector<double> PlotSampleXs(const model::PeakTable& table, bool useScaled, double lo,
                                 double hi, int columns);

// One band drawn by itself: its index in the table and its values at xs.
struct BandCurve {
    int index = 0;
    std::vector<double> y;
};

// The sum of every band and each band marked for separate display, sampled at
// xs; the values are bit for bit those of ProfileSum and PeakTerm.
struct PlotCurves {
    std::vector<double> xs;
    std::vector<double> sum;
    std::vector<BandCurve> bands;
};
PlotCurves SamplePlotCurves(const model::PeakTable& table, std::int32_t lineShape, bool useScaled,
                            double lo, double hi, int columns);

// The largest finite value of the sum at the samples (for scaling a measured
// spectrum to it); 0 when there is none.
double CurvesMaximum(const PlotCurves& curves);

// How a curve is stroked: a colour as 0xRRGGBB and a dash pattern.
enum class Dash { Solid, Dashed, Dotted, DashDotted };
struct CurveStyle {
    std::uint32_t rgb = 0;
    Dash dash = Dash::Solid;
    bool operator==(const CurveStyle&) const = default;
};

// The sum is black, and a measured spectrum grey, a colour no band gets.
inline constexpr CurveStyle kSumStyle{0x000000, Dash::Solid};
inline constexpr CurveStyle kMeasuredStyle{0x8c8c8c, Dash::Solid};

// The style of the ordinal-th band drawn by itself (from 0): the seven
// colours of the Okabe-Ito palette that are not black, which people with any
// common colour vision deficiency can tell apart, then the same colours again
// dashed, dotted and dash-dotted.
CurveStyle BandStyle(int ordinal);

// The legend's name for band k: its position, or its scaled position when the
// bands are centred there, written as the form writes the graph's limits.
std::string BandLegendLabel(const model::PeakTable& table, int k, bool useScaled);

// A measured spectrum cut down to what a plot columns pixels wide can show
// between lo and hi: for each run of points that falls in one pixel column,
// its lowest and its highest point, in the order they come; of the points
// outside the interval only those next to one inside it or on the other side
// of it, so that lines still run to the edges. Points with a non-finite
// coordinate are left out. The order of the points is kept.
struct ReducedPoints {
    std::vector<double> x;
    std::vector<double> y;
};

// index, when it describes x and y, spares reading every point.
ReducedPoints ReducePerColumn(std::span<const double> x, std::span<const double> y, double lo,
                              double hi, int columns, const PointIndex* index = nullptr);

// The largest finite y of the points whose x lies between lo and hi (in
// either order); 0 when none does.
double MaximumInView(std::span<const double> x, std::span<const double> y, double lo, double hi);

// The factor a measured spectrum's y values are drawn with: yFactor, or, when
// scaling to the model, the one that makes its maximum in view that of the
// model (1 when either maximum is not positive).
double MeasuredDrawFactor(double yFactor, bool scaleToModelMaximum, double modelMaximum,
                          double measuredMaximum);

}  // namespace trazel::output
