#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/line_shapes.h"
#include "model/peak_table.h"
#include "output/curve_settings.h"
#include "output/report_sheet.h"
#include "platform/cdc.h"
#include "platform/translation.h"

namespace trazel::output {

// The view's fields the report prints with, as they are when printing starts.
struct ReportSettings {
    CurveSettings curve;
    // Nothing is printed before the user has asked for a graph.
    bool graphShown = false;
    // Samples per curve.
    std::int32_t resolution = 250;
};

inline constexpr const char* kLegendScaled =
    TRAZEL_TR_NOOP("PrintedReport", "Usando valores escalados de los máximos");
inline constexpr const char* kLegendUnscaled =
    TRAZEL_TR_NOOP("PrintedReport", "Usando valores de los máximos sin escalar");

// Pages of the report for a table whose next free index is count: one up to
// 30, two up to 80, three beyond. Before a graph has been shown the report
// is one blank page.
int ReportPageCount(std::int32_t count, bool graphShown = true);

// The peak indices one page lists, first to last; an empty range (last <
// first) when the page lists none. Page 1 holds indices 1-29, page 2 30-79,
// page 3 80-99, so that across the pages that ReportPageCount gives every
// peak is listed once, in index order.
struct PageRows {
    int first = 1;
    int last = 0;
};
PageRows ReportPageRows(int page, std::int32_t count);

// The title printed on every page: the main window's caption without the
// " - Trazel" that the window adds after the document's name.
std::string PrintTitleFromCaption(std::string_view caption);

// Draws page 1, 2 or 3 of the report in MM_LOMETRIC. Page 1 carries the graph
// (frame, title, limits, ticks, the sum and the separate curves at
// `resolution` samples), the legend and the first rows of the table; pages 2
// and 3 the title and the rest of the table.
void PrintPage(platform::CDC& dc, int page, const model::PeakTable& table,
               const ReportSettings& settings, const std::string& title);

// The pages of the printed report: those above, and after them the pages of
// the fit when the document holds one (fitPage, the first of fitPages; 0 for
// none). Before a graph has been shown the fit's pages are the whole report.
// Without a fit the report is what it has always been, page for page.
struct ReportPlan {
    int pages = 1;
    int fitPage = 0;
    int fitPages = 0;
};
ReportPlan PlanReport(std::int32_t count, bool graphShown, int fitPages);

// A rectangle of a page in MM_LOMETRIC (top above bottom).
struct PageBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where the fit's page has its figure: the full width of an A4 page, about
// a third of its height, under the title.
inline constexpr PageBox kFitFigureBox{150, -330, 1900, -1380};

// The fit's report laid out on its pages: the first under kFitFigureBox,
// the others under the title, all above the foot of an A4 page.
std::vector<std::vector<PlacedText>> FitPagesOf(const ReportSheet& sheet);
// Several sheets one after another: the first as FitPagesOf lays it out,
// each of the others from the top of a page of its own.
std::vector<std::vector<PlacedText>> FitPagesOf(const std::vector<ReportSheet>& sheets);

// Page `page` (from 0) of the fit's pages, in MM_LOMETRIC, but for the
// figure, which the caller draws into kFitFigureBox on the first: the title
// and that page's part of the report.
void PrintFitPage(platform::CDC& dc, const std::vector<std::vector<PlacedText>>& pages, int page,
                  const std::string& title);

// The curves of the peaks flagged for separate display, each on its own.
void PrintSeparateCurves(platform::CDC& dc, const model::PeakTable& table,
                         const ReportSettings& settings);

}  // namespace trazel::output
