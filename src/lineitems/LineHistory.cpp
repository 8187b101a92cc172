#include "lineitems/LineHistory.h"

namespace zelt {

namespace {
const std::string kNone;

/// Journals the grid for as long as it lives, whatever way the command ends.
class JournalScope {
public:
    JournalScope(view::Grid& grid, view::Grid::Journal& journal) : grid_(grid) { grid_.setJournal(&journal); }
    ~JournalScope() { grid_.setJournal(nullptr); }
    JournalScope(const JournalScope&) = delete;
    JournalScope& operator=(const JournalScope&) = delete;

private:
    view::Grid& grid_;
};
} // namespace

void LineHistory::record(const std::string& name, const std::function<void()>& command)
{
    if (recording_) {
        command();
        return;
    }
    Step step{name, {}};
    {
        recording_ = true;
        JournalScope scope(grid_, step.journal);
        try {
            command();
        } catch (...) {
            recording_ = false;
            if (!step.journal.empty()) {
                // What the command changed before it failed stays undoable.
                undo_.push_back(std::move(step));
                redo_.clear();
            }
            throw;
        }
        recording_ = false;
    }
    if (step.journal.empty()) return;
    undo_.push_back(std::move(step));
    redo_.clear();
    trim();
}

void LineHistory::trim()
{
    std::size_t entries = 0;
    for (const Step& s : undo_) entries += s.journal.entries.size();
    // The oldest steps go first; the newest always stays.
    std::size_t drop = 0;
    while (undo_.size() - drop > 1 &&
           (undo_.size() - drop > depth_ || entries > maxEntries_)) {
        entries -= undo_[drop].journal.entries.size();
        ++drop;
    }
    undo_.erase(undo_.begin(), undo_.begin() + static_cast<std::ptrdiff_t>(drop));
}

bool LineHistory::replay(view::Grid& grid, std::vector<Step>& from, std::vector<Step>& to)
{
    if (from.empty()) return false;
    Step step = std::move(from.back());
    from.pop_back();
    Step inverse{step.name, {}};
    {
        JournalScope scope(grid, inverse.journal);
        grid.undo(step.journal);
    }
    to.push_back(std::move(inverse));
    return true;
}

bool LineHistory::undo() { return replay(grid_, undo_, redo_); }
bool LineHistory::redo() { return replay(grid_, redo_, undo_); }

const std::string& LineHistory::undoName() const { return undo_.empty() ? kNone : undo_.back().name; }
const std::string& LineHistory::redoName() const { return redo_.empty() ? kNone : redo_.back().name; }

void LineHistory::clear()
{
    undo_.clear();
    redo_.clear();
}

} // namespace zelt
