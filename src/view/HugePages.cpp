#include "view/HugePages.h"

#include <cstdint>

#include <unistd.h>

#include <sys/mman.h>

namespace zelt::view {

void adviseHugePages(const void* data, std::size_t bytes) noexcept
{
#ifdef MADV_HUGEPAGE
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(kHugePage - 1);
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

bool bringIn(const void* data, std::size_t bytes) noexcept
{
#ifdef MADV_POPULATE_WRITE
    if (bytes == 0) return true;
    static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    // Whole pages around the range: population leaves every byte as it is.
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = begin & ~(page - 1);
    const std::uintptr_t last = (begin + bytes + page - 1) & ~(page - 1);
    return ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE) == 0;
#else
    (void)data;
    (void)bytes;
    return false;
#endif
}

} // namespace zelt::view
