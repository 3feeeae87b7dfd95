#include "model/spectrum_units.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/translation.h"

namespace trazel::model {

namespace {

// The text in lower case (ASCII letters; accented ones stay as they are) and
// its words: runs of letters, digits, "%" and any byte of a UTF-8 sequence,
// so that "µm" and "%T" are words and "cm-1" is two.
struct Words {
    std::string lower;
    std::string compact;  // lower without spaces
    std::vector<std::string> words;

    explicit Words(std::string_view text) {
        std::string word;
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            const char low = byte < 0x80 ? static_cast<char>(std::tolower(byte)) : c;
            lower += low;
            if (low != ' ' && low != '\t') {
                compact += low;
            }
            if (std::isalnum(byte) || byte >= 0x80 || c == '%') {
                word += low;
            } else if (!word.empty()) {
                words.push_back(std::move(word));
                word.clear();
            }
        }
        if (!word.empty()) {
            words.push_back(std::move(word));
        }
    }

    bool Has(std::string_view part) const { return compact.find(part) != std::string::npos; }
    bool HasWord(std::string_view word) const {
        return std::find(words.begin(), words.end(), word) != words.end();
    }
};

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace

XUnit RecogniseXUnit(std::string_view text) {
    const Words w(text);
    const bool perCm = w.Has("1/cm") || w.Has("cm-1") || w.Has("cm^-1") || w.Has("cm^{-1}") ||
                       w.Has("cm^(-1)") || w.Has("cm**-1") || w.Has("cm\u207b\u00b9") ||
                       w.Has("cm-\u00b9");
    const bool raman = w.Has("raman") || w.Has("desplazamiento");
    if (perCm) {
        return raman ? XUnit::RamanShift : XUnit::Wavenumber;
    }
    if (w.HasWord("nm") || w.Has("nanomet")) {
        return XUnit::Nanometre;
    }
    if (w.HasWord("um") || w.HasWord("\u00b5m") || w.HasWord("\u03bcm") || w.Has("micromet") ||
        w.Has("micron")) {
        return XUnit::Micrometre;
    }
    if (raman) {
        return XUnit::RamanShift;
    }
    if (w.Has("wavenumber") || w.Has("numerodeonda") || w.Has("n\u00famerodeonda")) {
        return XUnit::Wavenumber;
    }
    return XUnit::Unknown;
}

YUnit RecogniseYUnit(std::string_view text) {
    const Words w(text);
    // "a.u.", arbitrary units, is no absorbance.
    if (w.Has("arb") || w.Has("a.u")) {
        return YUnit::Unknown;
    }
    const bool transmittance = w.Has("transm") || w.HasWord("t") || w.HasWord("%t");
    const bool absorbance = w.Has("absorb") || w.HasWord("a") || w.HasWord("abs");
    if (transmittance == absorbance) {
        return YUnit::Unknown;
    }
    if (absorbance) {
        return YUnit::Absorbance;
    }
    const bool percent = w.Has("%") || w.Has("percent") || w.Has("porcentaje");
    return percent ? YUnit::PercentTransmittance : YUnit::Transmittance;
}

void RecogniseUnits(SpectrumHeader& header) {
    header.xKind = RecogniseXUnit(header.xUnits);
    if (header.xKind == XUnit::Wavenumber && Words(header.dataType).Has("raman")) {
        header.xKind = XUnit::RamanShift;
    }
    header.yKind = RecogniseYUnit(header.yUnits);
}

bool DrawnWithXDecreasing(const SpectrumHeader& header) {
    if (header.xKind != XUnit::Wavenumber) {
        return false;
    }
    if (!Trimmed(header.dataType).empty()) {
        return Words(header.dataType).Has("infrared");
    }
    return header.yKind != YUnit::Unknown;
}

std::string XUnitSymbol(const SpectrumHeader& header) {
    switch (header.xKind) {
        case XUnit::Wavenumber:
        case XUnit::RamanShift:
            return "cm\u207b\u00b9";
        case XUnit::Nanometre:
            return "nm";
        case XUnit::Micrometre:
            return "\u00b5m";
        case XUnit::Unknown:
            break;
    }
    return {};
}

std::string XAxisTitle(const SpectrumHeader& header) {
    switch (header.xKind) {
        case XUnit::Wavenumber:
            return TRAZEL_TR("SpectrumUnits", "Número de onda (cm⁻¹)");
        case XUnit::Nanometre:
            return TRAZEL_TR("SpectrumUnits", "Longitud de onda (nm)");
        case XUnit::Micrometre:
            return TRAZEL_TR("SpectrumUnits", "Longitud de onda (µm)");
        case XUnit::RamanShift:
            return TRAZEL_TR("SpectrumUnits", "Desplazamiento Raman (cm⁻¹)");
        case XUnit::Unknown:
            break;
    }
    return Trimmed(header.xUnits);
}

std::string YAxisTitle(const SpectrumHeader& header) {
    switch (header.yKind) {
        case YUnit::Absorbance:
            return TRAZEL_TR("SpectrumUnits", "Absorbancia");
        case YUnit::Transmittance:
            return TRAZEL_TR("SpectrumUnits", "Transmitancia");
        case YUnit::PercentTransmittance:
            return TRAZEL_TR("SpectrumUnits", "Transmitancia (%)");
        case YUnit::Unknown:
            break;
    }
    return Trimmed(header.yUnits);
}

std::string JcampXUnits(const SpectrumHeader& header) {
    switch (header.xKind) {
        case XUnit::Wavenumber:
        case XUnit::RamanShift:
            return "1/CM";
        case XUnit::Nanometre:
            return "NANOMETERS";
        case XUnit::Micrometre:
            return "MICROMETERS";
        case XUnit::Unknown:
            break;
    }
    const std::string read = Trimmed(header.xUnits);
    return read.empty() ? "ARBITRARY UNITS" : read;
}

std::string JcampYUnits(const SpectrumHeader& header) {
    switch (header.yKind) {
        case YUnit::Absorbance:
            return "ABSORBANCE";
        case YUnit::Transmittance:
            return "TRANSMITTANCE";
        case YUnit::PercentTransmittance:
            return "PERCENT TRANSMITTANCE";
        case YUnit::Unknown:
            break;
    }
    const std::string read = Trimmed(header.yUnits);
    return read.empty() ? "ARBITRARY UNITS" : read;
}

std::string JcampDataType(const SpectrumHeader& header) {
    const std::string read = Trimmed(header.dataType);
    if (header.xKind == XUnit::RamanShift && Words(read).lower.find("raman") == std::string::npos) {
        return "RAMAN SPECTRUM";
    }
    if (!read.empty()) {
        return read;
    }
    switch (header.xKind) {
        case XUnit::Wavenumber:
        case XUnit::Micrometre:
            return "INFRARED SPECTRUM";
        case XUnit::Nanometre:
            return "UV/VIS SPECTRUM";
        case XUnit::RamanShift:
        case XUnit::Unknown:
            break;
    }
    return "UNKNOWN";
}

std::string XColumnName(const SpectrumHeader& header) {
    switch (header.xKind) {
        case XUnit::Wavenumber:
            return "numero de onda (cm-1)";
        case XUnit::Nanometre:
            return "longitud de onda (nm)";
        case XUnit::Micrometre:
            return "longitud de onda (um)";
        case XUnit::RamanShift:
            return "desplazamiento Raman (cm-1)";
        case XUnit::Unknown:
            break;
    }
    const std::string read = Trimmed(header.xUnits);
    return read.empty() ? "x" : "x (" + read + ")";
}

std::string YColumnName(const SpectrumHeader& header) {
    switch (header.yKind) {
        case YUnit::Absorbance:
            return "absorbancia";
        case YUnit::Transmittance:
            return "transmitancia";
        case YUnit::PercentTransmittance:
            return "transmitancia (%)";
        case YUnit::Unknown:
            break;
    }
    const std::string read = Trimmed(header.yUnits);
    return read.empty() ? "y" : "y (" + read + ")";
}

void SetXUnit(SpectrumHeader& header, XUnit unit) {
    header.xKind = unit;
    header.xUnits = unit == XUnit::Unknown ? std::string() : JcampXUnits(header);
}

void SetYUnit(SpectrumHeader& header, YUnit unit) {
    header.yKind = unit;
    header.yUnits = unit == YUnit::Unknown ? std::string() : JcampYUnits(header);
}

}  // namespace trazel::model
