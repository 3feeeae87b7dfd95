#pragma once

#include <QIcon>
#include <QPixmap>

namespace trazel::app {

inline constexpr int kToolbarImageWidth = 16;
inline constexpr int kToolbarImageHeight = 15;

// The toolbar image of a command, 16 x 15 pixels on a transparent ground;
// a null pixmap for a command without one.
QPixmap ToolbarImage(int commandId);

// The application and frame icon.
QIcon ApplicationIcon();

}  // namespace trazel::app
