#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "model/line_shapes.h"
#include "model/peak_table.h"
#include "output/curve_settings.h"
#include "platform/cdc.h"

// The settings the screen graph draws with, as last taken from the form.
struct GraphSettings {
    CurveSettings curve;
    std::int32_t screenSamples = 250;
};

// The form's static controls around the graph box.
enum GraphLabel : int {
    kLabelXMin = 1024,
    kLabelXMax = 1025,
    kLabelYMin = 1026,
    kLabelYMax = 1027,
    kLabelX = 1028,
    kLabelY = 1029,
};

// Sets the text of one label control; called while the graph is drawn.
using SetLabelText = std::function<void(int id, const std::string& text)>;

// The graph box at fixed pixels of the view window (MM_TEXT): box, labels,
// ticks, the sum of every peak at screenSamples samples, then the band of
// every peak flagged for separate display on its own.
void DrawGraph(CDC& dc, const PeakTable& table, const GraphSettings& settings,
               const SetLabelText& setLabel);

// Plots the value v of sample j into the box (column 420 + j).
void PlotSample(CDC& dc, const GraphSettings& settings, int j, double v);

// The triggers draw only over an x range that is not empty: a difference of
// zero, or one that is not a number, counts as no range.
bool IsZeroRange(double xMin, double xMax);
