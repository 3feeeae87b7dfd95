#pragma once

#include <QColor>
#include <QFont>
#include <QPen>
#include <QSize>
#include <QString>
#include <string>

#include "figure/figure.h"
#include "output/plot_curves.h"

class QCustomPlot;
class QCPAxisRect;

namespace trazel::figure {

// How the figure looks on the screen and on paper: pens, fonts, the axes'
// frame and the layout of the plot and its legend.

constexpr int kMaxLegendColumns = 3;
constexpr QSize kLegendIcon(24, 10);
constexpr QSize kPrintLegendIcon(16, 6);

// Line widths and text sizes on paper, in points.
constexpr double kSumPoints = 1.0;
constexpr double kBandPoints = 0.75;
constexpr double kMeasuredPoints = 0.75;
constexpr double kFramePoints = 0.5;
constexpr double kGridPoints = 0.3;
constexpr int kTickTextPoints = 7;
constexpr int kTitlePoints = 8;

// The words of a figure in the language shown. The command line draws
// figures as well as the window, so they go through platform::Translate,
// which both programs install, rather than through Qt's translators alone.
QString Words(const std::string& translated);

// How a curve is drawn in the style chosen. On the screen every curve is one
// pixel wide: such lines go through the painter's fast line drawing, while a
// wider one is filled as an outline, which for a sum of many narrow bands
// takes seconds. On paper, points wide.
QPen StylePen(const QColor& colour, Qt::PenStyle dash, FigureStyle style, double points);
QPen PenFor(const output::CurveStyle& curve, FigureStyle style, double points);

// The fit in a colour of its own, red, which no band drawn by itself takes:
// the fitted curve solid, each fitted band dotted, the baseline dashed.
inline const QColor kFitColour(213, 0, 0);
QPen FitPen(FigureStyle style, Qt::PenStyle dash = Qt::SolidLine);

// A font of points in the plot's units, which are points on paper.
QFont PointFont(int points);

// Text and frame of an axis rectangle (the plot or the residual strip) and
// the legend in points, everything antialiased.
void StyleForPrint(QCustomPlot& plot, QCPAxisRect& rect);

// Lays the axes out once: the legend in a column of its own at the right,
// outside the plot area, where any number of bands fits beside the curves.
void PrepareLayout(QCustomPlot& plot, FigureStyle style);

}  // namespace trazel::figure
