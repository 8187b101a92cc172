#include "lineitems/LineFinder.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "core/LineColumns.h"
#include "text/SearchFold.h"

namespace zelt {
namespace {

// The columns kept folded, in the order they stand in the buffer. Line
// numbers change for every line below a deleted one; that many changes make
// the next search build the buffer again.
constexpr int kFoldedColumns[] = {Col::Description, Col::ModelNo, Col::Acknowledgement, Col::LineItem};
// Between two texts of a line and after a line: folding makes every control
// character a space, so no searched text holds them.
constexpr char kCellEnd = '\x1f';
constexpr char kLineEnd = '\n';

bool isFolded(int col)
{
    return std::find(std::begin(kFoldedColumns), std::end(kFoldedColumns), col) != std::end(kFoldedColumns);
}

} // namespace

LineFinder::LineFinder(view::Grid& grid) : grid_(grid)
{
    grid_.addGridObserver(this);
}

LineFinder::~LineFinder()
{
    grid_.removeGridObserver(this);
}

void LineFinder::drop() noexcept
{
    matchesValid_ = false;
    built_ = false;
    folded_ = 0;
    std::string().swap(hay_);
    std::vector<std::size_t>().swap(start_);
    std::vector<std::size_t>().swap(end_);
    std::vector<std::uint8_t>().swap(stale_);
    staleCount_ = 0;
}

void LineFinder::build()
{
    while (!prepare(static_cast<std::size_t>(grid_.rows()))) {
    }
}

bool LineFinder::prepare(std::size_t someRows)
{
    if (built_) return true;
    const auto rows = static_cast<std::size_t>(grid_.rows());
    if (folded_ == 0) {
        drop();
        start_.resize(rows);
        end_.resize(rows);
        stale_.assign(rows, 0);
        hay_.reserve(rows * 64);
    }
    const std::size_t stop = std::min(rows, folded_ + std::max<std::size_t>(someRows, 1));
    for (std::size_t r = folded_; r < stop; ++r) {
        start_[r] = hay_.size();
        for (int col : kFoldedColumns) {
            if (col != kFoldedColumns[0]) hay_.push_back(kCellEnd);
            text::appendSearchFolded(grid_.text(static_cast<int>(r), col), hay_);
        }
        end_[r] = hay_.size();
        hay_.push_back(kLineEnd);
    }
    folded_ = stop;
    if (folded_ < rows) return false;
    folded_ = 0;
    built_ = true;
    return true;
}

void LineFinder::markStale(int row)
{
    auto& flag = stale_[static_cast<std::size_t>(row)];
    if (flag) return;
    flag = 1;
    // Past a quarter of the lines, a new buffer is cheaper than reading
    // them all from the grid at every search.
    if (++staleCount_ > stale_.size() / 4 + 64) drop();
}

void LineFinder::rowsInserted(int first, int last)
{
    matchesValid_ = false;
    if (!built_) return drop(); // a build under way starts over
    const auto at = static_cast<std::size_t>(first);
    const std::size_t count = static_cast<std::size_t>(last - first + 1);
    // An inserted row takes an empty place where the row above ends, so the
    // starts stay in order; it is read from the grid until the next build.
    const std::size_t place = at == 0 ? 0 : end_[at - 1];
    start_.insert(start_.begin() + static_cast<std::ptrdiff_t>(at), count, place);
    end_.insert(end_.begin() + static_cast<std::ptrdiff_t>(at), count, place);
    stale_.insert(stale_.begin() + static_cast<std::ptrdiff_t>(at), count, 0);
    for (int r = first; r <= last && built_; ++r) markStale(r);
}

void LineFinder::rowsRemoved(int first, int last)
{
    matchesValid_ = false;
    if (!built_) return drop();
    // The removed rows' texts stay in the buffer as a gap no row owns.
    const auto from = static_cast<std::ptrdiff_t>(first);
    const auto to = static_cast<std::ptrdiff_t>(last) + 1;
    staleCount_ -= static_cast<std::size_t>(std::count(stale_.begin() + from, stale_.begin() + to, 1));
    start_.erase(start_.begin() + from, start_.begin() + to);
    end_.erase(end_.begin() + from, end_.begin() + to);
    stale_.erase(stale_.begin() + from, stale_.begin() + to);
}

void LineFinder::cellChanged(int row, int col)
{
    if (!isFolded(col)) return;
    matchesValid_ = false;
    if (built_) markStale(row);
    else if (folded_ > static_cast<std::size_t>(row)) drop();
}

void LineFinder::columnChanged(int col, int first, int last)
{
    if (!isFolded(col)) return;
    matchesValid_ = false;
    // Lines renumbered below a delete: past the share where reading them one
    // by one stops paying, the buffer goes at once rather than row by row.
    if (!built_ || static_cast<std::size_t>(last - first + 1) > stale_.size() / 4 + 64) {
        if (built_ || folded_ > static_cast<std::size_t>(first)) drop();
        return;
    }
    for (int row = first; row <= last && built_; ++row) markStale(row);
}

int LineFinder::rowAt(std::size_t offset, int hint) const
{
    // Matches come in order and often close together: look at the next few
    // rows before a binary search of the rest.
    auto lo = static_cast<std::size_t>(hint);
    const std::size_t rows = start_.size();
    std::size_t hi = lo;
    for (std::size_t step = 1; hi < rows && start_[hi] <= offset; step *= 2) {
        lo = hi;
        hi = std::min(rows, hi + step);
    }
    const auto it = std::upper_bound(start_.begin() + static_cast<std::ptrdiff_t>(lo),
                                     start_.begin() + static_cast<std::ptrdiff_t>(hi), offset);
    const auto row = static_cast<int>(it - start_.begin()) - 1;
    return row >= hint && offset < end_[static_cast<std::size_t>(row)] ? row : -1;
}

bool LineFinder::foldedContains(std::string_view text, std::string_view folded)
{
    scratch_.clear();
    text::appendSearchFolded(text, scratch_);
    return scratch_.find(folded) != std::string::npos;
}

bool LineFinder::staleMatches(int row, std::string_view folded)
{
    for (int col : kFoldedColumns)
        if (foldedContains(grid_.text(row, col), folded)) return true;
    return false;
}

void LineFinder::scan(std::string_view folded, int first, int last, std::vector<int>& rows, std::size_t most)
{
    if (!built_ || start_.size() != static_cast<std::size_t>(grid_.rows())) build();
    first = std::max(first, 0);
    last = std::min(last, grid_.rows());
    if (first >= last) return;
    // Rows the buffer cannot answer for: changed or inserted since it was built.
    const auto other = [&](int r) { return stale_[static_cast<std::size_t>(r)] && staleMatches(r, folded); };
    const char* const base = hay_.data();
    const std::size_t stop = end_[static_cast<std::size_t>(last - 1)];
    std::size_t at = start_[static_cast<std::size_t>(first)];
    int next = first;
    while (next < last) {
        int found = last;
        while (at < stop) {
            const char* p = text::findBytes(std::string_view(base + at, stop - at), folded);
            if (!p) {
                at = stop;
                break;
            }
            const auto offset = static_cast<std::size_t>(p - base);
            const int row = rowAt(offset, next);
            if (row < 0 || stale_[static_cast<std::size_t>(row)]) {
                at = offset + 1;
                continue;
            }
            found = row;
            break;
        }
        if (staleCount_ == 0) next = found;
        for (; next < found; ++next)
            if (other(next) && (rows.push_back(next), --most == 0)) return;
        if (found == last) return;
        rows.push_back(found);
        if (--most == 0) return;
        next = found + 1;
        at = end_[static_cast<std::size_t>(found)];
    }
}

void LineFinder::startCount(std::string_view folded)
{
    if (matchesValid_ && folded == matchedText_) return;
    matchedRows_.clear();
    matchedText_.assign(folded);
    countedTo_ = grid_.fixedRows();
    matchesValid_ = true;
}

bool LineFinder::counted(std::string_view folded) const
{
    return matchesValid_ && folded == matchedText_ && countedTo_ >= grid_.rows();
}

bool LineFinder::countSome(std::string_view folded, std::size_t someRows)
{
    if (!prepare(someRows)) return false;
    startCount(folded);
    const int rows = grid_.rows();
    const auto step = static_cast<int>(std::min<std::size_t>(std::max<std::size_t>(someRows, 1), INT_MAX));
    const int last = countedTo_ < rows - step ? countedTo_ + step : rows;
    scan(folded, countedTo_, last, matchedRows_);
    countedTo_ = last;
    return countedTo_ >= rows;
}

const std::vector<int>& LineFinder::matches(std::string_view folded)
{
    while (!countSome(folded, static_cast<std::size_t>(grid_.rows()))) {
    }
    return matchedRows_;
}

int LineFinder::firstFromQuickly(std::string_view folded, int from, int end)
{
    if (counted(folded)) return firstFrom(folded, from, end);
    std::vector<int> first;
    scan(folded, from, end, first, 1);
    return first.empty() ? -1 : first.front();
}

std::size_t LineFinder::count(std::string_view folded, int first, int last)
{
    const std::vector<int>& rows = matches(folded);
    return static_cast<std::size_t>(std::lower_bound(rows.begin(), rows.end(), last) -
                                    std::lower_bound(rows.begin(), rows.end(), first));
}

int LineFinder::firstFrom(std::string_view folded, int from, int end)
{
    const std::vector<int>& rows = matches(folded);
    const auto it = std::lower_bound(rows.begin(), rows.end(), from);
    return it != rows.end() && *it < end ? *it : -1;
}

int LineFinder::lastFrom(std::string_view folded, int from, int begin)
{
    const std::vector<int>& rows = matches(folded);
    const auto it = std::upper_bound(rows.begin(), rows.end(), from);
    return it != rows.begin() && *(it - 1) >= begin ? *(it - 1) : -1;
}

} // namespace zelt
