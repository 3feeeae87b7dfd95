#pragma once

#include <sys/resource.h>

#include <csignal>

// Lowers the process's file-size limit while it lives; 0 leaves it alone. A
// write past the limit then fails with EFBIG, as a write to a disk that fills
// up part-way fails, instead of raising SIGXFSZ. Root is bound by it too,
// unlike file permissions.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        if (bytes == 0) {
            return;
        }
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        if (active_) {
            ::setrlimit(RLIMIT_FSIZE, &saved_);
        }
        if (previousHandler_ != SIG_ERR && previousHandler_ != nullptr) {
            std::signal(SIGXFSZ, previousHandler_);
        }
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool Active() const { return active_; }

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};
