#include "platform/Heap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

namespace platform {

namespace {

// Below the allocator's threshold for mapping a block on its own (32 MiB, set at start-up), so the
// block comes from the worker's heap.
constexpr std::size_t kWorkerHeap = 8 * 1024 * 1024;
// Well inside the largest heap a worker can have (64 MiB), so the block never gets a mapping of
// its own.
constexpr std::size_t kLargestWorkerHeap = 32 * 1024 * 1024;
constexpr int kDefaultTopPad = 128 * 1024;

std::uintptr_t pageSize()
{
    static const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    return page;
}

// A large page forms only where no small page of its 2 MiB has been touched yet, so the range is
// advised before anything writes into it.
void adviseLargePages(std::uintptr_t from, std::uintptr_t to)
{
    const std::uintptr_t page = pageSize();
    from &= ~(page - 1);
    to = (to + page - 1) & ~(page - 1);
    if (to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

} // namespace

void reserveMainHeap(std::size_t bytes)
{
    // Asking for a little more than the free top of the heap makes the allocator extend the heap
    // once, by the padding; only the start of the new part is written (the new top's header).
    mallopt(M_TOP_PAD, int(bytes));
    const auto before = std::uintptr_t(sbrk(0));
    // volatile: the compiler may otherwise drop an allocation that is freed unused.
    void* volatile probe = std::malloc(mallinfo2().keepcost + 1);
    const auto after = std::uintptr_t(sbrk(0));
    if (after > before)
        adviseLargePages(before, after);
    std::free(probe);
    mallopt(M_TOP_PAD, kDefaultTopPad);
}

void reserveWorkerHeap(std::size_t bytes)
{
    thread_local bool reserved = false;
    if (reserved)
        return;
    reserved = true;
    // Grown by one block (a worker's heap otherwise grows a page at a time), advised, and handed
    // back; the block's own header and the top's after it are the only writes.
    bytes = std::min(bytes == 0 ? kWorkerHeap : bytes, kLargestWorkerHeap);
    void* volatile block = std::malloc(bytes);
    if (!block)
        return;
    const auto from = std::uintptr_t(static_cast<void*>(block));
    adviseLargePages(from + pageSize(), from + bytes - pageSize());
    std::free(block);
}

} // namespace platform
