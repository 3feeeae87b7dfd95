#pragma once

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <string>

#include "cli/output_options.h"
#include "model/peak_table.h"
#include "output/screen_graph.h"

class QPainter;

namespace trazel::cli {

// The window's graph as a picture of its own: the box, ticks and curves that
// DrawGraph puts at the view's pixels, and the six label controls around it,
// drawn as the form shows them.

// The whole form, 495 x 269 dialog units, which holds the box and the labels
// at their places in the window.
inline constexpr QSize kGraphPictureSize(743, 438);

// Where the form puts the label control id, in pixels: its rectangle in the
// form's template.
QRect GraphLabelRect(int id);

// Paints the picture on a white ground.
void PaintGraphPicture(QPainter& painter, const model::PeakTable& table,
                       const output::GraphSettings& settings);

// The picture as the bytes of a PNG or SVG file; title is the SVG's title.
// Empty when it could not be painted or encoded.
QByteArray RenderGraphPicture(const model::PeakTable& table, const output::GraphSettings& settings,
                              PictureFormat format, const std::string& title);

}  // namespace trazel::cli
