// Galactic SPC files, read from the format's published description: a
// header, then for each subfile a 32-byte subheader and its y values (and,
// in files whose subfiles each have their own x, the x values before them).

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "input/binary_spectrum.h"
#include "platform/number_format.h"
#include "platform/translation.h"

namespace trazel::input {

namespace {

using Result = ReadResult<MeasuredSpectrum>;
using platform::Fill;

// The byte after the flags names the layout: the current one with
// little-endian numbers, the current one with big-endian numbers, the older
// one (little-endian, a shorter header, 32-bit y with its halves swapped).
constexpr std::uint8_t kCurrent = 0x4B;
constexpr std::uint8_t kCurrentBigEndian = 0x4C;
constexpr std::uint8_t kOlder = 0x4D;

constexpr std::uint64_t kHeader = 512;
constexpr std::uint64_t kOlderHeader = 256;
constexpr std::uint64_t kSubheader = 32;
// Where the older layout keeps the first subfile's subheader, inside its
// header.
constexpr std::uint64_t kOlderFirstSubheader = 224;
constexpr std::uint64_t kDirectoryEntry = 12;

// The flags of the first byte.
constexpr std::uint8_t kShortY = 0x01;
constexpr std::uint8_t kSeveral = 0x04;
constexpr std::uint8_t kAxisLabels = 0x20;
constexpr std::uint8_t kOwnX = 0x40;
constexpr std::uint8_t kExplicitX = 0x80;

// An exponent of 0x80 marks y stored as IEEE floats.
constexpr int kFloatExponent = -128;

std::string PastTheEnd(const std::string& what, std::uint64_t offset, std::uint64_t count,
                       std::uint64_t size) {
    return Fill(TRAZEL_TR("Spc",
                          "el archivo SPC dice que %1 ocupa %2 bytes desde el byte %3, "
                          "pero el archivo tiene %4"),
                {what, std::to_string(count), std::to_string(offset), std::to_string(size)});
}

// The units the format's code for x names. Codes for quantities Trazel
// knows become those units; a few others keep their symbol, so that the axis
// says what they are; the rest are arbitrary.
void SetXUnits(model::SpectrumHeader& header, std::uint8_t code) {
    switch (code) {
        case 1:
            model::SetXUnit(header, model::XUnit::Wavenumber);
            return;
        case 2:
            model::SetXUnit(header, model::XUnit::Micrometre);
            return;
        case 3:
            model::SetXUnit(header, model::XUnit::Nanometre);
            return;
        case 13:
            model::SetXUnit(header, model::XUnit::RamanShift);
            return;
        default:
            break;
    }
    static constexpr std::pair<std::uint8_t, const char*> kSymbols[] = {
        {4, "s"},   {5, "min"},  {6, "Hz"},  {7, "kHz"}, {8, "MHz"}, {9, "m/z"}, {10, "ppm"},
        {14, "eV"}, {18, "°"},   {19, "°F"}, {20, "°C"}, {21, "K"},  {23, "ms"}, {24, "µs"},
        {25, "ns"}, {26, "GHz"}, {27, "cm"}, {28, "m"},  {29, "mm"}, {30, "h"},
    };
    for (const auto& [known, symbol] : kSymbols) {
        if (known == code) {
            header.xUnits = symbol;
        }
    }
}

// Transmission is written as a fraction by some instruments and in percent
// by others: values beyond 1 (and some margin for noise) are percent.
void SetYUnits(model::SpectrumHeader& header, std::uint8_t code, const std::vector<double>& y) {
    if (code == 2) {
        model::SetYUnit(header, model::YUnit::Absorbance);
        return;
    }
    if (code == 128) {
        const bool percent =
            std::any_of(y.begin(), y.end(), [](double value) { return value > 2.0; });
        model::SetYUnit(header,
                        percent ? model::YUnit::PercentTransmittance : model::YUnit::Transmittance);
        return;
    }
    static constexpr std::pair<std::uint8_t, const char*> kNames[] = {
        {1, "interferogram"},
        {3, "Kubelka-Munk"},
        {4, "counts"},
        {5, "V"},
        {7, "mA"},
        {8, "mm"},
        {9, "mV"},
        {10, "log(1/R)"},
        {11, "%"},
        {16, "dB"},
        {19, "°F"},
        {20, "°C"},
        {21, "K"},
        {129, "reflectance"},
        {131, "emission"},
    };
    for (const auto& [known, name] : kNames) {
        if (known == code) {
            header.yUnits = name;
        }
    }
}

// The axis labels a file may carry instead of codes: x, y and z labels, each
// ended by a NUL, in 30 bytes.
void SetLabels(model::SpectrumHeader& header, const ByteView& file, std::uint64_t at) {
    const std::string xLabel = file.Text(at, 30);
    const std::uint64_t yAt = at + xLabel.size() + 1;
    const std::string yLabel = yAt < at + 30 ? file.Text(yAt, at + 30 - yAt) : std::string();
    if (!xLabel.empty()) {
        header.xKind = model::RecogniseXUnit(xLabel);
        header.xUnits = xLabel;
    }
    if (!yLabel.empty()) {
        header.yKind = model::RecogniseYUnit(yLabel);
        header.yUnits = yLabel;
    }
}

struct Layout {
    bool older = false;
    std::uint8_t flags = 0;
    int fileExponent = 0;
};

// The bytes of one y value of a subfile with that exponent.
std::uint64_t YBytes(const Layout& layout, int exponent) {
    return (layout.flags & kShortY) != 0 && exponent != kFloatExponent ? 2 : 4;
}

// The subfile numbered which (from 0) as the messages name it.
std::string SubfileName(std::uint64_t which) {
    return which == 0 ? TRAZEL_TR("Spc", "el primer subarchivo")
                      : Fill(TRAZEL_TR("Spc", "el subarchivo %1"), {std::to_string(which + 1)});
}

// The y values of one subfile, scaled by its exponent: IEEE floats, or
// integers to be multiplied by 2^(exponent - bits).
std::optional<std::string> ReadY(const ByteView& file, const Layout& layout, std::uint64_t at,
                                 std::uint64_t points, int exponent, const std::string& path,
                                 std::uint64_t which, std::vector<double>& y) {
    const bool shortY = (layout.flags & kShortY) != 0 && exponent != kFloatExponent;
    const std::uint64_t size = YBytes(layout, exponent);
    if (!file.HasItems(at, points, size)) {
        return FileProblem(path, PastTheEnd(SubfileName(which), at, points * size, file.Size()));
    }
    y.resize(points);
    for (std::uint64_t i = 0; i < points; ++i) {
        const std::uint64_t offset = at + i * size;
        if (exponent == kFloatExponent) {
            y[i] = file.F32(offset);
        } else if (shortY) {
            y[i] = std::ldexp(file.I16(offset), exponent - 16);
        } else if (layout.older) {
            // The older layout writes the high half first.
            const auto value = static_cast<std::int32_t>(
                (static_cast<std::uint32_t>(file.U16(offset)) << 16) | file.U16(offset + 2));
            y[i] = std::ldexp(value, exponent - 32);
        } else {
            y[i] = std::ldexp(file.I32(offset), exponent - 32);
        }
    }
    return std::nullopt;
}

int SubfileExponent(const ByteView& file, const Layout& layout, std::uint64_t subheader) {
    if (layout.fileExponent == kFloatExponent || (layout.flags & kSeveral) == 0) {
        return layout.fileExponent;
    }
    return static_cast<std::int8_t>(file.U8(subheader + 1));
}

// A subfile of several is named by its z (the subheader's first z), which
// is what tells a map's points, a time series' times or a scan's depths
// apart; a file of one has no need of a name.
void NameSubfile(MeasuredSpectrum& spectrum, const ByteView& file, std::uint64_t subheader,
                 std::uint64_t which, std::uint64_t subfiles) {
    spectrum.spectrum = static_cast<int>(which);
    spectrum.spectra = static_cast<int>(subfiles);
    spectrum.kind = "subfile";
    if (subfiles > 1) {
        spectrum.name = "z=" + platform::FormatG(file.F32(subheader + 4), 7);
    }
}

Result NoSubfile(const std::string& path, std::uint64_t which, std::uint64_t subfiles) {
    return Result::Failed(ReadFailure::NoSuchSpectrum, NoSuchSpectrum(path, which + 1, subfiles));
}

// Where the two layouts keep the header's texts and unit codes.
struct HeaderPlaces {
    std::uint64_t title;
    std::uint64_t xUnits;
    std::uint64_t yUnits;
    std::uint64_t labels;
};

// The title, the units and, when the file has them, the axis labels.
void Describe(MeasuredSpectrum& spectrum, const ByteView& file, const Layout& layout,
              const HeaderPlaces& at) {
    spectrum.header.title = file.Text(at.title, 130);
    SetXUnits(spectrum.header, file.U8(at.xUnits));
    SetYUnits(spectrum.header, file.U8(at.yUnits), spectrum.y);
    if ((layout.flags & kAxisLabels) != 0) {
        SetLabels(spectrum.header, file, at.labels);
    }
}

Result ReadOlder(const std::string& path, const ByteView& file, std::uint64_t which) {
    if (!file.Has(0, kOlderHeader)) {
        return RefusedBinary(path,
                             Fill(TRAZEL_TR("Spc",
                                            "la cabecera SPC está incompleta (%1 bytes "
                                            "de %2)"),
                                  {std::to_string(file.Size()), std::to_string(kOlderHeader)}));
    }
    // The 16-bit exponent of this layout marks floats with 0x80 as well.
    Layout layout{true, file.U8(0), file.I16(2) == 0x80 ? kFloatExponent : file.I16(2)};
    if (layout.fileExponent < -128 || layout.fileExponent > 127) {
        return RefusedBinary(path, Fill(TRAZEL_TR("Spc",
                                                  "el exponente %1 de la cabecera SPC no es "
                                                  "válido"),
                                        {std::to_string(layout.fileExponent)}));
    }
    if ((layout.flags & (kExplicitX | kOwnX)) != 0) {
        return RefusedBinary(path, TRAZEL_TR("Spc",
                                             "el formato SPC antiguo con abscisas explícitas no "
                                             "se admite"));
    }
    const float count = file.F32(4);
    if (!(count >= 2.0F && count <= static_cast<float>(file.Size()))) {
        return RefusedBinary(path, Fill(TRAZEL_TR("Spc",
                                                  "el número de puntos del archivo SPC (%1) no "
                                                  "cabe en el archivo"),
                                        {std::to_string(count)}));
    }
    const auto points = static_cast<std::uint64_t>(count);
    MeasuredSpectrum spectrum;
    // The older layout has no count of subfiles: they follow one another
    // to the end of the file, each after a subheader of its own.
    const int firstExponent = SubfileExponent(file, layout, kOlderFirstSubheader);
    const std::uint64_t firstY = points * YBytes(layout, firstExponent);
    const std::uint64_t each = kSubheader + firstY;
    const std::uint64_t subfiles =
        (layout.flags & kSeveral) != 0 && file.Size() >= kOlderHeader + firstY
            ? 1 + (file.Size() - kOlderHeader - firstY) / each
            : 1;
    if (which >= subfiles) {
        return NoSubfile(path, which, subfiles);
    }
    const std::uint64_t subheader =
        which == 0 ? kOlderFirstSubheader : kOlderHeader + firstY + (which - 1) * each;
    const int exponent = SubfileExponent(file, layout, subheader);
    if (auto fault = ReadY(file, layout, subheader + kSubheader, points, exponent, path, which,
                           spectrum.y)) {
        return Result::Failed(ReadFailure::Content, *fault);
    }
    const double first = file.F32(8);
    const double last = file.F32(12);
    spectrum.x.resize(points);
    for (std::uint64_t i = 0; i < points; ++i) {
        spectrum.x[i] =
            first + (last - first) * static_cast<double>(i) / static_cast<double>(points - 1);
    }
    Describe(spectrum, file, layout, {.title = 64, .xUnits = 16, .yUnits = 17, .labels = 194});
    spectrum.firstOfSeveral = subfiles > 1;
    NameSubfile(spectrum, file, subheader, which, subfiles);
    return spectrum;
}

Result ReadCurrent(const std::string& path, const ByteView& file, std::uint64_t which) {
    if (!file.Has(0, kHeader)) {
        return RefusedBinary(path, Fill(TRAZEL_TR("Spc",
                                                  "la cabecera SPC está incompleta (%1 bytes "
                                                  "de %2)"),
                                        {std::to_string(file.Size()), std::to_string(kHeader)}));
    }
    Layout layout{false, file.U8(0), static_cast<std::int8_t>(file.U8(3))};
    const bool several = (layout.flags & kSeveral) != 0;
    const bool ownX = (layout.flags & kOwnX) != 0;
    const std::uint32_t npts = file.U32(4);
    const std::uint64_t subfiles = several ? file.U32(24) : 1;
    if (subfiles == 0) {
        return RefusedBinary(path, TRAZEL_TR("Spc",
                                             "el archivo SPC dice que no tiene ningún "
                                             "subarchivo"));
    }
    if (which >= subfiles) {
        return NoSubfile(path, which, subfiles);
    }
    MeasuredSpectrum spectrum;
    std::uint64_t subheader = kHeader;
    std::uint64_t points = npts;
    if (ownX) {
        // Each subfile has its own x: a directory of subfiles, when the
        // count of points gives its offset, says where each one is;
        // without it they follow one another, each as long as its count.
        if (npts != 0) {
            if (!file.HasItems(npts, subfiles, kDirectoryEntry)) {
                return RefusedBinary(
                    path, PastTheEnd(TRAZEL_TR("Spc", "el directorio de subarchivos"), npts,
                                     subfiles * kDirectoryEntry, file.Size()));
            }
            subheader = file.U32(npts + which * kDirectoryEntry);
        }
        for (std::uint64_t s = 0;; ++s) {
            if (!file.Has(subheader, kSubheader)) {
                return RefusedBinary(
                    path, PastTheEnd(SubfileName(s), subheader, kSubheader, file.Size()));
            }
            points = file.U32(subheader + 16);
            if (!file.HasItems(subheader + kSubheader, points, 4)) {
                return RefusedBinary(path, PastTheEnd(SubfileName(s), subheader + kSubheader,
                                                      points * 4, file.Size()));
            }
            if (npts != 0 || s == which) {
                break;
            }
            // Past the end is found above, at the next subheader, or by ReadY.
            subheader += kSubheader +
                         points * (4 + YBytes(layout, SubfileExponent(file, layout, subheader)));
        }
        spectrum.x.resize(points);
        for (std::uint64_t i = 0; i < points; ++i) {
            spectrum.x[i] = file.F32(subheader + kSubheader + 4 * i);
        }
    } else if ((layout.flags & kExplicitX) != 0) {
        if (!file.HasItems(kHeader, points, 4)) {
            return RefusedBinary(path, PastTheEnd(TRAZEL_TR("Spc", "las abscisas"), kHeader,
                                                  points * 4, file.Size()));
        }
        spectrum.x.resize(points);
        for (std::uint64_t i = 0; i < points; ++i) {
            spectrum.x[i] = file.F32(kHeader + 4 * i);
        }
        subheader = kHeader + points * 4;
    } else if (points >= 2 && file.HasItems(kHeader, points, 2)) {
        const double first = file.F64(8);
        const double last = file.F64(16);
        spectrum.x.resize(points);
        for (std::uint64_t i = 0; i < points; ++i) {
            spectrum.x[i] =
                first + (last - first) * static_cast<double>(i) / static_cast<double>(points - 1);
        }
    }
    if (points < 2) {
        return RefusedBinary(path, Fill(TRAZEL_TR("Spc",
                                                  "el archivo SPC tiene %1 puntos; hacen falta "
                                                  "al menos dos"),
                                        {std::to_string(points)}));
    }
    if (!file.Has(subheader, kSubheader)) {
        return RefusedBinary(path, PastTheEnd(TRAZEL_TR("Spc", "el primer subarchivo"), subheader,
                                              kSubheader, file.Size()));
    }
    if (!ownX && several) {
        // Subfiles sharing x are all the same size: a file too short for the
        // count it gives has lost some.
        const std::uint64_t each =
            kSubheader + points * YBytes(layout, SubfileExponent(file, layout, subheader));
        if (!file.HasItems(subheader, subfiles, each)) {
            return RefusedBinary(path, PastTheEnd(TRAZEL_TR("Spc", "los subarchivos"), subheader,
                                                  subfiles * each, file.Size()));
        }
        subheader += which * each;
    }
    const std::uint64_t yAt = subheader + kSubheader + (ownX ? points * 4 : 0);
    const int exponent = SubfileExponent(file, layout, subheader);
    if (auto fault = ReadY(file, layout, yAt, points, exponent, path, which, spectrum.y)) {
        return Result::Failed(ReadFailure::Content, *fault);
    }
    Describe(spectrum, file, layout, {.title = 88, .xUnits = 28, .yUnits = 29, .labels = 218});
    spectrum.firstOfSeveral = subfiles > 1;
    NameSubfile(spectrum, file, subheader, which, subfiles);
    return spectrum;
}

}  // namespace

std::string ByteView::Text(std::uint64_t at, std::size_t length) const {
    std::string text;
    for (std::uint64_t i = at; i < at + length && i < bytes_.size() && bytes_[i] != 0; ++i) {
        text.push_back(static_cast<char>(bytes_[i]));
    }
    const auto first = text.find_first_not_of(" \t\r\n");
    const auto last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

BinaryFormat RecogniseBinarySpectrum(std::span<const unsigned char> start) {
    if (start.size() >= 4 && start[0] == 0x0A && start[1] == 0x0A && start[2] == 0xFE &&
        start[3] == 0xFE) {
        return BinaryFormat::Opus;
    }
    // A text file may well start with "xK": a header of numbers always holds
    // NUL bytes, which no text file does.
    const bool spcVersion =
        start.size() >= 2 &&
        (start[1] == kCurrent || start[1] == kCurrentBigEndian || start[1] == kOlder);
    if (spcVersion && std::find(start.begin(), start.end(), 0) != start.end()) {
        return BinaryFormat::Spc;
    }
    return BinaryFormat::None;
}

ReadResult<MeasuredSpectrum> ReadSpc(const std::string& path, std::span<const unsigned char> bytes,
                                     std::size_t which) {
    if (bytes.size() < 2) {
        return RefusedBinary(path, TRAZEL_TR("Spc", "la cabecera SPC está incompleta"));
    }
    Result result = bytes[1] == kOlder
                        ? ReadOlder(path, ByteView(bytes, false), which)
                        : ReadCurrent(path, ByteView(bytes, bytes[1] == kCurrentBigEndian), which);
    if (!result.Ok()) {
        return result;
    }
    const MeasuredSpectrum& spectrum = result.Value();
    for (std::size_t i = 0; i < spectrum.x.size(); ++i) {
        if (!std::isfinite(spectrum.x[i]) || !std::isfinite(spectrum.y[i])) {
            return RefusedBinary(path, Fill(TRAZEL_TR("Spc", "el punto %1 no es un número finito"),
                                            {std::to_string(i + 1)}));
        }
    }
    return result;
}

}  // namespace trazel::input
