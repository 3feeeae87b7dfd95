#pragma once

#include <QPen>
#include <QString>
#include <vector>

#include "analysis/figure_data.h"
#include "figure/figure.h"
#include "figure/graph_pool.h"
#include "output/plot_curves.h"

class QCustomPlot;
class QCPAxisRect;

namespace trazel::figure {

// The curves of the figure, each drawn over the plot's axes by the graphs
// of the pool.

QString NoteForEqualLimits();

// The fitted curve solid, each fitted band dotted (one legend entry for
// all), the baseline dashed; the bands filled down to it when fill.
void DrawFit(FigureGraphs& graphs, const analysis::FigureData& figure, FigureStyle style,
             bool fill);

// Puts the strip for the residual under the plot, or takes it away.
void ShowResidualStrip(QCustomPlot& plot, bool shown, FigureStyle style);

void DrawResidual(QCustomPlot& plot, FigureGraphs& graphs, QCPAxisRect& strip,
                  const analysis::Curve& residual, const FigureView& view, FigureStyle style);

// The measured trace of a picture: in each of columns between lo and hi, its
// lowest and highest point, the two edges stroked and the band between them
// filled.
void DrawMeasuredEnvelope(FigureGraphs& graphs, const output::ReducedPoints& points, double lo,
                          double hi, int columns, const QPen& pen, const QString& name);

// A dashed line from top to bottom at each of positions, over everything.
void DrawFoundBands(QCustomPlot& plot, const std::vector<double>& positions, FigureStyle style);

// Leaves out of every curve over the plot the points inside a flat run,
// which draw nothing a line between the run's ends does not; and a band's
// tails on zero.
void DropFlatRuns(QCustomPlot& plot, const std::vector<BandGraph>& bands);

}  // namespace trazel::figure
