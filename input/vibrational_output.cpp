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

// What the readers of the three layouts share: the modes found and the first
// fault, with its line.
struct Parse {
    LineReader& reader;
    const std::string& path;
    std::vector<VibrationalMode> modes;
    bool sawSection = false;
    bool cutShort = false;
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

// Gaussian prints three modes to a block, a row per quantity after "--"; a
// new "Harmonic frequencies" heading starts the analysis again (the last one
// in a file counts), and the thermochemistry closes it.
void ReadGaussian(Parse& parse) {
    bool open = false;
    std::size_t blockStart = 0;
    std::vector<std::string_view> fields;
    std::string_view line;
    while (parse.fault.empty() && parse.reader.Next(line)) {
        const std::string_view text = TrimSpace(line);
        if (StartsWith(text, "Harmonic frequencies")) {
            parse.modes.clear();
            parse.sawSection = open = true;
            continue;
        }
        if (!open) {
            continue;
        }
        if (Contains(text, "Thermochemistry")) {
            open = false;
            continue;
        }
        const auto dashes = text.find("--");
        if (dashes == std::string_view::npos) {
            continue;
        }
        const std::string_view label = TrimSpace(text.substr(0, dashes));
        std::string_view rest = text.substr(dashes);
        rest.remove_prefix(std::min(rest.find_first_not_of('-'), rest.size()));
        SplitFields(rest, Separator::Whitespace, fields);
        if (label == "Frequencies") {
            blockStart = parse.modes.size();
            for (const std::string_view field : fields) {
                parse.AddMode(line, field);
            }
            continue;
        }
        auto into = label == "IR Inten"      ? &VibrationalMode::infrared
                    : label == "Raman Activ" ? &VibrationalMode::ramanActivity
                                             : nullptr;
        if (into == nullptr) {
            continue;
        }
        if (fields.size() != parse.modes.size() - blockStart) {
            parse.Fail(line, TRAZEL_TR("VibrationalOutput",
                                       "no tiene un valor por cada frecuencia de su bloque"));
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            parse.Set(line, blockStart + i, fields[i], into);
        }
    }
    parse.cutShort = parse.cutShort || open;
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
        case QcProgram::Molden:
            return "Molden";
    }
    return "";
}

std::optional<QcProgram> RecogniseQcOutput(LineReader& reader) {
    // The banners come within the first lines: Gaussian's copyright, ORCA's
    // spaced-out name, and the Molden format's first line.
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
        }
    }
    reader.Rewind();
    return found;
}

ReadResult<VibrationalAnalysis> ReadVibrationalAnalysis(LineReader& reader, QcProgram program,
                                                        const std::string& path) {
    Parse parse{reader, path, {}, false, false, {}, 0};
    switch (program) {
        case QcProgram::Gaussian:
            ReadGaussian(parse);
            break;
        case QcProgram::Orca:
            ReadOrca(parse);
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
    for (VibrationalMode& mode : parse.modes) {
        mode.leftOut = mode.wavenumber < -kZeroWavenumber             ? LeftOut::Imaginary
                       : std::fabs(mode.wavenumber) < kZeroWavenumber ? LeftOut::Zero
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
