#include "fit/band_model.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "fit/column_products.h"

using namespace trazel::model;

namespace trazel::fit {

namespace {

constexpr double kLn2 = std::numbers::ln2;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Four doubles side by side, each lane rounded as the scalar arithmetic
// would be: the build never fuses a multiply with an add.
using Four = double __attribute__((vector_size(32)));

// A Lorentzian's slopes at u = x - centre, for a double or four at once:
// by its centre, times factor[0], by its height, times factor[1], and by
// the log of its width, times factor[2]; height 1 and factors 1 give the
// shape's own slopes.
template <typename T>
[[gnu::always_inline]] inline void LorentzianSlopes(const T& u, double hh, double height,
                                                    const double (&factor)[3], T& centre,
                                                    T& intensity, T& width) {
    const T denominator = u * u + hh;
    const T dIntensity = hh / denominator;
    const T term = height * dIntensity;
    centre = (2.0 * term * u / denominator) * factor[0];
    intensity = dIntensity * factor[1];
    width = (2.0 * term * u * u / denominator) * factor[2];
}

// The slopes of a Lorentzian at the n points x into three columns, four
// points at a time.
[[gnu::always_inline]] inline void LorentzianColumns(const double* x, std::size_t n, double centre,
                                                     double hh, double height,
                                                     const double (&factor)[3], double* byCentre,
                                                     double* byHeight, double* byWidth) {
    std::size_t j = 0;
    for (; j + 4 <= n; j += 4) {
        Four u;
        std::memcpy(&u, x + j, sizeof u);
        u = u - centre;
        Four c;
        Four r;
        Four w;
        LorentzianSlopes(u, hh, height, factor, c, r, w);
        std::memcpy(byCentre + j, &c, sizeof c);
        std::memcpy(byHeight + j, &r, sizeof r);
        std::memcpy(byWidth + j, &w, sizeof w);
    }
    for (; j < n; ++j) {
        LorentzianSlopes(x[j] - centre, hh, height, factor, byCentre[j], byHeight[j], byWidth[j]);
    }
}

// A Voigt band's slopes at x from its w(z), for a double or four at once:
// BandProfile::VoigtArgument, FaddeevaSlope and BandProfile::VoigtSlopes
// written out, the same operations in the same order, each slope times its
// factor (by the centre, height, width and share).
template <typename T>
[[gnu::always_inline]] inline void VoigtSlopesFromW(const BandProfile& profile, const T& x,
                                                    const T& wr, const T& wi,
                                                    const double (&factor)[4], T& byCentre,
                                                    T& byHeight, T& byWidth, T& byShare) {
    const VoigtWidths& voigt = profile.voigt;
    const double sigma = voigt.sigma;
    const double c = 1.0 / (sigma * std::numbers::sqrt2);
    const T t = (x - profile.centre) / profile.width;
    const T zr = t * c;
    const double a = voigt.gamma * c;
    // w'(z) = -2 z w + 2i / sqrt(pi).
    const T mr = -2.0 * zr;
    const double mi = -2.0 * a;
    const T sr = (mr * wr - mi * wi) + 0.0;
    const T si = (mr * wi + mi * wr) + 2.0 * std::numbers::inv_sqrtpi;
    const double top = voigt.top;
    const T r = wr / top;
    const T byT = sr * c / top;
    byHeight = r * factor[1];
    byCentre = (-profile.intensity * (byT / profile.width)) * factor[0];
    byWidth = (profile.intensity * (-byT * t / profile.width)) * factor[2];
    const double perSigma = -voigt.sigmaSlope / sigma;
    const T zByShareReal = 0.0 + zr * perSigma;
    const double zByShareImaginary = 0.5 * c + a * perSigma;
    const double aByShare = 0.5 * c + a * perSigma;
    byShare =
        (profile.intensity *
         ((sr * zByShareReal - si * zByShareImaginary) - r * voigt.topSlope * aByShare) / top) *
        factor[3];
}

// The slopes of a Voigt band at the n points x into four columns, from its
// w at those points, four points at a time.
[[gnu::always_inline]] inline void VoigtColumns(const BandProfile& profile, const double* x,
                                                std::size_t n, const std::complex<double>* w,
                                                const double (&factor)[4], double* byCentre,
                                                double* byHeight, double* byWidth,
                                                double* byShare) {
    const auto* parts = reinterpret_cast<const double*>(w);
    std::size_t j = 0;
    for (; j + 4 <= n; j += 4) {
        Four xj;
        std::memcpy(&xj, x + j, sizeof xj);
        const double* p = parts + 2 * j;
        const Four wr = {p[0], p[2], p[4], p[6]};
        const Four wi = {p[1], p[3], p[5], p[7]};
        Four c;
        Four r;
        Four s;
        Four v;
        VoigtSlopesFromW(profile, xj, wr, wi, factor, c, r, s, v);
        std::memcpy(byCentre + j, &c, sizeof c);
        std::memcpy(byHeight + j, &r, sizeof r);
        std::memcpy(byWidth + j, &s, sizeof s);
        std::memcpy(byShare + j, &v, sizeof v);
    }
    for (; j < n; ++j) {
        VoigtSlopesFromW(profile, x[j], w[j].real(), w[j].imag(), factor, byCentre[j], byHeight[j],
                         byWidth[j], byShare[j]);
    }
}

}  // namespace

// What the product of two columns over the points adds to JᵀJ (its upper
// triangle): each pair of their parameters gets it times both coefficients.
// Two different columns of one parameter add theirs twice (J_p·J_p holds
// a·b and b·a), and a column's own product adds once to each pair of its
// parameters.
void BandModel::AddProduct(const Column& left, const Column& right, bool same, double product,
                           std::size_t size, std::span<double> jtj) {
    for (std::size_t s = 0; s < left.targetCount; ++s) {
        for (std::size_t t = same ? s : 0; t < right.targetCount; ++t) {
            const Target& l = left.targets[s];
            const Target& r = right.targets[t];
            const std::size_t i = std::min(l.parameter, r.parameter);
            const std::size_t j = std::max(l.parameter, r.parameter);
            const double twice = !same && i == j ? 2.0 : 1.0;
            jtj[i * size + j] += twice * (l.coefficient * r.coefficient) * product;
        }
    }
}

// The loops over the points run in versions for AVX2 and AVX-512 where the
// processor has them. Besides the wider registers, this keeps them in VEX
// encoding: once a program's window system has left the upper halves of the
// vector registers in use, every plain SSE instruction pays for the switch,
// and the fit ran several times slower in the window than on the command line.
// ThreadSanitizer cannot run the code that picks the version at start-up,
// and clang's fuzzing builds cannot link the versions.
#if defined(__x86_64__) && !defined(__SANITIZE_THREAD__) && !defined(TRAZEL_NO_VECTOR_VERSIONS)
#define TRAZEL_VECTOR_VERSIONS [[gnu::target_clones("avx512f", "avx2", "default")]]
#else
#define TRAZEL_VECTOR_VERSIONS
#endif

double Bound::Value(double u) const {
    switch (kind) {
        case Kind::NonNegative:
            return u * u;
        case Kind::Between: {
            const double c = 0.5 * (lo + hi);
            const double h = 0.5 * (hi - lo);
            return std::clamp(c + h * std::sin((u - c) / h), lo, hi);
        }
        case Kind::None:
            break;
    }
    return u;
}

double Bound::Slope(double u) const {
    switch (kind) {
        case Kind::NonNegative:
            return 2.0 * u;
        case Kind::Between: {
            const double c = 0.5 * (lo + hi);
            const double h = 0.5 * (hi - lo);
            return std::cos((u - c) / h);
        }
        case Kind::None:
            break;
    }
    return 1.0;
}

double Bound::Internal(double value) const {
    switch (kind) {
        case Kind::NonNegative:
            return std::sqrt(std::max(value, 0.0));
        case Kind::Between: {
            // A thousandth of the span inside: the sine's slope is 0 on a
            // bound, and a value there would never move.
            const double inside = 1e-3 * (hi - lo);
            const double c = 0.5 * (lo + hi);
            const double h = 0.5 * (hi - lo);
            const double v = std::clamp(value, lo + inside, hi - inside);
            return c + h * std::asin(std::clamp((v - c) / h, -1.0, 1.0));
        }
        case Kind::None:
            break;
    }
    return value;
}

bool Bound::At(double value, double scale) const {
    switch (kind) {
        case Kind::NonNegative:
            return value <= 1e-6 * scale;
        case Kind::Between:
            return std::min(value - lo, hi - value) <= 1e-6 * (hi - lo);
        case Kind::None:
            break;
    }
    return false;
}

double Bound::Nearest(double value) const {
    switch (kind) {
        case Kind::NonNegative:
            return 0.0;
        case Kind::Between:
            return value - lo <= hi - value ? lo : hi;
        case Kind::None:
            break;
    }
    return value;
}

double Bound::OnBound(double value) const {
    if (kind != Kind::Between) {
        return 0.0;
    }
    const double c = 0.5 * (lo + hi);
    const double h = 0.5 * (hi - lo);
    return c + (Nearest(value) == lo ? -h : h) * std::numbers::pi / 2.0;
}

namespace {

Bound Between(double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b) || a == b) {
        return {};
    }
    return {Bound::Kind::Between, std::min(a, b), std::max(a, b)};
}

// The median distance between neighbouring x, 0 for fewer than two.
double MedianStep(std::span<const double> xs) {
    std::vector<double> steps;
    for (std::size_t i = 1; i < xs.size(); ++i) {
        if (xs[i] > xs[i - 1]) {
            steps.push_back(xs[i] - xs[i - 1]);
        }
    }
    if (steps.empty()) {
        return 0.0;
    }
    const auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    return *middle;
}

}  // namespace

BandModel::BandModel(const FitProblem& problem, std::span<const double> xs, double yRange)
    : problem_(problem), xs_(xs), yRange_(yRange > 0.0 ? yRange : 1.0) {
    const double first = xs.empty() ? 0.0 : xs.front();
    const double last = xs.empty() ? 0.0 : xs.back();
    centre_ = 0.5 * (first + last);
    // A band narrower than half the step between points falls between
    // them; one wider than the range is part of the baseline.
    const Bound width = Between(0.5 * MedianStep(xs), last - first);
    const auto add = [this](Kind kind, int band, Bound bound, int power = 0) {
        parameters_.push_back({kind, band, power, bound});
        return static_cast<int>(parameters_.size() - 1);
    };
    for (int k = 1; k <= problem.table.PeakCount(); ++k) {
        const auto i = static_cast<std::size_t>(k);
        const Freedom& freedom = problem.freedom[i];
        const double scale = problem.useScaled ? problem.table.Band(k).scale : 1.0;
        std::array<int, 4> slots{-1, -1, -1, -1};
        if (freedom.position) {
            slots[0] = add(Kind::Position, k,
                           scale != 0.0 ? Between(first / scale, last / scale) : Bound{});
        }
        if (freedom.intensity) {
            slots[1] = add(Kind::Intensity, k,
                           problem.allowNegative ? Bound{} : Bound{Bound::Kind::NonNegative});
        }
        if (freedom.width) {
            slots[2] =
                add(Kind::Width, k,
                    width.kind == Bound::Kind::None ? Bound{Bound::Kind::NonNegative} : width);
        }
        if (freedom.share && IsMixed(problem.table.Band(k).shape)) {
            slots[3] = add(Kind::Share, k, Bound{Bound::Kind::Between, 0.0, 1.0});
        }
        bandParameters_.push_back(slots);
    }
    baselineTerms_ = BaselineTerms(problem.baseline);
    for (int power = 0; power < baselineTerms_; ++power) {
        const int slot = add(Kind::Baseline, 0, Bound{}, power);
        if (power == 0) {
            baselineFirst_ = slot;
        }
    }
    // A band has at most six columns in a block (a pseudo-Voigt's, three
    // Lorentzian and three Gaussian, even with its share held), a term of
    // the baseline one.
    bands_.reserve(bandParameters_.size());
    reaches_.reserve(bandParameters_.size());
    gaussianReaches_.reserve(bandParameters_.size());
    const std::size_t columns =
        6 * bandParameters_.size() + static_cast<std::size_t>(baselineTerms_);
    columns_.reserve(columns);
    block_.resize(columns * std::min(kBlock, std::max<std::size_t>(xs.size(), 1)));
}

std::vector<double> BandModel::Start() const {
    return Start(problem_.table);
}

std::vector<double> BandModel::Start(const PeakTable& table) const {
    std::vector<double> p(parameters_.size(), 0.0);
    for (std::size_t i = 0; i < parameters_.size(); ++i) {
        const Parameter& parameter = parameters_[i];
        const auto k = static_cast<std::size_t>(parameter.band);
        switch (parameter.kind) {
            case Kind::Position:
                p[i] = parameter.bound.Internal(table.Band(k).position);
                break;
            case Kind::Intensity: {
                double start = table.Band(k).intensity;
                // u² has no slope at 0: a band that starts there, or below,
                // where it may not go, starts as a small one of its size.
                if (parameter.bound.kind == Bound::Kind::NonNegative && !(start > 1e-3 * yRange_)) {
                    start = std::max(std::fabs(start), 1e-3 * yRange_);
                }
                p[i] = parameter.bound.Internal(start);
                break;
            }
            case Kind::Width:
                p[i] = parameter.bound.Internal(table.Band(k).width);
                break;
            case Kind::Share:
                p[i] = parameter.bound.Internal(table.Band(k).share);
                break;
            case Kind::Baseline:
                break;
        }
    }
    return p;
}

std::vector<double> BandModel::ValuesOf(std::span<const double> p) const {
    std::vector<double> values(parameters_.size());
    for (std::size_t i = 0; i < parameters_.size(); ++i) {
        values[i] = parameters_[i].bound.Value(p[i]);
    }
    return values;
}

void BandModel::Bands(std::span<const double> p) const {
    const PeakTable& table = problem_.table;
    std::vector<BandNow>& bands = bands_;
    bands.clear();
    for (int k = 1; k <= table.PeakCount(); ++k) {
        const auto& slots = bandParameters_[static_cast<std::size_t>(k - 1)];
        const auto at = [&](int slot) {
            const auto i = static_cast<std::size_t>(slot);
            return parameters_[i].bound.Value(p[i]);
        };
        const auto slope = [&](int slot) {
            if (slot < 0) {
                return 1.0;
            }
            const auto i = static_cast<std::size_t>(slot);
            return parameters_[i].bound.Slope(p[i]);
        };
        BandNow band;
        band.index = k;
        band.position = slots[0];
        band.intensityParameter = slots[1];
        band.widthParameter = slots[2];
        band.positionSlope = slope(slots[0]);
        band.intensitySlope = slope(slots[1]);
        band.widthSlope = slope(slots[2]);
        band.shareParameter = slots[3];
        band.shareSlope = slope(slots[3]);
        const double scale = table.Band(k).scale;
        band.centrePerPosition = problem_.useScaled ? scale : 1.0;
        if (slots[0] >= 0) {
            band.centre = problem_.useScaled ? at(slots[0]) * scale : at(slots[0]);
        } else {
            band.centre =
                problem_.useScaled ? table.Band(k).scaledPosition : table.Band(k).position;
        }
        band.intensity = slots[1] >= 0 ? at(slots[1]) : table.Band(k).intensity;
        band.width = slots[2] >= 0 ? at(slots[2]) : table.Band(k).width;
        band.shape = ShapeOf(table.Band(k), problem_.lineShape);
        if (IsMixed(band.shape)) {
            Peak now = table.Band(k);
            now.share = slots[3] >= 0 ? at(slots[3]) : now.share;
            band.profile = ProfileOf(now, problem_.lineShape, false);
            band.profile.centre = band.centre;
            band.profile.intensity = band.intensity;
            band.profile.width = band.width;
        }
        bands.push_back(band);
    }
}

std::pair<std::size_t, std::size_t> BandModel::Reach(const BandNow& band) const {
    const double reach =
        (band.shape == BandShape::Gaussian ? kGaussianReach : kLorentzianReach) * band.width;
    const auto first = std::lower_bound(xs_.begin(), xs_.end(), band.centre - reach);
    const auto last = std::upper_bound(first, xs_.end(), band.centre + reach);
    return {static_cast<std::size_t>(first - xs_.begin()),
            static_cast<std::size_t>(last - xs_.begin())};
}

std::pair<std::size_t, std::size_t> BandModel::GaussianReach(const BandNow& band) const {
    const double reach = kGaussianReach * band.width;
    const auto first = std::lower_bound(xs_.begin(), xs_.end(), band.centre - reach);
    const auto last = std::upper_bound(first, xs_.end(), band.centre + reach);
    return {static_cast<std::size_t>(first - xs_.begin()),
            static_cast<std::size_t>(last - xs_.begin())};
}

TRAZEL_VECTOR_VERSIONS
void BandModel::Values(std::span<const double> p, std::span<double> model) const {
    const auto pEnd = p.begin() + static_cast<std::ptrdiff_t>(parameters_.size());
    if (lastValues_.size() == xs_.size() &&
        std::equal(lastP_.begin(), lastP_.end(), p.begin(), pEnd)) {
        std::copy(lastValues_.begin(), lastValues_.end(), model.begin());
        return;
    }
    std::fill(model.begin(), model.begin() + static_cast<std::ptrdiff_t>(xs_.size()), 0.0);
    // Band by band in ascending index order, each term added to the sum so
    // far as the document's sum adds them.
    Bands(p);
    std::size_t voigtPoints = 0;
    voigtFirst_.assign(bands_.size(), kNone);
    for (const BandNow& band : bands_) {
        if (band.shape == BandShape::Voigt && band.profile.voigt.sigma > 0.0) {
            voigtPoints += xs_.size();
        }
    }
    cachedP_.clear();
    if (voigtPoints > 0 && voigtPoints <= kCachedW) {
        voigtW_.resize(voigtPoints);
        std::size_t next = 0;
        for (std::size_t b = 0; b < bands_.size(); ++b) {
            if (bands_[b].shape == BandShape::Voigt && bands_[b].profile.voigt.sigma > 0.0) {
                voigtFirst_[static_cast<std::size_t>(bands_[b].index - 1)] = next;
                next += xs_.size();
            }
        }
        cachedP_.assign(p.begin(), pEnd);
    }
    for (const BandNow& band : bands_) {
        const double h = 0.5 * band.width;
        const double hh = h * h;
        if (band.shape == BandShape::PseudoVoigt) {
            // The profile's own operations, written out so that the points go
            // side by side; the Gaussian part only within its reach, past
            // which it is below 1e-24 of the band's height.
            const double eta = band.profile.share;
            const double numerator = (h * band.intensity) * h;
            const auto [gaussianFirst, gaussianLast] = GaussianReach(band);
            const auto lorentzian = [&](std::size_t from, std::size_t to) {
                for (std::size_t i = from; i < to; ++i) {
                    const double d = band.centre - xs_[i];
                    model[i] = eta * (numerator / ((d * d) + hh)) + model[i];
                }
            };
            lorentzian(0, gaussianFirst);
            for (std::size_t i = gaussianFirst; i < gaussianLast; ++i) {
                const double d = band.centre - xs_[i];
                const double a = ((d * NEG_LN2) * d) / hh;
                const double g = std::exp(a) * band.intensity;
                const double l = numerator / ((d * d) + hh);
                model[i] = (eta * l + (1.0 - eta) * g) + model[i];
            }
            lorentzian(gaussianLast, xs_.size());
        } else if (band.profile.voigt.sigma > 0.0) {
            // Lorentzian tails: every point, as for a Lorentzian; w kept
            // for the derivatives at this p where there is room; w of many
            // points at once (FaddeevaRow).
            const std::size_t first = voigtFirst_[static_cast<std::size_t>(band.index - 1)];
            if (first == kNone) {
                nearW_.resize(xs_.size());
            }
            std::complex<double>* w = first != kNone ? voigtW_.data() + first : nearW_.data();
            // Re z and then the values as VoigtArgument and VoigtValue
            // work them out, four points at a time.
            const BandProfile& profile = band.profile;
            const double c = 1.0 / (profile.voigt.sigma * std::numbers::sqrt2);
            const std::size_t n = xs_.size();
            nearX_.resize(n);
            std::size_t i = 0;
            for (; i + 4 <= n; i += 4) {
                Four x;
                std::memcpy(&x, xs_.data() + i, sizeof x);
                const Four real = ((x - profile.centre) / profile.width) * c;
                std::memcpy(nearX_.data() + i, &real, sizeof real);
            }
            for (; i < n; ++i) {
                nearX_[i] = ((xs_[i] - profile.centre) / profile.width) * c;
            }
            FaddeevaRow(nearX_.data(), n, profile.VoigtArgument(0.0).imag(), w);
            const auto* parts = reinterpret_cast<const double*>(w);
            for (i = 0; i + 4 <= n; i += 4) {
                const double* p4 = parts + 2 * i;
                const Four wr = {p4[0], p4[2], p4[4], p4[6]};
                Four sum;
                std::memcpy(&sum, model.data() + i, sizeof sum);
                sum = profile.intensity * wr / profile.voigt.top + sum;
                std::memcpy(model.data() + i, &sum, sizeof sum);
            }
            for (; i < n; ++i) {
                model[i] = profile.VoigtValue(w[i]) + model[i];
            }
        } else if (IsMixed(band.shape)) {
            for (std::size_t i = 0; i < xs_.size(); ++i) {
                model[i] = band.profile.At(xs_[i]) + model[i];
            }
        } else if (band.shape == BandShape::Lorentzian) {
            const double numerator = (h * band.intensity) * h;
            for (std::size_t i = 0; i < xs_.size(); ++i) {
                const double d = band.centre - xs_[i];
                model[i] = numerator / ((d * d) + hh) + model[i];
            }
        } else {
            const auto [first, last] = Reach(band);
            for (std::size_t i = first; i < last; ++i) {
                const double d = band.centre - xs_[i];
                model[i] = std::exp(((d * NEG_LN2) * d) / hh) * band.intensity + model[i];
            }
        }
    }
    if (baselineFirst_ >= 0) {
        const double* c = p.data() + baselineFirst_;
        for (std::size_t i = 0; i < xs_.size(); ++i) {
            // Horner's rule from the highest power down.
            const double t = xs_[i] - centre_;
            double value = 0.0;
            for (int power = baselineTerms_ - 1; power >= 0; --power) {
                value = value * t + c[power];
            }
            model[i] += value;
        }
    }
    lastP_.assign(p.begin(), pEnd);
    lastValues_.assign(model.begin(), model.begin() + static_cast<std::ptrdiff_t>(xs_.size()));
}

TRAZEL_VECTOR_VERSIONS
void BandModel::BlockColumns(std::size_t start, std::size_t end) const {
    columns_.clear();
    double* free = block_.data();
    // A column for each of the parameters (-1: held) it moves.
    const auto push = [this](const double* values, std::size_t first, std::size_t count,
                             int parameter, double coefficient, int second = -1,
                             double secondCoefficient = 0.0) {
        Column column;
        for (const auto& [parameter, coefficient] :
             {std::pair{parameter, coefficient}, std::pair{second, secondCoefficient}}) {
            if (parameter >= 0) {
                column.targets[column.targetCount++] = {static_cast<std::size_t>(parameter),
                                                        coefficient};
            }
        }
        if (values != nullptr && count > 0 && column.targetCount > 0) {
            column.first = first;
            column.count = count;
            column.values = values;
            columns_.push_back(column);
        }
    };
    for (std::size_t b = 0; b < bands_.size(); ++b) {
        const BandNow& band = bands_[b];
        const auto [reachFirst, reachLast] = reaches_[b];
        const std::size_t first = std::max(reachFirst, start);
        const std::size_t last = std::min(reachLast, end);
        if (first >= last || (band.position < 0 && band.intensityParameter < 0 &&
                              band.widthParameter < 0 && band.shareParameter < 0)) {
            continue;
        }
        const std::size_t n = last - first;
        // Each derivative by the value, times the value's slope by its u.
        const double perPosition = band.centrePerPosition * band.positionSlope;
        const double perWidth = band.widthSlope / band.width;
        const double h = 0.5 * band.width;
        const double hh = h * h;
        if (band.shape == BandShape::PseudoVoigt) {
            // eta L + (1 - eta) G times the height: the Lorentzian's slopes
            // over every point, the Gaussian's within its reach, each shared
            // out to the parameters it moves.
            const double eta = band.profile.share;
            const double height = band.intensity;
            const std::size_t gaussianFirst = std::clamp(gaussianReaches_[b].first, first, last);
            const std::size_t gaussianLast =
                std::clamp(gaussianReaches_[b].second, gaussianFirst, last);
            const std::size_t gn = gaussianLast - gaussianFirst;
            const bool heights = band.intensityParameter >= 0 || band.shareParameter >= 0;
            const auto take = [&free](bool wanted, std::size_t count) {
                double* values = wanted && count > 0 ? free : nullptr;
                free += values ? count : 0;
                return values;
            };
            double* rl = take(heights, n);
            double* cl = take(band.position >= 0, n);
            double* wl = take(band.widthParameter >= 0, n);
            double* rg = take(heights, gn);
            double* cg = take(band.position >= 0, gn);
            double* wg = take(band.widthParameter >= 0, gn);
            if (rl != nullptr && cl != nullptr && wl != nullptr) {
                // As below, with every value free: four points at once.
                LorentzianColumns(xs_.data() + first, n, band.centre, hh, 1.0, {1.0, 1.0, 1.0}, cl,
                                  rl, wl);
            }
            for (std::size_t j = 0; j < n && !(rl != nullptr && cl != nullptr && wl != nullptr);
                 ++j) {
                const double u = xs_[first + j] - band.centre;
                const double denominator = u * u + hh;
                const double r = hh / denominator;
                if (rl) {
                    rl[j] = r;
                }
                if (cl) {
                    cl[j] = 2.0 * r * u / denominator;
                }
                if (wl) {
                    wl[j] = 2.0 * r * u * u / denominator;
                }
            }
            for (std::size_t j = 0; j < gn; ++j) {
                const double u = xs_[gaussianFirst + j] - band.centre;
                const double a = -kLn2 * u * u / hh;
                const double r = std::exp(a);
                if (rg) {
                    rg[j] = r;
                }
                if (cg) {
                    cg[j] = 2.0 * kLn2 * r * u / hh;
                }
                if (wg) {
                    wg[j] = -2.0 * a * r;
                }
            }
            const double heightPart = eta * band.intensitySlope;
            const double sharePart = height * band.shareSlope;
            push(rl, first, n, band.intensityParameter, heightPart, band.shareParameter, sharePart);
            push(cl, first, n, band.position, height * eta * perPosition);
            push(wl, first, n, band.widthParameter, height * eta * perWidth);
            push(rg, gaussianFirst, gn, band.intensityParameter, (1.0 - eta) * band.intensitySlope,
                 band.shareParameter, -sharePart);
            push(cg, gaussianFirst, gn, band.position, height * (1.0 - eta) * perPosition);
            push(wg, gaussianFirst, gn, band.widthParameter, height * (1.0 - eta) * perWidth);
            continue;
        }
        // A held value has no column; its derivatives go to a slot no one reads.
        double* position = band.position >= 0 ? free : nullptr;
        free += position ? n : 0;
        double* intensity = band.intensityParameter >= 0 ? free : nullptr;
        free += intensity ? n : 0;
        double* width = band.widthParameter >= 0 ? free : nullptr;
        free += width ? n : 0;
        double* share = band.shareParameter >= 0 ? free : nullptr;
        free += share ? n : 0;
        if (IsMixed(band.shape)) {
            const bool voigt = band.shape == BandShape::Voigt && band.profile.voigt.sigma > 0.0;
            const std::size_t held = useCachedW_ && voigt
                                         ? voigtFirst_[static_cast<std::size_t>(band.index - 1)]
                                         : kNone;
            const bool allFree =
                position != nullptr && intensity != nullptr && width != nullptr && share != nullptr;
            if (held != kNone && allFree) {
                // The loop below with w held and every value free, four
                // points at a time: the same bits.
                VoigtColumns(band.profile, xs_.data() + first, n, voigtW_.data() + held + first,
                             {perPosition, band.intensitySlope, band.widthSlope, band.shareSlope},
                             position, intensity, width, share);
            }
            for (std::size_t j = 0; j < n && !(held != kNone && allFree); ++j) {
                const double x = xs_[first + j];
                BandProfile::Slopes s;
                if (held != kNone) {
                    const std::complex<double> w = voigtW_[held + first + j];
                    s = band.profile.VoigtSlopes(
                        x, {w, FaddeevaSlope(band.profile.VoigtArgument(x), w)});
                } else {
                    s = band.profile.SlopesAt(x);
                }
                if (position) {
                    position[j] = s.centre * perPosition;
                }
                if (intensity) {
                    intensity[j] = s.intensity * band.intensitySlope;
                }
                if (width) {
                    width[j] = s.width * band.widthSlope;
                }
                if (share) {
                    share[j] = s.share * band.shareSlope;
                }
            }
        }
        const bool allFree = position != nullptr && intensity != nullptr && width != nullptr;
        if (band.shape == BandShape::Lorentzian && allFree) {
            // The loop below for a Lorentzian band with every value free,
            // four points at a time: the same operations in the same order,
            // so the same bits.
            LorentzianColumns(xs_.data() + first, n, band.centre, hh, band.intensity,
                              {perPosition, band.intensitySlope, perWidth}, position, intensity,
                              width);
        }
        for (std::size_t j = 0;
             j < n && !IsMixed(band.shape) && !(band.shape == BandShape::Lorentzian && allFree);
             ++j) {
            const double u = xs_[first + j] - band.centre;
            double dIntensity;
            double dCentre;
            double dLogWidth;
            if (band.shape == BandShape::Lorentzian) {
                const double denominator = u * u + hh;
                dIntensity = hh / denominator;
                const double term = band.intensity * dIntensity;
                dCentre = 2.0 * term * u / denominator;
                dLogWidth = 2.0 * term * u * u / denominator;
            } else {
                const double a = -kLn2 * u * u / hh;
                dIntensity = std::exp(a);
                const double term = band.intensity * dIntensity;
                dCentre = 2.0 * kLn2 * term * u / hh;
                dLogWidth = -2.0 * a * term;
            }
            if (position) {
                position[j] = dCentre * perPosition;
            }
            if (intensity) {
                intensity[j] = dIntensity * band.intensitySlope;
            }
            if (width) {
                width[j] = dLogWidth * perWidth;
            }
        }
        push(position, first, n, band.position, 1.0);
        push(intensity, first, n, band.intensityParameter, 1.0);
        push(width, first, n, band.widthParameter, 1.0);
        push(share, first, n, band.shareParameter, 1.0);
    }
    const std::size_t n = end - start;
    for (int power = 0; power < baselineTerms_; ++power) {
        for (std::size_t j = 0; j < n; ++j) {
            free[j] = std::pow(xs_[start + j] - centre_, power);
        }
        push(free, start, n, baselineFirst_ + power, 1.0);
        free += n;
    }
}

TRAZEL_VECTOR_VERSIONS
void BandModel::NormalEquations(std::span<const double> p, std::span<const double> u,
                                std::span<double> jtu, std::span<double> jtj) const {
    const std::size_t size = parameters_.size();
    std::fill(jtu.begin(), jtu.begin() + static_cast<std::ptrdiff_t>(size), 0.0);
    if (!jtj.empty()) {
        std::fill(jtj.begin(), jtj.begin() + static_cast<std::ptrdiff_t>(size * size), 0.0);
    }
    // JᵀJ does not depend on u: the covariance asks again for the one the
    // solver's last step had, at the same p, and a start taken again has it.
    const bool held =
        !jtj.empty() && jtjP_.size() == size && std::equal(jtjP_.begin(), jtjP_.end(), p.begin());
    if (held) {
        std::copy(jtjHeld_.begin(), jtjHeld_.end(), jtj.begin());
        jtj = {};
    }
    Bands(p);
    PrepareBlocks();
    useCachedW_ = HoldsW(p);
    for (std::size_t start = 0; start < xs_.size(); start += kBlock) {
        const std::size_t end = std::min(xs_.size(), start + kBlock);
        BlockColumns(start, end);
        // The columns over the whole block (a Lorentzian's, the baseline's)
        // are multiplied pair by pair all at once; their products are the
        // same bits as ColumnDot's, and go into JᵀJ in the same order.
        dense_.clear();
        denseIndex_.assign(columns_.size(), kNone);
        for (std::size_t a = 0; a < columns_.size() && !jtj.empty(); ++a) {
            if (columns_[a].first == start && columns_[a].count == end - start) {
                denseIndex_[a] = dense_.size();
                dense_.push_back(columns_[a].values);
            }
        }
        const std::size_t m = dense_.size();
        if (m > 1) {
            denseProducts_.resize(m * m);
            ColumnProducts(dense_, end - start, denseProducts_, lanes_);
        }
        for (std::size_t a = 0; a < columns_.size(); ++a) {
            const Column& left = columns_[a];
            const double product = ColumnDot(left.values, u.data() + left.first, left.count);
            for (std::size_t t = 0; t < left.targetCount; ++t) {
                jtu[left.targets[t].parameter] += left.targets[t].coefficient * product;
            }
            if (jtj.empty()) {
                continue;
            }
            for (std::size_t b = a; b < columns_.size(); ++b) {
                const Column& right = columns_[b];
                if (m > 1 && denseIndex_[a] != kNone && denseIndex_[b] != kNone) {
                    AddProduct(left, right, a == b,
                               denseProducts_[denseIndex_[a] * m + denseIndex_[b]], size, jtj);
                    continue;
                }
                // Only the x both columns cover add anything.
                const std::size_t first = std::max(left.first, right.first);
                const std::size_t last =
                    std::min(left.first + left.count, right.first + right.count);
                if (first < last) {
                    const double product =
                        ColumnDot(left.values + (first - left.first),
                                  right.values + (first - right.first), last - first);
                    AddProduct(left, right, a == b, product, size, jtj);
                }
            }
        }
    }
    for (std::size_t i = 0; i < size && !jtj.empty(); ++i) {
        for (std::size_t j = i + 1; j < size; ++j) {
            jtj[j * size + i] = jtj[i * size + j];
        }
    }
    if (!jtj.empty()) {
        jtjP_.assign(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(size));
        jtjHeld_.assign(jtj.begin(), jtj.begin() + static_cast<std::ptrdiff_t>(size * size));
    }
}

TRAZEL_VECTOR_VERSIONS
void BandModel::Apply(std::span<const double> p, std::span<const double> u,
                      std::span<double> ju) const {
    std::fill(ju.begin(), ju.begin() + static_cast<std::ptrdiff_t>(xs_.size()), 0.0);
    Bands(p);
    PrepareBlocks();
    useCachedW_ = HoldsW(p);
    for (std::size_t start = 0; start < xs_.size(); start += kBlock) {
        BlockColumns(start, std::min(xs_.size(), start + kBlock));
        for (const Column& column : columns_) {
            double factor = 0.0;
            for (std::size_t t = 0; t < column.targetCount; ++t) {
                factor += column.targets[t].coefficient * u[column.targets[t].parameter];
            }
            for (std::size_t j = 0; j < column.count; ++j) {
                ju[column.first + j] += column.values[j] * factor;
            }
        }
    }
}

bool BandModel::HoldsW(std::span<const double> p) const {
    return !cachedP_.empty() &&
           std::equal(cachedP_.begin(), cachedP_.end(), p.begin(), p.begin() + cachedP_.size());
}

void BandModel::PrepareBlocks() const {
    reaches_.clear();
    gaussianReaches_.clear();
    for (const BandNow& band : bands_) {
        reaches_.push_back(Reach(band));
        gaussianReaches_.push_back(band.shape == BandShape::PseudoVoigt
                                       ? GaussianReach(band)
                                       : std::pair<std::size_t, std::size_t>{0, 0});
    }
}

PeakTable BandModel::TableFor(std::span<const double> p) const {
    PeakTable table = problem_.table;
    for (std::size_t i = 0; i < parameters_.size(); ++i) {
        const auto k = static_cast<std::size_t>(parameters_[i].band);
        const double value = parameters_[i].bound.Value(p[i]);
        switch (parameters_[i].kind) {
            case Kind::Position:
                table.Band(k).position = value;
                table.Band(k).scaledPosition = table.Band(k).position * table.Band(k).scale;
                break;
            case Kind::Intensity:
                table.Band(k).intensity = value;
                break;
            case Kind::Width:
                table.Band(k).width = value;
                break;
            case Kind::Share:
                table.Band(k).share = value;
                break;
            case Kind::Baseline:
                break;
        }
    }
    return table;
}

}  // namespace trazel::fit
