#include <sys/stat.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <limits>

#include "model/document_file.h"
#include "output/data_export.h"
#include "platform/qt/modal_dialogs.h"
#include "platform/qt/print_driver.h"
#include "tests/support/file_size_limit.h"
#include "tests/ui/form_fixture.h"
#include "ui/dialogs/output_format_dlg.h"
#include "ui/dialogs/template_dialog.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;
using namespace trazel::ui;

namespace {

constexpr QRgb kBlack = 0xff000000;

QImage Grab(CTrazelView& view) {
    view.repaint();
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// What a widget paints from the time this is made on.
struct PaintedRegion : QObject {
    explicit PaintedRegion(QWidget& widget) { widget.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
    QRegion region;
};

std::string Contents(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// 500 / 2 / 10 entered, x 0..1000, y 0..3.
void EnterBandAndLimits(const Form& form) {
    form.AddPeak("500", "2", "10");
    form.Type(IDC_X_MIN, "0");
    form.Type(IDC_X_MAX, "1000");
    form.Type(IDC_Y_MIN, "0");
    form.Type(IDC_Y_MAX, "3");
}

}  // namespace

class ViewOutputTest : public QObject {
    Q_OBJECT

  private slots:
    void nothingIsDrawnBeforeTheFirstPlot() {
        Form form;
        form.view->fields.curve.joinPoints = true;
        EnterBandAndLimits(form);
        form.Click(IDC_JOIN_POINTS);
        const QImage image = Grab(*form.view);
        QVERIFY(image.pixel(420, 200) != kBlack);
        QVERIFY(image.pixel(545, 267) != kBlack);
        QCOMPARE(form.view->GetDlgItemText(IDC_LABEL_X_MAX), QString());
    }

    // New and Open clear the flag; the old drawing must be painted over then,
    // not at some later repaint.
    void initialUpdateRepaintsTheGraphBox() {
        Form form;
        EnterBandAndLimits(form);
        form.Click(IDC_PLOT);
        QCoreApplication::processEvents();
        PaintedRegion painted(*form.view);
        form.document.OnNewDocument();
        form.view->OnInitialUpdate();
        QCoreApplication::processEvents();
        QVERIFY((QRegion(420, 200, 257, 208) - painted.region).isEmpty());
        QCOMPARE(Grab(*form.view).pixel(545, 267),
                 QColor(form.view->palette().window().color()).rgb());
    }

    void plotDrawsTheBandUnderItsLabels() {
        Form form;
        EnterBandAndLimits(form);
        form.Click(IDC_JOIN_POINTS);
        form.Click(IDC_PLOT);
        QVERIFY(form.view->fields.graphShown);
        const QImage image = Grab(*form.view);
        image.save(QStringLiteral(TRAZEL_BINARY_DIR "/form_graph.png"));
        // Box corners, then the top of the band: x 500 is sample 125, and
        // 2 of 3 maps to row 401 - ceil(133.33) = 267.
        QCOMPARE(image.pixel(420, 200), kBlack);
        QCOMPARE(image.pixel(670, 401), kBlack);
        QCOMPARE(image.pixel(600, 300), QColor(Qt::white).rgb());
        QCOMPARE(image.pixel(545, 267), kBlack);
        const QStringList labels = {
            form.view->GetDlgItemText(IDC_LABEL_X_MIN), form.view->GetDlgItemText(IDC_LABEL_X),
            form.view->GetDlgItemText(IDC_LABEL_X_MAX), form.view->GetDlgItemText(IDC_LABEL_Y_MIN),
            form.view->GetDlgItemText(IDC_LABEL_Y),     form.view->GetDlgItemText(IDC_LABEL_Y_MAX)};
        QCOMPARE(labels, QStringList({"0", "x", "1000", "0", "y", "3"}));
    }

    void exportWritesTheFileAndShowsTheGraph() {
        QTemporaryDir dir;
        Form form;

        RecordingMessageBox& messages = form.fakes.NewMessages();
        form.view->fields.outputPath = dir.filePath("datos.txt").toStdString();
        EnterBandAndLimits(form);
        form.Click(IDC_EXPORT);
        const std::string text = Contents(dir.filePath("datos.txt"));
        QVERIFY(text.starts_with("x y\r\n0 0\r\n4 "));
        QVERIFY(text.ends_with("\r\n1000 0\r\n"));
        QVERIFY(text.find("500 2\r\n") != std::string::npos);
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), 252);
        QCOMPARE(std::count(text.begin(), text.end(), '\r'), 252);
        QVERIFY(form.view->fields.graphShown);
        QCOMPARE(form.view->progressBar->value(), 0);
        QVERIFY(messages.shown.empty());
    }

    void exportHeaderOnlyWhenTheRangeIsEmptyOrAFieldIsBad() {
        QTemporaryDir dir;
        Form form;

        RecordingMessageBox& messages = form.fakes.NewMessages();
        form.view->fields.outputPath = dir.filePath("datos.txt").toStdString();
        form.Click(IDC_EXPORT);
        QCOMPARE(Contents(dir.filePath("datos.txt")), std::string("x y\r\n"));
        QVERIFY(!form.view->fields.graphShown);

        EnterBandAndLimits(form);
        form.Type(IDC_Y_MAX, "abc");
        form.Click(IDC_EXPORT);
        QCOMPARE(Contents(dir.filePath("datos.txt")), std::string("x y\r\n"));
        QVERIFY(!form.view->fields.graphShown);
        QCOMPARE(messages.shown.size(), size_t{1});
    }

    // A file that cannot be opened, or a resolution that would never end,
    // changes nothing: the graph stays as the last plot left it. A write that
    // fails part-way is reported with the reason, and the graph is not drawn.
    void exportFailuresAreReported_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("resolution");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("plottedBefore");
        QTest::addColumn<bool>("graphShownAfter");
        const QString cannotOpen = QStringLiteral("No se pudo abrir el archivo.");
        QTest::newRow("resolution 0") << "datos.txt" << 0 << "mayor que 0" << true << true;
        QTest::newRow("missing folder")
            << "no/existe/datos.txt" << 250 << cannotOpen << true << true;
        QTest::newRow("folder") << "." << 250 << cannotOpen << true << true;
        QTest::newRow("pipe without reader") << "tuberia" << 250 << cannotOpen << true << true;
        // Far more lines than any buffer holds, so that the failure comes
        // while the lines are written.
        QTest::newRow("device without room")
            << "/dev/full" << 200000 << "no queda espacio" << false << false;
        QTest::newRow("disk limit part-way")
            << "datos.txt" << 200000 << "tamaño máximo" << false << false;
    }
    void exportFailuresAreReported() {
        QFETCH(QString, target);
        QFETCH(int, resolution);
        QFETCH(QString, message);
        QFETCH(bool, plottedBefore);
        QFETCH(bool, graphShownAfter);
        if (target.startsWith('/') && !QFile::exists(target)) {
            QSKIP("no such device here");
        }
        QTemporaryDir dir;
        const QString path = target.startsWith('/') ? target : dir.filePath(target);
        if (target == "tuberia") {
            QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        }
        Form form;
        RecordingMessageBox& messages = form.fakes.NewMessages();
        EnterBandAndLimits(form);
        if (plottedBefore) {
            form.Click(IDC_PLOT);
        }
        // The graph and its labels are drawn when the form paints.
        form.view->repaint();
        const QString labelBefore = form.view->GetDlgItemText(IDC_LABEL_X_MAX);
        QCOMPARE(labelBefore, plottedBefore ? QStringLiteral("1000") : QString());
        form.view->fields.resolution = resolution;
        form.view->fields.outputPath = path.toStdString();
        {
            FileSizeLimit limit(message == "tamaño máximo" ? 4096 : 0);
            form.Click(IDC_EXPORT);
        }
        QCOMPARE(messages.shown.size(), std::size_t{1});
        QVERIFY2(messages.shown[0].text.contains(message), qPrintable(messages.shown[0].text));
        QCOMPARE(form.view->fields.graphShown, graphShownAfter);
        form.view->repaint();
        QCOMPARE(form.view->GetDlgItemText(IDC_LABEL_X_MAX), labelBefore);
        QCOMPARE(form.view->progressBar->value(), 0);
        if (resolution == 0) {
            QVERIFY(!QFile::exists(path));
        }
        // The peaks are untouched, and the next export to a good file works.
        QCOMPARE(form.Column(0), QStringList{"500"});
        form.view->fields.resolution = 250;
        form.view->fields.outputPath = dir.filePath("bien.txt").toStdString();
        form.Click(IDC_EXPORT);
        QCOMPARE(messages.shown.size(), std::size_t{1});
        const std::string good = Contents(dir.filePath("bien.txt"));
        QCOMPARE(std::count(good.begin(), good.end(), '\n'), 252);
    }

    // An export long enough to hand the window its events writes what the
    // command line writes; a far longer one, stopped by Esc, keeps the window
    // alive and locked meanwhile and leaves the table, graph and bar alone.
    void longExportFinishesUnchangedOrStopsOnEsc() {
        QTemporaryDir dir;
        Form form;
        RecordingMessageBox& messages = form.fakes.NewMessages();
        EnterBandAndLimits(form);
        form.view->fields.resolution = 1000000;
        form.view->fields.outputPath = dir.filePath("datos.txt").toStdString();
        bool eventsDuring = false;
        QTimer::singleShot(0, [&] { eventsDuring = true; });
        form.Click(IDC_EXPORT);
        QVERIFY(eventsDuring);
        const std::string expected = dir.filePath("esperado.txt").toStdString();
        QVERIFY(
            ExportToFile(expected, form.document.Table(), form.view->CurrentExportSettings()).ok());
        QVERIFY(Contents(dir.filePath("datos.txt")) == Contents(QString::fromStdString(expected)));
        QVERIFY(form.view->fields.graphShown);

        form.view->fields.graphShown = false;
        form.view->fields.resolution = 100000000;
        bool movingAndLocked = false;
        QTimer::singleShot(300, [&] {
            movingAndLocked = form.view->progressBar->value() > 0 &&
                              !form.Button(IDC_CLEAR_ALL)->isEnabled() &&
                              !form.Edit(IDC_X_MAX)->isEnabled();
            form.Click(IDC_CLEAR_ALL);
            QTest::keyClick(form.view.get(), Qt::Key_Escape);
        });
        form.Click(IDC_EXPORT);
        QVERIFY(movingAndLocked);
        QCOMPARE(messages.Texts().size(), 1);
        const auto lines =
            QRegularExpression("tiene (\\d+) líneas").match(messages.Texts().at(0)).captured(1);
        const std::string text = Contents(dir.filePath("datos.txt"));
        QVERIFY(lines.toLongLong() > 0 && text.ends_with("\r\n"));
        QCOMPARE(std::count(text.begin(), text.end(), '\n'), lines.toLongLong() + 1);
        QVERIFY(!form.view->fields.graphShown);
        QCOMPARE(form.view->progressBar->value(), 0);
        QCOMPARE(form.Column(0), QStringList{"500"});
        QVERIFY(form.Button(IDC_CLEAR_ALL)->isEnabled());
        QVERIFY(!form.Edit(IDC_UNIQUE_WIDTH)->isEnabled());
    }

    void reportTakesItsTitleFromTheCaptionAndListsEveryPeak() {
        QTemporaryDir dir;
        Form form;
        form.view->setWindowTitle("muestra-2 - Trazel");
        EnterBandAndLimits(form);
        for (int i = 0; i < 30; ++i) {
            form.view->GetDocument().AddPeak(100 + i, 1, 5, 2);
        }
        form.Click(IDC_PLOT);
        const PrintJob job = form.view->MakePrintJob();
        QCOMPARE(job.maxPage, 2);
        const QString pdf = dir.filePath("report.pdf");
        QVERIFY(PrintToPdfFile(pdf.toStdString(), job).ok());
        QCOMPARE(form.view->fields.printTitle, std::string("muestra-2"));
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        if (!text.waitForFinished() || text.exitCode() != 0) {
            QSKIP("pdftotext is not available");
        }
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        QCOMPARE(out.count("muestra-2"), 2);
        QVERIFY(out.contains("Usando valores de los máximos sin escalar"));
        QVERIFY(out.contains("129"));
        QVERIFY(out.contains("258"));
    }

    // A document from elsewhere may hold any bit pattern in its values: not a
    // number, infinities, the extremes of a double, zero and negative widths,
    // odd flags. It is listed, drawn, exported, printed and saved again as it
    // is, without a crash or a hang, and with limits as wide as a double
    // allows as well.
    void valuesAtTheEdgesOfADoubleAreDrawnExportedAndPrinted() {
        // Nine peaks: not a number, infinities, the largest double, the
        // smallest subnormal, -0, zero and negative widths, flags 7 and
        // INT32_MIN.
        const QString document = QStringLiteral(TRAZEL_TEST_DATA "/corpus/current-extreme-values");
        QTemporaryDir dir;
        Form form;
        PeakTable table;
        QVERIFY(LoadPeakTableFile(document.toStdString(), table).ok());
        form.document.SetTable(table);
        form.view->FillPeakList();
        QCOMPARE(form.view->peakList->topLevelItemCount(), 9);
        QCOMPARE(form.Row(8), (QStringList{"nan", "1", "nan", "1", "1", "s"}));
        // inf × 0 is a not-a-number with its sign bit set, as printf shows it.
        QCOMPARE(form.Row(7), (QStringList{"inf", "0", "-nan", "1", "1", "n"}));

        RecordingMessageBox& messages = form.fakes.NewMessages();
        form.view->fields.outputPath = dir.filePath("datos.txt").toStdString();
        const std::pair<const char*, const char*> limits[] = {
            {"0", "1000"}, {"-1e308", "1e308"}, {"-1.7976931348623157e308", "1e-300"}};
        for (const auto& [low, high] : limits) {
            for (const int id : {IDC_X_MIN, IDC_Y_MIN}) {
                form.Edit(id)->setText(low);
            }
            for (const int id : {IDC_X_MAX, IDC_Y_MAX}) {
                form.Edit(id)->setText(high);
            }
            for (const bool joined : {false, true}) {
                form.Button(IDC_JOIN_POINTS)->setChecked(joined);
                form.Click(IDC_PLOT);
                QVERIFY(!Grab(*form.view).isNull());
            }
            form.Click(IDC_LORENTZIAN);
            QVERIFY(!Grab(*form.view).isNull());
            form.Click(IDC_GAUSSIAN);
            form.Click(IDC_EXPORT);
            QVERIFY(Contents(dir.filePath("datos.txt")).starts_with("x y\r\n"));
            const PrintJob job = form.view->MakePrintJob();
            QVERIFY(PrintToPdfFile(dir.filePath("informe.pdf").toStdString(), job).ok());
        }
        QVERIFY2(messages.shown.empty(), qPrintable(messages.Texts().join('\n')));

        // Saved again, every value comes back bit for bit.
        QVERIFY(
            SavePeakTableFile(dir.filePath("otra vez").toStdString(), form.document.Table()).ok());
        QCOMPARE(Contents(dir.filePath("otra vez")), Contents(document));
    }

    // The output format chosen in its dialog governs the next export; a new
    // or opened document goes back to comma and 250.
    void outputFormatTakesEffectAndNewRestoresIt() {
        QTemporaryDir dir;
        Form form;
        form.view->fields.outputPath = dir.filePath("datos.txt").toStdString();
        form.Type(IDC_X_MIN, "0");
        form.Type(IDC_X_MAX, "1");
        form.fakes.dialogs.script = [](QDialog& dialog) {
            auto& format = dynamic_cast<TemplateDialog&>(dialog);
            format.Radio(COutputFormatDlg::kDecimalPointId)->setChecked(true);
            format.Edit(COutputFormatDlg::kResolutionId)->setText("4");
            format.accept();
            return dialog.result() == QDialog::Accepted ? IDOK : IDCANCEL;
        };
        form.view->OnOutputFormat();
        QCOMPARE(form.view->fields.decimalComma, false);
        QCOMPARE(form.view->fields.resolution, 4);
        form.Click(IDC_EXPORT);
        QCOMPARE(Contents(dir.filePath("datos.txt")),
                 std::string("x y\r\n0 0\r\n0.25 0\r\n0.5 0\r\n0.75 0\r\n1 0\r\n"));

        form.view->fields.outputPath = "elsewhere.txt";
        form.view->OnInitialUpdate();
        QCOMPARE(form.view->fields.decimalComma, true);
        QCOMPARE(form.view->fields.resolution, 250);
        QCOMPARE(form.view->fields.outputPath, std::string("datos.txt"));
    }

    void editSelectionOpensOneDialogPerSelectedRowAndRelists() {
        Form form;
        form.AddPeak("100", "2", "10");
        form.AddPeak("200", "2", "10");
        form.AddPeak("300", "2", "10");
        form.SelectRows({0, 2});
        QStringList positions;
        form.fakes.dialogs.script = [&positions](QDialog& dialog) {
            auto& edit = dynamic_cast<TemplateDialog&>(dialog);
            positions << edit.Edit(1035)->text();
            edit.Edit(1044)->setText("2");
            edit.accept();
            return dialog.result() == QDialog::Accepted ? IDOK : IDCANCEL;
        };
        form.Click(IDC_EDIT_SELECTION);
        QCOMPARE(positions, QStringList({"300", "100"}));
        QCOMPARE(form.Column(2), QStringList({"600", "200", "200"}));
    }
};

QTEST_MAIN(ViewOutputTest)
#include "view_output_test.moc"
