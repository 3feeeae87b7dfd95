#include "platform/qt/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

class QtMessageBox : public MessageBoxService {
  public:
    MessageAnswer Show(QWidget* parent, const QString& text, MessageKind kind,
                       MessageButtons buttons) override {
        QMessageBox box(parent);
        box.setWindowTitle(QStringLiteral("Trazel"));
        box.setText(text);
        switch (kind) {
            case MessageKind::Information:
                box.setIcon(QMessageBox::Information);
                break;
            case MessageKind::Warning:
                box.setIcon(QMessageBox::Warning);
                break;
            case MessageKind::Error:
                box.setIcon(QMessageBox::Critical);
                break;
            case MessageKind::Question:
                box.setIcon(QMessageBox::Question);
                break;
        }
        // The button texts are set here rather than left to a translation
        // file, which a machine may lack.
        QPushButton* ok = nullptr;
        QPushButton* yes = nullptr;
        QPushButton* no = nullptr;
        QPushButton* cancel = nullptr;
        switch (buttons) {
            case MessageButtons::Ok:
                ok = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
                break;
            case MessageButtons::OkCancel:
                ok = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
                cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
                break;
            case MessageButtons::YesNo:
                yes = box.addButton(QStringLiteral("&Sí"), QMessageBox::YesRole);
                no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
                break;
            case MessageButtons::YesNoCancel:
                yes = box.addButton(QStringLiteral("&Sí"), QMessageBox::YesRole);
                no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
                cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
                break;
        }
        box.setDefaultButton(ok != nullptr ? ok : yes);
        if (cancel != nullptr) {
            box.setEscapeButton(cancel);
        } else if (no != nullptr) {
            box.setEscapeButton(no);
        }
        box.exec();
        const auto* clicked = box.clickedButton();
        if (clicked == nullptr || clicked == cancel) {
            // Closing the box by its title bar is a cancel where there is one.
            if (cancel != nullptr) {
                return MessageAnswer::Cancel;
            }
            return no != nullptr ? MessageAnswer::No : MessageAnswer::Ok;
        }
        if (clicked == yes) {
            return MessageAnswer::Yes;
        }
        if (clicked == no) {
            return MessageAnswer::No;
        }
        return MessageAnswer::Ok;
    }
};

}  // namespace

ServiceSlot<MessageBoxService>& MessageBoxSlot() {
    static QtMessageBox standard;
    static ServiceSlot<MessageBoxService> slot(standard);
    return slot;
}

MessageAnswer AfxMessageBox(const QString& text, MessageKind kind, MessageButtons buttons) {
    return AfxMessageBox(QApplication::activeWindow(), text, kind, buttons);
}

MessageAnswer AfxMessageBox(QWidget* parent, const QString& text, MessageKind kind,
                            MessageButtons buttons) {
    return MessageBoxSlot().Get().Show(parent, text, kind, buttons);
}

MessageAnswer StreamMessageBox::Show(QWidget*, const QString& text, MessageKind,
                                     MessageButtons buttons) {
    stream_ << (prefix_ + text).toStdString() << std::endl;
    switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Cancel;
    }
}

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
