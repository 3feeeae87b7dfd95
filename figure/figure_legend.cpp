#include "figure/figure_legend.h"

#include <qcustomplot.h>

#include <QFontMetrics>
#include <QHash>
#include <QStaticText>
#include <algorithm>
#include <cmath>

#include "figure/figure_style.h"
#include "platform/translation.h"

namespace trazel::figure {

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

// The most columns the entries of widths fill, row after row, within room:
// each column as wide as its widest entry.
int LegendColumns(const std::vector<int>& widths, int room, int spacing) {
    for (int columns = static_cast<int>(widths.size()); columns > 1; --columns) {
        std::vector<int> column(static_cast<std::size_t>(columns), 0);
        for (std::size_t i = 0; i < widths.size(); ++i) {
            int& widest = column[i % column.size()];
            widest = std::max(widest, widths[i]);
        }
        int total = spacing * (columns - 1);
        for (const int width : column) {
            total += width;
        }
        if (total <= room) {
            return columns;
        }
    }
    return 1;
}

}  // namespace

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

void LegendUnderThePlot(QCustomPlot& plot) {
    constexpr int kMaxRows = 4;
    QCPLegend& legend = *plot.legend;
    plot.axisRect()->insetLayout()->take(&legend);
    if (legend.itemCount() == 0) {
        legend.setVisible(false);
        return;
    }
    // Entries close together, a point of room around each, as on a printed
    // page; the screen's margins would take a fifth of a small picture.
    legend.setRowSpacing(0);
    std::vector<int> widths;
    for (int i = 0; i < legend.itemCount(); ++i) {
        legend.item(i)->setMargins(QMargins(3, 1, 3, 0));
        widths.push_back(legend.item(i)->minimumOuterSizeHint().width());
    }
    const int room = plot.viewport().width() - 8;
    const int columns = LegendColumns(widths, room, legend.columnSpacing());
    // At most a fifth of the picture's height, so that the spectrum keeps
    // the most of it.
    const int rowHeight = legend.item(0)->minimumOuterSizeHint().height() + legend.rowSpacing();
    const int rows =
        std::clamp((plot.viewport().height() / 5 - 2) / std::max(1, rowHeight), 1, kMaxRows);
    FoldLegend(legend, columns * rows);
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

}  // namespace trazel::figure
