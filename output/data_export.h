#pragma once

#include <cstdint>
#include <stop_token>
#include <string>

#include "model/line_shapes.h"
#include "model/peak_table.h"
#include "output/curve_settings.h"
#include "platform/byte_sink.h"
#include "platform/output_file.h"
#include "platform/status.h"
#include "platform/translation.h"

namespace trazel::output {

// What the export reads besides the table: of the curve, the x limits, line
// shape and use-scaled flag taken from the form; and the output settings.
struct ExportSettings {
    CurveSettings curve;
    std::int32_t resolution = 250;
    bool decimalComma = true;
};

// The calls the export makes on the form's progress bar.
class ProgressControl {
  public:
    virtual ~ProgressControl() = default;
    virtual void SetRange32(int lower, int upper) = 0;
    virtual void SetPos(int position) = 0;
    virtual void SetStep(int step) = 0;
    virtual void StepIt() = 0;
};

inline constexpr char kExportHeader[] = "x y\r\n";
inline constexpr const char* kExportOpenFailed =
    TRAZEL_TR_NOOP("DataExport", "No se pudo abrir el archivo.");

// A resolution below 1 would never finish the line loop; it is refused before
// the file is touched.
platform::Status CheckExportResolution(std::int32_t resolution);

// Tells the user that the export was stopped, how many data lines the file
// kept and that it is incomplete.
std::string ExportStoppedMessage(std::int64_t lines, const std::string& path);

// One data line: "%.14g %.14g" of x and y with CR LF, every "." turned into
// "," under the decimal comma.
std::string FormatExportLine(double x, double y, bool decimalComma);

void WriteExportHeader(platform::ByteSink& sink);

// How the line loop ended, and how many data lines the sink took.
enum class ExportEnd { Finished, Stopped, WriteFailed };
struct ExportLinesResult {
    ExportEnd end = ExportEnd::Finished;
    std::int64_t lines = 0;
};

// The data lines: x runs from xMin by (xMax - xMin) / resolution, each step
// added to the running x, while x is not above xMax. The progress bar, when
// given, gets the range 0..resolution, one step per line and is back at 0 at
// the end. The loop ends early when the sink refuses a line (nothing is
// written after it) or when stop is requested: that is looked at before each
// line, so a request made during one line's progress step lets that line out
// and no other. A resolution below 1 writes nothing. A long export computes
// its lines ahead on a few threads; the sink and the progress bar are called
// from the calling thread alone, line by line as without them.
ExportLinesResult WriteExportLines(platform::ByteSink& sink, const model::PeakTable& table,
                                   const ExportSettings& settings, ProgressControl* progress,
                                   std::stop_token stop = {});

// One export run on a file, in the order the window goes through it:
//   CheckExportResolution, Open, WriteHeader, (take the form's values),
//   WriteLines unless those failed or the x range is zero, Close.
class ExportFile {
  public:
    // Creates or empties the file. On failure nothing else has happened, and
    // the message is kExportOpenFailed, which names no file, for a target
    // that is the file itself (the window's), or names the file the user
    // named when the bytes go elsewhere first; later failures name it too.
    platform::Status Open(const platform::WriteTarget& target);
    void WriteHeader();
    // WriteFailed when the file refused a line; the graph is then not to be
    // drawn, and neither when the lines were stopped.
    ExportLinesResult WriteLines(const model::PeakTable& table, const ExportSettings& settings,
                                 ProgressControl* progress, std::stop_token stop = {});
    // Closes the file. Fails when anything could not be written, header and
    // close included.
    platform::Status Close();

  private:
    platform::OutputFile file_;
};

// The whole run for a caller that has its values already (the command line).
// Fails when the export refused or failed.
platform::Status ExportToFile(const platform::WriteTarget& target, const model::PeakTable& table,
                              const ExportSettings& settings, ProgressControl* progress = nullptr);

}  // namespace trazel::output
