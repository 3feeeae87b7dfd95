#include <gtest/gtest.h>

#include <string>

#include "model/line_shapes.h"
#include "output/screen_graph.h"
#include "platform/recording_dc.h"
#include "tests/output/random_tables.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace {

// The curves as drawn sample by sample with ProfileSum and PeakTerm.
std::vector<RecordingDC::Call> PlainCurves(const PeakTable& table, const GraphSettings& settings) {
    RecordingDC dc;
    const int n = settings.screenSamples;
    const bool scaled = settings.curve.useScaled;
    dc.MoveTo(420, 402);
    for (int j = 0; j < n; ++j) {
        const double x = SampleX(j, n, settings.curve.xMin, settings.curve.xMax);
        PlotSample(dc, settings, j, ProfileSum(table, settings.curve.lineShape, scaled, x));
    }
    for (int k = 1; k <= table.PeakCount(); ++k) {
        if (table.Band(k).separate != 0) {
            dc.MoveTo(420, 402);
            for (int j = 0; j < n; ++j) {
                const double x = SampleX(j, n, settings.curve.xMin, settings.curve.xMax);
                PlotSample(dc, settings, j,
                           PeakTerm(table, k, settings.curve.lineShape, scaled, x));
            }
        }
    }
    return dc.Calls();
}

TEST(ScreenGraphFastPath, SameCallsAsSampleBySample) {
    RandomTables random(21);
    for (int round = 0; round < 60; ++round) {
        GraphSettings settings;
        settings.curve.xMin = random.Uniform(-100.0, 500.0);
        settings.curve.xMax = settings.curve.xMin + random.Uniform(-200.0, 1000.0);
        // Limits near the curves, so that the rows tell small differences apart.
        settings.curve.yMin = random.Uniform(-0.5, 0.1);
        settings.curve.yMax = random.Uniform(0.2, 5.0);
        settings.curve.lineShape = round % 2 == 0 ? Gaussian : Lorentzian;
        settings.curve.useScaled = round % 3 == 0;
        settings.curve.joinPoints = round % 5 != 0;
        settings.screenSamples = round % 20 == 7 ? random.Below(3) : 250;
        PeakTable table =
            random.Table(settings.curve.xMin, settings.curve.xMax, round % 4 == 0 ? 0.05 : 0.0);
        for (int k = 1; k <= table.PeakCount(); ++k) {
            table.Band(k).separate = random.Below(3) == 0 ? 1 : 0;
        }

        RecordingDC dc;
        DrawGraph(dc, table, settings);
        // The box and the eleven pairs of ticks come first.
        const std::vector<RecordingDC::Call> curves(dc.Calls().begin() + 2 + 11 * 4,
                                                    dc.Calls().end());
        ASSERT_EQ(curves, PlainCurves(table, settings)) << "round " << round;
    }
}

}  // namespace
