#pragma once

#include <QByteArray>
#include <QPen>
#include <QSize>
#include <QString>
#include <QVector>
#include <optional>
#include <string>

#include "analysis/document_state.h"
#include "analysis/figure_data.h"
#include "output/curve_settings.h"
#include "output/printed_report.h"
#include "platform/cdc.h"
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
    // The fitted bands filled lightly down to the baseline.
    bool fillComponents = false;
    // A baseline estimated from the measured spectrum, drawn dashed over it
    // while its options are being chosen; empty otherwise.
    analysis::Curve estimatedBaseline;
};

// How a figure is drawn: on the screen one device pixel wide, the measured
// trace aliased, which keeps redrawing fast; in a picture file as on paper,
// laid out in points (1/72 inch) with text and lines in points, everything
// antialiased, so that they keep their size on paper at any resolution.
enum class FigureStyle { Screen, Print };

// A picture file's size on paper and the dots per inch of its pixels.
struct PictureSize {
    QSizeF inches;
    double dpi = 600.0;

    // The pixels of a PNG file, the resolution times the size.
    QSize Pixels() const;
    // The size laid out, in whole points.
    QSize Points() const;
};

inline constexpr double kCentimetresPerInch = 2.54;
// The sizes a picture may have: sides in pixels, and resolutions.
inline constexpr int kMinPictureSide = 16;
inline constexpr int kMaxPictureSide = 20000;
inline constexpr double kMinDpi = 10.0;
inline constexpr double kMaxDpi = 10000.0;
// A single journal column: 8.5 cm by 6.4 cm at 600 dpi.
PictureSize DefaultPictureSize();
PictureSize PictureSizeInCentimetres(double width, double height, double dpi);
// A size in pixels at dpi; without dpi, at the resolution that makes it as
// wide on paper as the default, so that text and lines keep their share of
// the picture at any size in pixels (within kMinDpi..kMaxDpi: a picture a
// few pixels wide is then wider on paper).
PictureSize PictureSizeInPixels(QSize pixels, std::optional<double> dpi = std::nullopt);
// Why size cannot be drawn (a side of fewer than 16 or more than 20000
// pixels, a resolution outside 10..10000 dpi), empty when it can.
std::string PictureSizeProblem(const PictureSize& size);
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

enum class FigureFormat { Png, Svg, Pdf };
// The format a file name asks for by its ending (.png, .svg, .pdf), or none.
std::optional<FigureFormat> FigureFormatFor(const std::string& path);

// The figure drawn afresh in the print style at size, as a file's bytes: a
// PNG of size.Pixels() that says its resolution, an SVG or a PDF page of the
// size on paper; empty when it could not be drawn (an image too large for
// the memory there is, a painter that could not begin, an encoder that
// failed). A QApplication must exist; no window is shown.
QByteArray RenderFigure(const analysis::DocumentState& state, const FigureView& view,
                        const PictureSize& size, FigureFormat format);

// RenderFigure written to path whole or not at all, in the format its ending
// names. The message of a failure names the file.
// Why a picture could not be drawn: RenderFigure gave nothing.
std::string PictureNotDrawn();

platform::Status WriteFigure(const std::string& path, const analysis::DocumentState& state,
                             const FigureView& view, const PictureSize& size);

// The view of a printed fit's page: the fit's range, y from the curves, the
// line shape it was made with, the axes named by the units of the data (or
// the titles typed for the document), x decreasing for the spectra drawn so
// by convention.
FigureView FitPageView(const analysis::Analysis& analysis);

// The figure of state drawn in the print style into box of a page (in
// MM_LOMETRIC), as the picture "Exportar imagen" writes at that size, when dc
// paints through a QPainter (a printer, a PDF); nothing on any other device
// context. A QApplication must exist.
void PrintFigure(platform::CDC& dc, const output::PageBox& box,
                 const analysis::DocumentState& state, const FigureView& view);

// An SVG as QSvgGenerator writes it made smaller without changing what it
// draws: groups that hold nothing left out, and the numbers of coordinates
// rounded to decimals places. Returns svg unchanged if it is not well-formed.
QByteArray CompactSvg(const QByteArray& svg, int decimals);

}  // namespace trazel::ui
