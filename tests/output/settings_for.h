#pragma once

#include "output/curve_settings.h"

// Graph or report settings over these limits, everything else at its default.
template <typename Settings>
Settings SettingsFor(double xMin, double xMax, double yMin, double yMax, bool joinPoints) {
    Settings settings;
    settings.curve.xMin = xMin;
    settings.curve.xMax = xMax;
    settings.curve.yMin = yMin;
    settings.curve.yMax = yMax;
    settings.curve.joinPoints = joinPoints;
    return settings;
}
