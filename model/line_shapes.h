#pragma once

#include <cstdint>

#include "model/peak_table.h"

namespace trazel::model {

enum LineShape : std::int32_t { Gaussian = 0, Lorentzian = 1 };

// Held as literals so that every build uses the very same doubles.
inline constexpr double NEG_LN2 = -0.6931471805599453;           // nearest double to -ln 2
inline constexpr double GAUSS_AREA_FACTOR = 1.0644670194312262;  // sqrt(pi / (4 ln 2))

// The band of peak k (1 <= k < count) at x. Any line shape other than
// Lorentzian is taken as Gaussian. With useScaled the band is centred on the
// scaled position, otherwise on the plain one.
double PeakTerm(const PeakTable& table, int k, std::int32_t lineShape, bool useScaled, double x);

// The sum of every peak's band at x, added in ascending index order.
double ProfileSum(const PeakTable& table, std::int32_t lineShape, bool useScaled, double x);

// Sample j of an n-sample grid that starts at xMin and stops one step short of
// xMax; each sample is computed from j, so no error accumulates.
double SampleX(int j, int n, double xMin, double xMax);

double PeakArea(double intensity, double width);
double IntensityForArea(double area, double width);
// The height of a Lorentzian band of this area and full width at half
// maximum: its area is pi/2 times height times width.
double LorentzianIntensityForArea(double area, double width);
double WidthForArea(double area, double intensity);

}  // namespace trazel::model
