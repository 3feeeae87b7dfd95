#include "analysis/figure_data.h"

#include <algorithm>
#include <cmath>
#include <future>

using namespace trazel::model;
using namespace trazel::output;

namespace trazel::analysis {

namespace {

// The fitted curve f between the fit's range and the view's.
Curve Sampled(const PeakTable& table, bool useScaled, double lo, double hi, int columns,
              const auto& f) {
    Curve curve;
    curve.x = PlotSampleXs(table, useScaled, lo, hi, columns);
    curve.y.reserve(curve.x.size());
    for (const double x : curve.x) {
        curve.y.push_back(f(x));
    }
    return curve;
}

}  // namespace

void Append(Curve& curve, const Curve& part) {
    if (part.x.empty()) {
        return;
    }
    if (!curve.x.empty()) {
        // A point without a value breaks the line between the two parts.
        curve.x.push_back(curve.x.back());
        curve.y.push_back(std::nan(""));
    }
    curve.x.insert(curve.x.end(), part.x.begin(), part.x.end());
    curve.y.insert(curve.y.end(), part.y.begin(), part.y.end());
}

Curve Residuals(const MeasuredData& measured, const std::vector<FitRegion>& regions) {
    Curve residual;
    for (const FitRecord* fit : RegionFits(regions)) {
        Append(residual, Residuals(measured, *fit));
    }
    return residual;
}

Curve FittedData(const MeasuredData& measured, const FitRecord& fit) {
    const std::span<const double> x = measured.X();
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (x[i] >= fit.xMin && x[i] <= fit.xMax) {
            order.push_back(i);
        }
    }
    std::sort(order.begin(), order.end(),
              [&x](std::size_t a, std::size_t b) { return x[a] < x[b]; });
    Curve data;
    data.x.reserve(order.size());
    data.y.reserve(order.size());
    for (const std::size_t i : order) {
        data.x.push_back(x[i]);
        data.y.push_back(measured.UsedY(i));
    }
    return data;
}

Curve Residuals(const MeasuredData& measured, const FitRecord& fit) {
    Curve residual = FittedData(measured, fit);
    for (std::size_t i = 0; i < residual.x.size(); ++i) {
        residual.y[i] -=
            fit::FittedCurveAt(fit.result, fit.lineShape, fit.useScaled, residual.x[i]);
    }
    return residual;
}

FigureData ComputeFigure(const DocumentState& state, std::int32_t lineShape, bool useScaled,
                         double lo, double hi, int columns, int measuredColumns) {
    if (lo > hi) {
        std::swap(lo, hi);
    }
    FigureData figure;
    const Analysis& analysis = state.analysis;
    if (!analysis.measured) {
        figure.model = SamplePlotCurves(state.table, lineShape, useScaled, lo, hi, columns);
        return figure;
    }
    const MeasuredData& measured = *analysis.measured;
    const auto reduce = [&] {
        ReducedPoints points =
            ReducePerColumn(measured.X(), measured.Y(), lo, hi,
                            measuredColumns > 0 ? measuredColumns : columns, measured.index.get());
        for (double& y : points.y) {
            y = measured.transform.Y(y);
        }
        return points;
    };
    // A large spectrum is reduced on a thread of its own while the bands are
    // sampled: each takes about as long, and a zoom waits for both.
    constexpr std::size_t kPointsWorthAThread = std::size_t{1} << 16;
    if (measured.X().size() >= kPointsWorthAThread) {
        std::future<ReducedPoints> reduced = std::async(std::launch::async, reduce);
        figure.model = SamplePlotCurves(state.table, lineShape, useScaled, lo, hi, columns);
        figure.measured = reduced.get();
    } else {
        figure.model = SamplePlotCurves(state.table, lineShape, useScaled, lo, hi, columns);
        figure.measured = reduce();
    }
    for (const FitRegion& region : analysis.regions) {
        if (!region.fit) {
            continue;
        }
        const FitRecord& fit = *region.fit;
        const PeakTable& fitted = fit.result.table;
        // Only over the range fitted: outside it nothing says the fit holds,
        // nor its baseline, fitted on a part of the spectrum.
        const double from = std::max(lo, fit.xMin);
        const double to = std::min(hi, fit.xMax);
        if (from < to) {
            if (const auto baseline = BaselineOf(fit.result, fit.settings.baseline)) {
                // A polynomial of degree one or less is straight: its ends
                // draw it.
                const int samples = baseline->coefficients.size() <= 2 ? 1 : columns;
                Append(figure.baseline, Sampled(PeakTable{}, false, from, to, samples,
                                                [&baseline](double x) { return baseline->At(x); }));
            }
            Append(figure.fit, Sampled(fitted, fit.useScaled, from, to, columns, [&](double x) {
                       return fit::FittedCurveAt(fit.result, fit.lineShape, fit.useScaled, x);
                   }));
            for (int k = 1; k <= fitted.PeakCount(); ++k) {
                figure.components.push_back(
                    Sampled(fitted, fit.useScaled, from, to, columns, [&](double x) {
                        return PeakTerm(fitted, k, fit.lineShape, fit.useScaled, x) +
                               fit::BaselineAt(fit.result, x);
                    }));
            }
        }
    }
    figure.residual = Residuals(measured, analysis.regions);
    return figure;
}

std::optional<ViewLimits> MeasuredDataView(const Analysis& analysis) {
    if (!analysis.measured || analysis.measured->X().empty()) {
        return std::nullopt;
    }
    const MeasuredData& measured = *analysis.measured;
    const auto [xLo, xHi] = std::minmax_element(measured.X().begin(), measured.X().end());
    const auto [yLo, yHi] = std::minmax_element(measured.Y().begin(), measured.Y().end());
    ViewLimits view{*xLo, *xHi, measured.transform.Y(*yLo), measured.transform.Y(*yHi)};
    if (view.yMin > view.yMax) {
        std::swap(view.yMin, view.yMax);
    }
    // A flat spectrum still gets a band of values to sit in.
    const double margin = view.yMax > view.yMin ? (view.yMax - view.yMin) / 20
                                                : std::max(std::abs(view.yMax) / 10, 1.0);
    view.yMin -= margin;
    view.yMax += margin;
    if (view.xMin == view.xMax) {
        return std::nullopt;
    }
    return view;
}

std::optional<MeasuredTransform> TransformToModelMaximum(const DocumentState& state,
                                                         std::int32_t lineShape, bool useScaled,
                                                         double lo, double hi, int columns) {
    if (!state.analysis.measured) {
        return std::nullopt;
    }
    const MeasuredData& measured = *state.analysis.measured;
    const double model =
        CurvesMaximum(SamplePlotCurves(state.table, lineShape, useScaled, lo, hi, columns));
    const double points = MaximumInView(measured.X(), measured.Y(), lo, hi);
    if (!(model > 0.0) || !(points > 0.0)) {
        return std::nullopt;
    }
    MeasuredTransform transform = measured.transform;
    transform.yFactor = MeasuredDrawFactor(transform.yFactor, true, model, points);
    if (!std::isfinite(transform.yFactor) || transform.yFactor == 0.0) {
        return std::nullopt;
    }
    return transform;
}

}  // namespace trazel::analysis
