#include "figure/figure_style.h"

#include <qcustomplot.h>

namespace trazel::figure {

QString Words(const std::string& translated) {
    return QString::fromStdString(translated);
}

QPen StylePen(const QColor& colour, Qt::PenStyle dash, FigureStyle style, double points) {
    QPen pen(colour);
    pen.setStyle(dash);
    if (style == FigureStyle::Screen) {
        pen.setWidthF(1.0);
        pen.setCosmetic(true);
    } else {
        pen.setWidthF(points);
        pen.setJoinStyle(Qt::BevelJoin);
        pen.setCapStyle(Qt::FlatCap);
    }
    return pen;
}

QPen PenFor(const output::CurveStyle& curve, FigureStyle style, double points) {
    Qt::PenStyle dash = Qt::SolidLine;
    switch (curve.dash) {
        case output::Dash::Solid:
            break;
        case output::Dash::Dashed:
            dash = Qt::DashLine;
            break;
        case output::Dash::Dotted:
            dash = Qt::DotLine;
            break;
        case output::Dash::DashDotted:
            dash = Qt::DashDotLine;
            break;
    }
    return StylePen(QColor(QRgb(curve.rgb)), dash, style, points);
}

QPen FitPen(FigureStyle style, Qt::PenStyle dash) {
    return StylePen(kFitColour, dash, style, dash == Qt::SolidLine ? kSumPoints : kBandPoints);
}

QFont PointFont(int points) {
    QFont font;
    // In the plot's units, which are points on paper.
    font.setPixelSize(points);
    return font;
}

void StyleForPrint(QCustomPlot& plot, QCPAxisRect& rect) {
    plot.setAntialiasedElements(QCP::aeAll);
    // Room for half of the last number at the right; the rest as the axes
    // need it, without a screen's wide minimum.
    rect.setMinimumMargins(QMargins(2, 4, 12, 2));
    plot.legend->setFont(PointFont(kTickTextPoints));
    for (QCPAxis* axis : rect.axes()) {
        axis->setTickLabelFont(PointFont(kTickTextPoints));
        axis->setLabelFont(PointFont(kTitlePoints));
        const QPen frame = StylePen(Qt::black, Qt::SolidLine, FigureStyle::Print, kFramePoints);
        axis->setBasePen(frame);
        axis->setTickPen(frame);
        axis->setSubTickPen(frame);
        axis->setTickLengthIn(3);
        axis->setSubTickLengthIn(1.5);
        axis->setTickLabelPadding(3);
        axis->setLabelPadding(3);
        axis->grid()->setPen(
            StylePen(QColor(200, 200, 200), Qt::DotLine, FigureStyle::Print, kGridPoints));
    }
}

void PrepareLayout(QCustomPlot& plot, FigureStyle style) {
    plot.setLocale(QLocale::c());
    for (QCPAxis* axis : {plot.xAxis, plot.yAxis}) {
        axis->setNumberFormat(QStringLiteral("g"));
        axis->setNumberPrecision(6);
    }
    if (style == FigureStyle::Print) {
        // A picture is set up once, on a plot of its own; its legend goes
        // under the curves when they are drawn (LegendUnderThePlot), so
        // that a column's width is left to them.
        StyleForPrint(plot, *plot.axisRect());
        plot.legend->setIconSize(kPrintLegendIcon);
        plot.legend->setBorderPen(Qt::NoPen);
        plot.legend->setMargins(QMargins(0, 0, 0, 0));
        // A point between the plot, its residual strip and the legend: the
        // screen's five would take a tenth of a column's height.
        plot.plotLayout()->setRowSpacing(1);
        return;
    }
    if (plot.plotLayout()->columnCount() > 1) {
        return;
    }
    // The zoom rectangle's layer is drawn with the rest: a layer of its own
    // is a second picture the size of the window to clear and lay over the
    // first on every repaint, for a rectangle that shows only while a Ctrl
    // drag lasts.
    plot.layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
    // The legend on top of a column whose empty rest takes the height left.
    plot.axisRect()->insetLayout()->take(plot.legend);
    auto* column = new QCPLayoutGrid;
    plot.plotLayout()->addElement(0, 1, column);
    plot.plotLayout()->setColumnStretchFactor(1, 0.001);
    column->addElement(0, 0, plot.legend);
    column->addElement(1, 0, new QCPLayoutElement(&plot));
    column->setRowStretchFactor(0, 0.001);
    column->setMargins(QMargins(0, 10, 10, 0));
    plot.legend->setVisible(true);
    plot.legend->setFillOrder(QCPLayoutGrid::foRowsFirst);
    plot.legend->setIconSize(kLegendIcon);
    plot.legend->setBorderPen(QPen(Qt::lightGray));
    plot.legend->setMargins(QMargins(4, 4, 4, 4));
}

}  // namespace trazel::figure
