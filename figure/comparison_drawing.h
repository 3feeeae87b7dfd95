#pragma once

#include "analysis/comparison_record.h"
#include "figure/figure.h"
#include "figure/graph_pool.h"

class QCustomPlot;

namespace trazel::figure {

// The computed spectrum as a comparison placed it (its bands over its
// baseline), sampled at columns points between lo and hi, and a line from
// the top of each computed band to the top of the measured band it was
// assigned to, so that which band is which shows at a glance.
void DrawComparison(QCustomPlot& plot, FigureGraphs& graphs,
                    const analysis::ComparisonRecord& record, double lo, double hi, int columns,
                    FigureStyle style);

}  // namespace trazel::figure
