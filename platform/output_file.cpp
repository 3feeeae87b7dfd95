#include "platform/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/atomic_file.h"

namespace {

// Large enough that a long export costs few system calls, small enough not to
// matter in memory.
constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

OutputFile::~OutputFile() {
    if (fd_ >= 0) {
        Close();
    }
}

bool OutputFile::Open(const std::string& path) {
    if (fd_ >= 0) {
        Close();
    }
    path_ = path;
    buffer_.clear();
    error_ = 0;
    openFailed_ = false;
    fd_ = path.empty() ? -1 : OpenForWriting(path, O_CREAT | O_TRUNC);
    if (fd_ < 0) {
        error_ = path.empty() ? ENOENT : errno;
        openFailed_ = true;
        return false;
    }
    buffer_.reserve(kBufferSize);
    return true;
}

bool OutputFile::Write(std::string_view bytes) {
    if (fd_ < 0 || error_ != 0) {
        return false;
    }
    if (buffer_.size() + bytes.size() > kBufferSize && !Flush()) {
        return false;
    }
    buffer_.append(bytes);
    return true;
}

bool OutputFile::Flush() {
    std::string_view rest = buffer_;
    while (!rest.empty()) {
        const ssize_t written = ::write(fd_, rest.data(), rest.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            error_ = errno;
            buffer_.clear();
            return false;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    buffer_.clear();
    return true;
}

bool OutputFile::Close() {
    if (fd_ < 0) {
        return error_ == 0;
    }
    if (error_ == 0) {
        Flush();
    }
    if (::close(fd_) != 0 && error_ == 0) {
        error_ = errno;
    }
    fd_ = -1;
    return error_ == 0;
}

std::string OutputFile::Error() const {
    if (error_ == 0) {
        return {};
    }
    const std::string verb = openFailed_ ? "abrir" : "escribir";
    return "No se pudo " + verb + " el archivo " + QuoteFileName(path_) + ": " +
           DescribeErrno(error_) + ".";
}
