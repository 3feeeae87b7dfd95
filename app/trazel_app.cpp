#include "app/trazel_app.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QStatusBar>
#include <QUndoStack>
#include <algorithm>
#include <iostream>
#include <utility>

#include "app/main_frame.h"
#include "app/resource.h"
#include "app/strings.h"
#include "figure/picture_file.h"
#include "model/document_file.h"
#include "platform/qt/message_box.h"
#include "platform/version.h"
#include "ui/dialogs/information_dialogs.h"
#include "ui/fit/compare_dialog.h"
#include "ui/fit/fit_dialog.h"
#include "ui/fit/peak_search_dialog.h"
#include "ui/form/trazel_view.h"
#include "ui/plot/measured_commands.h"
#include "ui/plot/plot_window.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;
using namespace trazel::ui;
using namespace trazel::analysis;

namespace trazel::app {

Status TrazelDocumentStorage::Load(const std::string& path) {
    DocumentContents contents;
    if (Status loaded = LoadDocumentFile(path, contents); !loaded.ok()) {
        return loaded;
    }
    // An opened document brings its table and the analysis stored with it;
    // one that cannot be read costs only itself, and the user is told.
    StoredAnalysis stored = AnalysisFromSection(contents.section, contents.table);
    notice_ = stored.notice;
    document_.OpenStored(contents.table, std::move(stored));
    return {};
}

Status TrazelDocumentStorage::Save(const std::string& path) {
    if (Status saved = SaveDocumentFile(path, document_.Table(), document_.SectionToSave());
        !saved.ok()) {
        return saved;
    }
    // The user agreed to lose it (SaveQuestion); the file no longer holds it.
    if (document_.SavingLosesUnreadAnalysis()) {
        document_.DropUnreadAnalysis();
    }
    return {};
}

QString TrazelDocumentStorage::SaveQuestion() const {
    if (!document_.SavingLosesUnreadAnalysis()) {
        return {};
    }
    return QCoreApplication::translate(
        "DocumentManager",
        "El análisis guardado en el documento no se pudo leer al abrirlo, y al guardar se "
        "perderá: el documento se escribirá sin él. ¿Desea guardarlo así?");
}

std::string TrazelDocumentStorage::TakeNotice() {
    return std::exchange(notice_, std::string());
}

CTrazelApp::CTrazelApp()
    : services_(standard_.Get()), console_(std::cerr, QStringLiteral("trazel: ")) {}

CTrazelApp::CTrazelApp(const Services& services)
    : services_(services), console_(std::cerr, QStringLiteral("trazel: ")) {}

CTrazelApp::~CTrazelApp() = default;

StartOptions ParseStartOptions(const std::vector<std::string>& arguments) {
    StartOptions options;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--print") {
            options.print = true;
        } else if (argument == "--print-to") {
            options.print = true;
            if (i + 1 >= arguments.size()) {
                options.error = QCoreApplication::translate(
                    "StartOptions", "Falta el nombre de la impresora tras --print-to.");
                return options;
            }
            options.printer = QString::fromLocal8Bit(arguments[++i]);
        } else if (!argument.empty() && argument[0] != '-' && options.document.empty()) {
            // The first argument that is not an option names the document;
            // other options are left to whoever gave them.
            options.document = argument;
        }
    }
    if (options.print && !options.help && options.error.isEmpty() && options.document.empty()) {
        options.error =
            QCoreApplication::translate("StartOptions", "Falta el documento que imprimir.");
    }
    return options;
}

QString StartHelpText() {
    return QCoreApplication::translate(
        "StartOptions",
        "Uso: trazel [DOCUMENTO]\n"
        "     trazel --print DOCUMENTO\n"
        "     trazel --print-to IMPRESORA DOCUMENTO\n"
        "\n"
        "Abre la ventana de Trazel con un documento nuevo, o con DOCUMENTO.\n"
        "\n"
        "  --print DOCUMENTO       imprime el informe de DOCUMENTO en la impresora\n"
        "                          predeterminada, con la configuración de siempre,\n"
        "                          y termina sin abrir la ventana\n"
        "  --print-to IMPRESORA    lo mismo, en la impresora de ese nombre\n"
        "  --lang es|en            la ventana en español o en inglés, sea cual sea el\n"
        "                          idioma del entorno (LANGUAGE, LC_ALL, LC_MESSAGES, LANG)\n"
        "  --help                  muestra esta ayuda y termina\n"
        "  --version               escribe la versión y termina\n"
        "\n"
        "Sin impresora, o con una que no existe, el mensaje sale por la salida de\n"
        "errores y el estado de salida es 1.\n");
}

QSize InitialFrameSize(QSize available, QSize formFrame) {
    const QSize usual = available * 3 / 4;
    if (formFrame.width() > available.width() || formFrame.height() > available.height()) {
        return usual;
    }
    return usual.expandedTo(formFrame);
}

bool CTrazelApp::InitInstance(const QStringList& arguments) {
    std::vector<std::string> bytes;
    for (const QString& argument : arguments) {
        bytes.push_back(QFile::encodeName(argument).toStdString());
    }
    return InitInstance(bytes);
}

bool CTrazelApp::InitInstance(const std::vector<std::string>& arguments) {
    const StartOptions options = ParseStartOptions(arguments);
    if (options.help) {
        std::cout << StartHelpText().toStdString() << std::flush;
        exitCode_ = 0;
        return false;
    }
    if (!options.error.isEmpty()) {
        std::cerr
            << "trazel: " << options.error.toStdString() << "\n"
            << QCoreApplication::translate("StartOptions", "Pruebe «trazel --help».").toStdString()
            << "\n";
        exitCode_ = 1;
        return false;
    }

    const QString title = LoadString(AFX_IDS_APP_TITLE);
    QCoreApplication::setOrganizationName(QString::fromUtf8(kRegistryKey));
    QCoreApplication::setApplicationName(title);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kTrazelVersion));
    recent_ = std::make_unique<RecentFileList>(QString::fromUtf8(kRegistryKey), title,
                                               CMainFrame::kRecentFileSlots);
    if (options.print) {
        // Nothing is shown: every message goes to the standard error.
        services_ = services_.WithMessages(console_);
    }
    manager_ = std::make_unique<DocumentManager>(document_, storage_, *recent_, title, services_);
    if (options.print) {
        exitCode_ = PrintFromCommandLine(options);
        return false;
    }
    exitCode_ = 1;
    if (!CreateFrame()) {
        return false;
    }
    const bool ready = options.document.empty() ? manager_->OnFileNew()
                                                : manager_->OpenDocumentFile(options.document);
    if (!ready) {
        return false;
    }
    frame_->show();
    exitCode_ = 0;
    return true;
}

int CTrazelApp::PrintFromCommandLine(const StartOptions& options) {
    QString printer = options.printer;
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        services_.AfxMessageBox(QCoreApplication::translate(
            "StartOptions", "No se puede imprimir: no hay ninguna impresora instalada."));
        return 1;
    }
    if (printer.isEmpty()) {
        printer = QPrinterInfo::defaultPrinterName();
        if (printer.isEmpty()) {
            services_.AfxMessageBox(QCoreApplication::translate(
                "StartOptions", "No se puede imprimir: no hay ninguna impresora predeterminada."));
            return 1;
        }
    } else if (!QPrinterInfo::availablePrinterNames().contains(printer)) {
        services_.AfxMessageBox(
            QCoreApplication::translate("StartOptions",
                                        "No se puede imprimir: no hay ninguna impresora «%1».")
                .arg(printer));
        return 1;
    }
    if (!CreateFrame() || !manager_->OpenDocumentFile(options.document)) {
        return 1;
    }
    printDriver_.Printer().setPrinterName(printer);
    if (const Status error = printDriver_.PrintDirect(view_->MakePrintJob()); !error.ok()) {
        services_.AfxMessageBox(QString::fromStdString(error.message()));
        return 1;
    }
    return 0;
}

bool CTrazelApp::CreateFrame() {
    frame_ = std::make_unique<CMainFrame>(services_);
    if (frame_->OnCreate() != 0) {
        frame_.reset();
        return false;
    }
    view_ = new CTrazelView(context_, services_);
    view_->SetPrintDriver(&printDriver_);
    view_->SetFitFigurePrinter(
        [](platform::CDC& dc, const output::PageBox& box, const analysis::DocumentState& state) {
            figure::PrintFigure(dc, box, state, figure::FitPageView(state.analysis));
        });
    frame_->SetView(view_);
    // The frame starts at the size the window system would give a new
    // window; the form's first update then shrinks it around the form.
    // When the screen has room for the whole form, it is not made to scroll.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        frame_->resize(
            InitialFrameSize(screen->availableGeometry().size(), view_->FrameSizeToFit()));
    }
    manager_->SetFrame(frame_.get());
    connect(manager_.get(), &DocumentManager::DocumentReplaced, view_,
            &CTrazelView::OnInitialUpdate);
    connect(manager_.get(), &DocumentManager::CaptionChanged, frame_.get(),
            &QWidget::setWindowTitle);
    connect(manager_.get(), &DocumentManager::RecentFilesChanged, this,
            &CTrazelApp::ShowRecentFiles);
    connect(manager_.get(), &DocumentManager::DocumentSaved, this,
            [this] { context_.History().SetClean(); });
    connect(view_, &CTrazelView::StatusMessage, frame_.get(),
            [frame = frame_.get()](const QString& text) {
                frame->statusBar()->showMessage(text, kStatusMessageMs);
            });
    frame_->canClose = [this] { return manager_->SaveModified(); };
    measured_ = std::make_unique<ui::MeasuredCommands>(context_, services_, frame_.get());
    plotWindow_ = new ui::PlotWindow(context_, *measured_, services_, frame_.get());
    // A spectrum is loaded from either window: both tell what its reader
    // passed over.
    for (QMainWindow* window :
         {static_cast<QMainWindow*>(frame_.get()), static_cast<QMainWindow*>(plotWindow_)}) {
        connect(measured_.get(), &ui::MeasuredCommands::note, window,
                [window](const QString& text) {
                    window->statusBar()->showMessage(text, kStatusMessageMs);
                });
    }
    // After the view, which starts the new history that an offered spectrum
    // goes into.
    connect(manager_.get(), &DocumentManager::DocumentReplaced, measured_.get(),
            [this] { measured_->DocumentChanged(document_.GetPathName()); });
    connect(manager_.get(), &DocumentManager::DocumentReplaced, this, [this] {
        if (const std::string notice = storage_.TakeNotice(); !notice.empty()) {
            services_.AfxMessageBox(frame_.get(), QString::fromStdString(notice),
                                    MessageKind::Warning);
        }
    });
    RouteCommands();
    return true;
}

void CTrazelApp::RouteCommands() {
    CMainFrame& frame = *frame_;
    CTrazelView* view = view_;
    DocumentManager* documents = manager_.get();

    frame.Route(ID_FILE_NEW, [this] { OnFileNew(); });
    frame.Route(ID_FILE_OPEN, [this] { OnFileOpen(); });
    frame.Route(ID_FILE_SAVE, [documents] { documents->OnFileSave(); });
    frame.Route(ID_FILE_SAVE_AS, [documents] { documents->OnFileSaveAs(); });
    frame.Route(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    frame.Route(ID_APP_ABOUT, [this] { ShowAboutBox(); });
    frame.Route(ID_APP_EXIT, [&frame] { frame.close(); });
    frame.Route(ID_QUICK_REFERENCE, [&frame] { frame.OnQuickReference(); });
    frame.Route(ID_PLOT_WINDOW, [this] { plotWindow_->ShowAndRaise(); });
    frame.Route(ID_FIT_MEASURED, [this] { OnFitMeasured(); });
    connect(plotWindow_, &ui::PlotWindow::fitRequested, this, &CTrazelApp::OnFitMeasured);
    frame.Route(ID_FIND_BANDS, [this] { OnFindBands(); });
    frame.Route(ID_COMPARE_MEASURED, [this] { OnCompareMeasured(); });
    connect(plotWindow_, &ui::PlotWindow::compareRequested, this, &CTrazelApp::OnCompareMeasured);
    connect(plotWindow_, &ui::PlotWindow::findBandsRequested, this, &CTrazelApp::OnFindBands);
    frame.Route(ID_OVERLAY_MEASURED, [this] {
        measured_->ChooseAndLoad();
        plotWindow_->ShowAndRaise();
    });
    for (int i = 0; i < CMainFrame::kRecentFileSlots; ++i) {
        frame.Route(ID_FILE_MRU_FILE1 + i, [documents, i] { documents->OnOpenRecentFile(i); });
    }

    const std::pair<int, void (CTrazelView::*)()> viewCommands[] = {
        {IDC_ADD_PEAK, &CTrazelView::OnAddPeak},
        {IDC_EDIT_SELECTION, &CTrazelView::OnEditSelection},
        {IDC_EXPORT, &CTrazelView::OnExport},
        {IDC_PLOT, &CTrazelView::OnPlot},
        {ID_OUTPUT_FORMAT, &CTrazelView::OnOutputFormat},
        {ID_OUTPUT_FILE, &CTrazelView::OnOutputFile},
        {ID_FILE_PRINT, &CTrazelView::OnFilePrint},
        {ID_FILE_PRINT_DIRECT, &CTrazelView::OnFilePrintDirect},
        {ID_FILE_PRINT_PREVIEW, &CTrazelView::OnFilePrintPreview},
        {ID_IMPORT_BANDS, &CTrazelView::OnImportBands},
        {ID_EDIT_UNDO, &CTrazelView::OnUndo},
        {ID_EDIT_REDO, &CTrazelView::OnRedo},
    };
    for (const auto& [id, handler] : viewCommands) {
        frame.Route(id, [view, handler = handler] { (view->*handler)(); });
    }
    frame.DisableUnrouted();
    // A fit needs measured points to fit to, and a search points to search.
    QAction* fit = frame.Action(ID_FIT_MEASURED);
    QAction* find = frame.Action(ID_FIND_BANDS);
    QAction* compare = frame.Action(ID_COMPARE_MEASURED);
    const auto followMeasured = [this, fit, find, compare] {
        fit->setEnabled(document_.GetAnalysis().measured.has_value());
        find->setEnabled(document_.GetAnalysis().measured.has_value());
        compare->setEnabled(document_.GetAnalysis().measured.has_value());
    };
    connect(&context_, &ui::DocumentContext::changed, this, followMeasured);
    followMeasured();
    FollowHistory();
    // With no recent file the first slot is a disabled title.
    ShowRecentFiles();
}

void CTrazelApp::FollowHistory() {
    QUndoStack& stack = context_.History().Stack();
    const std::pair<int, const char*> items[] = {
        {ID_EDIT_UNDO, QT_TRANSLATE_NOOP("MainWindow", "Deshacer: %1")},
        {ID_EDIT_REDO, QT_TRANSLATE_NOOP("MainWindow", "Rehacer: %1")}};
    for (const auto& [id, prompt] : items) {
        QAction* action = frame_->Action(id);
        const bool undo = id == ID_EDIT_UNDO;
        // The prompt names the step the item would take back or do again.
        const auto follow = [action, id = id, prompt = prompt](bool enabled, const QString& step) {
            action->setEnabled(enabled);
            action->setStatusTip(step.isEmpty()
                                     ? CommandPrompt(id)
                                     : QCoreApplication::translate("MainWindow", prompt).arg(step));
        };
        const auto update = [&stack, follow, undo] {
            follow(undo ? stack.canUndo() : stack.canRedo(),
                   undo ? stack.undoText() : stack.redoText());
        };
        connect(&stack, &QUndoStack::indexChanged, action, update);
        connect(&stack, &QUndoStack::canUndoChanged, action, update);
        connect(&stack, &QUndoStack::canRedoChanged, action, update);
        connect(&stack, &QUndoStack::undoTextChanged, action, update);
        connect(&stack, &QUndoStack::redoTextChanged, action, update);
        update();
    }
}

void CTrazelApp::ShowRecentFiles() {
    QStringList texts;
    for (int i = 0; i < recent_->Count(); ++i) {
        texts << recent_->MenuText(i);
    }
    frame_->SetRecentFiles(texts);
}

void CTrazelApp::OnFileNew() {
    manager_->OnFileNew();
}

void CTrazelApp::OnFileOpen() {
    manager_->OnFileOpen();
}

void CTrazelApp::OnFilePrintSetup() {
    printDriver_.PageSetup(frame_.get());
}

output::CurveSettings CTrazelApp::ViewedCurve() const {
    // The range the user is looking at: the plot window's, or the form's.
    return plotWindow_->isVisible() ? plotWindow_->CurrentView().curve : context_.fields.curve;
}

void CTrazelApp::OnFitMeasured() {
    // The form gives the line shape and the scaled positions, read as
    // "Representar" reads them.
    if (!document_.GetAnalysis().measured || !view_->UpdateData(true)) {
        return;
    }
    const output::CurveSettings curve = ViewedCurve();
    plotWindow_->ShowAndRaise();
    ui::RunFitDialog(context_, curve.xMin, curve.xMax, view_->SelectedRows(), services_,
                     frame_.get(),
                     [this](ui::ShownFits fits) { plotWindow_->ShowFits(std::move(fits)); });
    frame_->activateWindow();
}

void CTrazelApp::OnFindBands() {
    if (!document_.GetAnalysis().measured || !view_->UpdateData(true)) {
        return;
    }
    // The bands of the range the user is looking at, as a fit takes it.
    const output::CurveSettings curve = ViewedCurve();
    plotWindow_->ShowAndRaise();
    ui::RunPeakSearch(context_, curve.xMin, curve.xMax, services_, frame_.get(),
                      [this](const std::vector<analysis::FoundBand>& bands) {
                          plotWindow_->ShowFoundBands(bands);
                      });
    frame_->activateWindow();
}

void CTrazelApp::OnCompareMeasured() {
    if (!document_.GetAnalysis().measured || !view_->UpdateData(true)) {
        return;
    }
    const output::CurveSettings curve = ViewedCurve();
    plotWindow_->ShowAndRaise();
    ui::RunCompareDialog(context_, curve.xMin, curve.xMax, curve.lineShape, services_, frame_.get(),
                         [this](std::shared_ptr<const analysis::ComparisonRecord> record) {
                             plotWindow_->ShowComparison(std::move(record));
                         });
    frame_->activateWindow();
}

void CTrazelApp::ShowAboutBox() {
    ui::ShowAboutBox(frame_.get(), services_);
}

}  // namespace trazel::app
