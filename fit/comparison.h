#pragma once

#include <span>
#include <string>
#include <vector>

#include "fit/band_fit.h"
#include "model/peak_table.h"

namespace trazel::fit {

// A computed band list brought onto a measured spectrum with a few values
// shared by every band, so that the calculation's relative positions and
// intensities are kept: band i is centred on a·νᵢ + b with height k·Iᵢ,
// every band has the width w (and a mixed shape the share η), over a
// polynomial baseline. A free fit of each band would lose what the
// calculation knows and, with tens of bands, seldom converge.

// One computed band: the calculation's wavenumber, its intensity (a height;
// the table's heights of bands of equal width are in the ratio of their
// areas) and its shape (never Document).
struct ComputedBand {
    double position = 0.0;
    double intensity = 0.0;
    model::BandShape shape = model::BandShape::Gaussian;
};

// The computed bands of a table: the unscaled positions and the heights, a
// band that follows the document in the shape lineShape gives it.
std::vector<ComputedBand> ComputedBandsOf(const model::PeakTable& table, std::int32_t lineShape);

struct ComparisonProblem {
    std::vector<ComputedBand> bands;
    // The measured points (y as the fit uses them) and the range that counts.
    std::vector<double> x;
    std::vector<double> y;
    double xMin = 0.0;
    double xMax = 0.0;
    // Which values vary besides a and k.
    bool fitShift = false;
    bool fitWidth = true;
    bool fitShare = true;
    Baseline baseline = Baseline::None;
    // The width to start from (or to keep), from the measured bands; 0: a
    // fortieth of the range.
    double startWidth = 0.0;
    // The share to start from for bands of a mixed shape.
    double startShare = 0.5;
    // The scale factors searched before the least squares.
    double scaleMin = 0.85;
    double scaleMax = 1.10;
    int maxIterations = 200;
};

// How well the fitted calculation reproduces the measurement, by Pearson's r.
enum class Agreement { Good, Partial, None };

struct ComparisonResult {
    // Empty on success; otherwise why there is no comparison, in Spanish
    // (marked for translation).
    std::string failure;
    bool Ok() const { return failure.empty(); }

    Estimate scale;
    Estimate shift;
    Estimate width;
    Estimate factor;
    // Free only when some band has a mixed shape and fitShare was set.
    Estimate share;
    // c0 + c1 (x - baselineCentre) + ..., as in FitResult.
    std::vector<Estimate> baseline;
    double baselineCentre = 0.0;
    // The scale factor the search over scaleMin..scaleMax found, before the
    // least squares.
    double searchedScale = 0.0;
    double rSquared = 0.0;
    // Between the measured points less the baseline and the computed bands,
    // over the range: Pearson's r and the cosine of the angle between them.
    double pearson = 0.0;
    double cosine = 0.0;
    double rss = 0.0;
    int points = 0;
    int parameters = 0;
    int iterations = 0;
    Agreement agreement = Agreement::None;
};

// The search over the scale factor and the least squares. Pure; may run on
// any thread.
ComparisonResult CompareSpectra(const ComparisonProblem& problem);

// The computed bands as the comparison placed them, one profile each.
std::vector<model::BandProfile> ComparisonProfiles(const std::vector<ComputedBand>& bands,
                                                   const ComparisonResult& result);
// The baseline of the comparison at x (0 without one).
double ComparisonBaselineAt(const ComparisonResult& result, double x);
// The bands alone at x, and the bands over the baseline.
double ComparisonBandsAt(const std::vector<model::BandProfile>& profiles, double x);

// The verdict in words, for people: how well the calculation reproduces the
// measurement, with r.
std::string AgreementText(const ComparisonResult& result);

}  // namespace trazel::fit
