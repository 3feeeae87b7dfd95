#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fit/residual_verdict.h"
#include "model/line_shapes.h"
#include "model/peak_table.h"

namespace trazel::fit {

// The bands of a table fitted to a measured spectrum by nonlinear least
// squares. Everything here is plain data and free of any window: a dialog runs
// FitBands on a worker thread with a copy of the problem and reads the result
// when it is done.

// A polynomial background under the bands, fitted along with them, of degree
// 0 (Constant) to 3 (Cubic). The numbers are stored in documents.
enum class Baseline { None, Constant, Linear, Quadratic, Cubic };

// How many coefficients the baseline has: 0 for none, degree + 1 otherwise.
inline int BaselineTerms(Baseline baseline) {
    return static_cast<int>(baseline);
}

// Which of a band's values the fit may change; a held one keeps the
// table's value. The share counts only for a band of a mixed shape
// (pseudo-Voigt or Voigt).
struct Freedom {
    bool position = true;
    bool intensity = true;
    bool width = true;
    bool share = true;

    bool Any() const { return position || intensity || width; }
};

struct FitProblem {
    // The guess: its bands are the model, its values the starting point.
    model::PeakTable table;
    std::int32_t lineShape = model::Gaussian;
    // With scaled positions each band is centred on position * scale, and it
    // is the position that varies.
    bool useScaled = false;
    // By band number, as the table numbers its bands ([0] unused): all free
    // unless changed.
    std::array<Freedom, model::kMaxPeakSlots> freedom{};
    Baseline baseline = Baseline::None;
    // Intensities are kept at or above 0 unless this is set. Whatever it
    // says, widths stay between half the sampling step and the width of the
    // range, and positions within the range.
    bool allowNegative = false;
    // The measured points as they are fitted, in any order: a y that is NaN
    // leaves its point out, an infinite one makes the data too large. y is
    // already multiplied by yFactor, which the fit only checks and names in
    // its messages.
    std::vector<double> x;
    std::vector<double> y;
    double yFactor = 1.0;
    // Only the points with xMin <= x <= xMax take part.
    double xMin = 0.0;
    double xMax = 0.0;
    int maxIterations = 500;
};

// Why a fit gave no result.
enum class FitFailure {
    None,
    BadInput,         // a band or a setting that no fit can start from
    TooFewPoints,     // no more points in the range than free parameters
    NoFreeParameter,  // everything held and no baseline
    Singular,         // a band without data under it, two identical bands...
    NoConvergence,    // the iterations ran out or went astray
    Stopped,          // the progress callback asked to stop
    NotFinite,        // a sum of squares, a value or an error beyond a double
    Undetermined,     // data without variance, a band without signal, an error
                      // wider than the fitted range: no result worth reporting
};

// What a failed fit's sentence says, one reason per sentence; the values it
// names travel with it in FitFailureDetail and FailureText
// (fit/fit_report.h) words it in the language the program shows. Failures
// are never stored, so the numbers are free to change.
enum class FailureReason {
    None,
    // The problem as given (FitFailure::BadInput).
    UnequalLengths,     // not as many x as y
    BadYFactor,         // a factor of y that is 0 or not finite
    EmptyRange,         // xMin > xMax
    BadTable,           // more bands than a table holds
    BadIterationLimit,  // fewer than 1 iteration allowed
    BandNotFinite,      // a band's value that is not finite
    BandWidthNotPositive,
    OutOfMemory,  // too many points for the memory there is
    // The model against the points.
    NothingFree,        // FitFailure::NoFreeParameter
    TooFewPoints,       // FitFailure::TooFewPoints
    BandWithoutPoints,  // FitFailure::Singular: a band with no point near it
    IdenticalBands,     // FitFailure::Singular: two bands at one centre and width
    Singular,           // FitFailure::Singular: the normal equations
    // The data and the start.
    DataTooLarge,   // FitFailure::NotFinite: the sum of squares of y
    FlatData,       // FitFailure::Undetermined: y that do not vary
    StartTooLarge,  // FitFailure::NotFinite: the sum of squares at the start
    // The iterations.
    NoConvergence,       // FitFailure::NoConvergence
    IterationNotFinite,  // FitFailure::NotFinite: the sum after an iteration
    Stopped,             // FitFailure::Stopped
    // The values the iterations end at and the result they give.
    BandResultNotFinite,        // FitFailure::NotFinite: a band's value
    BaselineResultNotFinite,    // FitFailure::NotFinite: a baseline value
    BandEstimateNotFinite,      // FitFailure::NotFinite: a band's value or error
    BaselineEstimateNotFinite,  // FitFailure::NotFinite
    FinalSumNotFinite,          // FitFailure::NotFinite
    FitSumTooLarge,             // FitFailure::NotFinite: the sum in the units of y
    NoSignal,                   // FitFailure::Undetermined: a band's intensity
    ValueNotFixed,              // FitFailure::Undetermined: a position or a width
};

// Which of a band's values a failure names.
enum class BandValue { Position, Intensity, Width, Area };

// A failure and what its sentence names; only the values its reason names
// are set.
struct FitFailureDetail {
    FailureReason reason = FailureReason::None;
    // The band named, by its position in the problem's table (the table's
    // band number means nothing to the user once bands are added), and
    // which of its values.
    double band = 0.0;
    BandValue value = BandValue::Position;
    // The range of x fitted, as the problem gave it.
    double xMin = 0.0;
    double xMax = 0.0;
    // The factor of y, named only when it is not 1.
    double yFactor = 1.0;
    // A measured y: the one all are equal to, or the largest in size.
    double y = 0.0;
    // A fitted value and its standard error.
    double estimate = 0.0;
    double error = 0.0;
    // The span of x the points fitted cover.
    double span = 0.0;
    int iterations = 0;
    int points = 0;
    int freeValues = 0;
};

// A fitted or held value. error is the standard error of a free value (the
// covariance scaled by the residual variance), 0 for a held one, and 0 for a
// free one that ended at one of its bounds (atBound), where the covariance is
// not defined, or that the data no longer fix (undetermined: the position
// and width of a band whose intensity ended at 0).
struct Estimate {
    double value = 0.0;
    double error = 0.0;
    bool free = false;
    bool atBound = false;
    bool undetermined = false;

    // A free value with an error worth showing.
    bool HasError() const { return free && !atBound && !undetermined; }
};

struct FittedBand {
    // The band's number in the table (from 1).
    int index = 0;
    Estimate position;
    Estimate intensity;
    // The full width at half maximum; fitted through its logarithm so that it
    // stays positive, its error carried back to the width itself.
    Estimate width;
    // The Lorentzian share of a band of mixed shape, between 0 and 1; held
    // at the table's value (and not free) for any other shape.
    Estimate share;
    // The band's area: 1.0645 * height * width for a Gaussian, pi/2 * height *
    // width for a Lorentzian, the exact area of a mixed shape
    // (model::BandArea). Free when the intensity or the width is.
    Estimate area;
};

// Why the iterations ended. Documents store the number: a reason is never
// renumbered, and a new one takes the next.
enum class StopReason : std::uint32_t {
    // Read from a document of a version whose words this one does not know;
    // FitResult::stopWords keeps them.
    Unknown = 0,
    AlreadyAtMinimum = 1,  // not one step from the start lowered the sum
    ValuesSettled = 2,     // the relative step fell below 1e-10
    FlatGradient = 3,      // the gradient is practically zero
    SumSettled = 4,        // the sum of squares no longer goes down
    Last = SumSettled,
};

struct FitResult {
    FitFailure failure = FitFailure::None;
    // Why there is no result, with the values that tell it; FailureText
    // (fit/fit_report.h) words it for people. Reason None on success.
    FitFailureDetail detail;

    bool Ok() const { return failure == FitFailure::None; }

    // The rest is set only on success.

    // The problem's table with the fitted values written in, scaled
    // positions recomputed; every other field as it was.
    model::PeakTable table;
    // One entry per band, in ascending index order.
    std::vector<FittedBand> bands;
    // The baseline as c0 + c1 (x - xc) + c2 (x - xc)² + c3 (x - xc)³ with xc
    // the centre of the points fitted, so that c0 is its value in the middle
    // of the data and the coefficients are nearly independent: one estimate
    // per coefficient, none without a baseline.
    std::vector<Estimate> baseline;
    double baselineCentre = 0.0;
    // The constant and the slope of the same baseline in powers of x, as
    // documents of earlier versions keep it; the full polynomial in powers of
    // x has more terms for a parabola or a cubic.
    Estimate baselineConstant;
    Estimate baselineSlope;
    double rss = 0.0;
    // 1 - rss / (total sum of squares about the mean). Data whose y are all
    // the same give no result, so it is always a number.
    double rSquared = 0.0;
    int points = 0;
    int parameters = 0;
    int iterations = 0;
    // Why the iterations ended; StopReasonText (fit/fit_report.h) words it
    // for people, StopReasonWords for programs and documents.
    StopReason stop = StopReason::Unknown;
    // The words a document gave for a stop this version knows no number for,
    // shown and written back as they came; empty otherwise.
    std::string stopWords;
    // rss / (points - parameters).
    double reducedChiSquare = 0.0;
    // The test of the residual for structure at the scale of the bands
    // (ResidualStructure of fit/residual_structure.h): its figure, the limit
    // above which it fires, and whether it did. A limit of 0 means the
    // residual was too short to judge.
    double structure = 0.0;
    double structureLimit = 0.0;
    bool structured = false;
    // What the residual holds weighed against the noise of the data
    // (JudgeResidual of fit/residual_verdict.h); not judged in a result read
    // from a document of a version without it.
    ResidualVerdict residual;

    // Whether a fitted value ended at one of its bounds.
    bool AtBounds() const;
};

// Reported after each iteration on the thread that runs the fit: the
// iteration (from 1) and the residual sum of squares it reached. Returning
// false stops the fit, which then fails with FitFailure::Stopped.
using FitProgress = std::function<bool(int iteration, double rss)>;

// Levenberg-Marquardt with a trust region (GSL's multilarge solver, fed the
// normal equations assembled from the points near each band). Pure: it reads
// only the problem and may run on any thread; concurrent fits are fine.
FitResult FitBands(const FitProblem& problem, const FitProgress& progress = {});

// The fitted baseline at x (0 when the problem had none).
double BaselineAt(const FitResult& result, double x);

// The coefficients of a baseline c0 + c1 (x - centre) + ... in powers of x:
// element i multiplies x^i.
std::vector<double> PowersOfX(const std::vector<double>& aboutCentre, double centre);

// The fitted curve at x: the sum of the fitted bands plus the baseline,
// for drawing it and its residual.
double FittedCurveAt(const FitResult& result, std::int32_t lineShape, bool useScaled, double x);

}  // namespace trazel::fit
