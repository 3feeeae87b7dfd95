#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include "platform/qt/painter_dc.h"

namespace {

constexpr QRgb kBackground = qRgb(200, 200, 200);

QImage Canvas(int width, int height, int dotsPerInch = 96) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kBackground);
    const int perMetre = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
    return image;
}

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

// The smallest rectangle that holds every pixel darker than mid grey.
QRect InkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 100) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

TEST(PainterDC, RectangleCoversWidthByHeightPixels) {
    QImage image = Canvas(40, 40);
    {
        QPainter painter(&image);
        QPainterDC dc(painter);
        dc.SelectStockObject(WHITE_BRUSH);
        dc.Rectangle(10, 5, 21, 17);
    }
    EXPECT_EQ(InkBounds(image), QRect(10, 5, 11, 12));
    EXPECT_TRUE(IsBlack(image, 10, 5));
    EXPECT_TRUE(IsBlack(image, 20, 16));
    EXPECT_EQ(image.pixel(15, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(21, 10), kBackground);
    EXPECT_EQ(image.pixel(15, 17), kBackground);
}

TEST(PainterDC, LinesLeaveOutTheirEndPointAndMoveThePen) {
    QImage image = Canvas(20, 20);
    {
        QPainter painter(&image);
        QPainterDC dc(painter);
        dc.MoveTo(3, 2);
        dc.LineTo(3, 7);
        dc.LineTo(9, 7);
        dc.SetPixel(15, 15, 0);
    }
    for (int y = 2; y < 7; ++y) {
        EXPECT_TRUE(IsBlack(image, 3, y)) << y;
    }
    for (int x = 3; x < 9; ++x) {
        EXPECT_TRUE(IsBlack(image, x, 7)) << x;
    }
    EXPECT_FALSE(IsBlack(image, 9, 7));
    EXPECT_TRUE(IsBlack(image, 15, 15));
    EXPECT_EQ(InkBounds(image), QRect(3, 2, 13, 14));
}

TEST(PainterDC, KeepsThePaintersTransformAndState) {
    QImage image = Canvas(40, 40);
    QPainter painter(&image);
    painter.translate(10, 20);
    painter.setPen(Qt::red);
    {
        QPainterDC dc(painter);
        dc.MoveTo(0, 0);
        dc.LineTo(5, 0);
    }
    EXPECT_TRUE(IsBlack(image, 10, 20));
    EXPECT_EQ(painter.pen().color(), QColor(Qt::red));
}

TEST(PainterDC, LoMetricIsTenthsOfAMillimetreUpwards) {
    // At 254 dots per inch one unit is one pixel.
    QImage image = Canvas(300, 300, 254);
    {
        QPainter painter(&image);
        QPainterDC dc(painter);
        EXPECT_EQ(dc.SetMapMode(MM_LOMETRIC), MM_TEXT);
        dc.Rectangle(50, -40, 250, -140);
    }
    const QRect ink = InkBounds(image);
    EXPECT_NEAR(ink.left(), 50, 1);
    EXPECT_NEAR(ink.top(), 40, 1);
    EXPECT_NEAR(ink.right(), 250, 1);
    EXPECT_NEAR(ink.bottom(), 140, 1);
    EXPECT_EQ(image.pixel(150, 90), qRgb(255, 255, 255));
}

TEST(PainterDC, PaperTextHangsFromItsPointAndFitsARow) {
    QImage image = Canvas(900, 200, 254);
    {
        QPainter painter(&image);
        QPainterDC dc(painter);
        dc.SetMapMode(MM_LOMETRIC);
        dc.TextOut(20, -30, "Máx. Escalado 1.23457e+06 Ág");
    }
    const QRect ink = InkBounds(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.top(), 30);
    EXPECT_LE(ink.top(), 36);
    EXPECT_GE(ink.left(), 20);
    EXPECT_LE(ink.left(), 24);
    // Accent to descender within the 4.7 mm between rows, and readable.
    EXPECT_LT(ink.height(), 47);
    EXPECT_GT(ink.height(), 28);
}

TEST(PainterDC, PaperPointsAreVisible) {
    QImage image = Canvas(100, 100, 600);
    {
        QPainter painter(&image);
        QPainterDC dc(painter);
        dc.SetMapMode(MM_LOMETRIC);
        dc.SetPixel(20, -20, 0);
    }
    // 0.3 mm at 600 dots per inch is 7 pixels.
    EXPECT_GE(InkBounds(image).width(), 6);
}

}  // namespace
