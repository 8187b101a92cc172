#pragma once

#include <zelt/control/OrderedItems.h>

#include <functional>
#include <string>
#include <string_view>

namespace zelt::session {

/// A member of the control a script may use as its host does: a property it
/// lets (`let ViewMode 2`) or a method it calls (`call UpdateTaxes`).
struct HostMember {
    enum class Use { Let, Call };
    /// What the member takes: nothing, True or False, a number, a grid row,
    /// a quoted text, a mode.
    enum class Value { None, Bool, Number, Row, Text, Mode };

    std::string_view name;
    Use use;
    Value value;
    /// Does it with the checked value; returns what to print (empty: nothing).
    std::function<std::string(OrderedItems&, const std::string& value)> apply;
    std::string_view help;
};

} // namespace zelt::session
