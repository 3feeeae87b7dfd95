#include "output/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

using namespace trazel::output;

namespace {

TEST(WorkerPool, EveryPartOnceInEveryRound) {
    for (const int extra : {0, 1, 3}) {
        WorkerPool pool(extra);
        EXPECT_EQ(pool.Threads(), extra + 1);
        for (const int parts : {0, 1, 5, 64}) {
            std::vector<std::atomic<int>> calls(static_cast<std::size_t>(parts));
            pool.Run(parts, [&](int part) { ++calls[static_cast<std::size_t>(part)]; });
            for (const auto& count : calls) {
                EXPECT_EQ(count, 1) << extra << " threads, " << parts << " parts";
            }
        }
    }
}

TEST(WorkerPool, AFailingPartIsReportedAfterTheRoundAndThePoolGoesOn) {
    WorkerPool pool(2);
    std::atomic<int> done = 0;
    EXPECT_THROW(pool.Run(32,
                          [&](int part) {
                              if (part == 5) {
                                  throw std::runtime_error("part 5");
                              }
                              ++done;
                          }),
                 std::runtime_error);
    EXPECT_EQ(done, 31);
    done = 0;
    pool.Run(8, [&](int) { ++done; });
    EXPECT_EQ(done, 8);
}

}  // namespace
