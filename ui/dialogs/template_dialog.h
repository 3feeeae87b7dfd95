#pragma once

#include <QDialog>
#include <map>
#include <span>

#include "platform/qt/control_builder.h"
#include "platform/qt/data_exchange.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/services.h"

class QAbstractButton;
class QLineEdit;
class QRadioButton;

namespace trazel::ui {

// A modal dialog laid out from its template in the form font, with the
// framework's dialog behaviour: its fields are loaded into the controls when
// it opens, and "Aceptar" closes it only after every control has been read
// back into its field and the fields have passed the dialog's own checks.
class TemplateDialog : public QDialog {
    Q_OBJECT

  public:
    // The dialog asks the user, and is run, through services. hooks make the
    // kinds of control only this dialog has.
    TemplateDialog(const platform::DialogTemplate& dialogTemplate,
                   const platform::Services& services, QWidget* owner,
                   const platform::ControlHooks& hooks = {});

    const platform::Services& GetServices() const { return services_; }

    // The control of a template id, or nullptr.
    QWidget* GetDlgItem(int id) const;
    QLineEdit* Edit(int id) const;
    QAbstractButton* Button(int id) const;
    QRadioButton* Radio(int id) const;

    // Fields into controls (false) or controls into fields (true); reading
    // stops at the first text that is not a number, after telling the user.
    bool UpdateData(bool saveAndValidate = true) { return exchange_.UpdateData(saveAndValidate); }

    // Runs just before the dialog is shown: loads the fields into the
    // controls and gives the focus to the first control that takes it.
    virtual void OnInitDialog();

    // "Aceptar".
    void accept() override;

  protected:
    // Checks that go beyond "is it a number"; a dialog that refuses tells the
    // user, puts the focus on the field at fault and returns false.
    virtual bool ValidateFields() { return true; }

    // Tells the user why a field cannot be taken and leaves it ready to be
    // typed over.
    void RefuseField(QLineEdit* edit, const QString& message);

    platform::Services services_;
    platform::DataExchange exchange_{services_};

  private:
    void CreateControls(const platform::DialogTemplate& dialogTemplate,
                        const platform::ControlHooks& hooks);

    std::map<int, QWidget*> controls_;
};

// CDialog::DoModal: initialises the dialog and runs it through the dialog
// runner of its services. IDOK when it was closed with "Aceptar".
int RunModal(TemplateDialog& dialog);

}  // namespace trazel::ui
