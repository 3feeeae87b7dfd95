#pragma once

#include <cstdint>
#include <iosfwd>
#include <stdexcept>
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
        // Kept the same way: what could not be read is never lost by a save
        // that did not ask to drop it.
        Damaged,
    };
    Kind kind = Kind::None;
    DocumentSection section;
    // The bytes of a later version's or a damaged section as they came;
    // empty for a damaged one larger than any section, which cannot have
    // been read whole.
    std::string keptBytes;
    // Why a damaged section could not be read, in Spanish, as a sentence.
    std::string problem;
};

// Builds the bytes of one record: integers and doubles as their little-endian
// bytes, strings and lists behind their length.
class RecordWriter {
  public:
    RecordWriter& U32(std::uint32_t value);
    RecordWriter& U64(std::uint64_t value);
    RecordWriter& F64(double value);
    RecordWriter& Bool(bool value) { return U32(value ? 1U : 0U); }
    RecordWriter& String(std::string_view text);
    RecordWriter& Doubles(const std::vector<double>& values);
    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

// Takes the values of one record back in the order they were written. A read
// past the end, a length longer than what is left or above max, or a bool
// other than 0 or 1 throws RecordError, before anything is allocated for it.
struct RecordError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class RecordReader {
  public:
    explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}
    std::uint32_t U32();
    std::uint64_t U64();
    double F64();
    bool Bool();
    std::string String(std::size_t max);
    std::vector<double> Doubles(std::size_t max);
    // Records grow at their end in later versions; what is left is theirs.
    bool AtEnd() const { return at_ == bytes_.size(); }

  private:
    std::string_view Take(std::size_t size);
    std::string_view bytes_;
    std::size_t at_ = 0;
};

std::uint32_t Crc32(std::string_view bytes);

// The section holding records, or nothing for no records.
std::string SectionBytes(const DocumentSection& section);

// Reads the bytes that follow the last record. Every length is checked
// against the bytes there before anything is taken from them.
SectionRead ReadSection(std::string_view trailing);

// The bytes after a document's records that ReadSection needs: everything
// after the magic of a section, whatever its header says, up to the largest
// section's size and one byte more, so that a section that cannot be read is
// kept whole; the first few bytes of anything else.
std::string ReadTrailingBytes(std::istream& in);

}  // namespace trazel::model
