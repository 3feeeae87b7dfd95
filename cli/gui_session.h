#pragma once

#include <memory>
#include <string>

#include "platform/temporary_files.h"

class QGuiApplication;

namespace trazel::cli {

// Drawing text needs Qt's fonts, and so a QGuiApplication; a batch run has no
// screen to show anything on, so unless the user chose a platform it gets the
// offscreen one and works without a display. An application that is already
// there (a test's) is used as it is. Drawing with widgets (the large plot)
// needs a QApplication instead.
//
// Without a desktop session (no XDG_RUNTIME_DIR) Qt makes a runtime folder of
// its own in the temporary folder, "runtime-root" for root, and leaves it
// behind; the session gives Qt a private folder instead and removes it at the
// end, or when a signal ends the run.
class GuiSession {
  public:
    enum class Kind { Gui, Widgets };
    explicit GuiSession(Kind kind = Kind::Gui);
    ~GuiSession();
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

    // Whether widgets can be made: the application is a QApplication.
    static bool HasWidgets();

  private:
    int argc_ = 1;
    char name_[11] = "trazel-cli";
    char* argv_[2] = {name_, nullptr};
    platform::TemporaryPath runtimeDir_;
    std::string runtimePath_;
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace trazel::cli
