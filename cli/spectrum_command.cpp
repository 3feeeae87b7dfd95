#include "cli/spectrum_command.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "cli/cli.h"
#include "cli/cli_support.h"
#include "cli/measured_options.h"
#include "cli/output_options.h"
#include "output/spectrum_file.h"
#include "platform/atomic_file.h"
#include "platform/number_format.h"
#include "platform/translation.h"

using namespace trazel::platform;
using namespace trazel::output;

namespace trazel::cli {

namespace {

OptionSpec SpectrumOptions() {
    OptionSpec options{.valued = {"--xmin", "--xmax", "-o", kSpectrumOption},
                       .switches = {"--comma", "--list"}};
    options.valued.insert(options.valued.end(), kTransformOptionNames.begin(),
                          kTransformOptionNames.end());
    return options;
}

// The points within the limits given, in their order.
void KeepRange(input::TransformedSpectrum& spectrum, std::optional<double> xMin,
               std::optional<double> xMax) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < spectrum.x.size(); ++i) {
        const double x = spectrum.x[i];
        if ((!xMin || x >= *xMin) && (!xMax || x <= *xMax)) {
            spectrum.x[kept] = x;
            spectrum.y[kept] = spectrum.y[i];
            ++kept;
        }
    }
    spectrum.x.resize(kept);
    spectrum.y.resize(kept);
}

// A field of the list: tabs and line ends would break its columns.
std::string Field(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text.empty() ? std::string("-") : text;
}

// The spectra of the file, for scripts: the same bytes in every language,
// numbers as printed back in the fewest digits.
void PrintList(const std::string& inPath, std::ostream& out) {
    const auto list = input::ListMeasuredSpectra(inPath);
    if (!list.Ok()) {
        throw FileError(list.Message());
    }
    std::string text = "# n\tname\tkind\tpoints\tx first\tx last\tx units\ty units\n";
    int n = 0;
    for (const input::SpectrumSummary& s : list.Value()) {
        text += std::to_string(++n) + '\t' + Field(s.name) + '\t' + Field(s.kind) + '\t' +
                std::to_string(s.points) + '\t' + ShortestText(s.xFirst) + '\t' +
                ShortestText(s.xLast) + '\t' + Field(s.xUnits) + '\t' + Field(s.yUnits) + '\n';
    }
    out << text;
}

}  // namespace

int RunSpectrum(const std::vector<std::string>& args, std::ostream& stdOut, std::ostream& err) {
    const ParsedOptions options(args, SpectrumOptions());
    const std::string& inPath = options.OnlyPositional(TRAZEL_TR("Cli", "el espectro medido"));
    if (options.Has("--list")) {
        for (const std::string& other : SpectrumOptions().valued) {
            if (options.Has(other)) {
                throw UsageError(
                    Fill(TRAZEL_TR("SpectrumCommand", "--list no se combina con %1"), {other}));
            }
        }
        PrintList(inPath, stdOut);
        return kExitOk;
    }
    const input::SpectrumTransform transform = TransformFrom(options);
    const auto [xMin, xMax] = XLimitsFrom(options);
    const auto out = options.Value("-o");
    if (!out || out->empty()) {
        throw UsageError(TRAZEL_TR("Cli", "falta -o con el archivo de salida"));
    }
    const auto format = SpectrumFormatFor(*out);
    if (!format) {
        throw UsageError(
            Fill(TRAZEL_TR("SpectrumCommand",
                           "el archivo de -o debe terminar en .txt, .csv o .jdx, no «%1»"),
                 {*out}));
    }
    const bool comma = options.Has("--comma");
    if (comma && *format == SpectrumFormat::Jcamp) {
        throw UsageError(
            TRAZEL_TR("SpectrumCommand",
                      "--comma no sirve con JCAMP-DX, cuyos números llevan punto decimal"));
    }
    const std::string outPath = OutputTarget(*out);
    CheckOutputIsNoInput(outPath, {{InputKind::MeasuredSpectrum, inPath}});

    input::TransformedSpectrum spectrum =
        ReadTransformedSpectrum(inPath, options.Value(kSpectrumOption), transform, "spectrum", err);
    if (xMin || xMax) {
        KeepRange(spectrum, xMin, xMax);
        if (spectrum.x.size() < 2) {
            throw FileError(Fill(TRAZEL_TR("SpectrumCommand",
                                           "No se escribió nada: entre --xmin y --xmax quedan %1 "
                                           "puntos de %2, y hacen falta al menos dos."),
                                 {std::to_string(spectrum.x.size()), QuoteFileName(inPath)}));
        }
    }
    // Refused before anything is written: a file its own reader would refuse
    // is no copy of the spectrum.
    if (const std::string problem = SpectrumWriteProblem(
            spectrum.x, spectrum.y, {.format = *format, .decimalComma = comma});
        !problem.empty()) {
        throw FileError(Fill(TRAZEL_TR("SpectrumCommand", "No se escribió nada: %1."), {problem}));
    }
    if (spectrum.header.title.empty()) {
        spectrum.header.title = std::filesystem::path(inPath).filename().string();
    }
    const Status written = ReplaceFileWith(outPath, [&](const WriteTarget& target) {
        return WriteSpectrumFile(target, spectrum.x, spectrum.y, spectrum.header,
                                 {.format = *format,
                                  .decimalComma = comma,
                                  .origin = spectrum.origin,
                                  .owner = spectrum.owner,
                                  .change = TransformOptionsText(transform)});
    });
    if (!written.ok()) {
        throw FileError(written.message());
    }
    return kExitOk;
}

}  // namespace trazel::cli
