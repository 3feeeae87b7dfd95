#include <qcustomplot.h>
#include <sys/stat.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <memory>
#include <random>
#include <sstream>

#include "analysis/analysis_file.h"
#include "app/main_frame.h"
#include "app/resource.h"
#include "app/trazel_app.h"
#include "document/trazel_doc.h"
#include "model/document_file.h"
#include "tests/support/fake_services.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/fit_driver.h"
#include "tests/support/peak_tables.h"
#include "tests/support/sole_fit.h"
#include "ui/fit/fit_dialog.h"
#include "ui/fit/peak_search_dialog.h"
#include "ui/form/trazel_view.h"
#include "ui/plot/measured_commands.h"
#include "ui/plot/plot_window.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;
using namespace trazel::ui;
using namespace trazel::app;

namespace {

// A started application, its window shown and active.
QByteArray Int32(std::int32_t value) {
    QByteArray bytes;
    for (int i = 0; i < 4; ++i) {
        bytes.append(static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xff));
    }
    return bytes;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Started {
    template <class Arguments = QStringList>
    explicit Started(Arguments arguments = {QStringLiteral("trazel")}) {
        ok = app.InitInstance(arguments);
        if (ok) {
            frame()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(frame()));
        }
    }

    CMainFrame* frame() const { return app.Frame(); }
    CTrazelView* view() const { return app.View(); }
    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(view()->GetDlgItem(id)); }

    void AddPeak(const QString& position) const {
        QLineEdit* edit = Edit(IDC_POSITION);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, position);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    QStringList Positions() const {
        QStringList cells;
        for (int r = 0; r < view()->peakList->topLevelItemCount(); ++r) {
            cells << view()->peakList->topLevelItem(r)->text(0);
        }
        return cells;
    }

    // The application asks the user through these.
    FakeServices fakes;
    CTrazelApp app{fakes};
    bool ok = false;
};

QStringList MenuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (action->isVisible()) {
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
    }
    return texts;
}

}  // namespace

class TrazelAppTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(settingsDir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    }

    void init() {
        // Every test starts with no recent file.
        QSettings(QString::fromUtf8(CTrazelApp::kRegistryKey), "Trazel").clear();
    }

    void startState() {
        Started s;
        QVERIFY(s.ok);
        QCOMPARE(s.frame()->windowTitle(), QStringLiteral("Sin título - Trazel"));
        QVERIFY(s.frame()->ToolBar()->isVisible());
        QCOMPARE(s.frame()->toolBarArea(s.frame()->ToolBar()), Qt::TopToolBarArea);
        QCOMPARE(s.frame()->StatusPaneTexts(), (QStringList{"Preparado", "", "", ""}));
        QVERIFY(!s.app.Document().IsModified());
        QCOMPARE(s.view()->peakList->columnCount(), 6);
        QVERIFY(qobject_cast<QRadioButton*>(s.view()->GetDlgItem(IDC_GAUSSIAN))->isChecked());
    }

    // The first thing a user does: type a peak straight away.
    void typingAPeakAtStart() {
        Started s;
        const auto type = [](const QString& text) {
            QTest::keyClicks(QApplication::focusWidget(), text);
        };
        const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
        type("500");
        press(Qt::Key_Tab);
        type("2");
        press(Qt::Key_Tab);
        type("10");
        press(Qt::Key_Return);
        QTreeWidgetItem* row = s.view()->peakList->topLevelItem(0);
        QStringList cells;
        for (int c = 0; c < 6; ++c) {
            cells << row->text(c);
        }
        QCOMPARE(cells, (QStringList{"500", "1", "500", "2", "10", "n"}));
        QCOMPARE(QApplication::focusWidget(), s.Edit(IDC_POSITION));
        QCOMPARE(s.Edit(IDC_POSITION)->selectedText(), QStringLiteral("500"));
        QCOMPARE(s.frame()->windowTitle(), QStringLiteral("Sin título - Trazel"));
    }

    void toolbarButtonsInOrder() {
        Started s;
        QList<int> ids;
        for (QAction* action : s.frame()->ToolBar()->actions()) {
            ids << (action->isSeparator() ? 0 : action->objectName().mid(7).toInt());
        }
        const QList<int> expected = {ID_FILE_NEW,
                                     ID_FILE_OPEN,
                                     ID_FILE_SAVE,
                                     0,
                                     ID_EDIT_CUT,
                                     ID_EDIT_COPY,
                                     ID_EDIT_PASTE,
                                     0,
                                     ID_FILE_PRINT,
                                     0,
                                     ID_OUTPUT_FORMAT,
                                     ID_OUTPUT_FILE,
                                     IDC_EXPORT,
                                     0,
                                     IDC_EDIT_SELECTION,
                                     IDC_PLOT,
                                     0,
                                     ID_APP_ABOUT};
        QCOMPARE(ids, expected);
        for (QAction* action : s.frame()->ToolBar()->actions()) {
            if (!action->isSeparator()) {
                QCOMPARE(action->icon().actualSize(QSize(16, 15)), QSize(16, 15));
            }
        }
        QCOMPARE(s.frame()->Action(ID_OUTPUT_FORMAT)->toolTip(),
                 QStringLiteral(" Formato de salida"));
        QCOMPARE(s.frame()->Action(IDC_EXPORT)->statusTip(),
                 QStringLiteral("Exporta datos a archivo."));
    }

    void menus() {
        Started s;
        const QList<QAction*> titles = s.frame()->menuBar()->actions();
        QStringList titleTexts;
        for (QAction* title : titles) {
            titleTexts << title->text();
        }
        QCOMPARE(titleTexts,
                 (QStringList{"&Archivo", "&Editar", "&Ver", "&Formato", "Gráfico", "Ay&uda"}));
        QCOMPARE(MenuTexts(titles[0]->menu()),
                 (QStringList{"&Nuevo\tCtrl+N", "&Abrir...\tCtrl+O", "&Guardar\tCtrl+S",
                              "Guardar c&omo...", "Impor&tar bandas...", "-",
                              "&Imprimir...\tCtrl+P", "&Presentación preliminar",
                              "Con&figurar impresora...", "-", "Archivo reciente", "-", "&Salir"}));
        QCOMPARE(MenuTexts(titles[1]->menu()),
                 (QStringList{"&Deshacer\tCtrl+Z", "Re&hacer\tCtrl+Y", "-", "Cor&tar\tCtrl+X",
                              "&Copiar\tCtrl+C", "&Pegar\tCtrl+V", "-", "Editar Selección..."}));
        // Commands without a handler show disabled, on the menu and the bar.
        for (const int id : {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                             ID_FILE_MRU_FILE1}) {
            QVERIFY(!s.frame()->Action(id)->isEnabled());
        }
        for (const int id : {IDC_EDIT_SELECTION, ID_FILE_NEW, ID_OUTPUT_FORMAT, IDC_PLOT,
                             ID_APP_ABOUT, ID_QUICK_REFERENCE, ID_FILE_PRINT_PREVIEW}) {
            QVERIFY(s.frame()->Action(id)->isEnabled());
        }
    }

    void barsToggleWithTheirCheckMarks() {
        Started s;
        QAction* toolbar = s.frame()->Action(ID_VIEW_TOOLBAR);
        QAction* status = s.frame()->Action(ID_VIEW_STATUS_BAR);
        QVERIFY(toolbar->isChecked());
        QVERIFY(status->isChecked());
        toolbar->trigger();
        QVERIFY(!s.frame()->ToolBar()->isVisible());
        QVERIFY(!toolbar->isChecked());
        toolbar->trigger();
        QVERIFY(s.frame()->ToolBar()->isVisible());
        QVERIFY(toolbar->isChecked());
        status->trigger();
        QVERIFY(!s.frame()->statusBar()->isVisible());
        QVERIFY(!status->isChecked());
    }

    // X11 gives the shortcuts the keypad's Enter without the keypad modifier.
    void ctrlEnterAddsAPeakFromAnyField_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << IDC_Y_MAX << int(Qt::Key_Return) << int(Qt::ControlModifier);
        QTest::newRow("keypad Enter")
            << IDC_INTENSITY << int(Qt::Key_Enter) << int(Qt::ControlModifier | Qt::KeypadModifier);
        QTest::newRow("keypad Enter on X11")
            << IDC_X_MIN << int(Qt::Key_Enter) << int(Qt::ControlModifier);
    }
    void ctrlEnterAddsAPeakFromAnyField() {
        QFETCH(int, field);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Started s;
        s.Edit(IDC_POSITION)->setText("750");
        s.Edit(field)->setFocus();
        QTest::keyClick(s.Edit(field), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(s.Positions(), QStringList{"750"});
    }

    // The keys that work are the keys the menu shows.
    void acceleratorKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << "Abrir";
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << "Guardar como";
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << "";
        QTest::newRow("Ctrl+G") << int(Qt::Key_G) << "";
        QTest::newRow("Ctrl+I") << int(Qt::Key_I) << "";
    }
    void acceleratorKeys() {
        QFETCH(int, key);
        QFETCH(QString, dialog);
        Started s;
        ScriptedFileDialogs& files = s.fakes.NewFileDialogs();
        QLineEdit* edit = s.Edit(IDC_POSITION);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key(key), Qt::ControlModifier);
        if (dialog.isEmpty()) {
            QVERIFY(files.asked.empty());
        } else {
            QCOMPARE(files.asked.size(), std::size_t{1});
            QCOMPARE(files.asked[0].first, dialog);
        }
    }

    void editKeysStayWithTheField() {
        Started s;
        QLineEdit* edit = s.Edit(IDC_X_MIN);
        edit->setFocus();
        edit->setText("123");
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(edit->text(), QString());
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("123123"));
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("123"));
    }

    // Every Alt+letter of the form belongs to the form, however often it is
    // pressed; the menus keep the letters the form does not use.
    void formMnemonicsWinOverTheMenus_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("control");
        const std::pair<int, int> rows[] = {
            {Qt::Key_C, IDC_POSITION},
            {Qt::Key_I, IDC_INTENSITY},
            {Qt::Key_A, IDC_WIDTH},
            {Qt::Key_E, IDC_SCALE},
            {Qt::Key_M, IDC_X_MIN},
            {Qt::Key_N, IDC_Y_MIN},
            {Qt::Key_X, IDC_X_MAX},
            {Qt::Key_Y, IDC_Y_MAX},
            {Qt::Key_G, IDC_GAUSSIAN},
            {Qt::Key_L, IDC_LORENTZIAN},
            {Qt::Key_U, IDC_JOIN_POINTS},
            {Qt::Key_R, IDC_PLOT},
            {Qt::Key_P, IDC_EXPORT},
            {Qt::Key_Uacute, IDC_UNIQUE_WIDTH_ON},
            {Qt::Key_B, IDC_CLEAR_ALL},
            {Qt::Key_F, 0},
            {Qt::Key_V, 0},
        };
        for (const auto& [key, control] : rows) {
            QTest::newRow(qPrintable(QKeySequence(key).toString())) << key << control;
        }
    }
    void formMnemonicsWinOverTheMenus() {
        QFETCH(int, key);
        QFETCH(int, control);
        Started s;
        QTemporaryDir dir;
        s.view()->fields.outputPath = dir.filePath("datos.txt").toStdString();
        QWidget* target = s.view()->GetDlgItem(control);
        auto* button = qobject_cast<QAbstractButton*>(target);
        int clicks = 0;
        if (button != nullptr) {
            connect(button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
        }
        for (int press = 1; press <= 2; ++press) {
            s.Edit(IDC_INTENSITY)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
            if (control == 0) {
                // A letter the form does not use opens its menu.
                QVERIFY(QApplication::activePopupWidget() != nullptr);
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
                QTest::keyClick(s.frame()->menuBar(), Qt::Key_Escape);
                continue;
            }
            QVERIFY(QApplication::activePopupWidget() == nullptr);
            if (button == nullptr || qobject_cast<QPushButton*>(button) == nullptr) {
                QCOMPARE(QApplication::focusWidget(), target);
            }
            if (button != nullptr) {
                QCOMPARE(clicks, press);
            }
            if (qobject_cast<QCheckBox*>(button) != nullptr) {
                QCOMPARE(button->isChecked(), press == 1);
            }
            if (qobject_cast<QRadioButton*>(button) != nullptr) {
                QVERIFY(button->isChecked());
            }
        }
    }

    // Alt alone and F10 take the keyboard to the menu bar.
    void menuBarKeys_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Alt") << int(Qt::Key_Alt);
        QTest::newRow("F10") << int(Qt::Key_F10);
    }
    void menuBarKeys() {
        QFETCH(int, key);
        Started s;
        QTest::keyClick(s.Edit(IDC_POSITION), Qt::Key(key));
        QTRY_VERIFY(s.frame()->menuBar()->activeAction() != nullptr);
        QCOMPARE(s.frame()->menuBar()->activeAction()->text(), QStringLiteral("&Archivo"));
    }

    // Whether New asks to save, and what each answer does. "&Borrar todo"
    // leaves the modified flag as it was.
    void savePromptBeforeNew_data() {
        QTest::addColumn<bool>("openFirst");
        QTest::addColumn<bool>("clearAll");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("peaksAfter");
        QTest::newRow("modified, cancel")
            << false << false << int(MessageAnswer::Cancel) << true << 1;
        QTest::newRow("modified, no") << false << false << int(MessageAnswer::No) << true << 0;
        QTest::newRow("modified, yes") << false << false << int(MessageAnswer::Yes) << true << 0;
        QTest::newRow("modified, then cleared")
            << false << true << int(MessageAnswer::Cancel) << true << 0;
        QTest::newRow("opened, then cleared")
            << true << true << int(MessageAnswer::Cancel) << false << 0;
    }
    void savePromptBeforeNew() {
        QFETCH(bool, openFirst);
        QFETCH(bool, clearAll);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(int, peaksAfter);
        QTemporaryDir dir;
        const QString opened = dir.filePath("abierto");
        QVERIFY(SavePeakTableFile(opened.toStdString(), TableOf({{1}, {2}})).ok());
        Started s;
        if (openFirst) {
            QVERIFY(s.app.Documents().OpenDocumentFile(opened));
        } else {
            s.AddPeak("500");
        }
        if (clearAll) {
            s.view()->OnClearAll();
        }
        const QString title = QString::fromStdString(s.app.Document().GetTitle());
        RecordingMessageBox& box = s.fakes.NewMessages();
        box.answers.push_back(MessageAnswer(answer));
        ScriptedFileDialogs& files = s.fakes.NewFileDialogs();
        files.answers.push_back(dir.filePath("guardado"));
        QTest::keyClick(s.Edit(IDC_POSITION), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(box.Texts(), asked ? QStringList{"¿Desea guardar los cambios de " + title + "?"}
                                    : QStringList{});
        QCOMPARE(s.app.Document().Table().PeakCount(), peaksAfter);
        QCOMPARE(s.view()->peakList->topLevelItemCount(), peaksAfter);
        if (MessageAnswer(answer) == MessageAnswer::Yes) {
            PeakTable saved;
            QVERIFY(LoadPeakTableFile(dir.filePath("guardado").toStdString(), saved).ok());
            QCOMPARE(saved.PeakCount(), 1);
        }
    }

    void closingAModifiedDocumentAsks() {
        Started s;
        s.AddPeak("1");
        RecordingMessageBox& box = s.fakes.NewMessages();
        box.answers = {MessageAnswer::Cancel, MessageAnswer::No};
        QVERIFY(!s.frame()->close());
        QVERIFY(s.frame()->isVisible());
        QCOMPARE(s.app.Document().Table().PeakCount(), 1);
        QVERIFY(s.frame()->close());
        QCOMPARE(box.shown.size(), std::size_t{2});
    }

    // While a long export runs, the menus and the toolbar are locked and the
    // status bar says how to stop; closing asks to stop first, then the usual
    // save prompt follows.
    void closingDuringAnExportStopsItThenAsksToSave() {
        QTemporaryDir dir;
        Started s;
        s.AddPeak("500");
        s.Edit(IDC_X_MAX)->setText("1000");
        s.view()->fields.resolution = 100000000;
        s.view()->fields.outputPath = dir.filePath("datos.txt").toStdString();
        RecordingMessageBox& box = s.fakes.NewMessages();
        box.answers = {MessageAnswer::Yes, MessageAnswer::Ok, MessageAnswer::No};
        QStringList status;
        bool locked = false;
        QTimer::singleShot(300, [&] {
            status = s.frame()->StatusPaneTexts();
            locked =
                !s.frame()->Action(ID_FILE_NEW)->isEnabled() && !s.frame()->menuBar()->isEnabled();
            s.frame()->close();
        });
        s.frame()->SendCommand(IDC_EXPORT);
        QCOMPARE(status.value(0), QStringLiteral("Exportando… Esc para detener"));
        QVERIFY(locked);
        QVERIFY(s.frame()->Action(ID_FILE_NEW)->isEnabled());
        QTRY_VERIFY(!s.frame()->isVisible());
        QCOMPARE(box.shown.size(), std::size_t{3});
        QVERIFY(box.Texts().at(1).startsWith("Se detuvo la exportación."));
        QCOMPARE(box.shown[2].buttons, MessageButtons::YesNoCancel);
    }

    void saveAsNamesTheDocument() {
        QTemporaryDir dir;
        Started s;
        s.AddPeak("500");
        ScriptedFileDialogs& files = s.fakes.NewFileDialogs();
        // No extension is added to the name the user gives.
        files.answers.push_back(dir.filePath("espectro"));
        s.frame()->SendCommand(ID_FILE_SAVE_AS);
        QCOMPARE(files.asked.at(0).second, QStringLiteral("Sin título"));
        QVERIFY(QFile::exists(dir.filePath("espectro")));
        QCOMPARE(s.frame()->windowTitle(), QStringLiteral("espectro - Trazel"));
        QVERIFY(!s.app.Document().IsModified());
        QCOMPARE(s.app.RecentFiles().Files(), QStringList{dir.filePath("espectro")});

        // Save writes to the same file without asking.
        s.AddPeak("600");
        s.frame()->SendCommand(ID_FILE_SAVE);
        QCOMPARE(files.asked.size(), std::size_t{1});
        PeakTable saved;
        QVERIFY(LoadPeakTableFile(dir.filePath("espectro").toStdString(), saved).ok());
        QCOMPARE(saved.PeakCount(), 2);
    }

    // A save that fails leaves the file on disk as it was and the document
    // as it was: still modified, under its old name, and the user is told.
    void failedSaveLosesNothing_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<QString>("reason");
        QTest::newRow("save as, missing folder") << "no-existe/espectro" << true << "no existe";
        QTest::newRow("save as, folder") << "." << true << "es una carpeta";
        QTest::newRow("save as, device without room") << "/dev/full" << true << "espacio";
        QTest::newRow("save as, pipe without reader") << "tuberia" << true << "nadie atiende";
        QTest::newRow("save as over another file, disk limit") << "otro" << true << "tamaño máximo";
        QTest::newRow("save, disk limit") << "espectro" << false << "tamaño máximo";
    }
    void failedSaveLosesNothing() {
        QFETCH(QString, target);
        QFETCH(bool, saveAs);
        QFETCH(QString, reason);
        if (target.startsWith('/') && !QFile::exists(target)) {
            QSKIP("no such device here");
        }
        QTemporaryDir dir;
        const QString document = dir.filePath("espectro");
        const QString other = dir.filePath("otro");
        QVERIFY(SavePeakTableFile(document.toStdString(), TableOf({{100}})).ok());
        QVERIFY(SavePeakTableFile(other.toStdString(), TableOf({{7}})).ok());
        const QString path = target.startsWith('/') ? target : dir.filePath(target);
        if (target == "tuberia") {
            QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        }
        const QStringList entriesBefore = QDir(dir.path()).entryList(QDir::AllEntries);
        const QByteArray documentBytes = Contents(document);
        const QByteArray otherBytes = Contents(other);

        Started s({"trazel", document});
        s.AddPeak("500");
        s.AddPeak("600");
        RecordingMessageBox& box = s.fakes.NewMessages();
        ScriptedFileDialogs& files = s.fakes.NewFileDialogs();
        files.answers.push_back(path);
        {
            // The process's file-size limit stands in for a disk that fills up
            // part-way through the write.
            FileSizeLimit limit(reason == "tamaño máximo" ? 64 : 0);
            s.frame()->SendCommand(saveAs ? ID_FILE_SAVE_AS : ID_FILE_SAVE);
        }
        QCOMPARE(files.asked.size(), std::size_t{saveAs ? 1u : 0u});
        QCOMPARE(box.shown.size(), std::size_t{1});
        QVERIFY2(box.shown[0].text.contains(reason), qPrintable(box.shown[0].text));
        QVERIFY(box.shown[0].text.contains(QFileInfo(path).absoluteFilePath().section('/', -1)));
        QVERIFY(s.app.Document().IsModified());
        QCOMPARE(s.frame()->windowTitle(), QStringLiteral("espectro - Trazel"));
        QCOMPARE(s.Positions(), (QStringList{"600", "500", "100"}));
        QCOMPARE(s.app.RecentFiles().Files(), QStringList{document});
        QCOMPARE(Contents(document), documentBytes);
        QCOMPARE(Contents(other), otherBytes);
        // No temporary file is left beside the documents.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries), entriesBefore);
        s.app.Document().SetModifiedFlag(false);
    }

    // An analysis the document's file held but that could not be read is
    // written back as it came; once the document has an analysis of its own,
    // saving asks first, and No leaves the file as it was.
    void saveAsksBeforeLosingAnUnreadAnalysis() {
        QTemporaryDir dir;
        const QString document = dir.filePath("espectro");
        trazel::analysis::Analysis stored;
        stored.axisTitles = trazel::analysis::AxisTitles{"x", "y"};
        std::string section =
            SectionBytes(trazel::analysis::AnalysisSection(stored, TableOf({{100}})));
        section.back() ^= 1;
        QVERIFY(SaveDocumentFile(document.toStdString(), TableOf({{100}}), section).ok());
        const QByteArray bytes = Contents(document);
        Started s({"trazel", document});
        RecordingMessageBox& box = s.fakes.NewMessages();
        s.frame()->SendCommand(ID_FILE_SAVE);
        QCOMPARE(box.shown.size(), std::size_t{0});
        QCOMPARE(Contents(document), bytes);
        s.app.Document().SetAxisTitles({"a", "b"});
        box.answers = {MessageAnswer::No, MessageAnswer::Yes};
        s.frame()->SendCommand(ID_FILE_SAVE);
        QCOMPARE(box.shown.size(), std::size_t{1});
        QVERIFY2(box.shown[0].text.contains("se perderá"), qPrintable(box.shown[0].text));
        QCOMPARE(Contents(document), bytes);
        s.frame()->SendCommand(ID_FILE_SAVE);
        DocumentContents saved;
        QVERIFY(LoadDocumentFile(document.toStdString(), saved).ok());
        QCOMPARE(saved.section.kind, SectionRead::Kind::Read);
        // Asked once: the file no longer holds what could not be read.
        s.frame()->SendCommand(ID_FILE_SAVE);
        QCOMPARE(box.shown.size(), std::size_t{2});
    }

    // A file that cannot be read leaves everything as it was: the peaks, the
    // modified flag, the caption and the form's settings; the message names
    // the file and says what is wrong with it.
    void failedOpenLosesNothing_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("modified");
        const QByteArray magic = Int32(14000);
        const QByteArray onePeak = magic + Int32(2) + QByteArray(36, '\x01');
        std::mt19937 random(20240607);
        QByteArray noise(4096, '\0');
        for (char& byte : noise) {
            byte = static_cast<char>(random() & 0xff);
        }
        const struct {
            const char* name;
            QString kind;
            QByteArray content;
            QString reason;
        } rows[] = {
            {"missing", "missing", {}, "no existe"},
            {"folder", "folder", {}, "es una carpeta"},
            {"pipe", "pipe", {}, "tubería"},
            {"device", "device", {}, "tubería"},
            {"empty", "file", {}, "termina antes de tiempo"},
            {"random bytes", "file", noise, "no es un documento de Trazel válido"},
            {"count 0", "file", Int32(0), "dice contener -1 máximos"},
            {"count -1", "file", Int32(-1), "dice contener -2 máximos"},
            {"count 101", "file", Int32(101) + QByteArray(100 * 28, '\0'),
             "dice contener 100 máximos"},
            {"14000, then 101", "file", magic + Int32(101) + QByteArray(100 * 36, '\0'),
             "dice contener 100 máximos"},
            {"magic only", "file", magic, "termina antes de tiempo"},
            {"cut in a record", "file", onePeak.left(30), "termina antes de tiempo"},
            {"records missing", "file", magic + Int32(3) + onePeak.mid(8),
             "termina antes de tiempo"},
        };
        for (const auto& row : rows) {
            for (const bool modified : {true, false}) {
                const QString name =
                    QString::fromUtf8(row.name) +
                    (modified ? QStringLiteral(", modified") : QStringLiteral(", saved"));
                QTest::newRow(qPrintable(name))
                    << row.kind << row.content << row.reason << modified;
            }
        }
    }
    void failedOpenLosesNothing() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QFETCH(bool, modified);
        if (kind == "device" && !QFile::exists("/dev/zero")) {
            QSKIP("no /dev/zero here");
        }
        QTemporaryDir dir;
        QString path = dir.filePath("roto");
        if (kind == "file") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        } else if (kind == "folder") {
            QVERIFY(QDir(dir.path()).mkdir("roto"));
        } else if (kind == "pipe") {
            QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        } else if (kind == "device") {
            path = "/dev/zero";
        }
        const QString current = dir.filePath("actual");
        QVERIFY(SavePeakTableFile(current.toStdString(), TableOf({{100}, {200}})).ok());

        Started s({"trazel", current});
        if (modified) {
            s.AddPeak("500");
        }
        s.view()->fields.outputPath = "mio.txt";
        const QStringList positions = s.Positions();
        const QString caption = s.frame()->windowTitle();
        RecordingMessageBox& box = s.fakes.NewMessages();
        box.answers.push_back(MessageAnswer::No);  // do not save first
        ScriptedFileDialogs& files = s.fakes.NewFileDialogs();
        files.answers.push_back(path);
        s.frame()->SendCommand(ID_FILE_OPEN);

        const std::size_t prompts = modified ? 1 : 0;
        QCOMPARE(box.shown.size(), prompts + 1);
        const QString message = box.shown[prompts].text;
        QVERIFY2(message.contains(QFileInfo(path).fileName()), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QCOMPARE(s.Positions(), positions);
        QCOMPARE(s.app.Document().IsModified(), modified);
        QCOMPARE(s.frame()->windowTitle(), caption);
        QCOMPARE(caption, QStringLiteral("actual - Trazel"));
        QCOMPARE(s.view()->fields.outputPath, std::string("mio.txt"));
        QCOMPARE(s.app.RecentFiles().Files(), QStringList{current});
        s.app.Document().SetModifiedFlag(false);
    }

    void openResetsTheSettingsAndKeepsTheEntries() {
        QTemporaryDir dir;
        const QString path = dir.filePath("dos picos");
        QVERIFY(SavePeakTableFile(path.toStdString(), TableOf({{100}, {200}})).ok());
        Started s;
        s.Edit(IDC_X_MAX)->setText("1000");
        s.Edit(IDC_WIDTH)->setText("8");
        s.view()->OnPlot();
        s.view()->fields.outputPath = "otro.txt";
        s.view()->fields.decimalComma = false;
        s.view()->fields.resolution = 9;
        ScriptedFileDialogs& files = s.fakes.NewFileDialogs();
        files.answers.push_back(path);
        for (int i = 0; i < 3; ++i) {
            s.frame()->SendCommand(ID_FILE_OPEN);
            files.answers.push_back(path);
        }
        QCOMPARE(s.Positions(), (QStringList{"200", "100"}));
        QCOMPARE(s.frame()->windowTitle(), QStringLiteral("dos picos - Trazel"));
        QCOMPARE(s.view()->peakList->columnCount(), 6);
        QCOMPARE(s.view()->fields.outputPath, std::string("datos.txt"));
        QCOMPARE(s.view()->fields.decimalComma, true);
        QCOMPARE(s.view()->fields.resolution, 250);
        QVERIFY(!s.view()->fields.graphShown);
        QCOMPARE(s.Edit(IDC_X_MAX)->text(), QStringLiteral("1000"));
        QCOMPARE(s.Edit(IDC_WIDTH)->text(), QStringLiteral("8"));
        QVERIFY(!s.app.Document().IsModified());
    }

    void recentFilesHoldFourNewestFirst() {
        QTemporaryDir dir;
        QStringList paths;
        for (int i = 1; i <= 5; ++i) {
            paths << dir.filePath(QStringLiteral("pico%1").arg(i));
            QVERIFY(SavePeakTableFile(paths.last().toStdString(), TableOf({{i * 100.0}})).ok());
        }
        {
            Started s;
            ScriptedFileDialogs& files = s.fakes.NewFileDialogs();
            for (const QString& path : paths) {
                files.answers.push_back(path);
                s.frame()->SendCommand(ID_FILE_OPEN);
            }
            const QStringList expected = {paths[4], paths[3], paths[2], paths[1]};
            QCOMPARE(s.app.RecentFiles().Files(), expected);
            QCOMPARE(s.frame()->Action(ID_FILE_MRU_FILE1)->text(),
                     QStringLiteral("&1 ") + paths[4]);
            QVERIFY(!s.frame()->Action(ID_FILE_MRU_FILE1 + 4));
        }
        // The list outlives the run, and its entries open their files.
        Started s;
        QCOMPARE(s.app.RecentFiles().Files().size(), 4);
        QCOMPARE(s.frame()->Action(ID_FILE_MRU_FILE1 + 3)->text(),
                 QStringLiteral("&4 ") + paths[1]);
        s.frame()->SendCommand(ID_FILE_MRU_FILE1 + 2);
        QCOMPARE(s.Positions(), QStringList{"300"});
        QCOMPARE(s.app.RecentFiles().Files().first(), paths[2]);

        // An entry whose file is gone is reported and leaves the list.
        QFile::remove(paths[1]);
        RecordingMessageBox& box = s.fakes.NewMessages();
        s.frame()->SendCommand(ID_FILE_MRU_FILE1 + 3);
        QCOMPARE(box.shown.size(), std::size_t{1});
        QCOMPARE(s.app.RecentFiles().Files().size(), 3);
        QCOMPARE(s.Positions(), QStringList{"300"});
    }

    // A name that is not UTF-8 is opened from the command line, saved under
    // the same bytes, remembered and opened again from the recent files; the
    // file dialog, which cannot give such a name back, is said to be the
    // cause rather than a missing file.
    void pathThatIsNotUtf8KeepsItsBytes() {
        QTemporaryDir dir;
        const std::string path = QFile::encodeName(dir.path()).toStdString() + "/pico-\xff.trz";
        // QTemporaryDir removes what it lists by name as text, which this name
        // cannot be: the file goes by its bytes before the folder goes.
        const auto removeFile = qScopeGuard([&path] { std::filesystem::remove(path); });
        QVERIFY(SavePeakTableFile(path, TableOf({{42}})).ok());
        {
            Started s(std::vector<std::string>{"trazel", path});
            QVERIFY(s.ok);
            QCOMPARE(s.Positions(), QStringList{"42"});
            QCOMPARE(s.frame()->windowTitle(), QStringLiteral("pico-\uFFFD.trz - Trazel"));
            s.AddPeak("7");
            s.frame()->SendCommand(ID_FILE_SAVE);
            QCOMPARE(std::distance(
                         std::filesystem::directory_iterator(path.substr(0, path.rfind('/'))), {}),
                     1);
            std::ifstream saved(path, std::ios::binary);
            QCOMPARE(std::string(std::istreambuf_iterator<char>(saved), {}),
                     PeakTableBytes(s.app.Document().Table()));
            QVERIFY(!s.app.Document().IsModified());
        }
        Started s;
        s.frame()->SendCommand(ID_FILE_MRU_FILE1);
        QCOMPARE(s.Positions(), (QStringList{"7", "42"}));
        QCOMPARE(s.app.RecentFiles().Path(0), path);

        ScriptedFileDialogs& files = s.fakes.NewFileDialogs();
        files.answers.push_back(QFile::decodeName(QByteArray::fromStdString(path)));
        RecordingMessageBox& box = s.fakes.NewMessages();
        s.frame()->SendCommand(ID_FILE_OPEN);
        QCOMPARE(box.shown.size(), std::size_t{1});
        QVERIFY2(box.shown[0].text.contains(QStringLiteral("no puede representar")),
                 qPrintable(box.shown[0].text));
    }

    void commandLinePathIsOpened() {
        QTemporaryDir dir;
        const QString path = dir.filePath("inicial");
        QVERIFY(SavePeakTableFile(path.toStdString(), TableOf({{42}})).ok());
        Started s({"trazel", path});
        QVERIFY(s.ok);
        QCOMPARE(s.Positions(), QStringList{"42"});
        QCOMPARE(s.frame()->windowTitle(), QStringLiteral("inicial - Trazel"));
    }

    void commandLinePathThatCannotBeOpenedEndsTheStart() {
        Started s({"trazel", "/no-existe/documento"});
        const RecordingMessageBox& box = s.fakes.messages;
        QVERIFY(!s.ok);
        QCOMPARE(box.shown.size(), std::size_t{1});
        QVERIFY(box.shown[0].text.contains(QStringLiteral("documento")));
    }

    // What the command line does without a window. There is no printer here,
    // so every print ends with the reason on the standard error.
    void commandLineWithoutAWindow_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--print-to IMPRESORA"
                              << "";
        QTest::newRow("print") << QStringList{"--print", "doc"} << 1 << ""
                               << "No se puede imprimir: no hay ninguna impresora";
        QTest::newRow("print to") << QStringList{"--print-to", "Ninguna", "doc"} << 1 << ""
                                  << "No se puede imprimir: no hay ninguna impresora";
        QTest::newRow("print, no document") << QStringList{"--print"} << 1 << ""
                                            << "Falta el documento que imprimir.";
        QTest::newRow("print to, no printer") << QStringList{"--print-to"} << 1 << ""
                                              << "Falta el nombre de la impresora";
    }
    void commandLineWithoutAWindow() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        std::ostringstream outText;
        std::ostringstream errText;
        auto* const outBefore = std::cout.rdbuf(outText.rdbuf());
        auto* const errBefore = std::cerr.rdbuf(errText.rdbuf());
        Started s(QStringList{"trazel"} + arguments);
        std::cout.rdbuf(outBefore);
        std::cerr.rdbuf(errBefore);
        const RecordingMessageBox& box = s.fakes.messages;
        QVERIFY(!s.ok);
        QCOMPARE(s.app.ExitCode(), status);
        QVERIFY(s.frame() == nullptr || !s.frame()->isVisible());
        QVERIFY(box.shown.empty());
        QVERIFY2(QString::fromStdString(outText.str()).contains(out), outText.str().c_str());
        QVERIFY2(QString::fromStdString(errText.str()).contains(err), errText.str().c_str());
        QCOMPARE(errText.str().empty(), err.isEmpty());
    }

    // Where the screen has room the whole form shows without scrolling.
    void frameOpensAroundTheWholeForm() {
        Started s;
        const auto* area = qobject_cast<QScrollArea*>(s.frame()->centralWidget());
        QVERIFY(!area->horizontalScrollBar()->isVisible());
        QVERIFY(!area->verticalScrollBar()->isVisible());
        QCOMPARE(s.frame()->size(), s.view()->FrameSizeToFit());
    }

    void initialFrameSize_data() {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QSize>("expected");
        const QSize form(743, 508);
        QTest::newRow("form larger than 3/4, fits") << QSize(960, 600) << form;
        QTest::newRow("form smaller than 3/4") << QSize(1920, 1200) << QSize(1440, 900);
        QTest::newRow("too low") << QSize(1000, 500) << QSize(750, 375);
        QTest::newRow("too narrow") << QSize(700, 900) << QSize(525, 675);
        QTest::newRow("exactly") << form << form;
    }
    void initialFrameSize() {
        QFETCH(QSize, available);
        QFETCH(QSize, expected);
        QCOMPARE(InitialFrameSize(available, QSize(743, 508)), expected);
    }

    // Open's file dialog has just closed: no window is active, and the
    // question belongs over the main window.
    void savePromptAfterOpenIsOverTheFrame() {
        Started s;
        s.AddPeak("1");
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        ScriptedFileDialogs& files = s.fakes.NewFileDialogs();
        files.answers.push_back(QStringLiteral("/otro/documento"));
        RecordingMessageBox& box = s.fakes.NewMessages();
        box.answers.push_back(MessageAnswer::Cancel);
        s.frame()->SendCommand(ID_FILE_OPEN);
        QCOMPARE(box.shown.size(), std::size_t{1});
        QCOMPARE(box.shown[0].parent, s.frame());
    }

    // The keys of undo and redo take back the field's typing first, then the
    // table's steps.
    void undoKeysServeTheFieldFirst_data() {
        QTest::addColumn<QKeySequence>("undo");
        QTest::addColumn<QKeySequence>("redo");
        QTest::newRow("Ctrl+Z, Ctrl+Y") << QKeySequence("Ctrl+Z") << QKeySequence("Ctrl+Y");
        QTest::newRow("Alt+Backspace, Ctrl+Shift+Z")
            << QKeySequence("Alt+Backspace") << QKeySequence("Ctrl+Shift+Z");
    }
    void undoKeysServeTheFieldFirst() {
        QFETCH(QKeySequence, undo);
        QFETCH(QKeySequence, redo);
        Started s;
        s.AddPeak("500");
        QLineEdit* edit = s.Edit(IDC_X_MIN);
        edit->setFocus();
        QTest::keyClicks(edit, "7");
        const struct {
            QKeySequence keys;
            const char* field;
            QStringList list;
        } presses[] = {
            {undo, "0", {"500"}}, {undo, "0", {}}, {redo, "07", {}}, {redo, "07", {"500"}}};
        for (const auto& press : presses) {
            QTest::keySequence(edit, press.keys);
            QCOMPARE(edit->text(), QString::fromUtf8(press.field));
            QCOMPARE(s.Positions(), press.list);
            QCOMPARE(QApplication::focusWidget(), edit);
        }
    }

    void exportReportStaysAWhileInTheStatusBar() {
        QTemporaryDir dir;
        Started s;
        s.view()->fields.outputPath = dir.filePath("datos.txt").toStdString();
        s.Edit(IDC_X_MAX)->setText("10");
        s.frame()->SendCommand(IDC_EXPORT);
        QCOMPARE(s.frame()->StatusPaneTexts().at(0),
                 QStringLiteral("Exportadas 251 líneas a datos.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(s.frame()->StatusPaneTexts().at(0), QStringLiteral("Preparado"),
                                  CTrazelApp::kStatusMessageMs + 2000);
    }

    // Undo and redo follow the history: enabled when there is a step, and the
    // prompt names it; back at the table last saved or opened, the document
    // is not modified.
    void historyFollowsTheSavedTable_data() {
        QTest::addColumn<bool>("open");
        QTest::newRow("saved") << false;
        QTest::newRow("opened") << true;
    }
    void historyFollowsTheSavedTable() {
        QFETCH(bool, open);
        QTemporaryDir dir;
        const QString path = dir.filePath("espectro");
        QVERIFY(SavePeakTableFile(path.toStdString(), TableOf({{100}})).ok());
        Started s;
        QAction* undo = s.frame()->Action(ID_EDIT_UNDO);
        QAction* redo = s.frame()->Action(ID_EDIT_REDO);
        s.AddPeak("500");
        QVERIFY(undo->isEnabled());
        s.fakes.NewFileDialogs().answers.push_back(path);
        s.fakes.NewMessages().answers.push_back(MessageAnswer::No);
        s.frame()->SendCommand(open ? ID_FILE_OPEN : ID_FILE_SAVE);
        s.fakes.NewMessages();
        QCOMPARE(undo->isEnabled(), !open);
        QVERIFY(!s.app.Document().IsModified());

        s.view()->OnClearAll();
        QCOMPARE(undo->statusTip(), QStringLiteral("Deshacer: Borrar todo"));
        QVERIFY(!redo->isEnabled());
        s.frame()->SendCommand(ID_EDIT_UNDO);
        QCOMPARE(s.Positions(), open ? QStringList{"100"} : QStringList{"500"});
        QVERIFY(!s.app.Document().IsModified());
        QCOMPARE(redo->statusTip(), QStringLiteral("Rehacer: Borrar todo"));
        QCOMPARE(undo->isEnabled(), !open);
        if (!open) {
            s.frame()->SendCommand(ID_EDIT_UNDO);
            QCOMPARE(s.Positions(), QStringList{});
            QVERIFY(s.app.Document().IsModified());
            QCOMPARE(undo->statusTip(), QStringLiteral("Deshace la última acción"));
        }
        s.frame()->SendCommand(ID_FILE_NEW);
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        QCOMPARE(s.fakes.messages.shown.size(), open ? std::size_t{0} : std::size_t{1});
    }

    // Gráfico › "Ajustar al espectro medido..." is there only with measured
    // points, starts from their whole range when the form has no x range,
    // draws the fit while the dialog is open, and applies it as a step of
    // the history; the fit applied stays drawn with the spectrum.
    void fitThroughTheMenu_data() {
        QTest::addColumn<int>("baseline");
        QTest::addColumn<int>("answer");
        QTest::newRow("aplicar con línea base") << 1 << int(IDOK);
        QTest::newRow("aplicar sin línea base") << 0 << int(IDOK);
        QTest::newRow("cancelar") << 1 << int(IDCANCEL);
    }
    void fitThroughTheMenu() {
        QFETCH(int, baseline);
        QFETCH(int, answer);
        Started s;
        QAction* fit = s.frame()->Action(ID_FIT_MEASURED);
        QVERIFY(!fit->isEnabled());
        s.app.Document().SetTable(TableOf({{995, 0.8, 25}, {1045, 0.6, 20}}));
        s.view()->FillPeakList();
        QVERIFY(s.app.Measured()->Load(TRAZEL_TEST_DATA "/../../examples/dos-bandas-medido.txt"));
        // The load is a change to save, as if saved now: only the fit counts below.
        QVERIFY(s.app.Document().IsModified());
        s.app.Document().SetModifiedFlag(false);
        QVERIFY(fit->isEnabled());
        bool stripWhileOpen = false;
        QString range;
        s.fakes.dialogs.script = [&](QDialog& d) {
            auto& dialog = dynamic_cast<FitDialog&>(d);
            range = dialog.xMinEdit->text() + ' ' + dialog.xMaxEdit->text();
            dialog.baselineBox->setCurrentIndex(baseline);
            if (!FitAndWait(dialog)) {
                return IDCANCEL;
            }
            stripWhileOpen = s.app.PlotWindow()->ResidualRect() != nullptr;
            return answer;
        };
        s.frame()->SendCommand(ID_FIT_MEASURED);
        QCOMPARE(range, QStringLiteral("900 1150"));
        QVERIFY(stripWhileOpen);
        const bool applied = answer == IDOK;
        // An applied fit stays drawn, with its residual: it is the document's now.
        QCOMPARE(s.app.PlotWindow()->ResidualRect() != nullptr, applied);
        const QStringList guess{"1045", "995"};
        QCOMPARE(s.Positions() != guess, applied);
        QCOMPARE(s.Positions().first().startsWith("1040."), applied);
        QCOMPARE(s.app.Document().IsModified(), applied);
        QCOMPARE(trazel::analysis::BaselineAt(s.app.Document().GetAnalysis(), 1020).has_value(),
                 applied && baseline != 0);
        // The load is a step of the history too, under the fit's.
        QCOMPARE(s.app.Context().History().Stack().undoText(),
                 applied ? "Ajustar al espectro medido" : "Superponer espectro medido");
        s.app.Measured()->Remove();
        QVERIFY(!fit->isEnabled());
    }

    // "Buscar bandas..." of either menu, with a measured spectrum only: the
    // list follows the options and the plot window marks the bands while the
    // dialog is open; "Añadir" or "Reemplazar la tabla" is one step of the
    // history, which keeps the options; "Cancelar" changes nothing.
    void findBandsThroughTheMenu_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("fromPlot");
        QTest::addColumn<QStringList>("positions");
        QTest::newRow("añadir") << "add" << false << QStringList{"1000.", "1040.", "1100"};
        QTest::newRow("reemplazar") << "replace" << true << QStringList{"1000.", "1040."};
        QTest::newRow("cancelar") << "cancel" << false << QStringList{"1100"};
    }
    void findBandsThroughTheMenu() {
        QFETCH(QString, button);
        QFETCH(bool, fromPlot);
        QFETCH(QStringList, positions);
        Started s;
        QAction* find = s.frame()->Action(ID_FIND_BANDS);
        QAction* plotFind = nullptr;
        for (QAction* action : s.app.PlotWindow()->findChildren<QAction*>()) {
            if (action->text() == QStringLiteral("&Buscar bandas...")) {
                plotFind = action;
            }
        }
        QVERIFY(plotFind != nullptr);
        QVERIFY(!find->isEnabled() && !plotFind->isEnabled());
        s.app.Document().SetTable(TableOf({{1100, 0.1, 5}}));
        s.view()->FillPeakList();
        QVERIFY(s.app.Measured()->Load(TRAZEL_TEST_DATA "/../../examples/dos-bandas-medido.txt"));
        QVERIFY(find->isEnabled() && plotFind->isEnabled());
        std::vector<int> rows;
        std::size_t marked = 0;
        s.fakes.dialogs.script = [&](QDialog& d) {
            auto& dialog = dynamic_cast<PeakSearchDialog&>(d);
            rows.push_back(dialog.preview->topLevelItemCount());
            marked = s.app.PlotWindow()->MarkedBands().size();
            dialog.prominenceBox->setValue(60.0);
            rows.push_back(dialog.preview->topLevelItemCount());
            dialog.shouldersBox->setChecked(true);
            dialog.distanceEdit->setText(QStringLiteral("x"));
            emit dialog.distanceEdit->textEdited(dialog.distanceEdit->text());
            rows.push_back(dialog.preview->topLevelItemCount());
            dialog.distanceEdit->clear();
            dialog.shouldersBox->setChecked(false);
            dialog.prominenceBox->setValue(5.0);
            rows.push_back(dialog.preview->topLevelItemCount());
            if (button == "cancel") {
                return int(IDCANCEL);
            }
            (button == "add" ? dialog.addButton : dialog.replaceButton)->click();
            return int(IDOK);
        };
        if (fromPlot) {
            s.app.PlotWindow()->ShowAndRaise();
            plotFind->trigger();
        } else {
            s.frame()->SendCommand(ID_FIND_BANDS);
        }
        QCOMPARE(rows, (std::vector<int>{2, 1, 0, 2}));
        QCOMPARE(marked, std::size_t{2});
        QVERIFY(s.app.PlotWindow()->MarkedBands().empty());
        const QStringList shown = s.Positions();
        QCOMPARE(shown.size(), positions.size());
        for (int i = 0; i < shown.size(); ++i) {
            QVERIFY2(shown[i].startsWith(positions[i]), qPrintable(shown.join(' ')));
        }
        const bool put = button != "cancel";
        QCOMPARE(s.app.Document().GetAnalysis().peakSearch.has_value(), put);
        if (put) {
            QCOMPARE(s.app.Context().History().Stack().undoText(),
                     button == "add" ? "Añadir las bandas encontradas"
                                     : "Reemplazar la tabla por las bandas encontradas");
            s.view()->OnUndo();
            QCOMPARE(s.Positions(), QStringList{"1100"});
            QVERIFY(!s.app.Document().GetAnalysis().peakSearch);
        }
    }

    // Two regions fitted one after the other, each with its baseline, are
    // saved and come back; removing one is a step that undo takes back, and
    // "Ajustar todas" fits both again as one step.
    void regionsAreFittedKeptAndRemoved() {
        Started s;
        s.app.Document().SetTable(TableOf({{995, 0.8, 25}, {1045, 0.6, 20}}));
        s.view()->FillPeakList();
        QVERIFY(s.app.Measured()->Load(TRAZEL_TEST_DATA "/../../examples/dos-bandas-medido.txt"));
        const auto regions = [&s] { return s.app.Document().GetAnalysis().regions; };
        const auto fitRange = [&s](const char* from, const char* to, int baseline) {
            s.fakes.dialogs.script = [=](QDialog& d) {
                auto& dialog = dynamic_cast<FitDialog&>(d);
                dialog.PickRegion(-1);
                dialog.xMinEdit->setText(from);
                dialog.xMaxEdit->setText(to);
                dialog.baselineBox->setCurrentIndex(baseline);
                return FitAndWait(dialog) ? int(IDOK) : int(IDCANCEL);
            };
            s.frame()->SendCommand(ID_FIT_MEASURED);
        };
        s.fakes.messages.answers = {MessageAnswer::No, MessageAnswer::No};
        fitRange("900", "1020", 1);
        fitRange("1020", "1150", 0);
        QCOMPARE(regions().size(), std::size_t{2});
        const QString path = settingsDir_.filePath("dos-regiones.trz");
        s.fakes.NewFileDialogs().answers.push_back(path);
        QVERIFY(s.app.Documents().OnFileSaveAs());
        QVERIFY(s.app.Documents().OnFileNew());
        QVERIFY(s.app.Documents().OpenDocumentFile(path.toStdString()));
        QCOMPARE(regions().size(), std::size_t{2});
        QVERIFY(regions()[0].fit && regions()[1].fit);
        QCOMPARE(regions()[0].fit->settings.baseline, trazel::fit::Baseline::Constant);
        QCOMPARE(regions()[1].fit->settings.baseline, trazel::fit::Baseline::None);
        QCOMPARE(regions()[0].fit->result.bands.size(), std::size_t{2});

        int listed = 0;
        s.fakes.dialogs.script = [&listed](QDialog& d) {
            auto& dialog = dynamic_cast<FitDialog&>(d);
            dialog.PickRegion(0);
            dialog.removeRegionButton->click();
            listed = dialog.regionList->topLevelItemCount();
            return int(IDCANCEL);
        };
        s.frame()->SendCommand(ID_FIT_MEASURED);
        QCOMPARE(listed, 1);
        QCOMPARE(regions().size(), std::size_t{1});
        QCOMPARE(regions()[0].XMin(), 1020.0);
        s.frame()->SendCommand(ID_EDIT_UNDO);
        QCOMPARE(regions().size(), std::size_t{2});

        s.fakes.dialogs.script = [](QDialog& d) {
            auto& dialog = dynamic_cast<FitDialog&>(d);
            dialog.fitAllButton->click();
            return QTest::qWaitFor([&] { return !dialog.Running(); }, 10000) &&
                           dialog.ShownAll().size() == 2
                       ? int(IDOK)
                       : int(IDCANCEL);
        };
        s.frame()->SendCommand(ID_FIT_MEASURED);
        QCOMPARE(s.app.Context().History().Stack().undoText(),
                 QStringLiteral("Ajustar al espectro medido"));
        QCOMPARE(regions().size(), std::size_t{2});
        QVERIFY(regions()[0].fit->result.iterations != 0 &&
                regions()[1].fit->result.iterations != 0);
    }

    // What the user does to the analysis, and after each sequence what the
    // document holds and what the plot window draws: the measured spectrum as
    // the fit uses it (its factor), and the fit applied with its baseline,
    // curves and residual strip, which undo takes back as one step and New
    // and Open take away.
    void analysisFollowsTheUser_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("measured");
        QTest::addColumn<double>("factor");
        QTest::addColumn<bool>("fitted");
        QTest::newRow("load") << "load" << true << 1.0 << false;
        QTest::newRow("factor") << "load,factor" << true << 0.01 << false;
        QTest::newRow("factor undone") << "load,factor,undo" << true << 1.0 << false;
        QTest::newRow("fit, not applied") << "load,fit" << true << 1.0 << false;
        QTest::newRow("apply") << "load,apply" << true << 1.0 << true;
        QTest::newRow("apply to the factor's data") << "load,factor,apply" << true << 0.01 << true;
        QTest::newRow("apply undone") << "load,apply,undo" << true << 1.0 << false;
        QTest::newRow("apply redone") << "load,apply,undo,redo" << true << 1.0 << true;
        QTest::newRow("load undone") << "load,undo" << false << 1.0 << false;
        QTest::newRow("new") << "load,apply,new" << false << 1.0 << false;
        QTest::newRow("open") << "load,apply,open" << false << 1.0 << false;
        // Saved with the document, the analysis comes back with it: the
        // spectrum, its factor, the fit and its baseline, drawn as before.
        QTest::newRow("saved and reopened") << "load,factor,apply,reopen" << true << 0.01 << true;
        QTest::newRow("saved unfitted") << "load,reopen" << true << 1.0 << false;
        // A change of y is the document's too: drawn and fitted alike, saved.
        QTest::newRow("sign changed, saved and reopened")
            << "load,negate,apply,reopen" << true << -1.0 << true;
        QTest::newRow("sign changed, undone") << "load,negate,undo" << true << 1.0 << false;
    }
    void analysisFollowsTheUser() {
        QFETCH(QString, steps);
        QFETCH(bool, measured);
        QFETCH(double, factor);
        QFETCH(bool, fitted);
        Started s;
        const PeakTable guess = TableOf({{995, 0.8, 25}, {1045, 0.6, 20}});
        s.app.Document().SetTable(guess);
        s.view()->FillPeakList();
        for (const auto& [id, limit] : {std::pair{IDC_X_MIN, "900"},
                                        {IDC_X_MAX, "1150"},
                                        {IDC_Y_MIN, "0"},
                                        {IDC_Y_MAX, "1"}}) {
            s.Edit(id)->setText(limit);
        }
        s.frame()->SendCommand(IDC_PLOT);
        s.frame()->SendCommand(ID_PLOT_WINDOW);
        QString step;
        s.fakes.dialogs.script = [&](QDialog& d) {
            auto& dialog = dynamic_cast<FitDialog&>(d);
            dialog.baselineBox->setCurrentIndex(1);
            return FitAndWait(dialog) && step == "apply" ? int(IDOK) : int(IDCANCEL);
        };
        for (const QString& next : steps.split(',')) {
            step = next;
            s.fakes.messages.answers = {MessageAnswer::No};
            if (step == "load") {
                QVERIFY(s.app.Measured()->Load(TRAZEL_TEST_DATA
                                               "/../../examples/dos-bandas-medido.txt"));
            } else if (step == "factor") {
                s.app.Measured()->SetTransform({.yFactor = 0.01});
            } else if (step == "negate") {
                s.app.Measured()->SetTransform({.negate = true, .yFactor = -1});
            } else if (step == "fit" || step == "apply") {
                s.frame()->SendCommand(ID_FIT_MEASURED);
            } else if (step == "undo" || step == "redo") {
                s.frame()->SendCommand(step == "undo" ? ID_EDIT_UNDO : ID_EDIT_REDO);
            } else if (step == "new") {
                s.frame()->SendCommand(ID_FILE_NEW);
            } else if (step == "open") {
                QVERIFY(s.app.Documents().OpenDocumentFile(
                    std::string(TRAZEL_TEST_DATA "/../../examples/calcita-raman.trz")));
            } else if (step == "reopen") {
                const QString path = settingsDir_.filePath("con-analisis.trz");
                s.fakes.NewFileDialogs().answers.push_back(path);
                QVERIFY(s.app.Documents().OnFileSaveAs());
                QVERIFY(s.app.Documents().OnFileNew());
                QVERIFY(s.app.Documents().OpenDocumentFile(path));
                QVERIFY(!s.app.Document().IsModified());
            }
        }
        const trazel::analysis::Analysis& held = s.app.Document().GetAnalysis();
        QCOMPARE(held.measured.has_value(), measured);
        QCOMPARE(trazel::analysis::SoleFit(held) != nullptr, fitted);
        QCOMPARE(!SameBands(s.app.Document().Table(), guess) && measured, fitted);
        if (measured) {
            QCOMPARE(held.measured->transform.yFactor, factor);
            QCOMPARE(held.measured->transform.negate, factor < 0);
        }

        QCustomPlot& plot = *s.app.PlotWindow()->Plot();
        QStringList names;
        for (int i = 0; i < plot.graphCount(); ++i) {
            names << plot.graph(i)->name();
        }
        QCOMPARE(names.contains("dos-bandas-medido.txt"), measured);
        for (const char* fit : {"Ajuste", "Bandas ajustadas", "Línea base del ajuste"}) {
            QCOMPARE(names.contains(fit), fitted);
        }
        QCOMPARE(s.app.PlotWindow()->ResidualRect() != nullptr, fitted);
        if (!measured) {
            return;
        }
        // The spectrum is drawn as the fit takes it: its points times the factor.
        bool found = false;
        const double drawnTop =
            plot.graph(names.indexOf("dos-bandas-medido.txt"))->getValueRange(found).upper;
        double top = -std::numeric_limits<double>::infinity();
        for (const double y : held.measured->Y()) {
            top = std::max(top, held.measured->transform.Y(y));
        }
        QCOMPARE(drawnTop, top);
        if (fitted) {
            // What is drawn is what was fitted: the residual is the noise,
            // a few hundredths of the spectrum's height.
            const QCPRange residual =
                s.app.PlotWindow()->ResidualRect()->graphs().value(0)->getValueRange(found);
            QVERIFY2(std::max(-residual.lower, residual.upper) < 0.05 * drawnTop,
                     qPrintable(QString::number(residual.upper / drawnTop)));
        }
    }

  private:
    QTemporaryDir settingsDir_;
};

QTEST_MAIN(TrazelAppTest)
#include "trazel_app_test.moc"
