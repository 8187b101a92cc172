#pragma once

#include "SampleOrder.h"

#include "AvaTaxStandIn.h"
#include "InternalTaxStandIn.h"
#include "SurchargeStandIn.h"

namespace zelt::session {

/// The surcharge, internal tax and AvaTax services of the sample order,
/// stood in on loopback for as long as this object lives: the demo window
/// and a scripted session run the same ones, so a session recorded in one
/// replays in the other with the same taxes.
class StandInServices {
public:
    static constexpr const char* kAvaTaxAccount = "1100000000";
    static constexpr const char* kAvaTaxLicenseKey = "DEMO0LICENCE0KEY";

    /// Where each service answers, with the AvaTax account.
    demo::ServiceAddresses addresses() const
    {
        return {surcharge_.serverName(), tax_.url(), avaTax_.url(), kAvaTaxAccount, kAvaTaxLicenseKey};
    }

private:
    standins::SurchargeStandIn surcharge_{{{1, 0.04}, {2, 0.06}, {3, 0.05}}};
    standins::InternalTaxStandIn tax_;
    standins::AvaTaxStandIn avaTax_{kAvaTaxAccount, kAvaTaxLicenseKey};
};

} // namespace zelt::session
