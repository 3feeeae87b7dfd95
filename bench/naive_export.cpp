// The plain export loop as a program of its own, for bench/cli_startup.py to
// time against trazel-cli export as whole processes: the 99 bands of
// bench_table.h, 1,000,000 lines over 0..1000 with a decimal point.
//
// trazel_naive_export OUT [--lorentzian]

#include <clocale>
#include <cstring>

#include "bench/bench_table.h"
#include "bench/straightforward_export.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("uso: trazel_naive_export OUT [--lorentzian]\n", stderr);
        return 2;
    }
    std::setlocale(LC_ALL, "C");
    trazel::output::ExportSettings settings;
    settings.curve.xMin = 0.0;
    settings.curve.xMax = 1000.0;
    settings.curve.lineShape = argc > 2 && std::strcmp(argv[2], "--lorentzian") == 0
                                   ? trazel::model::Lorentzian
                                   : trazel::model::Gaussian;
    settings.resolution = 999999;
    settings.decimalComma = false;
    return StraightforwardExport(argv[1], FullTable(), settings) ? 0 : 1;
}
