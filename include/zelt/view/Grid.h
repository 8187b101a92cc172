#pragma once

#include "zelt/text/Locale.h"
#include "zelt/view/CellStore.h"
#include "zelt/view/GridObserver.h"
#include "zelt/view/Label.h"
#include "zelt/view/RowFormats.h"
#include "zelt/view/TextList.h"
#include "zelt/view/Widget.h"

#include <bit>
#include <deque>
#include <memory>
#include <functional>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::view {

struct ColumnRewriteRecord;

/// The line grid as a model: rows x columns of text, each cell with an
/// alignment, a background colour and a font name; fixed (header) rows, a
/// current cell, a highlight style and column widths. Cells are stored flat so
/// that an order of 100,000 lines loads and scrolls without per-row objects.
class Grid : public Widget {
public:
    /// Where a cell's text sits: horizontal then vertical.
    enum class Alignment : std::uint8_t {
        LeftTop = 0,
        LeftCenter = 1,
        LeftBottom = 2,
        CenterTop = 3,
        CenterCenter = 4,
        CenterBottom = 5,
        RightTop = 6,
        RightCenter = 7,
        RightBottom = 8,
        General = 9, ///< text left, numbers right
    };
    /// A background of this value means "the grid's own background".
    static constexpr Color kDefaultBackground = Color{0xFFFFFFFEu};

    /// An empty grid of one fixed row and two columns.
    explicit Grid(std::string name);

    /// The number of rows, fixed rows included.
    int rows() const noexcept { return rows_; }
    /// The number of columns.
    int cols() const noexcept { return cols_; }
    /// Keeps existing cells; new rows are empty. Subscript checks use these.
    /// RuntimeError (invalid procedure call) for a negative count.
    void setRows(int rows);
    /// Keeps the cells of the columns left; RuntimeError (invalid procedure
    /// call) for a negative count, as setRows.
    void setCols(int cols);
    /// The header rows at the top (1 by default); the lines start below them.
    int fixedRows() const noexcept { return fixedRows_; }
    /// RuntimeError (invalid procedure call) below 0 or beyond rows().
    void setFixedRows(int fixedRows);

    /// The cell's text; RuntimeError (subscript out of range) outside the
    /// grid, as for every cell member. The text stays valid until the cell's
    /// row changes.
    std::string_view text(int row, int col) const;
    /// Sets a cell's text (recorded in the journal); observers are told.
    void setText(int row, int col, std::string_view text);
    /// Rewrites one column from `firstRow` to the last row in one pass:
    /// `rewrite(row, text, out)` appends the row's new text to the empty
    /// `out`. The same as setText row by row, recorded as one journal entry
    /// (renumbering every line below a deleted one is one change, not thousands).
    using ColumnRewrite = std::function<void(int row, std::string_view text, std::string& out)>;
    /// See ColumnRewrite.
    void rewriteColumn(int col, int firstRow, const ColumnRewrite& rewrite);
    /// The same change, told to the observers and journalled at once
    /// (columnChanged), but each row's text is rewritten only when it is
    /// needed: when the column's cell of that row or of a row below it is
    /// read or written, when rows are inserted or removed among the rows
    /// waiting (rows inserted or removed above them move them along), or by
    /// settle().
    /// Renumbering a million lines below a deleted one then costs the delete
    /// nothing; a window settles the rest between events. `rewrite` is called
    /// once per row, in row order, and must not touch the grid; its result
    /// must depend only on the row and its text (a redo calls it again).
    /// Columns whose numbers or marks are kept are rewritten at once.
    void rewriteColumnLater(int col, int firstRow, ColumnRewrite rewrite);
    /// Rewrites up to `rows` more rows of a pending rewriteColumnLater; true
    /// when none is left.
    bool settle(int rows);
    /// True when no rewrite is pending.
    bool settled() const noexcept { return !later_; }
    /// The cell's alignment.
    Alignment alignment(int row, int col) const;
    /// Sets the cell's alignment.
    void setAlignment(int row, int col, Alignment alignment);
    /// The cell's background (kDefaultBackground for the grid's own).
    Color background(int row, int col) const;
    /// Sets the cell's background.
    void setBackground(int row, int col, Color color);
    /// The cell's font name; empty for the grid's font.
    const std::string& fontName(int row, int col) const;
    /// Gives every cell of row `to` the alignment, background and font of the
    /// same column in row `from`: one step for a load formatting many lines alike.
    void copyRowFormats(int from, int to);
    /// Sets the cell's font name (at most 254 names in one grid: RuntimeError,
    /// invalid procedure call, beyond).
    void setFontName(int row, int col, const std::string& fontName);

    /// The current row.
    int row() const noexcept { return row_; }
    /// The current column.
    int col() const noexcept { return col_; }
    /// Moves the current cell; outside the grid is an invalid procedure call.
    void setCurrentCell(int row, int col);
    /// Moves the current cell to `row`, in the current column.
    void setRow(int row) { setCurrentCell(row, col_); }
    /// How the current cell is highlighted (1 by default).
    int highlightStyle() const noexcept { return highlight_; }
    /// Sets the highlight style.
    void setHighlightStyle(int style);
    /// Width of a column in twips; 0 hides it.
    int columnWidth(int col) const;
    /// Sets a column's width in twips; RuntimeError (subscript out of range)
    /// outside the columns, as columnWidth.
    void setColumnWidth(int col, int width);
    /// The grid's own width in twips, which the column widths are shares of.
    int width() const noexcept { return width_; }
    /// Sets the grid's width in twips.
    void setWidth(int width);
    /// The row of the last click, press or release.
    int mouseRow() const noexcept { return mouseRow_; }
    /// The column of the last click, press or release.
    int mouseCol() const noexcept { return mouseCol_; }

    /// Empties every cell's text and formatting; rows and columns stay.
    void clear();
    /// Appends one empty row.
    void addRow();
    /// Inserts one empty row before `row` (rows() appends).
    void insertRow(int row);
    /// Removes one row; the rows below move up.
    void removeRow(int row);
    /// Removes the rows (sorted, distinct) in one pass, however many: one
    /// change for the journal and one reset for the observers.
    void removeRows(const std::vector<int>& rows);

    /// The lines selected together (sorted): the current row alone after a
    /// plain click, a range after a Shift click, rows added or taken away by
    /// Ctrl clicks, every line after selectAll. A load, a clear and a row
    /// change empty it, keeping the current row where there is one.
    const std::vector<int>& selectedRows() const noexcept { return selection_; }
    /// Selects these lines (sorted, duplicates and rows that are not lines
    /// dropped).
    void setSelection(std::vector<int> rows);
    /// Every data row.
    void selectAll();
    /// Replaces every cell, fixed rows included, with the given ones (which
    /// must have cols() columns), all formatting reset; the old cells come back
    /// in `cells`. The fast path of a load.
    void swapCells(CellStore& cells);
    /// The same, with the numbers kept for the new cells as keepNumbers takes
    /// them: a loader's numbers go in without every number being marked not
    /// read first.
    void swapCells(CellStore& cells, std::vector<double> numbers, const text::Locale& locale);

    /// Columns whose numbers are kept once read: the totals read them on
    /// every recalculation, and a large order would otherwise be parsed again
    /// each time. Any change to a cell forgets its number.
    void setNumberColumns(std::vector<int> cols);
    /// The number the cell's text reads as in `locale`, nothing when it is not
    /// a number (text::tryToNumber); kept for the number columns.
    std::optional<double> number(int row, int col, const text::Locale& locale) const
    {
        // A number kept for this locale is returned here, inline: the totals
        // read four per line.
        if (&locale == numbersLocale_ && row >= 0 && row < rows_ && col >= 0 && col < cols_) {
            const int slot = slotOfColumn_[static_cast<std::size_t>(col)];
            if (slot >= 0) {
                const double kept = numbers_[static_cast<std::size_t>(row) * slots_ + static_cast<std::size_t>(slot)];
                const auto bits = std::bit_cast<std::uint64_t>(kept);
                if (!std::isnan(kept)) return kept;
                if (bits == kNaNNotANumber) return std::nullopt;
            }
        }
        return readNumber(row, col, locale);
    }
    /// The kept numbers for a loop over many rows: row after row,
    /// numberSlots() apart, a cell's at its column's numberSlot() within the
    /// row. Nothing (nullptr) while they are kept for another locale. A NaN
    /// stands for a cell not read yet or not a number: number() tells which.
    const double* keptNumbers(const text::Locale& locale) const noexcept
    {
        return &locale == numbersLocale_ && !numbers_.empty() ? numbers_.data() : nullptr;
    }
    /// How many numbers a row of keptNumbers() holds.
    std::size_t numberSlots() const noexcept { return slots_; }
    /// Where a column's numbers stand within a row of keptNumbers(), or -1
    /// for a column whose numbers are not kept.
    int numberSlot(int col) const noexcept
    {
        return col >= 0 && col < cols_ ? slotOfColumn_[static_cast<std::size_t>(col)] : -1;
    }
    /// Forgets every kept number: the locale they were read in has changed.
    void forgetNumbers() const noexcept;
    /// The columns set by setNumberColumns.
    const std::vector<int>& numberColumns() const noexcept { return numberColumns_; }
    /// Sets every kept number at once: rows() x numberColumns().size()
    /// values, row by row in the order of numberColumns(); a NaN leaves its
    /// cell to be read when asked. Each value must be what its cell's text
    /// reads as in `locale`: a loader hands over the numbers it has just
    /// written, so that nothing reads them again.
    void keepNumbers(std::vector<double> values, const text::Locale& locale);

    /// The column whose cells are tested against one mark (the exempt mark
    /// of a line): whether each row's cell holds it is kept, one byte a row,
    /// so that listing the marked rows of a large order does not read every
    /// row's cells. Any change to a cell of the column forgets its answer.
    void setMarkColumn(int col, std::string mark);
    /// Whether the row's cell in the mark column holds the mark (false
    /// without a mark column or outside the grid).
    bool isMarked(int row) const
    {
        if (row < 0 || row >= rows_ || markCol_ < 0 || markCol_ >= cols_) return false;
        const std::uint8_t kept = marks_[static_cast<std::size_t>(row)];
        return kept == kMarkUnknown ? readMark(row) : kept == kMarked;
    }

    /// The characters of every cell together (an export's size, less its
    /// separators).
    std::size_t textBytes() const noexcept { return cells_.textBytes(); }

    /// A count that moves on at every change of a cell's text, of the rows,
    /// or of the numbers kept: what was worked out from the lines at one
    /// revision holds while it stays the same.
    std::uint64_t revision() const noexcept { return revision_; }
    /// The lowest row that a change since revision `since` may have touched
    /// (rows inserted or removed touch every row below them too); INT_MAX when
    /// nothing changed, 0 when the changes go too far back to tell. Lets a
    /// sum over the rows in order go on from the rows that stayed the same.
    int firstRowChangedSince(std::uint64_t since) const noexcept;

    /// The first row from `row` on that isMarked(), or rows() when none is.
    /// Rows known unmarked are passed over eight at a time, so that listing
    /// the few marked rows of a large order costs little more than a scan
    /// of one byte a row.
    int nextMarked(int row) const;
    /// Sets whether each row from `firstRow` on is marked, one value a row
    /// (nonzero where marked): a loader hands over what it has just written
    /// into the mark column, so that nothing reads those cells again.
    void keepMarks(const std::vector<std::uint8_t>& marked, int firstRow);

    /// How a click or an arrow key moves the selection along with the current
    /// row: this line alone, the range from the last plain or Ctrl click, or
    /// this line added or taken away.
    enum class Select : std::uint8_t { Only, Extend, Toggle };
    /// User actions: a click on a cell selects it and fires Click (and
    /// SelChange when the current cell moved); a click on a header row moves
    /// nothing. Ignored on a grid the user cannot reach or outside the grid.
    void userClick(int row, int col, Select select = Select::Only);
    /// The user presses a mouse button over a cell.
    void userMouseDown(MouseButton button, int row, int col);
    /// The user releases a mouse button over a cell.
    void userMouseUp(MouseButton button, int row, int col);

    /// Fired by a click on a cell.
    std::function<void()> Click;
    /// Fired after Click when the current cell moved.
    std::function<void()> SelChange;
    /// Fired by a press.
    std::function<void(MouseButton)> MouseDown;
    /// Fired by a release.
    std::function<void(MouseButton)> MouseUp;

    /// Announces one reset around many changes: observers hear
    /// gridAboutToReset now and gridReset when the last scope ends, and
    /// nothing in between. Loading uses it so that a view rebuilds once.
    class ResetScope {
    public:
        /// Starts the reset (or joins the one in progress).
        explicit ResetScope(Grid& grid) : grid_(grid) { grid_.beginReset(); }
        /// Ends it; the last scope tells the observers.
        ~ResetScope() { grid_.endReset(); }
        ResetScope(const ResetScope&) = delete;
        ResetScope& operator=(const ResetScope&) = delete;

    private:
        Grid& grid_;
    };

    /// Adds an observer of row changes and resets; it must outlive the grid or
    /// be removed first.
    void addGridObserver(GridObserver* observer);
    /// Removes an observer.
    void removeGridObserver(GridObserver* observer);

    /// Everything one cell holds.
    struct CellState {
        /// The text.
        std::string text;
        /// The alignment.
        Alignment alignment = Alignment::General;
        /// The background, as Color::value.
        std::uint32_t background = kDefaultBackground.value;
        /// The font, as an index into the grid's font names (0: the grid's own).
        std::uint8_t font = 0;
    };
    /// A record of the changes made to the cells and rows, in order, with
    /// what each change replaced; undoing it replays them backwards. Loads,
    /// clears and resizes are not recorded: they end a journal's use.
    struct Journal {
        /// What a change did.
        enum class Kind : std::uint8_t { Cell, RowInserted, RowRemoved, ColumnRewritten, ColumnRedo, RowsRemoved, RowsInserted };
        /// One change and what it replaced.
        struct Entry {
            /// What the change did.
            Kind kind;
            /// Its row (the first row for a column rewrite).
            int row;
            /// Its column.
            int col;
            /// What a Cell entry replaced.
            CellState cell;                // what a Cell entry replaced
            /// The whole rows a RowRemoved or RowsRemoved entry took.
            std::vector<CellState> cells;  // the whole rows a RowRemoved or RowsRemoved entry took
            /// A column rewrite: for ColumnRewritten what it replaced, row by
            /// row as it went; for ColumnRedo the rewrite to do again.
            std::shared_ptr<ColumnRewriteRecord> rewrite;
            /// The rows of a RowsRemoved or RowsInserted entry.
            std::vector<int> rows = {};    // the rows of a RowsRemoved or RowsInserted entry
        };
        /// The changes, oldest first.
        std::deque<Entry> entries; // grows without moving what it holds
        /// True when nothing was recorded.
        bool empty() const noexcept { return entries.empty(); }
    };
    /// Records every change into `journal` until called with null.
    void setJournal(Journal* journal) noexcept { journal_ = journal; }
    /// The journal being recorded into, or null.
    Journal* journal() const noexcept { return journal_; }
    /// Undoes the changes of a journal, newest first. What the undo changes
    /// goes to the journal set now, if any: that is the redo.
    void undo(const Journal& journal);

private:
    /// Subscript out of range outside the grid.
    void checkCell(int row, int col) const;
    void propertiesChanged();
    template <typename F>
    void each(F f)
    {
        if (resetDepth_ > 0) return;
        for (GridObserver* o : gridObservers_) f(*o);
    }
    void beginReset();
    void endReset();
    std::uint8_t fontId(const std::string& fontName);
    // A cell's alignment, background and font as one row-layout value.
    static RowFormats::Format packFormat(Alignment alignment, std::uint32_t background, std::uint8_t font) noexcept
    {
        return background | static_cast<RowFormats::Format>(alignment) << 32 | static_cast<RowFormats::Format>(font) << 40;
    }
    static Alignment alignmentOf(RowFormats::Format f) noexcept { return static_cast<Alignment>((f >> 32) & 0xFF); }
    static std::uint32_t backgroundOf(RowFormats::Format f) noexcept { return static_cast<std::uint32_t>(f); }
    static std::uint8_t fontOf(RowFormats::Format f) noexcept { return static_cast<std::uint8_t>(f >> 40); }
    static constexpr RowFormats::Format kDefaultFormat =
        kDefaultBackground.value | static_cast<RowFormats::Format>(Alignment::General) << 32;
    CellState cellState(int row, int col) const;
    void recordCell(int row, int col);
    void restoreCell(int row, int col, const CellState& state);
    /// rewriteColumnLater over `count` rows from `firstRow`.
    void rewriteRowsLater(int col, int firstRow, int count, ColumnRewrite rewrite, int fnShift);
    /// Whether a pending rewrite moves along with rows inserted (by > 0) or
    /// removed (by < 0) at `at`: they are all above it.
    bool movesAlong(int at, int by) const;
    /// Before such a change: a pending rewrite the rows touch is finished.
    void rowsMoving(int at, int by);
    /// After it: a pending rewrite below moves along.
    void rowsMoved(int at, int by);
    /// Rewrites the rows of the pending column rewrite before `end`.
    void settleTo(int end) const;
    /// Finishes the pending column rewrite: before the rows change.
    void settleAll() const
    {
        if (later_) settleTo(rows_);
    }
    /// Rewrites a pending cell before it is read or written.
    void settleCell(int row, int col) const
    {
        if (later_ && col == laterCol_ && row >= laterNext_ && row < laterEnd_) [[unlikely]]
            settleTo(row + 1);
    }
    /// Undoes a column rewrite (ColumnRewritten).
    void undoRewrite(const std::shared_ptr<ColumnRewriteRecord>& record);
    /// setText without the range check and the journal.
    void writeText(int row, int col, std::string_view text);
    void resetNumbers();
    void resetMarks();
    /// swapCells, with the numbers for the new cells or (null) none.
    void replaceCells(CellStore& cells, std::vector<double>* numbers, const text::Locale* locale);
    void forgetNumber(int row, int col) const noexcept;
    std::optional<double> readNumber(int row, int col, const text::Locale& locale) const;
    bool readMark(int row) const;
    /// Inserts empty rows so that they stand at `rows` (sorted, distinct)
    /// afterwards, in one pass.
    void insertRowsAt(const std::vector<int>& rows);
    /// A row change shifts the selection: inserted rows before it push it down.
    void shiftSelection(int from, int by);
    /// Forgets what is kept of a cell (its number, its mark) after a write.
    void cellWritten(int row, int col) const noexcept
    {
        forgetNumber(row, col);
        if (col == markCol_) marks_[static_cast<std::size_t>(row)] = kMarkUnknown;
    }
    /// The lines changed from `firstRow` on: the revision moves on and the
    /// form counts a change.
    void changed(int firstRow) noexcept
    {
        bump(firstRow);
        valueChanged();
    }
    /// The revision moves on, for a change from `firstRow` on.
    void bump(int firstRow) const noexcept;
    // Markers of a kept number that is not one: a cell known not to hold a
    // number, and one not read yet (any other NaN is taken as not read too,
    // so that a loader's NaNs need no rewriting).
    static constexpr std::uint64_t kNaNNotRead = 0x7FF8'0000'0000'0A01ULL;
    static constexpr std::uint64_t kNaNNotANumber = 0x7FF8'0000'0000'0A02ULL;

    mutable std::uint64_t revision_ = 0;
    // The changes that decide firstRowChangedSince: by revision, each with
    // a first row above those of every change after it (a change is passed
    // over once a later one starts at or above it). Only the latest ones are
    // kept; before `changesFrom_` nothing can be told.
    struct Change {
        std::uint64_t revision;
        int firstRow;
    };
    static constexpr std::size_t kChanges = 4096;
    mutable std::vector<Change> changes_ = [] {
        std::vector<Change> room;
        room.reserve(kChanges);
        return room;
    }();
    mutable std::uint64_t changesFrom_ = 0;
    int rows_ = 1;
    int cols_ = 2;
    int fixedRows_ = 1;
    int row_ = 0;
    int col_ = 0;
    int highlight_ = 1;
    int width_ = 11520; // 8 inches, a sensible default until a window sets it
    int mouseRow_ = 0;
    int mouseCol_ = 0;
    // The texts of a pending column rewrite are written when first read.
    mutable CellStore cells_;
    RowFormats formats_;
    std::vector<std::string> fontNames_{""};
    std::vector<int> widths_;
    std::vector<GridObserver*> gridObservers_;
    int resetDepth_ = 0;
    Journal* journal_ = nullptr;
    // Kept numbers: one slot per number column and row, a NaN marker for a
    // cell not read yet or not a number (a read never gives NaN).
    std::vector<int> numberColumns_;
    std::vector<int> slotOfColumn_;
    std::size_t slots_ = 0;
    mutable std::vector<double> numbers_;
    mutable const text::Locale* numbersLocale_ = nullptr;
    // Marked rows: one byte per row, unknown until read.
    static constexpr std::uint8_t kNotMarked = 0, kMarked = 1, kMarkUnknown = 2;
    int markCol_ = -1;
    std::string mark_;
    mutable std::vector<std::uint8_t> marks_ = std::vector<std::uint8_t>(1, kMarkUnknown);
    std::vector<int> selection_;
    int anchor_ = -1; // where a Shift click's range starts
    // The column rewrite under way, if any, with its column and rows kept
    // beside it for the check at every read.
    mutable std::shared_ptr<ColumnRewriteRecord> later_;
    // The rows below are where they stand now: the record's own, moved by
    // laterShift_ for the rows inserted or removed above it since it started.
    mutable int laterCol_ = -1;
    mutable int laterShift_ = 0;
    mutable int laterNext_ = 0;
    mutable int laterEnd_ = 0;
};

} // namespace zelt::view
