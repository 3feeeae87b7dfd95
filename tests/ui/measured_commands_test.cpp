#include "ui/plot/measured_commands.h"

#include <QFile>
#include <QProgressDialog>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/fake_services.h"
#include "tests/support/three_spectra.h"
#include "tests/ui/dialogs/dialog_driver.h"
#include "tests/ui/form_fixture.h"
#include "ui/dialogs/measured_dialogs.h"

using namespace trazel::analysis;
using namespace trazel::input;
using namespace trazel::platform;
using namespace trazel::ui;

using O = CMeasuredOptionsDlg;

namespace {

const QByteArray kGood = "x y\n1 10\n2 20\n3 30\n";
const QByteArray kThreeColumns = "x a b\n1 2 3\n4 5 6\n";

// Presses "Cancelar" on a progress dialog the moment it shows.
class CancelOnShow : public QObject {
  public:
    explicit CancelOnShow(bool& saw) : saw_(saw) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* progress = qobject_cast<QProgressDialog*>(watched);
            progress && event->type() == QEvent::Show) {
            saw_ = true;
            progress->cancel();
        }
        return false;
    }

  private:
    bool& saw_;
};

// A form over a new document and the measured spectrum's commands over it,
// asking through services.
struct Commands : Form {
    explicit Commands(const Services& services) : commands(context, services, nullptr) {}
    Commands() : Commands(fakes) {}
    // The steps of the document's history.
    int Steps() { return context.History().Stack().count(); }
    MeasuredCommands commands;
};

}  // namespace

class MeasuredCommandsTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir settingsDir_;
    QTemporaryDir files_;

    // A file of the scratch folder holding text; "<carpeta>" names the folder.
    std::string File(const QString& name, const QByteArray& text) const {
        if (text == "<carpeta>") {
            return files_.path().toStdString();
        }
        QFile file(files_.filePath(name));
        if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size()) {
            file.close();
        }
        return file.fileName().toStdString();
    }

    static std::vector<double> Ys(const MeasuredCommands& commands) {
        return commands.Current() ? commands.Current()->points->y : std::vector<double>{};
    }

  private slots:
    void initTestCase() {
        QVERIFY(settingsDir_.isValid() && files_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        QCoreApplication::setOrganizationName(QStringLiteral("trazel-pruebas"));
        QCoreApplication::setApplicationName(QStringLiteral("espectro-medido"));
    }
    void init() { QSettings().clear(); }

    // Whatever goes wrong, the spectrum shown before stays, and the message
    // names the file and, for a fault in its text, the line.
    void loadReplacesOnlyWhenItSucceeds_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QFile compound(TRAZEL_TEST_DATA "/jcamp/compound.jdx");
        QVERIFY(compound.open(QIODevice::ReadOnly));
        QTest::newRow("línea mala") << QByteArray("x y\n1 2\n2 3\ntexto\n") << "la línea 4";
        QTest::newRow("binario") << QByteArray("1 2\n\0\x01", 6) << "binario";
        QTest::newRow("carpeta") << QByteArray("<carpeta>") << "es una carpeta";
        QTest::newRow("vacío") << QByteArray() << "vacío";
        QTest::newRow("un punto") << QByteArray("1 2\n") << "un solo punto";
        QTest::newRow("no finito") << QByteArray("1 2\n2 inf\n") << "la línea 2";
        QTest::newRow("varios bloques") << compound.readAll() << "solo el primer espectro";
    }
    void loadReplacesOnlyWhenItSucceeds() {
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        const bool replaces = message.contains("primer");
        Commands c;
        MeasuredCommands& measured = c.commands;
        QVERIFY(measured.Load(File("bueno.txt", kGood)));
        const std::string path = File("otro.jdx", text);
        QCOMPARE(measured.Load(path), replaces);
        QCOMPARE(measured.Current()->sourceName, replaces ? "otro.jdx" : "bueno.txt");
        QCOMPARE(c.Steps(), replaces ? 2 : 1);
        // The file of several blocks declares transmittance, and is asked about first.
        QCOMPARE(c.fakes.messages.shown.size(), std::size_t{replaces ? 2u : 1u});
        const QString shown = c.fakes.messages.shown.back().text;
        QVERIFY2(shown.contains(message) && shown.contains(QString::fromStdString(path)) &&
                     shown.contains("Sigue superpuesto el espectro medido «bueno.txt»") != replaces,
                 qPrintable(shown));
    }

    // What the reader passed over is told to the status bars, not in a box.
    void loadTellsWhatTheReaderPassedOver() {
        Commands c;
        QSignalSpy notes(&c.commands, &MeasuredCommands::note);
        QVERIFY(c.commands.Load(File("rmn.jdx",
                                     "##FIRSTX=1\n##LASTX=6\n##DELTAX=2\n"
                                     "##XYDATA=(X++(Y..Y))\n1 1 2 3\n4 4 5 6\n")));
        QCOMPARE(notes.size(), 1);
        QVERIFY2(notes[0][0].toString().contains("##DELTAX=2 no cuadra"),
                 qPrintable(notes[0][0].toString()));
        QVERIFY(c.fakes.messages.shown.empty());
    }

    // "Cancelar" in the progress dialog stops the read on its thread; pressed
    // as the dialog shows, before or after the last line is read, it keeps
    // what was shown.
    void cancelKeepsTheSpectrum() {
        QByteArray text;
        for (int i = 0; i < 400000; ++i) {
            text += QByteArray::number(i) + " 1\n";
        }
        Commands c;
        MeasuredCommands& measured = c.commands;
        QVERIFY(measured.Load(File("bueno.txt", kGood)));
        measured.quietLoadTime = std::chrono::milliseconds(0);
        bool sawDialog = false;
        CancelOnShow canceller(sawDialog);
        qApp->installEventFilter(&canceller);
        QVERIFY(!measured.Load(File("grande.txt", text)));
        qApp->removeEventFilter(&canceller);
        QVERIFY(sawDialog);
        QCOMPARE(Ys(measured), (std::vector<double>{10, 20, 30}));
        QVERIFY(c.fakes.messages.Texts().join("").contains("Se canceló la lectura"));
    }

    // Columns are asked for only when there are more than two to choose from.
    void chooseAsksForColumnsOfWideFiles_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("yColumn");
        QTest::addColumn<int>("runs");
        QTest::addColumn<std::vector<double>>("ys");
        QTest::newRow("dos columnas") << kGood << "" << 0 << std::vector<double>{10, 20, 30};
        QTest::newRow("la tercera") << kThreeColumns << "3" << 1 << std::vector<double>{3, 6};
        QTest::newRow("fuera de rango") << kThreeColumns << "4" << 1 << std::vector<double>{};
        QTest::newRow("la misma que x") << kThreeColumns << "1" << 1 << std::vector<double>{};
    }
    void chooseAsksForColumnsOfWideFiles() {
        QFETCH(QByteArray, text);
        QFETCH(QString, yColumn);
        QFETCH(int, runs);
        QFETCH(std::vector<double>, ys);
        RecordingMessageBox messages;
        DialogDriver driver(messages, [&](TemplateDialog& d) {
            Type(d, CMeasuredColumnsDlg::kYColumnId, yColumn);
            Click(d, IDOK);
        });
        driver.Files().answers = {QString::fromStdString(File("ancho.txt", text))};
        Commands c(driver);
        MeasuredCommands& measured = c.commands;
        measured.ChooseAndLoad();
        QCOMPARE(driver.Runs(), runs);
        QCOMPARE(Ys(measured), ys);
        // A refused column keeps the dialog open and says why.
        QCOMPARE(messages.shown.size(), std::size_t{ys.empty() ? 1u : 0u});
    }

    // A file of several spectra lists them, and the one chosen is loaded and
    // remembered in the document; a cancelled list loads nothing.
    void chooseListsTheSpectraOfAFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("row");
        QTest::addColumn<std::size_t>("points");
        QTest::addColumn<double>("firstY");
        QFile compound(TRAZEL_TEST_DATA "/jcamp/compound.jdx");
        QVERIFY(compound.open(QIODevice::ReadOnly));
        const QByteArray linked = compound.readAll();
        QTest::newRow("bloque 4 de 5") << linked << 3 << std::size_t{1976} << 0.378;
        QTest::newRow("bloque 5 de 5") << linked << 4 << std::size_t{3951} << 0.5385;
        for (const ThreeSpectra& file : ThreeSpectraFiles()) {
            const QByteArray bytes = QByteArray::fromStdString(file.bytes);
            if (std::string(file.kind) != "text") {
                QTest::newRow(file.kind) << bytes << 2 << std::size_t{2} << 3.5;
            }
        }
        QTest::newRow("cancelado") << linked << -1 << std::size_t{0} << 0.0;
    }
    void chooseListsTheSpectraOfAFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, row);
        QFETCH(std::size_t, points);
        QFETCH(double, firstY);
        RecordingMessageBox messages;
        DialogDriver driver(messages, [&](TemplateDialog& d) {
            auto& choice = dynamic_cast<CMeasuredSpectrumChoiceDlg&>(d);
            if (row >= 0) {
                choice.List()->setCurrentItem(choice.List()->topLevelItem(row));
                Click(d, IDOK);
            } else {
                Click(d, IDCANCEL);
            }
        });
        driver.Files().answers = {QString::fromStdString(File("varios.dat", bytes))};
        Commands c(driver);
        c.commands.ChooseAndLoad();
        QCOMPARE(driver.Runs(), 1);
        const MeasuredData* loaded = c.commands.Current();
        QCOMPARE(loaded != nullptr, row >= 0);
        if (loaded) {
            QCOMPARE(loaded->points->x.size(), points);
            QCOMPARE(loaded->points->y.front(), firstY);
            QCOMPARE(loaded->columns.spectrum, std::optional<int>(row));
            QVERIFY2(!messages.Texts().join("").contains("primer espectro"),
                     qPrintable(messages.Texts().join("")));
        }
    }

    // Points that the change of units accepted on loading cannot keep are
    // counted in the status bars' note.
    void loadTellsThePointsLeftOut() {
        Commands c;
        QSignalSpy notes(&c.commands, &MeasuredCommands::note);
        QVERIFY(c.commands.Load(File("t.txt", "x transmitancia\n1 0.5\n2 0\n3 -0.1\n4 0.1\n")));
        QCOMPARE(c.Steps(), 1);
        QCOMPARE(notes.size(), 1);
        QVERIFY2(notes[0][0].toString().contains("deja fuera 2 de sus 4 puntos"),
                 qPrintable(notes[0][0].toString()));
    }

    // The baseline by asymmetric least squares: drawn while the options are
    // open, subtracted last as one step when accepted, refused with its reason.
    void optionsSubtractABaseline_data() {
        QTest::addColumn<QString>("lambda");
        QTest::addColumn<QString>("p");
        QTest::addColumn<bool>("subtracted");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("rígida") << "1e5"
                                << "0.01" << true << "";
        QTest::newRow("lambda cero") << "0"
                                     << "0.01" << false << "mayor que 0";
        QTest::newRow("p uno") << "1e5"
                               << "1" << false << "entre 0 y 1";
    }
    void optionsSubtractABaseline() {
        QFETCH(QString, lambda);
        QFETCH(QString, p);
        QFETCH(bool, subtracted);
        QFETCH(QString, refusal);
        RecordingMessageBox messages;
        DialogDriver driver(messages, [&](TemplateDialog& d) {
            Click(d, O::kAlsId);
            Type(d, O::kAlsLambdaId, lambda);
            Type(d, O::kAlsPId, p);
            Click(d, IDOK);
            if (!refusal.isEmpty()) {
                Click(d, IDCANCEL);
            }
        });
        Commands c(driver);
        MeasuredCommands& measured = c.commands;
        QVERIFY(measured.Load(File("curvo.txt", "x y\n1 1\n2 4\n3 9\n4 16\n5 25\n6 36\n")));
        std::vector<bool> previews;
        QObject::connect(
            &measured, &MeasuredCommands::alsPreview, &measured,
            [&](const std::optional<MeasuredTransform>& t) { previews.push_back(t.has_value()); });
        measured.EditOptions();
        QCOMPARE(c.Steps(), subtracted ? 2 : 1);
        QCOMPARE(measured.Current()->transform.als.has_value(), subtracted);
        QCOMPARE(measured.Current()->SubtractedBaseline().size(), subtracted ? 6u : 0u);
        // Drawn while valid options were shown (the defaults, once ticked),
        // and taken away on closing.
        QVERIFY(std::count(previews.begin(), previews.end(), true) > 0);
        QVERIFY(!previews.empty() && !previews.back());
        QVERIFY(messages.Texts().join("").contains(refusal));
    }

    // The factor typed, or the one "Escalar al máximo del modelo" proposes
    // (toModel, 0 for none, when the button is disabled), is one step.
    void optionsRefuseABadFactor_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("toModel");
        QTest::addColumn<int>("button");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("dos") << "2" << 0.0 << IDOK << 2.0 << "";
        QTest::newRow("negativo") << "-0.5" << 0.0 << IDOK << -0.5 << "";
        QTest::newRow("al modelo") << "2" << 0.25 << IDOK << 0.25 << "";
        QTest::newRow("cero") << "0" << 0.0 << IDOK << 1.0 << "distinto de cero";
        QTest::newRow("menos cero") << "-0" << 0.0 << IDOK << 1.0 << "distinto de cero";
        QTest::newRow("nan") << "nan" << 0.0 << IDOK << 1.0 << kNotANumberMessage;
        QTest::newRow("desborda") << "1e400" << 0.0 << IDOK << 1.0 << kNotANumberMessage;
        QTest::newRow("vacío") << "" << 0.0 << IDOK << 1.0 << kNotANumberMessage;
        QTest::newRow("cancelar") << "3" << 0.25 << IDCANCEL << 1.0 << "";
        QTest::newRow("quitar con factor malo") << "0" << 0.0 << O::kRemoveId << 0.0 << "";
    }
    void optionsRefuseABadFactor() {
        QFETCH(QString, typed);
        QFETCH(double, toModel);
        QFETCH(int, button);
        QFETCH(double, factor);
        QFETCH(QString, refusal);
        RecordingMessageBox messages;
        DialogDriver driver(messages, [&](TemplateDialog& d) {
            Type(d, O::kYFactorId, typed);
            Click(d, O::kScaleToModelId);
            Click(d, button);
        });
        Commands c(driver);
        MeasuredCommands& measured = c.commands;
        measured.DocumentChanged("/documentos/calcita.tzl");
        QVERIFY(measured.Load(File("bueno.txt", kGood)));
        measured.EditOptions(toModel != 0.0 ? std::optional(MeasuredTransform{.yFactor = toModel})
                                            : std::nullopt);
        const bool applied = refusal.isEmpty() && button == IDOK;
        QCOMPARE(c.Steps(), applied || button == O::kRemoveId ? 2 : 1);
        if (button == O::kRemoveId) {
            QVERIFY(measured.Current() == nullptr);
            // Removed on purpose, it is no longer offered with the document.
            Commands again(driver);
            again.commands.DocumentChanged("/documentos/calcita.tzl");
            QCOMPARE(messages.shown.size(), std::size_t{0});
            return;
        }
        QCOMPARE(measured.Current()->transform.yFactor, factor);
        QCOMPARE(messages.Texts().join("").contains(refusal), true);
        QCOMPARE(messages.shown.size(), std::size_t{refusal.isEmpty() ? 0u : 1u});
    }

    // A file that declares transmittance is offered absorbance, from percent
    // when most values are above 1.5; accepted, the change is part of the
    // load's one step. A file without units is never asked about.
    void loadOffersAbsorbanceForTransmittance_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<std::vector<double>>("ys");
        const QByteArray percent = "wavenumber (cm-1)\ttransmittance (%)\n1 10\n2 100\n3 0\n";
        const QByteArray unit = "x\ttransmittance\n1 0.1\n2 1\n3 0.01\n";
        QTest::newRow("porcentaje, sí")
            << percent << MessageAnswer::Yes << "A = 2 − log10 %T" << std::vector<double>{1, 0};
        QTest::newRow("0 a 1, sí")
            << unit << MessageAnswer::Yes << "A = −log10 T" << std::vector<double>{1, 0, 2};
        QTest::newRow("no") << percent << MessageAnswer::No << "A = 2 − log10 %T"
                            << std::vector<double>{10, 100, 0};
        QTest::newRow("sin unidades") << QByteArray("1 10\n2 100\n") << MessageAnswer::Yes << ""
                                      << std::vector<double>{10, 100};
    }
    void loadOffersAbsorbanceForTransmittance() {
        QFETCH(QByteArray, text);
        QFETCH(MessageAnswer, answer);
        QFETCH(QString, asked);
        QFETCH(std::vector<double>, ys);
        Commands c;
        c.fakes.NewMessages().answers = {answer};
        QVERIFY(c.commands.Load(File("transmitancia.txt", text)));
        QCOMPARE(c.fakes.messages.shown.size(), std::size_t{asked.isEmpty() ? 0u : 1u});
        QVERIFY(asked.isEmpty() || c.fakes.messages.shown[0].text.contains(asked));
        const MeasuredData& data = *c.commands.Current();
        QCOMPARE(std::vector<double>(data.Y().begin(), data.Y().end()), ys);
        QCOMPARE(c.Steps(), 1);
    }

    // The changes of x and y chosen in the options, with the factor, are one
    // step; a Raman shift without a positive laser line is refused and
    // changes nothing.
    void optionsChangeXAndY_data() {
        QTest::addColumn<int>("xChange");
        QTest::addColumn<int>("yChange");
        QTest::addColumn<QString>("laser");
        QTest::addColumn<std::vector<double>>("xs");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("nm a cm-1") << 1 << 0 << "" << std::vector<double>{1e7 / 3, 5e6, 1e7} << "";
        QTest::newRow("raman") << 4 << 3 << "0.5" << std::vector<double>{1e7, 1.5e7, 2e7 - 1e7 / 3}
                               << "";
        QTest::newRow("raman sin láser")
            << 4 << 0 << "" << std::vector<double>{1, 2, 3} << "línea del láser";
        QTest::newRow("láser negativo")
            << 4 << 0 << "-1" << std::vector<double>{1, 2, 3} << "línea del láser";
    }
    void optionsChangeXAndY() {
        QFETCH(int, xChange);
        QFETCH(int, yChange);
        QFETCH(QString, laser);
        QFETCH(std::vector<double>, xs);
        QFETCH(QString, refusal);
        RecordingMessageBox messages;
        DialogDriver driver(messages, [&](TemplateDialog& d) {
            Click(d, O::kXNoneId + xChange);
            Click(d, O::kYNoneId + yChange);
            Type(d, O::kLaserId, laser);
            Click(d, IDOK);
            if (!refusal.isEmpty()) {
                Click(d, IDCANCEL);
            }
        });
        Commands c(driver);
        QVERIFY(c.commands.Load(File("bueno.txt", kGood)));
        c.commands.EditOptions();
        const MeasuredData& data = *c.commands.Current();
        QCOMPARE(std::vector<double>(data.X().begin(), data.X().end()), xs);
        QCOMPARE(c.Steps(), refusal.isEmpty() ? 2 : 1);
        QVERIFY(messages.Texts().join("").contains(refusal));
    }

    // A pairing an earlier version remembered for a document by its path is
    // offered once, with its columns, to go into the document; then it is
    // forgotten, whatever the answer. Loading remembers nothing any more.
    void rememberedSpectrumOfferedOnce_data() {
        QTest::addColumn<QString>("document");
        QTest::addColumn<bool>("deleteFile");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<std::vector<double>>("ys");
        QTest::newRow("primero") << "/doc/a.tzl" << false << MessageAnswer::Yes << "ancho.txt"
                                 << std::vector<double>{3, 6};
        QTest::newRow("segundo") << "/doc/../doc/b.tzl" << false << MessageAnswer::Yes
                                 << "bueno.txt" << std::vector<double>{10, 20, 30};
        QTest::newRow("no") << "/doc/a.tzl" << false << MessageAnswer::No << "ancho.txt"
                            << std::vector<double>{};
        QTest::newRow("borrado") << "/doc/b.tzl" << true << MessageAnswer::Yes << ""
                                 << std::vector<double>{};
        QTest::newRow("sin recuerdo")
            << "/doc/c.tzl" << false << MessageAnswer::Yes << "" << std::vector<double>{};
        QTest::newRow("sin guardar")
            << "" << false << MessageAnswer::Yes << "" << std::vector<double>{};
    }
    void rememberedSpectrumOfferedOnce() {
        QFETCH(QString, document);
        QFETCH(bool, deleteFile);
        QFETCH(MessageAnswer, answer);
        QFETCH(QString, offered);
        QFETCH(std::vector<double>, ys);
        File("ancho.txt", kThreeColumns);
        File("bueno.txt", kGood);
        // The settings as the earlier version left them.
        const std::pair<const char*, const char*> pairs[] = {{"/doc/a.tzl", "ancho.txt"},
                                                             {"/doc/b.tzl", "bueno.txt"}};
        QSettings settings;
        settings.beginGroup(QStringLiteral("Measured Spectra"));
        settings.beginWriteArray(QStringLiteral("Documents"), 2);
        for (int i = 0; i < 2; ++i) {
            settings.setArrayIndex(i);
            settings.setValue(QStringLiteral("Document"), QByteArray(pairs[i].first));
            settings.setValue(QStringLiteral("File"), files_.filePath(pairs[i].second).toUtf8());
            settings.setValue(QStringLiteral("XColumn"), i == 0 ? 0 : -1);
            settings.setValue(QStringLiteral("YColumn"), i == 0 ? 2 : -1);
        }
        settings.endArray();
        settings.endGroup();
        settings.sync();
        if (deleteFile) {
            QVERIFY(QFile::remove(files_.filePath("bueno.txt")));
        }
        FakeServices fakes;
        fakes.NewMessages().answers = {answer};
        Commands form(fakes);
        form.commands.DocumentChanged(document.toStdString());
        QCOMPARE(fakes.messages.shown.size(), std::size_t{offered.isEmpty() ? 0u : 1u});
        if (!offered.isEmpty()) {
            QVERIFY(fakes.messages.shown[0].text.contains(files_.filePath(offered)));
        }
        QCOMPARE(Ys(form.commands), ys);
        QVERIFY(form.document.IsModified() == !ys.empty());
        // Opened again, the document is not asked again.
        Commands again(fakes);
        again.commands.DocumentChanged(document.toStdString());
        QCOMPARE(fakes.messages.shown.size(), std::size_t{offered.isEmpty() ? 0u : 1u});
    }
};

QTEST_MAIN(MeasuredCommandsTest)
#include "measured_commands_test.moc"
