#pragma once

#include <optional>
#include <span>
#include <string>

#include "model/spectrum_units.h"
#include "platform/byte_sink.h"
#include "platform/file_errors.h"
#include "platform/status.h"

namespace trazel::output {

// A measured spectrum written for other programs, in one of three forms,
// every number as the export writes it ("%.14g"), so that reading the file
// back gives the same points to the last digit written.
enum class SpectrumFormat {
    // "x y" and one "x y" line per point with CR LF: the export's own form,
    // with a decimal point or a decimal comma.
    Text,
    // A header line naming the columns and their units, then "x,y" (or, with
    // a decimal comma, "x;y").
    Csv,
    // JCAMP-DX 5.01: ##XYDATA=(X++(Y..Y)) in plain numbers when the points are
    // evenly spaced to the digits written, ##XYPOINTS=(XY..XY) otherwise.
    Jcamp,
};

// The form a file name asks for by its ending: .txt, .csv, .jdx or .dx, in
// any case; nothing for another.
std::optional<SpectrumFormat> SpectrumFormatFor(const std::string& path);

struct SpectrumWriteOptions {
    SpectrumFormat format = SpectrumFormat::Text;
    // Text and CSV only: JCAMP-DX numbers always have a decimal point.
    bool decimalComma = false;
    // JCAMP-DX only: ##ORIGIN and ##OWNER, which the format requires ("unknown"
    // when empty), and the change the points went through, in the command
    // line's words, as ##$TRAZEL CHANGE (none when empty).
    std::string origin = {};
    std::string owner = {};
    std::string change = {};
};

// Whether ##XYDATA gives back x: each x, as a JCAMP-DX reader computes it
// from ##FIRSTX, ##LASTX and the count, writes the same digits as the x given.
bool EvenlySpacedAsWritten(std::span<const double> x);

// Why the points cannot be written so that reading the file back gives them
// again, in Spanish: a value that its fourteen digits round beyond the
// largest double, or, in JCAMP-DX, a range of x (##LASTX − ##FIRSTX, which
// ##DELTAX and every x of ##XYDATA are computed from) beyond it. Empty when
// they can.
std::string SpectrumWriteProblem(std::span<const double> x, std::span<const double> y,
                                 const SpectrumWriteOptions& options);

// Writes the points (x and y of the same length) with header's title and
// units to sink; false when the sink refused bytes.
bool WriteSpectrum(platform::ByteSink& sink, std::span<const double> x, std::span<const double> y,
                   const model::SpectrumHeader& header, const SpectrumWriteOptions& options);

// WriteSpectrum to the file target names, created or emptied; the message of
// a failure names it.
platform::Status WriteSpectrumFile(const platform::WriteTarget& target, std::span<const double> x,
                                   std::span<const double> y, const model::SpectrumHeader& header,
                                   const SpectrumWriteOptions& options);

}  // namespace trazel::output
