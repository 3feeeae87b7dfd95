#include "output/printed_report.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "output/band_plot.h"
#include "platform/number_format.h"
#include "platform/translation.h"

using namespace trazel::platform;
using namespace trazel::model;

namespace trazel::output {

namespace {

constexpr int kFrameLeft = 350;
constexpr int kFrameTop = -350;
constexpr int kFrameRight = 1600;
constexpr int kFrameBottom = -1200;
constexpr double kFrameWidth = 1250.0;
constexpr int kTitleY = -280;
constexpr int kRowPitch = 47;
constexpr int kTicks = 11;

// The last index of pages 1 and 2; a page past these starts where the one
// before ended.
constexpr std::array<int, 3> kLastIndexOfPage = {29, 79, kMaxPeakSlots - 1};

struct Column {
    int headerX;
    int cellX;
    const char* header;
};

// The scaled position sits at 850 under a header at 750: the header is
// longer than the numbers below it.
constexpr std::array<Column, 5> kColumns = {{
    {350, 350, TRAZEL_TR_NOOP("PrintedReport", "Máximo")},
    {550, 550, TRAZEL_TR_NOOP("PrintedReport", "Escala")},
    {750, 850, TRAZEL_TR_NOOP("PrintedReport", "Máx. Escalado")},
    {1150, 1150, TRAZEL_TR_NOOP("PrintedReport", "Intensidad")},
    {1450, 1450, TRAZEL_TR_NOOP("PrintedReport", "Anchura")},
}};

BandMapping PaperBand(const ReportSettings& settings) {
    return BandMapping{.low = settings.curve.yMin,
                       .high = settings.curve.yMax,
                       .height = 850.0,
                       .baseRow = kFrameBottom,
                       .direction = 1,
                       .aboveRow = kFrameTop,
                       // Below the band the pen waits one unit inside the
                       // frame's bottom edge.
                       .belowRow = kFrameBottom + 1};
}

int SampleColumn(int j, int resolution) {
    return kFrameLeft + static_cast<int>(std::ceil((kFrameWidth / resolution) * j));
}

// One curve at `resolution` samples from the frame's bottom-left corner;
// peak 0 stands for the sum of all peaks.
void PrintCurve(CDC& dc, const PeakTable& table, const ReportSettings& settings, int peak) {
    const BandMapping band = PaperBand(settings);
    const CurveSettings& curve = settings.curve;
    const int n = settings.resolution;
    for (int j = 0; j < n; ++j) {
        const double x = SampleX(j, n, curve.xMin, curve.xMax);
        const double v = peak == 0 ? ProfileSum(table, curve.lineShape, curve.useScaled, x)
                                   : PeakTerm(table, peak, curve.lineShape, curve.useScaled, x);
        PlotInBand(dc, band, curve.joinPoints, SampleColumn(j, n), v);
    }
}

void PrintTable(CDC& dc, int page, const PeakTable& table, int headerY) {
    for (const Column& column : kColumns) {
        dc.TextOut(column.headerX, headerY, Translate("PrintedReport", column.header));
    }
    const PageRows rows = ReportPageRows(page, table.PeakCount() + 1);
    for (int index = rows.first; index <= rows.last; ++index) {
        const int y = headerY - 10 - kRowPitch * (index - rows.first + 1);
        const std::array<double, 5> cells = {table.Band(index).position, table.Band(index).scale,
                                             table.Band(index).scaledPosition,
                                             table.Band(index).intensity, table.Band(index).width};
        for (std::size_t c = 0; c < kColumns.size(); ++c) {
            dc.TextOut(kColumns[c].cellX, y, FormatG(cells[c]));
        }
    }
}

void PrintGraphPage(CDC& dc, const PeakTable& table, const ReportSettings& settings,
                    const std::string& title) {
    dc.SelectStockObject(WHITE_BRUSH);
    dc.Rectangle(kFrameLeft, kFrameTop, kFrameRight, kFrameBottom);
    dc.TextOut(kFrameLeft, kTitleY, title);

    dc.TextOut(1670, -340, FormatG(settings.curve.yMax));
    dc.TextOut(1670, -740, "y");
    dc.TextOut(1670, -1160, FormatG(settings.curve.yMin));
    dc.TextOut(340, -1230, FormatG(settings.curve.xMin));
    dc.TextOut(980, -1230, "x");
    dc.TextOut(1580, -1230, FormatG(settings.curve.xMax));

    for (int k = 0; k < kTicks; ++k) {
        dc.MoveTo(kFrameLeft + 125 * k, kFrameBottom);
        dc.LineTo(kFrameLeft + 125 * k, kFrameBottom - 10);
        dc.MoveTo(kFrameRight, kFrameTop - 85 * k);
        dc.LineTo(kFrameRight + 10, kFrameTop - 85 * k);
    }

    dc.MoveTo(kFrameLeft, kFrameBottom);
    PrintCurve(dc, table, settings, 0);
    PrintSeparateCurves(dc, table, settings);

    dc.TextOut(
        kFrameLeft, -1300,
        Translate("PrintedReport", settings.curve.useScaled ? kLegendScaled : kLegendUnscaled));
    PrintTable(dc, 1, table, -1350);
}

}  // namespace

int ReportPageCount(std::int32_t count, bool graphShown) {
    if (!graphShown || count <= 30) {
        return 1;
    }
    return count <= 80 ? 2 : 3;
}

ReportPlan PlanReport(std::int32_t count, bool graphShown, int fitPages) {
    const int pages = ReportPageCount(count, graphShown);
    if (fitPages <= 0) {
        return {pages, 0, 0};
    }
    // The blank page of a report without a graph gives way to the fit's.
    const int before = graphShown ? pages : 0;
    return {before + fitPages, before + 1, fitPages};
}

// A4 without the 5 mm margins is 287 mm high; the title's line is kept
// clear on the pages after the first.
constexpr int kPageFoot = -2850;

std::vector<std::vector<PlacedText>> FitPagesOf(const ReportSheet& sheet) {
    return LayOutReportSheet(sheet, {.left = kFitFigureBox.left,
                                     .right = kFitFigureBox.right,
                                     .firstTop = kFitFigureBox.bottom - 70,
                                     .top = kTitleY - 100,
                                     .bottom = kPageFoot});
}

std::vector<std::vector<PlacedText>> FitPagesOf(const std::vector<ReportSheet>& sheets) {
    std::vector<std::vector<PlacedText>> pages;
    for (const ReportSheet& sheet : sheets) {
        std::vector<std::vector<PlacedText>> more =
            pages.empty() ? FitPagesOf(sheet)
                          : LayOutReportSheet(sheet, {.left = kFitFigureBox.left,
                                                      .right = kFitFigureBox.right,
                                                      .firstTop = kTitleY - 100,
                                                      .top = kTitleY - 100,
                                                      .bottom = kPageFoot});
        pages.insert(pages.end(), more.begin(), more.end());
    }
    return pages;
}

void PrintFitPage(CDC& dc, const std::vector<std::vector<PlacedText>>& pages, int page,
                  const std::string& title) {
    dc.SetMapMode(MM_LOMETRIC);
    dc.TextOut(kFrameLeft, kTitleY, title);
    if (page < 0 || page >= static_cast<int>(pages.size())) {
        return;
    }
    for (const PlacedText& text : pages[static_cast<std::size_t>(page)]) {
        dc.TextOut(text.x, text.y, text.text);
    }
}

PageRows ReportPageRows(int page, std::int32_t count) {
    if (page < 1 || page > static_cast<int>(kLastIndexOfPage.size())) {
        return {};
    }
    const int first = page == 1 ? 1 : kLastIndexOfPage[static_cast<std::size_t>(page - 2)] + 1;
    const int last = std::min(kLastIndexOfPage[static_cast<std::size_t>(page - 1)], count - 1);
    return {first, last};
}

std::string PrintTitleFromCaption(std::string_view caption) {
    constexpr std::string_view kSuffix = " - Trazel";
    if (caption.size() >= kSuffix.size() &&
        caption.substr(caption.size() - kSuffix.size()) == kSuffix) {
        caption.remove_suffix(kSuffix.size());
    }
    return std::string(caption);
}

void PrintSeparateCurves(CDC& dc, const PeakTable& table, const ReportSettings& settings) {
    dc.SetMapMode(MM_LOMETRIC);
    dc.SelectStockObject(WHITE_BRUSH);
    for (int i = 1; i <= table.PeakCount(); ++i) {
        if (table.Band(i).separate == 0) {
            continue;
        }
        dc.MoveTo(kFrameLeft, kFrameBottom);
        PrintCurve(dc, table, settings, i);
    }
}

void PrintPage(CDC& dc, int page, const PeakTable& table, const ReportSettings& settings,
               const std::string& title) {
    if (!settings.graphShown) {
        return;
    }
    dc.SetMapMode(MM_LOMETRIC);
    if (page == 1) {
        PrintGraphPage(dc, table, settings, title);
    } else if (page == 2 || page == 3) {
        dc.TextOut(kFrameLeft, kTitleY, title);
        PrintTable(dc, page, table, -380);
    }
}

}  // namespace trazel::output
