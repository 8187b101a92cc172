#pragma once

#include "zelt/view/Widget.h"

namespace zelt::view {

/// A mouse button.
enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

/// A label: caption, text colour, bold and underline, tool tip; the carrier
/// link also takes clicks and mouse moves.
class Label : public Widget {
public:
    /// A label in the window text colour, not a tab stop.
    Label(std::string name, int index = -1) : Widget(WidgetKind::Label, std::move(name), index)
    {
        setTabStop(false);
    }

    /// The text colour.
    Color foreColor() const noexcept { return foreColor_; }
    /// Sets the text colour.
    void setForeColor(Color color);
    /// Whether the caption is bold.
    bool bold() const noexcept { return bold_; }
    /// Sets bold.
    void setBold(bool bold);
    /// Whether the caption is underlined.
    bool underline() const noexcept { return underline_; }
    /// Sets underline.
    void setUnderline(bool underline);

    /// The user clicks the label: fires Click. Every user action is ignored on
    /// a label the user cannot reach.
    void userClick();
    /// The user double-clicks: fires DblClick.
    void userDoubleClick();
    /// The user presses a button over the label: fires MouseDown.
    void userMouseDown(MouseButton button);
    /// The pointer moves over the label: fires MouseMove.
    void userMouseMove();
    /// The user releases a button: fires MouseUp.
    void userMouseUp(MouseButton button);

    /// Fired by a click.
    std::function<void()> Click;
    /// Fired by a double click.
    std::function<void()> DblClick;
    /// Fired by a press.
    std::function<void(MouseButton)> MouseDown;
    /// Fired by a move.
    std::function<void()> MouseMove;
    /// Fired by a release.
    std::function<void(MouseButton)> MouseUp;

private:
    Color foreColor_ = Color::windowText();
    bool bold_ = false;
    bool underline_ = false;
};

} // namespace zelt::view
