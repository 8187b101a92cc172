#pragma once

namespace zelt::view {

/// Watches a Grid for changes, in the shape a table view needs: structural
/// changes are announced before and after, cell changes after.
class GridObserver {
public:
    /// Destroys the observer.
    virtual ~GridObserver() = default;
    /// The whole content is about to change / has changed (load, clear, resize).
    virtual void gridAboutToReset() {}
    /// The whole content has changed.
    virtual void gridReset() {}
    /// Rows first..last are about to be inserted.
    virtual void rowsAboutToBeInserted(int /*first*/, int /*last*/) {}
    /// Rows first..last were inserted.
    virtual void rowsInserted(int /*first*/, int /*last*/) {}
    /// Rows first..last are about to be removed.
    virtual void rowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    /// Rows first..last were removed.
    virtual void rowsRemoved(int /*first*/, int /*last*/) {}
    /// Text, alignment, background or font of one cell changed.
    virtual void cellChanged(int /*row*/, int /*col*/) {}
    /// The text of one column changed in rows first..last; by default told
    /// as a change of each cell.
    virtual void columnChanged(int col, int first, int last)
    {
        for (int row = first; row <= last; ++row) cellChanged(row, col);
    }
    /// Current cell, highlight style, column widths, enabled or visible changed.
    virtual void gridPropertiesChanged() {}
};

} // namespace zelt::view
