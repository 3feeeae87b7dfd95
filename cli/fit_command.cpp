#include "cli/fit_command.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <ostream>
#include <sstream>

#include "analysis/fit_export.h"
#include "cli/cli.h"
#include "cli/cli_support.h"
#include "cli/document_commands.h"
#include "cli/measured_options.h"
#include "cli/output_options.h"
#include "document/trazel_doc.h"
#include "fit/added_bands.h"
#include "fit/band_fit.h"
#include "fit/fit_report.h"
#include "input/measured_spectrum.h"
#include "model/document_file.h"
#include "platform/atomic_file.h"
#include "platform/file_errors.h"
#include "platform/number_format.h"
#include "platform/output_file.h"
#include "platform/translation.h"
#include "platform/version.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::fit;

namespace trazel::cli {

namespace {

const OptionSpec kFitOptions{
    {"--measured", "--xmin", "--xmax", "--bands", "--baseline", "--yfactor", "--max-iterations",
     "-o", "--y", "--x", "--laser", "--subtract-als", "--report", "--curves", "--step", "--shape",
     "--add-bands", kSpectrumOption},
    {"--lorentzian", "--scaled", "--allow-negative", "--strict"},
    {"--hold"}};

// What may follow a --region: the options of that region alone.
const OptionSpec kRegionOptions{
    {"--region", "--bands", "--baseline", "--max-iterations", "--shape", "--add-bands"},
    {"--allow-negative"},
    {"--hold"}};

bool StartsRegion(const std::string& arg) {
    return arg == "--region" || arg.rfind("--region=", 0) == 0;
}

// The rows of --bands as `show` numbers them, 1 for the newest band.
std::vector<int> RowsFrom(const std::string& text) {
    std::vector<int> rows;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ',');) {
        const int row = ParseIntArg(part, "--bands");
        if (row < 1) {
            throw UsageError(Fill(
                TRAZEL_TR("FitCommand", "--bands numera las bandas desde 1, no «%1»"), {part}));
        }
        rows.push_back(row);
    }
    if (rows.empty() || text.back() == ',') {
        throw UsageError(
            Fill(TRAZEL_TR("FitCommand", "--bands espera números separados por comas, no «%1»"),
                 {text}));
    }
    return rows;
}

Freedom HeldFrom(const std::vector<std::string>& holds) {
    Freedom freedom;
    for (const std::string& hold : holds) {
        if (hold == "position") {
            freedom.position = false;
        } else if (hold == "intensity") {
            freedom.intensity = false;
        } else if (hold == "width") {
            freedom.width = false;
        } else if (hold == "share") {
            freedom.share = false;
        } else {
            throw UsageError(
                Fill(TRAZEL_TR("FitCommand",
                               "--hold espera position, intensity, width o share, no «%1»"),
                     {hold}));
        }
    }
    return freedom;
}

// The shape of --shape, by the names the window's choice has in English.
model::BandShape FitShapeFrom(const std::string& text) {
    if (text == "gauss") {
        return model::BandShape::Gaussian;
    }
    if (text == "lorentz") {
        return model::BandShape::Lorentzian;
    }
    if (text == "pseudo-voigt") {
        return model::BandShape::PseudoVoigt;
    }
    if (text == "voigt") {
        return model::BandShape::Voigt;
    }
    throw UsageError(Fill(
        TRAZEL_TR("FitCommand", "--shape espera gauss, lorentz, pseudo-voigt o voigt, no «%1»"),
        {text}));
}

// Shows how a long fit goes on, on one line of the terminal that it rewrites
// after each iteration. Most fits are over within a second or two and show
// nothing; nor does a run whose standard error is a file or a pipe, where the
// lines would only pile up.
class ProgressLine {
  public:
    ProgressLine(std::ostream& err, int maxIterations)
        : err_(err),
          maxIterations_(maxIterations),
          // The program's own standard error, on a terminal: a test's stream
          // or a log file never is.
          watched_(&err == &std::cerr && ::isatty(STDERR_FILENO) == 1) {}
    ~ProgressLine() { Clear(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    bool Show(int iteration, double rss) {
        const auto now = Clock::now();
        if (!watched_ || now - start_ < kQuietFor || now - shown_ < kEvery) {
            return true;
        }
        shown_ = now;
        // "\x1b[K" clears what a longer line before left on the right.
        err_ << "\r"
             << Fill(TRAZEL_TR("FitCommand",
                               "trazel-cli fit: iteración %1 de %2, suma de cuadrados %3"),
                     {std::to_string(iteration), std::to_string(maxIterations_), FormatG(rss, 6)})
             << "\x1b[K" << std::flush;
        written_ = true;
        return true;
    }

  private:
    // Takes the line away before the table or a message is written.
    void Clear() {
        if (written_) {
            err_ << "\r\x1b[K" << std::flush;
            written_ = false;
        }
    }

    using Clock = std::chrono::steady_clock;
    static constexpr auto kQuietFor = std::chrono::seconds(2);
    static constexpr auto kEvery = std::chrono::milliseconds(200);

    std::ostream& err_;
    int maxIterations_;
    bool watched_;
    bool written_ = false;
    Clock::time_point start_ = Clock::now();
    Clock::time_point shown_{};
};

int MaxIterationsFrom(const std::string& text) {
    const int value = ParseIntArg(text, "--max-iterations");
    if (value < 1) {
        throw UsageError(
            Fill(TRAZEL_TR("FitCommand",
                           "--max-iterations debe ser un número entero mayor que 0, no «%1»"),
                 {text}));
    }
    return value;
}

int AddedBandsFrom(const std::string& text) {
    const int value = ParseIntArg(text, "--add-bands");
    if (value < 0 || value > kMaxPeaks) {
        throw UsageError(Fill(
            TRAZEL_TR("FitCommand", "--add-bands debe ser un número entero de 0 a %1, no «%2»"),
            {std::to_string(kMaxPeaks), text}));
    }
    return value;
}

// The files the fit writes besides the document: the report and the curves.
struct ResultFiles {
    std::optional<std::string> report;
    std::optional<std::string> curves;
    std::optional<double> step;
};

ResultFiles ResultFilesFrom(const ParsedOptions& options, const std::string& outPath,
                            const std::vector<CommandInput>& inputs) {
    ResultFiles files;
    std::vector<std::string> outputs = {outPath};
    const auto output = [&](const char* option) -> std::optional<std::string> {
        const auto value = options.Value(option);
        if (!value) {
            return std::nullopt;
        }
        // Standard output already takes the result table, or the document.
        if (value->empty() || NamesStandardOutput(OutputTarget(*value))) {
            throw UsageError(
                Fill(TRAZEL_TR("FitCommand", "%1 escribe en un archivo con nombre, no en «%2»"),
                     {option, *value}));
        }
        CheckOutputIsNoInput(*value, inputs);
        for (const std::string& other : outputs) {
            if (SameOutput(*value, other)) {
                throw UsageError(
                    Fill(TRAZEL_TR("FitCommand", "«%1» se pide dos veces como archivo de salida"),
                         {*value}));
            }
        }
        outputs.push_back(*value);
        return value;
    };
    files.report = output("--report");
    if (files.report && !analysis::ReportFormatFor(*files.report)) {
        throw UsageError(Fill(
            TRAZEL_TR("FitCommand", "el archivo de --report debe terminar en .txt o .csv, no «%1»"),
            {*files.report}));
    }
    files.curves = output("--curves");
    if (files.curves && analysis::ReportFormatFor(*files.curves) != analysis::ReportFormat::Csv) {
        throw UsageError(
            Fill(TRAZEL_TR("FitCommand", "el archivo de --curves debe terminar en .csv, no «%1»"),
                 {*files.curves}));
    }
    if (options.Has("--step")) {
        if (!files.curves) {
            throw UsageError(TRAZEL_TR("FitCommand", "--step da la malla de --curves, que falta"));
        }
        files.step = options.RequiredNumber("--step");
        if (!(*files.step > 0.0)) {
            throw UsageError(Fill(TRAZEL_TR("FitCommand", "--step debe ser mayor que 0, no «%1»"),
                                  {*options.Value("--step")}));
        }
    }
    return files;
}

// A region's range as --region gives it, "A:B" with A below B; none for
// "all".
std::optional<std::pair<double, double>> RegionRangeFrom(const std::string& text) {
    if (text == "all") {
        return std::nullopt;
    }
    const auto colon = text.find(':');
    const auto number = [&](const std::string& part) {
        const auto value = ParseDouble(part);
        if (!value || !std::isfinite(*value)) {
            throw UsageError(
                Fill(TRAZEL_TR("FitCommand", "--region espera A:B (dos números) o all, no «%1»"),
                     {text}));
        }
        return *value;
    };
    if (colon == std::string::npos) {
        number("");
    }
    const double a = number(text.substr(0, colon));
    const double b = number(text.substr(colon + 1));
    if (!(a < b)) {
        throw UsageError(Fill(TRAZEL_TR("FitCommand",
                                        "--region: el intervalo %1 está vacío; A debe ser menor "
                                        "que B"),
                              {text}));
    }
    return std::pair{a, b};
}

// The table indices of the bands held when only rows vary.
std::vector<int> HeldBesides(const document::CTrazelDoc& document, const std::vector<int>& rows) {
    const int bandCount = document.Table().PeakCount();
    std::vector<int> listed;
    for (const int row : rows) {
        if (row > bandCount) {
            throw UsageError(
                Fill(TRAZEL_TR("FitCommand", "--bands: el documento tiene %1 y no hay banda %2"),
                     {Counted(static_cast<std::size_t>(bandCount), "FitCommand",
                              TRAZEL_TR_NOOP("FitCommand", "%1 banda"),
                              TRAZEL_TR_NOOP("FitCommand", "%1 bandas")),
                      std::to_string(row)}));
        }
        listed.push_back(row - 1);
    }
    std::vector<int> held;
    const std::vector<int> free = document.IndicesFromRows(listed);
    for (int k = 1; k <= bandCount; ++k) {
        if (std::find(free.begin(), free.end(), k) == free.end()) {
            held.push_back(k);
        }
    }
    return held;
}

// The options of a region's fit given in options over settings: those not
// given keep what settings hold.
void TakeFitOptions(const ParsedOptions& options, analysis::FitSettings& settings,
                    const document::CTrazelDoc& document) {
    if (const auto baseline = options.Value("--baseline")) {
        settings.baseline = BaselineFrom(*baseline);
    }
    if (options.Has("--hold")) {
        settings.values = HeldFrom(options.Values("--hold"));
    }
    if (options.Has("--allow-negative")) {
        settings.allowNegative = true;
    }
    if (const auto shape = options.Value("--shape")) {
        settings.shape = FitShapeFrom(*shape);
    }
    if (const auto limit = options.Value("--max-iterations")) {
        settings.maxIterations = MaxIterationsFrom(*limit);
    }
    if (const auto bands = options.Value("--bands")) {
        settings.heldBands = HeldBesides(document, RowsFrom(*bands));
    }
}

// One fit the command makes: its settings (with the range) and the bands it
// may add.
struct FitJob {
    analysis::FitSettings settings;
    int addBands = 0;
};

}  // namespace

int RunFit(const std::vector<std::string>& allArgs, std::ostream& out, std::ostream& err) {
    // Each --region takes the options of a region's fit that follow it,
    // until the next; every other argument, wherever it stands, is the
    // command's, and the options of a region's fit given before the first
    // --region are every region's.
    std::vector<std::string> args;
    std::vector<std::vector<std::string>> regionArgs;
    const auto named = [](const std::vector<std::string>& list, const std::string& arg) {
        const std::string name = arg.substr(0, arg.find('='));
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    for (std::size_t i = 0; i < allArgs.size(); ++i) {
        const std::string& arg = allArgs[i];
        const bool valued = arg.find('=') == std::string::npos &&
                            (named(kFitOptions.valued, arg) || named(kFitOptions.repeated, arg) ||
                             arg == "--region");
        if (StartsRegion(arg)) {
            regionArgs.emplace_back();
        }
        const bool regions = !regionArgs.empty() && (named(kRegionOptions.valued, arg) ||
                                                     named(kRegionOptions.switches, arg) ||
                                                     named(kRegionOptions.repeated, arg));
        std::vector<std::string>& to = regions ? regionArgs.back() : args;
        to.push_back(arg);
        if (valued && i + 1 < allArgs.size()) {
            to.push_back(allArgs[++i]);
        }
    }
    std::vector<ParsedOptions> regionOptions;
    for (const std::vector<std::string>& one : regionArgs) {
        regionOptions.emplace_back(one, kRegionOptions);
    }
    const ParsedOptions options(args, kFitOptions);
    if (!regionOptions.empty() && (options.Has("--xmin") || options.Has("--xmax"))) {
        throw UsageError(
            TRAZEL_TR("FitCommand", "--xmin y --xmax no van con --region, que da el intervalo"));
    }
    const std::string& docPath = options.OnlyPositional(TRAZEL_TR("Cli", "el documento"));
    // Without --measured the fit uses the spectrum the document holds.
    const auto measuredPath = options.Value("--measured");
    const auto spectrum = options.Value(kSpectrumOption);
    if (!measuredPath && spectrum) {
        throw UsageError(TRAZEL_TR("FitCommand",
                                   "--spectrum elige un espectro del archivo de --measured, que "
                                   "falta"));
    }
    const auto outArg = options.Value("-o");
    if (!outArg || outArg->empty()) {
        throw UsageError(TRAZEL_TR("FitCommand", "falta -o con el documento de salida"));
    }
    const std::string outPath = OutputTarget(*outArg);
    // A document written to standard output leaves the table to standard
    // error, so that the bytes there are the document's alone.
    std::ostream& tableOut = NamesStandardOutput(outPath) ? err : out;

    const std::int32_t lineShape = options.Has("--lorentzian") ? Lorentzian : Gaussian;
    const bool useScaled = options.Has("--scaled");
    analysis::FitSettings settings;
    settings.baseline = BaselineFrom(options.Value("--baseline").value_or("none"));
    settings.values = HeldFrom(options.Values("--hold"));
    settings.allowNegative = options.Has("--allow-negative");
    if (const auto shape = options.Value("--shape")) {
        settings.shape = FitShapeFrom(*shape);
    }
    const std::vector<int> rows =
        options.Has("--bands") ? RowsFrom(*options.Value("--bands")) : std::vector<int>{};
    analysis::MeasuredTransform transform;
    if (options.Has("--yfactor")) {
        transform.yFactor = options.RequiredNumber("--yfactor");
        if (transform.yFactor == 0.0) {
            throw UsageError(TRAZEL_TR("Cli", "--yfactor debe ser distinto de 0"));
        }
    }
    // A limit not given is the data's own.
    const XLimits limits = XLimitsFrom(options);
    settings.xMin = limits.min;
    settings.xMax = limits.max;
    if (const auto limit = options.Value("--max-iterations")) {
        settings.maxIterations = MaxIterationsFrom(*limit);
    }
    const int addBands =
        options.Value("--add-bands") ? AddedBandsFrom(*options.Value("--add-bands")) : 0;
    const input::SpectrumTransform change = TransformFrom(options);
    const bool changeGiven =
        std::any_of(kTransformOptionNames.begin(), kTransformOptionNames.end(),
                    [&](const std::string& name) { return options.Has(name); });
    // The starting document may take the fitted one, as "Aplicar" does in the
    // window: it has been read whole, and only a fit that succeeded replaces
    // it. The measured spectrum is another kind of file.
    std::vector<CommandInput> measuredInput;
    if (measuredPath) {
        measuredInput.push_back({InputKind::MeasuredSpectrum, *measuredPath});
    }
    CheckOutputIsNoInput(outPath, measuredInput);
    // The report and the curves replace neither input.
    measuredInput.insert(measuredInput.begin(), {InputKind::Document, docPath});
    const ResultFiles files = ResultFilesFrom(options, outPath, measuredInput);

    // The document as the window holds it, posed and fitted through the
    // same operations.
    document::CTrazelDoc document;
    OpenDocumentOrThrow(docPath, document, err);
    if (!rows.empty()) {
        settings.heldBands = HeldBesides(document, rows);
    }

    // The document keeps the points as read and the whole transform, as the
    // window does, so that the fit and a later figure use the same data.
    if (measuredPath) {
        input::MeasuredSpectrum points =
            ReadSpectrumToKeep(*measuredPath, spectrum, change, "fit", err);
        NoteTransmittance(options.Has("--y"), change, points.header, points.y, "fit", err);
        const input::MeasuredOptions chosen = ChosenSpectrum(points, spectrum);
        document.SetMeasured(analysis::MeasuredFrom(std::move(points), *measuredPath, chosen));
        const double factor = transform.yFactor;
        transform = analysis::MeasuredTransformOf(change);
        transform.yFactor = factor;
        document.SetMeasuredTransform(transform);
    } else {
        UseStoredSpectrum(document, docPath, options, changeGiven ? &change : nullptr, "fit", err);
    }
    CheckSubtractedBaseline(document.GetAnalysis());

    // The fits to make: one over the range of --xmin and --xmax (the data's
    // without them), or each region named, in the order given.
    std::vector<FitJob> jobs;
    const std::vector<analysis::FitRegion>& stored = document.GetAnalysis().regions;
    for (const ParsedOptions& regionOption : regionOptions) {
        const auto range = RegionRangeFrom(*regionOption.Value("--region"));
        std::vector<analysis::FitSettings> chosen;
        if (!range) {
            if (stored.empty()) {
                throw UsageError(Fill(TRAZEL_TR("FitCommand",
                                                "--region all: %1 no guarda ninguna región de "
                                                "ajuste"),
                                      {QuoteFileName(docPath)}));
            }
            for (const analysis::FitRegion& region : stored) {
                chosen.push_back(region.settings);
            }
        } else {
            // A range over a stored region refits it with its settings.
            const auto over = analysis::RegionsOverlapping(stored, range->first, range->second);
            analysis::FitSettings start =
                over.size() == 1 ? stored[over.front()].settings : analysis::FitSettings{};
            start.xMin = range->first;
            start.xMax = range->second;
            chosen.push_back(start);
        }
        for (analysis::FitSettings& one : chosen) {
            TakeFitOptions(options, one, document);
            TakeFitOptions(regionOption, one, document);
            const auto added = regionOption.Value("--add-bands");
            jobs.push_back({one, added ? AddedBandsFrom(*added) : addBands});
        }
    }
    if (regionOptions.empty()) {
        jobs.push_back({settings, addBands});
    }
    // Every range is checked against the stored regions and the others
    // given before any is fitted.
    for (std::size_t j = 0; j < jobs.size(); ++j) {
        const auto [lo, hi] =
            analysis::FitRangeFor(jobs[j].settings, document.GetAnalysis().measured->X());
        if (const auto problem = analysis::RangeProblem(stored, lo, hi)) {
            throw UsageError(*problem);
        }
        for (std::size_t k = 0; k < j; ++k) {
            const auto [otherLo, otherHi] =
                analysis::FitRangeFor(jobs[k].settings, document.GetAnalysis().measured->X());
            if (lo < otherHi && otherLo < hi && !(lo == otherLo && hi == otherHi)) {
                throw UsageError(
                    Fill(TRAZEL_TR("FitCommand", "--region: %1:%2 se solapa con %3:%4"),
                         {FormatG(lo, 10), FormatG(hi, 10), FormatG(otherLo, 10),
                          FormatG(otherHi, 10)}));
            }
        }
    }

    std::string tables;
    for (const FitJob& job : jobs) {
        const FitProblem problem = document.PoseFit(job.settings, lineShape, useScaled);
        if (files.step &&
            (problem.xMax - problem.xMin) / *files.step + 1.0 > analysis::kMaxCurveRows) {
            throw UsageError(TRAZEL_TR(
                "FitCommand",
                "--step: con ese paso el intervalo del ajuste daría más de 10000000 filas"));
        }
        FitResult result;
        {
            ProgressLine progress(err, problem.maxIterations);
            const AddedBands fitted = FitAddingBands(
                problem, job.addBands,
                [&progress](int iteration, double rss) { return progress.Show(iteration, rss); });
            result = fitted.result;
            for (std::size_t k = 0; k < fitted.added.size(); ++k) {
                err << Fill(TRAZEL_TR("FitCommand",
                                      "trazel-cli fit: banda añadida en el residuo cerca de x = "
                                      "%1 (BIC de %2 a %3)\n"),
                            {FormatG(fitted.added[k], 6), FormatG(fitted.criteria[k], 6),
                             FormatG(fitted.criteria[k + 1], 6)});
            }
        }
        // Each region's lines are led by its range when there are several.
        const std::string lead =
            jobs.size() > 1 ? Fill(TRAZEL_TR("FitCommand", "trazel-cli fit: x de %1 a %2: "),
                                   {FormatG(problem.xMin, 10), FormatG(problem.xMax, 10)})
                            : std::string("trazel-cli fit: ");
        if (!result.Ok()) {
            err << lead << VerdictText(result)
                << TRAZEL_TR("FitCommand", " No se ha escrito nada.\n");
            return kExitFitFailed;
        }
        err << lead << VerdictText(result) << "\n" << lead << StatisticsText(result) << ".\n";
        if (options.Has("--strict") && (result.AtBounds() || result.residual.Fires() ||
                                        (!result.residual.Judged() && result.structured))) {
            err << TRAZEL_TR("FitCommand",
                             "trazel-cli fit: con --strict, un valor en el límite o un residuo "
                             "que no es ruido es un fallo. No se ha escrito nada.\n");
            return kExitFitFailed;
        }
        if (jobs.size() > 1) {
            tables += Fill(TRAZEL_TR("FitCommand", "# x de %1 a %2\n"),
                           {FormatG(problem.xMin, 10), FormatG(problem.xMax, 10)});
        }
        tables += FitResultText(result, problem.baseline);
        document.ApplyFit({.settings = job.settings,
                           .xMin = problem.xMin,
                           .xMax = problem.xMax,
                           .lineShape = lineShape,
                           .useScaled = useScaled,
                           .result = result});
    }
    // The spectrum, the settings, the result and the baseline go with the
    // fitted table, as the window saves them. The report and the curves are
    // made from the document's own record, as the window makes them. Every
    // file is written to its temporary first and all take their places
    // together: a report that cannot be written leaves the document, even
    // the input under -o, as it was.
    const std::string documentBytes = DocumentBytesOrThrow(outPath, document);
    const analysis::MeasuredData& measured = *document.GetAnalysis().measured;
    const std::vector<const analysis::FitRecord*> fits =
        analysis::RegionFits(document.GetAnalysis().regions);
    std::vector<PendingFile> written;
    std::string reportBytes;
    if (files.report) {
        const analysis::ReportOrigin origin{
            .document = DefaultPrintTitle(NamesStandardOutput(outPath) ? docPath : outPath),
            .date = TodayText(),
            .version = kTrazelVersion};
        reportBytes = analysis::ReportFormatFor(*files.report) == analysis::ReportFormat::Text
                          ? analysis::FitReportText(measured, fits, origin)
                          : analysis::FitReportCsv(measured, fits, origin);
        written.push_back({*files.report, BytesWriter(reportBytes)});
    }
    if (files.curves) {
        if (files.step) {
            for (const analysis::FitRecord* fit : fits) {
                if (const auto problem = analysis::CurveStepProblem(*fit, *files.step)) {
                    throw FileError(
                        FileFailure(FileOperation::Write, *files.curves, *problem).message());
                }
            }
        }
        written.push_back({*files.curves, [&](const WriteTarget& target) {
                               OutputFile file;
                               if (const Status opened = file.Open(target); !opened.ok()) {
                                   return opened;
                               }
                               analysis::WriteFitCurves(file, measured, fits, files.step);
                               return file.Close();
                           }});
    }
    // The document last: standard output, written where it stands, gets it
    // only once the files are written.
    written.push_back({outPath, BytesWriter(documentBytes)});
    if (const Status failed = ReplaceFilesTogether(written); !failed.ok()) {
        throw FileError(failed.message());
    }
    tableOut << tables;
    return kExitOk;
}

}  // namespace trazel::cli
