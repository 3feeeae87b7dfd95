#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trazel::model {

// What the x and y of a measured spectrum are, as far as a file says so. The
// numbers are fixed: a document stores them.
enum class XUnit : std::int32_t {
    Unknown = 0,
    Wavenumber = 1,  // cm⁻¹
    Nanometre = 2,
    Micrometre = 3,
    RamanShift = 4,  // cm⁻¹ from the laser line
};

enum class YUnit : std::int32_t {
    Unknown = 0,
    Absorbance = 1,
    Transmittance = 2,         // 0 to 1
    PercentTransmittance = 3,  // 0 to 100
};

// What a spectrum file says about its data besides the numbers.
struct SpectrumHeader {
    std::string title = {};
    // A JCAMP-DX file's ##DATA TYPE ("INFRARED SPECTRUM").
    std::string dataType = {};
    // The units as the file writes them ("1/CM", "cm-1"); empty when it
    // names none.
    std::string xUnits = {};
    std::string yUnits = {};
    XUnit xKind = XUnit::Unknown;
    YUnit yKind = YUnit::Unknown;

    bool operator==(const SpectrumHeader&) const = default;
};

// The unit a text names, in English or Spanish, the way JCAMP-DX files and
// column headers write it ("1/CM", "wavenumber (cm-1)", "NANOMETERS",
// "Longitud de onda (nm)", "µm"); Unknown for anything else.
XUnit RecogniseXUnit(std::string_view text);
// "ABSORBANCE", "abs", "Transmitancia (%)", "%T", "TRANSMITTANCE", "T".
YUnit RecogniseYUnit(std::string_view text);

// Sets xKind and yKind from the units' text; x in cm⁻¹ of a Raman spectrum
// (by its data type) is a Raman shift.
void RecogniseUnits(SpectrumHeader& header);

// Whether the data are an infrared spectrum in wavenumbers, which is drawn
// with x decreasing by the field's convention: a file that says so by its
// data type, or one without a data type whose y is absorbance or
// transmittance over cm⁻¹.
bool DrawnWithXDecreasing(const SpectrumHeader& header);

// The x unit's symbol after a number ("cm⁻¹", "nm", "µm"); empty for a
// unit not recognised.
std::string XUnitSymbol(const SpectrumHeader& header);

// The axis titles of the plot for data in these units: "Número de onda
// (cm⁻¹)", "Absorbancia", "Transmitancia (%)"; for a unit not recognised,
// the text the file gave; empty when the file named none, so that the title
// the user typed stays.
std::string XAxisTitle(const SpectrumHeader& header);
std::string YAxisTitle(const SpectrumHeader& header);

// The units as a JCAMP-DX file writes them (##XUNITS, ##YUNITS): the
// standard's words for a recognised unit, the text as read otherwise,
// "ARBITRARY UNITS" when there is none.
std::string JcampXUnits(const SpectrumHeader& header);
std::string JcampYUnits(const SpectrumHeader& header);
// The ##DATA TYPE: the one read, or one that suits the x unit.
std::string JcampDataType(const SpectrumHeader& header);

// The column names of a CSV file ("numero de onda (cm-1)", "absorbancia"),
// in ASCII, which RecogniseXUnit and RecogniseYUnit read back to the same
// units; "x" and "y", with the units as read in parentheses, otherwise.
std::string XColumnName(const SpectrumHeader& header);
std::string YColumnName(const SpectrumHeader& header);

// The header once x or y has been converted to unit: the kind, and the units'
// text in the standard's words.
void SetXUnit(SpectrumHeader& header, XUnit unit);
void SetYUnit(SpectrumHeader& header, YUnit unit);

}  // namespace trazel::model
