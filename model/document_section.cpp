#include "model/document_section.h"
#include "platform/translation.h"

#include <algorithm>
#include <array>
#include <bit>
#include <istream>

namespace trazel::model {

using platform::Fill;

namespace {

void PutLittleEndian(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    }
}

std::uint64_t GetLittleEndian(std::string_view in, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
    }
    return value;
}

// Anything longer than the header and the largest section has been cut by
// ReadTrailingBytes and cannot be written back as it was.
bool Whole(std::string_view trailing) {
    return trailing.size() <= kSectionHeaderSize + kMaxSectionBytes;
}

SectionRead Damaged(std::string_view trailing, std::string problem) {
    SectionRead read;
    read.kind = SectionRead::Kind::Damaged;
    if (Whole(trailing)) {
        read.keptBytes = std::string(trailing);
    }
    read.problem = std::move(problem);
    return read;
}

constexpr std::size_t kRecordHeaderSize = 4 + 8;

}  // namespace

RecordWriter& RecordWriter::U32(std::uint32_t value) {
    PutLittleEndian(bytes_, value, 4);
    return *this;
}

RecordWriter& RecordWriter::U64(std::uint64_t value) {
    PutLittleEndian(bytes_, value, 8);
    return *this;
}

RecordWriter& RecordWriter::F64(double value) {
    return U64(std::bit_cast<std::uint64_t>(value));
}

RecordWriter& RecordWriter::String(std::string_view text) {
    U64(text.size());
    bytes_ += text;
    return *this;
}

RecordWriter& RecordWriter::Doubles(const std::vector<double>& values) {
    U64(values.size());
    for (const double value : values) {
        F64(value);
    }
    return *this;
}

std::string_view RecordReader::Take(std::size_t size) {
    if (size > bytes_.size() - at_) {
        throw RecordError(TRAZEL_TR("DocumentSection", "un registro termina antes de tiempo"));
    }
    const std::string_view taken = bytes_.substr(at_, size);
    at_ += size;
    return taken;
}

std::uint32_t RecordReader::U32() {
    return static_cast<std::uint32_t>(GetLittleEndian(Take(4), 0, 4));
}

std::uint64_t RecordReader::U64() {
    return GetLittleEndian(Take(8), 0, 8);
}

double RecordReader::F64() {
    return std::bit_cast<double>(U64());
}

bool RecordReader::Bool() {
    const std::uint32_t value = U32();
    if (value > 1) {
        throw RecordError(
            TRAZEL_TR("DocumentSection", "un registro tiene un valor lógico que no es 0 ni 1"));
    }
    return value == 1;
}

std::string RecordReader::String(std::size_t max) {
    const std::uint64_t size = U64();
    if (size > max) {
        throw RecordError(
            Fill(TRAZEL_TR("DocumentSection",
                           "un registro tiene un texto de %1 bytes, más de los %2 que admite"),
                 {std::to_string(size), std::to_string(max)}));
    }
    return std::string(Take(static_cast<std::size_t>(size)));
}

std::vector<double> RecordReader::Doubles(std::size_t max) {
    const std::uint64_t count = U64();
    if (count > max || count > (bytes_.size() - at_) / 8) {
        throw RecordError(
            Fill(TRAZEL_TR("DocumentSection",
                           "un registro dice tener %1 números, más de los que caben en él"),
                 {std::to_string(count)}));
    }
    std::vector<double> values(static_cast<std::size_t>(count));
    for (double& value : values) {
        value = F64();
    }
    return values;
}

std::uint32_t Crc32(std::string_view bytes) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1U) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char byte : bytes) {
        crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xffU] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFU;
}

std::string SectionBytes(const DocumentSection& section) {
    if (section.records.empty()) {
        return {};
    }
    std::string contents;
    for (const SectionRecord& record : section.records) {
        PutLittleEndian(contents, record.tag, 4);
        PutLittleEndian(contents, record.bytes.size(), 8);
        contents += record.bytes;
    }
    std::string out(kSectionMagic);
    PutLittleEndian(out, kSectionVersion, 4);
    PutLittleEndian(out, contents.size(), 8);
    PutLittleEndian(out, Crc32(contents), 4);
    return out + contents;
}

SectionRead ReadSection(std::string_view trailing) {
    // The layout's readers ignore whatever follows the records, and no
    // program ever wrote anything there but a section.
    if (trailing.size() < kSectionMagic.size() ||
        trailing.substr(0, kSectionMagic.size()) != kSectionMagic) {
        return {};
    }
    if (trailing.size() < kSectionHeaderSize) {
        return Damaged(trailing,
                       TRAZEL_TR("DocumentSection",
                                 "El análisis guardado está cortado: falta parte de su cabecera."));
    }
    const auto version = static_cast<std::uint32_t>(GetLittleEndian(trailing, 4, 4));
    if (version > kSectionVersion) {
        if (!Whole(trailing)) {
            return Damaged(trailing,
                           TRAZEL_TR("DocumentSection",
                                     "El análisis guardado ocupa más de lo que puede ocupar."));
        }
        SectionRead read;
        read.kind = SectionRead::Kind::Newer;
        read.keptBytes = std::string(trailing);
        return read;
    }
    if (version == 0) {
        return Damaged(trailing, TRAZEL_TR("DocumentSection",
                                           "El análisis guardado no es válido: su versión es 0."));
    }
    const std::uint64_t length = GetLittleEndian(trailing, 8, 8);
    const std::string_view contents = trailing.substr(kSectionHeaderSize);
    if (length > kMaxSectionBytes) {
        return Damaged(trailing, Fill(TRAZEL_TR("DocumentSection",
                                                "El análisis guardado no es válido: dice ocupar %1 "
                                                "bytes, más de los %2 que puede ocupar."),
                                      {std::to_string(length), std::to_string(kMaxSectionBytes)}));
    }
    if (length > contents.size()) {
        return Damaged(trailing, Fill(TRAZEL_TR("DocumentSection",
                                                "El análisis guardado está cortado: dice ocupar %1 "
                                                "bytes y el archivo tiene %2."),
                                      {std::to_string(length), std::to_string(contents.size())}));
    }
    if (length < contents.size()) {
        return Damaged(
            trailing,
            TRAZEL_TR("DocumentSection",
                      "El análisis guardado no es válido: el archivo sigue tras su final."));
    }
    if (Crc32(contents) != static_cast<std::uint32_t>(GetLittleEndian(trailing, 16, 4))) {
        return Damaged(trailing,
                       TRAZEL_TR("DocumentSection",
                                 "El análisis guardado está dañado: su suma de comprobación no "
                                 "coincide con su contenido."));
    }
    SectionRead read;
    read.kind = SectionRead::Kind::Read;
    std::size_t at = 0;
    while (at < contents.size()) {
        if (read.section.records.size() == kMaxSectionRecords) {
            return Damaged(
                trailing,
                Fill(TRAZEL_TR("DocumentSection",
                               "El análisis guardado no es válido: tiene más de %1 registros."),
                     {std::to_string(kMaxSectionRecords)}));
        }
        if (contents.size() - at < kRecordHeaderSize) {
            return Damaged(
                trailing,
                TRAZEL_TR("DocumentSection",
                          "El análisis guardado no es válido: su último registro está cortado."));
        }
        SectionRecord record;
        record.tag = static_cast<std::uint32_t>(GetLittleEndian(contents, at, 4));
        const std::uint64_t size = GetLittleEndian(contents, at + 4, 8);
        at += kRecordHeaderSize;
        if (size > contents.size() - at) {
            return Damaged(trailing,
                           Fill(TRAZEL_TR("DocumentSection",
                                          "El análisis guardado no es válido: el registro "
                                          "%1 dice ocupar más bytes de los que quedan."),
                                {std::to_string(read.section.records.size() + 1)}));
        }
        record.bytes = std::string(contents.substr(at, static_cast<std::size_t>(size)));
        at += static_cast<std::size_t>(size);
        read.section.records.push_back(std::move(record));
    }
    return read;
}

std::string ReadTrailingBytes(std::istream& in) {
    std::string bytes(kSectionHeaderSize, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    // Whatever else follows the records is not read at all. A section is read
    // to its end, not only as far as its header says: a damaged length or a
    // later version's layout must not cut what is kept to be written back.
    if (bytes.size() < kSectionHeaderSize || !bytes.starts_with(kSectionMagic)) {
        return bytes;
    }
    std::uint64_t rest = kMaxSectionBytes + 1;
    std::array<char, 1 << 16> block{};
    while (rest > 0 && in) {
        in.read(block.data(),
                static_cast<std::streamsize>(std::min<std::uint64_t>(block.size(), rest)));
        const auto got = static_cast<std::size_t>(in.gcount());
        bytes.append(block.data(), got);
        rest -= got;
    }
    return bytes;
}

}  // namespace trazel::model
