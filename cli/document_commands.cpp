#include "cli/document_commands.h"
#include "fit/fit_report.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>

#include "cli/cli.h"
#include "cli/cli_support.h"
#include "cli/output_options.h"
#include "input/band_list.h"
#include "model/document_file.h"
#include "model/table_edits.h"
#include "output/peak_list.h"
#include "platform/atomic_file.h"
#include "platform/file_errors.h"
#include "platform/number_format.h"
#include "platform/translation.h"

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
    BandShape shape = BandShape::Document;
    double share = 0.0;
};

// The heading of `show --csv`, which `new --from` reads back; a table where
// some band has a shape of its own adds the shape and the share.
constexpr std::string_view kCsvHeading = "posicion,intensidad,anchura,escala,R\n";
constexpr std::string_view kCsvShapesHeading = "posicion,intensidad,anchura,escala,R,forma,eta\n";

// The last field of --peak when it is forma=F[:ETA] (or shape=...): the
// band's own shape, its share halfway when not given. False, and nothing
// read, for a field of another kind.
bool ParsePeakShape(const std::string& field, PeakArg& peak) {
    std::string value;
    for (const std::string_view key : {"forma=", "shape="}) {
        if (field.rfind(key, 0) == 0) {
            value = field.substr(key.size());
        }
    }
    if (value.empty() && field.find('=') == std::string::npos) {
        return false;
    }
    const auto colon = value.find(':');
    if (!ShapeFromName(value.substr(0, colon), peak.shape)) {
        throw UsageError(Fill(
            TRAZEL_TR("NewCommand", "la forma de --peak debe ser g, l, pv o v, no «%1»"), {field}));
    }
    peak.share = IsMixed(peak.shape) ? 0.5 : 0.0;
    if (colon != std::string::npos) {
        const double share = ParseNumberArg(
            value.substr(colon + 1), TRAZEL_TR("NewCommand", "fracción lorentziana de --peak"));
        if (!IsMixed(peak.shape) || !(share >= 0.0 && share <= 1.0)) {
            throw UsageError(
                Fill(TRAZEL_TR("NewCommand",
                               "--peak «%1»: la fracción lorentziana va con pv o v y está "
                               "entre 0 y 1"),
                     {field}));
        }
        peak.share = share;
    }
    return true;
}

// A peak as `new --from` would take it back from `show --csv`: a band list
// refuses a width that is not above 0 and a scaled position beyond a double,
// so `--peak` does too, and every document it writes goes round the two.
PeakArg ParsePeakArg(const std::string& text) {
    auto parts = SplitCommas(text);
    PeakArg peak;
    if (!parts.empty() && ParsePeakShape(parts.back(), peak)) {
        parts.pop_back();
    }
    if (parts.size() < 3 || parts.size() > 5) {
        throw UsageError(
            Fill(TRAZEL_TR("NewCommand",
                           "--peak espera POS,INT,ANCHURA[,ESCALA[,s]][,forma=F[:ETA]], "
                           "no «%1»"),
                 {text}));
    }
    peak.position = ParseNumberArg(parts[0], TRAZEL_TR("NewCommand", "posición de --peak"));
    peak.intensity = ParseNumberArg(parts[1], TRAZEL_TR("NewCommand", "intensidad de --peak"));
    peak.width = ParseNumberArg(parts[2], TRAZEL_TR("NewCommand", "anchura de --peak"));
    if (parts.size() >= 4) {
        peak.scale = ParseNumberArg(parts[3], TRAZEL_TR("NewCommand", "escala de --peak"));
    }
    if (parts.size() == 5) {
        if (parts[4] != "s") {
            throw UsageError(Fill(
                TRAZEL_TR("NewCommand", "el quinto campo de --peak solo puede ser «s», no «%1»"),
                {parts[4]}));
        }
        peak.separate = true;
    }
    if (!(peak.width > 0.0)) {
        throw UsageError(
            Fill(TRAZEL_TR("NewCommand", "la anchura de --peak debe ser mayor que 0, no «%1»"),
                 {parts[2]}));
    }
    if (!std::isfinite(peak.position * peak.scale)) {
        throw UsageError(
            Fill(TRAZEL_TR("NewCommand",
                           "--peak «%1»: la posición por la escala no es un número finito"),
                 {text}));
    }
    return peak;
}

// Whether the file holds nothing but the heading `show --csv` writes for a
// document without peaks. A band list with no band is refused, but this one
// stands for the empty document and must come back as it.
bool IsEmptyCsvTable(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string start(kCsvHeading.size() + 2, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    return start == kCsvHeading || start == "posicion,intensidad,anchura,escala,R\r\n";
}

// Whether path is the output of a quantum-chemistry program, whose modes
// --strongest and --range choose from.
bool IsQcOutput(const std::string& path) {
    LineReader reader;
    return !reader.Open(path) && RecogniseQcOutput(reader).has_value();
}

// The bands of a band list, for `new --from`, in file order.
std::vector<PeakArg> BandsFromFile(const std::string& path,
                                   const trazel::input::BandListOptions& options,
                                   std::ostream& err) {
    using trazel::input::ReadFailure;
    const auto list = trazel::input::ReadBandList(path, options);
    if (list.Failure() == ReadFailure::Content && IsEmptyCsvTable(path)) {
        return {};
    }
    if (list.Failure() == ReadFailure::MissingWidth) {
        throw UsageError(
            Fill(TRAZEL_TR("NewCommand", "%1 Indíquela con --width."), {list.Message()}));
    }
    if (list.Failure() == ReadFailure::TooManyBands && IsQcOutput(path)) {
        throw FileError(Fill(TRAZEL_TR("NewCommand",
                                       "%1 Con --strongest se toman las más intensas que caben; "
                                       "con --range DESDE:HASTA, las de ese intervalo de números "
                                       "de onda."),
                             {list.Message()}));
    }
    if (!list.Ok()) {
        throw FileError(list.Message());
    }
    if (!list.Value().program && (options.strongest || options.range)) {
        throw UsageError(TRAZEL_TR(
            "NewCommand", "--strongest y --range solo valen con una salida de química cuántica"));
    }
    if (!list.Value().note.empty()) {
        err << Fill(TRAZEL_TR("NewCommand", "%1: %2.\n"), {path, list.Value().note});
    }
    std::vector<PeakArg> peaks;
    for (const Peak& band : list.Value().bands) {
        peaks.push_back({band.position, band.intensity, band.width, band.scale, band.separate != 0,
                         band.shape, band.share});
    }
    return peaks;
}

double PositiveNumberArg(const std::string& text, const std::string& what) {
    const double value = ParseNumberArg(text, what);
    if (!(value > 0.0)) {
        throw UsageError(
            Fill(TRAZEL_TR("NewCommand", "%1 debe ser mayor que 0, no «%2»"), {what, text}));
    }
    return value;
}

std::string ShortestText(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

}  // namespace

void OpenDocumentOrThrow(const std::string& path, document::CTrazelDoc& document,
                         std::ostream& err) {
    DocumentContents contents;
    if (const Status error = LoadDocumentFile(path, contents); !error.ok()) {
        throw FileError(error.message());
    }
    analysis::StoredAnalysis stored =
        analysis::AnalysisFromSection(contents.section, contents.table);
    if (!stored.notice.empty()) {
        err << "trazel-cli: " << QuoteFileName(path) << ": " << stored.notice << '\n';
    }
    document.OpenStored(contents.table, std::move(stored));
}

std::string DocumentBytesOrThrow(const std::string& path, const document::CTrazelDoc& document) {
    // An analysis that could not be read is written back as it came; one
    // that this document's own analysis would replace is never dropped
    // unless the user says so.
    if (document.SavingLosesUnreadAnalysis()) {
        throw FileError(
            Fill(TRAZEL_TR("Cli",
                           "no se ha escrito %1: el análisis guardado en el documento no "
                           "se pudo leer y se perdería. Para quitarlo del documento: "
                           "trazel-cli convert DOC DOC --drop-analysis"),
                 {QuoteFileName(path)}));
    }
    return PeakTableBytes(document.Table()) + document.SectionToSave();
}

void SaveDocumentOrThrow(const std::string& path, const document::CTrazelDoc& document) {
    if (const Status error = WriteFileAtomically(path, DocumentBytesOrThrow(path, document));
        !error.ok()) {
        throw FileError(error.message());
    }
}

PeakTable LoadDocumentOrThrow(const std::string& path) {
    PeakTable table;
    if (const Status error = LoadPeakTableFile(path, table); !error.ok()) {
        throw FileError(error.message());
    }
    return table;
}

int RunNew(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const ParsedOptions options(
        args, {{"--from", "--width", "--scale", "--kind", "--laser", "--temperature", "--range"},
               {"--areas", "--lorentzian", "--strongest"},
               {"--peak"}});
    const std::string& outArg = options.OnlyPositional(TRAZEL_TR("Cli", "el archivo de salida"));
    if (outArg.empty()) {
        throw UsageError(TRAZEL_TR("Cli", "falta el archivo de salida"));
    }
    const std::string outPath = OutputTarget(outArg);
    std::vector<PeakArg> peaks;
    for (const std::string& text : options.Values("--peak")) {
        peaks.push_back(ParsePeakArg(text));
    }
    // The band list's path and where its bands go among the --peak ones.
    const auto fromPath = options.Value("--from");
    const std::size_t fromAt = options.ValuesBefore("--peak", "--from");
    trazel::input::BandListOptions listOptions;
    if (const auto width = options.Value("--width")) {
        listOptions.width = PositiveNumberArg(*width, "--width");
    }
    if (const auto scale = options.Value("--scale")) {
        listOptions.scale = ParseNumberArg(*scale, "--scale");
    }
    listOptions.intensitiesAreAreas = options.Has("--areas");
    if (options.Has("--lorentzian")) {
        listOptions.lineShape = Lorentzian;
    }
    const bool listOptionGiven = options.Has("--width") || options.Has("--scale") ||
                                 options.Has("--areas") || options.Has("--lorentzian");
    if (listOptionGiven && !fromPath) {
        throw UsageError(TRAZEL_TR(
            "NewCommand", "--width, --scale, --areas y --lorentzian solo valen con --from"));
    }
    using Kind = BandListOptions::Kind;
    if (const auto kind = options.Value("--kind")) {
        if (*kind == "ir") {
            listOptions.kind = Kind::Infrared;
        } else if (*kind == "raman-activity") {
            listOptions.kind = Kind::RamanActivity;
        } else if (*kind == "raman") {
            listOptions.kind = Kind::RamanIntensity;
        } else {
            throw UsageError(
                Fill(TRAZEL_TR("NewCommand", "--kind debe ser ir, raman-activity o raman, no «%1»"),
                     {*kind}));
        }
        if (!fromPath) {
            throw UsageError(TRAZEL_TR("NewCommand", "--kind solo vale con --from"));
        }
    }
    if (const auto laser = options.Value("--laser")) {
        listOptions.laserNm = PositiveNumberArg(*laser, "--laser");
    }
    if (const auto temperature = options.Value("--temperature")) {
        listOptions.temperature = PositiveNumberArg(*temperature, "--temperature");
    }
    if ((options.Has("--laser") || options.Has("--temperature")) &&
        listOptions.kind != Kind::RamanIntensity) {
        throw UsageError(
            TRAZEL_TR("NewCommand", "--laser y --temperature solo valen con --kind raman"));
    }
    if (const auto range = options.Value("--range")) {
        const auto colon = range->find(':');
        if (colon == std::string::npos) {
            throw UsageError(
                Fill(TRAZEL_TR("NewCommand", "--range debe ser DESDE:HASTA, no «%1»"), {*range}));
        }
        const double from = ParseNumberArg(range->substr(0, colon), "--range");
        const double to = ParseNumberArg(range->substr(colon + 1), "--range");
        if (!(from < to)) {
            throw UsageError(
                Fill(TRAZEL_TR("NewCommand",
                               "--range debe ir de un número de onda a otro mayor, no «%1»"),
                     {*range}));
        }
        listOptions.range = std::pair(from, to);
    }
    listOptions.strongest = options.Has("--strongest");
    if ((options.Has("--range") || options.Has("--strongest")) && !fromPath) {
        throw UsageError(TRAZEL_TR("NewCommand", "--strongest y --range solo valen con --from"));
    }
    if (fromPath) {
        CheckOutputIsNoInput(outPath, {{InputKind::BandList, *fromPath}});
    }
    if (peaks.size() > kMaxPeakSlots - 1) {
        throw UsageError(Fill(
            TRAZEL_TR("NewCommand", "un documento admite como mucho 99 máximos; se han dado %1"),
            {std::to_string(peaks.size())}));
    }
    if (fromPath) {
        listOptions.room = kMaxPeakSlots - 1 - static_cast<int>(peaks.size());
        const auto bands = BandsFromFile(*fromPath, listOptions, err);
        peaks.insert(peaks.begin() + static_cast<std::ptrdiff_t>(fromAt), bands.begin(),
                     bands.end());
    }
    PeakTable table;
    for (const PeakArg& peak : peaks) {
        AddPeak(table, peak.position, peak.intensity, peak.width, peak.scale);
        if (peak.separate) {
            // The newest peak is row 0 of the list.
            ToggleSeparate(table, {0});
        }
        SetBandShape(table, table.PeakCount(), peak.shape, peak.share);
    }
    // Shapes of the bands' own go in the analysis section; a table without
    // them is written as the table alone, as always.
    document::CTrazelDoc document;
    document.OpenTable(table);
    SaveDocumentOrThrow(outPath, document);
    return kExitOk;
}

namespace {

// The stored comparison with the calculation: its values and how many
// computed bands found a measured partner.
std::string ComparisonShown(const analysis::ComparisonRecord& c) {
    const fit::ComparisonResult& r = c.result;
    std::size_t computed = 0;
    std::size_t paired = 0;
    for (const analysis::AssignmentRow& row : c.rows) {
        computed += row.band > 0 ? 1 : 0;
        paired += row.band > 0 && row.matched ? 1 : 0;
    }
    const auto value = [](const fit::Estimate& e) {
        return e.free ? FormatG(e.value) + " ± " + FormatG(e.error, 2) : FormatG(e.value);
    };
    return Fill(TRAZEL_TR("ShowCommand",
                          "Comparación con el cálculo: x de %1 a %2, escala %3, desplazamiento %4, "
                          "anchura %5, factor %6, r %7, coseno %8; %9 bandas calculadas con "
                          "pareja\n"),
                {FormatG(c.xMin), FormatG(c.xMax), value(r.scale), value(r.shift), value(r.width),
                 value(r.factor), FormatG(r.pearson, 4), FormatG(r.cosine, 4),
                 std::to_string(paired) + "/" + std::to_string(computed)}) +
           Fill(TRAZEL_TR("ShowCommand", "Veredicto de la comparación: %1\n"),
                {ShownText(fit::AgreementText(r))});
}

// What a document holds beside its table, a line a part; nothing for a
// table-only document. The texts it stored are shown through ShownText: a
// name may hold anything a file system allows.
std::string AnalysisText(const analysis::Analysis& a) {
    std::string text;
    if (a.measured) {
        const analysis::MeasuredData& m = *a.measured;
        const auto& x = m.points->x;
        const auto [lo, hi] = std::minmax_element(x.begin(), x.end());
        text +=
            Fill(TRAZEL_TR("ShowCommand", "Espectro medido: %1 (%2 puntos, x de %3 a %4)\n"),
                 {ShownText(m.sourceName), std::to_string(x.size()), FormatG(*lo), FormatG(*hi)});
        const auto unit = [](const std::string& title) {
            return title.empty() ? TRAZEL_TR("ShowCommand", "no declaradas")
                                 : Fill(TRAZEL_TR("ShowCommand", "«%1»"), {ShownText(title)});
        };
        text += Fill(TRAZEL_TR("ShowCommand", "Unidades del archivo: x %1, y %2\n"),
                     {unit(XAxisTitle(m.points->header)), unit(YAxisTitle(m.points->header))});
        text += Fill(TRAZEL_TR("ShowCommand", "Transformación: %1"),
                     {input::DescribeTransform(m.transform.Whole())});
        if (m.LeftOut() > 0) {
            text +=
                Fill(TRAZEL_TR("ShowCommand", " (deja fuera %1)"),
                     {Counted(m.LeftOut(), "ShowCommand", TRAZEL_TR_NOOP("ShowCommand", "%1 punto"),
                              TRAZEL_TR_NOOP("ShowCommand", "%1 puntos"))});
        }
        if (!m.transform.Change().IsIdentity()) {
            text += Fill(TRAZEL_TR("ShowCommand", "; unidades tras ella: x %1, y %2"),
                         {unit(XAxisTitle(m.Header())), unit(YAxisTitle(m.Header()))});
        }
        text += "\n";
        text += Fill(TRAZEL_TR("ShowCommand", "Factor de y: %1\n"), {FormatG(m.transform.yFactor)});
    }
    // One fitted region, as every document had one fit before regions: its
    // lines as they were; several, each numbered under the count.
    const bool one = a.regions.size() == 1 && a.regions.front().fit;
    if (a.regions.empty() && a.measured) {
        text += TRAZEL_TR("ShowCommand", "Ajuste guardado: ninguno\n");
    } else if (!one && !a.regions.empty()) {
        text += Fill(TRAZEL_TR("ShowCommand", "Regiones de ajuste: %1\n"),
                     {std::to_string(a.regions.size())});
    }
    for (std::size_t n = 0; n < a.regions.size(); ++n) {
        const analysis::FitRegion& region = a.regions[n];
        const std::string indent = one ? "" : "  ";
        if (!region.fit) {
            text += Fill(TRAZEL_TR("ShowCommand", "Región %1: x de %2 a %3, sin ajustar\n"),
                         {std::to_string(n + 1), FormatG(region.XMin()), FormatG(region.XMax())});
            continue;
        }
        const analysis::FitRecord& fit = *region.fit;
        const auto& r = fit.result;
        // A region counts the bands it holds; the one fit of a document, as
        // it always did, every band the fit knew.
        std::size_t bands = 0;
        for (const fit::FittedBand& band : r.bands) {
            bands += analysis::CentredInFit(fit, band.index) ? 1 : 0;
        }
        const std::vector<std::string> values = {
            FormatG(fit.xMin),
            FormatG(fit.xMax),
            Counted(one ? r.bands.size() : bands, "ShowCommand",
                    TRAZEL_TR_NOOP("ShowCommand", "%1 banda"),
                    TRAZEL_TR_NOOP("ShowCommand", "%1 bandas")),
            FormatG(r.rSquared),
            Counted(static_cast<std::size_t>(r.iterations), "ShowCommand",
                    TRAZEL_TR_NOOP("ShowCommand", "%1 iteración"),
                    TRAZEL_TR_NOOP("ShowCommand", "%1 iteraciones")),
            ShownText(fit::StopReasonText(r))};
        const auto filled = [&values](const std::string& format) {
            return Fill(format, {values[0], values[1], values[2], values[3], values[4], values[5]});
        };
        text +=
            one ? filled(TRAZEL_TR("ShowCommand",
                                   "Ajuste guardado: x de %1 a %2, %3, R² %4, %5. Parada: %6\n"))
                : Fill(TRAZEL_TR("ShowCommand", "Región %1: "), {std::to_string(n + 1)}) +
                      filled(TRAZEL_TR("ShowCommand", "x de %1 a %2, %3, R² %4, %5. Parada: %6\n"));
        text += indent +
                Fill(TRAZEL_TR("ShowCommand", "Veredicto: %1\n"), {ShownText(fit::VerdictText(r))});
        if (const auto baseline = analysis::BaselineOf(r, fit.settings.baseline)) {
            text += indent + TRAZEL_TR("ShowCommand", "Línea base:");
            for (std::size_t i = 0; i < baseline->coefficients.size(); ++i) {
                text += (i == 0 ? " " : " + ") + FormatG(baseline->coefficients[i]) +
                        (i == 0   ? ""
                         : i == 1 ? "·x"
                                  : "·x^" + std::to_string(i));
            }
            text += "\n";
        }
    }
    if (a.axisTitles) {
        text += Fill(TRAZEL_TR("ShowCommand", "Títulos de los ejes: «%1», «%2»\n"),
                     {ShownText(a.axisTitles->x), ShownText(a.axisTitles->y)});
    }
    if (a.comparison) {
        text += ComparisonShown(*a.comparison);
    }
    return text.empty() ? text : "\n" + text;
}

}  // namespace

int RunShow(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedOptions options(args, {{}, {"--csv"}});
    document::CTrazelDoc document;
    OpenDocumentOrThrow(options.OnlyPositional(TRAZEL_TR("Cli", "el documento")), document, err);
    const PeakTable& table = document.Table();
    std::string text;
    if (options.Has("--csv")) {
        // Oldest first, every number in the fewest digits that read back to
        // the same double, so that `new --from` rebuilds the very document.
        const bool shapes = HasOwnShapes(table);
        text = shapes ? kCsvShapesHeading : kCsvHeading;
        for (int index = 1; index <= table.PeakCount(); ++index) {
            text += ShortestText(table.Band(index).position) + ',' +
                    ShortestText(table.Band(index).intensity) + ',' +
                    ShortestText(table.Band(index).width) + ',' +
                    ShortestText(table.Band(index).scale) + ',' +
                    (table.Band(index).separate != 0 ? "s" : "n");
            if (shapes) {
                text += std::string(",") + ShapeCode(table.Band(index).shape) + ',' +
                        ShortestText(table.Band(index).share);
            }
            text += '\n';
        }
        out << text;
        return kExitOk;
    }
    // The shape is a column only where some band has one of its own, so
    // that every other listing keeps its bytes.
    const bool shapes = HasOwnShapes(table);
    for (int column = 0; column < kPeakListColumns; ++column) {
        text += kPeakListHeadings[column];
        text += column + 1 < kPeakListColumns ? '\t' : '\n';
    }
    if (shapes) {
        text.back() = '\t';
        text += std::string(kPeakShapeHeading) + '\n';
    }
    for (int index = table.PeakCount(); index >= 1; --index) {
        const auto cells = PeakListCells(table, index);
        for (int column = 0; column < kPeakListColumns; ++column) {
            text += cells[column];
            text += column + 1 < kPeakListColumns ? '\t' : '\n';
        }
        if (shapes) {
            text.back() = '\t';
            text += PeakShapeCell(table, index) + '\n';
        }
    }
    out << text << AnalysisText(document.GetAnalysis());
    return kExitOk;
}

int RunConvert(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const ParsedOptions options(args, {{}, {"--drop-analysis"}});
    const auto& paths =
        options.Positional(2, TRAZEL_TR("Cli", "el documento de entrada o el de salida"));
    // Converting a document in place is allowed: it is read whole before the
    // new layout takes its place. Its analysis goes with it, read or not.
    document::CTrazelDoc document;
    OpenDocumentOrThrow(paths[0], document, err);
    if (options.Has("--drop-analysis")) {
        const PeakTable table = document.Table();
        document.OpenTable(table);
    }
    SaveDocumentOrThrow(OutputTarget(paths[1]), document);
    return kExitOk;
}

}  // namespace trazel::cli

namespace trazel::cli {

namespace {

// Twelve significant digits hold every value exactly as the program printed
// it, and GAMESS's intensities times the six digits of their factor to km/mol,
// without the binary noise of that product ("0.010141464000000001").
std::string ModeText(double value) {
    return FormatG(value, 12);
}

std::string OptionalText(const std::optional<double>& value) {
    return value ? ModeText(*value) : std::string("-");
}

}  // namespace

int RunBands(const std::vector<std::string>& args, std::ostream& out, std::ostream&) {
    const ParsedOptions options(args, {{}, {}});
    const std::string& path = options.OnlyPositional(TRAZEL_TR("Cli", "el archivo"));
    LineReader reader;
    if (auto error = reader.Open(path)) {
        throw FileError(*error);
    }
    const auto program = RecogniseQcOutput(reader);
    if (!program) {
        throw FileError(FileProblem(
            path,
            TRAZEL_TR("BandsCommand",
                      "no es una salida de Gaussian, ORCA, Q-Chem, NWChem, GAMESS ni Molden")));
    }
    const auto analysis = ReadVibrationalAnalysis(reader, *program, path);
    if (!analysis.Ok()) {
        throw FileError(analysis.Message());
    }
    // For scripts: the same bytes in every language.
    std::string text = std::string("# ") + QcProgramName(*program) +
                       "\n# cm-1\tIR km/mol\tRaman A^4/amu\tleft out\n";
    for (const VibrationalMode& mode : analysis.Value().modes) {
        const char* leftOut = mode.leftOut == VibrationalMode::LeftOut::Imaginary ? "imaginary"
                              : mode.leftOut == VibrationalMode::LeftOut::Zero    ? "zero"
                                                                                  : "-";
        text += ModeText(mode.wavenumber) + '\t' + OptionalText(mode.infrared) + '\t' +
                OptionalText(mode.ramanActivity) + '\t' + leftOut + '\n';
    }
    out << text;
    return kExitOk;
}

}  // namespace trazel::cli
