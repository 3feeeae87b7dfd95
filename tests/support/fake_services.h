#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "platform/qt/services.h"

// Answers as a column of data-driven tests.
Q_DECLARE_METATYPE(trazel::platform::MessageAnswer)

// Stands in for the message box: remembers every message and answers from a
// queue, or with the first button's positive answer when the queue is empty
// (Ok, or Yes).
class RecordingMessageBox : public trazel::platform::MessageBoxService {
  public:
    struct Shown {
        QWidget* parent;
        QString text;
        trazel::platform::MessageKind kind;
        trazel::platform::MessageButtons buttons;
    };

    trazel::platform::MessageAnswer Show(QWidget* parent, const QString& text,
                                         trazel::platform::MessageKind kind,
                                         trazel::platform::MessageButtons buttons) override;

    std::vector<Shown> shown;
    std::deque<trazel::platform::MessageAnswer> answers;

    QStringList Texts() const;
};

// Answers each dialog with a function of the test's own, which may change the
// dialog's fields before it answers; without one, every dialog is cancelled.
class ScriptedDialogRunner : public trazel::platform::DialogRunner {
  public:
    using Script = std::function<int(QDialog&)>;

    ScriptedDialogRunner() = default;
    explicit ScriptedDialogRunner(Script script) : script(std::move(script)) {}

    int Run(QDialog& dialog) override;

    Script script;
    int runs = 0;
};

// Answers the file dialogs from a queue; an empty queue, or an empty path in
// it, is a cancelled dialog.
class ScriptedFileDialogs : public trazel::platform::FileDialogService {
  public:
    std::optional<QString> GetOpenFileName(QWidget* parent, const QString& caption,
                                           const QString& directory) override;
    std::optional<QString> GetSaveFileName(QWidget* parent, const QString& caption,
                                           const QString& suggested) override;
    std::optional<QString> GetSaveFileNameOfType(QWidget* parent, const QString& caption,
                                                 const QString& suggested,
                                                 const trazel::platform::FileType& type) override;

    std::deque<QString> answers;
    // The caption and the suggested name or folder of every dialog shown.
    std::vector<std::pair<QString, QString>> asked;
    // The file type of every save dialog that offered one.
    std::vector<trazel::platform::FileType> types;

  private:
    std::optional<QString> Next(const QString& caption, const QString& hint);
};

// One stand-in of each kind, to give to what is under test in place of Qt's
// own dialogs: nothing it asks ever waits for a user.
struct FakeServices {
    RecordingMessageBox messages;
    ScriptedFileDialogs files;
    ScriptedDialogRunner dialogs;

    const trazel::platform::Services& Get() const { return services_; }
    operator const trazel::platform::Services&() const { return services_; }

    // The stand-in, emptied: what it records from here on, with no answers
    // queued yet.
    RecordingMessageBox& NewMessages() {
        messages = RecordingMessageBox();
        return messages;
    }
    ScriptedFileDialogs& NewFileDialogs() {
        files = ScriptedFileDialogs();
        return files;
    }

  private:
    trazel::platform::Services services_{messages, files, dialogs};
};
