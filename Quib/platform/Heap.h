// The allocator's memory, prepared ahead of a burst of allocations.
#pragma once
#include <cstddef>

namespace platform {

// Every 4 KiB page of fresh memory costs a fault of its own when first written, and a worker's
// heap otherwise grows a page at a time; opening a long page touches tens of megabytes, which adds
// up to tens of milliseconds. These grow the heap at once and ask for large pages over the new
// part. The memory stays virtual until used.

// For the main thread, at start-up before other threads exist: grows the main heap by `bytes`.
void reserveMainHeap(std::size_t bytes);

// Once for the calling worker thread; later calls on the same thread return at once. 0 asks for
// the size that suits the thread pool's jobs; at most 32 MiB.
void reserveWorkerHeap(std::size_t bytes = 0);

} // namespace platform
