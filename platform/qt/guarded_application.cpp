#include "platform/qt/guarded_application.h"

#include <QtGlobal>
#include <csignal>
#include <new>

namespace trazel::platform {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // A program that reads an export or a document from a pipe and stops
    // early would otherwise end this one with SIGPIPE; ignored, the write
    // fails with EPIPE and is reported like any other failed write.
    std::signal(SIGPIPE, SIG_IGN);
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        Report(FailureMessage(&failure));
    } catch (...) {
        Report(FailureMessage(nullptr));
    }
    return false;
}

QString GuardedApplication::FailureMessage(const std::exception* failure) {
    if (dynamic_cast<const std::bad_alloc*>(failure) != nullptr) {
        return QCoreApplication::translate(
            "GuardedApplication",
            "No queda memoria suficiente para completar la operación. Trazel sigue "
            "abierto; compruebe los datos y guarde el documento si tiene cambios.");
    }
    if (failure != nullptr && failure->what() != nullptr && failure->what()[0] != '\0') {
        return QCoreApplication::translate(
                   "GuardedApplication",
                   "La operación no se ha podido completar por un error inesperado (%1). Trazel "
                   "sigue abierto; compruebe los datos y guarde el documento si tiene cambios.")
            .arg(QString::fromUtf8(failure->what()));
    }
    return QCoreApplication::translate(
        "GuardedApplication",
        "La operación no se ha podido completar por un error inesperado. Trazel sigue "
        "abierto; compruebe los datos y guarde el documento si tiene cambios.");
}

void GuardedApplication::Report(const QString& message) {
    if (reporting_) {
        qWarning("%s", qUtf8Printable(message));
        return;
    }
    reporting_ = true;
    try {
        reports_->Show(QApplication::activeWindow(), message, MessageKind::Error,
                       MessageButtons::Ok);
    } catch (...) {
        // Nothing is left to tell the user with; the event loop must still
        // not see the exception.
        qWarning("%s", qUtf8Printable(message));
    }
    reporting_ = false;
}

}  // namespace trazel::platform
