#include <QLabel>
#include <QTreeWidget>

#include "tests/ui/dialogs/dialog_driver.h"
#include "ui/dialogs/import_bands_dlg.h"

using namespace trazel::platform;
using namespace trazel::ui;

namespace {

// A list of two bands whose rows show the width and the areas switch they
// were read with.
struct FakeList {
    BandPreview operator()(const BandImportChoice& choice) {
        reads.push_back(choice);
        BandPreview preview{true, QStringLiteral("2 bandas."), {"Máximo", "Anchura"}, {}};
        for (const char* position : {"10", "20"}) {
            preview.rows.push_back(
                {position, QString::number(choice.width) + (choice.areas ? "a" : "")});
        }
        return preview;
    }
    std::vector<BandImportChoice> reads;
};

}  // namespace

class ImportBandsDlgTest : public QObject {
    Q_OBJECT

  private slots:
    // What is typed is read at once into the preview; only a width above
    // 0 closes the dialog.
    void widthAndSwitchReadTheListAgain_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<bool>("areas");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("cell");  // the first row's width, "" for no row
        QTest::addColumn<QString>("refusal");
        QTest::newRow("width typed") << "7" << false << "2 bandas."
                                     << "7"
                                     << "";
        QTest::newRow("areas") << "3" << true << "2 bandas."
                               << "3a"
                               << "";
        QTest::newRow("zero") << "0" << false << "mayor que 0"
                              << ""
                              << "mayor que 0";
        QTest::newRow("negative") << "-1" << true << "mayor que 0"
                                  << ""
                                  << "mayor que 0";
        QTest::newRow("not a number") << "siete" << false << "Introduzca un número."
                                      << ""
                                      << "Introduzca un número.";
    }
    void widthAndSwitchReadTheListAgain() {
        QFETCH(QString, width);
        QFETCH(bool, areas);
        QFETCH(QString, summary);
        QFETCH(QString, cell);
        QFETCH(QString, refusal);
        FakeList list;
        RecordingMessageBox messages;
        DialogDriver driver(messages, [&](TemplateDialog& dialog) {
            auto& import = dynamic_cast<CImportBandsDlg&>(dialog);
            QCOMPARE(import.Preview()->topLevelItemCount(), 2);
            Type(dialog, CImportBandsDlg::kWidthId, width);
            if (areas) {
                Click(dialog, CImportBandsDlg::kAreasId);
            }
            QVERIFY2(import.Summary()->text().contains(summary),
                     qPrintable(import.Summary()->text()));
            QTreeWidgetItem* first = import.Preview()->topLevelItem(0);
            QCOMPARE(first == nullptr ? QString() : first->text(1), cell);
            Click(dialog, IDOK);
        });
        BandImportChoice choice{10, 0.961, false};
        const bool accepted = RunImportBands("lista.txt", std::ref(list), choice, nullptr, driver);
        QCOMPARE(accepted, refusal.isEmpty());
        if (accepted) {
            QCOMPARE(choice.width, width.toDouble());
            QCOMPARE(choice.areas, areas);
            QCOMPARE(choice.scale, 0.961);
            QVERIFY(messages.shown.empty());
        } else {
            QCOMPARE(choice.width, 10.0);
            QCOMPARE(messages.shown.size(), std::size_t{1});
            QVERIFY(messages.shown[0].text.contains(refusal));
        }
    }
};

QTEST_MAIN(ImportBandsDlgTest)
#include "import_bands_dlg_test.moc"
