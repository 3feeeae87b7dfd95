#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace trazel::model {

// What a document holds beyond its peak table travels in one section after
// the last record, where the table's readers stop reading:
//
//   "TRZA"  magic, 4 bytes
//   u32     version of the section's layout
//   u64     length of the contents in bytes
//   u32     CRC-32 of the contents
//   contents: records, each a u32 tag, a u64 length and that many bytes
//
// all little-endian. The contents are tagged so that new kinds of record need
// no new layout: a reader keeps the records it does not know and writes them
// back as they were.
inline constexpr std::string_view kSectionMagic = "TRZA";
inline constexpr std::uint32_t kSectionVersion = 1;
inline constexpr std::size_t kSectionHeaderSize = 4 + 4 + 8 + 4;
// Far above what a document needs (ten million measured points take 160 MB),
// far below what would exhaust a desktop's memory.
inline constexpr std::uint64_t kMaxSectionBytes = 512ULL << 20;
inline constexpr std::size_t kMaxSectionRecords = 4096;

struct SectionRecord {
    std::uint32_t tag = 0;
    std::string bytes;
    bool operator==(const SectionRecord&) const = default;
};

// An empty list of records is written as no section at all, so a document
// without one keeps the bytes it always had.
struct DocumentSection {
    std::vector<SectionRecord> records;
    bool operator==(const DocumentSection&) const = default;
};

struct SectionRead {
    enum class Kind {
        // Nothing after the records, or bytes that are not a section.
        None,
        Read,
        // A section of a later version: kept, bytes and all, to be written
        // back unchanged.
        Newer,
        Damaged,
    };
    Kind kind = Kind::None;
    DocumentSection section;
    std::string keptBytes;
    // Why a damaged section could not be read, in Spanish, as a sentence.
    std::string problem;
};

std::uint32_t Crc32(std::string_view bytes);

// The section holding records, or nothing for no records.
std::string SectionBytes(const DocumentSection& section);

// Reads the bytes that follow the last record. Every length is checked
// against the bytes there before anything is taken from them.
SectionRead ReadSection(std::string_view trailing);

// The bytes after a document's records that ReadSection needs: the section as
// far as its header says it goes and one byte more (never more than the
// largest section), or the first few bytes of anything else.
std::string ReadTrailingBytes(std::istream& in);

}  // namespace trazel::model
