#pragma once

#include "core/ControlContext.h"
#include "lineitems/EntryArea.h"
#include "lineitems/LineLoader.h"
#include "services/ComboContent.h"
#include "taxes/TaxFeeExchange.h"
#include "taxes/TaxFields.h"
#include "totals/FeeFields.h"
#include "totals/TotalsRecalculation.h"
#include "zelt/control/OrderedItems.h"

namespace zelt {

/// The control's parts, each a member of the one control and sharing its context.
struct OrderedItems::Impl {
    explicit Impl(Services services);

    ControlContext ctx;
    ComboContent combos{ctx};
    EntryArea entryArea{ctx};
    TotalsRecalculation totals{ctx};
    LineLoader loader{ctx, entryArea, [this] { totals.fupdate(); }};
    FeeFields fees{ctx, totals};
    TaxFields taxes{ctx, totals, [this] { runTaxCalculationCommand(); }};
    TaxFeeExchange exchange{ctx};

    /// "Calculate Taxes && Fees": the tax fields and the override boxes call
    /// it. The tax calculation command (freight component, AvaTax, the rate
    /// fallback) plugs in here; until then it does nothing.
    void runTaxCalculationCommand();

    void runCreationSequence();
    void bindHandlers();
};

} // namespace zelt
