#include "zelt/view/RowFormats.h"

#include "view/RowVectors.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace zelt::view {

void RowFormats::addDefaultLayout()
{
    cells_.assign(static_cast<std::size_t>(cols_), default_);
    refs_.assign(1, 1);
    free_.clear();
    idle_ = 0;
    byHash_.clear();
    byHash_.emplace(hashOf(cells_.data()), kDefault);
    recent_.fill(Change{});
}

std::size_t RowFormats::hashOf(const Format* cells) const noexcept
{
    std::uint64_t h = 1469598103934665603ULL;
    for (int c = 0; c < cols_; ++c) {
        h ^= cells[c];
        h *= 1099511628211ULL;
        h ^= h >> 29;
    }
    return static_cast<std::size_t>(h);
}

RowFormats::Layout RowFormats::intern(const Format* cells)
{
    const std::size_t hash = hashOf(cells);
    const auto [first, last] = byHash_.equal_range(hash);
    for (auto it = first; it != last; ++it)
        if (std::equal(cells, cells + cols_, cellsOf(it->second))) {
            addRef(it->second);
            return it->second;
        }
    Layout layout;
    if (!free_.empty()) {
        layout = free_.back();
        free_.pop_back();
        std::copy(cells, cells + cols_, cells_.begin() + static_cast<std::ptrdiff_t>(layout * static_cast<std::size_t>(cols_)));
        refs_[layout] = 1;
    } else {
        if (refs_.size() >= std::numeric_limits<Layout>::max()) throw std::length_error("too many row layouts");
        layout = static_cast<Layout>(refs_.size());
        cells_.insert(cells_.end(), cells, cells + cols_);
        refs_.push_back(1);
    }
    byHash_.emplace(hash, layout);
    return layout;
}

void RowFormats::addRef(Layout layout) noexcept
{
    if (layout == kDefault) return;
    if (refs_[layout]++ == 0) --idle_;
}

void RowFormats::release(Layout layout) noexcept
{
    if (layout == kDefault || --refs_[layout] > 0) return;
    if (++idle_ > std::max<std::size_t>(64, refs_.size() / 2)) sweep();
}

void RowFormats::sweep() noexcept
{
    for (Layout layout = 1; layout < refs_.size(); ++layout) {
        if (refs_[layout] != 0) continue;
        const auto [first, last] = byHash_.equal_range(hashOf(cellsOf(layout)));
        for (auto it = first; it != last; ++it)
            if (it->second == layout) {
                byHash_.erase(it);
                break;
            }
        refs_[layout] = kFreed;
        free_.push_back(layout);
    }
    idle_ = 0;
    recent_.fill(Change{});
}

std::size_t RowFormats::layouts() const noexcept
{
    std::size_t used = 1;
    for (Layout layout = 1; layout < refs_.size(); ++layout) used += refs_[layout] != 0 && refs_[layout] != kFreed;
    return used;
}

std::size_t RowFormats::slotOf(Layout from, int col, Format format) noexcept
{
    std::uint64_t h = (static_cast<std::uint64_t>(from) << 20 ^ static_cast<std::uint64_t>(col)) * 0x9E3779B97F4A7C15ULL;
    h ^= format * 0xC2B2AE3D27D4EB4FULL;
    return static_cast<std::size_t>(h >> 58); // 64 slots
}

void RowFormats::set(int row, int col, Format format)
{
    Layout& layout = layoutOf_[static_cast<std::size_t>(row)];
    if (get(row, col) == format) return;
    const Layout from = layout;
    Change& change = recent_[slotOf(from, col, format)];
    if (change.col != col || change.from != from || change.format != format) {
        scratch_.assign(cellsOf(from), cellsOf(from) + cols_);
        scratch_[static_cast<std::size_t>(col)] = format;
        change = Change{from, col, format, intern(scratch_.data())};
    } else {
        addRef(change.to);
    }
    layout = change.to;
    release(from);
}

void RowFormats::copyRow(int from, int to) noexcept
{
    const Layout layout = layoutOf_[static_cast<std::size_t>(from)];
    Layout& old = layoutOf_[static_cast<std::size_t>(to)];
    if (old == layout) return;
    addRef(layout);
    release(old);
    old = layout;
}

void RowFormats::insertRows(int row, int count)
{
    layoutOf_.insert(layoutOf_.begin() + row, static_cast<std::size_t>(count), kDefault);
}

void RowFormats::removeRow(int row)
{
    release(layoutOf_[static_cast<std::size_t>(row)]);
    layoutOf_.erase(layoutOf_.begin() + row);
}

void RowFormats::removeRows(const std::vector<int>& rows)
{
    for (int row : rows) release(layoutOf_[static_cast<std::size_t>(row)]);
    eraseRows(layoutOf_, rows);
}

void RowFormats::insertRowsAt(const std::vector<int>& rows) { view::insertRowsAt(layoutOf_, rows, 1, kDefault); }

void RowFormats::setRows(int rows)
{
    for (std::size_t r = static_cast<std::size_t>(rows); r < layoutOf_.size(); ++r) release(layoutOf_[r]);
    layoutOf_.resize(static_cast<std::size_t>(rows), kDefault);
}

void RowFormats::setCols(int cols)
{
    if (cols == cols_) return;
    RowFormats fresh(cols, default_);
    fresh.layoutOf_.reserve(layoutOf_.size());
    std::vector<Format> cells(static_cast<std::size_t>(cols), default_);
    const auto keep = static_cast<std::size_t>(std::min(cols, cols_));
    // Each old layout maps to one new one, interned once.
    constexpr Layout kUnmapped = std::numeric_limits<Layout>::max();
    std::vector<Layout> mapped(refs_.size(), kUnmapped);
    for (const Layout old : layoutOf_) {
        Layout& to = mapped[old];
        if (to == kUnmapped) {
            std::copy(cellsOf(old), cellsOf(old) + keep, cells.begin());
            to = fresh.intern(cells.data());
        } else if (to != kDefault) {
            ++fresh.refs_[to];
        }
        fresh.layoutOf_.push_back(to);
    }
    *this = std::move(fresh);
}

void RowFormats::reset(int rows)
{
    addDefaultLayout();
    // Room for rows added after a load, as the grid's other row tables keep.
    layoutOf_.reserve(static_cast<std::size_t>(rows) + static_cast<std::size_t>(rows) / 64 + 1024);
    layoutOf_.assign(static_cast<std::size_t>(rows), kDefault);
}

std::size_t RowFormats::memoryBytes() const noexcept
{
    return layoutOf_.capacity() * sizeof(Layout) + cells_.capacity() * sizeof(Format) +
           refs_.capacity() * sizeof(std::uint32_t) + free_.capacity() * sizeof(Layout) +
           byHash_.size() * (sizeof(std::size_t) + sizeof(Layout) + 2 * sizeof(void*));
}

} // namespace zelt::view
