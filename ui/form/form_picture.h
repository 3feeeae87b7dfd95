#pragma once

#include <QPixmap>

namespace trazel::ui {

// The decoration at the top left of the main form (58 x 48 pixels): two bands
// and their sum over an axis.
QPixmap FormPicture();

}  // namespace trazel::ui
