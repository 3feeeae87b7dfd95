#pragma once

#include <span>

namespace trazel::fit {

// Whether a fit's residual holds more than noise at the scale of its bands: a
// band left out of the model, or a line shape that does not suit the data.
//
// The residual is smoothed by a running mean over m points, m the bands'
// typical width in points (at least 13). Noise alone leaves little after that:
// its expected variance, worked out from the noise's own variance and
// autocorrelation at lags 1 to 6 (measured on the residual less its smoothed
// part, so that a slow structure does not pass for noise), is
// (1/m²) Σ_{|k|≤6} (m − |k|) γ_k. Measuring the correlation keeps noise that
// an instrument smoothed over a few points from passing for structure; a band
// left out is wider than the lags measured and survives the smoothing whole.
// The figure is the variance left after smoothing over the variance noise
// would leave. With about N/m independent windows, noise gives a figure near 1
// with a spread of about √(2m/N); the test fires above 1 + 5√(2m/N), divided
// by 1 − 2√((2 + 4·6)/N) for the error of the measured correlation, so that
// correct fits raise no false alarm.
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
