#pragma once

#include "zelt/view/Color.h"
#include "zelt/view/Observable.h"

#include <functional>
#include <string>

namespace zelt::view {

class Form;

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
    explicit ClerkAction(Form* form) noexcept;
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
    Widget(WidgetKind kind, std::string name, int index = -1);

    WidgetKind kind() const noexcept { return kind_; }
    const std::string& name() const noexcept { return name_; }
    /// The index within its control array, or -1 for a single widget.
    int index() const noexcept { return index_; }
    /// "txtFee(3)" or "cmdAdd".
    std::string qualifiedName() const;
    /// The frame or area the widget sits in ("Frame2", "LineEntry").
    const std::string& group() const noexcept { return group_; }
    void setGroup(std::string group) { group_ = std::move(group); }

    const std::string& caption() const noexcept { return caption_; }
    void setCaption(std::string caption);
    bool enabled() const noexcept { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const noexcept { return visible_; }
    void setVisible(bool visible);
    bool tabStop() const noexcept { return tabStop_; }
    void setTabStop(bool tabStop);
    const std::string& toolTip() const noexcept { return toolTip_; }
    void setToolTip(std::string toolTip);
    Color backColor() const noexcept { return backColor_; }
    void setBackColor(Color color);

    /// True when a user could act on it: enabled and visible.
    bool canInteract() const noexcept { return enabled_ && visible_; }
    bool hasFocus() const noexcept;
    /// Moves the focus here: LostFocus runs on the widget that had it, then
    /// GotFocus here. A widget that cannot take the focus (disabled or hidden)
    /// leaves the focus where it is.
    void setFocus();

    std::function<void()> GotFocus;
    std::function<void()> LostFocus;

    void attach(Form* form) noexcept { form_ = form; }
    Form* form() const noexcept { return form_; }

protected:
    /// The widget's value changed (a text, a choice, a cell): the form's
    /// revision moves on. Captions, states, focus and selection are not values.
    void valueChanged() noexcept;
    template <typename T>
    bool assign(T& member, T value)
    {
        if (member == value) return false;
        member = std::move(value);
        notifyChanged();
        return true;
    }
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
