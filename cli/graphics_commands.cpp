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

std::string OutputPath(const ParsedOptions& options) {
    const auto value = options.Value("-o");
    if (!value || value->empty()) {
        throw UsageError("falta -o con el archivo de salida");
    }
    return *value;
}

}  // namespace

int RunPlot(const std::vector<std::string>& args, std::ostream&, std::ostream&) {
    const ParsedOptions options(args, kPlotOptions);
    const std::string& docPath = options.OnlyPositional("el documento");
    const GraphSettings settings = GraphSettingsFrom(options);
    const std::string outPath = OutputPath(options);
    const auto format = PictureFormatFor(outPath);
    if (!format) {
        throw UsageError("el archivo de -o debe terminar en .png o en .svg, no «" + outPath + "»");
    }
    CheckOutputIsNotTheDocument(docPath, outPath);
    const PeakTable table = LoadDocumentOrThrow(docPath);

    GuiSession gui;
    const QByteArray bytes =
        RenderGraphPicture(table, settings, *format, DefaultPrintTitle(docPath));
    if (auto failed = WriteFileAtomically(
            outPath, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        throw FileError(*failed);
    }
    return kExitOk;
}

int RunPrint(const std::vector<std::string>& args, std::ostream&, std::ostream&) {
    const ParsedOptions options(args, kPrintOptions);
    const std::string& docPath = options.OnlyPositional("el documento");
    const ReportSettings settings = ReportSettingsFrom(options);
    const std::string outPath = OutputPath(options);
    const std::string title = options.Value("--title").value_or(DefaultPrintTitle(docPath));
    CheckOutputIsNotTheDocument(docPath, outPath);
    const PeakTable table = LoadDocumentOrThrow(docPath);

    PrintJob job;
    job.minPage = 1;
    job.maxPage = ReportPageCount(table.count, settings.graphShown);
    job.printPage = [&](CDC& dc, int page) { PrintPage(dc, page, table, settings, title); };
    job.documentName = title;

    GuiSession gui;
    if (auto failed = PrintToPdfFile(outPath, job)) {
        throw FileError(*failed);
    }
    return kExitOk;
}
