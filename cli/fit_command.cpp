#include "cli/fit_command.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <ostream>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_support.h"
#include "cli/document_commands.h"
#include "cli/measured_options.h"
#include "cli/output_options.h"
#include "fit/band_fit.h"
#include "fit/fit_report.h"
#include "input/measured_spectrum.h"
#include "model/document_file.h"
#include "platform/atomic_file.h"
#include "platform/number_format.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::fit;

namespace trazel::cli {

namespace {

const OptionSpec kFitOptions{{"--measured", "--xmin", "--xmax", "--bands", "--baseline",
                              "--yfactor", "--max-iterations", "-o", "--y", "--x", "--laser"},
                             {"--lorentzian", "--scaled"},
                             {"--hold"}};

Baseline BaselineFrom(const std::string& text) {
    if (text == "none") {
        return Baseline::None;
    }
    if (text == "constant") {
        return Baseline::Constant;
    }
    if (text == "linear") {
        return Baseline::Linear;
    }
    throw UsageError("--baseline espera none, constant o linear, no «" + text + "»");
}

// The rows of --bands as `show` numbers them, 1 for the newest band.
std::vector<int> RowsFrom(const std::string& text) {
    std::vector<int> rows;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ',');) {
        const int row = ParseIntArg(part, "--bands");
        if (row < 1) {
            throw UsageError("--bands numera las bandas desde 1, no «" + part + "»");
        }
        rows.push_back(row);
    }
    if (rows.empty() || text.back() == ',') {
        throw UsageError("--bands espera números separados por comas, no «" + text + "»");
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
        } else {
            throw UsageError("--hold espera position, intensity o width, no «" + hold + "»");
        }
    }
    return freedom;
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
        err_ << "\rtrazel-cli fit: iteración " << iteration << " de " << maxIterations_
             << ", suma de cuadrados " << FormatG(rss, 6) << "\x1b[K" << std::flush;
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
        throw UsageError("--max-iterations debe ser un número entero mayor que 0, no «" + text +
                         "»");
    }
    return value;
}

}  // namespace

int RunFit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const ParsedOptions options(args, kFitOptions);
    const std::string& docPath = options.OnlyPositional("el documento");
    const auto measuredPath = options.Value("--measured");
    if (!measuredPath) {
        throw UsageError("falta --measured con el espectro medido");
    }
    const auto outArg = options.Value("-o");
    if (!outArg || outArg->empty()) {
        throw UsageError("falta -o con el documento de salida");
    }
    const std::string outPath = OutputTarget(*outArg);
    // A document written to standard output leaves the table to standard
    // error, so that the bytes there are the document's alone.
    std::ostream& tableOut = NamesStandardOutput(outPath) ? err : out;

    FitProblem problem;
    problem.lineShape = options.Has("--lorentzian") ? Lorentzian : Gaussian;
    problem.useScaled = options.Has("--scaled");
    problem.baseline = BaselineFrom(options.Value("--baseline").value_or("none"));
    const Freedom named = HeldFrom(options.Values("--hold"));
    const std::vector<int> rows =
        options.Has("--bands") ? RowsFrom(*options.Value("--bands")) : std::vector<int>{};
    if (options.Has("--yfactor")) {
        problem.yFactor = options.RequiredNumber("--yfactor");
        if (problem.yFactor == 0.0) {
            throw UsageError("--yfactor debe ser distinto de 0");
        }
    }
    // A limit not given is the data's own.
    const bool hasMin = options.Has("--xmin");
    const bool hasMax = options.Has("--xmax");
    const double xMin = hasMin ? options.RequiredNumber("--xmin") : 0.0;
    const double xMax = hasMax ? options.RequiredNumber("--xmax") : 0.0;
    if (hasMin && hasMax && !(xMin < xMax)) {
        throw UsageError("--xmin debe ser menor que --xmax");
    }
    if (const auto limit = options.Value("--max-iterations")) {
        problem.maxIterations = MaxIterationsFrom(*limit);
    }
    const input::SpectrumTransform transform = TransformFrom(options);
    // The starting document may take the fitted one, as "Aplicar" does in the
    // window: it has been read whole, and only a fit that succeeded replaces
    // it. The measured spectrum is another kind of file.
    CheckOutputIsNoInput(outPath, {{InputKind::MeasuredSpectrum, *measuredPath}});

    problem.table = LoadDocumentOrThrow(docPath);
    const int bandCount = problem.table.PeakCount();
    for (const int row : rows) {
        if (row > bandCount) {
            throw UsageError("--bands: el documento tiene " + std::to_string(bandCount) +
                             " bandas y no hay banda " + std::to_string(row));
        }
    }
    for (int k = 1; k < problem.table.count; ++k) {
        const int row = problem.table.count - k;
        const bool listed = rows.empty() || std::find(rows.begin(), rows.end(), row) != rows.end();
        problem.freedom[static_cast<std::size_t>(k)] =
            listed ? named : Freedom{false, false, false};
    }

    input::TransformedSpectrum spectrum =
        ReadTransformedSpectrum(*measuredPath, transform, "fit", err);
    problem.x = std::move(spectrum.x);
    problem.y = std::move(spectrum.y);
    const auto [lowest, highest] = std::minmax_element(problem.x.begin(), problem.x.end());
    problem.xMin = hasMin ? xMin : *lowest;
    problem.xMax = hasMax ? xMax : *highest;

    FitResult result;
    {
        ProgressLine progress(err, problem.maxIterations);
        result = FitBands(problem, [&progress](int iteration, double rss) {
            return progress.Show(iteration, rss);
        });
    }
    if (!result.Ok()) {
        err << "trazel-cli fit: " << result.message << " No se ha escrito nada.\n";
        return kExitFitFailed;
    }
    if (const Status saved = SavePeakTableFile(outPath, result.table); !saved.ok()) {
        throw FileError(saved.message());
    }
    tableOut << FitResultText(result, problem.baseline);
    return kExitOk;
}

}  // namespace trazel::cli
