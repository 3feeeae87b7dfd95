#pragma once

#include <cstdio>
#include <string>

#include "model/line_shapes.h"
#include "model/peak_table.h"
#include "output/data_export.h"

// What anyone would write first: one thread, the sum of every band at each x,
// printf's formatting and one fputs a line.
inline bool StraightforwardExport(const std::string& path, const trazel::model::PeakTable& table,
                                  const trazel::output::ExportSettings& settings) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fputs("x y\r\n", file);
    const double step = (settings.curve.xMax - settings.curve.xMin) / settings.resolution;
    char line[128];
    double x = settings.curve.xMin;
    while (x <= settings.curve.xMax) {
        const double y =
            trazel::model::ProfileSum(table, settings.curve.lineShape, settings.curve.useScaled, x);
        std::snprintf(line, sizeof line, "%.14g %.14g\r\n", x, y);
        std::fputs(line, file);
        const double next = x + step;
        if (!(next > x)) {
            break;
        }
        x = next;
    }
    return std::fclose(file) == 0;
}
