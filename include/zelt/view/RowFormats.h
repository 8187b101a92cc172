#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace zelt::view {

/// The formatting of a grid's cells, row by row. Rows of an order share a
/// handful of layouts (plain, shaded, a line with aligned texts), so each
/// distinct row layout is kept once and a row holds only its number: inserting
/// or removing a row moves four bytes per row below it, not a byte or four
/// for every cell. A cell's format is one opaque 64-bit value.
class RowFormats {
public:
    /// A cell's format.
    using Format = std::uint64_t;

    /// No rows yet; new rows have `defaultFormat` in every column.
    RowFormats(int cols, Format defaultFormat) : cols_(cols), default_(defaultFormat) { addDefaultLayout(); }

    /// The number of rows.
    int rows() const noexcept { return static_cast<int>(layoutOf_.size()); }
    /// The number of columns.
    int cols() const noexcept { return cols_; }
    /// No range check.
    Format get(int row, int col) const noexcept
    {
        return cells_[layoutOf_[static_cast<std::size_t>(row)] * static_cast<std::size_t>(cols_) +
                      static_cast<std::size_t>(col)];
    }
    /// No range check.
    void set(int row, int col, Format format);
    /// Gives row `to` the formats of row `from`. No range check.
    void copyRow(int from, int to) noexcept;
    /// Inserts rows of default formats before `row`.
    void insertRows(int row, int count);
    /// Removes one row; the rows below move up.
    void removeRow(int row);
    /// Removes the rows (sorted, distinct) in one pass.
    void removeRows(const std::vector<int>& rows);
    /// Inserts default rows that stand at `rows` (sorted, distinct) afterwards.
    void insertRowsAt(const std::vector<int>& rows);
    /// Keeps the first rows; new rows have default formats.
    void setRows(int rows);
    /// Changes the number of columns, keeping the formats of the columns left.
    void setCols(int cols);
    /// Every row back to default formats.
    void reset(int rows);
    /// Distinct row layouts used by rows, the default one always counted.
    std::size_t layouts() const noexcept;
    /// Bytes held by the layouts and the row table.
    std::size_t memoryBytes() const noexcept;

private:
    using Layout = std::uint32_t;
    static constexpr Layout kDefault = 0;

    void addDefaultLayout();
    const Format* cellsOf(Layout layout) const noexcept { return cells_.data() + layout * static_cast<std::size_t>(cols_); }
    std::size_t hashOf(const Format* cells) const noexcept;
    /// The layout holding these formats, added if new; one more reference to it.
    Layout intern(const Format* cells);
    void addRef(Layout layout) noexcept;
    void release(Layout layout) noexcept;
    /// Frees every layout no row uses.
    void sweep() noexcept;
    static std::size_t slotOf(Layout from, int col, Format format) noexcept;

    int cols_;
    Format default_;
    std::vector<Layout> layoutOf_;  // per row
    std::vector<Format> cells_;     // cols_ formats per layout
    std::vector<std::uint32_t> refs_;  // rows using each layout; kFreed for a free one
    static constexpr std::uint32_t kFreed = 0xFFFFFFFFu;
    std::vector<Layout> free_;
    // Layouts no row uses stay findable until there are many of them: a load
    // shading column after column passes through the same short-lived
    // layouts on every line.
    std::size_t idle_ = 0;
    std::unordered_multimap<std::size_t, Layout> byHash_;
    // Changes made lately, by a hash of what changed: the same change made to
    // many rows of the same layout (a load aligning two columns of every
    // line) is found here instead of hashing the layout again.
    struct Change {
        Layout from = kDefault;
        int col = -1;
        Format format = 0;
        Layout to = kDefault;
    };
    std::array<Change, 64> recent_{};
    std::vector<Format> scratch_;
};

} // namespace zelt::view
