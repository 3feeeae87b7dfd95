#pragma once

#include <QByteArray>
#include <QPen>
#include <QSize>
#include <QString>
#include <QVector>
#include <optional>
#include <string>

#include "analysis/analysis_doc.h"
#include "analysis/figure_data.h"
#include "output/curve_settings.h"
#include "platform/status.h"

class QCustomPlot;
class QCPAxisRect;

namespace trazel::ui {

// The large plot as one function of a document and what is shown of it, so
// that the plot window, its exported pictures and trazel-cli figure draw the
// same thing.

// What is shown: the x and y limits (curve.xMin .. yMax), the line shape and
// the centring on scaled positions, the axis titles and the direction of x.
struct FigureView {
    output::CurveSettings curve;
    // The y limits from the curves drawn instead of curve.yMin and yMax.
    bool yFromData = false;
    QString xTitle = QStringLiteral("x");
    QString yTitle = QStringLiteral("y");
    bool reversedX = false;
    // A baseline estimated from the measured spectrum, drawn dashed over it
    // while its options are being chosen; empty otherwise.
    analysis::Curve estimatedBaseline;
};

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

// Fills plot afresh with the figure of state (analysis::ComputeFigure): the
// measured spectrum, as the fit uses it, in grey; the sum in black and every
// band marked for separate display in its own colour; the last fit in red
// over its range, with each fitted band dotted and the baseline dashed; all
// sampled for a plot columns device pixels wide between the x limits. With
// a fit, the residual in a strip under the plot, sharing its x axis. The
// legend at the right, folded when it would not fit; a short note instead of
// curves when the x limits are equal.
void SetUpFigure(QCustomPlot& plot, const analysis::DocumentState& state, const FigureView& view,
                 int columns);

// Adds a curve sampled at (xs, ys), one point per device pixel column or
// fewer, drawn through every point.
void AddSampledGraph(QCustomPlot& plot, QVector<double> xs, QVector<double> ys, const QPen& pen,
                     const QString& name);

// The residual strip of a figure with a fit, or nullptr.
QCPAxisRect* FigureResidualRect(QCustomPlot& plot);

// The y limits the curves drawn over plot's main axes span, with some room above and below.
std::pair<double, double> FigureDataYRange(QCustomPlot& plot);

enum class FigureFormat { Png, Svg, Pdf };
// The format a file name asks for by its ending (.png, .svg, .pdf), or none.
std::optional<FigureFormat> FigureFormatFor(const std::string& path);

// The picture of plot as it stands, at size in pixels (a PDF page of that
// size at 96 pixels per inch).
QByteArray FigureBytes(QCustomPlot& plot, QSize size, FigureFormat format);

// The figure drawn afresh at size, as a file's bytes. A QApplication must
// exist; no window is shown.
QByteArray RenderFigure(const analysis::DocumentState& state, const FigureView& view, QSize size,
                        FigureFormat format);

// RenderFigure written to path whole or not at all, in the format its ending
// names. The message of a failure names the file.
platform::Status WriteFigure(const std::string& path, const analysis::DocumentState& state,
                             const FigureView& view, QSize size);

}  // namespace trazel::ui
