#include <QLabel>
#include <QTreeWidget>

#include "tests/ui/dialogs/dialog_driver.h"
#include "ui/dialogs/import_bands_dlg.h"

using namespace trazel::platform;
using namespace trazel::ui;

// A list of one band whose row shows the width and the areas switch it was
// read with.
BandPreview OneBand(const BandImportChoice& choice) {
    return {true,
            "1 banda.",
            {"Anchura"},
            {{QString::number(choice.width) + (choice.areas ? "a" : "")}}};
}

class ImportBandsDlgTest : public QObject {
    Q_OBJECT

  private slots:
    // What is typed is read at once into the preview; only a width above
    // 0 closes the dialog.
    void widthAndSwitchReadTheListAgain_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<bool>("areas");
        QTest::addColumn<QString>("cell");     // the row's width, "" for no row
        QTest::addColumn<QString>("refusal");  // in the summary and the message
        const QString notPositive("La anchura de las bandas tiene que ser un número mayor que 0.");
        QTest::newRow("width typed") << "7" << false << "7" << QString();
        QTest::newRow("areas") << "3" << true << "3a" << QString();
        QTest::newRow("zero") << "0" << false << "" << notPositive;
        QTest::newRow("negative") << "-1" << true << "" << notPositive;
        QTest::newRow("not a number") << "siete" << false << ""
                                      << "Introduzca un número.";
    }
    void widthAndSwitchReadTheListAgain() {
        QFETCH(QString, width);
        QFETCH(bool, areas);
        QFETCH(QString, cell);
        QFETCH(QString, refusal);
        RecordingMessageBox messages;
        DialogDriver driver(messages, [&](TemplateDialog& dialog) {
            auto& import = dynamic_cast<CImportBandsDlg&>(dialog);
            Type(dialog, CImportBandsDlg::kWidthId, width);
            if (areas) {
                Click(dialog, CImportBandsDlg::kAreasId);
            }
            QVERIFY(import.Summary()->text().contains(refusal.isEmpty() ? "1 banda." : refusal));
            QTreeWidgetItem* row = import.Preview()->topLevelItem(0);
            QCOMPARE(row == nullptr ? QString() : row->text(0), cell);
            Click(dialog, IDOK);
        });
        BandImportChoice choice{10, 0.961, false};
        QCOMPARE(RunImportBands("lista.txt", OneBand, choice, nullptr, driver), refusal.isEmpty());
        QCOMPARE(choice.width, refusal.isEmpty() ? width.toDouble() : 10.0);
        QCOMPARE(choice.areas, refusal.isEmpty() && areas);
        QCOMPARE(messages.Texts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
    }
};

QTEST_MAIN(ImportBandsDlgTest)
#include "import_bands_dlg_test.moc"
