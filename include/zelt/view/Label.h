#pragma once

#include "zelt/view/Widget.h"

namespace zelt::view {

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

/// A label: caption, text colour, bold and underline, tool tip; the carrier
/// link also takes clicks and mouse moves.
class Label : public Widget {
public:
    Label(std::string name, int index = -1) : Widget(WidgetKind::Label, std::move(name), index)
    {
        setTabStop(false);
    }

    Color foreColor() const noexcept { return foreColor_; }
    void setForeColor(Color color);
    bool bold() const noexcept { return bold_; }
    void setBold(bool bold);
    bool underline() const noexcept { return underline_; }
    void setUnderline(bool underline);

    void userClick();
    void userDoubleClick();
    void userMouseDown(MouseButton button);
    void userMouseMove();
    void userMouseUp(MouseButton button);

    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(MouseButton)> MouseDown;
    std::function<void()> MouseMove;
    std::function<void(MouseButton)> MouseUp;

private:
    Color foreColor_ = Color::windowText();
    bool bold_ = false;
    bool underline_ = false;
};

} // namespace zelt::view
