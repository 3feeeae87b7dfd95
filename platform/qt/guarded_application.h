#pragma once

#include <QApplication>
#include <QString>
#include <exception>

#include "platform/qt/message_box.h"

namespace trazel::platform {

// The application object of the window. An exception that a handler lets
// through would otherwise unwind into Qt's event loop, which cannot take it,
// and end the program with the user's unsaved work. Here every event is
// delivered inside a guard: a failure is reported in a message box and the
// program goes on with the next event.
class GuardedApplication : public QApplication {
    Q_OBJECT

  public:
    GuardedApplication(int& argc, char** argv);

    // Failures are reported through messages from now on, or through Qt's
    // message box again with nullptr.
    void ReportThrough(MessageBoxService* messages) {
        reports_ = messages != nullptr ? messages : &standardReports_;
    }

    bool notify(QObject* receiver, QEvent* event) override;

    // The message shown for a failure; nullptr stands for one that is not a
    // std::exception.
    static QString FailureMessage(const std::exception* failure);

  private:
    void Report(const QString& message);

    // A message box runs its own event loop; an event that fails while it is
    // up must not open another box on top of it.
    bool reporting_ = false;
    QtMessageBox standardReports_;
    MessageBoxService* reports_ = &standardReports_;
};

}  // namespace trazel::platform
