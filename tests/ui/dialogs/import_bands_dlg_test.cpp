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

// A list of one band whose row shows what it was read with: the kind, the
// laser line and temperature, the range and the areas switch; computed when
// the file is a quantum-chemistry output.
BandPreviewSource Read(bool computed) {
    return [computed](const BandImportChoice& c) -> BandPreview {
        const QString range =
            c.range ? QString("%1-%2").arg(c.range->first).arg(c.range->second) : "-";
        const QString row = QString("%1 %2 %3 %4%5")
                                .arg(static_cast<int>(c.kind))
                                .arg(c.laserNm)
                                .arg(c.temperature)
                                .arg(range, c.areas ? " a" : "");
        return {true, "1 banda.", {"Intensidad"}, {{row}}, computed};
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

    // A quantum-chemistry output is read as infrared (areas, and the switch
    // cannot be cleared), Raman activities, or Raman intensities for the
    // laser line typed, over a range if asked; a plain list takes none of it.
    void computedOutputChoices_data() {
        QTest::addColumn<bool>("computed");
        QTest::addColumn<int>("kind");         // the button clicked, 0 infrared
        QTest::addColumn<QString>("laser");    // typed, "" for none
        QTest::addColumn<QString>("rangeTo");  // typed after 400, "" for no range
        QTest::addColumn<QString>("cell");     // the preview's row, "" when refused
        QTest::addColumn<QString>("refusal");
        QTest::newRow("infrared") << true << 0 << ""
                                  << ""
                                  << "0 532 298.15 - a" << QString();
        QTest::newRow("raman activity") << true << 1 << ""
                                        << ""
                                        << "1 532 298.15 -" << QString();
        QTest::newRow("raman at 785 nm") << true << 2 << "785"
                                         << ""
                                         << "2 785 298.15 -" << QString();
        QTest::newRow("a range") << true << 0 << ""
                                 << "1800"
                                 << "0 532 298.15 400-1800 a" << QString();
        QTest::newRow("laser at 0") << true << 2 << "0"
                                    << ""
                                    << ""
                                    << "La línea del láser y la temperatura deben ser mayores "
                                       "que 0.";
        QTest::newRow("range backwards")
            << true << 0 << ""
            << "300"
            << ""
            << "El intervalo debe ir de un número de onda a otro mayor.";
        QTest::newRow("plain list") << false << 2 << "785"
                                    << "1800"
                                    << "0 532 298.15 -" << QString();
    }
    void computedOutputChoices() {
        QFETCH(bool, computed);
        QFETCH(int, kind);
        QFETCH(QString, laser);
        QFETCH(QString, rangeTo);
        QFETCH(QString, cell);
        QFETCH(QString, refusal);
        RecordingMessageBox messages;
        DialogDriver driver(messages, [&](TemplateDialog& dialog) {
            auto& import = dynamic_cast<CImportBandsDlg&>(dialog);
            Click(dialog, CImportBandsDlg::kInfraredId + kind);
            if (!laser.isEmpty()) {
                Type(dialog, CImportBandsDlg::kLaserId, laser);
            }
            if (!rangeTo.isEmpty()) {
                Click(dialog, CImportBandsDlg::kRangeId);
                Type(dialog, CImportBandsDlg::kRangeFromId, "400");
                Type(dialog, CImportBandsDlg::kRangeToId, rangeTo);
            }
            if (kind == 0) {
                // Not to be cleared while infrared is read.
                Click(dialog, CImportBandsDlg::kAreasId);
            }
            QTreeWidgetItem* row = import.Preview()->topLevelItem(0);
            QCOMPARE(row == nullptr ? QString() : row->text(0), cell);
            QVERIFY(refusal.isEmpty() || import.Summary()->text() == refusal);
            Click(dialog, IDOK);
        });
        BandImportChoice choice{10, 1, false};
        QCOMPARE(RunImportBands("salida.log", Read(computed), choice, nullptr, driver),
                 refusal.isEmpty());
        QCOMPARE(messages.Texts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
        if (refusal.isEmpty()) {
            QCOMPARE(static_cast<int>(choice.kind), computed ? kind : 0);
            QCOMPARE(choice.laserNm, computed && !laser.isEmpty() ? laser.toDouble() : 532.0);
            QCOMPARE(choice.range.has_value(), computed && !rangeTo.isEmpty());
            QCOMPARE(choice.areas, computed && kind == 0);
        }
    }
};

QTEST_MAIN(ImportBandsDlgTest)
#include "import_bands_dlg_test.moc"
