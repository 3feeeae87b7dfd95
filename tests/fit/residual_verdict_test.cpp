#include <gtest/gtest.h>

#include <cmath>

#include "fit/added_bands.h"
#include "fit/band_fit.h"
#include "fit/fit_report.h"
#include "fit/residual_verdict.h"
#include "tests/support/peak_tables.h"
#include "tests/support/synthetic_spectrum.h"

using namespace trazel::fit;
using namespace trazel::model;

namespace {

// Three bands 20 points wide on 401 points, as a film spectrum at 0.5 cm⁻¹.
const SpectrumShape kRange{.xMin = 0, .xMax = 200, .points = 401};
const PeakTable kThree = TableOf({{60, 1.0, 10}, {110, 0.6, 12}, {150, 0.8, 10}});
const PeakTable kNearThree = TableOf({{61, 0.9, 11}, {109, 0.65, 11}, {151, 0.75, 9}});

FitProblem Posed(const PeakTable& truth, const PeakTable& start, const SpectrumShape& shape,
                 double sigma, unsigned seed, std::int32_t fittedShape, Baseline baseline) {
    const SyntheticSpectrum data = MakeSpectrum(truth, shape, sigma, seed);
    FitProblem problem;
    problem.table = start;
    problem.lineShape = fittedShape;
    problem.baseline = baseline;
    problem.x = data.x;
    problem.y = data.y;
    problem.xMin = shape.xMin;
    problem.xMax = shape.xMax;
    return problem;
}

FitResult Fitted(const PeakTable& truth, const PeakTable& start, const SpectrumShape& shape,
                 double sigma, unsigned seed, std::int32_t fittedShape, Baseline baseline) {
    return FitBands(Posed(truth, start, shape, sigma, seed, fittedShape, baseline));
}

SpectrumShape Smoothed(int points) {
    SpectrumShape shape = kRange;
    shape.smoothed = points;
    return shape;
}

SpectrumShape Sloping() {
    SpectrumShape shape = kRange;
    shape.slope = 0.001;
    return shape;
}

SpectrumShape Lorentzians() {
    SpectrumShape shape = kRange;
    shape.lineShape = Lorentzian;
    return shape;
}

struct JudgedCase {
    const char* name;
    PeakTable truth;
    PeakTable start;
    SpectrumShape shape;
    double sigma;  // of the noise before any smoothing
    std::int32_t fitted;
    Baseline baseline;
    ResidualKind kind;  // ResidualKind::Excess: anything but noise
    double missingAt;   // where the band left out is, for MissingBand
};

// Each row: the truth, the start fitted, the spectrum, the noise, the shape
// fitted, the baseline, the verdict it must give.
const JudgedCase kNoiseRows[] = {
    {"snr20", kThree, kNearThree, kRange, 0.05, Gaussian, Baseline::None, ResidualKind::Noise, 0},
    {"snr100", kThree, kNearThree, kRange, 0.01, Gaussian, Baseline::None, ResidualKind::Noise, 0},
    {"snr1000", kThree, kNearThree, kRange, 0.001, Gaussian, Baseline::None, ResidualKind::Noise,
     0},
    {"smoothedOver3", kThree, kNearThree, Smoothed(3), 0.02, Gaussian, Baseline::None,
     ResidualKind::Noise, 0},
    {"smoothedOver5", kThree, kNearThree, Smoothed(5), 0.02, Gaussian, Baseline::None,
     ResidualKind::Noise, 0},
};

// A band at 85 of 5 %, 10 % and 25 % of the tallest left out, at an SNR of
// 100, 50 and 20: each five times the noise.
const JudgedCase kMissingRows[] = {
    {"fivePercentLeftOut", TableOf({{60, 1.0, 10}, {110, 0.6, 12}, {150, 0.8, 10}, {85, 0.05, 10}}),
     kNearThree, kRange, 0.01, Gaussian, Baseline::None, ResidualKind::MissingBand, 85},
    {"tenPercentLeftOut", TableOf({{60, 1.0, 10}, {110, 0.6, 12}, {150, 0.8, 10}, {85, 0.1, 10}}),
     kNearThree, kRange, 0.02, Gaussian, Baseline::None, ResidualKind::MissingBand, 85},
    {"quarterLeftOut", TableOf({{60, 1.0, 10}, {110, 0.6, 12}, {150, 0.8, 10}, {85, 0.25, 10}}),
     kNearThree, kRange, 0.05, Gaussian, Baseline::None, ResidualKind::MissingBand, 85},
};

const JudgedCase kOtherRows[] = {
    // Two bands 0.6 of their width apart fitted as one, beside a band alone
    // and alone (the synthetic case of a verdict that used to say "Converge.").
    {"twoAsOne", TableOf({{60, 1.0, 10}, {66, 0.8, 10}, {130, 0.7, 10}}),
     TableOf({{62, 1.5, 12}, {130, 0.7, 10}}), kRange, 0.005, Gaussian, Baseline::None,
     ResidualKind::MissingBand, 0},
    {"twoAsOneAlone", TableOf({{100, 1.0, 20}, {112, 0.8, 20}}), TableOf({{105, 1.6, 26}}), kRange,
     0.005, Gaussian, Baseline::None, ResidualKind::MissingBand, 0},
    {"gaussiansAsLorentzians", kThree, kNearThree, kRange, 0.01, Lorentzian, Baseline::None,
     ResidualKind::LineShape, 0},
    {"lorentziansAsGaussians", kThree, kNearThree, Lorentzians(), 0.01, Gaussian, Baseline::None,
     ResidualKind::LineShape, 0},
    {"slopeAsConstant", kThree, kNearThree, Sloping(), 0.01, Gaussian, Baseline::Constant,
     ResidualKind::Excess, 0},
};

std::string Named(const testing::TestParamInfo<JudgedCase>& info) {
    return info.param.name;
}

class JudgedTest : public testing::TestWithParam<JudgedCase> {};

// Each synthetic case gives its verdict for three noise draws, and a band
// left out is found within a width of where it is.
TEST_P(JudgedTest, NamesWhatTheResidualHolds) {
    const JudgedCase& c = GetParam();
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const FitResult result =
            Fitted(c.truth, c.start, c.shape, c.sigma, seed, c.fitted, c.baseline);
        ASSERT_TRUE(result.Ok()) << FailureText(result);
        const ResidualVerdict& v = result.residual;
        const std::string said = VerdictText(result);
        if (c.kind == ResidualKind::Excess) {
            EXPECT_TRUE(v.Fires()) << seed << ": " << said;
        } else {
            EXPECT_EQ(v.kind, c.kind) << seed << ": " << said << ", residual/noise " << v.ratio
                                      << " of " << v.ratioLimit << ", span " << v.noiseSpan;
        }
        if (c.missingAt > 0.0) {
            EXPECT_NEAR(v.featureX, c.missingAt, 10.0) << seed;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Noise, JudgedTest, testing::ValuesIn(kNoiseRows), Named);
INSTANTIATE_TEST_SUITE_P(Missing, JudgedTest, testing::ValuesIn(kMissingRows), Named);
INSTANTIATE_TEST_SUITE_P(Other, JudgedTest, testing::ValuesIn(kOtherRows), Named);

// The rows whose residual is noise, over 200 draws each: the verdict
// names something else in fewer than 1 % of them.
TEST(JudgedNoise, RarelyRaisesAFalseAlarm) {
    int alarms = 0;
    int fits = 0;
    for (const JudgedCase& c : kNoiseRows) {
        for (unsigned seed = 1000; seed < 1200; ++seed) {
            const FitResult result =
                Fitted(c.truth, c.start, c.shape, c.sigma, seed, c.fitted, c.baseline);
            ASSERT_TRUE(result.Ok()) << c.name << " " << seed << ": " << FailureText(result);
            alarms += result.residual.Fires() ? 1 : 0;
            ++fits;
        }
    }
    EXPECT_LT(alarms * 100, fits) << alarms << " false alarms in " << fits << " fits";
}

class AddedTest : public testing::TestWithParam<JudgedCase> {};

// Asked for up to three bands more, the fit finds the one left out, its
// position and height within three of their errors, and stops there: the
// residual is noise.
TEST_P(AddedTest, FindsTheBandLeftOut) {
    const JudgedCase& c = GetParam();
    const AddedBands added =
        FitAddingBands(Posed(c.truth, c.start, c.shape, c.sigma, 1, c.fitted, c.baseline), 3);
    ASSERT_TRUE(added.result.Ok()) << FailureText(added.result);
    ASSERT_EQ(added.added.size(), 1u) << VerdictText(added.result);
    EXPECT_EQ(added.result.residual.kind, ResidualKind::Noise) << VerdictText(added.result);
    const FittedBand& band = added.result.bands.back();
    const Peak& truth = c.truth.bands.back();
    EXPECT_NEAR(band.position.value, truth.position, 3.0 * band.position.error);
    EXPECT_NEAR(band.intensity.value, truth.intensity, 3.0 * band.intensity.error);
    EXPECT_LT(added.criteria.back(), added.criteria.front());
}

INSTANTIATE_TEST_SUITE_P(Missing, AddedTest, testing::ValuesIn(kMissingRows), Named);

}  // namespace
