#pragma once

#include "output/curve_settings.h"

// Graph or report settings over these limits, everything else at its default.
template <typename Settings>
Settings SettingsFor(double xMin, double xMax, double yMin, double yMax, bool joinPoints) {
    Settings settings;
    settings.xMin = xMin;
    settings.xMax = xMax;
    settings.yMin = yMin;
    settings.yMax = yMax;
    settings.joinPoints = joinPoints ? 1 : 0;
    return settings;
}
