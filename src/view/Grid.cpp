#include "zelt/view/Grid.h"

#include "view/RowVectors.h"

#include "zelt/text/NumberText.h"
#include "zelt/text/RuntimeError.h"

#include <algorithm>
#include <iterator>
#include <cstring>
#include <bit>
#include <cmath>
#include <limits>

namespace zelt::view {

using text::RuntimeError;

/// A column rewrite and how far it has gone: rows [first, next) are
/// rewritten, [next, end) wait for it, as the rows stood when it started
/// (rows inserted or removed above it since move it down or up: the grid
/// keeps by how much). `rewrite` is given a row less `fnShift`: a redo
/// started elsewhere than the first rewrite still calls it with that one's
/// rows. When journalled it keeps what the rewritten rows held, in row
/// order, for the undo.
struct ColumnRewriteRecord {
    int col = 0;
    int first = 0;
    int end = 0;
    int next = 0;
    int fnShift = 0;
    Grid::ColumnRewrite rewrite;
    bool keepOld = false;
    TextList old;
};


Grid::Grid(std::string name) : Widget(WidgetKind::Grid, std::move(name)), formats_(cols_, kDefaultFormat)
{
    cells_ = CellStore(cols_);
    cells_.setRows(rows_);
    formats_.reset(rows_);
    widths_.assign(static_cast<std::size_t>(cols_), 960);
    slotOfColumn_.assign(static_cast<std::size_t>(cols_), -1);
}

void Grid::checkCell(int row, int col) const
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) throw RuntimeError::subscriptOutOfRange();
}

void Grid::propertiesChanged()
{
    notifyChanged();
    each([](GridObserver& o) { o.gridPropertiesChanged(); });
}

void Grid::setRows(int rows)
{
    if (rows < 0) throw RuntimeError::invalidProcedureCall();
    if (rows == rows_) return;
    settleAll();
    const int firstChanged = std::min(rows_, rows);
    each([](GridObserver& o) { o.gridAboutToReset(); });
    cells_.setRows(rows);
    formats_.setRows(rows);
    numbers_.resize(static_cast<std::size_t>(rows) * slots_, std::bit_cast<double>(kNaNNotRead));
    marks_.resize(static_cast<std::size_t>(rows), kMarkUnknown);
    rows_ = rows;
    row_ = std::min(row_, std::max(rows_ - 1, 0));
    selection_.clear();
    anchor_ = -1;
    each([](GridObserver& o) { o.gridReset(); });
    notifyChanged();
    changed(firstChanged);
}

void Grid::setCols(int cols)
{
    if (cols < 0) throw RuntimeError::invalidProcedureCall();
    if (cols == cols_) return;
    settleAll();
    each([](GridObserver& o) { o.gridAboutToReset(); });
    cells_.setCols(cols);
    formats_.setCols(cols);
    widths_.resize(static_cast<std::size_t>(cols), 960);
    cols_ = cols;
    col_ = std::min(col_, std::max(cols_ - 1, 0));
    setNumberColumns(std::move(numberColumns_));
    each([](GridObserver& o) { o.gridReset(); });
    notifyChanged();
}

void Grid::setFixedRows(int fixedRows)
{
    if (fixedRows < 0 || fixedRows > rows_) throw RuntimeError::invalidProcedureCall();
    if (fixedRows == fixedRows_) return;
    each([](GridObserver& o) { o.gridAboutToReset(); });
    fixedRows_ = fixedRows;
    each([](GridObserver& o) { o.gridReset(); });
}

std::string_view Grid::text(int row, int col) const
{
    checkCell(row, col);
    settleCell(row, col);
    return cells_.text(row, col);
}

Grid::CellState Grid::cellState(int row, int col) const
{
    checkCell(row, col);
    settleCell(row, col);
    const RowFormats::Format format = formats_.get(row, col);
    return {std::string(cells_.text(row, col)), alignmentOf(format), backgroundOf(format), fontOf(format)};
}

void Grid::recordCell(int row, int col)
{
    if (journal_) journal_->entries.push_back({Journal::Kind::Cell, row, col, cellState(row, col), {}, {}});
}

void Grid::restoreCell(int row, int col, const CellState& state)
{
    checkCell(row, col);
    settleCell(row, col);
    recordCell(row, col);
    cells_.setText(row, col, state.text);
    cellWritten(row, col);
    changed(row);
    formats_.set(row, col,
                 packFormat(state.alignment, state.background, state.font < fontNames_.size() ? state.font : std::uint8_t{0}));
    each([&](GridObserver& o) { o.cellChanged(row, col); });
}

void Grid::undo(const Journal& journal)
{
    for (auto e = journal.entries.rbegin(); e != journal.entries.rend(); ++e) {
        switch (e->kind) {
        case Journal::Kind::Cell: restoreCell(e->row, e->col, e->cell); break;
        case Journal::Kind::ColumnRewritten: undoRewrite(e->rewrite); break;
        case Journal::Kind::ColumnRedo:
            rewriteRowsLater(e->col, e->rewrite->first, e->rewrite->end - e->rewrite->first, e->rewrite->rewrite,
                             e->rewrite->fnShift);
            break;
        case Journal::Kind::RowInserted: removeRow(e->row); break;
        case Journal::Kind::RowsInserted: removeRows(e->rows); break;
        case Journal::Kind::RowsRemoved: {
            insertRowsAt(e->rows);
            Journal* keep = journal_;
            journal_ = nullptr; // the inserted rows are recorded as one entry, not cell by cell
            for (std::size_t k = 0; k < e->rows.size(); ++k)
                for (int c = 0; c < cols_; ++c)
                    restoreCell(e->rows[k], c, e->cells[k * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(c)]);
            journal_ = keep;
            break;
        }
        case Journal::Kind::RowRemoved: {
            insertRow(e->row);
            Journal* keep = journal_;
            journal_ = nullptr; // the inserted row is recorded as one entry, not cell by cell
            for (int c = 0; c < cols_ && c < static_cast<int>(e->cells.size()); ++c)
                restoreCell(e->row, c, e->cells[static_cast<std::size_t>(c)]);
            journal_ = keep;
            break;
        }
        }
    }
}

void Grid::setText(int row, int col, std::string_view text)
{
    checkCell(row, col);
    settleCell(row, col);
    if (cells_.text(row, col) == text) return;
    recordCell(row, col);
    writeText(row, col, text);
    changed(row);
}

void Grid::writeText(int row, int col, std::string_view text)
{
    bump(row);
    cells_.setText(row, col, text);
    cellWritten(row, col);
    each([&](GridObserver& o) { o.cellChanged(row, col); });
}

void Grid::rewriteColumn(int col, int firstRow, const ColumnRewrite& rewrite)
{
    rewriteColumnLater(col, firstRow, rewrite);
    settleAll();
}

void Grid::rewriteColumnLater(int col, int firstRow, ColumnRewrite rewrite)
{
    rewriteRowsLater(col, firstRow, rows_ - firstRow, std::move(rewrite), 0);
}

void Grid::rewriteRowsLater(int col, int firstRow, int count, ColumnRewrite rewrite, int fnShift)
{
    if (count <= 0) return;
    checkCell(firstRow, col);
    checkCell(firstRow + count - 1, col);
    settleAll();
    auto record = std::make_shared<ColumnRewriteRecord>();
    record->col = col;
    record->first = record->next = firstRow;
    record->end = firstRow + count;
    record->fnShift = fnShift;
    record->rewrite = std::move(rewrite);
    record->keepOld = journal_ != nullptr;
    if (journal_) {
        record->old.reserve(static_cast<std::size_t>(count), 0);
        journal_->entries.push_back({Journal::Kind::ColumnRewritten, firstRow, col, {}, {}, record, {}});
    }
    later_ = std::move(record);
    laterCol_ = col;
    laterShift_ = 0;
    laterNext_ = firstRow;
    laterEnd_ = firstRow + count;
    changed(firstRow);
    each([&](GridObserver& o) { o.columnChanged(col, firstRow, firstRow + count - 1); });
    // Kept numbers and marks follow their cells' writes: those columns go at once.
    if (slotOfColumn_[static_cast<std::size_t>(col)] >= 0 || col == markCol_) settleAll();
}

void Grid::settleTo(int end) const
{
    ColumnRewriteRecord& record = *later_;
    end = std::min(end - laterShift_, record.end);
    std::string fresh;
    for (int row = record.next; row < end; ++row) {
        const int at = row + laterShift_;
        const std::string_view text = cells_.text(at, record.col);
        fresh.clear();
        record.rewrite(row - record.fnShift, text, fresh);
        if (record.keepOld) record.old.push_back(text);
        if (text != fresh) {
            try {
                cells_.rewriteText(at, record.col, fresh); // `text` stays valid: the old block is kept
                cellWritten(at, record.col);
            } catch (...) {
                if (record.keepOld) record.old.pop_back();
                throw;
            }
        }
        record.next = row + 1;
        laterNext_ = at + 1;
    }
    if (record.next >= record.end) {
        later_.reset();
        laterCol_ = -1;
    }
}

bool Grid::movesAlong(int at, int by) const
{
    if (!later_ || at >= laterEnd_) return false; // below the pending rows: nothing of them moves
    const int begin = later_->first + laterShift_;
    return by > 0 ? at <= begin : at < begin;
}

void Grid::rowsMoving(int at, int by)
{
    if (later_ && at < laterEnd_ && !movesAlong(at, by)) settleAll();
}

void Grid::rowsMoved(int at, int by)
{
    if (!movesAlong(at, by)) return;
    laterShift_ += by;
    laterNext_ += by;
    laterEnd_ += by;
}

bool Grid::settle(int rows)
{
    if (later_) settleTo(laterNext_ + std::max(rows, 0));
    return !later_;
}

void Grid::undoRewrite(const std::shared_ptr<ColumnRewriteRecord>& record)
{
    if (later_ == record) {
        // Under way: the rows not rewritten yet hold their old texts still;
        // those rewritten get theirs back. A redo does the rewrite again,
        // from where the rows stand now.
        const int shift = laterShift_;
        later_.reset();
        laterCol_ = -1;
        for (int row = record->first; row < record->next; ++row)
            writeText(row + shift, record->col, record->old[static_cast<std::size_t>(row - record->first)]);
        auto redo = std::make_shared<ColumnRewriteRecord>();
        redo->col = record->col;
        redo->first = record->first + shift;
        redo->end = record->end + shift;
        redo->fnShift = record->fnShift + shift;
        redo->rewrite = record->rewrite;
        if (journal_) journal_->entries.push_back({Journal::Kind::ColumnRedo, redo->first, redo->col, {}, {}, redo, {}});
        changed(redo->first);
        each([&](GridObserver& o) { o.columnChanged(redo->col, redo->first, redo->end - 1); });
        return;
    }
    // Done (the rows stand as they did when it started): their old texts
    // come back as a rewrite of their own, later too.
    settleAll();
    rewriteRowsLater(record->col, record->first, record->end - record->first,
                     [record](int row, std::string_view, std::string& out) {
                         out.assign(record->old[static_cast<std::size_t>(row - record->first)]);
                     },
                     0);
}

Grid::Alignment Grid::alignment(int row, int col) const
{
    checkCell(row, col);
    return alignmentOf(formats_.get(row, col));
}

void Grid::setAlignment(int row, int col, Alignment alignment)
{
    checkCell(row, col);
    const RowFormats::Format format = formats_.get(row, col);
    if (alignmentOf(format) == alignment) return;
    recordCell(row, col);
    formats_.set(row, col, packFormat(alignment, backgroundOf(format), fontOf(format)));
    each([&](GridObserver& o) { o.cellChanged(row, col); });
}

Color Grid::background(int row, int col) const
{
    checkCell(row, col);
    return Color{backgroundOf(formats_.get(row, col))};
}

void Grid::setBackground(int row, int col, Color color)
{
    checkCell(row, col);
    const RowFormats::Format format = formats_.get(row, col);
    if (backgroundOf(format) == color.value) return;
    recordCell(row, col);
    formats_.set(row, col, packFormat(alignmentOf(format), color.value, fontOf(format)));
    each([&](GridObserver& o) { o.cellChanged(row, col); });
}

const std::string& Grid::fontName(int row, int col) const
{
    checkCell(row, col);
    return fontNames_[fontOf(formats_.get(row, col))];
}

std::uint8_t Grid::fontId(const std::string& fontName)
{
    auto it = std::find(fontNames_.begin(), fontNames_.end(), fontName);
    if (it != fontNames_.end()) return static_cast<std::uint8_t>(it - fontNames_.begin());
    if (fontNames_.size() >= 255) throw RuntimeError::invalidProcedureCall();
    fontNames_.push_back(fontName);
    return static_cast<std::uint8_t>(fontNames_.size() - 1);
}

void Grid::setFontName(int row, int col, const std::string& fontName)
{
    checkCell(row, col);
    auto id = fontId(fontName);
    const RowFormats::Format format = formats_.get(row, col);
    if (fontOf(format) == id) return;
    recordCell(row, col);
    formats_.set(row, col, packFormat(alignmentOf(format), backgroundOf(format), id));
    each([&](GridObserver& o) { o.cellChanged(row, col); });
}

void Grid::copyRowFormats(int from, int to)
{
    checkCell(from, 0);
    checkCell(to, 0);
    if (from == to) return;
    if (!journal_ && resetDepth_ > 0) {
        // Nothing records the cells and nobody is told of them (a load).
        formats_.copyRow(from, to);
        return;
    }
    std::vector<int> changed;
    for (int c = 0; c < cols_; ++c)
        if (formats_.get(from, c) != formats_.get(to, c)) {
            recordCell(to, c);
            if (resetDepth_ == 0) changed.push_back(c);
        }
    formats_.copyRow(from, to);
    for (int c : changed) each([&](GridObserver& o) { o.cellChanged(to, c); });
}

void Grid::setCurrentCell(int row, int col)
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) throw RuntimeError::invalidProcedureCall();
    if (row == row_ && col == col_) return;
    row_ = row;
    col_ = col;
    // A selection of one line follows the current row; several stay.
    if (selection_.size() <= 1) {
        selection_.clear();
        if (row_ >= fixedRows_) selection_.push_back(row_);
    }
    propertiesChanged();
}

void Grid::setSelection(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [this](int r) { return r < fixedRows_ || r >= rows_; });
    if (rows == selection_) return;
    selection_ = std::move(rows);
    propertiesChanged();
}

void Grid::selectAll()
{
    std::vector<int> all;
    all.reserve(static_cast<std::size_t>(std::max(rows_ - fixedRows_, 0)));
    for (int r = fixedRows_; r < rows_; ++r) all.push_back(r);
    setSelection(std::move(all));
}

void Grid::shiftSelection(int from, int by)
{
    for (int& r : selection_)
        if (r >= from) r += by;
}

void Grid::setHighlightStyle(int style)
{
    if (style == highlight_) return;
    highlight_ = style;
    propertiesChanged();
}

int Grid::columnWidth(int col) const
{
    if (col < 0 || col >= cols_) throw RuntimeError::subscriptOutOfRange();
    return widths_[static_cast<std::size_t>(col)];
}

void Grid::setColumnWidth(int col, int width)
{
    if (col < 0 || col >= cols_) throw RuntimeError::subscriptOutOfRange();
    if (widths_[static_cast<std::size_t>(col)] == width) return;
    widths_[static_cast<std::size_t>(col)] = width;
    propertiesChanged();
}

void Grid::setWidth(int width)
{
    if (width == width_) return;
    width_ = width;
    propertiesChanged();
}

void Grid::clear()
{
    settleAll();
    each([](GridObserver& o) { o.gridAboutToReset(); });
    cells_.clearTexts();
    resetNumbers();
    formats_.reset(rows_);
    each([](GridObserver& o) { o.gridReset(); });
    changed(0);
}

void Grid::addRow() { insertRow(rows_); }

void Grid::insertRow(int row)
{
    if (row < 0 || row > rows_) throw RuntimeError::subscriptOutOfRange();
    rowsMoving(row, 1);
    each([&](GridObserver& o) { o.rowsAboutToBeInserted(row, row); });
    cells_.insertRows(row, 1);
    rowsMoved(row, 1);
    formats_.insertRows(row, 1);
    numbers_.insert(numbers_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(row) * slots_), slots_,
                    std::bit_cast<double>(kNaNNotRead));
    marks_.insert(marks_.begin() + row, kMarkUnknown);
    ++rows_;
    shiftSelection(row, 1);
    if (journal_) journal_->entries.push_back({Journal::Kind::RowInserted, row, 0, {}, {}, {}});
    each([&](GridObserver& o) { o.rowsInserted(row, row); });
    notifyChanged();
    changed(row);
}

void Grid::removeRow(int row)
{
    if (row < 0 || row >= rows_) throw RuntimeError::subscriptOutOfRange();
    rowsMoving(row, -1);
    each([&](GridObserver& o) { o.rowsAboutToBeRemoved(row, row); });
    if (journal_) {
        Journal::Entry removed{Journal::Kind::RowRemoved, row, 0, {}, {}, {}};
        removed.cells.reserve(static_cast<std::size_t>(cols_));
        for (int c = 0; c < cols_; ++c) removed.cells.push_back(cellState(row, c));
        journal_->entries.push_back(std::move(removed));
    }
    cells_.removeRow(row);
    rowsMoved(row, -1);
    formats_.removeRow(row);
    const auto firstNumber = numbers_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(row) * slots_);
    numbers_.erase(firstNumber, firstNumber + static_cast<std::ptrdiff_t>(slots_));
    marks_.erase(marks_.begin() + row);
    --rows_;
    row_ = std::min(row_, std::max(rows_ - 1, 0));
    std::erase(selection_, row);
    shiftSelection(row + 1, -1);
    each([&](GridObserver& o) { o.rowsRemoved(row, row); });
    notifyChanged();
    changed(row);
}

void Grid::removeRows(const std::vector<int>& rows)
{
    if (rows.empty()) return;
    for (std::size_t k = 0; k < rows.size(); ++k)
        if (rows[k] < 0 || rows[k] >= rows_ || (k > 0 && rows[k] <= rows[k - 1])) throw RuntimeError::subscriptOutOfRange();
    if (later_ && rows.front() < laterEnd_) settleAll();
    beginReset();
    if (journal_) {
        Journal::Entry removed{};
        removed.kind = Journal::Kind::RowsRemoved;
        removed.row = rows.front();
        removed.rows = rows;
        removed.cells.reserve(rows.size() * static_cast<std::size_t>(cols_));
        for (int row : rows)
            for (int c = 0; c < cols_; ++c) removed.cells.push_back(cellState(row, c));
        journal_->entries.push_back(std::move(removed));
    }
    cells_.removeRows(rows);
    formats_.removeRows(rows);
    eraseRows(numbers_, rows, slots_);
    eraseRows(marks_, rows);
    rows_ -= static_cast<int>(rows.size());
    row_ = std::clamp(rows.front(), std::min(fixedRows_, rows_ - 1), std::max(rows_ - 1, 0));
    selection_.clear();
    if (row_ >= fixedRows_) selection_.push_back(row_);
    changed(rows.front());
    endReset();
}

void Grid::insertRowsAt(const std::vector<int>& rows)
{
    if (rows.empty()) return;
    if (later_ && rows.front() < laterEnd_) settleAll();
    beginReset();
    cells_.insertRowsAt(rows);
    formats_.insertRowsAt(rows);
    view::insertRowsAt(numbers_, rows, slots_, std::bit_cast<double>(kNaNNotRead));
    view::insertRowsAt(marks_, rows, 1, kMarkUnknown);
    rows_ += static_cast<int>(rows.size());
    selection_ = rows;
    if (journal_) {
        Journal::Entry inserted{};
        inserted.kind = Journal::Kind::RowsInserted;
        inserted.row = rows.front();
        inserted.rows = rows;
        journal_->entries.push_back(std::move(inserted));
    }
    changed(rows.front());
    endReset();
}

void Grid::swapCells(CellStore& cells) { replaceCells(cells, nullptr, nullptr); }

void Grid::swapCells(CellStore& cells, std::vector<double> numbers, const text::Locale& locale)
{
    replaceCells(cells, &numbers, &locale);
}

void Grid::replaceCells(CellStore& cells, std::vector<double>* numbers, const text::Locale* locale)
{
    if (cols_ == 0 || cells.cols() != cols_ || cells.rows() < fixedRows_) throw RuntimeError::invalidProcedureCall();
    if (numbers && numbers->size() != static_cast<std::size_t>(cells.rows()) * slots_) throw RuntimeError::invalidProcedureCall();
    settleAll();
    each([](GridObserver& o) { o.gridAboutToReset(); });
    std::swap(cells_, cells);
    rows_ = cells_.rows();
    formats_.reset(rows_);
    row_ = std::min(row_, std::max(rows_ - 1, 0));
    selection_.clear();
    anchor_ = -1;
    if (numbers) {
        resetMarks();
        keepNumbers(std::move(*numbers), *locale);
    } else {
        resetNumbers();
    }
    each([](GridObserver& o) { o.gridReset(); });
    notifyChanged();
    changed(0);
}

void Grid::setNumberColumns(std::vector<int> cols)
{
    numberColumns_ = std::move(cols);
    slotOfColumn_.assign(static_cast<std::size_t>(cols_), -1);
    slots_ = 0;
    for (int c : numberColumns_)
        if (c >= 0 && c < cols_ && slotOfColumn_[static_cast<std::size_t>(c)] < 0)
            slotOfColumn_[static_cast<std::size_t>(c)] = static_cast<int>(slots_++);
    resetNumbers();
}

void Grid::keepNumbers(std::vector<double> values, const text::Locale& locale)
{
    if (values.size() != static_cast<std::size_t>(rows_) * slots_) throw RuntimeError::invalidProcedureCall();
    numbers_ = std::move(values);
    numbersLocale_ = &locale;
    bump(0);
}

void Grid::resetNumbers()
{
    bump(0);
    numbers_.assign(static_cast<std::size_t>(rows_) * slots_, std::bit_cast<double>(kNaNNotRead));
    resetMarks();
}

void Grid::resetMarks()
{
    // Room for rows added after a load, as the other row tables keep.
    marks_.reserve(static_cast<std::size_t>(rows_) + static_cast<std::size_t>(rows_) / 64 + 1024);
    marks_.assign(static_cast<std::size_t>(rows_), kMarkUnknown);
}

void Grid::setMarkColumn(int col, std::string mark)
{
    markCol_ = col;
    mark_ = std::move(mark);
    bump(0);
    marks_.assign(static_cast<std::size_t>(rows_), kMarkUnknown);
}

bool Grid::readMark(int row) const
{
    settleCell(row, markCol_);
    const bool marked = cells_.text(row, markCol_) == mark_;
    marks_[static_cast<std::size_t>(row)] = marked ? kMarked : kNotMarked;
    return marked;
}

int Grid::nextMarked(int row) const
{
    if (markCol_ < 0 || markCol_ >= cols_) return rows_;
    const std::uint8_t* const marks = marks_.data();
    auto r = static_cast<std::size_t>(std::max(row, 0));
    const auto end = static_cast<std::size_t>(rows_);
    while (r < end) {
        // Unmarked rows are kNotMarked (0): eight of them read as a zero word.
        if (r + 8 <= end) {
            std::uint64_t word;
            std::memcpy(&word, marks + r, sizeof word);
            if (word == 0) {
                r += 8;
                continue;
            }
        }
        if (isMarked(static_cast<int>(r))) return static_cast<int>(r);
        ++r;
    }
    return rows_;
}

void Grid::keepMarks(const std::vector<std::uint8_t>& marked, int firstRow)
{
    if (firstRow < 0 || static_cast<std::size_t>(firstRow) + marked.size() > marks_.size())
        throw RuntimeError::invalidProcedureCall();
    static_assert(kNotMarked == 0, "nextMarked skips zero words");
    for (std::size_t k = 0; k < marked.size(); ++k)
        marks_[static_cast<std::size_t>(firstRow) + k] = marked[k] ? kMarked : kNotMarked;
}

void Grid::bump(int firstRow) const noexcept
{
    ++revision_;
    while (!changes_.empty() && changes_.back().firstRow >= firstRow) changes_.pop_back();
    if (changes_.size() == kChanges) {
        // The older half goes; what they told cannot be told any more.
        const auto half = changes_.begin() + kChanges / 2;
        changesFrom_ = std::prev(half)->revision;
        changes_.erase(changes_.begin(), half);
    }
    changes_.push_back({revision_, firstRow}); // within the room reserved: never allocates
}

int Grid::firstRowChangedSince(std::uint64_t since) const noexcept
{
    if (since >= revision_) return std::numeric_limits<int>::max();
    if (since < changesFrom_) return 0;
    // The first change after `since` starts at the lowest row of them all.
    const auto after = std::upper_bound(changes_.begin(), changes_.end(), since,
                                        [](std::uint64_t revision, const Change& c) { return revision < c.revision; });
    return after->firstRow;
}

void Grid::forgetNumbers() const noexcept
{
    bump(0);
    std::fill(numbers_.begin(), numbers_.end(), std::bit_cast<double>(kNaNNotRead));
}

void Grid::forgetNumber(int row, int col) const noexcept
{
    const int slot = slotOfColumn_[static_cast<std::size_t>(col)];
    if (slot >= 0) numbers_[static_cast<std::size_t>(row) * slots_ + static_cast<std::size_t>(slot)] = std::bit_cast<double>(kNaNNotRead);
}

std::optional<double> Grid::readNumber(int row, int col, const text::Locale& locale) const
{
    const std::string_view cell = text(row, col);
    const int slot = slotOfColumn_[static_cast<std::size_t>(col)];
    if (slot < 0) return text::tryToNumber(cell, locale);
    if (numbersLocale_ != &locale) {
        forgetNumbers();
        numbersLocale_ = &locale;
    }
    double& kept = numbers_[static_cast<std::size_t>(row) * slots_ + static_cast<std::size_t>(slot)];
    const auto bits = std::bit_cast<std::uint64_t>(kept);
    if (!std::isnan(kept)) return kept;
    if (bits == kNaNNotANumber) return std::nullopt;
    const std::optional<double> read = text::tryToNumber(cell, locale);
    kept = read ? *read : std::bit_cast<double>(kNaNNotANumber);
    return read;
}

void Grid::userClick(int row, int col, Select select)
{
    const ClerkAction clerk(form());
    if (!canInteract() || row < 0 || row >= rows_ || col < 0 || col >= cols_) return;
    if (!hasFocus()) setFocus();
    mouseRow_ = row;
    mouseCol_ = col;
    bool moved = row != row_ || col != col_;
    // Clicking a header row selects nothing: the current row stays.
    if (row >= fixedRows_) {
        // The selection: this line alone, the range from the anchor, or this
        // line added or taken away; the current row moves to it in every case.
        std::vector<int> chosen;
        if (select == Select::Extend && anchor_ >= fixedRows_ && anchor_ < rows_) {
            for (int r = std::min(anchor_, row); r <= std::max(anchor_, row); ++r) chosen.push_back(r);
        } else if (select == Select::Toggle) {
            chosen = selection_;
            if (std::erase(chosen, row) == 0) chosen.push_back(row);
            anchor_ = row;
        } else {
            chosen = {row};
            anchor_ = row;
        }
        selection_ = {row_};
        setCurrentCell(row, col);
        setSelection(std::move(chosen));
    } else {
        moved = false;
    }
    fire(Click);
    if (moved) fire(SelChange);
}

void Grid::userMouseDown(MouseButton button, int row, int col)
{
    const ClerkAction clerk(form());
    if (!canInteract()) return;
    mouseRow_ = row;
    mouseCol_ = col;
    if (MouseDown) MouseDown(button);
}

void Grid::userMouseUp(MouseButton button, int row, int col)
{
    const ClerkAction clerk(form());
    if (!canInteract()) return;
    mouseRow_ = row;
    mouseCol_ = col;
    if (MouseUp) MouseUp(button);
}

void Grid::beginReset()
{
    if (resetDepth_ == 0)
        for (GridObserver* o : gridObservers_) o->gridAboutToReset();
    ++resetDepth_;
}

void Grid::endReset()
{
    if (--resetDepth_ > 0) return;
    for (GridObserver* o : gridObservers_) o->gridReset();
    notifyChanged();
}

void Grid::addGridObserver(GridObserver* observer) { gridObservers_.push_back(observer); }

void Grid::removeGridObserver(GridObserver* observer) { std::erase(gridObservers_, observer); }

} // namespace zelt::view
