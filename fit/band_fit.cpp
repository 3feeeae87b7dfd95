#include "fit/band_fit.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_multilarge_nlinear.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <new>
#include <numbers>
#include <numeric>
#include <optional>
#include <string>
#include <variant>

#include "fit/band_model.h"
#include "fit/residual_structure.h"

using namespace trazel::model;

namespace trazel::fit {

namespace {

// The solver works in units of the data (SolverUnits below), where these are
// relative to the scales of x, of y and of each value. A step smaller than
// this, relative to each parameter, ends the fit, as does a gradient this
// small; a noise-free fit then sits at its parameters to far better than a
// part in 1e8.
constexpr double kStepTolerance = 1e-10;
constexpr double kGradientTolerance = 1e-10;
// A sum of squares that falls by less than this fraction in an accepted step
// has reached the minimum as far as doubles can show it.
constexpr double kRssTolerance = 1e-14;
// Below this reciprocal condition number of the normal equations, scaled to a
// unit diagonal, the data do not tell some parameters apart.
constexpr double kSingularCondition = 1e-13;
// A fitted height below this fraction of the measured y's range is no band:
// noise-free data without it fit it to a rounding error with an error
// smaller still.
constexpr double kNoSignal = 1e-9;
// A sum of squares below this fraction of the data's is rounding alone.
constexpr double kRoundingOnly = 1e-24;
// Measured y that spread over less than this fraction of their size differ
// only by rounding.
constexpr double kFlat = 1e-12;

// The kind of failure each reason is, for the callers that tell a stop from
// a fault or offer the fit again.
FitFailure KindOf(FailureReason reason) {
    switch (reason) {
        case FailureReason::None:
            return FitFailure::None;
        case FailureReason::UnequalLengths:
        case FailureReason::BadYFactor:
        case FailureReason::EmptyRange:
        case FailureReason::BadTable:
        case FailureReason::BadIterationLimit:
        case FailureReason::BandNotFinite:
        case FailureReason::BandWidthNotPositive:
        case FailureReason::OutOfMemory:
            return FitFailure::BadInput;
        case FailureReason::NothingFree:
            return FitFailure::NoFreeParameter;
        case FailureReason::TooFewPoints:
            return FitFailure::TooFewPoints;
        case FailureReason::BandWithoutPoints:
        case FailureReason::IdenticalBands:
        case FailureReason::Singular:
            return FitFailure::Singular;
        case FailureReason::NoConvergence:
            return FitFailure::NoConvergence;
        case FailureReason::Stopped:
            return FitFailure::Stopped;
        case FailureReason::FlatData:
        case FailureReason::NoSignal:
        case FailureReason::ValueNotFixed:
            return FitFailure::Undetermined;
        case FailureReason::DataTooLarge:
        case FailureReason::StartTooLarge:
        case FailureReason::IterationNotFinite:
        case FailureReason::BandResultNotFinite:
        case FailureReason::BaselineResultNotFinite:
        case FailureReason::BandEstimateNotFinite:
        case FailureReason::BaselineEstimateNotFinite:
        case FailureReason::FinalSumNotFinite:
        case FailureReason::FitSumTooLarge:
            return FitFailure::NotFinite;
    }
    return FitFailure::BadInput;
}

FitFailureDetail Because(FailureReason reason) {
    FitFailureDetail detail;
    detail.reason = reason;
    return detail;
}

// A failure that names band k of the table by its position.
FitFailureDetail AboutBand(FailureReason reason, const PeakTable& table, int k) {
    FitFailureDetail detail = Because(reason);
    detail.band = table.Band(k).position;
    return detail;
}

FitFailureDetail InRange(FailureReason reason, const FitProblem& problem) {
    FitFailureDetail detail = Because(reason);
    detail.xMin = problem.xMin;
    detail.xMax = problem.xMax;
    return detail;
}

FitFailureDetail AfterIterations(FailureReason reason, int iterations) {
    FitFailureDetail detail = Because(reason);
    detail.iterations = iterations;
    return detail;
}

FitResult Failed(const FitFailureDetail& detail) {
    FitResult result;
    result.failure = KindOf(detail.reason);
    result.detail = detail;
    return result;
}

// The points inside the range, in ascending x.
struct Points {
    std::vector<double> x;
    std::vector<double> y;
};

Points PointsInRange(const FitProblem& problem) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < problem.x.size(); ++i) {
        const double x = problem.x[i];
        if (std::isfinite(x) && !std::isnan(problem.y[i]) && x >= problem.xMin &&
            x <= problem.xMax) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return problem.x[a] < problem.x[b]; });
    Points points;
    points.x.reserve(order.size());
    points.y.reserve(order.size());
    for (const std::size_t i : order) {
        points.x.push_back(problem.x[i]);
        points.y.push_back(problem.y[i]);
    }
    return points;
}

// The units the solver works in: x less the centre of the points, over a
// power of two near half their span, and y over a power of two near the
// largest |y|. GSL's tests of the step, of the gradient and of the sum of
// squares, and the bounds' margins, all mix absolute and relative sizes (its
// gradient test floors the sum of squares at 1); in these units they mean
// the same for a spectrum in any unit, for y × 1e-200 as for y × 1e200, and
// for x far from 0, where a relative step of 1e-10 of a position near 1e9
// would be a tenth of a point. Dividing by powers of two changes no digit,
// so that a fit of y × 2ᵏ is bit for bit the fit of y.
struct SolverUnits {
    double x0 = 0.0;
    double sx = 1.0;
    double sy = 1.0;

    double X(double x) const { return (x - x0) / sx; }
    // A band's position, when its centre is position · scale, and back.
    double Position(double position, double scale) const { return (position - Offset(scale)) / sx; }
    double PositionBack(double position, double scale) const {
        return position * sx + Offset(scale);
    }
    // x0 on the scale of positions (0 for a scale of 0, when x0 is 0).
    double Offset(double scale) const { return x0 == 0.0 ? 0.0 : x0 / scale; }
};

double PowerOfTwoNear(double size) {
    return std::isfinite(size) && size > 0.0 ? std::ldexp(1.0, std::ilogb(size)) : 1.0;
}

SolverUnits UnitsOf(const FitProblem& problem, const Points& points) {
    SolverUnits units;
    if (points.x.empty()) {
        return units;
    }
    double largest = 0.0;
    for (const double y : points.y) {
        largest = std::max(largest, std::fabs(y));
    }
    units.sy = PowerOfTwoNear(largest);
    units.sx = PowerOfTwoNear(0.5 * points.x.back() - 0.5 * points.x.front());
    // A band on scaled positions with a scale of 0 sits at x = 0 whatever
    // its position, which only an unshifted x keeps.
    bool zeroScale = false;
    for (int k = 1; k <= problem.table.PeakCount(); ++k) {
        zeroScale = zeroScale || (problem.useScaled && problem.table.Band(k).scale == 0.0);
    }
    units.x0 = zeroScale ? 0.0 : 0.5 * (points.x.front() + points.x.back());
    if (!std::isfinite(units.x0)) {
        units.x0 = 0.5 * points.x.front() + 0.5 * points.x.back();
    }
    return units;
}

// The problem in the solver's units, without its points (the model reads
// only the bands and the settings).
FitProblem InSolverUnits(const FitProblem& problem, const SolverUnits& units) {
    FitProblem solver;
    solver.table = problem.table;
    solver.lineShape = problem.lineShape;
    solver.useScaled = problem.useScaled;
    solver.freedom = problem.freedom;
    solver.baseline = problem.baseline;
    solver.allowNegative = problem.allowNegative;
    solver.maxIterations = problem.maxIterations;
    PeakTable& table = solver.table;
    for (int k = 1; k <= table.PeakCount(); ++k) {
        const double scale = problem.useScaled ? table.Band(k).scale : 1.0;
        table.Band(k).position = units.Position(table.Band(k).position, scale);
        table.Band(k).scaledPosition = units.X(table.Band(k).scaledPosition);
        table.Band(k).intensity /= units.sy;
        table.Band(k).width /= units.sx;
    }
    return solver;
}

// What no fit can start from; reason None when there is nothing.
FitFailureDetail InputProblem(const FitProblem& problem) {
    if (problem.x.size() != problem.y.size()) {
        return Because(FailureReason::UnequalLengths);
    }
    if (!std::isfinite(problem.yFactor) || problem.yFactor == 0.0) {
        return Because(FailureReason::BadYFactor);
    }
    if (!(problem.xMin <= problem.xMax)) {
        return InRange(FailureReason::EmptyRange, problem);
    }
    if (problem.table.PeakCount() > kMaxPeaks) {
        return Because(FailureReason::BadTable);
    }
    if (problem.maxIterations < 1) {
        return Because(FailureReason::BadIterationLimit);
    }
    const PeakTable& table = problem.table;
    for (int k = 1; k <= table.PeakCount(); ++k) {
        const double centre =
            problem.useScaled ? table.Band(k).scaledPosition : table.Band(k).position;
        if (!std::isfinite(table.Band(k).position) || !std::isfinite(centre) ||
            !std::isfinite(table.Band(k).intensity) || !std::isfinite(table.Band(k).width)) {
            return AboutBand(FailureReason::BandNotFinite, table, k);
        }
        if (!(table.Band(k).width > 0.0)) {
            return AboutBand(FailureReason::BandWidthNotPositive, table, k);
        }
    }
    return {};
}

// A band that no data can fix, or two bands the data cannot tell apart;
// reason None when there is none.
FitFailureDetail SingularBands(const FitProblem& problem, const std::vector<double>& xs) {
    const PeakTable& table = problem.table;
    const auto centre = [&](int k) {
        return problem.useScaled ? table.Band(k).scaledPosition : table.Band(k).position;
    };
    for (int k = 1; k <= table.PeakCount(); ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (!problem.freedom[i].Any()) {
            continue;
        }
        const auto first = std::lower_bound(xs.begin(), xs.end(), centre(k) - table.Band(k).width);
        if (first == xs.end() || *first > centre(k) + table.Band(k).width) {
            return AboutBand(FailureReason::BandWithoutPoints, table, k);
        }
    }
    for (int k = 1; k <= table.PeakCount(); ++k) {
        for (int l = k + 1; l <= table.PeakCount(); ++l) {
            const Freedom& a = problem.freedom[static_cast<std::size_t>(k)];
            const Freedom& b = problem.freedom[static_cast<std::size_t>(l)];
            const bool shared =
                (a.position && b.position) || (a.intensity && b.intensity) || (a.width && b.width);
            if (shared && centre(k) == centre(l) && table.Band(k).width == table.Band(l).width) {
                return AboutBand(FailureReason::IdenticalBands, table, k);
            }
        }
    }
    return {};
}

// What the solver's callbacks reach.
struct Context {
    const BandModel* model = nullptr;
    const std::vector<double>* y = nullptr;
    std::vector<double> values;
    std::vector<double> jtu;
    std::vector<double> jtj;
    // Whether the next normal equations leave every Lorentzian share where
    // it is (HoldShares).
    bool holdShares = false;
};

// Takes the shares out of the normal equations: no gradient and no tie to
// the other values, so that the step leaves them where they are; the
// diagonal stays, and with it the solver's scale for them. The first step
// is taken so: a band that starts a good part of its width off its place
// leaves a residual the linear model reads partly as a change of shape;
// free from the start, the shares swing to their bounds and back, and the
// sine of their bound, flat there, slows them for several steps more. With
// the bands near their places after one step, the shares then go straight
// to theirs.
void HoldShares(const BandModel& model, std::vector<double>& jtu, std::vector<double>& jtj) {
    const std::size_t size = model.Size();
    for (std::size_t i = 0; i < size; ++i) {
        if (model.Parameters()[i].kind != BandModel::Kind::Share) {
            continue;
        }
        jtu[i] = 0.0;
        for (std::size_t j = 0; j < size && !jtj.empty(); ++j) {
            if (j != i) {
                jtj[i * size + j] = 0.0;
                jtj[j * size + i] = 0.0;
            }
        }
    }
}

std::vector<double> Copy(const gsl_vector* v) {
    std::vector<double> values(v->size);
    for (std::size_t i = 0; i < v->size; ++i) {
        values[i] = gsl_vector_get(v, i);
    }
    return values;
}

int Residuals(const gsl_vector* x, void* params, gsl_vector* f) {
    auto& context = *static_cast<Context*>(params);
    context.model->Values(Copy(x), context.values);
    for (std::size_t i = 0; i < f->size; ++i) {
        gsl_vector_set(f, i, context.values[i] - (*context.y)[i]);
    }
    return GSL_SUCCESS;
}

int Jacobian(CBLAS_TRANSPOSE_t transpose, const gsl_vector* x, const gsl_vector* u, void* params,
             gsl_vector* v, gsl_matrix* jtj) {
    auto& context = *static_cast<Context*>(params);
    const BandModel& model = *context.model;
    const std::vector<double> p = Copy(x);
    const std::vector<double> uValues = Copy(u);
    if (transpose == CblasNoTrans) {
        std::vector<double> ju(v->size);
        model.Apply(p, uValues, ju);
        for (std::size_t i = 0; i < v->size; ++i) {
            gsl_vector_set(v, i, ju[i]);
        }
        return GSL_SUCCESS;
    }
    const std::size_t size = model.Size();
    context.jtu.assign(size, 0.0);
    context.jtj.assign(jtj != nullptr ? size * size : 0, 0.0);
    model.NormalEquations(p, uValues, context.jtu, context.jtj);
    if (context.holdShares && jtj != nullptr) {
        HoldShares(model, context.jtu, context.jtj);
        context.holdShares = false;
    }
    for (std::size_t i = 0; i < size; ++i) {
        gsl_vector_set(v, i, context.jtu[i]);
        if (jtj != nullptr) {
            for (std::size_t j = 0; j < size; ++j) {
                gsl_matrix_set(jtj, i, j, context.jtj[i * size + j]);
            }
        }
    }
    return GSL_SUCCESS;
}

struct WorkspaceFree {
    void operator()(gsl_multilarge_nlinear_workspace* w) const { gsl_multilarge_nlinear_free(w); }
};
struct MatrixFree {
    void operator()(gsl_matrix* m) const { gsl_matrix_free(m); }
};
struct VectorFree {
    void operator()(gsl_vector* v) const { gsl_vector_free(v); }
};

double SumOfSquares(const gsl_vector* f) {
    double sum = 0.0;
    for (std::size_t i = 0; i < f->size; ++i) {
        sum += gsl_vector_get(f, i) * gsl_vector_get(f, i);
    }
    return sum;
}

// The inverse of the normal equations' matrix, or nothing when it is
// singular. Scaled first to a unit diagonal, so that parameters of very
// different sizes (a position near 1000, a log width near 1) do not pass for
// a singularity.
std::optional<std::vector<double>> Inverse(const std::vector<double>& jtj, std::size_t size) {
    std::vector<double> scale(size);
    for (std::size_t i = 0; i < size; ++i) {
        const double diagonal = jtj[i * size + i];
        if (!(diagonal > 0.0) || !std::isfinite(diagonal)) {
            return std::nullopt;
        }
        scale[i] = 1.0 / std::sqrt(diagonal);
    }
    std::unique_ptr<gsl_matrix, MatrixFree> m(gsl_matrix_alloc(size, size));
    std::unique_ptr<gsl_vector, VectorFree> work(gsl_vector_alloc(3 * size));
    for (std::size_t i = 0; i < size; ++i) {
        for (std::size_t j = 0; j < size; ++j) {
            gsl_matrix_set(m.get(), i, j, jtj[i * size + j] * scale[i] * scale[j]);
        }
    }
    double rcond = 0.0;
    if (gsl_linalg_cholesky_decomp1(m.get()) != GSL_SUCCESS ||
        gsl_linalg_cholesky_rcond(m.get(), &rcond, work.get()) != GSL_SUCCESS ||
        !(rcond > kSingularCondition) || gsl_linalg_cholesky_invert(m.get()) != GSL_SUCCESS) {
        return std::nullopt;
    }
    std::vector<double> inverse(size * size);
    for (std::size_t i = 0; i < size; ++i) {
        for (std::size_t j = 0; j < size; ++j) {
            inverse[i * size + j] = gsl_matrix_get(m.get(), i, j) * scale[i] * scale[j];
        }
    }
    return inverse;
}

FitResult NoConvergence(int iterations) {
    return Failed(AfterIterations(FailureReason::NoConvergence, iterations));
}

// Whether the residuals are at a minimum: orthogonal to every column of the
// Jacobian, up to rounding (the cosine of the angle between them, J_iᵀr over
// |J_i| |r|, tiny), or as small as rounding leaves them for exact data. A
// solver that finds no step from the start is believed only then.
bool AtMinimum(const std::vector<double>& jtu, const std::vector<double>& jtj, double rss,
               const std::vector<double>& y) {
    const double signal = std::inner_product(y.begin(), y.end(), y.begin(), 0.0);
    // Infinities compare with anything; such a start is no minimum.
    if (!std::isfinite(rss) || !std::isfinite(signal)) {
        return false;
    }
    if (rss <= kRoundingOnly * signal) {
        return true;
    }
    const std::size_t size = jtu.size();
    for (std::size_t i = 0; i < size; ++i) {
        if (std::fabs(jtu[i]) > 1e-6 * std::sqrt(jtj[i * size + i] * rss)) {
            return false;
        }
    }
    return true;
}

// What became of each parameter at the end: whether its value ended on a
// bound, or is no longer fixed by the data (the position and width of a band
// whose intensity ended at 0).
struct Ends {
    std::vector<char> atBound;
    std::vector<char> undetermined;
};

// The result from the values of the parameters at the minimum and their
// covariance (by value, 0 for those at a bound or undetermined), all in the
// solver's units, turned back into the data's. Each value and error is
// multiplied by its own unit rather than the covariance by their products,
// whose squares of y × 1e200 are beyond a double.
FitResult Describe(const FitProblem& problem, const BandModel& model, const SolverUnits& units,
                   const std::vector<double>& values, const std::vector<double>& covariance,
                   const Ends& ends) {
    const std::size_t size = model.Size();
    const auto variance = [&](int a, int b) {
        return a < 0 || b < 0
                   ? 0.0
                   : covariance[static_cast<std::size_t>(a) * size + static_cast<std::size_t>(b)];
    };
    // value and unit: in the data's units, and what the solver's error is
    // multiplied by.
    const auto estimate = [&](int slot, double value, double unit) {
        if (slot < 0) {
            return Estimate{value, 0.0, false};
        }
        const auto i = static_cast<std::size_t>(slot);
        return Estimate{value, std::sqrt(std::max(variance(slot, slot), 0.0)) * unit, true,
                        ends.atBound[i] != 0, ends.undetermined[i] != 0};
    };
    std::array<std::array<int, 4>, kMaxPeakSlots> slots{};
    for (auto& band : slots) {
        band.fill(-1);
    }
    std::vector<int> baselineSlots;
    FitResult result;
    // Held values stay as the problem gives them, to the bit.
    result.table = problem.table;
    PeakTable& table = result.table;
    for (std::size_t i = 0; i < size; ++i) {
        const auto& parameter = model.Parameters()[i];
        const int n = static_cast<int>(i);
        const auto k = static_cast<std::size_t>(parameter.band);
        auto& band = slots[k];
        switch (parameter.kind) {
            case BandModel::Kind::Position:
                band[0] = n;
                table.Band(k).position =
                    units.PositionBack(values[i], problem.useScaled ? table.Band(k).scale : 1.0);
                table.Band(k).scaledPosition = table.Band(k).position * table.Band(k).scale;
                break;
            case BandModel::Kind::Intensity:
                band[1] = n;
                table.Band(k).intensity = values[i] * units.sy;
                break;
            case BandModel::Kind::Width:
                band[2] = n;
                table.Band(k).width = values[i] * units.sx;
                break;
            case BandModel::Kind::Share:
                band[3] = n;
                table.Band(k).share = values[i];
                break;
            case BandModel::Kind::Baseline:
                baselineSlots.push_back(n);
                break;
        }
    }

    for (int k = 1; k <= table.PeakCount(); ++k) {
        const auto i = static_cast<std::size_t>(k);
        const auto& [position, intensity, width, share] = slots[i];
        FittedBand band;
        band.index = k;
        band.position = estimate(position, table.Band(k).position, units.sx);
        band.intensity = estimate(intensity, table.Band(k).intensity, units.sy);
        band.width = estimate(width, table.Band(k).width, units.sx);
        band.share = estimate(share, table.Band(k).share, 1.0);
        const BandShape shape = ShapeOf(table.Band(k), problem.lineShape);
        // The area of a band that follows the document is worked out as it
        // always was, so that its digits stay those of earlier reports.
        const bool own = table.Band(k).shape != BandShape::Document;
        const double areaPerHeightWidth =
            own ? BandArea(shape, table.Band(k).share, 1.0, 1.0)
                : (problem.lineShape == Lorentzian ? std::numbers::pi / 2.0 : GAUSS_AREA_FACTOR);
        const double area =
            own ? BandArea(shape, table.Band(k).share, table.Band(k).intensity, table.Band(k).width)
            : problem.lineShape == Lorentzian
                ? areaPerHeightWidth * table.Band(k).intensity * table.Band(k).width
                : PeakArea(table.Band(k).intensity, table.Band(k).width);
        // d area = k width d intensity + k intensity d width (+ the area's
        // slope by the share times d share), in the solver's units.
        const double perIntensity = areaPerHeightWidth * table.Band(k).width / units.sx;
        const double perWidth = areaPerHeightWidth * table.Band(k).intensity / units.sy;
        double perShare = 0.0;
        if (share >= 0) {
            // The area is linear in the share for a pseudo-Voigt; a Voigt's
            // is not, and its slope is taken from the exact area on a small
            // step inside [0, 1] (an error estimate, not a fitted value).
            const double s0 = table.Band(k).share;
            const double step = 1e-6;
            const double lo = std::max(0.0, s0 - step);
            const double hi = std::min(1.0, s0 + step);
            perShare = (BandArea(shape, hi, table.Band(k).intensity, table.Band(k).width) -
                        BandArea(shape, lo, table.Band(k).intensity, table.Band(k).width)) /
                       (hi - lo) / (units.sy * units.sx);
        }
        const double areaVariance = perIntensity * perIntensity * variance(intensity, intensity) +
                                    perWidth * perWidth * variance(width, width) +
                                    perShare * perShare * variance(share, share) +
                                    2.0 * perIntensity * perWidth * variance(intensity, width) +
                                    2.0 * perIntensity * perShare * variance(intensity, share) +
                                    2.0 * perWidth * perShare * variance(width, share);
        band.area = {area, std::sqrt(std::max(areaVariance, 0.0)) * units.sy * units.sx,
                     intensity >= 0 || width >= 0 || share >= 0, band.intensity.atBound};
        result.bands.push_back(band);
    }
    // The polynomial Σ c'_j (x' − xc')^j of the solver is Σ c_j (x − xc)^j
    // with xc = x0 + xc' sx and c_j = c'_j sy / sx^j.
    result.baselineCentre = units.x0 + model.BaselineCentre() * units.sx;
    const auto perPower = [&](double value, std::size_t power) {
        value *= units.sy;
        for (std::size_t t = 0; t < power; ++t) {
            value /= units.sx;
        }
        return value;
    };
    std::vector<double> terms;
    for (const int slot : baselineSlots) {
        terms.push_back(values[static_cast<std::size_t>(slot)]);
        result.baseline.push_back(estimate(slot, perPower(terms.back(), result.baseline.size()),
                                           perPower(1.0, result.baseline.size())));
    }
    // The same polynomial in powers of x, a linear map M of the terms:
    // a_k = Σ_j c_j C(j, k) (−xc)^(j−k), var a_k = Σ M_kj M_kl cov(j, l);
    // in the solver's units, where xc is xc / sx, then a_k times sy / sx^k.
    const double centre = result.baselineCentre / units.sx;
    const auto m = [&](std::size_t k, std::size_t j) {
        if (j < k) {
            return 0.0;
        }
        double binomial = 1.0;
        for (std::size_t t = 0; t < k; ++t) {
            binomial = binomial * static_cast<double>(j - t) / static_cast<double>(t + 1);
        }
        return binomial * std::pow(-centre, static_cast<double>(j - k));
    };
    const std::vector<double> powers = PowersOfX(terms, centre);
    for (std::size_t k = 0; k < std::min<std::size_t>(powers.size(), 2); ++k) {
        double v = 0.0;
        for (std::size_t j = 0; j < baselineSlots.size(); ++j) {
            for (std::size_t l = 0; l < baselineSlots.size(); ++l) {
                v += m(k, j) * m(k, l) * variance(baselineSlots[j], baselineSlots[l]);
            }
        }
        (k == 0 ? result.baselineConstant : result.baselineSlope) =
            Estimate{perPower(powers[k], k), perPower(std::sqrt(std::max(v, 0.0)), k), true};
    }
    return result;
}

// How far the measured y spread: their sum of squares about the mean, the
// distance from the lowest to the highest and the largest size.
struct Spread {
    double total = 0.0;
    double range = 0.0;
    double largest = 0.0;
};

Spread SpreadOf(const std::vector<double>& y) {
    const double mean = std::accumulate(y.begin(), y.end(), 0.0) / static_cast<double>(y.size());
    Spread spread;
    for (const double value : y) {
        spread.total += (value - mean) * (value - mean);
    }
    const auto [low, high] = std::minmax_element(y.begin(), y.end());
    spread.range = *high - *low;
    spread.largest = std::max(std::fabs(*low), std::fabs(*high));
    return spread;
}

// Why the measured points, or the bands they start from, give nothing to fit:
// sums beyond a double, which would pass every later test as a result of
// infinities, or y that do not vary, where no band has anything to follow and
// R² has no meaning. FitFailure::None when there is none.
FitFailureDetail StartProblem(const FitProblem& problem, const Points& points, const Spread& spread,
                              double startRss) {
    if (!std::isfinite(spread.total) || !std::isfinite(spread.range)) {
        FitFailureDetail detail = Because(FailureReason::DataTooLarge);
        detail.yFactor = problem.yFactor;
        return detail;
    }
    // y that differ only in their last digits (0.3 and 0.1 + 0.2) are as
    // flat as equal ones: a fit to them is a fit to rounding.
    if (!(spread.total > 0.0) || spread.range <= kFlat * spread.largest) {
        FitFailureDetail detail = InRange(FailureReason::FlatData, problem);
        detail.y = points.y.front();
        return detail;
    }
    if (!std::isfinite(startRss)) {
        return Because(FailureReason::StartTooLarge);
    }
    return {};
}

// A value of a fitted band, with the name a failure gives it.
struct NamedEstimate {
    BandValue name;
    const Estimate& estimate;
};

// Why a fit that converged is still no result: a value or an error beyond a
// double, a band whose height the data cannot tell from zero (its position
// and width then mean nothing, however small their errors look once the
// matrix is scaled to a unit diagonal), or a position or width known to less
// than the whole range of x fitted. Reason None when the result stands.
FitFailureDetail ResultProblem(const FitResult& result, const FitProblem& problem,
                               const Points& points, const Spread& spread) {
    const PeakTable& table = problem.table;
    for (const FittedBand& band : result.bands) {
        for (const auto& [name, estimate] : {NamedEstimate{BandValue::Position, band.position},
                                             NamedEstimate{BandValue::Intensity, band.intensity},
                                             NamedEstimate{BandValue::Width, band.width},
                                             NamedEstimate{BandValue::Area, band.area}}) {
            if (!std::isfinite(estimate.value) || !std::isfinite(estimate.error)) {
                FitFailureDetail detail =
                    AboutBand(FailureReason::BandEstimateNotFinite, table, band.index);
                detail.value = name;
                return detail;
            }
        }
    }
    std::vector<const Estimate*> baseline{&result.baselineConstant, &result.baselineSlope};
    for (const Estimate& term : result.baseline) {
        baseline.push_back(&term);
    }
    for (const Estimate* term : baseline) {
        if (!std::isfinite(term->value) || !std::isfinite(term->error)) {
            return Because(FailureReason::BaselineEstimateNotFinite);
        }
    }
    if (!std::isfinite(result.rss) || !std::isfinite(result.rSquared)) {
        return Because(FailureReason::FinalSumNotFinite);
    }
    for (const FittedBand& band : result.bands) {
        const Estimate& intensity = band.intensity;
        // A band held at 0 by its bound is named in the verdict instead.
        if (intensity.HasError() && (!(std::fabs(intensity.value) > intensity.error) ||
                                     !(std::fabs(intensity.value) > kNoSignal * spread.range))) {
            FitFailureDetail detail = AboutBand(FailureReason::NoSignal, table, band.index);
            detail.estimate = intensity.value;
            detail.error = intensity.error;
            return detail;
        }
    }
    const double range = points.x.back() - points.x.front();
    for (const FittedBand& band : result.bands) {
        for (const auto& [name, estimate] : {NamedEstimate{BandValue::Position, band.position},
                                             NamedEstimate{BandValue::Width, band.width}}) {
            if (estimate.HasError() && !(estimate.error <= range)) {
                FitFailureDetail detail =
                    AboutBand(FailureReason::ValueNotFixed, table, band.index);
                detail.value = name;
                detail.error = estimate.error;
                detail.span = range;
                return detail;
            }
        }
    }
    return {};
}

// The bands' typical full width at half maximum, in points: the median
// width over the median step between points.
double BandWidthInPoints(const PeakTable& table, const std::vector<double>& xs) {
    std::vector<double> widths;
    for (int k = 1; k <= table.PeakCount(); ++k) {
        widths.push_back(table.Band(k).width);
    }
    std::vector<double> steps;
    for (std::size_t i = 1; i < xs.size(); ++i) {
        steps.push_back(xs[i] - xs[i - 1]);
    }
    if (widths.empty() || steps.empty()) {
        return 0.0;
    }
    const auto median = [](std::vector<double>& v) {
        const auto middle = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
        std::nth_element(v.begin(), middle, v.end());
        return *middle;
    };
    const double step = median(steps);
    return step > 0.0 ? median(widths) / step : 0.0;
}

// What the iterations end with: the values in the solver's terms, how many
// steps they took and why they stopped.
struct Solution {
    std::vector<double> p;
    int iterations = 0;
    StopReason stop = StopReason::Unknown;
    // Not one step lowered the sum: the start may already be the minimum.
    bool noStepFromStart = false;
};

// The values the solution gives, the ones at a bound or no longer fixed by
// the data, the residuals and their sum of squares, and the covariance of the
// values, all in the solver's units.
struct Covariance {
    std::vector<double> values;
    Ends ends;
    std::vector<double> residuals;
    double rss = 0.0;
    std::vector<double> covariance;
};

// Why the model cannot be fitted to the points before a step is taken:
// nothing free, too few points, or bands the data cannot tell apart.
std::optional<FitResult> ModelProblem(const FitProblem& problem, const BandModel& model,
                                      const Points& points) {
    const std::size_t n = points.x.size();
    const std::size_t size = model.Size();
    if (size == 0) {
        return Failed(Because(FailureReason::NothingFree));
    }
    if (n <= size) {
        FitFailureDetail detail = InRange(FailureReason::TooFewPoints, problem);
        detail.points = static_cast<int>(n);
        detail.freeValues = static_cast<int>(size);
        return Failed(detail);
    }
    if (const FitFailureDetail singular = SingularBands(problem, points.x);
        singular.reason != FailureReason::None) {
        return Failed(singular);
    }
    return std::nullopt;
}

// Runs GSL's solver from the model's start until a test of convergence
// passes; a failure when the data give nothing to fit, the solver goes
// astray, the iterations run out or the progress callback stops it.
std::variant<Solution, FitResult> Solve(const FitProblem& problem, const BandModel& model,
                                        const Points& points, const Points& scaled,
                                        const Spread& spread, const SolverUnits& units,
                                        const FitProgress& progress) {
    const std::size_t n = points.x.size();
    const std::size_t size = model.Size();
    Context context;
    context.model = &model;
    context.y = &scaled.y;
    context.values.resize(n);
    gsl_multilarge_nlinear_fdf fdf{};
    fdf.f = Residuals;
    fdf.df = Jacobian;
    fdf.n = n;
    fdf.p = size;
    fdf.params = &context;

    gsl_multilarge_nlinear_parameters parameters = gsl_multilarge_nlinear_default_parameters();
    parameters.trs = gsl_multilarge_nlinear_trs_lm;
    parameters.solver = gsl_multilarge_nlinear_solver_cholesky;
    std::unique_ptr<gsl_multilarge_nlinear_workspace, WorkspaceFree> workspace(
        gsl_multilarge_nlinear_alloc(gsl_multilarge_nlinear_trust, &parameters, n, size));
    if (!workspace) {
        throw std::bad_alloc();
    }
    std::vector<double> start = model.Start();
    std::vector<double> residuals(n);
    model.Values(start, residuals);
    double startRss = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        startRss += (residuals[i] - scaled.y[i]) * (residuals[i] - scaled.y[i]);
    }
    if (const FitFailureDetail why = StartProblem(problem, points, spread, startRss);
        why.reason != FailureReason::None) {
        return Failed(why);
    }
    // The normal equations at the start, the first step's.
    const auto& all = model.Parameters();
    bool heldAtStart = std::any_of(all.begin(), all.end(), [](const BandModel::Parameter& value) {
        return value.kind == BandModel::Kind::Share;
    });
    context.holdShares = heldAtStart;
    gsl_vector_view startView = gsl_vector_view_array(start.data(), size);
    if (gsl_multilarge_nlinear_init(&startView.vector, &fdf, workspace.get()) != GSL_SUCCESS) {
        return NoConvergence(0);
    }

    Solution solution;
    int& iterations = solution.iterations;
    double rss = SumOfSquares(gsl_multilarge_nlinear_residual(workspace.get()));
    while (solution.stop == StopReason::Unknown) {
        const int status = gsl_multilarge_nlinear_iterate(workspace.get());
        if (heldAtStart && (status == GSL_SUCCESS || status == GSL_ENOPROG)) {
            heldAtStart = false;
            const double moved = SumOfSquares(gsl_multilarge_nlinear_residual(workspace.get()));
            if (status == GSL_ENOPROG || !(rss - moved > kRssTolerance * rss)) {
                // The step with the shares held lowers the sum by no more
                // than rounding: only the shares can. From the start again
                // with them free, so that a start at the minimum is still
                // known as one.
                if (gsl_multilarge_nlinear_init(&startView.vector, &fdf, workspace.get()) !=
                    GSL_SUCCESS) {
                    return NoConvergence(0);
                }
                continue;
            }
            // A step, but not one to judge convergence by: its length and
            // its gradient left the shares out.
            ++iterations;
            rss = moved;
            if (!std::isfinite(rss)) {
                return Failed(AfterIterations(FailureReason::IterationNotFinite, iterations));
            }
            if (progress && !progress(iterations, rss * units.sy * units.sy)) {
                return Failed(Because(FailureReason::Stopped));
            }
            if (iterations >= problem.maxIterations) {
                return NoConvergence(iterations);
            }
            continue;
        }
        if (status == GSL_ENOPROG && iterations == 0) {
            // Not one step from the start lowers the sum, however short: the
            // start is already the minimum (a fit run again on its result).
            solution.stop = StopReason::AlreadyAtMinimum;
            solution.noStepFromStart = true;
            break;
        }
        if (status != GSL_SUCCESS && status != GSL_ENOPROG) {
            return NoConvergence(iterations);
        }
        ++iterations;
        const double previous = rss;
        rss = SumOfSquares(gsl_multilarge_nlinear_residual(workspace.get()));
        if (!std::isfinite(rss)) {
            return Failed(AfterIterations(FailureReason::IterationNotFinite, iterations));
        }
        if (progress && !progress(iterations, rss * units.sy * units.sy)) {
            return Failed(Because(FailureReason::Stopped));
        }
        int info = 0;
        if (gsl_multilarge_nlinear_test(kStepTolerance, kGradientTolerance, 0.0, &info,
                                        workspace.get()) == GSL_SUCCESS) {
            solution.stop = info == 1 ? StopReason::ValuesSettled : StopReason::FlatGradient;
        } else if (status == GSL_SUCCESS && previous - rss <= kRssTolerance * previous) {
            solution.stop = StopReason::SumSettled;
        } else if (iterations >= problem.maxIterations) {
            return NoConvergence(iterations);
        }
    }

    solution.p = Copy(gsl_multilarge_nlinear_position(workspace.get()));
    return solution;
}

// The values the solution ends at, each put on the bound it reached, and
// their covariance from the normal equations there; a failure when a value
// is not finite, when a start that took no step was no minimum after all,
// or when the covariance cannot be inverted.
std::variant<Covariance, FitResult> CovarianceOf(const FitProblem& problem, const BandModel& model,
                                                 const Points& scaled, const Spread& spread,
                                                 Solution& solution) {
    const std::size_t n = scaled.x.size();
    const std::size_t size = model.Size();
    std::vector<double>& p = solution.p;
    for (std::size_t i = 0; i < size; ++i) {
        if (!std::isfinite(p[i])) {
            const int band = model.Parameters()[i].band;
            return Failed(band > 0
                              ? AboutBand(FailureReason::BandResultNotFinite, problem.table, band)
                              : Because(FailureReason::BaselineResultNotFinite));
        }
    }
    // A value that ends on its bound is put exactly there; its covariance is
    // not defined, and neither are the position and width of a band whose
    // intensity ended at 0. They are left out of the covariance, which is
    // worked out for the values themselves: d model / d value is the column
    // for u divided by d value / d u.
    const auto& modelParameters = model.Parameters();
    Covariance out;
    Ends& ends = out.ends;
    ends = Ends{std::vector<char>(size, 0), std::vector<char>(size, 0)};
    std::vector<double>& values = out.values;
    values = model.ValuesOf(p);
    for (std::size_t i = 0; i < size; ++i) {
        const Bound& bound = modelParameters[i].bound;
        if (bound.At(values[i], spread.range)) {
            ends.atBound[i] = 1;
            p[i] = bound.OnBound(values[i]);
            values[i] = bound.Nearest(values[i]);
        }
    }
    for (std::size_t i = 0; i < size; ++i) {
        if (ends.atBound[i] && modelParameters[i].kind == BandModel::Kind::Intensity) {
            for (std::size_t j = 0; j < size; ++j) {
                if (modelParameters[j].band == modelParameters[i].band && j != i &&
                    !ends.atBound[j]) {
                    ends.undetermined[j] = 1;
                }
            }
        }
    }
    std::vector<double>& residuals = out.residuals;
    residuals.resize(n);
    model.Values(p, residuals);
    for (std::size_t i = 0; i < n; ++i) {
        residuals[i] -= scaled.y[i];
    }
    std::vector<double> jtu(size);
    std::vector<double> jtj(size * size);
    model.NormalEquations(p, residuals, jtu, jtj);
    double& rss = out.rss;
    rss = std::inner_product(residuals.begin(), residuals.end(), residuals.begin(), 0.0);
    if (solution.noStepFromStart && !AtMinimum(jtu, jtj, rss, scaled.y)) {
        return NoConvergence(0);
    }
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < size; ++i) {
        if (!ends.atBound[i] && !ends.undetermined[i]) {
            kept.push_back(i);
        }
    }
    std::vector<double> byValue(kept.size() * kept.size());
    for (std::size_t a = 0; a < kept.size(); ++a) {
        for (std::size_t b = 0; b < kept.size(); ++b) {
            const std::size_t i = kept[a];
            const std::size_t j = kept[b];
            byValue[a * kept.size() + b] =
                jtj[i * size + j] /
                (modelParameters[i].bound.Slope(p[i]) * modelParameters[j].bound.Slope(p[j]));
        }
    }
    std::vector<double>& covariance = out.covariance;
    covariance.assign(size * size, 0.0);
    if (!kept.empty()) {
        const auto inverse = Inverse(byValue, kept.size());
        if (!inverse) {
            return Failed(Because(FailureReason::Singular));
        }
        const double residualVariance = rss / static_cast<double>(n - size);
        for (std::size_t a = 0; a < kept.size(); ++a) {
            for (std::size_t b = 0; b < kept.size(); ++b) {
                covariance[kept[a] * size + kept[b]] =
                    (*inverse)[a * kept.size() + b] * residualVariance;
            }
        }
    }

    return out;
}

// The verdict on the residual, in the units of the data: the data less the
// fitted curve, weighed against the noise of the data.
ResidualVerdict JudgeResidualOf(const FitResult& result, const FitProblem& problem,
                                const Points& points, const std::vector<double>& modelLessData,
                                double sy) {
    std::vector<double> residual;
    for (const double r : modelLessData) {
        residual.push_back(-r * sy);
    }
    std::vector<BandAt> bands;
    for (const model::Peak& peak : result.table.bands) {
        bands.push_back(
            {problem.useScaled ? peak.scaledPosition : peak.position, peak.intensity, peak.width});
    }
    return JudgeResidual(points.x, points.y, residual, bands, result.parameters,
                         problem.lineShape != model::Lorentzian);
}

// The result the fitted values give: the bands, the baseline, the
// statistics in the units of the data and the test of the residual; a
// failure when the sums go beyond a double or the result is worth nothing.
FitResult ResultOf(const FitProblem& problem, const BandModel& model, const SolverUnits& units,
                   const Points& points, const Points& scaled, const Spread& spread,
                   const Solution& solution, const Covariance& fitted) {
    const std::size_t n = points.x.size();
    const std::size_t size = model.Size();
    const double rss = fitted.rss;
    FitResult result =
        Describe(problem, model, units, fitted.values, fitted.covariance, fitted.ends);
    result.rss = rss * units.sy * units.sy;
    result.rSquared = 1.0 - rss / spread.total;
    result.points = static_cast<int>(n);
    result.parameters = static_cast<int>(size);
    result.iterations = solution.iterations;
    result.stop = solution.stop;
    result.reducedChiSquare = rss / static_cast<double>(n - size) * units.sy * units.sy;
    if (!std::isfinite(result.rss) || !std::isfinite(result.reducedChiSquare)) {
        // The bands are found at any scale; the sum of squares, which the
        // document and the report carry in the units of y², is not.
        FitFailureDetail detail = Because(FailureReason::FitSumTooLarge);
        detail.yFactor = problem.yFactor;
        detail.y = spread.largest * units.sy;
        return Failed(detail);
    }
    Spread inData = spread;
    inData.range *= units.sy;
    if (const FitFailureDetail why = ResultProblem(result, problem, points, inData);
        why.reason != FailureReason::None) {
        return Failed(why);
    }
    const StructureTest structure =
        ResidualStructure(fitted.residuals, BandWidthInPoints(result.table, points.x));
    result.structure = structure.figure;
    result.structureLimit = structure.limit;
    // A residual at the size of rounding (noise-free data fitted exactly)
    // holds the pattern of the rounding itself, which is no band left out.
    const double signal =
        std::inner_product(scaled.y.begin(), scaled.y.end(), scaled.y.begin(), 0.0);
    result.structured = structure.Fires() && rss > kRoundingOnly * signal;
    result.residual = JudgeResidualOf(result, problem, points, fitted.residuals, units.sy);
    return result;
}

}  // namespace

namespace {

FitResult FitOnce(const FitProblem& problem, const FitProgress& progress) {
    if (const FitFailureDetail bad = InputProblem(problem); bad.reason != FailureReason::None) {
        return Failed(bad);
    }
    const Points points = PointsInRange(problem);
    const SolverUnits units = UnitsOf(problem, points);
    const FitProblem solverProblem = InSolverUnits(problem, units);
    Points scaled;
    for (std::size_t i = 0; i < points.x.size(); ++i) {
        scaled.x.push_back(units.X(points.x[i]));
        scaled.y.push_back(points.y[i] / units.sy);
    }
    const Spread spread = scaled.y.empty() ? Spread{} : SpreadOf(scaled.y);
    const BandModel model(solverProblem, scaled.x, spread.range);
    if (std::optional<FitResult> failed = ModelProblem(problem, model, points)) {
        return std::move(*failed);
    }
    auto solved = Solve(problem, model, points, scaled, spread, units, progress);
    if (FitResult* failed = std::get_if<FitResult>(&solved)) {
        return std::move(*failed);
    }
    Solution& solution = std::get<Solution>(solved);
    auto fitted = CovarianceOf(problem, model, scaled, spread, solution);
    if (FitResult* failed = std::get_if<FitResult>(&fitted)) {
        return std::move(*failed);
    }
    return ResultOf(problem, model, units, points, scaled, spread, solution,
                    std::get<Covariance>(fitted));
}

// A share whose best value is on its bound is reached through a sine whose
// slope vanishes there, and the solver stops short of it, a few thousandths
// inside. Within this of a bound the fit is tried again with the share on
// it, held.
constexpr double kShareNearBound = 0.02;

}  // namespace

FitResult FitBands(const FitProblem& problem, const FitProgress& progress) {
    // GSL's default handler aborts the program on an error; every status is
    // checked here instead.
    static std::once_flag handlerOff;
    std::call_once(handlerOff, [] { gsl_set_error_handler_off(); });

    FitResult result = FitOnce(problem, progress);
    if (!result.Ok()) {
        return result;
    }
    FitProblem onBounds = problem;
    std::vector<int> snapped;
    for (const FittedBand& band : result.bands) {
        const double share = band.share.value;
        if (band.share.free && !band.share.atBound &&
            (share < kShareNearBound || share > 1.0 - kShareNearBound)) {
            onBounds.table.Band(band.index).share = share < 0.5 ? 0.0 : 1.0;
            onBounds.freedom[static_cast<std::size_t>(band.index)].share = false;
            snapped.push_back(band.index);
        }
    }
    if (snapped.empty()) {
        return result;
    }
    // The bound holds when the fit there is at least as good: the share
    // inside was where the solver stalled, not a minimum of its own.
    FitResult bounded = FitOnce(onBounds, progress);
    if (!bounded.Ok() || bounded.rss > result.rss) {
        return result;
    }
    for (FittedBand& band : bounded.bands) {
        if (std::find(snapped.begin(), snapped.end(), band.index) != snapped.end()) {
            band.share.free = true;
            band.share.atBound = true;
            bounded.parameters += 1;
        }
    }
    const int dof = bounded.points - bounded.parameters;
    bounded.reducedChiSquare =
        dof > 0 ? bounded.rss / static_cast<double>(dof) : bounded.reducedChiSquare;
    return bounded;
}

bool FitResult::AtBounds() const {
    return std::any_of(bands.begin(), bands.end(), [](const FittedBand& band) {
        return band.position.atBound || band.intensity.atBound || band.width.atBound ||
               band.share.atBound;
    });
}

std::vector<double> PowersOfX(const std::vector<double>& aboutCentre, double centre) {
    // Expanding c_j (x − xc)^j by the binomial theorem, term by term.
    std::vector<double> powers(aboutCentre.size(), 0.0);
    for (std::size_t j = 0; j < aboutCentre.size(); ++j) {
        double binomial = 1.0;
        for (std::size_t k = 0; k <= j; ++k) {
            powers[k] += aboutCentre[j] * binomial * std::pow(-centre, static_cast<double>(j - k));
            binomial = binomial * static_cast<double>(j - k) / static_cast<double>(k + 1);
        }
    }
    return powers;
}

double BaselineAt(const FitResult& result, double x) {
    double value = 0.0;
    const double t = x - result.baselineCentre;
    for (auto term = result.baseline.rbegin(); term != result.baseline.rend(); ++term) {
        value = value * t + term->value;
    }
    return value;
}

double FittedCurveAt(const FitResult& result, std::int32_t lineShape, bool useScaled, double x) {
    return ProfileSum(result.table, lineShape, useScaled, x) + BaselineAt(result, x);
}

}  // namespace trazel::fit
