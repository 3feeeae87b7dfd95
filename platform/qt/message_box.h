#pragma once

#include <QString>
#include <ostream>

class QWidget;

namespace trazel::platform {

enum class MessageKind { Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Shows a message to the user and waits for the answer. Every message of the
// program goes through one, whose caption is always "Trazel".
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    virtual MessageAnswer Show(QWidget* parent, const QString& text, MessageKind kind,
                               MessageButtons buttons) = 0;
};

// Qt's message box, with its button texts in Spanish.
class QtMessageBox : public MessageBoxService {
  public:
    MessageAnswer Show(QWidget* parent, const QString& text, MessageKind kind,
                       MessageButtons buttons) override;
};

// Writes every message to a stream, for runs without a window; questions get
// their cautious answer (Cancel, or No).
class StreamMessageBox : public MessageBoxService {
  public:
    StreamMessageBox(std::ostream& stream, QString prefix)
        : stream_(stream), prefix_(std::move(prefix)) {}

    MessageAnswer Show(QWidget* parent, const QString& text, MessageKind kind,
                       MessageButtons buttons) override;

  private:
    std::ostream& stream_;
    QString prefix_;
};

}  // namespace trazel::platform
