#include "output/screen_graph.h"

#include <cmath>

#include "output/band_plot.h"
#include "platform/number_format.h"

namespace {

constexpr int kBoxLeft = 420;
constexpr int kBoxTop = 200;
constexpr int kBoxRight = 671;
constexpr int kBoxBottom = 402;
constexpr int kTicks = 11;

BandMapping ScreenBand(const GraphSettings& settings) {
    return BandMapping{.low = settings.yMin,
                       .high = settings.yMax,
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
    PlotInBand(dc, ScreenBand(settings), settings.joinPoints != 0, kBoxLeft + j, v);
}

void DrawGraph(CDC& dc, const PeakTable& table, const GraphSettings& settings,
               const SetLabelText& setLabel) {
    dc.SelectStockObject(WHITE_BRUSH);
    // Filling the box white is also what wipes the previous plot.
    dc.Rectangle(kBoxLeft, kBoxTop, kBoxRight, kBoxBottom);

    if (setLabel) {
        setLabel(kLabelXMin, FormatG(settings.xMin));
        setLabel(kLabelXMax, FormatG(settings.xMax));
        setLabel(kLabelYMin, FormatG(settings.yMin));
        setLabel(kLabelYMax, FormatG(settings.yMax));
        setLabel(kLabelX, "x");
        setLabel(kLabelY, "y");
    }

    for (int i = 0; i < kTicks; ++i) {
        dc.MoveTo(kBoxLeft + 25 * i, kBoxBottom);
        dc.LineTo(kBoxLeft + 25 * i, kBoxBottom + 5);
        dc.MoveTo(kBoxRight, kBoxTop + 20 * i);
        dc.LineTo(kBoxRight + 5, kBoxTop + 20 * i);
    }

    const int n = settings.screenSamples;
    const bool useScaled = settings.useScaled != 0;
    dc.MoveTo(kBoxLeft, kBoxBottom);
    for (int j = 0; j < n; ++j) {
        const double x = SampleX(j, n, settings.xMin, settings.xMax);
        PlotSample(dc, settings, j, ProfileSum(table, settings.lineShape, useScaled, x));
    }

    for (int k = 1; k < table.count; ++k) {
        if (table.separate[k] == 0) {
            continue;
        }
        dc.MoveTo(kBoxLeft, kBoxBottom);
        for (int j = 0; j < n; ++j) {
            const double x = SampleX(j, n, settings.xMin, settings.xMax);
            PlotSample(dc, settings, j, PeakTerm(table, k, settings.lineShape, useScaled, x));
        }
    }
}
