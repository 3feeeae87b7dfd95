#include "platform/qt/services.h"

#include <QApplication>

namespace trazel::platform {

MessageAnswer Services::AfxMessageBox(const QString& text, MessageKind kind,
                                      MessageButtons buttons) const {
    return AfxMessageBox(QApplication::activeWindow(), text, kind, buttons);
}

MessageAnswer Services::AfxMessageBox(QWidget* parent, const QString& text, MessageKind kind,
                                      MessageButtons buttons) const {
    return messages_->Show(parent, text, kind, buttons);
}

}  // namespace trazel::platform
