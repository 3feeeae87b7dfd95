#pragma once

#include <QString>

#include "platform/qt/message_box.h"
#include "platform/qt/modal_dialogs.h"

class QDialog;
class QWidget;

namespace trazel::platform {

// What the windows ask the user through: message boxes, file dialogs and the
// modal loop of a dialog. The view, the dialogs and the document manager are
// given one when they are made and ask through it alone, so that whoever
// makes them decides where the questions go: to Qt, to the standard error of
// a run without a window, or to a test's stand-ins that answer at once.
class Services {
  public:
    Services(MessageBoxService& messages, FileDialogService& files, DialogRunner& dialogs)
        : messages_(&messages), files_(&files), dialogs_(&dialogs) {}

    MessageBoxService& Messages() const { return *messages_; }
    FileDialogService& Files() const { return *files_; }
    DialogRunner& Dialogs() const { return *dialogs_; }

    // The same services with the messages going to messages instead.
    Services WithMessages(MessageBoxService& messages) const {
        return Services(messages, *files_, *dialogs_);
    }

    // Shows text over the active window; every message's caption is "Trazel".
    MessageAnswer AfxMessageBox(const QString& text, MessageKind kind = MessageKind::Warning,
                                MessageButtons buttons = MessageButtons::Ok) const;
    // The same over the given window, for the moments just after a dialog has
    // closed, when no window is active yet.
    MessageAnswer AfxMessageBox(QWidget* parent, const QString& text, MessageKind kind,
                                MessageButtons buttons = MessageButtons::Ok) const;

    // CDialog::DoModal: IDOK when the dialog was accepted, IDCANCEL otherwise.
    int DoModal(QDialog& dialog) const { return dialogs_->Run(dialog); }

  private:
    MessageBoxService* messages_;
    FileDialogService* files_;
    DialogRunner* dialogs_;
};

// Qt's own message boxes, file dialogs and QDialog::exec(): what the program
// asks the user through when it has a window.
class StandardServices {
  public:
    StandardServices() = default;
    StandardServices(const StandardServices&) = delete;
    StandardServices& operator=(const StandardServices&) = delete;

    const Services& Get() const { return services_; }

  private:
    QtMessageBox messages_;
    QtFileDialogs files_;
    ExecDialogRunner dialogs_;
    Services services_{messages_, files_, dialogs_};
};

}  // namespace trazel::platform
