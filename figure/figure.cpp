#include "figure/figure.h"

#include <qcustomplot.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "analysis/spectrum_comparison.h"
#include "figure/comparison_drawing.h"
#include "figure/figure_curves.h"
#include "figure/figure_legend.h"
#include "figure/figure_style.h"
#include "figure/graph_pool.h"
#include "model/spectrum_units.h"
#include "output/plot_curves.h"
#include "output/screen_graph.h"
#include "platform/number_format.h"
#include "platform/translation.h"

using namespace trazel::output;

namespace trazel::figure {

namespace {

// The x unit of the measured data, for the bands' legend labels; empty when
// the data say none.
QString XUnitOf(const analysis::Analysis& analysis) {
    if (!analysis.measured) {
        return {};
    }
    return QString::fromStdString(model::XUnitSymbol(analysis.measured->Header()));
}

// The comparison a figure draws: the one being made, else the document's
// when its bands are still the table's.
const analysis::ComparisonRecord* ShownComparison(const analysis::DocumentState& state,
                                                  const FigureView& view) {
    if (view.comparison) {
        return view.comparison.get();
    }
    const auto& stored = state.analysis.comparison;
    return stored && analysis::ComparisonFitsTable(*stored, state.table) ? &*stored : nullptr;
}

bool Fitted(const analysis::Analysis& analysis) {
    return !analysis::RegionFits(analysis.regions).empty() && analysis.measured.has_value();
}

// Equal x limits: a note in the middle instead of curves, and the residual
// strip kept while there is a fit, as with any other limits.
void ShowEqualLimits(QCustomPlot& plot, FigureGraphs& graphs, const analysis::DocumentState& state,
                     const FigureView& view, FigureStyle style) {
    const double x = std::isfinite(view.curve.xMin) ? view.curve.xMin : 0.0;
    plot.xAxis->setRange(x - 1.0, x + 1.0);
    plot.yAxis->setRange(0.0, 1.0);
    auto* note = new QCPItemText(&plot);
    note->position->setType(QCPItemPosition::ptAxisRectRatio);
    note->position->setCoords(0.5, 0.5);
    note->setText(NoteForEqualLimits());
    if (style == FigureStyle::Print) {
        note->setFont(PointFont(kTitlePoints));
    }
    plot.legend->setVisible(false);
    const analysis::Analysis& analysis = state.analysis;
    ShowResidualStrip(plot, Fitted(analysis), style);
    if (QCPAxisRect* strip = FigureResidualRect(plot)) {
        DrawResidual(plot, graphs, *strip,
                     analysis::Residuals(*analysis.measured, analysis.regions), view, style);
    }
    graphs.Finish();
    FillLegend(plot, graphs, {}, [](QCustomPlot&) {});
}

// The measured spectrum in grey: on the screen as a function of x, the way
// spectra are measured (the plot puts points given from high to low x in
// order); on paper as the envelope of its columns.
void DrawMeasured(FigureGraphs& graphs, const analysis::DocumentState& state,
                  const ReducedPoints& points, double lo, double hi, int traceColumns,
                  FigureStyle style) {
    const QString name = PictureText(
        QFile::decodeName(QByteArray::fromStdString(state.analysis.measured->sourceName)));
    const QPen pen = PenFor(kMeasuredStyle, style, kMeasuredPoints);
    if (style == FigureStyle::Print) {
        DrawMeasuredEnvelope(graphs, points, lo, hi, traceColumns, pen, name);
        return;
    }
    QCPGraph* line = graphs.Add();
    line->setData(ToVector(points.x), ToVector(points.y));
    line->setPen(pen);
    line->setName(name);
    graphs.Name(line);
    // A noisy spectrum fills each pixel column from its lowest to its
    // highest point; on the screen smoothing those edges costs more than
    // the rest of the plot together and shows nothing.
    line->setAntialiased(false);
}

// The sum in black and each band drawn by itself in its colour, named with
// the unit of the data's x. With a fit the fitted curve (the bands on the
// baseline) stands for the sum, which is drawn only when asked for.
std::vector<BandGraph> DrawModel(FigureGraphs& graphs, const analysis::DocumentState& state,
                                 const PlotCurves& curves, const FigureView& view,
                                 FigureStyle style) {
    if (!Fitted(state.analysis) || view.sumWithFit) {
        AddGraph(graphs, curves.xs, curves.sum, PenFor(kSumStyle, style, kSumPoints),
                 Words(TRAZEL_TR("PlotFigure", "Suma")));
    }
    const bool useScaled = view.curve.useScaled;
    std::vector<BandGraph> bands;
    const QString unit = XUnitOf(state.analysis);
    int ordinal = 0;
    for (const BandCurve& band : curves.bands) {
        QString label = QString::fromStdString(BandLegendLabel(state.table, band.index, useScaled));
        if (!unit.isEmpty()) {
            label += QLatin1Char(' ') + unit;
        }
        bands.push_back({AddGraph(graphs, curves.xs, band.y,
                                  PenFor(BandStyle(ordinal++), style, kBandPoints), label),
                         band.y});
    }
    return bands;
}

void SetYRange(QCustomPlot& plot, const FigureView& view) {
    const CurveSettings& curve = view.curve;
    if (view.yFromData) {
        const auto [low, high] = FigureDataYRange(plot);
        plot.yAxis->setRange(low, high);
    } else if (curve.yMin != curve.yMax && std::isfinite(curve.yMin) && std::isfinite(curve.yMax)) {
        plot.yAxis->setRange(std::min(curve.yMin, curve.yMax), std::max(curve.yMin, curve.yMax));
    } else {
        const double y = std::isfinite(curve.yMin) ? curve.yMin : 0.0;
        plot.yAxis->setRange(y - 1.0, y + 1.0);
    }
}

// The legend made for what shows, and the flat runs left out: a hundred
// bands drawn by themselves each lie on zero across most of the view, and
// without those runs the window draws a wheel notch's picture in a fraction
// of the time.
void FinishLegend(QCustomPlot& plot, const FigureGraphs& graphs,
                  const std::vector<BandGraph>& bands, FigureStyle style) {
    if (style == FigureStyle::Print) {
        FillLegend(plot, graphs, bands, LegendUnderThePlot);
        DropFlatRuns(plot, bands);
        if (FigureResidualRect(plot) != nullptr) {
            // The strip's axis, right under the plot, numbers x for both.
            plot.xAxis->setTickLabels(false);
        }
        return;
    }
    FillLegend(plot, graphs, bands, [](QCustomPlot& shown) { FitLegend(shown, shown.height()); });
    // No empty frame where nothing shows.
    plot.legend->setVisible(plot.legend->itemCount() > 0);
    DropFlatRuns(plot, bands);
}

}  // namespace

void SetUpFigure(QCustomPlot& plot, const analysis::DocumentState& state, const FigureView& view,
                 int columns, FigureStyle style) {
    PrepareLayout(plot, style);
    plot.clearItems();
    // Entries are made for what shows once every curve is drawn.
    plot.setAutoAddPlottableToLegend(false);
    FigureGraphs graphs(plot);
    plot.xAxis->setLabel(PictureText(view.xTitle));
    plot.yAxis->setLabel(PictureText(view.yTitle));
    plot.xAxis->setRangeReversed(view.reversedX);

    const CurveSettings& curve = view.curve;
    if (IsZeroRange(curve.xMin, curve.xMax)) {
        ShowEqualLimits(plot, graphs, state, view, style);
        return;
    }
    plot.legend->setVisible(true);
    const double lo = std::min(curve.xMin, curve.xMax);
    const double hi = std::max(curve.xMin, curve.xMax);
    plot.xAxis->setRange(lo, hi);

    // On paper the measured trace is some pixels wide: a column of its
    // extremes for every half of its width shows all it can.
    const double perPoint = double(columns) / std::max(1, plot.viewport().width());
    const int traceColumns =
        style == FigureStyle::Print
            ? static_cast<int>(columns / std::max(1.0, 0.5 * kMeasuredPoints * perPoint))
            : columns;
    const analysis::FigureData figure = analysis::ComputeFigure(
        state, curve.lineShape, curve.useScaled, lo, hi, columns, traceColumns);
    if (figure.measured) {
        DrawMeasured(graphs, state, *figure.measured, lo, hi, traceColumns, style);
    }
    const std::vector<BandGraph> bands = DrawModel(graphs, state, figure.model, view, style);
    DrawFit(graphs, figure, style, view.fillComponents);
    if (!view.estimatedBaseline.x.empty()) {
        AddGraph(graphs, view.estimatedBaseline.x, view.estimatedBaseline.y,
                 StylePen(QColor(230, 120, 0), Qt::DashLine, style, kBandPoints),
                 Words(TRAZEL_TR("PlotFigure", "Línea base estimada")));
    }
    SetYRange(plot, view);
    ShowResidualStrip(plot, Fitted(state.analysis), style);
    if (QCPAxisRect* strip = FigureResidualRect(plot)) {
        DrawResidual(plot, graphs, *strip, figure.residual, view, style);
    }
    DrawFoundBands(plot, view.foundBands, style);
    if (const analysis::ComparisonRecord* compared = ShownComparison(state, view)) {
        DrawComparison(plot, graphs, *compared, lo, hi, columns, style);
    }
    graphs.Finish();
    FinishLegend(plot, graphs, bands, style);
}

QCPAxisRect* FigureResidualRect(QCustomPlot& plot) {
    QCPLayoutGrid* layout = plot.plotLayout();
    if (layout->rowCount() < 2) {
        return nullptr;
    }
    return qobject_cast<QCPAxisRect*>(layout->element(1, 0));
}

std::pair<double, double> FigureDataYRange(QCustomPlot& plot) {
    bool any = false;
    QCPRange range;
    for (int i = 0; i < plot.plottableCount(); ++i) {
        // The residual strip has a y axis of its own.
        if (plot.plottable(i)->valueAxis() != plot.yAxis) {
            continue;
        }
        bool found = false;
        const QCPRange r = plot.plottable(i)->getValueRange(found);
        if (found) {
            range =
                any ? QCPRange(std::min(range.lower, r.lower), std::max(range.upper, r.upper)) : r;
            any = true;
        }
    }
    if (!any || !std::isfinite(range.lower) || !std::isfinite(range.upper)) {
        return {0.0, 1.0};
    }
    range.lower = std::min(range.lower, 0.0);
    const double room = range.size() > 0.0 ? 0.05 * range.size() : 1.0;
    return {range.lower == 0.0 ? 0.0 : range.lower - room, range.upper + room};
}

FigureView FitPageView(const analysis::Analysis& analysis) {
    FigureView view;
    view.yFromData = true;
    // Every fitted region, from the lowest x to the highest.
    const std::vector<const analysis::FitRecord*> fits = analysis::RegionFits(analysis.regions);
    if (!fits.empty()) {
        view.curve.xMin = fits.front()->xMin;
        view.curve.xMax = fits.back()->xMax;
        view.curve.lineShape = fits.front()->lineShape;
        view.curve.useScaled = fits.front()->useScaled;
    } else if (analysis.comparison) {
        // Without a fit, the range the calculation was compared over.
        view.curve.xMin = analysis.comparison->xMin;
        view.curve.xMax = analysis.comparison->xMax;
    }
    const analysis::AxisTitles titles = analysis::ShownAxisTitles(analysis, {"x", "y"});
    view.xTitle = QString::fromStdString(titles.x);
    view.yTitle = QString::fromStdString(titles.y);
    // The view the user left the document in, when it kept one.
    if (analysis.plotView) {
        const analysis::PlotView& kept = *analysis.plotView;
        view.curve.xMin = kept.xMin;
        view.curve.xMax = kept.xMax;
        view.yFromData = kept.yAutomatic;
        view.curve.yMin = kept.yMin;
        view.curve.yMax = kept.yMax;
    }
    view.reversedX = analysis::XDrawnDecreasing(analysis);
    return view;
}

std::string AxisLimitsProblem(double low, double high) {
    if (low == high && std::isfinite(low) && std::fabs(low) < QCPRange::maxRange / 2) {
        return {};
    }
    // QCustomPlot keeps its old range when given one it cannot draw, and
    // the picture would show empty axes at limits nobody asked for.
    if (QCPRange::validRange(std::min(low, high), std::max(low, high))) {
        return {};
    }
    return platform::Fill(TRAZEL_TR("PlotFigure",
                                    "un eje no puede mostrar de %1 a %2: sus límites deben estar "
                                    "entre -1e250 y 1e250 y no tan juntos que no se distingan"),
                          {platform::FormatG(low), platform::FormatG(high)});
}

QString PictureText(QString text) {
    return QString::fromStdString(platform::ShownText(text.toStdString(), true));
}

QString MeasuredLegendName(const std::string& path) {
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).fileName();
}

}  // namespace trazel::figure
