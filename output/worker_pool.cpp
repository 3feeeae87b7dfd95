#include "output/worker_pool.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace trazel::output {

namespace {

// More threads than this would only wait for the file.
constexpr int kMaxThreads = 8;

}  // namespace

WorkerPool::WorkerPool(int extraThreads) {
    threads_.reserve(static_cast<std::size_t>(std::max(extraThreads, 0)));
    for (int i = 0; i < extraThreads; ++i) {
        try {
            threads_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            break;
        }
    }
}

WorkerPool::~WorkerPool() {
    {
        // A round that was started and never finished, because the caller
        // is leaving by an exception, still ends here: its parts use what the
        // caller is about to destroy.
        std::unique_lock lock(mutex_);
        TakeParts(lock);
        finished_.wait(lock, [this] { return unfinished_ == 0; });
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

int WorkerPool::ExtraThreadsForThisMachine() {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, kMaxThreads) - 1;
}

void WorkerPool::Run(int parts, const std::function<void(int)>& part) {
    Start(parts, part);
    Finish();
}

void WorkerPool::Start(int parts, const std::function<void(int)>& part) {
    {
        const std::lock_guard lock(mutex_);
        part_ = &part;
        parts_ = parts;
        next_ = 0;
        unfinished_ = parts;
        error_ = nullptr;
    }
    wake_.notify_all();
}

void WorkerPool::Finish() {
    std::unique_lock lock(mutex_);
    TakeParts(lock);
    finished_.wait(lock, [this] { return unfinished_ == 0; });
    part_ = nullptr;
    parts_ = 0;
    next_ = 0;
    if (error_) {
        std::rethrow_exception(std::exchange(error_, nullptr));
    }
}

void WorkerPool::TakeParts(std::unique_lock<std::mutex>& lock) {
    // Parts are claimed under the lock, so a thread never pairs a part number
    // with the job of another round.
    while (next_ < parts_) {
        const int index = next_++;
        const std::function<void(int)>& part = *part_;
        lock.unlock();
        std::exception_ptr error;
        try {
            part(index);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        if (error && !error_) {
            error_ = error;
        }
        if (--unfinished_ == 0) {
            finished_.notify_all();
        }
    }
}

void WorkerPool::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || next_ < parts_; });
        if (stopping_) {
            return;
        }
        TakeParts(lock);
    }
}

}  // namespace trazel::output
