#pragma once

#include "ui/dialogs/template_dialog.h"

namespace trazel::ui {

// The two dialogs that only inform; they have no fields of their own.

// "Acerca de Trazel": the version, its date and what each version brought.
class CVersionInfoDlg : public TemplateDialog {
    Q_OBJECT

  public:
    explicit CVersionInfoDlg(const platform::Services& services, QWidget* owner = nullptr);
};

// "Ayuda": a page of instructions.
class CQuickReferenceDlg : public TemplateDialog {
    Q_OBJECT

  public:
    explicit CQuickReferenceDlg(const platform::Services& services, QWidget* owner = nullptr);
};

void ShowAboutBox(QWidget* owner, const platform::Services& services);
void ShowQuickReference(QWidget* owner, const platform::Services& services);

}  // namespace trazel::ui
