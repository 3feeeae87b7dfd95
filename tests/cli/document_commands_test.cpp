#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/cli_fixture.h"

using namespace trazel::cli;

namespace {

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

TEST_F(CliTest, ShowReadsTheOlderLayoutAndConvertWritesTheCurrentOne) {
    WriteBytes(Path("old"), kOlderExample);
    ASSERT_EQ(Run({"show", Path("old")}), kExitOk);
    EXPECT_EQ(out_.str().substr(out_.str().find('\n') + 1), "1000\t1\t1000\t2\t10\ts\n");
    ASSERT_EQ(Run({"convert", Path("old"), Path("new")}), kExitOk);
    EXPECT_EQ(Contents(Path("new")), kCurrentExample);
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
