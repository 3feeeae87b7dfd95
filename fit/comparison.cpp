#include "fit/comparison.h"

#include <gsl/gsl_blas.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_matrix.h>
#include <gsl/gsl_multifit_nlinear.h>
#include <gsl/gsl_vector.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/line_shapes.h"
#include "platform/number_format.h"
#include "platform/translation.h"

using trazel::platform::Fill;
using trazel::platform::FormatG;

namespace trazel::fit {

namespace {

// The most scale factors the search tries in its first pass; a finer pass
// follows around the best.
constexpr int kMaxSearchSteps = 4000;

// The points of the range, y divided by its largest size so that the least
// squares work on numbers near 1.
struct RangeData {
    std::vector<double> x;
    std::vector<double> y;
    double yScale = 1.0;
    double centre = 0.0;
    double half = 1.0;
};

RangeData RangeOf(const ComparisonProblem& problem) {
    RangeData data;
    const double lo = std::min(problem.xMin, problem.xMax);
    const double hi = std::max(problem.xMin, problem.xMax);
    double largest = 0.0;
    for (std::size_t j = 0; j < problem.x.size() && j < problem.y.size(); ++j) {
        const double x = problem.x[j];
        const double y = problem.y[j];
        if (std::isfinite(x) && std::isfinite(y) && x >= lo && x <= hi) {
            data.x.push_back(x);
            data.y.push_back(y);
            largest = std::max(largest, std::abs(y));
        }
    }
    if (largest > 0.0) {
        data.yScale = largest;
        for (double& y : data.y) {
            y /= largest;
        }
    }
    data.centre = 0.5 * (lo + hi);
    data.half = hi > lo ? 0.5 * (hi - lo) : 1.0;
    return data;
}

// Pearson's r of two series; NaN when either does not vary.
double Pearson(std::span<const double> a, std::span<const double> b) {
    const auto n = static_cast<double>(a.size());
    double ma = 0.0;
    double mb = 0.0;
    for (std::size_t j = 0; j < a.size(); ++j) {
        ma += a[j];
        mb += b[j];
    }
    ma /= n;
    mb /= n;
    double sab = 0.0;
    double saa = 0.0;
    double sbb = 0.0;
    for (std::size_t j = 0; j < a.size(); ++j) {
        sab += (a[j] - ma) * (b[j] - mb);
        saa += (a[j] - ma) * (a[j] - ma);
        sbb += (b[j] - mb) * (b[j] - mb);
    }
    if (!(saa > 0.0) || !(sbb > 0.0)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return sab / std::sqrt(saa * sbb);
}

model::BandProfile Profile(const ComputedBand& band, double scale, double shift, double height,
                           double width, double share) {
    model::BandProfile profile;
    profile.shape = band.shape;
    profile.centre = scale * band.position + shift;
    profile.intensity = height * band.intensity;
    profile.width = width;
    profile.share = model::IsMixed(band.shape) ? share : 0.0;
    if (band.shape == model::BandShape::Voigt) {
        profile.voigt = model::VoigtOfShare(profile.share);
    }
    return profile;
}

// The computed bands at unit factor over the points for a scale factor, for
// the search: a Voigt is drawn as the pseudo-Voigt of its share, which puts
// its maxima in the same places at a fraction of the cost.
void SearchCurve(const std::vector<ComputedBand>& bands, const RangeData& data, double scale,
                 double width, double share, std::vector<double>& curve) {
    curve.assign(data.x.size(), 0.0);
    for (const ComputedBand& band : bands) {
        ComputedBand drawn = band;
        if (drawn.shape == model::BandShape::Voigt) {
            drawn.shape = model::BandShape::PseudoVoigt;
        }
        const model::BandProfile profile = Profile(drawn, scale, 0.0, 1.0, width, share);
        for (std::size_t j = 0; j < data.x.size(); ++j) {
            curve[j] += profile.At(data.x[j]);
        }
    }
}

// The scale factor between lo and hi whose bands correlate best with the
// data, tried in steps that move the farthest band by a third of a width:
// a global search, so that a start far from the truth cannot trap the least
// squares in the wrong alignment of bands. NaN when no factor puts a band
// where the data vary.
double SearchScale(const ComparisonProblem& problem, const RangeData& data, double width,
                   double share) {
    double farthest = 0.0;
    for (const ComputedBand& band : problem.bands) {
        farthest = std::max(farthest, std::abs(band.position));
    }
    const double lo = std::min(problem.scaleMin, problem.scaleMax);
    const double hi = std::max(problem.scaleMin, problem.scaleMax);
    if (!(farthest > 0.0) || !(hi >= lo)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    double step = width / (3.0 * farthest);
    step = std::max(step, (hi - lo) / kMaxSearchSteps);
    std::vector<double> curve;
    double best = std::numeric_limits<double>::quiet_NaN();
    double bestR = -2.0;
    const auto tryScale = [&](double scale) {
        SearchCurve(problem.bands, data, scale, width, share, curve);
        const double r = Pearson(curve, data.y);
        if (std::isfinite(r) && r > bestR) {
            bestR = r;
            best = scale;
        }
    };
    const int steps = static_cast<int>(std::ceil((hi - lo) / step));
    for (int s = 0; s <= steps; ++s) {
        tryScale(lo + (hi - lo) * s / std::max(steps, 1));
    }
    if (std::isfinite(best)) {
        const double around = best;
        for (int s = -4; s <= 4; ++s) {
            tryScale(around + 0.25 * step * s);
        }
    }
    return best;
}

// The layout of the parameter vector.
struct Layout {
    int scale = 0;
    int shift = -1;
    int logWidth = -1;
    int factor = 0;
    int share = -1;
    int baseline = 0;
    int baselineTerms = 0;
    int size = 0;
};

struct Model {
    const ComparisonProblem* problem = nullptr;
    const RangeData* data = nullptr;
    Layout layout;
    double fixedWidth = 0.0;
    double fixedShare = 0.0;

    double Get(const gsl_vector* p, int index, double otherwise) const {
        return index >= 0 ? gsl_vector_get(p, static_cast<std::size_t>(index)) : otherwise;
    }
    double Width(const gsl_vector* p) const {
        return layout.logWidth >= 0 ? std::exp(Get(p, layout.logWidth, 0.0)) : fixedWidth;
    }
    // The share through a logistic, so that it stays within 0..1.
    double Share(const gsl_vector* p) const {
        return layout.share >= 0 ? 1.0 / (1.0 + std::exp(-Get(p, layout.share, 0.0))) : fixedShare;
    }
};

int Residuals(const gsl_vector* p, void* context, gsl_vector* f) {
    const Model& m = *static_cast<const Model*>(context);
    const RangeData& data = *m.data;
    const double scale = m.Get(p, m.layout.scale, 1.0);
    const double shift = m.Get(p, m.layout.shift, 0.0);
    const double factor = m.Get(p, m.layout.factor, 1.0);
    const double width = m.Width(p);
    const double share = m.Share(p);
    for (std::size_t j = 0; j < data.x.size(); ++j) {
        double u = (data.x[j] - data.centre) / data.half;
        double base = 0.0;
        double power = 1.0;
        for (int t = 0; t < m.layout.baselineTerms; ++t) {
            base += gsl_vector_get(p, static_cast<std::size_t>(m.layout.baseline + t)) * power;
            power *= u;
        }
        gsl_vector_set(f, j, base - data.y[j]);
    }
    for (const ComputedBand& band : m.problem->bands) {
        const model::BandProfile profile = Profile(band, scale, shift, factor, width, share);
        for (std::size_t j = 0; j < data.x.size(); ++j) {
            *gsl_vector_ptr(f, j) += profile.At(data.x[j]);
        }
    }
    return GSL_SUCCESS;
}

int Jacobian(const gsl_vector* p, void* context, gsl_matrix* jacobian) {
    const Model& m = *static_cast<const Model*>(context);
    const RangeData& data = *m.data;
    const Layout& l = m.layout;
    const double scale = m.Get(p, l.scale, 1.0);
    const double shift = m.Get(p, l.shift, 0.0);
    const double factor = m.Get(p, l.factor, 1.0);
    const double width = m.Width(p);
    const double share = m.Share(p);
    gsl_matrix_set_zero(jacobian);
    for (std::size_t j = 0; j < data.x.size(); ++j) {
        const double u = (data.x[j] - data.centre) / data.half;
        double power = 1.0;
        for (int t = 0; t < l.baselineTerms; ++t) {
            gsl_matrix_set(jacobian, j, static_cast<std::size_t>(l.baseline + t), power);
            power *= u;
        }
    }
    const auto add = [&](std::size_t j, int column, double value) {
        if (column >= 0) {
            *gsl_matrix_ptr(jacobian, j, static_cast<std::size_t>(column)) += value;
        }
    };
    for (const ComputedBand& band : m.problem->bands) {
        const model::BandProfile profile = Profile(band, scale, shift, factor, width, share);
        const bool mixed = model::IsMixed(band.shape);
        for (std::size_t j = 0; j < data.x.size(); ++j) {
            const model::BandProfile::Slopes s = profile.SlopesAt(data.x[j]);
            add(j, l.scale, s.centre * band.position);
            add(j, l.shift, s.centre);
            add(j, l.logWidth, s.width * width);
            add(j, l.factor, s.intensity * band.intensity);
            if (mixed) {
                add(j, l.share, s.share * share * (1.0 - share));
            }
        }
    }
    return GSL_SUCCESS;
}

Estimate Free(double value, double error) {
    Estimate e;
    e.value = value;
    e.error = error;
    e.free = true;
    return e;
}

Estimate Held(double value) {
    Estimate e;
    e.value = value;
    return e;
}

}  // namespace

std::vector<ComputedBand> ComputedBandsOf(const model::PeakTable& table, std::int32_t lineShape) {
    std::vector<ComputedBand> bands;
    for (const model::Peak& peak : table.bands) {
        bands.push_back({peak.position, peak.intensity, model::ShapeOf(peak, lineShape)});
    }
    return bands;
}

ComparisonResult CompareSpectra(const ComparisonProblem& problem) {
    ComparisonResult result;
    if (problem.bands.empty()) {
        result.failure = TRAZEL_TR("Comparison", "la tabla no tiene bandas que comparar");
        return result;
    }
    const RangeData data = RangeOf(problem);
    const bool mixed = std::any_of(problem.bands.begin(), problem.bands.end(),
                                   [](const ComputedBand& b) { return model::IsMixed(b.shape); });
    Layout layout;
    int next = 0;
    layout.scale = next++;
    if (problem.fitShift) {
        layout.shift = next++;
    }
    if (problem.fitWidth) {
        layout.logWidth = next++;
    }
    layout.factor = next++;
    if (mixed && problem.fitShare) {
        layout.share = next++;
    }
    layout.baseline = next;
    layout.baselineTerms = BaselineTerms(problem.baseline);
    next += layout.baselineTerms;
    layout.size = next;
    const auto n = data.x.size();
    if (n < static_cast<std::size_t>(layout.size) + 2) {
        result.failure =
            Fill(TRAZEL_TR("Comparison",
                           "hay %1 puntos en el intervalo y la comparación necesita al menos %2"),
                 {std::to_string(n), std::to_string(layout.size + 2)});
        return result;
    }
    if (std::all_of(data.y.begin(), data.y.end(), [&](double y) { return y == data.y.front(); })) {
        result.failure = TRAZEL_TR("Comparison", "los datos del intervalo no varían");
        return result;
    }
    const double startWidth =
        problem.startWidth > 0.0 ? problem.startWidth : data.half * 2.0 / 40.0;
    const double startShare = std::clamp(problem.startShare, 0.01, 0.99);
    const double scale0 = SearchScale(problem, data, startWidth, startShare);
    if (!std::isfinite(scale0)) {
        result.failure = Fill(TRAZEL_TR("Comparison",
                                        "ninguna banda calculada cae en el intervalo con un "
                                        "factor de escala entre %1 y %2"),
                              {FormatG(problem.scaleMin, 4), FormatG(problem.scaleMax, 4)});
        return result;
    }
    result.searchedScale = scale0;

    // The factor and the constant from a straight line through the curve of
    // the bands found and the data.
    std::vector<double> curve;
    SearchCurve(problem.bands, data, scale0, startWidth, startShare, curve);
    double mc = 0.0;
    double my = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
        mc += curve[j];
        my += data.y[j];
    }
    mc /= static_cast<double>(n);
    my /= static_cast<double>(n);
    double scc = 0.0;
    double scy = 0.0;
    double largest = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
        scc += (curve[j] - mc) * (curve[j] - mc);
        scy += (curve[j] - mc) * (data.y[j] - my);
        largest = std::max(largest, curve[j]);
    }
    double factor0 = scc > 0.0 ? scy / scc : 0.0;
    if (!(factor0 > 0.0)) {
        factor0 = largest > 0.0 ? 1.0 / largest : 1.0;
    }

    Model model{&problem, &data, layout, startWidth, startShare};
    gsl_vector* start = gsl_vector_calloc(static_cast<std::size_t>(layout.size));
    gsl_vector_set(start, static_cast<std::size_t>(layout.scale), scale0);
    if (layout.logWidth >= 0) {
        gsl_vector_set(start, static_cast<std::size_t>(layout.logWidth), std::log(startWidth));
    }
    gsl_vector_set(start, static_cast<std::size_t>(layout.factor), factor0);
    if (layout.share >= 0) {
        gsl_vector_set(start, static_cast<std::size_t>(layout.share),
                       std::log(startShare / (1.0 - startShare)));
    }
    if (layout.baselineTerms > 0) {
        gsl_vector_set(start, static_cast<std::size_t>(layout.baseline), my - factor0 * mc);
    }

    gsl_multifit_nlinear_fdf fdf;
    fdf.f = Residuals;
    fdf.df = Jacobian;
    fdf.fvv = nullptr;
    fdf.n = n;
    fdf.p = static_cast<std::size_t>(layout.size);
    fdf.params = &model;
    gsl_multifit_nlinear_parameters parameters = gsl_multifit_nlinear_default_parameters();
    parameters.scale = gsl_multifit_nlinear_scale_more;
    gsl_multifit_nlinear_workspace* work = gsl_multifit_nlinear_alloc(
        gsl_multifit_nlinear_trust, &parameters, n, static_cast<std::size_t>(layout.size));
    gsl_error_handler_t* handler = gsl_set_error_handler_off();
    int info = 0;
    int status = gsl_multifit_nlinear_init(start, &fdf, work);
    if (status == GSL_SUCCESS) {
        status = gsl_multifit_nlinear_driver(static_cast<std::size_t>(problem.maxIterations), 1e-10,
                                             1e-10, 1e-12, nullptr, nullptr, &info, work);
    }
    gsl_matrix* covariance = gsl_matrix_alloc(static_cast<std::size_t>(layout.size),
                                              static_cast<std::size_t>(layout.size));
    const gsl_vector* p = gsl_multifit_nlinear_position(work);
    const gsl_vector* f = gsl_multifit_nlinear_residual(work);
    double rss = 0.0;
    gsl_blas_ddot(f, f, &rss);
    const int covarianceStatus =
        status == GSL_SUCCESS
            ? gsl_multifit_nlinear_covar(gsl_multifit_nlinear_jac(work), 0.0, covariance)
            : status;
    gsl_set_error_handler(handler);
    result.iterations = static_cast<int>(gsl_multifit_nlinear_niter(work));

    const double variance = rss / static_cast<double>(n - static_cast<std::size_t>(layout.size));
    const auto error = [&](int index) {
        return std::sqrt(
            std::max(0.0, variance * gsl_matrix_get(covariance, static_cast<std::size_t>(index),
                                                    static_cast<std::size_t>(index))));
    };
    const double width = model.Width(p);
    const double share = model.Share(p);
    const double scale = gsl_vector_get(p, static_cast<std::size_t>(layout.scale));
    const double factor = gsl_vector_get(p, static_cast<std::size_t>(layout.factor));
    if (status != GSL_SUCCESS || covarianceStatus != GSL_SUCCESS) {
        result.failure =
            status == GSL_EMAXITER
                ? Fill(TRAZEL_TR("Comparison", "el ajuste no converge en %1 iteraciones"),
                       {std::to_string(problem.maxIterations)})
                : TRAZEL_TR("Comparison", "el ajuste no converge");
    }
    if (result.Ok()) {
        result.scale = Free(scale, error(layout.scale));
        result.shift = layout.shift >= 0
                           ? Free(gsl_vector_get(p, static_cast<std::size_t>(layout.shift)),
                                  error(layout.shift))
                           : Held(0.0);
        result.width =
            layout.logWidth >= 0 ? Free(width, width * error(layout.logWidth)) : Held(width);
        result.factor = Free(factor * data.yScale, error(layout.factor) * data.yScale);
        result.share = layout.share >= 0 ? Free(share, share * (1.0 - share) * error(layout.share))
                                         : Held(mixed ? share : 0.0);
        result.baselineCentre = data.centre;
        for (int t = 0; t < layout.baselineTerms; ++t) {
            const double unit = data.yScale / std::pow(data.half, t);
            result.baseline.push_back(
                Free(gsl_vector_get(p, static_cast<std::size_t>(layout.baseline + t)) * unit,
                     error(layout.baseline + t) * unit));
        }
        result.points = static_cast<int>(n);
        result.parameters = layout.size;
        result.rss = rss * data.yScale * data.yScale;
    }
    gsl_matrix_free(covariance);
    gsl_multifit_nlinear_free(work);
    gsl_vector_free(start);
    if (!result.Ok()) {
        return result;
    }

    // The statistics in the data's own units.
    const std::vector<model::BandProfile> profiles = ComparisonProfiles(problem.bands, result);
    std::vector<double> measured(n);
    std::vector<double> bands(n);
    double mean = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
        mean += data.y[j] * data.yScale;
    }
    mean /= static_cast<double>(n);
    double total = 0.0;
    double dot = 0.0;
    double mm = 0.0;
    double bb = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
        const double y = data.y[j] * data.yScale;
        total += (y - mean) * (y - mean);
        measured[j] = y - ComparisonBaselineAt(result, data.x[j]);
        bands[j] = ComparisonBandsAt(profiles, data.x[j]);
        dot += measured[j] * bands[j];
        mm += measured[j] * measured[j];
        bb += bands[j] * bands[j];
    }
    result.rSquared = 1.0 - result.rss / total;
    const double r = Pearson(measured, bands);
    result.pearson = std::isfinite(r) ? r : 0.0;
    result.cosine = mm > 0.0 && bb > 0.0 ? dot / std::sqrt(mm * bb) : 0.0;
    const bool finite = std::isfinite(result.scale.value) && std::isfinite(result.scale.error) &&
                        std::isfinite(result.width.value) && std::isfinite(result.factor.value) &&
                        std::isfinite(result.rSquared);
    if (!finite) {
        result.failure = TRAZEL_TR("Comparison", "un valor del ajuste no es un número finito");
        return result;
    }
    result.agreement = result.pearson >= 0.9   ? Agreement::Good
                       : result.pearson >= 0.7 ? Agreement::Partial
                                               : Agreement::None;
    return result;
}

std::vector<model::BandProfile> ComparisonProfiles(const std::vector<ComputedBand>& bands,
                                                   const ComparisonResult& result) {
    std::vector<model::BandProfile> profiles;
    for (const ComputedBand& band : bands) {
        profiles.push_back(Profile(band, result.scale.value, result.shift.value,
                                   result.factor.value, result.width.value, result.share.value));
    }
    return profiles;
}

double ComparisonBaselineAt(const ComparisonResult& result, double x) {
    double value = 0.0;
    for (auto c = result.baseline.rbegin(); c != result.baseline.rend(); ++c) {
        value = value * (x - result.baselineCentre) + c->value;
    }
    return value;
}

double ComparisonBandsAt(const std::vector<model::BandProfile>& profiles, double x) {
    double value = 0.0;
    for (const model::BandProfile& profile : profiles) {
        value += profile.At(x);
    }
    return value;
}

std::string AgreementText(const ComparisonResult& result) {
    const std::string r = FormatG(result.pearson, 3);
    switch (result.agreement) {
        case Agreement::Good:
            return Fill(
                TRAZEL_TR("Comparison", "El cálculo reproduce el espectro medido (r = %1)."), {r});
        case Agreement::Partial:
            return Fill(
                TRAZEL_TR("Comparison",
                          "El cálculo reproduce el espectro medido solo en parte (r = %1)."),
                {r});
        case Agreement::None:
            break;
    }
    return Fill(TRAZEL_TR("Comparison", "El cálculo no reproduce el espectro medido (r = %1)."),
                {r});
}

}  // namespace trazel::fit
