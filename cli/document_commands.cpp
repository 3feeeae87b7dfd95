#include "cli/document_commands.h"

#include <charconv>
#include <optional>
#include <ostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_support.h"
#include "input/band_list.h"
#include "model/document_file.h"
#include "model/trazel_doc.h"
#include "output/peak_list.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;
using namespace trazel::input;

namespace trazel::cli {

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

// The bands of a band list, for `new --from`, in file order.
std::vector<PeakArg> BandsFromFile(const std::string& path,
                                   const trazel::input::BandListOptions& options) {
    using trazel::input::ReadFailure;
    const auto list = trazel::input::ReadBandList(path, options);
    if (list.Failure() == ReadFailure::MissingWidth) {
        throw UsageError(list.Message() + " Indíquela con --width.");
    }
    if (!list.Ok()) {
        throw FileError(list.Message());
    }
    std::vector<PeakArg> peaks;
    for (const Peak& band : list.Value().bands) {
        peaks.push_back(
            {band.position, band.intensity, band.width, band.scale, band.separate != 0});
    }
    return peaks;
}

double PositiveNumberArg(const std::string& text, const std::string& what) {
    const double value = ParseNumberArg(text, what);
    if (!(value > 0.0)) {
        throw UsageError(what + " debe ser mayor que 0, no «" + text + "»");
    }
    return value;
}

std::string ShortestText(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
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
    // The band list's path and where its bands go among the --peak ones.
    std::optional<std::string> fromPath;
    std::size_t fromAt = 0;
    trazel::input::BandListOptions listOptions;
    bool listOptionGiven = false;
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
        } else if (arg == "--from") {
            if (fromPath) {
                throw UsageError("--from solo se puede dar una vez");
            }
            fromPath = cursor.TakeValue(arg);
            fromAt = peaks.size();
        } else if (arg == "--width") {
            listOptions.width = PositiveNumberArg(cursor.TakeValue(arg), "--width");
            listOptionGiven = true;
        } else if (arg == "--scale") {
            listOptions.scale = ParseNumberArg(cursor.TakeValue(arg), "--scale");
            listOptionGiven = true;
        } else if (arg == "--areas") {
            listOptions.intensitiesAreAreas = true;
            listOptionGiven = true;
        } else if (arg == "--lorentzian") {
            listOptions.lineShape = Lorentzian;
            listOptionGiven = true;
        } else {
            throw UsageError("opción desconocida: " + arg);
        }
    }
    if (outPath.empty()) {
        throw UsageError("falta el archivo de salida");
    }
    if (listOptionGiven && !fromPath) {
        throw UsageError("--width, --scale, --areas y --lorentzian solo valen con --from");
    }
    if (peaks.size() > kMaxPeakSlots - 1) {
        throw UsageError("un documento admite como mucho 99 máximos; se han dado " +
                         std::to_string(peaks.size()));
    }
    if (fromPath) {
        listOptions.room = kMaxPeakSlots - 1 - static_cast<int>(peaks.size());
        const auto bands = BandsFromFile(*fromPath, listOptions);
        peaks.insert(peaks.begin() + static_cast<std::ptrdiff_t>(fromAt), bands.begin(),
                     bands.end());
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
    const ParsedOptions options(args, {{}, {"--csv"}});
    const PeakTable table = LoadDocumentOrThrow(options.OnlyPositional("el documento"));
    std::string text;
    if (options.Has("--csv")) {
        // Oldest first, every number in the fewest digits that read back to
        // the same double, so that `new --from` rebuilds the very document.
        text = "posicion,intensidad,anchura,escala,R\n";
        for (int index = 1; index < table.count; ++index) {
            text += ShortestText(table.position[index]) + ',' +
                    ShortestText(table.intensity[index]) + ',' + ShortestText(table.width[index]) +
                    ',' + ShortestText(table.scale[index]) + ',' +
                    (table.separate[index] != 0 ? "s\n" : "n\n");
        }
        out << text;
        return kExitOk;
    }
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

}  // namespace trazel::cli
