#pragma once

#include <optional>
#include <string>

#include "analysis/analysis.h"
#include "output/report_sheet.h"
#include "platform/byte_sink.h"
#include "platform/status.h"

namespace trazel::analysis {

// A fit taken out of the program: the report for a notebook (text, in the
// interface's language, rounded by the errors), the same numbers for
// spreadsheets and scripts (CSV in full precision, with column names that
// never change), and the curves as data. Each is made from the measured
// spectrum and the record of the fit alone, so that the dialog's result, the
// stored fit and trazel-cli give the same files.

// What a report says beyond the fit: the document's name, the date and the
// program's version, given by the caller so that the writers stay free of
// clocks.
struct ReportOrigin {
    std::string document;
    std::string date;
    std::string version;
};

// The report as a sheet: the document, the measured spectrum (file name,
// points, transform), the x range, the line shape, the baseline about the
// range's centre, the values that varied, those at a bound, the verdict and
// the statistics; one row per band, newest first and numbered as the peak
// list numbers them, with position, intensity, width at half height and
// area, each rounded by its error, and the band's share of the total area;
// the date and the program last.
output::ReportSheet FitReportSheet(const MeasuredData& measured, const FitRecord& fit,
                                   const ReportOrigin& origin);

// The sheet of several regions' fits (one: as above): the document's facts,
// the number of regions, then each region's facts under its name ("Región
// 1", its x range) indented; one table of every region's bands led by the
// region's number, with each band's share of its region's area and of the
// area of all.
output::ReportSheet FitReportSheet(const MeasuredData& measured,
                                   const std::vector<const FitRecord*>& fits,
                                   const ReportOrigin& origin);

// What the printed fit page tells of the analysis, in order: the report of
// the fitted regions, then the comparison with the calculation; none
// without a measured spectrum.
std::vector<output::ReportSheet> PrintedSheets(const Analysis& analysis,
                                               const ReportOrigin& origin);

// The sheet as text.
std::string FitReportText(const MeasuredData& measured, const FitRecord& fit,
                          const ReportOrigin& origin);
std::string FitReportText(const MeasuredData& measured, const std::vector<const FitRecord*>& fits,
                          const ReportOrigin& origin);

// The same numbers as CSV with a decimal point, never rounded: one row per
// band under named columns (value, standard error and state of each of the
// four values, the share of the area), the units in the names when the data
// declare them; then a blank line and a second table of "magnitud,valor"
// rows with the range, the baseline and the statistics. One file keeps the
// statistics with the bands they belong to, and a reader that wants only
// the bands stops at the blank line.
std::string FitReportCsv(const MeasuredData& measured, const FitRecord& fit,
                         const ReportOrigin& origin);
// Several regions' (one: as above): each row of both tables led by the
// region's number under "region", and each band's share of the area of all
// the regions last, as area_pct_total.
std::string FitReportCsv(const MeasuredData& measured, const std::vector<const FitRecord*>& fits,
                         const ReportOrigin& origin);

enum class ReportFormat { Text, Csv };
// The format a file name asks for by its ending (.txt or .csv), or none.
std::optional<ReportFormat> ReportFormatFor(const std::string& path);

// The curves of the fit as CSV: x, the measured data as fitted (after the
// transform and the factor), the baseline, the fitted curve, each band by
// itself (named by its position) and the residual, at every measured point
// in the fit's range by ascending x. With step, on an even grid from the
// range's start instead, without the measured data and the residual, which
// exist only at the measured points. On every row the fitted curve is the
// baseline plus the bands. Written line by line; false when out stopped
// taking them.
bool WriteFitCurves(platform::ByteSink& out, const MeasuredData& measured, const FitRecord& fit,
                    std::optional<double> step = std::nullopt);
// Several regions' curves: one table after another, each under its own
// names (its bands differ), parted by a blank line.
bool WriteFitCurves(platform::ByteSink& out, const MeasuredData& measured,
                    const std::vector<const FitRecord*>& fits,
                    std::optional<double> step = std::nullopt);

// Why step cannot make the grid of fit's curves (not a positive number, or
// so small that the file would have more rows than kMaxCurveRows), in
// Spanish; nothing when it can.
inline constexpr double kMaxCurveRows = 10'000'000;
std::optional<std::string> CurveStepProblem(const FitRecord& fit, double step);

// The report written to path, whole or not at all, as text or CSV by its
// ending (CSV for any ending but .txt); the message of a failure names the
// file.
platform::Status WriteFitReport(const std::string& path, const MeasuredData& measured,
                                const std::vector<const FitRecord*>& fits,
                                const ReportOrigin& origin);

// The curves written to path, whole or not at all. A step with a
// CurveStepProblem is refused before the file is touched.
platform::Status WriteFitCurvesFile(const std::string& path, const MeasuredData& measured,
                                    const std::vector<const FitRecord*>& fits,
                                    std::optional<double> step = std::nullopt);

}  // namespace trazel::analysis
