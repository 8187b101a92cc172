#pragma once

#include "control/ControlContext.h"
#include "lineitems/EntryArea.h"
#include "lineitems/LineLoader.h"
#include "services/ComboContent.h"
#include "zelt/control/OrderedItems.h"

namespace zelt {

/// The control's parts, each a member of the one control and sharing its context.
struct OrderedItems::Impl {
    explicit Impl(Services services);

    ControlContext ctx;
    ComboContent combos{ctx};
    EntryArea entryArea{ctx};
    LineLoader loader{ctx, entryArea, [this] { recalculateTotals(); }};

    /// The totals recalculation that loading and every line or fee change
    /// runs. The order-level recalculation plugs in here.
    void recalculateTotals();

    void runCreationSequence();
    void bindHandlers();
};

} // namespace zelt
