#pragma once

#include <functional>
#include <vector>

#include "figure/graph_pool.h"

class QCustomPlot;
class QCPLegend;

namespace trazel::figure {

// The legend's entries: the named graphs that show between the axes, in
// order, folded to the room there is (fold). On the screen a figure drawn
// again over the same graphs, at the same height, with the same of them
// showing keeps its entries as they are, laid out.
void FillLegend(QCustomPlot& plot, const FigureGraphs& graphs, const std::vector<BandGraph>& bands,
                const std::function<void(QCustomPlot&)>& fold);

// Leaves at most capacity entries in the legend, the last of them "+ N más"
// for those taken out; entries go last to first, so the first bands stay.
void FoldLegend(QCPLegend& legend, int capacity);

// The legend of a picture in a row under the plot (and its residual strip),
// in as many columns as the width holds, at most a few rows of them; the
// rest folded into one last entry.
void LegendUnderThePlot(QCustomPlot& plot);

// Puts as many entries in each legend column as the height allows, up to a
// few columns; the rest are folded into one last row.
void FitLegend(QCustomPlot& plot, int height);

}  // namespace trazel::figure
