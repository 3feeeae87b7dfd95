#include "platform/qt/modal_dialogs.h"

#include <QDialog>
#include <QFileDialog>

namespace {

class ExecDialogRunner : public DialogRunner {
  public:
    int Run(QDialog& dialog) override {
        return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    }
};

const QString kAllFiles = QStringLiteral("Todos los archivos (*)");

class QtFileDialogs : public FileDialogService {
  public:
    // Documents have no fixed extension, so these two never add one.
    std::optional<QString> GetOpenFileName(QWidget* parent, const QString& caption,
                                           const QString& directory) override {
        QFileDialog dialog(parent, caption, directory, kAllFiles);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        return Ask(dialog);
    }

    std::optional<QString> GetSaveFileName(QWidget* parent, const QString& caption,
                                           const QString& suggested) override {
        QFileDialog dialog(parent, caption, QString(), kAllFiles);
        PrepareSave(dialog, suggested);
        return Ask(dialog);
    }

    std::optional<QString> GetSaveFileNameOfType(QWidget* parent, const QString& caption,
                                                 const QString& suggested,
                                                 const FileType& type) override {
        QFileDialog dialog(parent, caption, QString(),
                           type.label + QStringLiteral(" (") + type.pattern + QLatin1Char(')'));
        // The filter list shows the label alone, as it is written.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        PrepareSave(dialog, suggested);
        dialog.setDefaultSuffix(type.defaultSuffix);
        return Ask(dialog);
    }

  private:
    // Qt's save dialog asks itself before an existing file is chosen.
    static void PrepareSave(QFileDialog& dialog, const QString& suggested) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!suggested.isEmpty()) {
            dialog.selectFile(suggested);
        }
    }

    static std::optional<QString> Ask(QFileDialog& dialog) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return dialog.selectedFiles().constFirst();
    }
};

}  // namespace

ServiceSlot<DialogRunner>& DialogRunnerSlot() {
    static ExecDialogRunner standard;
    static ServiceSlot<DialogRunner> slot(standard);
    return slot;
}

int DoModal(QDialog& dialog) {
    return DialogRunnerSlot().Get().Run(dialog);
}

int ScriptedDialogRunner::Run(QDialog& dialog) {
    ++runs;
    return script_ ? script_(dialog) : IDCANCEL;
}

ServiceSlot<FileDialogService>& FileDialogSlot() {
    static QtFileDialogs standard;
    static ServiceSlot<FileDialogService> slot(standard);
    return slot;
}

std::optional<QString> ScriptedFileDialogs::GetOpenFileName(QWidget*, const QString& caption,
                                                            const QString& directory) {
    return Next(caption, directory);
}

std::optional<QString> ScriptedFileDialogs::GetSaveFileName(QWidget*, const QString& caption,
                                                            const QString& suggested) {
    return Next(caption, suggested);
}

std::optional<QString> ScriptedFileDialogs::GetSaveFileNameOfType(QWidget*, const QString& caption,
                                                                  const QString& suggested,
                                                                  const FileType& type) {
    types.push_back(type);
    return Next(caption, suggested);
}

std::optional<QString> ScriptedFileDialogs::Next(const QString& caption, const QString& hint) {
    asked.emplace_back(caption, hint);
    if (answers.empty()) {
        return std::nullopt;
    }
    const QString answer = answers.front();
    answers.pop_front();
    if (answer.isEmpty()) {
        return std::nullopt;
    }
    return answer;
}
