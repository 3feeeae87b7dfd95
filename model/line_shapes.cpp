#include "model/line_shapes.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_roots.h>

#include <cerf.h>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <string>
#include <utility>

namespace trazel::model {

// Every expression below keeps the order of operations of the original
// formulas, one rounding per step, so that sums, exports and drawings agree to
// the last bit with files and printouts made before.

// libcerf's C header speaks C99 complex numbers; libstdc++'s complex holds
// one and hands it over.
std::complex<double> Faddeeva(std::complex<double> z) {
    return std::complex<double>(w_of_z(z.__rep()));
}

std::complex<double> FaddeevaSlope(std::complex<double> z, std::complex<double> w) {
    return -2.0 * z * w + std::complex<double>(0.0, 2.0 * std::numbers::inv_sqrtpi);
}

namespace {

double GaussianTerm(double x0, double intensity, double width, double x) {
    const double d = x0 - x;
    const double e = (d * NEG_LN2) * d;
    const double h = 0.5 * width;
    const double s = h * h;
    const double a = e / s;
    return std::exp(a) * intensity;
}

double LorentzianTerm(double x0, double intensity, double width, double x) {
    const double h = 0.5 * width;
    const double numerator = (h * intensity) * h;
    const double d = x0 - x;
    const double denominator = (d * d) + (h * h);
    return numerator / denominator;
}

// Below this exponent exp gives exactly +0 (the smallest subnormal double is
// e^-744.44).
constexpr double kExpIsZeroBelow = -746.0;

// d erfcx(a) / da = 2 a erfcx(a) - 2 / sqrt(pi).
double ErfcxSlope(double a, double value) {
    return 2.0 * a * value - 2.0 * std::numbers::inv_sqrtpi;
}

// The standard deviation of the Gaussian of unit full width at half maximum.
const double kGaussianSigma = 1.0 / (2.0 * std::sqrt(2.0 * std::numbers::ln2));

// How far the Voigt profile of standard deviation sigma and half width gamma
// (gamma = share / 2) lies above half its height at x = 1/2: zero where its
// full width at half maximum is 1. The profile is Re w(z) with
// z = (x + i gamma) / (sigma sqrt 2), its height at the centre erfcx of
// gamma / (sigma sqrt 2).
struct HalfHeight {
    double value = 0.0;
    double bySigma = 0.0;
    double byShare = 0.0;
};
HalfHeight HalfHeightOf(double sigma, double share) {
    const double c = 1.0 / (sigma * std::numbers::sqrt2);
    const std::complex<double> z(0.5 * c, 0.5 * share * c);
    const double a = 0.5 * share * c;
    const std::complex<double> w = Faddeeva(z);
    const std::complex<double> slope = FaddeevaSlope(z, w);
    const double top = erfcx(a);
    const double topSlope = ErfcxSlope(a, top);
    HalfHeight h;
    h.value = w.real() - 0.5 * top;
    // z and a are both proportional to 1 / sigma, and grow with the share
    // through their imaginary and real parts.
    h.bySigma = (slope * (-z / sigma)).real() - 0.5 * topSlope * (-a / sigma);
    h.byShare = (slope * std::complex<double>(0.0, 0.5 * c)).real() - 0.5 * topSlope * 0.5 * c;
    return h;
}

double HalfHeightValue(double sigma, void* share) {
    return HalfHeightOf(sigma, *static_cast<double*>(share)).value;
}

VoigtWidths SolveVoigt(double share) {
    VoigtWidths widths;
    widths.gamma = 0.5 * share;
    if (!(share > 0.0)) {
        widths.sigma = kGaussianSigma;
        widths.top = erfcx(0.0);
        widths.topSlope = ErfcxSlope(0.0, widths.top);
        return widths;
    }
    if (share >= 1.0) {
        return widths;
    }
    // The width grows with sigma from the Lorentzian's alone, share < 1,
    // past the Gaussian's alone, 1: the root lies between.
    double lo = kGaussianSigma * 1e-12;
    double hi = kGaussianSigma;
    gsl_function f{&HalfHeightValue, &share};
    gsl_error_handler_t* previous = gsl_set_error_handler_off();
    gsl_root_fsolver* solver = gsl_root_fsolver_alloc(gsl_root_fsolver_brent);
    double sigma = hi;
    if (solver != nullptr && HalfHeightValue(lo, &share) < 0.0 &&
        HalfHeightValue(hi, &share) > 0.0 &&
        gsl_root_fsolver_set(solver, &f, lo, hi) == GSL_SUCCESS) {
        for (int i = 0; i < 200; ++i) {
            if (gsl_root_fsolver_iterate(solver) != GSL_SUCCESS) {
                break;
            }
            sigma = gsl_root_fsolver_root(solver);
            lo = gsl_root_fsolver_x_lower(solver);
            hi = gsl_root_fsolver_x_upper(solver);
            if (gsl_root_test_interval(lo, hi, 0.0, 1e-15) == GSL_SUCCESS) {
                break;
            }
        }
    } else if (HalfHeightValue(lo, &share) >= 0.0) {
        // A share so near 1 that the Gaussian part is beyond a double.
        sigma = 0.0;
    }
    if (solver != nullptr) {
        gsl_root_fsolver_free(solver);
    }
    gsl_set_error_handler(previous);
    widths.sigma = sigma;
    if (sigma > 0.0) {
        // The Newton step that polishes the root also gives its slope by the
        // share, by implicit differentiation of HalfHeight = 0.
        const HalfHeight h = HalfHeightOf(sigma, share);
        if (h.bySigma != 0.0) {
            widths.sigma = sigma - h.value / h.bySigma;
            widths.sigmaSlope = -h.byShare / h.bySigma;
        }
    }
    if (widths.sigma > 0.0) {
        const double a = widths.gamma * (1.0 / (widths.sigma * std::numbers::sqrt2));
        widths.top = erfcx(a);
        widths.topSlope = ErfcxSlope(a, widths.top);
    }
    return widths;
}

}  // namespace

namespace {

// w(z) = i / (sqrt(pi) z) sum (2n - 1)!! / (2 z²)^n and, term by term,
// w'(z) = -i / (sqrt(pi) z²) sum (2n + 1) (2n - 1)!! / (2 z²)^n, both by
// Horner's rule in q = 1 / z², for z where FaddeevaFast takes the series.
// w' takes all eight terms; w alone only those whose first left out,
// (2n - 1)!! / (2 |z|²)^n, is not under 1e-18. The slope is a template
// argument so that w alone has no test for it in its loop.
template <bool kSlope>
std::complex<double> FaddeevaSeries(double x, double y, std::complex<double>* slope) {
    const double r2 = x * x + y * y;
    const std::size_t terms = kSlope                ? kSeriesTerms.size()
                              : r2 >= 165.0 * 165.0 ? 4
                              : r2 >= 73.0 * 73.0   ? 5
                              : r2 >= 50.0 * 50.0   ? 6
                                                    : 7;
    // 1 / z² written out: std::complex's division guards against overflow
    // and infinities no z here comes near.
    const double re = x * x - y * y;
    const double im = 2.0 * x * y;
    const double norm = re * re + im * im;
    const double qr = re / norm;
    const double qi = -im / norm;
    double sr = kSeriesTerms[terms - 1];
    double si = 0.0;
    double dr = static_cast<double>(2 * terms - 1) * kSeriesTerms[terms - 1];
    double di = 0.0;
    for (std::size_t n = terms - 1; n-- > 0;) {
        const double sNext = sr * qr - si * qi + kSeriesTerms[n];
        si = sr * qi + si * qr;
        sr = sNext;
        if constexpr (kSlope) {
            const double odd = static_cast<double>(2 * n + 1);
            const double dNext = dr * qr - di * qi + odd * kSeriesTerms[n];
            di = dr * qi + di * qr;
            dr = dNext;
        }
    }
    // 1 / z = conj(z) / |z|²; i / sqrt(pi) turns (a + ib) into (-b + ia) / sqrt(pi).
    const double zr = x / r2;
    const double zi = -y / r2;
    const double wr = sr * zr - si * zi;
    const double wi = sr * zi + si * zr;
    constexpr double kInvSqrtPi = std::numbers::inv_sqrtpi;
    if constexpr (kSlope) {
        const double pr = dr * qr - di * qi;
        const double pi = dr * qi + di * qr;
        *slope = {pi * kInvSqrtPi, -pr * kInvSqrtPi};
    }
    return {-wi * kInvSqrtPi, wr * kInvSqrtPi};
}

}  // namespace

std::complex<double> FaddeevaFast(std::complex<double> z, std::complex<double>* slope) {
    const double x = z.real();
    const double y = z.imag();
    if (x * x + y * y < kFaddeevaSeriesFrom * kFaddeevaSeriesFrom ||
        (y < std::fabs(x) && x * x - y * y < 745.0)) {
        const std::complex<double> w = Faddeeva(z);
        if (slope != nullptr) {
            *slope = FaddeevaSlope(z, w);
        }
        return w;
    }
    return slope != nullptr ? FaddeevaSeries<true>(x, y, slope)
                            : FaddeevaSeries<false>(x, y, nullptr);
}

VoigtWidths VoigtOfShare(double share) {
    // A sum over many x asks for the same few bands again and again; the
    // root is found once per share and thread.
    struct Cached {
        double share = std::numeric_limits<double>::quiet_NaN();
        VoigtWidths widths;
    };
    thread_local std::array<Cached, 16> cache{};
    thread_local std::size_t next = 0;
    for (const Cached& entry : cache) {
        if (entry.share == share) {
            return entry.widths;
        }
    }
    const VoigtWidths widths = SolveVoigt(share);
    cache[next] = {share, widths};
    next = (next + 1) % cache.size();
    return widths;
}

const char* ShapeCode(BandShape shape) {
    switch (shape) {
        case BandShape::Gaussian:
            return "g";
        case BandShape::Lorentzian:
            return "l";
        case BandShape::PseudoVoigt:
            return "pv";
        case BandShape::Voigt:
            return "v";
        case BandShape::Document:
            break;
    }
    return "doc";
}

bool ShapeFromName(std::string_view name, BandShape& shape) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static const std::pair<const char*, BandShape> kNames[] = {
        {"g", BandShape::Gaussian},
        {"gauss", BandShape::Gaussian},
        {"gaussiana", BandShape::Gaussian},
        {"l", BandShape::Lorentzian},
        {"lorentz", BandShape::Lorentzian},
        {"lorentziana", BandShape::Lorentzian},
        {"pv", BandShape::PseudoVoigt},
        {"pseudo-voigt", BandShape::PseudoVoigt},
        {"v", BandShape::Voigt},
        {"voigt", BandShape::Voigt},
        {"doc", BandShape::Document},
        {"documento", BandShape::Document},
    };
    for (const auto& [text, value] : kNames) {
        if (lower == text) {
            shape = value;
            return true;
        }
    }
    return false;
}

BandShape ShapeOf(const Peak& band, std::int32_t lineShape) {
    if (band.shape != BandShape::Document) {
        return band.shape;
    }
    return lineShape == Lorentzian ? BandShape::Lorentzian : BandShape::Gaussian;
}

BandProfile ProfileOf(const Peak& band, std::int32_t lineShape, bool useScaled) {
    BandProfile profile;
    profile.shape = ShapeOf(band, lineShape);
    profile.centre = useScaled ? band.scaledPosition : band.position;
    profile.intensity = band.intensity;
    profile.width = band.width;
    profile.share = band.share;
    if (profile.shape == BandShape::Voigt) {
        profile.voigt = VoigtOfShare(band.share);
    }
    return profile;
}

double BandProfile::At(double x) const {
    switch (shape) {
        case BandShape::Lorentzian:
            return LorentzianTerm(centre, intensity, width, x);
        case BandShape::PseudoVoigt: {
            // Far out in the Lorentzian's tail exp gives exactly +0: the
            // Gaussian's term is then that zero without calling it.
            const double d = centre - x;
            const double h = 0.5 * width;
            const double a = ((d * NEG_LN2) * d) / (h * h);
            const double gaussian =
                a < kExpIsZeroBelow ? 0.0 * intensity : GaussianTerm(centre, intensity, width, x);
            return share * LorentzianTerm(centre, intensity, width, x) + (1.0 - share) * gaussian;
        }
        case BandShape::Voigt: {
            if (!(voigt.sigma > 0.0)) {
                return LorentzianTerm(centre, intensity, width, x);
            }
            return VoigtValue(Faddeeva(VoigtArgument(x)));
        }
        case BandShape::Document:
        case BandShape::Gaussian:
            break;
    }
    return GaussianTerm(centre, intensity, width, x);
}

BandProfile::Slopes BandProfile::SlopesAt(double x) const {
    Slopes s;
    const double u = x - centre;
    const double h = 0.5 * width;
    const double hh = h * h;
    // Each shape of the band's unit height r, its slope by u and by the width.
    const auto lorentzian = [&](double& r, double& byU, double& byWidth) {
        const double denominator = u * u + hh;
        r = hh / denominator;
        byU = -2.0 * r * u / denominator;
        byWidth = 2.0 * r * u * u / (denominator * width);
    };
    const auto gaussian = [&](double& r, double& byU, double& byWidth) {
        const double a = -std::numbers::ln2 * u * u / hh;
        if (a < kExpIsZeroBelow) {
            r = byU = byWidth = 0.0;
            return;
        }
        r = std::exp(a);
        byU = -2.0 * std::numbers::ln2 * r * u / hh;
        byWidth = -2.0 * a * r / width;
    };
    double r = 0.0;
    double byU = 0.0;
    double byWidth = 0.0;
    switch (shape) {
        case BandShape::Lorentzian:
            lorentzian(r, byU, byWidth);
            break;
        case BandShape::PseudoVoigt: {
            double rl = 0.0, ul = 0.0, wl = 0.0, rg = 0.0, ug = 0.0, wg = 0.0;
            lorentzian(rl, ul, wl);
            gaussian(rg, ug, wg);
            r = share * rl + (1.0 - share) * rg;
            byU = share * ul + (1.0 - share) * ug;
            byWidth = share * wl + (1.0 - share) * wg;
            s.share = intensity * (rl - rg);
            break;
        }
        case BandShape::Voigt: {
            if (!(voigt.sigma > 0.0)) {
                lorentzian(r, byU, byWidth);
                break;
            }
            return VoigtSlopes(x, FaddeevaWithSlope(VoigtArgument(x)));
        }
        case BandShape::Document:
        case BandShape::Gaussian:
            gaussian(r, byU, byWidth);
            break;
    }
    s.value = intensity * r;
    s.intensity = r;
    s.centre = -intensity * byU;
    s.width = intensity * byWidth;
    return s;
}

BandProfile::Slopes BandProfile::VoigtSlopes(double x, const FaddeevaValue& f) const {
    // The profile of unit width at t = u / width: everything scales with the
    // width, so the slopes by u and by the width both come from the one by t.
    const double sigma = voigt.sigma;
    const double c = 1.0 / (sigma * std::numbers::sqrt2);
    const double t = (x - centre) / width;
    const std::complex<double> z(t * c, voigt.gamma * c);
    const double a = voigt.gamma * c;
    const double top = voigt.top;
    Slopes s;
    const double r = f.w.real() / top;
    const double byT = f.slope.real() * c / top;
    s.value = intensity * r;
    s.intensity = r;
    s.centre = -intensity * (byT / width);
    s.width = intensity * (-byT * t / width);
    // The share moves gamma = share / 2 and sigma (sigmaSlope).
    const double perSigma = -voigt.sigmaSlope / sigma;
    const std::complex<double> zByShare = std::complex<double>(0.0, 0.5 * c) + z * perSigma;
    const double aByShare = 0.5 * c + a * perSigma;
    s.share = intensity * ((f.slope * zByShare).real() - r * voigt.topSlope * aByShare) / top;
    return s;
}

double PeakTerm(const PeakTable& table, int k, std::int32_t lineShape, bool useScaled, double x) {
    const Peak& band = table.Band(k);
    if (band.shape != BandShape::Document && band.shape != BandShape::Gaussian &&
        band.shape != BandShape::Lorentzian) {
        return ProfileOf(band, lineShape, useScaled).At(x);
    }
    const double x0 = useScaled ? band.scaledPosition : band.position;
    if (ShapeOf(band, lineShape) == BandShape::Lorentzian) {
        return LorentzianTerm(x0, band.intensity, band.width, x);
    }
    return GaussianTerm(x0, band.intensity, band.width, x);
}

double ProfileSum(const PeakTable& table, std::int32_t lineShape, bool useScaled, double x) {
    double sum = 0.0;
    for (int k = 1; k <= table.PeakCount(); ++k) {
        sum = PeakTerm(table, k, lineShape, useScaled, x) + sum;
    }
    return sum;
}

double SampleX(int j, int n, double xMin, double xMax) {
    return (static_cast<double>(j) * (xMax - xMin)) / static_cast<double>(n) + xMin;
}

double PeakArea(double intensity, double width) {
    return (intensity * width) * GAUSS_AREA_FACTOR;
}

double IntensityForArea(double area, double width) {
    return area / (width * GAUSS_AREA_FACTOR);
}

double LorentzianIntensityForArea(double area, double width) {
    return 2.0 * area / (std::numbers::pi * width);
}

double WidthForArea(double area, double intensity) {
    return area / (intensity * GAUSS_AREA_FACTOR);
}

namespace {

// The area of a band of unit height and width.
double AreaFactor(BandShape shape, double share) {
    constexpr double lorentzian = std::numbers::pi / 2.0;
    switch (shape) {
        case BandShape::Lorentzian:
            return lorentzian;
        case BandShape::PseudoVoigt:
            return share * lorentzian + (1.0 - share) * GAUSS_AREA_FACTOR;
        case BandShape::Voigt: {
            // The normalised profile is 1 / (sigma sqrt(2 pi)) times Re w;
            // at the centre Re w is erfcx(gamma / (sigma sqrt 2)).
            const VoigtWidths voigt = VoigtOfShare(share);
            if (!(voigt.sigma > 0.0)) {
                return lorentzian;
            }
            return voigt.sigma * std::sqrt(2.0 * std::numbers::pi) /
                   erfcx(voigt.gamma / (voigt.sigma * std::numbers::sqrt2));
        }
        case BandShape::Document:
        case BandShape::Gaussian:
            break;
    }
    return GAUSS_AREA_FACTOR;
}

}  // namespace

double BandArea(BandShape shape, double share, double intensity, double width) {
    if (shape == BandShape::Gaussian || shape == BandShape::Document) {
        return PeakArea(intensity, width);
    }
    return (intensity * width) * AreaFactor(shape, share);
}

double IntensityForBandArea(BandShape shape, double share, double area, double width) {
    if (shape == BandShape::Gaussian || shape == BandShape::Document) {
        return IntensityForArea(area, width);
    }
    return area / (width * AreaFactor(shape, share));
}

double WidthForBandArea(BandShape shape, double share, double area, double intensity) {
    if (shape == BandShape::Gaussian || shape == BandShape::Document) {
        return WidthForArea(area, intensity);
    }
    return area / (intensity * AreaFactor(shape, share));
}

}  // namespace trazel::model
