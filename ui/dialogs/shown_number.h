#pragma once

#include <QString>

#include "platform/number_format.h"

namespace trazel::ui {

// A value as the dialogs show it: the shortest of plain and exponent
// notation with that many significant digits, a decimal point whatever the
// locale, as the reports and the command line write it.
inline QString ShownNumber(double value, int digits = 6) {
    return QString::fromStdString(platform::FormatG(value, digits));
}

}  // namespace trazel::ui
