#pragma once

#include <functional>
#include <initializer_list>
#include <limits>

#include "model/peak_table.h"

// A value the tables, the curves and the graphs must take without harm.
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// One band of a test table: a height of 1 and a width of 2 unless given, its
// scaled position computed as the document computes it.
struct TestBand {
    double position = 0.0;
    double intensity = 1.0;
    double width = 2.0;
    double scale = 1.0;
    bool separate = false;
    trazel::model::BandShape shape = trazel::model::BandShape::Document;
    double share = 0.0;
};

inline void AppendBand(trazel::model::PeakTable& table, const TestBand& band) {
    table.bands.push_back({.position = band.position,
                           .scale = band.scale,
                           .scaledPosition = band.scale * band.position,
                           .intensity = band.intensity,
                           .width = band.width,
                           .separate = band.separate ? 1 : 0,
                           .shape = band.shape,
                           .share = band.share});
}

// The bands numbered 1, 2, ... in the order given.
inline trazel::model::PeakTable TableOf(std::initializer_list<TestBand> bands) {
    trazel::model::PeakTable table;
    for (const TestBand& band : bands) {
        AppendBand(table, band);
    }
    return table;
}

// count bands, band k (1 to count) being bandAt(k).
inline trazel::model::PeakTable TableOf(int count, const std::function<TestBand(int k)>& bandAt) {
    trazel::model::PeakTable table;
    for (int k = 1; k <= count; ++k) {
        AppendBand(table, bandAt(k));
    }
    return table;
}
