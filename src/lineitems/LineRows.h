#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelt {

struct ControlContext;

/// The routines every line command shares on the grid's rows: the exempt
/// tracker, the line removal with its renumbering, the shading of a row and
/// the line numbers with their marks.
class LineRows {
public:
    explicit LineRows(ControlContext& ctx) : ctx_(ctx) {}

    int lineCount() const;
    /// True when the line's Status is a priced status.
    bool isPriced(int row) const;
    /// True when the exempt tracker lists the row.
    bool isRowExempt(int row) const;
    /// The exempt tracker and its scratch list both become the rows whose
    /// Exempt column holds the exempt mark: the column is the one source of
    /// truth, so removals, insertions and pastes can never leave them apart.
    void rebuildExemptTracker();
    /// Line removal: with `remove` the row goes, the rows below move up and
    /// are renumbered; without it the row's shaded columns are recoloured.
    void removeLine(int row, bool remove);
    /// Removes the lines at `rows` (sorted, distinct) as one change, renumbers
    /// the lines below once and rebuilds the exempt tracker.
    void removeLines(const std::vector<int>& rows);
    /// The shaded columns of a row: window colour when priced, else grey.
    void recolour(int row);

    /// "5N" with a delta of -1 gives "4N": the leading number moves, the
    /// marks stay.
    static std::string renumbered(std::string_view lineItem, int delta);
    static void appendRenumbered(std::string_view lineItem, int delta, std::string& out);
    /// True when the text is exactly its own leading number ("3", not "3U").
    static bool isPlainNumber(std::string_view lineItem);
    /// The number the next new line gets after `row`.
    int nextLineNumber(int row) const;

private:
    /// Sets the tracker and its scratch list to `tracker`.
    void setExemptTracker(std::string tracker);
    /// Appends "row|" to the tracker when the row holds the exempt mark.
    void trackExempt(int row, std::string& tracker) const;

    ControlContext& ctx_;
};

} // namespace zelt
