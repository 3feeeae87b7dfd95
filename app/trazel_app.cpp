#include "app/trazel_app.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include "app/main_frame.h"
#include "app/resource.h"
#include "app/strings.h"
#include "model/document_file.h"
#include "ui/dialogs/information_dialogs.h"
#include "ui/trazel_view.h"

std::optional<std::string> TrazelDocumentStorage::Load(const std::string& path) {
    PeakTable table = document_.Table();
    if (auto error = LoadPeakTableFile(path, table)) {
        return error;
    }
    document_.SetTable(table);
    return std::nullopt;
}

std::optional<std::string> TrazelDocumentStorage::Save(const std::string& path) {
    return SavePeakTableFile(path, document_.Table());
}

CTrazelApp::CTrazelApp() = default;

CTrazelApp::~CTrazelApp() = default;

bool CTrazelApp::InitInstance(const QStringList& arguments) {
    std::vector<std::string> bytes;
    for (const QString& argument : arguments) {
        bytes.push_back(QFile::encodeName(argument).toStdString());
    }
    return InitInstance(bytes);
}

bool CTrazelApp::InitInstance(const std::vector<std::string>& arguments) {
    const QString title = LoadString(AFX_IDS_APP_TITLE);
    QCoreApplication::setOrganizationName(QString::fromUtf8(kRegistryKey));
    QCoreApplication::setApplicationName(title);
    QCoreApplication::setApplicationVersion(QStringLiteral("1.4.0.1"));
    recent_ =
        std::make_unique<RecentFileList>(QString::fromUtf8(kRegistryKey), title, kRecentFileCount);
    manager_ = std::make_unique<DocumentManager>(document_, storage_, *recent_, title);
    if (!CreateFrame()) {
        return false;
    }

    // The first argument that is not an option names the document.
    std::string path;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].empty() && arguments[i][0] != '-') {
            path = arguments[i];
            break;
        }
    }
    const bool ready = path.empty() ? manager_->OnFileNew() : manager_->OpenDocumentFile(path);
    if (!ready) {
        return false;
    }
    frame_->show();
    return true;
}

bool CTrazelApp::CreateFrame() {
    frame_ = std::make_unique<CMainFrame>();
    if (frame_->OnCreate() != 0) {
        frame_.reset();
        return false;
    }
    view_ = new CTrazelView(document_);
    view_->SetPrintDriver(&printDriver_);
    frame_->SetView(view_);
    // The frame starts at the size the window system would give a new
    // window; the form's first update then shrinks it around the form.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        frame_->resize(screen->availableGeometry().size() * 3 / 4);
    }
    manager_->SetFrame(frame_.get());
    connect(manager_.get(), &DocumentManager::DocumentReplaced, view_,
            &CTrazelView::OnInitialUpdate);
    connect(manager_.get(), &DocumentManager::CaptionChanged, frame_.get(),
            &QWidget::setWindowTitle);
    connect(manager_.get(), &DocumentManager::RecentFilesChanged, this,
            &CTrazelApp::ShowRecentFiles);
    frame_->canClose = [this] { return manager_->SaveModified(); };
    RouteCommands();
    ShowRecentFiles();
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
    for (int i = 0; i < kRecentFileCount; ++i) {
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
    };
    for (const auto& [id, handler] : viewCommands) {
        frame.Route(id, [view, handler = handler] { (view->*handler)(); });
    }
    frame.DisableUnrouted();
    // With no recent file the first slot is a disabled title.
    ShowRecentFiles();
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

void CTrazelApp::ShowAboutBox() {
    ::ShowAboutBox(frame_.get());
}
