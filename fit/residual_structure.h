#pragma once

#include <span>

namespace trazel::fit {

// Whether a fit's residual holds more than noise at the scale of its bands: a
// band left out of the model, or a line shape that does not suit the data.
//
// A variance ratio: the residual is smoothed by running means over a short
// window of 5 points and over a longer one of m points. Noise, white or
// smoothed by the instrument over a few points, is correlated over a few lags
// only, so both means hold its long-run variance S: about S/5 and S/m. The
// figure, the variance over m divided by (variance over 5) · 5/m, is near 1
// for noise (1.4 for noise smoothed over five points, whose correlation the
// short window does not hold whole) and grows up to m/5 for a structure wider
// than the short window, which keeps its size after smoothing while noise
// shrinks: a band left out, or a line shape that does not suit. m runs from
// 21 points, doubling, up to the bands' typical width (at most a quarter of
// the points), and the window whose figure stands highest over its limit,
// 1.5 + 5√(2(m + 5)/n) (five spreads of the ratio over the n/m windows), is
// the one reported. Thousands of noise draws of every kind stay under it.
struct StructureTest {
    double figure = 0.0;
    // 0 when the residual is too short to judge (fewer than 4m points).
    double limit = 0.0;
    int window = 0;

    bool Fires() const { return limit > 0.0 && figure > limit; }
};

// residual by ascending x, evenly spaced; bandWidthPoints, the bands' typical
// full width at half maximum in points.
StructureTest ResidualStructure(std::span<const double> residual, double bandWidthPoints);

}  // namespace trazel::fit
