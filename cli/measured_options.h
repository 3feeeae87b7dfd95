#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "cli/cli_support.h"
#include "input/measured_spectrum.h"
#include "input/measured_transform.h"

namespace trazel::document {
class CTrazelDoc;
}

namespace trazel::cli {

// The options of spectrum, figure, fit and peaks that say how the measured
// spectrum is transformed before use: --y, --x, --laser and --subtract-als.
inline const std::vector<std::string> kTransformOptionNames{"--y", "--x", "--laser",
                                                            "--subtract-als"};

// The transform the options name; a UsageError for a value that is none of
// the changes, --laser missing for a Raman shift or given without one, or
// --subtract-als without λ and p ("1e5,0.01") that it can use.
input::SpectrumTransform TransformFrom(const ParsedOptions& options);

// The option of every command that reads a measured spectrum that chooses
// one of a file of several, by number from 1 or by name.
inline constexpr char kSpectrumOption[] = "--spectrum";

// The reader's options for the value of --spectrum at path: a number (from
// 1) as it is, a name looked up in the file's list. A UsageError for 0 or a
// name the file does not give (once), a FileError when the file cannot be
// listed.
input::MeasuredOptions SpectrumChoice(const std::string& path,
                                      const std::optional<std::string>& choice);

// What a document remembers of how points were read: the spectrum chosen,
// when --spectrum chose one.
input::MeasuredOptions ChosenSpectrum(const input::MeasuredSpectrum& points,
                                      const std::optional<std::string>& choice);

// The x limits of --xmin and --xmax, each optional and, when both are given,
// in either order (min is then the lower); a UsageError when they are equal.
struct XLimits {
    std::optional<double> min;
    std::optional<double> max;
};
XLimits XLimitsFrom(const ParsedOptions& options);

// The options that make transform, as a user would type them ("--x
// raman-shift --laser 532"), for files that record it in every language alike;
// empty for none.
std::string TransformOptionsText(const input::SpectrumTransform& transform);

// On err, after "trazel-cli command: ", which --y turns the data into
// absorbance when they declare transmittance (header, y as read) and neither
// --y was given nor transform changes y: bands of transmittance do not add,
// and the maxima of T are the gaps between bands. "--y none" silences it.
void NoteTransmittance(bool yGiven, const input::SpectrumTransform& transform,
                       const model::SpectrumHeader& header, std::span<const double> y,
                       const std::string& command, std::ostream& err);

// The spectrum at path chosen by --spectrum (choice; the first when none),
// with the transform applied: a FileError when the file cannot be read or
// fewer than two points are left, a UsageError for a choice the file does
// not hold. Says on err, after "trazel-cli command: ", how many points were
// left out and, without a choice, that the file holds others.
//
// With --subtract-als, a λ of no use for the points left is a UsageError,
// found before the baseline is worked out, and a baseline that is not a
// finite number a NoResultError; nothing is subtracted then.
input::TransformedSpectrum ReadTransformedSpectrum(const std::string& path,
                                                   const std::optional<std::string>& choice,
                                                   const input::SpectrumTransform& transform,
                                                   const std::string& command, std::ostream& err);

// The same spectrum as read, for a document that keeps the points with the
// transform and applies it itself: the same refusals and notes, but for the
// baseline, which the document works out (and CheckSubtractedBaseline
// reports).
input::MeasuredSpectrum ReadSpectrumToKeep(const std::string& path,
                                           const std::optional<std::string>& choice,
                                           const input::SpectrumTransform& transform,
                                           const std::string& command, std::ostream& err);

// The spectrum the document holds, for a command without --measured: the
// change of --y, --x, --laser and --subtract-als in place of the stored one
// when given (change; stored with the command's result), and the factor of
// --yfactor. A UsageError when the document holds none, a FileError when
// the change leaves fewer than two points; the note of NoteTransmittance on
// err, after "trazel-cli command: ".
void UseStoredSpectrum(document::CTrazelDoc& document, const std::string& docPath,
                       const ParsedOptions& options, const input::SpectrumTransform* change,
                       const std::string& command, std::ostream& err);

// The same two faults of the baseline the analysis's measured spectrum has
// subtracted, if any, for a command that draws, fits or searches it.
void CheckSubtractedBaseline(const analysis::Analysis& analysis);

}  // namespace trazel::cli
