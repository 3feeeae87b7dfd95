#pragma once

#include <string>
#include <utility>

namespace trazel::platform {

// The outcome of an operation that can fail with a message for the user:
// success, or a failure and its message in Spanish. A caller that drops it
// would report a failure as success, so the compiler refuses that.
class [[nodiscard]] Status {
  public:
    // Success.
    Status() = default;

    static Status Failure(std::string message) {
        Status status;
        status.failed_ = true;
        status.message_ = std::move(message);
        return status;
    }

    bool ok() const { return !failed_; }
    // The message for the user; empty on success.
    const std::string& message() const { return message_; }

  private:
    bool failed_ = false;
    std::string message_;
};

}  // namespace trazel::platform
