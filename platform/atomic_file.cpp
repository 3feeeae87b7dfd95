#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/temporary_files.h"
#include "platform/translation.h"

namespace trazel::platform {

namespace {

Status WriteFailure(const std::string& path, int error) {
    return FileFailure(FileOperation::Write, path, error);
}

// The number of an open descriptor of this process that path names without
// being a file of its own: "/dev/stdout", "/dev/fd/1", "/proc/self/fd/1" and
// the like. Opening such a name anew would start at the beginning of the file
// the stream goes to, or truncate it; the stream itself must be written.
std::optional<int> NamedStream(const std::string& path) {
    if (path == "/dev/stdin") {
        return 0;
    }
    if (path == "/dev/stdout") {
        return 1;
    }
    if (path == "/dev/stderr") {
        return 2;
    }
    for (const std::string& prefix :
         {std::string("/dev/fd/"), std::string("/proc/self/fd/"),
          std::string("/proc/thread-self/fd/"), "/proc/" + std::to_string(::getpid()) + "/fd/"}) {
        if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
            path.find_first_not_of("0123456789", prefix.size()) == std::string::npos &&
            path.size() - prefix.size() < 9) {
            return std::stoi(path.substr(prefix.size()));
        }
    }
    return std::nullopt;
}

// The file a write to path ends up in. A symbolic link is followed, so that
// the file it points to gets the new bytes and the link stays a link rather
// than being replaced by a copy, also when that file does not exist yet. A
// chain of links that goes on too long (a loop) sets ELOOP. A link to a
// stream of the process ends at the stream's name, which is not a file to
// replace.
std::optional<std::string> ResolveLinks(const std::string& path, int& error) {
    std::filesystem::path resolved(path);
    // As many links as the kernel follows before it gives up with ELOOP.
    for (int links = 0; links <= 40; ++links) {
        std::error_code ec;
        if (NamedStream(resolved.string()) ||
            !std::filesystem::is_symlink(std::filesystem::symlink_status(resolved, ec))) {
            return resolved.string();
        }
        const auto target = std::filesystem::read_symlink(resolved, ec);
        if (ec) {
            error = ec.value();
            return std::nullopt;
        }
        resolved = target.is_absolute() ? target : resolved.parent_path() / target;
    }
    error = ELOOP;
    return std::nullopt;
}

// A temporary file beside target, named after it so that one left behind by a
// crash says whose it is. A name near the file system's length limit leaves no
// room for the suffix; a short anonymous name in the same folder serves then.
int MakeTemporary(const std::string& target, std::string& temp) {
    const auto make = [&temp](std::string name) {
        std::vector<char> buffer(name.begin(), name.end());
        buffer.push_back('\0');
        const int fd = ::mkstemp(buffer.data());
        temp.assign(buffer.data());
        return fd;
    };
    const char suffix[] = ".trazel-XXXXXX";
    int fd = make(target + suffix);
    if (fd < 0 && errno == ENAMETOOLONG) {
        const auto folder = std::filesystem::path(target).parent_path();
        fd = make((folder / suffix).string());
    }
    return fd;
}

mode_t ModeForNewFile() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

bool NamesStandardOutput(const std::string& path) {
    int error = 0;
    const auto target = ResolveLinks(path, error);
    return target && NamedStream(*target) == 1;
}

int OpenForWriting(const std::string& path, int flags) {
    if (const auto stream = NamedStream(path)) {
        // A stream that is not open is no file to write to.
        return ::fcntl(*stream, F_DUPFD_CLOEXEC, 0);
    }
    // Without O_NONBLOCK, opening a pipe that nobody reads would wait for a
    // reader forever; with it the open fails at once (ENXIO). Writing then
    // blocks as usual.
    const int fd = ::open(path.c_str(), flags | O_WRONLY | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd >= 0) {
        if (const int now = ::fcntl(fd, F_GETFL); now >= 0) {
            ::fcntl(fd, F_SETFL, now & ~O_NONBLOCK);
        }
    }
    return fd;
}

Status ReplaceFileWith(const std::string& path, const PathWriter& write) {
    if (path.empty()) {
        return Status::Failure(TRAZEL_TR("AtomicFile", "No se ha indicado ningún archivo."));
    }
    int linkError = 0;
    const auto resolved = ResolveLinks(path, linkError);
    if (!resolved) {
        return WriteFailure(path, linkError);
    }
    const std::string& target = *resolved;
    // The writer's messages name the file the user named, wherever the bytes
    // go.
    const auto writeInPlace = [&] { return write(WriteTarget(target, path)); };
    // A stream of this process is written where it stands, appending where
    // the shell appends; it is never replaced.
    if (NamedStream(target)) {
        return writeInPlace();
    }
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return WriteFailure(path, EISDIR);
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        return writeInPlace();
    }
    // Renaming over a file with other names would leave them holding the old
    // bytes while this one gets the new: the link would be split.
    if (exists && existing.st_nlink > 1) {
        return FileFailure(FileOperation::Write, path,
                           Fill(TRAZEL_TR("AtomicFile",
                                          "tiene %1 enlace(s) duro(s) más, y sustituirlo los "
                                          "separaría. Escriba en otro archivo"),
                                {std::to_string(existing.st_nlink - 1)}));
    }

    std::string tempName;
    const int fd = MakeTemporary(target, tempName);
    if (fd < 0) {
        return WriteFailure(path, errno);
    }
    // Removed however the write ends: a failure, an exception, a signal.
    TemporaryPath temp(tempName);
    if (exists) {
        // The owner stays where the process may keep it (root, or the owner
        // changing only the group to one of its own); otherwise the file
        // becomes the writer's, as any new file does. Before fchmod, which
        // a change of owner would otherwise undo for set-id bits.
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            [[maybe_unused]] const int ignored =
                ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
        }
    }
    ::fchmod(fd, exists ? existing.st_mode & 07777 : ModeForNewFile());
    ::close(fd);

    if (Status written = write(WriteTarget(tempName, path)); !written.ok()) {
        return written;
    }
    // The data must be on the disk before the name points at it, or a crash
    // could leave an empty file where the old one was.
    int error = 0;
    const int reopened = ::open(tempName.c_str(), O_RDONLY | O_CLOEXEC);
    if (reopened < 0) {
        error = errno;
    } else {
        if (::fsync(reopened) != 0 && errno != EINVAL) {
            error = errno;
        }
        ::close(reopened);
    }
    if (error == 0 && ::rename(tempName.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        return WriteFailure(path, error);
    }
    temp.Release();
    return {};
}

Status WriteFileAtomically(const std::string& path, std::string_view bytes) {
    return ReplaceFileWith(path, BytesWriter(bytes));
}

PathWriter BytesWriter(std::string_view bytes) {
    return [bytes](const WriteTarget& target) {
        const int fd = OpenForWriting(target.path, O_TRUNC);
        if (fd < 0) {
            return WriteFailure(target.Shown(), errno);
        }
        const int writeError = WriteAll(fd, bytes);
        if (::close(fd) != 0 && writeError == 0) {
            return WriteFailure(target.Shown(), errno);
        }
        if (writeError != 0) {
            return WriteFailure(target.Shown(), writeError);
        }
        return Status();
    };
}

namespace {

// Each file's writer writes it and then, still before its temporary takes
// its place, the files after it: all are written before any is renamed.
Status ReplaceFrom(const std::vector<PendingFile>& files, std::size_t first) {
    if (first == files.size()) {
        return {};
    }
    return ReplaceFileWith(files[first].path, [&](const WriteTarget& target) {
        if (Status written = files[first].write(target); !written.ok()) {
            return written;
        }
        return ReplaceFrom(files, first + 1);
    });
}

}  // namespace

Status ReplaceFilesTogether(const std::vector<PendingFile>& files) {
    return ReplaceFrom(files, 0);
}

}  // namespace trazel::platform
