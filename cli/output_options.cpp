#include "cli/output_options.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <limits>
#include <string_view>

#include "document/trazel_doc.h"
#include "platform/number_format.h"
#include "platform/translation.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace trazel::cli {

const OptionSpec kExportOptions = {{"--xmin", "--xmax", "--resolution", "-o"},
                                   {"--lorentzian", "--scaled", "--point"}};
const OptionSpec kPlotOptions = {{"--xmin", "--xmax", "--ymin", "--ymax", "-o"},
                                 {"--lorentzian", "--scaled", "--join"}};
const OptionSpec kPrintOptions = {
    {"--xmin", "--xmax", "--ymin", "--ymax", "--resolution", "--title", "-o"},
    {"--lorentzian", "--scaled", "--join"}};

namespace {

std::int32_t ResolutionFrom(const ParsedOptions& options, std::int32_t upperBound) {
    const auto text = options.Value("--resolution");
    if (!text) {
        return ExportSettings{}.resolution;
    }
    const int resolution = ParseIntArg(*text, "--resolution");
    // The same rule that guards the window's export, so that the two never
    // disagree on what counts as a resolution.
    if (!CheckExportResolution(resolution).ok()) {
        throw UsageError(
            Fill(TRAZEL_TR("OutputOptions",
                           "--resolution debe ser un número entero mayor que 0, no «%1»"),
                 {*text}));
    }
    if (resolution > upperBound) {
        throw UsageError(Fill(TRAZEL_TR("OutputOptions",
                                        "--resolution admite como mucho %1 muestras por curva en "
                                        "el informe, no %2"),
                              {std::to_string(upperBound), *text}));
    }
    return resolution;
}

// The graph and the report are shown only for an x range that is not empty:
// the window's "Representar" refuses it silently, here the user hears why.
void FillCurveSettings(const ParsedOptions& options, CurveSettings& settings) {
    settings.xMin = options.RequiredNumber("--xmin");
    settings.xMax = options.RequiredNumber("--xmax");
    settings.yMin = options.RequiredNumber("--ymin");
    settings.yMax = options.RequiredNumber("--ymax");
    if (IsZeroRange(settings.xMin, settings.xMax)) {
        throw UsageError(Fill(TRAZEL_TR("OutputOptions",
                                        "--xmin y --xmax valen lo mismo (%1): no queda intervalo "
                                        "que dibujar"),
                              {FormatG(settings.xMin)}));
    }
    settings.lineShape = options.Has("--lorentzian") ? Lorentzian : Gaussian;
    settings.useScaled = options.Has("--scaled");
    settings.joinPoints = options.Has("--join");
}

std::string OutputPath(const ParsedOptions& options) {
    const auto value = options.Value("-o");
    if (!value || value->empty()) {
        throw UsageError(TRAZEL_TR("Cli", "falta -o con el archivo de salida"));
    }
    return OutputTarget(*value);
}

}  // namespace

ExportSettings ExportSettingsFrom(const ParsedOptions& options) {
    ExportSettings settings;
    settings.curve.xMin = options.RequiredNumber("--xmin");
    settings.curve.xMax = options.RequiredNumber("--xmax");
    settings.resolution = ResolutionFrom(options, std::numeric_limits<std::int32_t>::max());
    settings.curve.lineShape = options.Has("--lorentzian") ? Lorentzian : Gaussian;
    settings.curve.useScaled = options.Has("--scaled");
    settings.decimalComma = !options.Has("--point");
    return settings;
}

std::optional<PictureFormat> PictureFormatFor(const std::string& path) {
    const auto endsWith = [&path](std::string_view ending) {
        return path.size() >= ending.size() &&
               std::equal(
                   ending.begin(), ending.end(), path.end() - ending.size(),
                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
    };
    if (endsWith(".png")) {
        return PictureFormat::Png;
    }
    if (endsWith(".svg")) {
        return PictureFormat::Svg;
    }
    return std::nullopt;
}

PlotRequest ParsePlotRequest(const std::vector<std::string>& args) {
    const ParsedOptions options(args, kPlotOptions);
    PlotRequest request;
    request.docPath = options.OnlyPositional(TRAZEL_TR("Cli", "el documento"));
    FillCurveSettings(options, request.settings.curve);
    request.outPath = OutputPath(options);
    const auto format = PictureFormatFor(request.outPath);
    if (!format) {
        // Standard output ("-") has no name to tell the format by.
        throw UsageError(Fill(
            TRAZEL_TR("OutputOptions", "el archivo de -o debe terminar en .png o en .svg, no «%1»"),
            {options.Value("-o").value_or("")}));
    }
    request.format = *format;
    CheckOutputIsNoInput(request.outPath, {{InputKind::Document, request.docPath}});
    return request;
}

PrintRequest ParsePrintRequest(const std::vector<std::string>& args) {
    const ParsedOptions options(args, kPrintOptions);
    PrintRequest request;
    request.docPath = options.OnlyPositional(TRAZEL_TR("Cli", "el documento"));
    FillCurveSettings(options, request.settings.curve);
    request.settings.resolution = ResolutionFrom(options, kMaxPrintResolution);
    request.settings.graphShown = true;
    request.outPath = OutputPath(options);
    request.title = options.Value("--title").value_or(DefaultPrintTitle(request.docPath));
    CheckOutputIsNoInput(request.outPath, {{InputKind::Document, request.docPath}});
    return request;
}

std::string DefaultPrintTitle(const std::string& path) {
    document::CTrazelDoc doc;
    doc.SetPathName(path);
    return PrintTitleFromCaption(doc.GetTitle() + " - Trazel");
}

namespace {

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

}  // namespace

void CheckOutputIsNoInput(const std::string& outPath, const std::vector<CommandInput>& inputs) {
    for (const CommandInput& input : inputs) {
        if (!SameFile(input.path, outPath)) {
            continue;
        }
        switch (input.kind) {
            case InputKind::Document:
                throw UsageError(Fill(TRAZEL_TR("OutputOptions",
                                                "el archivo de salida «%1» es el propio "
                                                "documento: se perderían sus máximos"),
                                      {outPath}));
            case InputKind::MeasuredSpectrum:
                throw UsageError(Fill(TRAZEL_TR("OutputOptions",
                                                "el archivo de salida «%1» es el propio espectro "
                                                "medido: se perdería"),
                                      {outPath}));
            case InputKind::BandList:
                throw UsageError(Fill(TRAZEL_TR("OutputOptions",
                                                "el archivo de salida «%1» es la propia lista de "
                                                "bandas de --from: se perdería"),
                                      {outPath}));
        }
    }
}

}  // namespace trazel::cli
