#pragma once

#include "cli/cli_support.h"
#include "output/data_export.h"
#include "output/printed_report.h"
#include "output/screen_graph.h"

// The options of export, plot and print, and the settings they stand for: the
// window's fields after New, changed only by what the command line names.
extern const OptionSpec kExportOptions;
extern const OptionSpec kPlotOptions;
extern const OptionSpec kPrintOptions;

// More samples than this per printed curve would be finer than any printer
// can show (a step of 0.0125 mm) and would only make the PDF huge and slow.
inline constexpr int kMaxPrintResolution = 10000;

ExportSettings ExportSettingsFrom(const ParsedOptions& options);
GraphSettings GraphSettingsFrom(const ParsedOptions& options);
// The report as printed after the graph has been shown with these values.
ReportSettings ReportSettingsFrom(const ParsedOptions& options);

// The title the window prints for the document at path: its caption, which is
// the document's file name, without " - Trazel".
std::string DefaultPrintTitle(const std::string& path);

// Refuses an output file that is the document itself, under whatever name:
// writing over it would lose the peaks.
void CheckOutputIsNotTheDocument(const std::string& docPath, const std::string& outPath);
