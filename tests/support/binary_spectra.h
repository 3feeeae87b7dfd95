#pragma once

// Writes SPC and OPUS files byte by byte after the published descriptions of
// their layouts, so that the readers meet every layout and every damaged
// count without a real file of each.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

class ByteWriter {
  public:
    explicit ByteWriter(bool bigEndian = false) : big_(bigEndian) {}
    template <class T>
    ByteWriter& At(std::size_t offset, T value) {
        unsigned char raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        if (bytes.size() < offset + sizeof(T)) {
            bytes.resize(offset + sizeof(T));
        }
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            bytes[offset + i] = static_cast<char>(raw[big_ ? sizeof(T) - 1 - i : i]);
        }
        return *this;
    }
    template <class T>
    ByteWriter& Add(T value) {
        return At(bytes.size(), value);
    }
    std::string bytes;

  private:
    bool big_;
};

// An SPC file whose subfiles s each hold the points (10, 1.5 + s) and
// (20, -2 + s) at z = 1 + s / 2, in the layout the fields choose.
struct SpcFile {
    std::uint8_t flags = 0;
    std::uint8_t version = 0x4B;
    int exponent = -128;  // 0x80: IEEE floats
    std::uint32_t subfiles = 1;
    bool directory = false;  // with each subfile's own x

    std::string Write() const {
        const bool older = version == 0x4D;
        const bool ownX = (flags & 0x40) != 0;
        ByteWriter out(version == 0x4C);
        if (older) {
            out.At(0, flags).At(1, version).At(2, static_cast<std::int16_t>(exponent));
            out.At(4, 2.0F).At(8, 10.0F).At(12, 20.0F).At<std::uint8_t>(16, 1).At<std::uint8_t>(17,
                                                                                                2);
            out.bytes.resize(224);
        } else {
            out.At(0, flags).At(1, version).At(3, static_cast<std::int8_t>(exponent));
            out.At(4, std::uint32_t{2}).At(8, 10.0).At(16, 20.0).At(24, subfiles);
            out.At<std::uint8_t>(28, 1).At<std::uint8_t>(29, 2);
            out.bytes.resize(512);
            if (ownX) {
                out.At(4, std::uint32_t{0});  // no directory, unless written below
            }
            if ((flags & 0x80) != 0 && !ownX) {
                out.Add(10.0F).Add(20.0F);
            }
        }
        std::vector<std::uint32_t> offsets;
        for (std::uint32_t s = 0; s < subfiles; ++s) {
            offsets.push_back(static_cast<std::uint32_t>(out.bytes.size()));
            const std::size_t at = out.bytes.size();
            out.At(at, std::uint8_t{0}).At(at + 1, static_cast<std::int8_t>(exponent));
            out.At(at + 4, static_cast<float>(1 + 0.5 * s));  // z
            out.At(at + 16, std::uint32_t{ownX ? 2U : 0U}).At(at + 28, std::uint32_t{0});
            if (ownX) {
                out.Add(10.0F).Add(20.0F);
            }
            for (const double y : {1.5 + s, -2.0 + s}) {
                if (exponent == -128) {
                    out.Add(static_cast<float>(y));
                } else if ((flags & 0x01) != 0) {
                    out.Add(static_cast<std::int16_t>(std::ldexp(y, 16 - exponent)));
                } else {
                    const auto value = static_cast<std::int32_t>(std::ldexp(y, 32 - exponent));
                    const auto bits = static_cast<std::uint32_t>(value);
                    older ? out.Add(static_cast<std::uint16_t>(bits >> 16))
                                .Add(static_cast<std::uint16_t>(bits & 0xFFFF))
                          : out.Add(value);
                }
            }
        }
        if (directory) {
            out.At(4, static_cast<std::uint32_t>(out.bytes.size()));
            for (const std::uint32_t offset : offsets) {
                out.Add(offset).Add(std::uint32_t{40}).Add(0.0F);
            }
        }
        return out.bytes;
    }
};

// An OPUS file: its blocks, each of a type (three bytes) and contents, after
// a directory that names them in order.
struct OpusFile {
    std::vector<std::pair<std::uint32_t, std::string>> blocks;

    std::string Write() const {
        ByteWriter out;
        const auto count = static_cast<std::uint32_t>(blocks.size());
        out.At(0, std::uint32_t{0xFEFE0A0A}).At(4, 920622.0).At(12, std::uint32_t{24});
        out.At(16, count).At(20, count);
        std::uint32_t offset = 24 + 12 * count;
        for (std::uint32_t i = 0; i < count; ++i) {
            const auto words = static_cast<std::uint32_t>((blocks[i].second.size() + 3) / 4);
            out.At(24 + 12 * i, blocks[i].first).At(28 + 12 * i, words).At(32 + 12 * i, offset);
            offset += 4 * words;
        }
        for (const auto& block : blocks) {
            out.bytes += block.second;
            out.bytes.resize((out.bytes.size() + 3) / 4 * 4);
        }
        return out.bytes;
    }
};

// One named value of an OPUS parameter block.
inline std::string OpusParameter(const char* name, std::int32_t type, const std::string& value) {
    ByteWriter out;
    out.bytes = std::string(name, 3) + '\0';
    const std::string padded = value + std::string(value.size() % 2, '\0');
    out.Add(static_cast<std::uint16_t>(type)).Add(static_cast<std::uint16_t>(padded.size() / 2));
    return out.bytes + padded;
}
template <class T>
std::string OpusNumber(const char* name, T value) {
    ByteWriter raw;
    raw.Add(value);
    return OpusParameter(name, sizeof(T) == 8 ? 1 : 0, raw.bytes);
}
