#include <gtest/gtest.h>

#include <cmath>

#include "document/trazel_doc.h"
#include "fit/fit_report.h"
#include "tests/support/peak_tables.h"
#include "tests/support/synthetic_spectrum.h"

using namespace trazel;
using namespace trazel::analysis;
using namespace trazel::model;

namespace {

struct HumpCase {
    const char* name;
    double factor;  // the y factor of the measured options
};

class RamanOnAHump : public testing::TestWithParam<HumpCase> {};

// Narrow bands on a broad fluorescence hump, the hump taken away by the
// baseline of asymmetric least squares as the last step of the transform,
// with any y factor: the bands come back within three standard errors.
TEST_P(RamanOnAHump, FitsTheBandsAfterTheBaselineIsSubtracted) {
    const PeakTable truth = TableOf({{400, 1.0, 12}, {520, 0.6, 15}, {610, 0.8, 10}});
    SpectrumShape shape{.xMin = 100, .xMax = 1000, .points = 1800};
    // A hump taller than the bands, its top in the middle.
    shape.aboutCentre = {3.0, 0.0, -3e-6};
    const SyntheticSpectrum made = MakeSpectrum(truth, shape, 0.01, 41);
    document::CTrazelDoc document;
    document.OnNewDocument();
    document.OpenTable(TableOf({{403, 0.9, 14}, {517, 0.5, 13}, {612, 0.9, 11}}));
    document.SetMeasured(MeasuredFrom({.x = made.x, .y = made.y}, "raman.txt"));
    MeasuredTransform transform;
    transform.yFactor = GetParam().factor;
    transform.als = input::AlsOptions{3e7, 0.001};
    document.SetMeasuredTransform(transform);
    // A small p puts the curve at the foot of the noise, a little below the
    // points between the bands: a straight line in the fit takes that up.
    FitSettings settings;
    settings.baseline = fit::Baseline::Linear;
    const fit::FitResult result = fit::FitBands(document.PoseFit(settings, Gaussian, false));
    ASSERT_TRUE(result.Ok()) << FailureText(result);
    for (const fit::FittedBand& band : result.bands) {
        const auto k = static_cast<std::size_t>(band.index);
        EXPECT_LE(std::fabs(band.position.value - truth.Band(k).position), 3 * band.position.error)
            << k;
        EXPECT_LE(std::fabs(band.intensity.value - GetParam().factor * truth.Band(k).intensity),
                  3 * band.intensity.error)
            << k;
        EXPECT_LE(std::fabs(band.width.value - truth.Band(k).width), 3 * band.width.error) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Factors, RamanOnAHump,
                         testing::Values(HumpCase{"asRead", 1.0}, HumpCase{"doubled", 2.0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
