#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

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

// The file a write to path ends up in. A symbolic link is followed, so that
// the file it points to gets the new bytes and the link stays a link rather
// than being replaced by a copy.
std::string ResolveLinks(const std::string& path) {
    std::error_code ec;
    const auto resolved = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : resolved.string();
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

std::string QuoteFileName(const std::string& path) { return "«" + path + "»"; }

std::string DescribeErrno(int error) {
    switch (error) {
        case ENOSPC:
            return "no queda espacio en el disco";
        case ENOENT:
            return "no existe el archivo o la carpeta";
        case EACCES:
        case EPERM:
            return "no hay permiso";
        case EISDIR:
            return "es una carpeta";
        case EROFS:
            return "el disco es de solo lectura";
        case ENOTDIR:
            return "una parte de la ruta no es una carpeta";
        case EDQUOT:
            return "se ha superado la cuota de disco";
        case EIO:
            return "error de entrada/salida";
        case EFBIG:
            return "el archivo superaría el tamaño máximo permitido";
        case ENAMETOOLONG:
            return "el nombre es demasiado largo";
        case ELOOP:
            return "la ruta da vueltas entre enlaces simbólicos";
        case ENXIO:
            return "es una tubería o un dispositivo que nadie atiende";
        case EPIPE:
            return "el programa que leía el archivo lo ha cerrado";
        default:
            return std::strerror(error);
    }
}

std::optional<std::string> ReplaceFileWith(const std::string& path, const PathWriter& write) {
    if (path.empty()) {
        return std::string("No se ha indicado ningún archivo.");
    }
    const std::string target = ResolveLinks(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return Failure(path, EISDIR);
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        if (auto failed = write(target)) {
            return AboutPath(*failed, target, path);
        }
        return std::nullopt;
    }

    std::string temp;
    const int fd = MakeTemporary(target, temp);
    if (fd < 0) {
        return Failure(path, errno);
    }
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
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        return Failure(path, error);
    }
    return std::nullopt;
}

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes) {
    return ReplaceFileWith(path, [bytes](const std::string& target) -> std::optional<std::string> {
        // Without O_NONBLOCK, opening a pipe that nobody reads would wait for
        // a reader forever; with it the open fails at once (ENXIO). Writing
        // then blocks as usual.
        const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            return Failure(target, errno);
        }
        if (const int flags = ::fcntl(fd, F_GETFL); flags >= 0) {
            ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        }
        const bool ok = WriteAll(fd, bytes);
        const int writeError = errno;
        if (::close(fd) != 0 && ok) {
            return Failure(target, errno);
        }
        if (!ok) {
            return Failure(target, writeError);
        }
        return std::nullopt;
    });
}
