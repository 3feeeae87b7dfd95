#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "bench/bench_table.h"
#include "output/screen_graph.h"
#include "platform/qt/painter_dc.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace {

GraphSettings FullRange(std::int32_t shape) {
    GraphSettings settings;
    settings.curve.xMin = 0.0;
    settings.curve.xMax = 1000.0;
    settings.curve.yMin = 0.0;
    settings.curve.yMax = 6.0;
    settings.curve.lineShape = shape;
    settings.curve.joinPoints = true;
    return settings;
}

// The drawing calls alone, to tell the sums from the painting.
class NullDC : public CDC {
  public:
    int SetMapMode(int mode) override { return mode; }
    void SelectStockObject(int) override {}
    void Rectangle(int, int, int, int) override {}
    void MoveTo(int x, int y) override { benchmark::DoNotOptimize(x + y); }
    void LineTo(int x, int y) override { benchmark::DoNotOptimize(x + y); }
    void SetPixel(int, int, COLORREF) override {}
    void TextOut(int, int, std::string_view) override {}
};

void DrawGraphCallsOnly(benchmark::State& state) {
    const PeakTable table = FullTable(true);
    const GraphSettings settings = FullRange(static_cast<std::int32_t>(state.range(0)));
    NullDC dc;
    for (auto _ : state) {
        DrawGraph(dc, table, settings);
    }
}
BENCHMARK(DrawGraphCallsOnly)->Arg(Gaussian)->Arg(Lorentzian)->Unit(benchmark::kMillisecond);

// The whole redraw the window does, into an image of the form's size.
void DrawGraphImage(benchmark::State& state) {
    const PeakTable table = FullTable(true);
    const GraphSettings settings = FullRange(static_cast<std::int32_t>(state.range(0)));
    QImage image(700, 440, QImage::Format_RGB32);
    image.fill(Qt::lightGray);
    QPainter painter(&image);
    for (auto _ : state) {
        QPainterDC dc(painter);
        DrawGraph(dc, table, settings);
    }
}
BENCHMARK(DrawGraphImage)->Arg(Gaussian)->Arg(Lorentzian)->Unit(benchmark::kMillisecond);

}  // namespace
