#include "output/peak_list.h"
#include "tests/support/band_files.h"
#include "tests/support/peak_tables.h"
#include "tests/support/sole_fit.h"
#include "tests/ui/form_fixture.h"
#include "ui/dialogs/import_bands_dlg.h"
#include "ui/dialogs/peak_edit_dlg.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::ui;

namespace {

// A change as the user makes it: rows selected, a text typed into a field,
// a button clicked (none: the import), every dialog accepted or cancelled.
struct Operation {
    const char* name;
    const char* step;  // the steps it leaves, or "" when the table stays as it was
    int steps;
    std::vector<int> rows;
    int field;
    const char* text;
    int button;
    bool accept = true;
    // The positions of the bands held for the next fit and of those the
    // last fit knows, after it: they follow their bands (held: 100 and 200).
    std::vector<double> held = {100, 200};
    std::vector<double> fitted = {100, 200, 300};
};

const Operation kOperations[] = {
    {"add", "Introducir", 1, {}, IDC_POSITION, "500", IDC_ADD_PEAK},
    {"clear all", "Borrar todo", 1, {}, 0, "", IDC_CLEAR_ALL, true, {}, {}},
    {"delete two", "Borrar Selección", 1, {0, 2}, 0, "", IDC_DELETE_SELECTION, true, {200}, {200}},
    {"delete the unheld",
     "Borrar Selección",
     1,
     {0},
     0,
     "",
     IDC_DELETE_SELECTION,
     true,
     {100, 200},
     {100, 200}},
    {"delete none", "", 0, {}, 0, "", IDC_DELETE_SELECTION},
    {"assign width", "Asignar", 1, {1}, IDC_UNIQUE_WIDTH, "7", IDC_ASSIGN_WIDTH},
    {"scale one", "Escalar Selección", 1, {0}, IDC_SCALE, "0.961", IDC_SCALE_SELECTION},
    {"show curves", "Ver curvas", 1, {1}, 0, "", IDC_SHOW_CURVES},
    {"show curves, none selected", "", 0, {}, 0, "", IDC_SHOW_CURVES},
    {"edit two", "Editar Selección", 2, {0, 2}, 0, "", IDC_EDIT_SELECTION, true, {101, 200}},
    {"edit cancelled", "", 0, {0}, 0, "", IDC_EDIT_SELECTION, false},
    // The dialog gives the band a shape of its own; the list grows its
    // "Forma" column, and loses it on undo.
    {"edit the shape", "Editar Selección", 1, {1}, 0, "", IDC_EDIT_SELECTION},
    {"import", "Importar bandas", 1, {}, IDC_WIDTH, "10", 0},
};

void Run(Form& f, const Operation& op, const BandFiles& files) {
    const bool shape = op.name == std::string("edit the shape");
    f.fakes.dialogs.script = [accept = op.accept, shape](QDialog& dialog) {
        if (auto* edit = dynamic_cast<CPeakEditDlg*>(&dialog)) {
            if (shape) {
                edit->shape = static_cast<std::int32_t>(BandShape::Voigt);
                edit->share = 0.25;
            } else {
                edit->position += 1;
            }
        }
        return accept ? IDOK : IDCANCEL;
    };
    f.fakes.files.answers.push_back(files.Write("lista.txt", ComputedList(3)));
    if (op.field == IDC_UNIQUE_WIDTH) {
        f.Click(IDC_UNIQUE_WIDTH_ON);
    }
    if (op.field != 0) {
        f.Type(op.field, op.text);
    }
    f.SelectRows(op.rows);
    if (op.button != 0) {
        f.Click(op.button);
    } else {
        f.view->OnImportBands();
    }
}

const PeakTable kStart = TableOf({{100, 1, 2}, {200, 3, 4, 0.9, true}, {300, 5, 6}});

// kStart as a fit left it, with the first two bands held for the next one.
trazel::analysis::StoredAnalysis FittedStart() {
    trazel::analysis::StoredAnalysis stored;
    stored.analysis.fitSettings.heldBands = {1, 2};
    trazel::analysis::FitRecord fit;
    fit.settings = stored.analysis.fitSettings;
    fit.result.table = kStart;
    for (int k = 1; k <= kStart.PeakCount(); ++k) {
        trazel::fit::FittedBand band;
        band.index = k;
        band.position.value = kStart.Band(k).position;
        fit.result.bands.push_back(band);
    }
    stored.analysis.regions = {trazel::analysis::RegionOf(fit)};
    return stored;
}

// The positions in the table of the bands held, and those the last fit
// names in its own table, which must be the fitted values of those bands.
std::pair<std::vector<double>, std::vector<double>> HeldAndFitted(const Form& f) {
    const auto& analysis = f.document.GetAnalysis();
    std::vector<double> held, fitted;
    for (const int k : analysis.fitSettings.heldBands) {
        held.push_back(f.document.Table().Band(k).position);
    }
    if (trazel::analysis::SoleFit(analysis)) {
        for (const auto& band : trazel::analysis::SoleFit(analysis)->result.bands) {
            const double position =
                trazel::analysis::SoleFit(analysis)->result.table.Band(band.index).position;
            fitted.push_back(position == band.position.value ? position : -1);
        }
    }
    return {held, fitted};
}

// The list shows the document's table, newest on top.
void CompareList(const Form& f) {
    const PeakTable& table = f.document.Table();
    QCOMPARE(f.view->peakList->topLevelItemCount(), table.PeakCount());
    QCOMPARE(f.view->peakList->columnCount(),
             trazel::output::kPeakListColumns + (HasOwnShapes(table) ? 1 : 0));
    for (int row = 0; row < table.PeakCount(); ++row) {
        const auto cells = trazel::output::PeakListCells(table, table.PeakCount() - row);
        QCOMPARE(f.Row(row).first(), QString::fromStdString(cells[0]));
        QCOMPARE(f.Row(row).at(4), QString::fromStdString(cells[4]));
    }
}

}  // namespace

class TableChangesTest : public QObject {
    Q_OBJECT

  private slots:
    // Every change steps back to the table it started from, which is the
    // one opened, and forward again to the changed one.
    void everyChangeUndoesAndRedoes_data() {
        QTest::addColumn<int>("operation");
        for (int i = 0; i < static_cast<int>(std::size(kOperations)); ++i) {
            QTest::newRow(kOperations[i].name) << i;
        }
    }
    void everyChangeUndoesAndRedoes() {
        QFETCH(int, operation);
        const Operation& op = kOperations[operation];
        BandFiles files;
        Form f;
        f.document.OpenStored(kStart, FittedStart());
        f.view->FillPeakList();
        const auto started = HeldAndFitted(f);
        // The other windows are told once a step, and once an undo or redo.
        int told = 0;
        QObject::connect(&f.context, &DocumentContext::changed, &f.context, [&told] { ++told; });
        Run(f, op, files);
        QCOMPARE(told, op.steps);
        QUndoStack& stack = f.context.History().Stack();
        const PeakTable changed = f.document.Table();
        const auto after = HeldAndFitted(f);
        QCOMPARE(after, std::pair(op.held, op.fitted));
        QCOMPARE(stack.count(), op.steps);
        QCOMPARE(SameBands(changed, kStart), op.steps == 0);
        if (op.steps == 0) {
            return;
        }
        QCOMPARE(stack.undoText(), QString::fromUtf8(op.step));
        for (int i = 0; i < op.steps; ++i) {
            QVERIFY(f.document.IsModified() || op.name == QByteArray("clear all"));
            f.view->OnUndo();
        }
        QCOMPARE(told, 2 * op.steps);
        QVERIFY(SameBands(f.document.Table(), kStart));
        QCOMPARE(HeldAndFitted(f), started);
        QVERIFY(!f.document.IsModified());
        CompareList(f);
        for (int i = 0; i < op.steps; ++i) {
            f.view->OnRedo();
        }
        QVERIFY(SameBands(f.document.Table(), changed));
        QCOMPARE(HeldAndFitted(f), after);
        QVERIFY(f.document.IsModified());
        CompareList(f);
    }

    // Bands come in all at once or not at all, and the file's faults are
    // told before the import dialog opens.
    void importAllOrNothing_data() {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QStringList>("positions");  // the list after, top first
        QTest::addColumn<QStringList>("scales");
        QTest::addColumn<QString>("shown");  // in the dialog's summary
        const QStringList before{"5"}, beforeScale{"1"};
        QTest::newRow("computed, scaled")
            << ComputedList(2) << "" << QStringList{"1020", "1010", "5"}
            << QStringList{"0.961", "0.961", "1"}
            << "2 bandas. Del archivo, por su encabezado: posición (columna 1), intensidad "
               "(columna 2). Para todas: anchura 10, escala 0.961.";
        QTest::newRow("widths and scales of its own")
            << QByteArray("centro;anchura;escala;int\n7,5;3;2;1\n") << "" << QStringList{"7.5", "5"}
            << QStringList{"2", "1"}
            << "posición (columna 1), intensidad (columna 4), anchura (columna 2), escala "
               "(columna 3).";
        QTest::newRow("frequency analysis")
            << QByteArray("[Molden Format]\n[FREQ]\n-20\n0\n1000\n[INT]\n1\n1\n50\n") << ""
            << QStringList{"1000", "5"} << QStringList{"0.961", "1"}
            << "1 banda. Análisis de frecuencias de Molden: intensidades infrarrojas en km/mol, "
               "tomadas como áreas. Se ha dejado fuera 1 frecuencia imaginaria: -20 cm-1.";
        // More modes than the table has room for: the strongest that fit.
        QByteArray modes = "[Molden Format]\n[FREQ]\n", intensities = "[INT]\n";
        QStringList strongest, strongestScales;
        for (int k = 1; k <= 100; ++k) {
            modes += QByteArray::number(1000 + 10 * k) + '\n';
            intensities += QByteArray::number(k) + '\n';
            if (k > 2) {
                strongest.prepend(QString::number(1000 + 10 * k));
                strongestScales << "0.961";
            }
        }
        QTest::newRow("frequency analysis, more modes than fit")
            << modes + intensities << "" << strongest + before << strongestScales + beforeScale
            << "Se han tomado las 98 bandas más intensas de 100.";
        const std::pair<const char*, QByteArray> refused[] = {
            {"tiene 99 bandas y en la tabla caben 98", ComputedList(99)},
            {"la línea 2 («20 uno»)", "10 1\n20 uno\n"},
            {"está vacío", ""},
            {"binario", QByteArray("\x7f"
                                   "ELF\x01\x00\x00\x02",
                                   8)},
            {"es una carpeta", "folder"},
            {"no es un número finito", "10 1e999\n"},
        };
        for (const auto& [said, list] : refused) {
            QTest::newRow(said) << list << QString::fromUtf8(said) << before << beforeScale
                                << QString();
        }
    }
    void importAllOrNothing() {
        QFETCH(QByteArray, list);
        QFETCH(QString, said);
        QFETCH(QStringList, positions);
        QFETCH(QStringList, scales);
        QFETCH(QString, shown);
        const bool imported = said.isEmpty();
        BandFiles files;
        Form f;
        f.document.SetTable(TableOf({{5}}));
        f.view->FillPeakList();
        f.Type(IDC_WIDTH, "10");
        f.Type(IDC_SCALE, "0.961");
        const QString path =
            list == "folder" ? files.Path(QString()) : files.Write("bandas.txt", list);
        f.fakes.files.answers.push_back(path);
        QString summary;
        f.fakes.dialogs.script = [&](QDialog& d) {
            summary = dynamic_cast<CImportBandsDlg&>(d).Summary()->text();
            return IDOK;
        };
        f.view->OnImportBands();
        QVERIFY2(summary.contains(shown), qPrintable(summary));
        QCOMPARE(f.Column(0), positions);
        QCOMPARE(f.Column(1), scales);
        QCOMPARE(f.document.IsModified(), imported);
        QCOMPARE(f.context.History().Stack().count(), imported ? 1 : 0);
        QCOMPARE(f.fakes.dialogs.runs, imported ? 1 : 0);
        if (!imported) {
            QCOMPARE(f.fakes.messages.shown.size(), std::size_t{1});
            QVERIFY2(f.fakes.messages.shown[0].text.contains(said),
                     qPrintable(f.fakes.messages.shown[0].text));
        }
    }
};

QTEST_MAIN(TableChangesTest)
#include "table_changes_test.moc"
