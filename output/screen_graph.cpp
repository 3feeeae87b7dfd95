#include "output/screen_graph.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "output/band_plot.h"
#include "output/band_sums.h"
#include "platform/number_format.h"

using namespace trazel::platform;
using namespace trazel::model;

namespace trazel::output {

namespace {

// The graph's frame in the form's pixels; its right and bottom edges are
// exclusive, as the rectangle call takes them.
constexpr int kBoxLeft = 420;
constexpr int kBoxTop = 200;
constexpr int kBoxRight = 671;
constexpr int kBoxBottom = 402;

// Eleven ticks on the bottom edge and eleven on the right one, each a short
// line pointing out of the frame.
constexpr int kTicks = 11;
constexpr int kTickLength = 5;
constexpr int kXTickSpacing = 25;
constexpr int kYTickSpacing = 20;

// Values are plotted upwards from the lowest row inside the frame across the
// rows inside it; values below the band, or not numbers, rest on that row.
constexpr int kPlotBaseRow = kBoxBottom - 1;
constexpr int kPlotHeight = kPlotBaseRow - (kBoxTop + 1);
static_assert(kPlotBaseRow == 401 && kPlotHeight == 200);

BandMapping ScreenBand(const GraphSettings& settings) {
    return BandMapping{.low = settings.curve.yMin,
                       .high = settings.curve.yMax,
                       .height = kPlotHeight,
                       .baseRow = kPlotBaseRow,
                       .direction = -1,
                       .aboveRow = kBoxTop,
                       .belowRow = kPlotBaseRow};
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
        const int tickX = kBoxLeft + kXTickSpacing * i;
        const int tickY = kBoxTop + kYTickSpacing * i;
        dc.MoveTo(tickX, kBoxBottom);
        dc.LineTo(tickX, kBoxBottom + kTickLength);
        dc.MoveTo(kBoxRight, tickY);
        dc.LineTo(kBoxRight + kTickLength, tickY);
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
    for (int k = 1; k <= table.PeakCount(); ++k) {
        if (table.Band(k).separate != 0) {
            sums.Terms(k, xs, values);
            plot();
        }
    }
    return GraphLabelTexts(settings.curve);
}

}  // namespace trazel::output
