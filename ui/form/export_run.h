#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <stop_token>
#include <vector>

#include "output/data_export.h"
#include "platform/qt/services.h"

class QAction;
class QProgressBar;
class QWidget;

namespace trazel::ui {

// The form's progress bar as the export's line loop drives it, and what keeps
// the window alive while the loop runs on the window's own thread: from the
// progress steps, a few dozen times a second, the window handles its pending
// events, so it repaints and the bar moves, and Esc asks the loop to stop.
// Meanwhile every control of the form and every command of the window is
// locked, so that nothing changes the table or the settings the lines are
// made from; closing the window asks whether to stop first.
//
// An export that ends before the first round of events (the usual few
// hundred lines) locks nothing and lets no event in, exactly as a handler
// that does not return to the event loop.
class ExportRun : public QObject, public output::ProgressControl {
    Q_OBJECT

  public:
    // Asks whether to stop through services.
    ExportRun(QWidget* form, QProgressBar* bar, const platform::Services& services);
    // Unlocks what was locked and gives the focus back.
    ~ExportRun() override;
    ExportRun(const ExportRun&) = delete;
    ExportRun& operator=(const ExportRun&) = delete;

    std::stop_token StopToken() const { return stop_.get_token(); }
    // The user tried to close the window and chose to stop the export: the
    // window is to be closed again once the export has ended.
    bool CloseRequested() const { return closeRequested_; }

    void SetRange32(int lower, int upper) override;
    void SetPos(int position) override;
    void SetStep(int step) override;
    void StepIt() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void HandleEvents();
    void Lock();
    void Unlock();
    void ShowStatus(const QString& text);
    void AskToStopForClose();

    QWidget* form_;
    platform::Services services_;
    QWidget* window_;
    QProgressBar* bar_;
    int step_ = 1;
    std::stop_source stop_;
    QElapsedTimer sinceEvents_;
    int stepsUntilClock_;
    bool locked_ = false;
    bool showingStatus_ = false;
    bool asking_ = false;
    bool closeRequested_ = false;
    std::vector<QPointer<QWidget>> lockedWidgets_;
    std::vector<QPointer<QAction>> lockedActions_;
    QPointer<QWidget> focus_;
};

}  // namespace trazel::ui
