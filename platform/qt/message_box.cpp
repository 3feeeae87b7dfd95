#include "platform/qt/message_box.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace trazel::platform {

MessageAnswer QtMessageBox::Show(QWidget* parent, const QString& text, MessageKind kind,
                                 MessageButtons buttons) {
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
    // The button texts are ours rather than Qt's, whose translation a machine
    // may lack.
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
    switch (buttons) {
        case MessageButtons::Ok:
            ok = box.addButton(QCoreApplication::translate("MessageBox", "Aceptar"),
                               QMessageBox::AcceptRole);
            break;
        case MessageButtons::OkCancel:
            ok = box.addButton(QCoreApplication::translate("MessageBox", "Aceptar"),
                               QMessageBox::AcceptRole);
            cancel = box.addButton(QCoreApplication::translate("MessageBox", "Cancelar"),
                                   QMessageBox::RejectRole);
            break;
        case MessageButtons::YesNo:
            yes = box.addButton(QCoreApplication::translate("MessageBox", "&Sí"),
                                QMessageBox::YesRole);
            no = box.addButton(QCoreApplication::translate("MessageBox", "&No"),
                               QMessageBox::NoRole);
            break;
        case MessageButtons::YesNoCancel:
            yes = box.addButton(QCoreApplication::translate("MessageBox", "&Sí"),
                                QMessageBox::YesRole);
            no = box.addButton(QCoreApplication::translate("MessageBox", "&No"),
                               QMessageBox::NoRole);
            cancel = box.addButton(QCoreApplication::translate("MessageBox", "Cancelar"),
                                   QMessageBox::RejectRole);
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

}  // namespace trazel::platform
