#include "ui/form/export_run.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusTipEvent>

#include "platform/qt/services.h"

using namespace trazel::platform;
using namespace trazel::model;
using namespace trazel::output;

namespace trazel::ui {

namespace {

// Events are handled at most this often; more often only slows the lines
// down, less often makes Esc and the repaint feel late.
constexpr int kEventIntervalMs = 40;
// A line takes well under a microsecond on this thread, so the clock is
// looked at only every so many lines.
constexpr int kStepsPerClockLook = 1024;

}  // namespace

ExportRun::ExportRun(QWidget* form, QProgressBar* bar, const Services& services)
    : form_(form),
      services_(services),
      window_(form->window()),
      bar_(bar),
      stepsUntilClock_(kStepsPerClockLook) {
    sinceEvents_.start();
}

ExportRun::~ExportRun() {
    if (locked_) {
        Unlock();
    }
}

void ExportRun::SetRange32(int lower, int upper) {
    bar_->setRange(lower, upper);
}

void ExportRun::SetPos(int position) {
    bar_->setValue(position);
}

void ExportRun::SetStep(int step) {
    step_ = step;
}

void ExportRun::StepIt() {
    // Past the top of the range the bar starts again from the bottom, as the
    // original control wraps when the loop runs one line more than the range.
    const int next = bar_->value() + step_;
    bar_->setValue(next > bar_->maximum() ? bar_->minimum() + (next - bar_->maximum()) : next);
    if (--stepsUntilClock_ == 0) {
        stepsUntilClock_ = kStepsPerClockLook;
        if (sinceEvents_.elapsed() >= kEventIntervalMs) {
            HandleEvents();
        }
    }
}

void ExportRun::HandleEvents() {
    if (!locked_) {
        Lock();
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    sinceEvents_.restart();
}

void ExportRun::Lock() {
    locked_ = true;
    focus_ = QApplication::focusWidget();
    // Everything that can be clicked or typed into; the labels, the group box
    // and the bar itself stay as they are.
    // The controls inside the group box are its children.
    std::vector<QWidget*> widgets;
    std::vector<QWidget*> owners = {form_};
    for (QGroupBox* group : form_->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
        owners.push_back(group);
    }
    for (QWidget* owner : owners) {
        for (QWidget* child : owner->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->focusPolicy() != Qt::NoFocus) {
                widgets.push_back(child);
            }
        }
    }
    for (QMenuBar* menus : window_->findChildren<QMenuBar*>()) {
        widgets.push_back(menus);
    }
    for (QWidget* widget : widgets) {
        if (widget->isEnabled()) {
            widget->setEnabled(false);
            lockedWidgets_.emplace_back(widget);
        }
    }
    // The window's commands, the toolbar's buttons and the shortcuts with them.
    for (QAction* action : window_->actions()) {
        if (action->isEnabled()) {
            action->setEnabled(false);
            lockedActions_.emplace_back(action);
        }
    }
    qApp->installEventFilter(this);
    ShowStatus(QCoreApplication::translate("Export", "Exportando… Esc para detener"));
}

void ExportRun::Unlock() {
    qApp->removeEventFilter(this);
    ShowStatus(QString());
    for (const auto& widget : lockedWidgets_) {
        if (widget) {
            widget->setEnabled(true);
        }
    }
    for (const auto& action : lockedActions_) {
        if (action) {
            action->setEnabled(true);
        }
    }
    if (focus_ && focus_->isEnabled()) {
        focus_->setFocus(Qt::OtherFocusReason);
    }
    locked_ = false;
}

void ExportRun::ShowStatus(const QString& text) {
    // A status tip reaches the main window's status bar; a window without one
    // lets it pass.
    showingStatus_ = true;
    QStatusTipEvent tip(text);
    QCoreApplication::sendEvent(window_, &tip);
    showingStatus_ = false;
}

void ExportRun::AskToStopForClose() {
    if (stop_.stop_requested()) {
        closeRequested_ = true;
        return;
    }
    asking_ = true;
    const MessageAnswer answer = services_.AfxMessageBox(
        QCoreApplication::translate(
            "Export", "La exportación no ha terminado. ¿Desea detenerla para cerrar la ventana?"),
        MessageKind::Question, MessageButtons::YesNo);
    asking_ = false;
    if (answer == MessageAnswer::Yes) {
        stop_.request_stop();
        closeRequested_ = true;
    }
}

bool ExportRun::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != window_) {
        return false;
    }
    switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                stop_.request_stop();
                return true;
            }
            break;
        case QEvent::Close:
            // The window stays while the lines are written; it is closed
            // again, with the usual questions, once the export has ended.
            if (widget == window_) {
                if (!asking_) {
                    AskToStopForClose();
                }
                event->ignore();
                return true;
            }
            break;
        case QEvent::StatusTip:
            // A pointer passing over a menu or a button would replace the
            // running status.
            return !showingStatus_;
        default:
            break;
    }
    return false;
}

}  // namespace trazel::ui
