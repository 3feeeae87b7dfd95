#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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

std::optional<std::string> WriteDirectly(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        return Failure(path, errno);
    }
    const bool ok = WriteAll(fd, bytes);
    const int writeError = errno;
    if (::close(fd) != 0 && ok) {
        return Failure(path, errno);
    }
    if (!ok) {
        return Failure(path, writeError);
    }
    return std::nullopt;
}

}  // namespace

std::string QuoteFileName(const std::string& path) { return "«" + path + "»"; }

std::string DescribeErrno(int error) {
    switch (error) {
        case ENOSPC:
            return "no queda espacio en el disco";
        case ENOENT:
            return "la carpeta no existe";
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
        default:
            return std::strerror(error);
    }
}

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        return std::string("No se ha indicado ningún archivo.");
    }
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return Failure(path, EISDIR);
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        return WriteDirectly(path, bytes);
    }

    std::vector<char> tempName(path.begin(), path.end());
    const char suffix[] = ".trazel-XXXXXX";
    tempName.insert(tempName.end(), suffix, suffix + sizeof suffix);
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        return Failure(path, errno);
    }
    const std::string temp(tempName.data());
    int error = 0;
    if (!WriteAll(fd, bytes)) {
        error = errno;
    } else if (::fsync(fd) != 0 && errno != EINVAL) {
        error = errno;
    }
    // A new file gets the permissions a plain create would give; an existing
    // one keeps its own.
    if (error == 0) {
        mode_t mode = 0;
        if (exists) {
            mode = existing.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::fchmod(fd, mode);
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
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
