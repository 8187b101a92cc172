#include "taxes/VendorFreight.h"

#include "core/ControlContext.h"
#include "core/Field.h"
#include "core/HostInput.h"
#include "core/LineColumns.h"
#include "totals/FeeIndex.h"
#include "zelt/platform/FreightCalculator.h"

namespace zelt {

std::optional<std::string> VendorFreight::CalculateVendorFreight()
{
    const ControlState& st = ctx_.state;
    view::Form& f = ctx_.form;
    const view::Grid& grid = ctx_.grid();

    platform::FreightRequest request;
    request.customerCode = st.CustomerCode;
    request.vendorID = st.VendorID;
    request.customerOrderedDate = st.CustomerOrderedDate;
    request.nonCenterDelivery = st.NonCenterDelivery;
    auto weight = text::tryToNumber(f.txtField[Field::TotalWeight].text(), ctx_.locale);
    if (!weight) return "the total weight \"" + f.txtField[Field::TotalWeight].text() + "\" is not a number";
    request.totalWeight = *weight;
    request.origin = {st.FromCity, st.FromCountry, st.FromStreet1, st.FromStreet2, st.FromStreet3, st.FromZip, st.FromState};
    request.destination = {st.ShipCity, st.ShipCountry, st.ShipStreet1, st.ShipStreet2, st.ShipStreet3, st.ShipZip, st.ShipState};
    for (int r = grid.fixedRows(); r < grid.rows(); ++r) {
        if (!ctx_.isMerchandiseRow(r)) continue;
        auto quantity = ctx_.tryCellNumber(r, Col::Quantity);
        auto price = ctx_.tryCellNumber(r, Col::UnitPrice);
        auto unitWeight = ctx_.tryCellNumber(r, Col::UnitWeight);
        auto extended = ctx_.tryCellNumber(r, Col::ExtPrice);
        if (!quantity || !price || !unitWeight || !extended)
            return "line " + std::to_string(r) + " has an amount that is not a number";
        if (!isInt32InRange(*quantity))
            return "the quantity of line " + std::to_string(r) + " is beyond the largest quantity a line can carry";
        request.lines.push_back({std::string(grid.text(r, Col::ModelNo)), text::toInt32(*quantity), *price, *unitWeight,
                                 ctx_.tryCellNumber(r, Col::CarrierID).value_or(0) == 1,
                                 *extended});
    }
    const view::ComboBox& options = f.cboFreightOptions[0];
    if (options.listIndex() < 0) return "no delivery option is chosen";
    const std::int32_t method = options.itemData(options.listIndex());
    const auto center = text::tryToNumber(st.CenterID, ctx_.locale);
    if (!center || !isInt32InRange(*center)) return "the CenterID \"" + st.CenterID + "\" is not a 32-bit integer";

    const std::string answer = ctx_.services.freight->calculate(request, st.ShipState, text::toInt32(*center),
                                                                st.ShipZip, method);
    ctx_.state.VendorFreightMethodID = method;
    if (answer.size() < 3) {
        ctx_.message("Vendor does not have a freight rule defined. Please refer to the freight program in the vendor catalog",
                     "Vendor Freight", view::MessageBoxButtons::Ok, view::MessageBoxIcon::None);
        return std::nullopt;
    }
    const std::size_t bar = answer.find('|');
    if (bar == std::string::npos) return "the freight answer " + quoteInput(answer) + " has no \"|\"";
    auto freight = text::tryToNumberOrInvariant(answer.substr(0, bar), ctx_.locale);
    auto homeDelivery = text::tryToNumberOrInvariant(answer.substr(bar + 1), ctx_.locale);
    if (!freight || !homeDelivery) return "the freight answer " + quoteInput(answer) + " does not read as two amounts";
    if (!isAmountInRange(*freight) || !isAmountInRange(*homeDelivery))
        return "the freight answer " + quoteInput(answer) + " is beyond the currency range";
    if (!f.chkAppFreight.checked() || !f.chkAppFreight.enabled())
        f.txtFee[Fee::Freight].setText(ctx_.fixed(st.factoryPickup ? 0 : *freight, 2));
    if (!f.chkAppEHD.checked()) f.txtFee[Fee::HomeDelivery].setText(ctx_.fixed(*homeDelivery, 2));
    return std::nullopt;
}

} // namespace zelt
