#include <qcustomplot.h>

#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <sstream>

#include "analysis/analysis_file.h"
#include "cli/cli.h"
#include "figure/figure.h"
#include "figure/picture_file.h"
#include "fit/fit_report.h"
#include "model/document_file.h"
#include "tests/support/graph_names.h"
#include "tests/support/peak_tables.h"
#include "tests/support/synthetic_spectrum.h"
#include "tests/ui/form_fixture.h"
#include "ui/plot/measured_commands.h"
#include "ui/plot/plot_window.h"

using namespace trazel::model;
using namespace trazel::platform;
using namespace trazel::ui;
using namespace trazel::figure;

Q_DECLARE_METATYPE(trazel::figure::PictureSize)

namespace {

// The form with three bands, two of them drawn by themselves, the limits
// 0..1000 and 0..3 read by "Representar", and the plot window over them.
struct PlotSetup : Form {
    PlotSetup() {
        document.AddPeak(500, 2, 10, 1);
        document.AddPeak(800, 1, 0.01, 1);
        document.AddPeak(300, 0.5, 40, 1);
        document.ToggleSeparate({0, 1});
        view->FillPeakList();
        Type(IDC_X_MIN, "0");
        Type(IDC_X_MAX, "1000");
        Type(IDC_Y_MIN, "0");
        Type(IDC_Y_MAX, "3");
        Click(IDC_PLOT);
        window.resize(900, 600);
        window.ShowAndRaise();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
    }
    QCPRange XRange() const { return window.Plot()->xAxis->range(); }
    // The largest value of the sum as drawn.
    double SumPeak() const {
        for (int i = 0; i < window.Plot()->graphCount(); ++i) {
            if (window.Plot()->graph(i)->name() == QStringLiteral("Suma")) {
                bool found = false;
                return window.Plot()->graph(i)->getValueRange(found).upper;
            }
        }
        return -1;
    }

    MeasuredCommands spectrum{context, fakes, view.get()};
    PlotWindow window{context, spectrum, fakes};
};

}  // namespace

class PlotWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(settingsDir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    }

    // The curves follow every change of the table and keep the user's zoom;
    // "Representar" and Home go back to the form's limits.
    void followsTheFormAndTheTable_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<double>("xMax");
        QTest::addColumn<double>("sumPeak");
        QTest::newRow("table change keeps the zoom") << "add" << 600.0 << 7.0;
        QTest::newRow("Borrar todo empties it") << "clear" << 600.0 << 0.0;
        QTest::newRow("Representar goes back") << "plot" << 1000.0 << 2.0;
        QTest::newRow("Home goes back") << "home" << 1000.0 << 2.0;
    }
    void followsTheFormAndTheTable() {
        QFETCH(QString, step);
        QFETCH(double, xMax);
        QFETCH(double, sumPeak);
        PlotSetup s;
        QCOMPARE(s.SumPeak(), 2.0);
        s.window.Plot()->xAxis->setRange(400, 600);
        QCoreApplication::processEvents();
        if (step == "add") {
            s.AddPeak("450", "7", "0.001");
        } else if (step == "clear") {
            s.Click(IDC_CLEAR_ALL);
        } else if (step == "plot") {
            s.Click(IDC_PLOT);
        } else {
            QTest::keyClick(&s.window, Qt::Key_Home);
        }
        QCoreApplication::processEvents();
        QCOMPARE(s.XRange().upper, xMax);
        // A band a thousandth wide is drawn at its full height.
        QCOMPARE(s.SumPeak(), sumPeak);
    }

    // A spectrum loaded, or moved to other units, is shown whole (x range,
    // y extent and a twentieth), unless the user has zoomed since
    // "Representar"; the menu item shows it whole on request, and
    // "Representar" goes back to the form. Its units name the axes.
    void viewFollowsTheData_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<double>("xMin");
        QTest::addColumn<double>("yMax");
        // x decreasing, as infrared spectra in wavenumbers are drawn, and
        // increasing in nanometres, without a question.
        QTest::addColumn<bool>("reversed");
        QTest::newRow("loaded") << "load,load" << 2000.0 << 0.9 + 0.04 << true;
        QTest::newRow("zoomed before") << "zoom,load" << 400.0 << 3.0 << true;
        QTest::newRow("on request") << "zoom,load,fit" << 2000.0 << 0.9 + 0.04 << true;
        QTest::newRow("Representar") << "load,plot" << 0.0 << 3.0 << true;
        QTest::newRow("to nanometres") << "load,nm" << 2500.0 << 0.9 + 0.04 << false;
        // Home with equal limits in the form shows the data whole.
        QTest::newRow("Home, limits equal")
            << "load,equal,plot,home" << 2000.0 << 0.9 + 0.04 << true;
    }
    void viewFollowsTheData() {
        QFETCH(QString, step);
        QFETCH(double, xMin);
        QFETCH(double, yMax);
        QFETCH(bool, reversed);
        PlotSetup s;
        const QTemporaryDir dir;
        const QString path = dir.filePath("ir.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("wavenumber (cm-1)\tabsorbance\n2000 0.1\n3000 0.9\n4000 0.5\n");
        file.close();
        for (const QString& part : step.split(',')) {
            if (part == "zoom") {
                s.window.Plot()->xAxis->setRange(400, 600);
            } else if (part == "load") {
                QVERIFY(s.spectrum.Load(path.toStdString()));
            } else if (part == "nm") {
                trazel::analysis::MeasuredTransform nm;
                nm.x = trazel::input::XChange::WavenumberToNanometre;
                s.spectrum.SetTransform(nm);
            } else if (part == "fit") {
                s.window.FitViewToData();
            } else if (part == "equal") {
                s.Type(IDC_X_MAX, "0");
            } else if (part == "home") {
                s.window.ResetToForm();
            } else {
                s.Click(IDC_PLOT);
            }
            QCoreApplication::processEvents();
        }
        QCOMPARE(s.window.CurrentView().curve.xMin, xMin);
        QCOMPARE(s.window.CurrentView().curve.yMax, yMax);
        // No title typed for the document: the axes are named by the units.
        QCOMPARE(s.window.CurrentView().xTitle, step.endsWith("nm")
                                                    ? QStringLiteral("Longitud de onda (nm)")
                                                    : QStringLiteral("Número de onda (cm⁻¹)"));
        QCOMPARE(s.window.CurrentView().reversedX, reversed);
    }

    // A wheel notch samples the curves for the new range before the plot
    // is drawn, so the screen takes one picture, not the old samples first.
    void wheelNotchDrawsOnce() {
        PlotSetup s;
        QCustomPlot& plot = *s.window.Plot();
        int replots = 0;
        bool resampledFirst = false;
        connect(&plot, &QCustomPlot::afterReplot, &plot, [&] {
            if (replots++ == 0) {
                bool found = false;
                const QCPRange keys = plot.graph(0)->getKeyRange(found);
                resampledFirst = found && keys.lower == plot.xAxis->range().lower;
            }
        });
        const QPointF at = plot.axisRect()->center();
        QWheelEvent notch(at, plot.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&plot, &notch);
        QTest::qWait(50);
        QVERIFY(s.XRange().upper < 1000);
        QCOMPARE(replots, 1);
        QVERIFY(resampledFirst);
    }

    void equalLimitsShowANoteInsteadOfCurves() {
        PlotSetup s;
        s.Type(IDC_X_MAX, "0");
        s.Click(IDC_PLOT);
        QCOMPARE(s.window.Plot()->plottableCount(), 0);
        QCOMPARE(s.window.Plot()->itemCount(), 1);
        auto* note = qobject_cast<QCPItemText*>(s.window.Plot()->item(0));
        QVERIFY(note != nullptr && note->text().contains("iguales"));
    }

    // "Límites..." takes what is typed, a decimal comma too; a field empty,
    // not a number, or equal limits are told and leave the view as it was.
    void limitsTypedInTheWindow_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<double>("xMin");
        QTest::addColumn<QString>("message");
        QTest::newRow("typed") << QStringList{"1400", "1650", "0", "2"} << 1400.0 << "";
        QTest::newRow("decimal comma") << QStringList{"1400,5", "1650", "0", "2"} << 1400.5 << "";
        QTest::newRow("empty") << QStringList{"", "1650", "0", "2"} << 0.0
                               << "Falta un número en «x desde».";
        QTest::newRow("not a number")
            << QStringList{"1400", "mil", "0", "2"} << 0.0 << "«mil» no es un número.";
        QTest::newRow("equal") << QStringList{"1400", "1400", "0", "2"} << 0.0
                               << "Los límites de x deben ser distintos.";
    }
    void limitsTypedInTheWindow() {
        QFETCH(QStringList, typed);
        QFETCH(double, xMin);
        QFETCH(QString, message);
        PlotSetup s;
        s.fakes.dialogs.script = [&](QDialog& dialog) {
            const QList<QLineEdit*> edits = dialog.findChildren<QLineEdit*>();
            for (int i = 0; i < 4; ++i) {
                edits[i]->setText(typed[i]);
            }
            return QDialog::Accepted;
        };
        for (QAction* action : s.window.menuBar()->actions().first()->menu()->actions()) {
            if (action->text() == QStringLiteral("Límite&s...")) {
                action->trigger();
            }
        }
        QCOMPARE(s.window.CurrentView().curve.xMin, xMin);
        QCOMPARE(s.fakes.messages.Texts(),
                 message.isEmpty() ? QStringList{} : QStringList{message});
    }

    // The axis titles hold for the next window; the direction of x belongs
    // to the document.
    void remembersTitlesNotDirection() {
        {
            PlotSetup s;
            s.window.SetReversedX(true);
            s.window.SetAxisTitles("número de onda", "absorbancia");
        }
        PlotSetup again;
        QVERIFY(!again.window.Plot()->xAxis->rangeReversed());
        QCOMPARE(again.window.Plot()->xAxis->label(), "número de onda");
        QCOMPARE(again.window.Plot()->yAxis->label(), "absorbancia");
        again.window.SetAxisTitles("x", "y");
    }

    // The view shown (typed limits, y from the data or not, the direction)
    // is saved with a document that holds a spectrum and comes back when it
    // is opened; the figure command and the printed fit page draw it too.
    void viewKeptWithTheDocument_data() {
        QTest::addColumn<bool>("yAutomatic");
        QTest::addColumn<bool>("reversed");
        QTest::newRow("typed, x decreasing") << false << true;
        QTest::newRow("y from the data, x increasing") << true << false;
    }
    void viewKeptWithTheDocument() {
        QFETCH(bool, yAutomatic);
        QFETCH(bool, reversed);
        const QString doc = scratch_.filePath("vista.trz");
        {
            PlotSetup s;
            QVERIFY(s.spectrum.Load(TRAZEL_TEST_DATA "/jcamp/dupdec1.jdx"));
            QCoreApplication::processEvents();
            s.window.SetReversedX(reversed);
            s.window.SetLimits({1400, 1650, -0.1, 1.5}, yAutomatic);
            QVERIFY(
                SaveDocumentFile(doc.toStdString(), s.document.Table(), s.document.SectionToSave())
                    .ok());
        }
        PlotSetup again;
        DocumentContents contents;
        QVERIFY(LoadDocumentFile(doc.toStdString(), contents).ok());
        again.document.OpenStored(contents.table, trazel::analysis::AnalysisFromSection(
                                                      contents.section, contents.table));
        QCoreApplication::processEvents();
        const FigureView view = again.window.CurrentView();
        QCOMPARE(view.curve.xMin, 1400.0);
        QCOMPARE(view.curve.xMax, 1650.0);
        QCOMPARE(view.yFromData, yAutomatic);
        if (!yAutomatic) {
            QCOMPARE(view.curve.yMax, 1.5);
        }
        QCOMPARE(view.reversedX, reversed);
        const FigureView page = FitPageView(again.document.GetAnalysis());
        QCOMPARE(page.curve.xMin, 1400.0);
        QCOMPARE(page.reversedX, reversed);
        QVERIFY(QFile::remove(doc));
    }

    void copiesTheLimitsShownIntoTheForm() {
        PlotSetup s;
        s.window.Plot()->xAxis->setRange(412.5, 437.25);
        s.window.Plot()->yAxis->setRange(-0.5, 2.75);
        s.window.CopyLimitsToForm();
        QCOMPARE(s.Edit(IDC_X_MIN)->text(), "412.5");
        QCOMPARE(s.Edit(IDC_X_MAX)->text(), "437.25");
        QCOMPARE(s.Edit(IDC_Y_MIN)->text(), "-0.5");
        QCOMPARE(s.Edit(IDC_Y_MAX)->text(), "2.75");
    }

    // Each picture format is a file its readers open, at the size asked for:
    // pixels from a size on paper and a resolution, which a PNG records, and
    // a PDF or SVG of that size on paper.
    void picturesAreReadable_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<PictureSize>("size");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<QString>("onPaper");
        const PictureSize column = PictureSizeInCentimetres(8.5, 6.4, 600);
        QTest::newRow("PNG") << "plot.png" << PictureSizeInPixels({640, 480}, 96.0)
                             << QSize(640, 480) << "96";
        QTest::newRow("PNG, a column") << "plot.png" << column << QSize(2008, 1512) << "600";
        QTest::newRow("PNG, pixels only")
            << "plot.png" << PictureSizeInPixels({1200, 800}) << QSize(1200, 800) << "359";
        // So small that 8.5 cm would be under 10 dpi: drawn at 10 dpi.
        QTest::newRow("PNG, the smallest in pixels only")
            << "plot.png" << PictureSizeInPixels({16, 16}) << QSize(16, 16) << "10";
        QTest::newRow("SVG") << "plot.svg" << column << QSize() << "width=\"85.02mm\"";
        QTest::newRow("PDF") << "plot.pdf" << PictureSizeInPixels({640, 480}, 96.0) << QSize()
                             << "480 x 360 pts";
        QTest::newRow("PDF, a column") << "plot.pdf" << column << QSize() << "241 x 181 pts";
    }
    void picturesAreReadable() {
        QFETCH(QString, name);
        QFETCH(PictureSize, size);
        QFETCH(QSize, pixels);
        QFETCH(QString, onPaper);
        PlotSetup s;
        const QString path = scratch_.filePath(name);
        QVERIFY(s.window.ExportImage(path.toStdString(), size).ok());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (name.endsWith(".png")) {
            const QImage image(path);
            QCOMPARE(image.size(), pixels);
            QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), onPaper.toInt());
        } else if (name.endsWith(".svg")) {
            const QByteArray text = file.readAll();
            QVERIFY2(text.contains(onPaper.toUtf8()), text.left(300).constData());
            QXmlStreamReader xml(text);
            int polylines = 0;
            while (!xml.atEnd()) {
                xml.readNext();
                polylines += xml.isStartElement() && xml.name() == QStringLiteral("polyline");
            }
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
            QVERIFY(polylines >= 3);
        } else {
            QProcess info;
            info.start("pdfinfo", {path});
            QVERIFY(info.waitForFinished(30000));
            const QString out = QString::fromLocal8Bit(info.readAllStandardOutput());
            QCOMPARE(info.exitCode(), 0);
            QVERIFY2(out.contains("Pages:           1"), qPrintable(out));
            QVERIFY2(out.contains(onPaper), qPrintable(out));
        }
        QCOMPARE(QDir(scratch_.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        QVERIFY(QFile::remove(path));
    }

    // Text keeps its size on paper: at twice the resolution the y axis's
    // title, at the picture's left edge, is twice as many pixels high.
    void textKeepsItsSizeOnPaper() {
        PlotSetup s;
        const auto titleColumns = [&](double dpi) {
            const QString path = scratch_.filePath("texto.png");
            const bool written =
                s.window.ExportImage(path.toStdString(), PictureSizeInCentimetres(8.5, 6.4, dpi))
                    .ok();
            const QImage image(path);
            QFile::remove(path);
            int first = -1;
            for (int x = 0; written && x < image.width() / 4; ++x) {
                bool ink = false;
                for (int y = 0; y < image.height() && !ink; ++y) {
                    ink = qGray(image.pixel(x, y)) < 128;
                }
                if (ink && first < 0) {
                    first = x;
                } else if (!ink && first >= 0) {
                    return x - first;
                }
            }
            return -1;
        };
        const int low = titleColumns(300);
        const int high = titleColumns(600);
        QVERIFY2(low > 0 && std::abs(high - 2 * low) <= 2 + low / 10,
                 qPrintable(QStringLiteral("%1 and %2 pixels").arg(low).arg(high)));
    }

    // The command line draws the very picture the window exports, with and
    // without a measured spectrum beneath.
    void figureCommandMatchesTheWindowsExport_data() {
        QTest::addColumn<bool>("withMeasured");
        QTest::addColumn<double>("factor");
        QTest::addColumn<bool>("stored");
        QTest::newRow("model") << false << 1.0 << false;
        QTest::newRow("model and measured") << true << 1.0 << false;
        QTest::newRow("measured by a factor") << true << 2.5 << false;
        // The spectrum and the fit saved in the document, drawn from it alone.
        QTest::newRow("stored fit") << true << 2.5 << true;
    }
    void figureCommandMatchesTheWindowsExport() {
        QFETCH(bool, withMeasured);
        QFETCH(double, factor);
        QFETCH(bool, stored);
        PlotSetup s;
        std::vector<std::string> measuredArgs;
        if (withMeasured) {
            const QString measured = scratch_.filePath("medido.txt");
            QFile file(measured);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x;y\r\n");
            for (int i = 0; i <= 2000; ++i) {
                file.write(
                    QStringLiteral("%1;%2\r\n").arg(i * 0.5).arg((i * 7919) % 13 * 0.1).toUtf8());
            }
            file.close();
            QVERIFY(s.spectrum.Load(measured.toStdString()));
            s.spectrum.SetTransform({.yFactor = factor});
            // Back from the view of the data just loaded to the form's.
            s.Click(IDC_PLOT);
            measuredArgs = {"--measured", measured.toStdString(), "--yfactor",
                            QString::number(factor).toStdString()};
        }
        if (stored) {
            trazel::analysis::FitSettings settings;
            for (int k = 1; k <= s.document.Table().PeakCount(); ++k) {
                settings.heldBands.push_back(k);
            }
            settings.baseline = trazel::fit::Baseline::Constant;
            trazel::analysis::FitRecord fit;
            fit.settings = settings;
            fit.xMax = 1000;
            fit.result = trazel::fit::FitBands(s.document.PoseFit(settings, Gaussian, false));
            QVERIFY2(fit.result.Ok(), FailureText(fit.result).c_str());
            s.context.History().Record("Ajustar", [&] { s.document.ApplyFit(fit); });
            measuredArgs.clear();
        }
        const QString doc = scratch_.filePath("bands.trz");
        QVERIFY(SaveDocumentFile(doc.toStdString(), s.document.Table(), s.document.SectionToSave())
                    .ok());
        const QString fromWindow = scratch_.filePath("window.png");
        const QString fromCli = scratch_.filePath("cli.png");
        const QSize size = s.window.PlotSize();
        QVERIFY(s.window.ExportImage(fromWindow.toStdString(), PictureSizeInPixels(size)).ok());
        std::vector<std::string> args = {
            "figure", doc.toStdString(),
            "--xmin", "0",
            "--xmax", "1000",
            "--ymin", "0",
            "--ymax", "3",
            "--size", std::to_string(size.width()) + "x" + std::to_string(size.height()),
            "-o",     fromCli.toStdString()};
        args.insert(args.end(), measuredArgs.begin(), measuredArgs.end());
        std::ostringstream out, err;
        const int status = trazel::cli::RunCli(args, out, err);
        QVERIFY2(status == 0, err.str().c_str());
        const QImage window(fromWindow);
        QCOMPARE(window.size(), size);
        QVERIFY(window == QImage(fromCli));
    }

    // While a fit is shown, and once it is applied, the document is drawn
    // with it: the fitted curve, each fitted band and the baseline over the
    // plot, and the residual in a strip below, the measured points times the
    // y factor minus the fit: points made from the bands themselves at
    // 1/yFactor of their height leave none. The window's export draws the
    // same. A new spectrum takes the fit away.
    void fitAndBaselineDrawn_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("fit shown") << "fit" << true;
        QTest::newRow("fit taken away") << "fit,none" << false;
        QTest::newRow("fit applied") << "apply" << true;
        QTest::newRow("applied, then undone") << "apply,undo" << false;
        QTest::newRow("gone with a new load") << "apply,load" << false;
    }
    void fitAndBaselineDrawn() {
        QFETCH(QString, steps);
        QFETCH(bool, drawn);
        PlotSetup s;
        const double yFactor = 2.0;
        SpectrumShape shape{.xMax = 1000, .points = 2001};
        SyntheticSpectrum made = MakeSpectrum(s.document.Table(), shape, 0.0, 1);
        QString text;
        for (std::size_t i = 0; i < made.x.size(); ++i) {
            made.y[i] /= yFactor;
            text += QStringLiteral("%1 %2\n").arg(made.x[i], 0, 'g', 17).arg(made.y[i], 0, 'g', 17);
        }
        const QString path = scratch_.filePath(QStringLiteral("medido.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0);
        file.close();
        QVERIFY(s.spectrum.Load(path.toStdString()));
        s.spectrum.SetTransform({.yFactor = yFactor});

        // Every band held: the baseline alone is fitted, and comes out zero.
        trazel::analysis::FitSettings settings;
        settings.xMin = 250;
        settings.xMax = 750;
        for (int k = 1; k <= s.document.Table().PeakCount(); ++k) {
            settings.heldBands.push_back(k);
        }
        settings.baseline = trazel::fit::Baseline::Constant;
        auto fit = std::make_shared<trazel::analysis::FitRecord>();
        fit->settings = settings;
        fit->xMin = 250;
        fit->xMax = 750;
        fit->result = trazel::fit::FitBands(s.document.PoseFit(settings, Gaussian, false));
        QVERIFY2(fit->result.Ok(), FailureText(fit->result).c_str());

        for (const QString& step : steps.split(',')) {
            if (step == "fit") {
                s.window.ShowFit(fit);
            } else if (step == "none") {
                s.window.ShowFit(nullptr);
            } else if (step == "apply") {
                s.context.History().Record("Ajustar", [&] { s.document.ApplyFit(*fit); });
            } else if (step == "undo") {
                s.view->OnUndo();
            } else if (step == "load") {
                QVERIFY(s.spectrum.Load(path.toStdString()));
            }
        }
        QCustomPlot& plot = *s.window.Plot();
        const QStringList names = GraphNames(plot);
        const QStringList extra{"Línea base del ajuste", "Ajuste", "Bandas ajustadas"};
        // With a fit its curve stands for the sum.
        QCOMPARE(names.contains("Suma"), !drawn);
        QCOMPARE(names.mid(names.indexOf(extra.front()), drawn ? 3 : 0),
                 drawn ? extra : QStringList{});
        QCOMPARE(s.window.ResidualRect() != nullptr, drawn);
        QCOMPARE(plot.xAxis->label().isEmpty(), drawn);
        if (!drawn) {
            QCOMPARE(plot.axisRectCount(), 1);
            return;
        }
        QCPGraph* residual = s.window.ResidualRect()->graphs().value(0);
        QVERIFY(residual != nullptr);
        // The points 250 to 750 every 0.5.
        QCOMPARE(residual->dataCount(), 1001);
        bool found = false;
        const QCPRange values = residual->getValueRange(found);
        QVERIFY(found);
        QVERIFY2(std::max(-values.lower, values.upper) < 1e-9,
                 qPrintable(QString::number(values.upper)));
        QCOMPARE(s.window.ResidualRect()->axis(QCPAxis::atBottom)->range(), s.XRange());

        // "Exportar imagen" draws the fit and the strip as the window does.
        const QString svg = scratch_.filePath("ajuste.svg");
        QVERIFY(s.window.ExportImage(svg.toStdString(), PictureSizeInPixels({900, 600})).ok());
        QFile picture(svg);
        QVERIFY(picture.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&picture);
        QStringList texts;
        QString stroke;
        QSet<QString> redWidths;
        int red = 0;
        bool groupOpened = false;
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            // No group is written without something in it.
            QVERIFY(!groupOpened || token != QXmlStreamReader::EndElement);
            groupOpened =
                token == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("g");
            if (token != QXmlStreamReader::StartElement) {
                continue;
            }
            if (xml.name() == QStringLiteral("g")) {
                stroke = xml.attributes().value("stroke").toString();
                if (stroke == QStringLiteral("#d50000")) {
                    redWidths << xml.attributes().value("stroke-width").toString();
                }
            } else if (xml.name() == QStringLiteral("text")) {
                texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            } else if (xml.name() == QStringLiteral("polyline")) {
                red += stroke == QStringLiteral("#d50000");
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        // The fitted curve, a component for each of the three bands, and the residual.
        QVERIFY2(red >= 5, qPrintable(QString::number(red)));
        // In points, one a unit of the picture: the fit 1, its bands 0.75.
        QVERIFY2(redWidths.contains("1") && redWidths.contains("0.75"),
                 qPrintable(QStringList(redWidths.values()).join('|')));
        for (const QString& label : extra + QStringList{"Residuo"}) {
            QVERIFY2(texts.contains(label), qPrintable(texts.join('|')));
        }
    }

  private:
    QTemporaryDir settingsDir_;
    QTemporaryDir scratchDir_;
    QDir scratch_{scratchDir_.path()};
};

QTEST_MAIN(PlotWindowTest)
#include "plot_window_test.moc"
