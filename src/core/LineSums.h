#pragma once

#include "zelt/text/Currency.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace zelt {

struct ControlContext;
namespace view {
class Grid;
}

/// What the totals, the rewards check and the tax summary add up over every
/// line, each in the lines' order, in one pass over the numbers the grid
/// keeps. The sums are kept until the lines change (the grid's revision),
/// the locale or the status positions do: a key typed in a fee box, or the
/// totals run again after the rewards check, adds nothing up again. The sums
/// so far are also kept every few thousand lines: after a change the sum
/// goes on from the last of them before the first changed line, and adds
/// the same numbers in the same order as a pass from the first line.
///
/// The sums exist only when every line's numbers are kept and are numbers;
/// otherwise (a line just written, a cell that is not a number) the callers
/// read cell by cell, which fails where it must and keeps the numbers for the
/// next time.
class LineSums {
public:
    struct Totals {
        /// Unit weight times quantity on merchandise and status-1 lines.
        double weight = 0;
        /// The amounts of the merchandise lines.
        double merchandise = 0;
        /// The amount of the last rewards line; 0 without one.
        double lastRewards = 0;
        /// The amounts of the rewards lines.
        double rewards = 0;
        /// The quantities of the lines with a positive amount.
        double units = 0;
    };
    /// The amounts as currency, each line's rounded first.
    struct CurrencyTotals {
        text::Currency all;
        text::Currency positive;
    };

    /// The line totals, or nothing when a line's numbers are not all kept.
    /// A sum may be infinite: the caller then reads cell by cell to fail
    /// where the line by line sum does.
    const Totals* totals(const ControlContext& ctx);
    /// The currency sums, or nothing when a line's amount is not kept, or an
    /// amount or a sum is beyond the currency range.
    const CurrencyTotals* currencyTotals(const ControlContext& ctx);

private:
    /// What the sums depend on besides the lines.
    struct Key {
        const text::Locale* locale = nullptr;
        std::int16_t positions[3] = {0, 0, 0};
        bool operator==(const Key&) const = default;
    };
    static Key keyOf(const ControlContext& ctx);

    /// The lines between two kept sums.
    static constexpr int kStride = 4096;
    /// One kind of sums over the lines in order, at one revision.
    template <typename Sums>
    struct Running {
        std::optional<Key> key;
        std::uint64_t revision = 0;
        /// at[i]: the sums of lines 1 to i * kStride.
        std::vector<Sums> at;
        /// The sums of every line, when every line added up.
        std::optional<Sums> whole;
    };
    /// The line to go on from, with at.back() the sums of the lines before
    /// it; 0 when the sums kept are those of the grid as it is.
    template <typename Sums>
    static int resume(Running<Sums>& run, const Key& key, const view::Grid& grid);

    /// Keeps `before`, the sums of the lines before `row`, when a kept sum
    /// falls there and is not kept yet.
    template <typename Sums>
    static void keepAt(Running<Sums>& run, int row, const Sums& before);

    /// Adds the lines from `from` on with `adding` (its sums() and add() of
    /// the row's numbers in `cols`), keeping the sums on the way and the
    /// whole; false at a line with a cell that is not a number.
    template <typename Sums, std::size_t N, typename Adding>
    static bool addUp(Running<Sums>& run, const ControlContext& ctx, const std::array<int, N>& cols, int from,
                      Adding& adding);

    Running<Totals> totals_;
    Running<CurrencyTotals> currency_;
};

} // namespace zelt
