#pragma once

#include "zelt/view/MessageBoxService.h"

#include <deque>
#include <vector>

namespace zelt::view {

/// Records every message box and answers from a script; with the script used
/// up it answers OK, or No to a Yes/No question (the answer that changes
/// nothing). The default service of a control without a window.
class ScriptedMessageBoxes : public MessageBoxService {
public:
    /// Records the request and answers the next scripted answer, or the
    /// harmless one.
    MessageBoxAnswer show(const MessageBoxRequest& request) override;

    /// Queues the answer to the next question.
    void answerNext(MessageBoxAnswer answer) { script_.push_back(answer); }
    /// Every box shown, oldest first.
    const std::vector<MessageBoxRequest>& shown() const noexcept { return shown_; }
    /// Forgets the boxes shown.
    void clearShown() { shown_.clear(); }

private:
    std::deque<MessageBoxAnswer> script_;
    std::vector<MessageBoxRequest> shown_;
};

} // namespace zelt::view
