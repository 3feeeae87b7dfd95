#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "output/data_export.h"
#include "output/printed_report.h"
#include "output/screen_graph.h"

namespace trazel::cli {

// The options of export, plot and print, and the settings they stand for: the
// window's fields after New, changed only by what the command line names.
extern const OptionSpec kExportOptions;
extern const OptionSpec kPlotOptions;
extern const OptionSpec kPrintOptions;

// More samples than this per printed curve would be finer than any printer
// can show (a step of 0.0125 mm) and would only make the PDF huge and slow.
inline constexpr int kMaxPrintResolution = 10000;

output::ExportSettings ExportSettingsFrom(const ParsedOptions& options);

enum class PictureFormat { Png, Svg };

// The format that a file name asks for by its ending (.png or .svg, in any
// case); nothing for any other name.
std::optional<PictureFormat> PictureFormatFor(const std::string& path);

// What plot and print are asked to do, read from their arguments before any
// file is touched; a UsageError for anything mistyped.
struct PlotRequest {
    std::string docPath;
    output::GraphSettings settings;
    std::string outPath;
    PictureFormat format = PictureFormat::Png;
};
PlotRequest ParsePlotRequest(const std::vector<std::string>& args);

struct PrintRequest {
    std::string docPath;
    // The report as printed after the graph has been shown with these values.
    output::ReportSettings settings;
    std::string outPath;
    std::string title;
};
PrintRequest ParsePrintRequest(const std::vector<std::string>& args);

// The title the window prints for the document at path: its caption, which is
// the document's file name, without " - Trazel".
std::string DefaultPrintTitle(const std::string& path);

// What a command reads besides its options.
enum class InputKind { Document, MeasuredSpectrum, BandList };
struct CommandInput {
    InputKind kind;
    std::string path;
};

// Refuses an output file that is one of the command's inputs under whatever
// name (the same path, "./", a symbolic or a hard link): writing over it would
// lose what it holds. Every command whose output could be one of its inputs
// calls it before reading anything. `convert` and `fit` may replace their own
// document, which they have read whole, with the document they make from it.
void CheckOutputIsNoInput(const std::string& outPath, const std::vector<CommandInput>& inputs);

}  // namespace trazel::cli
