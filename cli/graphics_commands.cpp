#include <QByteArray>
#include <ostream>
#include <string_view>

#include "cli/cli.h"
#include "cli/document_commands.h"
#include "cli/graph_picture.h"
#include "cli/gui_session.h"
#include "cli/output_commands.h"
#include "cli/output_options.h"
#include "platform/atomic_file.h"
#include "platform/qt/print_driver.h"

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
    if (const Status failed = WriteFileAtomically(
            request.outPath,
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        !failed.ok()) {
        throw FileError(failed.message());
    }
    return kExitOk;
}

int RunPrint(const std::vector<std::string>& args, std::ostream&, std::ostream&) {
    const PrintRequest request = ParsePrintRequest(args);
    const PeakTable table = LoadDocumentOrThrow(request.docPath);

    PrintJob job;
    job.minPage = 1;
    job.maxPage = ReportPageCount(table.count, request.settings.graphShown);
    job.printPage = [&](CDC& dc, int page) {
        PrintPage(dc, page, table, request.settings, request.title);
    };
    job.documentName = request.title;

    GuiSession gui;
    if (const Status failed = PrintToPdfFile(request.outPath, job); !failed.ok()) {
        throw FileError(failed.message());
    }
    return kExitOk;
}

}  // namespace trazel::cli
