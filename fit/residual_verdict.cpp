#include "fit/residual_verdict.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace trazel::fit {

namespace {

using Index = std::ptrdiff_t;

// The quintic's weights on the neighbours at 1, 2 and 3 steps, and the
// variance it leaves of white noise of unit variance: 1 + 2 (w1² + w2² + w3²).
constexpr double kStencil[] = {3.0 / 4.0, -3.0 / 10.0, 1.0 / 20.0};
constexpr double kWhiteGain = 2.31;
// The longest spacing tried: noise smoothed over more than this many points
// is no longer told from the bands of 10 to 20 points.
constexpr Index kLongestSpacing = 8;
// Two spacings whose spreads differ by less than this factor stand on the
// plateau the correlation's end leaves.
constexpr double kPlateau = 1.25;
// The two spacings after it may rise more, as sharp bands begin to leak into
// the widest stencils, but not by the fourfold of a correlation not yet
// passed (a running mean over four points rises 4.4 times from a spacing of
// one to three, one over five six times from one to four).
constexpr double kRise = 2.0;
// How far below white noise's the closest spacing's spread of noise smoothed
// over up to nine points falls.
constexpr double kMostCorrelated = 16.5;

double Median(std::vector<double> v) {
    if (v.empty()) {
        return 0.0;
    }
    const auto middle = v.begin() + static_cast<Index>(v.size() / 2);
    std::nth_element(v.begin(), middle, v.end());
    return *middle;
}

// The variance of the quintic's difference with its points spaced l apart,
// from the median absolute deviation (1.4826 MAD is σ for a normal law).
double SpacedSpread(std::span<const double> y, Index l) {
    const auto n = static_cast<Index>(y.size());
    const auto at = [&](Index i) { return y[static_cast<std::size_t>(i)]; };
    std::vector<double> d;
    for (Index i = 3 * l; i + 3 * l < n; ++i) {
        double predicted = 0.0;
        for (Index j = 1; j <= 3; ++j) {
            predicted += kStencil[j - 1] * (at(i - j * l) + at(i + j * l));
        }
        d.push_back(std::fabs(at(i) - predicted));
    }
    const double mad = 1.4826 * Median(std::move(d));
    return mad * mad;
}

// The correlation at lag t of noise made by a running mean over span points.
double Correlation(int span, Index t) {
    const Index s = span;
    return t >= s || t <= -s ? 0.0 : static_cast<double>(s - std::abs(t)) / static_cast<double>(s);
}

// The variance of a running mean over m points of that noise, unit variance.
double MeanVariance(int span, Index m) {
    double sum = 0.0;
    for (Index t = -(m - 1); t <= m - 1; ++t) {
        sum += static_cast<double>(m - std::abs(t)) * Correlation(span, t);
    }
    return sum / static_cast<double>(m * m);
}

double Gaussian(double u) {
    return std::exp(-4.0 * std::log(2.0) * u * u);
}

double Lorentzian(double u) {
    return 1.0 / (1.0 + 4.0 * u * u);
}

double Dot(const std::vector<double>& a, const std::vector<double>& b) {
    return std::inner_product(a.begin(), a.end(), b.begin(), 0.0);
}

// Takes from v its part along b.
void RemoveAlong(std::vector<double>& v, const std::vector<double>& b) {
    const double bb = Dot(b, b);
    if (bb > 0.0) {
        const double k = Dot(v, b) / bb;
        for (std::size_t i = 0; i < v.size(); ++i) {
            v[i] -= k * b[i];
        }
    }
}

// How much of the residual the same even pattern under every band explains:
// the difference between a Gaussian and a Lorentzian of the band's height and
// width, less what the band's own height and width absorb of it (the fit has
// taken that already), with one factor common to all bands. Returns the
// energy explained and whether every band whose own factor the data fix
// agrees in sign with the common one.
struct ShapeFit {
    double explained = 0.0;
    bool agrees = true;
};

ShapeFit SharedPattern(std::span<const double> x, std::span<const double> residual,
                       const std::vector<BandAt>& bands, bool gaussian, double noiseScale) {
    struct Local {
        double along = 0.0;
        double norm = 0.0;
    };
    std::vector<Local> each;
    for (const BandAt& band : bands) {
        if (!(band.width > 0.0) || band.height == 0.0) {
            continue;
        }
        std::vector<double> r;
        std::vector<double> own;
        std::vector<double> wider;
        std::vector<double> pattern;
        for (std::size_t i = 0; i < x.size(); ++i) {
            const double u = (x[i] - band.centre) / band.width;
            if (std::fabs(u) > 4.0) {
                continue;
            }
            const double f = gaussian ? Gaussian(u) : Lorentzian(u);
            r.push_back(residual[i]);
            own.push_back(f);
            // The change of a band with its width, up to a factor.
            wider.push_back(gaussian ? u * u * f : u * u * f * f);
            pattern.push_back(band.height * (Gaussian(u) - Lorentzian(u)));
        }
        if (pattern.size() < 5) {
            continue;
        }
        RemoveAlong(pattern, own);
        RemoveAlong(wider, own);
        RemoveAlong(pattern, wider);
        each.push_back({Dot(r, pattern), Dot(pattern, pattern)});
    }
    ShapeFit fit;
    double along = 0.0;
    double norm = 0.0;
    for (const Local& l : each) {
        along += l.along;
        norm += l.norm;
    }
    if (!(norm > 0.0)) {
        return fit;
    }
    const double common = along / norm;
    fit.explained = common * along;
    for (const Local& l : each) {
        // A band's own factor counts when it stands three spreads of the
        // noise from 0.
        if (l.norm > 0.0 && std::fabs(l.along) > 3.0 * noiseScale * std::sqrt(l.norm) &&
            (l.along > 0.0) != (common > 0.0)) {
            fit.agrees = false;
        }
    }
    return fit;
}

}  // namespace

NoiseEstimate EstimateNoise(std::span<const double> y) {
    NoiseEstimate estimate;
    const auto n = static_cast<Index>(y.size());
    // Every spacing looked at keeps at least 20 differences.
    const Index longest = std::min(kLongestSpacing, (n - 20) / 6);
    if (longest < 1) {
        return estimate;
    }
    std::vector<double> spread;
    for (Index l = 1; l <= longest + 3 && 6 * l + 20 <= n; ++l) {
        spread.push_back(SpacedSpread(y, l));
    }
    // Once the spacing reaches the noise's correlation length, its points are
    // independent and the spread is white noise's, the same at the next two
    // spacings: the first such plateau gives the noise.
    Index chosen = -1;
    for (Index l = 0; l + 3 < static_cast<Index>(spread.size()); ++l) {
        const auto at = [&spread, l](Index ahead) {
            return spread[static_cast<std::size_t>(l + ahead)];
        };
        if (at(1) < kPlateau * at(0) && at(2) < kRise * at(0) && at(3) < kRise * at(0)) {
            chosen = l;
            break;
        }
    }
    // Without one, bands leak into the wider stencils before the noise's
    // correlation ends, or so sharp that they leak into all but the closest.
    // No running mean over up to nine points lowers the closest spacing's
    // spread more than 2.31 / 0.14 = 16.5-fold: the widest spacing whose
    // spread stays within that of the closest stands for the noise, erring
    // towards more noise, never towards a false alarm from a correlation
    // missed.
    if (chosen < 0) {
        chosen = 0;
        for (Index l = 1; l < static_cast<Index>(spread.size()); ++l) {
            if (spread[static_cast<std::size_t>(l)] <= kMostCorrelated * spread[0]) {
                chosen = l;
            }
        }
    }
    estimate.sigma = std::sqrt(spread[static_cast<std::size_t>(chosen)] / kWhiteGain);
    estimate.span = static_cast<int>(chosen + 1);
    return estimate;
}

double InformationCriterion(double rss, int points, int parameters) {
    const double n = points;
    return n * std::log(rss / n) + parameters * std::log(n);
}

ResidualVerdict JudgeResidual(std::span<const double> x, std::span<const double> y,
                              std::span<const double> residual, const std::vector<BandAt>& bands,
                              int parameters, bool gaussian) {
    ResidualVerdict verdict;
    const auto n = static_cast<Index>(residual.size());
    const NoiseEstimate noise = EstimateNoise(y);
    if (n < 30 || bands.empty() || x.size() != residual.size() || y.size() != residual.size()) {
        return verdict;
    }
    double tallest = 0.0;
    std::vector<double> widths;
    for (const BandAt& band : bands) {
        if (std::fabs(band.height) > std::fabs(tallest)) {
            tallest = band.height;
        }
        widths.push_back(band.width);
    }
    const double step = (x.back() - x.front()) / static_cast<double>(n - 1);
    if (tallest == 0.0 || !(step > 0.0)) {
        return verdict;
    }
    // Noise-free data leave a residual of rounding; a floor a billionth of
    // the tallest band keeps it noise.
    const double sigma = std::max(noise.sigma, 1e-9 * std::fabs(tallest));
    verdict.noise = noise.sigma;
    verdict.noiseSpan = noise.span;
    const double squares =
        std::inner_product(residual.begin(), residual.end(), residual.begin(), 0.0);
    verdict.ratio = std::sqrt(squares / static_cast<double>(n)) / sigma;
    // The residual of a right model is the noise less what the free values
    // take of it; its RMS over the estimate spreads by about √(span/n) from
    // each, the estimate's median more widely than a mean: five such spreads.
    const double independent = static_cast<double>(n) / noise.span;
    verdict.ratioLimit = std::sqrt(std::max(0.0, 1.0 - parameters / static_cast<double>(n))) + 0.1 +
                         5.0 / std::sqrt(independent);

    // The residual smoothed by a running mean over half the bands' typical
    // width, and never shorter than the noise's correlation: a band left out
    // keeps most of its height, the noise falls to its mean's spread.
    const double widthPoints = Median(widths) / step;
    Index m = std::clamp<Index>(static_cast<Index>(std::lround(widthPoints / 2.0)), 3, n / 4);
    m = std::max<Index>(m, noise.span);
    m |= 1;
    const Index half = m / 2;
    std::vector<double> smooth(static_cast<std::size_t>(n), 0.0);
    double sum = 0.0;
    for (Index i = 0; i < m; ++i) {
        sum += residual[static_cast<std::size_t>(i)];
    }
    for (Index c = half; c + half < n; ++c) {
        if (c > half) {
            sum += residual[static_cast<std::size_t>(c + half)] -
                   residual[static_cast<std::size_t>(c - half - 1)];
        }
        smooth[static_cast<std::size_t>(c)] = sum / static_cast<double>(m);
    }
    const double sign = tallest > 0.0 ? 1.0 : -1.0;
    Index peak = half;
    for (Index c = half; c + half < n; ++c) {
        if (sign * smooth[static_cast<std::size_t>(c)] >
            sign * smooth[static_cast<std::size_t>(peak)]) {
            peak = c;
        }
    }
    const double height = smooth[static_cast<std::size_t>(peak)];
    const double smoothSpread = sigma * std::sqrt(MeanVariance(noise.span, m));
    // A band has a top: a rise that runs to the end of the range is a
    // background the model lacks.
    const bool inside = peak > half && peak + half + 1 < n;
    // Clear of the noise by six spreads of its smoothed mean (one noise draw
    // in a hundred million per window) and a band of at least 1 % of the
    // tallest.
    const bool feature =
        inside && sign * height > 6.0 * smoothSpread && sign * height >= 0.01 * std::fabs(tallest);
    if (inside && sign * height > 0.0) {
        Index left = peak;
        Index right = peak;
        while (left > half && sign * smooth[static_cast<std::size_t>(left)] > sign * height / 2.0) {
            --left;
        }
        while (right + half + 1 < n &&
               sign * smooth[static_cast<std::size_t>(right)] > sign * height / 2.0) {
            ++right;
        }
        // The running mean widens what it smooths by about half its length.
        const double seen = static_cast<double>(right - left) * step;
        const double box = 0.5 * static_cast<double>(m) * step;
        verdict.featureX = x[static_cast<std::size_t>(peak)];
        verdict.featureHeight = height;
        verdict.featureWidth =
            std::max(2.0 * step, std::sqrt(std::max(0.0, seen * seen - box * box)));
        verdict.featurePercent = 100.0 * height / tallest;
    }

    // The residual's energy beyond the noise's and the share of it the same
    // pattern under every band explains: most of it, told apart from the
    // noise by five spreads, is a line shape that does not suit.
    const double excess = squares - static_cast<double>(n - parameters) * sigma * sigma;
    const double noiseScale = sigma * std::sqrt(static_cast<double>(noise.span));
    const ShapeFit shape = SharedPattern(x, residual, bands, gaussian, noiseScale);
    const bool lineShape = shape.agrees && excess > 0.0 && shape.explained > 0.6 * excess &&
                           shape.explained > 25.0 * noiseScale * noiseScale;

    if (lineShape) {
        verdict.kind = ResidualKind::LineShape;
    } else if (feature) {
        verdict.kind = ResidualKind::MissingBand;
    } else if (verdict.ratio > verdict.ratioLimit) {
        verdict.kind = ResidualKind::Excess;
    } else {
        verdict.kind = ResidualKind::Noise;
    }
    return verdict;
}

}  // namespace trazel::fit
