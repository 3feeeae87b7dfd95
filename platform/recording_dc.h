#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/cdc.h"

namespace trazel::platform {

// A device context that draws nothing and keeps every call, in order, so that
// tests can compare a drawing call by call.
class RecordingDC : public CDC {
  public:
    enum class Kind { SetMapMode, SelectStockObject, Rectangle, MoveTo, LineTo, SetPixel, TextOut };

    // One call. Unused fields stay 0 or empty: SetMapMode and
    // SelectStockObject keep their argument in value, SetPixel its colour.
    struct Call {
        Kind kind{};
        int x = 0;
        int y = 0;
        int x2 = 0;
        int y2 = 0;
        int value = 0;
        std::string text;

        bool operator==(const Call&) const = default;
    };

    int SetMapMode(int mode) override;
    void SelectStockObject(int object) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetPixel(int x, int y, COLORREF colour) override;
    void TextOut(int x, int y, std::string_view text) override;

    const std::vector<Call>& Calls() const { return calls_; }
    void Clear() { calls_.clear(); }

    // Shorthands for building expected calls.
    static Call MoveCall(int x, int y) { return {Kind::MoveTo, x, y, 0, 0, 0, {}}; }
    static Call LineCall(int x, int y) { return {Kind::LineTo, x, y, 0, 0, 0, {}}; }
    static Call TextCall(int x, int y, std::string text) {
        return {Kind::TextOut, x, y, 0, 0, 0, std::move(text)};
    }

  private:
    std::vector<Call> calls_;
    int mapMode_ = MM_TEXT;
};

// "MoveTo(420,402)", "TextOut(350,-280,\"muestra\")": for test failure output.
std::string Describe(const RecordingDC::Call& call);

// Lets GoogleTest print calls in its failure messages.
inline void PrintTo(const RecordingDC::Call& call, std::ostream* out) {
    *out << Describe(call);
}

}  // namespace trazel::platform
