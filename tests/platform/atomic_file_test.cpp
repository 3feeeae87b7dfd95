#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/atomic_file.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/scratch_dir.h"

namespace {

class AtomicFileTest : public testing::Test {
  protected:
    static std::string Contents(const std::filesystem::path& path) {
        return ScratchDir::Contents(path);
    }

    ScratchDir scratch_{"trazel-atomic"};
    const std::filesystem::path& dir_ = scratch_.Path();
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

TEST_F(AtomicFileTest, WritesThroughALinkAndKeepsTheLink) {
    const auto target = dir_ / "real.trz";
    const auto link = dir_ / "enlace.trz";
    ASSERT_FALSE(WriteFileAtomically(target.string(), "old"));
    std::filesystem::create_symlink(target.filename(), link);
    ASSERT_FALSE(WriteFileAtomically(link.string(), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Contents(target), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 2);
}

// Replacing a file keeps its owner, where the process may set it (root).
TEST_F(AtomicFileTest, ReplacingKeepsTheOwner) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another user";
    }
    const auto path = dir_ / "ajeno.txt";
    ASSERT_FALSE(WriteFileAtomically(path.string(), "old"));
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    ASSERT_FALSE(WriteFileAtomically(path.string(), "new"));
    struct stat replaced {};
    ASSERT_EQ(::stat(path.c_str(), &replaced), 0);
    EXPECT_EQ(replaced.st_uid, 4321u);
    EXPECT_EQ(replaced.st_gid, 4322u);
    EXPECT_EQ(Contents(path), "new");
}

// The temporary file's name is longer than the file's; a name at the length
// limit must still be saved and replaced.
TEST_F(AtomicFileTest, NameAtTheLengthLimit) {
    const auto path = dir_ / std::string(250, 'n');
    ASSERT_FALSE(WriteFileAtomically(path.string(), "first"));
    ASSERT_FALSE(WriteFileAtomically(path.string(), "second"));
    EXPECT_EQ(Contents(path), "second");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

// Opening a pipe for writing waits for a reader; with none the save must fail
// at once rather than hang.
TEST_F(AtomicFileTest, PipeWithoutReaderIsRefusedAtOnce) {
    const auto fifo = dir_ / "tuberia";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto error = WriteFileAtomically(fifo.string(), "x");
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("tuberia"), std::string::npos) << *error;
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

// A write that fails part-way (here the process's file-size limit stands in
// for a full disk) leaves the old file whole and no temporary behind.
TEST_F(AtomicFileTest, WriteFailingPartWayKeepsTheOldFile) {
    const auto path = dir_ / "doc";
    ASSERT_FALSE(WriteFileAtomically(path.string(), "old content"));
    std::optional<std::string> error;
    {
        FileSizeLimit limit(16);
        ASSERT_TRUE(limit.Active());
        error = WriteFileAtomically(path.string(), std::string(4096, 'x'));
    }
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("tamaño máximo"), std::string::npos) << *error;
    EXPECT_EQ(Contents(path), "old content");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

}  // namespace
