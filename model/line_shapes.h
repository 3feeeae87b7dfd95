#pragma once

#include <algorithm>
#include <array>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <string_view>

#include "model/peak_table.h"

namespace trazel::model {

enum LineShape : std::int32_t { Gaussian = 0, Lorentzian = 1 };

// Held as literals so that every build uses the very same doubles.
inline constexpr double NEG_LN2 = -0.6931471805599453;           // nearest double to -ln 2
inline constexpr double GAUSS_AREA_FACTOR = 1.0644670194312262;  // sqrt(pi / (4 ln 2))

// The shape band is drawn with: its own, or for one that follows the
// document the form's switch (any line shape other than Lorentzian is
// Gaussian).
BandShape ShapeOf(const Peak& band, std::int32_t lineShape);

// The short name of a shape in tables and on the command line: "g", "l",
// "pv", "v", and "doc" for one that follows the document.
const char* ShapeCode(BandShape shape);
// The shape a name stands for: those short names, or "gauss", "gaussiana",
// "lorentz", "lorentziana", "pseudo-voigt", "voigt", "documento"; case
// ignored. False for any other.
bool ShapeFromName(std::string_view name, BandShape& shape);

// The Voigt profile of unit full width at half maximum whose Lorentzian has
// the width share: the Gaussian's standard deviation sigma and the
// Lorentzian's half width gamma (share / 2), both per unit width, with
// d sigma / d share. Sigma is found by solving for a half height at exactly
// +-1/2, to within a few units in the last place, not by an approximation
// of the width. A share of 1 gives sigma 0, a Lorentzian.
struct VoigtWidths {
    double sigma = 0.0;
    double gamma = 0.0;
    double sigmaSlope = 0.0;
    // erfcx(gamma / (sigma sqrt 2)), the height of Re w at the centre that
    // divides the profile to unit height, and its slope by that argument:
    // the same for every x, so worked out once.
    double top = 1.0;
    double topSlope = 0.0;
};
VoigtWidths VoigtOfShare(double share);

// Faddeeva's w(z) = exp(-z²) erfc(-iz) for Im z >= 0 and its derivative
// w'(z). Near the origin w comes from libcerf and w' = -2 z w + 2i / sqrt(pi);
// far out (kFaddeevaSeriesFrom) both come from w's asymptotic series, which
// there is as exact as a double and several times cheaper, and which gives
// w' without the cancellation of the closed form (w' is 1/z² smaller than
// its two terms).
struct FaddeevaValue {
    std::complex<double> w;
    std::complex<double> slope;
};
// w(z), and w'(z) into slope when it is given. Far out w alone takes only
// as many terms of the series as |z| needs for the same 1e-18 (4 from
// |z| = 165, 5 from 73, 6 from 50, else 7), about half libcerf's time
// there; with w' all eight.
std::complex<double> FaddeevaFast(std::complex<double> z, std::complex<double>* slope = nullptr);
inline FaddeevaValue FaddeevaWithSlope(std::complex<double> z) {
    FaddeevaValue value;
    value.w = FaddeevaFast(z, &value.slope);
    return value;
}
inline std::complex<double> FaddeevaQuick(std::complex<double> z) {
    return FaddeevaFast(z);
}
// w(z) alone, from libcerf everywhere.
std::complex<double> Faddeeva(std::complex<double> z);
// w'(z) from w(z) by -2 z w + 2i / sqrt(pi).
std::complex<double> FaddeevaSlope(std::complex<double> z, std::complex<double> w);
// The series is taken where |z| reaches this and, below the diagonal
// Im z = |Re z|, where exp(-z²), which it leaves out, is below the smallest
// double (Re² - Im² above 745). The first terms they leave out are then
// under 1e-18 of w and of w'.
inline constexpr double kFaddeevaSeriesFrom = 27.5;

// Weideman's rational approximation of w with 40 terms, for z of many
// points at once: w(z) = 2 p(Z) / (L - iz)² + 1 / (sqrt(pi) (L - iz)) with
// Z = (L + iz) / (L - iz), p the polynomial of these coefficients (of Z^0
// first) and L = sqrt(40 / sqrt 2). Where FaddeevaRow takes it, Im z at
// least kFaddeevaRowFrom and |z| below kFaddeevaSeriesFrom, it agrees with
// libcerf to 3e-14 of |w| and 1e-12 of Re w; nearer the real axis, where
// Re w is exp(-x²) and far smaller than |w|, it does not, and libcerf
// stays.
inline constexpr double kWeidemanL = 5.3182958969449886;
inline constexpr std::array<double, 40> kWeidemanTerms = {
    2.8996245093897053,      2.6160541527618602,      2.2015137948783119,
    1.7253830848179779,      1.2563815675765133,      0.84721745765938183,
    0.5266528988277086,      0.29989437996150065,     0.15504263802479495,
    0.071823617790743366,    0.029202916471241867,    0.010048186242783424,
    0.0027054056330737914,   0.00043980701598696675,  -3.9393631454895785e-05,
    -5.5913092642483167e-05, -1.8007447144750892e-05, -1.0660138984946637e-06,
    1.4835661132200904e-06,  5.9121369518994171e-07,  1.4198642399905177e-08,
    -6.3517734850346555e-08, -1.8315616783055837e-08, 3.2497465180834565e-09,
    3.0177805400767692e-09,  2.1086006342047713e-10,  -3.5632339864708874e-10,
    -9.0551244575291961e-11, 3.4727267075240812e-11,  1.7714495266565107e-11,
    -2.7276024406157139e-12, -2.9076882475051367e-12, 1.2031468223321838e-13,
    4.5329678118083793e-13,  1.3725633537297974e-14,  -7.0740702649635119e-14,
    -5.40951485404942e-15,   1.1357766745916717e-14,  1.1280015908662011e-15,
    -1.8999824386909884e-15,
};
inline constexpr double kFaddeevaRowFrom = 0.01;

// (2n - 1)!! / 2^n, the terms of w's asymptotic series in 1 / z².
inline constexpr std::array<double, 8> kSeriesTerms = {1.0,    0.5,      0.75,       1.875,
                                                       6.5625, 29.53125, 162.421875, 1055.7421875};

// w(re[i] + i im) into w[i] for i < count, eight points side by side in
// one vector: Weideman's approximation where it holds (above), the series
// with seven terms where FaddeevaFast takes it (its first term left out is
// then under 1e-17 of w), each point by FaddeevaFast where the eight
// points are not all in one of these. Always inlined, so that the loops
// calling it for their processor (band_model.cpp) take their own vector
// registers for it.
[[gnu::always_inline]] inline void FaddeevaRow(const double* re, std::size_t count, double im,
                                               std::complex<double>* w) {
    constexpr std::size_t kLanes = 8;
    constexpr double kSeriesFrom2 = kFaddeevaSeriesFrom * kFaddeevaSeriesFrom;
    using Lanes = double __attribute__((vector_size(kLanes * sizeof(double))));
    constexpr double L = kWeidemanL;
    const double lPlusY = L + im;
    const double l2MinusY2 = (L - im) * (L + im);
    const bool weideman = im >= kFaddeevaRowFrom;
    for (std::size_t start = 0; start < count; start += kLanes) {
        const std::size_t lanes = std::min(kLanes, count - start);
        Lanes x{};
        bool near = weideman;
        bool far = true;
        for (std::size_t j = 0; j < kLanes; ++j) {
            // Lanes past the end repeat the last point.
            x[j] = re[start + std::min(j, lanes - 1)];
            const double r2 = x[j] * x[j] + im * im;
            near = near && r2 < kSeriesFrom2;
            far = far && r2 >= kSeriesFrom2 &&
                  (im >= std::fabs(x[j]) || x[j] * x[j] - im * im >= 745.0);
        }
        Lanes wr{};
        Lanes wi{};
        if (near) {
            // Z and q = 1 / (L - iz) over the one denominator |L - iz|².
            const Lanes den = lPlusY * lPlusY + x * x;
            const Lanes zr = (l2MinusY2 - x * x) / den;
            const Lanes zi = 2.0 * L * x / den;
            const Lanes qr = lPlusY / den;
            const Lanes qi = x / den;
            Lanes pr = x * 0.0 + kWeidemanTerms.back();
            Lanes pi = x * 0.0;
            for (std::size_t n = kWeidemanTerms.size() - 1; n-- > 0;) {
                const Lanes next = pr * zr - pi * zi + kWeidemanTerms[n];
                pi = pr * zi + pi * zr;
                pr = next;
            }
            const Lanes q2r = qr * qr - qi * qi;
            const Lanes q2i = 2.0 * qr * qi;
            wr = 2.0 * (pr * q2r - pi * q2i) + qr * std::numbers::inv_sqrtpi;
            wi = 2.0 * (pr * q2i + pi * q2r) + qi * std::numbers::inv_sqrtpi;
        } else if (far) {
            // As FaddeevaFast: Horner's rule in q = 1 / z², then times
            // i / (sqrt(pi) z).
            const Lanes r2 = x * x + im * im;
            const Lanes zzr = x * x - im * im;
            const Lanes zzi = 2.0 * x * im;
            const Lanes norm = zzr * zzr + zzi * zzi;
            const Lanes qr = zzr / norm;
            const Lanes qi = -zzi / norm;
            Lanes sr = x * 0.0 + kSeriesTerms[6];
            Lanes si = x * 0.0;
            for (std::size_t n = 6; n-- > 0;) {
                const Lanes next = sr * qr - si * qi + kSeriesTerms[n];
                si = sr * qi + si * qr;
                sr = next;
            }
            const Lanes zr = x / r2;
            const Lanes zi = -im / r2;
            wr = -(sr * zi + si * zr) * std::numbers::inv_sqrtpi;
            wi = (sr * zr - si * zi) * std::numbers::inv_sqrtpi;
        }
        for (std::size_t j = 0; j < lanes; ++j) {
            w[start + j] =
                near || far ? std::complex<double>(wr[j], wi[j]) : FaddeevaFast({x[j], im});
        }
    }
}

// One band with everything that depends on it alone worked out, for sums
// over many x.
struct BandProfile {
    BandShape shape = BandShape::Gaussian;  // never Document
    double centre = 0.0;
    double intensity = 0.0;
    double width = 0.0;
    double share = 0.0;
    VoigtWidths voigt;

    double At(double x) const;

    // A Voigt with sigma > 0 in parts, for a fit that keeps w(z) from the
    // values for the derivatives at the same x: the z of x, the value At(x)
    // from w(z), and SlopesAt(x) from w(z) and w'(z).
    std::complex<double> VoigtArgument(double x) const {
        const double c = 1.0 / (voigt.sigma * std::numbers::sqrt2);
        const double t = (x - centre) / width;
        return {t * c, voigt.gamma * c};
    }
    double VoigtValue(std::complex<double> w) const { return intensity * w.real() / voigt.top; }

    // The value at x and its derivatives by the centre, the intensity, the
    // width and the share (0 for a shape without one).
    struct Slopes {
        double value = 0.0;
        double centre = 0.0;
        double intensity = 0.0;
        double width = 0.0;
        double share = 0.0;
    };
    Slopes SlopesAt(double x) const;
    Slopes VoigtSlopes(double x, const FaddeevaValue& f) const;
};
BandProfile ProfileOf(const Peak& band, std::int32_t lineShape, bool useScaled);

// The band of peak k (1 <= k < count) at x, in its own shape (ShapeOf). With
// useScaled the band is centred on the scaled position, otherwise on the
// plain one.
double PeakTerm(const PeakTable& table, int k, std::int32_t lineShape, bool useScaled, double x);

// The sum of every peak's band at x, added in ascending index order.
double ProfileSum(const PeakTable& table, std::int32_t lineShape, bool useScaled, double x);

// Sample j of an n-sample grid that starts at xMin and stops one step short of
// xMax; each sample is computed from j, so no error accumulates.
double SampleX(int j, int n, double xMin, double xMax);

double PeakArea(double intensity, double width);
double IntensityForArea(double area, double width);
// The height of a Lorentzian band of this area and full width at half
// maximum: its area is pi/2 times height times width.
double LorentzianIntensityForArea(double area, double width);
double WidthForArea(double area, double intensity);

// The exact area of a band of any shape (not Document), and the height or
// width that give a band of that shape an area.
double BandArea(BandShape shape, double share, double intensity, double width);
double IntensityForBandArea(BandShape shape, double share, double area, double width);
double WidthForBandArea(BandShape shape, double share, double area, double intensity);

}  // namespace trazel::model
