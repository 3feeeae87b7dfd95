#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "fit/band_fit.h"
#include "fit/comparison.h"
#include "model/line_shapes.h"

namespace trazel::analysis {

// How the document's band list, taken as computed, is compared with its
// measured spectrum, as the dialog and trazel-cli compare pose it.
struct ComparisonSettings {
    // A limit not set is the data's own.
    std::optional<double> xMin;
    std::optional<double> xMax;
    bool shift = false;
    bool width = true;
    bool share = true;
    fit::Baseline baseline = fit::Baseline::None;
    bool operator==(const ComparisonSettings&) const = default;
};

// One row of the assignment: a computed band and the measured band it is
// matched to, or either alone.
struct AssignmentRow {
    // The band's number in the table (from 1); 0 for a measured band that
    // no computed band matches.
    int band = 0;
    double computed = 0.0;
    double scaled = 0.0;
    double intensity = 0.0;
    // Whether a measured band goes with it; without one the values below
    // are 0.
    bool matched = false;
    double measured = 0.0;
    double measuredIntensity = 0.0;
    // measured - scaled, in the units of x and in % of measured.
    double deviation = 0.0;
    double percent = 0.0;
    // The scale factor that would put this band alone on its measured one:
    // (measured - shift) / computed.
    double bandScale = 0.0;
    bool operator==(const AssignmentRow&) const = default;
};

// A comparison as the document keeps it: how it was posed, over which range
// and with which bands (the calculation's wavenumbers and heights, kept
// even once "Aplicar" has moved the table's positions), what came out, and
// which band is which.
struct ComparisonRecord {
    ComparisonSettings settings;
    double xMin = 0.0;
    double xMax = 0.0;
    std::int32_t lineShape = model::Gaussian;
    std::vector<fit::ComputedBand> bands;
    fit::ComparisonResult result;
    // Pairs closer than this (in x) may be matched.
    double tolerance = 0.0;
    // The computed bands in table order, then the measured bands left alone.
    std::vector<AssignmentRow> rows;
};

}  // namespace trazel::analysis
