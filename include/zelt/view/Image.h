#pragma once

#include "zelt/view/Widget.h"

namespace zelt::view {

/// An image; the form uses images only as the bullet marks of required fields.
class Image : public Widget {
public:
    /// An image, not a tab stop.
    Image(std::string name, int index = -1) : Widget(WidgetKind::Image, std::move(name), index) { setTabStop(false); }
};

} // namespace zelt::view
