#pragma once

#include "zelt/view/Widget.h"

namespace zelt::view {

/// A frame: a captioned group of widgets.
class Frame : public Widget {
public:
    /// A frame without caption, not a tab stop.
    Frame(std::string name, int index = -1) : Widget(WidgetKind::Frame, std::move(name), index) { setTabStop(false); }
};

} // namespace zelt::view
