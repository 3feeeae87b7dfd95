#include "tests/support/fake_services.h"

using namespace trazel::platform;

MessageAnswer RecordingMessageBox::Show(QWidget* parent, const QString& text, MessageKind kind,
                                        MessageButtons buttons) {
    shown.push_back({parent, text, kind, buttons});
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel
               ? MessageAnswer::Ok
               : MessageAnswer::Yes;
}

QStringList RecordingMessageBox::Texts() const {
    QStringList texts;
    for (const auto& s : shown) {
        texts << s.text;
    }
    return texts;
}

int ScriptedDialogRunner::Run(QDialog& dialog) {
    ++runs;
    return script ? script(dialog) : IDCANCEL;
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
