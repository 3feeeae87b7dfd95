#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace trazel::fit {

// The noise of a measured spectrum, estimated from the data alone so that a
// fit's residual can be weighed against it.
//
// Each point is compared with the quintic through its three neighbours on
// either side (weights 3/4, −3/10, 1/20): the difference cancels any
// polynomial up to the fifth degree, so a band twenty points wide leaks less
// than a ten-thousandth of its height into it, and it is the noise alone that
// remains. Its spread, from the median absolute deviation so that the few
// points where a sharp band still leaks through do not count, is the noise's
// times a gain fixed by the stencil: 2.31 for white noise.
//
// Noise smoothed by the instrument, by interpolation or by apodization is
// correlated over a few points, which the stencil partly cancels as it
// cancels the bands: the gain falls (to 0.25 for a running mean over five
// points) and white noise's gain would underestimate it three times over.
// With the stencil's points spaced l apart, noise correlated over fewer than
// l points is white to it again: the spread rises with l up to the span of
// the correlation and stays there. The first spacing after which it rises
// by less than a quarter at the next and less than twofold at the two after
// (a band leaking into the widest stencils) is taken; without one, the
// largest spread up to 11 points, which errs towards more noise.
struct NoiseEstimate {
    // The noise's standard deviation in the units of y; 0 for too few points.
    double sigma = 0.0;
    // The running mean, in points, that the noise looks smoothed by (1: white).
    int span = 1;
};

// y: evenly spaced values in order of x.
NoiseEstimate EstimateNoise(std::span<const double> y);

// What a fit's residual holds beyond the noise. The numbers are stored in
// documents: a kind is never renumbered, and a new one takes the next.
enum class ResidualKind : std::uint32_t {
    NotJudged = 0,    // too few points, or a document of a version without it
    Noise = 1,        // the residual's size is that of the noise
    MissingBand = 2,  // a feature of the size of a band where the model has none
    LineShape = 3,    // the same even pattern under every band
    Excess = 4,       // above the noise, in no band's form (a background left out)
    Last = Excess,
};

// A fitted band as the verdict sees it: centre, height and full width at
// half maximum in the units of the data.
struct BandAt {
    double centre = 0.0;
    double height = 0.0;
    double width = 0.0;
};

// The verdict on a residual, as codes and values: the words are made from
// them in one place (fit/fit_report.h).
struct ResidualVerdict {
    ResidualKind kind = ResidualKind::NotJudged;
    // The noise estimate of the data in the fitted range and the span it
    // looks smoothed over.
    double noise = 0.0;
    int noiseSpan = 1;
    // The residual's RMS over the noise, and the most noise gives.
    double ratio = 0.0;
    double ratioLimit = 0.0;
    // The largest feature of the smoothed residual with the bands' sign:
    // where, how high (units of y), how wide (FWHM in x) and its height in
    // percent of the tallest band. Zero when there is none.
    double featureX = 0.0;
    double featureHeight = 0.0;
    double featureWidth = 0.0;
    double featurePercent = 0.0;

    bool Judged() const { return kind != ResidualKind::NotJudged; }
    // Whether the verdict tells of a model that misses something.
    bool Fires() const { return Judged() && kind != ResidualKind::Noise; }
};

// x ascending and evenly spaced; y the data and residual the data minus the
// fitted curve at those points; parameters, the fit's free values; gaussian,
// whether the bands were fitted as Gaussians (otherwise as Lorentzians).
ResidualVerdict JudgeResidual(std::span<const double> x, std::span<const double> y,
                              std::span<const double> residual, const std::vector<BandAt>& bands,
                              int parameters, bool gaussian);

// Schwarz's information criterion of a least-squares fit of n points with p
// free values and residual sum of squares rss: n ln(rss/n) + p ln n. A band
// added is kept only if it lowers it.
double InformationCriterion(double rss, int points, int parameters);

}  // namespace trazel::fit
