#pragma once

#include <QString>
#include <deque>
#include <ostream>
#include <vector>

#include "platform/qt/service_slot.h"

class QWidget;

enum class MessageKind { Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Shows a message to the user and waits for the answer. Every message of the
// program goes through the current service, whose caption is always "Trazel".
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    virtual MessageAnswer Show(QWidget* parent, const QString& text, MessageKind kind,
                               MessageButtons buttons) = 0;
};

ServiceSlot<MessageBoxService>& MessageBoxSlot();

// Shows text through the current service, over the active window.
MessageAnswer AfxMessageBox(const QString& text, MessageKind kind = MessageKind::Warning,
                            MessageButtons buttons = MessageButtons::Ok);
// The same over the given window, for the moments just after a dialog has
// closed, when no window is active yet.
MessageAnswer AfxMessageBox(QWidget* parent, const QString& text, MessageKind kind,
                            MessageButtons buttons = MessageButtons::Ok);

// Writes every message to a stream instead, for runs without a window, while
// it lives; questions get their cautious answer (Cancel, or No).
class StreamMessageBox : public MessageBoxService {
  public:
    StreamMessageBox(std::ostream& stream, QString prefix)
        : stream_(stream), prefix_(std::move(prefix)), scope_(MessageBoxSlot(), *this) {}

    MessageAnswer Show(QWidget* parent, const QString& text, MessageKind kind,
                       MessageButtons buttons) override;

  private:
    std::ostream& stream_;
    QString prefix_;
    ScopedService<MessageBoxService> scope_;
};

// Stands in for the message box while it lives: remembers every message and
// answers from a queue, or with the first button's positive answer when the
// queue is empty (Ok, or Yes).
class RecordingMessageBox : public MessageBoxService {
  public:
    struct Shown {
        QWidget* parent;
        QString text;
        MessageKind kind;
        MessageButtons buttons;
    };

    RecordingMessageBox() : scope_(MessageBoxSlot(), *this) {}

    MessageAnswer Show(QWidget* parent, const QString& text, MessageKind kind,
                       MessageButtons buttons) override;

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;

    QStringList Texts() const;

  private:
    ScopedService<MessageBoxService> scope_;
};
