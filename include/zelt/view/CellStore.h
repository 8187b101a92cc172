#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace zelt::view {

/// The texts of a grid's cells, row by row. Each row is one block: the end
/// offset of every cell, then the cells' characters back to back. The
/// offsets take one byte each in a row of up to 255 characters (most rows),
/// two bytes up to 65,535 characters, four bytes in a longer one. A row with
/// only empty cells holds no block. Inserting or removing a row moves one
/// pointer per row below it; changing a cell rebuilds only its row. A
/// 100,000-line order takes about the size of its text plus a byte a cell,
/// where a string per cell would take 32 bytes a cell before any text.
/// Rows appended (a load) are packed into large shared chunks, one
/// allocation per megabyte instead of one per row; a packed row that changes
/// gets a block of its own and its old place stays unused until the store
/// is emptied or replaced.
class CellStore {
public:
    /// An empty store of `cols` columns.
    explicit CellStore(int cols = 0) : cols_(cols) {}
    /// Frees every block and chunk.
    ~CellStore() { releaseAll(); }
    /// Takes the rows of `other`, which is left empty.
    CellStore(CellStore&& other) noexcept { *this = std::move(other); }
    /// Takes the rows of `other`, which is left empty.
    CellStore& operator=(CellStore&& other) noexcept;
    CellStore(const CellStore&) = delete;
    CellStore& operator=(const CellStore&) = delete;

    /// The number of rows.
    int rows() const noexcept { return static_cast<int>(rows_.size()); }
    /// The number of columns.
    int cols() const noexcept { return cols_; }

    /// The cell's text; valid until its row changes. No range check.
    std::string_view text(int row, int col) const noexcept
    {
        const Block block = rows_[static_cast<std::size_t>(row)];
        if (!block) return {};
        const std::uint32_t begin = col == 0 ? 0 : endOf(block, col - 1);
        return {charsOf(block) + begin, endOf(block, col) - begin};
    }
    /// Replaces one cell's text. No range check.
    void setText(int row, int col, std::string_view text);
    /// The same, but the texts read from the row before stay valid until the
    /// store is emptied: a text rewritten when another cell of its row is
    /// being read (a pending rewrite) must not pull that cell away.
    void rewriteText(int row, int col, std::string_view text);

    /// Appends a row with the given texts (missing ones empty, extra ignored),
    /// packed into the shared chunks.
    void appendRow(const std::string_view* cells, std::size_t count);
    /// Appends the rows of `other` (of as many columns), taking its blocks
    /// and chunks as they are; `other` is left empty.
    void appendRows(CellStore&& other);
    /// Inserts empty rows before `row`.
    void insertRows(int row, int count);
    /// Removes one row; the rows below move up.
    void removeRow(int row);
    /// Removes the rows (sorted, distinct) in one pass.
    void removeRows(const std::vector<int>& rows);
    /// Inserts empty rows that stand at `rows` (sorted, distinct) afterwards.
    void insertRowsAt(const std::vector<int>& rows);
    /// Keeps the first rows; new rows are empty.
    void setRows(int rows);
    /// Changes the number of columns, keeping the texts of the columns left.
    void setCols(int cols);
    /// Empties every cell; the rows stay.
    void clearTexts();
    /// Room for `rows` rows; the first chunk of packed rows is sized for
    /// them (a small order takes kilobytes, a large one 1 MB chunks).
    void reserveRows(std::size_t rows);
    /// Gives back the row table's spare room beyond `room` rows.
    void shrinkToFit(std::size_t room = 0)
    {
        if (rows_.capacity() <= rows_.size() + room) return;
        std::vector<Block> kept;
        kept.reserve(rows_.size() + room);
        kept.assign(rows_.begin(), rows_.end());
        rows_.swap(kept);
    }

    /// Bytes held by the blocks and the row table.
    std::size_t memoryBytes() const noexcept;
    /// The characters of every cell together.
    std::size_t textBytes() const noexcept;

private:
    // A row's block address; the lowest bit marks a block packed in a chunk,
    // the next two the width of its offsets: one byte (a row of up to 255
    // characters), two, or four (kWide). Blocks start on eight-byte
    // boundaries, so the three bits are free.
    using Block = std::uintptr_t;
    static constexpr Block kPacked = 1;
    static constexpr Block kWide = 2;
    static constexpr Block kNarrow = 4;
    static constexpr Block kTags = kPacked | kWide | kNarrow;
    static const char* blockOf(Block block) noexcept { return reinterpret_cast<const char*>(block & ~kTags); }
    /// Frees a block of its own; a packed one is left in its chunk.
    static void release(Block& block) noexcept;
    void releaseAll() noexcept;
    /// setText, or (keepOld) rewriteText.
    void replaceText(int row, int col, std::string_view text, bool keepOld);
    /// Room for a packed block of `bytes`, eight-byte aligned.
    char* packedSpace(std::size_t bytes);

    /// Where a cell's characters end, from the start of the row's characters.
    static std::uint32_t endOf(Block block, int col) noexcept
    {
        const char* at = blockOf(block);
        if (block & kNarrow) return static_cast<std::uint8_t>(at[col]);
        if (block & kWide) {
            std::uint32_t end;
            std::memcpy(&end, at + static_cast<std::size_t>(col) * sizeof end, sizeof end);
            return end;
        }
        std::uint16_t end;
        std::memcpy(&end, at + static_cast<std::size_t>(col) * sizeof end, sizeof end);
        return end;
    }
    /// The bytes of each of a block's offsets, by its tags.
    static std::size_t offsetWidth(Block block) noexcept
    {
        return (block & kNarrow) ? 1 : (block & kWide) ? sizeof(std::uint32_t) : sizeof(std::uint16_t);
    }
    /// The bytes of a block's offsets.
    std::size_t headerOf(Block block) const noexcept
    {
        return static_cast<std::size_t>(cols_) * offsetWidth(block);
    }
    const char* charsOf(Block block) const noexcept { return blockOf(block) + headerOf(block); }
    /// A block holding the given cell texts, packed or of its own; none when
    /// they are all empty.
    Block makeBlock(const std::string_view* cells, std::size_t count, bool packed);

    int cols_ = 0;
    std::vector<Block> rows_;
    /// Frees a chunk (it comes from malloc or an aligned allocation).
    struct ChunkFree {
        void operator()(char* chunk) const noexcept;
    };
    std::vector<std::unique_ptr<char[], ChunkFree>> chunks_;
    std::size_t chunkBytes_ = 0; // all chunks together
    std::size_t firstChunk_ = std::size_t{1} << 20;
    char* chunkFree_ = nullptr;  // the free room of the last chunk
    std::size_t chunkLeft_ = 0;
    std::vector<Block> retired_; // blocks rewriteText replaced, freed with the store
};

} // namespace zelt::view
