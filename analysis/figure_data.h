#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/document_state.h"
#include "output/plot_curves.h"

namespace trazel::analysis {

// The numbers of the large plot of a document, worked out without any
// drawing library: the window, its pictures and trazel-cli figure draw these.

struct Curve {
    std::vector<double> x;
    std::vector<double> y;
};

struct FigureData {
    // The model: the sum of the bands and those drawn by themselves.
    output::PlotCurves model;
    // The measured spectrum exactly as the fit uses it (y through the
    // transform), cut down to what the plot's columns can show.
    std::optional<output::ReducedPoints> measured;
    // The fit of each region over its range, the regions in x order, each
    // part of a curve after the first led by a point whose y is not a number
    // (a break in the line): the fitted curve, each fitted band on its
    // region's baseline (a curve per band and region), and the residual
    // (data as used minus the fitted curve) at every measured point in the
    // regions, by ascending x. Empty without a fit.
    Curve fit;
    std::vector<Curve> components;
    Curve residual;
    // Each region's baseline over its range, within the view; empty without
    // one.
    Curve baseline;
};

// The figure of state between lo and hi (either order) for a plot columns
// device pixels wide, the model drawn with lineShape and useScaled as the
// form says; the fit with those it was made with. The measured spectrum is
// cut down to measuredColumns when given (a line wider than a pixel shows no
// finer detail), else to columns.
FigureData ComputeFigure(const DocumentState& state, std::int32_t lineShape, bool useScaled,
                         double lo, double hi, int columns, int measuredColumns = 0);

// The measured points in the fit's range as the fit uses them (after the
// transform, times the factor), in ascending x.
Curve FittedData(const MeasuredData& measured, const FitRecord& fit);

// The same points, each minus the fitted curve.
Curve Residuals(const MeasuredData& measured, const FitRecord& fit);

// The residuals of every fitted region, one after another, parted by a
// break (a point whose y is not a number).
Curve Residuals(const MeasuredData& measured, const std::vector<FitRegion>& regions);

// part added at the end of curve, after a break when curve has points.
void Append(Curve& curve, const Curve& part);

// Limits of a view, x and y each from the lower to the higher.
struct ViewLimits {
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
};

// The view that shows all of the measured data as drawn (changed and
// multiplied by the factor): its x range, and its y extent with a twentieth
// of it above and below, so that no point sits on the frame. None without
// measured data.
std::optional<ViewLimits> MeasuredDataView(const Analysis& analysis);

// The transform that makes the measured spectrum's highest point between lo
// and hi as high as the model's sum there; none when either is not positive.
std::optional<MeasuredTransform> TransformToModelMaximum(const DocumentState& state,
                                                         std::int32_t lineShape, bool useScaled,
                                                         double lo, double hi, int columns);

}  // namespace trazel::analysis
