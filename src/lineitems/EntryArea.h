#pragma once

#include <string>

namespace zelt {

struct ControlContext;

/// The line-entry area: its reset to "nothing open" or "a line open for
/// editing".
class EntryArea {
public:
    explicit EntryArea(ControlContext& ctx) : ctx_(ctx) {}

    /// Empties the entry fields and locks or unlocks them: editable while
    /// `editing`, read-only and grey otherwise. With editing off the add and
    /// edit buttons read "Add" and "Edit" again.
    void reset(bool editing);
    /// Ticks or clears the exempt box as the control, not the clerk: its
    /// handler (which asks and marks the current line) stands aside.
    void setExemptBox(bool ticked);
    /// What the entry area holds (every field, list, box and date), as one
    /// text: taken when a line opens, it tells whether the clerk changed it.
    std::string values() const;
    /// Keeps what a line holds as it opens.
    void lineOpened();

private:
    ControlContext& ctx_;
};

} // namespace zelt
