#include <benchmark/benchmark.h>

#include <qcustomplot.h>

#include <QImage>
#include <cmath>

#include "bench/bench_table.h"
#include "figure/figure.h"

using namespace trazel::model;
using namespace trazel::figure;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// The full table with only its first bands drawn by themselves.
PeakTable WithSeparate(int separate) {
    PeakTable table = FullTable(false);
    for (int k = 1; k <= table.PeakCount(); ++k) {
        table.Band(k).separate = k <= separate ? 1 : 0;
    }
    return table;
}

// A noisy measured spectrum of n points over the table's range.
trazel::input::MeasuredSpectrum MakeMeasured(int n) {
    trazel::input::MeasuredSpectrum points;
    points.x.resize(static_cast<std::size_t>(n));
    points.y.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        points.x[i] = 1000.0 * i / n;
        points.y[i] = 1.0 + 0.5 * std::sin(i * 0.013) + 0.1 * std::sin(i * 1.7);
    }
    return points;
}

// What the plot window does after a zoom: the curves sampled anew for the new
// range, the plot laid out and painted into an offscreen image of a full HD
// screen's size. Each round moves the range a little, as a drag does.
void Redraw(benchmark::State& state, int separate, int measuredPoints) {
    trazel::analysis::DocumentState document{.table = WithSeparate(separate), .analysis = {}};
    if (measuredPoints > 0) {
        document.analysis.measured =
            trazel::analysis::MeasuredFrom(MakeMeasured(measuredPoints), "medido");
    }
    QCustomPlot plot;
    plot.resize(kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    FigureView view;
    view.curve.yMax = 3.5;
    int round = 0;
    for (auto _ : state) {
        view.curve.xMin = 0.01 * (round % 100);
        view.curve.xMax = 1000.0 - 0.01 * (round % 100);
        ++round;
        SetUpFigure(plot, document, view, kWidth);
        image.fill(Qt::white);
        QCPPainter painter(&image);
        plot.toPainter(&painter, kWidth, kHeight);
    }
}

// The sum, 10 bands by themselves and a million-point measured spectrum.
void PlotRedrawTenBandsMeasured(benchmark::State& state) {
    Redraw(state, 10, 1'000'000);
}
BENCHMARK(PlotRedrawTenBandsMeasured)->Unit(benchmark::kMillisecond)->Repetitions(15);

// The sum and all 99 bands by themselves.
void PlotRedrawAllBands(benchmark::State& state) {
    Redraw(state, 99, 0);
}
BENCHMARK(PlotRedrawAllBands)->Unit(benchmark::kMillisecond)->Repetitions(15);

}  // namespace
