// The Qt headers the windows, the dialogs and the painting include most,
// parsed once per build for every library that uses Qt Widgets
// (cmake/build_speed.cmake).
#include "std.h"

#include <QtCore>
#include <QtGui>
#include <QtWidgets>
