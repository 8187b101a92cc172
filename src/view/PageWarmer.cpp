#include "view/PageWarmer.h"

#include "view/HugePages.h"

#include <cstdint>
#include <system_error>

#include <sys/mman.h>

namespace zelt::view {

PageWarmer::PageWarmer(const char* data, std::size_t bytes, std::size_t filled) : filled_(filled), lowest_(bytes)
{
#ifdef MADV_POPULATE_WRITE
    if (bytes >= kFrom && std::thread::hardware_concurrency() >= 2) {
        try {
            thread_ = std::thread([this, data, bytes] {
                warm(data, bytes);
                finished_.store(true, std::memory_order_release);
            });
            return;
        } catch (const std::system_error&) {
            // No thread to be had: the filler touches every page itself, as
            // it would without the warmer.
        }
    }
#else
    (void)data;
#endif
    finished_.store(true, std::memory_order_release);
}

PageWarmer::~PageWarmer()
{
    stop();
    if (thread_.joinable()) thread_.join();
}

void PageWarmer::warm(const char* data, std::size_t bytes) noexcept
{
    // Whole huge pages, the top one first; a margin of two of them keeps the
    // warmer off the page the filler is writing.
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    std::uintptr_t top = (begin + bytes) & ~(kHugePage - 1);
    while (!stop_.load(std::memory_order_relaxed) && top >= begin + kHugePage) {
        const std::uintptr_t page = top - kHugePage;
        if (page < begin + filled_.load(std::memory_order_relaxed) + 2 * kHugePage) break;
        // A system that cannot bring pages in says so once, and the filler
        // touches the pages itself.
        if (!bringIn(reinterpret_cast<const void*>(page), kHugePage)) break;
        top = page;
        lowest_.store(top - begin, std::memory_order_release);
    }
}

} // namespace zelt::view
