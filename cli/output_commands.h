#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/peak_table.h"
#include "output/data_export.h"
#include "platform/status.h"

namespace trazel::cli {

// The commands that give the window's output without the window.

// export needs no Qt: it writes the same file as the window's export.
int RunExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The window's export run on the file at path, replacing it whole or not at
// all. A failure's message names the file.
platform::Status ExportReplacingFile(const std::string& path, const model::PeakTable& table,
                                     const output::ExportSettings& settings);

// plot and print draw through Qt; in a build without Qt they say so and exit 1.
int RunPlot(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunPrint(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// figure draws the plot window's picture, with QCustomPlot.
int RunFigure(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace trazel::cli
