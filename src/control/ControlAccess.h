#pragma once

#include "core/ControlState.h"
#include "zelt/control/OrderedItems.h"

namespace zelt {

struct ControlContext;

/// The inside of a control, for the library's own tests: its member state,
/// lookup lists and parts.
struct ControlAccess {
    static ControlContext& context(OrderedItems& control);
    static const ControlState& state(const OrderedItems& control);
};

} // namespace zelt
