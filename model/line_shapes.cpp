#include "model/line_shapes.h"

#include <cmath>
#include <numbers>

namespace trazel::model {

// Every expression below keeps the order of operations of the original
// formulas, one rounding per step, so that sums, exports and drawings agree to
// the last bit with files and printouts made before.

namespace {

double GaussianTerm(double x0, double intensity, double width, double x) {
    const double d = x0 - x;
    const double e = (d * NEG_LN2) * d;
    const double h = 0.5 * width;
    const double s = h * h;
    const double a = e / s;
    return std::exp(a) * intensity;
}

double LorentzianTerm(double x0, double intensity, double width, double x) {
    const double h = 0.5 * width;
    const double numerator = (h * intensity) * h;
    const double d = x0 - x;
    const double denominator = (d * d) + (h * h);
    return numerator / denominator;
}

}  // namespace

double PeakTerm(const PeakTable& table, int k, std::int32_t lineShape, bool useScaled, double x) {
    const double x0 = useScaled ? table.Band(k).scaledPosition : table.Band(k).position;
    if (lineShape == Lorentzian) {
        return LorentzianTerm(x0, table.Band(k).intensity, table.Band(k).width, x);
    }
    return GaussianTerm(x0, table.Band(k).intensity, table.Band(k).width, x);
}

double ProfileSum(const PeakTable& table, std::int32_t lineShape, bool useScaled, double x) {
    double sum = 0.0;
    for (int k = 1; k <= table.PeakCount(); ++k) {
        sum = PeakTerm(table, k, lineShape, useScaled, x) + sum;
    }
    return sum;
}

double SampleX(int j, int n, double xMin, double xMax) {
    return (static_cast<double>(j) * (xMax - xMin)) / static_cast<double>(n) + xMin;
}

double PeakArea(double intensity, double width) {
    return (intensity * width) * GAUSS_AREA_FACTOR;
}

double IntensityForArea(double area, double width) {
    return area / (width * GAUSS_AREA_FACTOR);
}

double LorentzianIntensityForArea(double area, double width) {
    return 2.0 * area / (std::numbers::pi * width);
}

double WidthForArea(double area, double intensity) {
    return area / (intensity * GAUSS_AREA_FACTOR);
}

}  // namespace trazel::model
