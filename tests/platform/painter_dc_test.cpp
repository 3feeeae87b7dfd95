#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "platform/qt/painter_dc.h"

using namespace trazel::platform;

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

// The black pixels of one line drawn on a fresh canvas, in (x, y) order.
std::vector<QPoint> LinePixels(QPoint from, QPoint to) {
    QImage image = Canvas(std::max(from.x(), to.x()) + 2, std::max(from.y(), to.y()) + 2);
    {
        QPainter painter(&image);
        QPainterDC dc(painter);
        dc.MoveTo(from.x(), from.y());
        dc.LineTo(to.x(), to.y());
    }
    std::vector<QPoint> pixels;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (IsBlack(image, x, y)) {
                pixels.emplace_back(x, y);
            }
        }
    }
    return pixels;
}

struct Segment {
    QPoint from, to;
    std::vector<QPoint> pixels;
};

class PainterDCLine : public testing::TestWithParam<Segment> {};

// Start drawn, end left out, the other coordinate rounded with ties going to
// the larger one.
TEST_P(PainterDCLine, SetsTheBresenhamPixelsFromTheStart) {
    EXPECT_EQ(LinePixels(GetParam().from, GetParam().to), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(OctantsAndAxes, PainterDCLine,
                         testing::Values(Segment{{5, 5}, {9, 5}, {{5, 5}, {6, 5}, {7, 5}, {8, 5}}},
                                         Segment{{9, 5}, {5, 5}, {{6, 5}, {7, 5}, {8, 5}, {9, 5}}},
                                         Segment{{5, 5}, {5, 8}, {{5, 5}, {5, 6}, {5, 7}}},
                                         Segment{{5, 8}, {5, 5}, {{5, 6}, {5, 7}, {5, 8}}},
                                         Segment{{5, 5}, {5, 5}, {}},
                                         // Shallow: right-down, left-up, right-up, left-down.
                                         Segment{{0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
                                         Segment{{4, 2}, {0, 0}, {{1, 1}, {2, 1}, {3, 2}, {4, 2}}},
                                         Segment{{5, 5}, {9, 4}, {{5, 5}, {6, 5}, {7, 5}, {8, 4}}},
                                         Segment{{5, 5}, {1, 4}, {{2, 4}, {3, 5}, {4, 5}, {5, 5}}},
                                         Segment{{5, 5}, {1, 6}, {{2, 6}, {3, 6}, {4, 5}, {5, 5}}},
                                         // Steep: down-right, up-left, up-right, down-left.
                                         Segment{{5, 5}, {6, 9}, {{5, 5}, {5, 6}, {6, 7}, {6, 8}}},
                                         Segment{{5, 5}, {4, 1}, {{4, 2}, {5, 3}, {5, 4}, {5, 5}}},
                                         Segment{{497, 211}, {498, 209}, {{497, 211}, {498, 210}}},
                                         Segment{{5, 5}, {4, 9}, {{4, 8}, {5, 5}, {5, 6}, {5, 7}}},
                                         // Diagonals go along x.
                                         Segment{{5, 5}, {2, 8}, {{3, 7}, {4, 6}, {5, 5}}},
                                         Segment{{2, 8}, {5, 5}, {{2, 8}, {3, 7}, {4, 6}}}));

// The graph's samples run both ways; a segment and its reverse must differ
// only in the end that is drawn.
TEST(PainterDC, ALineAndItsReverseShareAllButTheirEnds) {
    const QPoint centre(20, 20);
    for (int dx = -9; dx <= 9; ++dx) {
        for (int dy = -9; dy <= 9; ++dy) {
            const QPoint end = centre + QPoint(dx, dy);
            auto forward = LinePixels(centre, end);
            auto backward = LinePixels(end, centre);
            ASSERT_EQ(forward.size(),
                      static_cast<std::size_t>(std::max(std::abs(dx), std::abs(dy))));
            if (!forward.empty()) {
                forward.push_back(end);
                backward.push_back(centre);
            }
            const auto order = [](QPoint a, QPoint b) {
                return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y());
            };
            std::sort(forward.begin(), forward.end(), order);
            std::sort(backward.begin(), backward.end(), order);
            EXPECT_EQ(forward, backward) << dx << "," << dy;
        }
    }
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
