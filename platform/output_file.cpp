#include "platform/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/atomic_file.h"

namespace trazel::platform {

namespace {

// Large enough that a long export costs few system calls, small enough not to
// matter in memory.
constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

OutputFile::~OutputFile() {
    if (fd_ >= 0) {
        [[maybe_unused]] const Status unreported = Close();
    }
}

Status OutputFile::Open(const WriteTarget& target) {
    if (fd_ >= 0) {
        // The file given up for another; a failure of it is of no interest.
        [[maybe_unused]] const Status previous = Close();
    }
    shown_ = target.Shown();
    buffer_.clear();
    error_ = 0;
    openFailed_ = false;
    fd_ = target.path.empty() ? -1 : OpenForWriting(target.path, O_CREAT | O_TRUNC);
    if (fd_ < 0) {
        error_ = target.path.empty() ? ENOENT : errno;
        openFailed_ = true;
        return Error();
    }
    buffer_.reserve(kBufferSize);
    return {};
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
    error_ = WriteAll(fd_, buffer_);
    buffer_.clear();
    return error_ == 0;
}

Status OutputFile::Close() {
    if (fd_ < 0) {
        return Error();
    }
    if (error_ == 0) {
        Flush();
    }
    if (::close(fd_) != 0 && error_ == 0) {
        error_ = errno;
    }
    fd_ = -1;
    return Error();
}

Status OutputFile::Error() const {
    if (error_ == 0) {
        return {};
    }
    return FileFailure(openFailed_ ? FileOperation::Open : FileOperation::Write, shown_, error_);
}

}  // namespace trazel::platform
