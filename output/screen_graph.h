#pragma once

#include <cstdint>
#include <string>

#include "model/line_shapes.h"
#include "model/peak_table.h"
#include "output/curve_settings.h"
#include "platform/cdc.h"

namespace trazel::output {

// The settings the screen graph draws with, as last taken from the form.
struct GraphSettings {
    CurveSettings curve;
    std::int32_t screenSamples = 250;
};

// The texts around the graph box: the limits of each axis and its name.
struct GraphLabels {
    std::string xMin, xMax, yMin, yMax, x, y;

    bool operator==(const GraphLabels&) const = default;
};

// The labels the graph is drawn with; they depend on the limits alone, so the
// window can show them without drawing.
GraphLabels GraphLabelTexts(const CurveSettings& settings);

// The graph box at fixed pixels of the view window (MM_TEXT): box, ticks, the
// sum of every peak at screenSamples samples, then the band of every peak
// flagged for separate display on its own. The labels that go around the box
// are returned, for whoever shows them to place them.
GraphLabels DrawGraph(platform::CDC& dc, const model::PeakTable& table,
                      const GraphSettings& settings);

// Plots the value v of sample j into the box (column 420 + j).
void PlotSample(platform::CDC& dc, const GraphSettings& settings, int j, double v);

// The triggers draw only over an x range that is not empty: a difference of
// zero, or one that is not a number, counts as no range.
bool IsZeroRange(double xMin, double xMax);

}  // namespace trazel::output
