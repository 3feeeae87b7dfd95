#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <ostream>
#include <string_view>

#include "cli/cli.h"
#include "cli/document_commands.h"
#include "cli/graph_picture.h"
#include "cli/output_commands.h"
#include "cli/output_options.h"
#include "platform/atomic_file.h"
#include "platform/qt/print_driver.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace trazel::cli {

namespace {

QtMessageHandler previousHandler = nullptr;

// A batch run from cron or ssh has no desktop session, and the offscreen
// platform then notes that XDG_RUNTIME_DIR is not set. That folder is never
// used here, so the note would only make every run look like it went wrong.
void QuietAboutRuntimeDir(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR"))) {
        return;
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    }
}

// Drawing text needs Qt's fonts, and so a QGuiApplication; a batch run has no
// screen to show anything on, so unless the user chose a platform it gets the
// offscreen one and works without a display. An application that is already
// there (a test's) is used as it is.
class GuiSession {
  public:
    GuiSession() {
        if (QGuiApplication::instance() != nullptr) {
            return;
        }
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        previousHandler = qInstallMessageHandler(QuietAboutRuntimeDir);
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    ~GuiSession() {
        if (app_) {
            app_.reset();
            qInstallMessageHandler(previousHandler);
        }
    }
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

  private:
    int argc_ = 1;
    char name_[11] = "trazel-cli";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace

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
