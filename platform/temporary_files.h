#pragma once

#include <string>

namespace trazel::platform {

// Temporary files and folders that must not outlive the run, whatever ends
// it. A program that installs the clean-up (InstallTemporaryCleanup) removes
// every path still registered when SIGINT, SIGTERM, SIGHUP, SIGQUIT or SIGPIPE
// arrives,
// and then dies of that signal as it would have without the clean-up, so that
// the shell sees the usual status.
//
// While a TemporaryPath lives, its path is registered; the destructor
// removes the file (or the empty folder) unless Release was called, and
// forgets it. Paths are removed newest first, so a file registered after its
// folder goes before the folder does.
class TemporaryPath {
  public:
    TemporaryPath() = default;
    explicit TemporaryPath(const std::string& path) { Register(path); }
    ~TemporaryPath() { Remove(); }
    TemporaryPath(const TemporaryPath&) = delete;
    TemporaryPath& operator=(const TemporaryPath&) = delete;

    // Starts looking after path (the previous one is removed first).
    void Register(const std::string& path);
    // The file has taken its final place: nothing to remove any more.
    void Release();
    // Removes it now.
    void Remove();

  private:
    int slot_ = -1;
    std::string path_;
};

// Installs the signal handlers; call once at the start of a program.
void InstallTemporaryCleanup();

// Removes every registered path; only calls that are safe in a signal handler.
void RemoveRegisteredTemporaries();

}  // namespace trazel::platform
