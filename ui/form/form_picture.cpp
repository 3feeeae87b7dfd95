#include "ui/form/form_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace trazel::ui {

namespace {

double Band(double x, double centre, double height, double halfWidth) {
    const double d = (x - centre) / halfWidth;
    return height * std::exp(-0.6931471805599453 * d * d);
}

}  // namespace

QPixmap FormPicture() {
    constexpr int kWidth = 58;
    constexpr int kHeight = 48;
    QPixmap pixmap(kWidth, kHeight);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(0, 0, kWidth - 1, kHeight - 1);
    p.drawLine(5, kHeight - 6, kWidth - 4, kHeight - 6);
    p.drawLine(5, kHeight - 6, 5, 4);

    const double baseline = kHeight - 7;
    QPainterPath first, second, sum;
    for (int x = 6; x < kWidth - 4; ++x) {
        const double a = Band(x, 22, 26, 5);
        const double b = Band(x, 38, 18, 6);
        const QPointF pa(x, baseline - a), pb(x, baseline - b), ps(x, baseline - a - b);
        if (x == 6) {
            first.moveTo(pa);
            second.moveTo(pb);
            sum.moveTo(ps);
        } else {
            first.lineTo(pa);
            second.lineTo(pb);
            sum.lineTo(ps);
        }
    }
    p.setPen(QPen(QColor(0, 128, 0), 1));
    p.drawPath(first);
    p.setPen(QPen(QColor(128, 0, 128), 1));
    p.drawPath(second);
    p.setPen(QPen(QColor(0, 0, 255), 1.5));
    p.drawPath(sum);
    return pixmap;
}

}  // namespace trazel::ui
