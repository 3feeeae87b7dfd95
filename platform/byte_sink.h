#pragma once

#include <ostream>
#include <string_view>

namespace trazel::platform {

// Somewhere bytes go: a file, a stream in memory. Write reports false once
// the bytes could not be taken, so that a writer can stop.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual bool Write(std::string_view bytes) = 0;
};

class StreamSink : public ByteSink {
  public:
    explicit StreamSink(std::ostream& out) : out_(out) {}
    bool Write(std::string_view bytes) override {
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out_);
    }

  private:
    std::ostream& out_;
};

}  // namespace trazel::platform
