#pragma once

#include <random>
#include <vector>

#include "analysis/analysis.h"
#include "model/peak_table.h"
#include "tests/support/synthetic_spectrum.h"

// A computed band list and a "measured" spectrum drawn from it with a known
// scale factor, shift, width and intensity factor, for the comparison of the
// two. The computed wavenumbers sit on a jittered grid, at least 30 apart,
// so that each measured band has one computed band to be.
struct ComputedTruth {
    double scale = 0.965;
    double shift = 0.0;
    double width = 12.0;
    double factor = 0.01;
    double noise = 0.004;
    // Every how many computed bands one is left out of the measurement (0:
    // none), and how many measured bands no computed band gives.
    int missingEvery = 0;
    int extra = 0;
    // Draw the measurement from another list altogether.
    bool unrelated = false;
};

inline trazel::model::PeakTable ComputedList(unsigned seed, int count = 24) {
    std::mt19937_64 generator(seed);
    std::uniform_real_distribution<double> jitter(-8.0, 8.0);
    std::uniform_real_distribution<double> height(10.0, 100.0);
    trazel::model::PeakTable table;
    for (int i = 0; i < count; ++i) {
        const double position = 560.0 + 52.0 * i + jitter(generator);
        table.bands.push_back({.position = position,
                               .scale = 1.0,
                               .scaledPosition = position,
                               .intensity = height(generator),
                               .width = 10.0});
    }
    return table;
}

// The measured table: the computed one as the truth places it, less the
// bands left out, plus extra bands halfway between two computed ones.
inline trazel::model::PeakTable MeasuredTable(const trazel::model::PeakTable& computed,
                                              const ComputedTruth& truth, unsigned seed) {
    const trazel::model::PeakTable source =
        truth.unrelated ? ComputedList(seed + 1000, computed.PeakCount()) : computed;
    trazel::model::PeakTable measured;
    for (int i = 0; i < source.PeakCount(); ++i) {
        if (truth.missingEvery > 0 && i % truth.missingEvery == truth.missingEvery - 1) {
            continue;
        }
        const trazel::model::Peak& band = source.bands[static_cast<std::size_t>(i)];
        const double position =
            truth.unrelated ? band.position : truth.scale * band.position + truth.shift;
        measured.bands.push_back({.position = position,
                                  .scale = 1.0,
                                  .scaledPosition = position,
                                  .intensity = truth.factor * band.intensity,
                                  .width = truth.width});
    }
    for (int e = 0; e < truth.extra; ++e) {
        const auto i = static_cast<std::size_t>(3 + 7 * e);
        const double position =
            truth.scale * 0.5 * (computed.bands[i].position + computed.bands[i + 1].position) +
            truth.shift;
        measured.bands.push_back({.position = position,
                                  .scale = 1.0,
                                  .scaledPosition = position,
                                  .intensity = 0.6,
                                  .width = truth.width});
    }
    return measured;
}

// An analysis holding the measured spectrum, 400 to 1900 in steps of 1.
inline trazel::analysis::Analysis MeasuredAnalysis(const trazel::model::PeakTable& measured,
                                                   double noise, unsigned seed) {
    const SyntheticSpectrum made =
        MakeSpectrum(measured, {.xMin = 400.0, .xMax = 1900.0, .points = 1501}, noise, seed);
    trazel::analysis::Analysis analysis;
    analysis.measured = trazel::analysis::MeasuredFrom(
        {.x = made.x, .y = made.y, .header = {.title = "medido"}}, "/datos/medido.txt");
    return analysis;
}
