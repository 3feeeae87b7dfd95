#pragma once

#include <QString>
#include <optional>
#include <vector>

class QDialog;
class QWidget;

namespace trazel::platform {

// The framework's answer of a modal dialog closed with "Aceptar".
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Runs a dialog modally. The ordinary runner is QDialog::exec(); tests give a
// scripted one that fills in and closes the dialog at once.
class DialogRunner {
  public:
    virtual ~DialogRunner() = default;
    // IDOK when the dialog was accepted, IDCANCEL otherwise.
    virtual int Run(QDialog& dialog) = 0;
};

// QDialog::exec().
class ExecDialogRunner : public DialogRunner {
  public:
    int Run(QDialog& dialog) override;
};

// The one kind of file a save dialog offers: the filter's label and pattern,
// and the extension (without its dot) added to a name typed without one.
struct FileType {
    QString label;
    QString pattern;
    QString defaultSuffix;
};

// The framework's file dialogs. The answer is the chosen path, or nothing when
// the user cancelled. A save dialog asks before an existing file is chosen.
class FileDialogService {
  public:
    virtual ~FileDialogService() = default;
    // Every file is offered and no extension is added.
    virtual std::optional<QString> GetOpenFileName(QWidget* parent, const QString& caption,
                                                   const QString& directory) = 0;
    // Offers the given types, one filter each, and then every file.
    virtual std::optional<QString> GetOpenFileNameOfTypes(QWidget* parent, const QString& caption,
                                                          const QString& directory,
                                                          const std::vector<FileType>& types) {
        static_cast<void>(types);
        return GetOpenFileName(parent, caption, directory);
    }
    virtual std::optional<QString> GetSaveFileName(QWidget* parent, const QString& caption,
                                                   const QString& suggested) = 0;
    // Offers only files of the given type.
    virtual std::optional<QString> GetSaveFileNameOfType(QWidget* parent, const QString& caption,
                                                         const QString& suggested,
                                                         const FileType& type) = 0;
};

// Qt's file dialogs.
class QtFileDialogs : public FileDialogService {
  public:
    // Documents have no fixed extension, so these two never add one.
    std::optional<QString> GetOpenFileName(QWidget* parent, const QString& caption,
                                           const QString& directory) override;
    std::optional<QString> GetOpenFileNameOfTypes(QWidget* parent, const QString& caption,
                                                  const QString& directory,
                                                  const std::vector<FileType>& types) override;
    std::optional<QString> GetSaveFileName(QWidget* parent, const QString& caption,
                                           const QString& suggested) override;
    std::optional<QString> GetSaveFileNameOfType(QWidget* parent, const QString& caption,
                                                 const QString& suggested,
                                                 const FileType& type) override;
};

}  // namespace trazel::platform
