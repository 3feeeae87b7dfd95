#pragma once

#include <gtest/gtest.h>

#include "analysis/analysis.h"
#include "fit/fit_report.h"
#include "tests/support/peak_tables.h"
#include "tests/support/sole_fit.h"
#include "tests/support/synthetic_spectrum.h"

namespace trazel::analysis {

inline const trazel::model::PeakTable kFittedGuess = TableOf({{31, 0.9, 9}, {41, 0.55, 9}});

// An analysis with every part set: a spectrum fitted with a baseline of the
// kind given, the settings, the titles, and a record of a later version.
inline Analysis FittedAnalysis(fit::Baseline baseline = fit::Baseline::Constant) {
    const SyntheticSpectrum made =
        MakeSpectrum(TableOf({{30, 1, 8}, {42, 0.5, 10}}), {.baseline = 0.02}, 0.005, 3);
    MeasuredData measured = MeasuredFrom(
        {.x = made.x,
         .y = made.y,
         .header = {.title = "medido", .yUnits = "ABSORBANCE", .yKind = model::YUnit::Absorbance}},
        "/datos/medido.txt");
    measured.transform = {.y = input::YChange::AbsorbanceToTransmittance,
                          .laserNm = 532,
                          .negate = true,
                          .yFactor = 0.5};
    Retransform(measured);
    Analysis analysis;
    analysis.measured = measured;
    analysis.fitSettings.baseline = baseline;
    analysis.fitSettings.heldBands = {2};
    analysis.fitSettings.xMin = 5.0;
    fit::FitProblem problem;
    problem.table = kFittedGuess;
    problem.x = made.x;
    problem.y = made.y;
    problem.xMin = 0;
    problem.xMax = 100;
    problem.baseline = baseline;
    FitRecord record;
    record.settings = analysis.fitSettings;
    record.xMax = 100;
    record.result = trazel::fit::FitBands(problem);
    EXPECT_TRUE(record.result.Ok()) << FailureText(record.result);
    analysis.regions = {RegionOf(record)};
    analysis.axisTitles = AxisTitles{"Número de onda", "Absorbancia"};
    analysis.peakSearch = PeakSearchSettings{.window = 21,
                                             .order = 3,
                                             .minProminence = 0.1,
                                             .minDistance = 4.0,
                                             .shoulders = true,
                                             .maxBands = 7};
    analysis.keptRecords = {{77, "de una versión futura"}};
    return analysis;
}

}  // namespace trazel::analysis
