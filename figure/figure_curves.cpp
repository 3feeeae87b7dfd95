#include "figure/figure_curves.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

#include "figure/figure_style.h"
#include "platform/translation.h"

namespace trazel::figure {

QString NoteForEqualLimits() {
    return Words(
        TRAZEL_TR("PlotFigure", "Los límites de x son iguales: no hay curvas que dibujar."));
}

void DrawFit(FigureGraphs& graphs, const analysis::FigureData& figure, FigureStyle style,
             bool fill) {
    QCPGraph* baseline = nullptr;
    if (!figure.baseline.x.empty()) {
        baseline =
            AddGraph(graphs, figure.baseline.x, figure.baseline.y, FitPen(style, Qt::DashLine),
                     Words(TRAZEL_TR("PlotFigure", "Línea base del ajuste")));
    }
    if (figure.fit.x.empty()) {
        return;
    }
    AddGraph(graphs, figure.fit.x, figure.fit.y, FitPen(style),
             Words(TRAZEL_TR("PlotFigure", "Ajuste")));
    // One legend entry stands for every component.
    const QString name = Words(TRAZEL_TR("PlotFigure", "Bandas ajustadas"));
    for (const analysis::Curve& component : figure.components) {
        QCPGraph* graph =
            AddGraph(graphs, component.x, component.y, FitPen(style, Qt::DotLine), name,
                     &component == &figure.components.front() ? Entry::Legend : Entry::None);
        if (fill) {
            // Each band stands on the baseline; a light tint keeps the
            // bands under it and the curves over it readable.
            QColor tint = kFitColour;
            tint.setAlpha(28);
            graph->setBrush(tint);
            graph->setChannelFillGraph(baseline);
        }
    }
}

void ShowResidualStrip(QCustomPlot& plot, bool shown, FigureStyle style) {
    QCPAxisRect* strip = FigureResidualRect(plot);
    if (shown == (strip != nullptr)) {
        return;
    }
    if (!shown) {
        // Removing the element deletes it with its axes; the margin group
        // goes with the last rectangle that used it.
        QCPMarginGroup* margins = plot.axisRect()->marginGroup(QCP::msLeft);
        plot.plotLayout()->remove(strip);
        plot.plotLayout()->simplify();
        delete margins;
        return;
    }
    strip = new QCPAxisRect(&plot);
    plot.plotLayout()->addElement(1, 0, strip);
    plot.plotLayout()->setRowStretchFactor(0, 3.0);
    plot.plotLayout()->setRowStretchFactor(1, 1.0);
    // The strip follows the plot's x axis; it takes no drag or zoom itself.
    strip->setRangeDrag(Qt::Orientations());
    strip->setRangeZoom(Qt::Orientations());
    auto* margins = new QCPMarginGroup(&plot);
    plot.axisRect()->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
    strip->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
    QCPAxis* y = strip->axis(QCPAxis::atLeft);
    y->setLabel(Words(TRAZEL_TR("PlotFigure", "Residuo")));
    y->setNumberFormat(QStringLiteral("g"));
    y->setNumberPrecision(3);
    strip->axis(QCPAxis::atBottom)->setNumberFormat(QStringLiteral("g"));
    strip->axis(QCPAxis::atBottom)->setNumberPrecision(6);
    if (style == FigureStyle::Print) {
        StyleForPrint(plot, *strip);
        // A strip a fifth of a column high has room for two numbers, and
        // the zero line shows the middle.
        y->ticker()->setTickCount(2);
        // The height left goes three to one between the plot and the strip,
        // which a screen's minimum heights would upset in a small picture:
        // the spectrum keeps at least half of a column's height.
        plot.axisRect()->setMinimumSize(0, 30);
        strip->setMinimumSize(0, 12);
        plot.plotLayout()->setRowStretchFactor(0, 3.0);
    }
}

void DrawResidual(QCustomPlot& plot, FigureGraphs& graphs, QCPAxisRect& strip,
                  const analysis::Curve& residual, const FigureView& view, FigureStyle style) {
    const QCPRange x = plot.xAxis->range();
    // The strip's axis, right under it, names x for both.
    plot.xAxis->setLabel(QString());
    QCPAxis* residualX = strip.axis(QCPAxis::atBottom);
    QCPAxis* residualY = strip.axis(QCPAxis::atLeft);
    residualX->setRange(x);
    residualX->setRangeReversed(view.reversedX);
    residualX->setLabel(PictureText(view.xTitle));
    QCPGraph* graph = graphs.Add(residualX, residualY);
    graph->setData(ToVector(residual.x), ToVector(residual.y), true);
    graph->setPen(FitPen(style));
    if (style == FigureStyle::Print) {
        graph->setPen(StylePen(kFitColour, Qt::SolidLine, style, kMeasuredPoints));
    }
    graph->setAntialiased(style == FigureStyle::Print);
    // Symmetric about zero, so that a bias shows as a shift of the noise.
    double largest = 0.0;
    for (const double r : residual.y) {
        if (std::isfinite(r)) {
            largest = std::max(largest, std::fabs(r));
        }
    }
    const double room = largest > 0.0 ? 1.1 * largest : 1.0;
    residualY->setRange(-room, room);
    if (style == FigureStyle::Print && largest > 0.0 && std::isfinite(largest)) {
        // Two numbers, a round value and its negative within the residual's
        // reach: three would overlap in a strip a fifth of a column high,
        // and the zero line marks the middle.
        const double decade = std::pow(10.0, std::floor(std::log10(largest)));
        double mark = decade;
        for (const double multiple : {5.0, 2.0}) {
            if (multiple * decade <= largest) {
                mark = multiple * decade;
                break;
            }
        }
        auto ticker = QSharedPointer<QCPAxisTickerText>::create();
        ticker->addTick(-mark, QString::number(-mark, 'g', 3));
        ticker->addTick(mark, QString::number(mark, 'g', 3));
        residualY->setTicker(ticker);
    }
    auto* zero = new QCPItemStraightLine(&plot);
    zero->setClipAxisRect(&strip);
    for (QCPItemPosition* end : {zero->point1, zero->point2}) {
        end->setAxes(residualX, residualY);
    }
    zero->point1->setCoords(x.lower, 0.0);
    zero->point2->setCoords(x.upper, 0.0);
    zero->setPen(StylePen(Qt::lightGray, Qt::SolidLine, style, kFramePoints));
}

void DrawMeasuredEnvelope(FigureGraphs& graphs, const output::ReducedPoints& points, double lo,
                          double hi, int columns, const QPen& pen, const QString& name) {
    struct Column {
        double x = 0.0;
        double low = 0.0;
        double high = 0.0;
        int count = 0;
    };
    std::vector<Column> bins(static_cast<std::size_t>(std::max(1, columns)));
    const double perUnit = bins.size() / (hi - lo);
    // Points just outside the range keep the edges running to the frame.
    QVector<QCPGraphData> before, after;
    for (std::size_t i = 0; i < points.x.size(); ++i) {
        const double x = points.x[i];
        const double y = points.y[i];
        if (x < lo || x > hi) {
            (x < lo ? before : after).push_back({x, y});
            continue;
        }
        const auto c = std::min(bins.size() - 1, static_cast<std::size_t>((x - lo) * perUnit));
        Column& bin = bins[c];
        bin.x = bin.count == 0 ? x : bin.x + (x - bin.x) / (bin.count + 1);
        bin.low = bin.count == 0 ? y : std::min(bin.low, y);
        bin.high = bin.count == 0 ? y : std::max(bin.high, y);
        ++bin.count;
    }
    QVector<QCPGraphData> upper = before, lower = before;
    for (const Column& bin : bins) {
        if (bin.count > 0) {
            upper.push_back({bin.x, bin.high});
            lower.push_back({bin.x, bin.low});
        }
    }
    upper += after;
    lower += after;
    QCPGraph* bottom = graphs.Add();
    bottom->data()->set(lower);
    bottom->setPen(pen);
    QCPGraph* top = graphs.Add();
    top->data()->set(upper);
    top->setPen(pen);
    top->setBrush(pen.color());
    top->setChannelFillGraph(bottom);
    top->setName(name);
    graphs.Name(top);
}

void DrawFoundBands(QCustomPlot& plot, const std::vector<double>& positions, FigureStyle style) {
    const QColor colour(200, 0, 120);
    const QPen pen = style == FigureStyle::Screen
                         ? QPen(colour, 1.5, Qt::DashLine)
                         : StylePen(colour, Qt::DashLine, style, kBandPoints);
    for (const double position : positions) {
        auto* line = new QCPItemStraightLine(&plot);
        line->setObjectName(QStringLiteral("foundBand"));
        line->setClipAxisRect(plot.axisRect());
        for (QCPItemPosition* end : {line->point1, line->point2}) {
            end->setAxes(plot.xAxis, plot.yAxis);
        }
        line->point1->setCoords(position, 0.0);
        line->point2->setCoords(position, 1.0);
        line->setPen(pen);
    }
}

void DropFlatRuns(QCustomPlot& plot, const std::vector<BandGraph>& bands) {
    const double flat = 1e-5 * plot.yAxis->range().size();
    for (int i = 0; i < plot.graphCount(); ++i) {
        QCPGraph* graph = plot.graph(i);
        if (graph->keyAxis() != plot.xAxis || graph->data()->size() < 3) {
            continue;
        }
        const QCPGraphDataContainer& data = *graph->data();
        QVector<QCPGraphData> kept;
        kept.reserve(data.size());
        for (int k = 0; k < data.size(); ++k) {
            const auto at = data.constBegin() + k;
            const bool inside = k > 0 && k + 1 < data.size();
            if (inside && std::fabs(at->value - (at - 1)->value) <= flat &&
                std::fabs(at->value - (at + 1)->value) <= flat) {
                continue;
            }
            kept.push_back(*at);
        }
        if (BandOf(bands, graph) != nullptr) {
            // A band by itself is drawn from where it leaves zero to where
            // it comes back: its tails would draw the axis again in its
            // colour, a hundred times over with a hundred bands.
            const auto onZero = [flat](const QCPGraphData& point) {
                return std::fabs(point.value) <= flat;
            };
            qsizetype first = 0;
            while (first + 1 < kept.size() && onZero(kept[first]) && onZero(kept[first + 1])) {
                ++first;
            }
            qsizetype last = kept.size() - 1;
            while (last - 1 > first && onZero(kept[last]) && onZero(kept[last - 1])) {
                --last;
            }
            kept = kept.mid(first, last - first + 1);
        }
        if (kept.size() < data.size()) {
            graph->data()->set(kept, true);
        }
    }
}

}  // namespace trazel::figure
