#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "input/line_reader.h"
#include "input/read_result.h"

namespace trazel::input {

// What a JCAMP-DX file is read for: a measured spectrum (##XYDATA or
// ##XYPOINTS) or a band list (##PEAK TABLE).
enum class JcampWanted { Spectrum, PeakTable };

struct JcampContent {
    std::vector<double> x;
    std::vector<double> y;
    // The widths of a (XYW..XYW) peak table; empty otherwise.
    std::vector<double> w;
    // The file links several blocks (a compound file) and this is the first
    // one holding what was wanted.
    bool firstOfSeveral = false;
};

// The first line of a JCAMP-DX file starts with "##".
bool LooksLikeJcamp(std::string_view firstLine);

// Reads the first block of the wanted kind from a file whose first line
// (already taken from reader) is firstLine. The numbers are scaled by
// ##XFACTOR and ##YFACTOR; the abscissas of ##XYDATA run evenly from ##FIRSTX
// to ##LASTX over the decoded points, whose count must agree with ##NPOINTS.
ReadResult<JcampContent> ReadJcamp(LineReader& reader, std::string_view firstLine,
                                   const std::string& path, JcampWanted wanted,
                                   const ReadProgress& progress = {});

}  // namespace trazel::input
