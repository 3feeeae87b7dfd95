#pragma once

#include <string>
#include <string_view>

#include "platform/byte_sink.h"
#include "platform/file_errors.h"
#include "platform/status.h"

namespace trazel::platform {

// A file written from the start, as a text file that the user reads into
// another program: created, or emptied when it exists, then written through a
// buffer. The bytes go out as they are given; callers write their own line
// ends. The first failure is kept; after it nothing more is written.
class OutputFile : public ByteSink {
  public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    // Closes the file if it is still open; a failure then goes unreported.
    ~OutputFile() override;

    // Fails when the file cannot be created or emptied; its message, as
    // that of every later failure, names target.Shown().
    Status Open(const WriteTarget& target);
    bool IsOpen() const { return fd_ >= 0; }

    bool Write(std::string_view bytes) override;

    // Writes what is left in the buffer and closes the file. Fails when this
    // or any earlier write failed.
    Status Close();

    bool Failed() const { return error_ != 0; }
    // The first failure, or success.
    Status Error() const;

  private:
    bool Flush();

    std::string shown_;
    std::string buffer_;
    int fd_ = -1;
    int error_ = 0;
    bool openFailed_ = false;
};

}  // namespace trazel::platform
