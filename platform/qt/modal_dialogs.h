#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/qt/service_slot.h"

class QDialog;
class QWidget;

// The framework's answer of a modal dialog closed with "Aceptar".
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Runs a dialog modally. The ordinary runner is QDialog::exec(); tests put a
// scripted one in its place that fills in and closes the dialog at once.
class DialogRunner {
  public:
    virtual ~DialogRunner() = default;
    // IDOK when the dialog was accepted, IDCANCEL otherwise.
    virtual int Run(QDialog& dialog) = 0;
};

ServiceSlot<DialogRunner>& DialogRunnerSlot();

// CDialog::DoModal through the current runner.
int DoModal(QDialog& dialog);

// Answers each dialog with a function of the test's own while it lives; the
// function may change the dialog's fields before it answers.
class ScriptedDialogRunner : public DialogRunner {
  public:
    using Script = std::function<int(QDialog&)>;

    explicit ScriptedDialogRunner(Script script)
        : script_(std::move(script)), scope_(DialogRunnerSlot(), *this) {}

    int Run(QDialog& dialog) override;

    int runs = 0;

  private:
    Script script_;
    ScopedService<DialogRunner> scope_;
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
    virtual std::optional<QString> GetSaveFileName(QWidget* parent, const QString& caption,
                                                   const QString& suggested) = 0;
    // Offers only files of the given type.
    virtual std::optional<QString> GetSaveFileNameOfType(QWidget* parent, const QString& caption,
                                                         const QString& suggested,
                                                         const FileType& type) = 0;
};

ServiceSlot<FileDialogService>& FileDialogSlot();

// Answers the file dialogs from a queue while it lives; an empty queue, or an
// empty path in it, is a cancelled dialog.
class ScriptedFileDialogs : public FileDialogService {
  public:
    ScriptedFileDialogs() : scope_(FileDialogSlot(), *this) {}

    std::optional<QString> GetOpenFileName(QWidget* parent, const QString& caption,
                                           const QString& directory) override;
    std::optional<QString> GetSaveFileName(QWidget* parent, const QString& caption,
                                           const QString& suggested) override;
    std::optional<QString> GetSaveFileNameOfType(QWidget* parent, const QString& caption,
                                                 const QString& suggested,
                                                 const FileType& type) override;

    std::deque<QString> answers;
    // The caption and the suggested name or folder of every dialog shown.
    std::vector<std::pair<QString, QString>> asked;
    // The file type of every save dialog that offered one.
    std::vector<FileType> types;

  private:
    std::optional<QString> Next(const QString& caption, const QString& hint);

    ScopedService<FileDialogService> scope_;
};
