#pragma once

#include <optional>
#include <string>
#include <vector>

#include "input/read_result.h"
#include "model/spectrum_units.h"

namespace trazel::input {

struct MeasuredOptions {
    // The columns (from 0) that hold x and y in a text file; when not set,
    // the first two columns of the first data line that hold numbers.
    std::optional<int> xColumn = std::nullopt;
    std::optional<int> yColumn = std::nullopt;
    // Which spectrum (from 0) of a file that holds several: a JCAMP-DX
    // block, an SPC subfile, an OPUS block, or the y column of a text file
    // counted among the columns of numbers other than x (yColumn, when set,
    // wins). When not set, the first.
    std::optional<int> spectrum = std::nullopt;
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
    // The title and units a JCAMP-DX file declares, or those a text file's
    // header line names for the columns read ("wavenumber (cm-1)", "x (nm)",
    // "absorbancia").
    model::SpectrumHeader header = {};
    // A JCAMP-DX file's ##ORIGIN and ##OWNER, for a file written from it.
    std::string origin = {};
    std::string owner = {};
    // Irregularities the reader passed over, each a sentence to show.
    std::vector<std::string> notes = {};
    // Which of the file's spectra this is (from 0), how many it holds, and
    // the name the file gives this one (a block's title, a subfile's z, an
    // OPUS block's name, a column's heading; empty when it gives none).
    int spectrum = 0;
    int spectra = 1;
    std::string name = {};
    // What kind of spectrum the file holds it as ("XYDATA", "subfile",
    // "AB", "column"): the format's own words, the same in every language.
    std::string kind = {};
};

// Reads an x-y text file (Trazel's own export, CSV, whitespace columns) or a
// JCAMP-DX spectrum, streaming, so that millions of lines take only the
// memory of their points. Text lines before the first line of numbers are
// its header; lines starting with "#" or "%" are comments anywhere; after the
// first line of numbers any line that does not give the two numbers is the
// bad line, and the message names it. The last header line gives the units
// of the columns read. At least two points are needed.
ReadResult<MeasuredSpectrum> ReadMeasuredSpectrum(const std::string& path,
                                                  const MeasuredOptions& options = {},
                                                  const ReadProgress& progress = {});

// One spectrum of a file, as a list to choose from shows it.
struct SpectrumSummary {
    std::string name;
    std::string kind;
    std::size_t points = 0;
    double xFirst = 0.0;
    double xLast = 0.0;
    std::string xUnits;
    std::string yUnits;
};

// Every spectrum of path, in the order options.spectrum numbers them (the
// other options as the reader takes them): each is read whole, so that the
// list says what choosing it gives. A spectrum that cannot be read makes the
// whole list fail, naming it.
ReadResult<std::vector<SpectrumSummary>> ListMeasuredSpectra(const std::string& path,
                                                             MeasuredOptions options = {},
                                                             const ReadProgress& progress = {});

// The number (from 0) of the spectrum named name in list; a message in
// Spanish when none or several are.
ReadResult<int> SpectrumNamed(const std::string& path, const std::vector<SpectrumSummary>& list,
                              const std::string& name);

// The start of a measured file, so that the user can see its columns before
// choosing which hold x and y.
struct MeasuredPreview {
    bool jcamp = false;
    // The first lines as they are in the file (at most the number asked for).
    std::vector<std::string> lines;
    // The fields of the first line of numbers and the first two of them that
    // hold numbers, which the reader takes when no others are chosen; 0 when
    // the start of the file held no line of numbers.
    int columns = 0;
    int xColumn = 0;
    int yColumn = 1;
};

// Looks at the first lines of path, as far as the first line of numbers. A
// fault is reported as ReadMeasuredSpectrum reports it; a file whose start
// holds no numbers gives columns 0, and reading it all names the fault.
ReadResult<MeasuredPreview> PreviewMeasuredSpectrum(const std::string& path, int shownLines);

}  // namespace trazel::input
