#include "cli/replaced_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/atomic_file.h"

namespace {

std::string Failure(const std::string& path, int error) {
    return "No se pudo escribir el archivo " + QuoteFileName(path) + ": " + DescribeErrno(error) +
           ".";
}

// The writer's message, about the file the user named.
std::string AboutPath(std::string message, const std::string& written, const std::string& path) {
    bool named = false;
    for (auto at = message.find(written); at != std::string::npos;
         at = message.find(written, at + path.size())) {
        message.replace(at, written.size(), path);
        named = true;
    }
    if (!named && message.find(path) == std::string::npos) {
        // A message that names no file (the window's own "No se pudo abrir el
        // archivo.") gets the name put in.
        if (!message.empty() && message.back() == '.') {
            message.pop_back();
        }
        message += " " + QuoteFileName(path) + ".";
    }
    return message;
}

mode_t ModeForNewFile() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::optional<std::string> ReplaceFileWith(const std::string& path, const PathWriter& write) {
    if (path.empty()) {
        return std::string("No se ha indicado ningún archivo.");
    }
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return Failure(path, EISDIR);
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        if (auto failed = write(path)) {
            return AboutPath(*failed, path, path);
        }
        return std::nullopt;
    }

    std::vector<char> tempName(path.begin(), path.end());
    const char suffix[] = ".trazel-XXXXXX";
    tempName.insert(tempName.end(), suffix, suffix + sizeof suffix);
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        return Failure(path, errno);
    }
    const std::string temp(tempName.data());
    ::fchmod(fd, exists ? existing.st_mode & 07777 : ModeForNewFile());
    ::close(fd);

    if (auto failed = write(temp)) {
        ::unlink(temp.c_str());
        return AboutPath(*failed, temp, path);
    }
    // The data must be on the disk before the name points at it, or a crash
    // could leave an empty file where the old one was.
    int error = 0;
    const int reopened = ::open(temp.c_str(), O_RDONLY | O_CLOEXEC);
    if (reopened < 0) {
        error = errno;
    } else {
        if (::fsync(reopened) != 0 && errno != EINVAL) {
            error = errno;
        }
        ::close(reopened);
    }
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        return Failure(path, error);
    }
    return std::nullopt;
}
