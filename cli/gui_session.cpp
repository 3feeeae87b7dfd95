#include "cli/gui_session.h"

#include <QApplication>
#include <QGuiApplication>
#include <QString>
#include <QtGlobal>
#include <cstdlib>
#include <filesystem>

namespace trazel::cli {

namespace {

QtMessageHandler previousHandler = nullptr;

// A batch run from cron or ssh has no desktop session, and the offscreen
// platform then notes that XDG_RUNTIME_DIR is not set. That folder is never
// used here, so the note would only make every run look like it went wrong.
void QuietAboutRuntimeDir(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR"))) {
        return;
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    }
}

}  // namespace

GuiSession::GuiSession(Kind kind) {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    previousHandler = qInstallMessageHandler(QuietAboutRuntimeDir);
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        std::error_code ec;
        std::string pattern =
            (std::filesystem::temp_directory_path(ec) / "trazel-runtime-XXXXXX").string();
        // mkdtemp makes it for this user alone, as Qt wants a runtime folder.
        if (!ec && ::mkdtemp(pattern.data()) != nullptr) {
            runtimeDir_.Register(pattern);
            runtimePath_ = pattern;
            qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(pattern));
        }
    }
    if (kind == Kind::Widgets) {
        app_ = std::make_unique<QApplication>(argc_, argv_);
    } else {
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
}

GuiSession::~GuiSession() {
    if (app_) {
        app_.reset();
        qInstallMessageHandler(previousHandler);
    }
    if (!runtimePath_.empty()) {
        // Whatever Qt put in it goes too.
        std::error_code ec;
        std::filesystem::remove_all(runtimePath_, ec);
        runtimeDir_.Release();
        qunsetenv("XDG_RUNTIME_DIR");
    }
}

bool GuiSession::HasWidgets() {
    return qobject_cast<QApplication*>(QGuiApplication::instance()) != nullptr;
}

}  // namespace trazel::cli
