#include <ostream>

#include "cli/cli.h"
#include "cli/document_commands.h"
#include "cli/output_commands.h"
#include "cli/output_options.h"
#include "platform/atomic_file.h"

std::optional<std::string> ExportReplacingFile(const std::string& path, const PeakTable& table,
                                               const ExportSettings& settings) {
    // Refused before the old file is touched, as in the window.
    if (auto refused = CheckExportResolution(settings.resolution)) {
        return refused;
    }
    return ReplaceFileWith(
        path, [&](const std::string& target) { return ExportToFile(target, table, settings); });
}

int RunExport(const std::vector<std::string>& args, std::ostream&, std::ostream&) {
    const ParsedOptions options(args, kExportOptions);
    const std::string& docPath = options.OnlyPositional("el documento");
    const ExportSettings settings = ExportSettingsFrom(options);
    const std::string outPath = OutputTarget(options.Value("-o").value_or("datos.txt"));
    CheckOutputIsNotTheDocument(docPath, outPath);
    const PeakTable table = LoadDocumentOrThrow(docPath);
    if (auto failed = ExportReplacingFile(outPath, table, settings)) {
        throw FileError(*failed);
    }
    return kExitOk;
}
