#include "output/band_sums.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace trazel::model;

namespace trazel::output {

namespace {

// x values that go through the arithmetic side by side; the compiler keeps
// their sums in vector registers.
constexpr std::size_t kBlock = 8;

}  // namespace

BandSums::BandSums(const PeakTable& table, std::int32_t lineShape, bool useScaled)
    : table_(table), lineShape_(lineShape), useScaled_(useScaled) {
    bands_.reserve(table.bands.size());
    for (int k = 1; k <= table.PeakCount(); ++k) {
        Band band;
        band.centre = useScaled ? table.Band(k).scaledPosition : table.Band(k).position;
        band.intensity = table.Band(k).intensity;
        const double h = 0.5 * table.Band(k).width;
        band.halfWidthSquared = h * h;
        band.numerator = (h * band.intensity) * h;
        band.zeroWhenExpIsZero = std::isfinite(band.intensity);
        const double magnitude = band.zeroWhenExpIsZero ? std::fabs(band.intensity)
                                                        : std::numeric_limits<double>::infinity();
        band.farSum = magnitude * kFarSumPerIntensity;
        band.veryFarSum = magnitude * kVeryFarSumPerIntensity;
        bands_.push_back(band);
    }
    if (HasOwnShapes(table)) {
        for (const Peak& peak : table.bands) {
            profiles_.push_back(ProfileOf(peak, lineShape, useScaled));
        }
    }
}

namespace {

// The Gaussian's exponent, operation for operation as the band formula has it.
inline double Exponent(double centre, double halfWidthSquared, double x) {
    const double d = centre - x;
    const double e = (d * NEG_LN2) * d;
    return e / halfWidthSquared;
}

// Runs over a block of x, padding a short tail with copies of its first x so
// that the block code never reads past the end.
template <typename Block>
void ForEachBlock(std::span<const double> xs, std::span<double> ys, Block&& block) {
    const std::size_t n = xs.size();
    std::size_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        block(xs.data() + i, ys.data() + i);
    }
    if (i < n) {
        double x[kBlock];
        double y[kBlock];
        std::fill(std::begin(x), std::end(x), xs[i]);
        std::copy(xs.begin() + static_cast<std::ptrdiff_t>(i), xs.end(), x);
        block(x, y);
        std::copy(y, y + (n - i), ys.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

}  // namespace

bool BandSums::Negligible(const Band& band, double a, double sum) {
    if (!band.zeroWhenExpIsZero) {
        return false;
    }
    if (a < kExpGivesZeroBelow) {
        return true;
    }
    // A sum that is not a number fails both comparisons; an infinite one
    // stays as it is whatever finite term comes.
    return a <= kFarExponent && (std::fabs(sum) > band.farSum ||
                                 (a <= kVeryFarExponent && std::fabs(sum) > band.veryFarSum));
}

void BandSums::Sums(std::span<const double> xs, std::span<double> ys) const {
    if (!profiles_.empty()) {
        for (std::size_t i = 0; i < xs.size(); ++i) {
            double sum = 0.0;
            for (const BandProfile& profile : profiles_) {
                sum = profile.At(xs[i]) + sum;
            }
            ys[i] = std::isnan(sum) ? ProfileSum(table_, lineShape_, useScaled_, xs[i]) : sum;
        }
        return;
    }
    ForEachBlock(xs, ys, [this](const double* x, double* y) { SumBlock(x, y); });
}

void BandSums::Terms(int k, std::span<const double> xs, std::span<double> ys) const {
    if (!profiles_.empty()) {
        const BandProfile& profile = profiles_[static_cast<std::size_t>(k - 1)];
        for (std::size_t i = 0; i < xs.size(); ++i) {
            const double term = profile.At(xs[i]);
            ys[i] = std::isnan(term) ? PeakTerm(table_, k, lineShape_, useScaled_, xs[i]) : term;
        }
        return;
    }
    const Band& band = bands_[static_cast<std::size_t>(k - 1)];
    ForEachBlock(xs, ys, [&](const double* x, double* y) { TermBlock(band, x, y); });
}

// Processors with AVX2 take four x per instruction instead of two, with
// AVX-512 eight. No version may fuse a multiply and an add, which rounds once
// where the band formulas round twice: -ffp-contract=off, set for every
// target of ours, keeps the compiler from it where the instructions exist.
// ThreadSanitizer cannot run the code that picks the version at start-up.
#if defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
[[gnu::target_clones("avx512f", "avx2", "default")]]
#endif
void BandSums::SumBlock(const double* x, double* y) const {
    double sum[kBlock];
    std::fill(std::begin(sum), std::end(sum), 0.0);

    if (lineShape_ == Lorentzian) {
        for (const Band& band : bands_) {
            for (std::size_t j = 0; j < kBlock; ++j) {
                const double d = band.centre - x[j];
                const double term = band.numerator / ((d * d) + band.halfWidthSquared);
                sum[j] = term + sum[j];
            }
        }
    } else {
        // With every x of the block on one side of a band's centre, the x
        // nearest the centre has the largest exponent: each rounded step of
        // the exponent keeps the order of the distances. When the term is
        // negligible even there, and against the smallest of the sums, the
        // band leaves the whole block as it was.
        bool ordered = true;
        double lowest = x[0];
        double highest = x[0];
        for (std::size_t j = 0; j < kBlock; ++j) {
            ordered = ordered && !std::isnan(x[j]);
            lowest = std::min(lowest, x[j]);
            highest = std::max(highest, x[j]);
        }
        for (const Band& band : bands_) {
            if (ordered && band.zeroWhenExpIsZero) {
                double nearest = std::numeric_limits<double>::quiet_NaN();
                if (band.centre <= lowest) {
                    nearest = Exponent(band.centre, band.halfWidthSquared, lowest);
                } else if (band.centre >= highest) {
                    nearest = Exponent(band.centre, band.halfWidthSquared, highest);
                }
                double smallestSum = std::fabs(sum[0]);
                for (std::size_t j = 1; j < kBlock; ++j) {
                    smallestSum = std::min(smallestSum, std::fabs(sum[j]));
                }
                if (Negligible(band, nearest, smallestSum)) {
                    continue;
                }
            }
            double a[kBlock];
            for (std::size_t j = 0; j < kBlock; ++j) {
                a[j] = Exponent(band.centre, band.halfWidthSquared, x[j]);
            }
            for (std::size_t j = 0; j < kBlock; ++j) {
                if (!Negligible(band, a[j], sum[j])) {
                    sum[j] = std::exp(a[j]) * band.intensity + sum[j];
                }
            }
        }
    }

    for (std::size_t j = 0; j < kBlock; ++j) {
        // A not-a-number may carry a sign or payload that depends on which
        // operand the processor took it from; the one-x function settles it.
        y[j] = std::isnan(sum[j]) ? ProfileSum(table_, lineShape_, useScaled_, x[j]) : sum[j];
    }
}

void BandSums::TermBlock(const Band& band, const double* x, double* y) const {
    const int k = static_cast<int>(&band - bands_.data()) + 1;
    for (std::size_t j = 0; j < kBlock; ++j) {
        double term;
        if (lineShape_ == Lorentzian) {
            const double d = band.centre - x[j];
            term = band.numerator / ((d * d) + band.halfWidthSquared);
        } else {
            const double a = Exponent(band.centre, band.halfWidthSquared, x[j]);
            // exp would give +0, and +0 times the intensity is this zero,
            // signed as the intensity is.
            term = band.zeroWhenExpIsZero && a < kExpGivesZeroBelow ? 0.0 * band.intensity
                                                                    : std::exp(a) * band.intensity;
        }
        y[j] = std::isnan(term) ? PeakTerm(table_, k, lineShape_, useScaled_, x[j]) : term;
    }
}

}  // namespace trazel::output
