#include <gtest/gtest.h>

#include <string>

#include "model/line_shapes.h"
#include "output/screen_graph.h"
#include "platform/recording_dc.h"
#include "tests/output/random_tables.h"

namespace {

// The curves as drawn sample by sample with ProfileSum and PeakTerm.
std::vector<RecordingDC::Call> PlainCurves(const PeakTable& table, const GraphSettings& settings) {
    RecordingDC dc;
    const int n = settings.screenSamples;
    const bool scaled = settings.useScaled != 0;
    dc.MoveTo(420, 402);
    for (int j = 0; j < n; ++j) {
        const double x = SampleX(j, n, settings.xMin, settings.xMax);
        PlotSample(dc, settings, j, ProfileSum(table, settings.lineShape, scaled, x));
    }
    for (int k = 1; k < table.count; ++k) {
        if (table.separate[k] != 0) {
            dc.MoveTo(420, 402);
            for (int j = 0; j < n; ++j) {
                const double x = SampleX(j, n, settings.xMin, settings.xMax);
                PlotSample(dc, settings, j, PeakTerm(table, k, settings.lineShape, scaled, x));
            }
        }
    }
    return dc.Calls();
}

TEST(ScreenGraphFastPath, SameCallsAsSampleBySample) {
    RandomTables random(21);
    for (int round = 0; round < 60; ++round) {
        GraphSettings settings;
        settings.xMin = random.Uniform(-100.0, 500.0);
        settings.xMax = settings.xMin + random.Uniform(-200.0, 1000.0);
        // Limits near the curves, so that the rows tell small differences apart.
        settings.yMin = random.Uniform(-0.5, 0.1);
        settings.yMax = random.Uniform(0.2, 5.0);
        settings.lineShape = round % 2 == 0 ? Gaussian : Lorentzian;
        settings.useScaled = round % 3 == 0 ? 1 : 0;
        settings.joinPoints = round % 5 == 0 ? 0 : 1;
        settings.screenSamples = round % 20 == 7 ? random.Below(3) : 250;
        PeakTable table = random.Table(settings.xMin, settings.xMax, round % 4 == 0 ? 0.05 : 0.0);
        for (int k = 1; k < table.count; ++k) {
            table.separate[k] = random.Below(3) == 0 ? 1 : 0;
        }

        RecordingDC dc;
        DrawGraph(dc, table, settings, nullptr);
        // The box and the eleven pairs of ticks come first.
        const std::vector<RecordingDC::Call> curves(dc.Calls().begin() + 2 + 11 * 4,
                                                    dc.Calls().end());
        ASSERT_EQ(curves, PlainCurves(table, settings)) << "round " << round;
    }
}

}  // namespace
