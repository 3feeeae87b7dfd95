#include "output/screen_graph.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "output/band_plot.h"
#include "output/band_sums.h"
#include "platform/number_format.h"

namespace {

constexpr int kBoxLeft = 420;
constexpr int kBoxTop = 200;
constexpr int kBoxRight = 671;
constexpr int kBoxBottom = 402;
constexpr int kTicks = 11;

BandMapping ScreenBand(const GraphSettings& settings) {
    return BandMapping{.low = settings.curve.yMin,
                       .high = settings.curve.yMax,
                       .height = 200.0,
                       .baseRow = 401,
                       .direction = -1,
                       .aboveRow = kBoxTop,
                       .belowRow = 401};
}

}  // namespace

bool IsZeroRange(double xMin, double xMax) {
    const double difference = xMax - xMin;
    return difference == 0.0 || std::isnan(difference);
}

void PlotSample(CDC& dc, const GraphSettings& settings, int j, double v) {
    PlotInBand(dc, ScreenBand(settings), settings.curve.joinPoints, kBoxLeft + j, v);
}

GraphLabels GraphLabelTexts(const CurveSettings& settings) {
    return GraphLabels{.xMin = FormatG(settings.xMin),
                       .xMax = FormatG(settings.xMax),
                       .yMin = FormatG(settings.yMin),
                       .yMax = FormatG(settings.yMax),
                       .x = "x",
                       .y = "y"};
}

GraphLabels DrawGraph(CDC& dc, const PeakTable& table, const GraphSettings& settings) {
    dc.SelectStockObject(WHITE_BRUSH);
    // Filling the box white is also what wipes the previous plot.
    dc.Rectangle(kBoxLeft, kBoxTop, kBoxRight, kBoxBottom);

    for (int i = 0; i < kTicks; ++i) {
        dc.MoveTo(kBoxLeft + 25 * i, kBoxBottom);
        dc.LineTo(kBoxLeft + 25 * i, kBoxBottom + 5);
        dc.MoveTo(kBoxRight, kBoxTop + 20 * i);
        dc.LineTo(kBoxRight + 5, kBoxTop + 20 * i);
    }

    // All values of a curve are computed before it is drawn; the drawing
    // calls are the same as sample by sample.
    const auto n = static_cast<std::size_t>(std::max(settings.screenSamples, 0));
    std::vector<double> xs(n);
    for (std::size_t j = 0; j < n; ++j) {
        xs[j] = SampleX(static_cast<int>(j), static_cast<int>(n), settings.curve.xMin,
                        settings.curve.xMax);
    }
    std::vector<double> values(n);
    const BandSums sums(table, settings.curve.lineShape, settings.curve.useScaled);
    const auto plot = [&] {
        dc.MoveTo(kBoxLeft, kBoxBottom);
        for (std::size_t j = 0; j < n; ++j) {
            PlotSample(dc, settings, static_cast<int>(j), values[j]);
        }
    };
    sums.Sums(xs, values);
    plot();
    for (int k = 1; k < table.count; ++k) {
        if (table.separate[k] != 0) {
            sums.Terms(k, xs, values);
            plot();
        }
    }
    return GraphLabelTexts(settings.curve);
}
