#pragma once

#include "zelt/view/Widget.h"

namespace zelt::view {

/// An entry of a menu; a caption of "-" is a separator.
class MenuEntry : public Widget {
public:
    /// An entry without caption.
    MenuEntry(std::string name, int index = -1) : Widget(WidgetKind::MenuEntry, std::move(name), index) { setTabStop(false); }

    /// True for a separator.
    bool isSeparator() const noexcept { return caption() == "-"; }
    /// The user picks the entry: fires Click (not on a separator or an entry
    /// the user cannot reach).
    void userClick();

    /// Fired when the entry is picked.
    std::function<void()> Click;
};

} // namespace zelt::view
