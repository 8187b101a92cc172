#pragma once

#include "zelt/view/Color.h"
#include "zelt/view/Observable.h"

#include <functional>
#include <string>

/// The control's abstract form: widgets as plain C++ objects the logic reads
/// and writes, which a window renders and feeds the user's actions into.
namespace zelt::view {

class Form;

/// What kind of widget a Widget is.
enum class WidgetKind {
    TextBox,
    ComboBox,
    CheckBox,
    OptionButton,
    Label,
    Image,
    CommandButton,
    Frame,
    DatePicker,
    MenuEntry,
    Grid,
};

/// Made by every entry point of the clerk (a click, a key, a pick) for as
/// long as the action runs: the form counts the values changed meanwhile as
/// the clerk's. A host's call makes none.
class ClerkAction {
public:
    /// Counts the changes on `form` (may be null) as the clerk's until destroyed.
    explicit ClerkAction(Form* form) noexcept;
    /// Ends the action.
    ~ClerkAction();
    ClerkAction(const ClerkAction&) = delete;
    ClerkAction& operator=(const ClerkAction&) = delete;

private:
    Form* form_;
};

/// One named element of the control's form. Program changes of a property
/// notify observers; user actions are entry points that respect what a user
/// could do (a disabled or hidden widget takes no action).
class Widget : public Observable {
public:
    /// A widget of that kind, name and control-array index (-1 for none),
    /// enabled, visible and a tab stop.
    Widget(WidgetKind kind, std::string name, int index = -1);

    /// The kind of widget.
    WidgetKind kind() const noexcept { return kind_; }
    /// The widget's name ("txtFee"), shared by a control array.
    const std::string& name() const noexcept { return name_; }
    /// The index within its control array, or -1 for a single widget.
    int index() const noexcept { return index_; }
    /// "txtFee(3)" or "cmdAdd".
    std::string qualifiedName() const;
    /// The frame or area the widget sits in ("Frame2", "LineEntry").
    const std::string& group() const noexcept { return group_; }
    /// Sets the group (from the form's facts table).
    void setGroup(std::string group) { group_ = std::move(group); }

    /// The caption (a label's text, a button's or frame's title).
    const std::string& caption() const noexcept { return caption_; }
    /// Sets the caption; observers are told of a change.
    void setCaption(std::string caption);
    /// Whether the widget takes user actions.
    bool enabled() const noexcept { return enabled_; }
    /// Enables or disables the widget; observers are told of a change.
    void setEnabled(bool enabled);
    /// Whether the widget is shown.
    bool visible() const noexcept { return visible_; }
    /// Shows or hides the widget; observers are told of a change.
    void setVisible(bool visible);
    /// Whether Tab stops on the widget.
    bool tabStop() const noexcept { return tabStop_; }
    /// Sets whether Tab stops on the widget.
    void setTabStop(bool tabStop);
    /// The tool tip; empty for none.
    const std::string& toolTip() const noexcept { return toolTip_; }
    /// Sets the tool tip.
    void setToolTip(std::string toolTip);
    /// The background colour.
    Color backColor() const noexcept { return backColor_; }
    /// Sets the background colour.
    void setBackColor(Color color);

    /// True when a user could act on it: enabled and visible.
    bool canInteract() const noexcept { return enabled_ && visible_; }
    /// True when the widget has the form's focus.
    bool hasFocus() const noexcept;
    /// Moves the focus here: LostFocus runs on the widget that had it, then
    /// GotFocus here. A widget that cannot take the focus (disabled or hidden)
    /// leaves the focus where it is.
    void setFocus();

    /// Fired when the widget takes the focus.
    std::function<void()> GotFocus;
    /// Fired when the widget loses the focus.
    std::function<void()> LostFocus;

    /// Makes the widget part of `form` (done by the form).
    void attach(Form* form) noexcept { form_ = form; }
    /// The form the widget belongs to, or null.
    Form* form() const noexcept { return form_; }

protected:
    /// The widget's value changed (a text, a choice, a cell): the form's
    /// revision moves on. Captions, states, focus and selection are not values.
    void valueChanged() noexcept;
    template <typename T>
    /// Sets a property member and tells the observers when it changed; true
    /// when it did.
    bool assign(T& member, T value)
    {
        if (member == value) return false;
        member = std::move(value);
        notifyChanged();
        return true;
    }
    /// Calls a handler when one is set.
    static void fire(const std::function<void()>& handler)
    {
        if (handler) handler();
    }

private:
    WidgetKind kind_;
    std::string name_;
    int index_;
    std::string group_;
    std::string caption_;
    std::string toolTip_;
    bool enabled_ = true;
    bool visible_ = true;
    bool tabStop_ = true;
    Color backColor_ = Color::window();
    Form* form_ = nullptr;
};

} // namespace zelt::view
