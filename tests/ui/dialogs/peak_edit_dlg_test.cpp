#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "dialog_driver.h"
#include "document/trazel_doc.h"
#include "model/document_file.h"
#include "model/line_shapes.h"
#include "platform/qt/data_exchange.h"
#include "tests/support/peak_tables.h"
#include "ui/dialogs/peak_edit_dlg.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::document;
using namespace trazel::ui;

using D = CPeakEditDlg;

namespace {

// Every numeric field of the dialog, in the order the dialog reads them, with
// the peak's value it ends up in.
struct NumericField {
    int id;
    double CPeakEditDlg::*field;
    double Peak::*peak;
    const char* name;
};
const NumericField kNumericFields[] = {
    {D::kIntensityId, &D::intensity, &Peak::intensity, "intensity"},
    {D::kWidthId, &D::peakWidth, &Peak::width, "width"},
    {D::kPositionId, &D::position, &Peak::position, "position"},
    {D::kScaleId, &D::scale, &Peak::scale, "scale"},
};
constexpr int kNumericFieldCount = static_cast<int>(std::size(kNumericFields));

QString RowName(int field, const char* text) {
    return QStringLiteral("%1 «%2»").arg(QString::fromUtf8(kNumericFields[field].name),
                                         QString::fromUtf8(text));
}

}  // namespace

class PeakEditDlgTest : public QObject {
    Q_OBJECT

  private slots:
    void noSelectionOpensNoDialog() {
        CTrazelDoc doc;
        doc.SetTable(TableOf({{100, 2, 10}}));
        DialogDriver driver([](TemplateDialog&) { QFAIL("no dialog expected"); });
        QVERIFY(!EditSelection(doc, {}, nullptr, driver));
        QCOMPARE(driver.Runs(), 0);
        QVERIFY(!doc.IsModified());
    }

    // A dialog opens in manual mode; each other mode makes the computed field
    // read-only, and "Calcular" keeps the area the peak had when the dialog
    // opened, however often it is pressed.
    void constantArea_data() {
        QTest::addColumn<int>("modeId");
        QTest::addColumn<int>("typedId");
        QTest::addColumn<int>("computedId");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("intensity from width")
            << D::kIntensityFromWidthId << D::kWidthId << D::kIntensityId << QStringList{"20", "40"}
            << QStringList{"1", "0.5"};
        QTest::newRow("width from intensity")
            << D::kWidthFromIntensityId << D::kIntensityId << D::kWidthId << QStringList{"4", "1"}
            << QStringList{"5", "20"};
    }
    void constantArea() {
        QFETCH(int, modeId);
        QFETCH(int, typedId);
        QFETCH(int, computedId);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, shown);
        CTrazelDoc doc;
        doc.SetTable(TableOf({{100, 2, 10}}));
        DialogDriver driver([&](TemplateDialog& d) {
            QVERIFY(d.Radio(D::kManualId)->isChecked());
            QVERIFY(!d.Edit(computedId)->isReadOnly() && !d.Edit(typedId)->isReadOnly());
            QCOMPARE(d.focusWidget(), d.Edit(D::kPositionId));
            Click(d, modeId);
            QVERIFY(d.Edit(computedId)->isReadOnly());
            QVERIFY(!d.Edit(typedId)->isReadOnly());
            for (int i = 0; i < typed.size(); ++i) {
                Type(d, typedId, typed[i]);
                Click(d, D::kCalculateId);
                QCOMPARE(d.Edit(computedId)->text(), shown[i]);
            }
            Click(d, D::kManualId);
            QVERIFY(!d.Edit(computedId)->isReadOnly());
            Click(d, IDOK);
        });
        QVERIFY(EditSelection(doc, {0}, nullptr, driver));
        const Peak peak = PeakAt(doc.Table(), 1);
        QCOMPARE(peak.intensity * peak.width, 20.0);
        QVERIFY(doc.IsModified());
    }

    // The template gives the radio buttons no tab stop.
    void tabPassesTheRadioButtonsBy() {
        CTrazelDoc doc;
        doc.SetTable(TableOf({{100, 2, 10}}));
        DialogDriver driver([&](TemplateDialog& d) {
            const int order[] = {D::kIntensityId, D::kWidthId, D::kScaleId,
                                 D::kSeparateId,  IDOK,        IDCANCEL,
                                 D::kCalculateId, D::kShareId, D::kPositionId};
            for (const int id : order) {
                QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
                QCOMPARE(d.focusWidget(), d.GetDlgItem(id));
            }
        });
        EditSelection(doc, {0}, nullptr, driver);
    }

    void acceptWithoutCalculateStoresWhatWasTyped() {
        CTrazelDoc doc;
        doc.SetTable(TableOf({{100, 2, 10}, {200, 3, 30}}));
        DialogDriver driver([](TemplateDialog& d) {
            Click(d, D::kIntensityFromWidthId);
            Type(d, D::kWidthId, "20");
            Type(d, D::kPositionId, "250");
            Type(d, D::kScaleId, "2");
            Click(d, D::kSeparateId);
            Click(d, IDOK);
        });
        QVERIFY(EditSelection(doc, {1}, nullptr, driver));
        const Peak edited = PeakAt(doc.Table(), 1);
        QCOMPARE(edited.separate, 1);
        QCOMPARE(edited.intensity, 2.0);
        QCOMPARE(edited.width, 20.0);
        QCOMPARE(edited.position, 250.0);
        QCOMPARE(edited.scaledPosition, 500.0);
        const Peak other = PeakAt(doc.Table(), 2);
        QCOMPARE(other.scaledPosition, 200.0);
        QCOMPARE(other.width, 30.0);
    }

    void cancellingTheSecondOfThreeGoesOnWithTheThird() {
        CTrazelDoc doc;
        doc.SetTable(TableOf({{100, 1, 1}, {200, 2, 2}, {300, 3, 3}, {400, 4, 4}}));
        QStringList opened;
        int dialog = 0;
        DialogDriver driver([&](TemplateDialog& d) {
            opened << d.Edit(D::kPositionId)->text();
            Type(d, D::kPositionId, QString::number(++dialog));
            Click(d, dialog == 2 ? IDCANCEL : IDOK);
        });
        // Rows 0, 1 and 3 show indices 4, 3 and 1.
        QVERIFY(EditSelection(doc, {0, 1, 3}, nullptr, driver));
        QCOMPARE(opened, (QStringList{"400", "300", "100"}));
        const PeakTable& t = doc.Table();
        QCOMPARE(t.Band(4).position, 1.0);
        QCOMPARE(t.Band(3).position, 300.0);
        QCOMPARE(t.Band(2).position, 200.0);
        QCOMPARE(t.Band(1).position, 3.0);
    }

    // The fields after a bad text are not read; computing anyway would put
    // their old values back over what the user typed.
    void calculateWithABadTextChangesNothingTyped() {
        CTrazelDoc doc;
        doc.SetTable(TableOf({{100, 2, 10}}));
        RecordingMessageBox messages;
        DialogDriver driver(messages, [](TemplateDialog& d) {
            Click(d, D::kIntensityFromWidthId);
            Type(d, D::kWidthId, "20");
            Type(d, D::kPositionId, "abc");
            Type(d, D::kScaleId, "3");
            Click(d, D::kCalculateId);
            QCOMPARE(d.Edit(D::kIntensityId)->text(), QStringLiteral("2"));
            QCOMPARE(d.Edit(D::kPositionId)->text(), QStringLiteral("abc"));
            QCOMPARE(d.Edit(D::kScaleId)->text(), QStringLiteral("3"));
            QVERIFY(d.Radio(D::kIntensityFromWidthId)->isChecked());
        });
        EditSelection(doc, {0}, nullptr, driver);
        QCOMPARE(messages.Texts(), QStringList{kNotANumberMessage});
        QCOMPARE(doc.Table().Band(1).position, 100.0);
    }

    void everyFieldTakesDecimalAndExponentNotation_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const std::pair<const char*, double> texts[] = {
            {" 2.5e3 ", 2500.0}, {"-1.5E-3", -0.0015}, {"+.5", 0.5},
            {"\t7\t", 7.0},      {"1e308", 1e308},     {"0.1", 0.1},
        };
        for (int f = 0; f < kNumericFieldCount; ++f) {
            for (const auto& [text, value] : texts) {
                QTest::newRow(qPrintable(RowName(f, text)))
                    << f << QString::fromUtf8(text) << value;
            }
        }
    }
    void everyFieldTakesDecimalAndExponentNotation() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(double, value);
        CTrazelDoc doc;
        doc.SetTable(TableOf({{100, 2, 10}}));
        RecordingMessageBox messages;
        DialogDriver driver(messages, [&](TemplateDialog& d) {
            d.Edit(kNumericFields[field].id)->setText(text);
            Click(d, IDOK);
        });
        QVERIFY(EditSelection(doc, {0}, nullptr, driver));
        QVERIFY2(messages.shown.empty(), qPrintable(messages.Texts().join('\n')));
        const Peak peak = PeakAt(doc.Table(), 1);
        QVERIFY(peak.*kNumericFields[field].peak == value);
        QCOMPARE(peak.scaledPosition, peak.position * peak.scale);
    }

    // "Aceptar" with a text that is not a finite number keeps the dialog open
    // on that field; the fields before it were read, it and those after it
    // were not, and cancelling then leaves the peak as it was.
    void everyFieldRefusesWhatIsNotANumber_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        const char* const texts[] = {"",    "   ",   "abc",    "1,5",  "nan",
                                     "inf", "1e400", "-1e999", "0x1A", "1.5.2"};
        for (int f = 0; f < kNumericFieldCount; ++f) {
            for (const char* text : texts) {
                QTest::newRow(qPrintable(RowName(f, text))) << f << QString::fromUtf8(text);
            }
        }
    }
    void everyFieldRefusesWhatIsNotANumber() {
        QFETCH(int, field);
        QFETCH(QString, text);
        CTrazelDoc doc;
        doc.SetTable(TableOf({{100, 2, 10}}));
        const std::string before = PeakTableBytes(doc.Table());
        RecordingMessageBox messages;
        DialogDriver driver(messages, [&](TemplateDialog& d) {
            auto& dialog = dynamic_cast<CPeakEditDlg&>(d);
            double loaded[kNumericFieldCount];
            for (int i = 0; i < kNumericFieldCount; ++i) {
                loaded[i] = dialog.*kNumericFields[i].field;
                d.Edit(kNumericFields[i].id)->setText(QString::number(11 + i));
            }
            QLineEdit* bad = d.Edit(kNumericFields[field].id);
            bad->setText(text);
            Click(d, IDOK);
            QVERIFY(d.isVisible());
            QCOMPARE(messages.Texts(), QStringList{kNotANumberMessage});
            QCOMPARE(d.focusWidget(), bad);
            QCOMPARE(bad->selectedText(), text);
            for (int i = 0; i < kNumericFieldCount; ++i) {
                QCOMPARE(dialog.*kNumericFields[i].field, i < field ? 11.0 + i : loaded[i]);
            }
            Click(d, IDCANCEL);
        });
        QVERIFY(EditSelection(doc, {0}, nullptr, driver));
        QCOMPARE(messages.shown.size(), std::size_t{1});
        QCOMPARE(PeakTableBytes(doc.Table()), before);
        QVERIFY(!doc.IsModified());
    }

    // The shape chosen goes into the band with its share, one undo step with
    // the values; "Calcular" keeps the area across the change of shape; a
    // share outside [0, 1] is refused and the band stays as it was.
    void shapeAndShare() {
        CTrazelDoc doc;
        doc.SetTable(TableOf({{100, 2, 10}}));
        const double area = PeakArea(2, 10);
        DialogDriver driver([&](TemplateDialog& d) {
            QVERIFY(d.Radio(D::kShapeDocumentId)->isChecked());
            Click(d, D::kShapePseudoVoigtId);
            Type(d, D::kShareId, "0.5");
            Click(d, D::kIntensityFromWidthId);
            Type(d, D::kWidthId, "20");
            Click(d, D::kCalculateId);
            Click(d, IDOK);
        });
        QVERIFY(EditSelection(doc, {0}, nullptr, driver));
        Peak peak = PeakAt(doc.Table(), 1);
        QCOMPARE(peak.shape, BandShape::PseudoVoigt);
        QCOMPARE(peak.share, 0.5);
        QVERIFY(std::fabs(BandArea(peak.shape, peak.share, peak.intensity, peak.width) - area) <
                1e-12 * area);

        RecordingMessageBox messages;
        const std::string before = PeakTableBytes(doc.Table());
        DialogDriver refused(messages, [&](TemplateDialog& d) {
            Type(d, D::kShareId, "1.5");
            Click(d, IDOK);
            QVERIFY(d.isVisible());
            QCOMPARE(d.focusWidget(), d.Edit(D::kShareId));
            Click(d, IDCANCEL);
        });
        EditSelection(doc, {0}, nullptr, refused);
        QCOMPARE(messages.shown.size(), std::size_t{1});
        QVERIFY(messages.shown[0].text.contains("entre 0 y 1"));
        QCOMPARE(PeakAt(doc.Table(), 1).share, 0.5);
        QCOMPARE(PeakTableBytes(doc.Table()), before);
    }

    // A result that is not a finite number never reaches a field.
    void calculateRefusesWhatItCannotCompute_data() {
        QTest::addColumn<double>("intensity");
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("modeId");
        QTest::addColumn<int>("typedId");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero width") << 2.0 << 10.0 << D::kIntensityFromWidthId << D::kWidthId << "0"
                                    << "Con anchura cero";
        QTest::newRow("zero intensity")
            << 2.0 << 10.0 << D::kWidthFromIntensityId << D::kIntensityId << "-0"
            << "Con intensidad cero";
        QTest::newRow("zero width, zero area")
            << 0.0 << 10.0 << D::kIntensityFromWidthId << D::kWidthId << "0"
            << "Con anchura cero";
        QTest::newRow("overflow") << 1e300 << 1e8 << D::kIntensityFromWidthId << D::kWidthId
                                  << "1e-300"
                                  << "demasiado grande";
        QTest::newRow("infinite area")
            << 1e300 << 1e300 << D::kWidthFromIntensityId << D::kIntensityId << "1"
            << "no es un número finito";
    }
    void calculateRefusesWhatItCannotCompute() {
        QFETCH(double, intensity);
        QFETCH(double, width);
        QFETCH(int, modeId);
        QFETCH(int, typedId);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        CTrazelDoc doc;
        doc.SetTable(TableOf({{100, intensity, width}}));
        RecordingMessageBox messages;
        const int computedId = typedId == D::kWidthId ? D::kIntensityId : D::kWidthId;
        DialogDriver driver(messages, [&](TemplateDialog& d) {
            const QString before = d.Edit(computedId)->text();
            Click(d, modeId);
            Type(d, typedId, typed);
            Click(d, D::kCalculateId);
            QCOMPARE(d.Edit(computedId)->text(), before);
            QCOMPARE(d.Edit(typedId)->text(), typed);
            Click(d, IDOK);
        });
        EditSelection(doc, {0}, nullptr, driver);
        QCOMPARE(messages.shown.size(), std::size_t{1});
        QVERIFY2(messages.shown[0].text.contains(message), qPrintable(messages.shown[0].text));
        const Peak peak = PeakAt(doc.Table(), 1);
        QVERIFY(std::isfinite(peak.intensity) && std::isfinite(peak.width));
    }
};

QTEST_MAIN(PeakEditDlgTest)
#include "peak_edit_dlg_test.moc"
