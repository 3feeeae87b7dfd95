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

// What a choice for a quantum-chemistry output reads: the kind, the laser
// line and temperature, the range and the areas switch.
QString Shown(const BandImportChoice& c) {
    const QString range = c.range ? QString("%1-%2").arg(c.range->first).arg(c.range->second) : "-";
    return QString("%1 %2 %3 %4%5")
        .arg(static_cast<int>(c.kind))
        .arg(c.laserNm)
        .arg(c.temperature)
        .arg(range, c.areas ? " a" : "");
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
        QTest::addColumn<QString>("laser");    // typed, empty for none
        QTest::addColumn<QString>("rangeTo");  // typed after 400, empty for no range
        QTest::addColumn<QString>("read");     // Shown() of the choice, or the refusal
        const QString none;
        QTest::newRow("infrared") << true << 0 << none << none << "0 532 298.15 - a";
        QTest::newRow("raman activity") << true << 1 << none << none << "1 532 298.15 -";
        QTest::newRow("raman at 785 nm") << true << 2 << "785" << none << "2 785 298.15 -";
        QTest::newRow("a range") << true << 0 << none << "1800"
                                 << "0 532 298.15 400-1800 a";
        QTest::newRow("laser at 0")
            << true << 2 << "0" << none
            << "La línea del láser y la temperatura deben ser mayores que 0.";
        QTest::newRow("range backwards")
            << true << 0 << none << "300"
            << "El intervalo debe ir de un número de onda a otro mayor.";
        QTest::newRow("plain list") << false << 2 << "785"
                                    << "1800"
                                    << "0 532 298.15 -";
    }
    void computedOutputChoices() {
        QFETCH(bool, computed);
        QFETCH(int, kind);
        QFETCH(QString, laser);
        QFETCH(QString, rangeTo);
        QFETCH(QString, read);
        const bool refused = !read.front().isDigit();
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
                Click(dialog, CImportBandsDlg::kAreasId);
            }
            QTreeWidgetItem* row = import.Preview()->topLevelItem(0);
            QCOMPARE(refused ? import.Summary()->text() : row ? row->text(0) : QString(), read);
            Click(dialog, IDOK);
        });
        const BandPreviewSource source = [computed](const BandImportChoice& c) {
            return BandPreview{true, "1 banda.", {"Lectura"}, {{Shown(c)}}, computed};
        };
        BandImportChoice choice{10, 1, false};
        QCOMPARE(RunImportBands("salida.log", source, choice, nullptr, driver), !refused);
        QCOMPARE(messages.Texts(), refused ? QStringList{read} : QStringList());
        QVERIFY(refused || Shown(choice) == read);
    }
};

QTEST_MAIN(ImportBandsDlgTest)
#include "import_bands_dlg_test.moc"
