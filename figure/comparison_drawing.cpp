#include "figure/comparison_drawing.h"

#include <qcustomplot.h>

#include <algorithm>

#include "figure/figure_style.h"
#include "fit/comparison.h"
#include "platform/number_format.h"
#include "platform/translation.h"

namespace trazel::figure {

void DrawComparison(QCustomPlot& plot, FigureGraphs& graphs,
                    const analysis::ComparisonRecord& record, double lo, double hi, int columns,
                    FigureStyle style) {
    const fit::ComparisonResult& r = record.result;
    const std::vector<model::BandProfile> profiles = fit::ComparisonProfiles(record.bands, r);
    const auto at = [&](double x) {
        return fit::ComparisonBaselineAt(r, x) + fit::ComparisonBandsAt(profiles, x);
    };
    const int samples = std::max(columns, 2);
    std::vector<double> xs;
    std::vector<double> ys;
    for (int j = 0; j < samples; ++j) {
        const double x = lo + (hi - lo) * j / (samples - 1);
        xs.push_back(x);
        ys.push_back(at(x));
    }
    const QColor colour(0, 110, 200);
    AddGraph(graphs, xs, ys, StylePen(colour, Qt::SolidLine, style, kBandPoints),
             Words(platform::Fill(TRAZEL_TR("PlotFigure", "Cálculo escalado (a = %1)"),
                                  {platform::FormatG(r.scale.value, 5)})));
    const QPen joining = StylePen(colour, Qt::DotLine, style, kBandPoints);
    for (const analysis::AssignmentRow& row : record.rows) {
        if (row.band == 0 || !row.matched) {
            continue;
        }
        auto* line = new QCPItemLine(&plot);
        line->setObjectName(QStringLiteral("assignedPair"));
        line->setClipAxisRect(plot.axisRect());
        for (QCPItemPosition* end : {line->start, line->end}) {
            end->setAxes(plot.xAxis, plot.yAxis);
        }
        line->start->setCoords(row.scaled, at(row.scaled));
        line->end->setCoords(row.measured,
                             fit::ComparisonBaselineAt(r, row.measured) + row.measuredIntensity);
        line->setPen(joining);
    }
}

}  // namespace trazel::figure
