#include "output/plot_curves.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <tuple>
#include <utility>

#include "output/band_sums.h"
#include "platform/number_format.h"

using namespace trazel::model;

namespace trazel::output {

namespace {

bool IsUsableInterval(double lo, double hi) {
    return std::isfinite(lo) && std::isfinite(hi) && lo != hi;
}

// Where x lies against [lo, hi]: -1 before, 0 inside, +1 after.
int Side(double x, double lo, double hi) {
    return x < lo ? -1 : x > hi ? 1 : 0;
}

bool Finite(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}

}  // namespace

std::vector<double> PlotSampleXs(const PeakTable& table, bool useScaled, double lo, double hi,
                                 int columns) {
    std::vector<double> xs;
    if (!IsUsableInterval(lo, hi) || columns < 1) {
        return xs;
    }
    if (lo > hi) {
        std::swap(lo, hi);
    }
    xs.reserve(static_cast<std::size_t>(columns) + table.bands.size());
    const double span = hi - lo;
    for (int j = 0; j < columns; ++j) {
        const double t = static_cast<double>(j) / columns;
        // Across nearly the whole range of doubles the width itself overflows.
        xs.push_back(std::isfinite(span) ? lo + span * t : lo * (1.0 - t) + hi * t);
    }
    // The upper end itself, not lo + span, which may round past it.
    xs.push_back(hi);
    for (int k = 1; k <= table.PeakCount(); ++k) {
        const double centre = useScaled ? table.Band(k).scaledPosition : table.Band(k).position;
        if (centre >= lo && centre <= hi) {
            xs.push_back(centre);
        }
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    return xs;
}

PlotCurves SamplePlotCurves(const PeakTable& table, std::int32_t lineShape, bool useScaled,
                            double lo, double hi, int columns) {
    PlotCurves curves;
    curves.xs = PlotSampleXs(table, useScaled, lo, hi, columns);
    const BandSums sums(table, lineShape, useScaled);
    curves.sum.resize(curves.xs.size());
    sums.Sums(curves.xs, curves.sum);
    for (int k = 1; k <= table.PeakCount(); ++k) {
        if (table.Band(k).separate != 0) {
            BandCurve band{.index = k, .y = std::vector<double>(curves.xs.size())};
            sums.Terms(k, curves.xs, band.y);
            curves.bands.push_back(std::move(band));
        }
    }
    return curves;
}

double CurvesMaximum(const PlotCurves& curves) {
    double maximum = 0.0;
    bool any = false;
    for (const double y : curves.sum) {
        if (std::isfinite(y) && (!any || y > maximum)) {
            maximum = y;
            any = true;
        }
    }
    return maximum;
}

CurveStyle BandStyle(int ordinal) {
    // Okabe and Ito's palette without its black, strongest colours first;
    // its yellow comes last, being the faintest on white.
    static constexpr std::array<std::uint32_t, 7> kColours = {
        0xE69F00, 0x0072B2, 0x009E73, 0xD55E00, 0xCC79A7, 0x56B4E9, 0xF0E442};
    static constexpr std::array<Dash, 4> kDashes = {Dash::Solid, Dash::Dashed, Dash::Dotted,
                                                    Dash::DashDotted};
    const auto n = static_cast<std::size_t>(std::max(ordinal, 0));
    return {kColours[n % kColours.size()], kDashes[(n / kColours.size()) % kDashes.size()]};
}

std::string BandLegendLabel(const PeakTable& table, int k, bool useScaled) {
    return platform::FormatG(useScaled ? table.Band(k).scaledPosition : table.Band(k).position);
}

namespace {

// The points of a spectrum whose x runs one way (as nearly every measured
// spectrum's does) that ReducePerColumn can keep: those in [lo, hi] and the
// one on either side, which the lines to the frame start from. All of them
// when x does not run one way or is not finite everywhere.
std::pair<std::size_t, std::size_t> PointsThatCanShow(std::span<const double> x, double lo,
                                                      double hi, bool monotone) {
    const std::size_t n = x.size();
    if (n < 3 || !monotone) {
        return {0, n};
    }
    const bool rising = x[0] <= x[n - 1];
    std::size_t first = 0;
    std::size_t last = 0;
    if (rising) {
        first = static_cast<std::size_t>(std::lower_bound(x.begin(), x.end(), lo) - x.begin());
        last = static_cast<std::size_t>(std::upper_bound(x.begin(), x.end(), hi) - x.begin());
    } else {
        first = static_cast<std::size_t>(
            std::lower_bound(x.begin(), x.end(), hi, std::greater<>()) - x.begin());
        last = static_cast<std::size_t>(std::upper_bound(x.begin(), x.end(), lo, std::greater<>()) -
                                        x.begin());
    }
    return {first > 0 ? first - 1 : 0, std::min(n, last + 1)};
}

}  // namespace

ReducedPoints ReducePerColumn(std::span<const double> x, std::span<const double> y, double lo,
                              double hi, int columns, const PointIndex* index) {
    ReducedPoints out;
    if (!IsUsableInterval(lo, hi) || columns < 1) {
        return out;
    }
    if (lo > hi) {
        std::swap(lo, hi);
    }
    if (index != nullptr && !index->Describes(x, y)) {
        index = nullptr;
    }
    // The points before those that can show, which the index counts from.
    std::size_t base = 0;
    const std::span<const double> allY = y;
    {
        // A zoom on a part of a long spectrum looks at that part alone.
        const std::size_t size = std::min(x.size(), y.size());
        const bool monotone = index != nullptr ? index->Monotone() : RunsOneWay(x.first(size));
        const auto [from, to] = PointsThatCanShow(x.first(size), lo, hi, monotone);
        x = x.subspan(from, to - from);
        y = y.subspan(from, to - from);
        base = from;
        if (!monotone) {
            index = nullptr;
        }
    }
    const std::size_t n = std::min(x.size(), y.size());
    const double perUnit = columns / (hi - lo);
    const auto column = [&](double v) {
        const double c = (v - lo) * perUnit;
        // The upper end, and any width too small or too large for the
        // arithmetic, fall into the last column.
        return c >= 0.0 && c < columns ? static_cast<int>(c) : columns - 1;
    };
    const auto sideAt = [&](std::size_t i) { return Finite(x[i], y[i]) ? Side(x[i], lo, hi) : 2; };
    const auto emit = [&out, &x, &y](std::size_t i) {
        out.x.push_back(x[i]);
        out.y.push_back(y[i]);
    };
    out.x.reserve(std::min(n, 4 * static_cast<std::size_t>(columns) + 4));
    out.y.reserve(out.x.capacity());

    std::size_t i = 0;
    while (i < n) {
        const int side = sideAt(i);
        if (side == 2) {
            ++i;
            continue;
        }
        if (side != 0) {
            // Kept only where the line enters or leaves the view, or crosses it.
            const bool before = i > 0 && sideAt(i - 1) != side && sideAt(i - 1) != 2;
            const bool after = i + 1 < n && sideAt(i + 1) != side && sideAt(i + 1) != 2;
            if (before || after) {
                emit(i);
            }
            ++i;
            continue;
        }
        // The run goes on while x stays in the column's span: two comparisons
        // a point, as this loop sees every point of the file.
        const int c = column(x[i]);
        const double columnLow = std::min(x[i], lo + c / perUnit);
        const double columnHigh = c == columns - 1 ? hi : std::max(x[i], lo + (c + 1) / perUnit);
        const bool lastColumn = c == columns - 1;
        const auto inColumn = [&](std::size_t j) {
            return x[j] >= columnLow && (x[j] < columnHigh || (lastColumn && x[j] <= hi));
        };
        std::size_t low = i;
        std::size_t high = i;
        std::size_t j = i + 1;
        if (index != nullptr) {
            // x runs one way: past the point after i, which may repeat an x
            // on the column's edge, the column's points are one stretch.
            if (j < n && inColumn(j)) {
                std::size_t first = j + 1;
                std::size_t count = n - first;
                while (count > 0) {
                    const std::size_t half = count / 2;
                    if (inColumn(first + half)) {
                        first += half + 1;
                        count -= half + 1;
                    } else {
                        count = half;
                    }
                }
                j = index->FirstNonFinite(allY, base + j, base + first) - base;
                std::tie(low, high) = index->Extremes(allY, base + i, base + j);
                low -= base;
                high -= base;
            }
        } else {
            for (; j < n && inColumn(j) && std::isfinite(y[j]); ++j) {
                if (y[j] < y[low]) {
                    low = j;
                }
                if (y[j] > y[high]) {
                    high = j;
                }
            }
        }
        emit(std::min(low, high));
        if (low != high) {
            emit(std::max(low, high));
        }
        i = j;
    }
    return out;
}

double MaximumInView(std::span<const double> x, std::span<const double> y, double lo, double hi) {
    if (lo > hi) {
        std::swap(lo, hi);
    }
    double maximum = 0.0;
    bool any = false;
    const std::size_t n = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (Finite(x[i], y[i]) && x[i] >= lo && x[i] <= hi && (!any || y[i] > maximum)) {
            maximum = y[i];
            any = true;
        }
    }
    return maximum;
}

double MeasuredDrawFactor(double yFactor, bool scaleToModelMaximum, double modelMaximum,
                          double measuredMaximum) {
    if (!scaleToModelMaximum) {
        return yFactor;
    }
    if (!(modelMaximum > 0.0) || !(measuredMaximum > 0.0)) {
        return 1.0;
    }
    return modelMaximum / measuredMaximum;
}

}  // namespace trazel::output
