#pragma once

#include <cstdint>

namespace zelt {

/// The control's events to its host. The host implements the ones it needs;
/// each runs synchronously inside the procedure that raises it. Each argument
/// is passed by reference as the host interface defines it, but the control
/// never reads back what the host writes into it.
class OrderedItemsEvents {
public:
    virtual ~OrderedItemsEvents() = default;
    /// The clerk asked for the details of carrier CarrID (a click on the
    /// Carrier link of the line entry area): the carrier's code in the
    /// carrier list. A carrier that is not in the list raises nothing.
    virtual void GetCarrierID(std::int32_t& CarrID) { (void)CarrID; }
    /// A new total deposit was written; TotalAmount is its value. Raised by
    /// SetTaxNFees, the tax command, a key typed into a tax box and the
    /// internal tax service.
    virtual void GetTotalAmount(double& TotalAmount) { (void)TotalAmount; }
    /// The selected delivery option changed to the club option ("Delivery To
    /// Club/Third Party Installer/Forwarder"); DeliveryTypeID is 0. See OrderedItems for when it is raised.
    virtual void ChangeToClubDelivery(std::int16_t& DeliveryTypeID) { (void)DeliveryTypeID; }
    /// The selected delivery option changed to another option than the club
    /// option (home delivery); DeliveryTypeID is 0.
    virtual void ChangeToHomeDelivery(std::int16_t& DeliveryTypeID) { (void)DeliveryTypeID; }
};

} // namespace zelt
