#pragma once

#include "zelt/view/Widget.h"

namespace zelt::view {

/// A command button with a caption and a left position (twips).
class CommandButton : public Widget {
public:
    /// A button without caption.
    CommandButton(std::string name, int index = -1) : Widget(WidgetKind::CommandButton, std::move(name), index) {}

    /// The left position, in twips.
    int left() const noexcept { return left_; }
    /// Moves the button.
    void setLeft(int left);

    /// The user clicks: nothing happens on a disabled or hidden button.
    void userClick();

    /// Fired by the user's click.
    std::function<void()> Click;

private:
    int left_ = 0;
};

} // namespace zelt::view
