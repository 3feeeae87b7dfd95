#pragma once

#include <QFont>
#include <QRect>

namespace trazel::platform {

// Dialog units of the templates' 8-point font, fixed whatever the screen, so
// that the controls placed in units and the graph placed in pixels line up as
// the templates were drawn: one unit is 1.5 pixels across and 1.625 down.
// This part needs QtGui only: the command line places the form's labels with
// it, without widgets.
inline constexpr int kBaseUnitX = 6;   // pixels per 4 units across
inline constexpr int kBaseUnitY = 13;  // pixels per 8 units down

int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

// The pixel rectangle of a template rectangle given as x, y, width, height in
// dialog units. Both edges are converted, so that neighbouring controls keep
// touching where the template has them touch.
QRect DialogRect(int x, int y, int width, int height);

// The font of every form and dialog: Liberation Sans at 10 pixels, which fits
// the templates' texts in their rectangles as the original 8-point font did.
QFont FormFont();

}  // namespace trazel::platform
