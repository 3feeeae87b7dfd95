#include "platform/qt/dialog_units.h"

#include <cmath>

#include "platform/qt/dialog_template.h"

namespace trazel::platform {

namespace {

// MulDiv: the product over the divisor, rounded half away from zero.
int MulDiv(int value, int numerator, int denominator) {
    return static_cast<int>(
        std::lround(static_cast<double>(value) * numerator / static_cast<double>(denominator)));
}

}  // namespace

int DialogUnitsToPixelsX(int units) {
    return MulDiv(units, kBaseUnitX, 4);
}

int DialogUnitsToPixelsY(int units) {
    return MulDiv(units, kBaseUnitY, 8);
}

QRect DialogRect(int x, int y, int width, int height) {
    const int left = DialogUnitsToPixelsX(x);
    const int top = DialogUnitsToPixelsY(y);
    const int right = DialogUnitsToPixelsX(x + width);
    const int bottom = DialogUnitsToPixelsY(y + height);
    return QRect(left, top, right - left, bottom - top);
}

QRect ControlRect(const ControlTemplate& control) {
    return DialogRect(control.x, control.y, control.width, control.height);
}

const ControlTemplate* FindControl(std::span<const ControlTemplate> controls, int id) {
    for (const ControlTemplate& control : controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

QFont FormFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace trazel::platform
