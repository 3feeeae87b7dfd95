#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>
#include <functional>

#include "tests/support/fake_services.h"
#include "ui/dialogs/template_dialog.h"

// Services whose modal loop shows each dialog, lets the test work its
// widgets, and answers with what the dialog's own buttons decided. A dialog
// still open after the test's turn counts as cancelled. Messages go to the
// given recorder, or to one of the driver's own.
class DialogDriver {
  public:
    using Action = std::function<void(trazel::ui::TemplateDialog&)>;

    explicit DialogDriver(Action action) : DialogDriver(fakes_.messages, std::move(action)) {}
    DialogDriver(RecordingMessageBox& messages, Action action)
        : services_(fakes_.Get().WithMessages(messages)) {
        fakes_.dialogs.script = [action](QDialog& dialog) {
            auto& templateDialog = dynamic_cast<trazel::ui::TemplateDialog&>(dialog);
            dialog.show();
            if (!QTest::qWaitForWindowExposed(&dialog)) {
                return trazel::platform::IDCANCEL;
            }
            action(templateDialog);
            const bool accepted = !dialog.isVisible() && dialog.result() == QDialog::Accepted;
            dialog.hide();
            return accepted ? trazel::platform::IDOK : trazel::platform::IDCANCEL;
        };
    }

    int Runs() const { return fakes_.dialogs.runs; }
    // The file dialogs' stand-in, for the answers a test queues.
    ScriptedFileDialogs& Files() { return fakes_.files; }
    // What the dialogs under test are given.
    operator const trazel::platform::Services&() const { return services_; }

  private:
    FakeServices fakes_;
    trazel::platform::Services services_;
};

inline void Type(trazel::ui::TemplateDialog& dialog, int editId, const QString& text) {
    QLineEdit* edit = dialog.Edit(editId);
    edit->setFocus();
    edit->selectAll();
    // As a user would: a read-only field keeps its text.
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

inline void Click(trazel::ui::TemplateDialog& dialog, int id) {
    QTest::mouseClick(dialog.Button(id), Qt::LeftButton);
}
