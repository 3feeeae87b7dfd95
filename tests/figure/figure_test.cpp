#include <qcustomplot.h>

#include <QImage>
#include <QPixmap>
#include <QTest>
#include <cmath>

#include "figure/figure.h"
#include "figure/picture_file.h"
#include "figure/png_encoding.h"
#include "figure/svg_compaction.h"
#include "fit/band_fit.h"
#include "tests/support/graph_names.h"
#include "tests/support/peak_tables.h"
#include "tests/support/synthetic_spectrum.h"

using namespace trazel::model;
using namespace trazel::figure;

Q_DECLARE_METATYPE(trazel::figure::FigureStyle)

class FigureTest : public QObject {
    Q_OBJECT

  private slots:
    // What QSvgGenerator writes, smaller: no group without content, and
    // coordinates (only they) to the decimals asked for.
    void svgIsCompacted_data() {
        QTest::addColumn<QByteArray>("svg");
        QTest::addColumn<QByteArray>("compact");
        const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
        QTest::newRow("empty groups")
            << head + "<svg><g fill=\"a\"><g/></g><g><rect x=\"1\"/></g></svg>"
            << head + "<svg><g><rect x=\"1\"/></g></svg>";
        QTest::newRow("coordinates rounded")
            << head +
                   "<svg><polyline points=\"1.2345,-0.0001 2.5,3\" stroke-width=\"0.7512\"/></svg>"
            << head + "<svg><polyline points=\"1.23,0 2.5,3\" stroke-width=\"0.7512\"/></svg>";
        QTest::newRow("text kept") << head + "<svg><g><text x=\"1.005\">1.2345</text></g></svg>"
                                   << head + "<svg><g><text x=\"1\">1.2345</text></g></svg>";
        QTest::newRow("not XML") << QByteArray("<svg><g></svg>") << QByteArray("<svg><g></svg>");
    }
    void svgIsCompacted() {
        QFETCH(QByteArray, svg);
        QFETCH(QByteArray, compact);
        QCOMPARE(CompactSvg(svg, 2).trimmed(), compact);
    }

    // With 99 bands by themselves the legend stays beside the plot, folded
    // into "+ N más" when the height cannot hold them all; drawn again over
    // the graphs of another view (as a zoom does), the same.
    void legendOfManyBandsFoldsToFit_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("xMin");
        QTest::addColumn<int>("entries");
        QTest::addColumn<double>("xMinBefore");
        const double none = std::nan("");
        QTest::newRow("tall") << 2400 << 0.0 << 100 << none;
        QTest::newRow("short") << 300 << 0.0 << -1 << none;
        // Only the sum and the bands from 400 to 1000 show.
        QTest::newRow("zoomed") << 2400 << 400.0 << 1 + 60 << none;
        QTest::newRow("zoomed in") << 2400 << 400.0 << 1 + 60 << 0.0;
        QTest::newRow("zoomed out") << 2400 << 0.0 << 100 << 400.0;
        QTest::newRow("short, zoomed out") << 300 << 0.0 << -1 << 400.0;
    }
    void legendOfManyBandsFoldsToFit() {
        QFETCH(int, height);
        QFETCH(double, xMin);
        QFETCH(int, entries);
        QFETCH(double, xMinBefore);
        const bool folded = entries < 0;
        const PeakTable table = TableOf(
            99, [](int k) { return TestBand{.position = 10.0 * k, .width = 3, .separate = true}; });
        QCustomPlot plot;
        plot.resize(1200, height);
        FigureView view;
        view.curve.xMin = xMinBefore;
        view.curve.xMax = 1000;
        view.curve.yMax = 1;
        if (!std::isnan(xMinBefore)) {
            SetUpFigure(plot, {.table = table, .analysis = {}}, view, 1200);
        }
        view.curve.xMin = xMin;
        SetUpFigure(plot, {.table = table, .analysis = {}}, view, 1200);
        // A plot never shown lays itself out at its size only when told.
        plot.setViewport(QRect(0, 0, 1200, height));
        plot.replot();
        QCOMPARE(plot.graphCount(), 100);
        QCOMPARE(plot.legend->itemCount(), folded ? plot.legend->itemCount() : entries);
        QVERIFY(!folded || plot.legend->itemCount() < 100);
        QVERIFY(plot.legend->outerRect().bottom() <= height);
        QVERIFY(plot.axisRect()->width() > 600);
        QVERIFY(plot.legend->columnCount() <= 3);
        // The entries in the order the curves are drawn, the sum first.
        QList<QCPAbstractPlottable*> drawn;
        for (int i = 0; i < plot.graphCount(); ++i) {
            drawn << plot.graph(i);
        }
        qsizetype last = -1;
        for (int i = 0; i < plot.legend->itemCount(); ++i) {
            if (auto* entry = qobject_cast<QCPPlottableLegendItem*>(plot.legend->item(i))) {
                QVERIFY(drawn.indexOf(entry->plottable()) > last);
                last = drawn.indexOf(entry->plottable());
            }
        }
        QCOMPARE(qobject_cast<QCPPlottableLegendItem*>(plot.legend->item(0))->plottable()->name(),
                 QStringLiteral("Suma"));
    }

    // A band drawn by itself runs from where it leaves zero to where it
    // comes back, in the window and on paper; the sum spans the whole view;
    // found bands are marked on both.
    void bandDrawnWhereItLeavesZero_data() {
        QTest::addColumn<FigureStyle>("style");
        QTest::newRow("screen") << FigureStyle::Screen;
        QTest::newRow("print") << FigureStyle::Print;
    }
    void bandDrawnWhereItLeavesZero() {
        QFETCH(FigureStyle, style);
        QCustomPlot plot;
        plot.resize(800, 600);
        plot.setViewport(QRect(0, 0, 800, 600));
        FigureView view;
        view.curve.xMax = 1000;
        view.curve.yMax = 2;
        view.foundBands = {400, 600};
        SetUpFigure(plot, {.table = TableOf({{500, 1, 10, 1, true}}), .analysis = {}}, view, 800,
                    style);
        QCOMPARE(plot.graphCount(), 2);
        // The bands a search found are marked in the window and in its
        // pictures alike.
        QCOMPARE(plot.findChildren<QCPItemStraightLine*>(QStringLiteral("foundBand")).size(), 2);
        const QCPGraphDataContainer& band = *plot.graph(1)->data();
        for (const auto end : {band.constBegin(), band.constEnd() - 1}) {
            QVERIFY2(end->key > 450 && end->key < 550, qPrintable(QString::number(end->key)));
            QVERIFY(std::fabs(end->value) < 1e-3);
        }
        const QCPGraphDataContainer& sum = *plot.graph(0)->data();
        QCOMPARE(sum.constBegin()->key, 0.0);
        QCOMPARE((sum.constEnd() - 1)->key, 1000.0);
    }

    // On a screen that scales by two the curves are sampled per device pixel
    // and painted on a buffer of that ratio, as the window paints: each
    // flank is still one line, a single run of ink in every pixel column.
    void flankIsOneLineAtEveryScale_data() {
        QTest::addColumn<int>("ratio");
        QTest::newRow("scale 1") << 1;
        QTest::newRow("scale 2") << 2;
    }
    void flankIsOneLineAtEveryScale() {
        QFETCH(int, ratio);
        QCustomPlot plot;
        const QSize size(600, 400);
        plot.resize(size);
        FigureView view;
        view.curve.xMax = 1000;
        view.curve.yMax = 2.2;
        SetUpFigure(plot, {.table = TableOf({{500, 2, 150}}), .analysis = {}}, view,
                    size.width() * ratio);
        plot.setViewport(QRect(QPoint(0, 0), size));
        plot.replot();
        QPixmap buffer(size * ratio);
        buffer.setDevicePixelRatio(ratio);
        buffer.fill(Qt::white);
        {
            QCPPainter painter(&buffer);
            plot.toPainter(&painter, size.width(), size.height());
        }
        const QImage image = buffer.toImage().convertToFormat(QImage::Format_RGB32);
        const QRect area = plot.axisRect()->rect();
        const auto ink = [&image](int x, int y) { return qGray(image.pixel(x, y)) < 160; };
        // From the top of the band down its right flank to the foot, above
        // the ticks, which stand inside the axes.
        const int from = static_cast<int>(plot.xAxis->coordToPixel(505) * ratio);
        const int to = static_cast<int>(plot.xAxis->coordToPixel(640) * ratio);
        for (int x = from; x <= to; ++x) {
            int runs = 0;
            for (int y = (area.top() + 2) * ratio; y < (area.bottom() - 8) * ratio; ++y) {
                runs += ink(x, y) && !ink(x, y - 1) ? 1 : 0;
            }
            QVERIFY2(runs == 1, qPrintable(QStringLiteral("column %1: %2 runs").arg(x).arg(runs)));
        }
    }

    // The PNG encoder gives back every pixel and the resolution, whatever
    // the image's format and width.
    void pngKeepsPixelsAndResolution_data() {
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<QSize>("size");
        QTest::newRow("a picture's") << QImage::Format_RGB32 << QSize(301, 77);
        QTest::newRow("one pixel wide") << QImage::Format_RGB32 << QSize(1, 5);
        QTest::newRow("another format") << QImage::Format_ARGB32_Premultiplied << QSize(64, 9);
    }
    void pngKeepsPixelsAndResolution() {
        QFETCH(QImage::Format, format);
        QFETCH(QSize, size);
        QImage image(size, format);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ y) % 256));
            }
        }
        image.setDotsPerMeterX(23622);
        image.setDotsPerMeterY(11811);
        const QImage read = QImage::fromData(EncodePng(image), "PNG");
        QCOMPARE(read.size(), size);
        QCOMPARE(read.dotsPerMeterX(), 23622);
        QCOMPARE(read.dotsPerMeterY(), 11811);
        QCOMPARE(read.convertToFormat(QImage::Format_RGB32),
                 image.convertToFormat(QImage::Format_RGB32));
    }

    // A picture's long curves are stroked a strip of pixel columns at a
    // time: the flank of a broad band is still one unbroken line in every
    // column, whichever way x runs.
    void printedFlankIsOneLineInEveryColumn_data() {
        QTest::addColumn<bool>("reversed");
        QTest::newRow("increasing") << false;
        QTest::newRow("reversed") << true;
    }
    void printedFlankIsOneLineInEveryColumn() {
        QFETCH(bool, reversed);
        const trazel::analysis::DocumentState state{.table = TableOf({{500, 2, 150}}),
                                                    .analysis = {}};
        FigureView view;
        view.curve.xMax = 1000;
        view.curve.yMax = 2.2;
        view.reversedX = reversed;
        const PictureSize size = DefaultPictureSize();
        const QImage image = QImage::fromData(RenderFigure(state, view, size, FigureFormat::Png))
                                 .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), size.Pixels());
        // The same layout in points, to find the plot in the pixels.
        QCustomPlot plot;
        plot.resize(size.Points());
        plot.setViewport(QRect(QPoint(0, 0), size.Points()));
        SetUpFigure(plot, state, view, size.Pixels().width(), FigureStyle::Print);
        plot.replot();
        const double scale = double(size.Pixels().width()) / size.Points().width();
        const QRect area = plot.axisRect()->rect();
        const auto ink = [&image](int x, int y) { return qGray(image.pixel(x, y)) < 160; };
        const double a = plot.xAxis->coordToPixel(510) * scale;
        const double b = plot.xAxis->coordToPixel(640) * scale;
        for (int x = static_cast<int>(std::min(a, b)); x <= static_cast<int>(std::max(a, b)); ++x) {
            int runs = 0;
            for (int y = static_cast<int>((area.top() + 2) * scale);
                 y < static_cast<int>((area.bottom() - 8) * scale); ++y) {
                runs += ink(x, y) && !ink(x, y - 1) ? 1 : 0;
            }
            QVERIFY2(runs == 1, qPrintable(QStringLiteral("column %1: %2 runs").arg(x).arg(runs)));
        }
    }

    // A fitted spectrum drawn for a journal column: the fitted curve stands
    // for the sum, the legend takes at most a fifth of the height however
    // many bands are drawn by themselves, and the spectrum's plot at least
    // half of it, above the residual strip.
    void printLegendLeavesRoomForTheSpectrum_data() {
        QTest::addColumn<int>("separate");
        QTest::newRow("no band by itself") << 0;
        QTest::newRow("three") << 3;
        QTest::newRow("twelve, folded") << 12;
    }
    void printLegendLeavesRoomForTheSpectrum() {
        QFETCH(int, separate);
        using namespace trazel;
        const PeakTable table = TableOf(12, [&](int k) {
            return TestBand{.position = 100.0 * k, .width = 30, .separate = k <= separate};
        });
        const SyntheticSpectrum made = MakeSpectrum(table, {.xMax = 1300, .points = 1301}, 0.01, 5);
        analysis::DocumentState state{.table = table, .analysis = {}};
        state.analysis.measured = analysis::MeasuredFrom({.x = made.x, .y = made.y}, "m.txt", {});
        analysis::Retransform(*state.analysis.measured);
        fit::FitProblem problem{.table = table, .x = made.x, .y = made.y, .xMin = 0, .xMax = 1300};
        analysis::FitRecord record;
        record.xMax = 1300;
        record.result = fit::FitBands(problem);
        QVERIFY(record.result.Ok());
        state.analysis.regions = {analysis::RegionOf(record)};
        const PictureSize size = DefaultPictureSize();
        QCustomPlot plot;
        plot.resize(size.Points());
        plot.setViewport(QRect(QPoint(0, 0), size.Points()));
        FigureView view;
        view.curve.xMax = 1300;
        view.yFromData = true;
        SetUpFigure(plot, state, view, size.Pixels().width(), FigureStyle::Print);
        plot.replot();
        const int height = size.Points().height();
        QVERIFY2(plot.legend->outerRect().height() <= height / 5,
                 qPrintable(QString::number(plot.legend->outerRect().height())));
        QVERIFY2(plot.axisRect()->rect().height() >= height / 2,
                 qPrintable(QString::number(plot.axisRect()->rect().height())));
        QVERIFY(!GraphNames(plot).contains(QStringLiteral("Suma")));
        QVERIFY(GraphNames(plot).contains(QStringLiteral("Ajuste")));
    }
};

QTEST_MAIN(FigureTest)
#include "figure_test.moc"
