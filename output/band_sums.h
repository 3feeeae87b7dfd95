#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/line_shapes.h"
#include "model/peak_table.h"

namespace trazel::output {

// ProfileSum and PeakTerm over many x at once, with every result bit for bit
// what those functions give one x at a time: the same operations in the same
// order for each x, each sum still adding the bands in ascending index order.
// What makes it faster: what depends on the band alone is worked out once,
// several x go through the arithmetic side by side, and a Gaussian band is not
// sent through exp where its term cannot change the sum: where exp gives
// exactly +0, and where the sum so far is so much larger than any value the
// term can have that adding it rounds back to the same sum.
//
// The table is read, never copied: it must outlive this object and stay
// unchanged while it is used. Const calls may run on several threads at once.
class BandSums {
  public:
    BandSums(const model::PeakTable& table, std::int32_t lineShape, bool useScaled);

    // ys[i] = ProfileSum(table, lineShape, useScaled, xs[i]); ys is at least
    // as long as xs.
    void Sums(std::span<const double> xs, std::span<double> ys) const;

    // ys[i] = PeakTerm(table, k, lineShape, useScaled, xs[i]) for one peak
    // index 1 <= k < count.
    void Terms(int k, std::span<const double> xs, std::span<double> ys) const;

    // Below this an exponent gives exactly +0 from exp, with room to spare:
    // the smallest subnormal double is e^-744.44, and anything under half of
    // it, e^-745.13, rounds to zero.
    static constexpr double kExpGivesZeroBelow = -746.0;

    // A term that is less than 2^-55 of a sum leaves it unchanged: the sum's
    // neighbours are at least 2^-53 of it away, so the exact result lies
    // nearer the sum than half the way to either. With an exponent at most
    // -40, exp gives at most e^-40 plus an error far below one part in a
    // thousand, and the term is that times the intensity. So the term is
    // negligible once the sum exceeds the intensity times
    // 2^55 * e^-40 = 0.15306..., taken twice here for room; beyond -100 the
    // factor is 2^55 * e^-100 = 1.3403...e-27, likewise doubled.
    static constexpr double kFarExponent = -40.0;
    static constexpr double kFarSumPerIntensity = 0.3062;
    static constexpr double kVeryFarExponent = -100.0;
    static constexpr double kVeryFarSumPerIntensity = 2.681e-27;

  private:
    // What one band needs at every x, each value computed as the band
    // formulas compute it.
    struct Band {
        double centre = 0.0;
        double intensity = 0.0;
        // (h * h) with h = 0.5 * width: the Gaussian's divisor and the
        // Lorentzian's addend.
        double halfWidthSquared = 0.0;
        // (h * intensity) * h, the Lorentzian's numerator.
        double numerator = 0.0;
        // A finite intensity times an exp of +0 is a zero, which leaves any
        // sum as it was. An infinite or not-a-number intensity makes it
        // not-a-number, so such a band always goes through exp.
        bool zeroWhenExpIsZero = false;
        // The sums beyond which the term is negligible at the far and very
        // far exponents; infinite for a band that always goes through exp.
        double farSum = 0.0;
        double veryFarSum = 0.0;
    };

    // Whether the Gaussian term of band with exponent a leaves sum unchanged.
    static bool Negligible(const Band& band, double a, double sum);

    void SumBlock(const double* x, double* y) const;
    void TermBlock(const Band& band, const double* x, double* y) const;

    const model::PeakTable& table_;
    std::int32_t lineShape_;
    // A table whose bands have shapes of their own is summed band by band
    // through each band's profile, worked out once; empty otherwise.
    std::vector<model::BandProfile> profiles_;
    bool useScaled_;
    std::vector<Band> bands_;
};

}  // namespace trazel::output
