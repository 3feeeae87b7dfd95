#include <gtest/gtest.h>

#include <sys/stat.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "document/trazel_doc.h"
#include "model/document_file.h"
#include "model/document_format.h"
#include "platform/archive.h"
#include "tests/support/scratch_dir.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::document;

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (const int v : values) {
        s.push_back(static_cast<char>(v));
    }
    return s;
}

const std::string kCurrentExample =
    Bytes({0xB0, 0x36, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x8F,
           0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
           0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x24, 0x40, 0x01, 0x00, 0x00, 0x00});
const std::string kOlderExample =
    Bytes({0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x8F,
           0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00,
           0x00, 0x00, 0x00, 0x00, 0x24, 0x40, 0x01, 0x00, 0x00, 0x00});

std::string Int32(std::int32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) {
        s[i] = static_cast<char>(static_cast<std::uint32_t>(v) >> (8 * i));
    }
    return s;
}

std::string Write(const CTrazelDoc& doc) {
    std::ostringstream out;
    CArchive ar(out);
    const_cast<CTrazelDoc&>(doc).Serialize(ar);
    return out.str();
}

void Read(CTrazelDoc& doc, const std::string& bytes) {
    std::istringstream in(bytes);
    CArchive ar(in);
    doc.Serialize(ar);
}

CTrazelDoc OneThousandPeakDoc() {
    CTrazelDoc doc;
    doc.OnNewDocument();
    doc.AddPeak(1000.0, 2.0, 10.0, 1.0);
    doc.ToggleSeparate({0});
    return doc;
}

TEST(DocumentFormat, WritesTheCurrentLayoutExample) {
    EXPECT_EQ(Write(OneThousandPeakDoc()), kCurrentExample);
}

TEST(DocumentFormat, EmptyAndFullTableSizes) {
    CTrazelDoc doc;
    doc.OnNewDocument();
    EXPECT_EQ(Write(doc), Bytes({0xB0, 0x36, 0, 0, 1, 0, 0, 0}));
    for (int i = 0; i < 99; ++i) {
        doc.AddPeak(i, i, i, i);
    }
    EXPECT_EQ(Write(doc).size(), 3572u);
}

TEST(DocumentFormat, ReadsBothExamples) {
    for (const std::string& bytes : {kCurrentExample, kOlderExample}) {
        CTrazelDoc doc;
        doc.OnNewDocument();
        Read(doc, bytes);
        const PeakTable& t = doc.Table();
        ASSERT_EQ(t.PeakCount(), 1);
        EXPECT_EQ(t.Band(1).position, 1000.0);
        EXPECT_EQ(t.Band(1).scale, 1.0);
        EXPECT_EQ(t.Band(1).scaledPosition, 1000.0);
        EXPECT_EQ(t.Band(1).intensity, 2.0);
        EXPECT_EQ(t.Band(1).width, 10.0);
        EXPECT_EQ(t.Band(1).separate, 1);
    }
}

TEST(DocumentFormat, OlderFileIsSavedInTheCurrentLayout) {
    CTrazelDoc doc;
    Read(doc, kOlderExample);
    EXPECT_EQ(Write(doc), kCurrentExample);
}

TEST(DocumentFormat, EmptyOlderFileReadsAsEmptyTable) {
    CTrazelDoc doc;
    doc.OnNewDocument();
    doc.AddPeak(1, 1, 1, 1);
    Read(doc, Int32(1));
    EXPECT_EQ(doc.Table().PeakCount(), 0);
}

TEST(DocumentFormat, RoundTripKeepsEveryBit) {
    CTrazelDoc doc;
    doc.OnNewDocument();
    const double special[] = {0.1,
                              -0.0,
                              std::numeric_limits<double>::infinity(),
                              std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::denorm_min(),
                              1e308,
                              -123.456789012345678};
    for (const double a : special) {
        doc.AddPeak(a, -a, a * 3, 1.0 / 3.0);
    }
    doc.ToggleSeparate({1, 3});
    CTrazelDoc copy;
    Read(copy, Write(doc));
    const PeakTable& a = doc.Table();
    const PeakTable& b = copy.Table();
    ASSERT_EQ(a.PeakCount(), b.PeakCount());
    for (int i = 1; i <= a.PeakCount(); ++i) {
        for (const auto field : {&Peak::position, &Peak::scale, &Peak::intensity, &Peak::width,
                                 &Peak::scaledPosition}) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(a.Band(i).*field),
                      std::bit_cast<std::uint64_t>(b.Band(i).*field))
                << "index " << i;
        }
        EXPECT_EQ(a.Band(i).separate, b.Band(i).separate);
    }
}

TEST(DocumentFormat, SeparateValueIsKeptAsRead) {
    std::string bytes = kCurrentExample;
    bytes.replace(40, 4, Int32(7));
    CTrazelDoc doc;
    Read(doc, bytes);
    EXPECT_EQ(doc.Table().Band(1).separate, 7);
    EXPECT_EQ(Write(doc), bytes);
}

TEST(DocumentFormat, BytesAfterTheLastRecordAreIgnored) {
    CTrazelDoc doc;
    Read(doc, kCurrentExample + "trailing garbage");
    EXPECT_EQ(doc.Table().PeakCount(), 1);
}

struct Damaged {
    const char* name;
    std::string bytes;
};

class DamagedDocument : public testing::TestWithParam<Damaged> {};

TEST_P(DamagedDocument, IsRefusedAndLeavesTheTableAlone) {
    CTrazelDoc doc = OneThousandPeakDoc();
    doc.AddPeak(7.0, 8.0, 9.0, 2.0);
    const std::string before = Write(doc);
    EXPECT_THROW(Read(doc, GetParam().bytes), CArchiveException);
    EXPECT_EQ(Write(doc), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedDocument,
    testing::Values(Damaged{"Empty", ""}, Damaged{"ShortHeader", Bytes({0xB0, 0x36})},
                    Damaged{"CurrentWithoutCount", Int32(14000)}, Damaged{"CountZero", Int32(0)},
                    Damaged{"CountNegative", Int32(-1)}, Damaged{"CountTooLarge", Int32(101)},
                    Damaged{"CountMinimum", Int32(std::numeric_limits<std::int32_t>::min())},
                    Damaged{"CurrentCountTooLarge", Int32(14000) + Int32(101)},
                    Damaged{"CurrentCountZero", Int32(14000) + Int32(0)},
                    Damaged{"CutInARecord", kCurrentExample.substr(0, 30)},
                    Damaged{"OlderCutInARecord", kOlderExample.substr(0, 31)},
                    Damaged{"MissingRecords", Int32(14000) + Int32(3) + kCurrentExample.substr(8)}),
    [](const testing::TestParamInfo<Damaged>& info) { return info.param.name; });

TEST(DocumentFormat, DamageMessagesSayWhatIsWrong) {
    CTrazelDoc doc;
    try {
        Read(doc, Int32(14000) + Int32(101));
        FAIL();
    } catch (const CArchiveException& e) {
        EXPECT_NE(std::string(e.what()).find("100 máximos"), std::string::npos) << e.what();
    }
    try {
        Read(doc, kCurrentExample.substr(0, 20));
        FAIL();
    } catch (const CArchiveException& e) {
        EXPECT_NE(std::string(e.what()).find("termina antes de tiempo"), std::string::npos);
    }
}

class DocumentFileTest : public testing::Test {
  protected:
    ScratchDir scratch_{"trazel-doc"};
    const std::filesystem::path& dir_ = scratch_.Path();
};

TEST_F(DocumentFileTest, SaveAndLoadThroughFiles) {
    const std::string path = (dir_ / "muestra").string();
    ASSERT_TRUE(SavePeakTableFile(path, OneThousandPeakDoc().Table()).ok());
    const std::string written = ScratchDir::Contents(path);
    EXPECT_EQ(written, kCurrentExample);
    PeakTable table;
    ASSERT_TRUE(LoadPeakTableFile(path, table).ok());
    EXPECT_EQ(table.PeakCount(), 1);
    EXPECT_EQ(std::filesystem::directory_iterator(dir_)->path().filename(), "muestra");

    // Saved with nothing after the records, a document keeps its bytes; with
    // a section, both loaders read the table and one the section too.
    ASSERT_TRUE(SaveDocumentFile(path, OneThousandPeakDoc().Table(), "").ok());
    EXPECT_EQ(ScratchDir::Contents(path), kCurrentExample);
    const DocumentSection section{{{3, "espectro"}}};
    ASSERT_TRUE(SaveDocumentFile(path, OneThousandPeakDoc().Table(), SectionBytes(section)).ok());
    DocumentContents contents;
    ASSERT_TRUE(LoadDocumentFile(path, contents).ok());
    EXPECT_EQ(contents.table.PeakCount(), 1);
    EXPECT_EQ(contents.section.section, section);
    ASSERT_TRUE(LoadPeakTableFile(path, table).ok());
    EXPECT_EQ(table.PeakCount(), 1);
    // One left after the older layout's records is read the same way, so
    // that converting the document keeps it.
    {
        std::ofstream out(path, std::ios::binary);
        out << kOlderExample << SectionBytes(section);
    }
    ASSERT_TRUE(LoadDocumentFile(path, contents).ok());
    EXPECT_EQ(contents.section.section, section);
}

TEST_F(DocumentFileTest, LoadFailuresNameTheFileAndKeepTheTable) {
    PeakTable table = OneThousandPeakDoc().Table();
    const auto folder = LoadPeakTableFile(dir_.string(), table);
    ASSERT_FALSE(folder.ok());
    EXPECT_NE(folder.message().find("carpeta"), std::string::npos);
    const auto missing = LoadPeakTableFile((dir_ / "no-existe").string(), table);
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find("no-existe"), std::string::npos);
    // A pipe would keep the open waiting for a writer; a device is no document.
    const auto fifo = dir_ / "tuberia";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo.string(), std::string("/dev/zero")}) {
        const auto special = LoadPeakTableFile(path, table);
        ASSERT_FALSE(special.ok()) << path;
        EXPECT_NE(special.message().find("dispositivo, una tubería"), std::string::npos)
            << special.message();
    }
    EXPECT_EQ(table.PeakCount(), 1);
}

TEST_F(DocumentFileTest, FailedSaveKeepsTheOldFile) {
    const std::string path = (dir_ / "doc").string();
    ASSERT_TRUE(SavePeakTableFile(path, OneThousandPeakDoc().Table()).ok());
    EXPECT_FALSE(SavePeakTableFile((dir_ / "missing" / "doc").string(), PeakTable{}).ok());
    EXPECT_FALSE(SavePeakTableFile(dir_.string(), PeakTable{}).ok());
    PeakTable table;
    ASSERT_TRUE(LoadPeakTableFile(path, table).ok());
    EXPECT_EQ(table.PeakCount(), 1);
}

}  // namespace

namespace {

// A huge file is read only as far as its layout needs, or refused from its
// first bytes, so opening it costs nothing.
TEST_F(DocumentFileTest, HugeFilesAreReadOnlyAsFarAsNeeded) {
    const auto path = dir_ / "huge";
    {
        std::ofstream out(path, std::ios::binary);
        out << kCurrentExample;
    }
    std::filesystem::resize_file(path, 100u << 20);
    PeakTable table;
    ASSERT_TRUE(LoadPeakTableFile(path.string(), table).ok());
    EXPECT_EQ(table.PeakCount(), 1);
    DocumentContents contents;
    ASSERT_TRUE(LoadDocumentFile(path.string(), contents).ok());
    EXPECT_EQ(contents.section.kind, SectionRead::Kind::None);

    {
        std::fstream patch(path, std::ios::binary | std::ios::in | std::ios::out);
        patch.seekp(4);
        patch << Int32(101);
    }
    EXPECT_FALSE(LoadPeakTableFile(path.string(), table).ok());
    EXPECT_EQ(table.PeakCount(), 1);
}

}  // namespace
