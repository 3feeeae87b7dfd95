#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

#include "bench/export_comparison.h"
#include "bench/measured_load.h"
#include "platform/number_format.h"

#ifdef TRAZEL_BENCH_QT
#include <QApplication>
#endif

using namespace trazel::platform;

// trazel_bench [--export-rounds=N] [--no-export] [--no-load] [--short-load]
//              [benchmark options]
// First the export side by side with the plain loop, then the load of
// measured spectra of a million and ten million lines beside a plain loop
// (only the million with --short-load), then the microbenchmarks. Exits with 1 when
// an export file differs from the plain loop's or the load fails.
int main(int argc, char** argv) {
    int rounds = 3;
    bool exports = true;
    bool load = true;
    bool tenMillion = true;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--export-rounds=", 16) == 0) {
            rounds = std::max(1, ParseInt(argv[i] + 16).value_or(rounds));
        } else if (std::strcmp(argv[i], "--no-export") == 0) {
            exports = false;
        } else if (std::strcmp(argv[i], "--no-load") == 0) {
            load = false;
        } else if (std::strcmp(argv[i], "--short-load") == 0) {
            tenMillion = false;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;

    // The export comes first: its memory is measured in copies of this
    // process, which should hold nothing yet.
    const bool identical = !exports || CompareExports(rounds);
    const bool loaded = !load || MeasureMeasuredLoad(rounds, tenMillion);

#ifdef TRAZEL_BENCH_QT
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The plot window's redraw draws with widgets.
    QApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return identical && loaded ? 0 : 1;
}
