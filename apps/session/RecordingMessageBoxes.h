#pragma once

#include <zelt/view/MessageBoxService.h>

#include <functional>
#include <memory>

namespace zelt::session {

/// Shows each message box through another service (the window's dialogs)
/// and tells a listener what was asked and answered: how a session recorder
/// hears the clerk's answers.
class RecordingMessageBoxes : public view::MessageBoxService {
public:
    explicit RecordingMessageBoxes(std::shared_ptr<view::MessageBoxService> inner) : inner_(std::move(inner)) {}

    view::MessageBoxAnswer show(const view::MessageBoxRequest& request) override;

    /// Told after each answer; empty while nobody listens.
    std::function<void(const view::MessageBoxRequest&, view::MessageBoxAnswer)> Answered;

private:
    std::shared_ptr<view::MessageBoxService> inner_;
};

} // namespace zelt::session
