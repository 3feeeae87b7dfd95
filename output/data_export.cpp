#include "output/data_export.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "output/band_sums.h"
#include "output/g14_text.h"
#include "output/screen_graph.h"
#include "output/worker_pool.h"
#include "platform/atomic_file.h"
#include "platform/translation.h"

using namespace trazel::platform;
using namespace trazel::model;

namespace trazel::output {

namespace {

// Two numbers, a space and CR LF.
constexpr std::size_t kLineRoom = 2 * kG14Room + 3;

// Writes one data line at out, which has kLineRoom bytes, and returns its end.
char* PutExportLine(char* out, double x, double y, bool decimalComma) {
    char* const start = out;
    out = PutG14(out, x);
    *out++ = ' ';
    out = PutG14(out, y);
    if (decimalComma) {
        std::replace(start, out, '.', ',');
    }
    *out++ = '\r';
    *out++ = '\n';
    return out;
}

// Lines are computed a chunk at a time and then handed to the sink one by one,
// so memory stays the same however many lines the file gets.
constexpr int kChunkLines = 16384;
// The share of a chunk that one thread takes at a time; small enough that a
// thread slowed by other work on the machine leaves the rest to the others.
constexpr int kPartLines = 512;
// Starting a thread costs about as much as computing a few hundred lines; an
// export of fewer lines than this is done on the calling thread alone.
constexpr int kLinesWorthThreads = 2048;

// The export's x: from xMin on, the step added to the running x, which thus
// carries its rounding from line to line, while x is not above xMax. Where x
// is so large that the step no longer changes it, the same line would follow
// forever: the lines end there instead.
class RunningX {
  public:
    explicit RunningX(const ExportSettings& settings)
        : x_(settings.curve.xMin),
          step_((settings.curve.xMax - settings.curve.xMin) / settings.resolution),
          xMax_(settings.curve.xMax) {}

    // Puts the next x values into xs, as many as fit; fewer, down to none,
    // once the lines are at their end.
    int Fill(std::span<double> xs) {
        int n = 0;
        while (!ended_ && n < static_cast<int>(xs.size())) {
            if (!(x_ <= xMax_)) {
                ended_ = true;
                break;
            }
            xs[static_cast<std::size_t>(n++)] = x_;
            const double next = x_ + step_;
            ended_ = !(next > x_);
            x_ = next;
        }
        return n;
    }

  private:
    double x_;
    const double step_;
    const double xMax_;
    bool ended_ = false;
};

// One chunk of lines: their x, their sums and their texts, one slot of
// kLineRoom bytes per line.
class LineChunk {
  public:
    // Room for up to capacity lines.
    explicit LineChunk(std::size_t capacity)
        : x_(capacity), y_(capacity), text_(capacity * kLineRoom), length_(capacity) {}

    std::span<double> X() { return x_; }

    // Sums and formats lines begin .. end-1 of the chunk.
    void Compute(const BandSums& sums, int begin, int end, bool decimalComma) {
        const auto first = static_cast<std::size_t>(begin);
        const auto count = static_cast<std::size_t>(end - begin);
        sums.Sums(std::span(x_).subspan(first, count), std::span(y_).subspan(first, count));
        for (std::size_t i = first; i < first + count; ++i) {
            char* const line = &text_[i * kLineRoom];
            length_[i] =
                static_cast<std::uint8_t>(PutExportLine(line, x_[i], y_[i], decimalComma) - line);
        }
    }

    std::string_view Line(int i) const {
        const auto index = static_cast<std::size_t>(i);
        return {&text_[index * kLineRoom], length_[index]};
    }

  private:
    std::vector<double> x_;
    std::vector<double> y_;
    std::vector<char> text_;
    std::vector<std::uint8_t> length_;
};

int Parts(int lines) {
    return (lines + kPartLines - 1) / kPartLines;
}

// The lines go out in order, each after its step of the progress bar, and the
// first one the sink refuses is the last one offered. A stop asked for ends
// the lines before the next one.
ExportEnd EmitLines(ByteSink& sink, const LineChunk& chunk, int lines, ProgressControl* progress,
                    const std::stop_token& stop, std::int64_t& written) {
    for (int i = 0; i < lines; ++i) {
        if (stop.stop_requested()) {
            return ExportEnd::Stopped;
        }
        if (progress) {
            progress->StepIt();
        }
        if (!sink.Write(chunk.Line(i))) {
            return ExportEnd::WriteFailed;
        }
        ++written;
    }
    return ExportEnd::Finished;
}

}  // namespace

Status CheckExportResolution(std::int32_t resolution) {
    if (resolution < 1) {
        return Status::Failure(
            Fill(TRAZEL_TR("DataExport",
                           "La resolución es %1: debe ser un número entero mayor que 0. "
                           "Cámbiela en el formato de salida antes de exportar."),
                 {std::to_string(resolution)}));
    }
    return {};
}

std::string ExportStoppedMessage(std::int64_t lines, const std::string& path) {
    const std::string pattern =
        lines == 1 ? TRAZEL_TR("DataExport",
                               "Se detuvo la exportación. El archivo %1 queda incompleto: "
                               "tiene %2 línea de datos.")
                   : TRAZEL_TR("DataExport",
                               "Se detuvo la exportación. El archivo %1 queda incompleto: "
                               "tiene %2 líneas de datos.");
    return Fill(pattern, {QuoteFileName(path), std::to_string(lines)});
}

std::string FormatExportLine(double x, double y, bool decimalComma) {
    char line[kLineRoom];
    return std::string(line, PutExportLine(line, x, y, decimalComma));
}

void WriteExportHeader(ByteSink& sink) {
    sink.Write(kExportHeader);
}

ExportLinesResult WriteExportLines(ByteSink& sink, const PeakTable& table,
                                   const ExportSettings& settings, ProgressControl* progress,
                                   std::stop_token stop) {
    ExportLinesResult result;
    if (settings.resolution < 1) {
        return result;
    }
    if (progress) {
        progress->SetRange32(0, settings.resolution);
        progress->SetPos(0);
        progress->SetStep(1);
    }
    const bool decimalComma = settings.decimalComma;
    const BandSums sums(table, settings.curve.lineShape, settings.curve.useScaled);
    RunningX running(settings);
    // The usual few hundred lines take no more room than they need: x min
    // and x max both have a line, so a grid has one more than its resolution.
    const auto room = static_cast<std::size_t>(
        std::min<std::int64_t>(kChunkLines, std::int64_t{settings.resolution} + 1));
    LineChunk chunk(room);
    const auto emit = [&](const LineChunk& lines, int count) {
        result.end = EmitLines(sink, lines, count, progress, stop, result.lines);
        return result.end == ExportEnd::Finished;
    };

    if (settings.resolution < kLinesWorthThreads || WorkerPool::ExtraThreadsForThisMachine() == 0) {
        bool more = true;
        for (int lines = running.Fill(chunk.X()); lines > 0 && more;
             lines = running.Fill(chunk.X())) {
            chunk.Compute(sums, 0, lines, decimalComma);
            more = emit(chunk, lines);
        }
    } else {
        // While one chunk goes out on this thread, the others compute the
        // next; this thread joins them once its lines are out.
        LineChunk next(room);
        int nextLines = 0;
        const std::function<void(int)> computeNext = [&](int part) {
            next.Compute(sums, part * kPartLines, std::min(nextLines, (part + 1) * kPartLines),
                         decimalComma);
        };
        // Declared last, so that it is gone before what its threads use.
        WorkerPool pool(WorkerPool::ExtraThreadsForThisMachine());
        nextLines = running.Fill(next.X());
        pool.Run(Parts(nextLines), computeNext);
        bool more = true;
        while (nextLines > 0 && more) {
            std::swap(chunk, next);
            const int lines = nextLines;
            nextLines = running.Fill(next.X());
            pool.Start(Parts(nextLines), computeNext);
            more = emit(chunk, lines);
            pool.Finish();
        }
    }
    if (progress) {
        progress->SetPos(0);
    }
    return result;
}

Status ExportFile::Open(const WriteTarget& target) {
    if (!file_.Open(target).ok()) {
        return Status::Failure(
            target.shown.empty() ? Translate("DataExport", kExportOpenFailed)
                                 : Fill(TRAZEL_TR("DataExport", "No se pudo abrir el archivo %1."),
                                        {QuoteFileName(target.shown)}));
    }
    return {};
}

void ExportFile::WriteHeader() {
    WriteExportHeader(file_);
}

ExportLinesResult ExportFile::WriteLines(const PeakTable& table, const ExportSettings& settings,
                                         ProgressControl* progress, std::stop_token stop) {
    ExportLinesResult result = WriteExportLines(file_, table, settings, progress, std::move(stop));
    if (file_.Failed()) {
        result.end = ExportEnd::WriteFailed;
    }
    return result;
}

Status ExportFile::Close() {
    return file_.Close();
}

Status ExportToFile(const WriteTarget& target, const PeakTable& table,
                    const ExportSettings& settings, ProgressControl* progress) {
    if (Status refused = CheckExportResolution(settings.resolution); !refused.ok()) {
        return refused;
    }
    ExportFile file;
    if (Status failed = file.Open(target); !failed.ok()) {
        return failed;
    }
    file.WriteHeader();
    if (!IsZeroRange(settings.curve.xMin, settings.curve.xMax)) {
        file.WriteLines(table, settings, progress);
    }
    return file.Close();
}

}  // namespace trazel::output
