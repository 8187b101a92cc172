#include "services/OrderEventRules.h"

#include "core/LineColumns.h"
#include "core/LookupLists.h"
#include "zelt/InputError.h"
#include "zelt/text/NumberText.h"
#include "zelt/view/Grid.h"

namespace zelt {

namespace {

struct EventRule {
    std::string_view name;
    bool allowsTaxes;
    bool allowsExemptTaxes;
};

// Names compare exactly, case and all; any other event allows nothing.
constexpr EventRule kRules[] = {
    {"PurchaseOrder", true, true},
    {"PurchaseOrderCancelled", true, true},
    {"PurchaseOrderCenterValidation", true, true},
    {"PurchaseOrderClosed", true, false},
    {"PurchaseOrderFundsSweep", false, false},
    {"PurchaseOrderGeneratePO", true, false},
    {"PurchaseOrderInsufficientFunds", true, false},
    {"PurchaseOrderLocalOpenPO", true, false},
    {"PurchaseOrderOpenPO", true, false},
    {"PurchaseOrderPendingUnpaid", true, false},
    {"PurchaseOrderProblemOrder", true, false},
    {"PurchaseOrderReleaseToVendor", true, false},
    {"PurchaseOrderSuspened", true, false},
    {"PurchaseOrderUpdate", true, false},
    {"PurchaseOrderView", true, false},
};

const EventRule* find(std::string_view name)
{
    for (const EventRule& rule : kRules)
        if (rule.name == name) return &rule;
    return nullptr;
}

} // namespace

bool OrderEventRules::OrderEventAllowsTaxes(std::string_view zeltEvent)
{
    const EventRule* rule = find(zeltEvent);
    return rule && rule->allowsTaxes;
}

bool OrderEventRules::OrderEventAllowsExemptTaxes(std::string_view zeltEvent)
{
    const EventRule* rule = find(zeltEvent);
    return rule && rule->allowsExemptTaxes;
}

bool OrderEventRules::IsPendingAcknowledgement(const view::Grid& grid, const LookupLists& lists,
                                               const text::Locale& locale)
{
    for (int r = 1; r < grid.rows(); ++r) {
        auto read = text::tryToNumber(grid.text(r, Col::Status), locale);
        if (!read)
            throw InputError("IsPendingAcknowledgement", r, Col::Status,
                             "the Status \"" + std::string(grid.text(r, Col::Status)) + "\" of this line is not a number");
        double status = *read;
        if (grid.text(r, Col::Acknowledgement).empty() &&
            (status == lists.statusPosition1 + 1 || status == lists.statusPosition6 + 1))
            return true;
    }
    return false;
}

} // namespace zelt
