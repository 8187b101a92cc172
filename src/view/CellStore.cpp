#include "zelt/view/CellStore.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <new>
#include <stdexcept>

namespace zelt::view {

namespace {
// memcpy/memmove with an empty text: an empty string_view may have no data
// pointer at all, which the C functions do not accept.
void copyChars(char* to, const char* from, std::size_t n) noexcept
{
    if (n > 0) std::memmove(to, from, n);
}
} // namespace

CellStore::Block CellStore::makeBlock(const std::string_view* cells, std::size_t count) const
{
    const auto cols = static_cast<std::size_t>(cols_);
    count = std::min(count, cols);
    std::size_t chars = 0;
    for (std::size_t c = 0; c < count; ++c) chars += cells[c].size();
    if (chars == 0) return nullptr;
    // Offsets are 32 bits: a row's texts together stay under 4 GB.
    if (chars > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("grid row text too long");
    const std::size_t header = cols * sizeof(std::uint32_t);
    Block block(static_cast<char*>(::operator new(header + chars)));
    char* out = block.get() + header;
    std::uint32_t end = 0;
    for (std::size_t c = 0; c < cols; ++c) {
        if (c < count) {
            copyChars(out + end, cells[c].data(), cells[c].size());
            end += static_cast<std::uint32_t>(cells[c].size());
        }
        std::memcpy(block.get() + c * sizeof end, &end, sizeof end);
    }
    return block;
}

void CellStore::setText(int row, int col, std::string_view text)
{
    Block& block = rows_[static_cast<std::size_t>(row)];
    const std::string_view old = this->text(row, col);
    if (block && old.size() == text.size()) {
        // Same length (a line renumbered, a price retyped): overwritten in place.
        copyChars(block.get() + (old.data() - block.get()), text.data(), text.size());
        return;
    }
    if (!block) {
        std::vector<std::string_view> cells(static_cast<std::size_t>(cols_));
        cells[static_cast<std::size_t>(col)] = text;
        block = makeBlock(cells.data(), cells.size());
        return;
    }
    // The row rebuilt around the new text: the characters before it, the
    // text, the characters after it; the offsets from this cell on move.
    const std::size_t header = static_cast<std::size_t>(cols_) * sizeof(std::uint32_t);
    const std::size_t before = static_cast<std::size_t>(old.data() - charsOf(block.get()));
    const std::size_t total = endOf(block.get(), cols_ - 1);
    const std::size_t after = total - before - old.size();
    const std::size_t chars = before + text.size() + after;
    if (chars == 0) {
        block.reset();
        return;
    }
    if (chars > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("grid row text too long");
    Block fresh(static_cast<char*>(::operator new(header + chars)));
    std::memcpy(fresh.get(), block.get(), header);
    char* out = fresh.get() + header;
    copyChars(out, charsOf(block.get()), before);
    copyChars(out + before, text.data(), text.size());
    copyChars(out + before + text.size(), old.data() + old.size(), after);
    for (int c = col; c < cols_; ++c) {
        const std::uint32_t end = static_cast<std::uint32_t>(endOf(block.get(), c) - old.size() + text.size());
        std::memcpy(fresh.get() + static_cast<std::size_t>(c) * sizeof end, &end, sizeof end);
    }
    block = std::move(fresh);
}

void CellStore::appendRow(const std::string_view* cells, std::size_t count)
{
    rows_.push_back(makeBlock(cells, count));
}

void CellStore::insertRows(int row, int count)
{
    // Empty rows hold no block: null pointers moved into place.
    std::vector<Block> empty(static_cast<std::size_t>(count));
    rows_.insert(rows_.begin() + row, std::make_move_iterator(empty.begin()), std::make_move_iterator(empty.end()));
}

void CellStore::removeRow(int row) { rows_.erase(rows_.begin() + row); }

void CellStore::setRows(int rows) { rows_.resize(static_cast<std::size_t>(rows)); }

void CellStore::setCols(int cols)
{
    if (cols == cols_) return;
    std::vector<std::string_view> cells(static_cast<std::size_t>(cols));
    std::vector<Block> rows;
    rows.reserve(rows_.size());
    const int keep = std::min(cols, cols_);
    for (int r = 0; r < this->rows(); ++r) {
        for (int c = 0; c < keep; ++c) cells[static_cast<std::size_t>(c)] = text(r, c);
        const int oldCols = cols_;
        cols_ = cols; // the new block's layout
        rows.push_back(makeBlock(cells.data(), static_cast<std::size_t>(keep)));
        cols_ = oldCols; // the old blocks are still read
    }
    rows_ = std::move(rows);
    cols_ = cols;
}

void CellStore::clearTexts()
{
    for (Block& block : rows_) block.reset();
}

std::size_t CellStore::memoryBytes() const noexcept
{
    std::size_t bytes = rows_.capacity() * sizeof(Block);
    for (const Block& block : rows_)
        if (block) bytes += static_cast<std::size_t>(cols_) * sizeof(std::uint32_t) + endOf(block.get(), cols_ - 1);
    return bytes;
}

} // namespace zelt::view
