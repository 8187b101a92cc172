#pragma once

#include "zelt/view/Widget.h"

#include <vector>

namespace zelt::view {

/// An option button. Selecting one that was not selected clears the others of
/// its group and fires its Click.
class OptionButton : public Widget {
public:
    OptionButton(std::string name, int index = -1) : Widget(WidgetKind::OptionButton, std::move(name), index) {}

    bool value() const noexcept { return value_; }
    void setValue(bool value);
    /// The buttons that exclude each other (this one included).
    void setGroupMembers(std::vector<OptionButton*> members) { group_ = std::move(members); }

    void userClick();

    std::function<void()> Click;

private:
    bool value_ = false;
    std::vector<OptionButton*> group_;
};

} // namespace zelt::view
