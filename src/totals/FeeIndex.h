#pragma once

#include "zelt/view/Form.h"

#include <array>

namespace zelt {

/// The fee boxes by index: 0 brokerage, 1 duty, 2 enhanced/home delivery,
/// 3 vendor service fee, 4 freight, 5 center handling fee, 6 total deposit,
/// 7 surcharge.
namespace Fee {
enum : int {
    Brokerage = 0,
    Duty = 1,
    HomeDelivery = 2,
    VendorService = 3,
    Freight = 4, // TXT_FREIGHT
    CenterHandling = 5,
    TotalDeposit = 6,
    Surcharge = 7,
};
} // namespace Fee

/// Each overridable fee box and its "Over Ridden" box, in the order the
/// saved record lists them.
struct FeeOverride {
    int fee;
    view::CheckBox view::Form::*box;
};

inline constexpr std::array<FeeOverride, 7> kFeeOverrides = {{
    {Fee::Brokerage, &view::Form::chkDutyBrokerageFee},
    {Fee::Duty, &view::Form::chkDutyFee},
    {Fee::HomeDelivery, &view::Form::chkAppEHD},
    {Fee::VendorService, &view::Form::chkServiceFee},
    {Fee::Freight, &view::Form::chkAppFreight},
    {Fee::CenterHandling, &view::Form::chkCentrHandlingFee},
    {Fee::Surcharge, &view::Form::chkSurChargeFee},
}};

} // namespace zelt
