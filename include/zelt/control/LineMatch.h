#pragma once

#include <cstddef>
#include <cstdint>

namespace zelt {

/// Which way FindLines looks from its starting row.
enum class FindDirection : std::uint8_t { Forward, Backward };

/// Whether FindLines counts the matching lines before it returns (Now), or
/// only finds the match and leaves the count to PrepareFindLines, slice by
/// slice between a window's events (Later).
enum class FindCount : std::uint8_t { Now, Later };

/// What FindLines found: the grid row of the match (-1 when no line holds
/// the text), its place among all the matching lines (1 for the first, in
/// row order) and their number, and whether the search went round the end
/// of the order (or its start, going back) to reach it. When the count was
/// left for later and is not done yet, `counted` is false and index and
/// count are 0.
struct LineMatch {
    /// The grid row of the matching line (the first line is row 1); -1 for none.
    int row = -1;
    /// The match's place among all matching lines, in row order (1 for the
    /// first); 0 when none matches or the count is not done yet.
    std::size_t index = 0;
    /// How many lines match; 0 until counted.
    std::size_t count = 0;
    /// True when the search went round the end (or start) of the order.
    bool wrapped = false;
    /// False while the count left to PrepareFindLines (FindCount::Later) is
    /// not done.
    bool counted = true;

    /// True when a line matches.
    bool found() const noexcept { return row >= 0; }
};

} // namespace zelt
