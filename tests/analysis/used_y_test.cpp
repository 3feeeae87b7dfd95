#include <gtest/gtest.h>

#include <cmath>

#include "analysis/figure_data.h"
#include "document/trazel_doc.h"
#include "tests/support/peak_tables.h"
#include "tests/support/synthetic_spectrum.h"

using namespace trazel;
using namespace trazel::analysis;

namespace {

struct UsedYCase {
    const char* name;
    MeasuredTransform transform;
    // The used y of a point read as y, for the steps a point alone decides;
    // none for the baseline, which depends on the neighbours.
    double (*expected)(double y);
};

class UsedY : public testing::TestWithParam<UsedYCase> {};

// Each step of the transform on its own and all together: the fit is posed
// on, and the figure draws, the very ordinates UsedY gives, and these are the
// values read carried through the steps (or, with a baseline, the read values
// less the baseline, both times the factor).
TEST_P(UsedY, FitAndFigureTakeTheSameOrdinates) {
    const SyntheticSpectrum made =
        MakeSpectrum(TableOf({{40, 0.8, 9}}), {.points = 201, .baseline = 0.1}, 0.0, 1);
    document::CTrazelDoc document;
    document.OnNewDocument();
    document.OpenTable(TableOf({{40, 0.8, 9}}));
    document.SetMeasured(MeasuredFrom({.x = made.x, .y = made.y}, "medido.txt"));
    document.SetMeasuredTransform(GetParam().transform);
    const MeasuredData& measured = *document.GetAnalysis().measured;
    ASSERT_EQ(measured.X().size(), made.y.size());

    const fit::FitProblem problem = document.PoseFit({}, model::Gaussian, false);
    FitRecord whole;
    whole.xMin = -HUGE_VAL;
    whole.xMax = HUGE_VAL;
    const Curve drawn = FittedData(measured, whole);
    ASSERT_EQ(drawn.y.size(), made.y.size());
    const std::span<const double> baseline = measured.SubtractedBaseline();
    const double factor = GetParam().transform.yFactor;
    for (std::size_t i = 0; i < made.y.size(); ++i) {
        const double used = measured.UsedY(i);
        EXPECT_EQ(problem.y[i], used) << i;
        EXPECT_EQ(drawn.y[i], used) << i;
        if (GetParam().expected != nullptr) {
            EXPECT_DOUBLE_EQ(used, GetParam().expected(made.y[i])) << i;
        } else {
            ASSERT_EQ(baseline.size(), made.y.size());
            EXPECT_NEAR(used + factor * baseline[i], factor * made.y[i], 1e-12) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, UsedY,
    testing::Values(
        UsedYCase{"none", {}, [](double y) { return y; }},
        UsedYCase{"units",
                  {.y = input::YChange::AbsorbanceToTransmittance},
                  [](double y) { return std::pow(10.0, -y); }},
        UsedYCase{"sign", {.negate = true}, [](double y) { return -y; }},
        UsedYCase{"factor", {.yFactor = 2.5}, [](double y) { return 2.5 * y; }},
        UsedYCase{"allButBaseline",
                  {.y = input::YChange::AbsorbanceToTransmittance, .negate = true, .yFactor = 2.5},
                  [](double y) { return -2.5 * std::pow(10.0, -y); }},
        UsedYCase{"baseline", {.yFactor = 2.5, .als = input::AlsOptions{1e5, 0.01}}, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
