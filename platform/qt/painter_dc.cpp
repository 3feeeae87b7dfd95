#include "platform/qt/painter_dc.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace trazel::platform {

namespace {

QColor FromColorRef(COLORREF colour) {
    return QColor(static_cast<int>(colour & 0xffu), static_cast<int>((colour >> 8) & 0xffu),
                  static_cast<int>((colour >> 16) & 0xffu));
}

double DeviceDpiX(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device != nullptr ? device->logicalDpiX() : 96.0;
}

double DeviceDpiY(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device != nullptr ? device->logicalDpiY() : 96.0;
}

}  // namespace

QPainterDC::QPainterDC(QPainter& painter)
    : QPainterDC(painter, DeviceDpiX(painter), DeviceDpiY(painter)) {}

QPainterDC::QPainterDC(QPainter& painter, double dpiX, double dpiY)
    : painter_(painter), dpiX_(dpiX), dpiY_(dpiY) {
    painter_.save();
    screenFont_ = painter_.font();
    painter_.setBrush(Qt::white);
    painter_.setBackgroundMode(Qt::TransparentMode);
    ApplyMapModeTools();
}

QPainterDC::~QPainterDC() {
    painter_.restore();
}

void QPainterDC::ApplyMapModeTools() {
    if (mapMode_ == MM_LOMETRIC) {
        QPen pen(Qt::black);
        pen.setWidthF(std::max(1.0, UnitsY(1.0)));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter_.setPen(pen);
        painter_.setRenderHint(QPainter::Antialiasing, true);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(std::max(1, qRound(kPaperTextPoints * dpiY_ / 72.0)));
        painter_.setFont(font);
    } else {
        // A one-pixel pen with flat ends leaves out the last point of a line,
        // as window drawing always has, so that ticks and boxes come out at
        // their exact pixel sizes.
        QPen pen(Qt::black, 0);
        pen.setCapStyle(Qt::FlatCap);
        painter_.setPen(pen);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setFont(screenFont_);
    }
}

int QPainterDC::SetMapMode(int mode) {
    const int previous = mapMode_;
    mapMode_ = mode == MM_LOMETRIC ? MM_LOMETRIC : MM_TEXT;
    ApplyMapModeTools();
    return previous;
}

void QPainterDC::SelectStockObject(int object) {
    if (object == WHITE_BRUSH) {
        painter_.setBrush(Qt::white);
    }
}

QRectF QPainterDC::DeviceRect(int left, int top, int right, int bottom) const {
    return QRectF(Map(left, top), Map(right, bottom)).normalized();
}

QPointF QPainterDC::Map(int x, int y) const {
    if (mapMode_ == MM_LOMETRIC) {
        return QPointF(UnitsX(x), -UnitsY(y));
    }
    return QPointF(x, y);
}

void QPainterDC::Rectangle(int left, int top, int right, int bottom) {
    if (mapMode_ == MM_LOMETRIC) {
        const QRectF rect = QRectF(Map(left, top), Map(right, bottom)).normalized();
        painter_.drawRect(rect);
        return;
    }
    const QRect area(QPoint(std::min(left, right), std::min(top, bottom)),
                     QSize(std::abs(right - left), std::abs(bottom - top)));
    painter_.fillRect(area, painter_.brush());
    // An aliased outline of w x h covers w + 1 x h + 1 pixels.
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(area.adjusted(0, 0, -1, -1));
    painter_.restore();
}

void QPainterDC::MoveTo(int x, int y) {
    pen_ = QPoint(x, y);
}

void QPainterDC::LineTo(int x, int y) {
    const QPoint end(x, y);
    // Pixels belong to raster devices; on paper and in vector pictures the
    // line stays a line.
    const QPaintEngine* engine = painter_.paintEngine();
    if (mapMode_ == MM_TEXT && engine != nullptr && engine->type() == QPaintEngine::Raster) {
        SetLinePixels(pen_, end);
    } else {
        painter_.drawLine(Map(pen_.x(), pen_.y()), Map(x, y));
    }
    pen_ = end;
}

namespace {

// floor(n / d) for d > 0.
std::int64_t FloorDiv(std::int64_t n, std::int64_t d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

}  // namespace

void QPainterDC::SetLinePixels(QPoint from, QPoint to) {
    // One pixel per step along the longer axis (x when the two are equal),
    // from the start up to, not including, the end. The other coordinate is
    // the exact line's rounded to the nearest pixel, a tie going to the
    // larger coordinate (floor(v + 1/2)) whatever the direction, so that a
    // segment and its reverse set the same pixels but for the end drawn.
    // Pixels in a row along the longer axis are filled as one run.
    const bool xMajor = std::abs(to.x() - from.x()) >= std::abs(to.y() - from.y());
    const auto major = [xMajor](QPoint p) -> std::int64_t { return xMajor ? p.x() : p.y(); };
    const auto minor = [xMajor](QPoint p) -> std::int64_t { return xMajor ? p.y() : p.x(); };
    const std::int64_t m0 = major(from);
    const std::int64_t n0 = minor(from);
    const std::int64_t delta = major(to) - m0;
    const std::int64_t dn = minor(to) - n0;
    if (delta == 0) {
        return;
    }
    const std::int64_t step = delta > 0 ? 1 : -1;
    // After k steps the exact line is at n0 + k dn / dm, which rounds to
    // n0 + floor((2 k dn + dm) / 2 dm).
    const std::int64_t dm = std::abs(delta);
    const auto rounded = [&](std::int64_t k) { return n0 + FloorDiv(2 * k * dn + dm, 2 * dm); };
    const QColor ink = painter_.pen().color();
    std::int64_t runStart = 0;
    for (std::int64_t k = 1; k <= dm; ++k) {
        if (k < dm && rounded(k) == rounded(runStart)) {
            continue;
        }
        // The run covers k = runStart .. k - 1, in the walk's direction.
        const std::int64_t a = m0 + step * runStart;
        const std::int64_t b = m0 + step * (k - 1);
        const int low = static_cast<int>(std::min(a, b));
        const int length = static_cast<int>(std::max(a, b) - std::min(a, b) + 1);
        const int n = static_cast<int>(rounded(runStart));
        painter_.fillRect(xMajor ? QRect(low, n, length, 1) : QRect(n, low, 1, length), ink);
        runStart = k;
    }
}

void QPainterDC::SetPixel(int x, int y, COLORREF colour) {
    if (mapMode_ == MM_LOMETRIC) {
        const QPointF centre = Map(x, y);
        const double w = std::max(1.0, UnitsX(3.0));
        const double h = std::max(1.0, UnitsY(3.0));
        painter_.fillRect(QRectF(centre.x() - w / 2, centre.y() - h / 2, w, h),
                          FromColorRef(colour));
        return;
    }
    painter_.fillRect(QRect(x, y, 1, 1), FromColorRef(colour));
}

void QPainterDC::TextOut(int x, int y, std::string_view text) {
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetricsF metrics(painter_.font(), painter_.device());
    const QPointF topLeft = Map(x, y);
    painter_.save();
    painter_.setPen(Qt::black);
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), string);
    painter_.restore();
}

}  // namespace trazel::platform
