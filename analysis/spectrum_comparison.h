#pragma once

#include <cstdint>
#include <string>

#include "analysis/analysis.h"
#include "analysis/comparison_record.h"
#include "analysis/peak_search.h"
#include "model/peak_table.h"
#include "output/report_sheet.h"

namespace trazel::analysis {

// The tolerance of the assignment, in widths of the comparison: a pair
// farther apart than this is no pair.
inline constexpr double kAssignmentWidths = 2.0;
// Computed bands below this share of the strongest take no part in it.
inline constexpr double kAssignableShare = 0.01;

// The band table as computed compared with the analysis's measured spectrum
// (as the fit uses it) over the range the settings give: the search for the
// measured bands over that range (with the options of the last search, if
// any) gives the starting width and the bands to assign. A record whose
// result holds the failure when there is no comparison.
ComparisonRecord CompareWithMeasured(const Analysis& analysis, const model::PeakTable& table,
                                     std::int32_t lineShape, const ComparisonSettings& settings);

// Which measured band each computed band is, for a result: the rows of the
// record, from the measured positions and heights given.
std::vector<AssignmentRow> AssignBands(const std::vector<fit::ComputedBand>& bands,
                                       const fit::ComparisonResult& result,
                                       const std::vector<FoundBand>& measured, double tolerance);

// The table "Aplicar" leaves: every band with the comparison's width and its
// intensity times the factor, of the shared share when mixed; without a
// shift, the calculation's positions with the scale factor as scale; with
// one, the positions a·ν + b with scale 1.
model::PeakTable AppliedComparison(const model::PeakTable& table, const ComparisonRecord& record);

// Whether the record belongs to the table: as many bands, each with the
// calculation's wavenumber as position (or, once applied with a shift, at
// a·ν + b). A record of another table is not shown nor drawn.
bool ComparisonFitsTable(const ComparisonRecord& record, const model::PeakTable& table);

// The tables as trazel-cli compare prints them, tab-separated and in the same
// words in every language: the values with their errors and the statistics,
// then the assignment.
std::string ComparisonResultText(const ComparisonRecord& record);
std::string AssignmentText(const ComparisonRecord& record);

// The report for people (.txt, in the language shown) and for programs
// (.csv, numbers unrounded), and the assignment table as CSV.
std::string ComparisonReportText(const ComparisonRecord& record);
// The same report as a sheet, for the printed page: its values and verdict
// as facts, and a row per band of the assignment (computed, scaled and
// measured positions, the deviation in x and in %).
output::ReportSheet ComparisonReportSheet(const ComparisonRecord& record);
std::string ComparisonReportCsv(const ComparisonRecord& record);
std::string AssignmentCsv(const ComparisonRecord& record);

}  // namespace trazel::analysis
