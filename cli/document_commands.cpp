#include "cli/document_commands.h"

#include <ostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_support.h"
#include "model/document_file.h"
#include "model/trazel_doc.h"
#include "output/peak_list.h"

namespace {

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, ',')) {
        parts.push_back(part);
    }
    if (!text.empty() && text.back() == ',') {
        parts.emplace_back();
    }
    return parts;
}

struct PeakArg {
    double position = 0.0;
    double intensity = 0.0;
    double width = 0.0;
    double scale = 1.0;
    bool separate = false;
};

PeakArg ParsePeakArg(const std::string& text) {
    const auto parts = SplitCommas(text);
    if (parts.size() < 3 || parts.size() > 5) {
        throw UsageError("--peak espera POS,INT,ANCHURA[,ESCALA[,s]], no «" + text + "»");
    }
    PeakArg peak;
    peak.position = ParseNumberArg(parts[0], "posición de --peak");
    peak.intensity = ParseNumberArg(parts[1], "intensidad de --peak");
    peak.width = ParseNumberArg(parts[2], "anchura de --peak");
    if (parts.size() >= 4) {
        peak.scale = ParseNumberArg(parts[3], "escala de --peak");
    }
    if (parts.size() == 5) {
        if (parts[4] != "s") {
            throw UsageError("el quinto campo de --peak solo puede ser «s», no «" + parts[4] + "»");
        }
        peak.separate = true;
    }
    return peak;
}

void SaveOrThrow(const std::string& path, const PeakTable& table) {
    if (const Status error = SavePeakTableFile(path, table); !error.ok()) {
        throw FileError(error.message());
    }
}

}  // namespace

PeakTable LoadDocumentOrThrow(const std::string& path) {
    PeakTable table;
    if (const Status error = LoadPeakTableFile(path, table); !error.ok()) {
        throw FileError(error.message());
    }
    return table;
}

int RunNew(const std::vector<std::string>& args, std::ostream&, std::ostream&) {
    ArgCursor cursor(args);
    std::string outPath;
    std::vector<PeakArg> peaks;
    bool optionsEnded = false;
    while (!cursor.AtEnd()) {
        const std::string& arg = cursor.Take();
        if (!optionsEnded && arg == kEndOfOptions) {
            optionsEnded = true;
        } else if (optionsEnded || !IsOption(arg)) {
            if (!outPath.empty()) {
                throw UsageError("sobra el argumento «" + arg + "»");
            }
            outPath = OutputTarget(arg);
        } else if (arg == "--peak") {
            peaks.push_back(ParsePeakArg(cursor.TakeValue(arg)));
        } else {
            throw UsageError("opción desconocida: " + arg);
        }
    }
    if (outPath.empty()) {
        throw UsageError("falta el archivo de salida");
    }
    if (peaks.size() > kMaxPeakSlots - 1) {
        throw UsageError("un documento admite como mucho 99 máximos; se han dado " +
                         std::to_string(peaks.size()));
    }
    CTrazelDoc doc;
    doc.OnNewDocument();
    for (const PeakArg& peak : peaks) {
        doc.AddPeak(peak.position, peak.intensity, peak.width, peak.scale);
        if (peak.separate) {
            // The newest peak is row 0 of the list.
            doc.ToggleSeparate({0});
        }
    }
    SaveOrThrow(outPath, doc.Table());
    return kExitOk;
}

int RunShow(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    const PeakTable table =
        LoadDocumentOrThrow(ParsedOptions(args, {}).OnlyPositional("el documento"));
    std::string text;
    for (int column = 0; column < kPeakListColumns; ++column) {
        text += kPeakListHeadings[column];
        text += column + 1 < kPeakListColumns ? '\t' : '\n';
    }
    for (int index = table.count - 1; index >= 1; --index) {
        const auto cells = PeakListCells(table, index);
        for (int column = 0; column < kPeakListColumns; ++column) {
            text += cells[column];
            text += column + 1 < kPeakListColumns ? '\t' : '\n';
        }
    }
    out << text;
    return kExitOk;
}

int RunConvert(const std::vector<std::string>& args, std::ostream&, std::ostream&) {
    const ParsedOptions options(args, {});
    const auto& paths = options.Positional(2, "el documento de entrada o el de salida");
    SaveOrThrow(OutputTarget(paths[1]), LoadDocumentOrThrow(paths[0]));
    return kExitOk;
}
