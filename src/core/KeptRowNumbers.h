#pragma once

#include "zelt/view/Grid.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace zelt {

/// A few columns' numbers read row by row for a loop over every line: straight
/// from the numbers the grid keeps, without a call per cell. A row with one of
/// them not read yet, or not a number, is left to the caller's cell by cell
/// way (which keeps what it reads for the next loop).
template <std::size_t N>
class KeptRowNumbers {
public:
    KeptRowNumbers(const view::Grid& grid, const text::Locale& locale, const std::array<int, N>& cols) noexcept
        : kept_(grid.keptNumbers(locale)), stride_(grid.numberSlots())
    {
        for (std::size_t k = 0; k < N; ++k) {
            slots_[k] = grid.numberSlot(cols[k]);
            if (slots_[k] < 0) kept_ = nullptr;
        }
    }

    /// The row's numbers, in the columns' order; false when any is not kept
    /// as a number (then `out` means nothing).
    bool read(int row, std::array<double, N>& out) const noexcept
    {
        if (!kept_) return false;
        const double* v = kept_ + static_cast<std::size_t>(row) * stride_;
        bool known = true;
        for (std::size_t k = 0; k < N; ++k) {
            out[k] = v[slots_[k]];
            known &= !std::isnan(out[k]); // no branch per number
        }
        return known;
    }

private:
    const double* kept_;
    std::size_t stride_;
    std::array<int, N> slots_{};
};

} // namespace zelt
