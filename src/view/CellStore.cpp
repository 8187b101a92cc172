#include "zelt/view/CellStore.h"

#include "view/HugePages.h"
#include "view/RowVectors.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace zelt::view {

namespace {
// memcpy/memmove with an empty text: an empty string_view may have no data
// pointer at all, which the C functions do not accept.
void copyChars(char* to, const char* from, std::size_t n) noexcept
{
    if (n > 0) std::memmove(to, from, n);
}

// A cell's text into a new block (the two never overlap). Most cells are
// short: two overlapping fixed-size copies beat a call per cell.
void copyCell(char* to, const char* from, std::size_t n) noexcept
{
    if (n >= 8 && n <= 16) {
        std::uint64_t head, tail;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + n - 8, 8);
        std::memcpy(to, &head, 8);
        std::memcpy(to + n - 8, &tail, 8);
    } else if (n >= 4 && n < 8) {
        std::uint32_t head, tail;
        std::memcpy(&head, from, 4);
        std::memcpy(&tail, from + n - 4, 4);
        std::memcpy(to, &head, 4);
        std::memcpy(to + n - 4, &tail, 4);
    } else if (n < 4) {
        for (std::size_t k = 0; k < n; ++k) to[k] = from[k];
    } else {
        std::memcpy(to, from, n);
    }
}

// Packed rows go into chunks of whole huge pages where the system has them;
// a small order's first chunk comes from malloc.
constexpr std::size_t kChunk = kHugePage;

char* newChunk(std::size_t size)
{
    const bool whole = size % kChunk == 0;
    void* chunk = whole ? std::aligned_alloc(kChunk, size) : std::malloc(size);
    if (!chunk) throw std::bad_alloc();
    if (whole) adviseHugePages(chunk, size);
    return static_cast<char*>(chunk);
}
} // namespace

void CellStore::ChunkFree::operator()(char* chunk) const noexcept { std::free(chunk); }

CellStore& CellStore::operator=(CellStore&& other) noexcept
{
    if (this == &other) return *this;
    releaseAll();
    cols_ = other.cols_;
    rows_ = std::move(other.rows_);
    chunks_ = std::move(other.chunks_);
    chunkBytes_ = std::exchange(other.chunkBytes_, 0);
    chunkFree_ = std::exchange(other.chunkFree_, nullptr);
    chunkLeft_ = std::exchange(other.chunkLeft_, 0);
    firstChunk_ = other.firstChunk_;
    retired_ = std::move(other.retired_);
    other.retired_.clear();
    other.rows_.clear();
    other.chunks_.clear();
    return *this;
}

void CellStore::release(Block& block) noexcept
{
    if (block && !(block & kPacked)) ::operator delete(const_cast<char*>(blockOf(block)));
    block = 0;
}

void CellStore::releaseAll() noexcept
{
    for (Block& block : rows_) release(block);
    for (Block& block : retired_) release(block);
    retired_.clear();
    chunks_.clear();
    chunkBytes_ = 0;
    chunkFree_ = nullptr;
    chunkLeft_ = 0;
}

void CellStore::reserveRows(std::size_t rows)
{
    rows_.reserve(rows);
    adviseHugePages(rows_.data(), rows_.capacity() * sizeof(Block));
    // A row's offsets and about 64 characters of text.
    const std::size_t estimate = rows * (static_cast<std::size_t>(cols_) * sizeof(std::uint32_t) + 64);
    firstChunk_ = std::clamp<std::size_t>(estimate, std::size_t{4} << 10, kChunk);
}

char* CellStore::packedSpace(std::size_t bytes)
{
    bytes = (bytes + 7) & ~std::size_t{7}; // the next block starts aligned
    if (bytes > chunkLeft_) {
        const std::size_t size = std::max(chunkBytes_ == 0 ? firstChunk_ : kChunk, bytes);
        chunks_.emplace_back(newChunk(size));
        chunkBytes_ += size;
        chunkFree_ = chunks_.back().get();
        chunkLeft_ = size;
    }
    char* at = chunkFree_;
    chunkFree_ += bytes;
    chunkLeft_ -= bytes;
    return at;
}

CellStore::Block CellStore::makeBlock(const std::string_view* cells, std::size_t count, bool packed)
{
    const auto cols = static_cast<std::size_t>(cols_);
    count = std::min(count, cols);
    std::size_t chars = 0;
    for (std::size_t c = 0; c < count; ++c) chars += cells[c].size();
    if (chars == 0) return 0;
    // Offsets are 32 bits at most: a row's texts together stay under 4 GB.
    if (chars > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("grid row text too long");
    const bool wide = chars > std::numeric_limits<std::uint16_t>::max();
    const bool narrow = chars <= std::numeric_limits<std::uint8_t>::max();
    const Block tags = (packed ? kPacked : 0) | (wide ? kWide : 0) | (narrow ? kNarrow : 0);
    const std::size_t width = offsetWidth(tags);
    const std::size_t header = cols * width;
    char* block = packed ? packedSpace(header + chars) : static_cast<char*>(::operator new(header + chars));
    char* out = block + header;
    std::uint32_t end = 0;
    for (std::size_t c = 0; c < cols; ++c) {
        if (c < count) {
            copyCell(out + end, cells[c].data(), cells[c].size());
            end += static_cast<std::uint32_t>(cells[c].size());
        }
        if (narrow) {
            block[c] = static_cast<char>(static_cast<std::uint8_t>(end));
        } else if (wide) {
            std::memcpy(block + c * width, &end, width);
        } else {
            const auto half = static_cast<std::uint16_t>(end);
            std::memcpy(block + c * width, &half, width);
        }
    }
    return reinterpret_cast<Block>(block) | tags;
}

void CellStore::setText(int row, int col, std::string_view text) { replaceText(row, col, text, false); }

void CellStore::rewriteText(int row, int col, std::string_view text) { replaceText(row, col, text, true); }

void CellStore::replaceText(int row, int col, std::string_view text, bool keepOld)
{
    Block& slot = rows_[static_cast<std::size_t>(row)];
    const std::string_view old = this->text(row, col);
    if (slot && old.size() == text.size()) {
        // Same length (a line renumbered, a price retyped): overwritten in place.
        copyChars(const_cast<char*>(old.data()), text.data(), text.size());
        return;
    }
    // The row rebuilt with the new text; the new text may be a view into the
    // old block, which goes only afterwards. Kept (in its chunk, or among the
    // retired blocks) when texts read from the row must stay valid.
    std::vector<std::string_view> cells(static_cast<std::size_t>(cols_));
    for (int c = 0; c < cols_; ++c) cells[static_cast<std::size_t>(c)] = c == col ? text : this->text(row, c);
    if (keepOld) retired_.reserve(retired_.size() + 1);
    const Block fresh = makeBlock(cells.data(), cells.size(), keepOld);
    if (!keepOld) release(slot);
    else if (slot && !(slot & kPacked)) retired_.push_back(slot); // a packed block stays in its chunk anyway
    slot = fresh;
}

void CellStore::appendRow(const std::string_view* cells, std::size_t count)
{
    rows_.push_back(makeBlock(cells, count, true));
}

void CellStore::appendRows(CellStore&& other)
{
    if (&other == this) return;
    // Room first: nothing after it throws, so no block is ever owned twice.
    rows_.reserve(rows_.size() + other.rows_.size());
    chunks_.reserve(chunks_.size() + other.chunks_.size());
    retired_.reserve(retired_.size() + other.retired_.size());
    rows_.insert(rows_.end(), other.rows_.begin(), other.rows_.end());
    for (auto& chunk : other.chunks_) chunks_.push_back(std::move(chunk));
    retired_.insert(retired_.end(), other.retired_.begin(), other.retired_.end());
    chunkBytes_ += std::exchange(other.chunkBytes_, 0);
    // New rows go on into this store's last chunk; the other's free room is left.
    other.rows_.clear();
    other.chunks_.clear();
    other.retired_.clear();
    other.chunkFree_ = nullptr;
    other.chunkLeft_ = 0;
}

void CellStore::insertRows(int row, int count)
{
    rows_.insert(rows_.begin() + row, static_cast<std::size_t>(count), Block{0});
}

void CellStore::removeRow(int row)
{
    release(rows_[static_cast<std::size_t>(row)]);
    rows_.erase(rows_.begin() + row);
}

void CellStore::removeRows(const std::vector<int>& rows)
{
    for (int row : rows) release(rows_[static_cast<std::size_t>(row)]);
    eraseRows(rows_, rows);
}

void CellStore::insertRowsAt(const std::vector<int>& rows) { view::insertRowsAt(rows_, rows, 1, Block{0}); }

void CellStore::setRows(int rows)
{
    for (std::size_t r = static_cast<std::size_t>(rows); r < rows_.size(); ++r) release(rows_[r]);
    rows_.resize(static_cast<std::size_t>(rows), Block{0});
}

void CellStore::setCols(int cols)
{
    if (cols == cols_) return;
    CellStore fresh(cols);
    fresh.rows_.reserve(rows_.size());
    std::vector<std::string_view> cells(static_cast<std::size_t>(cols));
    const int keep = std::min(cols, cols_);
    for (int r = 0; r < rows(); ++r) {
        for (int c = 0; c < keep; ++c) cells[static_cast<std::size_t>(c)] = text(r, c);
        fresh.rows_.push_back(fresh.makeBlock(cells.data(), static_cast<std::size_t>(keep), true));
    }
    *this = std::move(fresh);
}

void CellStore::clearTexts() { releaseAll(); }

std::size_t CellStore::memoryBytes() const noexcept
{
    std::size_t bytes = rows_.capacity() * sizeof(Block) + chunkBytes_;
    for (const Block& block : rows_)
        if (block && !(block & kPacked)) bytes += headerOf(block) + endOf(block, cols_ - 1);
    for (const Block& block : retired_) bytes += headerOf(block) + endOf(block, cols_ - 1);
    return bytes;
}

std::size_t CellStore::textBytes() const noexcept
{
    std::size_t bytes = 0;
    for (const Block& block : rows_)
        if (block) bytes += endOf(block, cols_ - 1);
    return bytes;
}

} // namespace zelt::view
