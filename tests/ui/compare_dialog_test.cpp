#include "ui/fit/compare_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "tests/support/computed_spectrum.h"
#include "tests/ui/form_fixture.h"

using namespace trazel::model;
using namespace trazel::platform;
using namespace trazel::ui;

namespace {

// How a session ends: the range typed, whether "Comparar" was pressed
// (and a shift fitted), the answer, and what should follow.
struct Session {
    const char* name;
    const char* xMin;
    bool compare;
    bool shift;
    int answer;
    bool changes;
    // The start of the message shown, if any.
    const char* message;
};

const Session kSessions[] = {
    {"aplicar", "400", true, false, IDOK, true, ""},
    {"aplicar con desplazamiento", "400", true, true, IDOK, true, ""},
    {"cancelar tras comparar", "400", true, false, IDCANCEL, false, ""},
    {"aplicar sin comparar", "400", false, false, IDOK, false, ""},
    {"límite que no es número", "cuatro", true, false, IDOK, false, "«cuatro» no es un número."},
};

std::string Contents(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

class CompareDialogTest : public QObject {
    Q_OBJECT

  private slots:
    // "Aplicar" writes the comparison as one step of the history, which
    // "Deshacer" takes back whole; the report and the assignment are
    // exported while the dialog shows them.
    void sessionsChangeTheTableOnlyWhenApplied_data() {
        QTest::addColumn<int>("session");
        for (int i = 0; i < static_cast<int>(std::size(kSessions)); ++i) {
            QTest::newRow(kSessions[i].name) << i;
        }
    }
    void sessionsChangeTheTableOnlyWhenApplied() {
        QFETCH(int, session);
        const Session& s = kSessions[session];
        QTemporaryDir scratch;
        Form f;
        const PeakTable computed = ComputedList(7);
        f.document.SetTable(computed);
        f.document.SetMeasured(
            *MeasuredAnalysis(MeasuredTable(computed, {}, 7), 0.004, 11).measured);
        f.fakes.files.answers = {scratch.filePath("informe.txt"),
                                 scratch.filePath("asignacion.csv")};
        int drawn = 0;
        f.fakes.dialogs.script = [&](QDialog& d) {
            auto& dialog = dynamic_cast<CompareDialog&>(d);
            dialog.xMinEdit->setText(QString::fromUtf8(s.xMin));
            dialog.shiftBox->setChecked(s.shift);
            if (s.compare && dialog.Compare()) {
                dialog.reportButton->click();
                dialog.assignmentButton->click();
            }
            // "Aplicar" can be pressed only with a comparison to apply.
            if (dialog.applyButton->isEnabled() != dialog.Shown().has_value()) {
                return IDCANCEL;
            }
            return s.answer;
        };
        const bool applied = RunCompareDialog(f.context, 400, 1900, Gaussian, f.fakes, f.view.get(),
                                              [&](auto record) { drawn += record ? 1 : 0; });
        QCOMPARE(applied, s.changes);
        const QString message = QString::fromUtf8(s.message);
        QCOMPARE(f.fakes.messages.shown.size(), message.isEmpty() ? 0U : 1U);
        if (!message.isEmpty()) {
            QVERIFY(f.fakes.messages.Texts().first().startsWith(message));
        }
        const bool compared = s.compare && message.isEmpty();
        QCOMPARE(Contents(scratch.filePath("informe.txt")).rfind("Comparación", 0) == 0, compared);
        QCOMPARE(Contents(scratch.filePath("asignacion.csv")).rfind("banda,calculada", 0) == 0,
                 compared);
        QCOMPARE(SameBands(f.document.Table(), computed), !s.changes);
        QCOMPARE(f.context.History().Stack().count(), s.changes ? 1 : 0);
        // Drawn while shown, and the document's own once applied.
        QCOMPARE(drawn, compared ? (s.changes ? 2 : 1) : 0);
        if (!s.changes) {
            return;
        }
        const Peak& band = f.document.Table().Band(5);
        QVERIFY(std::abs(band.scaledPosition - 0.965 * computed.Band(5).position) < 0.5);
        QCOMPARE(band.scale == 1.0, s.shift);
        QVERIFY(std::abs(band.width - 12.0) < 0.3);
        QVERIFY(f.document.GetAnalysis().comparison.has_value());
        QCOMPARE(f.context.History().Stack().undoText(),
                 QStringLiteral("Aplicar la comparación con el espectro medido"));
        f.view->OnUndo();
        QVERIFY(SameBands(f.document.Table(), computed));
        QVERIFY(!f.document.GetAnalysis().comparison.has_value());
    }
};

QTEST_MAIN(CompareDialogTest)
#include "compare_dialog_test.moc"
