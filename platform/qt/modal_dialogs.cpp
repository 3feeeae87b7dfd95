#include "platform/qt/modal_dialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>

namespace trazel::platform {

namespace {

// The filter that lets every file through; only its description is
// translated, the pattern is Qt's.
QString AllFiles() {
    return QCoreApplication::translate("FileDialogs", "Todos los archivos (*)");
}

// Qt's save dialog asks itself before an existing file is chosen.
void PrepareSave(QFileDialog& dialog, const QString& suggested) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!suggested.isEmpty()) {
        dialog.selectFile(suggested);
    }
}

std::optional<QString> Ask(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

int ExecDialogRunner::Run(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

std::optional<QString> QtFileDialogs::GetOpenFileName(QWidget* parent, const QString& caption,
                                                      const QString& directory) {
    QFileDialog dialog(parent, caption, directory, AllFiles());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Ask(dialog);
}

std::optional<QString> QtFileDialogs::GetOpenFileNameOfTypes(QWidget* parent,
                                                             const QString& caption,
                                                             const QString& directory,
                                                             const std::vector<FileType>& types) {
    QStringList filters;
    for (const FileType& type : types) {
        filters << type.label + QStringLiteral(" (") + type.pattern + QLatin1Char(')');
    }
    filters << AllFiles();
    QFileDialog dialog(parent, caption, directory);
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Ask(dialog);
}

std::optional<QString> QtFileDialogs::GetSaveFileName(QWidget* parent, const QString& caption,
                                                      const QString& suggested) {
    QFileDialog dialog(parent, caption, QString(), AllFiles());
    PrepareSave(dialog, suggested);
    return Ask(dialog);
}

std::optional<QString> QtFileDialogs::GetSaveFileNameOfType(QWidget* parent, const QString& caption,
                                                            const QString& suggested,
                                                            const FileType& type) {
    QFileDialog dialog(parent, caption, QString(),
                       type.label + QStringLiteral(" (") + type.pattern + QLatin1Char(')'));
    // The filter list shows the label alone, as it is written.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    PrepareSave(dialog, suggested);
    dialog.setDefaultSuffix(type.defaultSuffix);
    return Ask(dialog);
}

}  // namespace trazel::platform
