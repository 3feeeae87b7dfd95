#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "dialog_driver.h"
#include "platform/qt/data_exchange.h"
#include "ui/dialogs/output_file_dialog.h"
#include "ui/dialogs/output_format_dlg.h"

using namespace trazel::platform;
using namespace trazel::ui;

using F = COutputFormatDlg;

class OutputSettingsTest : public QObject {
    Q_OBJECT

  private slots:
    void formatCopiesBackOnlyOnAccept_data() {
        QTest::addColumn<int>("closeWith");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<int>("resolution");
        QTest::newRow("Aceptar") << IDOK << true << false << 500;
        QTest::newRow("Cancelar") << IDCANCEL << false << true << 250;
        QTest::newRow("Escape") << 0 << false << true << 250;
    }
    void formatCopiesBackOnlyOnAccept() {
        QFETCH(int, closeWith);
        QFETCH(bool, accepted);
        QFETCH(bool, comma);
        QFETCH(int, resolution);
        bool viewComma = true;
        std::int32_t viewResolution = 250;
        DialogDriver driver([&](TemplateDialog& d) {
            QVERIFY(d.Radio(F::kDecimalCommaId)->isChecked());
            QVERIFY(!d.Radio(F::kDecimalPointId)->isChecked());
            QCOMPARE(d.Edit(F::kResolutionId)->text(), QStringLiteral("250"));
            QCOMPARE(d.focusWidget(), d.Button(IDOK));
            Click(d, F::kDecimalPointId);
            Type(d, F::kResolutionId, "500");
            if (closeWith != 0) {
                Click(d, closeWith);
            } else {
                QTest::keyClick(&d, Qt::Key_Escape);
            }
        });
        QCOMPARE(RunOutputFormat(viewComma, viewResolution, nullptr, driver), accepted);
        QCOMPARE(viewComma, comma);
        QCOMPARE(viewResolution, resolution);
    }

    // Export and print need at least one step; a refused value keeps the
    // dialog open with the focus on the resolution.
    void formatRefusesBadResolutions_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString belowOne = QStringLiteral("mayor que cero");
        QTest::newRow("zero") << "0" << belowOne;
        QTest::newRow("negative") << "-5" << belowOne;
        QTest::newRow("fraction") << "2.5" << kNotAnIntegerMessage;
        QTest::newRow("text") << "abc" << kNotAnIntegerMessage;
        QTest::newRow("empty") << "" << kNotAnIntegerMessage;
        QTest::newRow("beyond 32 bits") << "4294967296" << kNotAnIntegerMessage;
        QTest::newRow("spaces only") << "   " << kNotAnIntegerMessage;
        QTest::newRow("decimal comma") << "1,5" << kNotAnIntegerMessage;
        QTest::newRow("exponent") << "1e3" << kNotAnIntegerMessage;
        QTest::newRow("nan") << "nan" << kNotAnIntegerMessage;
        QTest::newRow("inf") << "inf" << kNotAnIntegerMessage;
        QTest::newRow("hexadecimal") << "0x10" << kNotAnIntegerMessage;
    }
    void formatRefusesBadResolutions() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        bool comma = true;
        std::int32_t resolution = 250;
        RecordingMessageBox messages;
        DialogDriver driver(messages, [&](TemplateDialog& d) {
            Click(d, F::kDecimalPointId);
            Type(d, F::kResolutionId, typed);
            Click(d, IDOK);
            QVERIFY(d.isVisible());
            QCOMPARE(d.focusWidget(), d.Edit(F::kResolutionId));
            QCOMPARE(d.Edit(F::kResolutionId)->selectedText(), typed);
            Click(d, IDCANCEL);
        });
        QVERIFY(!RunOutputFormat(comma, resolution, nullptr, driver));
        QCOMPARE(comma, true);
        QCOMPARE(resolution, 250);
        QCOMPARE(messages.shown.size(), std::size_t{1});
        QVERIFY2(messages.shown[0].text.contains(message), qPrintable(messages.shown[0].text));
    }

    void formatTakesIntegersWithSpacesAndSign_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("resolution");
        QTest::newRow("spaces") << " 300 " << 300;
        QTest::newRow("tabs") << "\t40\t" << 40;
        QTest::newRow("plus sign") << "+7" << 7;
        QTest::newRow("one") << "1" << 1;
        QTest::newRow("largest") << "2147483647" << 2147483647;
    }
    void formatTakesIntegersWithSpacesAndSign() {
        QFETCH(QString, typed);
        QFETCH(int, resolution);
        bool comma = true;
        std::int32_t taken = 250;
        RecordingMessageBox messages;
        DialogDriver driver(messages, [&](TemplateDialog& d) {
            d.Edit(F::kResolutionId)->setText(typed);
            Click(d, IDOK);
        });
        QVERIFY(RunOutputFormat(comma, taken, nullptr, driver));
        QCOMPARE(taken, resolution);
        QVERIFY(messages.shown.empty());
    }

    void outputFileStoresOnlyAChosenPath() {
        FakeServices fakes;
        ScriptedFileDialogs& files = fakes.files;
        files.answers = {QStringLiteral("/tmp/salida/resultado.txt"), QString()};
        std::string path = "datos.txt";
        QVERIFY(RunOutputFile(path, nullptr, fakes));
        QCOMPARE(path, std::string("/tmp/salida/resultado.txt"));
        QVERIFY(!RunOutputFile(path, nullptr, fakes));
        QCOMPARE(path, std::string("/tmp/salida/resultado.txt"));

        QCOMPARE(files.asked[0].second, QStringLiteral("datos.txt"));
        QCOMPARE(files.asked[1].second, QStringLiteral("/tmp/salida/resultado.txt"));
        QCOMPARE(files.types[0].label, QStringLiteral("Archivos de texto(.txt)"));
        QCOMPARE(files.types[0].pattern, QStringLiteral("*.txt"));
        QCOMPARE(files.types[0].defaultSuffix, QStringLiteral("txt"));
    }

    // The real dialog: it starts at the current file, offers the text filter
    // under its own label, adds ".txt" to a bare name and asks before an
    // existing file is chosen.
    void outputFileDialogConfirmsAnExistingFile() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile existing(dir.filePath(QStringLiteral("existente.txt")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();

        QStringList seen;
        bool confirmed = false;
        QTimer driver;
        driver.setInterval(20);
        connect(&driver, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                confirmed = true;
                box->button(QMessageBox::Yes)->click();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal);
                       dialog != nullptr && seen.isEmpty()) {
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                seen << QDir(dialog->directory()).absolutePath() << name->text()
                     << types->currentText() << dialog->defaultSuffix();
                name->setText(QStringLiteral("existente"));
                // Queued, so that this timer goes on running while the
                // question of the dialog waits for its answer.
                QMetaObject::invokeMethod(
                    name, [name] { QTest::keyClick(name, Qt::Key_Return); }, Qt::QueuedConnection);
            }
        });
        driver.start();
        std::string path =
            QFile::encodeName(dir.filePath(QStringLiteral("datos.txt"))).toStdString();
        const StandardServices standard;
        const bool chosen = RunOutputFile(path, nullptr, standard.Get());
        driver.stop();

        QVERIFY(chosen);
        QVERIFY(confirmed);
        QCOMPARE(seen, (QStringList{QDir(dir.path()).absolutePath(), "datos.txt",
                                    "Archivos de texto(.txt)", "txt"}));
        QCOMPARE(QString::fromStdString(path), existing.fileName());
    }
};

QTEST_MAIN(OutputSettingsTest)
#include "output_settings_test.moc"
