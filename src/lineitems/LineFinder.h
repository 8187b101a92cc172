#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zelt/view/Grid.h"
#include "zelt/view/GridObserver.h"

namespace zelt {

/// Finds lines by what the clerk remembers of them: a piece of the
/// description, the model number, the acknowledgement number or the line
/// number, without regard to case or accents.
///
/// The description, model, acknowledgement and line number texts of every
/// line are kept folded in one buffer (each line's texts back to back,
/// between separators no search text holds), so that a search is one pass of
/// memmem over it rather than a fold and a compare per cell. The buffer is
/// built at the first search after a load, or before it in slices (prepare),
/// and follows the grid from then on: a changed or inserted line is looked at
/// in the grid itself until there are so many that building the buffer again
/// is cheaper. The lines matching the last search are kept until the text or
/// a line changes, so stepping through them and counting them is free.
class LineFinder : public view::GridObserver {
public:
    explicit LineFinder(view::Grid& grid);
    ~LineFinder() override;
    LineFinder(const LineFinder&) = delete;
    LineFinder& operator=(const LineFinder&) = delete;

    /// The texts given to the searches below are folded (text/SearchFold.h)
    /// and not empty. How many lines in [first, last) hold the text.
    std::size_t count(std::string_view folded, int first, int last);
    /// The first line at or after `from` (before `end`) that holds the text,
    /// or -1.
    int firstFrom(std::string_view folded, int from, int end);
    /// The last line at or before `from` (from `begin` on) that holds the text,
    /// or -1.
    int lastFrom(std::string_view folded, int from, int begin);

    /// The first line at or after `from` (before `end`) that holds the text,
    /// or -1, without waiting for the count: one scan that stops at the first
    /// match, whatever of the count is still to do.
    int firstFromQuickly(std::string_view folded, int from, int end);
    /// True when every line has been looked at for this text, so that count,
    /// firstFrom and lastFrom answer at once.
    bool counted(std::string_view folded) const;

    /// Folds up to `someRows` more lines into the buffer, so that a window
    /// can build it in slices between events; true when it is complete.
    bool prepare(std::size_t someRows);
    /// Does a slice of the count for a text once the buffer is complete: looks
    /// at up to `someRows` more lines. True when every line is counted.
    bool countSome(std::string_view folded, std::size_t someRows);

    void gridReset() override { drop(); }
    void rowsInserted(int first, int last) override;
    void rowsRemoved(int first, int last) override;
    void cellChanged(int row, int col) override;
    void columnChanged(int col, int first, int last) override;

private:
    void build();
    void drop() noexcept;
    void markStale(int row);
    /// The row whose folded texts hold the buffer offset, or -1 for a gap
    /// left by a removed row.
    int rowAt(std::size_t offset, int hint) const;
    bool staleMatches(int row, std::string_view folded);
    bool foldedContains(std::string_view text, std::string_view folded);
    /// The lines that hold the text, in order; kept until the text or a line changes.
    const std::vector<int>& matches(std::string_view folded);
    /// Starts counting a new text, or goes on with the one under way.
    void startCount(std::string_view folded);
    /// Appends the lines in [first, last) that hold the text, in order, up to
    /// `most` of them.
    void scan(std::string_view folded, int first, int last, std::vector<int>& rows,
              std::size_t most = static_cast<std::size_t>(-1));

    view::Grid& grid_;
    bool built_ = false;
    // Lines folded so far by a build under way.
    std::size_t folded_ = 0;
    std::string hay_;
    // Where each grid row's folded texts start and end in the buffer; a
    // stale row (changed or inserted since the build) is read from the grid.
    std::vector<std::size_t> start_;
    std::vector<std::size_t> end_;
    std::vector<std::uint8_t> stale_;
    std::size_t staleCount_ = 0;
    std::string scratch_;
    // The last search's text and the lines found to hold it in the rows
    // looked at so far (all of them once countedTo_ reaches the end):
    // stepping through its matches and counting them need no new scan.
    std::string matchedText_;
    std::vector<int> matchedRows_;
    int countedTo_ = 0;
    bool matchesValid_ = false;
};

} // namespace zelt
