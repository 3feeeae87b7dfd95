#include "ui/dialogs/template_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/dialog_units.h"

using namespace trazel::platform;

namespace trazel::ui {

TemplateDialog::TemplateDialog(const DialogTemplate& dialogTemplate, const Services& services,
                               QWidget* owner, const ControlHooks& hooks)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      services_(services) {
    setWindowTitle(DialogCaption(dialogTemplate));
    setFont(FormFont());
    setFixedSize(DialogRect(0, 0, dialogTemplate.width, dialogTemplate.height).size());
    setModal(true);
    CreateControls(dialogTemplate, hooks);
}

void TemplateDialog::CreateControls(const DialogTemplate& dialogTemplate,
                                    const ControlHooks& hooks) {
    controls_ = BuildControls(dialogTemplate, this, hooks).byId;
    if (QAbstractButton* ok = Button(IDOK)) {
        connect(ok, &QAbstractButton::clicked, this, &TemplateDialog::accept);
    }
    if (QAbstractButton* cancel = Button(IDCANCEL)) {
        connect(cancel, &QAbstractButton::clicked, this, &TemplateDialog::reject);
    }
}

QWidget* TemplateDialog::GetDlgItem(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

QLineEdit* TemplateDialog::Edit(int id) const {
    return qobject_cast<QLineEdit*>(GetDlgItem(id));
}

QAbstractButton* TemplateDialog::Button(int id) const {
    return qobject_cast<QAbstractButton*>(GetDlgItem(id));
}

QRadioButton* TemplateDialog::Radio(int id) const {
    return qobject_cast<QRadioButton*>(GetDlgItem(id));
}

void TemplateDialog::OnInitDialog() {
    UpdateData(false);
    // Creation order is template order, and so is the focus chain.
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            break;
        }
    }
}

void TemplateDialog::RefuseField(QLineEdit* edit, const QString& message) {
    services_.AfxMessageBox(message);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void TemplateDialog::accept() {
    if (!UpdateData(true) || !ValidateFields()) {
        return;
    }
    QDialog::accept();
}

int RunModal(TemplateDialog& dialog) {
    dialog.OnInitDialog();
    return dialog.GetServices().DoModal(dialog);
}

}  // namespace trazel::ui
