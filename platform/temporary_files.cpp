#include "platform/temporary_files.h"

#include <limits.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace trazel::platform {

namespace {

// A signal handler may read the slots at any moment, so a slot holds its
// path in a buffer of its own and is marked used only once the path is
// complete; an atomic flag that is lock-free is safe to read in a handler.
struct Slot {
    std::atomic<bool> used{false};
    char path[PATH_MAX] = {};
};

constexpr int kSlots = 16;
std::array<Slot, kSlots> slots;
// Registration order, so that the newest path is removed first.
std::atomic<unsigned> sequence{0};
std::array<std::atomic<unsigned>, kSlots> order{};

static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<unsigned>::is_always_lock_free);

void RemovePath(const char* path) {
    if (::unlink(path) != 0) {
        ::rmdir(path);
    }
}

void OnTerminatingSignal(int signal) {
    const int savedErrno = errno;
    RemoveRegisteredTemporaries();
    errno = savedErrno;
    // The handler was installed to run once (SA_RESETHAND): the default action
    // is back, and the signal raised again ends the program with the status
    // the shell expects of it.
    ::raise(signal);
}

}  // namespace

void RemoveRegisteredTemporaries() {
    // Newest first: repeatedly take the used slot with the highest order.
    bool done[kSlots] = {};
    for (int round = 0; round < kSlots; ++round) {
        int newest = -1;
        for (int i = 0; i < kSlots; ++i) {
            if (!done[i] && slots[i].used.load() &&
                (newest < 0 || order[i].load() > order[newest].load())) {
                newest = i;
            }
        }
        if (newest < 0) {
            return;
        }
        done[newest] = true;
        RemovePath(slots[newest].path);
    }
}

void TemporaryPath::Register(const std::string& path) {
    Remove();
    path_ = path;
    if (path.size() >= PATH_MAX) {
        return;
    }
    // Paths are registered by the main thread alone; a handler sees a slot
    // only once its path is complete.
    for (int i = 0; i < kSlots; ++i) {
        if (!slots[i].used.load()) {
            std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
            order[i].store(++sequence);
            slots[i].used.store(true);
            slot_ = i;
            return;
        }
    }
}

void TemporaryPath::Release() {
    if (slot_ >= 0) {
        slots[static_cast<std::size_t>(slot_)].used.store(false);
    }
    slot_ = -1;
    path_.clear();
}

void TemporaryPath::Remove() {
    if (path_.empty()) {
        return;
    }
    RemovePath(path_.c_str());
    Release();
}

void InstallTemporaryCleanup() {
    struct sigaction action {};
    action.sa_handler = OnTerminatingSignal;
    sigemptyset(&action.sa_mask);
    // Back to the default action on entry, and the signal not held back while
    // the handler runs, so that raising it again ends the program at once.
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        struct sigaction previous {};
        // A signal ignored by whoever started us (nohup) stays ignored.
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace trazel::platform
