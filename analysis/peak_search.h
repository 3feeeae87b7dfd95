#pragma once

#include <functional>
#include <optional>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/analysis.h"

namespace trazel::analysis {

// The least and most points of a smoothing window, and the highest order.
inline constexpr int kMinSmoothWindow = 3;
inline constexpr int kMaxSmoothWindow = 1001;
inline constexpr int kMaxSmoothOrder = 6;

// Why the settings cannot be used, in Spanish; empty when they can.
std::string PeakSearchSettingsProblem(const PeakSearchSettings& settings);

struct FoundBand {
    double position = 0.0;
    // Above the base the prominence is measured from, or above the baseline.
    double intensity = 0.0;
    // The full width at half the intensity.
    double width = 0.0;
    // Zero for a shoulder, which is no maximum.
    double prominence = 0.0;
    bool shoulder = false;
};

struct PeakSearchResult {
    // The strongest first.
    std::vector<FoundBand> bands;
    // The values the search used, every one set.
    PeakSearchSettings used;
    // The x range searched and how many points it holds.
    double xMin = 0.0;
    double xMax = 0.0;
    std::size_t points = 0;
    // The least prominence in the units of y.
    double prominenceFloor = 0.0;
};

// Finds the bands of the points x, y (any order; points that are not finite
// are left out), each y as transform.Y gives it, between xMin and xMax (either
// order; not finite: all). Each band's intensity is measured above the
// baseline where baseline gives one. Fewer than five points, or settings with a problem,
// give no band. O(n log n) in the points, and linear in the window.
PeakSearchResult FindBands(std::span<const double> x, std::span<const double> y, double xMin,
                           double xMax, const PeakSearchSettings& settings,
                           const std::function<std::optional<double>(double)>& baseline = {},
                           const MeasuredTransform& transform = {});

// The bands of the document's measured data as the fit uses them (the factor
// applied, and above the baseline of the fit region it lies in), between xMin
// and xMax;
// nothing without a measured spectrum.
PeakSearchResult FindBands(const Analysis& analysis, double xMin, double xMax,
                           const PeakSearchSettings& settings);

}  // namespace trazel::analysis
