#pragma once

#include <zelt/view/Form.h>

#include <optional>
#include <string>
#include <string_view>

namespace zelt::session {

/// A control as a script names it: "cmdAdd", or "txtField(1)" for a member
/// of a control array, as the form declares it.
struct ControlName {
    std::string name;
    int index = -1;

    /// Nothing when the word is not of that shape.
    static std::optional<ControlName> parse(std::string_view word);
    /// The form's widget of that name and index, or null.
    view::Widget* find(const view::Form& form) const { return form.find(name, index); }
};

} // namespace zelt::session
