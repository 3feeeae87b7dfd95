#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "model/document_format.h"
#include "model/document_section.h"
#include "platform/archive.h"
#include "tests/support/peak_tables.h"

using namespace trazel::platform;
using namespace trazel::model;

namespace {

const DocumentSection kSection{{{1, "puntos"}, {7, std::string("\0\1\2", 3)}, {99, ""}}};

std::string Patched(std::string bytes, std::size_t at, std::string_view with) {
    return bytes.replace(at, with.size(), with);
}

}  // namespace

// A table-only document keeps its bytes; one with a section reads back the
// same records and, through a reader that knows only the records, the same
// table.
TEST(DocumentSection, TravelsAfterTheRecordsUnseenByTheirReaders) {
    EXPECT_EQ(SectionBytes({}), "");
    // The checksum is the common CRC-32 that other tools compute.
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926U);
    const PeakTable table = TableOf({{500, 2, 10}, {800, 1, 3}});
    std::ostringstream out;
    CArchive writer(out);
    WritePeakTable(writer, table);
    const std::string document = out.str() + SectionBytes(kSection);

    std::istringstream in(document);
    CArchive reader(in);
    EXPECT_TRUE(SameBands(ReadPeakTable(reader), table));
    const SectionRead read = ReadSection(ReadTrailingBytes(in));
    ASSERT_EQ(read.kind, SectionRead::Kind::Read);
    EXPECT_EQ(read.section, kSection);
    EXPECT_EQ(SectionBytes(read.section), SectionBytes(kSection));
}

struct TrailingCase {
    const char* name;
    std::string bytes;
    SectionRead::Kind kind;
    const char* problem;
};

class TrailingBytes : public testing::TestWithParam<TrailingCase> {};

// Read from a file as the document's reader reads them: what cannot be read
// is kept whole, whatever its header says of its length.
TEST_P(TrailingBytes, AreReadKeptOrRefusedWithTheirReason) {
    const TrailingCase& c = GetParam();
    std::istringstream in(c.bytes);
    const SectionRead read = ReadSection(ReadTrailingBytes(in));
    EXPECT_EQ(read.kind, c.kind);
    EXPECT_NE(read.problem.find(c.problem), std::string::npos) << read.problem;
    const bool kept =
        read.kind == SectionRead::Kind::Newer || read.kind == SectionRead::Kind::Damaged;
    EXPECT_EQ(read.keptBytes, kept ? c.bytes : "");
}

const std::string kGood = SectionBytes(kSection);

INSTANTIATE_TEST_SUITE_P(
    DocumentSection, TrailingBytes,
    testing::Values(
        TrailingCase{"nothing", "", SectionRead::Kind::None, ""},
        TrailingCase{"not a section", "basura", SectionRead::Kind::None, ""},
        TrailingCase{"header cut", kGood.substr(0, 10), SectionRead::Kind::Damaged, "cabecera"},
        TrailingCase{"contents cut", kGood.substr(0, kGood.size() - 1), SectionRead::Kind::Damaged,
                     "cortado"},
        TrailingCase{"bytes after it", kGood + "x", SectionRead::Kind::Damaged, "sigue"},
        TrailingCase{"a byte changed", Patched(kGood, kGood.size() - 2, "Z"),
                     SectionRead::Kind::Damaged, "suma de comprobación"},
        TrailingCase{"oversized", Patched(kGood, 8, std::string("\0\0\0\0\0\1\0\0", 8)),
                     SectionRead::Kind::Damaged, "más de los"},
        TrailingCase{"version 0", Patched(kGood, 4, std::string("\0\0\0\0", 4)),
                     SectionRead::Kind::Damaged, "versión"},
        TrailingCase{"newer version", Patched(kGood, 4, std::string("\2\0\0\0", 4)) + "más",
                     SectionRead::Kind::Newer, ""},
        TrailingCase{"newer version with a short length",
                     Patched(kGood, 4, std::string("\2\0\0\0\1\0\0\0\0\0\0\0", 12)),
                     SectionRead::Kind::Newer, ""},
        TrailingCase{"length far short", Patched(kGood, 8, std::string("\1\0\0\0\0\0\0\0", 8)),
                     SectionRead::Kind::Damaged, "sigue"}),
    [](const testing::TestParamInfo<TrailingCase>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

// A record that claims more bytes than follow, with a checksum that agrees,
// is refused before anything is taken from it.
TEST(DocumentSection, RecordLongerThanTheSectionIsRefused) {
    std::string contents = std::string("\1\0\0\0", 4) + std::string("\xff\0\0\0\0\0\0\0", 8);
    std::string bytes(kSectionMagic);
    bytes += std::string("\1\0\0\0", 4);
    bytes += std::string(1, static_cast<char>(contents.size())) + std::string(7, '\0');
    const std::uint32_t crc = Crc32(contents);
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>(crc >> (8 * i)));
    }
    const SectionRead read = ReadSection(bytes + contents);
    EXPECT_EQ(read.kind, SectionRead::Kind::Damaged);
    EXPECT_NE(read.problem.find("registro 1"), std::string::npos) << read.problem;
}

// A record's values come back as written; every length is checked against
// what is left before anything is taken or allocated.
TEST(DocumentSection, RecordValuesComeBackOrAreRefused) {
    const std::string bytes =
        RecordWriter().U32(7).F64(-0.0).Bool(true).String("ñu").Doubles({1.5, 2}).Bytes();
    RecordReader reader(bytes);
    EXPECT_EQ(reader.U32(), 7U);
    EXPECT_TRUE(std::signbit(reader.F64()));
    EXPECT_TRUE(reader.Bool());
    EXPECT_EQ(reader.String(10), "ñu");
    EXPECT_EQ(reader.Doubles(2), (std::vector<double>{1.5, 2}));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_THROW(reader.U32(), RecordError);
    EXPECT_THROW(RecordReader(RecordWriter().U32(2).Bytes()).Bool(), RecordError);
    EXPECT_THROW(RecordReader(RecordWriter().String("abc").Bytes()).String(2), RecordError);
    EXPECT_THROW(RecordReader(RecordWriter().U64(1ULL << 60).Bytes()).Doubles(1ULL << 62),
                 RecordError);
}
