#include <QByteArray>
#include <ostream>
#include <string_view>

#include "analysis/fit_export.h"
#include "cli/cli.h"
#include "cli/cli_support.h"
#include "cli/document_commands.h"
#include "cli/graph_picture.h"
#include "cli/gui_session.h"
#include "cli/output_commands.h"
#include "cli/output_options.h"
#include "document/trazel_doc.h"
#include "figure/figure.h"
#include "figure/picture_file.h"
#include "platform/atomic_file.h"
#include "platform/file_errors.h"
#include "platform/qt/print_driver.h"
#include "platform/version.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace trazel::cli {

int RunPlot(const std::vector<std::string>& args, std::ostream&, std::ostream&) {
    const PlotRequest request = ParsePlotRequest(args);
    const PeakTable table = LoadDocumentOrThrow(request.docPath);

    GuiSession gui;
    const QByteArray bytes = RenderGraphPicture(table, request.settings, request.format,
                                                DefaultPrintTitle(request.docPath));
    if (bytes.isEmpty()) {
        throw FileError(
            FileFailure(FileOperation::Write, request.outPath, figure::PictureNotDrawn())
                .message());
    }
    if (const Status failed = WriteFileAtomically(
            request.outPath,
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        !failed.ok()) {
        throw FileError(failed.message());
    }
    return kExitOk;
}

int RunPrint(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const PrintRequest request = ParsePrintRequest(args);
    document::CTrazelDoc document;
    OpenDocumentOrThrow(request.docPath, document, err);
    const PeakTable& table = document.Table();
    const analysis::Analysis& stored = document.GetAnalysis();
    const std::vector<std::vector<PlacedText>> fitPages = FitPagesOf(analysis::PrintedSheets(
        stored, {.document = request.title, .date = TodayText(), .version = kTrazelVersion}));
    const bool hasFit = !fitPages.empty();
    const ReportPlan plan = PlanReport(table.PeakCount() + 1, request.settings.graphShown,
                                       static_cast<int>(fitPages.size()));
    PrintJob job;
    job.minPage = 1;
    job.maxPage = plan.pages;
    job.printPage = [&](CDC& dc, int page) {
        if (plan.fitPages == 0 || page < plan.fitPage) {
            PrintPage(dc, page, table, request.settings, request.title);
            return;
        }
        PrintFitPage(dc, fitPages, page - plan.fitPage, request.title);
        if (page == plan.fitPage) {
            figure::PrintFigure(dc, kFitFigureBox, document.State(), figure::FitPageView(stored));
        }
    };
    job.documentName = request.title;

    // The figure of a fit is drawn by the plot's widgets, which need the
    // application of widgets; it runs offscreen like the rest, so that a
    // report still prints without a display.
    GuiSession gui(hasFit ? GuiSession::Kind::Widgets : GuiSession::Kind::Gui);
    if (const Status failed = PrintToPdfFile(request.outPath, job); !failed.ok()) {
        throw FileError(failed.message());
    }
    return kExitOk;
}

}  // namespace trazel::cli
