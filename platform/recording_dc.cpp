#include "platform/recording_dc.h"

namespace trazel::platform {

int RecordingDC::SetMapMode(int mode) {
    calls_.push_back({Kind::SetMapMode, 0, 0, 0, 0, mode, {}});
    const int previous = mapMode_;
    mapMode_ = mode;
    return previous;
}

void RecordingDC::SelectStockObject(int object) {
    calls_.push_back({Kind::SelectStockObject, 0, 0, 0, 0, object, {}});
}

void RecordingDC::Rectangle(int left, int top, int right, int bottom) {
    calls_.push_back({Kind::Rectangle, left, top, right, bottom, 0, {}});
}

void RecordingDC::MoveTo(int x, int y) {
    calls_.push_back(MoveCall(x, y));
}

void RecordingDC::LineTo(int x, int y) {
    calls_.push_back(LineCall(x, y));
}

void RecordingDC::SetPixel(int x, int y, COLORREF colour) {
    calls_.push_back({Kind::SetPixel, x, y, 0, 0, static_cast<int>(colour), {}});
}

void RecordingDC::TextOut(int x, int y, std::string_view text) {
    calls_.push_back({Kind::TextOut, x, y, 0, 0, 0, std::string(text)});
}

std::string Describe(const RecordingDC::Call& call) {
    const auto pair = [](int a, int b) { return std::to_string(a) + "," + std::to_string(b); };
    using Kind = RecordingDC::Kind;
    switch (call.kind) {
        case Kind::SetMapMode:
            return "SetMapMode(" + std::to_string(call.value) + ")";
        case Kind::SelectStockObject:
            return "SelectStockObject(" + std::to_string(call.value) + ")";
        case Kind::Rectangle:
            return "Rectangle(" + pair(call.x, call.y) + "," + pair(call.x2, call.y2) + ")";
        case Kind::MoveTo:
            return "MoveTo(" + pair(call.x, call.y) + ")";
        case Kind::LineTo:
            return "LineTo(" + pair(call.x, call.y) + ")";
        case Kind::SetPixel:
            return "SetPixel(" + pair(call.x, call.y) + "," + std::to_string(call.value) + ")";
        case Kind::TextOut:
            return "TextOut(" + pair(call.x, call.y) + ",\"" + call.text + "\")";
    }
    return "?";
}

}  // namespace trazel::platform
