#pragma once

#include <QPen>
#include <QString>
#include <QVector>
#include <span>
#include <vector>

class QCustomPlot;
class QCPAxis;
class QCPGraph;

namespace trazel::figure {

QVector<double> ToVector(const std::vector<double>& values);

// The graphs of a figure. Those the plot drew before are taken again, in
// the order they were made, for the curves over the same axes: a wheel notch
// changes their points, not what they are, and making a hundred graphs and
// their legend entries anew took as long as drawing them. Finish removes
// those not taken again.
class FigureGraphs {
  public:
    explicit FigureGraphs(QCustomPlot& plot);

    // A graph over key and value (the plot's x and y axes when null), as a
    // new one would be.
    QCPGraph* Add(QCPAxis* key = nullptr, QCPAxis* value = nullptr);
    // Asks for graph's entry in the legend, after those asked for before.
    void Name(QCPGraph* graph) { named_.push_back(graph); }
    void Finish();
    const std::vector<QCPGraph*>& Named() const { return named_; }
    // Whether a graph was made or removed: the legend's entries may then
    // name graphs that are gone.
    bool Changed() const { return changed_; }

  private:
    QCustomPlot& plot_;
    std::vector<QCPGraph*> old_;
    std::vector<QCPGraph*> named_;
    bool changed_ = false;
};

// A curve sampled at (xs, ys), one point per device pixel column or fewer,
// drawn through every point; in the legend unless told otherwise.
enum class Entry { Legend, None };
QCPGraph* AddGraph(FigureGraphs& graphs, const std::vector<double>& xs,
                   const std::vector<double>& ys, const QPen& pen, const QString& name,
                   Entry entry = Entry::Legend);

// A band drawn by itself: its graph and its values at the samples, which
// all lie between the x limits.
struct BandGraph {
    QCPGraph* graph = nullptr;
    std::span<const double> y;
};

// The band drawn by graph, or null when graph draws something else.
const BandGraph* BandOf(const std::vector<BandGraph>& bands, const QCPGraph* graph);

}  // namespace trazel::figure
