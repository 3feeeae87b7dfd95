#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "input/measured_spectrum.h"
#include "input/read_result.h"

namespace trazel::input {

// The binary spectrum formats instruments write, told apart by their first
// bytes; None for anything else (a text file, or a binary file of another
// kind, which the text reader refuses as binary).
enum class BinaryFormat { None, Spc, Opus };

// The bytes needed to tell the formats apart.
constexpr std::size_t kBinarySignatureBytes = 512;

BinaryFormat RecogniseBinarySpectrum(std::span<const unsigned char> start);

// Galactic SPC: the current layout in either byte order and the older one;
// the subfile numbered which (from 0) of a file of several.
ReadResult<MeasuredSpectrum> ReadSpc(const std::string& path, std::span<const unsigned char> bytes,
                                     std::size_t which = 0);

// OPUS: the spectrum numbered which (from 0) among its absorbance blocks,
// then transmittance, then the sample's and the reference's single channel
// spectra, each with its data parameters, and the sample's name; the first
// is the one a user most likely wants.
ReadResult<MeasuredSpectrum> ReadOpus(const std::string& path, std::span<const unsigned char> bytes,
                                      std::size_t which = 0);

// A binary spectrum refused for what its bytes say, naming the file.
inline ReadResult<MeasuredSpectrum> RefusedBinary(const std::string& path,
                                                  const std::string& reason) {
    return ReadResult<MeasuredSpectrum>::Failed(ReadFailure::Content, FileProblem(path, reason));
}

// Numbers of a binary file at byte offsets. Every read is checked by the
// caller with Has() first: the readers never trust a count or an offset
// before it has been measured against the file's size.
class ByteView {
  public:
    ByteView(std::span<const unsigned char> bytes, bool bigEndian)
        : bytes_(bytes), bigEndian_(bigEndian) {}

    std::uint64_t Size() const { return bytes_.size(); }
    // Whether count bytes from offset lie inside the file, without the sum
    // overflowing for counts read from a damaged file.
    bool Has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    // Whether count items of size bytes each from offset lie inside the file.
    bool HasItems(std::uint64_t offset, std::uint64_t count, std::uint64_t size) const {
        return size == 0 || (offset <= bytes_.size() && count <= (bytes_.size() - offset) / size);
    }
    std::uint8_t U8(std::uint64_t at) const { return bytes_[at]; }
    std::uint16_t U16(std::uint64_t at) const {
        return static_cast<std::uint16_t>(Unsigned(at, 2));
    }
    std::uint32_t U32(std::uint64_t at) const {
        return static_cast<std::uint32_t>(Unsigned(at, 4));
    }
    std::int16_t I16(std::uint64_t at) const { return static_cast<std::int16_t>(U16(at)); }
    std::int32_t I32(std::uint64_t at) const { return static_cast<std::int32_t>(U32(at)); }
    float F32(std::uint64_t at) const {
        const auto bits = static_cast<std::uint32_t>(Unsigned(at, 4));
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    double F64(std::uint64_t at) const {
        const std::uint64_t bits = Unsigned(at, 8);
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // The text of a fixed field, up to its first NUL, without the spaces
    // around it.
    std::string Text(std::uint64_t at, std::size_t length) const;

  private:
    std::uint64_t Unsigned(std::uint64_t at, int count) const {
        std::uint64_t value = 0;
        for (int i = 0; i < count; ++i) {
            const int index = bigEndian_ ? i : count - 1 - i;
            value = (value << 8) | bytes_[at + static_cast<std::uint64_t>(index)];
        }
        return value;
    }

    std::span<const unsigned char> bytes_;
    bool bigEndian_;
};

}  // namespace trazel::input
