#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>
#include <functional>

#include "platform/qt/modal_dialogs.h"
#include "ui/dialogs/template_dialog.h"

// Stands in for the modal loop while it lives: shows each dialog, lets the
// test work its widgets, and answers with what the dialog's own buttons
// decided. A dialog still open after the test's turn counts as cancelled.
class DialogDriver {
  public:
    using Action = std::function<void(TemplateDialog&)>;

    explicit DialogDriver(Action action)
        : runner_([action](QDialog& dialog) {
              auto& templateDialog = dynamic_cast<TemplateDialog&>(dialog);
              dialog.show();
              if (!QTest::qWaitForWindowExposed(&dialog)) {
                  return IDCANCEL;
              }
              action(templateDialog);
              const bool accepted = !dialog.isVisible() && dialog.result() == QDialog::Accepted;
              dialog.hide();
              return accepted ? IDOK : IDCANCEL;
          }) {}

    int Runs() const { return runner_.runs; }

  private:
    ScriptedDialogRunner runner_;
};

inline void Type(TemplateDialog& dialog, int editId, const QString& text) {
    QLineEdit* edit = dialog.Edit(editId);
    edit->setFocus();
    edit->selectAll();
    // As a user would: a read-only field keeps its text.
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

inline void Click(TemplateDialog& dialog, int id) {
    QTest::mouseClick(dialog.Button(id), Qt::LeftButton);
}
