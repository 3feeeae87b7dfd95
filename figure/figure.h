#pragma once

#include <QString>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "analysis/document_state.h"
#include "analysis/figure_data.h"
#include "output/curve_settings.h"

class QCustomPlot;
class QCPAxisRect;

namespace trazel::figure {

// The large plot as one function of a document and what is shown of it, so
// that the plot window, its exported pictures, trazel-cli figure and the
// printed fit page draw the same thing.

// What is shown: the x and y limits (curve.xMin .. yMax), the line shape and
// the centring on scaled positions, the axis titles and the direction of x.
struct FigureView {
    output::CurveSettings curve;
    // The y limits from the curves drawn instead of curve.yMin and yMax.
    bool yFromData = false;
    QString xTitle = QStringLiteral("x");
    QString yTitle = QStringLiteral("y");
    bool reversedX = false;
    // The fitted bands filled lightly down to the baseline.
    bool fillComponents = false;
    // A baseline estimated from the measured spectrum, drawn dashed over it
    // while its options are being chosen; empty otherwise.
    analysis::Curve estimatedBaseline;
    // The positions of the bands a search found, marked from top to bottom
    // while the search shows them; empty otherwise.
    std::vector<double> foundBands;
    // The sum of the bands without the baseline drawn as well when a fit is
    // shown, whose fitted curve otherwise stands for it.
    bool sumWithFit = false;
    // A comparison with the calculation shown while it is being made; none:
    // the document's own, when it is of the table's bands.
    std::shared_ptr<const analysis::ComparisonRecord> comparison;
};

// How a figure is drawn: on the screen one device pixel wide, the measured
// trace aliased, which keeps redrawing fast; in a picture file as on paper,
// laid out in points (1/72 inch) with text and lines in points, everything
// antialiased, so that they keep their size on paper at any resolution.
enum class FigureStyle { Screen, Print };

// Fills plot with the figure of state (analysis::ComputeFigure): the
// measured spectrum, as the fit uses it, in grey; the sum in black and every
// band marked for separate display in its own colour; the last fit in red
// over its range, with each fitted band dotted and the baseline dashed; all
// sampled for a plot columns device pixels wide between the x limits. With
// a fit, the residual in a strip under the plot, sharing its x axis. The
// legend at the right, folded when it would not fit; a short note instead of
// curves when the x limits are equal. The graphs of the figure drawn before
// on plot are used again.
void SetUpFigure(QCustomPlot& plot, const analysis::DocumentState& state, const FigureView& view,
                 int columns, FigureStyle style = FigureStyle::Screen);

// The residual strip of a figure with a fit, or nullptr.
QCPAxisRect* FigureResidualRect(QCustomPlot& plot);

// The y limits the curves drawn over plot's main axes span, with some room above and below.
std::pair<double, double> FigureDataYRange(QCustomPlot& plot);

// The view of a printed fit's page: the view the document keeps, else the
// fit's range with y from the curves; the line shape the fit was made with,
// the axes named by the units of the data (or the titles typed for the
// document), x in the document's direction (analysis::XDrawnDecreasing).
FigureView FitPageView(const analysis::Analysis& analysis);

// Why an axis cannot show the limits from low to high (either order): a
// limit beyond ±1e250, limits too close together for the axis to tell them
// apart, or a ratio beyond a double; empty when it can, and for equal
// limits, which the figure shows with a note or about their value.
std::string AxisLimitsProblem(double low, double high);

// A text as a picture may hold it: the characters that XML 1.0 does not allow
// even escaped (control characters other than tab and line ends, U+FFFE and
// U+FFFF) shown as U+FFFD, as bytes that are not UTF-8 already are. Every text
// of the figure, the graph of trazel-cli plot and their SVG titles goes
// through it, so that an SVG stays XML and a PDF and the screen show the same.
// Markup is left to the writer: Qt's SVG writer escapes drawn text, not the
// title.
QString PictureText(QString text);

// The legend's name for a measured spectrum read from path (bytes, as the
// file system has them): its file name, the same in the window and in a
// picture written from the command line.
QString MeasuredLegendName(const std::string& path);

}  // namespace trazel::figure
