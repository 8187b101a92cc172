#pragma once

#include "core/LineColumns.h"
#include "zelt/view/CellStore.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    struct Staged {
        int lines = 0;
        view::CellStore cells{Col::kCount}; // 1 + lines rows, the header row first
        /// The numbers the loader wrote or read, for the grid to keep: per row
        /// (the header row first) one per kept column, NaN where not known.
        std::vector<double> kept;
        std::vector<std::uint8_t> exempt;
        std::vector<std::uint8_t> priced;
        /// View Mode's weight total; none when it stopped at a line.
        std::optional<double> viewWeight;
    };

    Staged stage(std::string_view text);
    void setUpGrid();

    ControlContext& ctx_;
    EntryArea& entryArea_;
    LineCommands& commands_;
    std::function<void()> recalculateTotals_;
};

} // namespace zelt
