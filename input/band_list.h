#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "input/read_result.h"
#include "input/vibrational_output.h"
#include "model/line_shapes.h"
#include "model/peak_table.h"

namespace trazel::input {

struct BandListOptions {
    // The width of a band the file gives none; without it a file with no
    // width column is refused (ReadFailure::MissingWidth).
    std::optional<double> width;
    // The scale of a band the file gives none.
    double scale = 1.0;
    // The intensity column holds areas (computed infrared intensities):
    // each becomes the height that gives that area at the band's width.
    bool intensitiesAreAreas = false;
    std::int32_t lineShape = model::Gaussian;
    // How many bands the table has room for; a file with more is refused.
    int room = model::kMaxPeakSlots - 1;
    // What a quantum-chemistry output gives as intensities: the infrared
    // intensities (km/mol, always areas), the Raman activities as printed, or
    // the Raman intensities for the laser line and temperature below.
    enum class Kind { Infrared, RamanActivity, RamanIntensity };
    Kind kind = Kind::Infrared;
    double laserNm = 532.0;
    double temperature = 298.15;
    // Which modes of a quantum-chemistry output give bands: only those whose
    // wavenumber, as printed, lies in range (from, to, in cm-1); and, when
    // more than room are left, the strongest that fit (by the intensity
    // kind gives) rather than none. Band lists of other kinds ignore both.
    std::optional<std::pair<double, double>> range = std::nullopt;
    bool strongest = false;
};

// Where the values came from: a column number (from 0), or -1 when the file
// has no such column. named is set when a header line named the columns.
struct BandColumns {
    int position = -1;
    int intensity = -1;
    int width = -1;
    int scale = -1;
    int separate = -1;
    bool named = false;
    // Named by a header only: the band's own shape ("forma"/"shape": g, l,
    // pv, v) and the Lorentzian share of a mixed one ("eta"/"share").
    int shape = -1;
    int share = -1;
};

struct BandList {
    // In file order; scaledPosition and separate filled in.
    std::vector<model::Peak> bands;
    BandColumns columns;
    bool jcamp = false;
    // Set when the file is the output of a quantum-chemistry program; note
    // then says which modes were left out, or is empty.
    std::optional<QcProgram> program;
    std::string note;
};

// Reads a band list: a text table (whitespace, tab, comma or semicolon
// separated, a decimal comma where the separator is not a comma, "#", "%"
// and "!" comments, an optional header naming the columns in Spanish or
// English), a JCAMP-DX peak table, or the vibrational analysis of a
// Gaussian, ORCA, Q-Chem, NWChem, GAMESS or Molden output (told from its
// content). All or nothing: any fault, or more bands than a document holds,
// gives no bands at all.
ReadResult<BandList> ReadBandList(const std::string& path, const BandListOptions& options);

}  // namespace trazel::input
