#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/atomic_file.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/scratch_dir.h"

using namespace trazel::platform;

namespace {

class AtomicFileTest : public testing::Test {
  protected:
    static std::string Contents(const std::filesystem::path& path) {
        return ScratchDir::Contents(path);
    }

    ScratchDir scratch_{"trazel-atomic"};
    const std::filesystem::path& dir_ = scratch_.Path();
};

TEST(FileFailure, SaysWhatFailedOnWhichFileAndWhy) {
    const struct {
        FileOperation operation;
        int error;
        const char* message;
    } cases[] = {
        {FileOperation::Open, ENOENT,
         "No se pudo abrir el archivo «a b.txt»: no existe el archivo o la carpeta."},
        {FileOperation::Write, ENOSPC,
         "No se pudo escribir el archivo «a b.txt»: no queda espacio en el disco."},
        {FileOperation::OpenDocument, EACCES, "No se pudo abrir «a b.txt»: no hay permiso."},
    };
    for (const auto& c : cases) {
        const Status status = FileFailure(c.operation, "a b.txt", c.error);
        EXPECT_FALSE(status.ok());
        EXPECT_EQ(status.message(), c.message);
    }
    EXPECT_TRUE(Status().ok());
    EXPECT_EQ(Status().message(), "");
}

// The writer writes a temporary file beside the target, and its failure
// comes back naming the target as the user wrote it.
TEST_F(AtomicFileTest, WriterGetsATemporaryAndTheUsersName) {
    const std::string path = (dir_ / "doc").string();
    std::string written;
    const Status status = ReplaceFileWith(path, [&](const WriteTarget& target) {
        written = target.path;
        return FileFailure(FileOperation::Write, target.Shown(), EIO);
    });
    EXPECT_NE(written, path);
    EXPECT_EQ(std::filesystem::path(written).parent_path(), dir_);
    EXPECT_EQ(status.message(),
              "No se pudo escribir el archivo «" + path + "»: error de entrada/salida.");
    EXPECT_FALSE(std::filesystem::exists(written));
}

TEST_F(AtomicFileTest, ReplacesTheFileAndLeavesNoTemporary) {
    const auto path = dir_ / "a.txt";
    ASSERT_TRUE(WriteFileAtomically(path.string(), "first, longer text").ok());
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path.string(), "second").ok());
    EXPECT_EQ(Contents(path), "second");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0640));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(AtomicFileTest, FailuresNameTheFileAndSayWhy) {
    const auto folder = WriteFileAtomically(dir_.string(), "x");
    ASSERT_FALSE(folder.ok());
    EXPECT_NE(folder.message().find("carpeta"), std::string::npos);
    const auto missing = WriteFileAtomically((dir_ / "no" / "a.txt").string(), "x");
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find("a.txt"), std::string::npos);
    EXPECT_FALSE(WriteFileAtomically("", "x").ok());
}

TEST_F(AtomicFileTest, FullDeviceIsReportedAndNotReplaced) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    const auto error = WriteFileAtomically("/dev/full", "x");
    ASSERT_FALSE(error.ok());
    EXPECT_NE(error.message().find("espacio"), std::string::npos) << error.message();
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST_F(AtomicFileTest, WritesThroughALinkAndKeepsTheLink) {
    const auto target = dir_ / "real.trz";
    const auto link = dir_ / "enlace.trz";
    ASSERT_TRUE(WriteFileAtomically(target.string(), "old").ok());
    std::filesystem::create_symlink(target.filename(), link);
    ASSERT_TRUE(WriteFileAtomically(link.string(), "new").ok());
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
    ASSERT_TRUE(WriteFileAtomically(path.string(), "old").ok());
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    ASSERT_TRUE(WriteFileAtomically(path.string(), "new").ok());
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
    ASSERT_TRUE(WriteFileAtomically(path.string(), "first").ok());
    ASSERT_TRUE(WriteFileAtomically(path.string(), "second").ok());
    EXPECT_EQ(Contents(path), "second");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

// Opening a pipe for writing waits for a reader; with none the save must fail
// at once rather than hang.
TEST_F(AtomicFileTest, PipeWithoutReaderIsRefusedAtOnce) {
    const auto fifo = dir_ / "tuberia";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto error = WriteFileAtomically(fifo.string(), "x");
    ASSERT_FALSE(error.ok());
    EXPECT_NE(error.message().find("tuberia"), std::string::npos) << error.message();
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

// A write that fails part-way (here the process's file-size limit stands in
// for a full disk) leaves the old file whole and no temporary behind.
TEST_F(AtomicFileTest, WriteFailingPartWayKeepsTheOldFile) {
    const auto path = dir_ / "doc";
    ASSERT_TRUE(WriteFileAtomically(path.string(), "old content").ok());
    Status error;
    {
        FileSizeLimit limit(16);
        ASSERT_TRUE(limit.Active());
        error = WriteFileAtomically(path.string(), std::string(4096, 'x'));
    }
    ASSERT_FALSE(error.ok());
    EXPECT_NE(error.message().find("tamaño máximo"), std::string::npos) << error.message();
    EXPECT_EQ(Contents(path), "old content");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

}  // namespace
