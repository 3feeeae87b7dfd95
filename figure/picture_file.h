#pragma once

#include <QByteArray>
#include <QSize>
#include <QSizeF>
#include <optional>
#include <string>

#include "analysis/document_state.h"
#include "figure/figure.h"
#include "output/printed_report.h"
#include "platform/cdc.h"
#include "platform/status.h"

namespace trazel::figure {

// The figure as a file (PNG, SVG, PDF) or on a printed page, drawn afresh
// in the print style on a plot of its own.

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

// Why a picture could not be drawn: RenderFigure gave nothing.
std::string PictureNotDrawn();

// RenderFigure written to path whole or not at all, in the format its ending
// names. The message of a failure names the file.
platform::Status WriteFigure(const std::string& path, const analysis::DocumentState& state,
                             const FigureView& view, const PictureSize& size);

// The figure of state drawn in the print style into box of a page (in
// MM_LOMETRIC), as the picture "Exportar imagen" writes at that size, when dc
// paints through a QPainter (a printer, a PDF); nothing on any other device
// context. A QApplication must exist.
void PrintFigure(platform::CDC& dc, const output::PageBox& box,
                 const analysis::DocumentState& state, const FigureView& view);

}  // namespace trazel::figure
