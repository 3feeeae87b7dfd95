#pragma once

#include <cstdint>
#include <string_view>

namespace trazel::platform {

// Mapping modes: how the coordinates of the drawing calls turn into device
// pixels. The values are the ones the drawing code has always passed.
enum MapMode : int {
    // One unit is one device pixel, y grows downwards.
    MM_TEXT = 1,
    // One unit is 0.1 mm, y grows upwards, the origin is the top-left corner
    // of the page's printable area, so everything on the page has y <= 0.
    MM_LOMETRIC = 2,
};

// Stock drawing objects; only the white brush is ever used.
enum StockObject : int { WHITE_BRUSH = 0 };

// A colour as 0x00BBGGRR; 0 is black.
using COLORREF = std::uint32_t;

// A device context: the few drawing calls that the graph and the printed
// report make. A new context is in MM_TEXT, fills with the white brush,
// outlines and draws lines with a solid black pen one device pixel wide, and
// has its pen at (0, 0). Lines and rectangles leave out their right and
// bottom edge points, so a rectangle from (l, t) to (r, b) covers r - l by
// b - t pixels in MM_TEXT.
class CDC {
  public:
    virtual ~CDC() = default;

    // Returns the previous mode.
    virtual int SetMapMode(int mode) = 0;
    virtual void SelectStockObject(int object) = 0;
    // Fills the rectangle with the brush and outlines it with the pen. The
    // corners may come in any order (in MM_LOMETRIC the top is the larger y).
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line from the pen position to (x, y), where the pen then stays.
    virtual void LineTo(int x, int y) = 0;
    virtual void SetPixel(int x, int y, COLORREF colour) = 0;
    // The text upright with the top-left corner of its first character cell
    // at (x, y). Texts are UTF-8.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
};

}  // namespace trazel::platform
