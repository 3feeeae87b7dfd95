#pragma once

#include <QFont>
#include <QPoint>
#include <QPointF>
#include <QRectF>

#include "platform/cdc.h"

class QPainter;

namespace trazel::platform {

// A device context that draws with a QPainter: on a widget, an image, a
// printer, a print preview or a PDF. In MM_TEXT a unit is one pixel of the
// painter's coordinate system, so whatever transform the painter already has
// (a widget's offset, say) applies. In MM_LOMETRIC a unit is 0.1 mm of the
// device, worked out from its resolution, with y upwards from the painter's
// origin.
//
// GDI drawing is reproduced where it shows: lines set the pixels of a
// Bresenham walk from their start and leave out their end point in MM_TEXT on
// raster devices (elsewhere they stay vector lines), outlines leave out their
// end points, and text stands with its top-left corner at the point.
// On paper a pixel would vanish, so there lines are 0.1 mm wide, single
// points 0.3 mm squares and text 10 points high, which fits the 4.7 mm rows
// of the printed table.
//
// The painter's state is saved while the context lives and given back when it
// goes.
class QPainterDC : public CDC {
  public:
    // Resolution taken from the painter's device.
    explicit QPainterDC(QPainter& painter);
    // Resolution given in pixels per inch, for devices that do not know theirs.
    QPainterDC(QPainter& painter, double dpiX, double dpiY);
    ~QPainterDC() override;
    QPainterDC(const QPainterDC&) = delete;
    QPainterDC& operator=(const QPainterDC&) = delete;

    int SetMapMode(int mode) override;
    void SelectStockObject(int object) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void SetPixel(int x, int y, COLORREF colour) override;
    void TextOut(int x, int y, std::string_view text) override;

    // The painter drawn on, for what the device context cannot draw (a
    // figure on a printed page).
    QPainter& Painter() { return painter_; }
    // A rectangle given in the current mapping mode, in the painter's
    // coordinates.
    QRectF DeviceRect(int left, int top, int right, int bottom) const;

    // The text height on paper, in points.
    static constexpr double kPaperTextPoints = 10.0;

  private:
    QPointF Map(int x, int y) const;
    // Device pixels of n units of MM_LOMETRIC, across and down.
    double UnitsX(double n) const { return n * dpiX_ / 254.0; }
    double UnitsY(double n) const { return n * dpiY_ / 254.0; }
    void ApplyMapModeTools();
    // Sets the pixels of a line in MM_TEXT on a raster device.
    void SetLinePixels(QPoint from, QPoint to);

    QPainter& painter_;
    double dpiX_;
    double dpiY_;
    int mapMode_ = MM_TEXT;
    QPoint pen_;
    QFont screenFont_;
};

}  // namespace trazel::platform
