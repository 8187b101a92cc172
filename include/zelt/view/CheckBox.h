#pragma once

#include "zelt/view/Widget.h"

namespace zelt::view {

/// A check box: value 0 cleared, 1 ticked, 2 grey. A change of value, by the
/// user or the program, fires Click.
class CheckBox : public Widget {
public:
    /// A cleared box.
    CheckBox(std::string name, int index = -1) : Widget(WidgetKind::CheckBox, std::move(name), index) {}

    /// 0 cleared, 1 ticked, 2 grey.
    int value() const noexcept { return value_; }
    /// True when ticked.
    bool checked() const noexcept { return value_ == 1; }
    /// Sets the value; fires Click when it changes.
    void setValue(int value);
    /// Ticks (1) or clears (0) the box; fires Click when it changes.
    void setChecked(bool checked) { setValue(checked ? 1 : 0); }

    /// The user clicks the box: it takes the focus and toggles.
    void userClick();

    /// Fired when the value changes.
    std::function<void()> Click;

private:
    int value_ = 0;
};

} // namespace zelt::view
