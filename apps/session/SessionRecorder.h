#pragma once

#include "RecordingMessageBoxes.h"

#include <zelt/control/OrderedItems.h>

#include <functional>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

namespace zelt::session {

/// Writes what the clerk does to a control as the lines of a session script,
/// so that zelt-session replays it: clicks on buttons, check boxes, option
/// buttons, menu entries and labels, the text typed into a box (when the box
/// is left), combo box choices, dates picked, grid clicks, and the answers to
/// the message boxes those actions raised (before the action's line). The
/// host writes its own actions (loading, switching modes, exporting) through
/// host().
///
/// It watches the control's form, not a window: it wraps the handlers of the
/// form's widgets, which the clerk's entry points fire, and follows the focus
/// and the text boxes' texts. A handler the program fires is not the clerk's:
/// only the outermost action is written, and a check box, option button,
/// combo box or date picker counts only while it has the focus (which every
/// clerk action on it gives it first). Keys the window handles itself
/// through host members (Undo, Redo, paste) are not seen.
///
/// Everything is put back as it was when the recorder ends.
class SessionRecorder {
public:
    SessionRecorder(OrderedItems& control, RecordingMessageBoxes& boxes, std::ostream& out);
    ~SessionRecorder();
    SessionRecorder(const SessionRecorder&) = delete;
    SessionRecorder& operator=(const SessionRecorder&) = delete;

    /// Runs a host action written as `line` (`load sample Update`, `export`);
    /// the clerk's answers inside it are written before it, the clerk's
    /// actions inside it are its own doing and not written.
    void host(const std::string& line, const std::function<void()>& action);
    /// True while an action runs: a host that calls host() from a function
    /// it also calls inside one asks this first.
    bool busy() const noexcept { return depth_ > 0; }
    /// Writes a script line as it is (a comment, `locale fr-CA`).
    void write(const std::string& line);

private:
    /// Replaces `handler` with one that runs it as an action, written as the
    /// line `line()` gives just before it runs (or not written when `line`
    /// is empty or `counts()` says no).
    template <typename... A>
    void wrap(std::function<void(A...)>& handler, std::type_identity_t<std::function<bool(A...)>> counts,
              std::type_identity_t<std::function<std::string(A...)>> line);
    void wrapWidget(view::Widget& widget);
    void focusMoved(view::Widget* widget);
    void textChanged(view::TextBox& box);
    /// Writes the text typed into the box being left, if it changed.
    void flushTyping();
    void answered(const view::MessageBoxRequest& request, view::MessageBoxAnswer answer);
    /// The grid click as a script line.
    std::string gridClickLine() const;

    view::Form& form_;
    RecordingMessageBoxes& boxes_;
    std::ostream& out_;
    int depth_ = 0;
    /// The text box with the focus: its text when it got the focus, and the
    /// last text the clerk's typing left in it.
    view::TextBox* typingBox_ = nullptr;
    std::string textAtFocus_;
    std::string typed_;
    /// Answers to write before the next line, notes to write after it.
    std::vector<std::string> answers_;
    std::vector<std::string> notes_;
    /// What to put back at the end.
    std::vector<std::function<void()>> restore_;
};

} // namespace zelt::session
