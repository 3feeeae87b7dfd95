// OPUS files, read from the published descriptions of their layout: a
// directory of blocks, each named by its type, with its length in 4-byte
// words and its offset; spectra are blocks of numbers, each described by a
// data-parameter block of named values (NPT, FXV, LXV, CSF, DPF, DXU).

#include <cmath>
#include <cstdint>
#include <optional>

#include "input/binary_spectrum.h"
#include "platform/file_errors.h"
#include "platform/translation.h"

namespace trazel::input {

namespace {

using Result = ReadResult<MeasuredSpectrum>;
using platform::Fill;

constexpr std::uint64_t kDirectoryFields = 24;
constexpr std::uint64_t kEntry = 12;

// The first byte of a block's type: what kind of numbers (amplitude) and of
// which measurement (sample, or ratioed against the reference); 16 more for
// the block of parameters that describes the numbers. The second byte names
// the quantity, the third marks text blocks.
constexpr std::uint8_t kParameters = 0x10;
constexpr std::uint8_t kSampleAmplitude = 0x07;
constexpr std::uint8_t kReferenceAmplitude = 0x0B;
constexpr std::uint8_t kRatioedAmplitude = 0x0F;
constexpr std::uint8_t kSampleOrigin = 0xA0;

struct Kind {
    std::uint8_t first;
    std::uint8_t second;
    const char* name;  // the name OPUS shows for the block
    model::YUnit unit;
};

// The spectra read, in the order they are preferred.
constexpr Kind kKinds[] = {
    {kRatioedAmplitude, 0x10, "AB", model::YUnit::Absorbance},
    {kRatioedAmplitude, 0x14, "TR", model::YUnit::Transmittance},
    {kSampleAmplitude, 0x04, "ScSm", model::YUnit::Unknown},
    {kReferenceAmplitude, 0x04, "ScRf", model::YUnit::Unknown},
};

struct Block {
    std::uint8_t type[3] = {};
    std::uint64_t offset = 0;
    std::uint64_t length = 0;  // in bytes
};

// The block of that type numbered nth (from 0) in the directory.
const Block* Find(const std::vector<Block>& blocks, std::uint8_t first, std::uint8_t second,
                  std::size_t nth = 0) {
    for (const Block& block : blocks) {
        if (block.type[0] == first && block.type[1] == second && block.type[2] == 0 && nth-- == 0) {
            return &block;
        }
    }
    return nullptr;
}

// A spectrum of the file: the nth block of a kind with the nth block of its
// parameters, as a file of several of a kind (compensated and not) pairs them.
struct Candidate {
    const Kind* kind;
    const Block* data;
    const Block* status;
    std::string name;  // the kind's name, numbered from the second on
};

std::vector<Candidate> Candidates(const std::vector<Block>& blocks) {
    std::vector<Candidate> found;
    for (const Kind& kind : kKinds) {
        for (std::size_t nth = 0;; ++nth) {
            const Block* data = Find(blocks, kind.first, kind.second, nth);
            const Block* status = Find(blocks, kind.first | kParameters, kind.second, nth);
            if (!data || !status) {
                break;
            }
            found.push_back({&kind, data, status,
                             nth == 0 ? std::string(kind.name)
                                      : std::string(kind.name) + " " + std::to_string(nth + 1)});
        }
    }
    return found;
}

// The values of a parameter block: a three-letter name and a NUL, the type
// (0 integer, 1 double, 2 to 4 text) and the size of the value in 2-byte
// words, then the value; "END" ends the list.
struct Parameters {
    std::optional<std::int64_t> points;  // NPT
    std::optional<double> first;         // FXV
    std::optional<double> last;          // LXV
    double factor = 1.0;                 // CSF
    std::int64_t format = 1;             // DPF: 1 float, 2 32-bit integer
    std::string xUnits;                  // DXU
    std::string sampleName;              // SNM
};

std::optional<std::string> ReadParameters(const ByteView& file, const Block& block,
                                          const char* blockName, Parameters& out) {
    std::uint64_t at = block.offset;
    const std::uint64_t end = block.offset + block.length;
    while (at + 8 <= end) {
        const std::string name = file.Text(at, 3);
        if (name == "END") {
            return std::nullopt;
        }
        const std::uint16_t type = file.U16(at + 4);
        const std::uint64_t size = 2ULL * file.U16(at + 6);
        const std::uint64_t value = at + 8;
        if (size > end - value) {
            return Fill(TRAZEL_TR("Opus", "el parámetro %1 del bloque %2 acaba fuera del bloque"),
                        {name, blockName});
        }
        if (type == 0 && size >= 4) {
            const std::int64_t number = file.I32(value);
            if (name == "NPT") {
                out.points = number;
            } else if (name == "DPF") {
                out.format = number;
            }
        } else if (type == 1 && size >= 8) {
            const double number = file.F64(value);
            if (name == "FXV") {
                out.first = number;
            } else if (name == "LXV") {
                out.last = number;
            } else if (name == "CSF") {
                out.factor = number;
            }
        } else if (type >= 2 && type <= 4) {
            if (name == "DXU") {
                out.xUnits = file.Text(value, size);
            } else if (name == "SNM") {
                out.sampleName = file.Text(value, size);
            }
        }
        at = value + size;
    }
    return std::nullopt;
}

void SetXUnits(model::SpectrumHeader& header, const std::string& units) {
    if (units == "WN") {
        model::SetXUnit(header, model::XUnit::Wavenumber);
    } else if (units == "MI") {
        model::SetXUnit(header, model::XUnit::Micrometre);
    } else if (units == "NM" || units == "LGW") {
        // LGW is a wavelength in nanometres on the descriptions that name it.
        model::SetXUnit(header, model::XUnit::Nanometre);
    } else {
        header.xUnits = units;
    }
}

}  // namespace

ReadResult<MeasuredSpectrum> ReadOpus(const std::string& path, std::span<const unsigned char> bytes,
                                      std::size_t which) {
    const ByteView file(bytes, false);
    if (!file.Has(0, kDirectoryFields)) {
        return RefusedBinary(path, TRAZEL_TR("Opus", "la cabecera OPUS está incompleta"));
    }
    const std::uint64_t directory = file.U32(12);
    const std::uint64_t count = file.U32(20);
    if (!file.HasItems(directory, count, kEntry)) {
        return RefusedBinary(path, Fill(TRAZEL_TR("Opus",
                                                  "el directorio de bloques OPUS (%1 bloques "
                                                  "desde el byte %2) acaba fuera del archivo, "
                                                  "que tiene %3 bytes"),
                                        {std::to_string(count), std::to_string(directory),
                                         std::to_string(file.Size())}));
    }
    std::vector<Block> blocks(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at = directory + i * kEntry;
        Block& block = blocks[i];
        block.type[0] = file.U8(at);
        block.type[1] = file.U8(at + 1);
        block.type[2] = file.U8(at + 2);
        block.length = 4ULL * file.U32(at + 4);
        block.offset = file.U32(at + 8);
    }
    const std::vector<Candidate> candidates = Candidates(blocks);
    if (candidates.empty()) {
        return RefusedBinary(path, TRAZEL_TR("Opus",
                                             "el archivo OPUS no tiene ningún espectro de "
                                             "absorbancia (AB), transmitancia (TR) ni de canal "
                                             "único de la muestra (ScSm) con sus parámetros"));
    }
    if (which >= candidates.size()) {
        return Result::Failed(ReadFailure::NoSuchSpectrum,
                              NoSuchSpectrum(path, which + 1, candidates.size()));
    }
    const Candidate& chosen = candidates[which];
    const Kind* kind = chosen.kind;
    const Block* data = chosen.data;
    const Block* status = chosen.status;
    const std::string statusName = Fill(TRAZEL_TR("Opus", "de parámetros de %1"), {chosen.name});
    for (const auto& [block, name] :
         {std::pair{data, chosen.name}, std::pair{status, statusName}}) {
        if (!file.Has(block->offset, block->length)) {
            return RefusedBinary(
                path, Fill(TRAZEL_TR("Opus",
                                     "el bloque %1 (%2 bytes desde el byte %3) "
                                     "acaba fuera del archivo, que tiene %4 "
                                     "bytes"),
                           {name, std::to_string(block->length), std::to_string(block->offset),
                            std::to_string(file.Size())}));
        }
    }
    Parameters parameters;
    if (auto fault = ReadParameters(file, *status, statusName.c_str(), parameters)) {
        return RefusedBinary(path, *fault);
    }
    if (!parameters.points || !parameters.first || !parameters.last) {
        return RefusedBinary(path, Fill(TRAZEL_TR("Opus",
                                                  "el bloque %1 no da el número de puntos "
                                                  "(NPT), la primera x (FXV) y la última "
                                                  "(LXV)"),
                                        {statusName}));
    }
    const std::int64_t points = *parameters.points;
    if (points < 2 || static_cast<std::uint64_t>(points) > data->length / 4) {
        return RefusedBinary(path, Fill(TRAZEL_TR("Opus",
                                                  "el bloque %1 dice que hay %2 puntos, pero "
                                                  "el bloque %3 tiene sitio para %4"),
                                        {statusName, std::to_string(points), chosen.name,
                                         std::to_string(data->length / 4)}));
    }
    if (parameters.format != 1 && parameters.format != 2) {
        return RefusedBinary(path, Fill(TRAZEL_TR("Opus",
                                                  "el bloque %1 da un formato de números "
                                                  "(DPF=%2) que no se conoce"),
                                        {statusName, std::to_string(parameters.format)}));
    }
    MeasuredSpectrum spectrum;
    const auto n = static_cast<std::size_t>(points);
    spectrum.x.resize(n);
    spectrum.y.resize(n);
    const double first = *parameters.first;
    const double last = *parameters.last;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t at = data->offset + 4 * i;
        const double value = parameters.format == 1 ? file.F32(at) : file.I32(at);
        spectrum.y[i] = value * parameters.factor;
        spectrum.x[i] =
            first + (last - first) * static_cast<double>(i) / static_cast<double>(n - 1);
        if (!std::isfinite(spectrum.x[i]) || !std::isfinite(spectrum.y[i])) {
            return RefusedBinary(path, Fill(TRAZEL_TR("Opus",
                                                      "el punto %1 del bloque %2 no es un "
                                                      "número finito"),
                                            {std::to_string(i + 1), chosen.name}));
        }
    }
    SetXUnits(spectrum.header, parameters.xUnits);
    if (kind->unit != model::YUnit::Unknown) {
        model::SetYUnit(spectrum.header, kind->unit);
    } else {
        spectrum.header.yUnits = "single channel";
    }
    if (const Block* sample = Find(blocks, kSampleOrigin, 0);
        sample && file.Has(sample->offset, sample->length)) {
        Parameters origin;
        if (!ReadParameters(file, *sample, "", origin)) {
            spectrum.header.title = origin.sampleName;
        }
    }
    spectrum.spectrum = static_cast<int>(which);
    spectrum.spectra = static_cast<int>(candidates.size());
    spectrum.name = chosen.name;
    spectrum.kind = kind->name;
    if (candidates.front().kind != &kKinds[0]) {
        spectrum.notes.push_back(
            Fill(TRAZEL_TR("Opus", "%1 no tiene espectro de absorbancia; se lee el bloque %2."),
                 {platform::QuoteFileName(path), chosen.name}));
    }
    return spectrum;
}

}  // namespace trazel::input
