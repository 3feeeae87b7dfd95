#include "ui/plot/plot_figure.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "analysis/figure_data.h"
#include "output/plot_curves.h"
#include "output/screen_graph.h"
#include "platform/atomic_file.h"

using namespace trazel::output;

namespace trazel::ui {

namespace {

// A row of the legend that stands for the entries that did not fit.
class FoldedEntries : public QCPAbstractLegendItem {
  public:
    FoldedEntries(QCPLegend* legend, const QString& text)
        : QCPAbstractLegendItem(legend), text_(text) {}

  protected:
    void draw(QCPPainter* painter) override {
        painter->setFont(mFont);
        painter->setPen(QPen(mTextColor));
        painter->drawText(mRect, Qt::AlignLeft | Qt::AlignVCenter, text_);
    }
    QSize minimumOuterSizeHint() const override {
        const QSize text = QFontMetrics(mFont).size(0, text_);
        return text + QSize(mMargins.left() + mMargins.right(), mMargins.top() + mMargins.bottom());
    }

  private:
    QString text_;
};

constexpr int kMaxLegendColumns = 3;
constexpr QSize kLegendIcon(24, 10);

// Every curve is one pixel wide: such lines go through the painter's fast
// line drawing, while a wider one is filled as an outline, which for a sum
// of many narrow bands takes seconds.
QPen PenFor(const CurveStyle& style) {
    QPen pen{QColor(QRgb(style.rgb))};
    pen.setWidthF(1.0);
    pen.setCosmetic(true);
    switch (style.dash) {
        case Dash::Solid:
            pen.setStyle(Qt::SolidLine);
            break;
        case Dash::Dashed:
            pen.setStyle(Qt::DashLine);
            break;
        case Dash::Dotted:
            pen.setStyle(Qt::DotLine);
            break;
        case Dash::DashDotted:
            pen.setStyle(Qt::DashDotLine);
            break;
    }
    return pen;
}

QVector<double> ToVector(const std::vector<double>& values) {
    return QVector<double>(values.begin(), values.end());
}

}  // namespace

void AddSampledGraph(QCustomPlot& plot, QVector<double> xs, QVector<double> ys, const QPen& pen,
                     const QString& name) {
    QCPGraph* graph = plot.addGraph();
    graph->setData(xs, ys, true);
    // Sampled once per device pixel, a curve has two points per pixel of the
    // plot's coordinates on a screen that scales by two; the plot's own
    // thinning would then draw each steep flank as a column of segments
    // beside the smooth line. There are never enough points to need it.
    graph->setAdaptiveSampling(false);
    graph->setPen(pen);
    graph->setName(PictureText(name));
}

namespace {

void AddGraph(QCustomPlot& plot, const std::vector<double>& xs, const std::vector<double>& ys,
              const QPen& pen, const QString& name) {
    AddSampledGraph(plot, ToVector(xs), ToVector(ys), pen, name);
}

// Lays the axes out once: the legend in a column of its own at the right,
// outside the plot area, where any number of bands fits beside the curves.
void PrepareLayout(QCustomPlot& plot) {
    plot.setLocale(QLocale::c());
    if (plot.plotLayout()->columnCount() > 1) {
        return;
    }
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
    for (QCPAxis* axis : {plot.xAxis, plot.yAxis}) {
        axis->setNumberFormat(QStringLiteral("g"));
        axis->setNumberPrecision(6);
    }
}

// Puts as many entries in each legend column as the height allows, up to a
// few columns; the rest are folded into one last row.
void FitLegend(QCustomPlot& plot, int height) {
    QCPLegend& legend = *plot.legend;
    if (legend.itemCount() == 0) {
        return;
    }
    const int rowHeight = legend.item(0)->minimumOuterSizeHint().height() + legend.rowSpacing();
    // What the margins of the plot and of the legend leave of the height.
    const int rows = std::max(1, (height - 40) / rowHeight);
    const int capacity = rows * kMaxLegendColumns;
    const int entries = legend.itemCount();
    if (entries > capacity) {
        // Entries beyond the capacity go last to first, so the first bands stay.
        const int hidden = entries - (capacity - 1);
        for (int i = entries - 1; i >= capacity - 1; --i) {
            legend.removeItem(i);
        }
        legend.addItem(new FoldedEntries(&legend, QStringLiteral("+ %1 más").arg(hidden)));
    }
    legend.setWrap(rows);
    // Setting the wrap leaves the entries where they were; this moves them.
    legend.setFillOrder(QCPLayoutGrid::foRowsFirst, true);
    legend.setMaximumSize(legend.minimumOuterSizeHint());
}

QString NoteForEqualLimits() {
    return QStringLiteral("Los límites de x son iguales: no hay curvas que dibujar.");
}

// The fit in a colour of its own, red, which no band drawn by itself takes:
// the fitted curve solid, each fitted band dotted, the baseline dashed.
const QColor kFitColour(213, 0, 0);

QPen FitPen(Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(kFitColour);
    pen.setWidthF(1.0);
    pen.setCosmetic(true);
    pen.setStyle(style);
    return pen;
}

void DrawFit(QCustomPlot& plot, const analysis::FigureData& figure) {
    if (!figure.baseline.x.empty()) {
        AddGraph(plot, figure.baseline.x, figure.baseline.y, FitPen(Qt::DashLine),
                 QStringLiteral("Línea base del ajuste"));
    }
    if (figure.fit.x.empty()) {
        return;
    }
    AddGraph(plot, figure.fit.x, figure.fit.y, FitPen(), QStringLiteral("Ajuste"));
    // One legend entry stands for every component.
    bool named = false;
    for (const analysis::Curve& component : figure.components) {
        AddGraph(plot, component.x, component.y, FitPen(Qt::DotLine),
                 QStringLiteral("Bandas ajustadas"));
        if (named) {
            plot.graph()->removeFromLegend();
        }
        named = true;
    }
}

// Puts the strip for the residual under the plot, or takes it away.
void ShowResidualStrip(QCustomPlot& plot, bool shown) {
    QCPAxisRect* strip = FigureResidualRect(plot);
    if (shown == (strip != nullptr)) {
        return;
    }
    if (!shown) {
        // Removing the element deletes it with its axes; the margin group
        // goes with the last rectangle that used it.
        QCPMarginGroup* margins = plot.axisRect()->marginGroup(QCP::msLeft);
        plot.plotLayout()->remove(strip);
        plot.plotLayout()->simplify();
        delete margins;
        return;
    }
    strip = new QCPAxisRect(&plot);
    plot.plotLayout()->addElement(1, 0, strip);
    plot.plotLayout()->setRowStretchFactor(0, 3.0);
    plot.plotLayout()->setRowStretchFactor(1, 1.0);
    // The strip follows the plot's x axis; it takes no drag or zoom itself.
    strip->setRangeDrag(Qt::Orientations());
    strip->setRangeZoom(Qt::Orientations());
    auto* margins = new QCPMarginGroup(&plot);
    plot.axisRect()->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
    strip->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
    QCPAxis* y = strip->axis(QCPAxis::atLeft);
    y->setLabel(QStringLiteral("Residuo"));
    y->setNumberFormat(QStringLiteral("g"));
    y->setNumberPrecision(3);
    strip->axis(QCPAxis::atBottom)->setNumberFormat(QStringLiteral("g"));
    strip->axis(QCPAxis::atBottom)->setNumberPrecision(6);
}

void DrawResidual(QCustomPlot& plot, QCPAxisRect& strip, const analysis::Curve& residual,
                  const FigureView& view) {
    const QCPRange x = plot.xAxis->range();
    // The strip's axis, right under it, names x for both.
    plot.xAxis->setLabel(QString());
    QCPAxis* residualX = strip.axis(QCPAxis::atBottom);
    QCPAxis* residualY = strip.axis(QCPAxis::atLeft);
    residualX->setRange(x);
    residualX->setRangeReversed(view.reversedX);
    residualX->setLabel(PictureText(view.xTitle));
    auto* graph = new QCPGraph(residualX, residualY);
    graph->setData(ToVector(residual.x), ToVector(residual.y), true);
    graph->setPen(FitPen());
    graph->setAntialiased(false);
    graph->removeFromLegend();
    // Symmetric about zero, so that a bias shows as a shift of the noise.
    double largest = 0.0;
    for (const double r : residual.y) {
        if (std::isfinite(r)) {
            largest = std::max(largest, std::fabs(r));
        }
    }
    const double room = largest > 0.0 ? 1.1 * largest : 1.0;
    residualY->setRange(-room, room);
    auto* zero = new QCPItemStraightLine(&plot);
    zero->setClipAxisRect(&strip);
    for (QCPItemPosition* end : {zero->point1, zero->point2}) {
        end->setAxes(residualX, residualY);
    }
    zero->point1->setCoords(x.lower, 0.0);
    zero->point2->setCoords(x.upper, 0.0);
    zero->setPen(QPen(Qt::lightGray));
}

}  // namespace

void SetUpFigure(QCustomPlot& plot, const analysis::DocumentState& state, const FigureView& view,
                 int columns) {
    PrepareLayout(plot);
    plot.clearItems();
    plot.legend->clearItems();
    plot.clearPlottables();
    plot.xAxis->setLabel(PictureText(view.xTitle));
    plot.yAxis->setLabel(PictureText(view.yTitle));
    plot.xAxis->setRangeReversed(view.reversedX);

    const CurveSettings& curve = view.curve;
    const analysis::Analysis& analysis = state.analysis;
    const bool fitted = analysis.lastFit.has_value() && analysis.measured.has_value();
    if (IsZeroRange(curve.xMin, curve.xMax)) {
        const double x = std::isfinite(curve.xMin) ? curve.xMin : 0.0;
        plot.xAxis->setRange(x - 1.0, x + 1.0);
        plot.yAxis->setRange(0.0, 1.0);
        auto* note = new QCPItemText(&plot);
        note->position->setType(QCPItemPosition::ptAxisRectRatio);
        note->position->setCoords(0.5, 0.5);
        note->setText(NoteForEqualLimits());
        plot.legend->setVisible(false);
        // The strip stays while there is a fit, as with any other limits.
        ShowResidualStrip(plot, fitted);
        if (QCPAxisRect* strip = FigureResidualRect(plot)) {
            DrawResidual(plot, *strip, analysis::Residuals(*analysis.measured, *analysis.lastFit),
                         view);
        }
        return;
    }
    plot.legend->setVisible(true);
    const double lo = std::min(curve.xMin, curve.xMax);
    const double hi = std::max(curve.xMin, curve.xMax);
    plot.xAxis->setRange(lo, hi);

    const analysis::FigureData figure =
        analysis::ComputeFigure(state, curve.lineShape, curve.useScaled, lo, hi, columns);
    if (figure.measured) {
        // Drawn as a function of x, the way spectra are measured; the plot
        // puts points given from high to low x in order.
        QCPGraph* line = plot.addGraph();
        line->setData(ToVector(figure.measured->x), ToVector(figure.measured->y));
        line->setPen(PenFor(kMeasuredStyle));
        line->setName(PictureText(
            QFile::decodeName(QByteArray::fromStdString(state.analysis.measured->sourceName))));
        // A noisy spectrum fills each pixel column from its lowest to its
        // highest point; smoothing those edges costs more than the rest of
        // the plot together and shows nothing.
        line->setAntialiased(false);
    }
    const PlotCurves& curves = figure.model;
    AddGraph(plot, curves.xs, curves.sum, PenFor(kSumStyle), QStringLiteral("Suma"));
    int ordinal = 0;
    for (const BandCurve& band : curves.bands) {
        AddGraph(plot, curves.xs, band.y, PenFor(BandStyle(ordinal++)),
                 QString::fromStdString(BandLegendLabel(state.table, band.index, curve.useScaled)));
    }
    DrawFit(plot, figure);
    if (!view.estimatedBaseline.x.empty()) {
        QPen pen(QColor(230, 120, 0));
        pen.setCosmetic(true);
        pen.setStyle(Qt::DashLine);
        AddGraph(plot, view.estimatedBaseline.x, view.estimatedBaseline.y, pen,
                 QStringLiteral("Línea base estimada"));
    }

    if (view.yFromData) {
        const auto [low, high] = FigureDataYRange(plot);
        plot.yAxis->setRange(low, high);
    } else if (curve.yMin != curve.yMax && std::isfinite(curve.yMin) && std::isfinite(curve.yMax)) {
        plot.yAxis->setRange(std::min(curve.yMin, curve.yMax), std::max(curve.yMin, curve.yMax));
    } else {
        const double y = std::isfinite(curve.yMin) ? curve.yMin : 0.0;
        plot.yAxis->setRange(y - 1.0, y + 1.0);
    }
    ShowResidualStrip(plot, fitted);
    if (QCPAxisRect* strip = FigureResidualRect(plot)) {
        DrawResidual(plot, *strip, figure.residual, view);
    }
    FitLegend(plot, plot.height());
}

QCPAxisRect* FigureResidualRect(QCustomPlot& plot) {
    QCPLayoutGrid* layout = plot.plotLayout();
    if (layout->rowCount() < 2) {
        return nullptr;
    }
    return qobject_cast<QCPAxisRect*>(layout->element(1, 0));
}

std::pair<double, double> FigureDataYRange(QCustomPlot& plot) {
    bool any = false;
    QCPRange range;
    for (int i = 0; i < plot.plottableCount(); ++i) {
        // The residual strip has a y axis of its own.
        if (plot.plottable(i)->valueAxis() != plot.yAxis) {
            continue;
        }
        bool found = false;
        const QCPRange r = plot.plottable(i)->getValueRange(found);
        if (found) {
            range =
                any ? QCPRange(std::min(range.lower, r.lower), std::max(range.upper, r.upper)) : r;
            any = true;
        }
    }
    if (!any || !std::isfinite(range.lower) || !std::isfinite(range.upper)) {
        return {0.0, 1.0};
    }
    range.lower = std::min(range.lower, 0.0);
    const double room = range.size() > 0.0 ? 0.05 * range.size() : 1.0;
    return {range.lower == 0.0 ? 0.0 : range.lower - room, range.upper + room};
}

std::optional<FigureFormat> FigureFormatFor(const std::string& path) {
    const QString name = QString::fromStdString(path).toLower();
    if (name.endsWith(QStringLiteral(".png"))) {
        return FigureFormat::Png;
    }
    if (name.endsWith(QStringLiteral(".svg"))) {
        return FigureFormat::Svg;
    }
    if (name.endsWith(QStringLiteral(".pdf"))) {
        return FigureFormat::Pdf;
    }
    return std::nullopt;
}

QByteArray FigureBytes(QCustomPlot& plot, QSize size, FigureFormat format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const int w = size.width();
    const int h = size.height();
    switch (format) {
        case FigureFormat::Png: {
            QImage image(size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            {
                QCPPainter painter(&image);
                plot.toPainter(&painter, w, h);
            }
            image.save(&buffer, "PNG");
            break;
        }
        case FigureFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setTitle(QStringLiteral("Trazel"));
            QCPPainter painter(&svg);
            painter.setMode(QCPPainter::pmVectorized);
            painter.setMode(QCPPainter::pmNoCaching);
            plot.toPainter(&painter, w, h);
            break;
        }
        case FigureFormat::Pdf: {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(96);
            pdf.setPageSize(QPageSize(QSizeF(w * 0.75, h * 0.75), QPageSize::Point, QString(),
                                      QPageSize::ExactMatch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setCreator(QStringLiteral("Trazel"));
            QCPPainter painter(&pdf);
            painter.setMode(QCPPainter::pmVectorized);
            painter.setMode(QCPPainter::pmNoCaching);
            plot.toPainter(&painter, w, h);
            break;
        }
    }
    return bytes;
}

QByteArray RenderFigure(const analysis::DocumentState& state, const FigureView& view, QSize size,
                        FigureFormat format) {
    QCustomPlot plot;
    plot.resize(size);
    SetUpFigure(plot, state, view, size.width());
    return FigureBytes(plot, size, format);
}

platform::Status WriteFigure(const std::string& path, const analysis::DocumentState& state,
                             const FigureView& view, QSize size) {
    const FigureFormat format = FigureFormatFor(path).value_or(FigureFormat::Png);
    const QByteArray bytes = RenderFigure(state, view, size, format);
    return platform::WriteFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString PictureText(QString text) {
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF) {
            c = QChar::ReplacementCharacter;
        }
    }
    return text;
}

QString MeasuredLegendName(const std::string& path) {
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).fileName();
}

}  // namespace trazel::ui
