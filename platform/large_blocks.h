#pragma once

namespace trazel::platform {

// For a process that works through spectra of 10⁵–10⁶ points a few times
// over and ends (trazel-cli): the C library keeps the large blocks it frees
// for the next allocation rather than handing them back to the system and
// taking them again a page at a time, and the heap they come from is offered
// to the kernel in 2 MB pages. A fit of 20 bands to 10⁵ points faulted 5,000
// pages in, a fifth of its time. Nothing changes where the library or the
// kernel offers neither (another C library, huge pages off).
void KeepLargeBlocksAtHand();

}  // namespace trazel::platform
