#pragma once

#include "ScriptStep.h"
#include "SessionError.h"

#include <zelt/view/Widget.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zelt::session {

class SessionHost;

/// Runs a script's steps against the host's control, printing each step and
/// what the control showed: the message boxes with the answers given, the
/// events, the values of the controls acted on.
///
/// An unmet expectation is printed with what was expected and what was
/// found, and the run goes on; a step that cannot be done (a click on a
/// disabled button, an entry a combo box does not list) ends the run.
class SessionRunner {
public:
    using Outcome = std::optional<std::string>;

    SessionRunner(SessionHost& host, std::ostream& out, std::ostream& err);

    /// 0 when every expectation was met, 1 when some were not, 2 when a step
    /// could not be done.
    int run(const std::vector<ScriptStep>& steps, const std::string& file);

    // The commands (see SessionCommands for what each does).
    Outcome setLocale(const ScriptStep& step);
    Outcome setToday(const ScriptStep& step);
    Outcome loadSample(const ScriptStep& step);
    Outcome switchMode(const ScriptStep& step);
    Outcome letProperty(const ScriptStep& step);
    Outcome callMember(const ScriptStep& step);
    Outcome click(const ScriptStep& step);
    Outcome doubleClick(const ScriptStep& step);
    Outcome type(const ScriptStep& step);
    Outcome select(const ScriptStep& step);
    Outcome pick(const ScriptStep& step);
    Outcome gridClick(const ScriptStep& step);
    Outcome gridRightClick(const ScriptStep& step);
    Outcome answer(const ScriptStep& step);
    Outcome expectShown(const ScriptStep& step);
    Outcome expectMessage(const ScriptStep& step);
    Outcome expectCell(const ScriptStep& step);
    Outcome expectLines(const ScriptStep& step);
    Outcome exportOrder(const ScriptStep& step);

private:
    /// The control a checked argument names.
    view::Widget& control(const ScriptWord& word) const;
    /// Why a clerk could not act on the control now (disabled, hidden).
    static Outcome unreachable(const view::Widget& widget);
    /// Prints what the control shows after the step.
    void shows(const view::Widget& widget);
    void expectation(const std::string& what, const std::string& expected, const std::string& found);
    /// The grid row of a checked argument; a reason when the grid has no such row.
    Outcome gridRow(const ScriptStep& step, int& row, int& col) const;

    SessionHost& host_;
    std::ostream& out_;
    std::ostream& err_;
    std::string file_;
    const ScriptStep* step_ = nullptr;
    int unmet_ = 0;
    /// The message boxes shown before the last step that acts.
    std::size_t boxesBefore_ = 0;
};

} // namespace zelt::session
