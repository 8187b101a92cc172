#pragma once

#include <cstddef>
#include <cstdint>

namespace zelt {

/// Which way FindLines looks from its starting row.
enum class FindDirection : std::uint8_t { Forward, Backward };

/// What FindLines found: the grid row of the match (-1 when no line holds
/// the text), its place among all the matching lines (1 for the first, in
/// row order) and their number, and whether the search went round the end
/// of the order (or its start, going back) to reach it.
struct LineMatch {
    int row = -1;
    std::size_t index = 0;
    std::size_t count = 0;
    bool wrapped = false;

    bool found() const noexcept { return row >= 0; }
};

} // namespace zelt
