#include "figure/graph_pool.h"

#include <qcustomplot.h>

#include <algorithm>

#include "figure/figure.h"

namespace trazel::figure {

QVector<double> ToVector(const std::vector<double>& values) {
    return QVector<double>(values.begin(), values.end());
}

FigureGraphs::FigureGraphs(QCustomPlot& plot) : plot_(plot) {
    for (int i = 0; i < plot.graphCount(); ++i) {
        old_.push_back(plot.graph(i));
    }
}

QCPGraph* FigureGraphs::Add(QCPAxis* key, QCPAxis* value) {
    key = key != nullptr ? key : plot_.xAxis;
    value = value != nullptr ? value : plot_.yAxis;
    const auto same = std::find_if(old_.begin(), old_.end(), [&](QCPGraph* graph) {
        return graph->keyAxis() == key && graph->valueAxis() == value;
    });
    if (same == old_.end()) {
        changed_ = true;
        return new QCPGraph(key, value);
    }
    QCPGraph* graph = *same;
    old_.erase(same);
    graph->setPen(QPen());
    graph->setBrush(Qt::NoBrush);
    graph->setChannelFillGraph(nullptr);
    graph->setAntialiased(true);
    graph->setAdaptiveSampling(true);
    graph->setName(QString());
    return graph;
}

void FigureGraphs::Finish() {
    changed_ = changed_ || !old_.empty();
    for (QCPGraph* graph : old_) {
        plot_.removeGraph(graph);
    }
    old_.clear();
}

QCPGraph* AddGraph(FigureGraphs& graphs, const std::vector<double>& xs,
                   const std::vector<double>& ys, const QPen& pen, const QString& name,
                   Entry entry) {
    QCPGraph* graph = graphs.Add();
    graph->setData(ToVector(xs), ToVector(ys), true);
    // Sampled once per device pixel, a curve has two points per pixel of the
    // plot's coordinates on a screen that scales by two; the plot's own
    // thinning would then draw each steep flank as a column of segments
    // beside the smooth line. There are never enough points to need it.
    graph->setAdaptiveSampling(false);
    graph->setPen(pen);
    graph->setName(PictureText(name));
    if (entry == Entry::Legend) {
        graphs.Name(graph);
    }
    return graph;
}

const BandGraph* BandOf(const std::vector<BandGraph>& bands, const QCPGraph* graph) {
    const auto band = std::find_if(bands.begin(), bands.end(),
                                   [graph](const BandGraph& b) { return b.graph == graph; });
    return band != bands.end() ? &*band : nullptr;
}

}  // namespace trazel::figure
