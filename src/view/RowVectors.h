#pragma once

#include <cstddef>
#include <vector>

namespace zelt::view {

/// Removes whole rows from a vector holding `stride` entries a row: `rows`
/// sorted and distinct, in one pass however many there are.
template <typename T>
void eraseRows(std::vector<T>& v, const std::vector<int>& rows, std::size_t stride = 1)
{
    if (rows.empty()) return;
    std::size_t out = static_cast<std::size_t>(rows.front()) * stride;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::size_t from = (static_cast<std::size_t>(rows[k]) + 1) * stride;
        const std::size_t to = k + 1 < rows.size() ? static_cast<std::size_t>(rows[k + 1]) * stride : v.size();
        for (std::size_t i = from; i < to; ++i) v[out++] = std::move(v[i]);
    }
    v.resize(out);
}

/// Inserts rows of `fill` so that they stand at `rows` (sorted, distinct,
/// as numbered afterwards), in one pass.
template <typename T>
void insertRowsAt(std::vector<T>& v, const std::vector<int>& rows, std::size_t stride, const T& fill)
{
    if (rows.empty()) return;
    const std::size_t oldSize = v.size();
    v.resize(oldSize + rows.size() * stride, fill);
    // From the back: each old entry moves down by the inserted rows before it.
    std::size_t src = oldSize;
    std::size_t dst = v.size();
    for (std::size_t k = rows.size(); k-- > 0;) {
        const std::size_t rowEnd = (static_cast<std::size_t>(rows[k]) + 1) * stride;
        while (dst > rowEnd) v[--dst] = std::move(v[--src]);
        for (std::size_t i = 0; i < stride; ++i) v[--dst] = fill;
    }
}

} // namespace zelt::view
