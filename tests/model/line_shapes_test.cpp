#include <gsl/gsl_integration.h>
#include <gtest/gtest.h>

#include <cerf.h>
#include <algorithm>
#include <bit>
#include <cmath>
#include <complex>
#include <limits>
#include <vector>

#include "model/line_shapes.h"
#include "model/table_edits.h"
#include "tests/support/peak_tables.h"

using namespace trazel::model;

namespace {

TEST(LineShapes, ConstantsAreTheNearestDoubles) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(NEG_LN2), std::bit_cast<std::uint64_t>(-std::log(2.0)));
    EXPECT_EQ(GAUSS_AREA_FACTOR, std::sqrt(M_PI / (4.0 * std::log(2.0))));
}

TEST(LineShapes, BothShapesPeakAtIntensityAndHalveAtHalfWidth) {
    const PeakTable t = TableOf({{500.0, 2.0, 10.0}});
    EXPECT_EQ(PeakTerm(t, 1, Gaussian, false, 500.0), 2.0);
    EXPECT_DOUBLE_EQ(PeakTerm(t, 1, Lorentzian, false, 500.0), 2.0);
    for (const double x : {495.0, 505.0}) {
        EXPECT_DOUBLE_EQ(PeakTerm(t, 1, Gaussian, false, x), 1.0);
        EXPECT_DOUBLE_EQ(PeakTerm(t, 1, Lorentzian, false, x), 1.0);
    }
}

TEST(LineShapes, GaussianFollowsTheWrittenOrderBitForBit) {
    const PeakTable t = TableOf({{123.456, 1.7, 3.3}});
    const double x = 120.1;
    const double d = 123.456 - x;
    const double e = (d * -0.6931471805599453) * d;
    const double h = 0.5 * 3.3;
    const double expected = std::exp(e / (h * h)) * 1.7;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(PeakTerm(t, 1, Gaussian, false, x)),
              std::bit_cast<std::uint64_t>(expected));
    const double lorentz = ((h * 1.7) * h) / ((d * d) + (h * h));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(PeakTerm(t, 1, Lorentzian, false, x)),
              std::bit_cast<std::uint64_t>(lorentz));
}

TEST(LineShapes, SumAddsEachTermToTheRunningSumInIndexOrder) {
    PeakTable t;
    AddPeak(t, 1.0, 1e16, 1e9, 1.0);
    AddPeak(t, 1.0, 1.0, 1e9, 1.0);
    AddPeak(t, 1.0, -1e16, 1e9, 1.0);
    double sum = 0.0;
    for (int k = 1; k <= t.PeakCount(); ++k) {
        sum = PeakTerm(t, k, Gaussian, false, 1.0) + sum;
    }
    EXPECT_EQ(ProfileSum(t, Gaussian, false, 1.0), sum);
    EXPECT_EQ(sum, 0.0);  // 1e16 + 1 rounds back to 1e16
}

TEST(LineShapes, EmptyTableSumsToPositiveZero) {
    PeakTable empty;
    const double sum = ProfileSum(empty, Lorentzian, false, 3.0);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(sum), 0u);
}

TEST(LineShapes, SeparateFlagDoesNotChangeTheSum) {
    PeakTable t;
    AddPeak(t, 10.0, 1.0, 4.0, 1.0);
    const double before = ProfileSum(t, Gaussian, false, 11.0);
    ToggleSeparate(t, {0});
    EXPECT_EQ(ProfileSum(t, Gaussian, false, 11.0), before);
}

TEST(LineShapes, SpecialWidthsAndIntensities) {
    EXPECT_EQ(PeakTerm(TableOf({{5.0, 2.0, -4.0}}), 1, Gaussian, false, 6.0),
              PeakTerm(TableOf({{5.0, 2.0, 4.0}}), 1, Gaussian, false, 6.0));
    const PeakTable zeroWidth = TableOf({{5.0, 2.0, 0.0}});
    EXPECT_EQ(PeakTerm(zeroWidth, 1, Gaussian, false, 6.0), 0.0);
    EXPECT_EQ(PeakTerm(zeroWidth, 1, Lorentzian, false, 6.0), 0.0);
    EXPECT_TRUE(std::isnan(PeakTerm(zeroWidth, 1, Gaussian, false, 5.0)));
    EXPECT_TRUE(std::isnan(ProfileSum(zeroWidth, Lorentzian, false, 5.0)));
    EXPECT_LT(ProfileSum(TableOf({{5.0, -2.0, 3.0}}), Gaussian, false, 5.5), 0.0);
}

TEST(LineShapes, UseScaledPicksTheCentre) {
    const PeakTable t = TableOf({{500.0, 2.0, 10.0, 2.0}});
    EXPECT_EQ(PeakTerm(t, 1, Gaussian, false, 500.0), 2.0);
    EXPECT_EQ(PeakTerm(t, 1, Gaussian, true, 1000.0), 2.0);
    EXPECT_LT(PeakTerm(t, 1, Gaussian, true, 500.0), 1e-300);
}

TEST(LineShapes, SampleGrid) {
    for (const int n : {1, 7, 250}) {
        EXPECT_EQ(SampleX(0, n, -3.5, 9.0), -3.5);
    }
    EXPECT_EQ(SampleX(249, 250, 0.0, 1000.0), 996.0);
    EXPECT_EQ(SampleX(3, 4, 2.0, 2.0), 2.0);
    EXPECT_EQ(SampleX(1, 4, 10.0, 0.0), 7.5);
    // Each sample comes from its own product, never from a running sum.
    const double xMin = 0.1;
    const double xMax = 0.7;
    EXPECT_EQ(SampleX(7, 10, xMin, xMax), (7.0 * (xMax - xMin)) / 10.0 + xMin);
}

TEST(LineShapes, AreaAndItsInversions) {
    EXPECT_EQ(PeakArea(1.0, 1.0), 1.0644670194312262);
    const double area = PeakArea(2.0, 10.0);
    EXPECT_DOUBLE_EQ(IntensityForArea(area, 20.0), 1.0);
    EXPECT_DOUBLE_EQ(WidthForArea(area, 4.0), 5.0);
    EXPECT_DOUBLE_EQ(IntensityForArea(PeakArea(3.7, 0.9), 0.9), 3.7);
}

}  // namespace

// The profiles of every shape against their definitions: the Voigt against a
// numerical convolution of its Gaussian and Lorentzian, every shape's area
// against a numerical integral, its slopes against central differences.
struct ProfileCase {
    BandShape shape;
    double share;
};

class Profiles : public ::testing::TestWithParam<ProfileCase> {
  protected:
    static constexpr double kCentre = 40.0;
    static constexpr double kHeight = 2.5;
    static constexpr double kWidth = 3.0;

    PeakTable Band() const {
        return TableOf(
            {{kCentre, kHeight, kWidth, 1.0, false, GetParam().shape, GetParam().share}});
    }
    double At(double x) const { return PeakTerm(Band(), 1, Gaussian, false, x); }

    // ∫ f over the real line, to about 1e-13 relative, split where f peaks.
    template <typename F>
    static double Integral(F f, double a, double b) {
        gsl_integration_workspace* w = gsl_integration_workspace_alloc(2000);
        gsl_function g{[](double t, void* p) { return (*static_cast<F*>(p))(t); }, &f};
        double below = 0.0, between = 0.0, above = 0.0, error = 0.0;
        gsl_integration_qagil(&g, std::min(a, b), 0.0, 1e-13, 2000, w, &below, &error);
        if (a != b) {
            gsl_integration_qags(&g, std::min(a, b), std::max(a, b), 0.0, 1e-13, 2000, w, &between,
                                 &error);
        }
        gsl_integration_qagiu(&g, std::max(a, b), 0.0, 1e-13, 2000, w, &above, &error);
        gsl_integration_workspace_free(w);
        return below + between + above;
    }
};

TEST_P(Profiles, HeightHalfHeightAreaAndSlopes) {
    const ProfileCase c = GetParam();
    EXPECT_NEAR(At(kCentre), kHeight, 1e-14 * kHeight);
    for (const double side : {-0.5, 0.5}) {
        EXPECT_NEAR(At(kCentre + side * kWidth), 0.5 * kHeight, 1e-12 * kHeight);
    }
    const double area = Integral([this](double x) { return At(x); }, kCentre, kCentre);
    EXPECT_NEAR(BandArea(c.shape, c.share, kHeight, kWidth), area, 1e-9 * area);
    EXPECT_NEAR(IntensityForBandArea(c.shape, c.share, area, kWidth), kHeight, 1e-9 * kHeight);
    EXPECT_NEAR(WidthForBandArea(c.shape, c.share, area, kHeight), kWidth, 1e-9 * kWidth);

    if (c.shape == BandShape::Voigt && c.share > 0.0 && c.share < 1.0) {
        // G(t; sigma) convolved with L(x - t; gamma) by quadrature, scaled to
        // the band's height.
        const VoigtWidths v = VoigtOfShare(c.share);
        const double sigma = v.sigma * kWidth;
        const double gamma = v.gamma * kWidth;
        const auto voigt = [&](double x) {
            return Integral(
                [&](double t) {
                    return std::exp(-t * t / (2.0 * sigma * sigma)) * gamma /
                           ((x - t) * (x - t) + gamma * gamma);
                },
                0.0, x);
        };
        const double top = voigt(0.0);
        for (const double x : {0.3, 1.5, 4.0, 12.0}) {
            const double expected = kHeight * voigt(x) / top;
            EXPECT_NEAR(At(kCentre + x), expected, 1e-10 * expected) << x;
        }
    }

    const BandProfile profile = ProfileOf(Band().Band(1), Gaussian, false);
    for (const double x : {kCentre - 2.2, kCentre + 0.7, kCentre + 5.0}) {
        const BandProfile::Slopes s = profile.SlopesAt(x);
        EXPECT_NEAR(s.value, At(x), 1e-13 * kHeight);
        const auto difference = [&](auto change, double step) {
            BandProfile up = profile, down = profile;
            change(up, step);
            change(down, -step);
            if (c.shape == BandShape::Voigt) {
                up.voigt = VoigtOfShare(up.share);
                down.voigt = VoigtOfShare(down.share);
            }
            return (up.At(x) - down.At(x)) / (2.0 * step);
        };
        const double h = 1e-5;
        EXPECT_NEAR(s.centre, difference([](BandProfile& p, double d) { p.centre += d; }, h), 1e-6);
        EXPECT_NEAR(s.intensity, difference([](BandProfile& p, double d) { p.intensity += d; }, h),
                    1e-6);
        EXPECT_NEAR(s.width, difference([](BandProfile& p, double d) { p.width += d; }, h), 1e-6);
        if (IsMixed(c.shape) && c.share > 0.01 && c.share < 0.99) {
            EXPECT_NEAR(s.share, difference([](BandProfile& p, double d) { p.share += d; }, h),
                        1e-6);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryShape, Profiles,
    ::testing::Values(ProfileCase{BandShape::Gaussian, 0.0},
                      ProfileCase{BandShape::Lorentzian, 0.0},
                      ProfileCase{BandShape::PseudoVoigt, 0.0},
                      ProfileCase{BandShape::PseudoVoigt, 0.3},
                      ProfileCase{BandShape::PseudoVoigt, 1.0}, ProfileCase{BandShape::Voigt, 0.0},
                      ProfileCase{BandShape::Voigt, 0.05}, ProfileCase{BandShape::Voigt, 0.5},
                      ProfileCase{BandShape::Voigt, 0.9}, ProfileCase{BandShape::Voigt, 0.999},
                      ProfileCase{BandShape::Voigt, 1.0}));

// The Faddeeva function (both ways) and its slope along lines of constant
// Im z, across where the asymptotic series takes over (|z| = 27.5) and where
// it drops terms (50, 73, 165): near the real axis, where exp(-z²) is the
// part the series leaves out, and above the diagonal. libcerf's w is the
// reference, and -2 z w + 2i / sqrt(pi) its slope, which loses to
// cancellation about |z|² units in the last place, well inside the 1e-10
// asked for here.
TEST(LineShapes, FaddeevaSeriesAgreesWithLibcerf) {
    const double imaginaryParts[] = {0.0, 1e-8, 0.46, 3.0, 20.0, 27.0, 30.0, 200.0};
    for (const double y : imaginaryParts) {
        for (double x = -300.0; x <= 300.0; x += 0.37) {
            const std::complex<double> z(x, y);
            const FaddeevaValue got = FaddeevaWithSlope(z);
            const std::complex<double> w(w_of_z(z.__rep()));
            const std::complex<double> slope =
                -2.0 * z * w + std::complex<double>(0.0, 2.0 / std::sqrt(M_PI));
            EXPECT_LE(std::abs(got.w - w), 1e-10 * std::abs(w)) << x << "+" << y << "i";
            const std::complex<double> quick = FaddeevaQuick(z);
            EXPECT_LE(std::abs(quick.real() - w.real()), 1e-10 * std::fabs(w.real()) + 1e-300)
                << x << "+" << y << "i";
            EXPECT_LE(std::abs(quick - w), 1e-10 * std::abs(w)) << x << "+" << y << "i";
            EXPECT_LE(std::abs(got.w.real() - w.real()), 1e-10 * std::fabs(w.real()) + 1e-300)
                << x << "+" << y << "i";
            EXPECT_LE(std::abs(got.slope - slope), 1e-10 * std::abs(slope)) << x << "+" << y << "i";
            EXPECT_LE(std::abs(got.slope.real() - slope.real()),
                      1e-10 * std::fabs(slope.real()) + 1e-300)
                << x << "+" << y << "i";
        }
    }
}

// w for many points at once, as the fit takes it near a Voigt band's
// centre, against libcerf along rows of constant Im z: Weideman's
// approximation from Im z = 0.01 up to the series' circle |z| = 27.5, the
// series beyond it, eight points at a time, libcerf nearer the real axis
// and where eight points straddle the circle. Re w is what a band's value
// is made of: it must hold to 1e-10 too.
TEST(LineShapes, FaddeevaRowAgreesWithLibcerf) {
    std::vector<double> xs;
    for (double x = -400.0; x <= 400.0; x += 0.0113) {
        xs.push_back(x);
    }
    for (const double y : {0.0, 0.005, 0.01, 0.05, 0.46, 1.0, 3.0, 10.0, 20.0, 27.0, 30.0}) {
        std::vector<std::complex<double>> got(xs.size());
        FaddeevaRow(xs.data(), xs.size(), y, got.data());
        double worst = 0.0;
        double worstReal = 0.0;
        for (std::size_t i = 0; i < xs.size(); ++i) {
            const std::complex<double> z(xs[i], y);
            const std::complex<double> w(w_of_z(z.__rep()));
            worst = std::max(worst, std::abs(got[i] - w) / std::abs(w));
            worstReal = std::max(
                worstReal, std::fabs(got[i].real() - w.real()) / (std::fabs(w.real()) + 1e-300));
        }
        EXPECT_LE(worst, 1e-12) << "Im z = " << y;
        EXPECT_LE(worstReal, 1e-10) << "Im z = " << y;
    }
}

TEST(LineShapes, BandsFollowingTheDocumentSumAsBefore) {
    // A band of its own Gaussian among bands that follow a Lorentzian
    // switch: the others keep their bits, the own one is the Gaussian's.
    const PeakTable t =
        TableOf({{10.0, 1.0, 2.0}, {11.0, 2.0, 3.0, 1.0, false, BandShape::Gaussian}});
    const PeakTable plain = TableOf({{10.0, 1.0, 2.0}, {11.0, 2.0, 3.0}});
    EXPECT_EQ(PeakTerm(t, 1, Lorentzian, false, 10.7), PeakTerm(plain, 1, Lorentzian, false, 10.7));
    EXPECT_EQ(PeakTerm(t, 2, Lorentzian, false, 10.7), PeakTerm(plain, 2, Gaussian, false, 10.7));
}
