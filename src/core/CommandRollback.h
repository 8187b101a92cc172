#pragma once

#include "core/ControlState.h"
#include "zelt/view/Grid.h"

#include <string>
#include <vector>

namespace zelt {

struct ControlContext;

/// Keeps what a command may change, so that a command that fails half-way
/// can put the control back as it found it: every widget's text, caption,
/// visibility and option-button choice, the member state, and every grid
/// change (through the grid's journal). Made at the start of the command; `restore` puts it
/// all back quietly (no Change handler runs, so nothing is recalculated from
/// a half-way state), `commit` keeps the changes. The last service failure
/// survives a restore: it tells the host why.
class CommandRollback {
public:
    explicit CommandRollback(ControlContext& ctx);
    ~CommandRollback();
    CommandRollback(const CommandRollback&) = delete;
    CommandRollback& operator=(const CommandRollback&) = delete;

    void restore();
    void commit();

private:
    /// Hands the grid back its journal, with this command's grid changes
    /// appended when an outer step (an undoable line command) was recording.
    void endJournal(bool keepChanges);

    ControlContext& ctx_;
    ControlState state_;
    struct WidgetState {
        std::string text;
        std::string caption;
        bool visible;
        bool chosen;
    };
    std::vector<WidgetState> widgets_;
    view::Grid::Journal journal_;
    view::Grid::Journal* outer_ = nullptr;
    bool open_ = true;
};

} // namespace zelt
