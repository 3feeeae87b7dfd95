#include "cli/peaks_command.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>
#include <span>

#include "analysis/peak_search.h"
#include "cli/cli.h"
#include "cli/cli_support.h"
#include "cli/document_commands.h"
#include "cli/measured_options.h"
#include "cli/output_options.h"
#include "document/trazel_doc.h"
#include "platform/atomic_file.h"
#include "platform/file_errors.h"
#include "platform/number_format.h"
#include "platform/translation.h"

using namespace trazel::platform;
using namespace trazel::analysis;

namespace trazel::cli {

namespace {

OptionSpec PeaksOptions() {
    OptionSpec options{.valued = {"--xmin", "--xmax", "--min-prominence", "--distance", "--smooth",
                                  "--order", "--max", "--yfactor", "-o"},
                       .switches = {"--shoulders"}};
    options.valued.insert(options.valued.end(), kTransformOptionNames.begin(),
                          kTransformOptionNames.end());
    options.valued.push_back(kSpectrumOption);
    return options;
}

// A whole number of an option, refused with what it has to be.
int WholeArg(const ParsedOptions& options, const std::string& option, int lowest, int highest,
             const std::string& what) {
    const std::string text = *options.Value(option);
    const int value = ParseIntArg(text, option);
    if (value < lowest || value > highest) {
        throw UsageError(
            Fill(TRAZEL_TR("PeaksCommand", "%1 debe ser %2, no «%3»"), {option, what, text}));
    }
    return value;
}

PeakSearchSettings SettingsFrom(const ParsedOptions& options) {
    PeakSearchSettings settings;
    if (options.Has("--order")) {
        settings.order = WholeArg(options, "--order", 0, kMaxSmoothOrder,
                                  Fill(TRAZEL_TR("PeaksCommand", "un entero de %1 a %2"),
                                       {"0", std::to_string(kMaxSmoothOrder)}));
    }
    if (options.Has("--smooth")) {
        const int window =
            WholeArg(options, "--smooth", kMinSmoothWindow, kMaxSmoothWindow,
                     Fill(TRAZEL_TR("PeaksCommand", "un número impar de puntos de %1 a %2"),
                          {std::to_string(kMinSmoothWindow), std::to_string(kMaxSmoothWindow)}));
        if (window % 2 == 0) {
            throw UsageError(Fill(
                TRAZEL_TR("PeaksCommand", "--smooth debe ser un número impar de puntos, no «%1»"),
                {*options.Value("--smooth")}));
        }
        if (window <= settings.order) {
            throw UsageError(
                Fill(TRAZEL_TR("PeaksCommand",
                               "--smooth debe tener más puntos que el orden del suavizado (%1)"),
                     {std::to_string(settings.order)}));
        }
        settings.window = window;
    }
    if (const auto text = options.Value("--min-prominence")) {
        // A percentage of the data's range, with or without its sign.
        std::string number = *text;
        if (!number.empty() && number.back() == '%') {
            number.pop_back();
        }
        const double percent = ParseNumberArg(number, "--min-prominence");
        if (!(percent >= 0.0 && percent <= 100.0)) {
            throw UsageError(
                Fill(TRAZEL_TR("PeaksCommand",
                               "--min-prominence debe ser un porcentaje de 0 a 100, no «%1»"),
                     {*text}));
        }
        settings.minProminence = percent / 100.0;
    }
    if (options.Has("--distance")) {
        const double distance = options.RequiredNumber("--distance");
        if (!(distance >= 0.0) || !std::isfinite(distance)) {
            throw UsageError(
                Fill(TRAZEL_TR("PeaksCommand",
                               "--distance debe ser un número de 0 en adelante, no «%1»"),
                     {*options.Value("--distance")}));
        }
        settings.minDistance = distance;
    }
    settings.shoulders = options.Has("--shoulders");
    if (options.Has("--max")) {
        settings.maxBands = WholeArg(options, "--max", 1, model::kMaxPeakSlots - 1,
                                     Fill(TRAZEL_TR("PeaksCommand", "un entero de %1 a %2"),
                                          {"1", std::to_string(model::kMaxPeakSlots - 1)}));
    }
    return settings;
}

// What the search took, the values it worked out included, for the user to
// see and to change. The "#" line above the table on standard output is read
// by scripts and keeps these words in every language; the message on
// standard error is translated.
std::string UsedText(const PeakSearchResult& r, bool translated) {
    const auto words = [translated](const char* source) {
        return translated ? Translate("PeaksCommand", source) : std::string(source);
    };
    const std::string count = std::to_string(r.bands.size());
    return Fill(words(r.bands.size() == 1 ? TRAZEL_TR_NOOP("PeaksCommand", "%1 banda")
                                          : TRAZEL_TR_NOOP("PeaksCommand", "%1 bandas")),
                {count}) +
           Fill(words(TRAZEL_TR_NOOP("PeaksCommand",
                                     " entre %1 y %2 (%3 puntos); suavizado: ventana de %4 "
                                     "puntos, orden %5; prominencia mínima %6 % (%7); "
                                     "separación mínima %8")),
                {FormatG(r.xMin), FormatG(r.xMax), std::to_string(r.points),
                 std::to_string(r.used.window.value_or(0)), std::to_string(r.used.order),
                 FormatG(r.used.minProminence * 100.0), FormatG(r.prominenceFloor),
                 FormatG(r.used.minDistance.value_or(0.0))}) +
           (r.used.shoulders ? words(TRAZEL_TR_NOOP("PeaksCommand", "; con hombros")) : "") + ".\n";
}

// Whether the used y inside [lo, hi], their range and the sum of their
// squares about their mean are finite numbers, as the fit asks of its data:
// infinite heights would pass every later test.
bool SumsAreFinite(const MeasuredData& measured, double lo, double hi) {
    const std::span<const double> x = measured.X();
    double sum = 0.0;
    std::size_t count = 0;
    double low = HUGE_VAL;
    double high = -HUGE_VAL;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (x[i] >= lo && x[i] <= hi) {
            const double v = measured.UsedY(i);
            sum += v;
            low = std::min(low, v);
            high = std::max(high, v);
            ++count;
        }
    }
    if (count == 0) {
        return true;
    }
    const double mean = sum / static_cast<double>(count);
    double total = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (x[i] >= lo && x[i] <= hi) {
            total += (measured.UsedY(i) - mean) * (measured.UsedY(i) - mean);
        }
    }
    return std::isfinite(total) && std::isfinite(high - low);
}

}  // namespace

int RunPeaks(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedOptions options(args, PeaksOptions());
    const std::string& inPath = options.OnlyPositional(TRAZEL_TR("Cli", "el espectro medido"));
    const input::SpectrumTransform change = TransformFrom(options);
    double factor = 1.0;
    if (options.Has("--yfactor")) {
        factor = options.RequiredNumber("--yfactor");
        if (factor == 0.0 || !std::isfinite(factor)) {
            throw UsageError(
                TRAZEL_TR("PeaksCommand", "--yfactor debe ser un número distinto de 0"));
        }
    }
    const auto [xMin, xMax] = XLimitsFrom(options);
    const PeakSearchSettings settings = SettingsFrom(options);
    std::optional<std::string> outPath;
    if (const auto o = options.Value("-o")) {
        if (o->empty()) {
            throw UsageError(TRAZEL_TR("PeaksCommand", "falta el documento de salida de -o"));
        }
        outPath = OutputTarget(*o);
        CheckOutputIsNoInput(*outPath, {{InputKind::MeasuredSpectrum, inPath}});
    }
    // The written document holds the bands beside a table of its own, to
    // print on standard error when the document goes to standard output.
    std::ostream& tableOut = outPath && NamesStandardOutput(*outPath) ? err : out;

    // The spectrum goes into a new document as the window overlays it, and
    // is searched as the window searches it.
    input::MeasuredSpectrum points =
        ReadSpectrumToKeep(inPath, options.Value(kSpectrumOption), change, "peaks", err);
    NoteTransmittance(options.Has("--y"), change, points.header, points.y, "peaks", err);
    document::CTrazelDoc document;
    document.OnNewDocument();
    const input::MeasuredOptions chosen = ChosenSpectrum(points, options.Value(kSpectrumOption));
    document.SetMeasured(MeasuredFrom(std::move(points), inPath, chosen));
    MeasuredTransform transform = MeasuredTransformOf(change);
    transform.yFactor = factor;
    document.SetMeasuredTransform(transform);
    CheckSubtractedBaseline(document.GetAnalysis());
    FitSettings range;
    range.xMin = xMin;
    range.xMax = xMax;
    const auto [lo, hi] = FitRangeFor(range, document.GetAnalysis().measured->X());
    if (!SumsAreFinite(*document.GetAnalysis().measured, lo, hi)) {
        // The words of fit, which refuses the same data.
        err << "trazel-cli peaks: "
            << (factor != 1.0
                    ? Fill(TRAZEL_TR("BandFit",
                                     "La suma de cuadrados de los valores de y medidos, por el "
                                     "factor de y (%1), no es un número finito: son demasiado "
                                     "grandes. Redúzcalos con el factor de y."),
                           {FormatG(factor, 6)})
                    : TRAZEL_TR("BandFit",
                                "La suma de cuadrados de los valores de y medidos no es un número "
                                "finito: son demasiado grandes. Redúzcalos con el factor de y."))
            << TRAZEL_TR("PeaksCommand", " No se ha escrito nada.\n");
        return kExitNothingFound;
    }
    const PeakSearchResult found = FindBands(document.GetAnalysis(), lo, hi, settings);
    if (found.bands.empty()) {
        // With too few points nothing was searched, and there is nothing
        // the search took to tell.
        if (found.points >= 5) {
            err << "trazel-cli peaks: " << UsedText(found, true);
        }
        err << "trazel-cli peaks: "
            << Fill(found.points < 5
                        ? TRAZEL_TR("PeaksCommand",
                                    "no se encontró ninguna banda en %1: hay menos de cinco "
                                    "puntos en el intervalo de x. No se ha escrito nada.\n")
                        : TRAZEL_TR("PeaksCommand",
                                    "no se encontró ninguna banda en %1 con esas opciones; pruebe "
                                    "con una prominencia mínima menor (--min-prominence). No se "
                                    "ha escrito nada.\n"),
                    {QuoteFileName(inPath)});
        return kExitNothingFound;
    }
    if (outPath) {
        document.PutFoundBands(found.bands, settings, true);
        SaveDocumentOrThrow(*outPath, document);
    }
    // The options first, as a comment line that tables read past.
    std::string text =
        "# " + UsedText(found, false) + "posición\tintensidad\tanchura\tprominencia\tclase\n";
    for (const FoundBand& band : found.bands) {
        text += FormatG(band.position, 9) + '\t' + FormatG(band.intensity, 9) + '\t' +
                FormatG(band.width, 9) + '\t' + FormatG(band.prominence, 9) + '\t' +
                (band.shoulder ? "hombro" : "máximo") + '\n';
    }
    tableOut << text;
    return kExitOk;
}

}  // namespace trazel::cli
