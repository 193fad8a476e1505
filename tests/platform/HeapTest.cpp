#include "platform/Heap.h"

#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>

#include <malloc.h>
#include <unistd.h>

using namespace platform;

namespace {

// The flags the kernel lists for the mapping holding address ("hg": large pages asked for).
QString mappingFlags(std::uintptr_t address)
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    // A /proc file has no size: read it whole rather than asking for its end.
    const QStringList lines = QString::fromLatin1(smaps.readAll()).split(u'\n');
    bool inside = false;
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        const qsizetype dash = line.indexOf(u'-');
        const qsizetype space = line.indexOf(u' ');
        if (dash > 0 && space > dash && line.left(dash).toULongLong(nullptr, 16) != 0) {
            bool startOk = false;
            bool endOk = false;
            const auto start = std::uintptr_t(line.left(dash).toULongLong(&startOk, 16));
            const auto end = std::uintptr_t(line.mid(dash + 1, space - dash - 1).toULongLong(&endOk, 16));
            inside = startOk && endOk && start <= address && address < end;
            continue;
        }
        if (inside && line.startsWith(QLatin1String("VmFlags:")))
            return line.mid(8).trimmed();
    }
    return {};
}

bool advisedForLargePages(const void* address)
{
    return mappingFlags(std::uintptr_t(address)).split(u' ').contains(QLatin1String("hg"));
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSystemAllocator = false;
#else
constexpr bool kSystemAllocator = true;
#endif

} // namespace

// The heap grows at once and the new part is advised before anything is written there; an
// allocation the compiler or the allocator quietly drops would leave the heap as it was.
TEST(HeapTest, MainHeapGrowsAtOnceAndIsAdvised)
{
    if (!kSystemAllocator)
        GTEST_SKIP() << "the sanitizer's allocator does not grow the heap";
    // As the application sets them at start-up: blocks below 32 MiB come from the heap, and freed
    // memory stays in it.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    constexpr std::size_t kBytes = 24 * 1024 * 1024;
    const auto before = std::uintptr_t(sbrk(0));
    reserveMainHeap(kBytes);
    const auto after = std::uintptr_t(sbrk(0));
    // The free top the heap already had counts toward the amount.
    ASSERT_GE(after - before, kBytes - 1024 * 1024);
    EXPECT_TRUE(advisedForLargePages(reinterpret_cast<void*>(before + kBytes / 2)))
        << mappingFlags(before + kBytes / 2).toStdString();

    // The reserve went back to the allocator: the next block comes from it, not from new growth.
    void* volatile block = std::malloc(kBytes / 2);
    ASSERT_NE(block, nullptr);
    EXPECT_LE(std::uintptr_t(sbrk(0)), after);
    std::free(block);
}
