#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_errors.h"
#include "platform/status.h"

namespace trazel::platform {

// Writes a file that the user asked for by name so that it is replaced whole
// or not at all, for writers that stream to a path of their own (too much to
// hold in memory first). write is called with a temporary file beside path;
// only when it reports no failure does the temporary take path's place, with
// path's permissions, or those of a new file. On failure the temporary is
// removed and the old file is left as it was. A path that names a device or
// a pipe is handed to write directly, since renaming over it would replace the
// device itself.
//
// write is given the file to write and, as the name its messages are to give
// it, path. The result names path in its message.
using PathWriter = std::function<Status(const WriteTarget& target)>;
Status ReplaceFileWith(const std::string& path, const PathWriter& write);

// A path that names an open stream of this process ("/dev/stdout",
// "/dev/fd/2", "/proc/self/fd/1") is handed to write as it is: such a stream
// is written where it stands and never replaced. A symbolic link is followed
// to its target, existing or not, and stays a link. A file with other hard
// links is refused, since replacing it would split them; the owner is kept
// where the process may.
//
// ReplaceFileWith for bytes already in memory.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

// The writer of WriteFileAtomically: bytes (which must outlive it) written
// to the target it is given.
PathWriter BytesWriter(std::string_view bytes);

// Several files that belong together, each written by its writer as
// ReplaceFileWith writes one: every one to its temporary file first, and only
// when all are written do they take their places, one right after the
// other. The first failure leaves every file as it was.
struct PendingFile {
    std::string path;
    PathWriter write;
};
Status ReplaceFilesTogether(const std::vector<PendingFile>& files);

// Whether a write to path goes to this process's standard output: "/dev/stdout"
// (what the command line makes of "-"), "/dev/fd/1" and the like, also
// through a symbolic link.
bool NamesStandardOutput(const std::string& path);

// Opens path for writing with flags added to O_WRONLY (O_CREAT, O_TRUNC).
// A name of an open stream of this process gets a duplicate of that stream,
// untouched by flags, which writes where the stream stands. A pipe that
// nobody reads fails at once instead of waiting. -1 and errno on failure.
int OpenForWriting(const std::string& path, int flags);

// Writes all of bytes to fd, again after an interrupted call: 0, or the errno
// of the write that failed.
int WriteAll(int fd, std::string_view bytes);

}  // namespace trazel::platform
