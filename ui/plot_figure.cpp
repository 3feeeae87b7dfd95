#include "ui/plot_figure.h"

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

}  // namespace

void SetUpFigure(QCustomPlot& plot, const model::PeakTable& table, const FigureView& view,
                 const FigureMeasured* measured, int columns) {
    PrepareLayout(plot);
    plot.clearItems();
    plot.legend->clearItems();
    plot.clearPlottables();
    plot.xAxis->setLabel(PictureText(view.xTitle));
    plot.yAxis->setLabel(PictureText(view.yTitle));
    plot.xAxis->setRangeReversed(view.reversedX);

    const CurveSettings& curve = view.curve;
    if (IsZeroRange(curve.xMin, curve.xMax)) {
        const double x = std::isfinite(curve.xMin) ? curve.xMin : 0.0;
        plot.xAxis->setRange(x - 1.0, x + 1.0);
        plot.yAxis->setRange(0.0, 1.0);
        auto* note = new QCPItemText(&plot);
        note->position->setType(QCPItemPosition::ptAxisRectRatio);
        note->position->setCoords(0.5, 0.5);
        note->setText(NoteForEqualLimits());
        plot.legend->setVisible(false);
        return;
    }
    plot.legend->setVisible(true);
    const double lo = std::min(curve.xMin, curve.xMax);
    const double hi = std::max(curve.xMin, curve.xMax);
    plot.xAxis->setRange(lo, hi);

    const PlotCurves curves =
        SamplePlotCurves(table, curve.lineShape, curve.useScaled, lo, hi, columns);
    if (measured != nullptr) {
        const ReducedPoints reduced = ReducePerColumn(measured->x, measured->y, lo, hi, columns);
        const double factor =
            MeasuredDrawFactor(measured->yFactor, measured->scaleToModelMaximum,
                               CurvesMaximum(curves), MaximumInView(reduced.x, reduced.y, lo, hi));
        QVector<double> ys(static_cast<qsizetype>(reduced.y.size()));
        std::transform(reduced.y.begin(), reduced.y.end(), ys.begin(),
                       [factor](double y) { return y * factor; });
        // Drawn as a function of x, the way spectra are measured; the plot
        // puts points given from high to low x in order.
        QCPGraph* line = plot.addGraph();
        line->setData(ToVector(reduced.x), ys);
        line->setPen(PenFor(kMeasuredStyle));
        line->setName(PictureText(measured->name));
        // A noisy spectrum fills each pixel column from its lowest to its
        // highest point; smoothing those edges costs more than the rest of
        // the plot together and shows nothing.
        line->setAntialiased(false);
    }
    AddSampledGraph(plot, ToVector(curves.xs), ToVector(curves.sum), PenFor(kSumStyle),
                    QStringLiteral("Suma"));
    int ordinal = 0;
    for (const BandCurve& band : curves.bands) {
        AddSampledGraph(
            plot, ToVector(curves.xs), ToVector(band.y), PenFor(BandStyle(ordinal++)),
            QString::fromStdString(BandLegendLabel(table, band.index, curve.useScaled)));
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
    FitLegend(plot, plot.height());
}

std::pair<double, double> FigureDataYRange(QCustomPlot& plot) {
    bool any = false;
    QCPRange range;
    for (int i = 0; i < plot.plottableCount(); ++i) {
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

QByteArray RenderFigure(const model::PeakTable& table, const FigureView& view,
                        const FigureMeasured* measured, QSize size, FigureFormat format) {
    QCustomPlot plot;
    plot.resize(size);
    SetUpFigure(plot, table, view, measured, size.width());
    return FigureBytes(plot, size, format);
}

platform::Status WriteFigure(const std::string& path, const model::PeakTable& table,
                             const FigureView& view, const FigureMeasured* measured, QSize size) {
    const FigureFormat format = FigureFormatFor(path).value_or(FigureFormat::Png);
    const QByteArray bytes = RenderFigure(table, view, measured, size, format);
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
