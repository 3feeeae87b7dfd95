#pragma once

#include <QObject>
#include <QSize>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "document/trazel_doc.h"
#include "output/curve_settings.h"
#include "platform/qt/document_manager.h"
#include "platform/qt/message_box.h"
#include "platform/qt/print_driver.h"
#include "platform/qt/recent_file_list.h"
#include "platform/qt/services.h"
#include "ui/form/document_context.h"

namespace trazel::ui {
class CTrazelView;
class MeasuredCommands;
class PlotWindow;
}  // namespace trazel::ui

namespace trazel::app {

class CMainFrame;

// Reads and writes the document's peak table; a failed read keeps the table.
class TrazelDocumentStorage : public platform::DocumentStorage {
  public:
    explicit TrazelDocumentStorage(document::CTrazelDoc& document) : document_(document) {}
    platform::Status Load(const std::string& path) override;
    platform::Status Save(const std::string& path) override;
    QString SaveQuestion() const override;
    // What the last load has to tell the user (a stored analysis it could
    // not read), once; empty when nothing.
    std::string TakeNotice();

  private:
    document::CTrazelDoc& document_;
    std::string notice_;
};

// What the command line asks for.
struct StartOptions {
    std::string document;  // the path's bytes; empty: a new document
    bool help = false;
    bool print = false;
    QString printer;  // with print: empty for the default printer
    QString error;    // why the command line cannot be carried out
};
StartOptions ParseStartOptions(const std::vector<std::string>& arguments);

// The help that --help shows.
QString StartHelpText();

// The size the frame opens at on a screen with this much room: three
// quarters of it, or larger where the whole form needs more and fits.
QSize InitialFrameSize(QSize available, QSize formFrame);

// The application: one document, one frame and one view for the whole run,
// the recent-file list, and the commands that belong to no window.
class CTrazelApp : public QObject {
    Q_OBJECT

  public:
    // How long a report such as an export's stays in the status bar.
    static constexpr int kStatusMessageMs = 5000;

    static constexpr const char* kRegistryKey = "Local AppWizard-Generated Applications";

    // The windows ask the user through Qt's own message boxes and dialogs,
    // or through the given services.
    CTrazelApp();
    explicit CTrazelApp(const platform::Services& services);
    ~CTrazelApp() override;

    // Starts up: the settings, the recent files, the frame and view, and the
    // command line (no argument: a new document; a path: that document).
    // False when the document on the command line could not be opened (the
    // user has been told) or the frame could not be made, and when the
    // command line's work (help, printing) is done without the window:
    // ExitCode() then says how it ended. arguments are the bytes of the
    // command line, which a path that is not UTF-8 needs; the QStringList
    // form is for callers that have text.
    bool InitInstance(const std::vector<std::string>& arguments);
    bool InitInstance(const QStringList& arguments);
    int ExitCode() const { return exitCode_; }

    document::CTrazelDoc& Document() { return document_; }
    // The document with its history and settings, as every window has it.
    ui::DocumentContext& Context() { return context_; }
    CMainFrame* Frame() const { return frame_.get(); }
    ui::CTrazelView* View() const { return view_; }
    // The large plot, one for the frame, and the commands over the
    // document's measured spectrum.
    ui::PlotWindow* PlotWindow() const { return plotWindow_; }
    ui::MeasuredCommands* Measured() const { return measured_.get(); }
    platform::DocumentManager& Documents() { return *manager_; }
    platform::RecentFileList& RecentFiles() { return *recent_; }

    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void ShowAboutBox();
    // Fits the table's bands to the document's measured spectrum, in a
    // dialog over the frame, with the fit drawn in the plot window.
    void OnFitMeasured();
    // Finds the bands of the measured spectrum in the range shown, in a
    // dialog over the frame, with the bands marked in the plot window.
    void OnFindBands();
    void OnCompareMeasured();

  private:
    // The limits and line shape of what the user looks at: the plot
    // window's when it is open, else the form's.
    output::CurveSettings ViewedCurve() const;
    bool CreateFrame();
    void RouteCommands();
    void ShowRecentFiles();
    // Keeps "Deshacer" and "Rehacer" enabled, and their prompts, as the
    // table's history allows.
    void FollowHistory();
    // Prints the document without showing the window; the exit status.
    int PrintFromCommandLine(const StartOptions& options);

    platform::StandardServices standard_;
    // What the frame, the view and the document manager ask the user
    // through; printing from the command line sends its messages to the
    // standard error instead.
    platform::Services services_;
    platform::StreamMessageBox console_;
    // The table and its analysis; the one owner of both.
    document::CTrazelDoc document_;
    ui::DocumentContext context_{document_};
    TrazelDocumentStorage storage_{document_};
    std::unique_ptr<platform::RecentFileList> recent_;
    std::unique_ptr<platform::DocumentManager> manager_;
    std::unique_ptr<CMainFrame> frame_;
    // One printer for the whole run, so that a page setup holds for later prints.
    platform::PrintDriver printDriver_;
    ui::CTrazelView* view_ = nullptr;
    std::unique_ptr<ui::MeasuredCommands> measured_;
    // A child of the frame, which deletes it.
    ui::PlotWindow* plotWindow_ = nullptr;
    int exitCode_ = 1;
};

}  // namespace trazel::app
