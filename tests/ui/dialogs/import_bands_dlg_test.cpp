#include <QLabel>
#include <QTreeWidget>

#include "tests/ui/dialogs/dialog_driver.h"
#include "ui/dialogs/import_bands_dlg.h"

using namespace trazel::platform;
using namespace trazel::ui;

// A list of one band whose row shows the width it was read with ("w" for
// its own, when it has one and none was given) and the areas switch.
BandPreviewSource OneBand(bool ownWidths) {
    return [ownWidths](const BandImportChoice& choice) -> BandPreview {
        if (choice.width <= 0 && !ownWidths) {
            return {false, "la lista no tiene una columna de anchuras", {}, {}};
        }
        const QString width = choice.width > 0 ? QString::number(choice.width) : "w";
        return {true, "1 banda.", {"Anchura"}, {{width + (choice.areas ? "a" : "")}}};
    };
}

class ImportBandsDlgTest : public QObject {
    Q_OBJECT

  private slots:
    // What is typed is read at once into the preview; a width not above 0
    // or left empty is none, which a list with widths of its own does not
    // need and one without refuses, saying so.
    void widthAndSwitchReadTheListAgain_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<bool>("ownWidths");
        QTest::addColumn<bool>("areas");
        QTest::addColumn<QString>("cell");     // the row's width, "" for no row
        QTest::addColumn<QString>("refusal");  // in the summary and the message
        const QString missing("la lista no tiene una columna de anchuras");
        QTest::newRow("width typed") << "7" << false << false << "7" << QString();
        QTest::newRow("areas") << "3" << false << true << "3a" << QString();
        QTest::newRow("zero") << "0" << false << false << "" << missing;
        QTest::newRow("negative") << "-1" << false << true << "" << missing;
        QTest::newRow("zero, widths in the list") << "0" << true << false << "w" << QString();
        QTest::newRow("not a number") << "siete" << true << false << ""
                                      << "Introduzca un número.";
    }
    void widthAndSwitchReadTheListAgain() {
        QFETCH(QString, width);
        QFETCH(bool, ownWidths);
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
        QCOMPARE(RunImportBands("lista.txt", OneBand(ownWidths), choice, nullptr, driver),
                 refusal.isEmpty());
        QCOMPARE(choice.width, refusal.isEmpty() ? width.toDouble() : 10.0);
        QCOMPARE(choice.areas, refusal.isEmpty() && areas);
        QCOMPARE(messages.Texts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
    }
};

QTEST_MAIN(ImportBandsDlgTest)
#include "import_bands_dlg_test.moc"
