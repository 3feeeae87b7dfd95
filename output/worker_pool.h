#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace trazel::output {

// A few threads kept for the length of one long job, which hands them parts
// of its work in rounds. The calling thread works on each round as well, so
// a pool that could start no thread at all still gets everything done.
class WorkerPool {
  public:
    // Starts up to extraThreads threads besides the caller; fewer when the
    // system refuses more.
    explicit WorkerPool(int extraThreads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // The threads a round runs on, the caller included.
    int Threads() const { return static_cast<int>(threads_.size()) + 1; }

    // Calls part(i) once for every i in 0 .. parts-1, in no fixed order and
    // on any of the threads, and returns when all calls have returned. The
    // first exception a call throws is thrown here once the round is over.
    void Run(int parts, const std::function<void(int)>& part);

    // Run in two halves, so that the caller can do other work while the
    // threads begin: Start hands out the parts and returns at once; Finish
    // takes what parts are left on the calling thread, waits for the rest
    // and throws what Run would. part must live until Finish has returned,
    // and every Start needs its Finish before the next Start.
    void Start(int parts, const std::function<void(int)>& part);
    void Finish();

    // Threads worth starting on this machine besides the caller.
    static int ExtraThreadsForThisMachine();

  private:
    void Work();
    // Takes parts of the current round until none is left. Called and
    // returns with the lock held.
    void TakeParts(std::unique_lock<std::mutex>& lock);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    const std::function<void(int)>* part_ = nullptr;
    int parts_ = 0;
    int next_ = 0;
    int unfinished_ = 0;
    bool stopping_ = false;
    std::exception_ptr error_;
    std::vector<std::thread> threads_;
};

}  // namespace trazel::output
