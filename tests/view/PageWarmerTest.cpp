// The warmer that brings a large buffer's pages into memory on a second
// thread: it must come down to the filler's margin, no further, bring those
// pages in, and never change a byte already written.
#include "view/HugePages.h"
#include "view/PageWarmer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

using zelt::view::kHugePage;
using zelt::view::PageWarmer;

namespace {

bool resident(const char* from, const char* to)
{
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(from) & ~(page - 1);
    const std::size_t bytes = reinterpret_cast<std::uintptr_t>(to) - begin;
    std::vector<unsigned char> in((bytes + page - 1) / page);
    if (::mincore(reinterpret_cast<void*>(begin), bytes, in.data()) != 0) return false;
    return std::all_of(in.begin(), in.end(), [](unsigned char p) { return (p & 1) != 0; });
}

char patternAt(std::size_t i) { return static_cast<char>('a' + (i / 97) % 26); }

} // namespace

TEST(PageWarmer, ComesDownToTheFillersMarginAndLeavesWhatItWrote)
{
    // The filler has written 8 MB; the warmer is told the truth or, as when
    // its thread starts before the first report, nothing yet.
    for (const bool told : {true, false}) {
        SCOPED_TRACE(told ? "told how far the filler came" : "told nothing");
        constexpr std::size_t kBytes = std::size_t{48} << 20;
        constexpr std::size_t kWritten = std::size_t{8} << 20;
        std::string text;
        text.reserve(kBytes);
        for (std::size_t i = 0; i < kWritten; ++i) text.push_back(patternAt(i));

        const std::size_t filled = told ? kWritten : 0;
        PageWarmer warmer(text.data(), kBytes, filled);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!warmer.finished() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_TRUE(warmer.finished());
        if (warmer.lowest() == kBytes) GTEST_SKIP() << "this system cannot populate pages ahead";

        // It stops at the first whole huge page two above the filler.
        const auto begin = reinterpret_cast<std::uintptr_t>(text.data());
        const std::uintptr_t stop = (begin + filled + 2 * kHugePage + kHugePage - 1) & ~(kHugePage - 1);
        EXPECT_EQ(warmer.lowest(), stop - begin);
        const std::uintptr_t top = (begin + kBytes) & ~(kHugePage - 1);
        EXPECT_TRUE(resident(text.data() + warmer.lowest(), reinterpret_cast<const char*>(top)));

        std::size_t changed = 0;
        for (std::size_t i = 0; i < kWritten; ++i) changed += text[i] != patternAt(i) ? 1 : 0;
        EXPECT_EQ(changed, 0u);
    }
}

TEST(PageWarmer, BringingPagesInNowLeavesTheirTextAndMapsThem)
{
    // A range that starts inside written text and runs past it, not on page
    // boundaries: the pages around it are brought in whole, and stay as they were.
    constexpr std::size_t kBytes = std::size_t{6} << 20;
    std::string text;
    text.reserve(kBytes);
    for (std::size_t i = 0; i < kBytes / 2; ++i) text.push_back(patternAt(i));
    const char* from = text.data() + kBytes / 4 + 3;
    const char* to = text.data() + kBytes - 5;
    zelt::view::bringIn(from, static_cast<std::size_t>(to - from));
    EXPECT_TRUE(resident(from, to));
    std::size_t changed = 0;
    for (std::size_t i = 0; i < text.size(); ++i) changed += text[i] != patternAt(i) ? 1 : 0;
    EXPECT_EQ(changed, 0u);
}
