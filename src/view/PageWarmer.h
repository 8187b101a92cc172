#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

namespace zelt::view {

/// Brings the pages of a large buffer into memory on a second thread while
/// the calling thread fills the buffer from its start. The first touch of a
/// fresh page (the system zeroing it, and on a virtual machine the host
/// backing it) costs as much as writing the text into it; the warmer takes
/// the pages from the far end down and stops where the filler has come, so
/// the two share that cost. It never writes to the buffer: what the filler
/// wrote stays, and a page it brings in reads as zeros, as a fresh one would.
class PageWarmer {
public:
    /// Warms [data, data + bytes) from the top down, the filler having
    /// written `filled` bytes. Below `kFrom` bytes, or on one core or a
    /// system without page population, it does nothing.
    PageWarmer(const char* data, std::size_t bytes, std::size_t filled = 0);
    /// Stops warming and waits for the thread.
    ~PageWarmer();
    PageWarmer(const PageWarmer&) = delete;
    PageWarmer& operator=(const PageWarmer&) = delete;

    /// The filler has written this many bytes: the warmer stays above them.
    void reached(std::size_t bytes) noexcept { filled_.store(bytes, std::memory_order_relaxed); }
    /// The buffer is no longer the one being filled (it moved, or the fill
    /// failed): warming stops.
    void stop() noexcept { stop_.store(true, std::memory_order_relaxed); }

    /// Where the warming has come down to, in bytes from the buffer's start
    /// (the buffer's size before it starts); settled once finished().
    std::size_t lowest() const noexcept { return lowest_.load(std::memory_order_acquire); }
    /// The warming thread has ended (or never started).
    bool finished() const noexcept { return finished_.load(std::memory_order_acquire); }

    static constexpr std::size_t kFrom = std::size_t{16} << 20;

private:
    void warm(const char* data, std::size_t bytes) noexcept;

    std::atomic<std::size_t> filled_{0};
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> lowest_;
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

} // namespace zelt::view
