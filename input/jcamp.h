#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "input/line_reader.h"
#include "input/read_result.h"
#include "model/spectrum_units.h"

namespace trazel::input {

// What a JCAMP-DX file is read for: a measured spectrum (##XYDATA or
// ##XYPOINTS) or a band list (##PEAK TABLE).
enum class JcampWanted { Spectrum, PeakTable };

struct JcampContent {
    std::vector<double> x;
    std::vector<double> y;
    // The widths of a (XYW..XYW) peak table; empty otherwise.
    std::vector<double> w;
    // The line each point of an (XY..XY) or (XYW..XYW) list was on.
    std::vector<long> lines;
    // ##XYDATA: the abscissas run evenly from ##FIRSTX to ##LASTX.
    bool evenlySpaced = false;
    // The file links several blocks (a compound file) and this is the first
    // one holding what was wanted.
    bool firstOfSeveral = false;
    // How many blocks of the wanted kind the file holds, the one read among
    // them.
    std::size_t blocks = 0;
    // ##TITLE, ##DATA TYPE, ##XUNITS and ##YUNITS of the block read, and the
    // units they name.
    model::SpectrumHeader header;
    // ##ORIGIN and ##OWNER, as written; empty when the file has none.
    std::string origin = {};
    std::string owner = {};
    // What the file gets wrong that the reader passed over, one sentence
    // each naming the file and the line, for the user to be told.
    std::vector<std::string> notes = {};
};

// The most points a JCAMP-DX file of fileSize bytes may decode to. A repeat
// count (DUP) multiplies a few bytes into any number of points, but a real
// file, even one long flat baseline, does not give more than a thousand
// points per byte: the bound is 4096 + 1024 points per byte, and never more
// than 2^24 (16 777 216) points, some 400 MB while they are read, whatever
// ##NPOINTS says.
std::size_t JcampPointLimit(std::uint64_t fileSize);

// The first line of a JCAMP-DX file is a labelled data record: "##", a
// label without a space before it, and "=" ("##TITLE=", "##$URL=").
// "## comment" is a comment of a text file.
bool LooksLikeJcamp(std::string_view firstLine);

// Reads the block of the wanted kind numbered which (from 0; the blocks
// before it are passed over undecoded, those after it only counted) from a file whose first line
// (already taken from reader) is firstLine. The numbers are scaled by
// ##XFACTOR and ##YFACTOR; the abscissas of ##XYDATA run evenly from ##FIRSTX
// to ##LASTX over the decoded points. Whatever the file declares must agree
// with its points: ##NPOINTS with their count in every form; for ##XYDATA
// the x at the start of each data line with the place of its first point,
// for ##XYPOINTS ##FIRSTX and ##LASTX with the
// first and last x. A ##DELTAX that disagrees
// with the points is only noted. The points never exceed JcampPointLimit of the file.
ReadResult<JcampContent> ReadJcamp(LineReader& reader, std::string_view firstLine,
                                   const std::string& path, JcampWanted wanted,
                                   const ReadProgress& progress = {}, std::size_t which = 0);

}  // namespace trazel::input
