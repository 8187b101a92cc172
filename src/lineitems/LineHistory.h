#pragma once

#include "zelt/view/Grid.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zelt {

/// Undo and redo of the line commands. A command runs inside record(): the
/// grid's changes are journalled and kept as one step. Undo replays a step
/// backwards and keeps what that changed as the redo.
class LineHistory {
public:
    /// Keeps at most `depth` steps and, so that a long session on a huge
    /// order stays within memory, at most `maxEntries` recorded changes.
    explicit LineHistory(view::Grid& grid, std::size_t depth = 100, std::size_t maxEntries = 2'000'000)
        : grid_(grid), depth_(depth), maxEntries_(maxEntries)
    {
    }

    /// Runs `command`, keeping its grid changes as one step named `name`. A
    /// step recorded inside another joins it.
    void record(const std::string& name, const std::function<void()>& command);

    bool canUndo() const noexcept { return !undo_.empty(); }
    bool canRedo() const noexcept { return !redo_.empty(); }
    /// The name of the step Undo / Redo would take back or do again.
    const std::string& undoName() const;
    const std::string& redoName() const;
    /// Each returns false when there is nothing to undo or redo.
    bool undo();
    bool redo();
    void clear();

private:
    struct Step {
        std::string name;
        view::Grid::Journal journal;
    };
    static bool replay(view::Grid& grid, std::vector<Step>& from, std::vector<Step>& to);
    void trim();

    view::Grid& grid_;
    std::size_t depth_;
    std::size_t maxEntries_;
    std::vector<Step> undo_;
    std::vector<Step> redo_;
    bool recording_ = false;
};

} // namespace zelt
