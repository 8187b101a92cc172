#pragma once

#include "zelt/view/Widget.h"

namespace zelt::view {

/// An entry of a menu; a caption of "-" is a separator.
class MenuEntry : public Widget {
public:
    MenuEntry(std::string name, int index = -1) : Widget(WidgetKind::MenuEntry, std::move(name), index) { setTabStop(false); }

    bool isSeparator() const noexcept { return caption() == "-"; }
    void userClick();

    std::function<void()> Click;
};

} // namespace zelt::view
