#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/atomic_file.h"

namespace {

class AtomicFileTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("trazel-atomic-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    static std::string Contents(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }

    std::filesystem::path dir_;
};

TEST_F(AtomicFileTest, ReplacesTheFileAndLeavesNoTemporary) {
    const auto path = dir_ / "a.txt";
    ASSERT_FALSE(WriteFileAtomically(path.string(), "first, longer text"));
    ::chmod(path.c_str(), 0640);
    ASSERT_FALSE(WriteFileAtomically(path.string(), "second"));
    EXPECT_EQ(Contents(path), "second");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0640));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(AtomicFileTest, FailuresNameTheFileAndSayWhy) {
    const auto folder = WriteFileAtomically(dir_.string(), "x");
    ASSERT_TRUE(folder);
    EXPECT_NE(folder->find("carpeta"), std::string::npos);
    const auto missing = WriteFileAtomically((dir_ / "no" / "a.txt").string(), "x");
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->find("a.txt"), std::string::npos);
    EXPECT_TRUE(WriteFileAtomically("", "x"));
}

TEST_F(AtomicFileTest, FullDeviceIsReportedAndNotReplaced) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    const auto error = WriteFileAtomically("/dev/full", "x");
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("espacio"), std::string::npos) << *error;
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

}  // namespace
