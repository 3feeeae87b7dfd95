#include "figure/graph_pool.h"

#include <qcustomplot.h>

#include <QPaintEngine>
#include <algorithm>
#include <cmath>
#include <vector>

#include "figure/figure.h"

namespace trazel::figure {

namespace {

// Points of a curve stroked at a time in a picture's pixels. Qt's
// antialiased rasterizer slows down much faster than the outline grows: the
// sum of a hundred bands, 1920 points one line wide at 574 dpi, took 0.29 s
// stroked whole and 0.03 s in strips of 16 points, with the same pixels.
constexpr int kPointsPerStrip = 16;

// Whether line can be stroked in strips of pixel columns with the same
// pixels as whole: a picture's (the plot drawn vectorised) solid, visible,
// antialiased pen that ends flat and joins no further out than half its
// width, painted by the raster engine under a scale, over points of finite
// coordinates whose x runs one way.
bool StrokedInStrips(const QCPPainter& painter, const QVector<QPointF>& line) {
    const QPen pen = painter.pen();
    const QTransform transform = painter.transform();
    if (line.size() <= 2 * kPointsPerStrip || !painter.modes().testFlag(QCPPainter::pmVectorized) ||
        pen.style() != Qt::SolidLine || pen.color().alpha() == 0 || pen.isCosmetic() ||
        pen.capStyle() != Qt::FlatCap ||
        (pen.joinStyle() != Qt::BevelJoin && pen.joinStyle() != Qt::RoundJoin) ||
        !painter.testRenderHint(QPainter::Antialiasing) || painter.paintEngine() == nullptr ||
        painter.paintEngine()->type() != QPaintEngine::Raster ||
        transform.type() > QTransform::TxScale || transform.m11() <= 0.0) {
        return false;
    }
    const auto finite = [](const QPointF& p) {
        return std::isfinite(p.x()) && std::isfinite(p.y());
    };
    if (!std::all_of(line.begin(), line.end(), finite)) {
        return false;
    }
    const auto left = [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); };
    const auto right = [](const QPointF& a, const QPointF& b) { return a.x() > b.x(); };
    return std::is_sorted(line.begin(), line.end(), left) ||
           std::is_sorted(line.begin(), line.end(), right);
}

// line, whose x grows, stroked in strips of pixel columns, each clipped to
// its columns and drawn from the points whose stroke can reach them: every
// pixel gets the coverage the whole stroke gives it, and the rasterizer is
// handed a short outline at a time.
void StrokeInStrips(QCPPainter& painter, const QVector<QPointF>& line) {
    const QTransform transform = painter.transform();
    const auto column = [&](qsizetype i) { return transform.m11() * line[i].x() + transform.dx(); };
    // Half the pen's width in pixels and the antialiased pixel beyond it.
    const double reach = 0.5 * painter.pen().widthF() * transform.m11() + 2.0;
    const qsizetype n = line.size();
    std::vector<int> bounds{static_cast<int>(std::floor(column(0) - reach)) - 1};
    for (qsizetype i = kPointsPerStrip; i + 1 < n; i += kPointsPerStrip) {
        const int bound = static_cast<int>(std::floor(column(i)));
        if (bound > bounds.back()) {
            bounds.push_back(bound);
        }
    }
    bounds.push_back(static_cast<int>(std::ceil(column(n - 1) + reach)) + 1);
    const QTransform back = transform.inverted();
    const int height = painter.device()->height();
    qsizetype first = 0;
    qsizetype last = 0;
    for (std::size_t j = 0; j + 1 < bounds.size(); ++j) {
        while (first + 1 < n && column(first + 1) <= bounds[j] - reach) {
            ++first;
        }
        last = std::max(last, first);
        while (last + 1 < n && column(last) < bounds[j + 1] + reach) {
            ++last;
        }
        painter.save();
        // Whole pixel columns, which the raster engine clips exactly.
        painter.setClipRect(back.mapRect(QRectF(bounds[j], 0, bounds[j + 1] - bounds[j], height)),
                            Qt::IntersectClip);
        painter.drawPolyline(line.constData() + first, static_cast<int>(last - first + 1));
        painter.restore();
    }
}

// A graph whose long solid lines are stroked in strips on a picture's
// pixels; drawn as any other elsewhere (the screen's one-pixel lines, SVG
// and PDF files).
class FigureGraph : public QCPGraph {
  public:
    using QCPGraph::QCPGraph;

  protected:
    void drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const override {
        applyDefaultAntialiasingHint(painter);
        if (!StrokedInStrips(*painter, lines)) {
            QCPGraph::drawLinePlot(painter, lines);
        } else if (lines.front().x() <= lines.back().x()) {
            StrokeInStrips(*painter, lines);
        } else {
            // A reversed axis: the same line from its other end.
            StrokeInStrips(*painter, QVector<QPointF>(lines.rbegin(), lines.rend()));
        }
    }
};

}  // namespace

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
        return new FigureGraph(key, value);
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
