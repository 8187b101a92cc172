#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace zelt::view {

/// The texts of a grid's cells, row by row. Each row is one block: the end
/// offset of every cell, then the cells' characters back to back. A row with
/// only empty cells holds no block. Inserting or removing a row moves one
/// pointer per row below it; changing a cell rebuilds only its row. A
/// 100,000-line order takes about the size of its text plus four bytes a
/// cell, where a string per cell would take 32 bytes a cell before any text.
class CellStore {
public:
    explicit CellStore(int cols = 0) : cols_(cols) {}

    int rows() const noexcept { return static_cast<int>(rows_.size()); }
    int cols() const noexcept { return cols_; }

    /// The cell's text; valid until its row changes. No range check.
    std::string_view text(int row, int col) const noexcept
    {
        const char* block = rows_[static_cast<std::size_t>(row)].get();
        if (!block) return {};
        const std::uint32_t begin = col == 0 ? 0 : endOf(block, col - 1);
        return {charsOf(block) + begin, endOf(block, col) - begin};
    }
    /// Replaces one cell's text. No range check.
    void setText(int row, int col, std::string_view text);

    /// Appends a row with the given texts (missing ones empty, extra ignored).
    void appendRow(const std::string_view* cells, std::size_t count);
    /// Inserts empty rows before `row`.
    void insertRows(int row, int count);
    void removeRow(int row);
    /// Keeps the first rows; new rows are empty.
    void setRows(int rows);
    /// Changes the number of columns, keeping the texts of the columns left.
    void setCols(int cols);
    /// Empties every cell; the rows stay.
    void clearTexts();
    void reserveRows(std::size_t rows) { rows_.reserve(rows); }
    void shrinkToFit() { rows_.shrink_to_fit(); }

    /// Bytes held by the blocks and the row table.
    std::size_t memoryBytes() const noexcept;

private:
    struct FreeBlock {
        void operator()(char* block) const noexcept { ::operator delete(block); }
    };
    using Block = std::unique_ptr<char, FreeBlock>;

    static std::uint32_t endOf(const char* block, int col) noexcept
    {
        std::uint32_t end;
        std::memcpy(&end, block + static_cast<std::size_t>(col) * sizeof end, sizeof end);
        return end;
    }
    const char* charsOf(const char* block) const noexcept
    {
        return block + static_cast<std::size_t>(cols_) * sizeof(std::uint32_t);
    }
    /// A block holding the given cell texts; none when they are all empty.
    Block makeBlock(const std::string_view* cells, std::size_t count) const;

    int cols_;
    std::vector<Block> rows_;
};

} // namespace zelt::view
