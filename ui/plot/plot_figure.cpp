#include "ui/plot/plot_figure.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QStaticText>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <span>
#include <string_view>

#include "analysis/figure_data.h"
#include "model/spectrum_units.h"
#include "output/plot_curves.h"
#include "output/screen_graph.h"
#include "platform/atomic_file.h"
#include "platform/file_errors.h"
#include "platform/number_format.h"
#include "platform/qt/painter_dc.h"
#include "platform/translation.h"

using namespace trazel::output;

namespace trazel::ui {

namespace {

// The words of a figure in the language shown. The command line draws
// figures as well as the window, so they go through platform::Translate,
// which both programs install, rather than through Qt's translators alone.
QString Words(const std::string& translated) {
    return QString::fromStdString(translated);
}

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

// The plot lets only its own legend entries draw a curve's icon; a pointer
// to the protected member, taken in a class derived from the curve's, may be
// called on any curve.
struct IconAccess : QCPAbstractPlottable {
    using Icon = void (QCPAbstractPlottable::*)(QCPPainter*, const QRectF&) const;
    static constexpr Icon kIcon = &IconAccess::drawLegendIcon;
};

// A legend entry that lays its text out once. The plot asks every entry for
// its size several times and draws its text on every repaint; with a hundred
// bands that was a quarter of a wheel notch's time. On paper and in files (a
// vectorised painter) it draws as the plot's own entries do.
class LegendEntry : public QCPPlottableLegendItem {
  public:
    LegendEntry(QCPLegend* legend, QCPAbstractPlottable* plottable)
        : QCPPlottableLegendItem(legend, plottable) {}

  protected:
    void draw(QCPPainter* painter) override {
        if (painter->modes().testFlag(QCPPainter::pmVectorized) ||
            getIconBorderPen().style() != Qt::NoPen || !Prepare()) {
            QCPPlottableLegendItem::draw(painter);
            return;
        }
        const QSize icon = mParentLegend->iconSize();
        painter->setFont(getFont());
        painter->setPen(QPen(getTextColor()));
        painter->drawStaticText(
            QPointF(mRect.x() + icon.width() + mParentLegend->iconTextPadding(), mRect.y()), text_);
        const QRect iconRect(mRect.topLeft(), icon);
        painter->save();
        painter->setClipRect(iconRect, Qt::IntersectClip);
        (mPlottable->*IconAccess::kIcon)(painter, iconRect);
        painter->restore();
    }
    QSize minimumOuterSizeHint() const override {
        if (!Prepare()) {
            return QCPPlottableLegendItem::minimumOuterSizeHint();
        }
        return size_;
    }

  private:
    struct Laid {
        QStaticText text;
        QSize size;
    };

    // Takes the text laid out when the name or the font changed; false
    // without a curve. A zoom that brings a band into the view or takes one
    // out makes the entries anew: what they lay out is kept per thread for
    // the entries that follow, a few hundred names at most.
    bool Prepare() const {
        if (mPlottable == nullptr) {
            return false;
        }
        const QFont font = getFont();
        if (text_.text() == mPlottable->name() && font_ == font) {
            return true;
        }
        thread_local QHash<QString, Laid> laidOut;
        const QSize icon = mParentLegend->iconSize();
        const QString key = mPlottable->name() + QChar(0) + font.key() +
                            QStringLiteral("|%1|%2|%3|%4|%5")
                                .arg(icon.width())
                                .arg(icon.height())
                                .arg(mParentLegend->iconTextPadding())
                                .arg(mMargins.left() + mMargins.right())
                                .arg(mMargins.top() + mMargins.bottom());
        auto found = laidOut.constFind(key);
        if (found == laidOut.constEnd()) {
            constexpr int kMostKept = 512;
            if (laidOut.size() >= kMostKept) {
                laidOut.clear();
            }
            Laid laid{QStaticText(mPlottable->name()),
                      QCPPlottableLegendItem::minimumOuterSizeHint()};
            laid.text.setTextFormat(Qt::PlainText);
            laid.text.setPerformanceHint(QStaticText::AggressiveCaching);
            laid.text.prepare(QTransform(), font);
            found = laidOut.insert(key, laid);
        }
        font_ = font;
        text_ = found->text;
        size_ = found->size;
        return true;
    }

    mutable QStaticText text_;
    mutable QFont font_;
    mutable QSize size_;
};

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

// How a curve is drawn in the style chosen. On the screen every curve is one
// pixel wide: such lines go through the painter's fast line drawing, while a
// wider one is filled as an outline, which for a sum of many narrow bands
// takes seconds. On paper, points wide.
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

QPen PenFor(const CurveStyle& curve, FigureStyle style, double points) {
    Qt::PenStyle dash = Qt::SolidLine;
    switch (curve.dash) {
        case Dash::Solid:
            break;
        case Dash::Dashed:
            dash = Qt::DashLine;
            break;
        case Dash::Dotted:
            dash = Qt::DotLine;
            break;
        case Dash::DashDotted:
            dash = Qt::DashDotLine;
            break;
    }
    return StylePen(QColor(QRgb(curve.rgb)), dash, style, points);
}

QVector<double> ToVector(const std::vector<double>& values) {
    return QVector<double>(values.begin(), values.end());
}

// The graphs of a figure. Those the plot drew before are taken again, in
// the order they were made, for the curves over the same axes: a wheel notch
// changes their points, not what they are, and making a hundred graphs and
// their legend entries anew took as long as drawing them. Finish removes
// those not taken again.
class FigureGraphs {
  public:
    explicit FigureGraphs(QCustomPlot& plot) : plot_(plot) {
        for (int i = 0; i < plot.graphCount(); ++i) {
            old_.push_back(plot.graph(i));
        }
    }

    // A graph over key and value (the plot's x and y axes when null), as a
    // new one would be.
    QCPGraph* Add(QCPAxis* key = nullptr, QCPAxis* value = nullptr) {
        key = key != nullptr ? key : plot_.xAxis;
        value = value != nullptr ? value : plot_.yAxis;
        const auto same = std::find_if(old_.begin(), old_.end(), [&](QCPGraph* graph) {
            return graph->keyAxis() == key && graph->valueAxis() == value;
        });
        if (same == old_.end()) {
            changed_ = true;
            return new QCPGraph(key, value);
        }
        QCPGraph* graph = *same;
        old_.erase(same);
        graph->setPen(QPen());
        graph->setBrush(Qt::NoBrush);
        graph->setChannelFillGraph(nullptr);
        graph->setAntialiased(true);
        graph->setAdaptiveSampling(true);
        graph->setName(QString());
        return graph;
    }
    // Asks for graph's entry in the legend, after those asked for before.
    void Name(QCPGraph* graph) { named_.push_back(graph); }
    void Finish() {
        changed_ = changed_ || !old_.empty();
        for (QCPGraph* graph : old_) {
            plot_.removeGraph(graph);
        }
        old_.clear();
    }
    const std::vector<QCPGraph*>& Named() const { return named_; }
    // Whether a graph was made or removed: the legend's entries may then
    // name graphs that are gone.
    bool Changed() const { return changed_; }

  private:
    QCustomPlot& plot_;
    std::vector<QCPGraph*> old_;
    std::vector<QCPGraph*> named_;
    bool changed_ = false;
};

// A curve sampled at (xs, ys), one point per device pixel column or fewer,
// drawn through every point; in the legend unless told otherwise.
enum class Entry { Legend, None };
QCPGraph* AddGraph(FigureGraphs& graphs, const std::vector<double>& xs,
                   const std::vector<double>& ys, const QPen& pen, const QString& name,
                   Entry entry = Entry::Legend) {
    QCPGraph* graph = graphs.Add();
    graph->setData(ToVector(xs), ToVector(ys), true);
    // Sampled once per device pixel, a curve has two points per pixel of the
    // plot's coordinates on a screen that scales by two; the plot's own
    // thinning would then draw each steep flank as a column of segments
    // beside the smooth line. There are never enough points to need it.
    graph->setAdaptiveSampling(false);
    graph->setPen(pen);
    graph->setName(PictureText(name));
    if (entry == Entry::Legend) {
        graphs.Name(graph);
    }
    return graph;
}

QFont PointFont(int points) {
    QFont font;
    // In the plot's units, which are points on paper.
    font.setPixelSize(points);
    return font;
}

// Text and frame of an axis rectangle (the plot or the residual strip) and
// the legend in points, everything antialiased.
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

// Lays the axes out once: the legend in a column of its own at the right,
// outside the plot area, where any number of bands fits beside the curves.
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

// Leaves at most capacity entries in the legend, the last of them "+ N más"
// for those taken out; entries go last to first, so the first bands stay.
void FoldLegend(QCPLegend& legend, int capacity) {
    const int entries = legend.itemCount();
    if (entries <= capacity) {
        return;
    }
    const int hidden = entries - (capacity - 1);
    for (int i = entries - 1; i >= capacity - 1; --i) {
        legend.removeItem(i);
    }
    legend.addItem(
        new FoldedEntries(&legend, Words(TRAZEL_TR("PlotFigure", "+ %1 más")).arg(hidden)));
}

// The legend of a picture in a row under the plot (and its residual strip),
// in as many columns as the width holds, at most a few rows of them; the
// rest folded into one last entry.
void LegendUnderThePlot(QCustomPlot& plot) {
    constexpr int kMaxRows = 4;
    QCPLegend& legend = *plot.legend;
    plot.axisRect()->insetLayout()->take(&legend);
    if (legend.itemCount() == 0) {
        legend.setVisible(false);
        return;
    }
    int widest = 0;
    for (int i = 0; i < legend.itemCount(); ++i) {
        widest = std::max(widest, legend.item(i)->minimumOuterSizeHint().width());
    }
    const int room = plot.viewport().width() - 8;
    const int columns =
        std::clamp(room / std::max(1, widest + legend.columnSpacing()), 1, legend.itemCount());
    FoldLegend(legend, columns * kMaxRows);
    legend.setFillOrder(QCPLayoutGrid::foColumnsFirst);
    legend.setWrap(columns);
    legend.setFillOrder(QCPLayoutGrid::foColumnsFirst, true);
    QCPLayoutGrid& layout = *plot.plotLayout();
    const int row = layout.rowCount();
    layout.addElement(row, 0, &legend);
    layout.setRowStretchFactor(row, 0.001);
    legend.setMargins(QMargins(4, 2, 4, 0));
    // Its height only; a maximum width would narrow the plot's column too.
    legend.setMaximumSize(QWIDGETSIZE_MAX, legend.minimumOuterSizeHint().height());
    legend.setVisible(true);
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
    FoldLegend(legend, rows * kMaxLegendColumns);
    legend.setWrap(rows);
    // Setting the wrap leaves the entries where they were; this moves them.
    legend.setFillOrder(QCPLayoutGrid::foRowsFirst, true);
    legend.setMaximumSize(legend.minimumOuterSizeHint());
}

QString NoteForEqualLimits() {
    return Words(
        TRAZEL_TR("PlotFigure", "Los límites de x son iguales: no hay curvas que dibujar."));
}

// The fit in a colour of its own, red, which no band drawn by itself takes:
// the fitted curve solid, each fitted band dotted, the baseline dashed.
const QColor kFitColour(213, 0, 0);

QPen FitPen(FigureStyle style, Qt::PenStyle dash = Qt::SolidLine) {
    return StylePen(kFitColour, dash, style, dash == Qt::SolidLine ? kSumPoints : kBandPoints);
}

void DrawFit(FigureGraphs& graphs, const analysis::FigureData& figure, FigureStyle style,
             bool fill) {
    QCPGraph* baseline = nullptr;
    if (!figure.baseline.x.empty()) {
        baseline =
            AddGraph(graphs, figure.baseline.x, figure.baseline.y, FitPen(style, Qt::DashLine),
                     Words(TRAZEL_TR("PlotFigure", "Línea base del ajuste")));
    }
    if (figure.fit.x.empty()) {
        return;
    }
    AddGraph(graphs, figure.fit.x, figure.fit.y, FitPen(style),
             Words(TRAZEL_TR("PlotFigure", "Ajuste")));
    // One legend entry stands for every component.
    const QString name = Words(TRAZEL_TR("PlotFigure", "Bandas ajustadas"));
    for (const analysis::Curve& component : figure.components) {
        QCPGraph* graph =
            AddGraph(graphs, component.x, component.y, FitPen(style, Qt::DotLine), name,
                     &component == &figure.components.front() ? Entry::Legend : Entry::None);
        if (fill) {
            // Each band stands on the baseline; a light tint keeps the
            // bands under it and the curves over it readable.
            QColor tint = kFitColour;
            tint.setAlpha(28);
            graph->setBrush(tint);
            graph->setChannelFillGraph(baseline);
        }
    }
}

// Puts the strip for the residual under the plot, or takes it away.
void ShowResidualStrip(QCustomPlot& plot, bool shown, FigureStyle style) {
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
    y->setLabel(Words(TRAZEL_TR("PlotFigure", "Residuo")));
    y->setNumberFormat(QStringLiteral("g"));
    y->setNumberPrecision(3);
    strip->axis(QCPAxis::atBottom)->setNumberFormat(QStringLiteral("g"));
    strip->axis(QCPAxis::atBottom)->setNumberPrecision(6);
    if (style == FigureStyle::Print) {
        StyleForPrint(plot, *strip);
        // A strip a quarter of a column high has room for few numbers.
        y->ticker()->setTickCount(3);
        // The height left goes three to one between the plot and the strip,
        // which a screen's minimum heights would upset in a small picture.
        plot.axisRect()->setMinimumSize(0, 30);
        strip->setMinimumSize(0, 15);
        plot.plotLayout()->setRowStretchFactor(0, 2.0);
    }
}

void DrawResidual(QCustomPlot& plot, FigureGraphs& graphs, QCPAxisRect& strip,
                  const analysis::Curve& residual, const FigureView& view, FigureStyle style) {
    const QCPRange x = plot.xAxis->range();
    // The strip's axis, right under it, names x for both.
    plot.xAxis->setLabel(QString());
    QCPAxis* residualX = strip.axis(QCPAxis::atBottom);
    QCPAxis* residualY = strip.axis(QCPAxis::atLeft);
    residualX->setRange(x);
    residualX->setRangeReversed(view.reversedX);
    residualX->setLabel(PictureText(view.xTitle));
    QCPGraph* graph = graphs.Add(residualX, residualY);
    graph->setData(ToVector(residual.x), ToVector(residual.y), true);
    graph->setPen(FitPen(style));
    if (style == FigureStyle::Print) {
        graph->setPen(StylePen(kFitColour, Qt::SolidLine, style, kMeasuredPoints));
    }
    graph->setAntialiased(style == FigureStyle::Print);
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
    zero->setPen(StylePen(Qt::lightGray, Qt::SolidLine, style, kFramePoints));
}

// A band drawn by itself: its graph and its values at the samples, which
// all lie between the x limits.
struct BandGraph {
    QCPGraph* graph = nullptr;
    std::span<const double> y;
};

// The band drawn by graph, or null when graph draws something else.
const BandGraph* BandOf(const std::vector<BandGraph>& bands, const QCPGraph* graph) {
    const auto band = std::find_if(bands.begin(), bands.end(),
                                   [graph](const BandGraph& b) { return b.graph == graph; });
    return band != bands.end() ? &*band : nullptr;
}

// Whether a curve shows between the axes: not with no point in the range,
// nor a band whose curve stays on zero in it (its centre far outside).
bool ShowsInView(const QCustomPlot& plot, const QCPGraph& graph) {
    const QCPRange x = plot.xAxis->range();
    const QCPRange y = plot.yAxis->range();
    for (auto it = graph.data()->findBegin(x.lower, false);
         it != graph.data()->constEnd() && it->key <= x.upper; ++it) {
        if (it->key >= x.lower && y.contains(it->value)) {
            return true;
        }
    }
    return false;
}
bool ShowsInView(const QCustomPlot& plot, const BandGraph& band) {
    const QCPRange y = plot.yAxis->range();
    // Less than this from zero does not leave the axis by a pixel's width.
    const double flat = 0.002 * y.size();
    return std::any_of(band.y.begin(), band.y.end(), [&](double v) {
        return v >= y.lower && v <= y.upper && std::fabs(v) > flat;
    });
}

// The legend's entries: the named graphs that show between the axes, in
// order, folded to the room there is (fold). On the screen a figure drawn
// again over the same graphs, at the same height, with the same of them
// showing keeps its entries as they are, laid out.
void FillLegend(QCustomPlot& plot, const FigureGraphs& graphs, const std::vector<BandGraph>& bands,
                const std::function<void(QCustomPlot&)>& fold) {
    QCPLegend& legend = *plot.legend;
    QByteArray key;
    std::vector<QCPGraph*> shown;
    for (QCPGraph* graph : graphs.Named()) {
        const BandGraph* band = BandOf(bands, graph);
        if (graph->keyAxis() == plot.xAxis &&
            (band != nullptr ? ShowsInView(plot, *band) : ShowsInView(plot, *graph))) {
            shown.push_back(graph);
            key.append(reinterpret_cast<const char*>(&graph), sizeof graph);
        }
    }
    key.append(QByteArray::number(plot.height()));
    static const char* const kLegendKey = "trazelLegendEntries";
    if (!graphs.Changed() && legend.property(kLegendKey).toByteArray() == key) {
        return;
    }
    legend.clearItems();
    for (QCPGraph* graph : shown) {
        legend.addItem(new LegendEntry(&legend, graph));
    }
    fold(plot);
    legend.setProperty(kLegendKey, key);
}

// Leaves out of every curve over the plot the points inside a flat run
// (within a hundred-thousandth of the y range of both neighbours), which
// draw nothing a line between the run's ends does not; and a band's tails on
// zero, most of a picture of many narrow bands.
void DropFlatRuns(QCustomPlot& plot, const std::vector<BandGraph>& bands) {
    const double flat = 1e-5 * plot.yAxis->range().size();
    for (int i = 0; i < plot.graphCount(); ++i) {
        QCPGraph* graph = plot.graph(i);
        if (graph->keyAxis() != plot.xAxis || graph->data()->size() < 3) {
            continue;
        }
        const QCPGraphDataContainer& data = *graph->data();
        QVector<QCPGraphData> kept;
        kept.reserve(data.size());
        for (int k = 0; k < data.size(); ++k) {
            const auto at = data.constBegin() + k;
            const bool inside = k > 0 && k + 1 < data.size();
            if (inside && std::fabs(at->value - (at - 1)->value) <= flat &&
                std::fabs(at->value - (at + 1)->value) <= flat) {
                continue;
            }
            kept.push_back(*at);
        }
        if (BandOf(bands, graph) != nullptr) {
            // A band by itself is drawn from where it leaves zero to where
            // it comes back: its tails would draw the axis again in its
            // colour, a hundred times over with a hundred bands.
            const auto onZero = [flat](const QCPGraphData& point) {
                return std::fabs(point.value) <= flat;
            };
            qsizetype first = 0;
            while (first + 1 < kept.size() && onZero(kept[first]) && onZero(kept[first + 1])) {
                ++first;
            }
            qsizetype last = kept.size() - 1;
            while (last - 1 > first && onZero(kept[last]) && onZero(kept[last - 1])) {
                --last;
            }
            kept = kept.mid(first, last - first + 1);
        }
        if (kept.size() < data.size()) {
            graph->data()->set(kept, true);
        }
    }
}

// The measured trace of a picture: in each of columns between lo and hi, its
// lowest and highest point, the two edges stroked and the band between them
// filled. A noisy trace, stroked wide and antialiased as a zigzag through
// every column's extremes, costs the rasteriser most of a picture's time
// for the same look.
void DrawMeasuredEnvelope(FigureGraphs& graphs, const ReducedPoints& points, double lo, double hi,
                          int columns, const QPen& pen, const QString& name) {
    struct Column {
        double x = 0.0;
        double low = 0.0;
        double high = 0.0;
        int count = 0;
    };
    std::vector<Column> bins(static_cast<std::size_t>(std::max(1, columns)));
    const double perUnit = bins.size() / (hi - lo);
    // Points just outside the range keep the edges running to the frame.
    QVector<QCPGraphData> before, after;
    for (std::size_t i = 0; i < points.x.size(); ++i) {
        const double x = points.x[i];
        const double y = points.y[i];
        if (x < lo || x > hi) {
            (x < lo ? before : after).push_back({x, y});
            continue;
        }
        const auto c = std::min(bins.size() - 1, static_cast<std::size_t>((x - lo) * perUnit));
        Column& bin = bins[c];
        bin.x = bin.count == 0 ? x : bin.x + (x - bin.x) / (bin.count + 1);
        bin.low = bin.count == 0 ? y : std::min(bin.low, y);
        bin.high = bin.count == 0 ? y : std::max(bin.high, y);
        ++bin.count;
    }
    QVector<QCPGraphData> upper = before, lower = before;
    for (const Column& bin : bins) {
        if (bin.count > 0) {
            upper.push_back({bin.x, bin.high});
            lower.push_back({bin.x, bin.low});
        }
    }
    upper += after;
    lower += after;
    QCPGraph* bottom = graphs.Add();
    bottom->data()->set(lower);
    bottom->setPen(pen);
    QCPGraph* top = graphs.Add();
    top->data()->set(upper);
    top->setPen(pen);
    top->setBrush(pen.color());
    top->setChannelFillGraph(bottom);
    top->setName(name);
    graphs.Name(top);
}

// The x unit of the measured data, for the bands' legend labels; empty when
// the data say none.
QString XUnitOf(const analysis::Analysis& analysis) {
    if (!analysis.measured) {
        return {};
    }
    return QString::fromStdString(model::XUnitSymbol(analysis.measured->Header()));
}

}  // namespace

void SetUpFigure(QCustomPlot& plot, const analysis::DocumentState& state, const FigureView& view,
                 int columns, FigureStyle style) {
    PrepareLayout(plot, style);
    plot.clearItems();
    // Entries are made for what shows once every curve is drawn.
    plot.setAutoAddPlottableToLegend(false);
    FigureGraphs graphs(plot);
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
        if (style == FigureStyle::Print) {
            note->setFont(PointFont(kTitlePoints));
        }
        plot.legend->setVisible(false);
        // The strip stays while there is a fit, as with any other limits.
        ShowResidualStrip(plot, fitted, style);
        if (QCPAxisRect* strip = FigureResidualRect(plot)) {
            DrawResidual(plot, graphs, *strip,
                         analysis::Residuals(*analysis.measured, *analysis.lastFit), view, style);
        }
        graphs.Finish();
        FillLegend(plot, graphs, {}, [](QCustomPlot&) {});
        return;
    }
    plot.legend->setVisible(true);
    const double lo = std::min(curve.xMin, curve.xMax);
    const double hi = std::max(curve.xMin, curve.xMax);
    plot.xAxis->setRange(lo, hi);

    // On paper the measured trace is some pixels wide: a column of its
    // extremes for every half of its width shows all it can.
    const double perPoint = double(columns) / std::max(1, plot.viewport().width());
    const int traceColumns =
        style == FigureStyle::Print
            ? static_cast<int>(columns / std::max(1.0, 0.5 * kMeasuredPoints * perPoint))
            : columns;
    const analysis::FigureData figure = analysis::ComputeFigure(
        state, curve.lineShape, curve.useScaled, lo, hi, columns, traceColumns);
    if (figure.measured) {
        const QString name = PictureText(
            QFile::decodeName(QByteArray::fromStdString(state.analysis.measured->sourceName)));
        const QPen pen = PenFor(kMeasuredStyle, style, kMeasuredPoints);
        if (style == FigureStyle::Print) {
            DrawMeasuredEnvelope(graphs, *figure.measured, lo, hi, traceColumns, pen, name);
        } else {
            // Drawn as a function of x, the way spectra are measured; the
            // plot puts points given from high to low x in order.
            QCPGraph* line = graphs.Add();
            line->setData(ToVector(figure.measured->x), ToVector(figure.measured->y));
            line->setPen(pen);
            line->setName(name);
            graphs.Name(line);
            // A noisy spectrum fills each pixel column from its lowest to
            // its highest point; on the screen smoothing those edges costs
            // more than the rest of the plot together and shows nothing.
            line->setAntialiased(false);
        }
    }
    const PlotCurves& curves = figure.model;
    AddGraph(graphs, curves.xs, curves.sum, PenFor(kSumStyle, style, kSumPoints),
             Words(TRAZEL_TR("PlotFigure", "Suma")));
    std::vector<BandGraph> bands;
    const QString unit = XUnitOf(analysis);
    int ordinal = 0;
    for (const BandCurve& band : curves.bands) {
        QString label =
            QString::fromStdString(BandLegendLabel(state.table, band.index, curve.useScaled));
        if (!unit.isEmpty()) {
            label += QLatin1Char(' ') + unit;
        }
        bands.push_back({AddGraph(graphs, curves.xs, band.y,
                                  PenFor(BandStyle(ordinal++), style, kBandPoints), label),
                         band.y});
    }
    DrawFit(graphs, figure, style, view.fillComponents);
    if (!view.estimatedBaseline.x.empty()) {
        AddGraph(graphs, view.estimatedBaseline.x, view.estimatedBaseline.y,
                 StylePen(QColor(230, 120, 0), Qt::DashLine, style, kBandPoints),
                 Words(TRAZEL_TR("PlotFigure", "Línea base estimada")));
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
    ShowResidualStrip(plot, fitted, style);
    if (QCPAxisRect* strip = FigureResidualRect(plot)) {
        DrawResidual(plot, graphs, *strip, figure.residual, view, style);
    }
    graphs.Finish();
    if (style == FigureStyle::Print) {
        FillLegend(plot, graphs, bands, LegendUnderThePlot);
        DropFlatRuns(plot, bands);
        if (FigureResidualRect(plot) != nullptr) {
            // The strip's axis, right under the plot, numbers x for both.
            plot.xAxis->setTickLabels(false);
        }
    } else {
        FillLegend(plot, graphs, bands,
                   [](QCustomPlot& shown) { FitLegend(shown, shown.height()); });
        // No empty frame where nothing shows.
        plot.legend->setVisible(plot.legend->itemCount() > 0);
        // A hundred bands drawn by themselves each lie on zero across most
        // of the view: without those runs the window draws a notch's picture
        // in a fraction of the time.
        DropFlatRuns(plot, bands);
    }
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

namespace {

constexpr double kPointsPerInch = 72.0;

// The plot laid out at size.Points() painted onto device at scale device
// units per point; the modes of an export, without the screen's half-pixel
// shifts, which a scaled painter would make whole points.
// False when the device gave no painter: an image that could not be
// allocated, a generator without an engine.
bool Paint(QCustomPlot& plot, QPaintDevice& device, const PictureSize& size, QSizeF scale) {
    QCPPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.scale(scale.width(), scale.height());
    plot.toPainter(&painter, size.Points().width(), size.Points().height());
    return painter.end();
}

// Empty when the picture could not be painted or encoded.
QByteArray FigureBytes(QCustomPlot& plot, const PictureSize& size, FigureFormat format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize points = size.Points();
    switch (format) {
        case FigureFormat::Png: {
            const QSize pixels = size.Pixels();
            // Opaque, so the file holds three bytes a pixel, not four.
            QImage image(pixels, QImage::Format_RGB32);
            if (image.isNull()) {
                return {};
            }
            const int perMetre = qRound(size.dpi / (kCentimetresPerInch / 100.0));
            image.setDotsPerMeterX(perMetre);
            image.setDotsPerMeterY(perMetre);
            image.fill(Qt::white);
            // zlib's fastest level: compressing at its default took a
            // quarter of a large picture's time, for a tenth fewer bytes.
            constexpr int kFastestCompression = 80;
            if (!Paint(plot, image, size,
                       QSizeF(double(pixels.width()) / points.width(),
                              double(pixels.height()) / points.height())) ||
                !image.save(&buffer, "PNG", kFastestCompression)) {
                return {};
            }
            break;
        }
        case FigureFormat::Svg: {
            QByteArray drawn;
            QBuffer svgBuffer(&drawn);
            svgBuffer.open(QIODevice::WriteOnly);
            QSvgGenerator svg;
            svg.setOutputDevice(&svgBuffer);
            // One unit a point: the file's width and height in millimetres
            // are its size on paper.
            svg.setSize(points);
            svg.setViewBox(QRect(QPoint(0, 0), points));
            svg.setResolution(static_cast<int>(kPointsPerInch));
            svg.setTitle(QStringLiteral("Trazel"));
            if (!Paint(plot, svg, size, QSizeF(1.0, 1.0))) {
                return {};
            }
            svgBuffer.close();
            // A tenth of a dot at the resolution asked for, at most three
            // decimals of a point.
            const int decimals = std::clamp(
                static_cast<int>(std::ceil(std::log10(size.dpi / kPointsPerInch * 10.0))), 1, 3);
            bytes = CompactSvg(drawn, decimals);
            return bytes;
        }
        case FigureFormat::Pdf: {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(static_cast<int>(kPointsPerInch));
            const QSizeF page = size.inches * kPointsPerInch;
            pdf.setPageSize(QPageSize(page, QPageSize::Point, QString(), QPageSize::ExactMatch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setCreator(QStringLiteral("Trazel"));
            if (!Paint(plot, pdf, size,
                       QSizeF(page.width() / points.width(), page.height() / points.height()))) {
                return {};
            }
            break;
        }
    }
    return bytes;
}

// The numbers of a coordinate attribute rounded to decimals places, with no
// trailing zeros.
QString RoundedNumbers(const QString& text, int decimals) {
    static const QRegularExpression number(QStringLiteral("-?\\d+\\.\\d+(?:[eE][-+]?\\d+)?"));
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (auto it = number.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(text).mid(from, match.capturedStart() - from);
        QString rounded = QString::number(match.captured().toDouble(), 'f', decimals);
        while (rounded.endsWith(QLatin1Char('0'))) {
            rounded.chop(1);
        }
        if (rounded.endsWith(QLatin1Char('.'))) {
            rounded.chop(1);
        }
        if (rounded == QStringLiteral("-0")) {
            rounded = QStringLiteral("0");
        }
        out += rounded;
        from = match.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out;
}

bool IsCoordinate(QStringView name) {
    static const QStringList names = {
        QStringLiteral("points"), QStringLiteral("d"),  QStringLiteral("x"),
        QStringLiteral("y"),      QStringLiteral("x1"), QStringLiteral("y1"),
        QStringLiteral("x2"),     QStringLiteral("y2"), QStringLiteral("width"),
        QStringLiteral("height"), QStringLiteral("cx"), QStringLiteral("cy"),
        QStringLiteral("r"),      QStringLiteral("rx"), QStringLiteral("ry")};
    return names.contains(name);
}

}  // namespace

QSize PictureSize::Pixels() const {
    return QSize(qRound(inches.width() * dpi), qRound(inches.height() * dpi));
}

QSize PictureSize::Points() const {
    return QSize(std::max(1, qRound(inches.width() * kPointsPerInch)),
                 std::max(1, qRound(inches.height() * kPointsPerInch)));
}

PictureSize DefaultPictureSize() {
    return PictureSizeInCentimetres(8.5, 6.4, 600.0);
}

PictureSize PictureSizeInCentimetres(double width, double height, double dpi) {
    return {QSizeF(width / kCentimetresPerInch, height / kCentimetresPerInch), dpi};
}

PictureSize PictureSizeInPixels(QSize pixels, std::optional<double> dpi) {
    // The user gave no resolution: none is refused.
    const double resolution =
        dpi ? *dpi
            : std::clamp(pixels.width() / DefaultPictureSize().inches.width(), kMinDpi, kMaxDpi);
    return {QSizeF(pixels.width() / resolution, pixels.height() / resolution), resolution};
}

std::string PictureSizeProblem(const PictureSize& size) {
    if (!(size.dpi >= kMinDpi && size.dpi <= kMaxDpi)) {
        return platform::Fill(
            TRAZEL_TR("PlotFigure", "la resolución debe estar entre %1 y %2 puntos por pulgada"),
            {std::to_string(int(kMinDpi)), std::to_string(int(kMaxDpi))});
    }
    const double w = size.inches.width() * size.dpi;
    const double h = size.inches.height() * size.dpi;
    if (!(w >= kMinPictureSide - 0.5 && h >= kMinPictureSide - 0.5 && w < kMaxPictureSide + 0.5 &&
          h < kMaxPictureSide + 0.5)) {
        return platform::Fill(TRAZEL_TR("PlotFigure",
                                        "la imagen debe tener entre %1 y %2 píxeles "
                                        "por lado a esa resolución"),
                              {std::to_string(kMinPictureSide), std::to_string(kMaxPictureSide)});
    }
    return {};
}

std::string AxisLimitsProblem(double low, double high) {
    if (low == high && std::isfinite(low) && std::fabs(low) < QCPRange::maxRange / 2) {
        return {};
    }
    // QCustomPlot keeps its old range when given one it cannot draw, and
    // the picture would show empty axes at limits nobody asked for.
    if (QCPRange::validRange(std::min(low, high), std::max(low, high))) {
        return {};
    }
    return platform::Fill(TRAZEL_TR("PlotFigure",
                                    "un eje no puede mostrar de %1 a %2: sus límites deben estar "
                                    "entre -1e250 y 1e250 y no tan juntos que no se distingan"),
                          {platform::FormatG(low), platform::FormatG(high)});
}

QByteArray CompactSvg(const QByteArray& svg, int decimals) {
    QByteArray out;
    QXmlStreamReader reader(svg);
    // Names as written, xmlns attributes among the others.
    reader.setNamespaceProcessing(false);
    QXmlStreamWriter writer(&out);
    // Groups opened in the input but not yet written: one is written only
    // when something is put in it.
    struct Group {
        QXmlStreamAttributes attributes;
        bool written = false;
    };
    std::vector<Group> open;
    const auto flush = [&] {
        for (Group& group : open) {
            if (!group.written) {
                writer.writeStartElement(QStringLiteral("g"));
                writer.writeAttributes(group.attributes);
                group.written = true;
            }
        }
    };
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
            case QXmlStreamReader::StartDocument:
                writer.writeStartDocument();
                break;
            case QXmlStreamReader::StartElement: {
                QXmlStreamAttributes attributes;
                for (const QXmlStreamAttribute& a : reader.attributes()) {
                    const QStringView name = a.qualifiedName();
                    // The root declares the namespace once for all.
                    if (!open.empty() && name == QStringLiteral("xmlns")) {
                        continue;
                    }
                    attributes.append(name.toString(),
                                      IsCoordinate(name)
                                          ? RoundedNumbers(a.value().toString(), decimals)
                                          : a.value().toString());
                }
                if (reader.qualifiedName() == QStringLiteral("g")) {
                    open.push_back({attributes, false});
                    break;
                }
                flush();
                open.push_back({{}, true});
                writer.writeStartElement(reader.qualifiedName().toString());
                writer.writeAttributes(attributes);
                break;
            }
            case QXmlStreamReader::EndElement:
                if (open.back().written) {
                    writer.writeEndElement();
                }
                open.pop_back();
                break;
            case QXmlStreamReader::Characters:
                if (!reader.isWhitespace()) {
                    flush();
                    writer.writeCharacters(reader.text().toString());
                }
                break;
            default:
                break;
        }
    }
    if (reader.hasError()) {
        return svg;
    }
    writer.writeEndDocument();
    return out;
}

QByteArray RenderFigure(const analysis::DocumentState& state, const FigureView& view,
                        const PictureSize& size, FigureFormat format) {
    QCustomPlot plot;
    plot.resize(size.Points());
    // A plot never shown lays itself out at its size only when told.
    plot.setViewport(QRect(QPoint(0, 0), size.Points()));
    // A sample for every pixel of the PNG, at least one a point.
    const int columns = std::max(size.Pixels().width(), size.Points().width());
    SetUpFigure(plot, state, view, columns, FigureStyle::Print);
    return FigureBytes(plot, size, format);
}

platform::Status WriteFigure(const std::string& path, const analysis::DocumentState& state,
                             const FigureView& view, const PictureSize& size) {
    const FigureFormat format = FigureFormatFor(path).value_or(FigureFormat::Png);
    const QByteArray bytes = RenderFigure(state, view, size, format);
    if (bytes.isEmpty()) {
        // The old file stays as it was: an empty one would replace it.
        return platform::FileFailure(platform::FileOperation::Write, path, PictureNotDrawn());
    }
    return platform::WriteFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

FigureView FitPageView(const analysis::Analysis& analysis) {
    FigureView view;
    view.yFromData = true;
    if (analysis.lastFit) {
        const analysis::FitRecord& fit = *analysis.lastFit;
        view.curve.xMin = fit.xMin;
        view.curve.xMax = fit.xMax;
        view.curve.lineShape = fit.lineShape;
        view.curve.useScaled = fit.useScaled;
    }
    const analysis::AxisTitles titles = analysis::ShownAxisTitles(analysis, {"x", "y"});
    view.xTitle = QString::fromStdString(titles.x);
    view.yTitle = QString::fromStdString(titles.y);
    view.reversedX = analysis.measured && model::DrawnWithXDecreasing(analysis.measured->Header());
    return view;
}

void PrintFigure(platform::CDC& dc, const output::PageBox& box,
                 const analysis::DocumentState& state, const FigureView& view) {
    auto* paper = dynamic_cast<platform::QPainterDC*>(&dc);
    if (paper == nullptr) {
        return;
    }
    // Drawn as the SVG picture of that size on paper, so that the page shows
    // what an exported picture shows, in lines and text that stay sharp at
    // the printer's resolution.
    constexpr double kUnitsPerInch = 254.0;
    PictureSize size;
    size.inches =
        QSizeF((box.right - box.left) / kUnitsPerInch, (box.top - box.bottom) / kUnitsPerInch);
    size.dpi = 600.0;
    QSvgRenderer svg(RenderFigure(state, view, size, FigureFormat::Svg));
    svg.render(&paper->Painter(), paper->DeviceRect(box.left, box.top, box.right, box.bottom));
}

std::string PictureNotDrawn() {
    return TRAZEL_TR("PlotFigure",
                     "no queda memoria suficiente para dibujar la imagen a ese tamaño; no se ha "
                     "escrito nada");
}

QString PictureText(QString text) {
    return QString::fromStdString(platform::ShownText(text.toStdString(), true));
}

QString MeasuredLegendName(const std::string& path) {
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).fileName();
}

}  // namespace trazel::ui
