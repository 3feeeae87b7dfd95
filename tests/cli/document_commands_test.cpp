#include <gtest/gtest.h>

#include <filesystem>

#include "model/document_section.h"
#include "tests/cli/cli_fixture.h"

using namespace trazel::cli;

namespace {

std::string Patched(std::string bytes, std::size_t at, int byte) {
    bytes[at] = static_cast<char>(byte);
    return bytes;
}

// The section with its first record written twice, its length and checksum
// made to agree.
std::string Twice(const std::string& section) {
    std::string contents = section.substr(20);
    std::uint64_t first = 0;
    for (int i = 0; i < 8; ++i) {
        first |= std::uint64_t(static_cast<unsigned char>(contents[4 + i])) << (8 * i);
    }
    contents += contents.substr(0, 12 + first);
    std::string bytes = section.substr(0, 8);
    for (int i = 0; i < 8; ++i) {
        bytes.push_back(static_cast<char>(contents.size() >> (8 * i)));
    }
    const std::uint32_t crc = trazel::model::Crc32(contents);
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>(crc >> (8 * i)));
    }
    return bytes + contents;
}

const std::string kCurrentExample(
    "\xB0\x36\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x00\x40\x8F\x40\x00\x00\x00\x00\x00\x00\xF0"
    "\x3F\x00\x00\x00\x00\x00\x00\x00\x40\x00\x00\x00\x00\x00\x00\x24\x40\x01\x00\x00\x00",
    44);
const std::string kOlderExample(
    "\x02\x00\x00\x00\x00\x00\x00\x00\x00\x40\x8F\x40\x00\x00\x00\x00\x00\x00\x00\x40\x00\x00\x00"
    "\x00\x00\x00\x24\x40\x01\x00\x00\x00",
    32);

TEST_F(CliTest, NewWritesTheDocumentBytes) {
    ASSERT_EQ(Run({"new", Path("d.trz"), "--peak", "1000,2,10,1,s"}), kExitOk) << err_.str();
    EXPECT_EQ(Contents(Path("d.trz")), kCurrentExample);
}

TEST_F(CliTest, ShowListsNewestFirstWithTabs) {
    ASSERT_EQ(Run({"new", Path("d"), "--peak", "500,2,10", "--peak", "0.1,1e-3,3,2,s", "--peak",
                   "333.333333333333,1,1"}),
              kExitOk);
    ASSERT_EQ(Run({"show", Path("d")}), kExitOk) << err_.str();
    EXPECT_EQ(out_.str(),
              "Máximo\tEscala\tMáx*Esc\tIntensidad\tAnchura\tR\n"
              "333.333333\t1\t333.333333\t1\t1\tn\n"
              "0.1\t2\t0.2\t0.001\t3\ts\n"
              "500\t1\t500\t2\t10\tn\n");
}

// A band of a shape of its own adds the shape's column, with the share of a
// mixed one; the listing above, without one, keeps its six.
TEST_F(CliTest, ShowNamesTheShapeWhereABandHasItsOwn) {
    ASSERT_EQ(Run({"new", Path("d"), "--peak", "500,2,10,forma=pv:0.25", "--peak", "7,1,3"}),
              kExitOk)
        << err_.str();
    ASSERT_EQ(Run({"show", Path("d")}), kExitOk) << err_.str();
    EXPECT_EQ(out_.str(),
              "Máximo\tEscala\tMáx*Esc\tIntensidad\tAnchura\tR\tForma\n"
              "7\t1\t7\t1\t3\tn\tdoc\n"
              "500\t1\t500\t2\t10\tn\tpv 0.25\n");
}

TEST_F(CliTest, ShowReadsTheOlderLayoutAndConvertWritesTheCurrentOne) {
    WriteBytes(Path("old"), kOlderExample);
    ASSERT_EQ(Run({"show", Path("old")}), kExitOk);
    EXPECT_EQ(out_.str().substr(out_.str().find('\n') + 1), "1000\t1\t1000\t2\t10\ts\n");
    ASSERT_EQ(Run({"convert", Path("old"), Path("new")}), kExitOk);
    EXPECT_EQ(Contents(Path("new")), kCurrentExample);
}

struct UnreadCase {
    const char* name;
    // The section of a document that holds a measured spectrum, made unreadable.
    std::string (*damage)(const std::string& section);
    // After a table of the older layout.
    bool older;
};

// By name: the bytes gtest would print include the padding after older.
void PrintTo(const UnreadCase& c, std::ostream* os) {
    *os << c.name;
}

class UnreadAnalysisTest : public CliTest, public testing::WithParamInterface<UnreadCase> {};

// An analysis that could not be read is shown with the reason, written back
// by convert byte for byte, never replaced by a command that did not ask to
// drop it, and dropped only when asked.
TEST_P(UnreadAnalysisTest, IsKeptByConvertAndNeverSilentlyReplaced) {
    const UnreadCase& c = GetParam();
    ASSERT_EQ(Run(Words("peaks examples/dos-bandas-medido.txt -o @leido.trz")), kExitOk);
    const std::string whole = Contents(Path("leido.trz"));
    const std::size_t at = whole.find("TRZA");
    ASSERT_NE(at, std::string::npos);
    const std::string table = c.older ? kCurrentExample : whole.substr(0, at);
    const std::string section = c.damage(whole.substr(at));
    WriteBytes(Path("d.trz"), (c.older ? kOlderExample : table) + section);
    ASSERT_EQ(Run(Words("convert @d.trz @d.trz")), kExitOk) << err_.str();
    EXPECT_NE(err_.str().find("tal cual"), std::string::npos) << err_.str();
    EXPECT_EQ(Contents(Path("d.trz")), table + section);
    EXPECT_EQ(Run(Words("fit @d.trz --measured examples/dos-bandas-medido.txt -o @d.trz")),
              kExitFileError);
    EXPECT_NE(err_.str().find("convert DOC DOC --drop-analysis"), std::string::npos) << err_.str();
    EXPECT_EQ(Contents(Path("d.trz")), table + section);
    ASSERT_EQ(Run(Words("convert @d.trz @tabla.trz --drop-analysis")), kExitOk);
    EXPECT_EQ(Contents(Path("tabla.trz")), table);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnreadAnalysisTest,
    testing::Values(
        UnreadCase{"checksumBitFlipped",
                   [](const std::string& s) { return Patched(s, 16, s[16] ^ 1); }, false},
        UnreadCase{"newerWithShortLength",
                   [](const std::string& s) { return Patched(Patched(s, 4, 2), 8, 1); }, false},
        UnreadCase{"recordTwice", Twice, false}, UnreadCase{"afterTheOlderLayout", Twice, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A name that holds a line feed, an escape sequence or a bell is shown with
// U+FFFD in their place, by show and in a message: it forges no line and
// sends the terminal nothing.
TEST_F(CliTest, ControlCharactersOfStoredTextsAreNotPrinted) {
    const std::string name = "raro\nAjuste guardado: falso\x1b[2J\a\xc2\x9b.txt";
    WriteBytes(Path(name), Contents(TRAZEL_SOURCE_DIR "/examples/dos-bandas-medido.txt"));
    ASSERT_EQ(Run({"peaks", Path(name), "-o", Path("d.trz")}), kExitOk) << err_.str();
    ASSERT_EQ(Run({"show", Path("d.trz")}), kExitOk);
    const std::string shown = out_.str();
    EXPECT_NE(
        shown.find("Espectro medido: raro\uFFFDAjuste guardado: falso\uFFFD[2J\uFFFD\uFFFD.txt ("),
        std::string::npos)
        << shown;
    EXPECT_EQ(Run({"show", Path(name + ".trz")}), kExitFileError);
    const std::string message = err_.str();
    for (const std::string& printed : {shown, message}) {
        EXPECT_EQ(printed.find_first_of("\x1b\a"), std::string::npos) << printed;
        EXPECT_EQ(printed.find("\xc2\x9b"), std::string::npos) << printed;
    }
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
}

TEST_F(CliTest, DamagedOrMissingFilesExitOneWithTheFileNamed) {
    WriteBytes(Path("bad"), std::string("\x65\x00\x00\x00", 4));
    WriteBytes(Path("cut"), kCurrentExample.substr(0, 20));
    for (const std::string name : {"bad", "cut", "missing"}) {
        EXPECT_EQ(Run({"show", Path(name)}), kExitFileError) << name;
        EXPECT_NE(err_.str().find(Path(name)), std::string::npos) << err_.str();
        EXPECT_TRUE(out_.str().empty());
    }
    EXPECT_EQ(Run({"show", scratch_.Path().string()}), kExitFileError);
    EXPECT_EQ(Run({"convert", Path("bad"), Path("out")}), kExitFileError);
    EXPECT_FALSE(std::filesystem::exists(Path("out")));
    EXPECT_EQ(Run({"new", Path("no/such/folder/d")}), kExitFileError);
}

TEST_F(CliTest, UsageErrorsExitTwo) {
    const std::vector<std::vector<std::string>> calls = {
        {},
        {"frobnicate"},
        {"new"},
        {"new", Path("d"), "--peak"},
        {"new", Path("d"), "--peak", "1,2"},
        {"new", Path("d"), "--peak", "1,abc,3"},
        {"new", Path("d"), "--peak", "1,2,3,4,x"},
        {"new", Path("d"), "--peak", "1,2,3,4,s,x"},
        {"new", Path("d"), "--bogus"},
        {"show"},
        {"show", "a", "b"},
        {"convert", "a"},
    };
    for (const auto& call : calls) {
        EXPECT_EQ(Run(call), kExitUsage) << (call.empty() ? "" : call[0]);
        EXPECT_NE(err_.str().find("uso:"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(Path("d")));
}

TEST_F(CliTest, NinetyNinePeaksFitAndAHundredDoNot) {
    std::vector<std::string> args = {"new", Path("d")};
    for (int i = 0; i < 99; ++i) {
        args.push_back("--peak");
        args.push_back(std::to_string(i) + ",1,1");
    }
    ASSERT_EQ(Run(args), kExitOk);
    EXPECT_EQ(Contents(Path("d")).size(), 3572u);
    args.push_back("--peak");
    args.push_back("1,1,1");
    EXPECT_EQ(Run(args), kExitUsage);
}

TEST_F(CliTest, HelpDescribesEveryCommand) {
    ASSERT_EQ(Run({"--help"}), kExitOk);
    for (const char* word : {"new", "show", "convert", "--peak"}) {
        EXPECT_NE(out_.str().find(word), std::string::npos) << word;
    }
    EXPECT_EQ(Run({"show", "--help"}), kExitOk);
}

}  // namespace
