#pragma once

#include <random>
#include <vector>

#include "model/line_shapes.h"
#include "model/peak_table.h"

// A measured spectrum made from known bands: n points evenly spread from xMin
// to xMax, each the bands' sum plus baseline + slope * x plus Gaussian noise
// of standard deviation sigma drawn from a generator seeded with seed, so
// that every run sees the same numbers.
struct SyntheticSpectrum {
    std::vector<double> x;
    std::vector<double> y;
};

struct SpectrumShape {
    std::int32_t lineShape = trazel::model::Gaussian;
    bool useScaled = false;
    double xMin = 0.0;
    double xMax = 100.0;
    int points = 200;
    double baseline = 0.0;
    double slope = 0.0;
    // Added on top: a polynomial in (x - centre of xMin..xMax), c0 first.
    std::vector<double> aboutCentre = {};
    // Noise smoothed by a running mean over this many points.
    int smoothed = 1;
};

inline SyntheticSpectrum MakeSpectrum(const trazel::model::PeakTable& table,
                                      const SpectrumShape& shape, double sigma, unsigned seed) {
    std::mt19937_64 generator(seed);
    std::normal_distribution<double> noise(0.0, sigma);
    SyntheticSpectrum spectrum;
    const double centre = 0.5 * (shape.xMin + shape.xMax);
    std::vector<double> draws;
    for (int j = 0; j < shape.points + shape.smoothed - 1; ++j) {
        draws.push_back(sigma > 0.0 ? noise(generator) : 0.0);
    }
    for (int j = 0; j < shape.points; ++j) {
        const double x = shape.xMin + (shape.xMax - shape.xMin) * j / (shape.points - 1);
        double curve = 0.0;
        for (auto c = shape.aboutCentre.rbegin(); c != shape.aboutCentre.rend(); ++c) {
            curve = curve * (x - centre) + *c;
        }
        double n = 0.0;
        for (int k = 0; k < shape.smoothed; ++k) {
            n += draws[static_cast<std::size_t>(j + k)] / shape.smoothed;
        }
        spectrum.x.push_back(x);
        spectrum.y.push_back(trazel::model::ProfileSum(table, shape.lineShape, shape.useScaled, x) +
                             shape.baseline + shape.slope * x + curve + n);
    }
    return spectrum;
}
