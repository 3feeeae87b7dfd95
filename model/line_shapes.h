#pragma once

#include <complex>
#include <cstdint>
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
    std::complex<double> VoigtArgument(double x) const;
    double VoigtValue(std::complex<double> w) const;

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
