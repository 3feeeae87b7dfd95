#include "platform/large_blocks.h"

#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace trazel::platform {

void KeepLargeBlocksAtHand() {
#if defined(__GLIBC__)
    // The C library's ceiling for blocks served from the heap (larger ones
    // are mapped on their own and given back when freed, as before).
    constexpr int kLargestFromTheHeap = 32 << 20;
    // How far the heap grows at once, so that the blocks of a command lie in
    // one stretch offered in large pages; only what is touched takes memory.
    constexpr int kGrowth = 64 << 20;
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    mallopt(M_MMAP_THRESHOLD, kLargestFromTheHeap);
    mallopt(M_TRIM_THRESHOLD, 2 * kGrowth);
    mallopt(M_TOP_PAD, kGrowth);
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    void* grown = std::malloc(kLargePage);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    std::free(grown);
    // Past the block and the header the library writes after it, which
    // would otherwise take a whole large page at start-up.
    const std::uintptr_t first = (before + 2 * kLargePage - 1) / kLargePage * kLargePage;
    const std::uintptr_t last = after / kLargePage * kLargePage;
    if (grown != nullptr && last > first) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#endif
}

}  // namespace trazel::platform
