#pragma once

#include <zelt/view/ScriptedMessageBoxes.h>

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zelt::session {

/// The message boxes of a scripted session: each is printed with the answer
/// it got. The script's answers are for the step after them: one the step did
/// not ask for is dropped when the step ends (and said so), never kept for a
/// later question it was not meant for.
class SessionMessageBoxes : public view::ScriptedMessageBoxes {
public:
    explicit SessionMessageBoxes(std::ostream& out) : out_(out) {}

    view::MessageBoxAnswer show(const view::MessageBoxRequest& request) override;
    /// The answer to the next message box of the coming step.
    void queue(view::MessageBoxAnswer answer) { queued_.push_back(answer); }
    /// Ends a step: answers left over are dropped and printed.
    void endStep();

    /// The answers by the names a script gives them (Yes, No, Ok).
    static const char* name(view::MessageBoxAnswer answer);
    static std::optional<view::MessageBoxAnswer> parse(std::string_view word);
    /// Every word parse() takes.
    static std::vector<std::string> words();

private:
    std::ostream& out_;
    std::deque<view::MessageBoxAnswer> queued_;
};

} // namespace zelt::session
