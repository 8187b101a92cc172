#pragma once

#include "core/ControlContext.h"
#include "lineitems/EntryArea.h"
#include "lineitems/EntryHandlers.h"
#include "lineitems/LineCommands.h"
#include "lineitems/LineEntry.h"
#include "lineitems/LineExport.h"
#include "lineitems/LineFinder.h"
#include "lineitems/LineHistory.h"
#include "lineitems/LineLoader.h"
#include "lineitems/LinePaste.h"
#include "lineitems/LineRows.h"
#include "services/ComboContent.h"
#include "services/SoapClient.h"
#include "taxes/TaxCommand.h"
#include "taxes/TaxFeeExchange.h"
#include "taxes/TaxFields.h"
#include "taxservices/InternalTaxService.h"
#include "totals/DeliveryOptions.h"
#include "totals/FeeFields.h"
#include "totals/FreightRates.h"
#include "totals/SurchargeService.h"
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
    LineRows rows{ctx};
    LineHistory history{ctx.form.grdOrdItems};
    LineParts lineParts{ctx, entryArea, combos, totals, rows, history};
    LineCommands commands{lineParts};
    LineEntry entry{lineParts};
    EntryHandlers entryHandlers{ctx, rows, history, [this] { runTaxCalculationCommand(); }};
    LineExport exporter{ctx};
    LinePaste paste{ctx, entry};
    LineFinder finder{ctx.form.grdOrdItems};
    LineLoader loader{ctx, entryArea, commands, [this] { totals.fupdate(); }};
    FeeFields fees{ctx, totals};
    FreightRates freight{ctx};
    DeliveryOptions delivery{ctx};
    TaxFields taxes{ctx, totals, [this] { runTaxCalculationCommand(); }};
    TaxFeeExchange exchange{ctx};
    SoapClient soap{ctx};
    SurchargeService surcharges{ctx, soap};
    InternalTaxService internalTax{ctx, soap};
    TaxCommand taxCommand{ctx, totals, taxes};

    /// "Calculate Taxes && Fees": the button, UpdateTaxes, the tax fields, the
    /// override boxes and the exempt box run it.
    void runTaxCalculationCommand();

    void runCreationSequence();
    void bindHandlers();
};

} // namespace zelt
