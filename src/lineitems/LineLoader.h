#pragma once

#include <functional>
#include <string_view>

namespace zelt {

struct ControlContext;
class EntryArea;
class LineCommands;

/// Loads the host's line string into the grid (readData Let).
class LineLoader {
public:
    LineLoader(ControlContext& ctx, EntryArea& entryArea, LineCommands& commands,
               std::function<void()> recalculateTotals)
        : ctx_(ctx), entryArea_(entryArea), commands_(commands), recalculateTotals_(std::move(recalculateTotals))
    {
    }

    /// Reads and converts every record first; more lines than the control
    /// takes, or a malformed record, raise an InputError (record from 1, field
    /// from 0, reason) and nothing changes.
    /// Then replaces the lines, sets the buttons for the mode, shades the
    /// lines that are not priced and starts the totals.
    void load(std::string_view text);

private:
    void setUpGrid();

    ControlContext& ctx_;
    EntryArea& entryArea_;
    LineCommands& commands_;
    std::function<void()> recalculateTotals_;
};

} // namespace zelt
