#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "cli/cli_support.h"
#include "input/measured_spectrum.h"
#include "input/measured_transform.h"

namespace trazel::cli {

// The options of spectrum, figure, fit and peaks that say how the measured
// spectrum is transformed before use: --y, --x, --laser and --subtract-als.
inline const std::vector<std::string> kTransformOptionNames{"--y", "--x", "--laser",
                                                            "--subtract-als"};

// The transform the options name; a UsageError for a value that is none of
// the changes, --laser missing for a Raman shift or given without one, or
// --subtract-als without λ and p ("1e5,0.01") that it can use.
input::SpectrumTransform TransformFrom(const ParsedOptions& options);

// The x limits of --xmin and --xmax, each optional; a UsageError when both
// are given and do not rise.
struct XLimits {
    std::optional<double> min;
    std::optional<double> max;
};
XLimits XLimitsFrom(const ParsedOptions& options);

// The spectrum at path as read, with the transform applied: a FileError when
// the file cannot be read or fewer than two points are left. Says on err,
// after "trazel-cli command: ", how many points were left out and that only
// the first spectrum of a file of several is used. The points as read go to
// asRead when given, for a document that keeps them with the transform.
//
// With --subtract-als, a λ of no use for the points left is a UsageError,
// found before the baseline is worked out, and a baseline that is not a
// finite number a NoResultError; nothing is subtracted then.
input::TransformedSpectrum ReadTransformedSpectrum(const std::string& path,
                                                   const input::SpectrumTransform& transform,
                                                   const std::string& command, std::ostream& err,
                                                   input::MeasuredSpectrum* asRead = nullptr);

// The same two faults of the baseline the analysis's measured spectrum has
// subtracted, if any, for a command that draws, fits or searches it.
void CheckSubtractedBaseline(const analysis::Analysis& analysis);

}  // namespace trazel::cli
