#pragma once

#include "zelt/view/Widget.h"

#include <vector>

namespace zelt::view {

/// An option button. Selecting one that was not selected clears the others of
/// its group and fires its Click.
class OptionButton : public Widget {
public:
    /// A button that is not selected.
    OptionButton(std::string name, int index = -1) : Widget(WidgetKind::OptionButton, std::move(name), index) {}

    /// True when selected.
    bool value() const noexcept { return value_; }
    /// Selects (clearing the group's others, and firing Click) or clears it.
    void setValue(bool value);
    /// The buttons that exclude each other (this one included).
    void setGroupMembers(std::vector<OptionButton*> members) { group_ = std::move(members); }

    /// The user clicks it: it takes the focus and is selected.
    void userClick();

    /// Fired when it becomes selected.
    std::function<void()> Click;

private:
    bool value_ = false;
    std::vector<OptionButton*> group_;
};

} // namespace zelt::view
