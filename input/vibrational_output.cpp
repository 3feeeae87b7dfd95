#include "input/vibrational_output.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string_view>

#include "input/number_fields.h"
#include "platform/translation.h"

namespace trazel::input {

namespace {

using Result = ReadResult<VibrationalAnalysis>;
using LeftOut = VibrationalMode::LeftOut;

// Below this a wavenumber is one of the translations and rotations that the
// programs print as zeros with their two or four decimals.
constexpr double kZeroWavenumber = 0.01;

// The second radiation constant h c / k, in cm·K.
constexpr double kSecondRadiationConstant = 1.438776877;

// 1 D²/(amu·Å²) in km/mol: the infrared intensity of a mode whose dipole
// derivative is 1 D/(amu^½·Å), N_A π / (3 c²) in those units.
constexpr double kDebyeSquaredPerAmuAngstromSquared = 42.2561;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::optional<double> Number(std::string_view field) {
    double value = 0.0;
    if (ParseNumber(field, false, value) != NumberText::Number) {
        return std::nullopt;
    }
    return value;
}

// A wavenumber as printed: negative, or with an "i" after it, when imaginary.
std::optional<double> Wavenumber(std::string_view field) {
    if (!field.empty() && (field.back() == 'i' || field.back() == 'I')) {
        const auto value = Number(field.substr(0, field.size() - 1));
        return value ? std::optional(-std::fabs(*value)) : std::nullopt;
    }
    return Number(field);
}

// The index of an ORCA table row ("12:"), or -1 for any other line.
long RowIndex(std::string_view field) {
    if (field.size() < 2 || field.back() != ':') {
        return -1;
    }
    long index = -1;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size() - 1, index);
    return error == std::errc() && end == field.data() + field.size() - 1 ? index : -1;
}

// What the readers of the layouts share: the modes found and the first
// fault, with its line.
struct Parse {
    LineReader& reader;
    const std::string& path;
    std::vector<VibrationalMode> modes;
    bool sawSection = false;
    bool cutShort = false;
    // The modes the program took as translations and rotations, from and to
    // (from 0, the second one past the last), where it says so.
    std::optional<std::pair<std::size_t, std::size_t>> rigid;
    std::string fault;
    long faultLine = 0;

    bool Fail(std::string_view line, const std::string& reason) {
        if (fault.empty()) {
            faultLine = reader.LineNumber();
            fault = LineProblem(path, faultLine, line, reason);
        }
        return false;
    }
    bool NotANumber(std::string_view line) {
        return Fail(line, TRAZEL_TR("VibrationalOutput",
                                    "tiene algo que no es un número en el análisis de "
                                    "frecuencias"));
    }
    bool AddMode(std::string_view line, std::string_view field) {
        // A molecule of 30000 atoms has fewer: no need to hold a damaged
        // file's millions in memory only to refuse them.
        constexpr std::size_t kMostModes = 100000;
        if (modes.size() >= kMostModes) {
            return Fail(line, TRAZEL_TR("VibrationalOutput",
                                        "pasa de 100000 modos de vibración, más de los que "
                                        "se leen"));
        }
        const auto wavenumber = Wavenumber(field);
        if (!wavenumber) {
            return NotANumber(line);
        }
        VibrationalMode mode;
        mode.wavenumber = *wavenumber;
        modes.push_back(mode);
        return true;
    }
    bool Set(std::string_view line, std::size_t index, std::string_view field,
             std::optional<double> VibrationalMode::*into) {
        if (index >= modes.size()) {
            return Fail(line, TRAZEL_TR("VibrationalOutput",
                                        "da valores de un modo cuya frecuencia no está"));
        }
        const auto value = Number(field);
        if (!value) {
            return NotANumber(line);
        }
        modes[index].*into = *value;
        return true;
    }
};

// The programs that print their modes in blocks, a row per quantity headed
// by its label: Gaussian ("Frequencies --"), Q-Chem ("Frequency:") and
// GAMESS ("FREQUENCY:").
struct BlockLayout {
    std::string_view opens;   // a line holding it starts the analysis again
    std::string_view closes;  // a line holding it ends the analysis
    std::string_view separator;
    std::string_view frequency;
    std::string_view infrared;
    std::string_view raman;
    double infraredToKmPerMol = 1.0;
};

constexpr BlockLayout kGaussianLayout{"Harmonic frequencies", "Thermochemistry", "--",
                                      "Frequencies",          "IR Inten",        "Raman Activ"};
// Q-Chem heads the activities "Raman Intens", though they are in Å⁴/amu.
constexpr BlockLayout kQChemLayout{
    "VIBRATIONAL ANALYSIS", "STANDARD THERMODYNAMIC QUANTITIES", ":", "Frequency", "IR Intens",
    "Raman Intens"};
// GAMESS prints its infrared intensities in D²/(amu·Å²).
constexpr BlockLayout kGamessLayout{"NORMAL COORDINATE ANALYSIS IN THE HARMONIC APPROXIMATION",
                                    "THERMOCHEMISTRY AT T=",
                                    ":",
                                    "FREQUENCY",
                                    "IR INTENSITY",
                                    "RAMAN ACTIVITY",
                                    kDebyeSquaredPerAmuAngstromSquared};

// GAMESS says which modes it took as the translations and rotations ("MODES 1
// TO 6 ARE TAKEN AS ROTATIONS AND TRANSLATIONS."): their small wavenumbers are
// no vibrations.
std::optional<std::pair<std::size_t, std::size_t>> RigidModes(std::string_view text) {
    if (!StartsWith(text, "MODES ") || !Contains(text, "ARE TAKEN AS ROTATIONS")) {
        return std::nullopt;
    }
    std::vector<std::string_view> fields;
    SplitFields(text, Separator::Whitespace, fields);
    std::size_t from = 0, to = 0;
    const auto read = [](std::string_view field, std::size_t& into) {
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), into);
        return error == std::errc() && end == field.data() + field.size();
    };
    if (fields.size() < 4 || fields[2] != "TO" || !read(fields[1], from) || !read(fields[3], to) ||
        from == 0 || to < from) {
        return std::nullopt;
    }
    return std::pair(from - 1, to);
}

// Three to five modes to a block; a new heading starts the analysis again
// (the last one in a file counts), and what follows the modes closes it.
void ReadBlocks(Parse& parse, const BlockLayout& layout) {
    bool open = false;
    std::size_t blockStart = 0;
    std::vector<std::string_view> fields;
    std::string_view line;
    while (parse.fault.empty() && parse.reader.Next(line)) {
        const std::string_view text = TrimSpace(line);
        if (Contains(text, layout.opens)) {
            parse.modes.clear();
            parse.rigid.reset();
            parse.sawSection = open = true;
            continue;
        }
        if (!open) {
            continue;
        }
        if (Contains(text, layout.closes)) {
            open = false;
            continue;
        }
        if (const auto rigid = RigidModes(text)) {
            parse.rigid = rigid;
            continue;
        }
        const auto at = text.find(layout.separator);
        if (at == std::string_view::npos) {
            continue;
        }
        const std::string_view label = TrimSpace(text.substr(0, at));
        std::string_view rest = text.substr(at);
        rest.remove_prefix(std::min(rest.find_first_not_of(layout.separator[0]), rest.size()));
        SplitFields(rest, Separator::Whitespace, fields);
        if (label == layout.frequency) {
            blockStart = parse.modes.size();
            for (const std::string_view field : fields) {
                // GAMESS marks an imaginary wavenumber with an "I" of its own.
                if ((field == "I" || field == "i") && parse.modes.size() > blockStart) {
                    parse.modes.back().wavenumber = -std::fabs(parse.modes.back().wavenumber);
                } else {
                    parse.AddMode(line, field);
                }
            }
            continue;
        }
        auto into = label == layout.infrared ? &VibrationalMode::infrared
                    : label == layout.raman  ? &VibrationalMode::ramanActivity
                                             : nullptr;
        if (into == nullptr) {
            continue;
        }
        if (fields.size() != parse.modes.size() - blockStart) {
            parse.Fail(line, TRAZEL_TR("VibrationalOutput",
                                       "no tiene un valor por cada frecuencia de su bloque"));
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (parse.Set(line, blockStart + i, fields[i], into) &&
                into == &VibrationalMode::infrared) {
                *parse.modes[blockStart + i].infrared *= layout.infraredToKmPerMol;
            }
        }
    }
    parse.cutShort = parse.cutShort || open;
}

// NWChem's "Projected Infra Red Intensities" table, a row per mode numbered
// from 1 ("  7   52.788 || 0.000 0.001 0.032 0.001"), between two lines of
// dashes; the km/mol column is the one its heading names so.
void ReadNwchem(Parse& parse) {
    enum class State { None, Heading, Rows };
    State state = State::None;
    std::size_t intensityField = 0;
    std::vector<std::string_view> fields;
    std::string_view line;
    while (parse.fault.empty() && parse.reader.Next(line)) {
        const std::string_view text = TrimSpace(line);
        if (Contains(text, "Normal Eigenvalue") &&
            Contains(text, "Projected Infra Red Intensities")) {
            parse.modes.clear();
            parse.sawSection = true;
            state = State::Heading;
            intensityField = 0;
            continue;
        }
        if (state == State::None) {
            continue;
        }
        const auto bars = text.find("||");
        if (state == State::Heading && intensityField == 0) {
            // "Mode [cm**-1] || [atomic units] [(debye/angs)**2] [(KM/mol)] [arbitrary]"
            const std::string heading = Lower(text);
            const auto km = heading.find("km/mol");
            if (bars == std::string_view::npos || km == std::string::npos || km < bars) {
                parse.Fail(line, TRAZEL_TR("VibrationalOutput",
                                           "no es el encabezado de una tabla con intensidades "
                                           "en km/mol"));
                continue;
            }
            // Fields of a row: the mode, its wavenumber, "||", then a value per
            // bracketed heading.
            intensityField = 2 + static_cast<std::size_t>(std::count(
                                     heading.begin() + static_cast<std::ptrdiff_t>(bars),
                                     heading.begin() + static_cast<std::ptrdiff_t>(km), '['));
            continue;
        }
        if (StartsWith(text, "---")) {
            // The dashes under the heading open the rows; those after them
            // close the table.
            state = state == State::Heading ? State::Rows : State::None;
            continue;
        }
        if (state != State::Rows) {
            continue;
        }
        SplitFields(text, Separator::Whitespace, fields);
        if (fields.size() <= intensityField || fields[2] != "||") {
            parse.Fail(line, TRAZEL_TR("VibrationalOutput", "está cortada"));
        } else if (fields[0] != std::to_string(parse.modes.size() + 1)) {
            parse.Fail(line,
                       TRAZEL_TR("VibrationalOutput", "no sigue el orden de los modos anteriores"));
        } else if (parse.AddMode(line, fields[1])) {
            parse.Set(line, parse.modes.size() - 1, fields[intensityField],
                      &VibrationalMode::infrared);
        }
    }
    parse.cutShort = parse.cutShort || state != State::None;
}

// ORCA numbers its modes from 0 in each table ("6:   45.66 ..."); a table
// ends at the first line after its rows that is not one.
void ReadOrca(Parse& parse) {
    enum class Section { None, Frequencies, Infrared, Raman };
    Section section = Section::None;
    bool rows = false;
    long intensityColumn = -1;
    std::vector<std::string_view> fields;
    std::string_view line;
    while (parse.fault.empty() && parse.reader.Next(line)) {
        const std::string_view text = TrimSpace(line);
        const Section heading = text == "VIBRATIONAL FREQUENCIES" ? Section::Frequencies
                                : text == "IR SPECTRUM"           ? Section::Infrared
                                : text == "RAMAN SPECTRUM"        ? Section::Raman
                                                                  : Section::None;
        if (heading != Section::None) {
            section = heading;
            rows = false;
            intensityColumn = -1;
            if (heading == Section::Frequencies) {
                parse.modes.clear();
                parse.sawSection = true;
            }
            continue;
        }
        if (section == Section::None) {
            continue;
        }
        SplitFields(text, Separator::Whitespace, fields);
        const long index = fields.empty() ? -1 : RowIndex(fields[0]);
        if (index < 0) {
            if (rows) {
                section = Section::None;
            } else if (section == Section::Infrared) {
                // ORCA 5 and 6 head the km/mol column "Int" ("Mode freq eps Int T**2 ...").
                const auto named = std::find(fields.begin(), fields.end(), "Int");
                if (named != fields.end()) {
                    intensityColumn = named - fields.begin();
                }
            }
            continue;
        }
        rows = true;
        const auto at = static_cast<std::size_t>(index);
        if (fields.size() < 3) {
            parse.Fail(line, TRAZEL_TR("VibrationalOutput", "está cortada"));
        } else if (section == Section::Frequencies) {
            if (at != parse.modes.size()) {
                parse.Fail(line, TRAZEL_TR("VibrationalOutput",
                                           "no sigue el orden de los modos anteriores"));
            }
            parse.AddMode(line, fields[1]);
        } else if (section == Section::Raman) {
            parse.Set(line, at, fields[2], &VibrationalMode::ramanActivity);
        } else if (intensityColumn < 0) {
            parse.Fail(line, TRAZEL_TR("VibrationalOutput",
                                       "es de una tabla IR SPECTRUM sin columna «Int» en km/mol"));
        } else if (static_cast<std::size_t>(intensityColumn) >= fields.size()) {
            parse.Fail(line, TRAZEL_TR("VibrationalOutput", "está cortada"));
        } else {
            parse.Set(line, at, fields[static_cast<std::size_t>(intensityColumn)],
                      &VibrationalMode::infrared);
        }
    }
    // A table that runs to the end of the file lost whatever followed it.
    parse.cutShort = parse.cutShort || (section != Section::None && rows);
}

// The Molden format: a wavenumber a line under [FREQ], and under [INT] the
// infrared intensity of each and, where the program wrote it, its Raman
// activity.
void ReadMolden(Parse& parse) {
    enum class Section { None, Frequencies, Intensities };
    Section section = Section::None;
    std::size_t intensities = 0;
    bool sawIntensities = false;
    std::vector<std::string_view> fields;
    std::string_view line;
    while (parse.fault.empty() && parse.reader.Next(line)) {
        const std::string_view text = TrimSpace(line);
        if (StartsWith(text, "[")) {
            const std::string key = Lower(text);
            section = StartsWith(key, "[freq]")  ? Section::Frequencies
                      : StartsWith(key, "[int]") ? Section::Intensities
                                                 : Section::None;
            if (section == Section::Frequencies) {
                parse.modes.clear();
                parse.sawSection = true;
            } else if (section == Section::Intensities) {
                sawIntensities = true;
                intensities = 0;
            }
            continue;
        }
        if (text.empty() || section == Section::None) {
            continue;
        }
        SplitFields(text, Separator::Whitespace, fields);
        if (section == Section::Frequencies) {
            parse.AddMode(line, fields[0]);
            continue;
        }
        parse.Set(line, intensities, fields[0], &VibrationalMode::infrared);
        if (fields.size() > 1) {
            parse.Set(line, intensities, fields[1], &VibrationalMode::ramanActivity);
        }
        ++intensities;
    }
    parse.cutShort = parse.cutShort || (sawIntensities && intensities != parse.modes.size());
}

// Whether every mode that gives a band has the value; a value for some modes
// and not for others means the output was cut.
bool AllHave(const std::vector<VibrationalMode>& modes,
             std::optional<double> VibrationalMode::*value, bool& partial) {
    std::size_t with = 0, bands = 0;
    for (const VibrationalMode& mode : modes) {
        if (mode.leftOut == LeftOut::No) {
            ++bands;
            with += (mode.*value).has_value() ? 1 : 0;
        }
    }
    partial = partial || (with > 0 && with < bands);
    return with > 0 && with == bands;
}

}  // namespace

const char* QcProgramName(QcProgram program) {
    switch (program) {
        case QcProgram::Gaussian:
            return "Gaussian";
        case QcProgram::Orca:
            return "ORCA";
        case QcProgram::QChem:
            return "Q-Chem";
        case QcProgram::Nwchem:
            return "NWChem";
        case QcProgram::Gamess:
            return "GAMESS";
        case QcProgram::Molden:
            return "Molden";
    }
    return "";
}

std::optional<QcProgram> RecogniseQcOutput(LineReader& reader) {
    // The banners come within the first lines: Gaussian's copyright, ORCA's
    // spaced-out name, Q-Chem's welcome, NWChem's full name, GAMESS's version
    // box, and the Molden format's first line.
    constexpr long kBannerLines = 200;
    std::optional<QcProgram> found;
    bool first = true;
    std::string_view line;
    while (!found && reader.LineNumber() < kBannerLines && reader.Next(line)) {
        const std::string_view text = TrimSpace(line);
        if (first && !text.empty()) {
            first = false;
            if (StartsWith(Lower(text), "[molden format]")) {
                found = QcProgram::Molden;
            }
        }
        if (Contains(text, "Gaussian, Inc.") || Contains(text, "Entering Gaussian System")) {
            found = QcProgram::Gaussian;
        } else if (Contains(text, "O   R   C   A")) {
            found = QcProgram::Orca;
        } else if (Contains(text, "Welcome to Q-Chem") || Contains(text, "Q-Chem, Inc.")) {
            found = QcProgram::QChem;
        } else if (Contains(text, "Northwest Computational Chemistry Package")) {
            found = QcProgram::Nwchem;
        } else if (Contains(text, "GAMESS VERSION")) {
            found = QcProgram::Gamess;
        }
    }
    reader.Rewind();
    return found;
}

ReadResult<VibrationalAnalysis> ReadVibrationalAnalysis(LineReader& reader, QcProgram program,
                                                        const std::string& path) {
    Parse parse{reader, path, {}, false, false, {}, {}, 0};
    switch (program) {
        case QcProgram::Gaussian:
            ReadBlocks(parse, kGaussianLayout);
            break;
        case QcProgram::Orca:
            ReadOrca(parse);
            break;
        case QcProgram::QChem:
            ReadBlocks(parse, kQChemLayout);
            break;
        case QcProgram::Nwchem:
            ReadNwchem(parse);
            break;
        case QcProgram::Gamess:
            ReadBlocks(parse, kGamessLayout);
            break;
        case QcProgram::Molden:
            ReadMolden(parse);
            break;
    }
    if (reader.Error()) {
        return Result::Failed(ReadFailure::File, *reader.Error());
    }
    if (!parse.fault.empty()) {
        return Result::Failed(ReadFailure::Content, parse.fault, parse.faultLine);
    }
    const std::string name = QcProgramName(program);
    if (!parse.sawSection) {
        return Result::Failed(
            ReadFailure::Content,
            FileProblem(path, platform::Fill(TRAZEL_TR("VibrationalOutput",
                                                       "es una salida de %1 sin análisis de "
                                                       "frecuencias"),
                                             {name})));
    }
    VibrationalAnalysis analysis;
    analysis.program = program;
    for (std::size_t i = 0; i < parse.modes.size(); ++i) {
        VibrationalMode& mode = parse.modes[i];
        const bool rigid = parse.rigid && i >= parse.rigid->first && i < parse.rigid->second;
        mode.leftOut = rigid || std::fabs(mode.wavenumber) < kZeroWavenumber ? LeftOut::Zero
                       : mode.wavenumber < 0.0                               ? LeftOut::Imaginary
                                                                             : LeftOut::No;
    }
    bool partial = false;
    analysis.infrared = AllHave(parse.modes, &VibrationalMode::infrared, partial);
    analysis.raman = AllHave(parse.modes, &VibrationalMode::ramanActivity, partial);
    if (parse.cutShort || partial || parse.modes.empty()) {
        return Result::Failed(
            ReadFailure::Content,
            FileProblem(path, platform::Fill(TRAZEL_TR("VibrationalOutput",
                                                       "el análisis de frecuencias de esta salida "
                                                       "de %1 está cortado"),
                                             {name})));
    }
    analysis.modes = std::move(parse.modes);
    return analysis;
}

double RamanIntensity(double nu0, double nu, double activity, double temperature) {
    const double shift = nu0 - nu;
    return shift * shift * shift * shift * activity /
           (nu * -std::expm1(-kSecondRadiationConstant * nu / temperature));
}

}  // namespace trazel::input
