#include "cli/compare_command.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "analysis/fit_export.h"
#include "analysis/spectrum_comparison.h"
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

namespace trazel::cli {

namespace {

const OptionSpec kCompareOptions{
    {"--measured", "--xmin", "--xmax", "--y", "--x", "--laser", "--subtract-als", "--yfactor",
     "--baseline", "--report", "--assignments", "-o", kSpectrumOption},
    {"--shift", "--fixed-width", "--fixed-share", "--lorentzian"}};

bool EndsWith(const std::string& text, const std::string& ending) {
    if (text.size() < ending.size()) {
        return false;
    }
    std::string tail = text.substr(text.size() - ending.size());
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ending;
}

}  // namespace

int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedOptions options(args, kCompareOptions);
    const std::string& docPath = options.OnlyPositional(TRAZEL_TR("Cli", "el documento"));
    const auto measuredPath = options.Value("--measured");
    const auto spectrum = options.Value(kSpectrumOption);
    if (!measuredPath && spectrum) {
        throw UsageError(TRAZEL_TR("CompareCommand",
                                   "--spectrum elige un espectro del archivo de --measured, que "
                                   "falta"));
    }
    if (options.Has("--yfactor") && options.RequiredNumber("--yfactor") == 0.0) {
        throw UsageError(TRAZEL_TR("Cli", "--yfactor debe ser distinto de 0"));
    }
    analysis::ComparisonSettings settings;
    const XLimits limits = XLimitsFrom(options);
    settings.xMin = limits.min;
    settings.xMax = limits.max;
    settings.shift = options.Has("--shift");
    settings.width = !options.Has("--fixed-width");
    settings.share = !options.Has("--fixed-share");
    settings.baseline = BaselineFrom(options.Value("--baseline").value_or("none"));
    const std::int32_t lineShape =
        options.Has("--lorentzian") ? model::Lorentzian : model::Gaussian;
    const input::SpectrumTransform change = TransformFrom(options);
    const bool changeGiven =
        std::any_of(kTransformOptionNames.begin(), kTransformOptionNames.end(),
                    [&](const std::string& name) { return options.Has(name); });

    // Every file written is named, is none of the inputs and none of the others.
    std::vector<CommandInput> inputs = {{InputKind::Document, docPath}};
    if (measuredPath) {
        inputs.push_back({InputKind::MeasuredSpectrum, *measuredPath});
    }
    std::vector<std::string> outputs;
    const auto output = [&](const char* option, std::initializer_list<const char*> endings,
                            const char* wanted) -> std::optional<std::string> {
        const auto value = options.Value(option);
        if (!value) {
            return std::nullopt;
        }
        if (value->empty() || NamesStandardOutput(OutputTarget(*value))) {
            throw UsageError(
                Fill(TRAZEL_TR("CompareCommand", "%1 escribe en un archivo con nombre, no en «%2»"),
                     {option, *value}));
        }
        if (std::none_of(endings.begin(), endings.end(),
                         [&](const char* ending) { return EndsWith(*value, ending); })) {
            throw UsageError(
                Fill(TRAZEL_TR("CompareCommand", "el archivo de %1 debe terminar en %2, no «%3»"),
                     {option, wanted, *value}));
        }
        // The document may replace its input, as fit's does: it has been read whole.
        if (std::string(option) != "-o") {
            CheckOutputIsNoInput(*value, inputs);
        } else {
            CheckOutputIsNoInput(*value,
                                 std::vector<CommandInput>(inputs.begin() + 1, inputs.end()));
        }
        for (const std::string& other : outputs) {
            if (SameOutput(*value, other)) {
                throw UsageError(Fill(
                    TRAZEL_TR("CompareCommand", "«%1» se pide dos veces como archivo de salida"),
                    {*value}));
            }
        }
        outputs.push_back(*value);
        return value;
    };
    const auto outPath = output("-o", {".trz"}, ".trz");
    const auto reportPath = output("--report", {".txt", ".csv"}, ".txt o .csv");
    const auto assignmentsPath = output("--assignments", {".csv"}, ".csv");

    document::CTrazelDoc document;
    OpenDocumentOrThrow(docPath, document, err);
    if (measuredPath) {
        input::MeasuredSpectrum points =
            ReadSpectrumToKeep(*measuredPath, spectrum, change, "compare", err);
        NoteTransmittance(options.Has("--y"), change, points.header, points.y, "compare", err);
        const input::MeasuredOptions chosen = ChosenSpectrum(points, spectrum);
        document.SetMeasured(analysis::MeasuredFrom(std::move(points), *measuredPath, chosen));
        analysis::MeasuredTransform transform = analysis::MeasuredTransformOf(change);
        transform.yFactor = options.Has("--yfactor") ? options.RequiredNumber("--yfactor") : 1.0;
        document.SetMeasuredTransform(transform);
    } else {
        UseStoredSpectrum(document, docPath, options, changeGiven ? &change : nullptr, "compare",
                          err);
    }
    CheckSubtractedBaseline(document.GetAnalysis());

    analysis::ComparisonRecord record = analysis::CompareWithMeasured(
        document.GetAnalysis(), document.Table(), lineShape, settings);
    if (!record.result.Ok()) {
        err << "trazel-cli compare: "
            << Fill(TRAZEL_TR("CompareCommand", "no hay comparación: %1."), {record.result.failure})
            << TRAZEL_TR("CompareCommand", " No se ha escrito nada.\n");
        return kExitFitFailed;
    }
    err << "trazel-cli compare: " << fit::AgreementText(record.result) << "\n";

    // Every file to its temporary first, and all take their places together.
    std::vector<PendingFile> written;
    std::string reportBytes;
    if (reportPath) {
        reportBytes = EndsWith(*reportPath, ".txt") ? analysis::ComparisonReportText(record)
                                                    : analysis::ComparisonReportCsv(record);
        written.push_back({*reportPath, BytesWriter(reportBytes)});
    }
    std::string assignmentBytes;
    if (assignmentsPath) {
        assignmentBytes = analysis::AssignmentCsv(record);
        written.push_back({*assignmentsPath, BytesWriter(assignmentBytes)});
    }
    const std::string text =
        analysis::ComparisonResultText(record) + "\n" + analysis::AssignmentText(record);
    std::string documentBytes;
    if (outPath) {
        document.ApplyComparison(std::move(record));
        documentBytes = DocumentBytesOrThrow(*outPath, document);
        written.push_back({*outPath, BytesWriter(documentBytes)});
    }
    if (const Status failed = ReplaceFilesTogether(written); !failed.ok()) {
        throw FileError(failed.message());
    }
    out << text;
    return kExitOk;
}

}  // namespace trazel::cli
