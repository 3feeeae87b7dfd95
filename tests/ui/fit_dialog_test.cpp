#include "ui/fit/fit_dialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QPushButton>

#include "platform/number_format.h"
#include "tests/support/fit_driver.h"
#include "tests/support/peak_tables.h"
#include "tests/support/synthetic_spectrum.h"
#include "tests/ui/form_fixture.h"

using namespace trazel::fit;
using namespace trazel::model;
using namespace trazel::platform;
using namespace trazel::ui;

namespace {

// Two overlapping bands on a small baseline, measured with a little noise
// (seed 17), and a guess a few percent off, the way a user types it.
const PeakTable kTruth = TableOf({{30, 1.0, 8}, {42, 0.5, 10}, {75, 0.8, 6}});
const PeakTable kGuess = TableOf({{31, 0.9, 9}, {41, 0.55, 9}, {74, 0.7, 7}});

// points measured points: many make each iteration long enough for
// "Detener", pressed just after "Ajustar", to come before the fit ends.
trazel::analysis::MeasuredData Measured(int points = 400) {
    SpectrumShape shape;
    shape.points = points;
    shape.baseline = 0.02;
    const SyntheticSpectrum made = MakeSpectrum(kTruth, shape, 0.005, 17);
    return trazel::analysis::MeasuredFrom({.x = made.x, .y = made.y}, "medido.txt");
}

QList<bool> Ticked(const FitDialog& dialog) {
    QList<bool> ticked;
    for (int row = 0; row < dialog.bandList->topLevelItemCount(); ++row) {
        ticked << (dialog.bandList->topLevelItem(row)->checkState(0) == Qt::Checked);
    }
    return ticked;
}

// The buttons pressed: none, "Ajustar", "Ajustar" and at once "Detener", or
// "Ajustar" on a guess without the band at 75 and then "Añadir banda en el
// residuo".
enum Press { kNone, kFit, kStop, kAddBand };

PeakTable GuessFor(Press press) {
    return press == kAddBand ? TableOf({{31, 0.9, 9}, {41, 0.55, 9}}) : kGuess;
}

// How a dialog session ends: the range typed, the baseline chosen, the
// buttons pressed, and the answer given.
struct Session {
    const char* name;
    const char* xMin;
    const char* xMax;
    int baseline;
    Press press;
    int answer;
    // What should follow: the table fitted (one undo step) or left as guessed,
    // and the start of the message shown, if any.
    bool changes;
    const char* message;
};

const Session kSessions[] = {
    {"aplicar", "0", "100", 1, kFit, IDOK, true, ""},
    {"aplicar con recta", "0", "100", 2, kFit, IDOK, true, ""},
    {"cancelar tras ajustar", "0", "100", 1, kFit, IDCANCEL, false, ""},
    {"aplicar sin ajustar", "0", "100", 0, kNone, IDOK, false, ""},
    {"añadir banda en el residuo", "0", "100", 1, kAddBand, IDOK, true, ""},
    {"aplicar tras detener", "0", "100", 0, kStop, IDOK, false, ""},
    // Bands centred outside the range are held: nothing is left to fit.
    {"intervalo sin bandas", "85", "100", 0, kFit, IDOK, false, "No hay nada que ajustar"},
    {"intervalo vacío", "60", "20", 0, kFit, IDOK, false, "El intervalo de x está vacío"},
    {"límite que no es número", "0", "cien", 0, kFit, IDOK, false, "«cien» no es un número."},
};

}  // namespace

class FitDialogTest : public QObject {
    Q_OBJECT

  private slots:
    // The bands selected in the list start free and the rest held; with no
    // selection every band is free. The row the user sees is the band that
    // varies.
    void selectionGivesTheFreeBands_data() {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QList<bool>>("ticked");
        QTest::newRow("ninguna") << QList<int>{} << QList<bool>{true, true, true};
        QTest::newRow("la más reciente") << QList<int>{0} << QList<bool>{true, false, false};
        QTest::newRow("primera y última") << QList<int>{0, 2} << QList<bool>{true, false, true};
        QTest::newRow("la más antigua") << QList<int>{2} << QList<bool>{false, false, true};
    }
    void selectionGivesTheFreeBands() {
        QFETCH(QList<int>, rows);
        QFETCH(QList<bool>, ticked);
        Form f;
        f.document.SetTable(kGuess);
        f.view->FillPeakList();
        f.SelectRows(std::vector<int>(rows.begin(), rows.end()));
        bool ran = false;
        f.fakes.dialogs.script = [&](QDialog& d) {
            auto& dialog = dynamic_cast<FitDialog&>(d);
            ran = true;
            [&] {
                QCOMPARE(Ticked(dialog), ticked);
                QCOMPARE(dialog.xMinEdit->text(), QStringLiteral("10"));
                QCOMPARE(dialog.xMaxEdit->text(), QStringLiteral("90"));
                const auto problem = dialog.Problem();
                QVERIFY(problem.has_value());
                for (int row = 0; row < ticked.size(); ++row) {
                    const int index = kGuess.PeakCount() - row;
                    QCOMPARE(problem->freedom[static_cast<std::size_t>(index)].Any(), ticked[row]);
                }
                QCOMPARE(problem->xMin, 10.0);
                QCOMPARE(problem->xMax, 90.0);
            }();
            return IDCANCEL;
        };
        // Given the wrong way round, as a reversed plot shows them.
        f.document.SetMeasured(Measured());
        RunFitDialog(f.context, 90, 10, f.view->SelectedRows(), f.fakes, f.view.get());
        QVERIFY(ran);
    }

    // "Aplicar" after a fit writes the fitted bands as one step that undo
    // takes back to the guess; anything else, a failure included, leaves the
    // table, the history and the modified flag as they were.
    void sessionsChangeTheTableOnlyWhenApplied_data() {
        QTest::addColumn<int>("session");
        for (int i = 0; i < static_cast<int>(std::size(kSessions)); ++i) {
            QTest::newRow(kSessions[i].name) << i;
        }
    }
    void sessionsChangeTheTableOnlyWhenApplied() {
        QFETCH(int, session);
        const Session& s = kSessions[session];
        Form f;
        const PeakTable guess = GuessFor(s.press);
        f.document.SetTable(guess);
        f.view->FillPeakList();
        int fitsShown = 0;
        bool stopped = false;
        bool copied = false;
        bool keptWidth = false;
        std::shared_ptr<const trazel::analysis::FitRecord> lastShown =
            std::make_shared<trazel::analysis::FitRecord>();
        f.fakes.dialogs.script = [&](QDialog& d) {
            auto& dialog = dynamic_cast<FitDialog&>(d);
            const int width = dialog.sizeHint().width();
            dialog.xMinEdit->setText(QString::fromUtf8(s.xMin));
            dialog.xMaxEdit->setText(QString::fromUtf8(s.xMax));
            dialog.baselineBox->setCurrentIndex(s.baseline);
            if (s.press == kStop) {
                // Stopped before its first iterations end.
                dialog.fitButton->click();
                dialog.StopFit();
            }
            if (s.press != kNone && !FitAndWait(dialog)) {
                return IDCANCEL;
            }
            if (s.press == kAddBand) {
                dialog.addBandButton->click();
                if (!QTest::qWaitFor([&] { return !dialog.Running(); }, 10000)) {
                    return IDCANCEL;
                }
            }
            stopped = dialog.progressLine->text().startsWith(QStringLiteral("Ajuste detenido"));
            // A long status, a failure's reason above all, wraps instead of
            // widening the dialog.
            keptWidth = dialog.sizeHint().width() <= width;
            dialog.copyButton->click();
            copied = QGuiApplication::clipboard()->text().startsWith("posicion\terror\t");
            QGuiApplication::clipboard()->clear();
            // "Aplicar" can be pressed only with a result to apply.
            if (dialog.applyButton->isEnabled() != (dialog.Shown() != nullptr)) {
                return IDCANCEL;
            }
            return s.answer;
        };
        f.document.SetMeasured(Measured(s.press == kStop ? 400000 : 400));
        const auto applied = RunFitDialog(f.context, 0, 100, f.view->SelectedRows(), f.fakes,
                                          f.view.get(), [&](ShownFits fits) {
                                              fitsShown += fits.empty() ? 0 : 1;
                                              lastShown = fits.empty() ? nullptr : fits.back();
                                          });

        QCOMPARE(lastShown, nullptr);
        QCOMPARE(stopped, s.press == kStop);
        QVERIFY(keptWidth);
        const QString message = QString::fromUtf8(s.message);
        // "Copiar" gives a fit's result as the command line prints it.
        QCOMPARE(copied, (s.press == kFit || s.press == kAddBand) && message.isEmpty());
        QCOMPARE(f.fakes.messages.shown.size(), message.isEmpty() ? 0U : 1U);
        if (!message.isEmpty()) {
            QVERIFY2(f.fakes.messages.Texts().first().startsWith(message),
                     qPrintable(f.fakes.messages.Texts().first()));
        }
        QCOMPARE(SameBands(f.document.Table(), guess), !s.changes);
        QCOMPARE(f.document.IsModified(), s.changes);
        QCOMPARE(f.context.History().Stack().count(), s.changes ? 1 : 0);
        QCOMPARE(applied != nullptr, s.changes);
        if (!s.changes) {
            return;
        }
        QCOMPARE(fitsShown, s.press == kAddBand ? 2 : 1);
        // The bands the noise hides least come back close to the truth, and
        // the list shows them.
        for (int i = 1; i <= kTruth.PeakCount(); ++i) {
            QVERIFY(std::abs(f.document.Table().Band(i).position - kTruth.Band(i).position) < 0.1);
            QVERIFY(std::abs(f.document.Table().Band(i).width - kTruth.Band(i).width) < 0.2);
        }
        QCOMPARE(f.Row(0).first(), QString::fromStdString(FormatG(
                                       f.document.Table().Band(kTruth.PeakCount()).position, 9)));
        QCOMPARE(f.context.History().Stack().undoText(),
                 QStringLiteral("Ajustar al espectro medido"));
        f.view->OnUndo();
        QVERIFY(SameBands(f.document.Table(), guess));
        QVERIFY(!f.document.IsModified());
        QCOMPARE(f.Row(0).first(),
                 s.press == kAddBand ? QStringLiteral("41") : QStringLiteral("74"));
    }
};

QTEST_MAIN(FitDialogTest)
#include "fit_dialog_test.moc"
