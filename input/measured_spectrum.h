#pragma once

#include <optional>
#include <string>
#include <vector>

#include "input/read_result.h"

namespace trazel::input {

struct MeasuredOptions {
    // The columns (from 0) that hold x and y in a text file; when not set,
    // the first two columns of the first data line that hold numbers.
    std::optional<int> xColumn;
    std::optional<int> yColumn;
};

// A measured spectrum as read: the points in file order.
struct MeasuredSpectrum {
    std::vector<double> x;
    std::vector<double> y;
    bool jcamp = false;
    // A JCAMP-DX file of several blocks, of which this is the first spectrum.
    bool firstOfSeveral = false;
    // The columns the text was read from (0 and 1 for JCAMP-DX).
    int xColumn = 0;
    int yColumn = 1;
};

// Reads an x-y text file (Trazel's own export, CSV, whitespace columns) or a
// JCAMP-DX spectrum, streaming, so that millions of lines take only the
// memory of their points. Text lines before the first line of numbers are
// its header; lines starting with "#" or "%" are comments anywhere; after the
// first line of numbers any line that does not give the two numbers is the
// bad line, and the message names it. At least two points are needed.
ReadResult<MeasuredSpectrum> ReadMeasuredSpectrum(const std::string& path,
                                                  const MeasuredOptions& options = {},
                                                  const ReadProgress& progress = {});

}  // namespace trazel::input
