#include <ostream>

#include "cli/cli.h"
#include "cli/document_commands.h"
#include "cli/output_commands.h"
#include "cli/output_options.h"
#include "platform/atomic_file.h"
#include "platform/translation.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace trazel::cli {

Status ExportReplacingFile(const std::string& path, const PeakTable& table,
                           const ExportSettings& settings) {
    // Refused before the old file is touched, as in the window.
    if (const Status refused = CheckExportResolution(settings.resolution); !refused.ok()) {
        return refused;
    }
    return ReplaceFileWith(
        path, [&](const WriteTarget& target) { return ExportToFile(target, table, settings); });
}

int RunExport(const std::vector<std::string>& args, std::ostream&, std::ostream&) {
    const ParsedOptions options(args, kExportOptions);
    const std::string& docPath = options.OnlyPositional(TRAZEL_TR("Cli", "el documento"));
    const ExportSettings settings = ExportSettingsFrom(options);
    const std::string outPath = OutputTarget(options.Value("-o").value_or("datos.txt"));
    CheckOutputIsNoInput(outPath, {{InputKind::Document, docPath}});
    const PeakTable table = LoadDocumentOrThrow(docPath);
    if (const Status failed = ExportReplacingFile(outPath, table, settings); !failed.ok()) {
        throw FileError(failed.message());
    }
    return kExitOk;
}

}  // namespace trazel::cli
