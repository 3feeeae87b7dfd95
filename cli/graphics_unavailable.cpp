#include "cli/cli_support.h"
#include "cli/document_commands.h"
#include "cli/output_commands.h"
#include "cli/output_options.h"
#include "platform/translation.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace trazel::cli {

// A build without Qt cannot draw text or write PNG, SVG or PDF. The command
// is still checked as far as it can be, so that a mistyped one and an
// unreadable document are reported as in a full build.

namespace {

[[noreturn]] void CannotDraw() {
    throw FileError(TRAZEL_TR(
        "Cli", "esta compilación de trazel-cli no incluye Qt: no puede dibujar ni imprimir."));
}

}  // namespace

int RunPlot(const std::vector<std::string>& args, std::ostream&, std::ostream&) {
    LoadDocumentOrThrow(ParsePlotRequest(args).docPath);
    CannotDraw();
}

int RunPrint(const std::vector<std::string>& args, std::ostream&, std::ostream&) {
    LoadDocumentOrThrow(ParsePrintRequest(args).docPath);
    CannotDraw();
}

int RunFigure(const std::vector<std::string>&, std::ostream&, std::ostream&) {
    CannotDraw();
}

}  // namespace trazel::cli
