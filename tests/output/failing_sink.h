#pragma once

#include <string>
#include <string_view>

#include "platform/byte_sink.h"

// Takes a number of writes, then refuses every one.
class FailingSink : public trazel::platform::ByteSink {
  public:
    explicit FailingSink(int accepted) : accepted_(accepted) {}
    bool Write(std::string_view bytes) override {
        ++attempts;
        if (accepted_-- > 0) {
            taken += bytes;
            return true;
        }
        return false;
    }
    std::string taken;
    int attempts = 0;

  private:
    int accepted_;
};
